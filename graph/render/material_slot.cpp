#include "graph/render/material_slot.h"

#include <new>

#include "display/renderer.h"

namespace Vorn {
namespace Graph {

INode* MaterialSlot::Create()
{
    return new (std::nothrow) MaterialSlot();
}

const NodeClassInfo& MaterialSlot::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("MaterialSlot"));
    return info;
}

Bool MaterialSlot::EnqueueOutput(IEnqueueOutputState* state)
{
    if (Display::IRenderer* renderer = state->GetDisplayRenderer())
        renderer->SetMaterial(mDisplayObject, mSlot);
    return true;
}

} // namespace Graph
} // namespace Vorn
