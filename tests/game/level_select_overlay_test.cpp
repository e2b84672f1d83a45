#include <gtest/gtest.h>

#include <string>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/level_select_overlay.h"
#include "game/player_data.h"
#include "graph/input/button.h"
#include "graph/switch.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "input/input_device_handler.h"
#include "input/input_touchable_handler.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/fake_text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// One tile: its looks, three stars, the stage number and a button of 150 x 150 units.
const char kPaperGraph[] =
    "<Graph replication='0'><Namespace id='levelpaper{replication}' activeAndVisible='false'>"
    "  <Transform id='position'>"
    "    <Switch id='select'><Node id='locked'/><Node id='open'/></Switch>"
    "    <Switch id='star1'><Node id='off1'/><Node id='on1'/></Switch>"
    "    <Switch id='star2'><Node id='off2'/><Node id='on2'/></Switch>"
    "    <Switch id='star3'><Node id='off3'/><Node id='on3'/></Switch>"
    "    <FakeText id='stage_text'/><Button id='button' sizeX='150' sizeY='150' mouseButton='LEFT'/>"
    "  </Transform>"
    "</Namespace></Graph>";

// The sheet under a camera of one unit per pixel on a 1280 x 800 screen, with one page of tiles.
const char kOverlayGraph[] =
    "<View><OrthographicCamera unitSizeX='1'/>"
    "<Namespace id='overlaymap' activeAndVisible='false'><Timeline id='overlay_map_timeline' endTime='30'/>"
    "  <Button id='button_back' posY='-360' sizeX='100' sizeY='40' mouseButton='LEFT'/>"
    "  <Button id='button_left' posX='-600' sizeX='60' sizeY='60' mouseButton='LEFT'/>"
    "  <Button id='button_right' posX='600' sizeX='60' sizeY='60' mouseButton='LEFT'/>"
    "  <Instance id='levelpaper_container' graphResourceId='app:paper' replications='20'/>"
    "</Namespace></View>";

class LevelSelectOverlayTest : public Testing::ViewSceneFixture
{
protected:
    LevelSelectOverlayTest()
        : ViewSceneFixture(&mTouchables), mTextClasses(mFactory, {{"FakeText", &Testing::TextNode::Create}}),
          mEngineState(mLogicFactory.CreateState(&mLogicDevices, &mConfiguration, &mLoader, nullptr)),
          mContext(&mLogicFactory, 1280.0f, 800.0f), mOverlay(&mContext)
    {
        mDevices.Init(&mConfiguration);
        mMouse = mDevices.CreateMouseDevice();
        mClock.mStepDuration = 0.1;
        mProcessLogicState.Begin();
        mCollection.AddGraph("app:paper", kPaperGraph);
    }
    ~LevelSelectOverlayTest() override { mLogicFactory.DestroyState(mEngineState); }

    void SetUp() override
    {
        mScene = Scene(kOverlayGraph);
        ASSERT_NE(mScene, nullptr);
        mEngineState->SetGraphRoot(mRoot.get());
        ASSERT_TRUE(mOverlay.Init(mEngineState->GetState()));
        mOverlay.SetCaption("STAGE ");
        GameState* game = mContext.GetGameState();
        ASSERT_TRUE(game->Init(nullptr, nullptr));
        game->SetViewFloats(1280.0f, 800.0f, 0.0f);
        ASSERT_TRUE(game->CreatePlayer(0, "Anna", ""));
        Player()->SetLevelCount(102);
        Step(); // sets the camera's projection up
    }
    void TearDown() override
    {
        EXPECT_TRUE(mOverlay.DeInit());
        EXPECT_TRUE(DestroyScene());
    }

    PlayerData* Player() { return mContext.GetGameState()->GetPlayer(0); }
    // Completes the levels from the frontier on, each with the given stars.
    void Complete(UInt32 count, UInt32 stars)
    {
        PlayerLevelData run;
        run.SetStars(stars);
        for (UInt32 i = 0; i < count; ++i)
            Player()->RecordLevelResult(run, Player()->GetFrontier());
    }
    // One logic tick: input, the graph's step, the touch reports, then the overlay's update.
    void Step()
    {
        mDevices.Update();
        EXPECT_TRUE(mDevices.ResetTouchables(&mTouchables));
        EXPECT_TRUE(RunLogic());
        EXPECT_TRUE(mDevices.UpdateTouchables(&mTouchables));
        EXPECT_TRUE(RunOutput());
        mOverlay.Update();
    }
    void Settle()
    {
        for (int i = 0; i < 20; ++i)
            Step();
    }
    // Presses the left mouse button at a scene position; the press tick's picked level.
    SInt32 Press(Float x, Float y)
    {
        mMouse->SetPointer(InputAction::kMove, 5, x / 640.0f, y / 400.0f);
        mMouse->SetPointer(InputAction::kDown, 0, x / 640.0f, y / 400.0f);
        Step();
        const SInt32 level = mOverlay.GetPressedLevel();
        mMouse->SetPointer(InputAction::kUp, 0, x / 640.0f, y / 400.0f);
        Step();
        return level;
    }
    std::string Paper(UInt32 index, const char* node)
    {
        return "overlaymap/levelpaper" + std::to_string(index) + "/" + node;
    }
    SInt32 Switch(UInt32 index, const char* node)
    {
        return Find<Graph::ISwitch>(mScene, Paper(index, node).c_str())->GetIndex();
    }
    Bool Shown(UInt32 index, const char* node)
    {
        return Find<Graph::INode>(mScene, Paper(index, node).c_str())->IsActiveAndVisible();
    }
    Bool Enabled(UInt32 index) { return Find<Graph::IButton>(mScene, Paper(index, "button").c_str())->IsEnabled(); }

    Testing::NodeClassRegistration mTextClasses;
    Input::TouchableHandler mTouchables;
    Input::DeviceHandler mDevices;
    IMouse* mMouse = nullptr;
    Logic::Factory mLogicFactory;
    Testing::FakeLogicDeviceHandler mLogicDevices;
    Testing::FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    AppContext mContext;
    LevelSelectOverlay mOverlay;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(LevelSelectOverlayTest, PagesOfTwentyWrapAroundBothWays)
{
    EXPECT_FALSE(mOverlay.IsShown());
    mOverlay.Open(false);
    EXPECT_TRUE(mOverlay.IsShown());
    Settle();
    EXPECT_TRUE(mOverlay.IsShown());
    EXPECT_EQ(mOverlay.GetLevelpapers().GetNumUsed(), 20u);
    EXPECT_EQ(Find<Graph::IText>(mScene, Paper(0, "stage_text").c_str())->GetText(), String("STAGE 1"));
    const Math::Matrix<float>& tile6 =
        static_cast<const Graph::ITransform*>(Find<Graph::ITransform>(mScene, Paper(6, "position").c_str()))
            ->GetTransform();
    EXPECT_EQ(tile6[12], -200.0f);
    EXPECT_EQ(tile6[13], 66.0f);

    const struct {
        UInt32 direction;
        UInt32 first;
        UInt32 tiles;
    } turns[] = {{LevelSelectOverlay::kNext, 21, 20}, {LevelSelectOverlay::kPrevious, 1, 20},
                 {LevelSelectOverlay::kPrevious, 101, 1}, {LevelSelectOverlay::kNext, 1, 20}};
    for (const auto& turn : turns) {
        mOverlay.StartPageTurn(turn.direction);
        mOverlay.StartPageTurn(1 - turn.direction); // ignored while the first half plays
        Settle();
        EXPECT_EQ(mOverlay.GetFirstLevel(), turn.first);
        EXPECT_EQ(mOverlay.GetLevelpapers().GetNumUsed(), turn.tiles);
    }
    mOverlay.SetFirstLevel(500);
    EXPECT_EQ(mOverlay.GetFirstLevel(), 101u);
    mOverlay.SetFirstLevel(45);
    EXPECT_EQ(mOverlay.GetFirstLevel(), 41u);

    mOverlay.Close();
    Settle();
    EXPECT_FALSE(mOverlay.IsShown());
}

TEST_F(LevelSelectOverlayTest, TheMenuLocksTheCurrentLevelAndRoundTwoOpensAll)
{
    Complete(4, 2); // levels 1 to 4 cleared with two stars, 5 is current
    for (const Bool fromMenu : {true, false}) {
        mOverlay.Open(fromMenu);
        Settle();
        EXPECT_TRUE(Enabled(3) && Switch(3, "select") == 1 && Shown(3, "star1"));
        EXPECT_EQ(Switch(3, "star2"), 1);
        EXPECT_EQ(Switch(3, "star3"), 0);
        EXPECT_EQ(Enabled(4), !fromMenu) << fromMenu;
        EXPECT_EQ(Switch(4, "select"), fromMenu ? 0 : 1);
        EXPECT_FALSE(Shown(4, "star1"));
        EXPECT_FALSE(Enabled(5) || Switch(5, "select") != 0 || Shown(5, "star1"));
    }

    Complete(97, 3); // through the last level: the second round
    ASSERT_EQ(Player()->GetPass(), 2u);
    mOverlay.Open(true);
    Settle();
    for (UInt32 i = 0; i < 20; ++i)
        EXPECT_TRUE(Enabled(i) && Switch(i, "select") == 1 && Shown(i, "star1")) << i;
}

TEST_F(LevelSelectOverlayTest, TilesPickLevelsButASwipeDoesNot)
{
    Complete(30, 1);
    mOverlay.Open(false);
    Settle();
    EXPECT_EQ(Press(-200.0f, 66.0f), 7);
    EXPECT_EQ(Press(0.0f, -350.0f), -1); // between the tiles

    // Exactly 50 units turns nothing, 50.5 turns; the press that started the swipe picks no level.
    mOverlay.SetTouchStart(Math::Vector<Float>(100.0f, 0.0f, 0.0f, 1.0f));
    mOverlay.HandleSwipe(Math::Vector<Float>(50.0f, 0.0f, 0.0f, 1.0f));
    Settle();
    EXPECT_EQ(mOverlay.GetFirstLevel(), 1u);
    mOverlay.HandleSwipe(Math::Vector<Float>(49.5f, 0.0f, 0.0f, 1.0f));
    Settle();
    EXPECT_EQ(mOverlay.GetFirstLevel(), 21u);
    EXPECT_EQ(Press(-200.0f, 66.0f), -1);
    mOverlay.SetTouchStart(Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f));
    mOverlay.HandleSwipe(Math::Vector<Float>(51.0f, 0.0f, 0.0f, 1.0f));
    Settle();
    EXPECT_EQ(mOverlay.GetFirstLevel(), 1u);

    // The arrows turn pages too.
    Press(600.0f, 0.0f);
    Settle();
    EXPECT_EQ(mOverlay.GetFirstLevel(), 21u);
    Press(-600.0f, 0.0f);
    Settle();
    EXPECT_EQ(mOverlay.GetFirstLevel(), 1u);
}

TEST_F(LevelSelectOverlayTest, BackButtonMovesUpOnShortScreens)
{
    const Graph::ITransform* back = Find<Graph::ITransform>(mScene, "overlaymap/button_back");
    mOverlay.Open(false);
    EXPECT_EQ(back->GetTransform()[13], -360.0f);
    mContext.GetGameState()->SetViewFloats(1280.0f, 799.0f, 0.0f);
    mOverlay.Open(false);
    EXPECT_EQ(back->GetTransform()[13], -320.0f);
    Settle();
    mMouse->SetPointer(InputAction::kMove, 5, 0.0f, -320.0f / 400.0f);
    mMouse->SetPointer(InputAction::kDown, 0, 0.0f, -320.0f / 400.0f);
    Step();
    EXPECT_TRUE(mOverlay.IsBackPressed());
}

TEST_F(LevelSelectOverlayTest, WithoutLevelsThePageStaysEmpty)
{
    Player()->SetLevelCount(1);
    mOverlay.Open(false);
    mOverlay.StartPageTurn(LevelSelectOverlay::kNext);
    Settle();
    EXPECT_EQ(mOverlay.GetFirstLevel(), 1u);
    EXPECT_EQ(mOverlay.GetLevelpapers().GetNumUsed(), 0u);
    mOverlay.SetFirstLevel(0);
    EXPECT_EQ(mOverlay.GetFirstLevel(), 1u);
}

} // namespace
} // namespace App
} // namespace Vorn
