// The state of the ProcessLogic pass, run once per logic step on the logic thread: the frame and
// step times, the nearest timeline's time, the accumulated transform, scale factor, flags and
// depth order, the current view, and the root that collects processables.
#pragma once

#include "graph/traversal_state_base.h"

namespace Vorn {
namespace Graph {

class ProcessLogicState : public PlacementStateT<LogicStateT<IProcessLogicState>>
{
public:
    using PlacementStateT::PlacementStateT;

    // Also zeroes the timeline values.
    Bool Init(IClock* clock) override;
    // Keeps the clock, unlike the other per-frame states.
    Bool DeInit() override;

    void BeginStep() override;

    void SetTimelineTime(Double time) override;
    void SetTimelineState(SInt32 state) override;
    Double GetTimelineTime() const override;
    SInt32 GetTimelineState() const override;

    const Math::Matrix<float>& GetRelativeTransform() override;

    // Nothing without a root.
    void AddProcessable(IProcessable* processable) override;

    void ResetTransform() override;

private:
    Double mTimelineTime = 0.0;
    SInt32 mTimelineState = 0;
};

} // namespace Graph
} // namespace Vorn
