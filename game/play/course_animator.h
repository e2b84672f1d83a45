// One course while a level is played: the chain model plus its course record, the strip that
// draws it, the timelines that move and reshape its ellipse, and its life from waiting to
// finished. The course handler creates one per course record, starts it when the course it
// waits for has finished, steps it every logic step and finishes it when it is cleared.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/play/animal_selector.h"
#include "game/play/course.h"
#include "logic/animation.h"

namespace Vorn {
namespace App {

class AnimalCounter;
class CourseStrip;
struct CourseRecord;
struct PathPiece;

class CourseAnimator : public Course
{
public:
    static constexpr SInt32 StateWaiting = 0;
    static constexpr SInt32 StateStarted = 1;
    static constexpr SInt32 StateDelayed = 2;
    static constexpr SInt32 StateRunning = 3;
    static constexpr SInt32 StateFinished = 4;
    static constexpr UInt32 FinishBonus = 5000;

    CourseAnimator(AnimalContainer* animalContainer, ExplosionHandler* explosionHandler, GameState* gameState,
                   FlyingObjectHandler* flyingObjectHandler, SoundContainer* soundContainer, CourseStrip* strip);
    ~CourseAnimator() override;

    void OnRunRemoved(CourseSegment& run) override;
    Bool OnWeaponHit(FlyingWeapon& weapon, const AnimalOnCourseIndex& location) override;
    Bool OnAreaWeapon(FlyingWeapon& weapon, const AnimalOnCourseIndex& location) override;

    // Takes the record's course values and builds the timelines from its path pieces.
    void Setup(const CourseRecord* record, UInt32 courseKey, Bool repeat);
    void BuildTimelines();
    // The start machine with the key of a finished course, or without one; true once running.
    Bool Trigger(UInt32 finishedCourseKey);
    Bool Feed();
    void Step(Double dt);
    void UpdateWarning();
    Bool IsCleared() const;
    // Raises the weights of the kinds on the course; the number of animals.
    UInt32 AddKindWeights(AnimalCounter& weights) const;
    // Flying animals aimed at this course forget it.
    void ReleaseFlyers();
    // Sends the colour animals flying to the point and gives the others back; the chain empties.
    void ScatterAnimals(const Math::Vector<Float>& target);
    // Sets this course up again as the repeat of the finished one.
    void CopyFrom(const CourseAnimator& finished);
    void SetAnimalsVisible();

    // The keyed path: the keys of one piece, the small path positions, the time steps.
    void AddPieceKeys(Float t, const PathPiece& piece);
    void ApplyRecordValues();
    void NormalisePathPositions();
    void StartCollapse();
    void ShakeAnimals();
    void AdvanceTimelines(Double dt);
    void RetimeFromSecondTrigger();
    void RestartSpeedTimelines();

    Float GetFrontSpeed() const { return mFrontSpeed; }
    Float GetBackSpeed() const { return mBackSpeed; }
    Float GetBaseSpeed() const { return mBaseSpeed; }
    Float GetPullSpeed() const { return mPullSpeed; }
    SInt32 GetState() const { return mState; }
    void SetState(SInt32 state) { mState = state; }
    SInt32 GetSecondTriggerState() const { return mSecondTriggerState; }
    void SetSecondTriggerState(SInt32 state) { mSecondTriggerState = state; }
    Bool IsRunning() const { return mState == StateRunning; }
    Bool IsFinished() const { return mState == StateFinished; }
    // Finished and its strip's animation over.
    Bool IsFinishedAndIdle() const;
    UInt32 GetCourseKey() const { return mCourseKey; }
    const CourseRecord* GetCourseRecord() const { return mCourseRecord; }
    CourseStrip* GetStrip() const { return mCourseStrip; }
    Bool IsRepeat() const { return mRepeat; }
    SInt32 GetWarningLevel() const { return mWarningLevel; }
    Float GetStartDelay() const { return mStartDelay; }
    void SetStripColourIndex(SInt32 index) { mStripColourIndex = index; }
    // The finish countdown: steps of the duration; the strip's animation starts.
    void SetFinishValues(Float stepDuration, UInt32 stepCount);
    UInt32 GetFinishStepCount() const { return mFinishStepCount; }

    Logic::Animation<Math::Vector<float>> mCentreTimeline;
    Logic::Animation<Float> mRadiusATimeline;
    Logic::Animation<Float> mRadiusBTimeline;
    Logic::Animation<Float> mRotationSpeedTimeline;
    Logic::Animation<Float> mBaseSpeedTimeline;
    Logic::Animation<UInt32> mEventTimeline;

private:
    Bool Advance(Bool hasKey, UInt32 key);
    Bool StartChain();
    void FillSegmentRandomly(UInt32 definition, CourseSegment& segment);
    // Shortens the repeated course's path by the progress of the run.
    void SpeedUpRepeat();
    // The timelines' current values into the ellipse (centre, radii) and into the speeds, where
    // the timelines have keys; an event value of 1 shakes the animals.
    void ApplyShapeValues();
    void ApplySpeedValues();
    void PlaySound(UInt32 sound);
    // 1.2 from weapon level 3, 1.0 at level 2, else 0.8.
    Float LevelFactor(const FlyingWeapon& weapon) const;

    const CourseRecord* mCourseRecord;
    SInt32 mStripColourIndex;
    SInt32 mWarningLevel;
    CourseStrip* mCourseStrip;
    UInt32 mCourseKey;
    Bool mRepeat;
    AnimalSelector mAnimalSelector;
    SInt32 mState;
    SInt32 mSecondTriggerState;
    Float mStartDelay;
    Float mFirstPieceTime;
    Float mPieceInterval;
    Float mBaseSpeed;
    Float mPullSpeed;
    Float mRotationSpeed;
    Float mFrontSpeed;
    Float mBackSpeed;
    Float mSlowTimer;
    Float mFinishStepDuration;
    Float mFinishStepTimer;
    UInt32 mFinishStepCount;
    Float mWarningTimer;
};

} // namespace App
} // namespace Vorn
