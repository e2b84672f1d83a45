#include "game/play/course_animator.h"

#include <algorithm>
#include <cmath>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_segment.h"
#include "game/play/course_strip.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/level_data.h"
#include "game/play/weapon.h"
#include "game/player_data.h"
#include "game/sound_container.h"

namespace Vorn {
namespace App {

namespace {

using Enums::InterpolationType;

// Path piece values, in record order.
enum PieceValue { CentreX, CentreY, RadiusA, RadiusB, RotationSpeed, BaseSpeed, Event };

constexpr Float kUpperWarning = 476.0f;
constexpr Float kLowerWarning = 272.0f;
constexpr SInt32 kNumberOfStripValues = 21;
constexpr UInt32 kStartReserve = 20;

// The keys of a track with the last key's time, and optionally the second-to-last key's value,
// replaced.
template <typename T>
void RewriteKeys(Logic::Animation<T>& track, Float lastTime, const T* secondToLastValue)
{
    const UInt32 count = track.GetNumberOfKeys();
    Array<typename Logic::Animation<T>::Key> keys;
    for (UInt32 i = 0; i < count; ++i)
        keys.Add(track.GetKey(i));
    keys.GetLast().mTime = lastTime;
    if (secondToLastValue != nullptr && count >= 3)
        keys[SInt32(count) - 2].mValue = *secondToLastValue;
    track.ClearKeys();
    for (SInt32 i = 0; i < keys.GetCount(); ++i)
        track.AppendKey(keys[i].mTime, keys[i].mValue, keys[i].mInterpolation);
}

Float Distance(const Math::Vector<Float>& a, const Math::Vector<Float>& b)
{
    const Double dx = Double(a.x) - b.x;
    const Double dy = Double(a.y) - b.y;
    return Float(std::sqrt(dx * dx + dy * dy));
}

Bool Within(const Animal& animal, const Math::Vector<Float>& point, Float reach)
{
    const Float dx = animal.mPosition.x - point.x;
    const Float dy = animal.mPosition.y - point.y;
    const Float r = animal.mRadius + reach;
    return dx * dx + dy * dy < r * r;
}

} // namespace

CourseAnimator::CourseAnimator(AnimalContainer* animalContainer, ExplosionHandler* explosionHandler,
                               GameState* gameState, FlyingObjectHandler* flyingObjectHandler,
                               SoundContainer* soundContainer, CourseStrip* strip)
    : Course(animalContainer, explosionHandler, gameState, flyingObjectHandler, soundContainer),
      mCourseRecord(nullptr), mStripColourIndex(-1), mWarningLevel(-1), mCourseStrip(strip), mCourseKey(1),
      mRepeat(false), mAnimalSelector(animalContainer), mState(StateWaiting), mSecondTriggerState(0),
      mStartDelay(0.0f), mFirstPieceTime(0.0f), mPieceInterval(0.0f), mBaseSpeed(0.0f), mPullSpeed(0.0f),
      mRotationSpeed(0.0f), mFrontSpeed(0.0f), mBackSpeed(0.0f), mSlowTimer(0.0f), mFinishStepDuration(0.0f),
      mFinishStepTimer(0.0f), mFinishStepCount(0), mWarningTimer(0.0f)
{
    if (mCourseStrip != nullptr) {
        mCourseStrip->SetEllipsis(&mEllipsis);
        mCourseStrip->SetActiveAndVisible(false);
    }
}

CourseAnimator::~CourseAnimator() {}

void CourseAnimator::PlaySound(UInt32 sound)
{
    if (mSoundContainer != nullptr)
        mSoundContainer->Play(sound);
}

void CourseAnimator::Setup(const CourseRecord* record, UInt32 courseKey, Bool repeat)
{
    mCourseRecord = record;
    mCourseKey = courseKey;
    mRepeat = repeat;
    ApplyRecordValues();
    BuildTimelines();
}

void CourseAnimator::ApplyRecordValues()
{
    if (mCourseRecord == nullptr)
        return;
    mInsertionSpeed = mCourseRecord->mValue1;
    mMatchThreshold = mCourseRecord->mMatchThreshold;
    mFirstKindWeight = mCourseRecord->mCountA;
    mSecondKindWeight = mCourseRecord->mCountB;
    if (!mCourseRecord->mAnimalLists.IsEmpty() && !mCourseRecord->mAnimalLists[0].mAnimals.IsEmpty())
        mActive = Animal::IsEndPieceKind(SInt32(mCourseRecord->mAnimalLists[0].mAnimals[0].mKind));
}

void CourseAnimator::BuildTimelines()
{
    mCentreTimeline.ClearKeys();
    mRadiusATimeline.ClearKeys();
    mRadiusBTimeline.ClearKeys();
    mRotationSpeedTimeline.ClearKeys();
    mBaseSpeedTimeline.ClearKeys();
    mEventTimeline.ClearKeys();
    mFirstPieceTime = 0.0f;
    mPieceInterval = 0.0f;
    if (mCourseRecord == nullptr)
        return;
    const Array<PathPiece>& pieces = mCourseRecord->mPathPieces;
    for (SInt32 i = 0; i < pieces.GetCount(); ++i) {
        if (i == 0)
            mFirstPieceTime = pieces[0].mTime;
        else if (i == 1)
            mPieceInterval = pieces[1].mTime - mFirstPieceTime;
        AddPieceKeys(pieces[i].mTime - mFirstPieceTime, pieces[i]);
    }
    if (mRepeat && !pieces.IsEmpty())
        SpeedUpRepeat();
}

void CourseAnimator::SpeedUpRepeat()
{
    const Float duration = mCourseRecord->mPathPieces.GetLast().mTime - mFirstPieceTime;
    UInt32 progress = 0;
    if (mGameState != nullptr && mGameState->GetLevel() == 0)
        progress = mGameState->GetRunStars();
    // A run that has cleared nothing yet counts as the first course.
    const UInt32 rounds = std::min<UInt32>(progress == 0 ? 0 : progress - 1, 100);
    const Float shortened = duration - Float(rounds) * duration / 125.0f;
    if (mCentreTimeline.GetNumberOfKeys() >= 2)
        RewriteKeys<Math::Vector<float>>(mCentreTimeline, shortened, nullptr);
    if (mRadiusATimeline.GetNumberOfKeys() >= 2)
        RewriteKeys<Float>(mRadiusATimeline, shortened, nullptr);
    if (mRadiusBTimeline.GetNumberOfKeys() >= 2)
        RewriteKeys<Float>(mRadiusBTimeline, shortened, nullptr);
    if (mRotationSpeedTimeline.GetNumberOfKeys() >= 2)
        RewriteKeys<Float>(mRotationSpeedTimeline, shortened, nullptr);
    if (mBaseSpeedTimeline.GetNumberOfKeys() >= 2) {
        Float value = 0.0f;
        const Float* replaced = nullptr;
        if (mBaseSpeedTimeline.GetNumberOfKeys() >= 3) {
            const Float v = mBaseSpeedTimeline.GetKey(mBaseSpeedTimeline.GetNumberOfKeys() - 2).mValue;
            value = Draw(v / 4.0f, v) * ((mRng.Rand() & 1u) != 0 ? 1.0f : -1.0f);
            replaced = &value;
        }
        RewriteKeys<Float>(mBaseSpeedTimeline, shortened, replaced);
    }
}

void CourseAnimator::AddPieceKeys(Float t, const PathPiece& piece)
{
    const OptionalValue* v = piece.mValues;
    if (v[CentreX].mSet || v[CentreY].mSet) {
        Math::Vector<float> centre = mCentreTimeline.GetNumberOfKeys() > 0
                                         ? mCentreTimeline.GetKey(mCentreTimeline.GetNumberOfKeys() - 1).mValue
                                         : mEllipsis.GetCentre();
        if (v[CentreX].mSet)
            centre.x = v[CentreX].GetFloat();
        if (v[CentreY].mSet)
            centre.y = v[CentreY].GetFloat();
        centre.z = 0.0f;
        mCentreTimeline.AppendKey(t, centre, InterpolationType::LINEAR);
    }
    if (v[RadiusA].mSet)
        mRadiusATimeline.AppendKey(t, v[RadiusA].GetFloat(), InterpolationType::LINEAR);
    if (v[RadiusB].mSet)
        mRadiusBTimeline.AppendKey(t, v[RadiusB].GetFloat(), InterpolationType::LINEAR);
    if (v[RotationSpeed].mSet)
        mRotationSpeedTimeline.AppendKey(t, v[RotationSpeed].GetFloat(), InterpolationType::LINEAR);
    if (v[BaseSpeed].mSet)
        mBaseSpeedTimeline.AppendKey(t, v[BaseSpeed].GetFloat(), InterpolationType::LINEAR);
    if (!v[Event].mSet) {
        mEventTimeline.AppendKey(t, 0u, InterpolationType::CONSTANT);
        return;
    }
    const Float length = v[Event].GetFloat();
    if (length > 0.0f) {
        mEventTimeline.AppendKey(t, 1u, InterpolationType::CONSTANT);
        mEventTimeline.AppendKey(t + length, 0u, InterpolationType::CONSTANT);
    } else {
        mEventTimeline.AppendKey(t + length, 1u, InterpolationType::CONSTANT);
    }
}

Bool CourseAnimator::Trigger(UInt32 finishedCourseKey)
{
    return Advance(true, finishedCourseKey);
}

Bool CourseAnimator::Feed()
{
    return Advance(false, 0);
}

Bool CourseAnimator::Advance(Bool hasKey, UInt32 key)
{
    if (hasKey && key == mCourseKey)
        return mState == StateRunning;
    if (hasKey && mCourseRecord != nullptr) {
        if (mState == StateWaiting && key == mCourseRecord->mStartTrigger)
            mState = StateStarted;
        if (mSecondTriggerState == 0 && key == mCourseRecord->mSecondTrigger) {
            mSecondTriggerState = 1;
            if (mState == StateWaiting)
                mState = StateStarted;
        }
    }
    if (mState == StateStarted) {
        mState = StateDelayed;
        mStartDelay = mFirstPieceTime;
    }
    if (mState == StateDelayed) {
        if (mStartDelay > 0.0f)
            return false;
        if (!StartChain()) {
            // Too few free animals: try again a second later.
            mStartDelay = 1.0f;
            return false;
        }
        SetAnimalsVisible();
        RestartSpeedTimelines();
        mState = StateRunning;
        mStartDelay = 0.0f;
    }
    if (mState == StateRunning && mSecondTriggerState == 1) {
        RetimeFromSecondTrigger();
        mSecondTriggerState = 3;
    }
    return mState == StateRunning;
}

Bool CourseAnimator::StartChain()
{
    if (mCourseRecord == nullptr || mAnimalContainer == nullptr)
        return false;
    const Array<AnimalList>& lists = mCourseRecord->mAnimalLists;
    UInt32 needed = kStartReserve;
    for (SInt32 s = 0; s < lists.GetCount(); ++s)
        needed += UInt32(lists[s].mAnimals.GetCount());
    if (mAnimalContainer->GetNumFree() < needed)
        return false;
    mCentreTimeline.Restart();
    mRadiusATimeline.Restart();
    mRadiusBTimeline.Restart();
    ApplyShapeValues();
    mEllipsis.SetRotation(mCourseRecord->mValue6);
    for (SInt32 s = 0; s < lists.GetCount(); ++s) {
        CourseSegment* segment = GetSegmentAt(s);
        if (segment != nullptr)
            segment->ReleaseAll(*mAnimalContainer);
        else
            segment = AppendSegment();
        if (mRepeat) {
            FillSegmentRandomly(UInt32(s), *segment);
            continue;
        }
        for (SInt32 e = 0; e < lists[s].mAnimals.GetCount(); ++e) {
            const AnimalSlot& slot = lists[s].mAnimals[e];
            Animal* animal = mAnimalContainer->Obtain();
            if (animal == nullptr)
                continue;
            if (slot.mKind < UInt32(Animal::KindNone))
                animal->SetAnimal(SInt32(slot.mKind));
            if (slot.mFlag != 0)
                animal->SetFrozen(true);
            SetFacing(*animal);
            segment->AppendAnimal(animal);
        }
        if (Animal* first = segment->GetFirstAnimal())
            mEllipsis.SetParameter(*first, lists[s].mValue);
    }
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        if (mSegments[s]->GetCount() > 0)
            mSegments[s]->RelayoutAndUpdate();
    }
    return true;
}

void CourseAnimator::FillSegmentRandomly(UInt32 definition, CourseSegment& segment)
{
    const AnimalList& list = mCourseRecord->mAnimalLists[SInt32(definition)];
    const SInt32 count = list.mAnimals.GetCount();
    if (count == 0)
        return;
    mAnimalSelector.Clear();
    for (SInt32 e = 1; e + 1 < count; ++e) {
        if (list.mAnimals[e].mKind < UInt32(Animal::KindNone))
            mAnimalSelector.Set(SInt32(list.mAnimals[e].mKind), 10);
    }
    UInt32 progress = 0;
    if (mGameState != nullptr && mGameState->GetLevel() == 0)
        progress = mGameState->GetRunStars();
    // A run that has cleared nothing yet counts as the first course.
    const UInt32 rounds = (progress == 0 ? 0 : progress - 1) / 10;
    for (UInt32 round = 0; round < rounds; ++round) {
        SInt32 kind = 6;
        while (kind <= 13 && mAnimalSelector.Get(kind) != 0)
            ++kind;
        if (kind > 13) {
            mAnimalSelector.Set(Animal::KindJoker, 5);
            break;
        }
        mAnimalSelector.Set(kind, 10);
    }
    auto append = [&](SInt32 kind) {
        if (kind >= Animal::KindNone)
            return;
        Animal* animal = mAnimalContainer->Obtain();
        if (animal == nullptr)
            return;
        animal->SetAnimal(kind);
        SetFacing(*animal);
        segment.AppendAnimal(animal);
    };
    append(SInt32(list.mAnimals[0].mKind));
    for (SInt32 e = 1; e + 1 < count; ++e)
        append(mAnimalSelector.SelectKind(2));
    if (count > 1)
        append(SInt32(list.mAnimals[count - 1].mKind));
    if (Animal* first = segment.GetFirstAnimal())
        mEllipsis.SetParameter(*first, list.mValue);
}

void CourseAnimator::RestartSpeedTimelines()
{
    mRotationSpeedTimeline.Restart();
    mBaseSpeedTimeline.Restart();
    mEventTimeline.Restart();
    ApplySpeedValues();
}

void CourseAnimator::ApplyShapeValues()
{
    if (mCentreTimeline.GetNumberOfKeys() > 0)
        mEllipsis.SetCentre(mCentreTimeline.GetValue().x, mCentreTimeline.GetValue().y);
    if (mRadiusATimeline.GetNumberOfKeys() > 0)
        mEllipsis.SetRadiusA(mRadiusATimeline.GetValue());
    if (mRadiusBTimeline.GetNumberOfKeys() > 0)
        mEllipsis.SetRadiusB(mRadiusBTimeline.GetValue());
}

void CourseAnimator::ApplySpeedValues()
{
    if (mRotationSpeedTimeline.GetNumberOfKeys() > 0)
        mRotationSpeed = mRotationSpeedTimeline.GetValue();
    if (mBaseSpeedTimeline.GetNumberOfKeys() > 0)
        mBaseSpeed = mBaseSpeedTimeline.GetValue();
    if (mEventTimeline.GetNumberOfKeys() > 0 && mEventTimeline.GetValue() == 1)
        ShakeAnimals();
}

void CourseAnimator::RetimeFromSecondTrigger()
{
    if (mCourseRecord == nullptr)
        return;
    const Float period = mCourseRecord->mKeyFramePeriod - mFirstPieceTime;
    const SInt32 wraps = mCourseRecord->mKeyFrameWrap;
    if (wraps == 0 || !(period > 0.0f))
        return;
    auto retime = [&](Logic::BaseTimeline& owner, UInt32 keys) {
        if (keys == 0)
            return;
        Logic::Timeline* timeline = owner.GetTimeline();
        timeline->SetWrapCount(0);
        timeline->SetTimeRange(0.0f, period);
        if (keys >= 2) {
            timeline->SetStartTime(mPieceInterval);
            timeline->SetWrapCount(wraps);
        }
        timeline->Start();
    };
    retime(mCentreTimeline, mCentreTimeline.GetNumberOfKeys());
    retime(mRadiusATimeline, mRadiusATimeline.GetNumberOfKeys());
    retime(mRadiusBTimeline, mRadiusBTimeline.GetNumberOfKeys());
    retime(mRotationSpeedTimeline, mRotationSpeedTimeline.GetNumberOfKeys());
    retime(mBaseSpeedTimeline, mBaseSpeedTimeline.GetNumberOfKeys());
    retime(mEventTimeline, mEventTimeline.GetNumberOfKeys());
}

void CourseAnimator::AdvanceTimelines(Double dt)
{
    mCentreTimeline.GetTimeline()->Step(dt);
    mRadiusATimeline.GetTimeline()->Step(dt);
    mRadiusBTimeline.GetTimeline()->Step(dt);
    mRotationSpeedTimeline.GetTimeline()->Step(dt);
    mBaseSpeedTimeline.GetTimeline()->Step(dt);
    mEventTimeline.GetTimeline()->Step(dt);
    ApplyShapeValues();
    ApplySpeedValues();
}

void CourseAnimator::NormalisePathPositions()
{
    const Animal* rear = GetAnimalAt(0);
    if (rear == nullptr)
        return;
    const Double p = rear->mPathPosition;
    Double q = std::fmod(p, Math::TwoPi);
    if (q < 0.0)
        q += Math::TwoPi;
    if (!(std::fabs(q - p) >= 5e-12))
        return;
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s)
        mSegments[s]->ShiftPathPositions(q - p);
}

void CourseAnimator::StartCollapse()
{
    const Double a = mEllipsis.GetRadiusA();
    const Double b = mEllipsis.GetRadiusB();
    const Double da = (a - 50.0) / 100.0;
    const Double db = (b - 50.0) / 100.0;
    mRadiusATimeline.ClearKeys();
    mRadiusBTimeline.ClearKeys();
    mEventTimeline.ClearKeys();
    mRadiusATimeline.AppendKey(0.0f, Float(a), InterpolationType::LINEAR);
    mRadiusATimeline.AppendKey(2.0f, Float(a), InterpolationType::LINEAR);
    mRadiusATimeline.AppendKey(Float(2.0 + da), 50.0f, InterpolationType::LINEAR);
    mRadiusBTimeline.AppendKey(0.0f, Float(b), InterpolationType::LINEAR);
    mRadiusBTimeline.AppendKey(2.0f, Float(b), InterpolationType::LINEAR);
    mRadiusBTimeline.AppendKey(Float(2.0 + db), 50.0f, InterpolationType::LINEAR);
    mEventTimeline.AppendKey(0.05f, 1u, InterpolationType::CONSTANT);
    mRadiusATimeline.Restart(0.0f, Float(2.1 + da));
    mRadiusBTimeline.Restart(0.0f, Float(2.1 + db));
    mEventTimeline.Restart(0.0f, 4.5f);
}

void CourseAnimator::ShakeAnimals()
{
    const UInt32 count = CountAnimals();
    for (UInt32 i = 0; i < count; ++i) {
        Animal* animal = GetAnimalAt(i);
        animal->StartShaking(2.5f + Float(Double(mRng.Rand()) / 4294967296.0));
        animal->PlayIdle();
    }
    if (mSoundContainer != nullptr)
        mSoundContainer->PlayIfIdle(57, false);
}

void CourseAnimator::Step(Double dt)
{
    if (mState == StateDelayed) {
        if (mStartDelay > 0.0f)
            mStartDelay -= Float(dt);
        else
            Feed();
        return;
    }
    if (mState == StateFinished) {
        if (mFinishStepCount > 0) {
            mFinishStepTimer -= Float(dt);
            if (mFinishStepTimer < 0.0f) {
                mFinishStepTimer = mFinishStepDuration;
                --mFinishStepCount;
                PlaySound(29);
            }
        }
        return;
    }
    if (mState != StateRunning)
        return;
    NormalisePathPositions();
    if (mSlowTimer > 0.0f)
        mSlowTimer = std::max(0.0f, mSlowTimer - Float(dt));
    const Float f = mGameState != nullptr ? mGameState->GetTimeFactor() : 1.0f;
    AdvanceTimelines(Double(f) * dt);
    const SInt32 n = mSegments.GetCount();
    const Float seconds = Float(dt);
    if (n == 1) {
        mPullSpeed = 0.0f;
        mFrontSpeed = mBaseSpeed * f;
        mBackSpeed = mFrontSpeed;
        mSegments[0]->Move(mFrontSpeed * seconds);
    } else if (n >= 2) {
        const Float pullFactor = std::max(f, 0.05f);
        if (!(mSlowTimer > 0.0f) && mCourseRecord != nullptr) {
            mPullSpeed += mCourseRecord->mAcceleration * seconds * pullFactor;
            mPullSpeed = std::min(mPullSpeed, mCourseRecord->mTopSpeed);
        }
        if (mBaseSpeed >= 0.0f) {
            mFrontSpeed = mBaseSpeed * f + mPullSpeed * pullFactor;
            mBackSpeed = -mPullSpeed * pullFactor;
        } else {
            mFrontSpeed = mPullSpeed * pullFactor;
            mBackSpeed = mBaseSpeed * f - mPullSpeed * pullFactor;
        }
        const SInt32 half = n / 2;
        for (SInt32 i = 0; i < half; ++i)
            mSegments[i]->Move(mFrontSpeed / Float(i + 1) * seconds);
        if (n % 2 == 1)
            mSegments[half]->Relayout();
        for (SInt32 i = (n + 1) / 2; i < n; ++i)
            mSegments[i]->Move(mBackSpeed / Float(n - i) * seconds);
    }
    if (mWarningLevel == 2)
        mWarningTimer -= seconds;
    mEllipsis.AddRotation(mRotationSpeed * f * seconds);
    if (mCourseStrip != nullptr)
        mCourseStrip->UpdateGeometry();
}

void CourseAnimator::UpdateWarning()
{
    if (mCourseStrip == nullptr)
        return;
    SInt32 level = 0;
    if (mActive) {
        const Float gap = mGap;
        switch (mWarningLevel) {
        case 0:
            level = gap < kUpperWarning ? 1 : 0;
            break;
        case 1:
            level = gap > kUpperWarning + 1.0f ? 0 : gap < kLowerWarning ? 2 : 1;
            break;
        case 2:
            level = gap > kLowerWarning + 1.0f ? 1 : 2;
            break;
        default:
            level = 0;
            break;
        }
    }
    mWarningLevel = level;
    const SInt32 value = std::max(mStripColourIndex, 0) * 3 + level;
    if (value < kNumberOfStripValues)
        mCourseStrip->SetStyle(UInt32(value));
    mCourseStrip->UpdateGeometry();
    if (level == 2 ? mWarningTimer > 0.0f : mWarningTimer <= -10.0f)
        return;
    Animal* ends[2] = {GetAnimalAt(0), nullptr};
    const UInt32 count = CountAnimals();
    if (count > 1)
        ends[1] = GetAnimalAt(count - 1);
    for (Animal* end : ends) {
        if (end != nullptr && end->IsEndPiece())
            end->BlinkRed(level == 2);
    }
    mWarningTimer = level == 2 ? 0.3f : -100.0f;
}

Bool CourseAnimator::IsCleared() const
{
    if (!mActive)
        return CountAnimals() == 0;
    const UInt32 count = CountAnimals();
    for (UInt32 i = 0; i < count; ++i) {
        if (GetAnimalAt(i)->IsMatchable())
            return false;
    }
    return true;
}

UInt32 CourseAnimator::AddKindWeights(AnimalCounter& weights) const
{
    const UInt32 weight = mGap < kLowerWarning ? mSecondKindWeight : mFirstKindWeight;
    const UInt32 count = CountAnimals();
    for (UInt32 i = 0; i < count; ++i) {
        const SInt32 kind = GetAnimalAt(i)->GetKind();
        if (weights.Get(kind) < weight)
            weights.Set(kind, weight);
    }
    return count;
}

void CourseAnimator::ReleaseFlyers()
{
    if (mFlyingObjectHandler == nullptr)
        return;
    for (UInt32 i = 0; i < mFlyingObjectHandler->GetAnimalCount(); ++i) {
        FlyingAnimal& flying = *mFlyingObjectHandler->GetAnimal(i);
        if (flying.mCourse != this)
            continue;
        flying.ClearContacts();
        flying.mIsStopped = false;
    }
}

void CourseAnimator::ScatterAnimals(const Math::Vector<Float>& target)
{
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s) {
        CourseSegment& segment = *mSegments[s];
        for (SInt32 a = 0; a < segment.GetCount(); ++a) {
            Animal* animal = segment.mAnimals[a];
            if (animal->IsMatchable() && mFlyingObjectHandler != nullptr) {
                FlyingAnimal* flying = mFlyingObjectHandler->SpawnAnimal(animal);
                const Float speed = Draw(400.0f, 1000.0f);
                const Float dx = target.x - animal->mPosition.x;
                const Float dy = target.y - animal->mPosition.y;
                const Float dz = target.z - animal->mPosition.z;
                const Double length = std::sqrt(Double(dx) * dx + Double(dy) * dy + Double(dz) * dz);
                const Float scale = length > 0.0 ? Float(speed / length) : 0.0f;
                flying->mVelocity = Math::Vector<Float>(dx * scale, dy * scale, dz * scale, 0.0f);
            } else if (mAnimalContainer != nullptr && animal->IsEndPiece()) {
                mAnimalContainer->ReleaseAnimal(animal, 2);
                mAnimalContainer->ReleaseAnimal(animal, 3);
            } else if (mAnimalContainer != nullptr) {
                mAnimalContainer->ReleaseAnimal(animal, 1);
            }
        }
        segment.mAnimals.Clear();
    }
}

void CourseAnimator::CopyFrom(const CourseAnimator& finished)
{
    if (mGameState != nullptr) {
        mGameState->SetRunStars(mGameState->GetRunStars() + (mGameState->IsLevelChosen() ? 10 : 1));
        if (PlayerData* player = mGameState->GetCurrentPlayer())
            player->UpdateBestResult(mGameState->GetRun());
        mGameState->SubmitZenScore();
    }
    Setup(finished.mCourseRecord, finished.mCourseKey, finished.mRepeat);
    mStripColourIndex = finished.mStripColourIndex;
    Feed();
}

void CourseAnimator::SetAnimalsVisible()
{
    if (mCourseStrip != nullptr)
        mCourseStrip->SetActiveAndVisible(true);
    for (SInt32 s = 0; s < mSegments.GetCount(); ++s)
        mSegments[s]->SetAnimalsVisible();
}

Bool CourseAnimator::IsFinishedAndIdle() const
{
    return mState == StateFinished && (mCourseStrip == nullptr || !mCourseStrip->IsTimelineRunning());
}

void CourseAnimator::SetFinishValues(Float stepDuration, UInt32 stepCount)
{
    mFinishStepDuration = stepDuration;
    mFinishStepCount = stepCount;
    mFinishStepTimer = 0.0f;
    mState = StateFinished;
    if (mCourseStrip != nullptr)
        mCourseStrip->StartTimeline();
}

void CourseAnimator::OnRunRemoved(CourseSegment& run)
{
    mPullSpeed = 0.0f;
    const SInt32 count = run.GetCount();
    if (count == 0)
        return;
    Bool charred = false;
    for (SInt32 a = 0; a < count; ++a)
        charred = charred || run.mAnimals[a]->mCharred;
    const SInt32 middle = std::min(SInt32(std::nearbyint(Double(count) * 0.5)), count - 1);
    AddScoreEvent(charred ? 13 : 12, &run.mAnimals[middle]->mPosition, UInt32(count));
}

Float CourseAnimator::LevelFactor(const FlyingWeapon& weapon) const
{
    const UInt32 level = weapon.mWeapon->GetLevel();
    return level >= 3 ? 1.2f : level == 2 ? 1.0f : 0.8f;
}

Bool CourseAnimator::OnWeaponHit(FlyingWeapon& weapon, const AnimalOnCourseIndex&)
{
    if (weapon.mWeapon == nullptr)
        return true;
    const Float m = LevelFactor(weapon);
    switch (weapon.mWeapon->GetKind()) {
    case Weapon::KindTranq:
        PlaySound(44);
        if (mGameState != nullptr)
            mGameState->SetTranqTime(8.0f * m);
        return true;
    case Weapon::KindBigTranq:
        PlaySound(18);
        if (mGameState != nullptr)
            mGameState->SetBigTranqTime(10.0f * m);
        return true;
    case Weapon::KindNuke:
        break;
    default:
        return true;
    }
    PlaySound(26);
    const Float reach = 215.0f * m;
    const Math::Vector<Float>& centre = weapon.GetPosition();
    for (UInt32 i = CountAnimals(); i-- > 0;) {
        Animal& animal = *GetAnimalAt(i);
        if (!Within(animal, centre, reach))
            continue;
        if (animal.mFrozen) {
            animal.SetFrozen(false);
            if (mExplosionHandler != nullptr)
                mExplosionHandler->StartEffect(ExplosionHandler::EffectIce, animal.mPosition, 0.0f, 0.0f);
            SetFacing(animal);
            AddScoreEvent(15, &animal.mPosition);
        } else if (animal.IsMatchable()) {
            if (mExplosionHandler != nullptr)
                mExplosionHandler->StartEffect(ExplosionHandler::EffectCharred, animal.mPosition, 0.0f, 0.0f);
            animal.SetCharred(Draw(4.0f, 6.0f));
            if (mGameState != nullptr)
                mGameState->SetPoseFlag(true);
        }
    }
    return true;
}

Bool CourseAnimator::OnAreaWeapon(FlyingWeapon& weapon, const AnimalOnCourseIndex&)
{
    if (weapon.mWeapon == nullptr)
        return false;
    const UInt32 kind = weapon.mWeapon->GetKind();
    const UInt32 level = weapon.mWeapon->GetLevel();
    const Float m = LevelFactor(weapon);
    const Math::Vector<Float> centre = weapon.GetPosition();
    Float reach = 0.0f;
    Bool result = false;
    UInt32 eventType = 0;
    SInt32 releaseMode = 1;
    switch (kind) {
    case Weapon::KindNukeBlue:
        PlaySound(25);
        reach = level >= 3 ? 150.0f : level == 2 ? 125.0f : 100.0f;
        result = true;
        eventType = 16;
        releaseMode = 5;
        break;
    case Weapon::KindRhino:
        PlaySound(24);
        reach = weapon.GetRadius();
        mPullSpeed = 0.0f;
        mSlowTimer = 0.2f;
        eventType = 18;
        releaseMode = 8;
        break;
    case Weapon::KindHambone:
        if (mSoundContainer != nullptr)
            mSoundContainer->PlayIfIdle(45, false);
        reach = 175.0f * m;
        mPullSpeed = 0.0f;
        mSlowTimer = 0.5f;
        eventType = 17;
        break;
    case Weapon::KindAirstrike: {
        PlaySound(24);
        const Math::Vector<Float> origin(0.0f, 0.0f, 0.0f, 1.0f);
        const Math::Vector<Float>& point = mGameState != nullptr ? mGameState->GetPosition() : origin;
        reach = 15.0f * (Distance(point, origin) / 100.0f + 1.0f + Distance(point, centre) / 400.0f);
        result = true;
        releaseMode = 9;
        break;
    }
    default:
        return false;
    }
    UInt32 counted = 0;
    Animal* keptInFront = nullptr;
    Bool inStretch = false;
    for (UInt32 i = CountAnimals(); i-- > 0;) {
        Animal* animal = GetAnimalAt(i);
        if (animal->IsEndPiece()) {
            inStretch = false;
            keptInFront = animal;
            continue;
        }
        if (!Within(*animal, centre, reach)) {
            if (inStretch)
                animal->MarkGapEnd();
            inStretch = false;
            keptInFront = animal;
            continue;
        }
        if (!inStretch && keptInFront != nullptr)
            keptInFront->MarkGapEnd();
        if (kind == Weapon::KindHambone) {
            Math::Vector<Float> away(animal->mPosition.x - centre.x, animal->mPosition.y - centre.y, 0.0f, 0.0f);
            const Float length = Distance(animal->mPosition, centre);
            const Float scale = length > 0.0f ? 600.0f / length : 0.0f;
            away.x *= scale;
            away.y *= scale;
            if (length == 0.0f)
                away.y = 600.0f;
            if (EjectAnimal(i, away)) {
                ++counted;
                inStretch = true;
            } else {
                inStretch = false;
                keptInFront = animal;
            }
            continue;
        }
        if (RemoveAnimalAt(i, releaseMode)) {
            ++counted;
            inStretch = true;
        }
    }
    if (counted > 0 && eventType != 0)
        AddScoreEvent(eventType, &centre, counted);
    return result;
}

} // namespace App
} // namespace Vorn
