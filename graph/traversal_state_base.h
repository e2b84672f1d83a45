// The parts the traversal states share, as bases over each state's interface: the clock, root,
// frame values and counter of every state; the per-frame Init and DeInit and the frame getters of
// the five frame passes; the step values and services of the two logic passes; and the placement
// stacks of the ProcessLogic and PrepareOutput states.
#pragma once

#include "graph/root.h"
#include "graph/scale_factor_stack.h"
#include "graph/state_stacks.h"
#include "graph/transform_stack.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

// Clock, root, frame values and counter. RootType is IRoot for states that keep the root as given,
// Graph::Root for those that hand it work: any other root then leaves none.
template <typename Interface, typename RootType = IRoot>
class TraversalStateT : public Interface
{
public:
    void SetRoot(IRoot* root) override { mRoot = dynamic_cast<RootType*>(root); }
    IRoot* GetRoot() override { return mRoot; }

    void End() override {}
    UInt32 GetFrameCount() const override { return mFrame.mFrameCount; }

    void ResetCounter() override { mCounter = 0; }
    void IncrementCounter() override { ++mCounter; }
    UInt32 GetCounter() const override { return mCounter; }

protected:
    IClock* mClock = nullptr;
    RootType* mRoot = nullptr;
    FrameValues mFrame;
    UInt32 mCounter = 0;
};

// The states of the passes run every frame (ProcessLogic, FinishLogic and the output passes).
template <typename Interface, typename RootType = IRoot>
class FrameStateT : public TraversalStateT<Interface, RootType>
{
public:
    // Zeroes the times and runs Begin and End once.
    Bool Init(IClock* clock) override
    {
        this->mClock = clock;
        this->mFrame = FrameValues();
        this->Begin();
        this->End();
        return true;
    }
    // Forgets the clock.
    Bool DeInit() override
    {
        this->mClock = nullptr;
        return true;
    }

    Double GetFrameTime() const override { return this->mFrame.mFrameTime; }
    Double GetFrameDuration() const override { return this->mFrame.mFrameDuration; }
    UInt32 GetNumberOfSteps() const override { return this->mFrame.mNumberOfSteps; }
};

// The ProcessLogic and FinishLogic states: all seven frame values, advanced step by step, and the
// input and physics services.
template <typename Interface>
class LogicStateT : public FrameStateT<Interface, Root>
{
public:
    LogicStateT(Input::ITouchableHandler* inputDeviceHandler, Physics::ISimulator* physicsSimulator)
        : mInputDeviceHandler(inputDeviceHandler), mPhysicsSimulator(physicsSimulator)
    {
    }

    void Begin() override { this->mFrame.CopyFrom(this->mClock); }
    void EndStep() override { this->mFrame.mLogicTime += this->mFrame.mStepDuration; }

    UInt32 GetStepCount() const override { return this->mFrame.mStepCount; }
    Double GetLogicTime() const override { return this->mFrame.mLogicTime; }
    Double GetStepDuration() const override { return this->mFrame.mStepDuration; }

    Input::ITouchableHandler* GetInputDeviceHandler() override { return mInputDeviceHandler; }
    Physics::ISimulator* GetPhysicsSimulator() override { return mPhysicsSimulator; }

private:
    Input::ITouchableHandler* mInputDeviceHandler;
    Physics::ISimulator* mPhysicsSimulator;
};

// The stacks that place a sub-graph, over the ProcessLogic and PrepareOutput states: accumulated
// transform and scale factor, flags, depth order and the current view.
template <typename Base>
class PlacementStateT : public Base
{
public:
    using Base::Base;

    void PushFlags(UInt32 flags) override { mFlags.Push(flags); }
    void PopFlags() override { mFlags.Pop(); }
    UInt32 GetFlags() const override { return mFlags.GetCurrent(); }

    void PushView(IView* view) override { mViews.Push(view); }
    void PopView() override { mViews.Pop(); }
    IView* GetCurrentView() override { return mViews.GetTop(); }

    void PushTransform(const Math::Matrix<float>& matrix) override { mTransforms.PushAbsolute(matrix); }
    void PushRelativeTransform(const Math::Matrix<float>& matrix) override { mTransforms.PushRelative(matrix); }
    void PopTransform() override { mTransforms.Pop(); }
    const Math::Matrix<float>& GetTransform() override { return mTransforms.GetFull(); }

    void PushScaleFactor(const Math::Vector<float>& scale) override { mScaleFactors.PushAbsolute(scale); }
    void PushRelativeScaleFactor(const Math::Vector<float>& scale) override { mScaleFactors.PushRelative(scale); }
    void PopScaleFactor() override { mScaleFactors.Pop(); }
    const Math::Vector<float>& GetScaleFactor() override { return mScaleFactors.GetFull(); }

    void SetDepthOrder(SInt32 order) override { mDepthOrders.Set(order); }
    void AddDepthOrder(SInt32 order) override { mDepthOrders.Add(order); }
    void PopDepthOrder() override { mDepthOrders.Pop(); }
    SInt32 GetDepthOrder() const override { return mDepthOrders.GetCurrent(); }

protected:
    // Back to one identity transform and unit scale factor, with the other stacks empty.
    void ClearPlacementStacks()
    {
        mTransforms.Clear();
        mScaleFactors.Clear();
        mFlags.Clear();
        mDepthOrders.Clear();
        mViews.Clear();
    }

    TransformStack mTransforms;
    ScaleFactorStack mScaleFactors;
    FlagStack mFlags;
    DepthOrderStack mDepthOrders;
    PointerStack<IView> mViews;
};

} // namespace Graph
} // namespace Vorn
