#include "graph/time/timeline.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Timeline::Timeline()
    : mStartTime(0.0f),
      mEndTime(0.0f),
      mNumberOfLoops(0),
      mTimeScale(1.0f),
      mAutoRewind(false),
      mStartOnActivate(false),
      mStopOnDeactivate(false),
      mRunState(kStopped),
      mStopped(false),
      mCurrentTime(0.0),
      mLoopCounter(0),
      mSavedTimelineTime(0.0),
      mSavedTimelineState(0)
{
    AddFlags(kNeedsProcessLogic);
}

Timeline::~Timeline()
{
}

INode* Timeline::Create()
{
    return new (std::nothrow) Timeline();
}

const NodeClassInfo& Timeline::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Timeline"));
    return info;
}

Bool Timeline::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                    Bool* error)
{
    switch (TimelineAttributes::GetTable().FindAttribute(attributes, index)) {
    case TimelineAttributes::kStartTime:
        attributes->GetValue(index, parameters, &mStartTime, error);
        return true;
    case TimelineAttributes::kEndTime:
        attributes->GetValue(index, parameters, &mEndTime, error);
        return true;
    case TimelineAttributes::kNumberOfLoops:
        attributes->GetValue(index, parameters, &mNumberOfLoops, error);
        return true;
    case TimelineAttributes::kTimeScale:
        attributes->GetValue(index, parameters, &mTimeScale, error);
        return true;
    case TimelineAttributes::kAutoRewind:
        attributes->GetValue(index, parameters, &mAutoRewind, error);
        return true;
    case TimelineAttributes::kStartOnActivate:
        attributes->GetValue(index, parameters, &mStartOnActivate, error);
        return true;
    case TimelineAttributes::kStopOnDeactivate:
        attributes->GetValue(index, parameters, &mStopOnDeactivate, error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void Timeline::SetActive(Bool active)
{
    if (active != IsActive()) {
        if (active && mStartOnActivate)
            Start();
        else if (!active && mStopOnDeactivate)
            Stop();
    }
    Node::SetActive(active);
}

void Timeline::Reset()
{
    mRunState = kStopped;
    mStopped = false;
    Rewind();
}

void Timeline::Start(Real startTime, Real endTime)
{
    mStartTime = startTime;
    mEndTime = endTime;
    Rewind();
    Start();
}

void Timeline::Start()
{
    mRunState = kRunning;
    mStopped = false;
}

void Timeline::Pause()
{
    if (mRunState == kRunning)
        mRunState = kPaused;
}

void Timeline::Stop()
{
    if (mRunState != kStopped) {
        mRunState = kStopped;
        mStopped = true;
    }
    if (mAutoRewind)
        Rewind();
}

void Timeline::Rewind()
{
    mCurrentTime = mStartTime;
    mLoopCounter = 0;
}

void Timeline::SetStartTime(Real seconds)
{
    mStartTime = seconds;
}

void Timeline::SetEndTime(Real seconds)
{
    mEndTime = seconds;
}

void Timeline::SetNumberOfLoops(SInt32 loops)
{
    mNumberOfLoops = loops;
}

void Timeline::SetTimeScale(Real scale)
{
    if (scale > 0.0f)
        mTimeScale = scale;
}

void Timeline::SetAutoRewind(Bool autoRewind)
{
    mAutoRewind = autoRewind;
}

void Timeline::SetStartOnActivate(Bool startOnActivate)
{
    mStartOnActivate = startOnActivate;
}

void Timeline::SetStopOnDeactivate(Bool stopOnDeactivate)
{
    mStopOnDeactivate = stopOnDeactivate;
}

Real Timeline::GetStartTime() const
{
    return mStartTime;
}

Real Timeline::GetEndTime() const
{
    return mEndTime;
}

SInt32 Timeline::GetNumberOfLoops() const
{
    return mNumberOfLoops;
}

Real Timeline::GetTimeScale() const
{
    return mTimeScale;
}

Bool Timeline::GetAutoRewind() const
{
    return mAutoRewind;
}

Bool Timeline::GetStartOnActivate() const
{
    return mStartOnActivate;
}

Bool Timeline::GetStopOnDeactivate() const
{
    return mStopOnDeactivate;
}

Bool Timeline::IsRunning() const
{
    return mRunState == kRunning;
}

Bool Timeline::IsPaused() const
{
    return mRunState == kPaused;
}

Bool Timeline::WasStopped() const
{
    return mStopped;
}

Double Timeline::GetCurrentTime() const
{
    return mCurrentTime;
}

Double Timeline::GetRemainingTime() const
{
    return Double(mEndTime) - mCurrentTime;
}

Bool Timeline::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Timeline::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (!(mTimeScale > 0.0f)) {
        Debug::Trace("Graph::Timeline::InitSelf(%s): timeScale must be greater than 0", mId.GetText());
        return false;
    }
    mRunState = kStopped;
    mStopped = false;
    Rewind();
    if (IsActive() && mStartOnActivate)
        Start();
    return true;
}

SInt32 Timeline::Advance(Double seconds)
{
    const Double step = Double(mTimeScale) * seconds;
    const Double end = mEndTime;
    SInt32 direction;
    if (mCurrentTime > end) {
        mCurrentTime -= step;
        direction = kBackwards;
        if (mCurrentTime > end)
            return direction;
    } else {
        mCurrentTime += step;
        direction = kForwards;
        if (mCurrentTime < end)
            return direction;
    }
    // The end is reached: the overshoot is dropped.
    mCurrentTime = mStartTime;
    if (mNumberOfLoops < 0)
        return direction;
    ++mLoopCounter;
    if (mLoopCounter >= mNumberOfLoops) {
        mCurrentTime = end;
        Stop();
    }
    return mRunState == kRunning ? direction : 0;
}

Bool Timeline::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state)) {
        Debug::Trace("Graph::Timeline::ProcessLogicSelf(%s): ProcessLogicSelf() of superclass failed", mId.GetText());
        return false;
    }
    SInt32 timelineState = 0;
    if (mRunState == kRunning)
        timelineState = Advance(state->GetStepDuration());
    else
        mStopped = false;
    mSavedTimelineTime = state->GetTimelineTime();
    mSavedTimelineState = state->GetTimelineState();
    state->SetTimelineTime(mCurrentTime);
    state->SetTimelineState(timelineState);
    return true;
}

Bool Timeline::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    state->SetTimelineTime(mSavedTimelineTime);
    state->SetTimelineState(mSavedTimelineState);
    return true;
}

} // namespace Graph
} // namespace Vorn
