// The game screen's own data on the headless engine: the packages the build made from content/
// are loaded by the game's application on a desktop computer of 1280 x 800, a level is started
// from the menu and played for a few hundred frames. Every node the game stage reads must be
// there as the kind the code takes it for (the pools are checked with their templates), and
// nothing may be logged on the way (a failed binding, a missing resource or text, a cut text).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/debug.h"
#include "game/app_context.h"
#include "game/drel_app.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/menu_processor.h"
#include "game/stage_game.h"
#include "game/play/player_processor.h"
#include "game/play/tutorial_concealer.h"
#include "game/stage_menu.h"
#include "graph/display/display_object.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/index_buffer.h"
#include "graph/indexed.h"
#include "graph/input/button.h"
#include "graph/namespace.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "graph/vertex_buffer.h"
#include "logic/stage.h"
#include "tests/support/fake_output_device_handler.h"
#include "tests/support/content_fixture.h"
#include "tests/support/game_harness.h"

namespace Vorn {
namespace App {
namespace {

namespace fs = std::filesystem;

using Kind = Testing::NodeKind;

struct RequiredNode
{
    const char* mPath;
    Kind mKind;
};

#define LS "/stage_game/levelstart"
#define SIGN "/stage_game/sign"
#define FIN SIGN "/mm_sign_finished"
#define PAUSE SIGN "/mm_sign_pause"
#define BAR "/stage_game/scorebar"
#define BAR_TEXTS(face)                                                                                        \
    {BAR "/" face "/value_rings", Kind::kText}, {BAR "/" face "/value_score", Kind::kText},                   \
        {BAR "/" face "/word_pause", Kind::kText}, {BAR "/" face "/word_rings", Kind::kText},                 \
        {BAR "/" face "/word_score", Kind::kText}, {BAR "/" face "/word_stage", Kind::kText},                 \
        {BAR "/" face "/pause_button", Kind::kButton}

const RequiredNode kRequiredNodes[] = {
    {"/stage_game", Kind::kNamespace},
    {"/stage_game/screen_timeline", Kind::kTimeline},
    {"/stage_game/playfield_timeline", Kind::kTimeline},
    {"/stage_game/playfield", Kind::kTransform},
    {"/stage_game/bg_switch", Kind::kSwitch},
    {"/stage_game/framebuffer", Kind::kNode},
    // The level-start sign.
    {LS, Kind::kNamespace},
    {LS "/timeline", Kind::kTimeline},
    {LS "/background", Kind::kPlane},
    {LS "/position", Kind::kTransform},
    {LS "/button_tap", Kind::kButton},
    {LS "/textposition", Kind::kTransform},
    {LS "/tap_to_start_timeline", Kind::kTimeline},
    {LS "/stage", Kind::kDisplayText},
    {LS "/levelname_scale", Kind::kScalable},
    {LS "/levelname", Kind::kDisplayText},
    {LS "/description", Kind::kDisplayText},
    {LS "/tap_to_start", Kind::kTransform},
    {LS "/imageposition", Kind::kTransform},
    {LS "/atlas_select", Kind::kSwitch},
    {LS "/tips1/atlas", Kind::kPlaneSequence},
    // The end and pause signs.
    {SIGN, Kind::kNamespace},
    {SIGN "/mm_sign", Kind::kTransform},
    {SIGN "/mm_sign_timeline", Kind::kTimeline},
    {SIGN "/mm_sign_switch", Kind::kSwitch},
    {FIN "/star1", Kind::kSwitch},
    {FIN "/star2", Kind::kSwitch},
    {FIN "/star3", Kind::kSwitch},
    {FIN "/base_score", Kind::kDisplayText},
    {FIN "/total_score", Kind::kDisplayText},
    {FIN "/time_bonus", Kind::kDisplayText},
    {FIN "/best_score", Kind::kDisplayText},
    {FIN "/button_next", Kind::kButton},
    {FIN "/button_replay", Kind::kButton},
    {FIN "/button_back", Kind::kButton},
    {FIN "/button_cancel_win_celebration", Kind::kButton},
    {SIGN "/mm_sign_failed/button_replay", Kind::kButton},
    {SIGN "/mm_sign_failed/button_back", Kind::kButton},
    {PAUSE "/button_restart", Kind::kButton},
    {PAUSE "/button_resume", Kind::kButton},
    {PAUSE "/button_back", Kind::kButton},
    {PAUSE "/button_resume_everywhere", Kind::kButton},
    {PAUSE "/button_audio", Kind::kButton},
    {PAUSE "/mm_music_switch", Kind::kSwitch},
    {PAUSE "/player", Kind::kDisplayText},
    {PAUSE "/systemfont", Kind::kNamespace},
    {PAUSE "/systemfont/parameters", Kind::kParameters},
    {SIGN "/mm_sign_zen/button_replay", Kind::kButton},
    {SIGN "/mm_sign_zen/button_back", Kind::kButton},
    {SIGN "/mm_sign_zen/score", Kind::kDisplayText},
    {SIGN "/mm_sign_zen/rings", Kind::kDisplayText},
    {SIGN "/mm_sign_zen/time", Kind::kDisplayText},
    // The score bar, both of its faces.
    {BAR "/position", Kind::kTransform},
    {BAR "/select", Kind::kSwitch},
    BAR_TEXTS("normal"),
    BAR_TEXTS("bar"),
    {BAR "/normal/word_score", Kind::kTransform},
    {BAR "/normal/value_score", Kind::kTransform},
    {BAR "/normal/word_pause", Kind::kTransform},
    {BAR "/bar/ipadscorebar", Kind::kIndexed},
    {BAR "/bar/levelname_scale", Kind::kScalable},
    {BAR "/bar/levelname", Kind::kDisplayText},
    // Launcher, tutorial, airstrike and the course processor's signs.
    {"/stage_game/ramp/timeline", Kind::kTimeline},
    {"/stage_game/ramp/transform", Kind::kTransform},
    {"/stage_game/ramp/inner_transform", Kind::kTransform},
    {"/stage_game/ramp/rotation", Kind::kTransform},
    {"/stage_game/ramp/ramp_shadow", Kind::kTransform},
    {"/stage_game/ramp/shadow_rotation", Kind::kTransform},
    {"/framebuffer/ramp_base/transform_base", Kind::kTransform},
    {"/stage_game/tutorial", Kind::kNamespace},
    {"/stage_game/tutorial/timeline", Kind::kTimeline},
    {"/stage_game/tutorial/position", Kind::kTransform},
    {"/stage_game/tutorial/tutorialtext", Kind::kDisplayText},
    {"/stage_game/tutorial/tutorialarrow", Kind::kTransform},
    {"/stage_game/airstrike/button_airstrike", Kind::kButton},
    {"/stage_game/airstrike/weapons_left", Kind::kDisplayText},
    {"/stage_game/airstrike/parameters", Kind::kParameters},
    {"/stage_game/tutorial_concealer", Kind::kNamespace},
    {"/stage_game/tutorial_concealer/display_object", Kind::kDisplayObject},
    {"/stage_game/tutorial_concealer/timeline", Kind::kTimeline},
    {"/stage_game/hurryup", Kind::kNamespace},
    {"/stage_game/hurryup/timeline", Kind::kTimeline},
    {"/stage_game/skull", Kind::kNamespace},
    {"/stage_game/skull/timeline", Kind::kTimeline},
    {"/stage_game/skull/position", Kind::kTransform},
    {"/framebuffer", Kind::kNamespace},
};

#undef BAR_TEXTS
#undef BAR
#undef PAUSE
#undef FIN
#undef SIGN
#undef LS

class GameStageContentTest : public Testing::ContentFixture
{
protected:
    GameState* Game() const { return Logic()->GetContext()->GetGameState(); }

    // Starts the game with the built packages, waits for the menu with every group loaded
    // behind it, and starts the level as the menu's zen button does.
    Bool StartLevel(UInt32 level)
    {
        if (!Start() || !RunUntil(Logic()->GetStageMenu()) || !RunUntilAllGroupsLoaded())
            return false;
        Game()->StartLevel(level);
        Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
        return RunUntil(Logic()->GetStageGame());
    }
};

TEST_F(GameStageContentTest, EveryNodeTheGameStageReadsIsThereAsItsKind)
{
    ASSERT_TRUE(StartLevel(1));
    for (const RequiredNode& required : kRequiredNodes) {
        Graph::INode* node = mHarness.Find(required.mPath);
        EXPECT_TRUE(node != nullptr && Testing::IsNodeOfKind(node, required.mKind)) << required.mPath;
    }
    // The switches the code selects by index have their children in the code's order.
    const struct
    {
        const char* mPath;
        UInt32 mChildren;
    } counts[] = {
        {"/stage_game/bg_switch", 2},
        {"/stage_game/sign/mm_sign_switch", 4},
        {"/stage_game/scorebar/select", 2},
        {"/stage_game/levelstart/atlas_select", 2},
        {"/stage_game/sign/mm_sign_pause/mm_music_switch", 2},
        {"/stage_game/sign/mm_sign_finished/star1", 2},
    };
    for (const auto& count : counts) {
        Graph::INode* node = mHarness.Find(count.mPath);
        ASSERT_NE(node, nullptr) << count.mPath;
        EXPECT_EQ(node->GetNumberOfChildren(), count.mChildren) << count.mPath;
    }
    // The win sign's three stars stand side by side: a switch has no place of its own, so each
    // stands in a transform of its own.
    std::vector<Float> starX;
    std::vector<std::pair<Graph::INode*, Float>> pending{{mHarness.Find("/stage_game/sign/mm_sign_finished"), 0.0f}};
    while (!pending.empty()) {
        auto [node, x] = pending.back();
        pending.pop_back();
        if (auto* transform = dynamic_cast<Graph::ITransform*>(node))
            x += transform->GetTransform().Get(0, 3);
        const std::string id = node->GetId().GetText();
        if (id == "star1" || id == "star2" || id == "star3")
            starX.push_back(x);
        for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i)
            pending.emplace_back(node->GetChild(i), x);
    }
    std::sort(starX.begin(), starX.end());
    EXPECT_EQ(starX, (std::vector<Float>{-120.0f, 0.0f, 120.0f}));
    const char* faces[] = {"mm_sign_finished", "mm_sign_failed", "mm_sign_pause", "mm_sign_zen"};
    Graph::INode* signs = mHarness.Find("/stage_game/sign/mm_sign_switch");
    ASSERT_NE(signs, nullptr);
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_EQ(std::string(signs->GetChild(i)->GetId().GetText()), faces[i]);
    // Three tips, and a band picture for each campaign background kind.
    auto* tips = mHarness.Find<Graph::IDisplayPlaneSequence>("/stage_game/levelstart/tips1/atlas");
    ASSERT_NE(tips, nullptr);
    EXPECT_GE(tips->GetNumberOfIndices(), 3u);
    auto* band = mHarness.Find<Graph::IIndexed>("/stage_game/scorebar/bar/ipadscorebar");
    ASSERT_NE(band, nullptr);
    EXPECT_GE(band->GetNumberOfIndices(), 4);
    // The pause sign draws the player's greeting with its own font only when the font has every
    // character of it, the spaces included; else it falls back to the system font.
    auto* player = mHarness.Find<Graph::IDisplayText>("/stage_game/sign/mm_sign_pause/player");
    ASSERT_NE(player, nullptr);
    for (const char* character : {" ", "A", ",", "!", "\xc3\x9c"})
        EXPECT_TRUE(player->HasGlyph(character)) << character;
}

// A zen run started from the menu returns to the menu when left, also after a replay (word 22):
// the replay is still the menu's game.
TEST_F(GameStageContentTest, AZenReplayStaysTheMenusGameAndBackLeadsToTheMenu)
{
    ASSERT_TRUE(StartLevel(0));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayState() == 2; }, 500));
    ASSERT_TRUE(mHarness.Click(0.3f, -0.2f));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayState() == 5; }, 100));
    Game()->SetPlayState(22);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayState() == 2; }, 500));
    EXPECT_EQ(Game()->GetLevel(), 0u);
    Game()->SetPlayState(20);
    ASSERT_TRUE(mHarness.FramesUntil(
        [&] { return IsRunning(Logic()->GetStageMenu()) || IsRunning(Logic()->GetStageMap()); }, 2000));
    EXPECT_TRUE(IsRunning(Logic()->GetStageMenu()));
}

// Level 1's first hint covers the field but for a window towards its target; every triangle the
// cover's strip draws joins its corners and its centre, and none reaches the origin, where a
// thin dark line from the launcher would stay until the level is left, past its loss too.
TEST_F(GameStageContentTest, TheTutorialCoverDrawsOnlyItsCornersAndCentre)
{
    ASSERT_TRUE(StartLevel(1));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayState() == 2; }, 500));
    ASSERT_TRUE(mHarness.Click(0.3f, -0.2f));
    const TutorialConcealer& concealer = Logic()->GetStageGame()->GetPlayerProcessor()->GetConcealer();
    Graph::INode* cover = mHarness.Find("/stage_game/tutorial_concealer");
    auto* mesh = mHarness.Find<Graph::DisplayObject>("/stage_game/tutorial_concealer/display_object");
    ASSERT_TRUE(cover != nullptr && mesh != nullptr);
    ASSERT_TRUE(mHarness.FramesUntil([&] { return cover->IsActiveAndVisible() && concealer.IsShowing(); }, 300));
    ASSERT_EQ(concealer.GetNumberOfCorners(), 5u);

    auto expectOnlyCornersAndCentre = [&](const char* when) {
        const UInt16* indices = mesh->GetIndexData();
        const UInt8* vertices = mesh->GetVertexData();
        const UInt32 stride = mesh->GetVertexSize();
        ASSERT_TRUE(indices != nullptr && vertices != nullptr);
        ASSERT_LE(mesh->GetNumberOfIndices(), mesh->GetNumberOfVertices()) << when;
        for (UInt32 i = 0; i < mesh->GetNumberOfIndices(); ++i) {
            const Float* vertex = reinterpret_cast<const Float*>(vertices + size_t(indices[i]) * stride);
            Bool known = vertex[0] == concealer.GetCentre().x && vertex[1] == concealer.GetCentre().y;
            for (UInt32 c = 0; c < concealer.GetNumberOfCorners(); ++c)
                known = known || (vertex[0] == concealer.GetCorner(c).x && vertex[1] == concealer.GetCorner(c).y);
            EXPECT_TRUE(known) << when << ": index " << i << " draws (" << vertex[0] << ", " << vertex[1] << ")";
        }
    };
    ASSERT_TRUE(mHarness.Frames(20));
    expectOnlyCornersAndCentre("hint 1");

    // Left unshot, the ring runs out of time: the failed sign comes over the cover.
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayState() == 11; }, 4000));
    ASSERT_TRUE(mHarness.Frames(20));
    expectOnlyCornersAndCentre("failed sign");
}

class GameStageLevelTest : public GameStageContentTest, public ::testing::WithParamInterface<UInt32>
{
};

// Zen, the tutorial and tip stages and a plain one: each shows its level-start sign and plays on
// without a line in the log.
TEST_P(GameStageLevelTest, StartsAndPlaysWithoutAFaultLine)
{
    ASSERT_TRUE(StartLevel(GetParam()));
    Graph::INode* sign = mHarness.Find("/stage_game/levelstart");
    ASSERT_NE(sign, nullptr);
    // The sign waits for a click anywhere; the level then plays.
    ASSERT_TRUE(mHarness.FramesUntil([&] { return sign->IsActiveAndVisible() && Game()->GetPlayState() == 2; }, 500));
    ASSERT_TRUE(mHarness.Click(0.3f, -0.2f));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Game()->GetPlayState() >= 3; }, 50));
    ASSERT_TRUE(mHarness.Frames(300));
    EXPECT_FALSE(sign->IsActiveAndVisible());
    for (const std::string& line : AllLines())
        ADD_FAILURE() << line;
}

INSTANTIATE_TEST_SUITE_P(Levels, GameStageLevelTest, ::testing::Values(0u, 1u, 10u, 27u, 55u));

} // namespace
} // namespace App
} // namespace Vorn
