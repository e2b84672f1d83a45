// The course processor's loss by an obstacle at the launcher, over the play field's real pools.
#include <gtest/gtest.h>

#include "game/play/course_animator.h"
#include "game/play/course_processor.h"
#include "game/play/play_seed.h"
#include "tests/support/course_records.h"
#include "tests/support/play_stage_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class LauncherLossTest : public PlayStageFixture
{
protected:
    LauncherLossTest() : mProcessor(&mLogicFactory, &mField) {}

    void SetUp() override
    {
        SetPlaySeed(5);
        MakeStage();
        ASSERT_TRUE(mProcessor.GetProcessor()->Init(mState));
        Game()->StartLevel(1);
        Game()->SetPosition(0.0f, 0.0f);
    }
    void TearDown() override
    {
        EXPECT_TRUE(mProcessor.GetProcessor()->DeInit(mState));
        PlayStageFixture::TearDown();
        ClearPlaySeed();
    }

    CourseProcessor mProcessor;
    CourseRecord mRecord;
};

TEST_F(LauncherLossTest, AnObstacleAtTheLauncherLosesOnlyALevelStillInPlay)
{
    const struct
    {
        const char* mName;
        // Without a course the level is won in the same step.
        Bool mCourse;
        Float mObstacleX;
        Float mDelay;
        UInt32 mPlayState;
    } cases[] = {
        {"near", true, 100.0f, 0.0f, 9},
        {"far", true, 200.0f, 0.0f, 5},
        {"still waiting", true, 100.0f, 2.0f, 5},
        {"won in that step", false, 100.0f, 0.0f, 12},
    };
    for (const auto& c : cases) {
        mField.Reset();
        Game()->StartLevel(1);
        if (c.mCourse) {
            mRecord = Record("K R G B Y L");
            mField.GetCourseHandler()->AppendCourse()->Setup(&mRecord, 1, false);
            Game()->SetPlayState(4);
            Step(mProcessor);
        }
        ASSERT_NE(mField.GetObstacleContainer()->AddObstacle(0, c.mObstacleX, 0.0f, 0.0f, 0.0f, c.mDelay, 2), nullptr);
        Game()->SetPlayState(5);
        Step(mProcessor);
        EXPECT_EQ(Game()->GetPlayState(), c.mPlayState) << c.mName;
    }
}

TEST_F(LauncherLossTest, TheLossSendsTheFlyingAnimalsBackToTheLauncher)
{
    mRecord = Record("K R G B Y L");
    mField.GetCourseHandler()->AppendCourse()->Setup(&mRecord, 1, false);
    Game()->SetPlayState(4);
    Step(mProcessor);
    Animal* animal = mField.GetAnimalContainer()->ObtainAnimal(6);
    ASSERT_NE(animal, nullptr);
    animal->SetPosition(Math::Vector<Float>(0.0f, 350.0f, 0.0f, 1.0f));
    FlyingAnimal* flying = mField.GetFlyingObjectHandler()->SpawnAnimal(animal);
    ASSERT_NE(flying, nullptr);
    flying->mVelocity = Math::Vector<Float>(100.0f, 0.0f, 0.0f, 0.0f);
    ASSERT_NE(mField.GetObstacleContainer()->AddObstacle(0, 50.0f, 0.0f, 0.0f, 0.0f, 0.0f, 2), nullptr);

    Game()->SetPlayState(5);
    Step(mProcessor);
    ASSERT_EQ(Game()->GetPlayState(), 9u);
    // The scattered chain flies too; the animal that was in the air is among them.
    Bool found = false;
    for (UInt32 i = 0; i < mField.GetFlyingObjectHandler()->GetAnimalCount(); ++i)
        found = found || mField.GetFlyingObjectHandler()->GetAnimal(i) == flying;
    ASSERT_TRUE(found);
    EXPECT_NEAR(flying->mVelocity.x, 0.0f, 1e-3f);
    EXPECT_LT(flying->mVelocity.y, 0.0f);
}

} // namespace
} // namespace App
} // namespace Vorn
