#include "game/play/course_animator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/course_segment.h"
#include "game/play/course_strip.h"
#include "game/play/flying_object.h"
#include "game/play/play_seed.h"
#include "game/play/weapon.h"
#include "tests/support/chain_text.h"
#include "tests/support/course_records.h"
#include "tests/support/fake_animal_container.h"
#include "tests/support/recording_explosion_handler.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class CourseAnimatorTest : public ::testing::Test
{
protected:
    CourseAnimatorTest() : mPool(250)
    {
        SetPlaySeed(11);
        mCourse = std::make_unique<CourseAnimator>(&mPool, &mEffects, &mGameState, &mFlying, nullptr, &mStrip);
    }
    ~CourseAnimatorTest() override
    {
        mCourse.reset();
        ClearPlaySeed();
    }

    // Sets the record up and starts the course at once.
    void Start(const CourseRecord& record)
    {
        mCourse->Setup(&record, 1, false);
        ASSERT_TRUE(mCourse->Trigger(0));
    }

    std::vector<UInt32> EventTypes() { return Testing::ScoreEventTypes(mGameState); }

    FakeAnimalContainer mPool;
    RecordingExplosionHandler mEffects;
    GameState mGameState;
    FlyingObjectHandler mFlying;
    CourseStrip mStrip;
    std::unique_ptr<CourseAnimator> mCourse;
};

TEST_F(CourseAnimatorTest, StartsAfterItsDelayAndRetriesWhenShortOfAnimals)
{
    CourseRecord record = Record("K R Gf B L", 0.5f);
    record.mPathPieces[0].mTime = 2.0f;
    mCourse->Setup(&record, 1, false);
    EXPECT_FALSE(mCourse->Trigger(0));
    EXPECT_EQ(mCourse->GetState(), CourseAnimator::StateDelayed);
    EXPECT_EQ(mCourse->GetStartDelay(), 2.0f);
    mCourse->Step(1.0);
    mCourse->Step(1.0);
    mCourse->Step(1.0);
    ASSERT_TRUE(mCourse->IsRunning());
    ASSERT_EQ(mCourse->GetSegmentCount(), 1);
    EXPECT_EQ(Kinds(mCourse->GetSegmentAt(0)), "KRGBL");
    EXPECT_TRUE(mCourse->GetAnimalAt(2)->mFrozen);
    EXPECT_FLOAT_EQ(Float(mCourse->GetAnimalAt(0)->mPathPosition), 0.5f);
    EXPECT_TRUE(mCourse->IsActive());
    EXPECT_FLOAT_EQ(mCourse->GetEllipsis().GetRadiusA(), 300.0f);

    // Five animals need 25 free ones.
    FakeAnimalContainer small(24);
    CourseAnimator starved(&small, &mEffects, &mGameState, &mFlying, nullptr, nullptr);
    CourseRecord now = Record("K R G B L");
    starved.Setup(&now, 1, false);
    EXPECT_FALSE(starved.Trigger(0));
    EXPECT_EQ(starved.GetState(), CourseAnimator::StateDelayed);
    EXPECT_EQ(starved.GetStartDelay(), 1.0f);
    starved.Step(0.5);
    starved.Step(0.5);
    starved.Step(0.5);
    EXPECT_EQ(starved.GetState(), CourseAnimator::StateDelayed);
    EXPECT_EQ(small.mObtainCalls, 0);
}

TEST_F(CourseAnimatorTest, TheSecondTriggerRepeatsThePathFromTheSecondPiece)
{
    CourseRecord record = Record("K R G B L", 0.0f, 0.0f, 300.0f, 300.0f);
    record.mPathPieces.Add(Piece(2.0f, {{kRadiusA, 200.0f}}));
    record.mPathPieces.Add(Piece(4.0f, {{kRadiusA, 100.0f}}));
    record.mKeyFramePeriod = 4.0f;
    record.mKeyFrameWrap = -1;
    record.mSecondTrigger = 7;
    mCourse->Setup(&record, 1, false);
    ASSERT_TRUE(mCourse->Trigger(0));
    EXPECT_EQ(mCourse->GetSecondTriggerState(), 0);
    mCourse->AdvanceTimelines(3.0);
    EXPECT_FLOAT_EQ(mCourse->GetEllipsis().GetRadiusA(), 150.0f);

    // Course 7 finishes: from then on the path runs 0 to 4 s, then again from 2 s, for ever.
    EXPECT_TRUE(mCourse->Trigger(7));
    EXPECT_EQ(mCourse->GetSecondTriggerState(), 3);
    mCourse->AdvanceTimelines(0.0);
    EXPECT_FLOAT_EQ(mCourse->GetEllipsis().GetRadiusA(), 300.0f);
    // Five seconds on: once through, then a second into the repeat from 2 s.
    for (int i = 0; i < 300; ++i)
        mCourse->AdvanceTimelines(1.0 / 60.0);
    EXPECT_NEAR(mCourse->GetEllipsis().GetRadiusA(), 150.0f, 3.0f);
    for (int i = 0; i < 120; ++i)
        mCourse->AdvanceTimelines(1.0 / 60.0);
    EXPECT_NEAR(mCourse->GetEllipsis().GetRadiusA(), 150.0f, 3.0f);
    // Its own key is ignored.
    EXPECT_TRUE(mCourse->Trigger(1));
}

TEST_F(CourseAnimatorTest, MovesByTheMovementLaw)
{
    struct Case
    {
        const char* name;
        Float baseSpeed;
        Float factor;
        Bool broken;
        Float front;
        Float back;
    };
    // Pull after one step of 0.1 s: 950 x 0.1 x f', f' the factor but at least 0.05.
    const Case cases[] = {
        {"whole", 60.0f, 0.5f, false, 30.0f, 30.0f},
        {"broken", 60.0f, 0.5f, true, 30.0f + 23.75f, -23.75f},
        {"broken backwards", -60.0f, 0.5f, true, 23.75f, -30.0f - 23.75f},
        {"slow game", 60.0f, 0.01f, true, 0.6f + 0.2375f, -0.2375f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mGameState.SetTimeFactor(c.factor);
        CourseRecord record = Record("K R G B Y R G B L", 0.0f, c.baseSpeed);
        if (c.broken)
            record.mAnimalLists.Add(List("R G B Y", 3.0f));
        mCourse = std::make_unique<CourseAnimator>(&mPool, &mEffects, &mGameState, &mFlying, nullptr, nullptr);
        Start(record);
        const Double rear = mCourse->GetAnimalAt(0)->mPathPosition;
        mCourse->Step(0.1);
        EXPECT_FLOAT_EQ(mCourse->GetFrontSpeed(), c.front);
        EXPECT_FLOAT_EQ(mCourse->GetBackSpeed(), c.back);
        EXPECT_EQ(mCourse->GetPullSpeed() == 0.0f, !c.broken);
        EXPECT_EQ(mCourse->GetAnimalAt(0)->mPathPosition > rear, c.front > 0.0f);
    }
}

TEST_F(CourseAnimatorTest, WarningLevelsChangeOnlyPastTheirBands)
{
    CourseRecord record = Record("K R G B L");
    Start(record);
    mCourse->SetStripColourIndex(2);
    const struct
    {
        Float gap;
        SInt32 level;
    } steps[] = {{100.0f, 0}, {476.0f, 0}, {475.9f, 1}, {477.0f, 1}, {477.1f, 0}, {400.0f, 1}, {272.0f, 1},
                 {271.9f, 2}, {273.0f, 2}, {273.1f, 1}, {100.0f, 2}};
    for (const auto& step : steps) {
        mCourse->SetGap(step.gap);
        mCourse->UpdateWarning();
        EXPECT_EQ(mCourse->GetWarningLevel(), step.level) << step.gap;
        EXPECT_EQ(mStrip.GetStyle(), UInt32(6 + step.level));
    }
    mCourse->mActive = false;
    mCourse->UpdateWarning();
    EXPECT_EQ(mCourse->GetWarningLevel(), 0);
    // Indicator values from 21 on are not handed to the strip.
    mCourse->SetStripColourIndex(7);
    mCourse->UpdateWarning();
    EXPECT_EQ(mStrip.GetStyle(), 6u);
}

TEST_F(CourseAnimatorTest, RemovedRunsAreScoredAtTheirMiddle)
{
    CourseRecord record = Record("K R Y Y Y Y B L");
    Start(record);
    mCourse->GetAnimalAt(5)->mCheckMatch = true;
    mCourse->MatchPhase();
    ASSERT_EQ(EventTypes(), (std::vector<UInt32>{4, 12}));
    const ScoreEvent& removed = mGameState.GetScoreEvents()[1];
    EXPECT_EQ(removed.mCount, 4u);
    // The animal at index 2 of the run (2.0 rounded), the fifth of the chain.
    EXPECT_EQ(removed.mPosition.x, mPool.mReleases[2].first->mPosition.x);

    // Charred animals match whatever their kinds.
    CourseRecord charred = Record("K R G B Y B L");
    mCourse = std::make_unique<CourseAnimator>(&mPool, &mEffects, &mGameState, &mFlying, nullptr, nullptr);
    Start(charred);
    for (UInt32 i = 2; i <= 4; ++i)
        mCourse->GetAnimalAt(i)->mCharred = true;
    mCourse->GetAnimalAt(3)->mCheckMatch = true;
    mCourse->MatchPhase();
    EXPECT_EQ(EventTypes().back(), 13u);
    EXPECT_EQ(mGameState.GetScoreEvents().GetLast().mCount, 3u);
}

TEST_F(CourseAnimatorTest, PathPiecesKeyTheTimelines)
{
    mCourse->AddPieceKeys(5.0f, Piece(5.0f, {{kRadiusA, 120.0f}}));
    EXPECT_EQ(mCourse->mRadiusATimeline.GetNumberOfKeys(), 1u);
    EXPECT_EQ(mCourse->mRadiusBTimeline.GetNumberOfKeys(), 0u);
    EXPECT_EQ(mCourse->mCentreTimeline.GetNumberOfKeys(), 0u);
    ASSERT_EQ(mCourse->mEventTimeline.GetNumberOfKeys(), 1u);
    EXPECT_EQ(mCourse->mEventTimeline.GetKey(0).mTime, 5.0f);
    EXPECT_EQ(mCourse->mEventTimeline.GetKey(0).mValue, 0u);

    mCourse->mEventTimeline.ClearKeys();
    mCourse->AddPieceKeys(10.0f, Piece(0.0f, {{kEvent, 3.0f}}));
    mCourse->AddPieceKeys(10.0f, Piece(0.0f, {{kEvent, -2.0f}}));
    const Float times[] = {10.0f, 13.0f, 8.0f};
    const UInt32 values[] = {1, 0, 1};
    ASSERT_EQ(mCourse->mEventTimeline.GetNumberOfKeys(), 3u);
    for (UInt32 i = 0; i < 3; ++i) {
        EXPECT_EQ(mCourse->mEventTimeline.GetKey(i).mTime, times[i]);
        EXPECT_EQ(mCourse->mEventTimeline.GetKey(i).mValue, values[i]);
    }

    // A missing centre coordinate keeps the last one.
    mCourse->mEllipsis.SetCentre(7.0f, 8.0f);
    mCourse->AddPieceKeys(0.0f, Piece(0.0f, {{kCentreX, 1.0f}}));
    mCourse->AddPieceKeys(1.0f, Piece(1.0f, {{kCentreY, 2.0f}}));
    EXPECT_EQ(mCourse->mCentreTimeline.GetKey(0).mValue.y, 8.0f);
    EXPECT_EQ(mCourse->mCentreTimeline.GetKey(1).mValue.x, 1.0f);
    EXPECT_EQ(mCourse->mCentreTimeline.GetKey(1).mValue.y, 2.0f);
}

TEST_F(CourseAnimatorTest, CollapseShrinksTheEllipseAfterTwoSeconds)
{
    const struct
    {
        Float radius;
        Double end;
    } cases[] = {{50.0f, 2.0}, {450.0f, 6.0}};
    for (const auto& c : cases) {
        mCourse->mEllipsis.SetRadiusA(c.radius);
        mCourse->mEllipsis.SetRadiusB(c.radius);
        mCourse->StartCollapse();
        mCourse->AdvanceTimelines(1.9);
        EXPECT_FLOAT_EQ(mCourse->GetEllipsis().GetRadiusA(), c.radius);
        mCourse->AdvanceTimelines(c.end - 1.9 - 0.05);
        EXPECT_EQ(mCourse->GetEllipsis().GetRadiusB() > 50.0f, c.radius > 50.0f) << c.radius;
        mCourse->AdvanceTimelines(0.1);
        EXPECT_FLOAT_EQ(mCourse->GetEllipsis().GetRadiusA(), 50.0f);
        EXPECT_FLOAT_EQ(mCourse->GetEllipsis().GetRadiusB(), 50.0f);
    }
}

TEST_F(CourseAnimatorTest, PathPositionsStayWithinOneTurn)
{
    mCourse->NormalisePathPositions(); // no chain: nothing
    CourseSegment* segment = mCourse->AppendSegment();
    Animal* rear = mPool.ObtainKind(6);
    Animal* front = mPool.ObtainKind(7);
    segment->AppendAnimal(rear);
    mCourse->AppendSegment()->AppendAnimal(front);
    rear->mPathPosition = 7.0;
    front->mPathPosition = 13.0;
    mCourse->NormalisePathPositions();
    EXPECT_NEAR(rear->mPathPosition, 7.0 - Math::TwoPi, 1e-12);
    EXPECT_NEAR(front->mPathPosition, 13.0 - Math::TwoPi, 1e-12);
    EXPECT_NEAR(rear->mPathPosition, 0.717, 1e-3);
}

TEST_F(CourseAnimatorTest, ARhinoRemovesAnimalsYetReportsFalse)
{
    CourseRecord record = Record("K R G B Y R L");
    Start(record);
    Weapon weapon;
    weapon.SetKind(Weapon::KindRhino);
    weapon.SetRadius(40.0f);
    weapon.SetPosition(mCourse->GetAnimalAt(3)->mPosition);
    FlyingWeapon flying(&weapon);
    Animal* behind = mCourse->GetAnimalAt(1);
    Animal* inFront = mCourse->GetAnimalAt(5);
    EXPECT_FALSE(mCourse->OnAreaWeapon(flying, {0, 3}));
    // Within 34 + 40 of the weapon: the blue and its two neighbours, 68 away.
    EXPECT_EQ(mCourse->CountAnimals(), 4u);
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{18});
    EXPECT_EQ(mGameState.GetScoreEvents()[0].mCount, 3u);
    EXPECT_EQ(mPool.mReleases.back().second, 8);
    EXPECT_TRUE(behind->mGapEnd);
    EXPECT_TRUE(inFront->mGapEnd);
    EXPECT_EQ(mCourse->GetPullSpeed(), 0.0f);

    // Outside every weapon kind of the table: nothing happens.
    weapon.SetKind(Weapon::KindCarrot);
    EXPECT_FALSE(mCourse->OnAreaWeapon(flying, {0, 1}));
    EXPECT_EQ(mCourse->CountAnimals(), 4u);
}

TEST_F(CourseAnimatorTest, ANukeCharsAndThaws)
{
    CourseRecord record = Record("K R Gf B L");
    Start(record);
    Weapon weapon;
    weapon.SetKind(Weapon::KindNuke);
    weapon.SetLevel(2);
    weapon.SetPosition(mCourse->GetAnimalAt(2)->mPosition);
    FlyingWeapon flying(&weapon);
    EXPECT_TRUE(mCourse->OnWeaponHit(flying, {0, 2}));
    EXPECT_TRUE(mCourse->GetAnimalAt(1)->mCharred);
    EXPECT_TRUE(mCourse->GetAnimalAt(3)->mCharred);
    EXPECT_FALSE(mCourse->GetAnimalAt(0)->mCharred); // the key cannot char
    EXPECT_FALSE(mCourse->GetAnimalAt(2)->mFrozen);
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{15});
    EXPECT_TRUE(mGameState.GetPoseFlag());
    EXPECT_EQ(mEffects.Numbers(), (std::vector<UInt32>{ExplosionHandler::EffectCharred, ExplosionHandler::EffectIce,
                                                       ExplosionHandler::EffectCharred}));

    weapon.SetKind(Weapon::KindBigTranq);
    weapon.SetLevel(3);
    EXPECT_TRUE(mCourse->OnWeaponHit(flying, {0, 2}));
    EXPECT_FLOAT_EQ(mGameState.GetBigTranqTime(), 12.0f);
}

TEST_F(CourseAnimatorTest, RepeatedCoursesRunShorter)
{
    CourseRecord record = Record("K R G B L", 0.0f, 10.0f);
    record.mPathPieces.Add(Piece(10.0f, {{kRadiusA, 250.0f}, {kBaseSpeed, 40.0f}}));
    record.mPathPieces.Add(Piece(20.0f, {{kRadiusA, 200.0f}, {kBaseSpeed, 80.0f}}));
    mGameState.StartZen();
    const struct
    {
        UInt32 progress;
        Float last;
    } cases[] = {{0, 20.0f}, {1, 20.0f}, {11, 20.0f - 10.0f * 20.0f / 125.0f}, {500, 20.0f - 100.0f * 20.0f / 125.0f}};
    for (const auto& c : cases) {
        mGameState.SetRunStars(c.progress);
        mCourse->Setup(&record, 1, true);
        EXPECT_FLOAT_EQ(mCourse->mRadiusATimeline.GetKey(2).mTime, c.last) << c.progress;
        const Float v = mCourse->mBaseSpeedTimeline.GetKey(1).mValue;
        EXPECT_GE(std::fabs(v), 10.0f);
        EXPECT_LE(std::fabs(v), 40.0f);
        EXPECT_EQ(mCourse->mEventTimeline.GetKey(2).mTime, 20.0f);
    }
}

} // namespace
} // namespace App
} // namespace Vorn
