// BoneSlot: binds a bone node's display bone into a bone slot, with an offset matrix.
#pragma once

#include "foundation/matrix.h"
#include "graph/attribute_names.h"
#include "graph/display/bone.h"
#include "graph/render/slot_node.h"

namespace Vorn {
namespace Graph {

struct BoneSlotTraits
{
    using BoundNode = Bone;
    using DisplayObject = Display::IBone;
    static constexpr const char* kClassName = "BoneSlot";
    static constexpr const char* kNodeKind = "bone";
    static const AttributeTable& GetTable() { return BoneSlotAttributes::GetTable(); }
    static DisplayObject* GetDisplayObject(BoundNode* node) { return node->GetBoneObject(); }
};

class BoneSlot : public SlotNodeT<BoneSlotTraits>
{
public:
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    // "xx" ... "ww" write the offset matrix, element 0 to 15; the identity by default.
    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    const Math::Matrix<float>& GetOffset() const { return mOffset; }

private:
    Math::Matrix<float> mOffset;
};

} // namespace Graph
} // namespace Vorn
