// The game's own data on the headless engine: the packages the build made from content/ are
// loaded by the game's application on a desktop computer of 1280 x 800, which runs the start-up,
// the main menu, the map, the level chooser and every level of the level file for a few hundred
// frames. Any line the engine or the game logs on the way (a failed binding, a missing resource,
// text or file, a cut text) is a fault of the data or of the code that reads it. This test keeps
// the two in step.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/debug.h"
#include "game/drel_app.h"
#include "game/app_context.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/menu_processor.h"
#include "game/play/level_data.h"
#include "game/play/level_handler.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/input/button.h"
#include "graph/namespace.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "logic/stage.h"
#include "tests/support/fake_output_device_handler.h"
#include "tests/support/content_fixture.h"
#include "tests/support/game_harness.h"

namespace Vorn {
namespace App {
namespace {

class ContentTest : public Testing::ContentFixture
{
protected:
    // To the menu, and on until the game and end groups are in behind it.
    Bool StartToMenu()
    {
        return Start() && RunUntil(Logic()->GetStageMenu()) && RunUntilAllGroupsLoaded();
    }

    // Calls visit for every node below the top node, depth first.
    void ForEachNode(const std::function<void(Graph::INode*)>& visit)
    {
        Graph::IRoot* root = mHarness.mEngine.GetRoot();
        ASSERT_TRUE(root != nullptr && root->Lock());
        std::vector<Graph::INode*> pending{root->GetRootNode()};
        while (!pending.empty()) {
            Graph::INode* node = pending.back();
            pending.pop_back();
            visit(node);
            for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i)
                pending.push_back(node->GetChild(i));
        }
        root->Unlock();
    }
};

TEST_F(ContentTest, StartUpMenuMapAndChooserRunWithoutAFaultLine)
{
    ASSERT_TRUE(Start());
    // The loader screen with its pictures, then the menu; the splash countdown takes 11 s.
    ASSERT_NE(mHarness.Find("/splash_switch"), nullptr);
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Logic()->GetGroup(2)->IsLoaded(); }, 2000));
    ASSERT_TRUE(mHarness.Frames(200));

    StageMap* map = Logic()->GetStageMap();
    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kGoToMap;
    ASSERT_TRUE(RunUntil(map));
    ASSERT_TRUE(mHarness.Frames(100));
    // State 1: the level chooser is open.
    map->GetMapProcessor()->SetState(MapProcessor::State(1));
    ASSERT_TRUE(mHarness.Frames(100));
    map->GetMapProcessor()->SetState(MapProcessor::kBackToMenu);
    ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    ASSERT_TRUE(mHarness.Frames(50));

    for (const std::string& line : AllLines())
        ADD_FAILURE() << line;
}

// Every node the menu, map, chooser and end screens are read through, with what it must be.
using Kind = Testing::NodeKind;

struct RequiredNode
{
    const char* mPath;
    Kind mKind;
};

#define MM "/stage_start/mainmenu"
#define PROFILE MM "/mm_sign_profile"
#define START MM "/mm_sign_start"
#define BASEMAP "/stage_map/basemap"
#define SLOT(n)                                                                                               \
    {PROFILE "/mm_slot" #n, Kind::kSwitch}, {PROFILE "/empty" #n, Kind::kNamespace},                        \
        {PROFILE "/used" #n, Kind::kNamespace}, {PROFILE "/empty" #n "/button_new_paper", Kind::kButton},   \
        {PROFILE "/used" #n "/name", Kind::kDisplayText}, {PROFILE "/used" #n "/stage", Kind::kDisplayText}, \
        {PROFILE "/used" #n "/systemfont", Kind::kNamespace},                                                \
        {PROFILE "/used" #n "/systemfont/parameters", Kind::kParameters},                                    \
        {PROFILE "/used" #n "/gamecenter_sign", Kind::kTransform},                                           \
        {PROFILE "/used" #n "/button_load_paper", Kind::kButton}, {PROFILE "/used" #n "/button_delete", Kind::kButton}

const RequiredNode kRequiredNodes[] = {
    {"/stage_start", Kind::kNamespace},
    {"/stage_start/screen_timeline", Kind::kTimeline},
    {MM, Kind::kNamespace},
    {MM "/bottom_text", Kind::kTransform},
    {MM "/bottom_copyright", Kind::kButton},
    {MM "/bottom_vorn", Kind::kButton},
    {MM "/base_timeline", Kind::kTimeline},
    {MM "/mm_logo", Kind::kTransform},
    {MM "/mm_sign", Kind::kTransform},
    {MM "/mm_catapult", Kind::kTransform},
    {MM "/mm_bg_scale", Kind::kScalable},
    {MM "/mm_animal", Kind::kSwitch},
    {MM "/mm_animal_timeline", Kind::kTimeline},
    {MM "/mm_sign_timeline", Kind::kTimeline},
    {MM "/mm_sign_switch", Kind::kSwitch},
    {MM "/button_toggle_fullscreen", Kind::kButton},
    {MM "/mm_toggle_fullscreen_switch", Kind::kSwitch},
    {PROFILE, Kind::kNamespace},
    SLOT(1),
    SLOT(2),
    SLOT(3),
    {PROFILE "/button_back", Kind::kButton},
    {PROFILE "/profile_headline", Kind::kDisplayText},
    {PROFILE "/profile_headline_systemfont/parameters", Kind::kParameters},
    {START, Kind::kNamespace},
    {START "/button_quest", Kind::kButton},
    {START "/button_zen", Kind::kButton},
    {START "/button_freeplay", Kind::kButton},
    {START "/button_profile", Kind::kButton},
    {START "/button_audio", Kind::kButton},
    {START "/titlename", Kind::kDisplayText},
    {START "/titlename_systemfont/parameters", Kind::kParameters},
    {START "/mm_music_switch", Kind::kSwitch},
    {START "/button_highscores", Kind::kButton},
    {START "/button_credits", Kind::kButton},
    {START "/button_quitgame", Kind::kButton},
    {START "/gamecenter_status", Kind::kTransform},
    {START "/gamecenter_status_text1", Kind::kText},
    {START "/gamecenter_status_text2", Kind::kText},
    {START "/gamecenter_status_button", Kind::kButton},
    {START "/welkanto_logo", Kind::kTransform},
    {START "/welkanto_logo_button", Kind::kButton},
    {MM "/mm_sign_scrolllist/button_toggle_localglobal", Kind::kButton},
    {MM "/mm_sign_scrolllist/button_back", Kind::kButton},
    {"/stage_start/newplayer", Kind::kNamespace},
    {"/stage_start/newplayer/systemfont/parameters", Kind::kParameters},
    {"/stage_start/newplayer/timeline", Kind::kTimeline},
    {"/stage_start/newplayer/name_sign", Kind::kTransform},
    {"/stage_start/newplayer/button_ok", Kind::kButton},
    {"/stage_start/newplayer/button_gamecenter", Kind::kButton},
    {"/stage_start/newplayer/new_playername_text", Kind::kDisplayText},
    {"/stage_start/newplayer/gamecenter", Kind::kTransform},
    // The scroll lists on the sign.
    {"/fbo_scrolllist", Kind::kNamespace},
    {"/fbo_scrolllist/scrolllists", Kind::kNamespace},
    {"/fbo_scrolllist/scrolllists/scrolllists_switch", Kind::kSwitch},
    {"/fbo_scrolllist/scrolllists/position", Kind::kTransform},
    {"/fbo_scrolllist/scrolllists/onlinehighscore/onlinehighscore_header_switch", Kind::kSwitch},
    {"/fbo_scrolllist/scrolllists/highscore/gamecenter", Kind::kSwitch},
    {"/fbo_scrolllist/scrolllists/highscore/block_1/pos", Kind::kTransform},
    {"/fbo_scrolllist/scrolllists/highscore/block_6/pos", Kind::kTransform},
    // The map.
    {"/stage_map/screen_timeline", Kind::kTimeline},
    {BASEMAP, Kind::kNamespace},
    {BASEMAP "/base_map_timeline", Kind::kTimeline},
    {BASEMAP "/base_map_startanim_timeline", Kind::kTimeline},
    {BASEMAP "/base_map_startanim_playnow_timeline", Kind::kTimeline},
    {BASEMAP "/button_map", Kind::kButton},
    {BASEMAP "/button_map2", Kind::kButton},
    {BASEMAP "/button_map3", Kind::kButton},
    {BASEMAP "/mm_bg_scale", Kind::kScalable},
    {BASEMAP "/map_arrow_top_left", Kind::kSwitch},
    {BASEMAP "/map_arrow_top_left_trans", Kind::kTransform},
    {BASEMAP "/button_back", Kind::kButton},
    {BASEMAP "/button_save_quit", Kind::kButton},
    {BASEMAP "/button_play_now", Kind::kButton},
    {BASEMAP "/play_now", Kind::kTransform},
    {BASEMAP "/playnow_writing_timeline", Kind::kTimeline},
    {BASEMAP "/map_carrot_trans", Kind::kTransform},
    {BASEMAP "/map_levelscleared", Kind::kTransform},
    {BASEMAP "/map_levelscleared_timeline", Kind::kTimeline},
    {BASEMAP "/button_levelscleared", Kind::kButton},
    {BASEMAP "/levelscleared_text1", Kind::kDisplayText},
    {BASEMAP "/levelscleared_text2", Kind::kDisplayText},
    {BASEMAP "/button_cancel_marker", Kind::kButton},
    {BASEMAP "/map_marker", Kind::kTransform},
    {BASEMAP "/map_tap_click_switch", Kind::kSwitch},
    {BASEMAP "/button_toggle_fullscreen", Kind::kButton},
    {BASEMAP "/mm_toggle_fullscreen_switch", Kind::kSwitch},
    // The level chooser and the first and last of its tiles.
    {"/overlaymap", Kind::kNamespace},
    {"/overlaymap/overlay_map_timeline", Kind::kTimeline},
    {"/overlaymap/button_back", Kind::kButton},
    {"/overlaymap/button_left", Kind::kButton},
    {"/overlaymap/button_right", Kind::kButton},
    {"/overlaymap/levelpaper0/select", Kind::kSwitch},
    {"/overlaymap/levelpaper0/star1", Kind::kSwitch},
    {"/overlaymap/levelpaper0/star3", Kind::kSwitch},
    {"/overlaymap/levelpaper0/stage_text", Kind::kText},
    {"/overlaymap/levelpaper0/button", Kind::kButton},
    {"/overlaymap/levelpaper0/position", Kind::kTransform},
    {"/overlaymap/levelpaper19/position", Kind::kTransform},
    // The end screen.
    {"/stage_end/screen_timeline", Kind::kTimeline},
    {"/stage_end/pic", Kind::kTransform},
    {"/stage_end/info", Kind::kTransform},
    {"/stage_end/button_back", Kind::kButton},
    {"/stage_end/button_cancel", Kind::kButton},
    {"/stage_end/pic_timeline", Kind::kTimeline},
    {"/stage_end/text", Kind::kDisplayText},
};

#undef SLOT
#undef BASEMAP
#undef START
#undef PROFILE
#undef MM

TEST_F(ContentTest, EveryNodeTheScreensReadIsThereAsItsKind)
{
    ASSERT_TRUE(StartToMenu());
    for (const RequiredNode& required : kRequiredNodes) {
        Graph::INode* node = mHarness.Find(required.mPath);
        EXPECT_TRUE(node != nullptr && Testing::IsNodeOfKind(node, required.mKind)) << required.mPath;
    }
    // The chooser's pool is one page of tiles, and the scroll lists hold the empty list and the
    // three lists in the order the menu selects them.
    Graph::INode* papers = mHarness.Find("/overlaymap/levelpaper_container");
    ASSERT_NE(papers, nullptr);
    EXPECT_EQ(papers->GetNumberOfChildren(), 20u);
    Graph::INode* lists = mHarness.Find("/fbo_scrolllist/scrolllists/scrolllists_switch");
    ASSERT_NE(lists, nullptr);
    EXPECT_EQ(lists->GetNumberOfChildren(), 4u);
    for (const char* path : {"/stage_start/mainmenu/mm_animal", "/stage_start/mainmenu/mm_sign_switch"}) {
        Graph::INode* node = mHarness.Find(path);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->GetNumberOfChildren(), 3u) << path;
    }
}

// Texts and typed names are Latin: every bitmap font a screen writes with has a glyph for each
// letter of the two Latin blocks (characters missing from a font vanish without a word).
TEST_F(ContentTest, EveryTextNodeCanShowTheLatinLetters)
{
    ASSERT_TRUE(StartToMenu());
    UInt32 texts = 0;
    ForEachNode([&](Graph::INode* node) {
        const auto* text = dynamic_cast<const Graph::IDisplayText*>(node);
        if (text == nullptr)
            return;
        ++texts;
        std::string lacking;
        for (UInt32 code = 0x21; code < 0x180; ++code) {
            // Controls, the no-break space and the soft hyphen take no glyph.
            if ((code >= 0x7F && code <= 0xA0) || code == 0xAD)
                continue;
            char character[3] = {char(code), 0, 0};
            if (code >= 0x80) {
                character[0] = char(0xC0 | (code >> 6));
                character[1] = char(0x80 | (code & 0x3F));
            }
            if (!text->HasGlyph(character))
                lacking += character;
        }
        EXPECT_TRUE(lacking.empty()) << node->GetId().GetText() << " lacks " << lacking;
    });
    EXPECT_GT(texts, 0u);
}

// The level file's levels in groups, each group one test of its own, so that the groups run side
// by side and each stays short on a busy machine.
constexpr UInt32 kNumberOfLevels = 102;
constexpr UInt32 kLevelsPerGroup = 17;

class ContentLevelGroupTest : public ContentTest, public ::testing::WithParamInterface<UInt32>
{
};

// Every level of the level file on the game screen: each one starts with its scenery, runs for a
// few hundred frames and goes back to the menu, and no line is logged on the way (a failed
// binding, a missing resource, text or glyph).
TEST_P(ContentLevelGroupTest, EveryLevelStartsAndRunsWithoutAFaultLine)
{
    ASSERT_TRUE(StartToMenu());
    StageMenu* menu = Logic()->GetStageMenu();
    StageGame* game = Logic()->GetStageGame();
    GameState* state = Logic()->GetContext()->GetGameState();
    LevelHandler* levels = game->GetLevelHandler();
    ASSERT_EQ(levels->GetLevels().GetCount(), SInt32(kNumberOfLevels));
    const std::vector<std::string> before = AllLines();
    const UInt32 first = GetParam() * kLevelsPerGroup;
    for (UInt32 level = first; level < first + kLevelsPerGroup && level < kNumberOfLevels; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        state->StartLevel(level);
        menu->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
        ASSERT_TRUE(RunUntil(game));
        ASSERT_TRUE(mHarness.Frames(240));
        EXPECT_EQ(levels->GetLevelIndex(), level);
        const std::string scenery = levels->GetLevels()[level].mAssetResourceId.GetText();
        EXPECT_NE(mHarness.Find(("/framebuffer/" + scenery + "/screen").c_str()), nullptr) << scenery << " is not in";
        EXPECT_EQ(levels->GetAppliedBackground(), LevelHandler::GetBackgroundIndex(String(scenery.c_str())));
        state->SetPlayState(20);
        game->GetStage()->RequestStop();
        ASSERT_TRUE(RunUntil(menu));
    }
    const std::vector<std::string> after = AllLines();
    for (size_t i = before.size(); i < after.size(); ++i)
        ADD_FAILURE() << after[i];
}

INSTANTIATE_TEST_SUITE_P(Groups, ContentLevelGroupTest,
                         ::testing::Range(0u, (kNumberOfLevels + kLevelsPerGroup - 1) / kLevelsPerGroup));

} // namespace
} // namespace App
} // namespace Vorn
