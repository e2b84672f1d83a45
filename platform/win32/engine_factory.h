// Owns the engine's configuration, device handler, engine and the game's application object for
// the platform, and keeps the engine's run state as it last changed it, so that no run-state
// operation reaches the engine twice in a row. Also applies the inactive-window policy.
#pragma once

#include <functional>

#include "foundation/types.h"
#include "platform/win32/dx9_display_interface.h"

namespace Vorn {

class Factory;
class IApp;
class IConfiguration;
class IDeviceHandler;
class IEngine;

namespace Platform {

class EngineFactory : public Win32::IEngineRunState
{
public:
    // The program's application factory: writes the game's settings into the configuration and
    // returns the application object, null on failure.
    typedef std::function<IApp*(IConfiguration*)> CreateAppFunction;
    // Makes the engine's top-level factory; empty gives the engine's own.
    typedef std::function<Factory*()> CreateFactoryFunction;

    explicit EngineFactory(CreateAppFunction createApp, CreateFactoryFunction createFactory = nullptr);
    // Reports a missing DestroyEngine or DeInit as a memory leak.
    ~EngineFactory() override;

    // Makes the factory, the configuration and the device handler; false when a factory exists.
    Bool Init();
    // Makes the engine, then the application object through the application factory.
    Bool CreateEngine();
    Bool InitEngine();
    // Start when not started, Stop when started; the other way round each does nothing.
    Bool Start();
    Bool Stop();
    Bool Pause();
    Bool Continue();
    Bool Suspend() override;
    Bool Resume() override;
    Bool IsSuspended() const override { return mSuspended; }
    Bool IsStarted() const { return mStarted; }
    Bool IsPaused() const { return mPaused; }
    Bool BeginFrame();
    Bool EndFrame();
    // The window went inactive: pause, suspend or keep running as the configuration says.
    Bool Deactivate();
    // The window is active again: continue or resume what Deactivate stopped.
    Bool Reactivate();
    // De-initialises the engine and destroys the application object and the engine; true.
    Bool DestroyEngine();
    // Destroys the device handler, the configuration and the factory; false without a factory.
    Bool DeInit();

    Bool IsInitialized() const { return mFactory != nullptr; }
    IConfiguration* GetConfiguration() const { return mConfiguration; }
    IDeviceHandler* GetDeviceHandler() const { return mDeviceHandler; }
    IEngine* GetEngine() const { return mEngine; }
    IApp* GetApp() const { return mApp; }

private:
    EngineFactory(const EngineFactory&) = delete;
    EngineFactory& operator=(const EngineFactory&) = delete;

    // False, with a line naming the method, without an engine.
    Bool HasEngine(const char* method) const;
    void ClearRunState();
    // Calls the engine's operation unless the flag is at the target already, and moves the flag
    // there when the engine agrees.
    Bool ChangeRunState(const char* method, Bool& flag, Bool target, Bool (IEngine::*operation)());

    CreateAppFunction mCreateApp;
    CreateFactoryFunction mCreateFactory;
    Factory* mFactory = nullptr;
    IConfiguration* mConfiguration = nullptr;
    IDeviceHandler* mDeviceHandler = nullptr;
    IEngine* mEngine = nullptr;
    IApp* mApp = nullptr;
    Bool mStarted = false;
    Bool mPaused = false;
    Bool mSuspended = false;
};

} // namespace Platform
} // namespace Vorn
