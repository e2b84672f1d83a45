#include "game/play/course.h"

#include <cmath>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_segment.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/play_seed.h"
#include "game/play/weapon.h"

namespace Vorn {
namespace App {

namespace {

constexpr Float kThawReach = 50.0f;
constexpr Float kClosedGap = 44.0f;
constexpr Float kClosedOverlap = 68.0f;
constexpr Float kCollapseRadius = 51.0f;
constexpr SInt32 kMaxPushRounds = 99;

Bool IsAreaWeapon(UInt32 kind)
{
    return kind == Weapon::KindNukeBlue || kind == Weapon::KindHambone || kind == Weapon::KindRhino ||
           kind == Weapon::KindAirstrike;
}

} // namespace

Course::Course(AnimalContainer* animalContainer, ExplosionHandler* explosionHandler, GameState* gameState,
               FlyingObjectHandler* flyingObjectHandler, SoundContainer* soundContainer)
    : mInsertionSpeed(400.0f), mMatchThreshold(3), mFirstKindWeight(1), mSecondKindWeight(1), mActive(true),
      mGap(1000.0f), mInsertionPending(false), mGameState(gameState), mAnimalContainer(animalContainer),
      mExplosionHandler(explosionHandler), mFlyingObjectHandler(flyingObjectHandler), mSoundContainer(soundContainer)
{
    mRng.Seed(GetPlaySeed());
}

Course::~Course()
{
    Clear();
}

void Course::OnRunRemoved(CourseSegment&) {}

Bool Course::OnWeaponHit(FlyingWeapon&, const AnimalOnCourseIndex&)
{
    return false;
}

Bool Course::OnAreaWeapon(FlyingWeapon&, const AnimalOnCourseIndex&)
{
    return false;
}

Bool Course::Clear()
{
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        if (mAnimalContainer != nullptr)
            mSegments[s]->ReleaseAll(*mAnimalContainer);
        delete mSegments[s];
    }
    mSegments.Clear();
    return true;
}

UInt32 Course::CountAnimals() const
{
    UInt32 count = 0;
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s)
        count += UInt32(mSegments[s]->GetCount());
    return count;
}

Animal* Course::GetAnimalAt(UInt32 index) const
{
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        const UInt32 count = UInt32(mSegments[s]->GetCount());
        if (index < count)
            return mSegments[s]->GetAnimal(SInt32(index));
        index -= count;
    }
    return nullptr;
}

Bool Course::FindAnimal(const Animal* animal, AnimalOnCourseIndex& location) const
{
    if (animal == nullptr)
        return false;
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        const CourseSegment& segment = *mSegments[s];
        for (SInt32 a = 0; a < segment.GetCount(); ++a) {
            if (segment.mAnimals[a] == animal) {
                location.mSegment = s;
                location.mAnimal = a;
                return true;
            }
        }
    }
    return false;
}

CourseSegment* Course::GetSegment(const AnimalOnCourseIndex& location) const
{
    return GetSegmentAt(location.mSegment);
}

CourseSegment* Course::GetSegmentAt(SInt32 index) const
{
    return index >= 0 && index < mSegments.GetCount() ? mSegments[index] : nullptr;
}

Animal* Course::GetAnimal(const AnimalOnCourseIndex& location) const
{
    const CourseSegment* segment = GetSegment(location);
    return segment != nullptr ? segment->GetAnimal(location.mAnimal) : nullptr;
}

Bool Course::IsInsertLocation(const AnimalOnCourseIndex& location) const
{
    const CourseSegment* segment = GetSegment(location);
    return segment != nullptr && location.mAnimal >= 0 && location.mAnimal <= segment->GetCount();
}

Bool Course::IsAnimalLocation(const AnimalOnCourseIndex& location) const
{
    const CourseSegment* segment = GetSegment(location);
    return segment != nullptr && location.mAnimal >= 0 && location.mAnimal < segment->GetCount();
}

Bool Course::RemoveSegmentAt(SInt32 index)
{
    if (index < 0 || index >= mSegments.GetCount())
        return false;
    delete mSegments[index];
    mSegments.RemoveAt(index);
    return true;
}

CourseSegment* Course::AppendSegment()
{
    CourseSegment* segment = new CourseSegment(&mEllipsis);
    mSegments.Add(segment);
    return segment;
}

void Course::InsertSegmentAt(SInt32 index, CourseSegment* segment)
{
    if (segment == nullptr)
        return;
    segment->mEllipse = &mEllipsis;
    mSegments.InsertAt(index, segment);
}

Bool Course::FindNeighbourLocation(const AnimalOnCourseIndex& location, AnimalOnCourseIndex& neighbour) const
{
    const CourseSegment* segment = GetSegment(location);
    if (segment == nullptr)
        return false;
    if (location.mAnimal == 0) {
        for (SInt32 s = location.mSegment - 1; s >= 0; --s) {
            if (mSegments[s]->GetCount() > 0 && !mSegments[s]->mRemove) {
                neighbour.mSegment = s;
                neighbour.mAnimal = mSegments[s]->GetCount() - 1;
                return true;
            }
        }
        return false;
    }
    if (location.mAnimal == segment->GetCount()) {
        for (SInt32 s = location.mSegment + 1; s < mSegments.GetCount(); ++s) {
            if (mSegments[s]->GetCount() > 0 && !mSegments[s]->mRemove) {
                neighbour.mSegment = s;
                neighbour.mAnimal = 0;
                return true;
            }
        }
    }
    return false;
}

Bool Course::RemoveAnimalAt(UInt32 index, SInt32 releaseMode)
{
    Animal* animal = GetAnimalAt(index);
    AnimalOnCourseIndex location;
    if (!FindAnimal(animal, location))
        return false;
    if (mAnimalContainer != nullptr)
        mAnimalContainer->ReleaseAnimal(animal, releaseMode);
    CourseSegment& segment = *mSegments[location.mSegment];
    segment.mAnimals.RemoveAt(location.mAnimal);
    if (segment.GetCount() == 0)
        RemoveSegmentAt(location.mSegment);
    return true;
}

Float Course::Draw(Float low, Float high)
{
    return low + (high - low) * Float(Double(mRng.Rand()) / 4294967295.0);
}

void Course::SetFacing(Animal& animal)
{
    const SInt32 kind = animal.GetKind();
    const Bool upright = (kind >= 2 && kind <= Animal::KindJoker) || animal.mFrozen;
    animal.SetFacingAngle(upright ? 0.0f : Float(Math::Pi));
}

void Course::AddScoreEvent(UInt32 type, const Math::Vector<Float>* position, UInt32 count)
{
    if (mGameState == nullptr)
        return;
    ScoreEvent& event = mGameState->AddScoreEvent();
    event.mPosition = position != nullptr ? *position : Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    event.mType = type;
    event.mCount = count;
    event.mValue = 0;
}

Bool Course::EjectAnimal(UInt32 index, const Math::Vector<Float>& direction)
{
    auto ejectable = [](const Animal* animal) {
        return animal != nullptr && animal->IsMatchable() && !animal->mCharred && !animal->mFrozen;
    };
    Animal* animal = GetAnimalAt(index);
    AnimalOnCourseIndex location;
    if (!FindAnimal(animal, location))
        return false;
    CourseSegment* segment = mSegments[location.mSegment];
    if (!ejectable(animal) || mFlyingObjectHandler == nullptr) {
        // A gap opens behind an animal that stays when the one behind it could go.
        if (index > 0 && ejectable(GetAnimalAt(index - 1)) && location.mAnimal > 0) {
            CourseSegment* front = nullptr;
            if (segment->SplitAt(location.mAnimal, front))
                InsertSegmentAt(location.mSegment + 1, front);
        }
        return false;
    }
    FlyingAnimal* flying = mFlyingObjectHandler->SpawnAnimal(animal);
    const Float factor = Draw(0.5f, 1.0f);
    flying->mVelocity = Math::Vector<Float>(direction.x * factor, direction.y * factor, direction.z * factor,
                                            direction.w * factor);
    flying->mTimer = 4.0f;
    const Float length = Float(std::sqrt(Double(direction.x) * direction.x + Double(direction.y) * direction.y +
                                         Double(direction.z) * direction.z));
    flying->mDelay = (200.0f / length + 0.3f) * Draw(0.7f, 1.0f);
    animal->mPathPosition = 0.0;
    animal->mFacingAngle = 0.0f;
    animal->mHeading = 0.0f;
    segment->mAnimals.RemoveAt(location.mAnimal);
    if (location.mAnimal > 0 && location.mAnimal < segment->GetCount()) {
        CourseSegment* front = nullptr;
        if (segment->SplitAt(location.mAnimal, front))
            InsertSegmentAt(location.mSegment + 1, front);
    } else if (segment->GetCount() == 0) {
        RemoveSegmentAt(location.mSegment);
    }
    return true;
}

Bool Course::FindStruckAnimal(const Math::Vector<Float>& point, Float radius, AnimalOnCourseIndex& location) const
{
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        const SInt32 index = mSegments[s]->FindCollidingAnimal(point, radius);
        if (index >= 0) {
            location.mSegment = s;
            location.mAnimal = index;
            return true;
        }
    }
    return false;
}

void Course::DetachContacts(FlyingObject& record)
{
    for (UInt32 c = 0; c < 2; ++c) {
        AnimalOnCourseIndex location;
        if (FindAnimal(record.GetContact(c), location)) {
            mSegments[location.mSegment]->mCollidingIndex = -1;
            mSegments[location.mSegment]->mCollidingSide = 0.0f;
        }
        record.SetContact(c, nullptr);
    }
}

void Course::CollisionPhase()
{
    if (mFlyingObjectHandler == nullptr)
        return;
    for (UInt32 i = 0; i < mFlyingObjectHandler->GetWeaponCount(); ++i) {
        FlyingWeapon& weapon = *mFlyingObjectHandler->GetWeapon(i);
        if (weapon.mIsFinished || weapon.mWeapon == nullptr)
            continue;
        const UInt32 kind = weapon.mWeapon->GetKind();
        const Bool everyCourse = kind == Weapon::KindHambone || kind == Weapon::KindRhino;
        if (!everyCourse && weapon.mCourse != nullptr && weapon.mCourse != this)
            continue;
        if (WeaponTest(weapon))
            weapon.mIsFinished = true;
    }
    mInsertionPending = false;
    for (UInt32 i = 0; i < mFlyingObjectHandler->GetAnimalCount(); ++i) {
        FlyingAnimal* record = mFlyingObjectHandler->GetAnimal(i);
        if (record->mIsFinished || (record->mCourse != nullptr && record->mCourse != this) || record->mTimer > 0.0f)
            continue;
        const Bool checked = record->mAnimal != nullptr && record->mAnimal->mCheckMatch;
        if (!FlyingAnimalTest(*record))
            continue;
        // The test took the consumed record out of the list.
        mInsertionPending = mInsertionPending || checked;
        --i;
    }
    for (UInt32 i = 0; i < mFlyingObjectHandler->GetAnimalCount(); ++i) {
        FlyingAnimal& record = *mFlyingObjectHandler->GetAnimal(i);
        if (record.mCourse != this || !record.HasContact())
            continue;
        if (record.mAnimal != nullptr && record.mAnimal->mCheckMatch)
            mInsertionPending = true;
        for (UInt32 c = 0; c < 2; ++c) {
            AnimalOnCourseIndex location;
            if (FindAnimal(record.GetContact(c), location))
                mSegments[location.mSegment]->MakeRoomFor(location.mAnimal, record);
        }
    }
}

Bool Course::WeaponTest(FlyingWeapon& weapon)
{
    const UInt32 kind = weapon.mWeapon->GetKind();
    const Math::Vector<Float>& position = weapon.GetPosition();
    if (!IsAreaWeapon(kind)) {
        AnimalOnCourseIndex location;
        if (!FindStruckAnimal(position, weapon.GetRadius(), location))
            return false;
        return OnWeaponHit(weapon, location);
    }
    weapon.mIsStopped = false;
    if (weapon.HasContact())
        return false;
    AnimalOnCourseIndex struck;
    if (!FindStruckAnimal(position, weapon.GetRadius(), struck))
        return false;
    Animal* struckAnimal = GetAnimal(struck);
    weapon.mCourse = this;
    AnimalOnCourseIndex insert = struck;
    const Bool moved = mSegments[insert.mSegment]->AdjustInsertIndexAtEnds(insert.mAnimal);
    if (kind == Weapon::KindRhino && moved)
        return false;
    if (!TryInsertAt(insert, weapon))
        return false;
    DetachContacts(weapon);
    // The split may have moved the struck animal into the segment cut off.
    AnimalOnCourseIndex location;
    if (!FindAnimal(struckAnimal, location) || !IsAnimalLocation(location))
        return false;
    return OnAreaWeapon(weapon, location);
}

Bool Course::TryInsertAt(const AnimalOnCourseIndex& location, FlyingObject& record)
{
    CourseSegment* target = GetSegment(location);
    if (target == nullptr || !IsInsertLocation(location))
        return false;
    AnimalOnCourseIndex across;
    const Bool hasAcross = FindNeighbourLocation(location, across);
    if (target->IsBusy() || (hasAcross && mSegments[across.mSegment]->IsBusy())) {
        record.mIsStopped = true;
        return false;
    }
    CourseSegment* cut = nullptr;
    if (!target->SplitForInsert(location.mAnimal, record, cut))
        return false;
    if (cut != nullptr) {
        InsertSegmentAt(location.mSegment + 1, cut);
    } else if (hasAcross) {
        // Both sides of the gap make room.
        CourseSegment& other = *mSegments[across.mSegment];
        record.SetContact(1, other.GetAnimal(across.mAnimal));
        other.mCollidingIndex = across.mAnimal;
        other.mCollidingSide = -target->mCollidingSide;
    }
    record.mReferenceScale = mEllipsis.GetEllipseValue(record.GetPosition());
    return true;
}

Bool Course::FlyingAnimalTest(FlyingAnimal& record)
{
    Animal* flying = record.mAnimal;
    if (flying == nullptr)
        return false;
    const Math::Vector<Float>& position = flying->mPosition;
    if (flying->mCheckMatch && record.mCourse == nullptr) {
        for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
            for (SInt32 a = 0; a < mSegments[s]->GetCount(); ++a) {
                Animal& frozen = *mSegments[s]->mAnimals[a];
                if (!frozen.mFrozen)
                    continue;
                const Float dx = frozen.mPosition.x - position.x;
                const Float dy = frozen.mPosition.y - position.y;
                const Float reach = frozen.mRadius + kThawReach;
                if (dx * dx + dy * dy >= reach * reach)
                    continue;
                frozen.SetFrozen(false);
                if (mExplosionHandler != nullptr) {
                    mExplosionHandler->StartEffect(ExplosionHandler::EffectIce, frozen.mPosition, frozen.mCurrentAngle, 0.0f);
                    mExplosionHandler->StartEffect(ExplosionHandler::EffectIceAtShot, position, 0.0f, 0.0f);
                }
                if (mAnimalContainer != nullptr)
                    mAnimalContainer->ReleaseAnimal(flying, 0);
                SetFacing(frozen);
                AddScoreEvent(14, &frozen.mPosition);
                if (mFlyingObjectHandler != nullptr)
                    mFlyingObjectHandler->RemoveAnimal(&record);
                return true;
            }
        }
    }
    AnimalOnCourseIndex struck;
    if (!record.HasContact() && FindStruckAnimal(position, record.GetRadius(), struck)) {
        record.mIsStopped = false;
        record.mCourse = this;
        CourseSegment& segment = *mSegments[struck.mSegment];
        AnimalOnCourseIndex insert = struck;
        if (mEllipsis.IsAhead(position, *segment.mAnimals[struck.mAnimal]))
            ++insert.mAnimal;
        if (segment.RejectsInsertAt(insert.mAnimal, record))
            return false;
        if (!TryInsertAt(insert, record))
            return false;
    }
    if (!record.HasContact())
        return false;
    // Steered along the line through the centre, inward from outside the path.
    const Math::Vector<Float>& centre = mEllipsis.GetCentre();
    const Float sign = record.mReferenceScale >= 1.0f ? 1.0f : -1.0f;
    const Float dx = (centre.x - position.x) * sign;
    const Float dy = (centre.y - position.y) * sign;
    const Float dz = (centre.z - position.z) * sign;
    const Double length = std::sqrt(Double(dx) * dx + Double(dy) * dy + Double(dz) * dz);
    const Float scale = length > 0.0 ? Float(mInsertionSpeed / length) : 0.0f;
    record.mVelocity = Math::Vector<Float>(dx * scale, dy * scale, dz * scale, (centre.w - position.w) * sign * mInsertionSpeed);
    if (!record.CheckScaleWindow(mEllipsis.GetEllipseValue(position)))
        return false;
    for (UInt32 c = 0; c < 2; ++c) {
        AnimalOnCourseIndex neighbour;
        if (!FindAnimal(record.GetContact(c), neighbour))
            continue;
        CourseSegment& segment = *mSegments[neighbour.mSegment];
        if (segment.mCollidingIndex != neighbour.mAnimal || !segment.InsertCollidingAnimal(neighbour.mAnimal, record))
            continue;
        AddAndDefineScoreEventAfterAddingFlyIn(neighbour, record);
        AnimalOnCourseIndex other;
        if (FindAnimal(record.GetContact(1 - c), other)) {
            mSegments[other.mSegment]->mCollidingIndex = -1;
            mSegments[other.mSegment]->mCollidingSide = 0.0f;
        }
        if (mFlyingObjectHandler != nullptr)
            mFlyingObjectHandler->TakeAnimal(&record);
        return true;
    }
    // No neighbour takes it: the animal is not lost but finished, so that it goes back to the pool.
    DetachContacts(record);
    record.mCourse = nullptr;
    record.mIsFinished = true;
    return false;
}

void Course::AddAndDefineScoreEventAfterAddingFlyIn(const AnimalOnCourseIndex& location, const FlyingAnimal& record)
{
    const Animal* newcomer = record.mAnimal;
    if (newcomer == nullptr || !newcomer->mCheckMatch)
        return;
    const CourseSegment* segment = GetSegment(location);
    if (segment == nullptr)
        return;
    const Animal* left = nullptr;
    const Animal* right = nullptr;
    const SInt32 count = segment->GetCount();
    if (location.mAnimal == 0 && location.mSegment > 0 && segment->GetFirstAnimal() == newcomer) {
        left = mSegments[location.mSegment - 1]->GetLastAnimal();
        right = segment->GetAnimal(1);
    } else if (location.mAnimal == count - 2 && location.mSegment + 1 < mSegments.GetCount() &&
               segment->GetLastAnimal() == newcomer) {
        left = segment->GetAnimal(location.mAnimal);
        right = mSegments[location.mSegment + 1]->GetFirstAnimal();
    } else {
        return;
    }
    const Bool matches = (left != nullptr && left->Matches(*newcomer)) || (right != nullptr && right->Matches(*newcomer));
    AddScoreEvent(matches ? 0 : 1);
}

Bool Course::JoinPair(SInt32 k, Bool firstWalk, Bool& pushMiddle)
{
    CourseSegment& a = *mSegments[k - 1];
    CourseSegment& b = *mSegments[k];
    if (a.GetCount() == 0 || b.GetCount() == 0)
        return false;
    const Bool contact = a.TouchesNext(b) || b.OrderAfter(a);
    if (!contact)
        return false;
    Bool join = !a.IsBusy() && !b.IsBusy();
    if (!join) {
        const Bool pushBoth = pushMiddle;
        pushMiddle = false;
        if (firstWalk) {
            join = !a.SeparateFrom(b, pushBoth, true);
        } else {
            Animal& first = *b.GetFirstAnimal();
            for (SInt32 round = 0; round < kMaxPushRounds && a.TouchesNext(b); ++round) {
                if (pushBoth)
                    a.Move(-1.0f);
                mEllipsis.MoveBy(first, 1.0f);
                b.Relayout();
            }
        }
    }
    if (!join)
        return false;
    if (a.mSplit && b.mSplit) {
        AddScoreEvent(7);
        a.mSplit = false;
        b.mSplit = false;
    } else if (!a.HasPendingCheck() && !b.HasPendingCheck()) {
        AddScoreEvent(8);
    }
    a.Join(b);
    RemoveSegmentAt(k);
    return true;
}

Bool Course::JoinPhase()
{
    Bool joined = false;
    Bool pushMiddle = true;
    const SInt32 half = mSegments.GetCount() / 2;
    SInt32 joins = 0;
    for (SInt32 k = half; k >= 1;) {
        if (mSegments.GetCount() < 2)
            return joined;
        if (k >= mSegments.GetCount()) {
            --k;
            continue;
        }
        if (JoinPair(k, true, pushMiddle)) {
            joined = true;
            ++joins;
            continue;
        }
        --k;
    }
    // The pairs beyond the middle, where they stand after the joins of the first walk.
    for (SInt32 k = half + 1 - joins < 1 ? 1 : half + 1 - joins; k < mSegments.GetCount();) {
        if (mSegments.GetCount() < 2)
            return joined;
        if (JoinPair(k, false, pushMiddle)) {
            joined = true;
            continue;
        }
        ++k;
    }
    return joined;
}

void Course::MatchPhase()
{
    Array<ScoreEvent> discarded;
    Array<ScoreEvent>& events = mGameState != nullptr ? mGameState->GetScoreEvents() : discarded;
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        CourseSegment& segment = *mSegments[s];
        if (segment.IsBusy())
            continue;
        const Animal* left = s > 0 ? mSegments[s - 1]->GetLastAnimal() : nullptr;
        const Animal* right = s + 1 < mSegments.GetCount() ? mSegments[s + 1]->GetFirstAnimal() : nullptr;
        const SInt32 candidate = segment.FindMatchCandidate(SInt32(mMatchThreshold), left, right, events);
        if (candidate < 0) {
            if (mSegments.GetCount() == 1 && mGameState != nullptr && mGameState->GetChainCounter() > 1)
                AddScoreEvent(6);
            continue;
        }
        CourseSegment* run = nullptr;
        CourseSegment* rest = nullptr;
        if (!segment.FindMatchRun(candidate, SInt32(mMatchThreshold), run, rest))
            continue;
        if (run != nullptr) {
            InsertSegmentAt(s + 1, run);
            if (Animal* kept = segment.GetLastAnimal())
                kept->MarkGapEnd();
            ++s;
        } else if (s > 0) {
            if (Animal* before = mSegments[s - 1]->GetLastAnimal())
                before->MarkGapEnd();
        }
        if (rest != nullptr) {
            InsertSegmentAt(s + 1, rest);
            rest->GetFirstAnimal()->MarkGapEnd();
        } else if (s + 1 < mSegments.GetCount()) {
            if (Animal* after = mSegments[s + 1]->GetFirstAnimal())
                after->MarkGapEnd();
        }
        if (mSegments[s]->mRemove)
            OnRunRemoved(*mSegments[s]);
    }
    for (SInt32 s = 0; s < mSegments.GetCount();) {
        CourseSegment& segment = *mSegments[s];
        if (segment.mRemove) {
            if (mAnimalContainer != nullptr)
                segment.ReleaseAll(*mAnimalContainer);
            RemoveSegmentAt(s);
            continue;
        }
        if (!segment.IsBusy())
            segment.ClearMatchFlags();
        ++s;
    }
}

Bool Course::IsChainClosed(Math::Vector<Float>& position)
{
    if (mSegments.IsEmpty())
        return false;
    const Animal* rear = mSegments[0]->GetFirstAnimal();
    const Animal* front = mSegments.GetLast()->GetLastAnimal();
    if (rear == nullptr || front == nullptr || rear == front)
        return false;
    const Double tf = rear->mPathPosition;
    const Double tl = front->mPathPosition;
    Float overlap = 0.0f;
    if (tl - tf > Math::TwoPi) {
        mGap = 0.0f;
        overlap = mEllipsis.GetArcLength(Float(tf), Float(tl - Math::TwoPi));
    } else {
        mGap = mEllipsis.GetArcLength(Float(tl), Float(tf + Math::TwoPi));
    }
    if (mGap < kClosedGap && ((!mInsertionPending && mSegments.GetCount() <= 1) || overlap >= kClosedOverlap)) {
        position = rear->mPosition;
        return true;
    }
    return false;
}

Bool Course::IsCollapsed(Math::Vector<Float>& position)
{
    if (!mActive || mSegments.IsEmpty())
        return false;
    if (!(Double(mEllipsis.GetRadiusA()) < kCollapseRadius || Double(mEllipsis.GetRadiusB()) < kCollapseRadius))
        return false;
    mGap = 0.0f;
    position = mEllipsis.GetCentre();
    return true;
}

} // namespace App
} // namespace Vorn
