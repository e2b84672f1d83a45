#include "graph/render/slot_node.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "graph/render/bone_slot.h"
#include "graph/render/material_slot.h"
#include "graph/render/parameters_slot.h"
#include "graph/render/texture_slot.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// The bound nodes, each made before its slot node.
const char* const kBoundNodes = "<FlatFrameBufferTexture id='t' w='8' h='8'/><FixedProgram id='prog'/>"
                                "<Material id='m' programId='prog'/><Parameters id='q'/><Bone id='b'/>";

class SlotNodeTest : public Testing::ViewSceneFixture
{
protected:
    INamespace* SceneWithSlots(const std::string& slots)
    {
        return Scene(std::string("<View>") + kBoundNodes + "<DisplayPlane/>" + slots + "<DisplayPlane/></View>");
    }
    UInt32 References(INamespace* scene, const char* id) { return Find<Node>(scene, id)->GetReferenceCount(); }
};

TEST_F(SlotNodeTest, BindInViewOrderForTheDrawablesAfterThem)
{
    INamespace* scene = SceneWithSlots("<TextureSlot id='ts' textureId='t' slot='2' unit='1'/>"
                                       "<MaterialSlot materialId='m' slot='3'/>"
                                       "<ParametersSlot parametersId='q' slot='4'/>"
                                       "<BoneSlot boneId='b' slot='5' xw='7'/>");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mDrawables.size(), 2u);
    const auto& before = mDisplay.mDrawables[0];
    const auto& after = mDisplay.mDrawables[1];
    Display::ITexture* texture = Find<Texture>(scene, "t")->GetTextureObject();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(before.textures.count({2, 1}), 0u);
    EXPECT_EQ(after.textures.at({2, 1}), texture);
    EXPECT_EQ(after.materials.at(3), Find<Material>(scene, "m")->GetMaterialObject());
    EXPECT_EQ(after.parameters.at(4), Find<Parameters>(scene, "q")->GetParametersObject());
    EXPECT_EQ(after.bones.at(5), Find<Bone>(scene, "b")->GetBoneObject());
    EXPECT_EQ(mDisplay.mBoneOffsets.at(5)[12], 7.0f);
    EXPECT_EQ(mDisplay.mBoneOffsets.at(5)[0], 1.0f);

    // Each bound node carries one reference, so it cannot go before its slot node.
    EXPECT_EQ(References(scene, "t"), 1u);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Find<Node>(scene, "t")->DeInit(&mDeInitState));
    ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(Find<Node>(scene, "ts")->DeInit(&mDeInitState));
    EXPECT_EQ(References(scene, "t"), 0u);
}

TEST_F(SlotNodeTest, AnEmptyIdClearsTheSlotAndAHiddenParametersNodeLeavesIt)
{
    INamespace* scene =
        SceneWithSlots("<TextureSlot slot='2' unit='1'/><MaterialSlot slot='3'/><ParametersSlot parametersId='q'/>");
    ASSERT_NE(scene, nullptr);
    Display::ITexture* stale = Find<Texture>(scene, "t")->GetTextureObject();
    mDisplay.mTextures[{2, 1}] = stale;
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(mDisplay.mDrawables.at(1).textures.at({2, 1}), nullptr);
    EXPECT_EQ(mDisplay.mDrawables.at(1).materials.at(3), nullptr);
    EXPECT_EQ(mDisplay.mParameterSlots.at(0), Find<Parameters>(scene, "q")->GetParametersObject());

    Find<Node>(scene, "q")->SetVisible(false);
    mDisplay.mParameterSlots[0] = nullptr;
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(mDisplay.mParameterSlots.at(0), nullptr);
    Find<Node>(scene, "q")->SetVisible(true);
    ASSERT_TRUE(RunFrame());
    EXPECT_NE(mDisplay.mParameterSlots.at(0), nullptr);
}

TEST_F(SlotNodeTest, InitFailsWithOneLineAndGivesEveryReferenceBack)
{
    const struct
    {
        const char* slot;
        const char* line;
    } cases[] = {
        {"<TextureSlot id='s' textureId='none'/>", "Graph::TextureSlot::InitSelf(s): Failed to get node \"none\""},
        {"<TextureSlot id='s' textureId='m'/>", "Graph::TextureSlot::InitSelf(s): Failed to get texture node \"m\""},
        {"<MaterialSlot id='s' materialId='t'/>", "Graph::MaterialSlot::InitSelf(s): Failed to get material node \"t\""},
        {"<ParametersSlot id='s' parametersId='b'/>",
         "Graph::ParametersSlot::InitSelf(s): Failed to get parameters node \"b\""},
        {"<BoneSlot id='s' boneId='q'/>", "Graph::BoneSlot::InitSelf(s): Failed to get bone node \"q\""},
        // A node that comes later in Init order is not registered yet.
        {"<TextureSlot id='s' textureId='late'/><FlatFrameBufferTexture id='late' w='8' h='8'/>",
         "Graph::TextureSlot::InitSelf(s): Failed to get node \"late\""},
        {"<MaterialSlot id='s' slot='128'/>", "Graph::MaterialSlot::InitSelf(s): Slot 128 is not below 128"},
        {"<TextureSlot id='s' unit='8'/>", "Graph::TextureSlot::InitSelf(s): Unit 8 is not below 8"},
    };
    for (const auto& c : cases) {
        INamespace* scene = Build(std::string("<View>") + kBoundNodes + c.slot + "</View>");
        ASSERT_NE(scene, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr(c.line));
        // A bound node still referenced, also one of the wrong class, would fail its DeInit.
        EXPECT_TRUE(DeInit()) << c.slot;
        ASSERT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
