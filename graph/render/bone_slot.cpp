#include "graph/render/bone_slot.h"

#include <new>

#include "display/renderer.h"

namespace Vorn {
namespace Graph {

INode* BoneSlot::Create()
{
    return new (std::nothrow) BoneSlot();
}

const NodeClassInfo& BoneSlot::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("BoneSlot"));
    return info;
}

Bool BoneSlot::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                    Bool* error)
{
    const UInt32 attribute = BoneSlotAttributes::GetTable().FindAttribute(attributes, index);
    if (attribute >= BoneSlotAttributes::kXx && attribute <= BoneSlotAttributes::kWw) {
        attributes->GetValue(index, parameters, &mOffset[attribute - BoneSlotAttributes::kXx], error);
        return true;
    }
    return SlotNodeT::DeserializeAttribute(index, attributes, parameters, error);
}

Bool BoneSlot::EnqueueOutput(IEnqueueOutputState* state)
{
    if (Display::IRenderer* renderer = state->GetDisplayRenderer())
        renderer->SetBone(mDisplayObject, mSlot, mOffset);
    return true;
}

} // namespace Graph
} // namespace Vorn
