// The engine clock: once per frame, at the start of the engine's BeginFrame, it measures the
// time since the previous frame and decides how many logic steps the logic thread runs in this
// frame and how long each one is, by the step settings of the configuration.
#pragma once

#include <mutex>

#include "foundation/configuration.h"
#include "foundation/time.h"
#include "graph/clock.h"

namespace Vorn {
namespace Core {

class Clock : public IClock
{
public:
    // Where the clock reads the current time; tests set their own.
    typedef System::Time (*TimeSource)();

    // The configuration is read, not owned. A null time source reads the system clock.
    explicit Clock(const IConfiguration* configuration, TimeSource timeSource = nullptr);
    ~Clock() override;

    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    void SetMaxFrameTime(const System::Time& time) override;
    void SetTimeScale(Double scale) override;
    void SetSmoothingFactor(Double factor) override;
    void Start() override;
    void Stop() override;
    void Pause() override;
    // The paused span is not counted.
    void Continue() override;
    void ResetTime() override;
    // Does nothing while stopped, and gives no step while paused.
    void Update() override;
    System::Time GetAccumulatedTime() const override;
    System::Time GetLastTime() const override;
    UInt32 GetNumberOfSteps() const override;
    UInt32 GetFrameNumber() const override;
    UInt32 GetTotalNumberOfSteps() const override;
    Double GetRealTime() const override;
    Double GetLogicTime() const override;
    Double GetFrameDuration() const override;
    Double GetStepDuration() const override;

    Bool IsRunning() const { return mIsRunning; }
    Bool IsPaused() const { return mIsPaused; }

private:
    void ChooseSteps();

    const IConfiguration* mConfiguration;
    TimeSource mTimeSource;
    // The main thread updates the clock while the loader thread's states read it.
    mutable std::mutex mLock;
    System::Time mMaxFrameTime;
    System::Time mStartTime;
    System::Time mAccumulatedTime;
    System::Time mLastTime;
    UInt32 mNumberOfSteps;
    UInt32 mFrameNumber;
    UInt32 mTotalNumberOfSteps;
    Double mRealTime;
    Double mLogicTime;
    Double mFrameDuration;
    Double mStepDuration;
    SInt64 mDeltaNs;
    SInt64 mPreviousDeltaNs;
    Double mTimeScale;
    Double mSmoothingFactor;
    Bool mIsRunning;
    Bool mIsPaused;
};

} // namespace Core
} // namespace Vorn
