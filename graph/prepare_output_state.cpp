#include "graph/prepare_output_state.h"

#include "graph/view.h"

namespace Vorn {
namespace Graph {

PrepareOutputState::PrepareOutputState(Output::IDeviceHandler* outputDeviceHandler)
    : mOutputDeviceHandler(outputDeviceHandler)
{
}

void PrepareOutputState::Begin()
{
    mFrame.CopyFrom(mClock);
    ClearPlacementStacks();
    mCounter = 0;
    // Views register again as they are prepared.
    if (mRoot)
        mRoot->ClearViews();
}

Output::IDeviceHandler* PrepareOutputState::GetOutputDeviceHandler() { return mOutputDeviceHandler; }

void PrepareOutputState::PushView(IView* view)
{
    PlacementStateT::PushView(view);
    if (mRoot && view)
        mRoot->AddView(view);
}

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

} // namespace Graph
} // namespace Vorn
