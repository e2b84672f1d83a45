// The render-state slot nodes: each binds the display object of another node, found by id, into
// one numbered slot of the display renderer's current render state. The view enqueues its
// renderables in the order they registered, so the binding holds for the drawables after the
// slot node until another slot node of the kind rebinds the slot. An empty id binds nothing,
// which clears the slot each frame.
//
// Traits of one kind: the class name and node kind for messages, the bound node's class, its
// display object's interface and getter, and the attribute table (bound-node id at index 0,
// "slot" at index 1).
#pragma once

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/node.h"
#include "graph/node_class_info.h"
#include "graph/render/bound_node.h"
#include "graph/renderable.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

template <class Traits>
class SlotNodeT : public Node, public IRenderable
{
public:
    // The renderer keeps this many slots of each kind.
    static constexpr UInt32 kNumberOfSlots = 128;

    using BoundNode = typename Traits::BoundNode;
    using DisplayObject = typename Traits::DisplayObject;

    SlotNodeT() : mSlot(0), mBoundNode(nullptr), mDisplayObject(nullptr) { AddFlags(kNeedsPrepareOutput); }

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override
    {
        switch (Traits::GetTable().FindAttribute(attributes, index)) {
        case 0:
            attributes->GetValue(index, parameters, &mBoundNodeId, error);
            return true;
        case 1:
            attributes->GetValue(index, parameters, &mSlot, error);
            return true;
        default:
            return Node::DeserializeAttribute(index, attributes, parameters, error);
        }
    }

    Bool CullOutput(ICullOutputState*) override { return true; }

    const String& GetBoundNodeId() const { return mBoundNodeId; }
    UInt32 GetSlot() const { return mSlot; }
    BoundNode* GetBoundNode() const { return mBoundNode; }
    DisplayObject* GetDisplayObject() const { return mDisplayObject; }

protected:
    Bool InitSelf(IInitState* state) override
    {
        if (!Node::InitSelf(state)) {
            Debug::Trace("Graph::%s::InitSelf(%s): InitSelf() of superclass failed", Traits::kClassName,
                         mId.GetText());
            return false;
        }
        if (mSlot >= kNumberOfSlots) {
            Debug::Trace("Graph::%s::InitSelf(%s): Slot %u is not below %u", Traits::kClassName, mId.GetText(), mSlot,
                         kNumberOfSlots);
            return false;
        }
        mDisplayObject = nullptr;
        if (mBoundNodeId.IsEmpty())
            return true;
        Bool found = false;
        mBoundNode = FindBoundNode<BoundNode>(state, mBoundNodeId, &found);
        if (!found) {
            Debug::Trace("Graph::%s::InitSelf(%s): Failed to get node \"%s\"", Traits::kClassName, mId.GetText(),
                         mBoundNodeId.GetText());
            return false;
        }
        if (mBoundNode == nullptr) {
            Debug::Trace("Graph::%s::InitSelf(%s): Failed to get %s node \"%s\"", Traits::kClassName, mId.GetText(),
                         Traits::kNodeKind, mBoundNodeId.GetText());
            return false;
        }
        mDisplayObject = Traits::GetDisplayObject(mBoundNode);
        if (mDisplayObject == nullptr) {
            Debug::Trace("Graph::%s::InitSelf(%s): Failed to get %s object from node \"%s\"", Traits::kClassName,
                         mId.GetText(), Traits::kNodeKind, mBoundNodeId.GetText());
            return false;
        }
        return true;
    }

    Bool DeInitSelf(IDeInitState* state) override
    {
        mDisplayObject = nullptr;
        if (!ReleaseBoundNode(mBoundNode)) {
            Debug::Trace("Graph::%s::DeInitSelf(%s): Failed to remove %s node reference", Traits::kClassName,
                         mId.GetText(), Traits::kNodeKind);
            return false;
        }
        return Node::DeInitSelf(state);
    }

    // Registered unplaced: never culled, nothing pushed.
    Bool PrepareOutputSelf(IPrepareOutputState* state) override
    {
        state->AddRenderable(this, false);
        return true;
    }

    String mBoundNodeId;
    UInt32 mSlot;
    BoundNode* mBoundNode;
    DisplayObject* mDisplayObject;
};

} // namespace Graph
} // namespace Vorn
