#include "game/play/course_segment.h"

#include "foundation/math.h"
#include "game/play/animal.h"
#include "game/play/animal_selector.h"
#include "game/play/ellipse.h"
#include "game/play/flying_object.h"
#include "game/game_state.h"
#include "tests/support/chain_text.h"
#include "tests/support/fake_animal_container.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace Vorn {
namespace App {
namespace {

using Testing::KindOf;
using Testing::Kinds;

class CourseSegmentTest : public ::testing::Test
{
protected:
    CourseSegmentTest() : mPool(256)
    {
        mEllipse.SetRadiusA(400.0f);
        mEllipse.SetRadiusB(300.0f);
    }

    Animal* MakeAnimal(const std::string& token) { return mPool.ObtainToken(token); }

    // A laid-out segment whose rear animal stands at the path position.
    std::unique_ptr<CourseSegment> Chain(const std::string& text, Double pathPosition = 0.0)
    {
        auto segment = std::make_unique<CourseSegment>(&mEllipse);
        mPool.FillSegment(*segment, text, pathPosition);
        return segment;
    }

    Testing::FakeAnimalContainer mPool;
    Ellipsis mEllipse;
};

TEST_F(CourseSegmentTest, MatchRule)
{
    struct Case {
        const char* chain;
        const char* outerLeft;   // last animal of the previous segment, "" for none
        const char* outerRight;  // first animal of the next segment
        SInt32 candidate;
        SInt32 eventType;        // -1: no event
        const char* kept;        // this segment after the cut
        const char* run;         // the new run segment
        const char* rest;
        Bool keptRemoved;
    };
    const Case cases[] = {
        {"R R! R", "", "", 1, 4, "RRR", "", "", true},
        {"R R!* R", "", "", 1, 3, "RRR", "", "", true},
        {"R R J! G G", "", "", 2, 4, "RRJGG", "", "", true},
        {"G R R! R B", "", "", 2, 4, "G", "RRR", "B", false},
        {"K R R! R L", "", "", 2, 4, "K", "RRR", "L", false},
        {"G R! R R", "", "", 1, 4, "G", "RRR", "", false},
        {"R R! R", "", "R", -1, -1, nullptr, nullptr, nullptr, false},
        {"R! R R", "R", "", -1, -1, nullptr, nullptr, nullptr, false},
        {"R! R R", "G", "B", 0, 4, "RRR", "", "", true},
        {"R R!* G", "", "", -1, 5, nullptr, nullptr, nullptr, false},
        {"R R! G", "", "", -1, -1, nullptr, nullptr, nullptr, false},
        {"R R! Rf R", "", "", -1, -1, nullptr, nullptr, nullptr, false},
        {"Rf Rf! Rf", "", "", -1, -1, nullptr, nullptr, nullptr, false},
        {"Rc Gc! Bc", "", "", 1, 4, "RGB", "", "", true},
        {"Rc G! G G", "", "", 1, 4, "R", "GGG", "", false},
        {"S R! R R S", "", "", 1, 4, "S", "RRR", "S", false},
        {"R J! J G", "", "", 1, 4, "RJJG", "", "", true},
        {"R J! G", "", "", -1, -1, nullptr, nullptr, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chain);
        auto segment = Chain(c.chain);
        Animal* outerLeft = *c.outerLeft ? MakeAnimal(c.outerLeft) : nullptr;
        Animal* outerRight = *c.outerRight ? MakeAnimal(c.outerRight) : nullptr;
        Array<ScoreEvent> events;
        const SInt32 candidate = segment->FindMatchCandidate(3, outerLeft, outerRight, events);
        EXPECT_EQ(candidate, c.candidate);
        if (c.eventType < 0) {
            EXPECT_EQ(events.GetCount(), 0);
        } else {
            ASSERT_EQ(events.GetCount(), 1);
            EXPECT_EQ(events[0].mType, UInt32(c.eventType));
        }
        if (candidate < 0)
            continue;
        CourseSegment* run = nullptr;
        CourseSegment* rest = nullptr;
        ASSERT_TRUE(segment->FindMatchRun(candidate, 3, run, rest));
        std::unique_ptr<CourseSegment> ownedRun(run);
        std::unique_ptr<CourseSegment> ownedRest(rest);
        EXPECT_EQ(Kinds(segment.get()), c.kept);
        EXPECT_EQ(Kinds(run), c.run);
        EXPECT_EQ(Kinds(rest), c.rest);
        EXPECT_EQ(segment->mRemove, c.keptRemoved);
        EXPECT_TRUE(segment->mSplit);
        if (run) {
            EXPECT_TRUE(run->mRemove);
        }
        if (rest) {
            EXPECT_TRUE(rest->mSplit && !rest->mRemove);
        }
    }
}

TEST_F(CourseSegmentTest, RunEventCarriesTheCheckedAnimalsPosition)
{
    auto segment = Chain("R R! R", 0.5);
    Array<ScoreEvent> events;
    ASSERT_EQ(segment->FindMatchCandidate(3, nullptr, nullptr, events), 1);
    EXPECT_EQ(events[0].mPosition.x, segment->mAnimals[1]->mPosition.x);
    EXPECT_EQ(events[0].mPosition.y, segment->mAnimals[1]->mPosition.y);
    EXPECT_TRUE(segment->mAnimals[1]->mCheckMatch); // the course clears it
}

TEST_F(CourseSegmentTest, RelayoutMakesNeighboursTouch)
{
    auto segment = Chain("R G B Y R", 1.0);
    segment->mAnimals[2]->mRadius = 50.0f;
    segment->Relayout();
    for (SInt32 k = 1; k < segment->GetCount(); ++k) {
        const Animal& a = *segment->mAnimals[k - 1];
        const Animal& b = *segment->mAnimals[k];
        EXPECT_GT(b.mPathPosition, a.mPathPosition);
        const Float distance = std::hypot(a.mPosition.x - b.mPosition.x, a.mPosition.y - b.mPosition.y);
        EXPECT_NEAR(distance, a.mRadius + b.mRadius, 0.5f) << k;
    }
    const Double before = segment->mAnimals[4]->mPathPosition;
    segment->Move(10.0f);
    EXPECT_GT(segment->mAnimals[4]->mPathPosition, before);
    segment->Move(-10.0f);
    EXPECT_NEAR(segment->mAnimals[4]->mPathPosition, before, 1e-3);
}

TEST_F(CourseSegmentTest, SplitForInsertSetsNeighboursAndSides)
{
    auto segment = Chain("R G B");
    FlyingAnimal record(nullptr);
    CourseSegment* cut = nullptr;
    EXPECT_FALSE(segment->SplitForInsert(4, record, cut));
    EXPECT_EQ(cut, nullptr);

    ASSERT_TRUE(segment->SplitForInsert(1, record, cut));
    std::unique_ptr<CourseSegment> owned(cut);
    EXPECT_EQ(Kinds(segment.get()), "R");
    EXPECT_EQ(Kinds(cut), "GB");
    EXPECT_EQ(segment->mCollidingIndex, 0);
    EXPECT_EQ(segment->mCollidingSide, -1.0f);
    EXPECT_EQ(cut->mCollidingIndex, 0);
    EXPECT_EQ(cut->mCollidingSide, 1.0f);
    EXPECT_EQ(record.mContacts[0], segment->mAnimals[0]);
    EXPECT_EQ(record.mContacts[1], cut->mAnimals[0]);
    EXPECT_TRUE(segment->IsBusy() && cut->IsBusy());

    auto front = Chain("R G");
    FlyingAnimal atFront(nullptr);
    ASSERT_TRUE(front->SplitForInsert(0, atFront, cut));
    EXPECT_EQ(cut, nullptr);
    EXPECT_EQ(front->mCollidingSide, 1.0f);
    EXPECT_EQ(atFront.mContacts[0], front->mAnimals[0]);
}

TEST_F(CourseSegmentTest, ShotsStayInsideEndPiecesAndBesideColours)
{
    auto segment = Chain("K R S L");
    SInt32 index = 0;
    EXPECT_TRUE(segment->AdjustInsertIndexAtEnds(index));
    EXPECT_EQ(index, 1);
    index = 4;
    EXPECT_TRUE(segment->AdjustInsertIndexAtEnds(index));
    EXPECT_EQ(index, 3);
    index = 2;
    EXPECT_FALSE(segment->AdjustInsertIndexAtEnds(index));

    struct Case {
        SInt32 index;
        Bool rejected;
    } cases[] = {{0, true}, {1, false}, {2, false}, {3, true}, {4, true}, {5, false}};
    for (const Case& c : cases) {
        FlyingAnimal record(nullptr);
        EXPECT_EQ(segment->RejectsInsertAt(c.index, record), c.rejected) << c.index;
        EXPECT_EQ(record.mIsFinished, c.rejected) << c.index;
    }
}

TEST_F(CourseSegmentTest, InsertCollidingAnimalPlacesTheShotBesideItsNeighbour)
{
    struct Case {
        SInt32 colliding;
        Float side;
        SInt32 expectedIndex;
    } cases[] = {{0, 1.0f, 0}, {0, -1.0f, 1}, {1, -1.0f, 2}, {2, -1.0f, 3}};
    for (const Case& c : cases) {
        auto segment = Chain("R G B", 1.0);
        FlyingAnimal record(nullptr);
        record.mAnimal = MakeAnimal("Y");
        segment->mCollidingIndex = c.colliding;
        segment->mCollidingSide = c.side;
        ASSERT_TRUE(segment->InsertCollidingAnimal(c.colliding, record));
        EXPECT_EQ(segment->mAnimals[c.expectedIndex], record.mAnimal) << c.colliding << " " << c.side;
        EXPECT_EQ(segment->mCollidingIndex, -1);
        EXPECT_EQ(segment->mCollidingSide, 0.0f);
        for (SInt32 k = 1; k < segment->GetCount(); ++k)
            EXPECT_GT(segment->mAnimals[k]->mPathPosition, segment->mAnimals[k - 1]->mPathPosition);
    }
    auto segment = Chain("R");
    FlyingAnimal record(nullptr);
    record.mAnimal = MakeAnimal("Y");
    segment->mCollidingIndex = 0;
    EXPECT_FALSE(segment->InsertCollidingAnimal(3, record));
    EXPECT_EQ(segment->mCollidingIndex, -1);
    EXPECT_EQ(segment->GetCount(), 1);
}

TEST_F(CourseSegmentTest, JoinChecksMatchingGapEnds)
{
    auto rear = Chain("G Re");
    auto front = Chain("Re B", 2.0);
    EXPECT_TRUE(rear->Join(*front));
    EXPECT_EQ(Kinds(rear.get()), "GRRB");
    EXPECT_EQ(front->GetCount(), 0);
    EXPECT_TRUE(rear->mAnimals[1]->mCheckMatch && rear->mAnimals[2]->mCheckMatch);
    EXPECT_FALSE(rear->mAnimals[1]->mGapEnd || rear->mAnimals[2]->mGapEnd);

    auto other = Chain("Ge");
    auto next = Chain("Be", 2.0);
    other->Join(*next);
    EXPECT_FALSE(other->mAnimals[0]->mCheckMatch || other->mAnimals[1]->mCheckMatch);
    EXPECT_FALSE(other->mAnimals[0]->mGapEnd || other->mAnimals[1]->mGapEnd);
}

TEST_F(CourseSegmentTest, PushingLoopsSeparateOverlapsAndStayBounded)
{
    auto rear = Chain("R G", 1.0);
    auto front = Chain("B Y", rear->mAnimals[1]->mPathPosition); // on top of the rear one
    EXPECT_TRUE(rear->TouchesNext(*front));
    EXPECT_FALSE(rear->SeparateFrom(*front, false, false));
    EXPECT_TRUE(rear->SeparateFrom(*front, true, true));
    EXPECT_FALSE(rear->TouchesNext(*front));

    // A shot that can never be cleared (on the centre of a huge animal) ends after 99 moves.
    auto segment = Chain("R G", 1.0);
    FlyingAnimal record(nullptr);
    record.mAnimal = MakeAnimal("Y");
    record.mAnimal->mRadius = 1.0e6f;
    segment->mCollidingSide = -1.0f;
    segment->MakeRoomFor(1, record);
    EXPECT_LT(segment->mAnimals[0]->mPathPosition, 1.0);
    segment->mAnimals[1]->mRadius = std::nanf("");
    segment->MakeRoomFor(1, record);
}

TEST_F(CourseSegmentTest, RefusesIndicesBeyondTheCount)
{
    auto segment = Chain("R G");
    CourseSegment* cut = nullptr;
    CourseSegment* rest = nullptr;
    EXPECT_FALSE(segment->SplitAt(3, cut));
    EXPECT_FALSE(segment->SplitAt(-1, cut));
    EXPECT_FALSE(segment->FindMatchRun(3, 3, cut, rest));
    EXPECT_FALSE(segment->InsertAnimal(3, MakeAnimal("B")));
    EXPECT_FALSE(segment->RemoveAnimalAt(2, mPool));
    EXPECT_EQ(segment->GetAnimal(2), nullptr);
    EXPECT_EQ(Kinds(segment.get()), "RG");

    ASSERT_TRUE(segment->SplitAt(2, cut));
    EXPECT_EQ(cut->GetCount(), 0);
    delete cut;
}

TEST_F(CourseSegmentTest, CountsReleasesAndClearsFlags)
{
    auto segment = Chain("K!e R!e G* B! L!e");
    AnimalCounter counter;
    EXPECT_EQ(segment->GetAnimals(&counter), 5);
    EXPECT_EQ(segment->GetAnimals(nullptr), 0);
    EXPECT_EQ(counter.Get(0), 1u);
    EXPECT_EQ(counter.Get(6), 1u);
    EXPECT_TRUE(segment->HasPendingCheck());

    segment->ClearMatchFlags();
    EXPECT_FALSE(segment->mAnimals[0]->mCheckMatch); // end with check and gap end
    EXPECT_FALSE(segment->mAnimals[1]->mCheckMatch);
    EXPECT_TRUE(segment->mAnimals[2]->mShot); // neither check nor gap end
    EXPECT_FALSE(segment->mAnimals[3]->mCheckMatch);
    EXPECT_FALSE(segment->HasPendingCheck());

    auto ends = Chain("R! G B!");
    ends->ClearMatchFlags();
    EXPECT_TRUE(ends->mAnimals[0]->mCheckMatch && ends->mAnimals[2]->mCheckMatch);

    Animal* removed = segment->mAnimals[1];
    EXPECT_TRUE(segment->RemoveAnimalAt(1, mPool));
    EXPECT_EQ(Kinds(segment.get()), "KGBL");
    EXPECT_TRUE(segment->ReleaseAll(mPool));
    EXPECT_EQ(segment->GetCount(), 0);
    ASSERT_EQ(mPool.mReleases.size(), 5u);
    EXPECT_EQ(mPool.mReleases[0].first, removed);
    EXPECT_EQ(mPool.mReleases[4].second, 1);
}

TEST_F(CourseSegmentTest, FacingAndCollisionSearch)
{
    auto segment = Chain("R S J Gf K");
    const Float expected[] = {Float(Math::Pi), 0.0f, 0.0f, 0.0f, Float(Math::Pi)};
    for (SInt32 k = 0; k < 5; ++k)
        EXPECT_FLOAT_EQ(segment->mAnimals[k]->mFacingAngle, expected[k]) << k;

    const Animal& third = *segment->mAnimals[2];
    EXPECT_EQ(segment->FindCollidingAnimal(third.mPosition, 1.0f), 2);
    segment->mAnimals[2]->mOnScreen = false;
    const SInt32 found = segment->FindCollidingAnimal(third.mPosition, 1.0f);
    EXPECT_TRUE(found == 1 || found == 3 || found == -1);
    EXPECT_NE(found, 2);
    EXPECT_EQ(segment->FindCollidingAnimal(Math::Vector<Float>(5000.0f, 0.0f, 0.0f, 1.0f), 10.0f), -1);
}

TEST_F(CourseSegmentTest, OrderAfterMovesAnOverlappingSegmentForward)
{
    auto rear = Chain("R G", 1.0);
    auto front = Chain("B", 0.5);
    EXPECT_TRUE(front->OrderAfter(*rear));
    EXPECT_EQ(front->mAnimals[0]->mPathPosition, rear->mAnimals[1]->mPathPosition);
    EXPECT_FALSE(front->OrderAfter(*rear)); // already in order
}

} // namespace
} // namespace App
} // namespace Vorn
