#include "game/play/course_segment.h"

#include "foundation/math.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/animal_selector.h"
#include "game/play/ellipse.h"
#include "game/play/flying_object.h"
#include "game/game_state.h"

#include <algorithm>

namespace Vorn {
namespace App {

namespace {

// Pushing loops stop at this many overlap checks, so a stuck pair cannot hold the step.
constexpr SInt32 MaxOverlapChecks = 100;
constexpr Float SideEpsilon = 0.0000005f;
constexpr SInt32 QuietRelease = 1;

Bool Overlap(const Animal& a, const Animal& b)
{
    const Float dx = a.mPosition.x - b.mPosition.x;
    const Float dy = a.mPosition.y - b.mPosition.y;
    const Float reach = a.mRadius + b.mRadius;
    return dx * dx + dy * dy < reach * reach;
}

// Whether b continues a run whose reference animal is r.
Bool ContinuesRun(const Animal& reference, const Animal& b)
{
    return b.IsMatchable() && !b.mFrozen && reference.Matches(b);
}

// One side of the run around a checked animal.
struct RunSide {
    SInt32 mLength = 1;             // the checked animal plus every match on this side
    const Animal* mReference;       // the reference after the walk (a joker takes a colour)
    Bool mReachedEnd = false;       // the walk ran off the segment
};

RunSide WalkRun(const Array<Animal*>& animals, SInt32 index, SInt32 step)
{
    RunSide side;
    side.mReference = animals[index];
    SInt32 k = index + step;
    while (k >= 0 && k < animals.GetCount() && ContinuesRun(*side.mReference, *animals[k])) {
        ++side.mLength;
        if (side.mReference->GetKind() == Animal::KindJoker)
            side.mReference = animals[k];
        k += step;
    }
    side.mReachedEnd = k < 0 || k >= animals.GetCount();
    return side;
}

// The jokers directly beside the index in one direction.
SInt32 CountJokers(const Array<Animal*>& animals, SInt32 index, SInt32 step)
{
    SInt32 count = 0;
    for (SInt32 k = index + step; k >= 0 && k < animals.GetCount() && animals[k]->GetKind() == Animal::KindJoker; k += step)
        ++count;
    return count;
}

// The full count around a checked animal, without the neighbouring segments.
struct RunCount {
    RunSide mLeft;
    RunSide mRight;
    SInt32 mJokersLeft = 0;
    SInt32 mJokersRight = 0;
    Bool mJoker = false;
    Bool mSidesMatch = false;
};

RunCount CountRun(const Array<Animal*>& animals, SInt32 index)
{
    RunCount count;
    count.mJoker = animals[index]->GetKind() == Animal::KindJoker;
    if (count.mJoker) {
        count.mJokersRight = CountJokers(animals, index, 1);
        count.mJokersLeft = CountJokers(animals, index, -1);
    }
    count.mLeft = WalkRun(animals, index, -1);
    count.mRight = WalkRun(animals, index, 1);
    count.mSidesMatch = count.mLeft.mReference->Matches(*count.mRight.mReference);
    return count;
}

} // namespace

CourseSegment::CourseSegment(Ellipsis* ellipse) : mEllipse(ellipse) {}

Bool CourseSegment::HasPendingCheck() const
{
    for (const Animal* animal : mAnimals)
        if (animal->mCheckMatch)
            return true;
    return false;
}

Bool CourseSegment::IsBusy() const
{
    return mRemove || (mCollidingIndex >= 0 && mCollidingIndex < GetCount());
}

CourseSegment* CourseSegment::CutFrom(SInt32 index)
{
    CourseSegment* segment = new CourseSegment(mEllipse);
    for (SInt32 k = index; k < GetCount(); ++k)
        segment->mAnimals.Add(mAnimals[k]);
    mAnimals.SetCount(index);
    return segment;
}

Bool CourseSegment::SplitAt(SInt32 index, CourseSegment*& segment)
{
    if (index < 0 || index > GetCount())
        return false;
    segment = CutFrom(index);
    return true;
}

Bool CourseSegment::SplitForInsert(SInt32 index, FlyingObject& record, CourseSegment*& segment)
{
    segment = nullptr;
    if (index < 0 || index > GetCount())
        return false;
    if (index == 0) {
        mCollidingIndex = 0;
        mCollidingSide = 1.0f;
        record.mContacts[0] = GetFirstAnimal();
        return true;
    }
    mCollidingIndex = index - 1;
    mCollidingSide = -1.0f;
    record.mContacts[0] = mAnimals[index - 1];
    if (index < GetCount()) {
        record.mContacts[1] = mAnimals[index];
        segment = CutFrom(index);
        segment->mCollidingIndex = 0;
        segment->mCollidingSide = 1.0f;
    }
    return true;
}

Bool CourseSegment::AdjustInsertIndexAtEnds(SInt32& index) const
{
    if (GetCount() == 0)
        return false;
    if (index == 0 && GetFirstAnimal()->IsEndPiece()) {
        index = 1;
        return true;
    }
    if (index == GetCount() && GetLastAnimal()->IsEndPiece()) {
        index = GetCount() - 1;
        return true;
    }
    return false;
}

Bool CourseSegment::RejectsInsertAt(SInt32 index, FlyingObject& record) const
{
    if (index < 0 || index > GetCount() || GetCount() == 0)
        return false;
    const Animal* tested;
    if (index == 0)
        tested = GetFirstAnimal();
    else if (index == GetCount())
        tested = GetLastAnimal();
    else if (mAnimals[index - 1]->IsMatchable())
        return false;
    else
        tested = mAnimals[index];
    if (tested->IsMatchable())
        return false;
    record.mIsFinished = true;
    return true;
}

void CourseSegment::SetFacing(Animal& animal) const
{
    const SInt32 kind = animal.GetKind();
    const Bool upright = (kind >= 2 && kind <= Animal::KindJoker) || animal.mFrozen;
    animal.SetFacingAngle(upright ? 0.0f : Float(Math::Pi));
}

Bool CourseSegment::InsertAnimal(SInt32 index, Animal* animal)
{
    if (!animal || index < 0 || index > GetCount())
        return false;
    SetFacing(*animal);
    mAnimals.InsertAt(index, animal);
    return true;
}

Bool CourseSegment::AppendAnimal(Animal* animal)
{
    if (!animal)
        return false;
    SetFacing(*animal);
    mAnimals.Add(animal);
    return true;
}

void CourseSegment::MakeRoomFor(SInt32 collidingIndex, const FlyingAnimal& record)
{
    const SInt32 count = GetCount();
    if (!record.mAnimal || collidingIndex < 0 || collidingIndex >= count)
        return;
    if (collidingIndex != 0 && collidingIndex < count - 1)
        return;
    if (Math::Abs(mCollidingSide) <= SideEpsilon)
        return;
    for (SInt32 checks = 1; Overlap(*record.mAnimal, *mAnimals[collidingIndex]) && checks < MaxOverlapChecks; ++checks)
        Move(mCollidingSide);
}

Bool CourseSegment::InsertCollidingAnimal(SInt32 collidingIndex, FlyingAnimal& record)
{
    const Float side = mCollidingSide;
    mCollidingIndex = -1;
    mCollidingSide = 0.0f;
    if (!record.mAnimal || collidingIndex < 0 || collidingIndex >= GetCount())
        return false;
    const SInt32 index = collidingIndex == 0 ? (side < 0.0f ? 1 : 0) : collidingIndex + 1;
    if (!InsertAnimal(index, record.mAnimal))
        return false;
    Animal& animal = *record.mAnimal;
    const Animal& neighbour = *mAnimals[index == 0 ? 1 : index - 1];
    mEllipse->PlaceBehind(neighbour, animal, index != 0);
    mEllipse->PlaceOnEllipse(animal);
    Relayout();
    return true;
}

void CourseSegment::Relayout()
{
    if (GetCount() == 0)
        return;
    const Float rotation = mEllipse->GetRotation();
    Animal* previous = mAnimals[0];
    mEllipse->PlaceOnEllipse(*previous);
    previous->SetSecondAngle(rotation);
    for (SInt32 k = 1; k < GetCount(); ++k) {
        Animal* animal = mAnimals[k];
        mEllipse->PlaceBehind(*previous, *animal, true);
        mEllipse->PlaceOnEllipse(*animal);
        animal->SetSecondAngle(rotation);
        previous = animal;
    }
}

void CourseSegment::Move(Float distance)
{
    if (GetCount() == 0)
        return;
    Animal& first = *mAnimals[0];
    mEllipse->MoveBy(first, distance);
    Relayout();
}

void CourseSegment::ShiftPathPositions(Double delta)
{
    for (Animal* animal : mAnimals)
        animal->AddPathPosition(delta);
}

void CourseSegment::SetAnimalsVisible()
{
    for (Animal* animal : mAnimals)
        animal->SetActive(true);
}

SInt32 CourseSegment::GetAnimals(AnimalCounter* counter) const
{
    if (!counter)
        return 0;
    for (const Animal* animal : mAnimals)
        counter->Increment(animal->GetKind());
    return GetCount();
}

Animal* CourseSegment::GetFirstAnimal() const
{
    return GetCount() > 0 ? mAnimals[0] : nullptr;
}

Animal* CourseSegment::GetLastAnimal() const
{
    return GetCount() > 0 ? mAnimals.GetLast() : nullptr;
}

Animal* CourseSegment::GetAnimal(SInt32 index) const
{
    return index >= 0 && index < GetCount() ? mAnimals[index] : nullptr;
}

void CourseSegment::PlaceFirstAnimal(Double pathPosition)
{
    if (GetCount() == 0)
        return;
    mEllipse->SetParameter(*mAnimals[0], pathPosition);
    mEllipse->PlaceOnEllipse(*mAnimals[0]);
}

Bool CourseSegment::OrderAfter(const CourseSegment& previous)
{
    if (GetCount() == 0 || previous.GetCount() == 0)
        return false;
    const Double previousEnd = previous.GetLastAnimal()->mPathPosition;
    if (!(previousEnd > GetFirstAnimal()->mPathPosition))
        return false;
    PlaceFirstAnimal(previousEnd);
    Relayout();
    return true;
}

void CourseSegment::RelayoutAndUpdate()
{
    Relayout();
    for (Animal* animal : mAnimals)
        animal->UpdateTransform();
}

Bool CourseSegment::ReleaseAll(AnimalContainer& container)
{
    for (Animal* animal : mAnimals)
        container.ReleaseAnimal(animal, QuietRelease);
    mAnimals.Clear();
    return true;
}

Bool CourseSegment::RemoveAnimalAt(SInt32 index, AnimalContainer& container)
{
    if (index < 0 || index >= GetCount())
        return false;
    container.ReleaseAnimal(mAnimals[index], QuietRelease);
    mAnimals.RemoveAt(index);
    return true;
}

Bool CourseSegment::TouchesNext(const CourseSegment& next) const
{
    if (GetCount() == 0 || next.GetCount() == 0)
        return false;
    return Overlap(*GetLastAnimal(), *next.GetFirstAnimal());
}

Bool CourseSegment::SeparateFrom(CourseSegment& next, Bool pushNext, Bool pushThis)
{
    if (GetCount() == 0 || next.GetCount() == 0 || (!pushNext && !pushThis))
        return false;
    for (SInt32 checks = 1; Overlap(*GetLastAnimal(), *next.GetFirstAnimal()) && checks < MaxOverlapChecks; ++checks) {
        if (pushThis)
            Move(-1.0f);
        if (pushNext)
            next.Move(1.0f);
    }
    return true;
}

Bool CourseSegment::Join(CourseSegment& next)
{
    Animal* last = GetLastAnimal();
    Animal* first = next.GetFirstAnimal();
    if (last && first && last->Matches(*first)) {
        for (Animal* end : {last, first})
            if (end->mGapEnd)
                end->mCheckMatch = true;
    }
    for (Animal* end : {last, first})
        if (end)
            end->mGapEnd = false;
    for (Animal* animal : next.mAnimals)
        mAnimals.Add(animal);
    next.mAnimals.Clear();
    Relayout();
    return true;
}

SInt32 CourseSegment::FindCollidingAnimal(const Math::Vector<Float>& point, Float radius) const
{
    for (SInt32 k = 0; k < GetCount(); ++k) {
        const Animal& animal = *mAnimals[k];
        if (!animal.mOnScreen)
            continue;
        const Float dx = animal.mPosition.x - point.x;
        const Float dy = animal.mPosition.y - point.y;
        const Float reach = animal.mRadius + radius;
        if (dx * dx + dy * dy < reach * reach)
            return k;
    }
    return -1;
}

void CourseSegment::ClearMatchFlags()
{
    const SInt32 count = GetCount();
    for (SInt32 k = 0; k < count; ++k) {
        Animal& animal = *mAnimals[k];
        const Bool atEnd = k == 0 || k == count - 1;
        const Bool clear = atEnd ? (animal.mCheckMatch && animal.mGapEnd) : (animal.mCheckMatch || animal.mGapEnd);
        if (clear) {
            animal.mCheckMatch = false;
            animal.mShot = false;
            animal.mGapEnd = false;
        }
    }
}

SInt32 CourseSegment::FindMatchCandidate(SInt32 threshold, const Animal* outerLeft, const Animal* outerRight,
                                         Array<ScoreEvent>& events) const
{
    SInt32 index = 0;
    while (index < GetCount() && !mAnimals[index]->mCheckMatch)
        ++index;
    if (index == GetCount())
        return -1;
    const Animal& checked = *mAnimals[index];
    const RunCount run = CountRun(mAnimals, index);
    // A run that goes on into a segment that has not joined yet waits for the join.
    if (run.mLeft.mReachedEnd && outerLeft && run.mLeft.mReference->Matches(*outerLeft))
        return -1;
    if (run.mRight.mReachedEnd && outerRight && run.mRight.mReference->Matches(*outerRight))
        return -1;
    const Bool found = run.mJokersRight + run.mLeft.mLength >= threshold ||
                       run.mJokersLeft + run.mRight.mLength >= threshold ||
                       ((!run.mJoker || run.mSidesMatch) && run.mLeft.mLength + run.mRight.mLength - 1 >= threshold);
    ScoreEvent event;
    event.mPosition = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    if (found) {
        event.mPosition = checked.mPosition;
        event.mType = checked.mShot ? 3 : 4;
        events.Add(event);
        return index;
    }
    if (checked.mShot) {
        event.mType = 5;
        events.Add(event);
    }
    return -1;
}

Bool CourseSegment::FindMatchRun(SInt32 index, SInt32 threshold, CourseSegment*& run, CourseSegment*& rest)
{
    run = nullptr;
    rest = nullptr;
    if (index < 0 || index > GetCount())
        return false;
    if (index == GetCount())
        return true;
    const RunCount count = CountRun(mAnimals, index);
    const SInt32 left = count.mLeft.mLength;
    const SInt32 right = count.mRight.mLength;
    SInt32 first = index;
    SInt32 last = index;
    if (count.mJoker && !count.mSidesMatch) {
        if (left + count.mJokersRight >= threshold) {
            first = index - left + 1;
            last = index + count.mJokersRight;
        }
        if (right + count.mJokersLeft >= threshold) {
            last = index + right - 1;
            first = std::min(first, index - count.mJokersLeft);
        }
    } else if (left + right - 1 >= threshold) {
        first = index - left + 1;
        last = index + right - 1;
    }
    if (last + 1 < GetCount()) {
        rest = CutFrom(last + 1);
        rest->mSplit = true;
    }
    if (first == 0) {
        mRemove = true;
        mSplit = true;
        return true;
    }
    run = CutFrom(first);
    run->mRemove = true;
    mSplit = true;
    return true;
}

} // namespace App
} // namespace Vorn
