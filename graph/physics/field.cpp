#include "graph/physics/field.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Field::Field()
    : mType(Enums::ForceMode::ACCELERATION),
      mShape(Enums::CollisionShape::SPHERE),
      mConstantFactor(1.0f),
      mLinearFactor(0.0f),
      mQuadraticFactor(0.0f),
      mInfluenceGroups(0xFFFFFFFFu),
      mFieldObject(nullptr),
      mRegisteredWith(nullptr)
{
    AddFlags(kNeedsProcessLogic);
}

Field::~Field()
{
}

INode* Field::Create()
{
    return new (std::nothrow) Field();
}

const NodeClassInfo& Field::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Field"));
    return info;
}

Bool Field::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                 Bool* error)
{
    switch (FieldAttributes::GetTable().FindAttribute(attributes, index)) {
    case FieldAttributes::kInfluenceGroups:
        attributes->GetBitsToSet(index, parameters, &mInfluenceGroups, error, true);
        return true;
    case FieldAttributes::kConstantFactor:
        attributes->GetValue(index, parameters, &mConstantFactor, error);
        return true;
    case FieldAttributes::kLinearFactor:
        attributes->GetValue(index, parameters, &mLinearFactor, error);
        return true;
    case FieldAttributes::kQuadraticFactor:
        attributes->GetValue(index, parameters, &mQuadraticFactor, error);
        return true;
    case FieldAttributes::kType:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetForceModeTable(), mType);
        return true;
    case FieldAttributes::kShape:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetCollisionShapeTable(), mShape);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool Field::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Field::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    if (simulator == nullptr) {
        Debug::Trace("Graph::Field::InitSelf(%s): No physics simulator", mId.GetText());
        return false;
    }
    mFieldObject = simulator->CreateField(UInt32(mType), UInt32(mShape));
    if (mFieldObject == nullptr) {
        Debug::Trace("Graph::Field::InitSelf(%s): Failed to create field object of shape %u", mId.GetText(),
                     UInt32(mShape));
        return false;
    }
    mFieldObject->SetInfluenceGroups(mInfluenceGroups);
    mFieldObject->SetFactors(mConstantFactor, mLinearFactor, mQuadraticFactor);
    if (!mFieldObject->Init()) {
        Debug::Trace("Graph::Field::InitSelf(%s): Failed to initialize field object", mId.GetText());
        return false;
    }
    return true;
}

Bool Field::DeInitSelf(IDeInitState* state)
{
    if (mFieldObject != nullptr) {
        Physics::ISimulator* simulator = state->GetPhysicsSimulator();
        if (simulator == nullptr) {
            Debug::Trace("Graph::Field::DeInitSelf(%s): No physics simulator to destroy the field object",
                         mId.GetText());
            return false;
        }
        simulator->DestroyField(mFieldObject);
    }
    return Transform::DeInitSelf(state);
}

Bool Field::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicSelf(state))
        return false;
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    mRegisteredWith = mFieldObject != nullptr ? simulator : nullptr;
    if (mRegisteredWith != nullptr) {
        mWorldMatrix = state->GetTransform();
        mRegisteredWith->AddField(mFieldObject, &mWorldMatrix);
    }
    return true;
}

Bool Field::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicChildren(state))
        return false;
    if (mRegisteredWith != nullptr)
        mRegisteredWith->RemoveField(mFieldObject);
    mRegisteredWith = nullptr;
    return true;
}

} // namespace Graph
} // namespace Vorn
