// The face every control shares: objects through which the game asks the platform or the engine
// for work outside the graph. The platform steps each control once per frame on the main thread;
// the output device handler steps it once per logic step and tells it of configuration changes.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IConfiguration;

class IControlable
{
public:
    // The control's per-frame work on the main thread; the output device handler never calls it.
    virtual void Process() = 0;
    // Once per logic step, on the logic thread: publishes what changed since the last step.
    virtual void Update() = 0;
    // The configuration changed; stamp is the change stamp of the last check.
    virtual void ConfigChanged(IConfiguration* configuration, UInt32 stamp) = 0;
    virtual ~IControlable() {}
};

} // namespace Vorn
