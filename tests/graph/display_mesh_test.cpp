#include "graph/display/display_mesh.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "tests/support/fake_mesh.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeDrawable;
using Testing::FakeIndexBuffer;
using Testing::FakeMesh;
using Testing::FakeVertexBuffer;

class DisplayMeshTest : public Testing::ViewSceneFixture
{
protected:
    DisplayMeshTest()
    {
        // Two vertex buffers sharing row 0, a third in row 2.
        mMesh.mVertexBuffers.resize(3);
        mMesh.mVertexBuffers[1].mColumn = 1;
        mMesh.mVertexBuffers[1].mAttributes = {{1, 3, 0}};
        mMesh.mVertexBuffers[2].mRow = 2;
        mMesh.mIndexBuffers[0].mMaterialSlot = 3;
        mMesh.mIndexBuffers[0].mTextureSlots[1] = 5;
        mMesh.mDrawableValue = 9;
        mCollection.AddMesh("p:mesh", &mMesh);
    }
    FakeMesh mMesh;
};

TEST_F(DisplayMeshTest, SharesOneTableRecordPerRowAndSetsBothColumns)
{
    INamespace* scene = Scene("<View><DisplayMesh id='m' meshResourceId='p:mesh'/></View>");
    ASSERT_NE(scene, nullptr);
    DisplayMesh* mesh = Find<DisplayMesh>(scene, "m");
    ASSERT_EQ(mesh->GetBufferTable().GetCount(), 2);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mDrawables.size(), 1u);
    const FakeDrawable* drawable = static_cast<FakeDrawable*>(mesh->GetDisplayDrawable());
    ASSERT_EQ(drawable->mVertexBuffers.size(), 3u);
    const auto& table = mDisplay.mDrawables[0].bufferTable;
    EXPECT_EQ(table.at({0, 0}), drawable->mVertexBuffers[0]);
    EXPECT_EQ(table.at({0, 1}), drawable->mVertexBuffers[1]);
    EXPECT_EQ(table.at({2, 0}), drawable->mVertexBuffers[2]);
    EXPECT_EQ(table.at({2, 1}), nullptr);
    EXPECT_EQ(drawable->mValue, 9u);
    EXPECT_FLOAT_EQ(drawable->mRadius, std::sqrt(3.0f));
    const FakeVertexBuffer* second = static_cast<FakeVertexBuffer*>(drawable->mVertexBuffers[1]);
    ASSERT_EQ(second->mAttributes.size(), 1u);
    EXPECT_EQ(second->mAttributes[0].first, Enums::VertexAttribute::NORMAL);
    EXPECT_EQ(second->mData, mMesh.mVertexBuffers[1].mData.data());
    const FakeIndexBuffer* indices = static_cast<FakeIndexBuffer*>(drawable->mIndexBuffers.at(0));
    EXPECT_EQ(indices->mMaterialSlot, 3u);
    EXPECT_EQ(indices->mTextureSlots[1], 5);
    EXPECT_EQ(indices->mData, mMesh.mIndexBuffers[0].mIndices.data());
    EXPECT_EQ(mDisplay.mUpdates.size(), 1u);
}

TEST_F(DisplayMeshTest, ALanguageChangeRebuildsOnlyForAnotherMesh)
{
    INamespace* scene = Scene("<View><DisplayMesh id='m' meshResourceId='p:mesh'/></View>");
    ASSERT_NE(scene, nullptr);
    DisplayMesh* mesh = Find<DisplayMesh>(scene, "m");
    const UInt32 created = mDisplay.mCreatedCount;
    mConfiguration.SetLanguageChanged(true);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(mDisplay.mCreatedCount, created);

    FakeMesh other;
    mCollection.AddMesh("p:mesh", &other);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(mesh->GetBufferTable().GetCount(), 1);
    EXPECT_EQ(mDisplay.CountLive("VertexBuffer"), 1u);
    EXPECT_EQ(mDisplay.CountLive("IndexBuffer"), 1u);
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(mDisplay.mDrawables.at(0).bufferTable.at({0, 0}),
              static_cast<FakeDrawable*>(mesh->GetDisplayDrawable())->mVertexBuffers.at(0));
    ASSERT_TRUE(DeInit());
}

TEST_F(DisplayMeshTest, NeedsAMeshResource)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "Graph::DisplayMesh::InitSelf(m): No resource ID specified"},
        {"meshResourceId='p:none'", "Graph::DisplayMesh::InitSelf(m): Failed to get resource mesh \"p:none\""},
    };
    for (const auto& c : cases) {
        ASSERT_NE(Build(std::string("<View><DisplayMesh id='m' ") + c.first + "/></View>"), nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr(c.second));
        EXPECT_TRUE(DeInit());
        ASSERT_TRUE(DestroyScene());
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
