// MaterialSlot: binds a material node's display material into a material slot.
#pragma once

#include "graph/attribute_names.h"
#include "graph/render/material.h"
#include "graph/render/slot_node.h"

namespace Vorn {
namespace Graph {

struct MaterialSlotTraits
{
    using BoundNode = Material;
    using DisplayObject = Display::IMaterial;
    static constexpr const char* kClassName = "MaterialSlot";
    static constexpr const char* kNodeKind = "material";
    static const AttributeTable& GetTable() { return MaterialSlotAttributes::GetTable(); }
    static DisplayObject* GetDisplayObject(BoundNode* node) { return node->GetMaterialObject(); }
};

class MaterialSlot : public SlotNodeT<MaterialSlotTraits>
{
public:
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool EnqueueOutput(IEnqueueOutputState* state) override;
};

} // namespace Graph
} // namespace Vorn
