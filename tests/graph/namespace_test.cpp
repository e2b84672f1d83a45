#include "graph/namespace.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/structure/container.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// The top namespace is anonymous, like the root's; "menu" sits below it with its own
// sub-namespace "buttons"; the last namespace is anonymous.
const char kScene[] =
    "<Graph><Namespace>"
    "  <Container id='title'/>"
    "  <Namespace id='menu'>"
    "    <Container id='start'/>"
    "    <Container id='.'/>"
    "    <Namespace id='buttons'><Container id='ok'/></Namespace>"
    "  </Namespace>"
    "  <Namespace><Container id='hidden'/></Namespace>"
    "</Namespace></Graph>";

class NamespaceTest : public Testing::SceneFixture
{
protected:
    void SetUp() override
    {
        mGraph = Build(kScene);
        ASSERT_NE(mGraph, nullptr);
        mTop = mGraph->GetChild(0);
        ASSERT_TRUE(Init(mGraph));
        mMenu = AsNamespace(Find(AsNamespace(mTop), "menu"));
        mAnonymous = AsNamespace(mTop->GetChild(2));
        ASSERT_NE(mMenu, nullptr);
        ASSERT_NE(mAnonymous, nullptr);
    }

    INode* mGraph = nullptr;
    INode* mTop = nullptr;
    INamespace* mMenu = nullptr;
    INamespace* mAnonymous = nullptr;
};

TEST_F(NamespaceTest, ResolvesPathsSegmentBySegment)
{
    struct Case
    {
        const char* from;
        const char* path;
        const char* found; // id of the node found, null when the path does not resolve
    };
    const Case cases[] = {
        {"top", "title", "title"},
        {"top", "menu/start", "start"},
        {"top", "start", nullptr},
        {"top", "menu", "menu"},
        {"top", "menu/buttons/ok", "ok"},
        {"top", "./title", "title"},
        {"top", "../title", nullptr},
        {"top", "/title", "title"},
        {"top", "/menu/start", "start"},
        {"top", "menu/", nullptr},
        {"top", "menu//title", "title"},
        {"top", "nothing/start", nullptr},
        {"top", "Menu/start", nullptr},
        {"top", "hidden", nullptr},
        {"top", ".", nullptr},
        {"top", "", nullptr},
        {"menu", "start", "start"},
        {"menu", "./start", "start"},
        {"menu", "../title", "title"},
        {"menu", "/menu/start", "start"},
        {"menu", "/title", "title"},
        {"menu", "buttons/../start", "start"},
        {"menu", "buttons/ok", "ok"},
        {"menu", "..", nullptr},
        {"menu", ".", "."},
        {"menu", "title", nullptr},
        {"anonymous", "hidden", "hidden"},
        {"anonymous", "../title", nullptr},
        {"anonymous", "/hidden", "hidden"},
        {"anonymous", "/title", nullptr},
    };
    for (const Case& c : cases) {
        INamespace* from = std::string(c.from) == "top" ? AsNamespace(mTop)
                           : std::string(c.from) == "menu" ? mMenu
                                                           : mAnonymous;
        INode* node = from->FindNode(String(c.path));
        if (c.found == nullptr) {
            EXPECT_EQ(node, nullptr) << c.from << " " << c.path;
            continue;
        }
        ASSERT_NE(node, nullptr) << c.from << " " << c.path;
        EXPECT_STREQ(node->GetId().GetText(), c.found) << c.from << " " << c.path;
        EXPECT_EQ(ReferenceCount(node), 1u) << c.from << " " << c.path;
        node->RemoveReference();
    }
}

TEST_F(NamespaceTest, FindingTakesAReferenceThatBlocksDeInitUntilReleased)
{
    INode* start = AsNamespace(mTop)->FindNode(String("menu/start"));
    ASSERT_NE(start, nullptr);
    INode* again = mMenu->FindNode(String("start"));
    EXPECT_EQ(again, start);
    EXPECT_EQ(ReferenceCount(start), 2u);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(DeInit(mGraph));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Node::DeInit(start): Failed, reference count is not zero"), std::string::npos);

    start->RemoveReference();
    start->RemoveReference();
    EXPECT_TRUE(DeInit(mGraph));
}

TEST_F(NamespaceTest, DeInitEmptiesTheRegistriesSoTheSceneInitialisesAgain)
{
    ASSERT_TRUE(DeInit(mGraph));
    EXPECT_EQ(Find(AsNamespace(mTop), "title"), nullptr);
    EXPECT_EQ(Find(AsNamespace(mTop), "menu"), nullptr);
    EXPECT_EQ(Find(mMenu, "start"), nullptr);
    EXPECT_EQ(Find(mMenu, "buttons/ok"), nullptr);

    ASSERT_TRUE(Init(mGraph));
    EXPECT_NE(Find(AsNamespace(mTop), "menu/buttons/ok"), nullptr);
    EXPECT_TRUE(DeInit(mGraph));
}

TEST_F(NamespaceTest, RegistryOperationsRefuseDuplicatesAndUnknownNames)
{
    Namespace nameSpace;
    nameSpace.SetId(String("ns"));
    Container first;
    Container second;

    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(nameSpace.RegisterNode(String("a"), &first));
    EXPECT_FALSE(nameSpace.RegisterNode(String("a"), &second));
    EXPECT_FALSE(nameSpace.UnregisterNode(String("b")));
    EXPECT_TRUE(nameSpace.RegisterSubNamespace(String("sub"), &nameSpace));
    EXPECT_FALSE(nameSpace.RegisterSubNamespace(String("sub"), nullptr));
    EXPECT_FALSE(nameSpace.UnregisterSubNamespace(String("other")));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Namespace::RegisterNode(ns): Duplicate node \"a\""), std::string::npos);
    EXPECT_NE(log.find("Graph::Namespace::UnregisterNode(ns): Node \"b\" not found"), std::string::npos);
    EXPECT_NE(log.find("Graph::Namespace::RegisterSubNamespace(ns): Duplicate sub-namespace \"sub\""),
              std::string::npos);
    EXPECT_NE(log.find("Graph::Namespace::UnregisterSubNamespace(ns): Sub-namespace \"other\" not found"),
              std::string::npos);

    // The first entry stays; the sub-namespace lookup takes no reference.
    EXPECT_EQ(nameSpace.FindLocalNode(String("a")), &first);
    EXPECT_EQ(first.GetReferenceCount(), 1u);
    first.RemoveReference();
    EXPECT_EQ(nameSpace.FindSubNamespace(String("sub")), &nameSpace);
    EXPECT_EQ(nameSpace.GetReferenceCount(), 0u);
    EXPECT_TRUE(nameSpace.UnregisterNode(String("a")));
    EXPECT_EQ(nameSpace.FindLocalNode(String("a")), nullptr);
    EXPECT_TRUE(nameSpace.UnregisterSubNamespace(String("sub")));
}

using NamespaceInitTest = Testing::SceneFixture;

TEST_F(NamespaceInitTest, DuplicateIdFailsInitAndTheHalfInitialisedSceneDeInitialisesCleanly)
{
    INode* graph = Build("<Graph><Namespace>"
                       "  <Namespace id='menu'><Container id='start'/><Container id='start'/></Namespace>"
                       "  <Container id='after'/>"
                       "</Namespace></Graph>");
    ASSERT_NE(graph, nullptr);
    INode* top = graph->GetChild(0);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(graph));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Namespace::RegisterNode(menu): Duplicate node \"start\""), std::string::npos);
    EXPECT_NE(log.find("Graph::Node::InitSelf(start): Failed registering node"), std::string::npos);
    // The abandoned pass leaves no namespace of this graph on the state for the next Init pass.
    EXPECT_EQ(mInitState.GetCurrentNamespace(), nullptr);

    // The first "start" keeps its entry; the refused one removes nothing when de-initialised.
    INode* start = Find(AsNamespace(top), "menu/start");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start, top->GetChild(0)->GetChild(0));

    EXPECT_TRUE(DeInit(graph));
    EXPECT_EQ(Find(AsNamespace(top), "menu"), nullptr);
    INamespace* menu = AsNamespace(top->GetChild(0));
    EXPECT_EQ(Find(menu, "start"), nullptr);
}

TEST_F(NamespaceInitTest, NamedNodesAboveEveryNamespaceRegisterNowhere)
{
    INode* graph = Build("<Graph><Container id='outer'>"
                         "  <Namespace id='inner'><Container id='leaf'/></Namespace>"
                         "</Container></Graph>");
    ASSERT_NE(graph, nullptr);
    INode* top = graph->GetChild(0);
    ASSERT_TRUE(Init(graph));
    INamespace* inner = AsNamespace(top->GetChild(0));
    EXPECT_EQ(static_cast<Node*>(top)->GetNamespace(), nullptr);
    EXPECT_NE(Find(inner, "leaf"), nullptr);
    EXPECT_EQ(Find(inner, "../leaf"), nullptr);
    EXPECT_TRUE(DeInit(graph));
}

} // namespace
} // namespace Graph
} // namespace Vorn
