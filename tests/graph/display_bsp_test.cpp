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

using Testing::FakeIndexBuffer;
using Testing::FakeMesh;
using Testing::MakeSmallBspMesh;

class DisplayBspTest : public Testing::ViewSceneFixture
{
protected:
    DisplayBspTest() : mMesh(MakeSmallBspMesh()) { mCollection.AddMesh("p:bsp", &mMesh); }

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
        mMesh = MakeSmallBspMesh();
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
