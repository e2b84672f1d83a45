#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "game/app_context.h"
#include "game/level_select_overlay.h"
#include "game/menu_processor.h"
#include "game/player_data.h"
#include "game/popup.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "graph/display_text.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "input/device.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "tests/game/game_flow_fixture.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

class MenuProcessorTest : public GameFlowFixture
{
protected:
    // To the menu with the profiles named (none: the new-player sign opens by itself), and on
    // until the sign rests.
    Bool StartMenu(std::initializer_list<const char*> profiles)
    {
        WritePackages();
        if (!Start() || !mHarness.FramesUntil([&] { return Game()->GetPlayer(0) != nullptr; }))
            return false;
        UInt32 slot = 0;
        for (const char* name : profiles) {
            if (!Game()->CreatePlayer(slot++, String(name), String()))
                return false;
        }
        return RunUntil(Logic()->GetStageMenu()) && AtRest();
    }
    MenuProcessor* Menu() const { return Logic()->GetStageMenu()->GetMenuProcessor(); }
    Graph::ITimeline* Timeline(const char* path) { return mHarness.Find<Graph::ITimeline>(path); }
    Bool AtRest()
    {
        return mHarness.FramesUntil([&] {
            return !Menu()->IsSignContentPending() &&
                   !Timeline("/stage_start/mainmenu/mm_sign_timeline")->IsRunning() &&
                   !Timeline("/stage_start/mainmenu/base_timeline")->IsRunning();
        }, 400);
    }
    Bool ClickButton(const char* path)
    {
        for (const MenuButton& button : MenuButtons()) {
            if (std::string(button.mPath) == path) {
                const Graph::ITransform* transform = mHarness.Find<Graph::ITransform>(path);
                const Float x = transform->GetTransform()[12];
                const Float y = transform->GetTransform()[13];
                return mHarness.ClickAt("/camera", x, y);
            }
        }
        return false;
    }
    Float X(const char* path) { return mHarness.Find<Graph::ITransform>(path)->GetTransform()[12]; }
    Float Y(const char* path) { return mHarness.Find<Graph::ITransform>(path)->GetTransform()[13]; }
    SInt32 Child(const char* path) { return mHarness.Find<Graph::ISwitch>(path)->GetIndex(); }
    std::string TextOf(const char* path) { return mHarness.Find<Graph::IText>(path)->GetText().GetText(); }
    Float ListY() { return Y("/fbo_scrolllist/scrolllists/position"); }
    void SetListY(Float y) { mHarness.Find<Graph::ITransform>("/fbo_scrolllist/scrolllists/position")->SetPositionY(y); }
    Popup* ThePopup() { return Logic()->GetContext()->GetPopup(); }
    // Once the pop-up rests, a click on its first (yes) or second (no) button; then frames until
    // it has gone.
    Bool AnswerPopup(UInt32 button)
    {
        if (!mHarness.FramesUntil([&] { return ThePopup()->IsAnimationDone(); }, 100))
            return false;
        const Float x = button == 1 ? -160.0f : 160.0f;
        return mHarness.Click(x / 640.0f, -100.0f / 400.0f) &&
               mHarness.FramesUntil([&] { return !ThePopup()->IsOpen(); }, 100);
    }
    // A drag in scene units, as the menu's camera shows them.
    Bool DragScene(Float x0, Float y0, Float x1, Float y1)
    {
        Float a = 0, b = 0, c = 0, d = 0;
        return mHarness.ToScreen("/camera", x0, y0, a, b) && mHarness.ToScreen("/camera", x1, y1, c, d) &&
               mHarness.Drag(a, b, c, d, 4);
    }
};

TEST_F(MenuProcessorTest, BindsTheMenuAndLaysItOutForAComputerAt1280By800)
{
    ASSERT_TRUE(StartMenu({"Ann"}));
    const std::string menu = "/stage_start/mainmenu/";
    const struct
    {
        std::string mPath;
        Float mX;
        Float mY;
    } places[] = {
        {menu + "mm_logo", 0.0f, 280.0f},
        {menu + "mm_catapult", 0.0f, -264.0f},
        {menu + "mm_sign", 0.0f, -470.0f},
        {menu + "bottom_text", 0.0f, -386.0f},
        {menu + "button_toggle_fullscreen", 614.0f, 374.0f},
        {menu + "mm_sign_start/button_highscores", -250.0f, 200.0f},
        {menu + "mm_sign_start/button_credits", 0.0f, 150.0f},
        {menu + "mm_sign_start/button_quitgame", 250.0f, 100.0f},
    };
    for (const auto& place : places) {
        EXPECT_EQ(X(place.mPath.c_str()), place.mX) << place.mPath;
        EXPECT_EQ(Y(place.mPath.c_str()), place.mY) << place.mPath;
    }
    EXPECT_EQ(X("/stage_start/mainmenu/bottom_copyright"), -340.0f);
    EXPECT_EQ(X("/stage_start/mainmenu/bottom_vorn"), 490.0f);
    EXPECT_TRUE(mHarness.Find("/stage_start/mainmenu/mm_sign_start/button_quitgame")->IsActiveAndVisible());
    EXPECT_FALSE(mHarness.Find("/stage_start/mainmenu/mm_sign_start/welkanto_logo")->IsActiveAndVisible());
    EXPECT_EQ(Child("/fbo_scrolllist/scrolllists/onlinehighscore/onlinehighscore_header_switch"), 1);
    EXPECT_FALSE(Menu()->UsesBitmapFontOnly());
    // The start face, its title from the welcome text (none in the test texts) and the name; the
    // font has no glyphs, so the title went to the system-font texture.
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kStartFace);
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_switch"), 1);
    EXPECT_EQ(TextOf("/systemfont_textures/tex_sign_long"), "Ann");
    EXPECT_FALSE(mHarness.Find("/stage_start/mainmenu/mm_sign_start/titlename")->IsActiveAndVisible());
}

TEST_F(MenuProcessorTest, ATextureOfAnotherKindMeansBitmapFontsOnly)
{
    WritePackages({"menu_1280"});
    mHarness.AddPackage("menu_1280", MenuNodes(false), "/scene");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayer(0) != nullptr; }));
    ASSERT_TRUE(Game()->CreatePlayer(0, String("Zo\xC3\xA9"), String()));
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    EXPECT_TRUE(Menu()->UsesBitmapFontOnly());
    // The font lacks every glyph, still the display text shows the title.
    Graph::IDisplayText* title =
        mHarness.Find<Graph::IDisplayText>("/stage_start/mainmenu/mm_sign_start/titlename");
    EXPECT_EQ(std::string(title->GetText().GetText()), "Zo\xC3\xA9");
    EXPECT_TRUE(mHarness.Find("/stage_start/mainmenu/mm_sign_start/titlename")->IsActiveAndVisible());
}

TEST_F(MenuProcessorTest, TheNewPlayerSignTakesTypedCharactersUpToElevenAndEnterCreatesTheProfile)
{
    ASSERT_TRUE(StartMenu({}));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kNewPlayer);
    EXPECT_EQ(Menu()->GetNewPlayerSlot(), -1);
    EXPECT_TRUE(mHarness.Find("/stage_start/newplayer")->IsActiveAndVisible());

    const struct
    {
        std::vector<std::string> mTyped;
        const char* mName;
    } steps[] = {
        {{"\b"}, ""}, // backspace on an empty name
        {{"A", "n", "\x01", "\x1f", "n"}, "Ann"},
        {{"\xC3\xA9"}, "Ann\xC3\xA9"},
        {{"\b"}, "Ann"},             // a whole two-byte character goes
        {{"\x80", "\xBF"}, "Ann"},   // stray continuation bytes are no characters
        {{"BCDEFGHIJ"}, "AnnBCDEFGHI"}, // cut to 11
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(mHarness.Type(step.mTyped));
        EXPECT_EQ(std::string(Menu()->GetNewPlayerName().GetText()), step.mName);
    }
    // Eleven characters show the dots and no cursor.
    ASSERT_TRUE(mHarness.Frames(15));
    EXPECT_EQ(TextOf("/systemfont_textures/tex_sign_long"), "AnnBCDEFGHI...");

    ASSERT_TRUE(mHarness.Type({"\r"}));
    ASSERT_TRUE(mHarness.Frame());
    ASSERT_TRUE(Game()->IsPlayerUsed(0));
    EXPECT_EQ(std::string(Game()->GetPlayer(0)->GetName().GetText()), "AnnBCDEFGHI");
    // State 8 is taken back to the start face by the stage.
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kStartFace);
}

TEST_F(MenuProcessorTest, AnEmptyNameIsTheBasenameWithTheSlotNumber)
{
    // The sign that opened by itself: the free slot's index.
    ASSERT_TRUE(StartMenu({}));
    ASSERT_TRUE(mHarness.Type({"\r"}));
    EXPECT_EQ(std::string(Game()->GetPlayer(0)->GetName().GetText()), "0");

    // Opened for the third slot from the profile face: slot + 1.
    ASSERT_TRUE(AtRest());
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_profile"));
    ASSERT_TRUE(AtRest());
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kProfileFace);
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_switch"), 0);
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_profile/mm_slot1"), 1);
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_profile/mm_slot3"), 0);
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_profile/empty3/button_new_paper"));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kNewPlayer);
    EXPECT_EQ(Menu()->GetNewPlayerSlot(), 2);
    ASSERT_TRUE(mHarness.Type({"\r"}));
    EXPECT_EQ(std::string(Game()->GetPlayer(2)->GetName().GetText()), "3");
    EXPECT_EQ(Game()->GetCurrentPlayerIndex(), 2u);
}

// The start face's buttons, each from a fresh menu.
struct StartFaceCase
{
    const char* mButton;
    SInt32 mState;
    SInt32 mSignChild;
};

class MenuStartFaceTest : public MenuProcessorTest, public ::testing::WithParamInterface<StartFaceCase>
{
};

TEST_P(MenuStartFaceTest, ButtonLeadsToItsFace)
{
    const StartFaceCase& c = GetParam();
    ASSERT_TRUE(StartMenu({"Ann"}));
    Game()->StartLevel(0);
    ASSERT_TRUE(ClickButton(c.mButton));
    if (c.mState == MenuProcessor::kGoToMap) {
        EXPECT_FALSE(Game()->IsLevelChosen());
        ASSERT_TRUE(RunUntil(Logic()->GetStageMap()));
        return;
    }
    if (c.mState == MenuProcessor::kStartGame) {
        EXPECT_TRUE(Game()->IsZen());
        EXPECT_TRUE(Game()->IsLevelChosen());
        ASSERT_TRUE(RunUntil(Logic()->GetStageGame()));
        return;
    }
    EXPECT_EQ(Menu()->GetMenuState(), c.mState);
    EXPECT_TRUE(Menu()->IsSignContentPending());
    ASSERT_TRUE(AtRest());
    EXPECT_FALSE(Menu()->IsSignContentPending());
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_switch"), c.mSignChild);
    // The scroll lists' back button, then the start face again.
    if (c.mSignChild == 2) {
        ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_scrolllist/button_back"));
        EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kStartFace);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MenuStartFaceTest,
    ::testing::Values(StartFaceCase{"/stage_start/mainmenu/mm_sign_start/button_quest", MenuProcessor::kGoToMap, 1},
                      StartFaceCase{"/stage_start/mainmenu/mm_sign_start/button_zen", MenuProcessor::kStartGame, 1},
                      StartFaceCase{"/stage_start/mainmenu/mm_sign_start/button_profile", MenuProcessor::kProfileFace, 0},
                      StartFaceCase{"/stage_start/mainmenu/mm_sign_start/button_credits", MenuProcessor::kCredits, 2},
                      StartFaceCase{"/stage_start/mainmenu/mm_sign_start/button_highscores", MenuProcessor::kLocalScores, 2}));

TEST_F(MenuProcessorTest, EscapeOnTheProfileFaceWaitsForTheSignToRest)
{
    ASSERT_TRUE(StartMenu({"Ann"}));
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_profile"));
    // The sign still swings: Escape does nothing.
    ASSERT_TRUE(mHarness.PressKey(1));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kProfileFace);
    ASSERT_TRUE(AtRest());
    ASSERT_TRUE(mHarness.PressKey(1));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kStartFace);
    // On the resting start face Escape asks whether to quit.
    ASSERT_TRUE(AtRest());
    EXPECT_FALSE(Logic()->GetContext()->GetPopup()->IsOpen());
    ASSERT_TRUE(mHarness.PressKey(1));
    EXPECT_TRUE(Logic()->GetContext()->GetPopup()->IsOpen());
    EXPECT_TRUE(Logic()->GetContext()->GetPopup()->IsAction(String("quitGame")));
}

TEST_F(MenuProcessorTest, SoundButtonTogglesTheSettingAndTheSwitch)
{
    ASSERT_TRUE(StartMenu({"Ann"}));
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_start/mm_music_switch"), 1);
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_audio"));
    EXPECT_TRUE(Game()->IsMuted());
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_start/mm_music_switch"), 0);
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_audio"));
    EXPECT_FALSE(Game()->IsMuted());
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_start/mm_music_switch"), 1);
}

TEST_F(MenuProcessorTest, CreditsCrawlWrapAndTakeTheWheelAndDragsFromTheListArea)
{
    ASSERT_TRUE(StartMenu({"Ann"}));
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_credits"));
    ASSERT_TRUE(AtRest());
    ASSERT_EQ(Menu()->GetMenuState(), MenuProcessor::kCredits);
    // At rest the list crawls 30 units a second.
    Float before = ListY();
    ASSERT_TRUE(mHarness.Frames(10));
    EXPECT_NEAR(ListY() - before, 30.0f * 0.5f, 0.01f);

    // The wheel: 32 units a notch, at most 192 a step, and no crawl in that step.
    before = ListY();
    ASSERT_TRUE(mHarness.Wheel(0, 1));
    EXPECT_NEAR(ListY(), before - 32.0f, 0.01f);
    before = ListY();
    ASSERT_TRUE(mHarness.Wheel(0, 1000000));
    EXPECT_NEAR(ListY(), before - 192.0f, 0.01f);

    // Wrap around at both ends.
    mHarness.Find<Graph::ITransform>("/fbo_scrolllist/scrolllists/position")->SetPositionY(2841.0f);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_EQ(ListY(), -240.0f);
    mHarness.Find<Graph::ITransform>("/fbo_scrolllist/scrolllists/position")->SetPositionY(-241.0f);
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_EQ(ListY(), 2840.0f);

    // A drag outside the list area moves nothing: only the crawl goes on.
    mHarness.Find<Graph::ITransform>("/fbo_scrolllist/scrolllists/position")->SetPositionY(1000.0f);
    Float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(mHarness.ToScreen("/camera", -400.0f, 0.0f, x0, y0));
    ASSERT_TRUE(mHarness.ToScreen("/camera", -400.0f, 200.0f, x1, y1));
    ASSERT_TRUE(mHarness.Drag(x0, y0, x1, y1, 4));
    EXPECT_LE(ListY(), 1000.0f + 30.0f * 0.05f * 8.0f);
    EXPECT_EQ(Menu()->GetScrollVelocity(), 0.0f);

    // Inside it the list follows the pointer, then coasts to rest; the crawl takes over.
    mHarness.Find<Graph::ITransform>("/fbo_scrolllist/scrolllists/position")->SetPositionY(1000.0f);
    ASSERT_TRUE(mHarness.ToScreen("/camera", 100.0f, -200.0f, x0, y0));
    ASSERT_TRUE(mHarness.ToScreen("/camera", 100.0f, 0.0f, x1, y1));
    ASSERT_TRUE(mHarness.Drag(x0, y0, x1, y1, 4));
    EXPECT_GE(ListY(), 1200.0f);
    EXPECT_GT(Menu()->GetScrollVelocity(), 0.5f);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return std::fabs(Menu()->GetScrollVelocity()) <= 0.5f; }, 200));
    const Float rested = ListY();
    ASSERT_TRUE(mHarness.Frame());
    EXPECT_NEAR(ListY() - rested, 1.5f, 0.01f);
}

TEST_F(MenuProcessorTest, TheDeletePopupAsksAndDeletingTheCurrentProfileOpensTheNewPlayerSign)
{
    ASSERT_TRUE(StartMenu({"Ann", "Ben"})); // Ben, the second slot, is current
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_profile"));
    ASSERT_TRUE(AtRest());

    // No keeps the profile.
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_profile/used1/button_delete"));
    EXPECT_TRUE(ThePopup()->IsOpen());
    EXPECT_TRUE(ThePopup()->IsAction(String("deletePlayerSlot")));
    EXPECT_EQ(Menu()->GetDeleteSlot(), 0);
    ASSERT_TRUE(AnswerPopup(2));
    EXPECT_TRUE(Game()->IsPlayerUsed(0));
    EXPECT_EQ(Menu()->GetDeleteSlot(), -1);

    // Yes deletes another profile: its slot shows the new button again, the face stays.
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_profile/used1/button_delete"));
    ASSERT_TRUE(AnswerPopup(1));
    EXPECT_FALSE(Game()->IsPlayerUsed(0));
    ASSERT_TRUE(mHarness.Frame()); // the slots are rebuilt in the step after the pop-up has gone
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_profile/mm_slot1"), 0);
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kProfileFace);

    // Deleting the current profile opens the new-player sign on its slot.
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_profile/used2/button_delete"));
    ASSERT_TRUE(AnswerPopup(1));
    EXPECT_FALSE(Game()->IsPlayerUsed(1));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kNewPlayer);
    EXPECT_EQ(Menu()->GetNewPlayerSlot(), 1);
    EXPECT_TRUE(mHarness.Find("/stage_start/newplayer")->IsActiveAndVisible());
}

TEST_F(MenuProcessorTest, FreePlayPicksAPlayableLevelAndComesBackToTheChooser)
{
    ASSERT_TRUE(StartMenu({"Ann"}));
    PlayerData* player = Game()->GetPlayer(0);
    player->SetLevelCount(102);
    PlayerLevelData run;
    run.SetStars(2);
    for (UInt32 level = 1; level <= 2; ++level)
        player->RecordLevelResult(run, level);
    ASSERT_EQ(player->GetFrontier(), 3u);
    LevelSelectOverlay* chooser = Menu()->GetLevelChooser();

    // The chooser opens without a sign swap; its back button or Escape closes it again.
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_freeplay"));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kLevelChooser);
    EXPECT_FALSE(Menu()->IsSignContentPending());
    EXPECT_TRUE(chooser->IsShown());
    ASSERT_TRUE(AtRest());
    ASSERT_TRUE(mHarness.ClickAt("/camera", 0.0f, -345.0f));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kStartFace);
    EXPECT_EQ(Child("/stage_start/mainmenu/mm_sign_switch"), 1);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return !chooser->IsShown(); }, 100));

    ASSERT_TRUE(AtRest());
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_freeplay"));
    ASSERT_TRUE(AtRest());
    // From the menu the level reached (3) is locked: its tile takes no click.
    ASSERT_TRUE(mHarness.ClickAt("/camera", -4.0f, 236.0f));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kLevelChooser);
    // A cleared level starts a free-play game of it.
    ASSERT_TRUE(mHarness.ClickAt("/camera", -200.0f, 236.0f));
    EXPECT_EQ(Game()->GetLevel(), 2u);
    EXPECT_TRUE(Game()->IsLevelChosen());
    StageGame* game = Logic()->GetStageGame();
    ASSERT_TRUE(RunUntil(game));

    // Leaving the level comes back to the chooser, the sign kept away. The level's background
    // is left out: the level plays over a package that is in.
    game->GetLevelHandler()->ClearPackages();
    game->GetLevelHandler()->SetCurrentPackage(mHarness.Package("game_common"));
    game->GetCourseProcessor()->GetProcessor()->SetEnabled(false);
    ASSERT_TRUE(mHarness.Frame());
    Game()->SetPlayState(20);
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    EXPECT_EQ(Menu()->GetMenuState(), MenuProcessor::kLevelChooser);
    EXPECT_TRUE(chooser->IsShown());
}

TEST_F(MenuProcessorTest, TheLocalListStaysBetweenItsTopAndBottomAndCoastsToTheGrid)
{
    ASSERT_TRUE(StartMenu({"Ann"}));
    ASSERT_TRUE(ClickButton("/stage_start/mainmenu/mm_sign_start/button_highscores"));
    ASSERT_TRUE(AtRest());
    ASSERT_EQ(Menu()->GetMenuState(), MenuProcessor::kLocalScores);
    EXPECT_EQ(ListY(), 240.0f);
    // The test's pool has no rows: six empty blocks of 120 give a bottom of -200 + 240 + 720.
    const Float bottom = Float(Menu()->GetLocalListBottom());
    EXPECT_EQ(bottom, 760.0f);
    const struct
    {
        Float mFrom;
        Float mTo;
    } clamps[] = {{5000.0f, bottom}, {-100.0f, 240.0f}, {500.0f, 500.0f}};
    for (const auto& clamp : clamps) {
        SetListY(clamp.mFrom);
        ASSERT_TRUE(mHarness.Frame());
        EXPECT_EQ(ListY(), clamp.mTo) << clamp.mFrom;
    }

    // A fling from inside the list coasts on and comes to rest on a whole pixel.
    SetListY(240.0f);
    ASSERT_TRUE(DragScene(100.0f, -200.0f, 100.0f, 0.0f));
    EXPECT_GT(Menu()->GetScrollVelocity(), 0.5f);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return std::fabs(Menu()->GetScrollVelocity()) <= 0.5f; }, 200));
    const Float rested = ListY();
    EXPECT_GT(rested, 440.0f);
    EXPECT_EQ(rested, std::floor(rested));
    ASSERT_TRUE(mHarness.Frames(3));
    EXPECT_EQ(ListY(), rested);
}

TEST_F(MenuProcessorTest, TheMenuMapAndChooserBindEveryNode)
{
    ::testing::internal::CaptureStderr();
    const Bool started = StartMenu({"Ann"}) && ClickButton("/stage_start/mainmenu/mm_sign_start/button_quest") &&
                         RunUntil(Logic()->GetStageMap());
    const std::string log = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(started) << log;
    for (const char* part : {"/stage_start", "/stage_map", "/overlaymap", "/popup", "map_levelscleared"})
        EXPECT_EQ(log.find(part), std::string::npos) << part << "\n" << log;
}

// The menu bound on its own over a scene of the menu package's nodes, for the binding's failures
// and the device classes.
class MenuBindingTest : public Testing::ViewSceneFixture
{
protected:
    MenuBindingTest()
        : mTextClasses(mFactory, {{"FakeText", &Testing::TextNode::Create},
                                  {"MenuDisplayText", &MenuDisplayTextNode::Create}}),
          mEngineState(mLogicFactory.CreateState(&mLogicDevices, &mConfiguration, &mLoader, nullptr)),
          mContext(&mLogicFactory, 1280.0f, 800.0f), mChooser(&mContext), mMenu(&mLogicFactory, &mContext, &mChooser)
    {
        mConfiguration.SetDeviceClass(Enums::DeviceClass::COMPUTER_DESKTOP);
    }
    ~MenuBindingTest() override { mLogicFactory.DestroyState(mEngineState); }
    void TearDown() override
    {
        if (mScene != nullptr) {
            EXPECT_TRUE(mMenu.GetProcessor()->DeInit(mEngineState->GetState()));
        }
        EXPECT_TRUE(DestroyScene());
    }

    // Binds the menu over its nodes, less those left out and with one node of another class; the
    // binding's lines about nodes go to log.
    Bool Bind(const std::set<std::string>& leftOut, const std::string& retyped, Bool textures, std::string& log)
    {
        std::vector<Testing::GameNode> nodes;
        for (Testing::GameNode node : MenuNodes(textures)) {
            if (leftOut.count(node.mPath) != 0)
                continue;
            if (node.mPath == retyped)
                node.mClass = "Transform";
            nodes.push_back(node);
        }
        const std::string graph = Testing::GameGraphXml(nodes);
        const std::string body = graph.substr(7, graph.size() - 15); // inside "<Graph>" and "</Graph>"
        mScene = Scene("<View><OrthographicCamera id='camera' unitSizeX='1'/>" + body + "</View>");
        if (mScene == nullptr)
            return false;
        mEngineState->SetGraphRoot(mRoot.get());
        mEngineState->SetResourceCollection(&mCollection);
        ::testing::internal::CaptureStderr();
        const Bool bound = mMenu.GetProcessor()->Init(mEngineState->GetState());
        const std::string all = ::testing::internal::GetCapturedStderr();
        log.clear();
        size_t start = 0;
        while (start < all.size()) {
            const size_t end = all.find('\n', start);
            const std::string line = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (line.find("not found") != std::string::npos || line.find("incorrect type") != std::string::npos)
                log += line + "\n";
            start = end == std::string::npos ? all.size() : end + 1;
        }
        return bound;
    }
    Float X(const char* path) { return Find<Graph::ITransform>(mScene, path)->GetTransform()[12]; }
    Bool Shown(const char* path) { return Find<Graph::INode>(mScene, path)->IsActiveAndVisible(); }
    SInt32 Child(const char* path) { return Find<Graph::ISwitch>(mScene, path)->GetIndex(); }

    Testing::NodeClassRegistration mTextClasses;
    Logic::Factory mLogicFactory;
    Testing::FakeLogicDeviceHandler mLogicDevices;
    Testing::FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    AppContext mContext;
    LevelSelectOverlay mChooser;
    MenuProcessor mMenu;
    Graph::INamespace* mScene = nullptr;
};

struct BindingCase
{
    std::vector<std::string> mLeftOut; // as the menu binds them
    const char* mRetyped;
    Bool mTextures;
    UInt32 mLines;
};

class MenuBindingFailureTest : public MenuBindingTest, public ::testing::WithParamInterface<BindingCase>
{
};

TEST_P(MenuBindingFailureTest, EveryNodeIsBoundBeforeInitFailsWithOneLineEach)
{
    const BindingCase& c = GetParam();
    std::set<std::string> leftOut;
    for (const std::string& path : c.mLeftOut)
        leftOut.insert(MenuStructuralPath(path));
    std::string log;
    EXPECT_EQ(Bind(leftOut, MenuStructuralPath(c.mRetyped), c.mTextures, log), c.mLines == 0) << log;
    EXPECT_EQ(UInt32(std::count(log.begin(), log.end(), '\n')), c.mLines) << log;
    for (const std::string& path : c.mLeftOut)
        EXPECT_NE(log.find(path.substr(path.rfind('/'))), std::string::npos) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, MenuBindingFailureTest,
    ::testing::Values(
        BindingCase{{}, "", true, 0},
        // One node early in the table: one line, and the rows after it are still bound.
        BindingCase{{"/stage_start/newplayer/name_sign"}, "", true, 1},
        BindingCase{{"/stage_start/newplayer/name_sign", "/stage_start/mainmenu/mm_sign_start/welkanto_logo_button"},
                    "", true, 2},
        BindingCase{{}, "/stage_start/mainmenu/mm_sign_profile/profile_headline", true, 1},
        // Without any system-font texture the five texture rows fail.
        BindingCase{{"/systemfont_textures/tex_sign_long", "/systemfont_textures/tex_profile1",
                     "/systemfont_textures/tex_profile2", "/systemfont_textures/tex_profile3",
                     "/systemfont_textures/tex_newprofile"},
                    "", true, 5},
        // A sign texture of another kind: bitmap fonts, the five rows unbound.
        BindingCase{{}, "", false, 0}));

TEST_F(MenuBindingTest, AComputerShowsQuitAndFullScreenAndOtherDevicesHideThem)
{
    const struct
    {
        Enums::DeviceClass mClass;
        Bool mFullScreen;
        Float mHighscoresX;
        Float mCreditsX;
        Bool mComputerParts;
        SInt32 mFullScreenChild;
    } cases[] = {{Enums::DeviceClass::COMPUTER_LAPTOP, true, -250.0f, 0.0f, true, 0},
                 {Enums::DeviceClass::COMPUTER_DESKTOP, false, -250.0f, 0.0f, true, 1},
                 {Enums::DeviceClass::HANDHELD_TABLET, false, -160.0f, 160.0f, false, -1}};
    for (const auto& c : cases) {
        mConfiguration.SetDeviceClass(c.mClass);
        mConfiguration.SetFullScreen(c.mFullScreen);
        std::string log;
        ASSERT_TRUE(Bind({}, "", true, log)) << log;
        EXPECT_EQ(X("stage_start/mainmenu/mm_sign_start/button_highscores"), c.mHighscoresX);
        EXPECT_EQ(X("stage_start/mainmenu/mm_sign_start/button_credits"), c.mCreditsX);
        if (c.mComputerParts) {
            EXPECT_EQ(X("stage_start/mainmenu/mm_sign_start/button_quitgame"), 250.0f);
        }
        EXPECT_EQ(Shown("stage_start/mainmenu/mm_sign_start/button_quitgame"), c.mComputerParts);
        EXPECT_EQ(Shown("stage_start/mainmenu/button_toggle_fullscreen"), c.mComputerParts);
        EXPECT_EQ(Child("fbo_scrolllist/scrolllists/onlinehighscore/onlinehighscore_header_switch") == 1,
                  c.mComputerParts);
        if (c.mComputerParts) {
            EXPECT_EQ(Child("stage_start/mainmenu/mm_toggle_fullscreen_switch"), c.mFullScreenChild);
        }
        EXPECT_TRUE(mMenu.GetProcessor()->DeInit(mEngineState->GetState()));
        EXPECT_TRUE(DestroyScene());
        mScene = nullptr;
    }
}

} // namespace
} // namespace App
} // namespace Vorn
