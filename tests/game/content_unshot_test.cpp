// Every campaign level of the built level file in the real game, left alone: started from the
// menu and clicked past its start sign, it must still be in play after 45 s without a shot. In
// that time no chain closes or shrinks by itself, and every bee of the design has passed the
// launcher (the last enters at 29 s and the slowest flies 50 units a second from 560 units out,
// so it is over the launcher by 41 s). A level lost here is lost before the player can act: a
// bee whose lane runs into the launcher, a course that closes or collapses from the start. Nor
// may it be won: nothing is cleared without a shot.
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

// Play states: the start sign waits for its click; a level still being played is in 4 to 7 (the
// start, play, the tutorial's two waits); 20 leaves the game screen.
constexpr UInt32 kStartSign = 2;
constexpr UInt32 kStarting = 4;
constexpr UInt32 kTutorialWaits = 7;
constexpr UInt32 kLeaving = 20;

class ContentUnshotGroupTest : public Testing::ContentFixture, public ::testing::WithParamInterface<UInt32>
{
protected:
    void SetUp() override { SetPlaySeed(25); }
    void TearDown() override { ClearPlaySeed(); }
};

TEST_P(ContentUnshotGroupTest, EveryLevelIsStillInPlayWithoutAShot)
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
        EXPECT_TRUE(inPlay()) << "play state " << state->GetPlayState() << " after " << state->GetRunTime()
                              << " s unshot";
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
