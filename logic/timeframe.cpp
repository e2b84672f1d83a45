#include "logic/timeframe.h"

namespace Vorn {
namespace Logic {

Timeframe::Timeframe() : mRunning(false), mEnded(false), mDuration(0.0f), mElapsedTime(0.0)
{
}

Timeframe::~Timeframe()
{
}

void Timeframe::Reset()
{
    mRunning = false;
    mEnded = false;
}

void Timeframe::Step(Double dt)
{
    if (!mRunning) {
        mEnded = false;
        return;
    }
    mElapsedTime += dt;
    if (mElapsedTime >= Double(mDuration)) {
        mRunning = false;
        mEnded = true;
    }
}

void Timeframe::Start(Real duration)
{
    mDuration = duration;
    mElapsedTime = 0.0;
    mRunning = true;
    mEnded = false;
}

Bool Timeframe::IsRunning() const
{
    return mRunning;
}

Bool Timeframe::IsEnded() const
{
    return mEnded;
}

Double Timeframe::GetElapsedTime() const
{
    return mElapsedTime;
}

Double Timeframe::GetTimeLeft() const
{
    return Double(mDuration) - mElapsedTime;
}

BaseTimeframe::BaseTimeframe() : mTimeframe(new Timeframe())
{
}

BaseTimeframe::~BaseTimeframe()
{
    delete mTimeframe;
}

} // namespace Logic
} // namespace Vorn
