#include "game/play/course_handler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/course_animator.h"
#include "game/play/flying_object.h"
#include "game/play/play_seed.h"
#include "graph/time/timeline.h"
#include "tests/support/course_records.h"
#include "tests/support/fake_animal_container.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class CourseHandlerTest : public ViewSceneFixture
{
protected:
    CourseHandlerTest() : mPool(250), mHandler(&mGameState, &mPool, &mEffects, &mFlying, nullptr) {}

    void SetUp() override
    {
        SetPlaySeed(5);
        mCollection.AddGraph("p:course",
                             "<Graph replication='0'><Namespace id='course{replication}' activeAndVisible='false'>"
                             "<DisplayObject id='display_object' maxNumberOfIndices='10' maxNumberOfVertices='8' "
                             "hasTexCoords0='true'/><Timeline id='timeline' endTime='1'/></Namespace></Graph>");
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>"
                       "<Instance id='course_container' graphResourceId='p:course' replications='3'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mHandler.Init(mScene, ""));
        mGameState.StartLevel(1);
        mGameState.SetPlayState(5);
    }
    void TearDown() override
    {
        EXPECT_TRUE(mHandler.DeInit());
        ClearPlaySeed();
    }

    CourseAnimator* Add(const CourseRecord& record, UInt32 key)
    {
        CourseAnimator* course = mHandler.AppendCourse();
        course->Setup(&record, key, false);
        return course;
    }

    std::vector<UInt32> EventTypes() { return Testing::ScoreEventTypes(mGameState); }

    FakeAnimalContainer mPool;
    RecordingExplosionHandler mEffects;
    GameState mGameState;
    FlyingObjectHandler mFlying;
    CourseHandler mHandler;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(CourseHandlerTest, AddsAndRemovesCoursesWithTheirStrips)
{
    EXPECT_EQ(mHandler.AddCourse(1), nullptr);
    CourseAnimator* second = mHandler.AddCourse(0);
    CourseAnimator* first = mHandler.AddCourse(0);
    EXPECT_EQ(mHandler.GetCourse(0), first);
    EXPECT_EQ(mHandler.GetCourse(1), second);
    EXPECT_NE(first->GetStrip(), nullptr);
    EXPECT_EQ(mHandler.GetCourseContainer().GetNumUsed(), 2u);
    mHandler.AppendCourse();
    // The pool of three is exhausted: a course without strip.
    EXPECT_EQ(mHandler.AppendCourse()->GetStrip(), nullptr);
    EXPECT_TRUE(mHandler.RemoveCourse(first));
    EXPECT_FALSE(mHandler.RemoveCourse(first));
    EXPECT_FALSE(mHandler.RemoveCourseAt(3));
    EXPECT_EQ(mHandler.GetCourseContainer().GetNumUsed(), 2u);
    mHandler.Reset();
    EXPECT_EQ(mHandler.GetCourseCount(), 0u);
    EXPECT_EQ(mHandler.GetCourseContainer().GetNumUsed(), 0u);
}

TEST_F(CourseHandlerTest, StartsCoursesByTheirTriggers)
{
    CourseRecord first = Record("K R G B L");
    CourseRecord waiting = Record("K Y Y B L");
    // The second trigger also starts a waiting course; 0 would start it at once.
    waiting.mStartTrigger = 1;
    waiting.mSecondTrigger = 1;
    CourseRecord never = Record("K G G B L");
    never.mStartTrigger = 9;
    never.mSecondTrigger = 9;
    CourseAnimator* a = Add(first, 1);
    CourseAnimator* b = Add(waiting, 2);
    CourseAnimator* c = Add(never, 3);
    EXPECT_EQ(mHandler.PickRandomRunningCourse(), nullptr);
    mHandler.StartPendingCourses();
    EXPECT_TRUE(a->IsRunning());
    EXPECT_EQ(b->GetState(), CourseAnimator::StateWaiting);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(mHandler.PickRandomRunningCourse(), a);
    EXPECT_EQ(mHandler.FindCourseByKey(2), b);
    EXPECT_EQ(mHandler.CountUnfinishedCourses(), 3u);

    // Finishing the first starts the one that waits for it; the third waits on.
    mHandler.FinishAllRunningCourses();
    EXPECT_TRUE(a->IsFinished());
    EXPECT_TRUE(b->IsRunning());
    EXPECT_EQ(c->GetState(), CourseAnimator::StateWaiting);
    EXPECT_EQ(mHandler.CountUnfinishedCourses(), 2u);

    // A finished course leaves only once its strip's animation has run out.
    mHandler.UpdateCourseStates();
    EXPECT_EQ(mHandler.GetCourseCount(), 3u);
    ASSERT_TRUE(RunLogic());
    mClock.mStepDuration = 2.0;
    mClock.Update();
    mProcessLogicState.Init(&mClock);
    ASSERT_TRUE(RunLogic());
    ASSERT_TRUE(RunLogic());
    mHandler.UpdateCourseStates();
    EXPECT_EQ(mHandler.FindCourseByKey(1), nullptr);
}

TEST_F(CourseHandlerTest, TheFinishSequence)
{
    CourseRecord record = Record("K R G B L");
    CourseAnimator* course = Add(record, 1);
    mHandler.StartPendingCourses();
    ASSERT_TRUE(course->IsRunning());
    const Math::Vector<Float> rear = course->GetAnimalAt(0)->mPosition;
    const Math::Vector<Float> front = course->GetAnimalAt(4)->mPosition;
    mHandler.FinishCourse(course);
    ASSERT_EQ(EventTypes(), std::vector<UInt32>{9});
    const ScoreEvent& bonus = mGameState.GetScoreEvents()[0];
    EXPECT_EQ(bonus.mValue, 5000u);
    EXPECT_FLOAT_EQ(bonus.mPosition.x, (rear.x + front.x) * 0.5f);
    // Five animals, then a ring of trunc(8 x (300 + 200) / 150) = 26 points.
    std::vector<UInt32> expected(5, ExplosionHandler::EffectFinishAnimal);
    expected.insert(expected.end(), 26, ExplosionHandler::EffectFinishRing);
    EXPECT_EQ(mEffects.Numbers(), expected);
    const Float duration = std::sqrt(500.0f / 600.0f);
    EXPECT_FLOAT_EQ(mEffects.mEffects.back().mSecond, 25.0f / 26.0f * duration);
    EXPECT_EQ(course->GetFinishStepCount(), UInt32(duration / 0.07f - 1.0f));
    EXPECT_EQ(course->CountAnimals(), 0u);
    EXPECT_TRUE(course->GetStrip()->IsTimelineRunning());

    // An empty chain: no event, no effect, but the course ends all the same.
    CourseAnimator* empty = Add(record, 2);
    mHandler.FinishCourse(empty);
    EXPECT_TRUE(empty->IsFinished());
    EXPECT_EQ(EventTypes().size(), 1u);
    EXPECT_EQ(mEffects.mEffects.size(), 31u);
}

TEST_F(CourseHandlerTest, ARepeatedCourseComesBackFilledAtRandom)
{
    mGameState.StartZen();
    mGameState.SetPlayState(5);
    CourseRecord record = Record("K R G B Y R L");
    CourseAnimator* course = mHandler.AppendCourse();
    course->Setup(&record, 1, true);
    course->SetStripColourIndex(4);
    mHandler.StartPendingCourses();
    ASSERT_TRUE(course->IsRunning());
    const UInt32 cleared = mGameState.GetRunStars();
    mHandler.FinishAllRunningCourses();
    ASSERT_EQ(mHandler.GetCourseCount(), 2u);
    CourseAnimator* repeat = mHandler.GetCourse(1);
    EXPECT_TRUE(repeat->IsRepeat());
    EXPECT_EQ(repeat->GetCourseKey(), 1u);
    EXPECT_EQ(mGameState.GetRunStars(), cleared + 1);
    // It starts with the pending courses, as a course of the level's start.
    EXPECT_EQ(repeat->GetState(), CourseAnimator::StateWaiting);
    mHandler.StartPendingCourses();
    EXPECT_TRUE(repeat->IsRunning());
    const std::string kinds = Kinds(repeat->GetSegmentAt(0));
    ASSERT_EQ(kinds.size(), 7u);
    EXPECT_EQ(kinds.front(), 'K');
    EXPECT_EQ(kinds.back(), 'L');
    EXPECT_EQ(kinds.substr(1, 5).find_first_not_of("RGBY"), std::string::npos) << kinds;
}

TEST_F(CourseHandlerTest, RadiiFromTheFileThatMakeNoRing)
{
    const Float radii[] = {NAN, -400.0f, 1.0e30f};
    for (Float radius : radii) {
        CourseRecord record = Record("K R G B L", 0.0f, 0.0f, radius, radius);
        CourseAnimator* course = Add(record, 1);
        mHandler.StartPendingCourses();
        mHandler.FinishCourse(course);
        EXPECT_TRUE(course->IsFinished()) << radius;
        EXPECT_EQ(course->GetFinishStepCount(), 0u) << radius;
        course->Step(1.0);
        mHandler.Reset();
    }
}

TEST_F(CourseHandlerTest, LossQuestionsAndCollapse)
{
    CourseRecord record = Record("K R G B L");
    CourseAnimator* course = Add(record, 1);
    mHandler.StartPendingCourses();
    Math::Vector<Float> where;
    EXPECT_FALSE(mHandler.IsAnyChainClosed(where));
    course->mEllipsis.SetRadiusA(51.0f);
    EXPECT_FALSE(mHandler.FindCourseAtCentre(where));
    course->mEllipsis.SetRadiusA(50.0f);
    course->mEllipsis.SetCentre(3.0f, 4.0f);
    EXPECT_TRUE(mHandler.FindCourseAtCentre(where));
    EXPECT_EQ(where.x, 3.0f);
    EXPECT_EQ(course->GetGap(), 0.0f);

    // The collapse at the end of the level's time.
    course->mEllipsis.SetRadiusA(300.0f);
    mHandler.StartCollapse();
    for (int i = 0; i < 60 * 6; ++i)
        mHandler.StepCourses(1.0 / 60.0);
    EXPECT_TRUE(mHandler.FindCourseAtCentre(where));
}

TEST_F(CourseHandlerTest, HighlightsColourAnimalsWhileAWeaponRuns)
{
    CourseRecord record = Record("K R G B L");
    Add(record, 1);
    mHandler.StartPendingCourses();
    mHandler.StepCourses(1.0 / 60.0);
    EXPECT_TRUE(mEffects.mEffects.empty());
    mGameState.SetTranqTime(8.0f);
    mHandler.StepCourses(1.0 / 60.0);
    EXPECT_EQ(mEffects.Numbers(), std::vector<UInt32>(3, ExplosionHandler::EffectHighlight));
    mHandler.StepCourses(1.0);
    EXPECT_EQ(mEffects.mEffects.size(), 3u);
    mHandler.StepCourses(1.0);
    EXPECT_EQ(mEffects.mEffects.size(), 6u);
}

} // namespace
} // namespace App
} // namespace Vorn
