#include "game/play/animals_processor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "game/play/animal.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/flying_object.h"
#include "game/play/level_data.h"
#include "game/play/play_seed.h"
#include "tests/support/course_records.h"
#include "tests/support/play_stage_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

constexpr Float kNaN = std::numeric_limits<Float>::quiet_NaN();

OptionalValue Unset()
{
    return OptionalValue();
}

OptionalValue FloatValue(Float value)
{
    OptionalValue optional;
    optional.mSet = true;
    std::memcpy(&optional.mBits, &value, 4);
    return optional;
}

OptionalValue UIntValue(UInt32 value)
{
    OptionalValue optional;
    optional.mSet = true;
    optional.mBits = value;
    return optional;
}

class AnimalsProcessorTest : public PlayStageFixture
{
protected:
    AnimalsProcessorTest() : mProcessor(&mLogicFactory, &mField) {}

    void SetUp() override
    {
        SetPlaySeed(31);
        MakeStage(60);
        ASSERT_TRUE(mProcessor.GetProcessor()->Init(mState));
        Game()->StartLevel(1);
        // Every colour may come; slow fliers stay near their start for the test to see them.
        for (SInt32 kind = 6; kind <= 13; ++kind)
            mField.GetAnimalSelector()->Set(kind, 1);
        mProcessor.Reset();
        mProcessor.SetSpeedBounds(1.0f, 1.0f);
        mProcessor.SetPeriod(10.0f, -1);
    }
    void TearDown() override
    {
        EXPECT_TRUE(mProcessor.GetProcessor()->DeInit(mState));
        PlayStageFixture::TearDown();
        ClearPlaySeed();
    }

    // Keys at time 0: one spawn every half second in the mode, with the kind rule.
    void Keys(UInt32 mode, Float interval = 0.5f, UInt32 kindRule = 0)
    {
        mProcessor.AddKeys(0.0f, FloatValue(interval), UIntValue(mode), UIntValue(kindRule), Unset());
    }
    // The level starts (play state 4), then plays on for the steps of a quarter second.
    void Play(UInt32 steps)
    {
        Game()->SetPlayState(4);
        Step(mProcessor, 0.25);
        Game()->SetPlayState(5);
        for (UInt32 i = 0; i < steps; ++i)
            Step(mProcessor, 0.25);
    }
    // A running course on a still ellipse.
    CourseAnimator* AddCourse(const char* animals)
    {
        mRecord = Record(animals);
        CourseAnimator* course = mField.GetCourseHandler()->AppendCourse();
        course->Setup(&mRecord, 1, false);
        mField.GetCourseHandler()->StartPendingCourses();
        mField.GetCourseHandler()->StepCourses(0.0);
        return course;
    }
    FlyingObjectHandler* Flying() { return mField.GetFlyingObjectHandler(); }
    UInt32 CountFrozen()
    {
        UInt32 frozen = 0;
        for (UInt32 i = 0; i < Flying()->GetAnimalCount(); ++i)
            frozen += Flying()->GetAnimal(i)->mAnimal->mFrozen ? 1 : 0;
        return frozen;
    }
    // The start lies on the screen grown by 50 and the flight heads straight at the target.
    void ExpectFlightFromEdgeAt(const FlyingAnimal& flying, const Math::Vector<Float>& start,
                                const Math::Vector<Float>& target)
    {
        const Float edgeX = 640.0f + 50.0f;
        const Float edgeY = 400.0f + 50.0f;
        const Bool onSide = std::fabs(std::fabs(start.x) - edgeX) < 0.01f && std::fabs(start.y) <= edgeY + 0.01f;
        const Bool onTop = std::fabs(std::fabs(start.y) - edgeY) < 0.01f && std::fabs(start.x) <= edgeX + 0.01f;
        EXPECT_TRUE(onSide || onTop) << start.x << ", " << start.y;
        const Float dx = target.x - start.x;
        const Float dy = target.y - start.y;
        const Math::Vector<Float>& v = flying.mVelocity;
        EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y), 1.0f, 0.001f);
        EXPECT_NEAR(v.x * dy - v.y * dx, 0.0f, 0.01f * std::sqrt(dx * dx + dy * dy));
        EXPECT_GT(v.x * dx + v.y * dy, 0.0f);
    }

    AnimalsProcessor mProcessor;
    CourseRecord mRecord;
};

TEST_F(AnimalsProcessorTest, TheBudgetsLimitTheOrdinaryAndSpecialFlyIns)
{
    const struct
    {
        SInt32 mNormal;
        SInt32 mSpecial;
        UInt32 mOrdinaryFlown;
        UInt32 mSpecialFlown;
        SInt32 mNormalLeft;
        SInt32 mSpecialLeft;
    } cases[] = {
        {2, 0, 2, 0, 0, 0},   {0, 3, 0, 3, 0, 0},  {3, 2, 3, 2, 0, 0},
        {0, 0, 0, 0, 0, 0},   {-1, 0, 10, 0, -1, 0}, {0, -1, 0, 10, 0, -1},
    };
    for (const auto& c : cases) {
        mField.Reset();
        for (SInt32 kind = 6; kind <= 13; ++kind)
            mField.GetAnimalSelector()->Set(kind, 1);
        mProcessor.Reset();
        mProcessor.SetSpeedBounds(1.0f, 1.0f);
        mProcessor.SetPeriod(10.0f, -1);
        mProcessor.SetNormalBudget(c.mNormal);
        mProcessor.SetSpecialBudget(c.mSpecial);
        Keys(0);
        // Ten spawns in five seconds.
        Play(20);
        EXPECT_EQ(Flying()->GetAnimalCount(), c.mOrdinaryFlown + c.mSpecialFlown) << c.mNormal << "/" << c.mSpecial;
        EXPECT_EQ(CountFrozen(), c.mSpecialFlown) << c.mNormal << "/" << c.mSpecial;
        EXPECT_EQ(mProcessor.GetNormalBudget(), c.mNormalLeft);
        EXPECT_EQ(mProcessor.GetSpecialBudget(), c.mSpecialLeft);
    }
}

TEST_F(AnimalsProcessorTest, TheTimerFiresEveryIntervalAndWaitsWhileTheTranquillisersWork)
{
    Keys(0);
    Play(0);
    EXPECT_EQ(mProcessor.GetInterval(), 0.5f);
    for (int i = 0; i < 2; ++i)
        Step(mProcessor, 0.25);
    EXPECT_EQ(Flying()->GetAnimalCount(), 1u);
    // The timer has just started afresh; it holds where it is while the tranquilliser works.
    Game()->SetTranqTime(3.0f);
    for (int i = 0; i < 8; ++i)
        Step(mProcessor, 0.25);
    EXPECT_EQ(Flying()->GetAnimalCount(), 1u);
    EXPECT_TRUE(mProcessor.GetSpawnTimer()->IsPaused());
    Game()->SetTranqTime(0.0f);
    for (int i = 0; i < 4; ++i)
        Step(mProcessor, 0.25);
    EXPECT_EQ(Flying()->GetAnimalCount(), 3u);
}

TEST_F(AnimalsProcessorTest, LaterKeysChangeTheIntervalAndTheProcessorIsOffWithoutWrapOrPlay)
{
    Keys(0, 0.5f);
    mProcessor.AddKeys(1.5f, FloatValue(0.0f), Unset(), Unset(), Unset());
    Play(8);
    // Two spawns, then the second key's interval 0 stops them.
    EXPECT_EQ(mProcessor.GetInterval(), 0.0f);
    EXPECT_EQ(Flying()->GetAnimalCount(), 2u);

    mField.Reset();
    mProcessor.Reset();
    Keys(0);
    mProcessor.SetPeriod(10.0f, 0);
    Play(8);
    EXPECT_EQ(Flying()->GetAnimalCount(), 0u);
    mProcessor.SetPeriod(10.0f, -1);
    Game()->SetPlayState(4);
    Step(mProcessor, 0.25);
    Game()->SetPlayState(8);
    for (int i = 0; i < 8; ++i)
        Step(mProcessor, 0.25);
    EXPECT_EQ(Flying()->GetAnimalCount(), 0u);
}

TEST_F(AnimalsProcessorTest, FromAboveOrBelowTheAnimalHeadsBesideTheLauncher)
{
    for (UInt32 i = 0; i < 20; ++i) {
        mField.Reset();
        mField.GetAnimalSelector()->Set(6, 1);
        Game()->SetPosition(100.0f, -300.0f);
        ASSERT_TRUE(mProcessor.SpawnAnimal());
        const FlyingAnimal& flying = *Flying()->GetAnimal(0);
        const Math::Vector<Float>& start = flying.mAnimal->GetPosition();
        EXPECT_EQ(std::fabs(start.y), 500.0f);
        EXPECT_LE(std::fabs(start.x), 640.0f);
        // Where the flight crosses y = 0.
        const Float t = -start.y / flying.mVelocity.y;
        const Float x = start.x + t * flying.mVelocity.x - 100.0f;
        EXPECT_GE(std::fabs(x), 119.9f);
        EXPECT_LE(std::fabs(x), 240.1f);
    }
}

TEST_F(AnimalsProcessorTest, IntoAChainTheAnimalComesFromTheEdgeThroughTheAxisPoint)
{
    CourseAnimator* course = AddCourse("K R G B Y L");
    ASSERT_TRUE(course->IsRunning());
    ASSERT_EQ(course->CountAnimals(), 6u);
    // A still course: the fly-ins at either end aim between the end animal and its neighbour.
    ASSERT_LT(std::fabs(course->GetFrontSpeed()), 80.0f);
    ASSERT_LT(std::fabs(course->GetBackSpeed()), 80.0f);
    const struct
    {
        UInt32 mMode;
        UInt32 mAnimal;
        UInt32 mNeighbour;
    } cases[] = {{2, 1, 0}, {3, 4, 5}};
    for (const auto& c : cases) {
        Flying()->Reset();
        ASSERT_TRUE(mProcessor.SetMode(c.mMode));
        ASSERT_TRUE(mProcessor.SpawnAnimal()) << c.mMode;
        const Animal& animal = *course->GetAnimalAt(c.mAnimal);
        const Math::Vector<Float> target =
            (animal.GetPosition() + course->GetAnimalAt(c.mNeighbour)->GetPosition()) * 0.5f;
        const FlyingAnimal& flying = *Flying()->GetAnimal(0);
        const Math::Vector<Float>& start = flying.mAnimal->GetPosition();
        ExpectFlightFromEdgeAt(flying, start, target);
        Math::Vector<Float> axis;
        course->GetEllipsis().GetAxisPointNear(animal.mHeading, target, axis);
        // The axis point lies on the line between the start and the target.
        const Float ax = axis.x - start.x;
        const Float ay = axis.y - start.y;
        EXPECT_NEAR(flying.mVelocity.x * ay - flying.mVelocity.y * ax, 0.0f, 0.01f * std::sqrt(ax * ax + ay * ay));
    }

    // Mode 1 aims at an inner colour animal.
    Flying()->Reset();
    ASSERT_TRUE(mProcessor.SetMode(1));
    ASSERT_TRUE(mProcessor.SpawnAnimal());
    const FlyingAnimal& flying = *Flying()->GetAnimal(0);
    Bool hitsInner = false;
    for (UInt32 i = 1; i < 5; ++i) {
        const Math::Vector<Float>& at = course->GetAnimalAt(i)->GetPosition();
        const Math::Vector<Float>& start = flying.mAnimal->GetPosition();
        const Float dx = at.x - start.x;
        const Float dy = at.y - start.y;
        hitsInner |= std::fabs(flying.mVelocity.x * dy - flying.mVelocity.y * dx) < 0.01f * std::sqrt(dx * dx + dy * dy);
    }
    EXPECT_TRUE(hitsInner);
}

TEST_F(AnimalsProcessorTest, ChainModesNeedThreeAnimalsAndAColourInside)
{
    const struct
    {
        const char* mCourse;
        UInt32 mMode;
    } cases[] = {{"K L", 1}, {"K L", 2}, {"K L", 3}, {"K S L", 1}, {"K S L", 2}, {"K S L", 3}};
    for (const auto& c : cases) {
        mField.Reset();
        AddCourse(c.mCourse);
        mProcessor.SetMode(c.mMode);
        EXPECT_FALSE(mProcessor.SpawnAnimal()) << c.mCourse << " " << c.mMode;
        EXPECT_EQ(Flying()->GetAnimalCount(), 0u);
        EXPECT_EQ(mProcessor.GetNormalBudget(), -1);
    }
    // Without a running course nothing flies.
    mField.Reset();
    mProcessor.SetMode(2);
    EXPECT_FALSE(mProcessor.SpawnAnimal());
}

TEST_F(AnimalsProcessorTest, TheKindRuleChoosesFromTheLevelWeightsOrFromTheChains)
{
    AddCourse("K Y Y Y L");
    mField.GetAnimalSelector()->Clear();
    mField.GetAnimalSelector()->Set(7, 5);
    const SInt32 yellow = KindOf('Y');
    const struct
    {
        UInt32 mRule;
        SInt32 mKind;
    } cases[] = {{0, 7}, {1, yellow}, {7, yellow}};
    for (const auto& c : cases) {
        Flying()->Reset();
        mProcessor.Reset();
        mProcessor.SetSpeedBounds(1.0f, 1.0f);
        mProcessor.SetPeriod(10.0f, -1);
        Keys(0, 0.5f, c.mRule);
        Play(2);
        ASSERT_EQ(Flying()->GetAnimalCount(), 1u) << c.mRule;
        EXPECT_EQ(Flying()->GetAnimal(0)->mAnimal->GetKind(), c.mKind) << c.mRule;
    }
}

TEST_F(AnimalsProcessorTest, BadLevelValuesSendNothingOrPlayOn)
{
    AddCourse("K R G B Y L");
    const struct
    {
        const char* mName;
        Float mLower;
        Float mUpper;
        Float mInterval;
        UInt32 mMode;
        Float mPeriod;
        UInt32 mCourse;
        Bool mSpawns;
    } cases[] = {
        {"zero speed", 0.0f, 0.0f, 0.5f, 0, 10.0f, 0, false},
        {"negative speed", -400.0f, -300.0f, 0.5f, 0, 10.0f, 0, false},
        {"NaN speed", kNaN, kNaN, 0.5f, 0, 10.0f, 0, false},
        {"speeds reversed", 400.0f, 300.0f, 0.5f, 0, 10.0f, 0, true},
        {"NaN interval", 300.0f, 400.0f, kNaN, 0, 10.0f, 0, false},
        {"negative interval", 300.0f, 400.0f, -1.0f, 0, 10.0f, 0, false},
        {"mode out of range", 300.0f, 400.0f, 0.5f, 9, 10.0f, 0, true},
        {"course out of range", 300.0f, 400.0f, 0.5f, 2, 10.0f, 0xFFFFFFFFu, true},
        {"NaN period", 300.0f, 400.0f, 0.5f, 0, kNaN, 0, true},
        {"negative period", 300.0f, 400.0f, 0.5f, 0, -5.0f, 0, true},
    };
    for (const auto& c : cases) {
        Flying()->Reset();
        mProcessor.Reset();
        mProcessor.SetSpeedBounds(c.mLower, c.mUpper);
        mProcessor.SetPeriod(c.mPeriod, -1);
        mProcessor.AddKeys(0.0f, FloatValue(c.mInterval), UIntValue(c.mMode), UIntValue(0xFFFFFFFFu),
                           UIntValue(c.mCourse));
        Play(4);
        EXPECT_EQ(Flying()->GetAnimalCount() > 0, c.mSpawns) << c.mName;
        EXPECT_EQ(mProcessor.GetNormalBudget(), -1) << c.mName;
        for (UInt32 i = 0; i < Flying()->GetAnimalCount(); ++i) {
            const Math::Vector<Float>& v = Flying()->GetAnimal(i)->mVelocity;
            EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y)) << c.mName;
        }
    }
}

} // namespace
} // namespace App
} // namespace Vorn
