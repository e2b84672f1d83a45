#include "graph/prepare_output_state.h"

#include "graph/root.h"
#include "graph/view.h"

namespace Vorn {
namespace Graph {

PrepareOutputState::PrepareOutputState(Output::IDeviceHandler* outputDeviceHandler)
    : mClock(nullptr), mRoot(nullptr), mOutputDeviceHandler(outputDeviceHandler), mCounter(0)
{
}

PrepareOutputState::~PrepareOutputState() {}

Bool PrepareOutputState::Init(IClock* clock)
{
    mClock = clock;
    mFrame = FrameValues();
    Begin();
    End();
    return true;
}

Bool PrepareOutputState::DeInit()
{
    mClock = nullptr;
    return true;
}

void PrepareOutputState::SetRoot(IRoot* root) { mRoot = dynamic_cast<Root*>(root); }

IRoot* PrepareOutputState::GetRoot() { return mRoot; }

void PrepareOutputState::Begin()
{
    mFrame.CopyFrom(mClock);
    mTransforms.Clear();
    mScaleFactors.Clear();
    mFlags.Clear();
    mDepthOrders.Clear();
    mViews.Clear();
    mCounter = 0;
    // Views register again as they are prepared.
    if (mRoot)
        mRoot->ClearViews();
}

void PrepareOutputState::End() {}

UInt32 PrepareOutputState::GetFrameCount() const { return mFrame.mFrameCount; }

Double PrepareOutputState::GetFrameTime() const { return mFrame.mFrameTime; }

Double PrepareOutputState::GetFrameDuration() const { return mFrame.mFrameDuration; }

UInt32 PrepareOutputState::GetNumberOfSteps() const { return mFrame.mNumberOfSteps; }

Output::IDeviceHandler* PrepareOutputState::GetOutputDeviceHandler() { return mOutputDeviceHandler; }

void PrepareOutputState::PushFlags(UInt32 flags) { mFlags.Push(flags); }

void PrepareOutputState::PopFlags() { mFlags.Pop(); }

UInt32 PrepareOutputState::GetFlags() const { return mFlags.GetCurrent(); }

void PrepareOutputState::PushView(IView* view)
{
    mViews.Push(view);
    if (mRoot && view)
        mRoot->AddView(view);
}

void PrepareOutputState::PopView() { mViews.Pop(); }

IView* PrepareOutputState::GetCurrentView() { return mViews.GetTop(); }

void PrepareOutputState::PushTransform(const Math::Matrix<float>& matrix) { mTransforms.PushAbsolute(matrix); }

void PrepareOutputState::PushRelativeTransform(const Math::Matrix<float>& matrix) { mTransforms.PushRelative(matrix); }

void PrepareOutputState::PopTransform() { mTransforms.Pop(); }

const Math::Matrix<float>& PrepareOutputState::GetTransform() { return mTransforms.GetFull(); }

void PrepareOutputState::PushScaleFactor(const Math::Vector<float>& scale) { mScaleFactors.PushAbsolute(scale); }

void PrepareOutputState::PushRelativeScaleFactor(const Math::Vector<float>& scale) { mScaleFactors.PushRelative(scale); }

void PrepareOutputState::PopScaleFactor() { mScaleFactors.Pop(); }

const Math::Vector<float>& PrepareOutputState::GetScaleFactor() { return mScaleFactors.GetFull(); }

void PrepareOutputState::SetDepthOrder(SInt32 order) { mDepthOrders.Set(order); }

void PrepareOutputState::AddDepthOrder(SInt32 order) { mDepthOrders.Add(order); }

void PrepareOutputState::PopDepthOrder() { mDepthOrders.Pop(); }

SInt32 PrepareOutputState::GetDepthOrder() const { return mDepthOrders.GetCurrent(); }

void PrepareOutputState::AddRenderable(IRenderable* renderable, Bool placed)
{
    IView* view = mViews.GetTop();
    if (!view)
        return;
    if (!placed) {
        view->AddRenderable(renderable);
        return;
    }
    // The stack entries stay valid, unchanged, until the next Begin, so the view keeps pointers.
    const Math::Matrix<float>* transform = &mTransforms.GetFull();
    const Math::Vector<float>* scale = &mScaleFactors.GetFull();
    view->AddRenderable(renderable, transform, scale, mDepthOrders.GetCurrent());
}

void PrepareOutputState::ResetCounter() { mCounter = 0; }

void PrepareOutputState::IncrementCounter() { ++mCounter; }

UInt32 PrepareOutputState::GetCounter() const { return mCounter; }

} // namespace Graph
} // namespace Vorn
