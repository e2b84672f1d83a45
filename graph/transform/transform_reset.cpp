#include "graph/transform/transform_reset.h"

#include <new>

#include "foundation/attributes.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

const UInt32 kRotationElements[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
const UInt32 kTranslationElements[] = {12, 13, 14};

} // namespace

TransformReset::TransformReset() : mAffectRotation(false), mAffectTranslation(false)
{
}

TransformReset::~TransformReset()
{
}

INode* TransformReset::Create()
{
    return new (std::nothrow) TransformReset();
}

const NodeClassInfo& TransformReset::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("TransformReset"));
    return info;
}

Bool TransformReset::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                          Bool* error)
{
    switch (TransformResetAttributes::GetTable().FindAttribute(attributes, index)) {
    case TransformResetAttributes::kAffectRotation:
        attributes->GetValue(index, parameters, &mAffectRotation, error);
        return true;
    case TransformResetAttributes::kAffectTranslation:
        attributes->GetValue(index, parameters, &mAffectTranslation, error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void TransformReset::Compose(const Math::Matrix<float>& world)
{
    if (!mAffectTranslation) {
        for (UInt32 element : kTranslationElements)
            mMatrix[element] = world[element];
    }
    if (!mAffectRotation) {
        for (UInt32 element : kRotationElements)
            mMatrix[element] = world[element];
    }
}

Bool TransformReset::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    Compose(state->GetTransform());
    state->PushTransform(mMatrix);
    return true;
}

Bool TransformReset::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    state->PopTransform();
    return true;
}

Bool TransformReset::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    Compose(state->GetTransform());
    state->PushTransform(mMatrix);
    return true;
}

Bool TransformReset::PrepareOutputChildren(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputChildren(state))
        return false;
    state->PopTransform();
    return true;
}

} // namespace Graph
} // namespace Vorn
