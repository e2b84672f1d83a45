#include "graph/display/display_cube.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeDrawable;
using Testing::FakeIndexBuffer;
using Testing::FakeVertexBuffer;

class DisplayCubeTest : public Testing::ViewSceneFixture
{
};

TEST_F(DisplayCubeTest, ScalesOnlyThePositionsOfACopy)
{
    INamespace* scene = Scene("<View><DisplayCube id='unit'/><DisplayCube id='big' size='2'/></View>");
    ASSERT_NE(scene, nullptr);
    DisplayCube* unit = Find<DisplayCube>(scene, "unit");
    DisplayCube* big = Find<DisplayCube>(scene, "big");
    const Float* u = unit->GetVertexData();
    const Float* b = big->GetVertexData();
    EXPECT_NE(u, b);
    for (UInt32 i = 0; i < DisplayCube::kNumberOfVertices * DisplayCube::kFloatsPerVertex; ++i) {
        const Bool position = (i % DisplayCube::kFloatsPerVertex) < 3;
        EXPECT_EQ(b[i], position ? 2.0f * u[i] : u[i]) << i;
    }
    // Vertex 17: (0.5, -0.5, 0.5) on the x = +0.5 face, orange, texture corner (1, 0).
    const Float* v = &u[17 * DisplayCube::kFloatsPerVertex];
    const Float expected[12] = {0.5f, -0.5f, 0.5f, 1, 0, 0, 1, 0, 1, 0.5f, 0, 1};
    for (UInt32 j = 0; j < 12; ++j)
        EXPECT_EQ(v[j], expected[j]) << j;

    const FakeDrawable* drawable = static_cast<FakeDrawable*>(big->GetDisplayDrawable());
    EXPECT_FLOAT_EQ(drawable->mRadius, std::sqrt(3.0f));
    const FakeVertexBuffer* vertices = static_cast<FakeVertexBuffer*>(drawable->mVertexBuffers.at(0));
    EXPECT_EQ(vertices->mVertexSize, 48u);
    ASSERT_EQ(vertices->mAttributes.size(), 4u);
    EXPECT_EQ(vertices->mAttributes[3].first, Enums::VertexAttribute::COLOR);
    EXPECT_EQ(vertices->mAttributes[3].second, 32u);
    const FakeIndexBuffer* indices = static_cast<FakeIndexBuffer*>(drawable->mIndexBuffers.at(0));
    EXPECT_EQ(indices->mCapacity, 36u);
    EXPECT_EQ(indices->mData[6], 4);
    EXPECT_EQ(indices->mData[7], 6);
    EXPECT_EQ(indices->mPrimitiveType, Enums::PrimitiveType::TRIANGLES);
}

TEST_F(DisplayCubeTest, IsCulledByAPerspectiveViewOnlyAndDrawnWithItsBuffer)
{
    // Far to the side of the perspective camera's cone; the orthographic view culls nothing.
    ASSERT_NE(Scene("<View><PerspectiveCamera fieldOfViewX='0.5'/><DisplayCube xw='500' zw='-10'/></View>"
                    "<View><OrthographicCamera unitSizeX='1'/><DisplayCube id='o' xw='500' zw='-10'/></View>"),
              nullptr);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mDrawables.size(), 1u);
    const auto& record = mDisplay.mDrawables[0];
    EXPECT_EQ(record.transform[12], 500.0f);
    EXPECT_EQ(record.vertexBuffers[0], static_cast<FakeDrawable*>(record.drawable)->mVertexBuffers.at(0));
    EXPECT_EQ(record.vertexBuffers[1], nullptr);
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);
}

TEST_F(DisplayCubeTest, SuspendFollowsTheReleaseMask)
{
    INamespace* scene = Scene("<View><DisplayCube id='c'/></View>");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(RunFrame());
    const FakeDrawable* drawable = static_cast<FakeDrawable*>(Find<DisplayCube>(scene, "c")->GetDisplayDrawable());

    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::AUDIO_BUFFER));
    ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
    EXPECT_TRUE(drawable->IsInitialized());
    ASSERT_TRUE(mRoot->Resume(&mInitState));
    ASSERT_TRUE(RunFrame());
    EXPECT_TRUE(mDisplay.mUpdates.empty());

    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::OTHER));
    ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
    EXPECT_FALSE(drawable->IsInitialized());
    ASSERT_TRUE(mRoot->Resume(&mInitState));
    ASSERT_TRUE(RunFrame());
    EXPECT_TRUE(drawable->IsInitialized());
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);
}

} // namespace
} // namespace Graph
} // namespace Vorn
