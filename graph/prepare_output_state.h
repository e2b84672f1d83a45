// The state of the PrepareOutput pass, once per frame on the logic thread: the accumulated
// transform, scale factor, flags and depth order, and the current view, with which drawables
// and other renderables register for the output passes.
#pragma once

#include "graph/scale_factor_stack.h"
#include "graph/state_stacks.h"
#include "graph/transform_stack.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

class Root;

class PrepareOutputState : public IPrepareOutputState
{
public:
    explicit PrepareOutputState(Output::IDeviceHandler* outputDeviceHandler);
    ~PrepareOutputState() override;

    // Zeroes the times and runs Begin and End once.
    Bool Init(IClock* clock) override;
    // Forgets the clock.
    Bool DeInit() override;
    // Only a Graph::Root is kept; any other root leaves none.
    void SetRoot(IRoot* root) override;
    IRoot* GetRoot() override;

    void Begin() override;
    void End() override;

    UInt32 GetFrameCount() const override;
    Double GetFrameTime() const override;
    Double GetFrameDuration() const override;
    UInt32 GetNumberOfSteps() const override;

    Output::IDeviceHandler* GetOutputDeviceHandler() override;

    void PushFlags(UInt32 flags) override;
    void PopFlags() override;
    UInt32 GetFlags() const override;

    void PushView(IView* view) override;
    void PopView() override;
    IView* GetCurrentView() override;

    void PushTransform(const Math::Matrix<float>& matrix) override;
    void PushRelativeTransform(const Math::Matrix<float>& matrix) override;
    void PopTransform() override;
    const Math::Matrix<float>& GetTransform() override;

    void PushScaleFactor(const Math::Vector<float>& scale) override;
    void PushRelativeScaleFactor(const Math::Vector<float>& scale) override;
    void PopScaleFactor() override;
    const Math::Vector<float>& GetScaleFactor() override;

    void SetDepthOrder(SInt32 order) override;
    void AddDepthOrder(SInt32 order) override;
    void PopDepthOrder() override;
    SInt32 GetDepthOrder() const override;

    void AddRenderable(IRenderable* renderable, Bool placed) override;

    void ResetCounter() override;
    void IncrementCounter() override;
    UInt32 GetCounter() const override;

private:
    IClock* mClock;
    Root* mRoot;
    Output::IDeviceHandler* mOutputDeviceHandler;
    FrameValues mFrame;
    TransformStack mTransforms;
    ScaleFactorStack mScaleFactors;
    FlagStack mFlags;
    DepthOrderStack mDepthOrders;
    PointerStack<IView> mViews;
    UInt32 mCounter;
};

} // namespace Graph
} // namespace Vorn
