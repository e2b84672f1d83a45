#include <gtest/gtest.h>

#include "game/app_context.h"
#include "game/stage_game.h"
#include "graph/display/display_plane.h"
#include "graph/time/timeline.h"
#include "graph/transform/scale.h"
#include "logic/factory.h"
#include "tests/game/game_flow_fixture.h"

namespace Vorn {
namespace App {
namespace {

class StagesTest : public GameFlowFixture
{
protected:
    // From the menu through a game to the end screen.
    Bool StartToEnd()
    {
        if (!StartToMenu())
            return false;
        Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
        if (!RunUntil(Logic()->GetStageGame()))
            return false;
        Logic()->GetStageGame()->SetLastLevelFinished(true);
        Logic()->GetStageGame()->GetStage()->RequestStop();
        return RunUntil(Logic()->GetStageEnd());
    }
    Bool IsShown(const char* path)
    {
        Graph::INode* node = mHarness.Find(path);
        return node != nullptr && node->IsActiveAndVisible();
    }
    // The back and cancel buttons of the end screen.
    Bool ClickBack() { return mHarness.ClickAt("/camera", -320.0f, 0.0f); }
    Bool ClickCancel() { return mHarness.ClickAt("/camera", 320.0f, 0.0f); }
};

TEST_F(StagesTest, EndScreenWithoutInfoLeavesAtTheFirstBackClickAfterTwoSeconds)
{
    ASSERT_TRUE(StartToEnd());
    StageEnd* end = Logic()->GetStageEnd();
    EXPECT_TRUE(IsShown("/stage_end/pic"));
    EXPECT_FALSE(IsShown("/stage_end/info"));
    // Within the first two seconds a click does nothing.
    ASSERT_TRUE(ClickBack());
    EXPECT_TRUE(IsRunning(end));
    ASSERT_TRUE(mHarness.Frames(40));
    ASSERT_TRUE(ClickBack());
    EXPECT_FALSE(IsRunning(end));
    // Not started from the menu: to the map.
    ASSERT_TRUE(RunUntil(Logic()->GetStageMap()));
}

TEST_F(StagesTest, EndScreenInfoPageLeavesByCancelAfterOneSecondOrByItselfAfterTen)
{
    ASSERT_TRUE(StartToEnd());
    StageEnd* end = Logic()->GetStageEnd();
    Game()->SetCampaignComplete(true);
    ASSERT_TRUE(mHarness.Frames(40));
    ASSERT_TRUE(ClickBack());
    EXPECT_TRUE(IsShown("/stage_end/info"));
    // The picture leaves with its timeline, then the info page is up.
    ASSERT_TRUE(mHarness.FramesUntil([&] { return end->IsInfoShown(); }, 40));
    EXPECT_FALSE(IsShown("/stage_end/pic"));
    ASSERT_TRUE(ClickCancel());
    EXPECT_TRUE(IsRunning(end));
    ASSERT_TRUE(mHarness.Frames(20));
    ASSERT_TRUE(ClickCancel());
    EXPECT_FALSE(IsRunning(end));

    // Again, and this time the page is left alone: it goes after ten seconds.
    Game()->StartLevel(0);
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    ASSERT_TRUE(RunUntil(Logic()->GetStageGame()));
    Logic()->GetStageGame()->SetLastLevelFinished(true);
    Logic()->GetStageGame()->GetStage()->RequestStop();
    ASSERT_TRUE(RunUntil(end));
    ASSERT_TRUE(mHarness.Frames(40));
    ASSERT_TRUE(ClickBack());
    UInt32 frames = 0;
    ASSERT_TRUE(mHarness.FramesUntil([&] { return ++frames, !IsRunning(end); }, 400));
    EXPECT_NEAR(frames * mHarness.mFrameSeconds, 10.0, 0.25);
    // Started from the menu: back to the menu.
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
}

TEST_F(StagesTest, GameStageFollowsTheFlowWordsOfALevel)
{
    ASSERT_TRUE(StartToMenu());
    Game()->SetLevelCount(&mHarness.mFiles, 5);
    ASSERT_TRUE(Game()->CreatePlayer(0, String("Ann"), String()));
    Game()->StartLevel(1);
    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    StageGame* game = Logic()->GetStageGame();
    ASSERT_TRUE(RunUntil(game));
    // The level's background is left out; the test names the package it waits for.
    game->GetLevelHandler()->ClearPackages();
    GameMenuProcessor* signs = game->GetGameMenuProcessor();
    EXPECT_EQ(Game()->GetPlayState(), 1u);
    EXPECT_EQ(signs->GetSign(), GameMenuProcessor::kLevelStart);
    // Nothing moves while the level's package is missing.
    ASSERT_TRUE(mHarness.Frames(3));
    EXPECT_EQ(Game()->GetPlayState(), 1u);
    game->GetLevelHandler()->SetCurrentPackage(mHarness.Package("game_common"));
    // A level without courses would be judged won at once.
    game->GetCourseProcessor()->GetProcessor()->SetEnabled(false);

    struct Case
    {
        UInt32 mLevel;
        UInt32 mBefore;
        UInt32 mAfter;
        GameMenuProcessor::Sign mSign;
    };
    const Case cases[] = {
        {1, 1, 2, GameMenuProcessor::kLevelStart}, {1, 4, 5, GameMenuProcessor::kLevelStart},
        {1, 9, 10, GameMenuProcessor::kFailed},    {0, 9, 10, GameMenuProcessor::kZen},
        {1, 17, 18, GameMenuProcessor::kPause},    {1, 3, 4, GameMenuProcessor::kPause},
    };
    for (const Case& c : cases) {
        Game()->SetLevel(c.mLevel, false);
        Game()->SetPlayState(c.mBefore);
        ASSERT_TRUE(mHarness.Frame());
        EXPECT_EQ(Game()->GetPlayState(), c.mAfter) << c.mBefore;
        EXPECT_EQ(signs->GetSign(), c.mSign) << c.mBefore;
    }

    // A won level: the star bonus times the score multiplier joins the score.
    Game()->SetLevel(2, false);
    Game()->SetRunStars(2);
    const UInt32 score = Game()->GetRunScore();
    Game()->SetPlayState(12);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_EQ(Game()->GetPlayState(), 13u);
    EXPECT_EQ(signs->GetSign(), GameMenuProcessor::kFinished);
    EXPECT_EQ(signs->GetFinishedScore(), score);
    EXPECT_EQ(Game()->GetRunScore(), score + 100000u);
    EXPECT_EQ(signs->GetTargetTotal(), score + 100000u);
    EXPECT_EQ(signs->GetTimeBonusFactor(), 1u);
    EXPECT_FALSE(game->IsLastLevelFinished());

    // Go on: the next level, and the stage leaves for it.
    Game()->SetPlayState(23);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_EQ(Game()->GetLevel(), 3u);
    EXPECT_FALSE(IsRunning(game));
    // Word 3: the game stage comes again for the next level.
    ASSERT_TRUE(RunUntil(game));
    EXPECT_EQ(Game()->GetPlayState(), 1u);
}

TEST_F(StagesTest, AViewSizeChangeShowsTheFramebufferForOneFrame)
{
    ASSERT_TRUE(StartToMenu());
    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    StageGame* game = Logic()->GetStageGame();
    ASSERT_TRUE(RunUntil(game));
    // The level's background is left out; the test names the package it waits for.
    game->GetLevelHandler()->ClearPackages();
    Playfield* field = game->GetPlayfield();
    Graph::INode* framebuffer = mHarness.Find("/framebuffer");
    ASSERT_NE(framebuffer, nullptr);
    framebuffer->SetActive(false);
    // Before the level's package is in, a view change waits for the first running step.
    Game()->SetViewFloats(1280.0f, 700.0f, 0.0f);
    ASSERT_TRUE(mHarness.Frames(2));
    EXPECT_EQ(field->GetNumberOfViewScales(), 0u);

    // The first running step rescales once.
    game->GetLevelHandler()->SetCurrentPackage(mHarness.Package("game_common"));
    // A level without courses would be judged won at once.
    game->GetCourseProcessor()->GetProcessor()->SetEnabled(false);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_TRUE(framebuffer->IsActive());
    EXPECT_EQ(field->GetNumberOfViewScales(), 1u);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_FALSE(framebuffer->IsActive());
    ASSERT_TRUE(mHarness.Frames(3));
    EXPECT_EQ(field->GetNumberOfViewScales(), 1u);

    // In the zen mode the offset counts to the height.
    Game()->SetLevel(0, false);
    Game()->SetViewFloats(1280.0f, 840.0f, 120.0f);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_TRUE(framebuffer->IsActive());
    EXPECT_EQ(field->GetViewHeight(), 960.0f);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_FALSE(framebuffer->IsActive());
    EXPECT_EQ(field->GetNumberOfViewScales(), 2u);
}

TEST(StageGameTest, IdleWordsFollowTheLevelsEnd)
{
    struct Case
    {
        Bool mLastLevel;
        UInt32 mPlayState;
        Bool mFromMenu;
        UInt32 mWord;
    };
    const Case cases[] = {
        {true, 20, true, 4},  {true, 13, false, 4}, {false, 20, true, 1},
        {false, 20, false, 2}, {false, 21, false, 2}, {false, 23, true, 3},
    };
    Logic::Factory factory;
    AppContext context(&factory, 1280.0f, 800.0f);
    StageGame stage(&factory, &context);
    for (const Case& c : cases) {
        if (c.mFromMenu)
            context.GetGameState()->StartLevel(0);
        else
            context.GetGameState()->SetLevel(1, false);
        context.GetGameState()->SetPlayState(c.mPlayState);
        stage.SetLastLevelFinished(c.mLastLevel);
        stage.OnStageIdle(nullptr, nullptr);
        EXPECT_EQ(stage.GetCommand(), c.mWord) << c.mPlayState;
    }
}

// The loader package's start-up logic on displays of other shapes.
struct LoaderLayoutCase
{
    const char* mDisplayClass;
    Enums::DeviceClass mDeviceClass;
    UInt32 mWidth;
    UInt32 mHeight;
    Float mTitleY;
    Float mSplashScale;
};

class LoaderLayoutTest : public GameFlowFixture, public ::testing::WithParamInterface<LoaderLayoutCase>
{
};

TEST_P(LoaderLayoutTest, TitleAndSplashPicturesFitTheDisplay)
{
    const LoaderLayoutCase& c = GetParam();
    mHarness.mConfiguration.SetDeviceClass(c.mDeviceClass);
    mHarness.mConfiguration.SetDisplaySurfaceSize(c.mWidth, c.mHeight);
    WritePackages({}, c.mDisplayClass);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(RunUntil(Logic()->GetStageLoader()));
    Graph::DisplayPlane* title = mHarness.Find<Graph::DisplayPlane>("/loader_title/gfx_title.jpg");
    ASSERT_NE(title, nullptr);
    EXPECT_FLOAT_EQ(title->GetTransform().Get(1, 3), c.mTitleY);
    // Looked up under the root's lock, as the loader thread may be registering other graphs.
    Graph::IRoot* root = mHarness.mEngine.GetRoot();
    ASSERT_TRUE(root->Lock());
    Graph::INamespace* first = mHarness.Find<Graph::INamespace>("/splash0");
    Graph::INamespace* last = mHarness.Find<Graph::INamespace>("/splash2");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    Graph::INode* firstScale = first->FindNode(String("scale"));
    Graph::INode* lastScale = last->FindNode(String("scale"));
    ASSERT_NE(firstScale, nullptr);
    ASSERT_NE(lastScale, nullptr);
    EXPECT_FLOAT_EQ(dynamic_cast<Graph::IScalable*>(firstScale)->GetScaleFactorX(), c.mSplashScale);
    EXPECT_FLOAT_EQ(dynamic_cast<Graph::IScalable*>(firstScale)->GetScaleFactorY(), c.mSplashScale);
    // The last picture is left as it is.
    EXPECT_FLOAT_EQ(dynamic_cast<Graph::IScalable*>(lastScale)->GetScaleFactorX(), 1.0f);
    firstScale->RemoveReference();
    lastScale->RemoveReference();
    root->Unlock();
}

INSTANTIATE_TEST_SUITE_P(
    Displays, LoaderLayoutTest,
    ::testing::Values(LoaderLayoutCase{"1280", Enums::DeviceClass::COMPUTER_DESKTOP, 1280, 800, 0.0f, 1.0f},
                      LoaderLayoutCase{"1280", Enums::DeviceClass::HANDHELD_TABLET, 1920, 1080, -40.0f, (1920.0f / 1080.0f) / 1.6f},
                      LoaderLayoutCase{"1280", Enums::DeviceClass::HANDHELD_TABLET, 1280, 800, 0.0f, 1.0f},
                      LoaderLayoutCase{"1024", Enums::DeviceClass::HANDHELD_TABLET, 1024, 768, 0.0f, 1.6f / (1024.0f / 768.0f)},
                      LoaderLayoutCase{"1280", Enums::DeviceClass::HANDHELD_TABLET, 1120, 800, -12.0f, 1.6f / 1.4f},
                      LoaderLayoutCase{"1024", Enums::DeviceClass::HANDHELD_TABLET, 1024, 660, -14.0f, 1.6f / (1024.0f / 660.0f)},
                      LoaderLayoutCase{"1024", Enums::DeviceClass::HANDHELD_TABLET, 1024, 600, -50.0f, (1024.0f / 600.0f) / 1.6f}));

} // namespace
} // namespace App
} // namespace Vorn
