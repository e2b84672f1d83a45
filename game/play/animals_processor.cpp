#include "game/play/animals_processor.h"

#include <cmath>

#include "foundation/enums.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/flying_object.h"
#include "game/play/level_data.h"
#include "game/play/play_field.h"
#include "game/play/play_seed.h"
#include "logic/processor.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kStarting = 4;
constexpr UInt32 kPlaying = 5;
constexpr Float kSmallestComponent = 0.000001f;
// Mode 0 aims beside the launcher by this much to either side.
constexpr Float kNearestBeside = 120.0f;
constexpr Float kFarthestBeside = 240.0f;
constexpr UInt32 kChainDraws = 99;
constexpr UInt32 kFewestOnCourse = 3;
constexpr Float kVerticalSlope = 0.01f;

Bool IsFinite(Float value)
{
    return std::isfinite(value);
}

template <typename T>
void AppendKey(Logic::Animation<T>& track, Float time, T value)
{
    track.AppendKey(time, value, Enums::InterpolationType::CONSTANT);
}

template <typename T>
void StartTrack(Logic::Animation<T>& track, Float period, SInt32 wrap)
{
    if (track.GetNumberOfKeys() == 0)
        return;
    track.GetTimeline()->SetWrapCount(wrap);
    track.StartTimeRange(0.0f, period);
}

template <typename T>
void ResetTrack(Logic::Animation<T>& track)
{
    track.ClearKeys();
    track.Reset();
}

} // namespace

AnimalsProcessor::AnimalsProcessor(Logic::IFactory* factory, Playfield* playfield)
    : PlayProcessor(factory, playfield),
      mInterval(0.0f),
      mLowerSpeed(DefaultLowerSpeed),
      mUpperSpeed(DefaultUpperSpeed),
      mNormalBudget(-1),
      mSpecialBudget(-1),
      mPeriod(0.0f),
      mWrap(0),
      mMode(0),
      mSeenInterval(0.0f),
      mSeenMode(0),
      mTracksFresh(false),
      mSelector(playfield != nullptr ? playfield->GetAnimalContainer() : nullptr)
{
    mRandom.Seed(GetPlaySeed());
}

AnimalsProcessor::~AnimalsProcessor() {}

Bool AnimalsProcessor::OnInit(Logic::IState*)
{
    if (mPlayfield == nullptr)
        return false;
    // The play field's steppers, in the order the play depends on.
    Logic::IStepable* const stepables[] = {
        mSpawnTimer.GetTimeline(),
        mPlayfield->GetFlyingObjectHandler(),
        mPlayfield->GetAnimalContainer(),
        mPlayfield->GetCloudsContainer(),
    };
    for (Logic::IStepable* stepable : stepables)
        mProcessor->AddStepable(stepable);
    return true;
}

Bool AnimalsProcessor::OnDeInit(Logic::IState*)
{
    return true;
}

void AnimalsProcessor::OnStep(Logic::IState* state)
{
    Step(state->GetCurrentTickDuration());
}

void AnimalsProcessor::Reset()
{
    mInterval = 0.0f;
    mLowerSpeed = DefaultLowerSpeed;
    mUpperSpeed = DefaultUpperSpeed;
    mNormalBudget = -1;
    mSpecialBudget = -1;
    mPeriod = 0.0f;
    mWrap = 0;
    mMode = 0;
    mSeenInterval = 0.0f;
    mSeenMode = 0;
    mTracksFresh = false;
    ResetTrack(mIntervalTrack);
    ResetTrack(mModeTrack);
    ResetTrack(mKindRuleTrack);
    ResetTrack(mCourseTrack);
    mSpawnTimer.GetTimeline()->Reset();
    mCounter.Clear();
    mSelector.Clear();
}

void AnimalsProcessor::AddKeys(Float time, const OptionalValue& interval, const OptionalValue& mode,
                               const OptionalValue& kindRule, const OptionalValue& course)
{
    if (interval.mSet)
        AppendKey(mIntervalTrack, time, interval.GetFloat());
    if (mode.mSet)
        AppendKey(mModeTrack, time, mode.GetUInt());
    if (kindRule.mSet)
        AppendKey(mKindRuleTrack, time, kindRule.GetUInt());
    if (course.mSet)
        AppendKey(mCourseTrack, time, course.GetUInt());
}

void AnimalsProcessor::SetSpeedBounds(Float lower, Float upper)
{
    mLowerSpeed = lower;
    mUpperSpeed = upper;
}

void AnimalsProcessor::SetPeriod(Float period, SInt32 wrap)
{
    mPeriod = period;
    mWrap = wrap;
}

Bool AnimalsProcessor::SetMode(UInt32 mode)
{
    if (mode >= NumberOfModes || mode == mMode)
        return false;
    mMode = mode;
    return true;
}

void AnimalsProcessor::Step(Double dt)
{
    const GameState* gameState = mPlayfield->GetGameState();
    const UInt32 playState = gameState->GetPlayState();
    if (mWrap == 0 || (playState != kStarting && playState != kPlaying))
        return;
    if (playState == kStarting)
        StartTracks();

    Logic::Timeline* timer = mSpawnTimer.GetTimeline();
    if (mInterval > 0.0f) {
        if (timer->IsEnded())
            SpawnAnimal();
        // A paused timer waits for the tranquillisers to wear off rather than start afresh.
        if (!timer->IsRunning() && !timer->IsPaused())
            RetimeSpawnTimer();
    }
    if (gameState->GetTranqTime() > 0.0f || gameState->GetBigTranqTime() > 0.0f)
        timer->Pause();
    else if (timer->IsPaused() && mInterval > 0.0f)
        timer->Start();

    AdvanceTracks(dt);
}

void AnimalsProcessor::StartTracks()
{
    // A period that is no time at all would leave the timelines running backwards.
    const Float period = IsFinite(mPeriod) && mPeriod > 0.0f ? mPeriod : 0.0f;
    StartTrack(mIntervalTrack, period, mWrap);
    StartTrack(mModeTrack, period, mWrap);
    StartTrack(mKindRuleTrack, period, mWrap);
    StartTrack(mCourseTrack, period, mWrap);
    mTracksFresh = true;
}

void AnimalsProcessor::AdvanceTracks(Double dt)
{
    mIntervalTrack.GetTimeline()->Step(dt);
    Float interval = mIntervalTrack.GetValue();
    if (!IsFinite(interval))
        interval = 0.0f;
    if ((mTracksFresh || interval != mSeenInterval) && interval != mInterval) {
        mInterval = interval;
        RetimeSpawnTimer();
    }
    mSeenInterval = interval;

    mModeTrack.GetTimeline()->Step(dt);
    const UInt32 mode = mModeTrack.GetValue();
    if ((mTracksFresh || mode != mSeenMode) && SetMode(mode))
        RetimeSpawnTimer();
    mSeenMode = mode;

    mKindRuleTrack.GetTimeline()->Step(dt);
    mCourseTrack.GetTimeline()->Step(dt);
    mTracksFresh = false;
}

void AnimalsProcessor::RetimeSpawnTimer()
{
    Logic::Timeline* timer = mSpawnTimer.GetTimeline();
    if (!(mInterval > 0.0f)) {
        timer->Reset();
        return;
    }
    timer->SetWrapCount(0);
    timer->SetTimeRange(0.0f, mInterval);
}

Bool AnimalsProcessor::SpawnAnimal()
{
    if (mNormalBudget == 0 && mSpecialBudget == 0)
        return false;
    const GameState* gameState = mPlayfield->GetGameState();
    const Float width = gameState->GetViewWidth();
    const Float height = gameState->GetPlayHeight();

    Math::Vector<Float> start(0.0f, 0.0f, 0.0f, 1.0f);
    Math::Vector<Float> target(0.0f, 0.0f, 0.0f, 1.0f);
    if (mMode == 0) {
        start.x = Uniform(-0.5f * width, 0.5f * width);
        start.y = (Below(2) == 0 ? 1.0f : -1.0f) * (0.5f * height + AboveScreen);
        const Float side = Below(2) == 0 ? 1.0f : -1.0f;
        target.x = gameState->GetPosition().x + side * Uniform(kNearestBeside, kFarthestBeside);
    } else if (!AimAtChain(width, height, start, target)) {
        return false;
    }

    const Float lower = mLowerSpeed < mUpperSpeed ? mLowerSpeed : mUpperSpeed;
    const Float upper = mLowerSpeed < mUpperSpeed ? mUpperSpeed : mLowerSpeed;
    const Float speed = Uniform(lower, upper);
    const Float dx = target.x - start.x;
    const Float dy = target.y - start.y;
    const Float length = std::sqrt(dx * dx + dy * dy);
    // Bad level values (speeds not above 0, points not on the screen's plane) send nothing.
    if (!(speed > 0.0f) || !(length > 0.0f) || !IsFinite(speed) || !IsFinite(length))
        return false;
    const Math::Vector<Float> velocity(dx / length * speed, dy / length * speed, 0.0f, 0.0f);
    if (!(std::fabs(velocity.x) >= kSmallestComponent) && !(std::fabs(velocity.y) >= kSmallestComponent))
        return false;

    Animal* animal = ObtainAnimal();
    if (animal == nullptr)
        return false;
    if (DrawSpecial())
        animal->SetFrozen(true);
    animal->mPosition = start;
    animal->UpdateTransform();
    FlyingAnimal* flying = mPlayfield->GetFlyingObjectHandler()->SpawnAnimal(animal);
    flying->mVelocity = velocity;
    return true;
}

Bool AnimalsProcessor::AimAtChain(Float width, Float height, Math::Vector<Float>& start, Math::Vector<Float>& target)
{
    CourseAnimator* course = ChooseCourse();
    if (course == nullptr)
        return false;
    const UInt32 count = course->CountAnimals();
    if (count < kFewestOnCourse)
        return false;

    const Animal* aimed = nullptr;
    if (mMode == 1) {
        for (UInt32 draw = 0; draw < kChainDraws && aimed == nullptr; ++draw) {
            const Animal* animal = course->GetAnimalAt(1 + Below(count - 2));
            if (animal != nullptr && animal->IsMatchable())
                aimed = animal;
        }
        if (aimed == nullptr)
            return false;
        target = aimed->mPosition;
    } else {
        const Bool front = mMode == 2;
        SInt32 found = -1;
        if (front) {
            for (UInt32 i = 1; i + 1 < count && found < 0; ++i)
                if (course->GetAnimalAt(i)->IsMatchable())
                    found = SInt32(i);
        } else {
            for (UInt32 i = count - 2; i >= 1 && found < 0; --i)
                if (course->GetAnimalAt(i)->IsMatchable())
                    found = SInt32(i);
        }
        if (found < 0)
            return false;
        const Animal* animal = course->GetAnimalAt(UInt32(found));
        const Animal* neighbour = course->GetAnimalAt(UInt32(front ? found - 1 : found + 1));
        const Float movement = front ? course->GetFrontSpeed() : course->GetBackSpeed();
        if (movement > 0.1f * height) {
            aimed = neighbour;
            target = neighbour->mPosition;
        } else if (movement < -0.1f * height) {
            aimed = animal;
            target = animal->mPosition;
        } else {
            aimed = animal;
            target = (animal->mPosition + neighbour->mPosition) * 0.5f;
        }
    }
    target.z = 0.0f;
    target.w = 1.0f;

    Math::Vector<Float> axis(0.0f, 0.0f, 0.0f, 1.0f);
    course->GetEllipsis().GetAxisPointNear(aimed->mHeading, target, axis);
    start = EdgePoint(target, axis, width, height);
    return true;
}

CourseAnimator* AnimalsProcessor::ChooseCourse()
{
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    CourseAnimator* named = courses->GetCourse(mCourseTrack.GetValue());
    if (named != nullptr && named->IsRunning())
        return named;
    return courses->PickRandomRunningCourse();
}

Math::Vector<Float> AnimalsProcessor::EdgePoint(const Math::Vector<Float>& target, const Math::Vector<Float>& through,
                                                Float width, Float height)
{
    const Float edgeX = 0.5f * width + BeyondScreen;
    const Float edgeY = 0.5f * height + BeyondScreen;
    Float dx = through.x - target.x;
    Float dy = through.y - target.y;
    if (dx == 0.0f) {
        // A vertical line leans a little, and a target on the axis point comes from above.
        if (dy == 0.0f)
            dy = 1.0f;
        dx = kVerticalSlope * std::fabs(dy);
    }
    // The line leaves through the side edges when it is flatter than the screen's diagonal.
    Math::Vector<Float> start(0.0f, 0.0f, 0.0f, 1.0f);
    if (std::fabs(dy) * edgeX <= std::fabs(dx) * edgeY) {
        start.x = dx > 0.0f ? edgeX : -edgeX;
        start.y = target.y + (start.x - target.x) * dy / dx;
    } else {
        start.y = dy > 0.0f ? edgeY : -edgeY;
        start.x = target.x + (start.y - target.y) * dx / dy;
    }
    return start;
}

Animal* AnimalsProcessor::ObtainAnimal()
{
    if (mKindRuleTrack.GetValue() == 0) {
        // The level's kind weights.
        const AnimalSelector* weights = mPlayfield->GetAnimalSelector();
        for (SInt32 kind = 0; kind < AnimalCounter::NumberOfKinds; ++kind)
            mSelector.Set(kind, weights->Get(kind));
    } else {
        mCounter.Clear();
        const CourseHandler* courses = mPlayfield->GetCourseHandler();
        for (UInt32 i = 0; i < courses->GetCourseCount(); ++i) {
            const CourseAnimator* course = courses->GetCourse(i);
            const UInt32 count = course->CountAnimals();
            for (UInt32 j = 0; j < count; ++j)
                mCounter.Increment(course->GetAnimalAt(j)->GetKind());
        }
        for (SInt32 kind = 0; kind < AnimalCounter::NumberOfKinds; ++kind)
            mSelector.Set(kind, mCounter.Get(kind));
    }
    return mSelector.ObtainMatchable();
}

Bool AnimalsProcessor::DrawSpecial()
{
    Bool special;
    if (mNormalBudget < 0 || mSpecialBudget < 0) {
        if (mSpecialBudget == 0)
            special = false;
        else if (mNormalBudget == 0)
            special = true;
        else
            special = Below(2) == 1;
    } else {
        special = Below(UInt32(mNormalBudget) + UInt32(mSpecialBudget)) >= UInt32(mNormalBudget);
    }
    SInt32& budget = special ? mSpecialBudget : mNormalBudget;
    if (budget > 0)
        --budget;
    return special;
}

Float AnimalsProcessor::Uniform(Float low, Float high)
{
    return low + Float(Double(mRandom.Rand()) * Double(high - low) / 4294967295.0);
}

UInt32 AnimalsProcessor::Below(UInt32 count)
{
    return UInt32((UInt64(mRandom.Rand()) * UInt64(count)) >> 32);
}

} // namespace App
} // namespace Vorn
