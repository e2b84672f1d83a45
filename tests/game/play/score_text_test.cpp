#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "game/play/score_text.h"
#include "graph/parameters.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scale.h"
#include "tests/support/fake_text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

const char kScoreGraph[] =
    "<Graph replication='0'><Namespace id='scores{replication}' activeAndVisible='false'>"
    "  <Timeline id='score_timeline' endTime='1'/>"
    "  <Transform id='score_transform'><Scale id='score_scale'><Parameters id='score_color'/>"
    "    <FakeText id='score_text'/></Scale></Transform>"
    "</Namespace></Graph>";

const char kContainer[] =
    "<View><Instance id='scoretext_container' graphResourceId='app:scores' replications='12'/></View>";

class ScoreTextTest : public Testing::ViewSceneFixture
{
protected:
    ScoreTextTest() : mTextClass(mFactory, {{"FakeText", &Testing::TextNode::Create}}) {}
    void SetUp() override
    {
        mCollection.AddGraph("app:scores", kScoreGraph);
        mScene = Scene(kContainer);
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mPool.Init(mScene, ""));
        ASSERT_EQ(mPool.GetCount(), 12u);
    }
    void TearDown() override { EXPECT_TRUE(mPool.DeInit()); }

    template <typename T>
    T* Node(UInt32 index, const char* node)
    {
        return Find<T>(mScene, ("scores" + std::to_string(index) + node).c_str());
    }
    Graph::ITimeline* Timeline(UInt32 index) { return Node<Graph::ITimeline>(index, "/score_timeline"); }

    // Shows a text at (x, y) and gives back where it was placed.
    Math::Vector<Float> Show(Float x, Float y, Float duration = 1.0f)
    {
        Math::Vector<Float> position(x, y, 0.0f, 1.0f);
        mPool.ShowScore("100", position, Math::Vector<Float>(1.0f, 0.5f, 0.25f, 1.0f), duration, 1.5f);
        return position;
    }

    Testing::NodeClassRegistration mTextClass;
    Graph::INamespace* mScene = nullptr;
    ScoreTextContainer mPool;
};

TEST_F(ScoreTextTest, ShowsTheTextWithItsColourScaleAndDuration)
{
    Show(10.0f, 20.0f, 0.5f);

    ScoreText* text = mPool.GetEntry(0);
    EXPECT_TRUE(mPool.IsEntryUsed(0));
    EXPECT_TRUE(text->IsShowing());
    EXPECT_FLOAT_EQ(Timeline(0)->GetTimeScale(), 2.0f);
    EXPECT_TRUE(Node<Graph::IText>(0, "/score_text")->GetText() == "100");
    const Math::Vector<float>& scale = Node<Graph::Scale>(0, "/score_scale")->GetScaleFactor();
    EXPECT_EQ(scale, Math::Vector<float>(1.5f, 1.5f, 1.0f, 0.0f));
    const Color colour = Node<Graph::IParameters>(0, "/score_color")->GetColor(1);
    EXPECT_FLOAT_EQ(colour.green, 0.5f);
    EXPECT_FLOAT_EQ(colour.blue, 0.25f);
    EXPECT_EQ(text->GetPosition(), Math::Vector<Float>(10.0f, 20.0f, 0.0f, 1.0f));
    EXPECT_TRUE(Node<Graph::INode>(0, "")->IsActive());
}

TEST_F(ScoreTextTest, ANewTextStepsBelowTheRunningTextsItWouldCover)
{
    EXPECT_FLOAT_EQ(Show(0.0f, 0.0f).y, 0.0f);
    EXPECT_FLOAT_EQ(Show(0.0f, 0.0f).y, -70.0f);
    EXPECT_FLOAT_EQ(Show(0.0f, 0.0f).y, -140.0f);
    EXPECT_FLOAT_EQ(mPool.GetEntry(2)->GetPosition().y, -140.0f);
}

TEST_F(ScoreTextTest, OnlyRunningTextsWithinTheBoxMoveANewOne)
{
    struct Case {
        Float x, y;
        Float placedY;
    };
    const Case cases[] = {
        {120.0f, 0.0f, 0.0f},  {-120.0f, 0.0f, 0.0f}, {0.0f, 70.0f, 70.0f},
        {0.0f, -70.0f, -70.0f}, {119.0f, 69.0f, -70.0f}, {-119.0f, -69.0f, -70.0f},
    };
    for (const Case& c : cases) {
        mPool.ReleaseAll();
        Show(0.0f, 0.0f);
        EXPECT_FLOAT_EQ(Show(c.x, c.y).y, c.placedY) << c.x << ", " << c.y;
    }

    // An ended text is no obstacle even before the step takes it back.
    mPool.ReleaseAll();
    Show(0.0f, 0.0f);
    Timeline(0)->Stop();
    EXPECT_FLOAT_EQ(Show(0.0f, 0.0f).y, 0.0f);
}

TEST_F(ScoreTextTest, TheSearchStopsAfterTenMovesAndAFullPoolDropsTheText)
{
    // The n-th text at one place lands n - 1 steps down, but never more than ten.
    for (UInt32 i = 0; i < 11; ++i)
        EXPECT_FLOAT_EQ(Show(0.0f, 0.0f).y, -70.0f * Float(i));
    EXPECT_FLOAT_EQ(Show(0.0f, 0.0f).y, -700.0f);
    EXPECT_EQ(mPool.GetNumUsed(), 12u);

    Show(1000.0f, 1000.0f);
    EXPECT_EQ(mPool.GetNumUsed(), 12u);
}

TEST_F(ScoreTextTest, TheStepTakesBackEndedTexts)
{
    Show(0.0f, 0.0f);
    Show(500.0f, 0.0f);
    Show(-500.0f, 0.0f);
    Timeline(1)->Stop();
    Timeline(2)->Stop();

    mPool.Step(0.0);

    EXPECT_EQ(mPool.GetNumUsed(), 1u);
    EXPECT_EQ(mPool.GetUsedEnd(), 1u);
    EXPECT_FALSE(Node<Graph::INode>(1, "")->IsActive());
    EXPECT_TRUE(Node<Graph::INode>(0, "")->IsActive());
    // The freed entries serve again.
    Show(500.0f, 0.0f);
    EXPECT_EQ(mPool.GetNumUsed(), 2u);
}

TEST_F(ScoreTextTest, DurationsThatWouldNeverEndShowNothing)
{
    for (Float duration : {0.0f, -1.0f, std::numeric_limits<Float>::quiet_NaN(),
                           std::numeric_limits<Float>::infinity(), 1e-45f})
        Show(0.0f, 0.0f, duration);
    EXPECT_EQ(mPool.GetNumUsed(), 0u);
}

TEST_F(ScoreTextTest, InitFailsForAMissingNodeOrContainer)
{
    ScoreTextContainer elsewhere;
    EXPECT_FALSE(elsewhere.Init(mScene, "/nowhere"));

    mCollection.AddGraph("app:bare", "<Graph replication='0'><Namespace id='scores{replication}'>"
                                     "<Timeline id='score_timeline'/></Namespace></Graph>");
    ASSERT_TRUE(mPool.DeInit());
    ASSERT_TRUE(DestroyScene());
    mScene = Scene("<View><Instance id='scoretext_container' graphResourceId='app:bare' replications='1'/></View>");
    ASSERT_NE(mScene, nullptr);
    ScoreTextContainer bare;
    EXPECT_FALSE(bare.Init(mScene, ""));
    EXPECT_TRUE(bare.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
