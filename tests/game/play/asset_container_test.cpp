#include <gtest/gtest.h>

#include <string>

#include "foundation/math.h"
#include "game/play/asset_container.h"
#include "game/play/level_data.h"
#include "graph/display/display_plane.h"
#include "graph/display/display_plane_sequence.h"
#include "graph/switch.h"
#include "graph/transform/transform.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

std::string Background(const char* id, unsigned assets)
{
    return std::string("<Namespace id='") + id +
           "'><DisplayPlaneSequence id='screen' atlasResourceId='p:atlas'/>"
           "<Instance id='asset_container' graphResourceId='p:asset' replications='" +
           std::to_string(assets) + "'/></Namespace>";
}

class AssetContainerTest : public Testing::ViewSceneFixture
{
protected:
    void SetUp() override
    {
        // Pictures of 31, 32 and 10 pixels square.
        mCollection.AddAtlas("p:atlas", {Resource::AtlasRectangle{0, 0, 1, 1, -15.5f, 15.5f, 15.5f, -15.5f},
                                         Resource::AtlasRectangle{0, 0, 1, 1, -16.0f, 16.0f, 16.0f, -16.0f},
                                         Resource::AtlasRectangle{0, 0, 1, 1, -5.0f, 5.0f, 5.0f, -5.0f}});
        mCollection.AddGraph("p:asset", "<Graph replication='0'><DisplayPlaneSequence id='asset{replication}' "
                                        "atlasResourceId='p:atlas' activeAndVisible='false'/></Graph>");
        mScene = Scene("<View><Namespace id='stage_game'><Switch id='bg_switch'><Transform/><Transform/></Switch>"
                       "</Namespace><Namespace id='framebuffer'>" +
                       Background("bg_grass", 3) + Background("bg_beach", 2) +
                       "<Namespace id='bg_zen'><DisplayPlane id='screen'/></Namespace></Namespace></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mAssets.Init("/framebuffer", "/stage_game"));
        Switch()->SetIndex(1);
    }
    void TearDown() override { EXPECT_TRUE(mAssets.DeInit()); }

    Graph::ISwitch* Switch() { return Find<Graph::ISwitch>(mScene, "stage_game/bg_switch"); }
    Graph::DisplayPlaneSequence* Screen(const char* background)
    {
        return Find<Graph::DisplayPlaneSequence>(mScene, (std::string("framebuffer/") + background + "/screen").c_str());
    }
    const Math::Matrix<float>& AssetMatrix(UInt32 index)
    {
        return static_cast<const Graph::ITransform*>(
                   Find<Graph::DisplayPlaneSequence>(
                       mScene, ("framebuffer/bg_grass/asset" + std::to_string(index)).c_str()))
            ->GetTransform();
    }

    Graph::INamespace* mScene = nullptr;
    AssetContainer mAssets;
};

TEST_F(AssetContainerTest, ACampaignBackgroundIsShownFramedAndScaled)
{
    ASSERT_TRUE(mAssets.InitBackground(mScene, "bg_grass"));
    EXPECT_EQ(Switch()->GetIndex(), 0);
    EXPECT_EQ(mAssets.GetCount(), 3u);
    EXPECT_EQ(mAssets.GetBackgroundFrameCount(), 3u);
    mAssets.SelectBackgroundFrame(2);
    EXPECT_EQ(Screen("bg_grass")->GetIndex(), 2);
    mAssets.SelectBackgroundFrame(3); // past the last frame: the shown one stays
    EXPECT_EQ(Screen("bg_grass")->GetIndex(), 2);
    mAssets.SetBackgroundScale(1280.0f, 800.0f);
    EXPECT_FLOAT_EQ(Screen("bg_grass")->GetScaleFactorX(), 1286.4f);
    EXPECT_FLOAT_EQ(Screen("bg_grass")->GetScaleFactorY(), 804.0f);
    mAssets.SetBackgroundActive(false);
    EXPECT_FALSE(Find<Graph::INode>(mScene, "framebuffer")->IsActive());
}

TEST_F(AssetContainerTest, EntriesArePlacedOnThePixelGridUntilThePoolRunsOut)
{
    ASSERT_TRUE(mAssets.InitBackground(mScene, "bg_grass"));
    const Float quarter = Float(Math::Pi / 2.0);
    AssetEntry entries[4];
    entries[0] = AssetEntry{0, 10.4f, 10.4f, 70, quarter, 2.0f, 0.5f};
    entries[1] = AssetEntry{1, 10.4f, -10.5f, 80, 0.0f, 1.0f, 1.0f};
    entries[2] = AssetEntry{2, -3.0f, 4.0f, 90, 0.0f, 1.0f, 1.0f};
    entries[3] = AssetEntry{0, 0.0f, 0.0f, 0, 0.0f, 1.0f, 1.0f};
    EXPECT_EQ(mAssets.PlaceAssets(entries, 4), 3u);

    // An odd number of pixels lands on a half pixel, an even one on a whole pixel.
    EXPECT_FLOAT_EQ(AssetMatrix(0)[12], 10.5f);
    EXPECT_FLOAT_EQ(AssetMatrix(0)[13], 10.5f);
    EXPECT_FLOAT_EQ(AssetMatrix(1)[12], 10.0f);
    EXPECT_FLOAT_EQ(AssetMatrix(1)[13], -11.0f);
    EXPECT_NEAR(AssetMatrix(0)[1], 1.0f, 1e-6f);
    EXPECT_NEAR(AssetMatrix(0)[4], -1.0f, 1e-6f);

    Asset* first = mAssets.GetEntry(0);
    EXPECT_EQ(first->GetPlaneIndex(), 0u);
    EXPECT_FLOAT_EQ(first->GetScale().x, 2.0f);
    EXPECT_FLOAT_EQ(first->GetScale().y, 0.5f);
    EXPECT_FLOAT_EQ(Find<Graph::DisplayPlaneSequence>(mScene, "framebuffer/bg_grass/asset0")->GetScaleFactorZ(), 1.0f);
    EXPECT_FLOAT_EQ(first->GetWidth(), 62.0f);
    EXPECT_EQ(Find<Graph::DisplayPlaneSequence>(mScene, "framebuffer/bg_grass/asset2")->GetIndex(), 2);
    // Every asset is index 0 of its pool: the entry's depth alone orders it.
    EXPECT_EQ(mAssets.GetEntry(2)->GetDepthOrderOffset(), 0);
    EXPECT_EQ(static_cast<const Graph::ITransform*>(
                  Find<Graph::DisplayPlaneSequence>(mScene, "framebuffer/bg_grass/asset2"))
                  ->GetDepthOrder(),
              90);
}

TEST_F(AssetContainerTest, ALaterBackgroundRebindsTheScreenAndThePool)
{
    ASSERT_TRUE(mAssets.InitBackground(mScene, "bg_grass"));
    mAssets.Obtain();
    ASSERT_TRUE(mAssets.InitBackground(mScene, "bg_beach"));
    EXPECT_EQ(mAssets.GetCount(), 2u);
    EXPECT_EQ(mAssets.GetNumUsed(), 0u);
    mAssets.SelectBackgroundFrame(1);
    EXPECT_EQ(Screen("bg_beach")->GetIndex(), 1);
    EXPECT_NE(Screen("bg_grass")->GetIndex(), 1);

    ASSERT_TRUE(mAssets.InitZenBackground(mScene, "bg_zen"));
    EXPECT_EQ(Switch()->GetIndex(), 1);
    EXPECT_EQ(mAssets.GetBackgroundFrameCount(), 0u);
    EXPECT_EQ(mAssets.Obtain(), nullptr); // the zen background has no decorations
    mAssets.SetBackgroundScale(1000.0f, 600.0f);
    EXPECT_FLOAT_EQ(Find<Graph::DisplayPlane>(mScene, "framebuffer/bg_zen/screen")->GetScaleFactorX(), 1005.0f);
    EXPECT_FLOAT_EQ(Screen("bg_beach")->GetScaleFactorX(), 1.0f);
}

TEST_F(AssetContainerTest, AMissingBackgroundFailsAndLeavesTheSwitch)
{
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mAssets.InitBackground(mScene, "bg_autumn"));
    EXPECT_FALSE(mAssets.InitZenBackground(mScene, "bg_autumn"));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Switch()->GetIndex(), 1);
    EXPECT_EQ(mAssets.Obtain(), nullptr);
    EXPECT_EQ(mAssets.GetBackgroundFrameCount(), 0u);
    mAssets.SelectBackgroundFrame(0);
    mAssets.SetBackgroundScale(10.0f, 10.0f);

    AssetContainer stageless;
    ASSERT_TRUE(stageless.Init("/framebuffer", "/no_stage"));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(stageless.InitBackground(mScene, "bg_grass"));
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(stageless.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
