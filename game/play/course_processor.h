// The game stage's processor of the courses: it moves the courses on every logic step, judges the
// level won (rated by its time) or lost, shows the hurry-up sign in the last 20 seconds of a timed
// level and the skull sign where a course was lost, and now and then lets an animal on a running
// course play its idle animation.
#pragma once

#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/play/play_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class INamespace;
class ITimeline;
class ITransform;
}

namespace App {

class CourseProcessor : public PlayProcessor
{
public:
    // Seconds the skull sign shows before a lost level ends.
    static constexpr Float kLostDelay = 2.5f;
    // The hurry-up sign comes this many seconds before the time limit.
    static constexpr Float kHurryUpTime = 20.0f;
    // How near a moving obstacle may come to the launcher.
    static constexpr Float kLauncherReach = 60.0f;

    CourseProcessor(Logic::IFactory* factory, Playfield* playfield);
    ~CourseProcessor() override;

    // Binds the signs below "/stage_game"; false without a play field.
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;
    void OnAnimate(Logic::IState* state) override;

    // Clears the hurry-up and time-over flags for a new level.
    void ResetWarnings();

    // The play step with the step's duration, as OnStep runs it.
    void Step(Double dt);
    // Whether the idle animation of the animal at index of n plays this step: a draw below n out
    // of 25 (n + 20) + 1.
    Bool DrawIdle(UInt32 count, UInt32& index);

    Bool IsHurryUpShown() const { return mHurryUpShown; }
    Bool IsTimeOver() const { return mTimeOver; }
    Float GetLostTimer() const { return mLostTimer; }
    Util::TT800& GetRandom() { return mRandom; }

private:
    void PlayingStep(Double dt);
    Bool CheckWon();
    Bool CheckLost();
    void CheckTime();
    // The level is over: flying animals go back to the launcher and the courses scatter there.
    void EndCourses();
    // Whether a moving obstacle has come within reach of the launcher.
    Bool IsLauncherReached() const;
    void PlayIdleAnimations();
    void ShowSign(Logic::GraphNodeT<Graph::INamespace>& sign, Bool show);
    void RestartTimeline(Logic::GraphNodeT<Graph::ITimeline>& timeline);
    void PlaySound(UInt32 entry);

    Bool mHurryUpShown;
    Bool mTimeOver;
    Float mLostTimer;
    Logic::GraphNodeT<Graph::INamespace> mHurryUp;
    Logic::GraphNodeT<Graph::ITimeline> mHurryUpTimeline;
    Logic::GraphNodeT<Graph::INamespace> mSkull;
    Logic::GraphNodeT<Graph::ITimeline> mSkullTimeline;
    Logic::GraphNodeT<Graph::ITransform> mSkullPosition;
    Util::TT800 mRandom;
};

} // namespace App
} // namespace Vorn
