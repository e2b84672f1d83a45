#include "graph/switch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/animation/animation_evaluators.h"
#include "graph/prepare_output_state.h"
#include "tests/support/probe_node.h"
#include "tests/support/recording_controller.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class SwitchTest : public Testing::SceneFixture
{
protected:
    SwitchTest() : mPrepareOutputState(nullptr), mClasses(mFactory, {{"Switch", &Switch::Create}})
    {
        mPrepareOutputState.Init(&mClock);
    }

    // A switch with id "s" and the attributes over probes "a", "b" and "c" (or the given
    // children); null when it is not built.
    Switch* BuildSwitch(const std::string& attributes,
                        const std::string& children = "<Probe id='a'/><Probe id='b'/><Probe id='c'/>")
    {
        mTop = Build(("<Graph><Switch id='s' " + attributes + ">" + children + "</Switch></Graph>").c_str());
        return mTop == nullptr ? nullptr : dynamic_cast<Switch*>(mTop->GetChild(0));
    }

    Testing::ProbeNode* Probe(Switch* node, UInt32 index) { return static_cast<Testing::ProbeNode*>(node->GetChild(index)); }

    // Which children are active and visible, as "a-c" style text: the id for a shown child,
    // "-" for a hidden one.
    static std::string Shown(Switch* node)
    {
        std::string shown;
        for (INode* child : node->GetChildren())
            shown += child->IsActiveAndVisible() ? child->GetId().GetText() : "-";
        return shown;
    }

    // The ids of the children that each pass reached.
    std::string RunPasses(Switch* node)
    {
        mProcessLogicState.BeginStep();
        EXPECT_TRUE(mTop->ProcessLogic(&mProcessLogicState));
        mProcessLogicState.EndStep();
        mPrepareOutputState.Begin();
        EXPECT_TRUE(mTop->PrepareOutput(&mPrepareOutputState));
        mPrepareOutputState.End();
        std::string logic;
        std::string output;
        for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i) {
            Testing::ProbeNode* probe = Probe(node, i);
            logic += probe->mLogic.mVisits > 0 ? probe->GetId().GetText() : "-";
            output += probe->mOutput.mVisits > 0 ? probe->GetId().GetText() : "-";
            probe->mLogic.mVisits = 0;
            probe->mOutput.mVisits = 0;
        }
        return logic + "/" + output;
    }

    PrepareOutputState mPrepareOutputState;
    Testing::NodeClassRegistration mClasses;
    INode* mTop = nullptr;
};

TEST_F(SwitchTest, WithoutSelectionHidesAndSkipsEveryChild)
{
    Switch* node = BuildSwitch("");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init(mTop));
    EXPECT_EQ(Shown(node), "---");
    EXPECT_EQ(node->GetIndex(), -1);
    EXPECT_EQ(node->GetSelectedChild(), nullptr);
    EXPECT_FALSE(node->IsSelectedChildId(String("")));
    EXPECT_FALSE(node->IsSelectedChildId(""));
    EXPECT_FALSE(node->IsSelectedChildId(String("a")));
    EXPECT_EQ(RunPasses(node), "---/---");
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(SwitchTest, InitialSelectionShowsAndProcessesOnlyThatChild)
{
    struct Case
    {
        const char* mAttributes;
        const char* mShown;
        SInt32 mIndex;
    };
    const Case cases[] = {
        {"index='1'", "-b-", 1},
        {"selectedChildId='c'", "--c", 2},
        {"index='0'", "a--", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAttributes);
        Switch* node = BuildSwitch(c.mAttributes);
        ASSERT_NE(node, nullptr);
        ASSERT_TRUE(Init(mTop));
        EXPECT_EQ(Shown(node), c.mShown);
        EXPECT_EQ(node->GetIndex(), c.mIndex);
        EXPECT_EQ(node->GetSelectedChild(), node->GetChild(UInt32(c.mIndex)));
        EXPECT_TRUE(node->IsSelectedChildId(node->GetChild(UInt32(c.mIndex))->GetId()));
        EXPECT_TRUE(node->IsSelectedChildId(node->GetChild(UInt32(c.mIndex))->GetId().GetText()));
        EXPECT_EQ(RunPasses(node), std::string(c.mShown) + "/" + c.mShown);
        EXPECT_TRUE(DeInit(mTop));
    }
}

TEST_F(SwitchTest, SetIndexSelectsHidesOrRefuses)
{
    Switch* node = BuildSwitch("index='0'");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init(mTop));
    struct Case
    {
        SInt32 mIndex;
        Bool mResult;
        SInt32 mIndexAfter;
        const char* mShown;
    };
    const Case cases[] = {
        {2, true, 2, "--c"}, {-1, true, -1, "---"}, {1, true, 1, "-b-"},
        {3, false, -1, "---"}, {0, true, 0, "a--"}, {100, false, -1, "---"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mIndex);
        EXPECT_EQ(node->SetIndex(c.mIndex), c.mResult);
        EXPECT_EQ(node->GetIndex(), c.mIndexAfter);
        EXPECT_EQ(Shown(node), c.mShown);
        EXPECT_EQ(node->GetSelectedChild() != nullptr, c.mIndexAfter >= 0);
    }
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(SwitchTest, SelectByIdShowsEveryNamesakeAndSelectsTheLast)
{
    Switch* node = BuildSwitch("", "<Probe id='a'/><Probe id='b'/><Probe id='a'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init(mTop));
    EXPECT_TRUE(node->SetSelectedChildId(String("a")));
    EXPECT_EQ(Shown(node), "a-a");
    EXPECT_EQ(node->GetIndex(), 2);
    EXPECT_EQ(node->GetSelectedChild(), node->GetChild(2));
    // Only the selected one is processed.
    EXPECT_EQ(RunPasses(node), "--a/--a");

    EXPECT_FALSE(node->SetSelectedChildId(String("x")));
    EXPECT_EQ(Shown(node), "---");
    EXPECT_EQ(node->GetIndex(), -1);
    EXPECT_TRUE(node->SetSelectedChildId(String("b")));
    EXPECT_TRUE(node->SetSelectedChildId(String()));
    EXPECT_EQ(Shown(node), "---");
    EXPECT_EQ(node->GetSelectedChild(), nullptr);
    // The attribute stays as the graph gave it.
    EXPECT_TRUE(node->GetSelectedChildIdAttribute().IsEmpty());
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(SwitchTest, RefusesConflictingOrMissingSelection)
{
    struct Case
    {
        const char* mAttributes;
        const char* mLine;
    };
    const Case cases[] = {
        {"index='1' selectedChildId='b'",
         "Graph::Switch::InitSelf(s): Cannot specify both index (1) and ID (\"b\") for selected child\n"},
        {"index='3'", "Graph::Switch::InitSelf(s): Selected child index 3 out of range\n"},
        {"selectedChildId='x'", "Graph::Switch::InitSelf(s): Selected child \"x\" not found\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAttributes);
        Switch* node = BuildSwitch(c.mAttributes);
        ASSERT_NE(node, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init(mTop));
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.rfind(c.mLine, 0), 0u) << log;
        EXPECT_TRUE(DeInit(mTop));
    }
}

TEST_F(SwitchTest, ChildrenChangedLaterCountButKeepTheSelection)
{
    Switch* node = BuildSwitch("index='1'");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init(mTop));
    INode* b = node->GetChild(1);

    // Removing a child before the selected one moves it, yet it stays selected.
    INode* a = node->RemoveChildAt(0);
    EXPECT_EQ(node->GetNumberOfIndices(), 2u);
    EXPECT_EQ(node->GetSelectedChild(), b);
    EXPECT_EQ(RunPasses(node), "b-/b-");
    node->AddChild(a);
    EXPECT_EQ(node->GetNumberOfIndices(), 3u);

    // The selected child taken away and destroyed is no longer selected or visited.
    ASSERT_EQ(node->RemoveChild(b), b);
    ASSERT_TRUE(b->DeInit(&mDeInitState));
    Factory::DestroyGraph(b);
    EXPECT_EQ(node->GetSelectedChild(), nullptr);
    EXPECT_FALSE(node->IsSelectedChildId("b"));
    EXPECT_EQ(RunPasses(node), "--/--");
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(SwitchTest, InitialisesAgainAfterDeInit)
{
    for (const char* attributes : {"selectedChildId='b'", "index='1'"}) {
        SCOPED_TRACE(attributes);
        Switch* node = BuildSwitch(attributes);
        ASSERT_NE(node, nullptr);
        ASSERT_TRUE(Init(mTop));
        ASSERT_TRUE(node->SetIndex(2));
        ASSERT_TRUE(DeInit(mTop));
        // The current selection survives the cycle.
        ASSERT_TRUE(Init(mTop));
        EXPECT_EQ(Shown(node), "--c");
        EXPECT_TRUE(DeInit(mTop));
    }
}

TEST_F(SwitchTest, FailingSelectedChildFailsThePass)
{
    Switch* node = BuildSwitch("index='2'");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init(mTop));
    Probe(node, 2)->mFailLogic = true;
    Probe(node, 2)->mFailOutput = true;
    ::testing::internal::CaptureStderr();
    mProcessLogicState.BeginStep();
    EXPECT_FALSE(node->ProcessLogic(&mProcessLogicState));
    mPrepareOutputState.Begin();
    EXPECT_FALSE(node->PrepareOutput(&mPrepareOutputState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Switch::ProcessLogicChildren(s): Failed for child 2\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Graph::Switch::PrepareOutputChildren(s): Failed for child 2\n"), std::string::npos) << log;
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(SwitchTest, AnimatedSwitchRegistersTheIndexEvaluator)
{
    Testing::ControllerRecorder recorder;
    Switch* node = BuildSwitch("animationResourceId='flip'");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init(mTop));
    Testing::RecordingController* controller = Testing::ControllerRecorder::GetController(node);
    ASSERT_NE(controller, nullptr);
    ASSERT_EQ(controller->mEvaluators.size(), 1u);
    EXPECT_EQ(controller->mEvaluators[0], &CreateIndexAnimationEvaluator);
    EXPECT_TRUE(DeInit(mTop));
}

} // namespace
} // namespace Graph
} // namespace Vorn
