#include "logic/graph_node.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/animation/targets.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/index_buffer.h"
#include "graph/indexed.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/parameters.h"
#include "graph/structure/reference.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/vertex_buffer.h"
#include "logic/base_child_processor.h"
#include "logic/state.h"
#include "tests/support/recording_logic.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Logic {
namespace {

// One node of each kind the references bind to, below the top namespace.
const char* const kScene = "<View>"
                           "<OrthographicCamera id='camera' unitSizeX='1'/>"
                           "<Node id='plain'/>"
                           "<Namespace id='space'><Transform id='inner'/></Namespace>"
                           "<Scale id='scale'/>"
                           "<Timeline id='timeline'/>"
                           "<Switch id='switch'><Node/></Switch>"
                           "<Button id='button'/>"
                           "<Reference id='first' targetId='plain'/>"
                           "<Reference id='second' targetId='first'/>"
                           "</View>";

class GraphNodeTest : public Testing::ViewSceneFixture
{
protected:
    void SetUp() override { ASSERT_NE(mScene = Scene(kScene), nullptr); }

    Graph::INode* Node(const char* path) { return Find<Graph::INode>(mScene, path); }
    UInt32 Count(const char* path) { return static_cast<Graph::Node*>(Node(path))->GetReferenceCount(); }

    // Binds a typed reference by path and checks that it holds the node through T and one count
    // until it is destroyed.
    template <typename T>
    void ExpectBinds(const char* path)
    {
        const UInt32 before = Count(path);
        {
            GraphNodeT<T> reference;
            EXPECT_EQ(reference.GetReference(mRoot.get(), String(path)), &reference);
            EXPECT_TRUE(reference.IsValid()) << path;
            EXPECT_NE(reference.Get(), nullptr) << path;
            EXPECT_EQ(Count(path), before + 1) << path;
        }
        EXPECT_EQ(Count(path), before) << path;
    }

    Graph::INamespace* mScene = nullptr;
};

TEST_F(GraphNodeTest, BindsEachKindOfNodeThroughItsInterfaceAndReleasesIt)
{
    ExpectBinds<Graph::INode>("/plain");
    ExpectBinds<Graph::INamespace>("/space");
    ExpectBinds<Graph::ITransform>("/camera");
    ExpectBinds<Graph::ICamera>("/camera");
    ExpectBinds<Graph::IScalable>("/scale");
    ExpectBinds<Graph::ITimeline>("/timeline");
    ExpectBinds<Graph::ISwitch>("/switch");
    ExpectBinds<Graph::IIndexed>("/switch");
    ExpectBinds<Graph::IButton>("/button");
}

// A node of another type: not valid, but counted until Remove.
template <typename T>
class GraphNodeWrongTypeTest : public GraphNodeTest
{
};

typedef ::testing::Types<Graph::INamespace, Graph::ITransform, Graph::IScalable, Graph::ITimeline, Graph::ISwitch,
                         Graph::IButton, Graph::ICamera, Graph::IText, Graph::IDisplayText, Graph::IDisplayPlane,
                         Graph::IDisplayPlaneSequence, Graph::IIndexed, Graph::IParameters, Graph::IIndexBuffer,
                         Graph::IVertexBuffer, Graph::IPlayable>
    NodeInterfaces;
TYPED_TEST_SUITE(GraphNodeWrongTypeTest, NodeInterfaces);

TYPED_TEST(GraphNodeWrongTypeTest, KeepsTheCountWithoutTheInterfaceUntilRemove)
{
    const UInt32 before = this->Count("/plain");
    GraphNodeT<TypeParam> reference;
    ::testing::internal::CaptureStderr();
    reference.GetReference(this->mRoot.get(), String("/plain"));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::GraphNodeT incorrect type for node \"plain\""), std::string::npos) << log;
    EXPECT_FALSE(reference.IsValid());
    EXPECT_EQ(reference.Get(), nullptr);
    EXPECT_EQ(this->Count("/plain"), before + 1);
    EXPECT_TRUE(reference.Remove());
    EXPECT_EQ(this->Count("/plain"), before);
    EXPECT_EQ(reference.GetNode(), nullptr);
}

TEST_F(GraphNodeTest, MissingPathsLogAndLeaveTheReferenceEmpty)
{
    GraphNodeT<Graph::ITransform> reference;
    EXPECT_TRUE(reference.Remove());
    ::testing::internal::CaptureStderr();
    reference.GetReference(mRoot.get(), String("/nowhere"));
    reference.GetTarget(static_cast<Graph::IRoot*>(nullptr), String("/camera"));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::GraphINode node \"/nowhere\" not found"), std::string::npos) << log;
    EXPECT_NE(log.find("Logic::GraphINode node \"/camera\" not found"), std::string::npos) << log;
    EXPECT_FALSE(reference.IsValid());
    EXPECT_EQ(reference.GetNode(), nullptr);
}

TEST_F(GraphNodeTest, BindsByNamespaceAndByNodeAndRebindingReleasesFirst)
{
    Graph::INamespace* space = dynamic_cast<Graph::INamespace*>(Node("/space"));
    ASSERT_NE(space, nullptr);
    const UInt32 inner = Count("/space/inner");
    const UInt32 camera = Count("/camera");
    GraphNodeT<Graph::ITransform> reference;
    EXPECT_TRUE(reference.GetReference(space, String("inner"))->IsValid());
    EXPECT_EQ(Count("/space/inner"), inner + 1);
    EXPECT_TRUE(reference.GetReference(Node("/camera"))->IsValid());
    EXPECT_EQ(Count("/space/inner"), inner);
    EXPECT_EQ(Count("/camera"), camera + 1);
    reference.GetReference(static_cast<Graph::INode*>(nullptr));
    EXPECT_FALSE(reference.IsValid());
    EXPECT_EQ(Count("/camera"), camera);
}

TEST_F(GraphNodeTest, TargetsFollowReferenceChainsToTheLastNode)
{
    const UInt32 plain = Count("/plain");
    const UInt32 first = Count("/first");
    const UInt32 second = Count("/second");
    GraphINode byPath;
    EXPECT_TRUE(byPath.GetTarget(mRoot.get(), String("/second"))->IsValid());
    EXPECT_EQ(byPath.GetNode(), Node("/plain"));
    GraphNodeT<Graph::INode> byNode;
    EXPECT_EQ(byNode.GetTarget(Node("/first"))->GetNode(), Node("/plain"));
    GraphINode bySpace;
    EXPECT_EQ(bySpace.GetTarget(mScene, String("second"))->GetNode(), Node("/plain"));
    EXPECT_EQ(Count("/plain"), plain + 3);
    EXPECT_EQ(Count("/first"), first);
    EXPECT_EQ(Count("/second"), second);

    // GetReference keeps the reference node itself.
    GraphINode reference;
    EXPECT_EQ(reference.GetReference(mRoot.get(), String("/second"))->GetNode(), Node("/second"));
}

TEST_F(GraphNodeTest, AReferenceWithoutTargetLogsItsIdAndLeavesTheWrapperEmpty)
{
    Graph::Reference lonely;
    lonely.SetId(String("lonely"));
    GraphNodeT<Graph::INode> reference;
    ::testing::internal::CaptureStderr();
    reference.GetTarget(&lonely);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::GraphINode missing target in node \"lonely\""), std::string::npos) << log;
    EXPECT_FALSE(reference.IsValid());
    EXPECT_EQ(lonely.GetReferenceCount(), 0u);
}

TEST_F(GraphNodeTest, ButtonEventsAreCreatedPerBindingAndGivenBack)
{
    Graph::Button* button = Find<Graph::Button>(mScene, "/button");
    ASSERT_NE(button, nullptr);
    const UInt32 before = Count("/button");
    {
        GraphEventT<Graph::IButton, Graph::IButtonEvent> events;
        EXPECT_TRUE(events.GetReference(mRoot.get(), String("/button"))->IsValid());
        ASSERT_EQ(button->GetEvents().GetCount(), 1);
        Graph::IButtonEvent* first = events.GetEvent();
        EXPECT_EQ(static_cast<Graph::IButtonEvent*>(button->GetEvents()[0]), first);
        // Rebinding gives the first event back before it makes the second.
        events.GetReference(mRoot.get(), String("/button"));
        ASSERT_EQ(button->GetEvents().GetCount(), 1);
        EXPECT_EQ(static_cast<Graph::IButtonEvent*>(button->GetEvents()[0]), events.GetEvent());
        EXPECT_FALSE(events.GetEvent()->WasReleasedInside());
        EXPECT_EQ(Count("/button"), before + 1);

        // A node that is no button: no event, not valid.
        ::testing::internal::CaptureStderr();
        events.GetReference(mRoot.get(), String("/plain"));
        ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(events.IsValid());
        EXPECT_EQ(button->GetEvents().GetCount(), 0);
        events.GetReference(mRoot.get(), String("/button"));
    }
    EXPECT_EQ(button->GetEvents().GetCount(), 0);
    EXPECT_EQ(Count("/button"), before);
}

// A game processor that binds its nodes by absolute path in OnInit, as the front end does.
class BindingProcessor : public BaseChildProcessor
{
public:
    explicit BindingProcessor(IFactory* factory) : BaseChildProcessor(factory) {}
    Bool OnInit(IState* state) override
    {
        Graph::IRoot* root = state->GetGraphRoot();
        mProcessor->AddGraphNode(mCamera.GetReference(root, String("/camera")));
        mProcessor->AddGraphNode(mMissing.GetReference(root, String("/missing")));
        mProcessor->AddGraphNode(mWrong.GetTarget(root, String("/second")));
        mProcessor->AddGraphNode(mButton.GetReference(root, String("/button")));
        return true;
    }
    GraphNodeT<Graph::ICamera> mCamera;
    GraphNodeT<Graph::ITimeline> mMissing;
    GraphNodeT<Graph::ISwitch> mWrong;
    GraphEventT<Graph::IButton, Graph::IButtonEvent> mButton;
};

TEST_F(GraphNodeTest, AProcessorTriesEveryBindingAndDeInitGivesEveryCountBack)
{
    Testing::LogicServices logic;
    logic.mEngineState->SetGraphRoot(mRoot.get());
    const UInt32 camera = Count("/camera");
    const UInt32 plain = Count("/plain");
    const UInt32 button = Count("/button");
    BindingProcessor processor(&logic.mLogicFactory);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(processor.GetProcessor()->Init(logic.mState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::GraphINode node \"/missing\" not found"), std::string::npos) << log;
    EXPECT_NE(log.find("Logic::GraphNodeT incorrect type for node \"plain\""), std::string::npos) << log;
    EXPECT_TRUE(processor.mButton.IsValid());
    EXPECT_EQ(Count("/camera"), camera + 1);
    EXPECT_EQ(Count("/plain"), plain + 1);

    EXPECT_TRUE(processor.GetProcessor()->DeInit(logic.mState));
    EXPECT_EQ(Count("/camera"), camera);
    EXPECT_EQ(Count("/plain"), plain);
    EXPECT_EQ(Count("/button"), button);
    EXPECT_EQ(Find<Graph::Button>(mScene, "/button")->GetEvents().GetCount(), 0);
}

} // namespace
} // namespace Logic
} // namespace Vorn
