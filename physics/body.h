// The simulator's rigid body: mass, box inertia, momenta, force and torque sums, collision groups
// and contact constants, with the geometries and child bodies registered under it this frame.
// A root body is integrated each step and writes its pose into its graph node's matrix; child
// bodies move rigidly with it.
#pragma once

#include "foundation/array.h"
#include "foundation/box.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Physics {

class Geometry;

class Body : public IBody
{
public:
    Body();
    ~Body() override;

    Body(const Body&) = delete;
    Body& operator=(const Body&) = delete;

    // Inertia from size and mass; a body of infinite mass gets a zero inverse inertia.
    Bool Init() override;
    Bool DeInit() override;
    void SetTriggerGroups(UInt32 groups) override;
    UInt32 GetTriggerGroups() const override;
    void SetResponseGroups(UInt32 groups) override;
    UInt32 GetResponseGroups() const override;
    void SetForceEffectEnabled(Bool enabled) override;
    Bool GetForceEffectEnabled() const override;
    void SetTorqueEffectEnabled(Bool enabled) override;
    Bool GetTorqueEffectEnabled() const override;
    void ClearGeometries() override;
    void ClearChildren() override;
    void AddGeometry(IGeometry* geometry, const Math::Matrix<float>* localMatrix) override;
    void SetParent(IBody* parent) override;
    IBody* GetParent() override;
    void SetInverseMass(Float inverseMass) override;
    Float GetInverseMass() const override;
    void SetDragCoefficient(Float coefficient) override;
    Float GetDragCoefficient() const override;
    void SetSize(const Math::Vector<float>& size) override;
    const Math::Vector<float>* GetSize() const override;
    void SetStaticFrictionConstant(Float value) override;
    Float GetStaticFrictionConstant() const override;
    void SetDynamicFrictionConstant(Float value) override;
    Float GetDynamicFrictionConstant() const override;
    void SetRollingFrictionConstant(Float value) override;
    Float GetRollingFrictionConstant() const override;
    void SetContactSpringConstant(Float value) override;
    Float GetContactSpringConstant() const override;
    void SetContactDampingConstant(Float value) override;
    Float GetContactDampingConstant() const override;
    void SetClampSpringConstant(Float value) override;
    Float GetClampSpringConstant() const override;
    void SetClampDampingConstant(Float value) override;
    Float GetClampDampingConstant() const override;
    void AddForceAtPointLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceAtPointLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceAtPointWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceAtPointWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddForceWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddTorqueAtPointLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddTorqueAtPointLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddTorqueAtPointWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void AddTorqueAtPointWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force) override;
    void SetTransformMatrix(Math::Matrix<float>* matrix) override;
    void SetTransform(const Math::Matrix<float>& matrix) override;
    void SetCollisionListener(Graph::ICollidable* listener) override;
    Graph::ICollidable* GetCollisionListener() override;
    void SetReportCollisions(Bool report) override;
    Bool GetReportCollisions() const override;
    Math::Vector<float> GetLinearMomentum() const override;
    Math::Vector<float> GetAngularMomentum() const override;
    Math::Vector<float> GetLinearVelocity() const override;
    Math::Vector<float> GetAngularVelocity() const override;

    // One semi-implicit Euler step of dt; moves the geometries and child bodies along.
    void Integrate(Float dt);
    void ClearAccumulators();
    void ApplyDrag();
    void SavePendingForce();
    Math::Matrix<float>* GetTransformMatrix() const { return mTransformMatrix; }

    // Added to the torque sum as it stands, whatever the torque effect flag says.
    void AddToTorque(const Math::Vector<float>& torque) { mTorqueAccumulator += torque; }
    // Forgets the geometry (it is being destroyed) and the child body; both do nothing when absent.
    void RemoveGeometry(const IGeometry* geometry);
    void RemoveChild(const IBody* child);

    Float GetMass() const { return mMass; }
    const Math::Vector<float>& GetPosition() const { return mPosition; }
    // Scalar first: w, x, y, z.
    const Float* GetOrientation() const { return mOrientation; }
    const Math::Vector<float>& GetForceAccumulator() const { return mForceAccumulator; }
    const Math::Vector<float>& GetTorqueAccumulator() const { return mTorqueAccumulator; }
    const Math::Vector<float>& GetPendingForce() const { return mPendingForce; }
    const Math::Matrix<float>& GetInertiaTensor() const { return mInertiaTensor; }
    const Math::Matrix<float>& GetInverseInertiaTensor() const { return mInverseInertiaTensor; }
    const Math::Matrix<float>& GetInitialTransform() const { return mInitialTransform; }
    const Math::Box<float>& GetBoundingBox() const { return mBoundingBox; }
    const Math::Vector<float>& GetBoundingSphereCentre() const { return mBoundingSphereCentre; }
    Float GetBoundingSphereRadius() const { return mBoundingSphereRadius; }
    const Array<Geometry*>& GetGeometries() const { return mGeometries; }
    const Array<Body*>& GetChildren() const { return mChildren; }

    // The collision detector's active list during its sweep.
    Body* mBroadPhaseNext;
    Body* mBroadPhasePrevious;
    // The simulator's registration round in which the body was last pushed.
    UInt32 mRegistrationRound;

private:
    // The world form of a vector given in the body's frame: rotated by the node matrix.
    Math::Vector<float> RotateToWorld(const Math::Vector<float>& vector) const;
    // The one path of the twelve force and torque operations.
    void AddAtPoint(const Math::Vector<float>& point, Bool pointIsLocal, const Math::Vector<float>& force,
                    Bool forceIsLocal, Bool addForce, Bool addTorque);
    // Moves the geometries and child bodies to the body's new matrix with the step's
    // displacements, then recomputes the bounds.
    void UpdateAttached(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                        const Math::Vector<float>& linear);
    void UpdateAsChild(const Math::Matrix<float>& parentWorld, const Math::Vector<float>& angular,
                       const Math::Vector<float>& linear);
    void UpdateBounds();

    IBody* mParent;
    Array<Body*> mChildren;
    Array<Geometry*> mGeometries;
    UInt32 mTriggerGroups;
    UInt32 mResponseGroups;
    Float mMass;
    Float mInverseMass;
    Math::Vector<float> mSize;
    Math::Vector<float> mPosition;
    Float mOrientation[4];
    Math::Vector<float> mLinearMomentum;
    Math::Vector<float> mAngularMomentum;
    Math::Vector<float> mLinearVelocity;
    Math::Vector<float> mAngularVelocity;
    Math::Vector<float> mForceAccumulator;
    Math::Vector<float> mTorqueAccumulator;
    Math::Vector<float> mPendingForce;
    Math::Matrix<float> mInertiaTensor;
    Math::Matrix<float> mInverseInertiaTensor;
    Math::Matrix<float> mWorldInverseInertiaTensor;
    Math::Matrix<float>* mTransformMatrix;
    Math::Matrix<float> mInitialTransform;
    Float mDynamicFrictionConstant;
    Float mStaticFrictionConstant;
    Float mRollingFrictionConstant;
    Float mContactSpringConstant;
    Float mContactDampingConstant;
    Float mClampSpringConstant;
    Float mClampDampingConstant;
    Float mDragCoefficient;
    Math::Box<float> mBoundingBox;
    Math::Vector<float> mBoundingSphereCentre;
    Float mBoundingSphereRadius;
    Graph::ICollidable* mCollisionListener;
    Bool mReportCollisions;
    Bool mForceEffectEnabled;
    Bool mTorqueEffectEnabled;
};

} // namespace Physics
} // namespace Vorn
