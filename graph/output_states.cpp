#include "graph/output_states.h"

namespace Vorn {
namespace Graph {

void CullOutputState::Begin()
{
    mFrame.CopyFrom(mClock);
    mItemTransform = nullptr;
    mItemScale = nullptr;
    mItemCulled = false;
    mViews.Clear();
    mCullers.Clear();
    mObjects.Clear();
    mCounter = 0;
}

void CullOutputState::PushView(IView* view) { mViews.Push(view); }

void CullOutputState::PopView() { mViews.Pop(); }

IView* CullOutputState::GetCurrentView() { return mViews.GetTop(); }

void CullOutputState::PushCuller(ICuller* culler) { mCullers.Push(culler); }

void CullOutputState::PopCuller() { mCullers.Pop(); }

ICuller* CullOutputState::GetCurrentCuller() { return mCullers.GetTop(); }

void CullOutputState::PushObject(void* object) { mObjects.Push(object); }

void CullOutputState::PopObject() { mObjects.Pop(); }

void* CullOutputState::GetCurrentObject() { return mObjects.GetTop(); }

void CullOutputState::SetItemValue1(const Math::Matrix<float>* transform) { mItemTransform = transform; }

void CullOutputState::SetItemValue2(const Math::Vector<float>* scale) { mItemScale = scale; }

void CullOutputState::SetItemFlag(Bool culled) { mItemCulled = culled; }

const Math::Matrix<float>* CullOutputState::GetItemValue1() const { return mItemTransform; }

const Math::Vector<float>* CullOutputState::GetItemValue2() const { return mItemScale; }

Bool CullOutputState::GetItemFlag() const { return mItemCulled; }

EnqueueOutputState::EnqueueOutputState(Display::IRenderer* displayRenderer, Audio::IRenderer* audioRenderer)
    : mDisplayRenderer(displayRenderer), mAudioRenderer(audioRenderer)
{
}

void EnqueueOutputState::Begin()
{
    mFrame.CopyFrom(mClock);
    mViews.Clear();
    mItemTransform = nullptr;
    mItemScale = nullptr;
    mItemDepthOrder = 0;
    mCounter = 0;
}

void EnqueueOutputState::PushView(IView* view) { mViews.Push(view); }

void EnqueueOutputState::PopView() { mViews.Pop(); }

IView* EnqueueOutputState::GetCurrentView() { return mViews.GetTop(); }

Display::IRenderer* EnqueueOutputState::GetDisplayRenderer() { return mDisplayRenderer; }

Audio::IRenderer* EnqueueOutputState::GetAudioRenderer() { return mAudioRenderer; }

void EnqueueOutputState::SetItemValue1(const Math::Matrix<float>* transform) { mItemTransform = transform; }

void EnqueueOutputState::SetItemValue2(const Math::Vector<float>* scale) { mItemScale = scale; }

void EnqueueOutputState::SetItemValue3(SInt32 depthOrder) { mItemDepthOrder = depthOrder; }

const Math::Matrix<float>* EnqueueOutputState::GetItemValue1() const { return mItemTransform; }

const Math::Vector<float>* EnqueueOutputState::GetItemValue2() const { return mItemScale; }

SInt32 EnqueueOutputState::GetItemValue3() const { return mItemDepthOrder; }

} // namespace Graph
} // namespace Vorn
