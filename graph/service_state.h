// The DeInit and ConfigChanged states: the engine services, the frame count and a counter.
// They differ only in Begin: the ConfigChanged state's counter counts per pass, the DeInit
// state's counts for the engine's life. The Init state adds its stacks to the DeInit state's
// shape (graph/init_state.h).
#pragma once

#include "graph/traversal_state_base.h"

namespace Vorn {
namespace Graph {

// The engine services that the Init, DeInit and ConfigChanged states hand out; none is owned.
struct EngineServices
{
    IConfiguration* mConfiguration = nullptr;
    Factory* mFactory = nullptr;
    Input::ITouchableHandler* mInputDeviceHandler = nullptr;
    Output::IDeviceHandler* mOutputDeviceHandler = nullptr;
    Display::IRenderer* mDisplayRenderer = nullptr;
    Audio::IRenderer* mAudioRenderer = nullptr;
    Physics::ISimulator* mPhysicsSimulator = nullptr;
    Resource::ICollection* mResourceCollection = nullptr;
};

template <typename Interface, Bool ResetCounterOnBegin>
class ServiceStateT : public TraversalStateT<Interface>
{
public:
    ServiceStateT(IConfiguration* configuration, Factory* factory, Input::ITouchableHandler* inputDeviceHandler,
                  Output::IDeviceHandler* outputDeviceHandler, Display::IRenderer* displayRenderer,
                  Audio::IRenderer* audioRenderer, Physics::ISimulator* physicsSimulator,
                  Resource::ICollection* resourceCollection)
        : mServices{configuration, factory, inputDeviceHandler, outputDeviceHandler, displayRenderer,
                    audioRenderer, physicsSimulator, resourceCollection}
    {
    }

    Bool Init(IClock* clock) override
    {
        this->mClock = clock;
        return true;
    }
    Bool DeInit() override { return true; }

    void Begin() override
    {
        this->mFrame.CopyFrom(this->mClock);
        if (ResetCounterOnBegin)
            this->mCounter = 0;
    }

    IConfiguration* GetConfiguration() override { return mServices.mConfiguration; }
    Factory* GetFactory() override { return mServices.mFactory; }
    Input::ITouchableHandler* GetInputDeviceHandler() override { return mServices.mInputDeviceHandler; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return mServices.mOutputDeviceHandler; }
    Display::IRenderer* GetDisplayRenderer() override { return mServices.mDisplayRenderer; }
    Audio::IRenderer* GetAudioRenderer() override { return mServices.mAudioRenderer; }
    Physics::ISimulator* GetPhysicsSimulator() override { return mServices.mPhysicsSimulator; }
    Resource::ICollection* GetResourceCollection() override { return mServices.mResourceCollection; }

private:
    EngineServices mServices;
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
