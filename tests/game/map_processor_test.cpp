#include <gtest/gtest.h>

#include <string>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "game/map_processor.h"
#include "game/player_data.h"
#include "graph/input/button.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
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

// The logic's view of the keyboard and the wheel, set by the test for one step.
class MapDevices : public Testing::FakeLogicDeviceHandler
{
public:
    Bool IsRawKeyboardAvailable() const override { return true; }
    Bool WasRawKeyPressed(UInt32 code) const override { return code == 1 && mEscape; }
    Bool GetMouseWheelDelta(Float& x, Float& y) const override
    {
        x = mWheel;
        y = 0.0f;
        return mWheel != 0.0f;
    }
    Bool mEscape = false;
    Float mWheel = 0.0f;
};

const char kPaperGraph[] =
    "<Graph replication='0'><Namespace id='levelpaper{replication}' activeAndVisible='false'>"
    "  <Transform id='position'>"
    "    <Switch id='select'><Node id='locked'/><Node id='open'/></Switch>"
    "    <Switch id='star1'><Node/><Node/></Switch><Switch id='star2'><Node/><Node/></Switch>"
    "    <Switch id='star3'><Node/><Node/></Switch>"
    "    <FakeText id='stage_text'/><Button id='button' sizeX='150' sizeY='150' mouseButton='LEFT'/>"
    "  </Transform>"
    "</Namespace></Graph>";

// The map under a camera of one unit per pixel, its buttons placed apart, and the chooser.
const char kMapGraph[] =
    "<View><OrthographicCamera id='camera' unitSizeX='1'/>"
    "<Namespace id='stage_map'><Namespace id='basemap'>"
    "  <Timeline id='base_map_timeline' endTime='1'/>"
    "  <Timeline id='base_map_startanim_timeline' endTime='3' autoRewind='false'/>"
    "  <Timeline id='base_map_startanim_playnow_timeline' endTime='2'/>"
    "  <Button id='button_map' posX='-500' posY='300' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Button id='button_map2' posX='-400' posY='300' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Button id='button_map3' posX='-300' posY='300' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Scale id='mm_bg_scale'/>"
    "  <Switch id='map_arrow_top_left'><Node/></Switch><Transform id='map_arrow_top_left_trans'/>"
    "  <Button id='button_back' posX='-500' posY='-350' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Button id='button_save_quit' posX='-400' posY='-350' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Transform id='play_now' posX='10.3'/>"
    "  <Button id='button_play_now' posX='500' posY='-350' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Timeline id='playnow_writing_timeline' endTime='1'/>"
    "  <Transform id='map_carrot_trans'/>"
    "  <Transform id='map_levelscleared' activeAndVisible='false'/>"
    "  <Timeline id='map_levelscleared_timeline' endTime='10' autoRewind='true'/>"
    "  <Button id='button_levelscleared' posX='600' posY='350' sizeX='20' sizeY='20' mouseButton='LEFT'/>"
    "  <FakeDisplayText id='levelscleared_text1'/><FakeDisplayText id='levelscleared_text2'/>"
    "  <Button id='button_cancel_marker' posX='0' posY='350' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Transform id='map_marker'/>"
    "  <Switch id='map_tap_click_switch'><Node/><Node/></Switch>"
    "  <Button id='button_toggle_fullscreen' sizeX='40' sizeY='40' mouseButton='LEFT'/>"
    "  <Switch id='mm_toggle_fullscreen_switch'><Node/><Node/></Switch>"
    "</Namespace></Namespace>"
    "<Namespace id='overlaymap' activeAndVisible='false'><Timeline id='overlay_map_timeline' endTime='30'/>"
    "  <Button id='button_back' posY='-360' sizeX='100' sizeY='40' mouseButton='LEFT'/>"
    "  <Button id='button_left' posX='-600' sizeX='60' sizeY='60' mouseButton='LEFT'/>"
    "  <Button id='button_right' posX='600' sizeX='60' sizeY='60' mouseButton='LEFT'/>"
    "  <Instance id='levelpaper_container' graphResourceId='app:paper' replications='20'/>"
    "</Namespace></View>";

class MapProcessorTest : public Testing::ViewSceneFixture
{
protected:
    MapProcessorTest()
        : ViewSceneFixture(&mTouchables),
          mTextClasses(mFactory, {{"FakeText", &Testing::TextNode::Create},
                                  {"FakeDisplayText", &Testing::FakeDisplayTextNode::Create}}),
          mEngineState(mLogicFactory.CreateState(&mLogicDevices, &mConfiguration, &mLoader, nullptr)),
          mContext(&mLogicFactory, 1280.0f, 800.0f), mMap(&mLogicFactory, &mContext)
    {
        mDevices.Init(&mConfiguration);
        mMouse = mDevices.CreateMouseDevice();
        mClock.mStepDuration = 0.1;
        mProcessLogicState.Begin();
        mCollection.AddGraph("app:paper", kPaperGraph);
        mCollection.AddText("texts:map_levelscleared1", "STAGES CLEARED\n");
        mCollection.AddText("texts:map_levelscleared2", " BONUS POINTS");
        mConfiguration.SetDeviceClass(Enums::DeviceClass::COMPUTER_DESKTOP);
    }
    ~MapProcessorTest() override { mLogicFactory.DestroyState(mEngineState); }

    void SetUp() override
    {
        mScene = Scene(kMapGraph);
        ASSERT_NE(mScene, nullptr);
        mEngineState->SetGraphRoot(mRoot.get());
        mEngineState->SetResourceCollection(&mCollection);
        mEngineState->SetCurrentTickDuration(0.1);
        GameState* game = mContext.GetGameState();
        ASSERT_TRUE(game->Init(nullptr, nullptr));
        game->SetViewFloats(1280.0f, 800.0f, 0.0f);
        ASSERT_TRUE(game->CreatePlayer(0, "Anna", ""));
        game->GetPlayer(0)->SetLevelCount(102);
        ASSERT_TRUE(mMap.GetProcessor()->Init(mEngineState->GetState()));
        mMap.Reset();
        mMap.StartIntro();
        Step(); // sets the camera's projection up
    }
    void TearDown() override
    {
        EXPECT_TRUE(mMap.GetProcessor()->DeInit(mEngineState->GetState()));
        EXPECT_TRUE(DestroyScene());
    }

    PlayerData* Player() { return mContext.GetGameState()->GetPlayer(0); }
    // Moves the frontier on by count cleared levels.
    void Complete(UInt32 count)
    {
        PlayerLevelData run;
        run.SetStars(1);
        for (UInt32 i = 0; i < count; ++i)
            Player()->RecordLevelResult(run, Player()->GetFrontier());
    }
    void Step()
    {
        mDevices.Update();
        EXPECT_TRUE(mDevices.ResetTouchables(&mTouchables));
        EXPECT_TRUE(RunLogic());
        EXPECT_TRUE(mDevices.UpdateTouchables(&mTouchables));
        EXPECT_TRUE(RunOutput());
        mMap.OnStep(mEngineState->GetState());
    }
    void Steps(UInt32 count)
    {
        for (UInt32 i = 0; i < count; ++i)
            Step();
    }
    // A left click at a scene position: down in one step, up in the next.
    void Click(Float x, Float y)
    {
        mMouse->SetPointer(InputAction::kMove, 5, x / 640.0f, y / 400.0f);
        mMouse->SetPointer(InputAction::kDown, 0, x / 640.0f, y / 400.0f);
        Step();
        mMouse->SetPointer(InputAction::kUp, 0, x / 640.0f, y / 400.0f);
        Step();
    }
    // Steps until the marker has arrived; false after 400 steps.
    Bool WalkTo(Float target)
    {
        for (UInt32 i = 0; i < 400 && mMap.GetMarkerProgress() != target; ++i)
            Step();
        return mMap.GetMarkerProgress() == target;
    }
    void Escape()
    {
        mLogicDevices.mEscape = true;
        Step();
        mLogicDevices.mEscape = false;
    }
    const Math::Matrix<float>& Matrix(const char* path)
    {
        return static_cast<const Graph::ITransform*>(Find<Graph::ITransform>(mScene, path))->GetTransform();
    }
    std::string Text(const char* path)
    {
        return Find<Graph::IText>(mScene, path)->GetText().GetText();
    }

    Testing::NodeClassRegistration mTextClasses;
    Input::TouchableHandler mTouchables;
    Input::DeviceHandler mDevices;
    IMouse* mMouse = nullptr;
    Logic::Factory mLogicFactory;
    MapDevices mLogicDevices;
    Testing::FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    AppContext mContext;
    MapProcessor mMap;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(MapProcessorTest, LayoutFollowsTheViewAndSnapsOnlyNonZeroAxes)
{
    EXPECT_EQ(Find<Graph::IScalable>(mScene, "stage_map/basemap/mm_bg_scale")->GetScaleFactorY(),
              1.6842199563980103f);
    EXPECT_EQ(Matrix("stage_map/basemap/map_carrot_trans")[13], 85.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/play_now")[12], 460.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/play_now")[13], -216.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/map_arrow_top_left_trans")[12], -500.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/button_toggle_fullscreen")[13], 374.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/map_marker")[12], -409.0f + 32.0f);

    // A band for the bar stretches the map; the offset close to 0 comes out close to the fixed values.
    mContext.GetGameState()->SetViewFloats(1280.0f, 800.0f, 0.001f);
    Step();
    EXPECT_NEAR(Find<Graph::IScalable>(mScene, "stage_map/basemap/mm_bg_scale")->GetScaleFactorY(), 1.6842f, 1e-3);
    EXPECT_EQ(Matrix("stage_map/basemap/map_carrot_trans")[13], 85.0f);

    Float x = 1.0f;
    Float y = 1.0f;
    MapProcessor::GetMarkerPosition(102, x, y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    MapProcessor::GetMarkerPosition(101, x, y);
    EXPECT_EQ(x, 352.0f);
}

// On a display of 1024 x 768 a pixel is 1.25 scene units: the places land on that grid.
TEST_F(MapProcessorTest, LayoutSnapsToTheDisplaysUnitsPerPixel)
{
    SetUnitsPerPixel(1.25f);
    mContext.GetGameState()->SetViewFloats(1280.0f, 840.0f, 120.0f);
    Step();
    SetUnitsPerPixel(1.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/play_now")[13], -296.25f);                // 184 - 960 / 2
    EXPECT_EQ(Matrix("stage_map/basemap/button_toggle_fullscreen")[13], 453.75f); // 960 / 2 - 26
}

TEST_F(MapProcessorTest, TheMarkerStaysAtTheFirstStage)
{
    ASSERT_EQ(Player()->GetFrontier(), 1u);
    Steps(40);
    EXPECT_EQ(mMap.GetMarkerProgress(), 1.0f);
    EXPECT_EQ(Matrix("stage_map/basemap/map_marker")[12], -377.0f);
}

TEST_F(MapProcessorTest, TheTenthStageShowsTheClearedSignThenTheMarkerWalksOn)
{
    Complete(10); // R = 11
    mContext.GetGameState()->SetPlayState(21);
    Step();
    EXPECT_EQ(mContext.GetGameState()->GetPlayState(), 20u);
    EXPECT_EQ(Text("stage_map/basemap/levelscleared_text1"), "10");
    EXPECT_EQ(Text("stage_map/basemap/levelscleared_text2"), "STAGES CLEARED\n100,000 BONUS POINTS");
    EXPECT_EQ(Matrix("stage_map/basemap/map_levelscleared")[12], -155.0f * 0.8f);
    EXPECT_EQ(Matrix("stage_map/basemap/map_levelscleared")[13], -76.0f);
    EXPECT_TRUE(mMap.IsSignPending());

    // The marker waits for the entry animation, then walks to stage 10 and shows the sign.
    Steps(5);
    EXPECT_EQ(mMap.GetMarkerProgress(), 1.0f);
    ASSERT_TRUE(WalkTo(10.0f));
    EXPECT_FALSE(mMap.IsSignPending());
    EXPECT_TRUE(Find<Graph::INode>(mScene, "stage_map/basemap/map_levelscleared")->IsActiveAndVisible());
    EXPECT_EQ(Matrix("stage_map/basemap/map_marker")[12], -155.0f + 32.0f);

    // Once the sign has played and gone the marker goes on to 11.
    EXPECT_TRUE(WalkTo(11.0f));
    EXPECT_FALSE(Find<Graph::INode>(mScene, "stage_map/basemap/map_levelscleared")->IsActiveAndVisible());
}

TEST_F(MapProcessorTest, TheBonusGrowsWithEveryTenthStageAndTheRound)
{
    // Round 2 (F = 2): a short campaign played through once, then 30 stages of the full one.
    Player()->SetLevelCount(3);
    Complete(2);
    ASSERT_EQ(Player()->GetPass(), 2u);
    Player()->SetLevelCount(102);
    Complete(30); // R = 31
    ASSERT_EQ(Player()->GetFrontier(), 31u);
    mContext.GetGameState()->SetPlayState(21);
    Step();
    EXPECT_EQ(Text("stage_map/basemap/levelscleared_text1"), "30");
    EXPECT_EQ(Text("stage_map/basemap/levelscleared_text2"), "STAGES CLEARED\n600,000 BONUS POINTS");
    // The cancel button makes a long walk arrive in the step after the click is read.
    Steps(20);
    Click(0.0f, 350.0f);
    Step();
    Step();
    EXPECT_EQ(mMap.GetMarkerProgress(), 30.0f);
}

TEST_F(MapProcessorTest, MapButtonsOpenTheChooserOnThePageOfTheStage)
{
    const struct
    {
        UInt32 mLevels;
        UInt32 mCleared;
        UInt32 mFirst;
    } cases[] = {{102, 45, 41}, {40, 44, 21}, {102, 0, 1}};
    for (const auto& c : cases) {
        Player()->SetLevelCount(102);
        Complete(c.mCleared);
        Player()->SetLevelCount(c.mLevels);
        Click(-400.0f, 300.0f);
        EXPECT_EQ(mMap.GetState(), MapProcessor::kChooser);
        EXPECT_TRUE(mMap.GetLevelChooser()->IsShown());
        EXPECT_FALSE(Find<Graph::INode>(mScene, "stage_map/basemap/button_map")->IsActiveAndVisible());
        EXPECT_EQ(mMap.GetLevelChooser()->GetFirstLevel(), c.mFirst) << c.mCleared;
        // Escape closes the chooser only.
        Escape();
        EXPECT_EQ(mMap.GetState(), MapProcessor::kMap);
        Steps(20);
        EXPECT_FALSE(mMap.GetLevelChooser()->IsShown());
        EXPECT_TRUE(Find<Graph::INode>(mScene, "stage_map/basemap/button_map")->IsActiveAndVisible());
        Player()->Clear();
    }
    Escape();
    EXPECT_EQ(mMap.GetState(), MapProcessor::kBackToMenu);
}

TEST_F(MapProcessorTest, APickedTileOrPlayNowStartsTheGame)
{
    Complete(4);
    Click(-500.0f, 300.0f);
    Steps(10);
    // The wheel turns the page, and back.
    mLogicDevices.mWheel = 1.0f;
    Step();
    mLogicDevices.mWheel = 0.0f;
    Steps(20);
    EXPECT_EQ(mMap.GetLevelChooser()->GetFirstLevel(), 21u);
    mLogicDevices.mWheel = -1.0f;
    Step();
    mLogicDevices.mWheel = 0.0f;
    Steps(20);
    EXPECT_EQ(mMap.GetLevelChooser()->GetFirstLevel(), 1u);
    // Tile 2 (stage 3) is at (-4, 236).
    mLogicDevices.mMouseX = -4.0f / 640.0f;
    mLogicDevices.mMouseY = 236.0f / 400.0f;
    mLogicDevices.mMousePressed = true;
    mMouse->SetPointer(InputAction::kMove, 5, -4.0f / 640.0f, 236.0f / 400.0f);
    mMouse->SetPointer(InputAction::kDown, 0, -4.0f / 640.0f, 236.0f / 400.0f);
    Step();
    mLogicDevices.mMousePressed = false;
    EXPECT_EQ(mMap.GetState(), MapProcessor::kStartGame);
    EXPECT_EQ(mContext.GetGameState()->GetLevel(), 3u);
    EXPECT_FALSE(mContext.GetGameState()->IsLevelChosen());

    mMap.Reset();
    Click(500.0f, -350.0f);
    EXPECT_EQ(mMap.GetState(), MapProcessor::kStartGame);
    EXPECT_EQ(mContext.GetGameState()->GetLevel(), 5u);
}

} // namespace
} // namespace App
} // namespace Vorn
