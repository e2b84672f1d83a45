#include "game/play/course_processor.h"

#include <gtest/gtest.h>

#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/play_seed.h"
#include "graph/node.h"
#include "graph/transform/transform.h"
#include "tests/support/course_records.h"
#include "tests/support/play_stage_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class CourseProcessorTest : public PlayStageFixture
{
protected:
    CourseProcessorTest() : mProcessor(&mLogicFactory, &mField) {}

    void SetUp() override
    {
        SetPlaySeed(77);
        MakeStage();
        ASSERT_TRUE(mProcessor.GetProcessor()->Init(mState));
        Game()->StartLevel(1);
    }
    void TearDown() override
    {
        EXPECT_TRUE(mProcessor.GetProcessor()->DeInit(mState));
        PlayStageFixture::TearDown();
        ClearPlaySeed();
    }

    // A course that runs without moving, so that the level is neither won nor lost.
    void AddCourse(const CourseRecord& record)
    {
        mRecord = record;
        mField.GetCourseHandler()->AppendCourse()->Setup(&mRecord, 1, false);
        Game()->SetPlayState(4);
        Step(mProcessor);
        Game()->SetPlayState(5);
    }
    void SetRunTime(Float seconds) { Game()->GetRun().AddTime(Double(seconds) - Double(Game()->GetRunTime())); }
    Bool IsShown(const char* path) { return Find<Graph::INode>(mScene, path)->IsActiveAndVisible(); }

    CourseProcessor mProcessor;
    CourseRecord mRecord;
};

TEST_F(CourseProcessorTest, AWonLevelIsRatedByStrictlyEarlierStarTimes)
{
    const struct
    {
        Float mTime;
        UInt32 mStars;
    } cases[] = {{59.9f, 3}, {60.0f, 2}, {130.99f, 1}, {131.0f, 0}};
    for (const auto& c : cases) {
        Game()->SetStarTimes(60.0f, 90.0f, 131.0f, 0.0f);
        SetRunTime(c.mTime);
        Game()->SetPlayState(5);
        Step(mProcessor);
        EXPECT_EQ(Game()->GetPlayState(), 12u) << c.mTime;
        EXPECT_EQ(Game()->GetRunStars(), c.mStars) << c.mTime;
        EXPECT_TRUE(TakeSound("excellent")) << c.mTime;
    }
}

TEST_F(CourseProcessorTest, TheHurryUpSignComesOnceTwentySecondsBeforeTheLimitAndTheTimeRunsOutOnce)
{
    AddCourse(Record("K R G B Y L"));
    Game()->SetStarTimes(60.0f, 90.0f, 131.0f, 240.0f);
    SetRunTime(219.9f);
    Step(mProcessor);
    EXPECT_FALSE(IsShown("stage_game/hurryup"));
    EXPECT_FALSE(TakeSound("hurryup"));

    SetRunTime(220.0f);
    Step(mProcessor);
    EXPECT_TRUE(IsShown("stage_game/hurryup"));
    EXPECT_TRUE(TakeSound("hurryup"));
    EXPECT_TRUE(mProcessor.IsHurryUpShown());
    Step(mProcessor);
    EXPECT_FALSE(TakeSound("hurryup"));

    EXPECT_FALSE(mProcessor.IsTimeOver());
    SetRunTime(240.0f);
    Step(mProcessor);
    EXPECT_TRUE(mProcessor.IsTimeOver());
    EXPECT_EQ(Game()->GetPlayState(), 5u);

    // A new level starts without either.
    mProcessor.ResetWarnings();
    EXPECT_FALSE(mProcessor.IsHurryUpShown());
    EXPECT_FALSE(mProcessor.IsTimeOver());
}

TEST_F(CourseProcessorTest, WithoutATimeLimitThereIsNoHurryAndNoTimeOver)
{
    AddCourse(Record("K R G B Y L"));
    Game()->SetStarTimes(60.0f, 90.0f, 131.0f, 0.0f);
    for (Float time : {0.0f, 230.0f, 1000.0f}) {
        SetRunTime(time);
        Step(mProcessor);
    }
    EXPECT_FALSE(mProcessor.IsHurryUpShown());
    EXPECT_FALSE(mProcessor.IsTimeOver());
    EXPECT_FALSE(TakeSound("hurryup"));
}

TEST_F(CourseProcessorTest, ALostCourseShowsTheSkullWhereItWasLostAndEndsTheLevelAfterTwoAndAHalfSeconds)
{
    // Few enough animals that the chain stays open on the small ellipse: the collapse loses it.
    CourseRecord record = Record("K R L");
    record.mPathPieces[0] =
        Piece(0.0f, {{kCentreX, 120.0f}, {kCentreY, -40.0f}, {kRadiusA, 50.0f}, {kRadiusB, 50.0f}, {kBaseSpeed, 0.0f}});
    AddCourse(record);
    Step(mProcessor);
    ASSERT_EQ(Game()->GetPlayState(), 8u);
    EXPECT_TRUE(IsShown("stage_game/skull"));
    EXPECT_TRUE(TakeSound("descent"));
    const Math::Matrix<float>& at = Find<Graph::ITransform>(mScene, "stage_game/skull/position")->GetTransform();
    EXPECT_EQ(at.Get(0, 3), 120.0f);
    EXPECT_EQ(at.Get(1, 3), -40.0f);

    for (int i = 0; i < 4; ++i)
        Step(mProcessor, 0.5);
    EXPECT_EQ(Game()->GetPlayState(), 8u);
    Step(mProcessor, 0.5);
    EXPECT_EQ(Game()->GetPlayState(), 9u);
    EXPECT_TRUE(TakeSound("explosion1"));
    EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 0u);

    // The next level's first step takes the sign down.
    Game()->SetPlayState(1);
    Step(mProcessor);
    EXPECT_FALSE(IsShown("stage_game/skull"));
}

TEST_F(CourseProcessorTest, AnIdleAnimationPlaysWithChanceNOutOfTwentyFiveTimesNPlusTwentyPlusOne)
{
    UInt32 index = 0;
    for (int i = 0; i < 1000; ++i)
        EXPECT_FALSE(mProcessor.DrawIdle(0, index));
    UInt32 hits = 0;
    const UInt32 draws = 626 * 400;
    for (UInt32 i = 0; i < draws; ++i) {
        if (mProcessor.DrawIdle(5, index)) {
            ++hits;
            EXPECT_LT(index, 5u);
        }
    }
    // 2000 expected; far outside 4 standard deviations only when the chance is wrong.
    EXPECT_NEAR(Double(hits), 2000.0, 180.0);
}

} // namespace
} // namespace App
} // namespace Vorn
