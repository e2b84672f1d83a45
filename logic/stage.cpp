#include "logic/stage.h"

#include "logic/factory.h"
#include "logic/stage_timeline.h"
#include "logic/state.h"

namespace Vorn {
namespace Logic {

Stage::Stage()
    : mAppStage(nullptr), mRunState(kIdle), mStepOrder(0), mStageTimeline(nullptr), mOwnStageTimeline(nullptr)
{
}

Stage::~Stage()
{
    DestroyOwnStageTimeline();
}

IChildProcessor* Stage::GetProcessor()
{
    return this;
}

void Stage::SetStepOrder(SInt32 order)
{
    mStepOrder = order;
}

SInt32 Stage::GetStepOrder() const
{
    return mStepOrder;
}

Bool Stage::SetAppStage(IAppStage* app)
{
    mAppStage = app;
    return true;
}

void Stage::SetName(const String& name)
{
    mName = name;
}

const String& Stage::GetName() const
{
    return mName;
}

void Stage::SetSwitchChildName(const String& name)
{
    mSwitchChildName = name;
}

const String& Stage::GetSwitchChildName() const
{
    return mSwitchChildName;
}

void Stage::SetRunState(SInt32 runState)
{
    mRunState = runState;
}

Bool Stage::IsRunState(SInt32 runState) const
{
    return mRunState == runState;
}

SInt32 Stage::GetRunState() const
{
    return mRunState;
}

Bool Stage::RequestStart()
{
    if (mRunState != kIdle)
        return false;
    mRunState = kStartRequested;
    return true;
}

Bool Stage::RequestStop()
{
    if (mRunState == kIdle)
        return false;
    mRunState = kStopRequested;
    return true;
}

Bool Stage::ResetRunState()
{
    if (mRunState == kIdle)
        return false;
    mRunState = kIdle;
    return true;
}

Bool Stage::IsIdle() const
{
    return mRunState == kIdle;
}

Bool Stage::CreateStageTimeline(IState* state, const String& timelineNodeId, Real introEnd, Real outroEnd)
{
    if (state == nullptr)
        return false;
    DestroyOwnStageTimeline();
    StageTimeline* stageTimeline = new StageTimeline();
    if (!stageTimeline->Init(state->GetGraphRoot(), timelineNodeId)) {
        delete stageTimeline;
        return false;
    }
    stageTimeline->SetIntroTimes(0.0f, introEnd);
    stageTimeline->SetOutroTimes(introEnd, outroEnd);
    mOwnStageTimeline = stageTimeline;
    mStageTimeline = stageTimeline;
    return true;
}

Bool Stage::SetStageTimeline(IStageTimeline* stageTimeline)
{
    if (stageTimeline == nullptr)
        return false;
    DestroyOwnStageTimeline();
    mStageTimeline = stageTimeline;
    return true;
}

IStageTimeline* Stage::GetStageTimeline() const
{
    return mStageTimeline;
}

Bool Stage::Init(IState* state, IStageProcessor* stageProcessor)
{
    if (mAppStage != nullptr && !mAppStage->OnInit(state, stageProcessor))
        return false;
    return ChildProcessor::Init(state);
}

Bool Stage::DeInit(IState* state, IStageProcessor* stageProcessor)
{
    DestroyOwnStageTimeline();
    mStageTimeline = nullptr;
    Bool result = ChildProcessor::DeInit(state);
    if (mAppStage != nullptr && !mAppStage->OnDeInit(state, stageProcessor))
        result = false;
    return result;
}

void Stage::Step(IState* state, IStageProcessor* stageProcessor)
{
    if (!mEnabled)
        return;
    if (mStepOrder == 0)
        ProcessRunState(state, stageProcessor);
    StepSelf(state);
    if (mStepOrder == 1)
        ProcessRunState(state, stageProcessor);
    StepChildren(state);
    if (mStepOrder == 2)
        ProcessRunState(state, stageProcessor);
}

void Stage::Animate(IState* state, IStageProcessor* stageProcessor)
{
    if (!mEnabled)
        return;
    if (mStepOrder == 0)
        ProcessAnimate(state, stageProcessor);
    ChildProcessor::AnimateSelf(state);
    if (mStepOrder == 1)
        ProcessAnimate(state, stageProcessor);
    AnimateChildren(state);
    if (mStepOrder == 2)
        ProcessAnimate(state, stageProcessor);
}

void Stage::ProcessRunState(IState* state, IStageProcessor* stageProcessor)
{
    if (mAppStage == nullptr)
        return;
    mAppStage->OnStageStep(state, stageProcessor);
    switch (mRunState) {
    case kIdle:
        mAppStage->OnStageIdle(state, stageProcessor);
        break;
    case kStartRequested:
        mAppStage->OnStageStart(state, stageProcessor);
        break;
    case kStarting:
        mAppStage->OnStageStarting(state, stageProcessor);
        break;
    case kStarted:
        mAppStage->OnStageStarted(state, stageProcessor);
        break;
    case kRunning:
        mAppStage->OnStageRunning(state, stageProcessor);
        break;
    case kStopRequested:
        mAppStage->OnStageStop(state, stageProcessor);
        break;
    case kStopping:
        mAppStage->OnStageStopping(state, stageProcessor);
        break;
    default:
        break;
    }
}

void Stage::ProcessAnimate(IState* state, IStageProcessor* stageProcessor)
{
    if (mAppStage != nullptr)
        mAppStage->OnStageAnimate(state, stageProcessor);
}

void Stage::DestroyOwnStageTimeline()
{
    if (mOwnStageTimeline == nullptr)
        return;
    mOwnStageTimeline->DeInit();
    if (mStageTimeline == mOwnStageTimeline)
        mStageTimeline = nullptr;
    delete mOwnStageTimeline;
    mOwnStageTimeline = nullptr;
}

BaseStage::BaseStage(IFactory* factory, const String& name, const String& switchChildName) : mStage(nullptr)
{
    if (factory != nullptr)
        mStage = factory->CreateStage();
    if (mStage == nullptr)
        return;
    SetProcessor(mStage->GetProcessor());
    mStage->SetAppStage(this);
    mStage->SetName(name);
    mStage->SetSwitchChildName(switchChildName);
}

BaseStage::~BaseStage()
{
    delete mStage;
}

Bool BaseStage::OnInit(IState*, IStageProcessor*)
{
    return true;
}

Bool BaseStage::OnDeInit(IState*, IStageProcessor*)
{
    return true;
}

void BaseStage::OnStageStart(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageStarting(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageStarted(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageRunning(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageStop(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageStopping(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageIdle(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageStep(IState*, IStageProcessor*)
{
}

void BaseStage::OnStageAnimate(IState*, IStageProcessor*)
{
}

} // namespace Logic
} // namespace Vorn
