#include "physics/collision_detector.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "physics/collider.h"
#include "physics/geometry.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::PhysicsWorld;
using Testing::Translated;

TEST(ColliderTableTest, HoldsTheThreePrototypesInTheirCells)
{
    ColliderTable table;
    ASSERT_TRUE(table.Init());
    for (UInt32 first = 0; first < 5; ++first) {
        for (UInt32 second = 0; second < 5; ++second) {
            const Collider* prototype = table.GetPrototype(first, second);
            const UInt32 lo = std::min(first, second);
            const UInt32 hi = std::max(first, second);
            if (lo == 1 && hi == 1)
                EXPECT_NE(dynamic_cast<const ColliderSphereSphere*>(prototype), nullptr);
            else if (lo == 1 && hi == 2)
                EXPECT_NE(dynamic_cast<const ColliderPlaneSphere*>(prototype), nullptr);
            else if (lo == 1 && hi == 4)
                EXPECT_NE(dynamic_cast<const ColliderMeshSphere*>(prototype), nullptr);
            else
                EXPECT_EQ(prototype, nullptr) << first << ", " << second;
        }
    }
    EXPECT_EQ(table.GetPrototype(1, 2), table.GetPrototype(2, 1));
    EXPECT_EQ(table.GetPrototype(4, 1), table.GetPrototype(1, 4));
    EXPECT_EQ(table.GetPrototype(5, 1), nullptr);
}

TEST(PairTableTest, KeysTheSecondIdentifierOverTheFirstsLowBitsAndReusesReleasedPairs)
{
    ColliderTable colliders;
    colliders.Init();
    PairTable pairs(&colliders);
    SphereGeometry a;
    SphereGeometry b;
    PlaneGeometry plane;
    EXPECT_EQ(PairTable::GetKey(&a, &b), (b.GetIdentifier() << 16) | (a.GetIdentifier() & 0xFFFFu));
    EXPECT_EQ(PairTable::GetBucket(1000u), 1000u % 251u);
    Collider* pair = pairs.FindOrInsert(&b, &a);
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ(pair->mFirst, &a);
    EXPECT_EQ(pair->mSecond, &b);
    EXPECT_EQ(pairs.FindOrInsert(&a, &b), pair);
    Collider* withPlane = pairs.FindOrInsert(&plane, &a);
    ASSERT_NE(withPlane, nullptr);
    EXPECT_EQ(withPlane->mFirstKind, 1u);
    EXPECT_EQ(withPlane->mSecondKind, 2u);
    EXPECT_EQ(pairs.GetNumberOfPairs(), 2u);
    pairs.Remove(pair);
    EXPECT_EQ(colliders.GetNumberOfReleased(1, 1), 1u);
    SphereGeometry c;
    EXPECT_EQ(pairs.FindOrInsert(&a, &c), pair);
    EXPECT_EQ(colliders.GetNumberOfReleased(1, 1), 0u);
    PointGeometry point;
    EXPECT_EQ(pairs.FindOrInsert(&a, &point), nullptr);
    pairs.Clear();
    EXPECT_EQ(pairs.GetNumberOfPairs(), 0u);
    EXPECT_EQ(colliders.GetNumberOfReleased(1, 2), 1u);
}

TEST(PairTableTest, PairsOfOneKeyStaySeparate)
{
    ColliderTable colliders;
    colliders.Init();
    PairTable pairs(&colliders);
    std::vector<std::unique_ptr<SphereGeometry>> spheres;
    spheres.push_back(std::make_unique<SphereGeometry>());
    // A later geometry whose identifier has the same low 16 bits, then one above both.
    while ((spheres.back()->GetIdentifier() & 0xFFFFu) != (spheres.front()->GetIdentifier() & 0xFFFFu) ||
           spheres.size() == 1)
        spheres.push_back(std::make_unique<SphereGeometry>());
    SphereGeometry top;
    SphereGeometry* low = spheres.front().get();
    SphereGeometry* high = spheres.back().get();
    ASSERT_EQ(PairTable::GetKey(low, &top), PairTable::GetKey(high, &top));
    Collider* first = pairs.FindOrInsert(low, &top);
    Collider* second = pairs.FindOrInsert(high, &top);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(pairs.FindOrInsert(&top, low), first);
    pairs.Remove(first);
    EXPECT_EQ(pairs.FindOrInsert(high, &top), second);
}

// Two bodies with one geometry each, their centres the distance apart along x.
struct TwoBodies
{
    TwoBodies(Float distance, UInt32 firstKind, UInt32 secondKind, Float radius = 0.5f)
    {
        first = world.AddBody(Translated(0, 0, 0));
        second = world.AddBody(Translated(distance, 0, 0));
        Add(first, firstKind, radius);
        Add(second, secondKind, radius);
    }
    void Add(PhysicsWorld::BodyEntry* body, UInt32 kind, Float radius)
    {
        if (kind == 1)
            world.AddSphere(body, radius);
        else
            world.AddGeometry(body, kind);
    }
    UInt32 Pairs() { return world.mSimulator.GetCollisionDetector()->GetPairTable()->GetNumberOfPairs(); }
    SInt32 BodyPairs() { return world.mSimulator.GetCollisionDetector()->GetNumberOfBodyPairs(); }

    PhysicsWorld world;
    PhysicsWorld::BodyEntry* first;
    PhysicsWorld::BodyEntry* second;
};

TEST(CollisionDetectorTest, PairsOnlyOverlappingSpheresOfKindsWithACollider)
{
    const struct
    {
        Float distance;
        UInt32 first;
        UInt32 second;
        UInt32 pairs;
    } cases[] = {
        {0.9f, 1, 1, 1}, {0.5f, 1, 2, 1}, {0.5f, 2, 2, 0}, {0.0f, 1, 0, 0}, {0.0f, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TwoBodies bodies(c.distance, c.first, c.second);
        bodies.world.Step(0.001f);
        EXPECT_EQ(bodies.Pairs(), c.pairs) << c.distance << " " << c.first << " " << c.second;
    }
}

TEST(CollisionDetectorTest, BodiesWhoseBoundingSpheresTouchMakeNoBodyPair)
{
    TwoBodies bodies(10.0f, 1, 1);
    bodies.world.Step(0.001f);
    const Float touching = 2.0f * bodies.first->Get()->GetBoundingSphereRadius();
    for (Float distance : {touching, touching * 0.999f}) {
        bodies.second->mBody->SetTransform(Translated(distance, 0, 0));
        bodies.world.Step(0.001f);
        EXPECT_EQ(bodies.BodyPairs(), distance == touching ? 0 : 1) << distance;
    }
}

TEST(CollisionDetectorTest, ZeroRadiusBodiesMeetOnlyOpenIntervals)
{
    TwoBodies points(0.0f, 0, 0);
    points.world.Step(0.001f);
    EXPECT_EQ(points.BodyPairs(), 0);
    TwoBodies pointInSphere(0.2f, 1, 0);
    pointInSphere.world.Step(0.001f);
    EXPECT_EQ(pointInSphere.BodyPairs(), 1);
}

TEST(CollisionDetectorTest, OneDirectionOfTheGroupTestSuffices)
{
    const struct
    {
        UInt32 triggerA, responseA, triggerB, responseB, pairs;
    } cases[] = {
        {1, 0, 0, 1, 1}, // A triggers B
        {0, 2, 2, 0, 1}, // B triggers A
        {1, 1, 2, 2, 0}, // neither
    };
    for (const auto& c : cases) {
        TwoBodies bodies(0.5f, 1, 1);
        bodies.first->mBody->SetTriggerGroups(c.triggerA);
        bodies.first->mBody->SetResponseGroups(c.responseA);
        bodies.second->mBody->SetTriggerGroups(c.triggerB);
        bodies.second->mBody->SetResponseGroups(c.responseB);
        bodies.world.Step(0.001f);
        EXPECT_EQ(bodies.Pairs(), c.pairs) << c.triggerA << c.responseA << c.triggerB << c.responseB;
    }
}

TEST(CollisionDetectorTest, GeometriesOfOneTreeNeverPair)
{
    PhysicsWorld world;
    PhysicsWorld::BodyEntry* parent = world.AddBody(Translated(0, 0, 0));
    world.AddSphere(parent, 1.0f);
    world.AddSphere(parent, 1.0f, Translated(0.5f, 0, 0));
    PhysicsWorld::BodyEntry* child = world.AddBody(Translated(0.2f, 0, 0), 1.0f, parent);
    world.AddSphere(child, 1.0f);
    world.Step(0.001f);
    EXPECT_EQ(world.mSimulator.GetCollisionDetector()->GetPairTable()->GetNumberOfPairs(), 0u);
    // A second body meets all three spheres of the tree.
    PhysicsWorld::BodyEntry* other = world.AddBody(Translated(0, 0.5f, 0));
    world.AddSphere(other, 1.0f);
    world.Step(0.001f);
    EXPECT_EQ(world.mSimulator.GetCollisionDetector()->GetPairTable()->GetNumberOfPairs(), 3u);
}

TEST(CollisionDetectorTest, PairIsReleasedWhenTheSpheresSeparate)
{
    TwoBodies bodies(0.9f, 1, 1);
    bodies.world.Step(0.001f);
    ASSERT_EQ(bodies.Pairs(), 1u);
    bodies.second->mBody->SetTransform(Translated(2.0f, 0, 0));
    bodies.world.Step(0.001f);
    EXPECT_EQ(bodies.Pairs(), 0u);
    EXPECT_EQ(bodies.world.mSimulator.GetCollisionDetector()->GetColliderTable()->GetNumberOfReleased(1, 1), 1u);
}

} // namespace
} // namespace Physics
} // namespace Vorn
