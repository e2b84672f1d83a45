#include "game/play/course_strip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/math.h"
#include "game/play/ellipse.h"
#include "graph/display/display_object.h"
#include "graph/time/timeline.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

class CourseStripTest : public Testing::ViewSceneFixture
{
protected:
    // Nine vertices (an odd count) and ten indices.
    void SetUp() override
    {
        mCollection.AddGraph("p:course",
                             "<Graph replication='0'><Namespace id='course{replication}' activeAndVisible='false'>"
                             "<DisplayObject id='display_object' maxNumberOfIndices='10' maxNumberOfVertices='9' "
                             "hasTexCoords0='true'/><Timeline id='timeline' endTime='1'/></Namespace></Graph>");
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>"
                       "<Instance id='course_container' graphResourceId='p:course' replications='2'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mPool.Init(mScene, ""));
        mEllipse.SetRadiusA(300.0f);
        mEllipse.SetRadiusB(200.0f);
        mEllipse.SetRotation(Float(Math::Pi / 2.0));
        mEllipse.SetCentre(10.0f, 20.0f);
    }
    void TearDown() override { EXPECT_TRUE(mPool.DeInit()); }

    Graph::DisplayObject* Object() { return Find<Graph::DisplayObject>(mScene, "/course0/display_object"); }
    const Float* Vertex(UInt32 index) { return reinterpret_cast<const Float*>(Object()->GetVertexData()) + 5 * index; }

    Graph::INamespace* mScene = nullptr;
    CourseContainer mPool;
    Ellipsis mEllipse;
};

TEST_F(CourseStripTest, IndicesCloseTheBand)
{
    const UInt16* indices = Object()->GetIndexData();
    const UInt16 expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1};
    for (UInt32 i = 0; i < 10; ++i)
        EXPECT_EQ(indices[i], expected[i]) << i;
}

TEST_F(CourseStripTest, LaysTheBandAlongTheEllipse)
{
    CourseStrip* strip = mPool.Obtain();
    ASSERT_NE(strip, nullptr);
    strip->SetStyle(20);
    strip->SetStyle(21); // ignored
    EXPECT_EQ(strip->GetStyle(), 20u);
    strip->UpdateGeometry(); // no ellipse yet: nothing
    EXPECT_EQ(Vertex(0)[0], 0.0f);

    strip->SetEllipsis(&mEllipse);
    strip->UpdateGeometry();
    // Turned by a quarter: the outer point at t = 0 lies on the y axis, a + 35 above the centre.
    EXPECT_NEAR(Vertex(0)[0], 10.0f, 1e-3f);
    EXPECT_NEAR(Vertex(0)[1], 20.0f + 335.0f, 1e-2f);
    EXPECT_FLOAT_EQ(Vertex(0)[3], 61.0f / 64.0f);
    EXPECT_EQ(Vertex(0)[4], 0.0f);
    EXPECT_NEAR(Vertex(1)[1], 20.0f + 265.0f, 1e-2f);
    EXPECT_EQ(Vertex(1)[4], 1.0f);
    // Four pairs: the third starts half way round.
    EXPECT_NEAR(Vertex(4)[1], 20.0f - 335.0f, 1e-2f);
    // The odd vertex stays zero.
    for (UInt32 k = 0; k < 5; ++k)
        EXPECT_EQ(Vertex(8)[k], 0.0f);

    // A radius below the half width turns the inner edge inside out, unclamped.
    mEllipse.SetRadiusA(20.0f);
    strip->UpdateGeometry();
    EXPECT_NEAR(Vertex(1)[1], 20.0f - 15.0f, 1e-2f);

    // Hidden, it keeps its geometry.
    strip->SetActiveAndVisible(false);
    mEllipse.SetRadiusA(300.0f);
    strip->UpdateGeometry();
    EXPECT_NEAR(Vertex(1)[1], 20.0f - 15.0f, 1e-2f);
}

TEST_F(CourseStripTest, TimelineStartsAndStopsWithTheStrip)
{
    CourseStrip* strip = mPool.Obtain();
    strip->StartTimeline();
    EXPECT_TRUE(strip->IsTimelineRunning());
    strip->SetActiveAndVisible(false);
    EXPECT_FALSE(strip->IsTimelineRunning());
    strip->StartTimeline();
    strip->Reset();
    EXPECT_FALSE(strip->IsTimelineRunning());
    EXPECT_EQ(strip->GetStyle(), 0u);
}

} // namespace
} // namespace App
} // namespace Vorn
