#include "graph/structure/reference.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {
namespace {

// True when node is the sought one or lies below it; references already resolved are walked
// through their targets, so chains of references are followed as well.
Bool SubTreeContains(const INode* top, const INode* sought)
{
    if (top == sought)
        return true;
    for (const INode* child : top->GetChildren()) {
        if (SubTreeContains(child, sought))
            return true;
    }
    return false;
}

} // namespace

Reference::Reference() : mTarget(nullptr)
{
}

Reference::~Reference()
{
}

INode* Reference::Create()
{
    return new (std::nothrow) Reference();
}

const NodeClassInfo& Reference::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Reference"));
    return info;
}

void Reference::InsertChild(INode*, UInt32)
{
}

void Reference::AddChild(INode*)
{
}

INode* Reference::RemoveChildAt(UInt32)
{
    return nullptr;
}

INode* Reference::RemoveChild(INode*)
{
    return nullptr;
}

Bool Reference::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                     Bool* error)
{
    switch (ReferenceAttributes::GetTable().FindAttribute(attributes, index)) {
    case ReferenceAttributes::kTargetId:
        attributes->GetValue(index, parameters, &mTargetId, error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

INode* Reference::GetReferencedNode()
{
    return mChildren.IsEmpty() ? nullptr : mChildren[0];
}

Bool Reference::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Reference::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mTargetId.IsEmpty()) {
        Debug::Trace("Graph::Reference::InitSelf(): attribute targetId is empty");
        return false;
    }
    if (!mChildren.IsEmpty()) {
        Debug::Trace("Graph::Reference::InitSelf(%s): cannot have any children", mId.GetText());
        return false;
    }
    INode* target = state->FindNode(mTargetId);
    if (target == nullptr) {
        Debug::Trace("Graph::Reference::InitSelf(%s): referenced node '%s' not found", mId.GetText(),
                     mTargetId.GetText());
        return false;
    }
    // A target above the reference would make every pass through it recurse without end.
    if (SubTreeContains(target, this)) {
        Debug::Trace("Graph::Reference::InitSelf(%s): referenced node '%s' contains the reference", mId.GetText(),
                     mTargetId.GetText());
        target->RemoveReference();
        return false;
    }
    mTarget = target;
    mChildren.Add(target);
    AddFlags(target->GetFlags() & kSubTreeBits);
    return true;
}

Bool Reference::InitChildren(IInitState*)
{
    return true;
}

Bool Reference::DeInitSelf(IDeInitState* state)
{
    mChildren.Clear();
    if (mTarget != nullptr) {
        if (!mTarget->RemoveReference()) {
            Debug::Trace("Graph::Reference::DeInitSelf(%s): Failed to remove node reference", mId.GetText());
            return false;
        }
        mTarget = nullptr;
    }
    return Node::DeInitSelf(state);
}

Bool Reference::DeInitChildren(IDeInitState*)
{
    return true;
}

Bool Reference::SuspendChildren(IDeInitState*)
{
    return true;
}

Bool Reference::ResumeChildren(IInitState*)
{
    return true;
}

} // namespace Graph
} // namespace Vorn
