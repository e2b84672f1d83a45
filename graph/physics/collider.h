// Collider nodes give the physics simulator its collision geometry: a sphere, a plane or a
// triangle mesh, registered in every logic step with the node's transform relative to the
// enclosing body node, so that the geometry belongs to that body.
#pragma once

#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/transform/transform.h"
#include "physics/simulator.h"

namespace Vorn {

namespace Resource {
class ICollider;
}

namespace Graph {

// The common base of the collider nodes: owns the geometry and registers it each logic step.
class ColliderObject : public Transform
{
public:
    ColliderObject();
    ~ColliderObject() override;

    // Null before Init.
    Physics::IGeometry* GetGeometry() const { return mGeometry; }
    // The transform relative to the enclosing body as last registered.
    const Math::Matrix<float>& GetRelativeMatrix() const { return mRelativeMatrix; }

protected:
    // Makes the geometry of the simulator's kind; false has been logged in the form of the
    // class named.
    Bool CreateGeometry(IInitState* state, UInt32 shape, const char* className);
    Bool DeInitSelf(IDeInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;

    Physics::IGeometry* mGeometry;

private:
    Math::Matrix<float> mRelativeMatrix;
    Physics::ISimulator* mRegisteredWith;
};

class ColliderSphere : public ColliderObject
{
public:
    ColliderSphere();
    ~ColliderSphere() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Float GetRadius() const { return mRadius; }

protected:
    Bool InitSelf(IInitState* state) override;

private:
    Float mRadius;
};

// The plane through the node's origin across its y axis.
class ColliderPlane : public ColliderObject
{
public:
    ColliderPlane();
    ~ColliderPlane() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

protected:
    Bool InitSelf(IInitState* state) override;
};

class ColliderMesh : public ColliderObject
{
public:
    ColliderMesh();
    ~ColliderMesh() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    const String& GetColliderResourceId() const { return mColliderResourceId; }
    // The collider resource in use; null when the current configuration has none.
    const Resource::ICollider* GetCollider() const { return mCollider; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    // Looks the collider up again when the language changed; the geometry stays.
    Bool ConfigChangedSelf(IConfigChangedState* state) override;

private:
    String mColliderResourceId;
    const Resource::ICollider* mCollider;
    Physics::IMesh* mMesh;
};

} // namespace Graph
} // namespace Vorn
