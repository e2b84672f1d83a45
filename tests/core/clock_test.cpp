#include "core/clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/configuration.h"

namespace {

using Vorn::Double;
using Vorn::UInt32;
using Vorn::UInt64;
using Vorn::Core::Clock;
using Vorn::Core::Configuration;
using Vorn::System::Time;

// The time that the clock under test reads; each test moves it by hand.
Time gNow;

Time ReadTestTime()
{
    return gNow;
}

class ClockTest : public ::testing::Test
{
protected:
    ClockTest() : mClock(&mConfiguration, &ReadTestTime) { gNow = Time::FromSeconds(100); }

    // One frame that took the given milliseconds.
    void Frame(UInt64 milliSeconds)
    {
        gNow += Time::FromMilliSeconds(milliSeconds);
        mClock.Update();
    }

    Configuration mConfiguration;
    Clock mClock;
};

struct StepCase
{
    const char* mName;
    UInt32 mMinSteps;
    UInt32 mMaxSteps;
    Double mMinDuration;
    Double mMaxDuration;
    Double mTimeScale;
    Double mSmoothing;
    UInt64 mFrameMilliSeconds;
    Double mFrameDuration;
    UInt32 mSteps;
    Double mStepDuration;
};

const StepCase kStepCases[] = {
    {"defaults, one step of the frame", 1, 1, 0.0, 1.0, 1.0, 1.0, 16, 0.016, 1, 0.016},
    {"smoothing weighs the newest frame a tenth", 1, 1, 0.0, 1.0, 1.0, 0.1, 100, 0.010, 1, 0.010},
    {"a five-second frame counts as one second", 1, 1, 0.0, 1.0, 1.0, 1.0, 5000, 1.0, 1, 1.0},
    {"time scale doubles the frame", 1, 1, 0.0, 1.0, 2.0, 1.0, 10, 0.020, 1, 0.020},
    {"fixed count splits the frame", 2, 2, 0.0, 1.0, 1.0, 1.0, 30, 0.030, 2, 0.015},
    {"fixed count and duration", 3, 3, 0.005, 0.005, 1.0, 1.0, 30, 0.030, 3, 0.005},
    {"fixed count raised to the shortest step", 2, 2, 0.02, 1.0, 1.0, 1.0, 30, 0.030, 2, 0.02},
    {"fixed duration catches up, at most four", 1, 4, 1.0 / 60, 1.0 / 60, 1.0, 1.0, 100, 0.100, 4, 1.0 / 60},
    {"fixed duration after a fast frame runs one", 1, 4, 1.0 / 60, 1.0 / 60, 1.0, 1.0, 1, 0.001, 1, 1.0 / 60},
    {"fixed zero duration stops at the largest count", 1, 5, 0.0, 0.0, 1.0, 1.0, 16, 0.016, 5, 0.0},
    {"free: fewest steps that fit", 1, 4, 0.0, 0.02, 1.0, 1.0, 50, 0.050, 3, 0.050 / 3},
    {"free: too long gives the largest count of the longest", 1, 2, 0.001, 0.01, 1.0, 1.0, 1000, 1.0, 2, 0.01},
    {"free: short frame raised to the shortest step", 1, 4, 0.02, 0.05, 1.0, 1.0, 10, 0.010, 1, 0.02},
    {"free: no smallest count still steps", 0, 3, 0.0, 0.5, 1.0, 1.0, 10, 0.010, 1, 0.010},
};

TEST_F(ClockTest, ChoosesStepsByTheConfiguredPolicy)
{
    for (const StepCase& step : kStepCases) {
        SCOPED_TRACE(step.mName);
        Configuration configuration;
        configuration.SetNumberOfSteps(step.mMinSteps, step.mMaxSteps);
        configuration.SetStepDuration(step.mMinDuration, step.mMaxDuration);
        Clock clock(&configuration, &ReadTestTime);
        clock.SetTimeScale(step.mTimeScale);
        clock.SetSmoothingFactor(step.mSmoothing);
        clock.Start();
        gNow += Time::FromMilliSeconds(step.mFrameMilliSeconds);
        clock.Update();
        EXPECT_NEAR(clock.GetFrameDuration(), step.mFrameDuration, 1e-9);
        EXPECT_EQ(clock.GetNumberOfSteps(), step.mSteps);
        EXPECT_NEAR(clock.GetStepDuration(), step.mStepDuration, 1e-9);
        EXPECT_EQ(clock.GetFrameNumber(), 2u);
    }
}

TEST_F(ClockTest, LargestFrameStepIsOneSecondBeforeItIsSet)
{
    mClock.SetSmoothingFactor(1.0);
    mClock.Start();
    Frame(7000);
    EXPECT_DOUBLE_EQ(mClock.GetFrameDuration(), 1.0);
    EXPECT_EQ(mClock.GetAccumulatedTime(), Time::FromSeconds(1));

    mClock.SetMaxFrameTime(Time::FromMilliSeconds(250));
    Frame(7000);
    EXPECT_DOUBLE_EQ(mClock.GetFrameDuration(), 0.25);
    EXPECT_EQ(mClock.GetAccumulatedTime(), Time::FromMilliSeconds(1250));
    mClock.ResetTime();
    EXPECT_EQ(mClock.GetAccumulatedTime(), Time());
}

TEST_F(ClockTest, LogicTimeAddsThePreviousFramesSteps)
{
    mClock.SetSmoothingFactor(1.0);
    mClock.Start();
    Frame(20);
    EXPECT_DOUBLE_EQ(mClock.GetLogicTime(), 0.0);
    EXPECT_EQ(mClock.GetTotalNumberOfSteps(), 0u);
    Frame(30);
    EXPECT_NEAR(mClock.GetLogicTime(), 0.020, 1e-9);
    EXPECT_NEAR(mClock.GetRealTime(), 0.050, 1e-9);
    EXPECT_EQ(mClock.GetTotalNumberOfSteps(), 1u);
    EXPECT_EQ(mClock.GetFrameNumber(), 3u);
}

TEST_F(ClockTest, PausedFramesHaveNoStepAndContinueSkipsThePause)
{
    mClock.SetSmoothingFactor(1.0);
    mClock.Start();
    Frame(20);
    mClock.Pause();
    Frame(20);
    EXPECT_EQ(mClock.GetNumberOfSteps(), 0u);
    EXPECT_DOUBLE_EQ(mClock.GetStepDuration(), 0.0);
    const Double logicTime = mClock.GetLogicTime();
    Frame(20);
    EXPECT_DOUBLE_EQ(mClock.GetLogicTime(), logicTime);

    gNow += Time::FromSeconds(60);
    mClock.Continue();
    Frame(10);
    EXPECT_NEAR(mClock.GetFrameDuration(), 0.010, 1e-9);
    EXPECT_EQ(mClock.GetNumberOfSteps(), 1u);
}

TEST_F(ClockTest, StoppedClockIgnoresUpdates)
{
    Frame(20);
    EXPECT_EQ(mClock.GetFrameNumber(), 1u);
    mClock.Start();
    Frame(20);
    mClock.Stop();
    Frame(20);
    EXPECT_EQ(mClock.GetFrameNumber(), 2u);
    EXPECT_DOUBLE_EQ(mClock.GetFrameDuration(), 0.0);
    EXPECT_FALSE(mClock.IsRunning());
}

} // namespace
