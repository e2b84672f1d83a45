#include "platform/win32/engine_factory.h"

#include <new>

#include "core/app.h"
#include "core/device_handler.h"
#include "core/engine.h"
#include "core/factory.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Platform {

EngineFactory::EngineFactory(CreateAppFunction createApp, CreateFactoryFunction createFactory)
    : mCreateApp(std::move(createApp)), mCreateFactory(std::move(createFactory))
{
}

EngineFactory::~EngineFactory()
{
    if (mEngine != nullptr)
        Debug::Trace("Memory leak: Platform::EngineFactory::DestroyEngine() missing");
    if (mFactory != nullptr)
        Debug::Trace("Memory leak: Platform::EngineFactory::DeInit() missing");
}

Bool EngineFactory::Init()
{
    if (mFactory != nullptr) {
        Debug::Trace("Platform::EngineFactory::Init(): Already initialized");
        return false;
    }
    mFactory = mCreateFactory ? mCreateFactory() : new (std::nothrow) Factory();
    if (mFactory == nullptr) {
        Debug::Trace("Platform::EngineFactory::Init(): Failed to create factory");
        return false;
    }
    mConfiguration = mFactory->CreateConfiguration();
    if (mConfiguration == nullptr) {
        Debug::Trace("Platform::EngineFactory::Init(): Failed to create configuration");
        return false;
    }
    mDeviceHandler = mFactory->CreateDeviceHandler();
    if (mDeviceHandler == nullptr) {
        Debug::Trace("Platform::EngineFactory::Init(): Failed to create device handler");
        return false;
    }
    return true;
}

Bool EngineFactory::CreateEngine()
{
    if (mFactory == nullptr) {
        Debug::Trace("Platform::EngineFactory::CreateEngine(): Not initialized");
        return false;
    }
    if (mEngine != nullptr) {
        Debug::Trace("Platform::EngineFactory::CreateEngine(): Engine already created");
        return false;
    }
    mEngine = mFactory->CreateEngine();
    if (mEngine == nullptr) {
        Debug::Trace("Platform::EngineFactory::CreateEngine(): Failed to create engine");
        return false;
    }
    mApp = mCreateApp ? mCreateApp(mConfiguration) : nullptr;
    if (mApp == nullptr) {
        Debug::Trace("Platform::EngineFactory::CreateEngine(): Failed to create application");
        return false;
    }
    return true;
}

Bool EngineFactory::HasEngine(const char* method) const
{
    if (mEngine != nullptr)
        return true;
    Debug::Trace("Platform::EngineFactory::%s(): No engine", method);
    return false;
}

void EngineFactory::ClearRunState()
{
    mStarted = false;
    mPaused = false;
    mSuspended = false;
}

Bool EngineFactory::InitEngine()
{
    return HasEngine("InitEngine") && mEngine->Init(mConfiguration, mDeviceHandler);
}

Bool EngineFactory::Start()
{
    if (!HasEngine("Start"))
        return false;
    if (mStarted)
        return true;
    if (!mEngine->Start(mApp))
        return false;
    mStarted = true;
    return true;
}

Bool EngineFactory::Stop()
{
    if (!HasEngine("Stop"))
        return false;
    if (!mStarted)
        return true;
    if (!mEngine->Stop(mApp))
        return false;
    ClearRunState();
    return true;
}

Bool EngineFactory::ChangeRunState(const char* method, Bool& flag, Bool target, Bool (IEngine::*operation)())
{
    if (!HasEngine(method))
        return false;
    if (flag == target)
        return true;
    if (!(mEngine->*operation)())
        return false;
    flag = target;
    return true;
}

Bool EngineFactory::Pause()
{
    return ChangeRunState("Pause", mPaused, true, &IEngine::Pause);
}

Bool EngineFactory::Continue()
{
    return ChangeRunState("Continue", mPaused, false, &IEngine::Continue);
}

Bool EngineFactory::Suspend()
{
    return ChangeRunState("Suspend", mSuspended, true, &IEngine::Suspend);
}

Bool EngineFactory::Resume()
{
    return ChangeRunState("Resume", mSuspended, false, &IEngine::Resume);
}

Bool EngineFactory::BeginFrame()
{
    return HasEngine("BeginFrame") && mEngine->BeginFrame();
}

Bool EngineFactory::EndFrame()
{
    return HasEngine("EndFrame") && mEngine->EndFrame();
}

Bool EngineFactory::Deactivate()
{
    if (mConfiguration == nullptr)
        return false;
    switch (mConfiguration->GetDeactivatedRunState()) {
    case Enums::AppRunState::PAUSED: return Pause();
    case Enums::AppRunState::SUSPENDED: return Suspend();
    default: return true;
    }
}

Bool EngineFactory::Reactivate()
{
    if (mPaused)
        return Continue();
    if (mSuspended)
        return Resume();
    return true;
}

Bool EngineFactory::DestroyEngine()
{
    if (mEngine != nullptr)
        mEngine->DeInit();
    delete mApp;
    mApp = nullptr;
    if (mFactory != nullptr)
        mFactory->DestroyEngine(mEngine);
    ClearRunState();
    return true;
}

Bool EngineFactory::DeInit()
{
    if (mFactory == nullptr) {
        Debug::Trace("Platform::EngineFactory::DeInit(): Not initialized");
        return false;
    }
    mFactory->DestroyDeviceHandler(mDeviceHandler);
    mFactory->DestroyConfiguration(mConfiguration);
    delete mFactory;
    mFactory = nullptr;
    ClearRunState();
    return true;
}

} // namespace Platform
} // namespace Vorn
