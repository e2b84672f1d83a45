#include "logic/factory.h"

#include <new>

#include "logic/logic_device_handler.h"

#include "logic/child_processor.h"
#include "logic/node_observer.h"
#include "logic/stage.h"
#include "logic/stage_processor.h"
#include "logic/stage_timeline.h"
#include "logic/state.h"
#include "logic/stepable.h"
#include "logic/timeframe.h"
#include "logic/timeline.h"
#include "logic/touch_area.h"

namespace Vorn {
namespace Logic {

namespace {

template <typename T>
void Destroy(T*& object)
{
    delete object;
    object = nullptr;
}

} // namespace

Factory::Factory()
{
}

Factory::~Factory()
{
}

Bool Factory::Init()
{
    return true;
}

Bool Factory::DeInit()
{
    return true;
}

IEngineState* Factory::CreateState(IDeviceHandler* deviceHandler, IConfiguration* configuration, ILoader* loader,
                                   IFileInterface* fileInterface)
{
    return new State(deviceHandler, configuration, loader, fileInterface, GetFactory());
}

void Factory::DestroyState(IEngineState*& state)
{
    Destroy(state);
}

IDeviceHandler* Factory::CreateDeviceHandler(Input::IDeviceHandler* input, Output::IDeviceHandler* output)
{
    return new (std::nothrow) DeviceHandler(input, output);
}

void Factory::DestroyDeviceHandler(IDeviceHandler*& deviceHandler)
{
    Destroy(deviceHandler);
}

IFactory* Factory::GetFactory()
{
    return this;
}

IChildProcessor* Factory::CreateProcessor()
{
    return new ChildProcessor();
}

void Factory::DestroyProcessor(IChildProcessor*& processor)
{
    Destroy(processor);
}

IStage* Factory::CreateStage()
{
    return new Stage();
}

void Factory::DestroyStage(IStage*& stage)
{
    Destroy(stage);
}

IStageProcessor* Factory::CreateStageProcessor()
{
    return new StageProcessor();
}

void Factory::DestroyStageProcessor(IStageProcessor*& stageProcessor)
{
    Destroy(stageProcessor);
}

IStageTimeline* Factory::CreateStageTimeline()
{
    return new StageTimeline();
}

void Factory::DestroyStageTimeline(IStageTimeline*& stageTimeline)
{
    Destroy(stageTimeline);
}

IStepableObserver* Factory::CreateStepableObserver()
{
    return new StepableObserver();
}

void Factory::DestroyStepableObserver(IStepableObserver*& observer)
{
    Destroy(observer);
}

ITouchArea* Factory::CreateTouchArea()
{
    return new TouchArea();
}

void Factory::DestroyTouchArea(ITouchArea*& touchArea)
{
    Destroy(touchArea);
}

ITimeframe* Factory::CreateTimeframe()
{
    return new Timeframe();
}

void Factory::DestroyTimeframe(ITimeframe*& timeframe)
{
    Destroy(timeframe);
}

ITimeline* Factory::CreateTimeline()
{
    return new Timeline();
}

void Factory::DestroyTimeline(ITimeline*& timeline)
{
    Destroy(timeline);
}

INodeObserver* Factory::CreateNodeObserver()
{
    return new NodeObserver();
}

void Factory::DestroyNodeObserver(INodeObserver*& observer)
{
    Destroy(observer);
}

} // namespace Logic
} // namespace Vorn
