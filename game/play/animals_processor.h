// The game stage's processor of the fly-in animals: it plays the level's four keyed tracks
// (spawn interval, aiming mode, kind rule, course), fires a spawn timer and sends a new animal
// from beyond the screen's edge towards the launcher's row or into a chain. It also registers the
// play field's stepping members with its processor, so that they step every logic step.
#pragma once

#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/play/animal_selector.h"
#include "game/play/play_processor.h"
#include "logic/animation.h"
#include "logic/timeline.h"

namespace Vorn {
namespace App {

class Animal;
class CourseAnimator;
struct OptionalValue;

class AnimalsProcessor : public PlayProcessor
{
public:
    static constexpr Float DefaultLowerSpeed = 300.0f;
    static constexpr Float DefaultUpperSpeed = 400.0f;
    static constexpr UInt32 NumberOfModes = 4;
    // Mode 0 starts this far beyond the top or bottom edge; modes 1 to 3 beyond the grown screen.
    static constexpr Float AboveScreen = 100.0f;
    static constexpr Float BeyondScreen = 50.0f;

    AnimalsProcessor(Logic::IFactory* factory, Playfield* playfield);
    ~AnimalsProcessor() override;

    // Registers the spawn timer and the play field's stepping members; false without a play field.
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;

    // Back to no fly-ins: no keys, no interval, default speeds, unlimited budgets, wrap 0.
    void Reset();
    // Appends a key at the time to each track whose value is set (interval, mode, kind rule,
    // course).
    void AddKeys(Float time, const OptionalValue& interval, const OptionalValue& mode, const OptionalValue& kindRule,
                 const OptionalValue& course);
    void SetSpeedBounds(Float lower, Float upper);
    // Below 0 is unlimited.
    void SetNormalBudget(SInt32 budget) { mNormalBudget = budget; }
    void SetSpecialBudget(SInt32 budget) { mSpecialBudget = budget; }
    // The tracks' end time and wrap setting; a wrap value of 0 switches the fly-ins off.
    void SetPeriod(Float period, SInt32 wrap);
    // False for a mode of 4 or more or the current one.
    Bool SetMode(UInt32 mode);

    // The processor's step with the step's duration, as OnStep runs it.
    void Step(Double dt);
    // Sends one animal in as the current mode says; false when none was sent.
    Bool SpawnAnimal();

    Float GetInterval() const { return mInterval; }
    UInt32 GetMode() const { return mMode; }
    SInt32 GetNormalBudget() const { return mNormalBudget; }
    SInt32 GetSpecialBudget() const { return mSpecialBudget; }
    Float GetLowerSpeed() const { return mLowerSpeed; }
    Float GetUpperSpeed() const { return mUpperSpeed; }
    Float GetPeriod() const { return mPeriod; }
    SInt32 GetWrap() const { return mWrap; }
    UInt32 GetKindRule() const { return mKindRuleTrack.GetValue(); }
    const Logic::Animation<Float>& GetIntervalTrack() const { return mIntervalTrack; }
    const Logic::Animation<UInt32>& GetModeTrack() const { return mModeTrack; }
    const Logic::Animation<UInt32>& GetKindRuleTrack() const { return mKindRuleTrack; }
    const Logic::Animation<UInt32>& GetCourseTrack() const { return mCourseTrack; }
    Logic::Timeline* GetSpawnTimer() const { return mSpawnTimer.GetTimeline(); }
    Util::TT800& GetRandom() { return mRandom; }

private:
    void StartTracks();
    void AdvanceTracks(Double dt);
    // The timer runs afresh to the current interval; it stops while the interval is 0.
    void RetimeSpawnTimer();
    // The start and target of a fly-in into a chain; false when the course offers none.
    Bool AimAtChain(Float width, Float height, Math::Vector<Float>& start, Math::Vector<Float>& target);
    CourseAnimator* ChooseCourse();
    // Where the line from the target back through the point leaves the screen grown by 50.
    static Math::Vector<Float> EdgePoint(const Math::Vector<Float>& target, const Math::Vector<Float>& through,
                                         Float width, Float height);
    Animal* ObtainAnimal();
    // Whether the next animal is special; spends the budget it comes from.
    Bool DrawSpecial();
    Float Uniform(Float low, Float high);
    UInt32 Below(UInt32 count);

    Logic::Animation<Float> mIntervalTrack;
    Logic::Animation<UInt32> mModeTrack;
    Logic::Animation<UInt32> mKindRuleTrack;
    Logic::Animation<UInt32> mCourseTrack;
    Logic::BaseTimeline mSpawnTimer;
    Float mInterval;
    Float mLowerSpeed;
    Float mUpperSpeed;
    SInt32 mNormalBudget;
    SInt32 mSpecialBudget;
    Float mPeriod;
    SInt32 mWrap;
    UInt32 mMode;
    // The tracks' values seen last step, so that only a change of a track takes effect.
    Float mSeenInterval;
    UInt32 mSeenMode;
    Bool mTracksFresh;
    AnimalCounter mCounter;
    AnimalSelector mSelector;
    Util::TT800 mRandom;
};

} // namespace App
} // namespace Vorn
