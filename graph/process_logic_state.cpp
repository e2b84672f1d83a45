#include "graph/process_logic_state.h"

namespace Vorn {
namespace Graph {

Bool ProcessLogicState::Init(IClock* clock)
{
    mTimelineTime = 0.0;
    mTimelineState = 0;
    return PlacementStateT::Init(clock);
}

Bool ProcessLogicState::DeInit() { return true; }

void ProcessLogicState::BeginStep()
{
    ClearPlacementStacks();
    mCounter = 0;
}

void ProcessLogicState::SetTimelineTime(Double time) { mTimelineTime = time; }

void ProcessLogicState::SetTimelineState(SInt32 state) { mTimelineState = state; }

Double ProcessLogicState::GetTimelineTime() const { return mTimelineTime; }

SInt32 ProcessLogicState::GetTimelineState() const { return mTimelineState; }

const Math::Matrix<float>& ProcessLogicState::GetRelativeTransform() { return mTransforms.GetRelative(); }

void ProcessLogicState::AddProcessable(IProcessable* processable)
{
    if (mRoot)
        mRoot->AddProcessable(processable);
}

void ProcessLogicState::ResetTransform() { mTransforms.PushAbsolute(MatrixProduct::Identity()); }

} // namespace Graph
} // namespace Vorn
