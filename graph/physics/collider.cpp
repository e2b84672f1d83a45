#include "graph/physics/collider.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"

namespace Vorn {
namespace Graph {

ColliderObject::ColliderObject() : mGeometry(nullptr), mRegisteredWith(nullptr)
{
    AddFlags(kNeedsProcessLogic);
}

ColliderObject::~ColliderObject()
{
}

Bool ColliderObject::CreateGeometry(IInitState* state, UInt32 shape, const char* className)
{
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    if (simulator == nullptr) {
        Debug::Trace("Graph::%s::InitSelf(%s): No physics simulator", className, mId.GetText());
        return false;
    }
    mGeometry = simulator->CreateGeometry(shape);
    if (mGeometry == nullptr) {
        Debug::Trace("Graph::%s::InitSelf(%s): Failed to create collision geometry object", className, mId.GetText());
        return false;
    }
    return true;
}

Bool ColliderObject::DeInitSelf(IDeInitState* state)
{
    if (mGeometry != nullptr) {
        Physics::ISimulator* simulator = state->GetPhysicsSimulator();
        if (simulator == nullptr) {
            Debug::Trace("Graph::ColliderObject::DeInitSelf(%s): No physics simulator to destroy the geometry",
                         mId.GetText());
            return false;
        }
        simulator->DestroyGeometry(mGeometry);
    }
    return Transform::DeInitSelf(state);
}

Bool ColliderObject::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicSelf(state))
        return false;
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    mRegisteredWith = mGeometry != nullptr ? simulator : nullptr;
    if (mRegisteredWith != nullptr) {
        // A copy: the simulator reads it during the step, after the pass has moved on.
        mRelativeMatrix = state->GetRelativeTransform();
        mRegisteredWith->PushGeometry(mGeometry, &mRelativeMatrix);
    }
    return true;
}

Bool ColliderObject::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicChildren(state))
        return false;
    if (mRegisteredWith != nullptr)
        mRegisteredWith->PopGeometry(mGeometry);
    mRegisteredWith = nullptr;
    return true;
}

ColliderSphere::ColliderSphere() : mRadius(0.5f)
{
}

ColliderSphere::~ColliderSphere()
{
}

INode* ColliderSphere::Create()
{
    return new (std::nothrow) ColliderSphere();
}

const NodeClassInfo& ColliderSphere::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("ColliderSphere"));
    return info;
}

Bool ColliderSphere::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                          Bool* error)
{
    if (ColliderSphereAttributes::GetTable().FindAttribute(attributes, index) == ColliderSphereAttributes::kRadius) {
        attributes->GetValue(index, parameters, &mRadius, error);
        return true;
    }
    return ColliderObject::DeserializeAttribute(index, attributes, parameters, error);
}

Bool ColliderSphere::InitSelf(IInitState* state)
{
    if (!ColliderObject::InitSelf(state)) {
        Debug::Trace("Graph::ColliderSphere::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (!CreateGeometry(state, 1, "ColliderSphere"))
        return false;
    Physics::ISphere* sphere = dynamic_cast<Physics::ISphere*>(mGeometry);
    if (sphere == nullptr) {
        Debug::Trace("Graph::ColliderSphere::InitSelf(%s): Failed to create collision geometry object", mId.GetText());
        return false;
    }
    sphere->SetRadius(mRadius);
    return true;
}

ColliderPlane::ColliderPlane()
{
}

ColliderPlane::~ColliderPlane()
{
}

INode* ColliderPlane::Create()
{
    return new (std::nothrow) ColliderPlane();
}

const NodeClassInfo& ColliderPlane::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("ColliderPlane"));
    return info;
}

Bool ColliderPlane::InitSelf(IInitState* state)
{
    if (!ColliderObject::InitSelf(state)) {
        Debug::Trace("Graph::ColliderPlane::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    return CreateGeometry(state, 2, "ColliderPlane");
}

ColliderMesh::ColliderMesh() : mCollider(nullptr), mMesh(nullptr)
{
    AddFlags(kNeedsConfigChanged);
}

ColliderMesh::~ColliderMesh()
{
}

INode* ColliderMesh::Create()
{
    return new (std::nothrow) ColliderMesh();
}

const NodeClassInfo& ColliderMesh::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("ColliderMesh"));
    return info;
}

Bool ColliderMesh::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                        Bool* error)
{
    if (ColliderMeshAttributes::GetTable().FindAttribute(attributes, index) ==
        ColliderMeshAttributes::kColliderResourceId) {
        attributes->GetValue(index, parameters, &mColliderResourceId, error);
        return true;
    }
    return ColliderObject::DeserializeAttribute(index, attributes, parameters, error);
}

Bool ColliderMesh::InitSelf(IInitState* state)
{
    if (!ColliderObject::InitSelf(state)) {
        Debug::Trace("Graph::ColliderMesh::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mColliderResourceId.IsEmpty()) {
        Debug::Trace("Graph::ColliderMesh::InitSelf(%s): No resource ID specified", mId.GetText());
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    mCollider = collection != nullptr ? collection->GetCollider(mColliderResourceId) : nullptr;
    if (mCollider == nullptr) {
        Debug::Trace("Graph::ColliderMesh::InitSelf(%s): Failed to get resource collider \"%s\"", mId.GetText(),
                     mColliderResourceId.GetText());
        return false;
    }
    if (!CreateGeometry(state, 4, "ColliderMesh"))
        return false;
    mMesh = dynamic_cast<Physics::IMesh*>(mGeometry);
    if (mMesh == nullptr) {
        Debug::Trace("Graph::ColliderMesh::InitSelf(%s): Failed to create collision geometry object", mId.GetText());
        return false;
    }
    mMesh->SetCollider(mCollider);
    return true;
}

Bool ColliderMesh::DeInitSelf(IDeInitState* state)
{
    mMesh = nullptr;
    mCollider = nullptr;
    return ColliderObject::DeInitSelf(state);
}

Bool ColliderMesh::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!ColliderObject::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::ColliderMesh::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed",
                     mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration == nullptr || !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    Resource::ICollection* collection = state->GetResourceCollection();
    const Resource::ICollider* collider =
        collection != nullptr ? collection->GetCollider(mColliderResourceId) : nullptr;
    if (collider == mCollider)
        return true;
    // The old collider belongs to a variant that is going away: without a new one the mesh
    // collides with nothing rather than keep reading it.
    mCollider = collider;
    if (mMesh != nullptr)
        mMesh->SetCollider(collider);
    if (collider == nullptr)
        Debug::Trace("Graph::ColliderMesh::ConfigChangedSelf(%s): No resource collider \"%s\" for the new "
                     "configuration; the mesh collides with nothing",
                     mId.GetText(), mColliderResourceId.GetText());
    return true;
}

} // namespace Graph
} // namespace Vorn
