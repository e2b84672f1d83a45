// The states of the CullOutput pass (logic thread) and the EnqueueOutput pass (main thread) over
// the views that registered in the last PrepareOutput pass. Views set the item values before
// they hand each of their renderables the state.
#pragma once

#include "graph/state_stacks.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

class CullOutputState : public ICullOutputState
{
public:
    CullOutputState();
    ~CullOutputState() override;

    // Zeroes the times and runs Begin and End once.
    Bool Init(IClock* clock) override;
    // Forgets the clock.
    Bool DeInit() override;
    void SetRoot(IRoot* root) override;
    IRoot* GetRoot() override;

    void Begin() override;
    void End() override;

    UInt32 GetFrameCount() const override;
    Double GetFrameTime() const override;
    Double GetFrameDuration() const override;
    UInt32 GetNumberOfSteps() const override;

    void PushView(IView* view) override;
    void PopView() override;
    IView* GetCurrentView() override;
    void PushCuller(ICuller* culler) override;
    void PopCuller() override;
    ICuller* GetCurrentCuller() override;
    void PushObject(void* object) override;
    void PopObject() override;
    void* GetCurrentObject() override;

    void SetItemValue1(const Math::Matrix<float>* transform) override;
    void SetItemValue2(const Math::Vector<float>* scale) override;
    void SetItemFlag(Bool culled) override;
    const Math::Matrix<float>* GetItemValue1() const override;
    const Math::Vector<float>* GetItemValue2() const override;
    Bool GetItemFlag() const override;

    void ResetCounter() override;
    void IncrementCounter() override;
    UInt32 GetCounter() const override;

private:
    IClock* mClock;
    IRoot* mRoot;
    FrameValues mFrame;
    PointerStack<IView> mViews;
    PointerStack<ICuller> mCullers;
    PointerStack<void> mObjects;
    const Math::Matrix<float>* mItemTransform;
    const Math::Vector<float>* mItemScale;
    Bool mItemCulled;
    UInt32 mCounter;
};

class EnqueueOutputState : public IEnqueueOutputState
{
public:
    EnqueueOutputState(Display::IRenderer* displayRenderer, Audio::IRenderer* audioRenderer);
    ~EnqueueOutputState() override;

    // Zeroes the times and runs Begin and End once.
    Bool Init(IClock* clock) override;
    // Forgets the clock.
    Bool DeInit() override;
    void SetRoot(IRoot* root) override;
    IRoot* GetRoot() override;

    void Begin() override;
    void End() override;

    UInt32 GetFrameCount() const override;
    Double GetFrameTime() const override;
    Double GetFrameDuration() const override;
    UInt32 GetNumberOfSteps() const override;

    void PushView(IView* view) override;
    void PopView() override;
    IView* GetCurrentView() override;

    Display::IRenderer* GetDisplayRenderer() override;
    Audio::IRenderer* GetAudioRenderer() override;

    void SetItemValue1(const Math::Matrix<float>* transform) override;
    void SetItemValue2(const Math::Vector<float>* scale) override;
    void SetItemValue3(SInt32 depthOrder) override;
    const Math::Matrix<float>* GetItemValue1() const override;
    const Math::Vector<float>* GetItemValue2() const override;
    SInt32 GetItemValue3() const override;

    void ResetCounter() override;
    void IncrementCounter() override;
    UInt32 GetCounter() const override;

private:
    IClock* mClock;
    IRoot* mRoot;
    Display::IRenderer* mDisplayRenderer;
    Audio::IRenderer* mAudioRenderer;
    FrameValues mFrame;
    PointerStack<IView> mViews;
    const Math::Matrix<float>* mItemTransform;
    const Math::Vector<float>* mItemScale;
    SInt32 mItemDepthOrder;
    UInt32 mCounter;
};

} // namespace Graph
} // namespace Vorn
