// The states of the CullOutput pass (logic thread) and the EnqueueOutput pass (main thread) over
// the views that registered in the last PrepareOutput pass. Views set the item values before
// they hand each of their renderables the state.
#pragma once

#include "graph/traversal_state_base.h"

namespace Vorn {
namespace Graph {

class CullOutputState : public FrameStateT<ICullOutputState>
{
public:
    void Begin() override;

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

private:
    PointerStack<IView> mViews;
    PointerStack<ICuller> mCullers;
    PointerStack<void> mObjects;
    const Math::Matrix<float>* mItemTransform = nullptr;
    const Math::Vector<float>* mItemScale = nullptr;
    Bool mItemCulled = false;
};

class EnqueueOutputState : public FrameStateT<IEnqueueOutputState>
{
public:
    EnqueueOutputState(Display::IRenderer* displayRenderer, Audio::IRenderer* audioRenderer);

    void Begin() override;

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

private:
    Display::IRenderer* mDisplayRenderer;
    Audio::IRenderer* mAudioRenderer;
    PointerStack<IView> mViews;
    const Math::Matrix<float>* mItemTransform = nullptr;
    const Math::Vector<float>* mItemScale = nullptr;
    SInt32 mItemDepthOrder = 0;
};

} // namespace Graph
} // namespace Vorn
