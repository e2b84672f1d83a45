// A scene graph of physics nodes over the real simulator, stepped as the engine steps it.
#include <gtest/gtest.h>

#include "graph/physics/body.h"
#include "physics/physics_simulator.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Physics {
namespace {

class PhysicsSceneTest : public Testing::SceneFixture
{
protected:
    PhysicsSceneTest() : SceneFixture(&mSimulator, nullptr) { EXPECT_TRUE(mSimulator.Init()); }
    ~PhysicsSceneTest() override { mSimulator.DeInit(); }

    // Per logic step: the simulator forgets, the traversal registers, the simulator steps.
    void Step(Graph::INode* top, Float dt)
    {
        mSimulator.ClearObjects();
        ASSERT_TRUE(ProcessLogic(top));
        mSimulator.Step(dt);
    }

    Simulator mSimulator;
};

TEST_F(PhysicsSceneTest, SphereNodeSettlesOnAPlaneNodeAndNamesItInItsEvent)
{
    Graph::INode* top = Build("<Graph><Namespace>"
                              "<Field shape='PLANE' constantFactor='-9.81'/>"
                              "<Body id='ball' posY='1' posX='2'><ColliderSphere radius='0.5'/></Body>"
                              "<Body id='ground' inverseMass='0'><ColliderPlane/></Body>"
                              "</Namespace></Graph>");
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(Init(top));
    Graph::INamespace* scene = AsNamespace(top->GetChild(0));
    Graph::Body* ball = dynamic_cast<Graph::Body*>(Find(scene, "ball"));
    Graph::Body* ground = dynamic_cast<Graph::Body*>(Find(scene, "ground"));
    ASSERT_NE(ball, nullptr);
    ASSERT_NE(ground, nullptr);
    Graph::IBodyEvent* event = ball->CreateEvent();

    const Float dt = 0.01f;
    for (UInt32 i = 0; i < 1500; ++i)
        Step(top, dt);
    const Float depth = 9.81f * dt / (0.005f * 40.0f * 40.0f);
    EXPECT_NEAR(ball->GetWorldMatrix()[13], 0.5f - depth, 1e-4f);
    EXPECT_NEAR(ball->GetWorldMatrix()[12], 2.0f, 1e-4f);
    EXPECT_EQ(ground->GetWorldMatrix()[13], 0.0f);
    ASSERT_EQ(event->GetNumberOfCollisions(), 1u);
    EXPECT_EQ(event->GetCollisionBody(0), static_cast<Graph::IBody*>(ground));
    EXPECT_NEAR(event->GetCollision(0)->mContact.y, -depth, 1e-4f);

    ball->DestroyEvent(event);
    EXPECT_TRUE(DeInit(top));
}

} // namespace
} // namespace Physics
} // namespace Vorn
