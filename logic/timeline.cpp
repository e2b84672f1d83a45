#include "logic/timeline.h"

namespace Vorn {
namespace Logic {

Timeline::Timeline()
    : mOwner(nullptr), mStartTime(0.0f), mEndTime(0.0f), mWrapCount(0), mTimeScale(1.0f), mAutoRewind(false),
      mRunState(kStopped), mEnded(false), mCurrentTime(0.0), mWrapsDone(0)
{
}

Timeline::~Timeline()
{
}

void Timeline::Reset()
{
    mRunState = kStopped;
    mEnded = false;
    Rewind();
}

void Timeline::Step(Double dt)
{
    if (mRunState != kRunning) {
        // The step after the stop tells the owner the final time once more.
        if (mEnded) {
            TellOwner();
            mEnded = false;
        }
        return;
    }
    const Double distance = Double(mTimeScale) * dt;
    const Double end = Double(mEndTime);
    Bool reached;
    if (mCurrentTime <= end) {
        mCurrentTime += distance;
        reached = mCurrentTime >= end;
    } else {
        mCurrentTime -= distance;
        reached = mCurrentTime <= end;
    }
    if (reached) {
        // No remainder is carried into the next pass.
        mCurrentTime = Double(mStartTime);
        if (mWrapCount >= 0) {
            ++mWrapsDone;
            if (mWrapsDone >= mWrapCount) {
                mCurrentTime = end;
                Stop();
            }
        }
    }
    TellOwner();
}

Bool Timeline::SetOwner(IAppTimeline* owner)
{
    mOwner = owner;
    return true;
}

Bool Timeline::SetTimeRange(Real startTime, Real endTime)
{
    mStartTime = startTime;
    mEndTime = endTime;
    Rewind();
    return Start();
}

Bool Timeline::Start()
{
    mRunState = kRunning;
    mEnded = false;
    return true;
}

Bool Timeline::Pause()
{
    if (mRunState != kRunning)
        return false;
    mRunState = kPaused;
    return true;
}

Bool Timeline::Stop()
{
    const Bool stopped = mRunState != kStopped;
    if (stopped) {
        mRunState = kStopped;
        mEnded = true;
    }
    if (mAutoRewind)
        Rewind();
    return stopped;
}

Bool Timeline::Rewind()
{
    mCurrentTime = Double(mStartTime);
    mWrapsDone = 0;
    TellOwner();
    return true;
}

void Timeline::SetStartTime(Real seconds)
{
    mStartTime = seconds;
}

void Timeline::SetEndTime(Real seconds)
{
    mEndTime = seconds;
}

void Timeline::SetWrapCount(SInt32 count)
{
    mWrapCount = count;
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

Real Timeline::GetStartTime() const
{
    return mStartTime;
}

Real Timeline::GetEndTime() const
{
    return mEndTime;
}

SInt32 Timeline::GetWrapCount() const
{
    return mWrapCount;
}

Real Timeline::GetTimeScale() const
{
    return mTimeScale;
}

Bool Timeline::IsAutoRewind() const
{
    return mAutoRewind;
}

Bool Timeline::IsRunning() const
{
    return mRunState == kRunning;
}

Bool Timeline::IsPaused() const
{
    return mRunState == kPaused;
}

Bool Timeline::IsEnded() const
{
    return mEnded;
}

Double Timeline::GetCurrentTime() const
{
    return mCurrentTime;
}

Double Timeline::GetTimeLeft() const
{
    return Double(mEndTime) - mCurrentTime;
}

void Timeline::TellOwner()
{
    if (mOwner == nullptr)
        return;
    mOwner->OnSetTime(mCurrentTime);
    mOwner->OnUpdate();
}

BaseTimeline::BaseTimeline() : mTimeline(new Timeline())
{
    mTimeline->SetOwner(this);
}

BaseTimeline::~BaseTimeline()
{
    delete mTimeline;
}

void BaseTimeline::OnUpdate()
{
}

void BaseTimeline::OnSetTime(Double)
{
}

} // namespace Logic
} // namespace Vorn
