#include "graph/physics/body.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/physics_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeBody;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

class BodyNodeTest : public Testing::PhysicsSceneFixture
{
};

TEST_F(BodyNodeTest, GivesThePhysicsBodyItsDefaultsInOrderBeforeInit)
{
    Body* body = dynamic_cast<Body*>(Scene("<Body/>")->GetChild(0));
    ASSERT_NE(body, nullptr);
    FakeBody* fake = FakeOf(body);
    ASSERT_NE(fake, nullptr);
    const std::vector<std::string> order = {
        "TriggerGroups",   "ResponseGroups", "ForceEffect",     "TorqueEffect",  "InverseMass",
        "Drag",            "DynamicFriction", "StaticFriction", "RollingFriction", "ContactSpring",
        "ContactDamping",  "ClampSpring",    "ClampDamping",    "Size",          "Listener",
        "Init",
    };
    EXPECT_EQ(fake->mCalls, order);
    EXPECT_EQ(fake->mTriggerGroups, 1u);
    EXPECT_EQ(fake->mResponseGroups, 0xFFFFFFFFu);
    EXPECT_TRUE(fake->mForceEffect);
    EXPECT_TRUE(fake->mTorqueEffect);
    EXPECT_EQ(fake->mInverseMass, 1.0f);
    EXPECT_EQ(fake->mDrag, 0.0f);
    const Float constants[7] = {1.0f, 1.0f, 0.0f, 40.0f, 40.0f, 1.0f, 1.0f};
    for (UInt32 i = 0; i < 7; ++i)
        EXPECT_EQ(fake->mConstants[i], constants[i]) << i;
    EXPECT_EQ(fake->mSize, Vec(1, 1, 1, 0));
    EXPECT_NE(fake->mListener, nullptr);
    EXPECT_FALSE(fake->mReportCollisions);
}

TEST_F(BodyNodeTest, ReadsItsAttributes)
{
    Body* body = dynamic_cast<Body*>(Scene("<Body triggerGroups='0,3' responseGroups='2' dragCoefficient='0.5' "
                                           "sizeX='2' sizeY='3' sizeZ='4' staticFrictionConstant='0.1' "
                                           "dynamicFrictionConstant='0.2' rollingFrictionConstant='0.3' "
                                           "contactSpringConstant='5' contactDampingConstant='6' "
                                           "clampSpringConstant='7' clampDampingConstant='8' "
                                           "forceEffectEnabled='false' torqueEffectEnabled='false'/>")
                                         ->GetChild(0));
    ASSERT_NE(body, nullptr);
    FakeBody* fake = FakeOf(body);
    EXPECT_EQ(fake->mTriggerGroups, 9u);
    EXPECT_EQ(fake->mResponseGroups, 4u);
    EXPECT_EQ(fake->mDrag, 0.5f);
    EXPECT_EQ(fake->mSize, Vec(2, 3, 4, 0));
    const Float constants[7] = {0.1f, 0.2f, 0.3f, 5.0f, 6.0f, 7.0f, 8.0f};
    for (UInt32 i = 0; i < 7; ++i)
        EXPECT_EQ(fake->mConstants[i], constants[i]) << i;
    EXPECT_FALSE(fake->mForceEffect);
    EXPECT_FALSE(fake->mTorqueEffect);
}

TEST_F(BodyNodeTest, ResolvesMassAndInverseMass)
{
    const struct
    {
        const char* attributes;
        Float inverseMass;
        Float mass;
    } cases[] = {
        {"", 1.0f, 1.0f},
        {"inverseMass='0.5'", 0.5f, 2.0f},
        {"mass='4' inverseMass='0.5'", 0.25f, 4.0f},
        {"inverseMass='0'", 0.0f, INFINITY},
    };
    for (const auto& c : cases) {
        Graph::INode* top = Build((std::string("<Graph><Body ") + c.attributes + "/></Graph>").c_str());
        ASSERT_NE(top, nullptr);
        ASSERT_TRUE(Init(top)) << c.attributes;
        Body* body = dynamic_cast<Body*>(top->GetChild(0));
        EXPECT_EQ(FakeOf(body)->mInverseMass, c.inverseMass) << c.attributes;
        EXPECT_EQ(body->GetInverseMass(), c.inverseMass) << c.attributes;
        EXPECT_EQ(body->GetMass(), c.mass) << c.attributes;
        EXPECT_TRUE(DeInit(top));
    }
}

TEST_F(BodyNodeTest, RefusesBadMassesAndMissingObjectsWithOneLine)
{
    const struct
    {
        const char* attributes;
        const char* line;
    } cases[] = {
        {"mass='0'", "Graph::Body::InitSelf(b): Mass must be above 0 (0)\n"},
        {"mass='-2' inverseMass='1'", "Graph::Body::InitSelf(b): Mass must be above 0 (-2)\n"},
        {"inverseMass='-1'", "Graph::Body::InitSelf(b): Inverse mass must not be negative (-1)\n"},
    };
    for (const auto& c : cases) {
        const std::string log = InitLog(std::string("<Body id='b' ") + c.attributes + "/>");
        EXPECT_EQ(log.substr(0, log.find('\n') + 1), c.line);
    }
    mPhysics.mRefuseCreation = true;
    const std::string log = InitLog("<Body id='b'/>");
    EXPECT_EQ(log.substr(0, log.find('\n') + 1), "Graph::Body::InitSelf(b): Failed to create body object\n");
}

TEST_F(BodyNodeTest, IsPlacedByTheTransformsAboveAndItsOwnAndAgainWhenMoved)
{
    Scene("<Transform posY='2'><Body id='b' posX='1' depthOrder='3'/></Transform>");
    Body* body = FindBody("b");
    ASSERT_NE(body, nullptr);
    FakeBody* fake = FakeOf(body);
    ASSERT_TRUE(Traverse());
    EXPECT_EQ(fake->mTransformsSet, 1u);
    EXPECT_EQ(fake->mTransform[12], 1.0f);
    EXPECT_EQ(fake->mTransform[13], 2.0f);
    EXPECT_EQ(body->GetWorldMatrix(), fake->mTransform);
    ASSERT_EQ(mPhysics.mPushedBodies.size(), 1u);
    EXPECT_EQ(mPhysics.mPushedBodies[0], fake);
    EXPECT_EQ(mPhysics.mOpenBodies, 0);
    ASSERT_TRUE(Traverse());
    EXPECT_EQ(fake->mTransformsSet, 1u);
    body->SetPositionZ(5.0f);
    ASSERT_TRUE(Traverse());
    EXPECT_EQ(fake->mTransformsSet, 2u);
    EXPECT_EQ(fake->mTransform[14], 5.0f);
    EXPECT_EQ(fake->mTransform[13], 2.0f);
}

TEST_F(BodyNodeTest, EventsTurnReportingOnAndCollectTheStepsCollisions)
{
    Scene("<Body id='a'/><Body id='b'/>");
    Body* a = FindBody("a");
    Body* b = FindBody("b");
    FakeBody* fake = FakeOf(a);
    IBodyEvent* first = a->CreateEvent();
    EXPECT_TRUE(fake->mReportCollisions);
    IBodyEvent* second = a->CreateEvent();
    a->DestroyEvent(b->CreateEvent());
    EXPECT_EQ(a->GetEvents().GetCount(), 2);
    a->DestroyEvent(first);
    EXPECT_TRUE(fake->mReportCollisions);

    // The simulator reports through the listener it was given, naming the other body's.
    fake->mListener->Respond(FakeOf(b)->mListener, Vec(1, 2, 3, 1));
    fake->mListener->Respond(nullptr, Vec(4, 5, 6, 1));
    ASSERT_EQ(second->GetNumberOfCollisions(), 2u);
    EXPECT_EQ(second->GetCollision(0)->mContact, Vec(1, 2, 3, 1));
    EXPECT_EQ(second->GetCollisionBody(0), static_cast<IBody*>(b));
    EXPECT_EQ(second->GetCollisionBody(1), nullptr);
    EXPECT_EQ(second->GetCollision(2), nullptr);
    EXPECT_EQ(second->GetCollisionBody(2), nullptr);
    ASSERT_TRUE(Traverse());
    EXPECT_EQ(second->GetNumberOfCollisions(), 0u);

    a->DestroyEvent(second);
    EXPECT_FALSE(fake->mReportCollisions);
    b->DestroyEvent(b->GetEvents()[0]);
}

TEST_F(BodyNodeTest, WithoutAPhysicsBodyDoesNothingAndReadsZero)
{
    Graph::INode* top = Build("<Graph><Body/></Graph>");
    ASSERT_NE(top, nullptr);
    Body* body = dynamic_cast<Body*>(top->GetChild(0));
    body->AddForceAtPointWorldWorld(Vec(0, 0, 0), Vec(1, 0, 0));
    body->AddTorqueAtPointLocalLocal(Vec(0, 1, 0), Vec(1, 0, 0));
    EXPECT_EQ(body->GetLinearMomentum(), Vec(0, 0, 0));
    EXPECT_EQ(body->GetAngularVelocity(), Vec(0, 0, 0));
    EXPECT_EQ(body->GetBodyObject(), nullptr);
    EXPECT_NE(body->CreateEvent(), nullptr);
    body->SetMass(4.0f);
    EXPECT_EQ(body->GetInverseMass(), 0.25f);
}

TEST_F(BodyNodeTest, ForwardsForcesToThePhysicsBody)
{
    Body* body = dynamic_cast<Body*>(Scene("<Body/>")->GetChild(0));
    body->AddForceAtPointLocalLocal(Vec(0, 0, 0), Vec(1, 0, 0));
    body->AddForceWorldWorld(Vec(0, 0, 0), Vec(1, 0, 0));
    body->AddTorqueAtPointWorldWorld(Vec(0, 0, 0), Vec(1, 0, 0));
    EXPECT_EQ(FakeOf(body)->mForceCalls, 3u);
}

} // namespace
} // namespace Graph
} // namespace Vorn
