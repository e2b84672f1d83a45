#include "physics/body.h"

#include "foundation/math.h"
#include "physics/geometry.h"
#include "physics/rigid_math.h"

namespace Vorn {
namespace Physics {

namespace {

// The body's rotation as the quaternion (w, x, y, z) of a rotation matrix, by the trace.
void QuaternionFromMatrix(const Math::Matrix<float>& m, Float q[4])
{
    const Float trace = m.Get(0, 0) + m.Get(1, 1) + m.Get(2, 2);
    if (trace > 0.0f) {
        const Float s = 0.5f / Math::Sqrt(trace + 1.0f);
        q[0] = 0.25f / s;
        q[1] = (m.Get(2, 1) - m.Get(1, 2)) * s;
        q[2] = (m.Get(0, 2) - m.Get(2, 0)) * s;
        q[3] = (m.Get(1, 0) - m.Get(0, 1)) * s;
    } else if (m.Get(0, 0) > m.Get(1, 1) && m.Get(0, 0) > m.Get(2, 2)) {
        const Float s = 2.0f * Math::Sqrt(1.0f + m.Get(0, 0) - m.Get(1, 1) - m.Get(2, 2));
        q[0] = (m.Get(2, 1) - m.Get(1, 2)) / s;
        q[1] = 0.25f * s;
        q[2] = (m.Get(0, 1) + m.Get(1, 0)) / s;
        q[3] = (m.Get(0, 2) + m.Get(2, 0)) / s;
    } else if (m.Get(1, 1) > m.Get(2, 2)) {
        const Float s = 2.0f * Math::Sqrt(1.0f + m.Get(1, 1) - m.Get(0, 0) - m.Get(2, 2));
        q[0] = (m.Get(0, 2) - m.Get(2, 0)) / s;
        q[1] = (m.Get(0, 1) + m.Get(1, 0)) / s;
        q[2] = 0.25f * s;
        q[3] = (m.Get(1, 2) + m.Get(2, 1)) / s;
    } else {
        const Float s = 2.0f * Math::Sqrt(1.0f + m.Get(2, 2) - m.Get(0, 0) - m.Get(1, 1));
        q[0] = (m.Get(1, 0) - m.Get(0, 1)) / s;
        q[1] = (m.Get(0, 2) + m.Get(2, 0)) / s;
        q[2] = (m.Get(1, 2) + m.Get(2, 1)) / s;
        q[3] = 0.25f * s;
    }
}

// The rotation of a unit quaternion (w, x, y, z) written into the upper 3 x 3 part.
void WriteRotation(const Float q[4], Math::Matrix<float>& m)
{
    const Float w = q[0];
    const Float x = q[1];
    const Float y = q[2];
    const Float z = q[3];
    m.Set(0, 0, 1.0f - 2.0f * (y * y + z * z));
    m.Set(0, 1, 2.0f * (x * y - w * z));
    m.Set(0, 2, 2.0f * (x * z + w * y));
    m.Set(1, 0, 2.0f * (x * y + w * z));
    m.Set(1, 1, 1.0f - 2.0f * (x * x + z * z));
    m.Set(1, 2, 2.0f * (y * z - w * x));
    m.Set(2, 0, 2.0f * (x * z - w * y));
    m.Set(2, 1, 2.0f * (y * z + w * x));
    m.Set(2, 2, 1.0f - 2.0f * (x * x + y * y));
}

// The rotation part of m alone, translation cleared.
Math::Matrix<float> RotationOf(const Math::Matrix<float>& m)
{
    Math::Matrix<float> rotation;
    for (UInt32 row = 0; row < 3; ++row) {
        for (UInt32 column = 0; column < 3; ++column)
            rotation.Set(row, column, m.Get(row, column));
    }
    return rotation;
}

} // namespace

Body::Body()
    : mBroadPhaseNext(nullptr),
      mBroadPhasePrevious(nullptr),
      mRegistrationRound(0),
      mParent(nullptr),
      mTriggerGroups(0),
      mResponseGroups(0),
      mMass(1.0f),
      mInverseMass(1.0f),
      mSize(1.0f, 1.0f, 1.0f, 0.0f),
      mPosition(0.0f, 0.0f, 0.0f, 1.0f),
      mOrientation{1.0f, 0.0f, 0.0f, 0.0f},
      mTransformMatrix(nullptr),
      mDynamicFrictionConstant(0.7f),
      mStaticFrictionConstant(0.8f),
      mRollingFrictionConstant(0.0f),
      mContactSpringConstant(40.0f),
      mContactDampingConstant(40.0f),
      mClampSpringConstant(1.0f),
      mClampDampingConstant(1.0f),
      mDragCoefficient(0.0f),
      mBoundingSphereCentre(0.0f, 0.0f, 0.0f, 1.0f),
      mBoundingSphereRadius(0.0f),
      mCollisionListener(nullptr),
      mReportCollisions(false),
      mForceEffectEnabled(true),
      mTorqueEffectEnabled(true)
{
}

Body::~Body()
{
}

Bool Body::Init()
{
    const Float sx = mSize.x * mSize.x;
    const Float sy = mSize.y * mSize.y;
    const Float sz = mSize.z * mSize.z;
    const Float factor = (mMass / 12.0f) / Math::Sqrt(2.0f);
    mInertiaTensor.SetIdentity();
    mInertiaTensor.Set(0, 0, (sy + sz) * factor);
    mInertiaTensor.Set(1, 1, (sz + sx) * factor);
    mInertiaTensor.Set(2, 2, (sy + sx) * factor);
    // An immovable body's inertia is infinite; its inverse would come out of the elimination as
    // NaN, so it is zero outright.
    if (mInverseMass == 0.0f)
        mInverseInertiaTensor.SetZero();
    else
        Math::Matrix<float>::Invert(mInertiaTensor, mInverseInertiaTensor);
    ClearAccumulators();
    return true;
}

Bool Body::DeInit()
{
    return true;
}

void Body::SetTriggerGroups(UInt32 groups) { mTriggerGroups = groups; }
UInt32 Body::GetTriggerGroups() const { return mTriggerGroups; }
void Body::SetResponseGroups(UInt32 groups) { mResponseGroups = groups; }
UInt32 Body::GetResponseGroups() const { return mResponseGroups; }
void Body::SetForceEffectEnabled(Bool enabled) { mForceEffectEnabled = enabled; }
Bool Body::GetForceEffectEnabled() const { return mForceEffectEnabled; }
void Body::SetTorqueEffectEnabled(Bool enabled) { mTorqueEffectEnabled = enabled; }
Bool Body::GetTorqueEffectEnabled() const { return mTorqueEffectEnabled; }

void Body::ClearGeometries()
{
    mGeometries.SetCount(0);
}

void Body::ClearChildren()
{
    mChildren.SetCount(0);
}

void Body::AddGeometry(IGeometry* geometry, const Math::Matrix<float>* localMatrix)
{
    Geometry* own = static_cast<Geometry*>(geometry);
    own->SetLocalMatrix(localMatrix);
    mGeometries.Add(own);
}

void Body::RemoveGeometry(const IGeometry* geometry)
{
    for (SInt32 i = mGeometries.GetCount() - 1; i >= 0; --i) {
        if (mGeometries[i] == geometry)
            mGeometries.RemoveAt(i);
    }
}

void Body::RemoveChild(const IBody* child)
{
    for (SInt32 i = mChildren.GetCount() - 1; i >= 0; --i) {
        if (mChildren[i] == child)
            mChildren.RemoveAt(i);
    }
}

void Body::SetParent(IBody* parent)
{
    mParent = parent;
    if (parent != nullptr)
        static_cast<Body*>(parent)->mChildren.Add(this);
}

IBody* Body::GetParent()
{
    return mParent;
}

void Body::SetInverseMass(Float inverseMass)
{
    mInverseMass = inverseMass;
    mMass = 1.0f / inverseMass;
}

Float Body::GetInverseMass() const { return mInverseMass; }
void Body::SetDragCoefficient(Float coefficient) { mDragCoefficient = coefficient; }
Float Body::GetDragCoefficient() const { return mDragCoefficient; }
void Body::SetSize(const Math::Vector<float>& size) { mSize = size; }
const Math::Vector<float>* Body::GetSize() const { return &mSize; }
void Body::SetStaticFrictionConstant(Float value) { mStaticFrictionConstant = value; }
Float Body::GetStaticFrictionConstant() const { return mStaticFrictionConstant; }
void Body::SetDynamicFrictionConstant(Float value) { mDynamicFrictionConstant = value; }
Float Body::GetDynamicFrictionConstant() const { return mDynamicFrictionConstant; }
void Body::SetRollingFrictionConstant(Float value) { mRollingFrictionConstant = value; }
Float Body::GetRollingFrictionConstant() const { return mRollingFrictionConstant; }
void Body::SetContactSpringConstant(Float value) { mContactSpringConstant = value; }
Float Body::GetContactSpringConstant() const { return mContactSpringConstant; }
void Body::SetContactDampingConstant(Float value) { mContactDampingConstant = value; }
Float Body::GetContactDampingConstant() const { return mContactDampingConstant; }
void Body::SetClampSpringConstant(Float value) { mClampSpringConstant = value; }
Float Body::GetClampSpringConstant() const { return mClampSpringConstant; }
void Body::SetClampDampingConstant(Float value) { mClampDampingConstant = value; }
Float Body::GetClampDampingConstant() const { return mClampDampingConstant; }

Math::Vector<float> Body::RotateToWorld(const Math::Vector<float>& vector) const
{
    // Before its first registration the body has no node matrix and is not turned.
    return mTransformMatrix != nullptr ? Rotate(*mTransformMatrix, vector) : vector;
}

void Body::AddAtPoint(const Math::Vector<float>& point, Bool pointIsLocal, const Math::Vector<float>& force,
                      Bool forceIsLocal, Bool addForce, Bool addTorque)
{
    const Math::Vector<float> worldForce = forceIsLocal ? RotateToWorld(force) : force;
    if (addForce && mForceEffectEnabled)
        mForceAccumulator += worldForce;
    if (addTorque && mTorqueEffectEnabled) {
        const Math::Vector<float> arm = pointIsLocal ? RotateToWorld(point) : point - mPosition;
        Math::Vector<float> torque = arm.Cross(worldForce);
        torque.w = arm.w * worldForce.w;
        mTorqueAccumulator += torque;
    }
}

void Body::AddForceAtPointLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, true, force, true, true, true);
}

void Body::AddForceAtPointLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, true, force, false, true, true);
}

void Body::AddForceAtPointWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, false, force, true, true, true);
}

void Body::AddForceAtPointWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, false, force, false, true, true);
}

void Body::AddForceLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, true, force, true, true, false);
}

void Body::AddForceLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, true, force, false, true, false);
}

void Body::AddForceWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, false, force, true, true, false);
}

void Body::AddForceWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, false, force, false, true, false);
}

void Body::AddTorqueAtPointLocalLocal(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, true, force, true, false, true);
}

void Body::AddTorqueAtPointLocalWorld(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, true, force, false, false, true);
}

void Body::AddTorqueAtPointWorldLocal(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, false, force, true, false, true);
}

void Body::AddTorqueAtPointWorldWorld(const Math::Vector<float>& point, const Math::Vector<float>& force)
{
    AddAtPoint(point, false, force, false, false, true);
}

void Body::SetTransformMatrix(Math::Matrix<float>* matrix)
{
    mTransformMatrix = matrix;
}

void Body::SetTransform(const Math::Matrix<float>& matrix)
{
    mInitialTransform = matrix;
    mPosition = Translation(matrix);
    QuaternionFromMatrix(matrix, mOrientation);
}

void Body::SetCollisionListener(Graph::ICollidable* listener) { mCollisionListener = listener; }
Graph::ICollidable* Body::GetCollisionListener() { return mCollisionListener; }
void Body::SetReportCollisions(Bool report) { mReportCollisions = report; }
Bool Body::GetReportCollisions() const { return mReportCollisions; }
Math::Vector<float> Body::GetLinearMomentum() const { return mLinearMomentum; }
Math::Vector<float> Body::GetAngularMomentum() const { return mAngularMomentum; }
Math::Vector<float> Body::GetLinearVelocity() const { return mLinearVelocity; }
Math::Vector<float> Body::GetAngularVelocity() const { return mAngularVelocity; }

void Body::Integrate(Float dt)
{
    mLinearMomentum += mForceAccumulator * dt;
    mAngularMomentum += mTorqueAccumulator * dt;
    mLinearVelocity = mLinearMomentum * mInverseMass;
    mAngularVelocity = mWorldInverseInertiaTensor * mAngularMomentum;
    mPosition += mLinearVelocity * dt;

    // q += 0.5 (omega q) dt with omega = (0, angular velocity).
    Float* q = mOrientation;
    const Math::Vector<float> omega(mAngularVelocity.x, mAngularVelocity.y, mAngularVelocity.z, 0.0f);
    const Math::Vector<float> part(q[1], q[2], q[3], 0.0f);
    const Math::Vector<float> turn = omega.Cross(part);
    const Float half = 0.5f * dt;
    const Float w = q[0] - half * omega.Dot(part);
    q[1] += half * (q[0] * omega.x + turn.x);
    q[2] += half * (q[0] * omega.y + turn.y);
    q[3] += half * (q[0] * omega.z + turn.z);
    q[0] = w;
    const Float norm = Math::Sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (UInt32 i = 0; i < 4; ++i)
        q[i] /= norm;

    Math::Matrix<float> world;
    WriteRotation(q, world);
    world.SetTranslation(mPosition.x, mPosition.y, mPosition.z);
    if (mTransformMatrix != nullptr)
        *mTransformMatrix = world;

    const Math::Matrix<float> rotation = RotationOf(world);
    Math::Matrix<float> transposed;
    Math::Matrix<float>::Transpose(rotation, transposed);
    mWorldInverseInertiaTensor = rotation * mInverseInertiaTensor * transposed;

    UpdateAttached(world, mAngularVelocity * dt, mLinearVelocity * dt);
}

void Body::ClearAccumulators()
{
    mForceAccumulator = Math::Vector<float>();
    mTorqueAccumulator = Math::Vector<float>();
}

void Body::ApplyDrag()
{
    if (!mForceEffectEnabled || mDragCoefficient == 0.0f)
        return;
    mForceAccumulator -= mLinearVelocity * (0.5f * mDragCoefficient * Length(mLinearVelocity));
}

void Body::SavePendingForce()
{
    mPendingForce = mForceAccumulator;
}

void Body::UpdateAttached(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                          const Math::Vector<float>& linear)
{
    for (Geometry* geometry : mGeometries)
        geometry->Update(world, angular, linear);
    for (Body* child : mChildren)
        child->UpdateAsChild(world, angular, linear);
    UpdateBounds();
}

void Body::UpdateAsChild(const Math::Matrix<float>& parentWorld, const Math::Vector<float>& angular,
                         const Math::Vector<float>& linear)
{
    const Math::Matrix<float> world = parentWorld * mInitialTransform;
    const Math::Vector<float> offset = Translation(mInitialTransform);
    const Math::Vector<float> arm = Rotate(world, offset);
    Math::Vector<float> displacement = linear + angular.Cross(arm);
    displacement.w = linear.w + angular.w * offset.w;
    for (Geometry* geometry : mGeometries)
        geometry->Update(world, angular, displacement);
    for (Body* child : mChildren)
        child->UpdateAsChild(world, angular, displacement);
    if (mTransformMatrix != nullptr)
        *mTransformMatrix = world;
    UpdateBounds();
}

void Body::UpdateBounds()
{
    if (mGeometries.IsEmpty() && mChildren.IsEmpty())
        return;
    Bool first = true;
    auto unite = [&](const Math::Box<float>& box) {
        if (first) {
            mBoundingBox.mMin = box.mMin;
            mBoundingBox.mMax = box.mMax;
            first = false;
            return;
        }
        for (UInt32 i = 0; i < 4; ++i) {
            if (box.mMin[i] < mBoundingBox.mMin[i])
                mBoundingBox.mMin[i] = box.mMin[i];
            if (box.mMax[i] > mBoundingBox.mMax[i])
                mBoundingBox.mMax[i] = box.mMax[i];
        }
    };
    for (const Geometry* geometry : mGeometries)
        unite(geometry->GetBoundingBox());
    for (const Body* child : mChildren)
        unite(child->mBoundingBox);
    mBoundingSphereCentre = (mBoundingBox.mMin + mBoundingBox.mMax) * 0.5f;
    mBoundingSphereRadius = 0.5f * Length(mBoundingBox.mMax - mBoundingBox.mMin);
}

} // namespace Physics
} // namespace Vorn
