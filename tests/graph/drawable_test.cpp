#include "graph/display/drawable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_mesh.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// Every display node with the display classes it makes.
struct DisplayNodeCase
{
    const char* xml;
    std::vector<const char*> classes;
};

const std::vector<DisplayNodeCase>& DisplayNodeCases()
{
    static const std::vector<DisplayNodeCase> cases = {
        {"<DisplayObject maxNumberOfIndices='3' maxNumberOfVertices='3'/>", {"Drawable", "IndexBuffer", "VertexBuffer"}},
        {"<DisplayPlane/>", {"Drawable", "IndexBuffer", "VertexBuffer"}},
        {"<DisplayPlaneSequence atlasResourceId='p:atlas'/>", {"Drawable", "IndexBuffer", "VertexBuffer"}},
        {"<DisplayCube/>", {"Drawable", "IndexBuffer", "VertexBuffer"}},
        {"<DisplayMesh meshResourceId='p:bsp'/>", {"Drawable", "IndexBuffer", "VertexBuffer"}},
        {"<DisplayBsp meshResourceId='p:bsp'/>", {"Drawable", "IndexBuffer", "VertexBuffer"}},
        {"<Light/>", {"Light"}},
        {"<Bone/>", {"Bone"}},
    };
    return cases;
}

class DrawableTest : public Testing::ViewSceneFixture
{
protected:
    DrawableTest() : mMesh(Testing::MakeSmallBspMesh())
    {
        mCollection.AddMesh("p:bsp", &mMesh);
        mCollection.AddAtlas("p:atlas", {Resource::AtlasRectangle{0, 0, 1, 1, -1, 1, 1, -1}});
    }

    // Builds the node in a view, runs Init (expected to succeed or not), then DeInit, and checks
    // that nothing is left in the renderer and nothing was destroyed while initialised.
    void InitAndUndo(const DisplayNodeCase& c, Bool initSucceeds)
    {
        ASSERT_NE(Build(std::string("<View>") + c.xml + "</View>"), nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(Init(), initSucceeds);
        ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(mTop->DeInit(&mDeInitState));
        mInitialized = false;
        ASSERT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
        EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
    }

    Testing::FakeMesh mMesh;
};

TEST_F(DrawableTest, AFailedInitIsUndoneWithoutLeftovers)
{
    for (const DisplayNodeCase& c : DisplayNodeCases()) {
        for (const char* className : c.classes) {
            SCOPED_TRACE(std::string(c.xml) + " " + className);
            mDisplay.mRefusedClasses = {className};
            InitAndUndo(c, false);
            mDisplay.mRefusedClasses.clear();
            // A light's object has nothing to initialise.
            mDisplay.mFailingInits = {className};
            InitAndUndo(c, std::string(className) == "Light");
            mDisplay.mFailingInits.clear();
        }
    }
}

TEST_F(DrawableTest, StoppingWhileSuspendedLeavesNothing)
{
    for (const DisplayNodeCase& c : DisplayNodeCases()) {
        SCOPED_TRACE(c.xml);
        ASSERT_NE(Scene(std::string("<View><PerspectiveCamera fieldOfViewX='1'/>") + c.xml + c.xml + "</View>"),
                  nullptr);
        ASSERT_TRUE(RunFrame());
        ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
        ASSERT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
        EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
