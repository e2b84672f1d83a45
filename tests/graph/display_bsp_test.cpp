#include "graph/display/display_bsp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_mesh.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Resource::MeshFace;
using Resource::MeshLeaf;
using Resource::MeshNode;
using Testing::FakeIndexBuffer;
using Testing::FakeMesh;

// Space split at x = 0: leaf 0 (x >= 0, cluster 0, faces 0 and 1) and leaf 1 (x < 0, cluster 1,
// faces 1 and 2). Faces 0 and 1 are segments 0 and 1 of index buffer 0, face 2 segment 0 of
// index buffer 1. Cluster 0 sees only itself, cluster 1 sees both. Leaf 0's sphere is straight
// ahead of a camera looking down -z, leaf 1's far to the left.
FakeMesh MakeBspMesh()
{
    FakeMesh mesh;
    mesh.mIndexBuffers.resize(2);
    mesh.mIndexBuffers[0].mSegments = {{3, 0}, {3, 3}};
    mesh.mIndexBuffers[1].mSegments = {{3, 0}};
    mesh.mIndexBuffers[1].mAuxiliarySlots[1] = 4;
    mesh.mPlanes = {{1.0f, 0.0f, 0.0f, 0.0f}};
    mesh.mNodes = {MeshNode{0, -1, -2, {}}};
    mesh.mLeaves = {MeshLeaf{0, 0, 2, {}, {0.0f, 0.0f, -10.0f}, 1.0f},
                    MeshLeaf{1, 2, 2, {}, {-50.0f, 0.0f, -10.0f}, 1.0f}};
    mesh.mLeafFaces = {0, 1, 1, 2};
    mesh.mFaces = {MeshFace{0, 0}, MeshFace{0, 1}, MeshFace{1, 0}};
    mesh.mNumberOfClusters = 2;
    mesh.mVisibilityRowSize = 1;
    mesh.mVisibilityRows = {0x1, 0x3};
    return mesh;
}

class DisplayBspTest : public Testing::ViewSceneFixture
{
protected:
    DisplayBspTest() : mMesh(MakeBspMesh()) { mCollection.AddMesh("p:bsp", &mMesh); }

    // The segments each index buffer was last handed.
    std::vector<std::vector<UInt32>> Drawn()
    {
        std::vector<std::vector<UInt32>> drawn;
        for (Display::IIndexBuffer* buffer :
             static_cast<Testing::FakeDrawable*>(mDisplay.mDrawables.at(0).drawable)->mIndexBuffers)
            drawn.push_back(static_cast<FakeIndexBuffer*>(buffer)->mSelection);
        return drawn;
    }
    std::vector<std::vector<UInt32>> DrawnWith(const std::string& camera, const std::string& bsp)
    {
        EXPECT_TRUE(DestroyScene());
        if (Scene("<View>" + camera + "<DisplayBsp meshResourceId='p:bsp' " + bsp + "/></View>") == nullptr ||
            !RunFrame() || mDisplay.mDrawables.empty())
            return {{99}};
        return Drawn();
    }

    FakeMesh mMesh;
};

using Lists = std::vector<std::vector<UInt32>>;

TEST_F(DisplayBspTest, DrawsTheFacesItsCameraCanSee)
{
    const char* narrow = "<PerspectiveCamera fieldOfViewX='0.2' ";
    // In leaf 0: only cluster 0.
    EXPECT_EQ(DrawnWith(std::string(narrow) + "/>", ""), (Lists{{0, 1}, {}}));
    // In leaf 1: both clusters, face 1 once; leaf 1's sphere is outside the cone.
    EXPECT_EQ(DrawnWith(std::string(narrow) + "xw='-1'/>", ""), (Lists{{0, 1}, {}}));
    EXPECT_EQ(DrawnWith(std::string(narrow) + "xw='-1'/>", "enableViewCulling='false'"), (Lists{{0, 1}, {0}}));
    // The tree is searched in the node's space: a camera at x = 1 is at x = -1 there.
    EXPECT_EQ(DrawnWith(std::string(narrow) + "xw='1'/>", "xw='2' enableViewCulling='false'"),
              (Lists{{0, 1}, {0}}));
    // No camera, or one without a cone: nothing.
    EXPECT_EQ(DrawnWith("", ""), (Lists{{}, {}}));
    EXPECT_EQ(DrawnWith("<OrthographicCamera unitSizeX='1'/>", ""), (Lists{{}, {}}));

    const FakeIndexBuffer* second =
        static_cast<FakeIndexBuffer*>(static_cast<Testing::FakeDrawable*>(mDisplay.mDrawables.at(0).drawable)
                                          ->mIndexBuffers.at(1));
    EXPECT_EQ(second->mAuxiliarySlots[1], 4);
    EXPECT_EQ(second->mBatchValues, (std::vector<UInt32>{3, 0}));
}

TEST_F(DisplayBspTest, ACameraLeafWithoutClusterSeesEveryLeafUnculled)
{
    mMesh.mLeaves[1].cluster = -1;
    EXPECT_EQ(DrawnWith("<PerspectiveCamera fieldOfViewX='0.2' xw='-1'/>", ""), (Lists{{0, 1}, {0}}));
}

TEST_F(DisplayBspTest, RefusesIncompleteOrInconsistentTables)
{
    struct Case
    {
        void (*damage)(FakeMesh& mesh);
        const char* line;
    };
    const Case cases[] = {
        {[](FakeMesh& m) { m.mVisibilityRows.clear(); }, "Incomplete BSP information in resource mesh \"p:bsp\""},
        {[](FakeMesh& m) { m.mLeaves.clear(); }, "Incomplete BSP information in resource mesh \"p:bsp\""},
        {[](FakeMesh& m) { m.mLeafFaces[3] = 3; }, "Inconsistent BSP information in resource mesh \"p:bsp\""},
        {[](FakeMesh& m) { m.mFaces[2].segment = 1; }, "Inconsistent BSP information"},
        {[](FakeMesh& m) { m.mNodes[0].front = 0; }, "Inconsistent BSP information"},
        {[](FakeMesh& m) { m.mLeaves[1].leafFaceCount = 3; }, "Inconsistent BSP information"},
        {[](FakeMesh& m) { m.mNumberOfClusters = 9; }, "Inconsistent BSP information"},
    };
    for (const Case& c : cases) {
        mMesh = MakeBspMesh();
        c.damage(mMesh);
        ASSERT_NE(Build("<View><DisplayBsp id='b' meshResourceId='p:bsp'/></View>"), nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                    ::testing::HasSubstr(std::string("Graph::DisplayBsp::InitSelf(b): ") + c.line));
        EXPECT_TRUE(DeInit());
        ASSERT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
