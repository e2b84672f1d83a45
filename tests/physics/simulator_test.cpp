#include "physics/physics_simulator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "physics/body.h"
#include "physics/collider.h"
#include "physics/collision_detector.h"
#include "physics/factory.h"
#include "physics/geometry.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::PhysicsWorld;
using Testing::Translated;
using Testing::TurnedAboutZ;

constexpr Float kG = 9.81f;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

TEST(PhysicsFactoryTest, CreatesAnEmptySimulatorAndDestroysThroughTheReference)
{
    Factory factory;
    ISimulator* simulator = factory.CreateSimulator();
    ASSERT_NE(simulator, nullptr);
    Simulator* own = static_cast<Simulator*>(simulator);
    EXPECT_EQ(own->GetCollisionDetector(), nullptr);
    EXPECT_TRUE(own->GetRootBodies().IsEmpty());
    factory.DestroySimulator(simulator);
    EXPECT_EQ(simulator, nullptr);
    factory.DestroySimulator(simulator);
    EXPECT_EQ(simulator, nullptr);
}

TEST(SimulatorTest, CreatesObjectsOfEachKindAndNothingForUnknownKinds)
{
    Simulator simulator;
    ASSERT_TRUE(simulator.Init());
    for (UInt32 kind : {0u, 1u, 2u, 4u}) {
        IGeometry* geometry = simulator.CreateGeometry(kind);
        ASSERT_NE(geometry, nullptr) << kind;
        EXPECT_EQ(static_cast<Geometry*>(geometry)->GetKind(), kind);
        simulator.DestroyGeometry(geometry);
        EXPECT_EQ(geometry, nullptr);
    }
    EXPECT_EQ(simulator.CreateGeometry(3), nullptr);
    EXPECT_EQ(simulator.CreateGeometry(5), nullptr);
    EXPECT_EQ(simulator.CreateField(0, 2), nullptr);
    IBody* body = nullptr;
    simulator.DestroyBody(body);
    EXPECT_EQ(body, nullptr);
    EXPECT_TRUE(simulator.DeInit());
    EXPECT_EQ(simulator.GetCollisionDetector(), nullptr);
}

TEST(SimulatorTest, BodyPushedInsideAnotherIsItsChildAndNotARoot)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* parent = world.AddBody(Translated(0, 0, 0));
    PhysicsWorld::BodyEntry* child = world.AddBody(Translated(1, 0, 0), 1.0f, parent);
    world.Step(0.01f);
    const Simulator& simulator = world.mSimulator;
    ASSERT_EQ(simulator.GetRootBodies().GetCount(), 1);
    EXPECT_EQ(simulator.GetRootBodies()[0], parent->Get());
    ASSERT_EQ(parent->Get()->GetChildren().GetCount(), 1);
    EXPECT_EQ(parent->Get()->GetChildren()[0], child->Get());
    EXPECT_EQ(child->Get()->GetParent(), parent->mBody);
    EXPECT_TRUE(simulator.GetBodyStack().IsEmpty());
    EXPECT_TRUE(simulator.GetGeometryStack().IsEmpty());
}

TEST(SimulatorTest, BodyPushedTwiceInOneFrameKeepsItsFirstPlace)
{
    Simulator simulator;
    ASSERT_TRUE(simulator.Init());
    IBody* outer = simulator.CreateBody();
    IBody* body = simulator.CreateBody();
    outer->Init();
    body->Init();
    Math::Matrix<float> worlds[2];
    body->AddForceWorldWorld(Math::Vector<float>(), Vec(1, 0, 0));
    for (UInt32 frame = 0; frame < 2; ++frame) {
        simulator.ClearObjects();
        simulator.PushBody(body, &worlds[1]);
        simulator.PushBody(body, &worlds[1]); // shown again inside itself
        simulator.PopBody(body);
        simulator.PopBody(body);
        simulator.PushBody(outer, &worlds[0]);
        simulator.PushBody(body, &worlds[1]); // and again under another body
        simulator.PopBody(body);
        simulator.PopBody(outer);
        EXPECT_TRUE(simulator.GetBodyStack().IsEmpty());
        ASSERT_EQ(simulator.GetRootBodies().GetCount(), 2);
        EXPECT_TRUE(static_cast<Body*>(body)->GetChildren().IsEmpty());
        EXPECT_TRUE(static_cast<Body*>(outer)->GetChildren().IsEmpty());
        EXPECT_EQ(body->GetParent(), nullptr);
        simulator.Step(1.0f);
    }
    // Integrated once per step: speed 1 from the one force, so two steps move it by 2.
    EXPECT_FLOAT_EQ(body->GetLinearVelocity().x, 1.0f);
    EXPECT_FLOAT_EQ(static_cast<Body*>(body)->GetPosition().x, 2.0f);
    simulator.DestroyBody(body);
    simulator.DestroyBody(outer);
    simulator.DeInit();
}

TEST(SimulatorTest, ClearObjectsKeepsTheGeometryStackAndUnbalancedPopsAreIgnored)
{
    Simulator simulator;
    ASSERT_TRUE(simulator.Init());
    IBody* body = simulator.CreateBody();
    IGeometry* first = simulator.CreateGeometry(1);
    IGeometry* second = simulator.CreateGeometry(1);
    Math::Matrix<float> matrix;
    simulator.PushGeometry(first, &matrix);
    simulator.PushBody(body, &matrix);
    simulator.PushGeometry(second, &matrix);
    simulator.PopGeometry(first);
    simulator.PopBody(nullptr);
    EXPECT_EQ(simulator.GetGeometryStack().GetCount(), 2);
    EXPECT_EQ(simulator.GetBodyStack().GetCount(), 1);
    // Outside any body a geometry belongs to none; under one it takes the body and its root.
    EXPECT_EQ(first->GetBody(), nullptr);
    EXPECT_EQ(second->GetBody(), body);
    EXPECT_EQ(second->GetRootBody(), body);
    simulator.ClearObjects();
    EXPECT_EQ(simulator.GetGeometryStack().GetCount(), 2);
    EXPECT_TRUE(simulator.GetBodyStack().IsEmpty());
    EXPECT_TRUE(simulator.GetRootBodies().IsEmpty());
    simulator.DestroyGeometry(second);
    simulator.DestroyGeometry(first);
    EXPECT_TRUE(simulator.GetGeometryStack().IsEmpty());
    simulator.DestroyBody(body);
    simulator.DeInit();
}

TEST(SimulatorTest, ForceAddedBetweenStepsIsIntegratedFirstThenCleared)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 0, 0), 0.5f);
    world.Step(0.1f);
    body->mBody->AddForceWorldWorld(Vec(0, 0, 0), Vec(4, 0, 0));
    world.Step(0.1f);
    // Momentum 4 * 0.1, velocity that times the inverse mass 0.5.
    EXPECT_FLOAT_EQ(body->mBody->GetLinearMomentum().x, 0.4f);
    EXPECT_FLOAT_EQ(body->mBody->GetLinearVelocity().x, 0.2f);
    EXPECT_EQ(body->Get()->GetForceAccumulator().x, 0.0f);
    world.Step(0.1f);
    EXPECT_FLOAT_EQ(body->mBody->GetLinearMomentum().x, 0.4f);
    EXPECT_NEAR(body->GetPosition().x, 0.04f, 1e-6f);
}

TEST(SimulatorTest, StepOfNoPositiveLengthChangesNothing)
{
    PhysicsWorld world;
    world.AddGravity();
    PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 5, 0));
    world.Run(0.01f, 3);
    const Math::Vector<float> position = body->GetPosition();
    const Math::Vector<float> momentum = body->mBody->GetLinearMomentum();
    for (Float dt : {0.0f, -0.01f, std::nanf("")}) {
        world.Step(dt);
        EXPECT_EQ(body->GetPosition(), position) << dt;
        EXPECT_EQ(body->mBody->GetLinearMomentum(), momentum) << dt;
    }
}

TEST(SimulatorTest, FieldAddedTwiceInOneFrameAppliesTwice)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 0, 0));
    IField* field = world.AddGravity(1.0f);
    Math::Matrix<float> identity;
    world.Step(0.1f);
    world.mSimulator.AddField(field, &identity);
    world.mSimulator.Step(0.1f);
    // The pending force is saved after the fields: two registrations, twice the pull.
    EXPECT_FLOAT_EQ(body->Get()->GetPendingForce().y, -2.0f);
}

// A body of any mass in a type-0 plane field falls g dt² N(N-1)/2 in N steps: the field's force
// of a step is integrated in the next one.
TEST(SimulatorTest, FallsTheSameInAnAccelerationFieldWhateverTheMass)
{
    for (Float mass : {1.0f, 0.25f, 40.0f}) {
        PhysicsWorld world;
        world.AddGravity();
        PhysicsWorld::BodyEntry* body = world.AddBody(Translated(0, 0, 0), 1.0f / mass);
        const Float dt = 0.01f;
        const UInt32 steps = 100;
        world.Run(dt, steps);
        const Float fallen = kG * dt * dt * Float(steps * (steps - 1)) / 2.0f;
        EXPECT_NEAR(body->GetPosition().y, -fallen, fallen * 1e-4f) << mass;
        EXPECT_NEAR(body->mBody->GetLinearVelocity().y, -kG * Float(steps - 1) * dt, 1e-3f) << mass;
    }
}

TEST(SimulatorTest, SphereRestsOnAFixedPlaneAtThePenaltyDepth)
{
    const Float dt = 0.01f;
    PhysicsWorld world;
    world.AddGravity();
    world.AddFloor();
    PhysicsWorld::BodyEntry* ball = world.AddBody(Translated(0, 0.6f, 0), 0.5f);
    world.AddSphere(ball, 0.5f);
    world.Run(dt, 1500);
    const Float depth = kG * dt / (0.005f * 40.0f * 40.0f);
    EXPECT_NEAR(ball->GetPosition().y, 0.5f - depth, 1e-4f);
    EXPECT_NEAR(ball->GetPosition().x, 0.0f, 1e-6f);
}

// Rebound over impact speed of a sphere thrown at a fixed plane without gravity, against the
// damped oscillator of the contact spring.
TEST(SimulatorTest, BounceFollowsTheContactSpringAndDamper)
{
    const Float dt = 0.001f;
    for (Float damping : {40.0f, 20.0f, 0.0f}) {
        PhysicsWorld world;
        PhysicsWorld::BodyEntry* floor = world.AddFloor();
        floor->mBody->SetContactDampingConstant(damping);
        PhysicsWorld::BodyEntry* ball = world.AddBody(Translated(0, 0.52f, 0));
        ball->mBody->SetContactDampingConstant(damping);
        world.AddSphere(ball, 0.5f);
        world.Step(dt);
        const Float impact = 1.0f;
        ball->mBody->AddForceWorldWorld(Vec(0, 0, 0), Vec(0, -impact / dt, 0));
        world.Run(dt, 1000);
        const Float rebound = ball->mBody->GetLinearVelocity().y;
        const Float omega = std::sqrt(0.005f * 40.0f * 40.0f / dt);
        const Float zeta = 0.005f * damping * damping / (2.0f * omega);
        const Float expected = std::exp(-zeta * 3.14159265f / std::sqrt(1.0f - zeta * zeta));
        EXPECT_NEAR(rebound / impact, expected, damping == 0.0f ? 0.03f : 0.1f * expected) << damping;
    }
}

Float KineticEnergy(const PhysicsWorld::BodyEntry* body)
{
    const Math::Vector<float> v = body->mBody->GetLinearVelocity();
    return 0.5f * body->Get()->GetMass() * v.Dot(v);
}

TEST(SimulatorTest, TwoBodiesOnAnUndampedSpringKeepMomentumAndEnergy)
{
    PhysicsWorld world;
    // Stretched by 0.5 beyond its rest length of 1.
    PhysicsWorld::BodyEntry* left = world.AddBody(Translated(-0.75f, 0, 0), 1.0f);
    PhysicsWorld::BodyEntry* right = world.AddBody(Translated(0.75f, 0, 0), 0.5f);
    const Float k = 20.0f;
    world.AddSpring(left, right, k, 0.0f, 1.0f, 1.0f);
    const Float startEnergy = 0.5f * k * 0.5f * 0.5f;
    Float lowest = startEnergy;
    Float highest = startEnergy;
    for (UInt32 step = 0; step < 10000; ++step) {
        world.Step(0.001f);
        const Math::Vector<float> total = left->mBody->GetLinearMomentum() + right->mBody->GetLinearMomentum();
        ASSERT_NEAR(total.x, 0.0f, 1e-5f) << step;
        const Float stretch = right->GetPosition().x - left->GetPosition().x - 1.0f;
        const Float energy = KineticEnergy(left) + KineticEnergy(right) + 0.5f * k * stretch * stretch;
        lowest = std::min(lowest, energy);
        highest = std::max(highest, energy);
    }
    EXPECT_GT(lowest, startEnergy * 0.97f);
    EXPECT_LT(highest, startEnergy * 1.03f);
}

TEST(SimulatorTest, UndampedHeadOnCollisionKeepsMomentumAndEnergy)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* left = world.AddBody(Translated(-1, 0, 0), 1.0f);
    PhysicsWorld::BodyEntry* right = world.AddBody(Translated(1, 0, 0), 0.5f);
    for (PhysicsWorld::BodyEntry* body : {left, right}) {
        body->mBody->SetContactDampingConstant(0.0f);
        world.AddSphere(body, 0.5f);
    }
    world.Step(0.001f);
    left->mBody->AddForceWorldWorld(Vec(0, 0, 0), Vec(1000.0f, 0, 0));
    right->mBody->AddForceWorldWorld(Vec(0, 0, 0), Vec(-1000.0f, 0, 0));
    world.Step(0.001f);
    const Float startEnergy = KineticEnergy(left) + KineticEnergy(right);
    for (UInt32 step = 0; step < 10000; ++step) {
        world.Step(0.001f);
        const Math::Vector<float> total = left->mBody->GetLinearMomentum() + right->mBody->GetLinearMomentum();
        ASSERT_NEAR(total.x, 0.0f, 1e-5f) << step;
    }
    // They met and flew apart again.
    EXPECT_LT(left->mBody->GetLinearVelocity().x, 0.0f);
    EXPECT_GT(right->mBody->GetLinearVelocity().x, 0.0f);
    const Float endEnergy = KineticEnergy(left) + KineticEnergy(right);
    EXPECT_NEAR(endEnergy, startEnergy, startEnergy * 0.03f);
}

// Two triangles over [-2, 2] in x and z, meeting along the diagonal from (-2, 0, -2) to (2, 0, 2).
Testing::MeshColliderFixture MakeFloor()
{
    typedef Math::Vector<float> P;
    return Testing::MeshColliderFixture({{P(-2, 0, -2, 1), P(2, 0, 2, 1), P(2, 0, -2, 1)},
                                         {P(-2, 0, -2, 1), P(-2, 0, 2, 1), P(2, 0, 2, 1)}});
}

TEST(SimulatorTest, MeshFloorHoldsASphereAsAPlaneDoes)
{
    const Float dt = 0.01f;
    Testing::MeshColliderFixture floor = MakeFloor();
    PhysicsWorld world;
    world.AddGravity();
    PhysicsWorld::BodyEntry* mesh = world.AddBody(Translated(0, 0, 0), 0.0f);
    world.AddMesh(mesh, floor.Get());
    PhysicsWorld::BodyEntry* ball = world.AddBody(Translated(1.2f, 0.6f, -1.0f));
    world.AddSphere(ball, 0.5f);
    world.Run(dt, 1500);
    const Float depth = kG * dt / (0.005f * 40.0f * 40.0f);
    EXPECT_NEAR(ball->GetPosition().y, 0.5f - depth, 1e-3f);
    EXPECT_NEAR(ball->GetPosition().x, 1.2f, 1e-3f);
    EXPECT_NEAR(ball->GetPosition().z, -1.0f, 1e-3f);
}

TEST(SimulatorTest, SphereAcrossTheSharedEdgeKeepsOnlyFaceContacts)
{
    Testing::MeshColliderFixture floor = MakeFloor();
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* mesh = world.AddBody(Translated(0, 0, 0), 0.0f);
    world.AddMesh(mesh, floor.Get());
    PhysicsWorld::BodyEntry* ball = world.AddBody(Translated(0.6f, 0.45f, 0.4f));
    world.AddSphere(ball, 0.5f);
    world.Step(0.01f);
    PairTable* pairs = world.mSimulator.GetCollisionDetector()->GetPairTable();
    ASSERT_EQ(pairs->GetNumberOfPairs(), 1u);
    UInt32 active = 0;
    UInt32 total = 0;
    pairs->ForEach([&](Collider* collider) {
        for (UInt32 i = 0; i < collider->GetNumberOfContacts(); ++i) {
            const Contact& contact = collider->GetContacts()[i];
            ++total;
            if (contact.mActive) {
                ++active;
                EXPECT_EQ(contact.mFeature, Contact::kFace);
            }
        }
    });
    EXPECT_EQ(active, 1u);
    EXPECT_EQ(total, 2u);
}

// On a gentle slope a mesh face holds a sphere that does not roll; a plane of the same slope
// only slows it.
TEST(SimulatorTest, MeshFaceContactSticksWhereAPlaneSlides)
{
    const Float dt = 0.01f;
    const Float slope = 0.1f;
    Testing::MeshColliderFixture floor = MakeFloor();
    const Math::Vector<float> start(-0.5f * std::sin(slope) + 1.0f * std::cos(slope),
                                    0.5f * std::cos(slope) + 1.0f * std::sin(slope) + 0.001f, -1.0f, 1.0f);
    Float travelled[2];
    for (UInt32 useMesh = 0; useMesh < 2; ++useMesh) {
        PhysicsWorld world;
        world.AddGravity();
        PhysicsWorld::BodyEntry* ground = world.AddBody(TurnedAboutZ(slope), 0.0f);
        if (useMesh != 0)
            world.AddMesh(ground, floor.Get());
        else
            world.AddGeometry(ground, 2);
        PhysicsWorld::BodyEntry* ball = world.AddBody(Translated(start.x, start.y, start.z));
        ball->mBody->SetTorqueEffectEnabled(false);
        world.AddSphere(ball, 0.5f);
        world.Run(dt, 300);
        const Math::Vector<float> moved = ball->GetPosition() - start;
        travelled[useMesh] = std::sqrt(moved.Dot(moved));
    }
    EXPECT_GT(travelled[0], 1.0f);
    EXPECT_LT(travelled[1], 0.05f);
}

TEST(SimulatorTest, DestroyingAGeometryOrBodyInAPairRemovesThePair)
{
    for (Bool destroyBody : {false, true}) {
        Simulator simulator;
        ASSERT_TRUE(simulator.Init());
        Math::Matrix<float> worlds[2] = {Translated(0, 0, 0), Translated(0.8f, 0, 0)};
        Math::Matrix<float> local;
        IBody* bodies[2];
        IGeometry* spheres[2];
        for (UInt32 i = 0; i < 2; ++i) {
            bodies[i] = simulator.CreateBody();
            bodies[i]->SetTriggerGroups(1);
            bodies[i]->SetResponseGroups(1);
            bodies[i]->SetTransform(worlds[i]);
            bodies[i]->Init();
            spheres[i] = simulator.CreateGeometry(1);
        }
        auto step = [&]() {
            simulator.ClearObjects();
            for (UInt32 i = 0; i < 2; ++i) {
                if (bodies[i] == nullptr)
                    continue;
                simulator.PushBody(bodies[i], &worlds[i]);
                if (spheres[i] != nullptr) {
                    simulator.PushGeometry(spheres[i], &local);
                    simulator.PopGeometry(spheres[i]);
                }
                simulator.PopBody(bodies[i]);
            }
            simulator.Step(0.01f);
        };
        step();
        PairTable* pairs = simulator.GetCollisionDetector()->GetPairTable();
        ASSERT_EQ(pairs->GetNumberOfPairs(), 1u);
        if (destroyBody)
            simulator.DestroyBody(bodies[1]);
        else
            simulator.DestroyGeometry(spheres[1]);
        EXPECT_EQ(pairs->GetNumberOfPairs(), 0u);
        // The next step reads nothing destroyed (the address sanitizer would say so).
        step();
        for (UInt32 i = 0; i < 2; ++i) {
            simulator.DestroyGeometry(spheres[i]);
            simulator.DestroyBody(bodies[i]);
        }
        simulator.DeInit();
    }
}

} // namespace
} // namespace Physics
} // namespace Vorn
