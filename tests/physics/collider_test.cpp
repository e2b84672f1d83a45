#include "physics/collider.h"

#include <gtest/gtest.h>

#include <vector>

#include "physics/body.h"
#include "physics/collision_detector.h"
#include "physics/geometry.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::PhysicsWorld;
using Testing::Translated;

typedef Math::Vector<float> P;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

// Two spheres of radius 0.5 placed at the centres.
struct SpherePair
{
    SpherePair(const Math::Vector<float>& a, const Math::Vector<float>& b)
    {
        const Math::Vector<float> centres[2] = {a, b};
        for (UInt32 i = 0; i < 2; ++i) {
            mSpheres[i].SetRadius(0.5f);
            mSpheres[i].SetLocalMatrix(&mLocal);
            mSpheres[i].Update(Translated(centres[i].x, centres[i].y, centres[i].z), Vec(0, 0, 0), Vec(0, 0, 0));
        }
        mCollider.mFirst = &mSpheres[0];
        mCollider.mSecond = &mSpheres[1];
        mCollider.Collide();
    }
    Math::Matrix<float> mLocal;
    SphereGeometry mSpheres[2];
    ColliderSphereSphere mCollider;
};

TEST(ColliderTest, SphereSphereContactRunsFromFirstToSecond)
{
    SpherePair pair(Vec(0, 0, 0), Vec(0.8f, 0, 0));
    ASSERT_EQ(pair.mCollider.GetNumberOfContacts(), 1u);
    const Contact& contact = pair.mCollider.GetContacts()[0];
    EXPECT_EQ(contact.mNormal, Vec(1, 0, 0));
    EXPECT_FLOAT_EQ(contact.mDepth, -0.2f);
    EXPECT_EQ(contact.mWorldPoints[0], Vec(0.5f, 0, 0, 1));
    EXPECT_NEAR(contact.mWorldPoints[1].x, 0.3f, 1e-6f);
    EXPECT_NEAR(contact.mLocalPoints[1].x, -0.5f, 1e-6f);
    EXPECT_EQ(contact.mGeometries[0], &pair.mSpheres[0]);
    EXPECT_TRUE(contact.mActive);
    EXPECT_FALSE(contact.mMayStick);

    SpherePair touching(Vec(0, 0, 0), Vec(1, 0, 0));
    EXPECT_EQ(touching.mCollider.GetNumberOfContacts(), 0u);
}

TEST(ColliderTest, CoincidentSphereCentresPartAlongY)
{
    SpherePair pair(Vec(2, 2, 2), Vec(2, 2, 2));
    ASSERT_EQ(pair.mCollider.GetNumberOfContacts(), 1u);
    EXPECT_EQ(pair.mCollider.GetContacts()[0].mNormal, Vec(0, 1, 0));
    EXPECT_FLOAT_EQ(pair.mCollider.GetContacts()[0].mDepth, -1.0f);
}

TEST(ColliderTest, PlaneSphereRecordsTheSphereFirstAndTheDepthPositive)
{
    Math::Matrix<float> local;
    SphereGeometry sphere;
    PlaneGeometry plane;
    sphere.SetRadius(0.5f);
    for (Geometry* geometry : {static_cast<Geometry*>(&sphere), static_cast<Geometry*>(&plane)})
        geometry->SetLocalMatrix(&local);
    plane.Update(Translated(0, 1, 0), Vec(0, 0, 0), Vec(0, 0, 0));
    ColliderPlaneSphere collider;
    collider.mFirst = &plane;
    collider.mSecond = &sphere;
    sphere.Update(Translated(3, 1.4f, 0), Vec(0, 0, 0), Vec(0, -0.1f, 0));
    collider.Collide();
    ASSERT_EQ(collider.GetNumberOfContacts(), 1u);
    const Contact& contact = collider.GetContacts()[0];
    EXPECT_EQ(contact.mGeometries[0], &sphere);
    EXPECT_EQ(contact.mNormal, Vec(0, 1, 0));
    EXPECT_NEAR(contact.mDepth, 0.1f, 1e-6f);
    EXPECT_NEAR(contact.mWorldPoints[0].y, 0.9f, 1e-6f);
    EXPECT_NEAR(contact.mWorldPoints[1].y, 1.0f, 1e-6f);
    EXPECT_EQ(contact.mDisplacements[0], Vec(0, -0.1f, 0));
    // Resting exactly on the plane is no contact.
    sphere.Update(Translated(3, 1.5f, 0), Vec(0, 0, 0), Vec(0, 0, 0));
    collider.Collide();
    EXPECT_EQ(collider.GetNumberOfContacts(), 0u);
}

// The collider of the one pair in the world's table.
Collider* OnlyPair(PhysicsWorld& world)
{
    Collider* found = nullptr;
    world.mSimulator.GetCollisionDetector()->GetPairTable()->ForEach([&found](Collider* collider) { found = collider; });
    return found;
}

TEST(ColliderTest, MeshContactsByFeatureAndNoneBehindTheFace)
{
    Testing::MeshColliderFixture floor({{P(0, 0, 0, 1), P(2, 0, 2, 1), P(2, 0, 0, 1)},
                                        {P(0, 0, 0, 1), P(0, 0, 2, 1), P(2, 0, 2, 1)}});
    const struct
    {
        Math::Vector<float> centre;
        UInt32 contacts;
        UInt32 feature;
    } cases[] = {
        {Vec(1.5f, 0.4f, 0.5f), 1, Contact::kFace},
        {Vec(1.0f, 0.3f, -0.2f), 1, Contact::kEdge},  // beside the edge from (0, 0) to (2, 0)
        {Vec(2.2f, 0.3f, -0.2f), 1, Contact::kVertex}, // beyond the corner (2, 0, 0)
        {Vec(1.5f, -0.6f, 0.5f), 0, 0},                // more than a radius behind the face
    };
    for (const auto& c : cases) {
        PhysicsWorld world;
        world.AddMesh(world.AddBody(Translated(0, 0, 0), 0.0f), floor.Get());
        world.AddSphere(world.AddBody(Translated(c.centre.x, c.centre.y, c.centre.z)), 0.5f);
        world.Step(0.001f);
        Collider* pair = OnlyPair(world);
        ASSERT_NE(pair, nullptr);
        UInt32 active = 0;
        for (UInt32 i = 0; i < pair->GetNumberOfContacts(); ++i) {
            const Contact& contact = pair->GetContacts()[i];
            if (!contact.mActive)
                continue;
            ++active;
            EXPECT_EQ(contact.mFeature, c.feature) << c.centre.x;
            EXPECT_LT(contact.mDepth, 0.0f);
            EXPECT_EQ(contact.mMayStick, c.feature == Contact::kFace);
        }
        EXPECT_EQ(active, c.contacts) << c.centre.x << ", " << c.centre.z;
    }
}

// A sphere of radius 0.5 held 0.05 deep in a floor without gravity, after one step of 0.01.
struct PressedSphere
{
    explicit PressedSphere(const Resource::ICollider* mesh = nullptr)
    {
        floor = world.AddBody(Translated(0, 0, 0), 0.0f);
        if (mesh != nullptr)
            world.AddMesh(floor, mesh);
        else
            world.AddGeometry(floor, 2);
        ball = world.AddBody(Translated(0.6f, 0.45f, 0.4f));
        world.AddSphere(ball, 0.5f);
    }
    Float Push() const { return ball->Get()->GetForceAccumulator().y; }

    PhysicsWorld world;
    PhysicsWorld::BodyEntry* floor;
    PhysicsWorld::BodyEntry* ball;
};

TEST(ColliderTest, ResponseScalesWithTheStepAndSharesOverAllRecords)
{
    PressedSphere onPlane;
    onPlane.world.Step(0.01f);
    // depth 0.05 * k 40 * 40 * h (0.005 / 0.01), weighted by the whole mass 1.
    EXPECT_NEAR(onPlane.Push(), 40.0f, 1e-3f);
    EXPECT_EQ(onPlane.floor->Get()->GetForceAccumulator(), Vec(0, 0, 0));

    PressedSphere halved;
    halved.world.Step(0.02f);
    EXPECT_NEAR(halved.Push(), 20.0f, 1e-3f);

    // Across a shared mesh edge: a face contact and a pruned edge contact, each record a half.
    Testing::MeshColliderFixture floor({{P(-2, 0, -2, 1), P(2, 0, 2, 1), P(2, 0, -2, 1)},
                                        {P(-2, 0, -2, 1), P(-2, 0, 2, 1), P(2, 0, 2, 1)}});
    PressedSphere onMesh(floor.Get());
    onMesh.world.Step(0.01f);
    EXPECT_NEAR(onMesh.Push(), 20.0f, 1e-3f);
}

class RecordingListener : public Graph::ICollidable
{
public:
    void Respond(ICollidable* other, const Math::Vector<float>& contact) override
    {
        mOthers.push_back(other);
        mContacts.push_back(contact);
    }
    std::vector<ICollidable*> mOthers;
    std::vector<Math::Vector<float>> mContacts;
};

TEST(ColliderTest, ReportsToTheListenerOnlyWhenTheBodyResponds)
{
    for (Bool responds : {true, false}) {
        PressedSphere pressed;
        RecordingListener ballListener;
        RecordingListener floorListener;
        pressed.ball->mBody->SetCollisionListener(&ballListener);
        pressed.ball->mBody->SetReportCollisions(true);
        pressed.floor->mBody->SetCollisionListener(&floorListener);
        pressed.floor->mBody->SetReportCollisions(true);
        if (!responds)
            pressed.ball->mBody->SetResponseGroups(0);
        pressed.world.Step(0.01f);
        if (responds) {
            ASSERT_EQ(ballListener.mOthers.size(), 1u);
            EXPECT_EQ(ballListener.mOthers[0], &floorListener);
            EXPECT_NEAR(ballListener.mContacts[0].y, -0.05f, 1e-6f);
        } else {
            EXPECT_TRUE(ballListener.mOthers.empty());
            EXPECT_EQ(pressed.Push(), 0.0f);
        }
        // An immovable body never responds.
        EXPECT_TRUE(floorListener.mOthers.empty());
    }
}

TEST(ColliderTest, KeepsTheFirstContactsAndCandidatesOfACrowdedMesh)
{
    for (UInt32 triangles : {40u, 3000u}) {
        std::vector<std::vector<P>> stack(triangles, {P(-1, 0, -1, 1), P(1, 0, 1, 1), P(1, 0, -1, 1)});
        Testing::MeshColliderFixture crowd(stack);
        PhysicsWorld world;
        world.AddMesh(world.AddBody(Translated(0, 0, 0), 0.0f), crowd.Get());
        world.AddSphere(world.AddBody(Translated(0.5f, 0.45f, -0.5f)), 0.5f);
        world.Step(0.01f);
        Collider* pair = OnlyPair(world);
        ASSERT_NE(pair, nullptr);
        EXPECT_EQ(pair->GetNumberOfContacts(), Collider::kMaxContacts) << triangles;
    }
}

TEST(ColliderTest, DeepColliderTreeIsWalkedWithoutRecursion)
{
    // The fixture chains one node per triangle: a tree 100000 nodes deep, whose one triangle
    // under the sphere is the deepest leaf.
    std::vector<std::vector<P>> chain(100001, {P(99, 0, -1, 1), P(101, 0, 1, 1), P(101, 0, -1, 1)});
    chain.back() = {P(-1, 0, -1, 1), P(-1, 0, 1, 1), P(1, 0, 1, 1)};
    Testing::MeshColliderFixture deep(chain);
    PhysicsWorld world;
    world.AddMesh(world.AddBody(Translated(0, 0, 0), 0.0f), deep.Get());
    world.AddSphere(world.AddBody(Translated(-0.5f, 0.45f, 0.5f)), 0.5f);
    world.Step(0.01f);
    Collider* pair = OnlyPair(world);
    ASSERT_NE(pair, nullptr);
    EXPECT_GE(pair->GetNumberOfContacts(), 1u);
}

} // namespace
} // namespace Physics
} // namespace Vorn
