// Collision geometries: the point, sphere, plane and triangle-mesh shapes with which bodies
// collide. Collider nodes create them through the simulator; the owning root body moves them
// after each integration, and the collision detector and pair colliders read their world
// matrices, step displacements and bounds.
#pragma once

#include "foundation/box.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Physics {

class Geometry : public IGeometry
{
public:
    // Kinds of Enums::GeometryShape.
    static constexpr UInt32 kPoint = 0;
    static constexpr UInt32 kSphere = 1;
    static constexpr UInt32 kPlane = 2;
    static constexpr UInt32 kMesh = 4;

    ~Geometry() override;

    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    void SetRootBody(IBody* body) override;
    IBody* GetRootBody() override;
    void SetBody(IBody* body) override;
    IBody* GetBody() override;

    // Moves the geometry with its body: world is the body's new matrix, angular and linear the
    // body origin's displacements over the step.
    virtual void Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                        const Math::Vector<float>& linear) = 0;

    UInt32 GetKind() const { return mKind; }
    // Unique among all geometries made, from 1 on.
    UInt32 GetIdentifier() const { return mIdentifier; }
    void SetLocalMatrix(const Math::Matrix<float>* matrix) { mLocalMatrix = matrix; }
    const Math::Matrix<float>* GetLocalMatrix() const { return mLocalMatrix; }
    const Math::Matrix<float>& GetWorldMatrix() const { return mWorldMatrix; }
    const Math::Matrix<float>& GetInverseWorldMatrix() const { return mInverseWorldMatrix; }
    const Math::Vector<float>& GetAngularDisplacement() const { return mAngularDisplacement; }
    const Math::Vector<float>& GetLinearDisplacement() const { return mLinearDisplacement; }
    const Math::Box<float>& GetBoundingBox() const { return mBoundingBox; }
    const Math::Vector<float>& GetBoundingSphereCentre() const { return mBoundingSphereCentre; }
    Float GetBoundingSphereRadius() const { return mBoundingSphereRadius; }

protected:
    explicit Geometry(UInt32 kind);

    // World matrix = world x local, its rigid inverse, and the displacements of the local
    // origin (angular unchanged, linear plus the turn of the lever arm).
    void UpdatePlacement(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                         const Math::Vector<float>& linear);
    // Box of centre ± radius (w ± 1) and the sphere (centre, 1) of that radius.
    void SetBounds(const Math::Vector<float>& centre, Float radius);

    UInt32 mKind;
    UInt32 mIdentifier;
    IBody* mRootBody;
    IBody* mBody;
    const Math::Matrix<float>* mLocalMatrix;
    Math::Matrix<float> mWorldMatrix;
    Math::Matrix<float> mInverseWorldMatrix;
    Math::Vector<float> mAngularDisplacement;
    Math::Vector<float> mLinearDisplacement;
    Math::Box<float> mBoundingBox;
    Math::Vector<float> mBoundingSphereCentre;
    Float mBoundingSphereRadius;
};

// The body origin as a point; its box has no size and its sphere radius 0.
class PointGeometry : public Geometry, public IPoint
{
public:
    PointGeometry();
    ~PointGeometry() override;
    void Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                const Math::Vector<float>& linear) override;
    const Math::Vector<float>& GetPoint() const { return mPoint; }
    const Math::Vector<float>& GetPointDisplacement() const { return mPointDisplacement; }

private:
    Math::Vector<float> mPoint;
    Math::Vector<float> mPointDisplacement;
};

class SphereGeometry : public Geometry, public ISphere
{
public:
    SphereGeometry();
    ~SphereGeometry() override;
    void SetRadius(Float radius) override;
    Float GetRadius() const override;
    void Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                const Math::Vector<float>& linear) override;

private:
    Float mRadius;
};

// The plane through the local origin across the local y axis; its bounds span ±1e7 so that it
// meets every body in the broad phase.
class PlaneGeometry : public Geometry
{
public:
    static constexpr Float kExtent = 10000000.0f;

    PlaneGeometry();
    ~PlaneGeometry() override;
    void Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                const Math::Vector<float>& linear) override;
    const Math::Vector<float>& GetNormal() const { return mNormal; }

private:
    Math::Vector<float> mNormal;
};

// A triangle mesh from a collider resource, bounded by the resource's root sphere (its radius
// is not scaled by the matrix).
class MeshGeometry : public Geometry, public IMesh
{
public:
    MeshGeometry();
    ~MeshGeometry() override;
    void SetCollider(const Resource::ICollider* collider) override;
    const Resource::ICollider* GetCollider() const override;
    void Update(const Math::Matrix<float>& world, const Math::Vector<float>& angular,
                const Math::Vector<float>& linear) override;

private:
    const Resource::ICollider* mCollider;
};

} // namespace Physics
} // namespace Vorn
