#include "graph/finish_logic_state.h"

#include "graph/root.h"

namespace Vorn {
namespace Graph {

FinishLogicState::FinishLogicState(Input::ITouchableHandler* inputDeviceHandler, Physics::ISimulator* physicsSimulator)
    : mClock(nullptr), mRoot(nullptr), mInputDeviceHandler(inputDeviceHandler), mPhysicsSimulator(physicsSimulator),
      mCounter(0)
{
}

FinishLogicState::~FinishLogicState() {}

Bool FinishLogicState::Init(IClock* clock)
{
    mClock = clock;
    mFrame = FrameValues();
    Begin();
    End();
    return true;
}

Bool FinishLogicState::DeInit()
{
    mClock = nullptr;
    return true;
}

void FinishLogicState::SetRoot(IRoot* root) { mRoot = dynamic_cast<Root*>(root); }

IRoot* FinishLogicState::GetRoot() { return mRoot; }

void FinishLogicState::Begin() { mFrame.CopyFrom(mClock); }

void FinishLogicState::End() {}

void FinishLogicState::BeginStep() { mCounter = 0; }

void FinishLogicState::EndStep() { mFrame.mLogicTime += mFrame.mStepDuration; }

UInt32 FinishLogicState::GetFrameCount() const { return mFrame.mFrameCount; }

Double FinishLogicState::GetFrameTime() const { return mFrame.mFrameTime; }

Double FinishLogicState::GetFrameDuration() const { return mFrame.mFrameDuration; }

UInt32 FinishLogicState::GetStepCount() const { return mFrame.mStepCount; }

Double FinishLogicState::GetLogicTime() const { return mFrame.mLogicTime; }

Double FinishLogicState::GetStepDuration() const { return mFrame.mStepDuration; }

UInt32 FinishLogicState::GetNumberOfSteps() const { return mFrame.mNumberOfSteps; }

Input::ITouchableHandler* FinishLogicState::GetInputDeviceHandler() { return mInputDeviceHandler; }

Physics::ISimulator* FinishLogicState::GetPhysicsSimulator() { return mPhysicsSimulator; }

void FinishLogicState::ResetCounter() { mCounter = 0; }

void FinishLogicState::IncrementCounter() { ++mCounter; }

UInt32 FinishLogicState::GetCounter() const { return mCounter; }

} // namespace Graph
} // namespace Vorn
