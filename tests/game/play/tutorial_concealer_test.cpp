#include "game/play/tutorial_concealer.h"

#include <gtest/gtest.h>

#include "graph/display/display_object.h"
#include "graph/node.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// Twelve vertices: room for the five corners' ten and two more that must stay zero.
const char kScene[] = "<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>"
                      "<Namespace id='stage_game'><Namespace id='tutorial_concealer' activeAndVisible='false'>"
                      "<DisplayObject id='display_object' maxNumberOfIndices='12' maxNumberOfVertices='12' "
                      "hasTexCoords0='true'/><Timeline id='timeline' endTime='1'/></Namespace></Namespace></View>";

class TutorialConcealerTest : public Testing::ViewSceneFixture
{
protected:
    void SetUp() override
    {
        mClock.mStepDuration = 0.1;
        mProcessLogicState.Begin();
        mScene = Scene(kScene);
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mConcealer.Init(mScene, "/stage_game/tutorial_concealer"));
    }
    void TearDown() override { EXPECT_TRUE(mConcealer.DeInit()); }

    Graph::DisplayObject* Object() { return Find<Graph::DisplayObject>(mScene, "/stage_game/tutorial_concealer/display_object"); }
    const Float* Vertex(UInt32 index) { return reinterpret_cast<const Float*>(Object()->GetVertexData()) + 5 * index; }
    Bool IsOn() { return mConcealer.GetNode()->IsActiveAndVisible(); }
    // One logic step of the graph (the fade's timeline moves), then the concealer's frame.
    void Step()
    {
        EXPECT_TRUE(RunLogic());
        mConcealer.Update();
    }

    Graph::INamespace* mScene = nullptr;
    TutorialConcealer mConcealer;
};

TEST_F(TutorialConcealerTest, InitOrdersTheCoverAboveThePlayFieldAndNumbersTheIndices)
{
    EXPECT_EQ(Find<Graph::ITransform>(mScene, "/stage_game/tutorial_concealer/display_object")->GetDepthOrder(), 690000);
    const UInt16* indices = Object()->GetIndexData();
    for (UInt32 i = 0; i < 12; ++i)
        EXPECT_EQ(indices[i], i);

    TutorialConcealer missing;
    EXPECT_FALSE(missing.Init(mScene, "/stage_game/nowhere"));
    EXPECT_TRUE(missing.DeInit());
    // An unbound concealer ignores every call.
    missing.Reset();
    missing.Show();
    missing.Update();
    missing.Hide();
}

TEST_F(TutorialConcealerTest, KeepsFiveCornersAndFansThemToTheCentre)
{
    for (int i = 0; i < 6; ++i)
        mConcealer.AddCorner(Float(10 * i), Float(-i), 0.0f, 0.0f);
    ASSERT_EQ(mConcealer.GetNumberOfCorners(), 5u);
    EXPECT_EQ(mConcealer.GetCorner(4).x, 40.0f);
    mConcealer.SetCentre(80.0f, 50.0f, 0.0f, 0.0f);
    mConcealer.Update(); // hidden: nothing written
    EXPECT_EQ(Vertex(0)[3], 0.0f);

    mConcealer.Show();
    mConcealer.Update();
    for (UInt32 i = 0; i < 5; ++i) {
        EXPECT_EQ(Vertex(2 * i)[0], Float(10 * i)) << i;
        EXPECT_EQ(Vertex(2 * i)[1], -Float(i)) << i;
        EXPECT_FLOAT_EQ(Vertex(2 * i)[3], 1.0f / 64.0f) << i;
        EXPECT_EQ(Vertex(2 * i)[4], 0.0f) << i;
        EXPECT_EQ(Vertex(2 * i + 1)[0], 80.0f) << i;
        EXPECT_EQ(Vertex(2 * i + 1)[1], 50.0f) << i;
        EXPECT_EQ(Vertex(2 * i + 1)[4], 1.0f) << i;
    }
    EXPECT_EQ(Vertex(10)[3], 0.0f);
    EXPECT_EQ(Object()->GetNumberOfVertices(), 12u);

    mConcealer.SetRow(2);
    mConcealer.Update();
    EXPECT_FLOAT_EQ(Vertex(0)[3], 7.0f / 64.0f);
}

TEST_F(TutorialConcealerTest, OldCornersLeaveNoTrianglesBehind)
{
    mConcealer.Show();
    for (int i = 0; i < 5; ++i)
        mConcealer.AddCorner(100.0f, 100.0f, 0.0f, 0.0f);
    mConcealer.Update();
    mConcealer.ClearCorners();
    EXPECT_EQ(mConcealer.GetCentre().w, 1.0f);
    mConcealer.AddCorner(7.0f, 8.0f, 0.0f, 0.0f);
    mConcealer.Update();
    EXPECT_EQ(Vertex(0)[0], 7.0f);
    for (UInt32 v = 2; v < 12; ++v)
        for (UInt32 k = 0; k < 5; ++k)
            EXPECT_EQ(Vertex(v)[k], 0.0f) << v << " " << k;

    mConcealer.ClearCorners();
    mConcealer.Update();
    for (UInt32 k = 0; k < 5; ++k)
        EXPECT_EQ(Vertex(0)[k], 0.0f);
}

TEST_F(TutorialConcealerTest, HideFadesBackAndSwitchesOffOnceTheFadeEnds)
{
    mConcealer.Show();
    EXPECT_TRUE(IsOn());
    EXPECT_TRUE(mConcealer.IsShowing());
    auto* timeline = Find<Graph::ITimeline>(mScene, "/stage_game/tutorial_concealer/timeline");
    EXPECT_EQ(timeline->GetStartTime(), 0.5f);
    EXPECT_EQ(timeline->GetEndTime(), 1.0f);
    EXPECT_TRUE(timeline->IsRunning());
    for (int i = 0; i < 10; ++i)
        Step();
    EXPECT_TRUE(IsOn());

    mConcealer.Hide();
    EXPECT_FALSE(mConcealer.IsShowing());
    EXPECT_EQ(timeline->GetStartTime(), 1.0f);
    EXPECT_EQ(timeline->GetEndTime(), 0.75f);
    mConcealer.Update(); // the fade still runs
    EXPECT_TRUE(IsOn());
    int steps = 0;
    while (IsOn() && steps < 20) {
        Step();
        ++steps;
    }
    EXPECT_FALSE(IsOn());
    EXPECT_GE(steps, 2);

    mConcealer.Show();
    mConcealer.HideNow();
    EXPECT_FALSE(IsOn());
    mConcealer.Show();
    mConcealer.AddCorner(1.0f, 1.0f, 0.0f, 0.0f);
    mConcealer.SetRow(3);
    mConcealer.Reset();
    EXPECT_FALSE(IsOn());
    EXPECT_FALSE(timeline->IsRunning());
    EXPECT_EQ(mConcealer.GetNumberOfCorners(), 0u);
    EXPECT_EQ(mConcealer.GetRow(), 0u);
}

} // namespace
} // namespace App
} // namespace Vorn
