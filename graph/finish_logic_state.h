// The state of the FinishLogic pass over the root's processables, once per logic step.
#pragma once

#include "graph/state_stacks.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

class Root;

class FinishLogicState : public IFinishLogicState
{
public:
    FinishLogicState(Input::ITouchableHandler* inputDeviceHandler, Physics::ISimulator* physicsSimulator);
    ~FinishLogicState() override;

    // Zeroes the times and runs Begin and End once.
    Bool Init(IClock* clock) override;
    // Forgets the clock.
    Bool DeInit() override;
    // Only a Graph::Root is kept; any other root leaves none.
    void SetRoot(IRoot* root) override;
    IRoot* GetRoot() override;

    void Begin() override;
    void End() override;
    void BeginStep() override;
    void EndStep() override;

    UInt32 GetFrameCount() const override;
    Double GetFrameTime() const override;
    Double GetFrameDuration() const override;
    UInt32 GetStepCount() const override;
    Double GetLogicTime() const override;
    Double GetStepDuration() const override;
    UInt32 GetNumberOfSteps() const override;

    Input::ITouchableHandler* GetInputDeviceHandler() override;
    Physics::ISimulator* GetPhysicsSimulator() override;

    void ResetCounter() override;
    void IncrementCounter() override;
    UInt32 GetCounter() const override;

private:
    IClock* mClock;
    Root* mRoot;
    Input::ITouchableHandler* mInputDeviceHandler;
    Physics::ISimulator* mPhysicsSimulator;
    FrameValues mFrame;
    UInt32 mCounter;
};

} // namespace Graph
} // namespace Vorn
