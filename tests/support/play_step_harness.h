// Steps game play as the logic thread does, at 1/60 s: the course processor's calls on the course
// handler in their order, then the animals processor's stepables (the animal pool and the flying
// objects), then the graph's process-logic pass when one is given. It records the loss and win answers of the last step.
#pragma once

#include <functional>

#include "foundation/vector.h"
#include "game/game_state.h"
#include "game/play/animal_container.h"
#include "game/play/course_handler.h"
#include "game/play/flying_object.h"

namespace Vorn {
namespace Testing {

// A campaign level in play on a 1000 × 600 view at real speed.
inline void StartPlaying(App::GameState& gameState)
{
    gameState.SetViewFloats(1000.0f, 600.0f, 0.0f);
    gameState.StartLevel(1);
    gameState.SetTimeFactor(1.0f);
    gameState.SetPlayState(5);
}

class PlayStepHarness
{
public:
    static constexpr Double kStep = 1.0 / 60.0;

    PlayStepHarness(App::GameState& gameState, App::CourseHandler& courses, App::AnimalContainer& animals,
                    App::FlyingObjectHandler& flying)
        : mGameState(gameState), mCourses(courses), mAnimals(animals), mFlying(flying)
    {
    }

    void Step()
    {
        const UInt32 phase = mGameState.GetPlayState();
        if (phase == 1 || phase == 4) {
            mCourses.StartPendingCourses();
            mCourses.UpdateCourseStates();
        }
        if (phase == 4 || phase == 5) {
            mCourses.FinishClearedCourses();
            mCourses.StepCourses(kStep);
            mCourses.CollideCourses();
            mCourses.JoinCourses();
            mCourses.MatchCourses();
            mWon = mCourses.CountUnfinishedCourses() == 0;
            mClosed = mCourses.IsAnyChainClosed(mLossPosition);
            mCollapsed = mCourses.FindCourseAtCentre(mLossPosition);
        } else if (phase == 13) {
            mCourses.StepCourses(kStep);
        }
        mAnimals.Step(kStep);
        mFlying.Step(kStep);
        if (mGraphPass)
            mGraphPass();
    }

    void Steps(int count)
    {
        for (int i = 0; i < count; ++i)
            Step();
    }

    // The graph's process-logic pass of one step, run after the processors.
    std::function<void()> mGraphPass;
    Bool mWon = false;
    Bool mClosed = false;
    Bool mCollapsed = false;
    Math::Vector<Float> mLossPosition;

private:
    App::GameState& mGameState;
    App::CourseHandler& mCourses;
    App::AnimalContainer& mAnimals;
    App::FlyingObjectHandler& mFlying;
};

} // namespace Testing
} // namespace Vorn
