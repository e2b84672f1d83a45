#include "physics/body.h"

#include <gtest/gtest.h>

#include <cmath>

#include "physics/geometry.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::PhysicsWorld;
using Testing::Translated;
using Testing::TurnedAboutZ;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

TEST(PhysicsBodyTest, StartsWithTheDefaults)
{
    Body body;
    EXPECT_EQ(body.GetTriggerGroups(), 0u);
    EXPECT_EQ(body.GetResponseGroups(), 0u);
    EXPECT_EQ(body.GetMass(), 1.0f);
    EXPECT_EQ(body.GetInverseMass(), 1.0f);
    EXPECT_EQ(*body.GetSize(), Vec(1, 1, 1, 0));
    EXPECT_EQ(body.GetPosition(), Vec(0, 0, 0, 1));
    EXPECT_EQ(body.GetOrientation()[0], 1.0f);
    const struct
    {
        Float value;
        Float expected;
    } constants[] = {
        {body.GetDynamicFrictionConstant(), 0.7f}, {body.GetStaticFrictionConstant(), 0.8f},
        {body.GetRollingFrictionConstant(), 0.0f}, {body.GetContactSpringConstant(), 40.0f},
        {body.GetContactDampingConstant(), 40.0f}, {body.GetClampSpringConstant(), 1.0f},
        {body.GetClampDampingConstant(), 1.0f},    {body.GetDragCoefficient(), 0.0f},
    };
    for (const auto& constant : constants)
        EXPECT_EQ(constant.value, constant.expected);
    EXPECT_EQ(body.GetBoundingSphereRadius(), 0.0f);
    EXPECT_EQ(body.GetBoundingSphereCentre(), Vec(0, 0, 0, 1));
    EXPECT_EQ(body.GetCollisionListener(), nullptr);
    EXPECT_FALSE(body.GetReportCollisions());
    EXPECT_TRUE(body.GetForceEffectEnabled());
    EXPECT_TRUE(body.GetTorqueEffectEnabled());
    body.SetInverseMass(0.25f);
    EXPECT_EQ(body.GetMass(), 4.0f);
}

TEST(PhysicsBodyTest, InertiaIsTheBoxDiagonalOverRootTwo)
{
    Body body;
    body.SetSize(Vec(1, 2, 3));
    body.SetInverseMass(1.0f / 12.0f);
    ASSERT_TRUE(body.Init());
    const Float root2 = std::sqrt(2.0f);
    const Float diagonal[3] = {13.0f / root2, 10.0f / root2, 5.0f / root2};
    for (UInt32 i = 0; i < 3; ++i) {
        EXPECT_NEAR(body.GetInertiaTensor().Get(i, i), diagonal[i], 1e-4f) << i;
        EXPECT_NEAR(body.GetInverseInertiaTensor().Get(i, i), 1.0f / diagonal[i], 1e-6f) << i;
    }
    EXPECT_EQ(body.GetInertiaTensor().Get(0, 1), 0.0f);
}

TEST(PhysicsBodyTest, InfiniteMassGetsZeroInverseInertiaAndNeverTurns)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* wall = world.AddBody(Translated(0, 0, 0), 0.0f);
    EXPECT_TRUE(std::isinf(wall->Get()->GetMass()));
    for (UInt32 i = 0; i < 16; ++i)
        EXPECT_EQ(wall->Get()->GetInverseInertiaTensor()[i], 0.0f) << i;
    wall->mBody->AddForceAtPointWorldWorld(Vec(1, 0, 0, 1), Vec(0, 5, 0));
    world.Run(0.1f, 3);
    EXPECT_EQ(wall->mBody->GetLinearVelocity(), Vec(0, 0, 0));
    EXPECT_EQ(wall->mBody->GetAngularVelocity(), Vec(0, 0, 0));
    EXPECT_EQ(wall->GetPosition(), Vec(0, 0, 0, 1));
    for (UInt32 i = 0; i < 16; ++i)
        EXPECT_FALSE(std::isnan(wall->mWorld[i])) << i;
}

TEST(PhysicsBodyTest, EffectFlagsGateTheForceAndTorqueParts)
{
    Body body;
    body.SetForceEffectEnabled(false);
    body.AddForceWorldWorld(Vec(0, 0, 0), Vec(1, 0, 0));
    EXPECT_EQ(body.GetForceAccumulator(), Vec(0, 0, 0));
    // A world point is taken relative to the position; torque is r x F with w the product of ws.
    body.AddForceAtPointWorldWorld(Vec(0, 1, 0, 2), Vec(1, 0, 0, 3));
    EXPECT_EQ(body.GetForceAccumulator(), Vec(0, 0, 0));
    EXPECT_EQ(body.GetTorqueAccumulator(), Vec(0, 0, -1, 3));
    body.SetForceEffectEnabled(true);
    body.SetTorqueEffectEnabled(false);
    body.AddForceAtPointWorldWorld(Vec(0, 1, 0, 1), Vec(1, 0, 0));
    body.AddTorqueAtPointWorldWorld(Vec(0, 1, 0, 1), Vec(1, 0, 0));
    EXPECT_EQ(body.GetForceAccumulator(), Vec(1, 0, 0));
    EXPECT_EQ(body.GetTorqueAccumulator(), Vec(0, 0, -1, 3));
}

TEST(PhysicsBodyTest, LocalVectorsTurnWithTheNodeMatrix)
{
    Body body;
    Math::Matrix<float> node = TurnedAboutZ(1.5707963f, 5, 0, 0);
    body.SetTransformMatrix(&node);
    body.SetTransform(node);
    // Local x is world y; the local point (1, 0, 0) is one unit along world y from the centre.
    body.AddForceLocalLocal(Vec(9, 9, 9), Vec(1, 0, 0));
    EXPECT_NEAR(body.GetForceAccumulator().x, 0.0f, 1e-6f);
    EXPECT_NEAR(body.GetForceAccumulator().y, 1.0f, 1e-6f);
    EXPECT_EQ(body.GetTorqueAccumulator(), Vec(0, 0, 0));
    body.ClearAccumulators();
    body.AddTorqueAtPointLocalWorld(Vec(1, 0, 0), Vec(1, 0, 0));
    EXPECT_NEAR(body.GetTorqueAccumulator().z, -1.0f, 1e-6f);
    body.ClearAccumulators();
    body.AddTorqueAtPointWorldWorld(Vec(6, 0, 0, 1), Vec(0, 1, 0));
    EXPECT_NEAR(body.GetTorqueAccumulator().z, 1.0f, 1e-6f);
}

TEST(PhysicsBodyTest, DragOpposesTheVelocityOnlyWhenSetAndForceEffectOn)
{
    for (Bool forceEffect : {true, false}) {
        for (Float drag : {0.0f, 0.5f}) {
            PhysicsWorld world;
            PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 0, 0));
            body->mBody->SetDragCoefficient(drag);
            world.Step(0.1f);
            body->mBody->AddForceWorldWorld(Vec(0, 0, 0), Vec(20, 0, 0));
            body->mBody->SetForceEffectEnabled(forceEffect);
            world.Step(0.1f);
            // Velocity 2: drag 0.5 * c * |v| * v.
            const Float expected = forceEffect ? -0.5f * drag * 2.0f * 2.0f : 0.0f;
            EXPECT_FLOAT_EQ(body->Get()->GetPendingForce().x, expected) << forceEffect << drag;
        }
    }
}

TEST(PhysicsBodyTest, WithoutAngularVelocityTheOrientationStays)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* body = world.AddBody(TurnedAboutZ(0.3f));
    const Float before[4] = {body->Get()->GetOrientation()[0], body->Get()->GetOrientation()[1],
                             body->Get()->GetOrientation()[2], body->Get()->GetOrientation()[3]};
    world.Run(0.1f, 10);
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_NEAR(body->Get()->GetOrientation()[i], before[i], 1e-6f) << i;
    EXPECT_NEAR(body->mWorld[0], std::cos(0.3f), 1e-6f);
    EXPECT_NEAR(body->mWorld[1], std::sin(0.3f), 1e-6f);
}

TEST(PhysicsBodyTest, TorqueTurnsTheBodyAndItsMatrix)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 0, 0));
    world.Step(0.01f);
    body->mBody->AddTorqueAtPointLocalWorld(Vec(0, 1, 0), Vec(-10, 0, 0));
    world.Run(0.01f, 20);
    EXPECT_GT(body->mBody->GetAngularVelocity().z, 0.0f);
    EXPECT_GT(body->mWorld[1], 0.0f);
    const Float* q = body->Get()->GetOrientation();
    EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1.0f, 1e-5f);
}

TEST(PhysicsBodyTest, BoundsCoverGeometriesAndChildrenOrStayWithoutThem)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* bare = world.AddBody(Translated(3, 0, 0));
    PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 0, 0));
    world.AddSphere(body, 1.0f);
    PhysicsWorld::BodyEntry* child = world.AddBody(Translated(4, 0, 0), 1.0f, body);
    world.AddSphere(child, 1.0f);
    world.Step(0.01f);
    EXPECT_EQ(bare->Get()->GetBoundingSphereRadius(), 0.0f);
    EXPECT_EQ(bare->Get()->GetBoundingSphereCentre(), Vec(0, 0, 0, 1));
    EXPECT_EQ(body->Get()->GetBoundingBox().mMin.x, -1.0f);
    EXPECT_EQ(body->Get()->GetBoundingBox().mMax.x, 5.0f);
    EXPECT_EQ(body->Get()->GetBoundingSphereCentre().x, 2.0f);
    EXPECT_NEAR(body->Get()->GetBoundingSphereRadius(), 0.5f * std::sqrt(36.0f + 4.0f + 4.0f), 1e-5f);
}

TEST(PhysicsBodyTest, ChildBodyMovesRigidlyWithItsRootAndIsNotIntegrated)
{
    PhysicsWorld world;
    world.AddGravity();
    PhysicsWorld::BodyEntry* root = world.AddBody(Translated(0, 10, 0));
    PhysicsWorld::BodyEntry* child = world.AddBody(Translated(2, 0, 0), 1.0f, root);
    world.Run(0.01f, 50);
    EXPECT_LT(root->GetPosition().y, 10.0f);
    EXPECT_EQ(child->mBody->GetLinearMomentum(), Vec(0, 0, 0));
    EXPECT_FLOAT_EQ(child->mWorld[12], root->mWorld[12] + 2.0f);
    EXPECT_FLOAT_EQ(child->mWorld[13], root->mWorld[13]);
}

} // namespace
} // namespace Physics
} // namespace Vorn
