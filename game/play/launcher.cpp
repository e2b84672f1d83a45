// The launcher's part of the player processor: which animals it holds, how they sit and move
// around the launcher, and the shot (swap, weapon pick-up, launch).
#include <cmath>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/play_field.h"
#include "game/play/player_processor.h"
#include "game/play/weapon.h"
#include "game/sound_container.h"
#include "graph/time/timeline.h"

namespace Vorn {
namespace App {

namespace {

using Vector = Math::Vector<float>;
constexpr auto kLinear = Enums::InterpolationType::LINEAR;
constexpr auto kConstant = Enums::InterpolationType::CONSTANT;

constexpr UInt32 kSoundLaunch = 30;
constexpr UInt32 kEffectPose = 4;
constexpr UInt32 kEffectLaunch = 30;
constexpr UInt32 kEffectOtherWeapon = 1;
constexpr Float kPoseDuration = 10.0f;
constexpr SInt32 kTopKind = 13;
constexpr SInt32 kFirstColour = 6;

struct VectorKey
{
    Float mTime;
    Float mValue[4];
    Enums::InterpolationType mInterpolation;
};

// The launcher's key tables: time, (along the aim, across it, depth order, size), interpolation.
const VectorKey kKickKeys[] = {
    {0.0f, {0, 0, 0, 1}, kLinear},
    {0.1f, {12, 0, 0, 1}, kLinear},
    {0.25f, {0, 0, 0, 1}, kLinear},
};
const VectorKey kNextHopKeys[] = {
    {0.0f, {16, 0, 25000, 1}, kLinear},   {0.07f, {16, 0, 25000, 1}, kLinear},
    {0.08f, {16, 0, 43000, 1}, kLinear},  {0.2f, {-12, 0, 43000, 1}, kLinear},
    {0.24f, {-25, 0, 35000, 1}, kConstant}, {0.25f, {-9, 0, 25000, 1}, kLinear},
    {0.35f, {16, 0, 25000, 1}, kLinear},
};
const VectorKey kSwapOutKeys[] = {
    {0.0f, {25, 0, 35000, 34}, kLinear},        {0.05f, {13, -25, 70000, 44.2f}, kLinear},
    {0.1f, {5, -35, 70000, 40.8f}, kLinear},    {0.125f, {-3, -25, 70000, 30.6f}, kLinear},
    {0.15f, {-10, -10, 70000, 23.8f}, kLinear}, {0.2f, {-16, 0, 25000, 17}, kLinear},
    {0.25f, {-16, 0, 25000, 17}, kLinear},
};
const VectorKey kSwapInKeys[] = {
    {0.0f, {-16, 0, 25000, 17}, kLinear},     {0.05f, {-16, 5, 25000, 17}, kLinear},
    {0.1f, {-6, 20, 70000, 27.2f}, kLinear},  {0.15f, {6, 35, 70000, 40.8f}, kLinear},
    {0.2f, {16, 19, 70000, 40.8f}, kLinear},  {0.25f, {25, 0, 35000, 34}, kLinear},
};
const struct
{
    Float mTime;
    Float mValue;
} kNextSizeKeys[] = {{0.0f, 17.0f}, {0.1f, 17.0f}, {0.18f, 40.8f}, {0.24f, 34.0f}, {0.25f, 34.0f}};

template <size_t N>
void Fill(Logic::Animation<Vector>& animation, const VectorKey (&keys)[N])
{
    animation.ClearKeys();
    for (const VectorKey& key : keys)
        animation.AppendKey(key.mTime, Vector(key.mValue[0], key.mValue[1], key.mValue[2], key.mValue[3]),
                            key.mInterpolation);
    animation.GetTimeline()->SetEndTime(keys[N - 1].mTime);
}

void Restart(Logic::BaseTimeline& animation)
{
    animation.GetTimeline()->Rewind();
    animation.GetTimeline()->Start();
}

// The effect a weapon taken from the field shows, by its kind.
const UInt32 kTakeEffects[] = {22, 23, 28, 24, 26, 27, 25, 29};

// The idle voices by kind, 6 to 13; the first two kinds have two voices each.
const struct
{
    UInt32 mSound;
    Bool mTwoVoices;
} kVoices[] = {{10, true}, {12, true}, {12, true}, {14, false}, {15, false}, {16, false}, {16, false}, {17, false}};

Float Length(const Vector& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

} // namespace

void PlayerProcessor::BuildAnimations()
{
    Fill(mKickAnim, kKickKeys);
    Fill(mNextHopAnim, kNextHopKeys);
    Fill(mSwapOutAnim, kSwapOutKeys);
    Fill(mSwapInAnim, kSwapInKeys);
    mNextSizeAnim.ClearKeys();
    for (const auto& key : kNextSizeKeys)
        mNextSizeAnim.AppendKey(key.mTime, key.mValue, kLinear);
    mNextSizeAnim.GetTimeline()->SetEndTime(kNextSizeKeys[4].mTime);
    mSwapInAnim.GetTimeline()->SetTimeScale(1.0f);
    // Each value starts at its first key, before any track has run.
    mKickAnim.Reset();
    mNextHopAnim.Reset();
    mNextSizeAnim.Reset();
    mSwapOutAnim.Reset();
    mSwapInAnim.Reset();
}

void PlayerProcessor::CountKindsOnCourses()
{
    mSelector.Clear();
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    for (UInt32 i = 0; i < courses->GetCourseCount(); ++i) {
        const CourseAnimator* course = courses->GetCourse(i);
        const UInt32 count = course->CountAnimals();
        for (UInt32 j = 0; j < count; ++j)
            mSelector.Increment(course->GetAnimalAt(j)->GetKind());
    }
    if (!mSelector.AnyColour()) {
        // Without colours on the courses every colour but the white rabbit comes evenly.
        for (SInt32 kind = kFirstColour; kind <= kTopKind; ++kind)
            mSelector.Set(kind, kind == 12 ? 0 : 1);
    }
}

SInt32 PlayerProcessor::DrawColourKind()
{
    return mSelector.SelectKind(kFirstColour);
}

void PlayerProcessor::PrepareLoadedAnimal(Animal* animal)
{
    animal->SetCheckMatch(true);
    animal->SetRadius(34.0f);
    animal->SetHeading(mAimAngle);
    animal->UpdateTransform();
    animal->SetDepthOrder(LoadedDepthOrder);
}

void PlayerProcessor::PrepareNextAnimal(Animal* animal)
{
    animal->SetCheckMatch(true);
    animal->SetRadius(17.0f);
    animal->SetHeading(mAimAngle);
    animal->UpdateTransform();
    animal->SetDepthOrder(NextDepthOrder);
}

void PlayerProcessor::LoadLauncher()
{
    if (mNextSizeAnim.GetTimeline()->IsRunning() || mSwapOutAnim.GetTimeline()->IsRunning())
        return;
    CountKindsOnCourses();
    AnimalContainer* animals = mPlayfield->GetAnimalContainer();

    if (mLoadedAnimal == nullptr && mLoadedWeapon == nullptr) {
        Animal* loaded = nullptr;
        if (mNextAnimal != nullptr) {
            loaded = mNextAnimal;
            mNextAnimal = nullptr;
            if (!mVoiceTimer.GetTimeframe()->IsRunning())
                mVoiceTimer.GetTimeframe()->Start(mRng.RandReal(2.5f, 8.0f));
        } else if (mSpecialShots != 0) {
            loaded = animals->ObtainAnimal(Animal::KindJoker);
        }
        if (loaded != nullptr) {
            mLoadedAnimal = loaded;
            PrepareLoadedAnimal(loaded);
        }
    }

    if (mNextAnimal == nullptr) {
        mNextSizeAnim.GetTimeline()->Rewind();
        Animal* next = nullptr;
        if (mSpecialShots < 2)
            next = mSelector.AnyMatchable() ? mSelector.ObtainColour() : mSelector.ObtainMatchable();
        else
            next = animals->ObtainAnimal(Animal::KindJoker);
        if (next != nullptr) {
            mNextAnimal = next;
            PrepareNextAnimal(next);
        }
    }

    if (mSpecialShots >= 2)
        return;
    if (mSpecialShots == 0 && mLoadedAnimal != nullptr) {
        CheckLoadedColour();
        if (mGameState->GetPoseFlag()) {
            mLoadedAnimal->SetCharred(kPoseDuration);
            mEffects->StartEffect(kEffectPose, mLoadedAnimal->GetPosition(), 0.0f, 0.0f);
            mGameState->SetPoseFlag(false);
        }
        if (mVoiceTimer.GetTimeframe()->IsEnded())
            PlayIdleVoice();
    }
    CheckNextColour();
}

void PlayerProcessor::CheckLoadedColour()
{
    const SInt32 kind = mLoadedAnimal->GetKind();
    if ((kind <= kTopKind && mSelector.Get(kind) != 0) || IsTutorialShowing())
        return;
    if (mNextAnimal != nullptr && mNextAnimal->GetKind() <= kTopKind && mSelector.Get(mNextAnimal->GetKind()) != 0) {
        mLoadedAnimal->SetAnimal(mNextAnimal->GetKind());
        const SInt32 drawn = DrawColourKind();
        if (drawn <= kTopKind) {
            mNextAnimal->SetAnimal(drawn);
            mNextAnimal->UpdateTransform();
        }
    } else {
        const SInt32 drawn = DrawColourKind();
        if (drawn <= kTopKind)
            mLoadedAnimal->SetAnimal(drawn);
    }
    mLoadedAnimal->UpdateTransform();
}

void PlayerProcessor::CheckNextColour()
{
    if (mNextAnimal == nullptr || IsTutorialShowing())
        return;
    const SInt32 kind = mNextAnimal->GetKind();
    if (kind <= kTopKind && mSelector.Get(kind) != 0)
        return;
    const SInt32 drawn = DrawColourKind();
    if (drawn <= kTopKind) {
        mNextAnimal->SetAnimal(drawn);
        mNextAnimal->UpdateTransform();
    }
}

void PlayerProcessor::PlayIdleVoice()
{
    Logic::ITimeframe* timer = mVoiceTimer.GetTimeframe();
    if (!mLoadedAnimal->PlayIdle()) {
        timer->Start(1.0f);
        return;
    }
    const UInt32 r = mRng.RandUInt(0, 1);
    const SInt32 kind = mLoadedAnimal->GetKind();
    SoundContainer* sounds = mPlayfield->GetSoundContainer();
    if (sounds != nullptr && kind >= kFirstColour && kind <= kTopKind) {
        const auto& voice = kVoices[kind - kFirstColour];
        sounds->PlayIfIdle(voice.mSound + (voice.mTwoVoices ? r : 0), false);
    }
    timer->Start(mRng.RandReal(4.5f, 7.5f));
}

void PlayerProcessor::PlaceAnimal(Animal* animal, const Logic::Animation<Vector>& track, Float angle)
{
    const Vector& value = track.GetValue();
    const Float c = Math::Cos(angle);
    const Float s = Math::Sin(angle);
    animal->SetPosition(mLauncherPosition.x + value.x * c - value.y * s,
                        mLauncherPosition.y + value.x * s + value.y * c);
    animal->SetDepthOrder(SInt32(value.z));
    animal->SetRadius(value.w);
}

void PlayerProcessor::PlaceLoadedAnimal(Float angle)
{
    if (mSwapOutAnim.GetTimeline()->IsRunning()) {
        PlaceAnimal(mLoadedAnimal, mSwapOutAnim, angle);
    } else {
        mLoadedAnimal->SetPosition(mLauncherPosition.x + LoadedOffset * Math::Cos(angle),
                                   mLauncherPosition.y + LoadedOffset * Math::Sin(angle));
    }
    mLoadedAnimal->UpdateTransform();
    mLoadedAnimal->SetHeading(angle);
}

void PlayerProcessor::PlaceNextAnimal(Float angle)
{
    if (mSwapInAnim.GetTimeline()->IsRunning()) {
        PlaceAnimal(mNextAnimal, mSwapInAnim, angle);
    } else {
        // The resting next animal sits behind the launcher centre and hops forward after a shot.
        const Float behind = -(mNextHopAnim.GetValue().x + mKickAnim.GetValue().x);
        mNextAnimal->SetPosition(mLauncherPosition.x + behind * Math::Cos(angle),
                                 mLauncherPosition.y + behind * Math::Sin(angle));
        mNextAnimal->SetDepthOrder(SInt32(mNextHopAnim.GetValue().z));
        mNextAnimal->SetRadius(mNextSizeAnim.GetValue());
    }
    mNextAnimal->UpdateTransform();
    mNextAnimal->SetHeading(angle);
}

void PlayerProcessor::PlaceLoadedWeapon(Float angle)
{
    mLoadedWeapon->SetPosition(mLauncherPosition.x + LoadedOffset * Math::Cos(angle),
                               mLauncherPosition.y + LoadedOffset * Math::Sin(angle));
    mLoadedWeapon->UpdateTransform();
    TurnWeapon(mLoadedWeapon, angle);
}

void PlayerProcessor::UpdateLauncher(Float dt)
{
    if (mLoadedAnimal != nullptr) {
        PlaceLoadedAnimal(mAimAngle);
        mLoadedAnimal->Update(dt);
    } else if (mLoadedWeapon != nullptr) {
        PlaceLoadedWeapon(mAimAngle);
    }
    if (mNextAnimal != nullptr) {
        PlaceNextAnimal(mAimAngle);
        mNextAnimal->Update(dt);
    }
    PoseLauncher(mAimAngle);
}

void PlayerProcessor::Swap()
{
    Restart(mSwapOutAnim);
    Restart(mSwapInAnim);
    if (Graph::ITimeline* timeline = mLauncherTimeline.Get()) {
        timeline->SetTimeScale(1.0f);
        timeline->Start();
    }
}

void PlayerProcessor::HandleShot(Pointer& pointer)
{
    if (mSwapOutAnim.GetTimeline()->IsRunning() || (mLoadedAnimal == nullptr && mLoadedWeapon == nullptr) ||
        !pointer.AnyButton())
        return;
    Weapon* weapon = FindWeaponAt(pointer.mWorld);
    if (IsTutorialShowing()) {
        if (!AcceptsTutorialClick(pointer.mAim, weapon))
            return;
        ++mTutorialStep;
        if (Graph::INode* tutorial = mTutorial.GetNode())
            tutorial->SetActiveAndVisible(false);
        mGameState->SetPlayState(PlayRunning);
    } else if (pointer.mAtLauncher || pointer.mThird) {
        if (weapon != nullptr)
            TakeWeapon(weapon);
        else if (mLoadedAnimal != nullptr)
            Swap();
        return;
    }
    if (weapon != nullptr)
        TakeWeapon(weapon);
    else
        Launch(pointer);
}

void PlayerProcessor::TakeWeapon(Weapon* weapon)
{
    const UInt32 kind = weapon->GetKind();
    const UInt32 effect = kind < sizeof(kTakeEffects) / sizeof(kTakeEffects[0]) ? kTakeEffects[kind] : kEffectOtherWeapon;
    mEffects->StartEffect(effect, weapon->GetPosition(), 0.0f, 0.0f);
    ScoreEvent& event = mGameState->AddScoreEvent();
    event.mPosition = weapon->GetPosition();
    event.mType = 11;

    if (kind == Weapon::KindCarrot) {
        UseCarrot(weapon);
        return;
    }
    ReleaseAnimal(mLoadedAnimal);
    if (mLoadedWeapon != nullptr)
        ReleaseWeapon(mLoadedWeapon);
    mLoadedWeapon = weapon;
    PlaceLoadedWeapon(mAimAngle);
    if (kind == Weapon::KindNuke)
        ReleaseAnimal(mNextAnimal);
    if (kind == Weapon::KindChameleon) {
        const UInt32 level = weapon->GetLevel();
        ReleaseHeldObjects();
        mSpecialShots += level > 3 ? level : 3;
    }
}

void PlayerProcessor::Launch(const Pointer& pointer)
{
    if (SoundContainer* sounds = mPlayfield->GetSoundContainer())
        sounds->Play(kSoundLaunch);
    FlyingObjectHandler* flying = mPlayfield->GetFlyingObjectHandler();
    FlyingObject* launched = nullptr;
    Float speed = mLaunchSpeed;
    if (mLoadedAnimal != nullptr) {
        if (mSpecialShots != 0)
            --mSpecialShots;
        mLoadedAnimal->mShot = true;
        launched = flying->SpawnAnimal(mLoadedAnimal);
        mLoadedAnimal = nullptr;
        mGameState->GetRun().IncrementCounter(1);
    } else if (mLoadedWeapon != nullptr) {
        if (mLoadedWeapon->GetKind() == Weapon::KindRhino && speed > mRhinoSpeedLimit)
            speed = mRhinoSpeedLimit;
        launched = flying->SpawnWeapon(mLoadedWeapon);
        mLoadedWeapon = nullptr;
    }
    if (launched != nullptr) {
        // A shot aimed at the launcher's centre has no direction and stays where it is.
        const Float length = Length(pointer.mAim);
        const Float scale = length > 0.0f ? speed / length : 0.0f;
        launched->mVelocity = Vector(pointer.mAim.x * scale, pointer.mAim.y * scale, pointer.mAim.z * scale,
                                     pointer.mAim.w * speed);
        if (Graph::ITimeline* timeline = mLauncherTimeline.Get())
            timeline->Start();
        Restart(mKickAnim);
        Restart(mNextHopAnim);
        mNextSizeAnim.GetTimeline()->Start();
    }
    const Float angle = pointer.mAim.x != 0.0f || pointer.mAim.y != 0.0f ? GetVectorAngle(pointer.mAim) : 0.0f;
    mEffects->StartEffect(kEffectLaunch, mLauncherPosition, angle, 0.0f);
}

} // namespace App
} // namespace Vorn
