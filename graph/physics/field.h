// Field nodes own one force field of the physics simulator, placed each logic step by the
// node's world transform: a sphere field around its origin or a plane field across its y axis.
#pragma once

#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "graph/transform/transform.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Graph {

class Field : public Transform
{
public:
    Field();
    ~Field() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Null before Init.
    Physics::IField* GetFieldObject() const { return mFieldObject; }
    Enums::ForceMode GetType() const { return mType; }
    Enums::CollisionShape GetShape() const { return mShape; }
    UInt32 GetInfluenceGroups() const { return mInfluenceGroups; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;

private:
    Enums::ForceMode mType;
    Enums::CollisionShape mShape;
    Float mConstantFactor;
    Float mLinearFactor;
    Float mQuadraticFactor;
    UInt32 mInfluenceGroups;
    Physics::IField* mFieldObject;
    Math::Matrix<float> mWorldMatrix;
    Physics::ISimulator* mRegisteredWith;
};

} // namespace Graph
} // namespace Vorn
