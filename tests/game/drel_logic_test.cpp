#include "game/drel_logic.h"

#include <gtest/gtest.h>

#include <fstream>

#include "graph/transform/transform.h"
#include "logic/factory.h"
#include "tests/support/fake_loader.h"
#include "tests/game/game_flow_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr UInt32 kEnterKey = 28;

class DrelLogicTest : public GameFlowFixture
{
};

TEST_F(DrelLogicTest, SplashPicturesThenTheMenuThenTheGameAndEndGroupsLoadBehindIt)
{
    WritePackages();
    ASSERT_TRUE(Start());
    StageLoader* loader = Logic()->GetStageLoader();
    ASSERT_TRUE(RunUntil(loader));
    EXPECT_EQ(SplashIndex(), 0);
    // The busy ring sits near the bottom edge.
    Graph::Transform* ring = mHarness.Find<Graph::Transform>("/loader_kringel/loader_kringel_pos");
    ASSERT_NE(ring, nullptr);
    EXPECT_FLOAT_EQ(ring->GetTransform().Get(0, 3), 590.0f);
    EXPECT_FLOAT_EQ(ring->GetTransform().Get(1, 3), 50.0f - 400.0f);

    // Frames of 0.05 s: the first picture stays 3 s, the second 4 s.
    UInt32 frames = 0;
    ASSERT_TRUE(mHarness.FramesUntil([&] { return ++frames, SplashIndex() == 1; }));
    EXPECT_NEAR(frames * mHarness.mFrameSeconds, 3.0, 0.25);
    frames = 0;
    ASSERT_TRUE(mHarness.FramesUntil([&] { return ++frames, SplashIndex() == 2; }));
    EXPECT_NEAR(frames * mHarness.mFrameSeconds, 4.0, 0.25);
    // However soon the menu group is in, the loader screen waits for its countdown.
    frames = 0;
    ASSERT_TRUE(mHarness.FramesUntil([&] { return ++frames, IsRunning(Logic()->GetStageMenu()); }));
    EXPECT_GE(frames * mHarness.mFrameSeconds, 4.0);
    EXPECT_EQ(Logic()->GetTransition(), 0u);
    EXPECT_FALSE(loader->IsSplashPending());

    ASSERT_TRUE(mHarness.FramesUntil([&] { return Logic()->GetGroup(1)->IsLoaded() && Logic()->GetGroup(2)->IsLoaded(); }));
    EXPECT_TRUE(IsUnloaded("loader_korvane.vornres"));
    EXPECT_TRUE(IsLoaded("menu_1280"));
    EXPECT_TRUE(mHarness.Find("/framebuffer") != nullptr);
    EXPECT_EQ(Game()->GetCounter(), 1u);
}

TEST_F(DrelLogicTest, AClickOrEnterSkipsASplashPictureAndTheLastOneStays)
{
    WritePackages();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(RunUntil(Logic()->GetStageLoader()));
    ASSERT_EQ(SplashIndex(), 0);
    ASSERT_TRUE(mHarness.Click(0.5f, 0.5f));
    EXPECT_EQ(SplashIndex(), 1);
    ASSERT_TRUE(mHarness.PressKey(kEnterKey));
    EXPECT_EQ(SplashIndex(), 2);
    // The click on the last picture ends the countdown: the loader screen goes and the menu
    // comes, with the last picture still selected.
    ASSERT_TRUE(mHarness.Click(0.5f, 0.5f));
    EXPECT_EQ(SplashIndex(), 2);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return IsRunning(Logic()->GetStageMenu()); }));
}

// In preload mode every group is in, so the loader screen does not come up.
TEST_F(DrelLogicTest, EveryWordReachesItsStage)
{
    ASSERT_TRUE(StartToMenu());
    StageMenu* menu = Logic()->GetStageMenu();
    StageMap* map = Logic()->GetStageMap();
    StageGame* game = Logic()->GetStageGame();
    StageEnd* end = Logic()->GetStageEnd();

    // 3: a game straight from the menu.
    menu->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    ASSERT_TRUE(RunUntil(game));
    EXPECT_TRUE(menu->GetStage()->IsIdle());

    // 4: the last level was won.
    game->SetLastLevelFinished(true);
    game->GetStage()->RequestStop();
    ASSERT_TRUE(RunUntil(end));
    EXPECT_TRUE(game->GetStage()->IsIdle());

    // 5: from the end screen to the map, the word written in place of the end stage's own.
    end->GetStage()->RequestStop();
    ASSERT_TRUE(mHarness.FramesUntil([&] { return end->GetStage()->IsIdle(); }));
    ASSERT_NE(end->GetCommand(), 0u);
    end->SetCommand(StageCommander::kEndToMap);
    ASSERT_TRUE(RunUntil(map));

    // 1: the map back to the menu.
    map->GetMapProcessor()->SetState(MapProcessor::kBackToMenu);
    ASSERT_TRUE(RunUntil(menu));

    // 2: the menu to the map; 3: the map to the game.
    menu->GetMenuProcessor()->mMenuState = MenuProcessor::kGoToMap;
    ASSERT_TRUE(RunUntil(map));
    map->GetMapProcessor()->SetState(MapProcessor::kStartGame);
    ASSERT_TRUE(RunUntil(game));

    // 1 and 2 from the game: leaving a game started from the menu, or from the map.
    Game()->StartLevel(0);
    Game()->SetPlayState(20);
    game->GetStage()->RequestStop();
    ASSERT_TRUE(RunUntil(menu));
    menu->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    ASSERT_TRUE(RunUntil(game));
    Game()->SetLevel(0, false);
    Game()->SetPlayState(20);
    game->GetStage()->RequestStop();
    ASSERT_TRUE(RunUntil(map));
    // Preload mode: every group stays in.
    EXPECT_TRUE(Logic()->GetGroup(0)->IsLoaded());
    EXPECT_TRUE(Logic()->GetGroup(1)->IsLoaded());
    EXPECT_TRUE(Logic()->GetGroup(2)->IsLoaded());
}

TEST_F(DrelLogicTest, MenuAndMapStatesDecideWhetherTheStageLeaves)
{
    ASSERT_TRUE(StartToMenu());
    StageMenu* menu = Logic()->GetStageMenu();
    menu->GetMenuProcessor()->mMenuState = MenuProcessor::kStayInMenu;
    ASSERT_TRUE(mHarness.Frames(3));
    EXPECT_EQ(menu->GetMenuProcessor()->mMenuState, 0u);
    EXPECT_TRUE(IsRunning(menu));
    menu->GetMenuProcessor()->mMenuState = 7;
    ASSERT_TRUE(mHarness.Frames(3));
    EXPECT_TRUE(IsRunning(menu));

    menu->GetMenuProcessor()->mMenuState = MenuProcessor::kGoToMap;
    StageMap* map = Logic()->GetStageMap();
    ASSERT_TRUE(RunUntil(map));
    EXPECT_EQ(map->GetMapProcessor()->GetState(), MapProcessor::kMap);
    map->GetMapProcessor()->SetState(MapProcessor::kMap);
    ASSERT_TRUE(mHarness.Frames(3));
    EXPECT_TRUE(IsRunning(map));
    EXPECT_EQ(Logic()->GetTransition(), 0u);
}

TEST_F(DrelLogicTest, OfTwoWordsInOneTickTheMenusGoesFirst)
{
    Logic::Factory factory;
    DrelLogic logic(&factory, 1280.0f, 800.0f);
    logic.GetStageMenu()->SetCommand(3);
    logic.GetStageGame()->SetCommand(1);
    logic.GetStageEnd()->SetCommand(2);
    EXPECT_EQ(logic.TakeStageCommand(), 3u);
    EXPECT_EQ(logic.GetStageMenu()->GetCommand(), 0u);
    EXPECT_EQ(logic.GetStageGame()->GetCommand(), 1u);
    EXPECT_EQ(logic.TakeStageCommand(), 1u);
    EXPECT_EQ(logic.GetStageMap()->GetCommand(), 0u);
    EXPECT_EQ(logic.GetStageEnd()->GetCommand(), 2u);
    EXPECT_EQ(logic.TakeStageCommand(), 2u);
    EXPECT_EQ(logic.TakeStageCommand(), 0u);
}

TEST(PackageLoaderTest, AGroupWithARefusedPackageNeverCountsAsLoaded)
{
    Testing::FakeLoader loader;
    loader.CreatePackage(String("menu_common"), ILoader::kLoadOnRequest, nullptr);
    PackageLoader refused;
    EXPECT_FALSE(refused.Create(&loader, String("menu_1280"), String("menu_common"), String()));
    static_cast<Testing::FakePackage*>(loader.GetPackage(String("menu_1280")))->mLoaded = true;
    static_cast<Testing::FakePackage*>(loader.GetPackage(String("menu_common")))->mLoaded = true;
    EXPECT_FALSE(refused.IsLoaded());
    refused.Load();
    refused.Unload();
    EXPECT_FALSE(refused.IsLastPackage(nullptr));

    PackageLoader group;
    ASSERT_TRUE(group.Create(&loader, String("end_1280"), String("end_common"), String()));
    Testing::FakePackage* first = static_cast<Testing::FakePackage*>(group.GetPackage(0));
    Testing::FakePackage* second = static_cast<Testing::FakePackage*>(group.GetPackage(1));
    EXPECT_FALSE(group.IsLoaded());
    first->mLoaded = true;
    second->mLoaded = true;
    // No third package: the second one is the last, and two loaded packages are the group.
    EXPECT_TRUE(group.IsLoaded());
    EXPECT_TRUE(group.IsLastPackage(second));
    EXPECT_FALSE(group.IsLastPackage(first));
}

// The three ways into unload mode: a device model, the operating system and the memory mode.
enum class UnloadBy
{
    kModel,
    kAndroid,
    kMemoryMode,
};

class DrelLogicUnloadTest : public GameFlowFixture, public ::testing::WithParamInterface<UnloadBy>
{
};

TEST_P(DrelLogicUnloadTest, LeavingAStageUnloadsItsGroupAndTheTargetLoadsBehindTheLoaderScreen)
{
    if (GetParam() == UnloadBy::kModel)
        mHarness.mConfiguration.SetDeviceModel(Enums::DeviceModel::IPAD_1);
    if (GetParam() == UnloadBy::kAndroid)
        mHarness.mConfiguration.SetOperatingSystem(Enums::OperatingSystem::ANDROID);
    WritePackages();
    ASSERT_TRUE(Start());
    StageMenu* menu = Logic()->GetStageMenu();
    // The memory mode is watched step by step: switched on during the splash pictures.
    ASSERT_TRUE(RunUntil(Logic()->GetStageLoader()));
    EXPECT_EQ(Logic()->IsUnloadMode(), GetParam() != UnloadBy::kMemoryMode);
    if (GetParam() == UnloadBy::kMemoryMode)
        mHarness.mConfiguration.SetFlagD(true);
    ASSERT_TRUE(RunUntil(menu));
    EXPECT_TRUE(Logic()->IsUnloadMode());
    // Nothing loads behind the menu.
    ASSERT_TRUE(mHarness.Frames(20));
    EXPECT_TRUE(IsUnloaded("game_1280"));
    EXPECT_TRUE(IsUnloaded("end_1280"));

    menu->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    ASSERT_TRUE(RunUntil(Logic()->GetStageGame()));
    EXPECT_TRUE(mLoaderSeen);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return IsUnloaded("menu_1280") && IsUnloaded("menu_common"); }));
    EXPECT_TRUE(IsLoaded("game_1280"));

    Game()->SetPlayState(20);
    Logic()->GetStageGame()->GetStage()->RequestStop();
    ASSERT_TRUE(RunUntil(Logic()->GetStageMap()));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return IsUnloaded("game_1280") && IsUnloaded("game_common"); }));
    EXPECT_TRUE(IsLoaded("menu_common"));
}

INSTANTIATE_TEST_SUITE_P(Ways, DrelLogicUnloadTest,
                         ::testing::Values(UnloadBy::kModel, UnloadBy::kAndroid, UnloadBy::kMemoryMode));

TEST_F(DrelLogicTest, AMissingPackageStopsTheEngineWithTheWordStillSet)
{
    mHarness.mConfiguration.SetOperatingSystem(Enums::OperatingSystem::ANDROID);
    WritePackages({"game_common"});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    testing::internal::CaptureStderr();
    // The first failed frame ends the run.
    EXPECT_FALSE(mHarness.FramesUntil([&] { return false; }));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("game_common"), std::string::npos) << log;
    EXPECT_EQ(Logic()->GetTransition(), 3u);
    EXPECT_FALSE(IsRunning(Logic()->GetStageGame()));
    // The stop reports the failed package; it still takes everything down.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mHarness.Stop());
    testing::internal::GetCapturedStderr();
}

TEST_F(DrelLogicTest, ContinueOrResumeDuringALevelAsksForThePauseAndAResumeCountsAndSaves)
{
    ASSERT_TRUE(StartToMenu());
    // As the level handler does once it has read the level file.
    Game()->SetLevelCount(&mHarness.mFiles, 3);
    const UInt32 starts = Game()->GetCounter();

    // The menu: a continue does nothing, a resume counts the start and saves.
    ASSERT_TRUE(mHarness.mEngine.Pause());
    ASSERT_TRUE(mHarness.mEngine.Continue());
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_EQ(Game()->GetCounter(), starts);
    ASSERT_TRUE(mHarness.mEngine.Suspend());
    ASSERT_TRUE(mHarness.mEngine.Resume());
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_EQ(Game()->GetCounter(), starts + 1);
    EXPECT_TRUE(std::ifstream(mHarness.mFolder.Get(GameState::PlayerDataFileName)).good());

    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    ASSERT_TRUE(RunUntil(Logic()->GetStageGame()));
    // Without the level's background the stage leaves the play state to the pause alone.
    Logic()->GetStageGame()->GetLevelHandler()->ClearPackages();
    // A level without courses would be judged won at once.
    Logic()->GetStageGame()->GetCourseProcessor()->GetProcessor()->SetEnabled(false);
    struct Case
    {
        Bool mSuspend;
        UInt32 mPlayState;
        UInt32 mAfter;
    };
    const Case cases[] = {{false, 5, 17}, {true, 5, 17}, {false, 4, 4}, {true, 12, 12}};
    for (const Case& c : cases) {
        Game()->SetPlayState(c.mPlayState);
        const UInt32 before = Game()->GetCounter();
        ASSERT_TRUE(c.mSuspend ? mHarness.mEngine.Suspend() : mHarness.mEngine.Pause());
        // Nothing happens at the moment of the pause.
        EXPECT_EQ(Game()->GetPlayState(), c.mPlayState);
        ASSERT_TRUE(c.mSuspend ? mHarness.mEngine.Resume() : mHarness.mEngine.Continue());
        ASSERT_TRUE(mHarness.Frame());
        EXPECT_EQ(Game()->GetPlayState(), c.mAfter) << c.mPlayState;
        EXPECT_EQ(Game()->GetCounter(), before + (c.mSuspend ? 1 : 0));
    }
}

TEST_F(DrelLogicTest, EscapeOnlyLeavesFullScreen)
{
    ASSERT_TRUE(StartToMenu());
    ASSERT_TRUE(mHarness.mConfiguration.GetFullScreen());
    ASSERT_TRUE(mHarness.PressKey(1));
    EXPECT_FALSE(mHarness.mConfiguration.GetFullScreen());
    ASSERT_TRUE(mHarness.PressKey(1));
    EXPECT_FALSE(mHarness.mConfiguration.GetFullScreen());
    EXPECT_TRUE(IsRunning(Logic()->GetStageMenu()));
}

} // namespace
} // namespace App
} // namespace Vorn
