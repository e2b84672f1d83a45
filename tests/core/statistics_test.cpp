#include "core/statistics.h"

#include <gtest/gtest.h>

#include "core/configuration.h"
#include "graph/root.h"
#include "graph/transform/scale.h"
#include "tests/support/fake_clock.h"
#include "tests/support/probe_node.h"
#include "tests/support/text_node.h"
#include "tests/support/scene_fixture.h"

namespace {

using Vorn::Double;
using Vorn::String;
using Vorn::UInt32;
using Vorn::UInt64;
using Vorn::Core::Statistics;
using Vorn::System::Time;
namespace Graph = Vorn::Graph;

Time gNow;

Time ReadTestTime()
{
    return gNow;
}

// Runs the stage's timer over the given microseconds.
void Time(Statistics& statistics, Statistics::Stage stage, UInt64 microSeconds)
{
    statistics.StartTimer(stage);
    gNow += Time::FromMicroSeconds(microSeconds);
    statistics.StopTimer(stage);
}

TEST(StatisticsTest, ReportsAKnownFrameExactly)
{
    Statistics statistics(&ReadTestTime);
    statistics.Reset();
    // Two steps add up; the render time stays out of the total.
    Time(statistics, Statistics::kProc, 100);
    Time(statistics, Statistics::kProc, 100);
    Time(statistics, Statistics::kFnsh, 50);
    Time(statistics, Statistics::kStep, 30);
    Time(statistics, Statistics::kAnim, 10);
    Time(statistics, Statistics::kPrep, 70);
    Time(statistics, Statistics::kCull, 40);
    Time(statistics, Statistics::kEnqu, 20);
    Time(statistics, Statistics::kRend, 1000);
    statistics.Smooth();
    const UInt32 counts[] = {12, 11, 3, 10, 4, 5};
    for (UInt32 count = 0; count < Statistics::kNumberOfCounts; ++count)
        statistics.SetCount(Statistics::Count(count), counts[count]);

    Vorn::Testing::FakeClock clock;
    clock.mFrameDuration = 0.016;
    clock.mNumberOfSteps = 2;
    EXPECT_EQ(statistics.BuildSystemMessage(&clock), String("FPS:62\nTPF:2\n"
                                                            "\n"
                                                            "us Proc:     20\n"
                                                            "us Fnsh:      5\n"
                                                            "us Step:      3\n"
                                                            "us Anim:      1\n"
                                                            "us Prep:      7\n"
                                                            "us Cull:      4\n"
                                                            "us Enqu:      2\n"
                                                            "us Tot :     42\n"
                                                            "\n"
                                                            "# Init:     12\n"
                                                            "# Proc:     11\n"
                                                            "# Fnsh:      3\n"
                                                            "# Prep:     10\n"
                                                            "# Cull:      4\n"
                                                            "# Enqu:      5\n"
                                                            "\n"
                                                            "us Rend:    100\n"));

    clock.mFrameDuration = 0.0;
    clock.mNumberOfSteps = 0;
    EXPECT_EQ(String(statistics.BuildSystemMessage(&clock).GetText(), 12), String("FPS:0\nTPF:0\n"));
}

TEST(StatisticsTest, SteadyStageTopsNinetyNineMicrosecondsAtFrameFortyFour)
{
    Statistics statistics(&ReadTestTime);
    UInt32 frame = 0;
    while (statistics.GetSmoothedTime(Statistics::kCull) <= 99.0) {
        ++frame;
        statistics.Reset();
        Time(statistics, Statistics::kCull, 100);
        statistics.Smooth();
    }
    EXPECT_EQ(frame, 44u);
    statistics.Reset();
    EXPECT_EQ(statistics.GetFrameTime(Statistics::kCull), 0.0);
}

class StatisticsNodesTest : public Vorn::Testing::SceneFixture
{
protected:
    StatisticsNodesTest() : mClasses(mFactory, {{"TestText", &Vorn::Testing::TextNode::Create}}) {}

    Vorn::Testing::NodeClassRegistration mClasses;
};

TEST_F(StatisticsNodesTest, BindsOnlyScaleNodesAndScalesThem)
{
    Graph::INode* top = Build("<Graph><Namespace><Namespace id='debug'>"
                              "<Scale id='system_scale'/><Container id='user_scale'/>"
                              "<TestText id='system_message'/><Scale id='user_message'/>"
                              "</Namespace></Namespace></Graph>");
    ASSERT_NE(top, nullptr);
    Graph::Root root(top->GetChild(0));
    mInitState.SetRoot(&root);
    mDeInitState.SetRoot(&root);
    ASSERT_TRUE(Init(top));
    Graph::INamespace* scene = AsNamespace(top->GetChild(0));
    Graph::INode* systemScale = Find(scene, "/debug/system_scale");
    Graph::INode* userScale = Find(scene, "/debug/user_scale");

    Graph::INode* systemMessage = Find(scene, "/debug/system_message");
    Graph::INode* userMessage = Find(scene, "/debug/user_message");

    Vorn::Core::Configuration configuration;
    Statistics statistics;
    EXPECT_TRUE(statistics.BindNodes(&root, 2.0f));
    EXPECT_TRUE(statistics.HasSystemMessage());
    // Not a text node: released and ignored.
    EXPECT_FALSE(statistics.HasUserMessage());
    EXPECT_EQ(ReferenceCount(userMessage), 0u);
    statistics.SetSystemMessage(String("FPS:60"));
    statistics.SetUserMessage(String("ignored"));
    EXPECT_EQ(dynamic_cast<Vorn::Testing::TextNode*>(systemMessage)->GetText(), String("FPS:60"));
    EXPECT_EQ(ReferenceCount(systemScale), 1u);
    // Not scalable: released and ignored.
    EXPECT_EQ(ReferenceCount(userScale), 0u);
    const Vorn::Math::Vector<float>& factor = dynamic_cast<Graph::IScalable*>(systemScale)->GetScaleFactor();
    EXPECT_EQ(factor.x, 2.0f);
    EXPECT_EQ(factor.y, 2.0f);
    EXPECT_EQ(factor.z, 1.0f);

    configuration.SetCurrentStamp(5);
    configuration.SetDebugTextScale(3.0f);
    configuration.SetCurrentStamp(6);
    statistics.ConfigChanged(&configuration, 5);
    EXPECT_EQ(dynamic_cast<Graph::IScalable*>(systemScale)->GetScaleFactor().x, 3.0f);

    statistics.ReleaseNodes();
    EXPECT_EQ(ReferenceCount(systemScale), 0u);
    EXPECT_EQ(ReferenceCount(systemMessage), 0u);
    EXPECT_FALSE(statistics.HasSystemMessage());
    EXPECT_TRUE(DeInit(top));
}

TEST_F(StatisticsNodesTest, GraphsWithoutDebugNodesBindNothing)
{
    Graph::INode* top = Build("<Graph><Namespace><Container id='other'/></Namespace></Graph>");
    ASSERT_NE(top, nullptr);
    Graph::Root root(top->GetChild(0));
    mInitState.SetRoot(&root);
    mDeInitState.SetRoot(&root);
    ASSERT_TRUE(Init(top));
    Statistics statistics;
    EXPECT_TRUE(statistics.BindNodes(&root, 1.0f));
    EXPECT_FALSE(statistics.HasSystemMessage());
    EXPECT_FALSE(statistics.HasUserMessage());
    statistics.ReleaseNodes();
    EXPECT_TRUE(DeInit(top));
}

} // namespace
