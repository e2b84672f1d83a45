#include "core/core_engine.h"

#include "audio/factory.h"
#include "audio/renderer.h"
#include "core/app.h"
#include "core/clock.h"
#include "core/core_loader.h"
#include "core/core_screenshot_control.h"
#include "core/device_handler.h"
#include "core/loader_thread.h"
#include "core/logic_thread.h"
#include "core/statistics.h"
#include "display/factory.h"
#include "display/renderer.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "foundation/thread.h"
#include "graph/factory.h"
#include "graph/finish_logic_state.h"
#include "graph/init_state.h"
#include "graph/node.h"
#include "graph/node_class_info.h"
#include "graph/output_states.h"
#include "graph/prepare_output_state.h"
#include "graph/process_logic_state.h"
#include "graph/root.h"
#include "graph/service_state.h"
#include "input/device_handler.h"
#include "logic/device_handler.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "output/device_handler.h"
#include "physics/factory.h"
#include "physics/simulator.h"
#include "platform/audio_interface.h"
#include "platform/display_interface.h"
#include "resource/collection.h"
#include "resource/factory.h"

namespace Vorn {
namespace Core {

namespace {

const char* const kInitMessages[Engine::kNumberOfInitSteps] = {
    "Core::Engine::Init(): Failed to initialize resource factory",
    "Core::Engine::Init(): Failed to initialize resource collection",
    "Core::Engine::Init(): Failed to initialize physics factory",
    "Core::Engine::Init(): Failed to initialize physics simulator",
    "Core::Engine::Init(): Failed to initialize display factory",
    "Core::Engine::Init(): Failed to initialize display renderer",
    "Core::Engine::Init(): Failed to initialize audio factory",
    "Core::Engine::Init(): Failed to initialize audio renderer",
    "Core::Engine::Init(): Failed to initialize graph factory",
    "Core::Engine::Init(): Failed to initialize graph init state",
    "Core::Engine::Init(): Failed to initialize graph deinit state",
    "Core::Engine::Init(): Failed to initialize graph config changed state",
    "Core::Engine::Init(): Failed to initialize graph process logic state",
    "Core::Engine::Init(): Failed to initialize graph finish logic state",
    "Core::Engine::Init(): Failed to initialize graph prepare output state",
    "Core::Engine::Init(): Failed to initialize graph cull output state",
    "Core::Engine::Init(): Failed to initialize graph serve output state",
    "Core::Engine::Init(): Failed to add screenshot control",
    "Core::Engine::Init(): Failed to initialize loader",
    "Core::Engine::Init(): Failed to initialize logic factory",
    "Core::Engine::Init(): Failed to initialize logic device handler",
    "Core::Engine::Init(): Failed to initialize logic state",
};

const UInt32 kRunning = UInt32(Enums::AppRunState::RUNNING);
const UInt32 kPaused = UInt32(Enums::AppRunState::PAUSED);
const UInt32 kSuspended = UInt32(Enums::AppRunState::SUSPENDED);

// Makes a state and initialises it with the clock.
template <typename State, typename... Services>
Bool MakeState(std::unique_ptr<State>& state, IClock* clock, Services... services)
{
    state = std::make_unique<State>(services...);
    return state->Init(clock);
}

} // namespace

Engine::Engine(TimeSource timeSource)
    : mTimeSource(timeSource),
      mConfiguration(nullptr),
      mDeviceHandler(nullptr),
      mResourceCollection(nullptr),
      mPhysicsSimulator(nullptr),
      mDisplayRenderer(nullptr),
      mAudioRenderer(nullptr),
      mScreenshotControlAdded(false),
      mLogicDeviceHandler(nullptr),
      mLogicState(nullptr),
      mRoot(nullptr),
      mRootNode(nullptr),
      mConfigStamp(0),
      mCallerThreadId(0),
      mIsInitialized(false),
      mIsFirstFrame(false),
      mIsStarted(false),
      mIsLogicThreadRunning(false),
      mIsLoaderThreadRunning(false),
      mIsPaused(false),
      mIsSuspended(false),
      mIsSuspendedLight(false)
{
}

Engine::~Engine() {}

Bool Engine::RunInitStep(UInt32 step)
{
    IClock* clock = mClock.get();
    Input::ITouchableHandler* touchables = mDeviceHandler->GetInputTouchableHandler();
    Output::IDeviceHandler* output = mDeviceHandler->GetOutputDeviceHandler();
    switch (step) {
    case kResourceFactory:
        mResourceFactory = std::make_unique<Resource::Factory>(mConfiguration, mDeviceHandler->GetFileInterface());
        return true;
    case kResourceCollection:
        mResourceCollection = mResourceFactory->CreateCollection();
        return mResourceCollection != nullptr && mResourceCollection->Init();
    case kPhysicsFactory:
        mPhysicsFactory = std::make_unique<Physics::Factory>();
        return true;
    case kPhysicsSimulator:
        mPhysicsSimulator = mPhysicsFactory->CreateSimulator();
        return mPhysicsSimulator != nullptr && mPhysicsSimulator->Init();
    case kDisplayFactory:
        mDisplayFactory = std::make_unique<Display::Factory>();
        return true;
    case kDisplayRenderer:
        mDisplayRenderer = mDisplayFactory->CreateRenderer(mConfiguration, mDeviceHandler->GetDisplayInterface());
        return mDisplayRenderer != nullptr &&
               mDisplayRenderer->Init(mConfiguration->GetDisplayWidth(), mConfiguration->GetDisplayHeight());
    case kAudioFactory:
        mAudioFactory = std::make_unique<Audio::Factory>();
        return true;
    case kAudioRenderer:
        mAudioRenderer = mAudioFactory->CreateRenderer(mConfiguration, mDeviceHandler->GetAudioInterface());
        return mAudioRenderer != nullptr && mAudioRenderer->Init();
    case kGraphFactory:
        mGraphFactory = std::make_unique<Graph::Factory>();
        return mGraphFactory->Init();
    case kInitState:
        return MakeState(mInitState, clock, mConfiguration, mGraphFactory.get(), touchables, output, mDisplayRenderer,
                         mAudioRenderer, mPhysicsSimulator, static_cast<Resource::ICollection*>(mResourceCollection));
    case kDeInitState:
        return MakeState(mDeInitState, clock, mConfiguration, mGraphFactory.get(), touchables, output,
                         mDisplayRenderer, mAudioRenderer, mPhysicsSimulator,
                         static_cast<Resource::ICollection*>(mResourceCollection));
    case kConfigChangedState:
        return MakeState(mConfigChangedState, clock, mConfiguration, mGraphFactory.get(), touchables, output,
                         mDisplayRenderer, mAudioRenderer, mPhysicsSimulator,
                         static_cast<Resource::ICollection*>(mResourceCollection));
    case kProcessLogicState:
        return MakeState(mProcessLogicState, clock, touchables, mPhysicsSimulator);
    case kFinishLogicState:
        return MakeState(mFinishLogicState, clock, touchables, mPhysicsSimulator);
    case kPrepareOutputState:
        return MakeState(mPrepareOutputState, clock, output);
    case kCullOutputState:
        return MakeState(mCullOutputState, clock);
    case kEnqueueOutputState:
        return MakeState(mEnqueueOutputState, clock, mDisplayRenderer, mAudioRenderer);
    case kScreenshotControl:
        mScreenshotControl =
            std::make_unique<ScreenshotControl>(mResourceFactory.get(), mConfiguration, mDisplayRenderer);
        mScreenshotControlAdded = mDeviceHandler->AddScreenshotControl(mScreenshotControl.get());
        return mScreenshotControlAdded;
    case kLoader:
        mLoader = std::make_unique<Loader>();
        return mLoader->Init(mInitState.get(), mDeInitState.get(), mResourceCollection, mGraphFactory.get());
    case kLogicFactory:
        mLogicFactory = std::make_unique<Logic::Factory>();
        return mLogicFactory->Init();
    case kLogicDeviceHandler:
        mLogicDeviceHandler =
            mLogicFactory->CreateDeviceHandler(mDeviceHandler->GetInputDeviceHandler(), output);
        return mLogicDeviceHandler != nullptr && mLogicDeviceHandler->Init();
    case kLogicState:
        mLogicState = mLogicFactory->CreateState(mLogicDeviceHandler, mConfiguration, mLoader.get(),
                                                 mDeviceHandler->GetFileInterface());
        if (mLogicState == nullptr || !mLogicState->Init())
            return false;
        mLoader->SetLogicState(mLogicState);
        return true;
    default:
        return false;
    }
}

Bool Engine::Init(IConfiguration* configuration, IDeviceHandler* deviceHandler)
{
    if (mIsInitialized || mStatistics != nullptr)
        return false;
    Debug::SetLogFile(configuration->GetLogFilePath().GetText());
    mConfiguration = configuration;
    mDeviceHandler = deviceHandler;
    mStatistics = std::make_unique<Statistics>();
    mClock = std::make_unique<Clock>(configuration, mTimeSource);
    for (UInt32 step = 0; step < kNumberOfInitSteps; ++step) {
        if (!RunInitStep(step)) {
            Debug::Trace("%s", kInitMessages[step]);
            return false;
        }
    }
    mLogicGoEvent = std::make_unique<System::Event>();
    mLogicDoneEvent = std::make_unique<System::Event>();
    mConfigStamp = mClock->GetFrameNumber();
    SetConfigStamps();
    mIsInitialized = true;
    return true;
}

Bool Engine::DeInit()
{
    // A failed Init leaves its services for here; an engine never initialised has none.
    if (mStatistics == nullptr)
        return false;
    mLogicDoneEvent.reset();
    mLogicGoEvent.reset();

    if (mLogicState != nullptr) {
        mLogicState->DeInit();
        mLogicFactory->DestroyState(mLogicState);
    }
    if (mLogicDeviceHandler != nullptr) {
        mLogicDeviceHandler->DeInit();
        mLogicFactory->DestroyDeviceHandler(mLogicDeviceHandler);
    }
    if (mLogicFactory != nullptr)
        mLogicFactory->DeInit();
    mLogicFactory.reset();
    if (mLoader != nullptr)
        mLoader->DeInit();
    mLoader.reset();
    if (mScreenshotControlAdded)
        mDeviceHandler->RemoveScreenshotControl(mScreenshotControl.get());
    mScreenshotControlAdded = false;
    mScreenshotControl.reset();

    if (mEnqueueOutputState != nullptr)
        mEnqueueOutputState->DeInit();
    if (mCullOutputState != nullptr)
        mCullOutputState->DeInit();
    if (mPrepareOutputState != nullptr)
        mPrepareOutputState->DeInit();
    if (mFinishLogicState != nullptr)
        mFinishLogicState->DeInit();
    if (mProcessLogicState != nullptr)
        mProcessLogicState->DeInit();
    if (mInitState != nullptr)
        mInitState->DeInit();
    if (mDeInitState != nullptr)
        mDeInitState->DeInit();
    if (mConfigChangedState != nullptr)
        mConfigChangedState->DeInit();
    mEnqueueOutputState.reset();
    mPrepareOutputState.reset();
    mCullOutputState.reset();
    mFinishLogicState.reset();
    mProcessLogicState.reset();
    mInitState.reset();
    mDeInitState.reset();
    mConfigChangedState.reset();

    if (mGraphFactory != nullptr)
        mGraphFactory->DeInit();
    mGraphFactory.reset();
    if (mAudioRenderer != nullptr) {
        mAudioRenderer->DeInit();
        mAudioFactory->DestroyRenderer(mAudioRenderer);
    }
    mAudioFactory.reset();
    if (mDisplayRenderer != nullptr) {
        mDisplayRenderer->DeInit();
        mDisplayFactory->DestroyRenderer(mDisplayRenderer);
    }
    mDisplayFactory.reset();
    if (mPhysicsSimulator != nullptr) {
        mPhysicsSimulator->DeInit();
        mPhysicsFactory->DestroySimulator(mPhysicsSimulator);
    }
    mPhysicsFactory.reset();
    if (mResourceCollection != nullptr) {
        mResourceCollection->DeInit();
        mResourceFactory->DestroyCollection(mResourceCollection);
    }
    mResourceFactory.reset();

    mClock.reset();
    mStatistics.reset();
    Debug::ClearLogFile();
    mIsInitialized = false;
    return true;
}

void Engine::SetConfigStamps()
{
    mConfiguration->SetCurrentStamp(mClock->GetFrameNumber());
}

void Engine::SetRunState(UInt32 state)
{
    mConfiguration->SetAppRunState(Enums::AppRunState(state));
}

Bool Engine::BroadcastRunState(UInt32 newState, UInt32 previousState)
{
    return mLogicThread->RunStateChanged(Enums::AppRunState(newState), Enums::AppRunState(previousState));
}

void Engine::SetRootOfStates(Graph::Root* root)
{
    if (root != nullptr) {
        mInitState->SetRoot(root);
        mDeInitState->SetRoot(root);
        mConfigChangedState->SetRoot(root);
        mProcessLogicState->SetRoot(root);
        mFinishLogicState->SetRoot(root);
        mPrepareOutputState->SetRoot(root);
        mCullOutputState->SetRoot(root);
        mEnqueueOutputState->SetRoot(root);
        return;
    }
    mEnqueueOutputState->SetRoot(nullptr);
    mCullOutputState->SetRoot(nullptr);
    mPrepareOutputState->SetRoot(nullptr);
    mFinishLogicState->SetRoot(nullptr);
    mProcessLogicState->SetRoot(nullptr);
    mInitState->SetRoot(nullptr);
    mDeInitState->SetRoot(nullptr);
    mConfigChangedState->SetRoot(nullptr);
}

Bool Engine::IsCallerThread() const
{
    IDisplayInterface* display = mDeviceHandler->GetDisplayInterface();
    IAudioInterface* audio = mDeviceHandler->GetAudioInterface();
    if (display != nullptr && audio != nullptr && display->AllowsAnyThread() && audio->IsThreadSafe())
        return true;
    if (mConfiguration->GetMultiThreadedCalls())
        return true;
    return mCallerThreadId != 0 && System::Thread::GetCurrentId() == mCallerThreadId;
}

Bool Engine::Start(IApp* app)
{
    if (!mIsInitialized) {
        Debug::Trace("Core::Engine::Start(): Engine is not initialized");
        return false;
    }
    if (mIsStarted || mRoot != nullptr)
        return true;
    mCallerThreadId = System::Thread::GetCurrentId();

    IDisplayInterface* display = mDeviceHandler->GetDisplayInterface();
    IAudioInterface* audio = mDeviceHandler->GetAudioInterface();
    if (display == nullptr) {
        Debug::Trace("Core::Engine::Start(): No display interface available");
        return false;
    }
    // Sound is optional: without an audio interface (no sound device) the audio factory made the
    // silent renderer, and the game runs without sound.
    if (!display->ActivateRenderContext()) {
        Debug::Trace("Core::Engine::Start(): Failed to activate display render context");
        return false;
    }
    if (audio != nullptr && !audio->ActivateRenderContext()) {
        Debug::Trace("Core::Engine::Start(): Failed to activate audio render context");
        return false;
    }
    mDisplayRenderer->Start();
    mAudioRenderer->Start();

    mRoot = mGraphFactory->CreateRoot();
    if (mRoot == nullptr) {
        Debug::Trace("Core::Engine::Start(): Failed to create graph root");
        return false;
    }
    mLogicThread = std::make_unique<LogicThread>(this, mDeviceHandler, mLogicState);
    mLoaderThread = std::make_unique<LoaderThread>(this, mLoader.get(), display);
    SetRootOfStates(mRoot);
    mLogicState->SetGraphRoot(mRoot);
    mLogicState->SetResourceCollection(mResourceCollection);
    mRootNode = mRoot->GetRootNode();
    if (!mRoot->Init(mInitState.get())) {
        Debug::Trace("Core::Engine::Start(): Failed to initialize graph root");
        return false;
    }

    SetRunState(kRunning);
    if (!InitApp(app)) {
        Debug::Trace("Core::Engine::Start(): InitApp() failed");
        return false;
    }
    if (!mLoader->LoadStartupPackages()) {
        Debug::Trace("Core::Engine::Start(): Loading startup packages failed");
        return false;
    }
    if (!InitSystemStatistics()) {
        Debug::Trace("Core::Engine::Start(): Initializing system statistics failed");
        return false;
    }

    // Set before the threads run, so that a thread failing at once is seen to have ended.
    mIsLogicThreadRunning.store(true);
    mIsLoaderThreadRunning.store(true);
    if (!mLogicThread->Start())
        mIsLogicThreadRunning.store(false);
    if (!mLoaderThread->Start())
        mIsLoaderThreadRunning.store(false);
    mIsFirstFrame = true;
    mIsStarted = true;
    mIsPaused = false;
    mIsSuspended = false;

    mClock->SetMaxFrameTime(System::Time::FromMilliSeconds(1000));
    mClock->SetTimeScale(1.0);
    mClock->ResetTime();
    mClock->Start();
    if (!BeginFrame()) {
        Debug::Trace("Core::Engine::Start(): BeginFrame() failed");
        return false;
    }
    if (!EndFrame()) {
        Debug::Trace("Core::Engine::Start(): EndFrame() failed");
        return false;
    }
    return true;
}

Bool Engine::InitApp(IApp* app)
{
    Array<const Graph::NodeClassInfo*> nodeClasses;
    app->GetGraphNodeClasses(nodeClasses);
    for (const Graph::NodeClassInfo* info : nodeClasses) {
        if (!mGraphFactory->RegisterNodeClass(info)) {
            Debug::Trace("Core::Engine::Run(): Failed to register graph node class '%s'", info->mClassName.GetText());
            return false;
        }
    }
    Array<const Display::ClassInfo*> displayClasses;
    app->GetDisplayObjectClasses(displayClasses);
    for (const Display::ClassInfo* info : displayClasses) {
        if (!mDisplayRenderer->RegisterObjectClass(*info)) {
            Debug::Trace("Core::Engine::Run(): Failed to register display object class '%s'", info->mName.GetText());
            return false;
        }
    }
    app->InitApp(mLogicFactory->GetFactory(), mLoader.get());
    return true;
}

void Engine::DeInitApp(IApp* app)
{
    app->DeInitApp(mLogicFactory->GetFactory(), mLoader.get());
    Array<const Graph::NodeClassInfo*> nodeClasses;
    app->GetGraphNodeClasses(nodeClasses);
    for (const Graph::NodeClassInfo* info : nodeClasses)
        mGraphFactory->UnregisterNodeClass(info);
    Array<const Display::ClassInfo*> displayClasses;
    app->GetDisplayObjectClasses(displayClasses);
    for (const Display::ClassInfo* info : displayClasses)
        mDisplayRenderer->UnregisterObjectClass(*info);
}

Bool Engine::InitSystemStatistics()
{
    return mStatistics->BindNodes(mRoot, mConfiguration->GetDebugTextScale());
}

Bool Engine::DrawStatistics()
{
    if (mStatistics->HasSystemMessage()) {
        mStatistics->SetCount(Statistics::kInitCount, mInitState->GetCounter() - mDeInitState->GetCounter());
        mStatistics->SetCount(Statistics::kProcCount, mProcessLogicState->GetCounter());
        mStatistics->SetCount(Statistics::kFnshCount, mFinishLogicState->GetCounter());
        mStatistics->SetCount(Statistics::kPrepCount, mPrepareOutputState->GetCounter());
        mStatistics->SetCount(Statistics::kCullCount, mCullOutputState->GetCounter());
        mStatistics->SetCount(Statistics::kEnquCount, mEnqueueOutputState->GetCounter());
        mStatistics->SetSystemMessage(mStatistics->BuildSystemMessage(mClock.get()));
    }
    if (mStatistics->HasUserMessage())
        mStatistics->SetUserMessage(mLogicState->GetState()->GetText());
    return true;
}

Bool Engine::CheckConfig()
{
    Bool changed = false;
    if (mConfiguration->HasChanged(mConfigStamp)) {
        changed = true;
        mDeviceHandler->GetInputDeviceHandler()->ConfigChanged(mConfiguration, mConfigStamp);
        mDeviceHandler->GetOutputDeviceHandler()->ConfigChanged(mConfiguration, mConfigStamp);
        mStatistics->ConfigChanged(mConfiguration, mConfigStamp);
        if (mConfiguration->HasDisplaySizeChanged(mConfigStamp))
            mDisplayRenderer->SetDimensions(mConfiguration->GetDisplayWidth(), mConfiguration->GetDisplayHeight());
        mConfigStamp = mClock->GetFrameNumber();
    }
    if (!mRoot->Lock()) {
        Debug::Trace("Core::Engine::CheckConfig(): Failed to lock root");
        return false;
    }
    const Bool requested = mRoot->IsConfigChangedRequested();
    if (changed || requested) {
        mConfigChangedState->Begin();
        if (!mRoot->ConfigChanged(mConfigChangedState.get())) {
            Debug::Trace("Core::Engine::CheckConfig(): ConfigChanged() failed");
            mRoot->Unlock();
            return false;
        }
        mConfigChangedState->End();
        if (requested)
            mRoot->ClearConfigChangedRequest();
    }
    if (!mRoot->Unlock()) {
        Debug::Trace("Core::Engine::CheckConfig(): Failed to unlock root");
        return false;
    }
    return true;
}

Bool Engine::BeginFrame()
{
    if (!IsCallerThread()) {
        Debug::Trace("Core::Engine::BeginFrame(): Illegal caller thread");
        return false;
    }
    if (mRoot == nullptr) {
        Debug::Trace("Core::Engine::BeginFrame(): Engine is not started");
        return false;
    }
    mClock->Update();
    SetConfigStamps();
    if (!mDeviceHandler->GetDisplayInterface()->ActivateRenderContext()) {
        Debug::Trace("Core::Engine::BeginFrame(): Failed to activate render context");
        return false;
    }
    mStatistics->Reset();
    if (!CheckConfig()) {
        Debug::Trace("Core::Engine::BeginFrame(): Failed to check for changed config");
        return false;
    }

    if (!mIsFirstFrame) {
        mEnqueueOutputState->Begin();
        mAudioRenderer->BeginFrame();
        mDisplayRenderer->BeginFrame();
        if (!mRoot->Lock()) {
            Debug::Trace("Core::Engine::BeginFrame(): Failed to lock root");
            return false;
        }
        mStatistics->StartTimer(Statistics::kEnqu);
        const Bool enqueued = mRoot->EnqueueOutput(mEnqueueOutputState.get());
        mStatistics->StopTimer(Statistics::kEnqu);
        if (!enqueued) {
            Debug::Trace("Core::Engine::BeginFrame(): EnqueueOutput() failed");
            mRoot->Unlock();
            return false;
        }
        if (!mRoot->Unlock()) {
            Debug::Trace("Core::Engine::BeginFrame(): Failed to unlock root");
            return false;
        }
        mDisplayRenderer->ProcessObjects();
        mAudioRenderer->ProcessObjects();
        mEnqueueOutputState->End();

        // The logic thread waits for go: packages may change what it sees.
        if (!mLoader->UnlockInitializedPackages()) {
            Debug::Trace("Core::Engine::BeginFrame(): Unlocking initialized packages failed");
            return false;
        }
        if (!mLoader->LockPackagesToRemove()) {
            Debug::Trace("Core::Engine::BeginFrame(): Locking packages to remove failed");
            return false;
        }
    }

    mProcessLogicState->Begin();
    mFinishLogicState->Begin();
    mPrepareOutputState->Begin();
    mCullOutputState->Begin();
    mLogicGoEvent->Signal();
    if (mIsFirstFrame)
        return true;

    mStatistics->StartTimer(Statistics::kRend);
    mDisplayRenderer->Render();
    mAudioRenderer->Render();
    mStatistics->StopTimer(Statistics::kRend);
    mScreenshotControl->Process();
    return true;
}

Bool Engine::EndFrame()
{
    if (!IsCallerThread()) {
        Debug::Trace("Core::Engine::EndFrame(): Illegal caller thread");
        return false;
    }
    if (mRoot == nullptr) {
        Debug::Trace("Core::Engine::EndFrame(): Engine is not started");
        return false;
    }
    // An ended logic thread signalled done on its way out; a further wait would never return.
    if (mIsLogicThreadRunning.load())
        mLogicDoneEvent->Wait();
    mStatistics->Smooth();
    mCullOutputState->End();
    mPrepareOutputState->End();
    mFinishLogicState->End();
    mProcessLogicState->End();
    if (!mDeviceHandler->GetDisplayInterface()->DeactivateRenderContext()) {
        Debug::Trace("Core::Engine::EndFrame(): Failed to deactivate render context");
        return false;
    }
    if (mIsFirstFrame) {
        mIsFirstFrame = false;
    } else if (mLogicThread->GetNumberOfSteps() > 0) {
        if (!mLoader->AddPackagesToInitialize()) {
            Debug::Trace("Core::Engine::EndFrame(): Adding packages to initialize failed");
            return false;
        }
        if (!mLoader->RemovePackagesToDeInitialize()) {
            Debug::Trace("Core::Engine::EndFrame(): Removing packages to deinitialize failed");
            return false;
        }
    }
    DrawStatistics();
    return mIsLogicThreadRunning.load() && mIsLoaderThreadRunning.load();
}

Bool Engine::CheckRunStateCall(const char* method, Bool alreadyThere, Bool& done) const
{
    if (!mIsInitialized) {
        Debug::Trace("Core::Engine::%s(): Engine is not initialized", method);
        return false;
    }
    if (!mIsStarted) {
        Debug::Trace("Core::Engine::%s(): Engine is not started", method);
        return false;
    }
    done = alreadyThere;
    if (!done && !IsCallerThread()) {
        Debug::Trace("Core::Engine::%s(): Illegal caller thread", method);
        return false;
    }
    return true;
}

Bool Engine::Pause()
{
    Bool done = false;
    if (!CheckRunStateCall("Pause", mIsPaused, done))
        return false;
    if (done)
        return true;
    mClock->Pause();
    SetRunState(kPaused);
    BroadcastRunState(kPaused, kRunning);
    mIsPaused = true;
    return true;
}

Bool Engine::Continue()
{
    Bool done = false;
    if (!CheckRunStateCall("Continue", !mIsPaused, done))
        return false;
    if (done)
        return true;
    BroadcastRunState(kRunning, kPaused);
    SetRunState(kRunning);
    mClock->Continue();
    mIsPaused = false;
    return true;
}

void Engine::WaitForLoaderThread()
{
    while (mIsLoaderThreadRunning.load())
        mDisplayRenderer->ProcessQueues(System::Time(0, 5000000));
}

void Engine::StopLoaderThread()
{
    mLoaderThread->Stop();
    mLoader->Wake();
    WaitForLoaderThread();
    mLoaderThread->Join();
    mIsLoaderThreadRunning.store(false);
}

Bool Engine::Suspend()
{
    Bool done = false;
    if (!CheckRunStateCall("Suspend", mIsSuspended, done))
        return false;
    if (done)
        return true;
    mClock->Pause();
    SetRunState(kSuspended);
    BroadcastRunState(kSuspended, kRunning);
    if (!mConfiguration->GetReleaseOnSuspend()) {
        mIsSuspendedLight = true;
        mIsSuspended = true;
        return true;
    }

    IDisplayInterface* display = mDeviceHandler->GetDisplayInterface();
    if (!display->ActivateRenderContext()) {
        Debug::Trace("Core::Engine::Suspend(): Failed to activate render context");
        return false;
    }
    if (!mLoader->LockPackagesToRemove()) {
        Debug::Trace("Core::Engine::Suspend(): Locking packages to remove failed");
        return false;
    }
    if (!mLoader->RemovePackagesToDeInitialize()) {
        Debug::Trace("Core::Engine::Suspend(): Removing packages to deinitialize failed");
        return false;
    }
    if (!mLoader->Suspend()) {
        Debug::Trace("Core::Engine::Suspend(): Failed to suspend loader");
        return false;
    }
    StopLoaderThread();
    if (!mLoader->UnlockInitializedPackages()) {
        Debug::Trace("Core::Engine::Suspend(): Unlocking initialized packages failed");
        return false;
    }
    if (!mRoot->Suspend(mDeInitState.get()))
        Debug::Trace("Core::Engine::Suspend(): Failed to suspend root");
    if (!display->DeactivateRenderContext()) {
        Debug::Trace("Core::Engine::Suspend(): Failed to deactivate render context");
        return false;
    }
    mIsSuspended = true;
    return true;
}

Bool Engine::Resume()
{
    Bool done = false;
    if (!CheckRunStateCall("Resume", !mIsSuspended, done))
        return false;
    if (done)
        return true;
    SetRunState(kRunning);
    if (mIsSuspendedLight) {
        mIsSuspendedLight = false;
    } else {
        IDisplayInterface* display = mDeviceHandler->GetDisplayInterface();
        if (!display->ActivateRenderContext()) {
            Debug::Trace("Core::Engine::Resume(): Failed to activate render context");
            return false;
        }
        if (!mRoot->Resume(mInitState.get()))
            Debug::Trace("Core::Engine::Resume(): Failed to resume root");
        mIsLoaderThreadRunning.store(true);
        if (!mLoaderThread->Start())
            mIsLoaderThreadRunning.store(false);
        if (!mLoader->Resume()) {
            Debug::Trace("Core::Engine::Resume(): Failed to resume loader");
            return false;
        }
        if (!display->DeactivateRenderContext()) {
            Debug::Trace("Core::Engine::Resume(): Failed to deactivate render context");
            return false;
        }
    }
    BroadcastRunState(kRunning, kSuspended);
    mClock->Continue();
    mIsSuspended = false;
    return true;
}

Bool Engine::Stop(IApp* app)
{
    if (!mIsInitialized) {
        Debug::Trace("Core::Engine::Stop(): Engine is not initialized");
        return false;
    }
    // Nothing to take down unless Start got as far as the root (also when it failed later).
    if (mRoot == nullptr)
        return true;
    Bool stopped = true;
    mIsStarted = false;
    mClock->Stop();
    if (!mDeviceHandler->GetDisplayInterface()->ActivateRenderContext()) {
        Debug::Trace("Core::Engine::Stop(): Failed to activate display render context");
        stopped = false;
    }
    IAudioInterface* audio = mDeviceHandler->GetAudioInterface();
    if (audio != nullptr && !audio->ActivateRenderContext()) {
        Debug::Trace("Core::Engine::Stop(): Failed to activate audio render context");
        stopped = false;
    }
    mStatistics->ReleaseNodes();

    // A thread still running is stopped whatever failed before: it must not outlive the root.
    mLogicThread->Stop();
    mLogicGoEvent->Signal();
    mLogicThread->Join();
    mIsLogicThreadRunning.store(false);
    StopLoaderThread();

    if (!mLoader->UnloadAllPackages())
        stopped = false;
    DeInitApp(app);
    if (!mRoot->DeInit(mDeInitState.get())) {
        Debug::Trace("Core::Engine::Run(): DeInit() of root failed");
        stopped = false;
    }

    SetRootOfStates(nullptr);
    mLogicState->SetGraphRoot(nullptr);
    delete mRoot;
    mRoot = nullptr;
    Graph::Factory::DestroyGraph(mRootNode);
    mRootNode = nullptr;
    mLogicThread.reset();
    mLoaderThread.reset();
    mDisplayRenderer->Stop();
    mAudioRenderer->Stop();
    mCallerThreadId = 0;
    return stopped;
}

} // namespace Core
} // namespace Vorn
