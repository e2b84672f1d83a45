// The one engine object. It creates and owns every engine service, starts the logic thread and
// the loader thread, hands the game its logic factory and loader, and runs the frame protocol in
// which the main thread draws frame N while the logic thread computes frame N+1. The platform
// drives it on its main thread through IEngine.
#pragma once

#include <atomic>
#include <memory>

#include "core/engine.h"
#include "foundation/event.h"
#include "foundation/time.h"
#include "foundation/types.h"

namespace Vorn {

namespace Audio {
class Factory;
class IRenderer;
} // namespace Audio

namespace Display {
class Factory;
class IRenderer;
} // namespace Display

namespace Graph {
class ConfigChangedState;
class CullOutputState;
class DeInitState;
class EnqueueOutputState;
class Factory;
class FinishLogicState;
class INode;
class InitState;
class PrepareOutputState;
class ProcessLogicState;
class Root;
} // namespace Graph

namespace Logic {
class Factory;
class IDeviceHandler;
class IEngineState;
} // namespace Logic

namespace Physics {
class Factory;
class ISimulator;
} // namespace Physics

namespace Resource {
class Collection;
class Factory;
} // namespace Resource

namespace Core {

class Clock;
class Loader;
class LoaderThread;
class LogicThread;
class ScreenshotControl;
class Statistics;

class Engine : public IEngine
{
public:
    // The steps of Init, in order; a test may fail any of them.
    enum InitStep
    {
        kResourceFactory,
        kResourceCollection,
        kPhysicsFactory,
        kPhysicsSimulator,
        kDisplayFactory,
        kDisplayRenderer,
        kAudioFactory,
        kAudioRenderer,
        kGraphFactory,
        kInitState,
        kDeInitState,
        kConfigChangedState,
        kProcessLogicState,
        kFinishLogicState,
        kPrepareOutputState,
        kCullOutputState,
        kEnqueueOutputState,
        kScreenshotControl,
        kLoader,
        kLogicFactory,
        kLogicDeviceHandler,
        kLogicState,
        kNumberOfInitSteps
    };

    // Where the clock reads the current time; null reads the system clock. Tests give their own.
    typedef System::Time (*TimeSource)();
    explicit Engine(TimeSource timeSource = nullptr);
    // Only frees the object: its owner calls Stop and DeInit first.
    ~Engine() override;

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    Bool Init(IConfiguration* configuration, IDeviceHandler* deviceHandler) override;
    // Also takes down what a failed Init left.
    Bool DeInit() override;
    Bool Start(IApp* app) override;
    // Joins both threads and destroys the root even when a step on the way fails.
    Bool Stop(IApp* app) override;
    Bool Pause() override;
    Bool Continue() override;
    Bool Suspend() override;
    Bool Resume() override;
    Bool BeginFrame() override;
    Bool EndFrame() override;

    // For tests and the threads.
    Loader* GetLoader() { return mLoader.get(); }
    Statistics* GetStatistics() { return mStatistics.get(); }
    Clock* GetClock() { return mClock.get(); }
    Graph::Root* GetRoot() { return mRoot; }
    Logic::IEngineState* GetLogicState() { return mLogicState; }
    Display::IRenderer* GetDisplayRenderer() { return mDisplayRenderer; }
    Bool IsLogicThreadRunning() const { return mIsLogicThreadRunning.load(); }
    Bool IsLoaderThreadRunning() const { return mIsLoaderThreadRunning.load(); }

    // Called by each thread as its loop ends.
    void OnLogicThreadEnded() { mIsLogicThreadRunning.store(false); }
    void OnLoaderThreadEnded() { mIsLoaderThreadRunning.store(false); }

protected:
    // Makes the service of one step; false when it cannot be made or its Init fails.
    virtual Bool RunInitStep(UInt32 step);

private:
    friend class LogicThread;

    Bool CheckConfig();
    Bool InitApp(IApp* app);
    void DeInitApp(IApp* app);
    Bool InitSystemStatistics();
    Bool DrawStatistics();
    // The frame and run-state operations may run only on the thread that called Start, unless
    // both platform interfaces or the configuration allow any thread.
    Bool IsCallerThread() const;
    // The checks of the run-state operations: false (logged under the method's name) when the
    // engine is not initialised or started or the caller thread is refused; done when the engine
    // already is where the call would take it.
    Bool CheckRunStateCall(const char* method, Bool alreadyThere, Bool& done) const;
    // Serves the display renderer's requests until the loader thread has ended.
    void WaitForLoaderThread();
    // Clears the loader thread's running flag, wakes it and joins it.
    void StopLoaderThread();
    void SetConfigStamps();
    void SetRunState(UInt32 state);
    Bool BroadcastRunState(UInt32 newState, UInt32 previousState);
    // The states, front to back or back to front.
    void SetRootOfStates(Graph::Root* root);

    TimeSource mTimeSource;
    IConfiguration* mConfiguration;
    IDeviceHandler* mDeviceHandler;
    std::unique_ptr<Statistics> mStatistics;
    std::unique_ptr<Clock> mClock;
    std::unique_ptr<Resource::Factory> mResourceFactory;
    Resource::Collection* mResourceCollection;
    std::unique_ptr<Physics::Factory> mPhysicsFactory;
    Physics::ISimulator* mPhysicsSimulator;
    std::unique_ptr<Display::Factory> mDisplayFactory;
    Display::IRenderer* mDisplayRenderer;
    std::unique_ptr<Audio::Factory> mAudioFactory;
    Audio::IRenderer* mAudioRenderer;
    std::unique_ptr<Graph::Factory> mGraphFactory;
    std::unique_ptr<Graph::InitState> mInitState;
    std::unique_ptr<Graph::DeInitState> mDeInitState;
    std::unique_ptr<Graph::ConfigChangedState> mConfigChangedState;
    std::unique_ptr<Graph::ProcessLogicState> mProcessLogicState;
    std::unique_ptr<Graph::FinishLogicState> mFinishLogicState;
    std::unique_ptr<Graph::PrepareOutputState> mPrepareOutputState;
    std::unique_ptr<Graph::CullOutputState> mCullOutputState;
    std::unique_ptr<Graph::EnqueueOutputState> mEnqueueOutputState;
    std::unique_ptr<ScreenshotControl> mScreenshotControl;
    Bool mScreenshotControlAdded;
    std::unique_ptr<Loader> mLoader;
    std::unique_ptr<Logic::Factory> mLogicFactory;
    Logic::IDeviceHandler* mLogicDeviceHandler;
    Logic::IEngineState* mLogicState;
    std::unique_ptr<System::Event> mLogicGoEvent;
    std::unique_ptr<System::Event> mLogicDoneEvent;

    std::unique_ptr<LogicThread> mLogicThread;
    std::unique_ptr<LoaderThread> mLoaderThread;
    Graph::Root* mRoot;
    Graph::INode* mRootNode;

    UInt32 mConfigStamp;
    UInt64 mCallerThreadId;
    Bool mIsInitialized;
    Bool mIsFirstFrame;
    Bool mIsStarted;
    std::atomic<Bool> mIsLogicThreadRunning;
    std::atomic<Bool> mIsLoaderThreadRunning;
    Bool mIsPaused;
    Bool mIsSuspended;
    Bool mIsSuspendedLight;
};

} // namespace Core
} // namespace Vorn
