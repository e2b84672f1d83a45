#include "graph/display/display_plane.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeDrawable;
using Testing::FakeVertexBuffer;

class DisplayPlaneTest : public Testing::ViewSceneFixture
{
protected:
    DisplayPlane* Make(const std::string& attributes)
    {
        INamespace* scene = Scene("<View><PerspectiveCamera fieldOfViewX='1'/><DisplayPlane id='p' " + attributes +
                                  "/></View>");
        return scene != nullptr ? Find<DisplayPlane>(scene, "p") : nullptr;
    }
    static FakeVertexBuffer* VertexBuffer(DisplayPlane* plane)
    {
        return static_cast<FakeVertexBuffer*>(static_cast<FakeDrawable*>(plane->GetDisplayDrawable())->mVertexBuffers.at(0));
    }
};

TEST_F(DisplayPlaneTest, BuildsItsCornersFromScaleAndTextureAttributes)
{
    struct Case
    {
        const char* attributes;
        Float halfX, halfY, u1, v1, u2, v2;
    };
    const Case cases[] = {
        {"", 0.5f, 0.5f, 0.0f, 0.0f, 1.0f, 1.0f},
        {"scaleFactor='64'", 32.0f, 32.0f, 0.0f, 0.0f, 1.0f, 1.0f},
        {"scaleFactor='64' scaleFactorY='32'", 32.0f, 16.0f, 0.0f, 0.0f, 1.0f, 1.0f},
        {"textureSizeX='512' textureStartX='128' textureEndX='256'", 0.5f, 0.5f, 0.25f, 0.0f, 0.5f, 1.0f},
        {"textureSizeY='4' textureStartY='1' textureEndY='3'", 0.5f, 0.5f, 0.0f, 0.25f, 1.0f, 0.75f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        DisplayPlane* plane = Make(c.attributes);
        ASSERT_NE(plane, nullptr);
        const Float* v = plane->GetVertexData();
        const Float expected[4][8] = {
            {-c.halfX, c.halfY, 0, 0, 0, -1, c.u1, c.v1},
            {c.halfX, c.halfY, 0, 0, 0, -1, c.u2, c.v1},
            {-c.halfX, -c.halfY, 0, 0, 0, -1, c.u1, c.v2},
            {c.halfX, -c.halfY, 0, 0, 0, -1, c.u2, c.v2},
        };
        for (UInt32 i = 0; i < 4; ++i)
            for (UInt32 j = 0; j < 8; ++j)
                EXPECT_FLOAT_EQ(v[i * 8 + j], expected[i][j]) << "vertex " << i << " float " << j;
        FakeVertexBuffer* buffer = VertexBuffer(plane);
        EXPECT_EQ(buffer->mVertexSize, 32u);
        ASSERT_EQ(buffer->mAttributes.size(), 3u);
        EXPECT_EQ(buffer->mAttributes[2].first, Enums::VertexAttribute::TEXCOORD_0);
        EXPECT_EQ(buffer->mAttributes[2].second, 24u);
        const FakeDrawable* drawable = static_cast<FakeDrawable*>(plane->GetDisplayDrawable());
        EXPECT_FLOAT_EQ(drawable->mRadius, std::sqrt(c.halfX * c.halfX + c.halfY * c.halfY));
        ASSERT_TRUE(DestroyScene());
    }
}

TEST_F(DisplayPlaneTest, RebuildsAndUploadsOnlyAfterAChange)
{
    DisplayPlane* plane = Make("");
    ASSERT_NE(plane, nullptr);
    ASSERT_TRUE(RunFrame());
    FakeVertexBuffer* buffer = VertexBuffer(plane);
    EXPECT_TRUE(buffer->mDynamic);
    EXPECT_EQ(buffer->mModifiedCount, 1u);
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);
    ASSERT_EQ(mDisplay.mDrawables.size(), 1u);
    EXPECT_EQ(mDisplay.mDrawables[0].vertexBuffers[0], buffer);
    EXPECT_EQ(mDisplay.mDrawables[0].vertexBuffers[1], nullptr);

    // The same scale and any z change nothing.
    plane->SetScaleFactor(1.0f, 1.0f, 7.0f);
    plane->SetScaleFactorZ(3.0f);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(buffer->mModifiedCount, 1u);
    EXPECT_TRUE(mDisplay.mUpdates.empty());
    EXPECT_EQ(plane->GetScaleFactorZ(), 1.0f);
    EXPECT_EQ(plane->GetScaleFactor().z, 1.0f);

    plane->SetScaleFactorX(4.0f);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(buffer->mModifiedCount, 2u);
    EXPECT_EQ(plane->GetVertexData()[8], 2.0f);
    EXPECT_FLOAT_EQ(static_cast<FakeDrawable*>(plane->GetDisplayDrawable())->mCentre.x, 0.0f);

    // Texture setters rebuild even with the value held.
    plane->SetTextureStart(plane->GetTextureStartX(), plane->GetTextureStartY());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(buffer->mModifiedCount, 3u);
    plane->SetTextureCoords(0.5f, 0.25f, 0.75f, 1.0f);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(plane->GetVertexData()[6], 0.5f);
    EXPECT_EQ(plane->GetVertexData()[15], 0.25f);
    EXPECT_EQ(plane->GetTextureEndX(), 0.75f);
}

TEST_F(DisplayPlaneTest, PlanesShareOneIndexBufferUntilTheLastLetsGo)
{
    INamespace* scene = Scene("<View><DisplayPlane id='a'/><DisplayPlane id='b'/></View>");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(DisplayPlane::GetNumberOfIndexBufferHolders(), 2u);
    EXPECT_EQ(mDisplay.CountLive("IndexBuffer"), 1u);
    ASSERT_TRUE(Find<DisplayPlane>(scene, "a")->DeInit(&mDeInitState));
    EXPECT_EQ(mDisplay.CountLive("IndexBuffer"), 1u);
    ASSERT_TRUE(Find<DisplayPlane>(scene, "b")->DeInit(&mDeInitState));
    EXPECT_EQ(mDisplay.CountLive("IndexBuffer"), 0u);
    EXPECT_EQ(DisplayPlane::GetNumberOfIndexBufferHolders(), 0u);
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
}

TEST_F(DisplayPlaneTest, SuspendReleasesByTheMaskAndDeInitWhileSuspendedKeepsCountsRight)
{
    INamespace* scene = Scene("<View><DisplayPlane id='a'/><DisplayPlane id='b'/></View>");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(RunFrame());
    auto indexBuffer = [&] {
        return static_cast<Testing::FakeIndexBuffer*>(
            static_cast<FakeDrawable*>(Find<DisplayPlane>(scene, "a")->GetDisplayDrawable())->mIndexBuffers.at(0));
    };

    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::DISPLAY_FRAME_BUFFER));
    ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
    EXPECT_TRUE(indexBuffer()->IsInitialized());
    ASSERT_TRUE(mRoot->Resume(&mInitState));

    mConfiguration.SetSuspendReleaseMask(0xFFFFFFFFu);
    ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
    EXPECT_FALSE(indexBuffer()->IsInitialized());
    ASSERT_TRUE(mRoot->Resume(&mInitState));
    EXPECT_TRUE(indexBuffer()->IsInitialized());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(VertexBuffer(Find<DisplayPlane>(scene, "a"))->mModifiedCount, 2u);

    // Stopped while suspended: nothing is left and nothing is destroyed initialised.
    ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
    ASSERT_TRUE(DeInit());
    EXPECT_EQ(DisplayPlane::GetNumberOfIndexBufferHolders(), 0u);
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
    ASSERT_TRUE(Init());
    EXPECT_EQ(mDisplay.CountLive("IndexBuffer"), 1u);
}

TEST_F(DisplayPlaneTest, RefusesATextureSizeOfZero)
{
    ASSERT_NE(Build("<View><DisplayPlane id='p' textureSizeY='0'/></View>"), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::HasSubstr("Graph::DisplayPlane::InitSelf(p): Texture size cannot be 0"));
    EXPECT_TRUE(DeInit());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

} // namespace
} // namespace Graph
} // namespace Vorn
