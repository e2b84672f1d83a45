// The state of the ProcessLogic pass, run once per logic step on the logic thread: the frame and
// step times, the nearest timeline's time, the accumulated transform, scale factor, flags and
// depth order, the current view, and the root that collects processables.
#pragma once

#include "graph/scale_factor_stack.h"
#include "graph/state_stacks.h"
#include "graph/transform_stack.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

class Root;

class ProcessLogicState : public IProcessLogicState
{
public:
    ProcessLogicState(Input::ITouchableHandler* inputDeviceHandler, Physics::ISimulator* physicsSimulator);
    ~ProcessLogicState() override;

    // Zeroes the times and runs Begin and End once.
    Bool Init(IClock* clock) override;
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

    void SetTimelineTime(Double time) override;
    void SetTimelineState(SInt32 state) override;
    Double GetTimelineTime() const override;
    SInt32 GetTimelineState() const override;

    Input::ITouchableHandler* GetInputDeviceHandler() override;
    Physics::ISimulator* GetPhysicsSimulator() override;

    void PushFlags(UInt32 flags) override;
    void PopFlags() override;
    UInt32 GetFlags() const override;

    void PushView(IView* view) override;
    void PopView() override;
    IView* GetCurrentView() override;

    void PushTransform(const Math::Matrix<float>& matrix) override;
    void PushRelativeTransform(const Math::Matrix<float>& matrix) override;
    void PopTransform() override;
    const Math::Matrix<float>& GetRelativeTransform() override;
    const Math::Matrix<float>& GetTransform() override;

    void PushScaleFactor(const Math::Vector<float>& scale) override;
    void PushRelativeScaleFactor(const Math::Vector<float>& scale) override;
    void PopScaleFactor() override;
    const Math::Vector<float>& GetScaleFactor() override;

    void SetDepthOrder(SInt32 order) override;
    void AddDepthOrder(SInt32 order) override;
    void PopDepthOrder() override;
    SInt32 GetDepthOrder() const override;

    // Nothing without a root.
    void AddProcessable(IProcessable* processable) override;

    void ResetCounter() override;
    void IncrementCounter() override;
    UInt32 GetCounter() const override;

    void ResetTransform() override;

private:
    IClock* mClock;
    Root* mRoot;
    Input::ITouchableHandler* mInputDeviceHandler;
    Physics::ISimulator* mPhysicsSimulator;
    FrameValues mFrame;
    Double mTimelineTime;
    SInt32 mTimelineState;
    TransformStack mTransforms;
    ScaleFactorStack mScaleFactors;
    FlagStack mFlags;
    PointerStack<IView> mViews;
    DepthOrderStack mDepthOrders;
    UInt32 mCounter;
};

} // namespace Graph
} // namespace Vorn
