#include "graph/transform/transform_clone.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/structure/anchor.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

const UInt32 kRotationElements[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
const UInt32 kTranslationElements[] = {12, 13, 14};

} // namespace

TransformClone::TransformClone()
    : mAnchor(nullptr), mUseAbsoluteTransform(false), mAffectRotation(false), mAffectTranslation(false)
{
}

TransformClone::~TransformClone()
{
}

INode* TransformClone::Create()
{
    return new (std::nothrow) TransformClone();
}

const NodeClassInfo& TransformClone::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("TransformClone"));
    return info;
}

Bool TransformClone::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                          Bool* error)
{
    switch (TransformCloneAttributes::GetTable().FindAttribute(attributes, index)) {
    case TransformCloneAttributes::kAnchorId:
        attributes->GetValue(index, parameters, &mAnchorId, error);
        return true;
    case TransformCloneAttributes::kUseAbsoluteTransform:
        attributes->GetValue(index, parameters, &mUseAbsoluteTransform, error);
        return true;
    case TransformCloneAttributes::kAffectRotation:
        attributes->GetValue(index, parameters, &mAffectRotation, error);
        return true;
    case TransformCloneAttributes::kAffectTranslation:
        attributes->GetValue(index, parameters, &mAffectTranslation, error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool TransformClone::ReleaseAnchor()
{
    if (mAnchor == nullptr)
        return true;
    Anchor* anchor = mAnchor;
    mAnchor = nullptr;
    return anchor->RemoveReference();
}

Bool TransformClone::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::TransformClone::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    // An anchor left by an Init whose DeInitSelf never ran would otherwise keep a reference.
    ReleaseAnchor();
    if (mAnchorId.IsEmpty()) {
        Debug::Trace("Graph::TransformClone::InitSelf(%s): No anchor ID given", mId.GetText());
        return false;
    }
    INode* node = state->FindNode(mAnchorId);
    if (node == nullptr) {
        Debug::Trace("Graph::TransformClone::InitSelf(%s): Failed to get node \"%s\"", mId.GetText(),
                     mAnchorId.GetText());
        return false;
    }
    Anchor* anchor = dynamic_cast<Anchor*>(node);
    if (anchor == nullptr) {
        // The lookup took a reference on whatever it found.
        node->RemoveReference();
        Debug::Trace("Graph::TransformClone::InitSelf(%s): Failed to get anchor node \"%s\"", mId.GetText(),
                     mAnchorId.GetText());
        return false;
    }
    mAnchor = anchor;
    return true;
}

Bool TransformClone::DeInitSelf(IDeInitState* state)
{
    if (!ReleaseAnchor()) {
        Debug::Trace("Graph::TransformClone::DeInitSelf(%s): Failed to remove anchor node reference", mId.GetText());
        return false;
    }
    return Node::DeInitSelf(state);
}

void TransformClone::Compose(const Math::Matrix<float>& world)
{
    if (mUseAbsoluteTransform)
        mMatrix.SetIdentity();
    else
        mMatrix = world;
    if (mAnchor == nullptr)
        return;
    const Math::Matrix<float>& anchor = mAnchor->GetTransform();
    if (mAffectTranslation) {
        for (UInt32 element : kTranslationElements)
            mMatrix[element] = anchor[element];
    }
    if (mAffectRotation) {
        for (UInt32 element : kRotationElements)
            mMatrix[element] = anchor[element];
    }
}

SInt32 TransformClone::GetAnchorDepthOrder(SInt32 current) const
{
    return mAnchor != nullptr ? mAnchor->GetDepthOrder() : current;
}

Bool TransformClone::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    Compose(state->GetTransform());
    state->PushTransform(mMatrix);
    state->SetDepthOrder(GetAnchorDepthOrder(state->GetDepthOrder()));
    return true;
}

Bool TransformClone::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    state->PopDepthOrder();
    state->PopTransform();
    return true;
}

Bool TransformClone::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    Compose(state->GetTransform());
    state->PushTransform(mMatrix);
    state->SetDepthOrder(GetAnchorDepthOrder(state->GetDepthOrder()));
    return true;
}

Bool TransformClone::PrepareOutputChildren(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputChildren(state))
        return false;
    state->PopDepthOrder();
    state->PopTransform();
    return true;
}

} // namespace Graph
} // namespace Vorn
