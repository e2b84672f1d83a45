// TextureSlot: binds a texture node's display texture into a texture slot and unit.
#pragma once

#include "graph/attribute_names.h"
#include "graph/render/slot_node.h"
#include "graph/render/texture.h"

namespace Vorn {
namespace Graph {

struct TextureSlotTraits
{
    using BoundNode = Texture;
    using DisplayObject = Display::ITexture;
    static constexpr const char* kClassName = "TextureSlot";
    static constexpr const char* kNodeKind = "texture";
    static const AttributeTable& GetTable() { return TextureSlotAttributes::GetTable(); }
    static DisplayObject* GetDisplayObject(BoundNode* node) { return node->GetTextureObject(); }
};

class TextureSlot : public SlotNodeT<TextureSlotTraits>
{
public:
    // Units per texture slot.
    static constexpr UInt32 kNumberOfUnits = 8;

    TextureSlot();
    ~TextureSlot() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    UInt32 GetUnit() const { return mUnit; }

protected:
    Bool InitSelf(IInitState* state) override;

private:
    UInt32 mUnit;
};

} // namespace Graph
} // namespace Vorn
