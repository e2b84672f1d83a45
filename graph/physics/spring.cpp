#include "graph/physics/spring.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/physics/body.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Spring::Spring()
    : mSpringConstant(0.0f),
      mDampingConstant(0.0f),
      mMinimumLength(0.0f),
      mMaximumLength(0.0f),
      mAffectForce(true),
      mAffectTorque(true),
      mSpringObject(nullptr),
      mBodyNodes{nullptr, nullptr},
      mBodyObjects{nullptr, nullptr},
      mInfluences{true, true},
      mRegisteredWith(nullptr)
{
    AddFlags(kNeedsProcessLogic);
}

Spring::~Spring()
{
}

INode* Spring::Create()
{
    return new (std::nothrow) Spring();
}

const NodeClassInfo& Spring::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Spring"));
    return info;
}

Bool Spring::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                  Bool* error)
{
    const UInt32 attribute = SpringAttributes::GetTable().FindAttribute(attributes, index);
    Float* const floats[] = {&mSpringConstant, &mDampingConstant, &mMinimumLength, &mMaximumLength};
    Bool* const flags[] = {&mAffectForce, &mAffectTorque};
    if (attribute <= SpringAttributes::kMaximumLength) {
        attributes->GetValue(index, parameters, floats[attribute], error);
        return true;
    }
    if (attribute <= SpringAttributes::kAffectTorque) {
        attributes->GetValue(index, parameters, flags[attribute - SpringAttributes::kAffectForce], error);
        return true;
    }
    // Each end's five attributes: id, x, y, z, influence.
    if (attribute >= SpringAttributes::kBody1Id && attribute <= SpringAttributes::kBody2Influence) {
        const UInt32 end = (attribute - SpringAttributes::kBody1Id) / 5;
        const UInt32 part = (attribute - SpringAttributes::kBody1Id) % 5;
        if (part == 0)
            attributes->GetValue(index, parameters, &mBodyIds[end], error);
        else if (part == 4)
            attributes->GetValue(index, parameters, &mInfluences[end], error);
        else
            attributes->GetValue(index, parameters, &mAttachments[end][part - 1], error);
        return true;
    }
    return Transform::DeserializeAttribute(index, attributes, parameters, error);
}

Bool Spring::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Spring::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    if (simulator == nullptr) {
        Debug::Trace("Graph::Spring::InitSelf(%s): No physics simulator", mId.GetText());
        return false;
    }
    for (UInt32 end = 0; end < 2; ++end) {
        if (mBodyIds[end].IsEmpty())
            continue;
        INode* node = state->FindNode(mBodyIds[end]);
        mBodyNodes[end] = dynamic_cast<Body*>(node);
        if (mBodyNodes[end] == nullptr) {
            if (node != nullptr)
                node->RemoveReference();
            Debug::Trace("Graph::Spring::InitSelf(%s): Failed to get body node \"%s\"", mId.GetText(),
                         mBodyIds[end].GetText());
            return false;
        }
        mBodyObjects[end] = mBodyNodes[end]->GetBodyObject();
        if (mBodyObjects[end] == nullptr) {
            Debug::Trace("Graph::Spring::InitSelf(%s): Failed to get body object from node \"%s\"", mId.GetText(),
                         mBodyIds[end].GetText());
            return false;
        }
    }
    mSpringObject = simulator->CreateSpring();
    if (mSpringObject == nullptr) {
        Debug::Trace("Graph::Spring::InitSelf(%s): Failed to create spring object", mId.GetText());
        return false;
    }
    mSpringObject->SetParameters(mSpringConstant, mDampingConstant, mMinimumLength, mMaximumLength, mAffectForce,
                                 mAffectTorque);
    for (UInt32 end = 0; end < 2; ++end) {
        if (mBodyObjects[end] != nullptr)
            mSpringObject->SetBody(end, mBodyObjects[end], mAttachments[end], mInfluences[end]);
    }
    if (!mSpringObject->Init()) {
        Debug::Trace("Graph::Spring::InitSelf(%s): Failed to initialize spring object", mId.GetText());
        return false;
    }
    return true;
}

Bool Spring::DeInitSelf(IDeInitState* state)
{
    if (mSpringObject != nullptr) {
        if (!mSpringObject->DeInit())
            return false;
        Physics::ISimulator* simulator = state->GetPhysicsSimulator();
        if (simulator == nullptr) {
            Debug::Trace("Graph::Spring::DeInitSelf(%s): No physics simulator to destroy the spring object",
                         mId.GetText());
            return false;
        }
        simulator->DestroySpring(mSpringObject);
    }
    for (UInt32 end = 0; end < 2; ++end) {
        if (mBodyNodes[end] == nullptr)
            continue;
        if (!mBodyNodes[end]->RemoveReference()) {
            Debug::Trace("Graph::Spring::DeInitSelf(%s): Failed to remove body node reference for body %d",
                         mId.GetText(), SInt32(end));
            return false;
        }
        mBodyNodes[end] = nullptr;
        mBodyObjects[end] = nullptr;
    }
    return Transform::DeInitSelf(state);
}

Bool Spring::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicSelf(state))
        return false;
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    mRegisteredWith = mSpringObject != nullptr ? simulator : nullptr;
    if (mRegisteredWith != nullptr) {
        mWorldMatrix = state->GetTransform();
        mRegisteredWith->AddSpring(mSpringObject, &mWorldMatrix);
    }
    return true;
}

Bool Spring::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicChildren(state))
        return false;
    if (mRegisteredWith != nullptr)
        mRegisteredWith->RemoveSpring(mSpringObject);
    mRegisteredWith = nullptr;
    return true;
}

} // namespace Graph
} // namespace Vorn
