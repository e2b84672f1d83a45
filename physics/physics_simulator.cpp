#include "physics/physics_simulator.h"

#include <new>

#include "physics/body.h"
#include "physics/collision_detector.h"
#include "physics/field.h"
#include "physics/geometry.h"
#include "physics/spring.h"

namespace Vorn {
namespace Physics {

namespace {

template <typename Item>
void RemoveAll(Array<Item*>& items, const void* item)
{
    for (SInt32 i = items.GetCount() - 1; i >= 0; --i) {
        if (items[i] == item)
            items.RemoveAt(i);
    }
}

// Drops the geometry or the body from the trees registered this frame; bodies of earlier frames
// rebuild their lists when they are registered again.
void ForgetInTree(Body* body, const IGeometry* geometry, const IBody* child)
{
    if (geometry != nullptr)
        body->RemoveGeometry(geometry);
    if (child != nullptr)
        body->RemoveChild(child);
    for (Body* below : body->GetChildren())
        ForgetInTree(below, geometry, child);
}

template <typename Concrete, typename Interface>
void DestroyObject(Interface*& object)
{
    delete static_cast<Concrete*>(object);
    object = nullptr;
}

} // namespace

Simulator::Simulator() : mRegistrationRound(1)
{
}

Simulator::~Simulator()
{
}

Bool Simulator::Init()
{
    mDetector.reset(new (std::nothrow) CollisionDetector());
    if (mDetector == nullptr)
        return false;
    return mDetector->Init();
}

Bool Simulator::DeInit()
{
    if (mDetector != nullptr)
        mDetector->DeInit();
    mDetector.reset();
    return true;
}

IBody* Simulator::CreateBody()
{
    return new (std::nothrow) Body();
}

void Simulator::DestroyBody(IBody*& body)
{
    if (body == nullptr)
        return;
    if (mDetector != nullptr)
        mDetector->RemovePairsOfBody(body);
    RemoveAll(mRootBodies, body);
    RemoveAll(mBodyStack, body);
    for (Body* root : mRootBodies)
        ForgetInTree(root, nullptr, body);
    DestroyObject<Body>(body);
}

ISpring* Simulator::CreateSpring()
{
    return new (std::nothrow) Spring();
}

void Simulator::DestroySpring(ISpring*& spring)
{
    if (spring == nullptr)
        return;
    RemoveAll(mSprings, spring);
    DestroyObject<Spring>(spring);
}

IField* Simulator::CreateField(UInt32 forceMode, UInt32 shape)
{
    switch (shape) {
    case 0:
        return new (std::nothrow) PlaneField(forceMode);
    case 1:
        return new (std::nothrow) SphereField(forceMode);
    default:
        return nullptr;
    }
}

void Simulator::DestroyField(IField*& field)
{
    if (field == nullptr)
        return;
    RemoveAll(mFields, field);
    DestroyObject<Field>(field);
}

IGeometry* Simulator::CreateGeometry(UInt32 shape)
{
    switch (shape) {
    case Geometry::kPoint:
        return new (std::nothrow) PointGeometry();
    case Geometry::kSphere:
        return new (std::nothrow) SphereGeometry();
    case Geometry::kPlane:
        return new (std::nothrow) PlaneGeometry();
    case Geometry::kMesh:
        return new (std::nothrow) MeshGeometry();
    default:
        return nullptr;
    }
}

void Simulator::DestroyGeometry(IGeometry*& geometry)
{
    if (geometry == nullptr)
        return;
    Geometry* own = static_cast<Geometry*>(geometry);
    if (mDetector != nullptr)
        mDetector->RemovePairsOf(own);
    RemoveAll(mGeometryStack, own);
    for (Body* root : mRootBodies)
        ForgetInTree(root, own, nullptr);
    DestroyObject<Geometry>(geometry);
}

void Simulator::ClearObjects()
{
    mBodyStack.SetCount(0);
    mRootBodies.SetCount(0);
    mSprings.SetCount(0);
    mFields.SetCount(0);
    ++mRegistrationRound;
}

void Simulator::Step(Float seconds)
{
    if (!(seconds > 0.0f))
        return;
    for (Body* body : mRootBodies) {
        body->Integrate(seconds);
        body->ClearAccumulators();
        body->ApplyDrag();
    }
    for (Field* field : mFields) {
        for (Body* body : mRootBodies)
            field->Apply(body);
    }
    for (Spring* spring : mSprings)
        spring->Apply();
    for (Body* body : mRootBodies)
        body->SavePendingForce();
    if (mDetector == nullptr)
        return;
    mDetector->ResetCounts();
    for (Body* body : mRootBodies)
        mDetector->AddStepBody(body);
    mDetector->Run(seconds);
}

void Simulator::AddField(IField* field, const Math::Matrix<float>* transform)
{
    Field* own = static_cast<Field*>(field);
    if (transform != nullptr)
        own->SetTransform(*transform);
    mFields.Add(own);
}

void Simulator::AddSpring(ISpring* spring, const Math::Matrix<float>* transform)
{
    Spring* own = static_cast<Spring*>(spring);
    if (transform != nullptr)
        own->SetTransform(*transform);
    mSprings.Add(own);
}

void Simulator::PushGeometry(IGeometry* geometry, const Math::Matrix<float>* localMatrix)
{
    Geometry* own = static_cast<Geometry*>(geometry);
    if (mBodyStack.IsEmpty()) {
        own->SetRootBody(nullptr);
        own->SetBody(nullptr);
    } else {
        Body* top = mBodyStack.GetLast();
        top->AddGeometry(own, localMatrix);
        own->SetBody(top);
        own->SetRootBody(mBodyStack[0]);
    }
    mGeometryStack.Add(own);
}

void Simulator::PushBody(IBody* body, Math::Matrix<float>* transform)
{
    Body* own = static_cast<Body*>(body);
    // Stacked all the same, so that its pop stays paired; what is registered below it joins it.
    if (own->mRegistrationRound == mRegistrationRound) {
        mBodyStack.Add(own);
        return;
    }
    own->mRegistrationRound = mRegistrationRound;
    own->ClearGeometries();
    own->ClearChildren();
    own->SetTransformMatrix(transform);
    if (mBodyStack.IsEmpty()) {
        own->SetParent(nullptr);
        mRootBodies.Add(own);
    } else {
        own->SetParent(mBodyStack.GetLast());
    }
    mBodyStack.Add(own);
}

void Simulator::RemoveField(IField*)
{
}

void Simulator::RemoveSpring(ISpring*)
{
}

void Simulator::PopGeometry(IGeometry* geometry)
{
    if (!mGeometryStack.IsEmpty() && mGeometryStack.GetLast() == geometry)
        mGeometryStack.SetCount(mGeometryStack.GetCount() - 1);
}

void Simulator::PopBody(IBody* body)
{
    if (!mBodyStack.IsEmpty() && mBodyStack.GetLast() == body)
        mBodyStack.SetCount(mBodyStack.GetCount() - 1);
}

} // namespace Physics
} // namespace Vorn
