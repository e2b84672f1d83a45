// One course: the ellipse its chain lies on and the chain as an ordered list of segments, rear
// first. Each logic step the course handler runs its phases in order: movement (the animator),
// collisions of flying objects with the chain, joining of touching segments, then the match
// search and removal. The course also answers the two loss questions and writes every scoring
// fact into the game state's score events.
#pragma once

#include "foundation/array.h"
#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/play/ellipse.h"

namespace Vorn {
namespace App {

class Animal;
class AnimalContainer;
class CourseSegment;
class ExplosionHandler;
class FlyingAnimal;
class FlyingObject;
class FlyingObjectHandler;
class FlyingWeapon;
class GameState;
class SoundContainer;

// A place in the chain: segment index and animal index.
struct AnimalOnCourseIndex {
    SInt32 mSegment = -1;
    SInt32 mAnimal = -1;
};

class Course
{
public:
    Course(AnimalContainer* animalContainer, ExplosionHandler* explosionHandler, GameState* gameState,
           FlyingObjectHandler* flyingObjectHandler, SoundContainer* soundContainer);
    virtual ~Course();

    // Reactions that the animator gives; the plain course does nothing.
    virtual void OnRunRemoved(CourseSegment& run);
    virtual Bool OnWeaponHit(FlyingWeapon& weapon, const AnimalOnCourseIndex& location);
    virtual Bool OnAreaWeapon(FlyingWeapon& weapon, const AnimalOnCourseIndex& location);

    // Releases every animal to the pool and destroys the segments; true.
    Bool Clear();
    UInt32 CountAnimals() const;
    // Global indices count animals from the rear across all segments; null beyond the end.
    Animal* GetAnimalAt(UInt32 index) const;
    Bool FindAnimal(const Animal* animal, AnimalOnCourseIndex& location) const;
    CourseSegment* GetSegment(const AnimalOnCourseIndex& location) const;
    CourseSegment* GetSegmentAt(SInt32 index) const;
    SInt32 GetSegmentCount() const { return mSegments.GetCount(); }
    Animal* GetAnimal(const AnimalOnCourseIndex& location) const;
    Bool IsInsertLocation(const AnimalOnCourseIndex& location) const;
    Bool IsAnimalLocation(const AnimalOnCourseIndex& location) const;
    Ellipsis& GetEllipsis() { return mEllipsis; }
    const Ellipsis& GetEllipsis() const { return mEllipsis; }
    Bool RemoveSegmentAt(SInt32 index);
    CourseSegment* AppendSegment();
    // The nearest animal across the gap from an insertion at a segment's end; false elsewhere.
    Bool FindNeighbourLocation(const AnimalOnCourseIndex& location, AnimalOnCourseIndex& neighbour) const;
    // Releases the animal with the mode; its segment goes when emptied. False beyond the end.
    Bool RemoveAnimalAt(UInt32 index, SInt32 releaseMode);
    // Throws a colour animal out of the chain as a flying animal; false when it cannot go (a gap
    // may open behind it all the same).
    Bool EjectAnimal(UInt32 index, const Math::Vector<Float>& direction);

    void CollisionPhase();
    // True when segments were joined.
    Bool JoinPhase();
    void MatchPhase();
    void AddAndDefineScoreEventAfterAddingFlyIn(const AnimalOnCourseIndex& location, const FlyingAnimal& record);

    // The loss answers: the chain's front has reached its rear, or the ellipse has shrunk to its
    // centre. The position is where the loss shows.
    Bool IsChainClosed(Math::Vector<Float>& position);
    Bool IsCollapsed(Math::Vector<Float>& position);

    Bool IsActive() const { return mActive; }
    Float GetGap() const { return mGap; }
    void SetGap(Float gap) { mGap = gap; }
    Bool IsInsertionPending() const { return mInsertionPending; }

    Array<CourseSegment*> mSegments;
    Ellipsis mEllipsis;
    Float mInsertionSpeed;
    UInt32 mMatchThreshold;
    UInt32 mFirstKindWeight;
    UInt32 mSecondKindWeight;
    Bool mActive;
    Float mGap;
    Bool mInsertionPending;

protected:
    // Appends a score event of the type at the position (or the default place).
    void AddScoreEvent(UInt32 type, const Math::Vector<Float>* position = nullptr, UInt32 count = 1);
    // A uniform draw from the course's generator in [low, high].
    Float Draw(Float low, Float high);
    // Facing of an animal put into the chain: stones, the joker and frozen animals face 0.
    static void SetFacing(Animal& animal);

    GameState* mGameState;
    AnimalContainer* mAnimalContainer;
    ExplosionHandler* mExplosionHandler;
    FlyingObjectHandler* mFlyingObjectHandler;
    SoundContainer* mSoundContainer;
    Util::TT800 mRng;

private:
    Course(const Course&) = delete;
    Course& operator=(const Course&) = delete;

    Bool WeaponTest(FlyingWeapon& weapon);
    // Whether the flying animal was consumed (thawed a frozen animal or went into the chain); a
    // consumed record is taken out of the handler's list.
    Bool FlyingAnimalTest(FlyingAnimal& record);
    Bool TryInsertAt(const AnimalOnCourseIndex& location, FlyingObject& record);
    void DetachContacts(FlyingObject& record);
    // The first active animal that the circle overlaps.
    Bool FindStruckAnimal(const Math::Vector<Float>& point, Float radius, AnimalOnCourseIndex& location) const;
    // Handles one pair of neighbouring segments; true when they were joined.
    Bool JoinPair(SInt32 k, Bool firstWalk, Bool& pushMiddle);
    void InsertSegmentAt(SInt32 index, CourseSegment* segment);
};

} // namespace App
} // namespace Vorn
