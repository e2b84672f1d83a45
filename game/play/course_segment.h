// One run of touching animals on a course's ellipse, rear first. A course holds its chain as an
// ordered list of segments; this class lays them out, moves, cuts, inserts into and joins them,
// and finds the runs of matching animals. The segment never owns its animals (the pool does).
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace App {

class Animal;
class AnimalContainer;
class AnimalCounter;
class Ellipsis;
class FlyingAnimal;
class FlyingObject;
struct ScoreEvent;

class CourseSegment
{
public:
    explicit CourseSegment(Ellipsis* ellipse);
    virtual ~CourseSegment() {}

    Bool HasPendingCheck() const;
    // Busy while it holds a run to remove or an insertion is pending.
    Bool IsBusy() const;

    // Operations that take an index refuse one beyond the count: false, nothing changed.
    // The new segments are made with new and handed to the caller.
    Bool SplitAt(SInt32 index, CourseSegment*& segment);
    Bool SplitForInsert(SInt32 index, FlyingObject& record, CourseSegment*& segment);
    // Moves an insertion in front of an end piece to just inside it.
    Bool AdjustInsertIndexAtEnds(SInt32& index) const;
    // True (and the record finished) when the animal at the insertion point cannot take a shot.
    Bool RejectsInsertAt(SInt32 index, FlyingObject& record) const;
    Bool InsertAnimal(SInt32 index, Animal* animal);
    Bool AppendAnimal(Animal* animal);
    void MakeRoomFor(SInt32 collidingIndex, const FlyingAnimal& record);
    Bool InsertCollidingAnimal(SInt32 collidingIndex, FlyingAnimal& record);

    void Relayout();
    void Move(Float distance);
    void ShiftPathPositions(Double delta);
    void SetAnimalsVisible();
    // Adds each animal to its kind's tally; the number of animals (0 without a counter).
    SInt32 GetAnimals(AnimalCounter* counter) const;
    Animal* GetFirstAnimal() const;
    Animal* GetLastAnimal() const;
    Animal* GetAnimal(SInt32 index) const;
    SInt32 GetCount() const { return mAnimals.GetCount(); }
    void PlaceFirstAnimal(Double pathPosition);
    Bool OrderAfter(const CourseSegment& previous);
    void RelayoutAndUpdate();
    Bool ReleaseAll(AnimalContainer& container);
    Bool RemoveAnimalAt(SInt32 index, AnimalContainer& container);
    Bool TouchesNext(const CourseSegment& next) const;
    Bool SeparateFrom(CourseSegment& next, Bool pushNext, Bool pushThis);
    // Appends the following segment's animals; a matching pair of gap ends gets a pending check.
    Bool Join(CourseSegment& next);
    // The first active animal overlapping the circle; -1 when none.
    SInt32 FindCollidingAnimal(const Math::Vector<Float>& point, Float radius) const;
    void ClearMatchFlags();
    // The index of the first checked animal when its run is long enough, else -1; appends the
    // score event of the check. A run that goes on into a neighbouring segment gives -1.
    SInt32 FindMatchCandidate(SInt32 threshold, const Animal* outerLeft, const Animal* outerRight,
                              Array<ScoreEvent>& events) const;
    // Cuts the run around the index out: this segment or a new run segment gets the remove flag;
    // the animals beyond the run go to a new rest segment. Either new segment may be null.
    Bool FindMatchRun(SInt32 index, SInt32 threshold, CourseSegment*& run, CourseSegment*& rest);

    Array<Animal*> mAnimals;
    Bool mRemove = false;
    SInt32 mCollidingIndex = -1;
    Float mCollidingSide = 0.0f;
    Ellipsis* mEllipse;
    Bool mSplit = false;

private:
    // Moves animals from index on into a new segment.
    CourseSegment* CutFrom(SInt32 index);
    void SetFacing(Animal& animal) const;
};

} // namespace App
} // namespace Vorn
