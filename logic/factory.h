// The logic factory: the one maker and destroyer of logic objects. The engine uses its
// IEngineFactory view for the logic state; the game gets its IFactory view (through InitApp and
// every state's GetFactory) for processors, stages, timelines and the rest. Every Destroy takes
// the pointer by reference, destroys a non-null object and sets the pointer to null.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IFileInterface;
class ILoader;

namespace Input {
class IDeviceHandler;
}

namespace Output {
class IDeviceHandler;
}

namespace Logic {

class IChildProcessor;
class IDeviceHandler;
class IEngineState;
class INodeObserver;
class IStage;
class IStageProcessor;
class IStageTimeline;
class IStepableObserver;
class ITimeframe;
class ITimeline;
class ITouchArea;

class IFactory
{
public:
    virtual IChildProcessor* CreateProcessor() = 0;
    virtual void DestroyProcessor(IChildProcessor*& processor) = 0;
    virtual IStage* CreateStage() = 0;
    virtual void DestroyStage(IStage*& stage) = 0;
    virtual IStageProcessor* CreateStageProcessor() = 0;
    virtual void DestroyStageProcessor(IStageProcessor*& stageProcessor) = 0;
    virtual IStageTimeline* CreateStageTimeline() = 0;
    virtual void DestroyStageTimeline(IStageTimeline*& stageTimeline) = 0;
    virtual IStepableObserver* CreateStepableObserver() = 0;
    virtual void DestroyStepableObserver(IStepableObserver*& observer) = 0;
    virtual ITouchArea* CreateTouchArea() = 0;
    virtual void DestroyTouchArea(ITouchArea*& touchArea) = 0;
    virtual ITimeframe* CreateTimeframe() = 0;
    virtual void DestroyTimeframe(ITimeframe*& timeframe) = 0;
    virtual ITimeline* CreateTimeline() = 0;
    virtual void DestroyTimeline(ITimeline*& timeline) = 0;
    virtual INodeObserver* CreateNodeObserver() = 0;
    virtual void DestroyNodeObserver(INodeObserver*& observer) = 0;
    virtual ~IFactory() {}
};

class IEngineFactory
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    // The state holds the four services and this factory's IFactory view, none owned.
    virtual IEngineState* CreateState(IDeviceHandler* deviceHandler, IConfiguration* configuration, ILoader* loader,
                                      IFileInterface* fileInterface) = 0;
    virtual void DestroyState(IEngineState*& state) = 0;
    // The devices as the logic sees them, over the engine's input and output device handlers;
    // not yet initialised.
    virtual IDeviceHandler* CreateDeviceHandler(Input::IDeviceHandler* input, Output::IDeviceHandler* output) = 0;
    virtual void DestroyDeviceHandler(IDeviceHandler*& deviceHandler) = 0;
    virtual IFactory* GetFactory() = 0;
    virtual ~IEngineFactory() {}
};

// Owns nothing: whoever calls a Create owns the object until the matching Destroy.
class Factory : public IEngineFactory, public IFactory
{
public:
    Factory();
    ~Factory() override;

    Bool Init() override;
    Bool DeInit() override;
    IEngineState* CreateState(IDeviceHandler* deviceHandler, IConfiguration* configuration, ILoader* loader,
                              IFileInterface* fileInterface) override;
    void DestroyState(IEngineState*& state) override;
    IDeviceHandler* CreateDeviceHandler(Input::IDeviceHandler* input, Output::IDeviceHandler* output) override;
    void DestroyDeviceHandler(IDeviceHandler*& deviceHandler) override;
    IFactory* GetFactory() override;

    IChildProcessor* CreateProcessor() override;
    void DestroyProcessor(IChildProcessor*& processor) override;
    IStage* CreateStage() override;
    void DestroyStage(IStage*& stage) override;
    IStageProcessor* CreateStageProcessor() override;
    void DestroyStageProcessor(IStageProcessor*& stageProcessor) override;
    IStageTimeline* CreateStageTimeline() override;
    void DestroyStageTimeline(IStageTimeline*& stageTimeline) override;
    IStepableObserver* CreateStepableObserver() override;
    void DestroyStepableObserver(IStepableObserver*& observer) override;
    ITouchArea* CreateTouchArea() override;
    void DestroyTouchArea(ITouchArea*& touchArea) override;
    ITimeframe* CreateTimeframe() override;
    void DestroyTimeframe(ITimeframe*& timeframe) override;
    ITimeline* CreateTimeline() override;
    void DestroyTimeline(ITimeline*& timeline) override;
    INodeObserver* CreateNodeObserver() override;
    void DestroyNodeObserver(INodeObserver*& observer) override;

private:
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;
};

} // namespace Logic
} // namespace Vorn
