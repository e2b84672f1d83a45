// The physics simulator as the scene graph calls it: physics nodes create their bodies,
// geometries, fields and springs through it at Init and register them again in every logic
// traversal. Implemented by the physics library; reached only through this interface.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Resource {
class ICollider;
}

namespace Graph {

// Receives the collision responses of a body whose reporting is on.
class ICollidable
{
public:
    // other is the other body's collidable; contact a copy of the contact point (world).
    virtual void Respond(ICollidable* other, const Math::Vector<float>& contact) = 0;
    virtual ~ICollidable() {}
};

} // namespace Graph

namespace Physics {

class IGeometry;

class IBody
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual void SetTriggerGroups(UInt32 groups) = 0;
    virtual UInt32 GetTriggerGroups() const = 0;
    virtual void SetResponseGroups(UInt32 groups) = 0;
    virtual UInt32 GetResponseGroups() const = 0;
    virtual void SetForceEffectEnabled(Bool enabled) = 0;
    virtual Bool GetForceEffectEnabled() const = 0;
    virtual void SetTorqueEffectEnabled(Bool enabled) = 0;
    virtual Bool GetTorqueEffectEnabled() const = 0;
    virtual void ClearGeometries() = 0;
    virtual void ClearChildren() = 0;
    virtual void AddGeometry(IGeometry* geometry, const Math::Matrix<float>* localMatrix) = 0;
    virtual void SetParent(IBody* parent) = 0;
    virtual IBody* GetParent() = 0;
    virtual void SetInverseMass(Float inverseMass) = 0;
    virtual Float GetInverseMass() const = 0;
    virtual void SetDragCoefficient(Float coefficient) = 0;
    virtual Float GetDragCoefficient() const = 0;
    virtual void SetSize(const Math::Vector<float>& size) = 0;
    virtual const Math::Vector<float>* GetSize() const = 0;
    virtual void SetStaticFrictionConstant(Float value) = 0;
    virtual Float GetStaticFrictionConstant() const = 0;
    virtual void SetDynamicFrictionConstant(Float value) = 0;
    virtual Float GetDynamicFrictionConstant() const = 0;
    virtual void SetRollingFrictionConstant(Float value) = 0;
    virtual Float GetRollingFrictionConstant() const = 0;
    virtual void SetContactSpringConstant(Float value) = 0;
    virtual Float GetContactSpringConstant() const = 0;
    virtual void SetContactDampingConstant(Float value) = 0;
    virtual Float GetContactDampingConstant() const = 0;
    virtual void SetClampSpringConstant(Float value) = 0;
    virtual Float GetClampSpringConstant() const = 0;
    virtual void SetClampDampingConstant(Float value) = 0;
    virtual Float GetClampDampingConstant() const = 0;
    // Force and torque, each (point, force); the suffix names the frame of the point, then of
    // the force. A local vector is rotated by the body's orientation.
    virtual void AddForceAtPointLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddForceAtPointLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddForceAtPointWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddForceAtPointWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    // Force only; the point is ignored.
    virtual void AddForceLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddForceLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddForceWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddForceWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    // Torque only.
    virtual void AddTorqueAtPointLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) = 0;
    // The node's world matrix, by address: the body writes its new pose there after each step.
    virtual void SetTransformMatrix(Math::Matrix<float>* matrix) = 0;
    // Copies the initial pose.
    virtual void SetTransform(const Math::Matrix<float>& matrix) = 0;
    virtual void SetCollisionListener(Graph::ICollidable* listener) = 0;
    virtual Graph::ICollidable* GetCollisionListener() = 0;
    virtual void SetReportCollisions(Bool report) = 0;
    virtual Bool GetReportCollisions() const = 0;
    virtual Math::Vector<float> GetLinearMomentum() const = 0;
    virtual Math::Vector<float> GetAngularMomentum() const = 0;
    virtual Math::Vector<float> GetLinearVelocity() const = 0;
    virtual Math::Vector<float> GetAngularVelocity() const = 0;
    virtual ~IBody() {}
};

class IGeometry
{
public:
    virtual void SetRootBody(IBody* body) = 0;
    virtual IBody* GetRootBody() = 0;
    virtual void SetBody(IBody* body) = 0;
    virtual IBody* GetBody() = 0;
    virtual ~IGeometry() {}
};

class ISphere
{
public:
    virtual void SetRadius(Float radius) = 0;
    virtual Float GetRadius() const = 0;
    virtual ~ISphere() {}
};

class IPoint
{
public:
    virtual ~IPoint() {}
};

class IMesh
{
public:
    // The collider stays its package's.
    virtual void SetCollider(const Resource::ICollider* collider) = 0;
    virtual const Resource::ICollider* GetCollider() const = 0;
    virtual ~IMesh() {}
};

class IField
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual void SetInfluenceGroups(UInt32 groups) = 0;
    virtual UInt32 GetInfluenceGroups() const = 0;
    virtual void SetFactors(Float constant, Float linear, Float quadratic) = 0;
    virtual ~IField() {}
};

class ISpring
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual void SetParameters(Float springConstant, Float dampingConstant, Float minimumLength, Float maximumLength,
                               Bool affectForce, Bool affectTorque) = 0;
    // End 0 or 1.
    virtual void SetBody(UInt32 end, IBody* body, const Math::Vector<float>& attachment, Bool influence) = 0;
    virtual void ClearBody(UInt32 end) = 0;
    virtual ~ISpring() {}
};

class ISimulator
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    // Each create returns null when it cannot; each destroy deletes the object (a null pointer
    // does nothing) and clears the caller's pointer.
    virtual IBody* CreateBody() = 0;
    virtual void DestroyBody(IBody*& body) = 0;
    virtual ISpring* CreateSpring() = 0;
    virtual void DestroySpring(ISpring*& spring) = 0;
    // Shape 0 plane field, 1 sphere field; any other shape gives null.
    virtual IField* CreateField(UInt32 forceMode, UInt32 shape) = 0;
    virtual void DestroyField(IField*& field) = 0;
    // Enums::GeometryShape: 0 point, 1 sphere, 2 plane, 4 mesh; others give null.
    virtual IGeometry* CreateGeometry(UInt32 shape) = 0;
    virtual void DestroyGeometry(IGeometry*& geometry) = 0;
    // Forgets this frame's registrations; called before each logic traversal.
    virtual void ClearObjects() = 0;
    virtual void Step(Float seconds) = 0;
    // Registrations of the current traversal; the matrices are kept by address.
    virtual void AddField(IField* field, const Math::Matrix<float>* transform) = 0;
    virtual void AddSpring(ISpring* spring, const Math::Matrix<float>* transform) = 0;
    virtual void PushGeometry(IGeometry* geometry, const Math::Matrix<float>* localMatrix) = 0;
    virtual void PushBody(IBody* body, Math::Matrix<float>* transform) = 0;
    virtual void RemoveField(IField* field) = 0;
    virtual void RemoveSpring(ISpring* spring) = 0;
    // Pops only when the object is on top.
    virtual void PopGeometry(IGeometry* geometry) = 0;
    virtual void PopBody(IBody* body) = 0;
    virtual ~ISimulator() {}
};

} // namespace Physics
} // namespace Vorn
