#include "game/play/course_handler.h"

#include <cmath>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_selector.h"
#include "game/play/course_animator.h"
#include "game/play/course_segment.h"
#include "game/play/explosion_handler.h"
#include "game/play/play_seed.h"

namespace Vorn {
namespace App {

namespace {

constexpr Float kHighlightPeriod = 2.0f;
constexpr Float kFinishStep = 0.07f;

} // namespace

CourseHandler::CourseHandler(GameState* gameState, AnimalContainer* animalContainer,
                             ExplosionHandler* explosionHandler, FlyingObjectHandler* flyingObjectHandler,
                             SoundContainer* soundContainer)
    : mGameState(gameState), mAnimalContainer(animalContainer), mExplosionHandler(explosionHandler),
      mFlyingObjectHandler(flyingObjectHandler), mSoundContainer(soundContainer), mHighlightTimer(0.0f)
{
    mRng.Seed(GetPlaySeed());
}

CourseHandler::~CourseHandler()
{
    DeleteAllCourses();
}

Bool CourseHandler::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return mCourseContainer.Init(nameSpace, basePath);
}

Bool CourseHandler::DeInit()
{
    const Bool removed = RemoveAllCourses();
    return mCourseContainer.DeInit() && removed;
}

void CourseHandler::DeleteAllCourses()
{
    for (SInt32 i = 0; i < mCourseAnimators.GetCount(); ++i)
        delete mCourseAnimators[i];
    mCourseAnimators.Clear();
}

Bool CourseHandler::RemoveAllCourses()
{
    DeleteAllCourses();
    mCourseContainer.ReleaseAll();
    return true;
}

void CourseHandler::Reset()
{
    RemoveAllCourses();
    mHighlightTimer = 0.0f;
}

CourseAnimator* CourseHandler::GetCourse(UInt32 index) const
{
    return index < GetCourseCount() ? mCourseAnimators[SInt32(index)] : nullptr;
}

CourseAnimator* CourseHandler::AddCourse(UInt32 index)
{
    if (index > GetCourseCount())
        return nullptr;
    CourseStrip* strip = mCourseContainer.Obtain();
    CourseAnimator* course = new CourseAnimator(mAnimalContainer, mExplosionHandler, mGameState,
                                                mFlyingObjectHandler, mSoundContainer, strip);
    mCourseAnimators.InsertAt(SInt32(index), course);
    return course;
}

CourseAnimator* CourseHandler::AppendCourse()
{
    return AddCourse(GetCourseCount());
}

Bool CourseHandler::RemoveCourseAt(UInt32 index)
{
    CourseAnimator* course = GetCourse(index);
    if (course == nullptr)
        return false;
    if (course->GetStrip() != nullptr)
        mCourseContainer.Release(course->GetStrip());
    delete course;
    mCourseAnimators.RemoveAt(SInt32(index));
    return true;
}

Bool CourseHandler::RemoveCourse(CourseAnimator* course)
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)] == course)
            return RemoveCourseAt(i);
    }
    return false;
}

CourseAnimator* CourseHandler::FindCourseByKey(UInt32 key) const
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)]->GetCourseKey() == key)
            return mCourseAnimators[SInt32(i)];
    }
    return nullptr;
}

CourseAnimator* CourseHandler::PickRandomRunningCourse()
{
    UInt32 running = 0;
    for (UInt32 i = 0; i < GetCourseCount(); ++i)
        running += mCourseAnimators[SInt32(i)]->IsRunning() && mCourseAnimators[SInt32(i)]->IsActive() ? 1 : 0;
    if (running == 0)
        return nullptr;
    UInt32 pick = UInt32((UInt64(mRng.Rand()) * running) >> 32);
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (!course->IsRunning() || !course->IsActive())
            continue;
        if (pick == 0)
            return course;
        --pick;
    }
    return nullptr;
}

UInt32 CourseHandler::AddKindWeightsOfRunningCourses(AnimalCounter& weights) const
{
    UInt32 sum = 0;
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)]->IsRunning())
            sum += mCourseAnimators[SInt32(i)]->AddKindWeights(weights);
    }
    return sum;
}

Bool CourseHandler::FindCourseAtCentre(Math::Vector<Float>& centre)
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (course->IsRunning() && course->IsCollapsed(centre))
            return true;
    }
    return false;
}

UInt32 CourseHandler::CountUnfinishedCourses() const
{
    UInt32 count = 0;
    for (UInt32 i = 0; i < GetCourseCount(); ++i)
        count += mCourseAnimators[SInt32(i)]->IsActive() && !mCourseAnimators[SInt32(i)]->IsFinished() ? 1 : 0;
    return count;
}

Bool CourseHandler::IsAnyChainClosed(Math::Vector<Float>& position)
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (course->IsRunning() && course->IsChainClosed(position))
            return true;
    }
    return false;
}

void CourseHandler::StartPendingCourses()
{
    // Key 0 stands for the start of the level.
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)]->GetCourseKey() != 0)
            mCourseAnimators[SInt32(i)]->Trigger(0);
    }
}

void CourseHandler::UpdateCourseStates()
{
    for (UInt32 i = 0; i < GetCourseCount();) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (course->IsRunning())
            course->UpdateWarning();
        if (course->IsFinishedAndIdle()) {
            RemoveCourse(course);
            continue;
        }
        ++i;
    }
}

void CourseHandler::StepCourses(Double dt)
{
    const Bool playing = mGameState != nullptr && mGameState->IsRunning();
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (course->IsActive() || playing)
            course->Step(dt);
    }
    if (mHighlightTimer > 0.0f)
        mHighlightTimer -= Float(dt);
    if (mGameState == nullptr || !(mGameState->HasTranqTime() || mGameState->HasBigTranqTime()) ||
        mHighlightTimer > 0.0f)
        return;
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (!course->IsRunning())
            continue;
        const UInt32 count = course->CountAnimals();
        for (UInt32 a = 0; a < count; ++a) {
            const Animal* animal = course->GetAnimalAt(a);
            if (animal->IsMatchable() && mExplosionHandler != nullptr)
                mExplosionHandler->StartEffect(ExplosionHandler::EffectHighlight, animal->mPosition, 0.0f, 0.0f);
        }
    }
    mHighlightTimer = kHighlightPeriod;
}

void CourseHandler::CollideCourses()
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)]->IsRunning())
            mCourseAnimators[SInt32(i)]->CollisionPhase();
    }
}

void CourseHandler::JoinCourses()
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)]->IsRunning())
            mCourseAnimators[SInt32(i)]->JoinPhase();
    }
}

void CourseHandler::MatchCourses()
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i) {
        if (mCourseAnimators[SInt32(i)]->IsRunning())
            mCourseAnimators[SInt32(i)]->MatchPhase();
    }
}

void CourseHandler::StartCollapse()
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i)
        mCourseAnimators[SInt32(i)]->StartCollapse();
}

void CourseHandler::ShakeAnimals()
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i)
        mCourseAnimators[SInt32(i)]->ShakeAnimals();
}

void CourseHandler::FinishCourse(CourseAnimator* course)
{
    if (course == nullptr)
        return;
    const UInt32 n = course->CountAnimals();
    Float stepDuration = 0.0f;
    UInt32 steps = 0;
    if (n > 0) {
        const Animal& first = *course->GetAnimalAt(0);
        const Animal& last = *course->GetAnimalAt(n - 1);
        if (mGameState != nullptr) {
            ScoreEvent& event = mGameState->AddScoreEvent();
            event.mPosition = Math::Vector<Float>((first.mPosition.x + last.mPosition.x) * 0.5f,
                                                  (first.mPosition.y + last.mPosition.y) * 0.5f,
                                                  (first.mPosition.z + last.mPosition.z) * 0.5f,
                                                  (first.mPosition.w + last.mPosition.w) * 0.5f);
            event.mType = 9;
            event.mCount = 1;
            event.mValue = CourseAnimator::FinishBonus;
        }
        for (UInt32 a = 0; a < n && mExplosionHandler != nullptr; ++a)
            mExplosionHandler->StartEffect(ExplosionHandler::EffectFinishAnimal, course->GetAnimalAt(a)->mPosition,
                                           0.0f, 0.0f);
        const Ellipsis& ellipse = course->GetEllipsis();
        const Float a = ellipse.GetRadiusA();
        const Float b = ellipse.GetRadiusB();
        const Float duration = Float(std::sqrt(Double(a) / 600.0 + Double(b) / 600.0));
        const Double ring = std::trunc(8.0 * (Double(a) / 150.0 + Double(b) / 150.0));
        // Radii from the file may be negative, NaN or huge: no ring then, and no division.
        const UInt32 m = ring > 0.0 && ring < 10000.0 ? UInt32(ring) : 0;
        const Float cosR = Math::Cos(ellipse.GetRotation());
        const Float sinR = Math::Sin(ellipse.GetRotation());
        for (UInt32 i = 0; i < m && mExplosionHandler != nullptr; ++i) {
            const Float share = Float(i) / Float(m);
            const Float angle = Float(Double(share) * Math::TwoPi + last.mPathPosition);
            const Float x = a * Math::Cos(angle);
            const Float y = b * Math::Sin(angle);
            const Math::Vector<Float> point(ellipse.GetCentre().x + x * cosR - y * sinR,
                                            ellipse.GetCentre().y + x * sinR + y * cosR, 0.0f, 1.0f);
            mExplosionHandler->StartEffect(ExplosionHandler::EffectFinishRing, point, 0.0f, share * duration);
        }
        const Double count = std::trunc(Double(duration) / kFinishStep - 1.0);
        if (count > 0.0 && count < 10000.0) {
            steps = UInt32(count);
            stepDuration = duration / Float(steps);
        }
    }
    course->Clear();
    course->ReleaseFlyers();
    course->SetFinishValues(stepDuration, steps);
    if (course->IsRepeat()) {
        CourseAnimator* repeat = AppendCourse();
        repeat->CopyFrom(*course);
    }
}

template <class Test>
void CourseHandler::FinishRunningCourses(Test test)
{
    Array<UInt32> keys;
    // A repeat appends a course: only the courses there before are looked at.
    const UInt32 count = GetCourseCount();
    for (UInt32 i = 0; i < count; ++i) {
        CourseAnimator* course = mCourseAnimators[SInt32(i)];
        if (!course->IsRunning() || !test(*course))
            continue;
        keys.Add(course->GetCourseKey());
        FinishCourse(course);
    }
    ReleaseDependents(keys);
}

void CourseHandler::FinishAllRunningCourses()
{
    FinishRunningCourses([](const CourseAnimator&) { return true; });
}

void CourseHandler::FinishClearedCourses()
{
    FinishRunningCourses([](const CourseAnimator& course) { return course.IsCleared(); });
}

void CourseHandler::ReleaseDependents(const Array<UInt32>& keys)
{
    for (SInt32 k = 0; k < keys.GetCount(); ++k) {
        for (UInt32 i = 0; i < GetCourseCount(); ++i)
            mCourseAnimators[SInt32(i)]->Trigger(keys[k]);
    }
}

void CourseHandler::ScatterAndRemoveAll(const Math::Vector<Float>& point)
{
    for (UInt32 i = 0; i < GetCourseCount(); ++i)
        mCourseAnimators[SInt32(i)]->ScatterAnimals(point);
    RemoveAllCourses();
}

} // namespace App
} // namespace Vorn
