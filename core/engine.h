// The engine as the platform drives it, all on its main thread: Init and Start once, then
// BeginFrame, present and EndFrame per frame, the run-state changes by window activity, and Stop
// and DeInit at exit. Every operation returns false (with a log line) on failure; a false frame
// ends the program. Implemented by Core::Engine.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IApp;
class IConfiguration;
class IDeviceHandler;

class IEngine
{
public:
    // Neither argument is owned; both must outlive the engine.
    virtual Bool Init(IConfiguration* configuration, IDeviceHandler* deviceHandler) = 0;
    virtual Bool DeInit() = 0;
    virtual Bool Start(IApp* app) = 0;
    virtual Bool Stop(IApp* app) = 0;
    // Logic time stops while paused; frames go on.
    virtual Bool Pause() = 0;
    virtual Bool Continue() = 0;
    // No frames run while suspended.
    virtual Bool Suspend() = 0;
    virtual Bool Resume() = 0;
    virtual Bool BeginFrame() = 0;
    virtual Bool EndFrame() = 0;
    virtual ~IEngine() {}
};

} // namespace Vorn
