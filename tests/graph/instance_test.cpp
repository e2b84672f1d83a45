#include "graph/structure/instance.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// The sub-graph names its node after the parameters "label" (a default the instance overrides)
// and "replication".
const char kItemGraph[] = "<Graph label='default' replication='9'><Anchor id='{label}{replication}'/></Graph>";

class InstanceTest : public Testing::SceneFixture
{
protected:
    void SetUp() override { mCollection.AddGraph("pkg:item", kItemGraph); }

    // The ids of the nodes that the sub-graphs below the instance hold, in child order.
    static std::string SubGraphIds(INode* instance)
    {
        std::string ids;
        for (INode* subGraph : instance->GetChildren()) {
            for (INode* node : subGraph->GetChildren())
                ids += std::string(ids.empty() ? "" : " ") + node->GetId().GetText();
        }
        return ids;
    }
};

TEST_F(InstanceTest, EachReplicationSeesItsNumberAndTheInstanceAttributes)
{
    INode* graph = Build("<Graph><Namespace>"
                         "  <Instance id='items' graphResourceId='pkg:item' replications='3' label='x'/>"
                         "</Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    INode* instance = graph->GetChild(0)->GetChild(0);
    ASSERT_TRUE(Init(graph));
    EXPECT_EQ(instance->GetNumberOfChildren(), 3u);
    EXPECT_EQ(SubGraphIds(instance), "x0 x1 x2");
    // The sub-graphs are initialised in the same pass and register in the enclosing namespace.
    EXPECT_NE(Find(AsNamespace(graph->GetChild(0)), "x2"), nullptr);
    EXPECT_NE(instance->GetFlags() & Node::kNeedsProcessLogic, 0u);
    EXPECT_TRUE(DeInit(graph));
}

TEST_F(InstanceTest, ZeroReplicationsCreateNothingAndLogNothing)
{
    INode* graph = Build("<Graph><Instance graphResourceId='pkg:item' replications='0'/></Graph>");
    ASSERT_NE(graph, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(Init(graph));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(graph->GetChild(0)->GetNumberOfChildren(), 0u);
    EXPECT_EQ(mCollection.mGraphQueries, 0u);
    EXPECT_TRUE(DeInit(graph));
}

TEST_F(InstanceTest, FailsWithoutAResourceIdOrAGraph)
{
    struct Case
    {
        const char* xml;
        const char* line;
    };
    const Case cases[] = {
        {"<Graph><Instance id='a'/></Graph>", "Graph::Instance::InitSelf(a): No resource ID specified"},
        {"<Graph><Instance id='b' graphResourceId='pkg:none'/></Graph>",
         "Graph::Instance::InitSelf(b): Failed to get resource graph \"pkg:none\""},
    };
    for (const Case& c : cases) {
        INode* graph = Build(c.xml);
        ASSERT_NE(graph, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init(graph));
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.rfind(c.line, 0), 0u) << log;
        EXPECT_EQ(graph->GetChild(0)->GetNumberOfChildren(), 0u);
        EXPECT_TRUE(DeInit(graph));
    }
}

TEST_F(InstanceTest, SubGraphsAreRebuiltNotDoubledAcrossDeInitAndInit)
{
    INode* graph = Build("<Graph><Namespace>"
                         "  <Instance graphResourceId='pkg:item' replications='2'><Container id='own'/></Instance>"
                         "</Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    INode* instance = graph->GetChild(0)->GetChild(0);
    ASSERT_TRUE(Init(graph));
    EXPECT_EQ(instance->GetNumberOfChildren(), 3u);

    ASSERT_TRUE(DeInit(graph));
    // Only the children that came with the graph stay.
    ASSERT_EQ(instance->GetNumberOfChildren(), 1u);
    EXPECT_STREQ(instance->GetChild(0)->GetId().GetText(), "own");

    ASSERT_TRUE(Init(graph));
    EXPECT_EQ(instance->GetNumberOfChildren(), 3u);
    EXPECT_EQ(SubGraphIds(instance), "default0 default1");
    EXPECT_TRUE(DeInit(graph));
}

TEST_F(InstanceTest, AFailedReplicationLeavesTheEarlierOnesUntilDeInitRemovesThem)
{
    // Replication 1 reads "maybe" as a Bool and cannot be built.
    mCollection.AddGraph("pkg:flag", "<Graph><Container id='f{replication}' active='{v{replication}}'/></Graph>");
    INode* graph = Build("<Graph><Namespace>"
                         "  <Instance id='flags' graphResourceId='pkg:flag' replications='3' v0='true' v1='maybe'/>"
                         "</Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    INode* instance = graph->GetChild(0)->GetChild(0);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(graph));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Instance::InitSelf(flags): Failed to create sub-graph \"pkg:flag\" for replication #1"),
              std::string::npos)
        << log;
    EXPECT_EQ(instance->GetNumberOfChildren(), 1u);

    EXPECT_TRUE(DeInit(graph));
    EXPECT_EQ(instance->GetNumberOfChildren(), 0u);
    EXPECT_EQ(Find(AsNamespace(graph->GetChild(0)), "flags"), nullptr);
}

TEST_F(InstanceTest, ATreeWhoseInitFailsInTheMiddleDeInitialisesCleanly)
{
    // The sub-graphs are built and initialised, then the reference after them fails.
    INode* graph = Build("<Graph><Namespace>"
                         "  <Container id='before'/>"
                         "  <Instance id='items' graphResourceId='pkg:item' replications='2' label='x'/>"
                         "  <Reference id='broken' targetId='missing'/>"
                         "  <Container id='after'/>"
                         "</Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    INamespace* top = AsNamespace(graph->GetChild(0));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(graph));
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(Find(top, "x1"), nullptr);
    EXPECT_EQ(Find(top, "after"), nullptr);

    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(DeInit(graph));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    for (const char* id : {"before", "items", "x0", "x1", "broken"})
        EXPECT_EQ(Find(top, id), nullptr) << id;
    EXPECT_EQ(graph->GetChild(0)->GetChild(1)->GetNumberOfChildren(), 0u);
}

} // namespace
} // namespace Graph
} // namespace Vorn
