#include <gtest/gtest.h>

#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "graph/transform/transform.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// Each replication is a transform named after its number, switched off by the data.
const char kThingGraph[] = "<Graph replication='0'><Transform id='thing{replication}' activeAndVisible='false'/></Graph>";

class Thing : public GraphPositionObject
{
public:
    Thing() : GraphPositionObject(5000) {}
};

class GraphInstanceContainerTest : public Testing::SceneFixture
{
protected:
    void SetUp() override
    {
        mCollection.AddGraph("pkg:thing", kThingGraph);
        mGraph = Build("<Graph><Namespace>"
                       "  <Instance id='thing_container' graphResourceId='pkg:thing' replications='4'/>"
                       "</Namespace></Graph>");
        ASSERT_NE(mGraph, nullptr);
        ASSERT_TRUE(Init(mGraph));
        mNamespace = AsNamespace(mGraph->GetChild(0));
        ASSERT_TRUE(mPool.Init(mNamespace, "", "/thing_container", "/thing"));
    }
    void TearDown() override
    {
        EXPECT_TRUE(mPool.DeInit());
        EXPECT_TRUE(DeInit(mGraph));
    }
    Graph::INode* Instance(UInt32 index) const { return mPool.GetEntry(index)->GetRootNode(); }

    Graph::INode* mGraph = nullptr;
    Graph::INamespace* mNamespace = nullptr;
    GraphInstanceContainer<Thing> mPool;
};

TEST_F(GraphInstanceContainerTest, HandsOutResetObjectsAndSwitchesTheirInstances)
{
    ASSERT_EQ(mPool.GetCount(), 4u);
    EXPECT_TRUE(mPool.Init(mNamespace, "", "/missing", "/thing")); // a second Init does nothing
    Thing* first = mPool.Obtain();
    first->SetPosition(3.0f, 4.0f, 5.0f);
    first->UpdateTransform();
    Thing* second = mPool.Obtain();
    ASSERT_EQ(second, mPool.GetEntry(1));
    EXPECT_TRUE(Instance(1)->IsActiveAndVisible());
    EXPECT_FALSE(Instance(2)->IsActiveAndVisible());
    auto* transform = dynamic_cast<Graph::ITransform*>(Instance(1));
    EXPECT_EQ(transform->GetDepthOrder(), 5001);
    EXPECT_FLOAT_EQ(dynamic_cast<Graph::ITransform*>(Instance(0))->GetTransform()[13], 4.0f);

    // Released and obtained again: back at the origin with an identity matrix.
    EXPECT_TRUE(mPool.Release(first));
    EXPECT_FALSE(Instance(0)->IsActiveAndVisible());
    EXPECT_EQ(mPool.Obtain(), first);
    EXPECT_FLOAT_EQ(first->GetPosition().y, 0.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<Graph::ITransform*>(Instance(0))->GetTransform()[13], 0.0f);

    Thing stranger;
    EXPECT_FALSE(mPool.Release(&stranger));
}

TEST_F(GraphInstanceContainerTest, KeepsTheUsedCounts)
{
    Thing* things[4];
    for (Thing*& thing : things)
        thing = mPool.Obtain();
    EXPECT_EQ(mPool.Obtain(), nullptr);
    EXPECT_EQ(mPool.GetNumUsed(), 4u);
    EXPECT_EQ(mPool.GetUsedEnd(), 4u);

    mPool.Release(things[3]);
    mPool.Release(things[2]);
    EXPECT_EQ(mPool.GetUsedEnd(), 2u);
    mPool.Release(things[0]);
    EXPECT_EQ(mPool.GetUsedEnd(), 2u);
    EXPECT_EQ(mPool.Obtain(), things[0]); // the gap below is filled first
    mPool.Release(things[0]);
    mPool.Release(things[1]);
    EXPECT_EQ(mPool.GetUsedEnd(), 0u);
    EXPECT_EQ(mPool.GetNumUsed(), 0u);

    mPool.Obtain();
    mPool.Obtain();
    mPool.ReleaseAll();
    EXPECT_EQ(mPool.GetNumUsed(), 0u);
    EXPECT_FALSE(Instance(1)->IsActiveAndVisible());
}

TEST_F(GraphInstanceContainerTest, APoolInitialisedAgainStartsEmpty)
{
    mPool.Obtain();
    mPool.Obtain();
    ASSERT_TRUE(mPool.DeInit());
    EXPECT_EQ(mPool.GetNumUsed(), 0u);
    EXPECT_EQ(mPool.GetUsedEnd(), 0u);
    ASSERT_TRUE(mPool.Init(mNamespace, "", "/thing_container", "/thing"));
    EXPECT_EQ(mPool.Obtain(), mPool.GetEntry(0));
    EXPECT_EQ(mPool.GetNumUsed(), 1u);
}

TEST_F(GraphInstanceContainerTest, UnboundPoolsAndMissingNodes)
{
    GraphInstanceContainer<Thing> unbound;
    EXPECT_TRUE(unbound.DeInit());
    EXPECT_EQ(unbound.Obtain(), nullptr);
    EXPECT_FALSE(unbound.Init(nullptr, "", "/thing_container", "/thing"));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(unbound.Init(mNamespace, "", "/thing_container", "/other"));
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(unbound.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
