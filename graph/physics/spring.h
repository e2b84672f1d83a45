// Spring nodes own one spring of the physics simulator between one or two body nodes named by
// id (a free end sits at the node's position). The body nodes must be initialised before the
// spring; the node holds a reference on each until DeInit.
#pragma once

#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/transform/transform.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Graph {

class Body;

class Spring : public Transform
{
public:
    Spring();
    ~Spring() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Null before Init.
    Physics::ISpring* GetSpringObject() const { return mSpringObject; }
    // End 0 or 1; null when that end has no body.
    Body* GetBodyNode(UInt32 end) const { return end < 2 ? mBodyNodes[end] : nullptr; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;

private:
    Float mSpringConstant;
    Float mDampingConstant;
    Float mMinimumLength;
    Float mMaximumLength;
    Bool mAffectForce;
    Bool mAffectTorque;
    Physics::ISpring* mSpringObject;
    String mBodyIds[2];
    Body* mBodyNodes[2];
    Physics::IBody* mBodyObjects[2];
    Math::Vector<float> mAttachments[2];
    Bool mInfluences[2];
    Math::Matrix<float> mWorldMatrix;
    Physics::ISimulator* mRegisteredWith;
};

} // namespace Graph
} // namespace Vorn
