// Every campaign level of the built level file in the real game, left alone: started from the
// menu and clicked past its start sign, it is played for 45 s without a shot. For the first 25 s
// nothing may end it: fly-ins alone need about 30 s to fill the free arc of the most crowded
// course (six of them, 5 s apart, all into that course), so a loss that early is a course that
// closes or collapses by construction. After that, fly-ins may close a chain (the skull sign,
// play state 8), which a player answers by shooting; but no bee may reach the launcher (play
// state 9 straight from play) in the whole 45 s, by which every bee of the design has passed it
// (the last enters at 29 s, and the slowest flies 50 units a second from 560 units out). Nor may
// a level be won: nothing is cleared without a shot.
#include <gtest/gtest.h>

#include <string>

#include "game/app_context.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/menu_processor.h"
#include "game/play/play_seed.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "tests/support/content_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr UInt32 kNumberOfCampaignLevels = 101;
constexpr UInt32 kLevelsPerGroup = 6;
constexpr Double kUnshotSeconds = 45.0;
constexpr Float kUnaidedSeconds = 25.0f;

// Play states: the start sign waits for its click; a level still being played is in 4 to 7 (the
// start, play, the tutorial's two waits); 8 shows the skull of a closed or collapsed course; 20
// leaves the game screen.
constexpr UInt32 kStartSign = 2;
constexpr UInt32 kStarting = 4;
constexpr UInt32 kTutorialWaits = 7;
constexpr UInt32 kCourseLost = 8;
constexpr UInt32 kLeaving = 20;

class ContentUnshotGroupTest : public Testing::ContentFixture, public ::testing::WithParamInterface<UInt32>
{
protected:
    void SetUp() override { SetPlaySeed(25); }
    void TearDown() override { ClearPlaySeed(); }
};

TEST_P(ContentUnshotGroupTest, NoLevelIsLostUnshotBeforeThePlayerCanAct)
{
    ASSERT_TRUE(Start() && RunUntil(Logic()->GetStageMenu()) && RunUntilAllGroupsLoaded());
    StageMenu* menu = Logic()->GetStageMenu();
    StageGame* game = Logic()->GetStageGame();
    GameState* state = Logic()->GetContext()->GetGameState();
    const UInt32 frames = UInt32(kUnshotSeconds / mHarness.mFrameSeconds + 0.5);
    const UInt32 first = 1 + GetParam() * kLevelsPerGroup;
    for (UInt32 level = first; level < first + kLevelsPerGroup && level <= kNumberOfCampaignLevels; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        state->StartLevel(level);
        menu->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
        ASSERT_TRUE(RunUntil(game));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return state->GetPlayState() == kStartSign; }, 500));
        ASSERT_TRUE(mHarness.Click(0.3f, -0.2f));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return state->GetPlayState() >= kStarting; }, 100));
        const auto inPlay = [&] {
            const UInt32 playState = state->GetPlayState();
            return playState >= kStarting && playState <= kTutorialWaits;
        };
        for (UInt32 frame = 0; frame < frames && inPlay(); ++frame)
            ASSERT_TRUE(mHarness.Frame());
        if (!inPlay()) {
            const UInt32 ended = state->GetPlayState();
            EXPECT_TRUE(ended == kCourseLost && !(state->GetRunTime() < kUnaidedSeconds))
                << "play state " << ended << " after " << state->GetRunTime() << " s unshot";
        }
        state->SetPlayState(kLeaving);
        game->GetStage()->RequestStop();
        ASSERT_TRUE(RunUntil(menu));
    }
}

INSTANTIATE_TEST_SUITE_P(Groups, ContentUnshotGroupTest,
                         ::testing::Range(0u, (kNumberOfCampaignLevels + kLevelsPerGroup - 1) / kLevelsPerGroup));

} // namespace
} // namespace App
} // namespace Vorn
