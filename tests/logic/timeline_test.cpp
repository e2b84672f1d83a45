#include "logic/timeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/timeframe.h"

namespace Vorn {
namespace Logic {
namespace {

// Records every time it is told, and every update.
class RecordingOwner : public IAppTimeline
{
public:
    void OnUpdate() override { ++mUpdates; }
    void OnSetTime(Double time) override { mTimes.push_back(time); }
    std::vector<Double> mTimes;
    UInt32 mUpdates = 0;
};

// A timeline run over steps of dt; after each step the current time and the flags.
struct TimelineCase
{
    const char* mName;
    Real mStart;
    Real mEnd;
    Real mScale;
    SInt32 mWraps;
    Bool mAutoRewind;
    Double mDt;
    std::vector<Double> mTimes;
    std::vector<Bool> mRunning;
    std::vector<Bool> mEnded;
};

class TimelineStepTest : public ::testing::TestWithParam<TimelineCase>
{
};

TEST_P(TimelineStepTest, MovesStopsAndEndsForOneStep)
{
    const TimelineCase& test = GetParam();
    Timeline timeline;
    RecordingOwner owner;
    timeline.SetOwner(&owner);
    timeline.SetTimeScale(test.mScale);
    timeline.SetWrapCount(test.mWraps);
    timeline.SetAutoRewind(test.mAutoRewind);
    EXPECT_TRUE(timeline.SetTimeRange(test.mStart, test.mEnd));
    for (size_t i = 0; i < test.mTimes.size(); ++i) {
        timeline.Step(test.mDt);
        EXPECT_DOUBLE_EQ(timeline.GetCurrentTime(), test.mTimes[i]) << "step " << i;
        EXPECT_EQ(timeline.IsRunning(), test.mRunning[i]) << "step " << i;
        EXPECT_EQ(timeline.IsEnded(), test.mEnded[i]) << "step " << i;
    }
    // Told at the rewind and at every step that moved or ended.
    EXPECT_EQ(owner.mTimes.size(), owner.mUpdates);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimelineStepTest,
    ::testing::Values(
        // Start after the end counts down and stops on the end.
        TimelineCase{"CountsDown", 2.0f, 0.0f, 1.0f, 0, false, 0.75, {1.25, 0.5, 0.0, 0.0},
                     {true, true, false, false}, {false, false, true, false}},
        // Scale 2 with dt 0.5 moves 1.0 a step.
        TimelineCase{"Scaled", 0.0f, 3.0f, 2.0f, 0, false, 0.5, {1.0, 2.0, 3.0}, {true, true, false},
                     {false, false, true}},
        // Overshoot is not carried into the next pass; wrap count 2 plays twice.
        TimelineCase{"TwoWraps", 0.0f, 1.0f, 1.0f, 2, false, 0.75, {0.75, 0.0, 0.75, 1.0, 1.0},
                     {true, true, true, false, false}, {false, false, false, true, false}},
        // Wrap counts 0 and 1 both stop at the first end.
        TimelineCase{"WrapZero", 0.0f, 1.0f, 1.0f, 0, false, 0.75, {0.75, 1.0}, {true, false}, {false, true}},
        TimelineCase{"WrapOne", 0.0f, 1.0f, 1.0f, 1, false, 0.75, {0.75, 1.0}, {true, false}, {false, true}},
        // A negative count wraps for ever.
        TimelineCase{"Endless", 0.0f, 1.0f, 1.0f, -1, false, 0.75, {0.75, 0.0, 0.75, 0.0},
                     {true, true, true, true}, {false, false, false, false}},
        // Auto-rewind takes the time back to the start when the end stops it.
        TimelineCase{"AutoRewind", 0.0f, 1.0f, 1.0f, 0, true, 0.75, {0.75, 0.0, 0.0}, {true, false, false},
                     {false, true, false}}),
    [](const ::testing::TestParamInfo<TimelineCase>& info) { return std::string(info.param.mName); });

TEST(TimelineTest, RunStateOperations)
{
    Timeline timeline;
    RecordingOwner owner;
    timeline.SetOwner(&owner);
    timeline.SetTimeScale(0.0f);
    timeline.SetTimeScale(-1.0f);
    EXPECT_EQ(timeline.GetTimeScale(), 1.0f);
    EXPECT_FALSE(timeline.Pause());
    EXPECT_FALSE(timeline.Stop());
    EXPECT_FALSE(timeline.IsEnded());

    timeline.SetEndTime(4.0f);
    EXPECT_TRUE(timeline.Start());
    timeline.Step(1.0);
    EXPECT_TRUE(timeline.Pause());
    timeline.Step(1.0);
    EXPECT_EQ(timeline.GetCurrentTime(), 1.0);
    EXPECT_DOUBLE_EQ(timeline.GetTimeLeft(), 3.0);
    // Stopping a paused timeline ends it.
    EXPECT_TRUE(timeline.Stop());
    EXPECT_TRUE(timeline.IsEnded());

    // A stopped timeline with auto-rewind still rewinds and tells the owner, and returns false.
    timeline.Step(1.0);
    timeline.SetAutoRewind(true);
    owner.mTimes.clear();
    EXPECT_FALSE(timeline.Stop());
    EXPECT_EQ(timeline.GetCurrentTime(), 0.0);
    EXPECT_EQ(owner.mTimes, (std::vector<Double>{0.0}));

    // Reset stops without ending.
    timeline.Start();
    timeline.Step(1.0);
    timeline.Reset();
    EXPECT_FALSE(timeline.IsRunning());
    EXPECT_FALSE(timeline.IsEnded());
    EXPECT_EQ(timeline.GetCurrentTime(), 0.0);
}

TEST(TimeframeTest, EndsForExactlyOneStep)
{
    Timeframe timeframe;
    timeframe.Step(1.0);
    EXPECT_FALSE(timeframe.IsEnded());

    timeframe.Start(1.0f);
    timeframe.Step(0.5);
    EXPECT_TRUE(timeframe.IsRunning());
    EXPECT_DOUBLE_EQ(timeframe.GetTimeLeft(), 0.5);
    timeframe.Step(0.5);
    EXPECT_FALSE(timeframe.IsRunning());
    EXPECT_TRUE(timeframe.IsEnded());
    EXPECT_DOUBLE_EQ(timeframe.GetElapsedTime(), 1.0);
    timeframe.Step(0.5);
    EXPECT_FALSE(timeframe.IsEnded());

    // A duration of 0 ends in the first step.
    timeframe.Start(0.0f);
    timeframe.Step(0.0);
    EXPECT_TRUE(timeframe.IsEnded());

    timeframe.Start(1.0f);
    timeframe.Reset();
    EXPECT_FALSE(timeframe.IsRunning());
    EXPECT_FALSE(timeframe.IsEnded());
}

} // namespace
} // namespace Logic
} // namespace Vorn
