#include "graph/structure/anchor.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using AnchorTest = Testing::SceneFixture;

TEST_F(AnchorTest, RecordsTheTransformAndDepthOrderOfEachLogicStep)
{
    INode* graph = Build("<Graph><Namespace><Container><Anchor id='spot'/></Container></Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    ASSERT_TRUE(Init(graph));
    Anchor* anchor = dynamic_cast<Anchor*>(Find(AsNamespace(graph->GetChild(0)), "spot"));
    ASSERT_NE(anchor, nullptr);
    EXPECT_TRUE(anchor->GetTransform().IsIdentity());
    EXPECT_EQ(anchor->GetDepthOrder(), 0);
    // The need for the logic pass reaches the top, so the pass gets down to the anchor.
    EXPECT_NE(graph->GetFlags() & Node::kNeedsProcessLogic, 0u);

    Math::Matrix<float> world;
    world.SetTranslation(1.0f, 2.0f, 3.0f);
    for (SInt32 depthOrder : {5, -2}) {
        mProcessLogicState.BeginStep();
        mProcessLogicState.PushTransform(world);
        mProcessLogicState.SetDepthOrder(depthOrder);
        ASSERT_TRUE(graph->ProcessLogic(&mProcessLogicState));
        EXPECT_EQ(anchor->GetTransform(), world);
        EXPECT_EQ(anchor->GetDepthOrder(), depthOrder);
        world.SetTranslation(4.0f, 5.0f, 6.0f);
    }
    EXPECT_TRUE(DeInit(graph));
}

TEST_F(AnchorTest, RefusesAnAnchorWithoutId)
{
    INode* graph = Build("<Graph><Namespace><Anchor/></Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(graph));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::Anchor::InitSelf(): Must specify a node ID\n", 0), 0u) << log;
    EXPECT_TRUE(DeInit(graph));
}

} // namespace
} // namespace Graph
} // namespace Vorn
