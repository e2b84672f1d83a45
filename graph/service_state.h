// The DeInit and ConfigChanged states: the engine services, the frame count and a counter.
// They differ only in Begin: the ConfigChanged state's counter counts per pass, the DeInit
// state's counts for the engine's life.
#pragma once

#include "graph/state_stacks.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

template <typename Interface, Bool ResetCounterOnBegin>
class ServiceStateT : public Interface
{
public:
    ServiceStateT(IConfiguration* configuration, Factory* factory, Input::ITouchableHandler* inputDeviceHandler,
                  Output::IDeviceHandler* outputDeviceHandler, Display::IRenderer* displayRenderer,
                  Audio::IRenderer* audioRenderer, Physics::ISimulator* physicsSimulator,
                  Resource::ICollection* resourceCollection)
        : mClock(nullptr), mRoot(nullptr), mCounter(0)
    {
        mServices.mConfiguration = configuration;
        mServices.mFactory = factory;
        mServices.mInputDeviceHandler = inputDeviceHandler;
        mServices.mOutputDeviceHandler = outputDeviceHandler;
        mServices.mDisplayRenderer = displayRenderer;
        mServices.mAudioRenderer = audioRenderer;
        mServices.mPhysicsSimulator = physicsSimulator;
        mServices.mResourceCollection = resourceCollection;
    }

    Bool Init(IClock* clock) override
    {
        mClock = clock;
        return true;
    }
    Bool DeInit() override { return true; }
    void SetRoot(IRoot* root) override { mRoot = root; }
    IRoot* GetRoot() override { return mRoot; }

    void Begin() override
    {
        mFrame.CopyFrom(mClock);
        if (ResetCounterOnBegin)
            mCounter = 0;
    }
    void End() override {}
    UInt32 GetFrameCount() const override { return mFrame.mFrameCount; }

    IConfiguration* GetConfiguration() override { return mServices.mConfiguration; }
    Factory* GetFactory() override { return mServices.mFactory; }
    Input::ITouchableHandler* GetInputDeviceHandler() override { return mServices.mInputDeviceHandler; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return mServices.mOutputDeviceHandler; }
    Display::IRenderer* GetDisplayRenderer() override { return mServices.mDisplayRenderer; }
    Audio::IRenderer* GetAudioRenderer() override { return mServices.mAudioRenderer; }
    Physics::ISimulator* GetPhysicsSimulator() override { return mServices.mPhysicsSimulator; }
    Resource::ICollection* GetResourceCollection() override { return mServices.mResourceCollection; }

    void ResetCounter() override { mCounter = 0; }
    void IncrementCounter() override { ++mCounter; }
    UInt32 GetCounter() const override { return mCounter; }

private:
    IClock* mClock;
    IRoot* mRoot;
    EngineServices mServices;
    FrameValues mFrame;
    UInt32 mCounter;
};

// DeInit and Suspend passes.
class DeInitState : public ServiceStateT<IDeInitState, false>
{
public:
    using ServiceStateT::ServiceStateT;
};

// ConfigChanged pass.
class ConfigChangedState : public ServiceStateT<IConfigChangedState, true>
{
public:
    using ServiceStateT::ServiceStateT;
};

} // namespace Graph
} // namespace Vorn
