#include "game/play/course.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/course_segment.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/play_seed.h"
#include "game/play/weapon.h"
#include "tests/support/chain_text.h"
#include "tests/support/fake_animal_container.h"

namespace Vorn {
namespace App {
namespace {

using Testing::Kinds;

class RecordingCourse : public Course
{
public:
    using Course::Course;
    void OnRunRemoved(CourseSegment& run) override { mRemovedRuns.push_back(Kinds(&run)); }
    Bool OnAreaWeapon(FlyingWeapon&, const AnimalOnCourseIndex& location) override
    {
        mAreaHits.push_back(location.mAnimal);
        return true;
    }
    std::vector<std::string> mRemovedRuns;
    std::vector<SInt32> mAreaHits;
};

class CourseTest : public ::testing::Test
{
protected:
    CourseTest() : mPool(300), mCourse(&mPool, &mEffects, &mGameState, &mFlying, nullptr)
    {
        SetPlaySeed(7);
        mCourse.mEllipsis.SetRadiusA(300.0f);
        mCourse.mEllipsis.SetRadiusB(200.0f);
    }
    ~CourseTest() override { ClearPlaySeed(); }

    Animal* MakeAnimal(const std::string& token) { return mPool.ObtainToken(token); }

    // Appends a laid-out segment whose rear animal stands at the path position.
    CourseSegment* Segment(const std::string& text, Double pathPosition)
    {
        CourseSegment* segment = mCourse.AppendSegment();
        mPool.FillSegment(*segment, text, pathPosition);
        return segment;
    }

    std::string Chain() const
    {
        std::string text;
        for (SInt32 s = 0; s < mCourse.GetSegmentCount(); ++s)
            text += (s ? "|" : "") + Kinds(mCourse.GetSegmentAt(s));
        return text;
    }

    std::vector<UInt32> EventTypes() { return Testing::ScoreEventTypes(mGameState); }

    Testing::FakeAnimalContainer mPool;
    ExplosionHandler mEffects;
    GameState mGameState;
    FlyingObjectHandler mFlying;
    RecordingCourse mCourse;
};

TEST_F(CourseTest, AMiddleRunLeavesAGapWhoseEndsCloseIntoAChainReaction)
{
    Segment("K B R R G! G G R R Y L", 0.0);
    mCourse.MatchPhase();
    EXPECT_EQ(Chain(), "KBRR|RRYL");
    EXPECT_EQ(mCourse.mRemovedRuns, std::vector<std::string>{"GGG"});
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{4});
    const CourseSegment* kept = mCourse.GetSegmentAt(0);
    const CourseSegment* rest = mCourse.GetSegmentAt(1);
    EXPECT_TRUE(kept->GetLastAnimal()->mGapEnd);
    EXPECT_TRUE(rest->GetFirstAnimal()->mGapEnd);
    EXPECT_TRUE(kept->mSplit && rest->mSplit);
    EXPECT_EQ(mPool.mReleases.size(), 3u);
    EXPECT_EQ(mPool.mReleases[0].second, 1);

    // The gap closes: the two sides join, both cut by the removal (event 7), and their matching
    // ends are checked in the next match phase (event 4 again).
    while (!kept->TouchesNext(*mCourse.GetSegmentAt(1)))
        mCourse.GetSegmentAt(1)->Move(-1.0f);
    EXPECT_TRUE(mCourse.JoinPhase());
    EXPECT_EQ(Chain(), "KBRRRRYL");
    mCourse.MatchPhase();
    EXPECT_EQ(Chain(), "KB|YL");
    EXPECT_EQ(EventTypes(), (std::vector<UInt32>{4, 7, 4}));
}

TEST_F(CourseTest, AWholeChainScoresWhileTheChainCounterRuns)
{
    Segment("K R G B L", 0.0);
    mGameState.ResetChainCounter();
    mCourse.MatchPhase();
    EXPECT_TRUE(EventTypes().empty());
    mGameState.IncrementChainCounter();
    mCourse.MatchPhase();
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{6});
    Segment("Y", 3.0);
    mCourse.MatchPhase();
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{6});
}

TEST_F(CourseTest, BusySegmentsArePushedApartInsteadOfJoined)
{
    CourseSegment* rear = Segment("K R G B", 0.0);
    CourseSegment* front = Segment("Y R G L", 0.0);
    front->OrderAfter(*rear);
    ASSERT_TRUE(rear->TouchesNext(*front));
    front->mCollidingIndex = 0;
    front->mCollidingSide = 1.0f;
    EXPECT_FALSE(mCourse.JoinPhase());
    EXPECT_EQ(mCourse.GetSegmentCount(), 2);
    EXPECT_FALSE(rear->TouchesNext(*front));
    EXPECT_TRUE(EventTypes().empty());

    // Free again, they join without a pending check: event 8.
    front->mCollidingIndex = -1;
    front->mCollidingSide = 0.0f;
    front->OrderAfter(*rear);
    front->Move(-2.0f);
    EXPECT_TRUE(mCourse.JoinPhase());
    EXPECT_EQ(Chain(), "KRGBYRGL");
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{8});
}

TEST_F(CourseTest, LossAnswers)
{
    // The chain's front stands a given arc length before its rear, one lap on.
    struct Case
    {
        Float gapWanted;
        Bool twoSegments;
        Bool insertionPending;
        Bool closed;
    };
    const Case cases[] = {
        {43.0f, false, false, true},
        {45.0f, false, false, false},
        {43.0f, false, true, false},
        {43.0f, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gapWanted);
        mCourse.Clear();
        CourseSegment* segment = Segment("R G B", 0.0);
        if (c.twoSegments)
            Segment("Y", 3.0);
        CourseSegment* last = mCourse.GetSegmentAt(mCourse.GetSegmentCount() - 1);
        Animal* front = last->GetLastAnimal();
        front->mPathPosition = Math::TwoPi - 0.01;
        while (mCourse.GetEllipsis().GetArcLength(Float(front->mPathPosition), Float(Math::TwoPi)) < c.gapWanted)
            front->mPathPosition -= 0.001;
        mCourse.mInsertionPending = c.insertionPending;
        Math::Vector<Float> where(9.0f, 9.0f, 9.0f, 1.0f);
        EXPECT_EQ(mCourse.IsChainClosed(where), c.closed);
        EXPECT_NEAR(mCourse.GetGap(), c.gapWanted, 1.0f);
        if (c.closed) {
            EXPECT_EQ(where.x, segment->GetFirstAnimal()->mPosition.x);
        }
    }

    // More than a lap long: an overlap of 68 loses even while broken.
    mCourse.Clear();
    Segment("R G B", 0.0);
    Animal* front = Segment("Y", 2.0)->GetFirstAnimal();
    front->mPathPosition = Math::TwoPi;
    while (mCourse.GetEllipsis().GetArcLength(0.0f, Float(front->mPathPosition - Math::TwoPi)) < 68.0f)
        front->mPathPosition += 0.001;
    Math::Vector<Float> where;
    EXPECT_TRUE(mCourse.IsChainClosed(where));
    EXPECT_EQ(mCourse.GetGap(), 0.0f);

    // The collapse: a radius below 51 on an active course with a chain.
    const Float radii[] = {51.0f, 50.99f, NAN};
    const Bool collapsed[] = {false, true, false};
    for (int i = 0; i < 3; ++i) {
        mCourse.mEllipsis.SetRadiusA(radii[i]);
        mCourse.mEllipsis.SetCentre(5.0f, 6.0f);
        Math::Vector<Float> centre;
        EXPECT_EQ(mCourse.IsCollapsed(centre), collapsed[i]) << radii[i];
    }
    mCourse.mActive = false;
    Math::Vector<Float> centre;
    EXPECT_FALSE(mCourse.IsCollapsed(centre));
}

// A shot flies at a chain animal from outside the path, is caught, steered in and inserted.
TEST_F(CourseTest, AFlyingAnimalIsCaughtSteeredAndInserted)
{
    CourseSegment* segment = Segment("K R R G G L", 0.0);
    Animal* target = segment->GetAnimal(2);
    Animal* shot = MakeAnimal("R!*");
    Math::Vector<Float> place = target->mPosition;
    place.x *= 1.3f;
    place.y *= 1.3f;
    shot->SetPosition(place);
    FlyingAnimal* flying = mFlying.SpawnAnimal(shot);
    shot->mRadius = 60.0f;
    mCourse.CollisionPhase();
    EXPECT_EQ(flying->mCourse, &mCourse);
    EXPECT_TRUE(flying->HasContact());
    EXPECT_TRUE(mCourse.IsInsertionPending());
    EXPECT_GT(flying->mReferenceScale, 1.0f);
    shot->mRadius = Animal::DefaultRadius;
    for (int step = 0; step < 200 && mFlying.GetAnimalCount() > 0; ++step) {
        mFlying.Step(1.0 / 60.0);
        mCourse.CollisionPhase();
        mCourse.JoinPhase();
    }
    ASSERT_EQ(mFlying.GetAnimalCount(), 0u);
    EXPECT_EQ(mCourse.CountAnimals(), 7u);
    AnimalOnCourseIndex location;
    ASSERT_TRUE(mCourse.FindAnimal(shot, location));
    mCourse.MatchPhase();
    EXPECT_EQ(Chain().find("RRR"), std::string::npos);
    EXPECT_EQ(mCourse.CountAnimals(), 4u);
    EXPECT_EQ(EventTypes().back(), 3u);
}

// Where the neighbours it was aimed between have gone, the animal is not lost: it is finished,
// so that its animal goes back to the pool.
TEST_F(CourseTest, AFlyingAnimalWithoutNeighboursIsFinished)
{
    CourseSegment* segment = Segment("K R G L", 0.0);
    Animal* shot = MakeAnimal("B");
    FlyingAnimal* flying = mFlying.SpawnAnimal(shot);
    flying->mCourse = &mCourse;
    flying->mReferenceScale = 0.95f;
    flying->SetContact(0, segment->GetAnimal(1));
    shot->SetPosition(segment->GetAnimal(1)->mPosition);
    mCourse.RemoveAnimalAt(1, 1);
    mCourse.CollisionPhase();
    ASSERT_EQ(mFlying.GetAnimalCount(), 1u);
    EXPECT_TRUE(flying->mIsFinished);
    EXPECT_FALSE(flying->HasContact());
}

TEST_F(CourseTest, AShotNearAFrozenAnimalThawsIt)
{
    CourseSegment* segment = Segment("K R Gf B L", 0.0);
    Animal* frozen = segment->GetAnimal(2);
    Animal* shot = MakeAnimal("Y!");
    Math::Vector<Float> place = frozen->mPosition;
    place.x += 60.0f;
    shot->SetPosition(place);
    mFlying.SpawnAnimal(shot);
    mCourse.CollisionPhase();
    EXPECT_FALSE(frozen->mFrozen);
    EXPECT_EQ(mFlying.GetAnimalCount(), 0u);
    EXPECT_EQ(mPool.mReleases.back().first, shot);
    EXPECT_EQ(EventTypes(), std::vector<UInt32>{14});
    EXPECT_EQ(mGameState.GetScoreEvents()[0].mPosition.x, frozen->mPosition.x);
}

TEST_F(CourseTest, AnAreaWeaponSplitsTheChainAndReportsTheStruckAnimal)
{
    Segment("K R G B Y L", 0.0);
    Weapon weapon;
    weapon.SetKind(Weapon::KindNukeBlue);
    weapon.SetRadius(10.0f);
    weapon.SetPosition(mCourse.GetAnimalAt(3)->mPosition);
    FlyingWeapon* flying = mFlying.SpawnWeapon(&weapon);
    mCourse.CollisionPhase();
    EXPECT_TRUE(flying->mIsFinished);
    EXPECT_EQ(mCourse.mAreaHits, std::vector<SInt32>{0});
    EXPECT_EQ(Chain(), "KRG|BYL");
    EXPECT_FALSE(flying->HasContact());
    EXPECT_FALSE(mCourse.GetSegmentAt(0)->IsBusy() || mCourse.GetSegmentAt(1)->IsBusy());
}

TEST_F(CourseTest, EjectingOpensTheChain)
{
    Segment("K R G B L", 0.0);
    const Math::Vector<Float> direction(100.0f, 0.0f, 0.0f, 0.0f);
    Animal* green = mCourse.GetAnimalAt(2);
    EXPECT_TRUE(mCourse.EjectAnimal(2, direction));
    EXPECT_EQ(Chain(), "KR|BL");
    ASSERT_EQ(mFlying.GetAnimalCount(), 1u);
    FlyingAnimal* flying = mFlying.GetAnimal(0);
    EXPECT_EQ(flying->mAnimal, green);
    EXPECT_EQ(flying->mTimer, 4.0f);
    EXPECT_GE(flying->mVelocity.x, 50.0f);
    EXPECT_LE(flying->mVelocity.x, 100.0f);
    EXPECT_GE(flying->mDelay, (2.0f + 0.3f) * 0.7f);
    EXPECT_LE(flying->mDelay, 2.3f);

    // The key stays; the red behind... is none, so nothing opens.
    EXPECT_FALSE(mCourse.EjectAnimal(0, direction));
    EXPECT_EQ(Chain(), "KR|BL");
    // The lock stays, but the blue behind it could go: a gap opens before the lock.
    EXPECT_FALSE(mCourse.EjectAnimal(3, direction));
    EXPECT_EQ(Chain(), "KR|B|L");
}

TEST_F(CourseTest, LookupsRefuseOutOfRangeLocations)
{
    Segment("R G", 0.0);
    const AnimalOnCourseIndex outside[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 3}};
    for (const AnimalOnCourseIndex& location : outside) {
        EXPECT_FALSE(mCourse.IsInsertLocation(location));
        EXPECT_EQ(mCourse.GetAnimal(location), nullptr);
    }
    EXPECT_TRUE(mCourse.IsInsertLocation({0, 2}));
    EXPECT_FALSE(mCourse.IsAnimalLocation({0, 2}));
    EXPECT_EQ(mCourse.GetAnimalAt(2), nullptr);
    EXPECT_FALSE(mCourse.RemoveAnimalAt(2, 1));
    EXPECT_FALSE(mCourse.RemoveSegmentAt(1));
    AnimalOnCourseIndex found;
    EXPECT_FALSE(mCourse.FindAnimal(nullptr, found));
    EXPECT_TRUE(mCourse.RemoveAnimalAt(0, 1));
    EXPECT_TRUE(mCourse.RemoveAnimalAt(0, 1));
    EXPECT_EQ(mCourse.GetSegmentCount(), 0); // emptied segments go
}

} // namespace
} // namespace App
} // namespace Vorn
