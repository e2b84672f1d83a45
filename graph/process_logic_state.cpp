#include "graph/process_logic_state.h"

#include "graph/root.h"

namespace Vorn {
namespace Graph {

ProcessLogicState::ProcessLogicState(Input::ITouchableHandler* inputDeviceHandler, Physics::ISimulator* physicsSimulator)
    : mClock(nullptr),
      mRoot(nullptr),
      mInputDeviceHandler(inputDeviceHandler),
      mPhysicsSimulator(physicsSimulator),
      mTimelineTime(0.0),
      mTimelineState(0),
      mCounter(0)
{
}

ProcessLogicState::~ProcessLogicState() {}

Bool ProcessLogicState::Init(IClock* clock)
{
    mClock = clock;
    mFrame = FrameValues();
    mTimelineTime = 0.0;
    mTimelineState = 0;
    Begin();
    End();
    return true;
}

Bool ProcessLogicState::DeInit() { return true; }

void ProcessLogicState::SetRoot(IRoot* root) { mRoot = dynamic_cast<Root*>(root); }

IRoot* ProcessLogicState::GetRoot() { return mRoot; }

void ProcessLogicState::Begin() { mFrame.CopyFrom(mClock); }

void ProcessLogicState::End() {}

void ProcessLogicState::BeginStep()
{
    mTransforms.Clear();
    mScaleFactors.Clear();
    mFlags.Clear();
    mViews.Clear();
    mDepthOrders.Clear();
    mCounter = 0;
}

void ProcessLogicState::EndStep() { mFrame.mLogicTime += mFrame.mStepDuration; }

UInt32 ProcessLogicState::GetFrameCount() const { return mFrame.mFrameCount; }

Double ProcessLogicState::GetFrameTime() const { return mFrame.mFrameTime; }

Double ProcessLogicState::GetFrameDuration() const { return mFrame.mFrameDuration; }

UInt32 ProcessLogicState::GetStepCount() const { return mFrame.mStepCount; }

Double ProcessLogicState::GetLogicTime() const { return mFrame.mLogicTime; }

Double ProcessLogicState::GetStepDuration() const { return mFrame.mStepDuration; }

UInt32 ProcessLogicState::GetNumberOfSteps() const { return mFrame.mNumberOfSteps; }

void ProcessLogicState::SetTimelineTime(Double time) { mTimelineTime = time; }

void ProcessLogicState::SetTimelineState(SInt32 state) { mTimelineState = state; }

Double ProcessLogicState::GetTimelineTime() const { return mTimelineTime; }

SInt32 ProcessLogicState::GetTimelineState() const { return mTimelineState; }

Input::ITouchableHandler* ProcessLogicState::GetInputDeviceHandler() { return mInputDeviceHandler; }

Physics::ISimulator* ProcessLogicState::GetPhysicsSimulator() { return mPhysicsSimulator; }

void ProcessLogicState::PushFlags(UInt32 flags) { mFlags.Push(flags); }

void ProcessLogicState::PopFlags() { mFlags.Pop(); }

UInt32 ProcessLogicState::GetFlags() const { return mFlags.GetCurrent(); }

void ProcessLogicState::PushView(IView* view) { mViews.Push(view); }

void ProcessLogicState::PopView() { mViews.Pop(); }

IView* ProcessLogicState::GetCurrentView() { return mViews.GetTop(); }

void ProcessLogicState::PushTransform(const Math::Matrix<float>& matrix) { mTransforms.PushAbsolute(matrix); }

void ProcessLogicState::PushRelativeTransform(const Math::Matrix<float>& matrix) { mTransforms.PushRelative(matrix); }

void ProcessLogicState::PopTransform() { mTransforms.Pop(); }

const Math::Matrix<float>& ProcessLogicState::GetRelativeTransform() { return mTransforms.GetRelative(); }

const Math::Matrix<float>& ProcessLogicState::GetTransform() { return mTransforms.GetFull(); }

void ProcessLogicState::PushScaleFactor(const Math::Vector<float>& scale) { mScaleFactors.PushAbsolute(scale); }

void ProcessLogicState::PushRelativeScaleFactor(const Math::Vector<float>& scale) { mScaleFactors.PushRelative(scale); }

void ProcessLogicState::PopScaleFactor() { mScaleFactors.Pop(); }

const Math::Vector<float>& ProcessLogicState::GetScaleFactor() { return mScaleFactors.GetFull(); }

void ProcessLogicState::SetDepthOrder(SInt32 order) { mDepthOrders.Set(order); }

void ProcessLogicState::AddDepthOrder(SInt32 order) { mDepthOrders.Add(order); }

void ProcessLogicState::PopDepthOrder() { mDepthOrders.Pop(); }

SInt32 ProcessLogicState::GetDepthOrder() const { return mDepthOrders.GetCurrent(); }

void ProcessLogicState::AddProcessable(IProcessable* processable)
{
    if (mRoot)
        mRoot->AddProcessable(processable);
}

void ProcessLogicState::ResetCounter() { mCounter = 0; }

void ProcessLogicState::IncrementCounter() { ++mCounter; }

UInt32 ProcessLogicState::GetCounter() const { return mCounter; }

void ProcessLogicState::ResetTransform() { mTransforms.PushAbsolute(MatrixProduct::Identity()); }

} // namespace Graph
} // namespace Vorn
