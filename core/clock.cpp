#include "core/clock.h"

namespace Vorn {
namespace Core {

namespace {

const SInt64 kNanoSecondsPerSecond = 1000000000;

} // namespace

Clock::Clock(const IConfiguration* configuration, TimeSource timeSource)
    : mConfiguration(configuration),
      mTimeSource(timeSource != nullptr ? timeSource : &System::Time::GetCurrent),
      // The engine sets the largest frame step at start; until then it is the same 1 s.
      mMaxFrameTime(System::Time::FromMilliSeconds(1000)),
      mNumberOfSteps(0),
      mFrameNumber(1),
      mTotalNumberOfSteps(0),
      mRealTime(0.0),
      mLogicTime(0.0),
      mFrameDuration(0.0),
      mStepDuration(0.0),
      mDeltaNs(0),
      mPreviousDeltaNs(0),
      mTimeScale(1.0),
      mSmoothingFactor(0.1),
      mIsRunning(false),
      mIsPaused(false)
{
}

Clock::~Clock() {}

void Clock::SetMaxFrameTime(const System::Time& time)
{
    std::lock_guard<std::mutex> guard(mLock);
    mMaxFrameTime = time;
}

void Clock::SetTimeScale(Double scale)
{
    std::lock_guard<std::mutex> guard(mLock);
    mTimeScale = scale;
}

void Clock::SetSmoothingFactor(Double factor)
{
    std::lock_guard<std::mutex> guard(mLock);
    mSmoothingFactor = factor;
}

void Clock::Start()
{
    std::lock_guard<std::mutex> guard(mLock);
    mStartTime = mTimeSource();
    mLastTime = mStartTime;
    mNumberOfSteps = 0;
    mRealTime = 0.0;
    mLogicTime = 0.0;
    mFrameDuration = 0.0;
    mStepDuration = 0.0;
    mDeltaNs = 0;
    mPreviousDeltaNs = 0;
    mIsRunning = true;
    mIsPaused = false;
}

void Clock::Stop()
{
    std::lock_guard<std::mutex> guard(mLock);
    mFrameDuration = 0.0;
    mDeltaNs = 0;
    mPreviousDeltaNs = 0;
    mIsRunning = false;
    mIsPaused = false;
}

void Clock::Pause()
{
    std::lock_guard<std::mutex> guard(mLock);
    mFrameDuration = 0.0;
    mDeltaNs = 0;
    mPreviousDeltaNs = 0;
    mIsPaused = true;
}

void Clock::Continue()
{
    std::lock_guard<std::mutex> guard(mLock);
    mLastTime = mTimeSource();
    mIsPaused = false;
}

void Clock::ResetTime()
{
    std::lock_guard<std::mutex> guard(mLock);
    mAccumulatedTime.Clear();
}

void Clock::Update()
{
    std::lock_guard<std::mutex> guard(mLock);
    if (!mIsRunning)
        return;

    const System::Time now = mTimeSource();
    mPreviousDeltaNs = mDeltaNs;
    mDeltaNs = SInt64((now - mLastTime).ToNanoSeconds());
    mLastTime = now;
    if (mTimeScale != 1.0)
        mDeltaNs = SInt64(Double(mDeltaNs) * mTimeScale);
    if (mSmoothingFactor != 1.0)
        mDeltaNs = SInt64(Double(mPreviousDeltaNs) * (1.0 - mSmoothingFactor) + Double(mDeltaNs) * mSmoothingFactor);

    // A negative time scale gives no negative step.
    const SInt64 delta = mDeltaNs > 0 ? mDeltaNs : 0;
    System::Time step(UInt64(delta / kNanoSecondsPerSecond), UInt64(delta % kNanoSecondsPerSecond));
    if (!(step < mMaxFrameTime))
        step = mMaxFrameTime;
    mAccumulatedTime += step;
    ++mFrameNumber;
    mFrameDuration = Double(step.ToMicroSeconds()) / 1000000.0;
    mRealTime += mFrameDuration;

    mTotalNumberOfSteps += mNumberOfSteps;
    mLogicTime += mNumberOfSteps * mStepDuration;

    if (mIsPaused) {
        mNumberOfSteps = 0;
        mStepDuration = 0.0;
        return;
    }
    ChooseSteps();
}

void Clock::ChooseSteps()
{
    const UInt32 minSteps = mConfiguration->GetMinNumberOfSteps();
    const UInt32 maxSteps = mConfiguration->GetMaxNumberOfSteps();
    const Double minDuration = mConfiguration->GetMinStepDuration();
    const Double maxDuration = mConfiguration->GetMaxStepDuration();

    if (minSteps == maxSteps) {
        mNumberOfSteps = minSteps;
        if (minDuration == maxDuration || mNumberOfSteps == 0) {
            mStepDuration = minDuration;
            return;
        }
        mStepDuration = mFrameDuration / mNumberOfSteps;
        if (mStepDuration < minDuration)
            mStepDuration = minDuration;
        if (mStepDuration > maxDuration)
            mStepDuration = maxDuration;
        return;
    }

    if (minDuration == maxDuration) {
        // Whole steps until the logic time reaches the real time; the count stops at the
        // largest one, so a duration of zero or less cannot loop for ever.
        mStepDuration = minDuration;
        UInt32 count = 0;
        for (Double time = mLogicTime; time < mRealTime && count < maxSteps; time += minDuration)
            ++count;
        if (count < minSteps)
            count = minSteps;
        mNumberOfSteps = count;
        return;
    }

    // The fewest steps whose duration fits between the two bounds. No count of steps fits
    // below one, so the search starts there.
    UInt32 count = minSteps > 0 ? minSteps : 1;
    Double duration = maxDuration;
    for (; count <= maxSteps; ++count) {
        const Double perStep = mFrameDuration / count;
        if (perStep < minDuration) {
            duration = minDuration;
            break;
        }
        if (perStep <= maxDuration) {
            duration = perStep;
            break;
        }
    }
    if (count > maxSteps)
        count = maxSteps;
    if (duration > maxDuration)
        duration = maxDuration;
    mNumberOfSteps = count;
    mStepDuration = duration;
}

System::Time Clock::GetAccumulatedTime() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mAccumulatedTime;
}

System::Time Clock::GetLastTime() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mLastTime;
}

UInt32 Clock::GetNumberOfSteps() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mNumberOfSteps;
}

UInt32 Clock::GetFrameNumber() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mFrameNumber;
}

UInt32 Clock::GetTotalNumberOfSteps() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mTotalNumberOfSteps;
}

Double Clock::GetRealTime() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mRealTime;
}

Double Clock::GetLogicTime() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mLogicTime;
}

Double Clock::GetFrameDuration() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mFrameDuration;
}

Double Clock::GetStepDuration() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mStepDuration;
}

} // namespace Core
} // namespace Vorn
