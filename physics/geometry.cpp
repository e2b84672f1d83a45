#include "physics/geometry.h"

#include "physics/rigid_math.h"
#include "resource/collider.h"

namespace Vorn {
namespace Physics {

namespace {

// Identifiers are never reused, so a pair key never names a geometry destroyed earlier.
UInt32 gLastIdentifier = 0;

const Math::Matrix<float> kIdentity;

} // namespace

Geometry::Geometry(UInt32 kind)
    : mKind(kind),
      mIdentifier(++gLastIdentifier),
      mRootBody(nullptr),
      mBody(nullptr),
      mLocalMatrix(nullptr),
      mBoundingSphereCentre(0.0f, 0.0f, 0.0f, 1.0f),
      mBoundingSphereRadius(0.0f)
{
}

Geometry::~Geometry()
{
}

void Geometry::SetRootBody(IBody* body) { mRootBody = body; }
IBody* Geometry::GetRootBody() { return mRootBody; }
void Geometry::SetBody(IBody* body) { mBody = body; }
IBody* Geometry::GetBody() { return mBody; }

void Geometry::UpdatePlacement(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                               const Math::Vector<float>& linear)
{
    const Math::Matrix<float>& local = mLocalMatrix != nullptr ? *mLocalMatrix : kIdentity;
    mWorldMatrix = world * local;
    mInverseWorldMatrix = RigidInverse(mWorldMatrix);
    const Math::Vector<float> offset = Translation(local);
    const Math::Vector<float> arm = Rotate(mWorldMatrix, offset);
    mAngularDisplacement = angular;
    mLinearDisplacement = linear + angular.Cross(arm);
    mLinearDisplacement.w = linear.w + angular.w * offset.w;
}

void Geometry::SetBounds(const Math::Vector<float>& centre, Float radius)
{
    mBoundingBox.mMin = Math::Vector<float>(centre.x - radius, centre.y - radius, centre.z - radius, centre.w - 1.0f);
    mBoundingBox.mMax = Math::Vector<float>(centre.x + radius, centre.y + radius, centre.z + radius, centre.w + 1.0f);
    mBoundingSphereCentre = Math::Vector<float>(centre.x, centre.y, centre.z, 1.0f);
    mBoundingSphereRadius = radius;
}

PointGeometry::PointGeometry() : Geometry(kPoint), mPoint(0.0f, 0.0f, 0.0f, 1.0f)
{
}

PointGeometry::~PointGeometry()
{
}

void PointGeometry::Update(const Math::Matrix<float>& world, const Math::Vector<float>&,
                           const Math::Vector<float>& linear)
{
    mPoint = Translation(world);
    mPointDisplacement = linear;
    mBoundingBox.mMin = mPoint;
    mBoundingBox.mMax = mPoint;
    mBoundingSphereCentre = Math::Vector<float>(mPoint.x, mPoint.y, mPoint.z, 1.0f);
    mBoundingSphereRadius = 0.0f;
}

SphereGeometry::SphereGeometry() : Geometry(kSphere), mRadius(1.0f)
{
}

SphereGeometry::~SphereGeometry()
{
}

void SphereGeometry::SetRadius(Float radius) { mRadius = radius; }
Float SphereGeometry::GetRadius() const { return mRadius; }

void SphereGeometry::Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                            const Math::Vector<float>& linear)
{
    UpdatePlacement(world, angular, linear);
    SetBounds(Translation(mWorldMatrix), mRadius);
}

PlaneGeometry::PlaneGeometry() : Geometry(kPlane), mNormal(0.0f, 1.0f, 0.0f, 0.0f)
{
}

PlaneGeometry::~PlaneGeometry()
{
}

void PlaneGeometry::Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                           const Math::Vector<float>& linear)
{
    const Math::Matrix<float>& local = mLocalMatrix != nullptr ? *mLocalMatrix : kIdentity;
    mWorldMatrix = world * local;
    mInverseWorldMatrix = RigidInverse(mWorldMatrix);
    mNormal = mWorldMatrix * Math::Vector<float>(0.0f, 1.0f, 0.0f, 0.0f);
    mAngularDisplacement = angular;
    mLinearDisplacement = linear;
    SetBounds(Translation(mWorldMatrix), kExtent);
}

MeshGeometry::MeshGeometry() : Geometry(kMesh), mCollider(nullptr)
{
}

MeshGeometry::~MeshGeometry()
{
}

void MeshGeometry::SetCollider(const Resource::ICollider* collider) { mCollider = collider; }
const Resource::ICollider* MeshGeometry::GetCollider() const { return mCollider; }

void MeshGeometry::Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                          const Math::Vector<float>& linear)
{
    UpdatePlacement(world, angular, linear);
    // Without a collider the mesh is a point that meets nothing.
    if (mCollider == nullptr) {
        SetBounds(Translation(mWorldMatrix), 0.0f);
        return;
    }
    const Resource::ColliderNode& root = mCollider->GetNodes()[0];
    const Math::Vector<float> centre(root.centre[0], root.centre[1], root.centre[2], root.centre[3]);
    SetBounds(mWorldMatrix * centre, root.radius);
}

} // namespace Physics
} // namespace Vorn
