#include "graph/display/bone.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeBone;
using Testing::ProbeNode;

class BoneTest : public Testing::ViewSceneFixture
{
};

TEST_F(BoneTest, TransformIsPoseTimesBoneAndChildrenSeeThisStepsProduct)
{
    INamespace* scene = Scene("<View><Bone id='b' xw='2'><Probe id='p'/></Bone></View>");
    ASSERT_NE(scene, nullptr);
    Bone* bone = Find<Bone>(scene, "b");
    ProbeNode* probe = Find<ProbeNode>(scene, "p");
    ASSERT_TRUE(RunFrame());
    // Both identity at first: the transform is the pose the attributes gave.
    EXPECT_EQ(bone->GetComposedTransform()[12], 2.0f);
    EXPECT_EQ(probe->mLogic.mTransform[12], 2.0f);

    // A pose written through ITransform is read at the next step, not before.
    ITransform* transform = bone;
    transform->SetPositionX(5.0f);
    EXPECT_EQ(bone->GetComposedTransform()[12], 2.0f);
    EXPECT_EQ(static_cast<const ITransform*>(bone)->GetTransform()[12], 5.0f);
    bone->GetBoneMatrix()[13] = 3.0f;
    ASSERT_TRUE(RunLogic());
    EXPECT_EQ(bone->GetComposedTransform()[12], 5.0f);
    EXPECT_EQ(bone->GetComposedTransform()[13], 3.0f);
    EXPECT_EQ(probe->mLogic.mTransform[12], 5.0f);
    EXPECT_EQ(probe->mLogic.mTransform[13], 3.0f);

    // The display bone gets the world matrix of the output passes.
    ASSERT_TRUE(RunOutput());
    const FakeBone* display = static_cast<FakeBone*>(bone->GetBoneObject());
    EXPECT_EQ(display->mMatrix[12], 5.0f);
    EXPECT_EQ(display->mMatrix[13], 3.0f);
}

TEST_F(BoneTest, AFailingBoneInitLeavesTheNodeUninitialised)
{
    mDisplay.mFailingInits.insert("Bone");
    ASSERT_NE(Build("<View><Bone id='b'/></View>"), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::HasSubstr("Graph::Bone::InitSelf(b): Failed to initialize bone object"));
    EXPECT_TRUE(DeInit());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

} // namespace
} // namespace Graph
} // namespace Vorn
