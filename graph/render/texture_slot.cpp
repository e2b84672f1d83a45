#include "graph/render/texture_slot.h"

#include <new>

#include "display/renderer.h"

namespace Vorn {
namespace Graph {

TextureSlot::TextureSlot() : mUnit(0)
{
}

TextureSlot::~TextureSlot()
{
}

INode* TextureSlot::Create()
{
    return new (std::nothrow) TextureSlot();
}

const NodeClassInfo& TextureSlot::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("TextureSlot"));
    return info;
}

Bool TextureSlot::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                       Bool* error)
{
    if (TextureSlotAttributes::GetTable().FindAttribute(attributes, index) == TextureSlotAttributes::kUnit) {
        attributes->GetValue(index, parameters, &mUnit, error);
        return true;
    }
    return SlotNodeT::DeserializeAttribute(index, attributes, parameters, error);
}

Bool TextureSlot::InitSelf(IInitState* state)
{
    if (mUnit >= kNumberOfUnits) {
        Debug::Trace("Graph::TextureSlot::InitSelf(%s): Unit %u is not below %u", mId.GetText(), mUnit,
                     kNumberOfUnits);
        return false;
    }
    return SlotNodeT::InitSelf(state);
}

Bool TextureSlot::EnqueueOutput(IEnqueueOutputState* state)
{
    if (Display::IRenderer* renderer = state->GetDisplayRenderer())
        renderer->SetTexture(mDisplayObject, mSlot, mUnit);
    return true;
}

} // namespace Graph
} // namespace Vorn
