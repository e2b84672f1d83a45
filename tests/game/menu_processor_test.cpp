#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "game/app_context.h"
#include "game/menu_processor.h"
#include "game/popup.h"
#include "game/stage_menu.h"
#include "graph/display_text.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "input/device.h"
#include "tests/game/game_flow_fixture.h"

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

} // namespace
} // namespace App
} // namespace Vorn
