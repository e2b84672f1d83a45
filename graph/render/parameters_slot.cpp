#include "graph/render/parameters_slot.h"

#include <new>

#include "display/renderer.h"

namespace Vorn {
namespace Graph {

INode* ParametersSlot::Create()
{
    return new (std::nothrow) ParametersSlot();
}

const NodeClassInfo& ParametersSlot::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("ParametersSlot"));
    return info;
}

Bool ParametersSlot::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr)
        return true;
    if (mBoundNode == nullptr)
        renderer->SetParameters(nullptr, mSlot);
    else if (mBoundNode->IsActiveAndVisible())
        renderer->SetParameters(mDisplayObject, mSlot);
    return true;
}

} // namespace Graph
} // namespace Vorn
