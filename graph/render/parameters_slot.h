// ParametersSlot: binds a parameters node's display parameters into a parameters slot while that
// node is active and visible; otherwise the slot keeps its earlier binding.
#pragma once

#include "graph/attribute_names.h"
#include "graph/render/parameters.h"
#include "graph/render/slot_node.h"

namespace Vorn {
namespace Graph {

struct ParametersSlotTraits
{
    using BoundNode = Parameters;
    using DisplayObject = Display::IParameters;
    static constexpr const char* kClassName = "ParametersSlot";
    static constexpr const char* kNodeKind = "parameters";
    static const AttributeTable& GetTable() { return ParametersSlotAttributes::GetTable(); }
    static DisplayObject* GetDisplayObject(BoundNode* node) { return node->GetParametersObject(); }
};

class ParametersSlot : public SlotNodeT<ParametersSlotTraits>
{
public:
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool EnqueueOutput(IEnqueueOutputState* state) override;
};

} // namespace Graph
} // namespace Vorn
