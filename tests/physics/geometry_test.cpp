#include "physics/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "physics/rigid_math.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::Translated;
using Testing::TurnedAboutZ;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

void ExpectNear(const Math::Vector<float>& actual, const Math::Vector<float>& expected)
{
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << i;
}

TEST(GeometryTest, IdentifiersCountUpOneByOne)
{
    SphereGeometry first;
    PlaneGeometry second;
    PointGeometry third;
    EXPECT_EQ(second.GetIdentifier(), first.GetIdentifier() + 1);
    EXPECT_EQ(third.GetIdentifier(), first.GetIdentifier() + 2);
    EXPECT_EQ(first.GetKind(), 1u);
    EXPECT_EQ(second.GetKind(), 2u);
    EXPECT_EQ(third.GetKind(), 0u);
}

TEST(GeometryTest, SphereFollowsBodyAndLocalMatrix)
{
    SphereGeometry sphere;
    EXPECT_EQ(sphere.GetRadius(), 1.0f);
    sphere.SetRadius(0.5f);
    const Math::Matrix<float> local = Translated(1, 0, 0);
    sphere.SetLocalMatrix(&local);
    // The body turned a quarter about z and stands at (0, 2, 0); it turned by a and moved by l.
    sphere.Update(TurnedAboutZ(1.5707964f, 0, 2, 0), Vec(0, 0, 1), Vec(0.5f, 0, 0, 0));
    const Math::Vector<float> centre = Translation(sphere.GetWorldMatrix());
    ExpectNear(centre, Vec(0, 3, 0, 1));
    ExpectNear(sphere.GetInverseWorldMatrix() * centre, Vec(0, 0, 0, 1));
    // l + a x r with r the lever arm (0, 1, 0): (0.5, 0, 0) + (-1, 0, 0).
    ExpectNear(sphere.GetLinearDisplacement(), Vec(-0.5f, 0, 0, 0));
    ExpectNear(sphere.GetBoundingBox().mMin, Vec(-0.5f, 2.5f, -0.5f, 0));
    ExpectNear(sphere.GetBoundingBox().mMax, Vec(0.5f, 3.5f, 0.5f, 2));
    ExpectNear(sphere.GetBoundingSphereCentre(), Vec(0, 3, 0, 1));
    EXPECT_EQ(sphere.GetBoundingSphereRadius(), 0.5f);
}

TEST(GeometryTest, PlaneNormalFollowsTheWorldYAxisAndBoundsSpanTenMillion)
{
    PlaneGeometry plane;
    EXPECT_EQ(plane.GetNormal(), Vec(0, 1, 0));
    const Math::Matrix<float> local = TurnedAboutZ(0.5f);
    plane.SetLocalMatrix(&local);
    plane.Update(Translated(1, 2, 3), Vec(0, 0, 1), Vec(1, 0, 0));
    ExpectNear(plane.GetNormal(), Vec(-std::sin(0.5f), std::cos(0.5f), 0));
    EXPECT_EQ(plane.GetLinearDisplacement(), Vec(1, 0, 0));
    EXPECT_EQ(plane.GetBoundingBox().mMin, Vec(1 - 1e7f, 2 - 1e7f, 3 - 1e7f, 0));
    EXPECT_EQ(plane.GetBoundingBox().mMax, Vec(1 + 1e7f, 2 + 1e7f, 3 + 1e7f, 2));
    EXPECT_EQ(plane.GetBoundingSphereRadius(), 1e7f);
}

TEST(GeometryTest, PointIsTheBodyOriginWithoutSize)
{
    PointGeometry point;
    const Math::Matrix<float> local = Translated(5, 5, 5);
    point.SetLocalMatrix(&local);
    point.Update(Translated(1, 2, 3), Vec(0, 0, 1), Vec(0.25f, 0, 0));
    EXPECT_EQ(point.GetPoint(), Vec(1, 2, 3, 1));
    EXPECT_EQ(point.GetPointDisplacement(), Vec(0.25f, 0, 0));
    EXPECT_EQ(point.GetBoundingBox().mMin, point.GetBoundingBox().mMax);
    EXPECT_EQ(point.GetBoundingSphereRadius(), 0.0f);
    EXPECT_EQ(point.GetWorldMatrix(), Math::Matrix<float>());
}

TEST(GeometryTest, MeshKeepsTheUnscaledRootRadius)
{
    typedef Math::Vector<float> P;
    Testing::MeshColliderFixture collider({{P(0, 0, 0, 1), P(2, 0, 2, 1), P(2, 0, 0, 1)},
                                           {P(0, 0, 0, 1), P(0, 0, 2, 1), P(2, 0, 2, 1)}});
    MeshGeometry mesh;
    mesh.SetCollider(collider.Get());
    EXPECT_EQ(mesh.GetCollider(), collider.Get());
    Math::Matrix<float> scaling = Translated(10, 0, 0);
    scaling[0] = 3.0f;
    scaling[5] = 3.0f;
    scaling[10] = 3.0f;
    const Math::Matrix<float> local;
    mesh.SetLocalMatrix(&local);
    mesh.Update(scaling, Vec(0, 0, 0), Vec(0, 0, 0));
    const Resource::ColliderNode& root = collider.Get()->GetNodes()[0];
    EXPECT_EQ(mesh.GetBoundingSphereRadius(), root.radius);
    ExpectNear(mesh.GetBoundingSphereCentre(), Vec(13, 0, 3, 1));
}

} // namespace
} // namespace Physics
} // namespace Vorn
