#include "logic/stage_processor.h"

#include "foundation/debug.h"
#include "graph/switch.h"
#include "logic/factory.h"
#include "logic/stage.h"
#include "logic/stage_timeline.h"
#include "logic/state.h"

namespace Vorn {
namespace Logic {

StageProcessor::StageProcessor()
{
}

StageProcessor::~StageProcessor()
{
}

IChildProcessor* StageProcessor::GetProcessor()
{
    return this;
}

Bool StageProcessor::AddStage(IStage* stage)
{
    if (stage == nullptr || mStages.Find(stage) >= 0)
        return false;
    mStages.Add(stage);
    return true;
}

Bool StageProcessor::RemoveStage(IStage* stage)
{
    const SInt32 position = mStages.Find(stage);
    if (position < 0)
        return false;
    mStages.RemoveAt(position);
    return true;
}

Bool StageProcessor::InitStage(IState* state, IStage* stage)
{
    if (stage == nullptr)
        return false;
    stage->Init(state, this);
    return AddStage(stage);
}

Bool StageProcessor::DeInitStage(IState* state, IStage* stage)
{
    if (stage == nullptr)
        return false;
    const Bool removed = RemoveStage(stage);
    const Bool deInitialized = stage->DeInit(state, this);
    return removed && deInitialized;
}

void StageProcessor::SetSwitchNodeName(const String& name)
{
    mSwitchNodeName = name;
}

const String& StageProcessor::GetSwitchNodeName() const
{
    return mSwitchNodeName;
}

IStage* StageProcessor::GetStage(const String& name) const
{
    for (IStage* stage : mStages) {
        if (stage->GetName() == name)
            return stage;
    }
    Debug::Trace("Logic::StageProcessor::GetStage(): \"%s\" Stage object not found", name.GetText());
    return nullptr;
}

Bool StageProcessor::IsStageTimelineRunning() const
{
    for (IStage* stage : mStages) {
        IStageTimeline* stageTimeline = stage->GetStageTimeline();
        if (stageTimeline != nullptr && stageTimeline->IsRunning())
            return true;
    }
    return false;
}

IStage* StageProcessor::RequestStart(const String& name) const
{
    IStage* stage = GetStage(name);
    if (stage != nullptr)
        stage->RequestStart();
    return stage;
}

IStage* StageProcessor::RequestStop(const String& name) const
{
    IStage* stage = GetStage(name);
    if (stage != nullptr)
        stage->RequestStop();
    return stage;
}

Bool StageProcessor::StartStage(const String& name, Real introBegin, Real introEnd)
{
    IStage* stage = RequestStart(name);
    IStageTimeline* stageTimeline = stage != nullptr ? stage->GetStageTimeline() : nullptr;
    if (stageTimeline == nullptr)
        return false;
    stageTimeline->SetIntroTimes(introBegin, introEnd);
    return true;
}

Bool StageProcessor::StartStage(const String& name, Real introBegin)
{
    IStage* stage = RequestStart(name);
    IStageTimeline* stageTimeline = stage != nullptr ? stage->GetStageTimeline() : nullptr;
    if (stageTimeline == nullptr)
        return false;
    stageTimeline->SetIntroBegin(introBegin);
    return true;
}

Bool StageProcessor::StartStage(const String& name)
{
    return RequestStart(name) != nullptr;
}

Bool StageProcessor::StopStage(const String& name, Real outroBegin, Real outroEnd)
{
    IStage* stage = RequestStop(name);
    IStageTimeline* stageTimeline = stage != nullptr ? stage->GetStageTimeline() : nullptr;
    if (stageTimeline == nullptr)
        return false;
    stageTimeline->SetOutroTimes(outroBegin, outroEnd);
    return true;
}

Bool StageProcessor::StopStage(const String& name, Real outroEnd)
{
    IStage* stage = RequestStop(name);
    IStageTimeline* stageTimeline = stage != nullptr ? stage->GetStageTimeline() : nullptr;
    if (stageTimeline == nullptr)
        return false;
    stageTimeline->SetOutroEnd(outroEnd);
    return true;
}

Bool StageProcessor::StopStage(const String& name)
{
    return RequestStop(name) != nullptr;
}

Bool StageProcessor::InitSelf(IState* state)
{
    if (!ChildProcessor::InitSelf(state))
        return false;
    if (!mSwitchNodeName.IsEmpty()) {
        if (!mSwitchNode.GetReference(state->GetGraphRoot(), mSwitchNodeName)->IsValid()) {
            Debug::Trace("Logic::StageProcessor::InitSelf(): Switch node \"%s\" not found", mSwitchNodeName.GetText());
            return false;
        }
    }
    for (IStage* stage : mStages) {
        if (!stage->Init(state, this))
            return false;
    }
    return true;
}

Bool StageProcessor::DeInitSelf(IState* state)
{
    Bool result = true;
    for (IStage* stage : mStages) {
        if (!stage->DeInit(state, this))
            result = false;
    }
    if (!mSwitchNode.Remove())
        result = false;
    if (!ChildProcessor::DeInitSelf(state))
        return false;
    return result;
}

void StageProcessor::StepSelf(IState* state)
{
    ChildProcessor::StepSelf(state);
    // By index: a stage's callbacks may add or remove stages.
    for (SInt32 i = 0; i < mStages.GetCount(); ++i)
        StepStage(state, mStages[i]);
}

namespace {

// The timed transitions need a stage timeline that no longer runs.
Bool IsTimelineDone(IStage* stage)
{
    IStageTimeline* stageTimeline = stage->GetStageTimeline();
    return stageTimeline != nullptr && !stageTimeline->IsRunning();
}

} // namespace

void StageProcessor::StepStage(IState* state, IStage* stage)
{
    // The stage timeline is asked for afresh after each step: a callback may replace it.
    switch (stage->GetRunState()) {
    case IStage::kStartRequested: {
        const String& child = stage->GetSwitchChildName();
        if (mSwitchNode.IsValid() && !child.IsEmpty() && !mSwitchNode.Get()->SetSelectedChildId(child)) {
            Debug::Trace("Logic::StageProcessor::StepSelf(): Stage \"%s\" Switch child \"%s\" not found",
                         stage->GetName().GetText(), child.GetText());
        }
        if (stage->GetStageTimeline() != nullptr)
            stage->GetStageTimeline()->PlayIntro();
        stage->Step(state, this);
        if (stage->IsRunState(IStage::kStartRequested))
            stage->SetRunState(IStage::kStarting);
        break;
    }
    case IStage::kStarting:
        stage->Step(state, this);
        if (IsTimelineDone(stage) && stage->IsRunState(IStage::kStarting))
            stage->SetRunState(IStage::kStarted);
        break;
    case IStage::kStarted:
        stage->Step(state, this);
        if (stage->IsRunState(IStage::kStarted))
            stage->SetRunState(IStage::kRunning);
        break;
    case IStage::kRunning:
        stage->Step(state, this);
        break;
    case IStage::kStopRequested:
        if (stage->GetStageTimeline() != nullptr)
            stage->GetStageTimeline()->PlayOutro();
        stage->Step(state, this);
        if (stage->IsRunState(IStage::kStopRequested))
            stage->SetRunState(IStage::kStopping);
        break;
    case IStage::kStopping:
        stage->Step(state, this);
        if (IsTimelineDone(stage) && stage->IsRunState(IStage::kStopping)) {
            stage->SetRunState(IStage::kIdle);
            // The stage sees OnStageIdle in the step that ends its cycle.
            stage->Step(state, this);
        }
        break;
    default:
        // Idle stages are not stepped.
        break;
    }
}

void StageProcessor::AnimateSelf(IState* state)
{
    ChildProcessor::AnimateSelf(state);
    for (SInt32 i = 0; i < mStages.GetCount(); ++i) {
        if (!mStages[i]->IsIdle())
            mStages[i]->Animate(state, this);
    }
}

BaseStageProcessor::BaseStageProcessor(IFactory* factory) : mStageProcessor(nullptr)
{
    if (factory != nullptr)
        mStageProcessor = factory->CreateStageProcessor();
    if (mStageProcessor != nullptr)
        SetProcessor(mStageProcessor->GetProcessor());
}

BaseStageProcessor::~BaseStageProcessor()
{
    delete mStageProcessor;
}

} // namespace Logic
} // namespace Vorn
