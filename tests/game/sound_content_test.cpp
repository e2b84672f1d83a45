// What a player hears, on the game's own data: each screen is kept for longer than twice its
// music and its cues are asked for again and again. Music must still be playing at every frame,
// and a cue asked for on each visit of a screen must start on each of them: the sound timelines
// of the built packages are what decides whether a sound plays a second time.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/app_context.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/map_processor.h"
#include "game/menu_processor.h"
#include "game/sound_container.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "graph/time/timeline.h"
#include "tests/support/content_fixture.h"

namespace Vorn {
namespace App {
namespace {

// The sound table entries that the screens below ask for, with their node names.
const std::map<UInt32, const char*> kWatched = {
    {1, "title"},  {2, "beach"},          {3, "grass"},          {4, "winter"},         {5, "win"},
    {6, "loser"},  {7, "pause"},          {35, "removeanimals4"}, {37, "removeanimals6"}, {39, "removeanimals8"},
    {43, "sign"},  {47, "jingle2"},       {53, "swirl"},          {54, "bounce"},
};

class SoundContentTest : public Testing::ContentFixture
{
protected:
    SoundContainer* Sounds() { return Logic()->GetContext()->GetSoundContainer(); }
    GameState* Game() { return Logic()->GetContext()->GetGameState(); }
    Graph::ITimeline* Timeline(UInt32 entry)
    {
        return mHarness.Find<Graph::ITimeline>((std::string("/sounds/") + kWatched.at(entry) + "/timeline").c_str());
    }
    // The length of an entry's sound, as long as its timeline runs.
    Double Length(UInt32 entry)
    {
        Graph::ITimeline* timeline = Timeline(entry);
        return timeline != nullptr ? Double(timeline->GetEndTime() - timeline->GetStartTime()) : 0.0;
    }
    UInt32 Frames(Double seconds) { return UInt32(seconds / mHarness.mFrameSeconds) + 1; }

    // One frame, then the starts seen: a timeline that runs after it did not, or runs from an
    // earlier time than before (a restart; for music that loops, the loop's wrap). Counted only
    // while counting is set.
    Bool Frame()
    {
        if (!mHarness.Frame())
            return false;
        for (const auto& [entry, name] : kWatched) {
            Graph::ITimeline* timeline = Timeline(entry);
            if (timeline == nullptr)
                continue;
            Seen& seen = mSeen[entry];
            const Bool running = timeline->IsRunning();
            const Double time = timeline->GetCurrentTime();
            const Bool restarted = time < seen.mTime && timeline->GetNumberOfLoops() >= 0;
            if (mCounting && running && (!seen.mRunning || restarted))
                ++mStarts[entry];
            seen.mRunning = running;
            seen.mTime = time;
        }
        return true;
    }
    template <typename Condition>
    Bool FramesUntil(Condition condition, UInt32 limit)
    {
        for (UInt32 frame = 0; frame < limit && !condition(); ++frame) {
            if (!Frame())
                return false;
        }
        return condition();
    }
    // Frames for the seconds; the number of frames in which the entry was not playing.
    UInt32 SilentFrames(UInt32 entry, Double seconds)
    {
        UInt32 silent = 0;
        for (UInt32 frame = Frames(seconds); frame > 0; --frame) {
            if (!Frame()) {
                ADD_FAILURE() << "a frame failed";
                return silent;
            }
            silent += Sounds()->IsPlaying(entry) ? 0 : 1;
        }
        return silent;
    }
    // A click at a scene position of the 1280 x 800 screen (its centre at 0, y up).
    Bool ClickScene(Float x, Float y)
    {
        mHarness.mMouse->SetPointer(InputAction::kMove, 0, x / 640.0f, y / 400.0f);
        if (!Frame())
            return false;
        mHarness.mMouse->SetPointer(InputAction::kDown, 0, x / 640.0f, y / 400.0f);
        if (!Frame())
            return false;
        mHarness.mMouse->SetPointer(InputAction::kUp, 0, x / 640.0f, y / 400.0f);
        return Frame() && Frame();
    }

    Bool StartToMenu() { return Start() && RunUntil(Logic()->GetStageMenu()) && RunUntilAllGroupsLoaded(); }
    // From the menu into the level, past its level-start sign: the music of its background plays.
    Bool StartLevel(UInt32 level)
    {
        Game()->StartLevel(level);
        Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
        return PlayFromStartSign();
    }
    Bool PlayFromStartSign()
    {
        return FramesUntil([&] { return IsRunning(Logic()->GetStageGame()) && Game()->GetPlayState() == 2; }, 2000) &&
               ClickScene(200.0f, -100.0f) && FramesUntil([&] { return Game()->GetPlayState() == 5; }, 100);
    }
    // The entry of the level's music: the one of 2, 3 and 4 that plays.
    UInt32 LevelMusic()
    {
        for (UInt32 entry : {2u, 3u, 4u}) {
            if (Sounds()->IsPlaying(entry))
                return entry;
        }
        return 0;
    }
    // The sign shown by the flow word has come in and rests.
    Bool UntilSignRests(UInt32 playState)
    {
        Graph::ITimeline* sign = mHarness.Find<Graph::ITimeline>("/stage_game/sign/mm_sign_timeline");
        return sign != nullptr &&
               FramesUntil([&] { return Game()->GetPlayState() >= playState && !sign->IsRunning(); }, 400);
    }

    struct Seen
    {
        Bool mRunning = false;
        Double mTime = 0.0;
    };
    std::map<UInt32, Seen> mSeen;
    std::map<UInt32, UInt32> mStarts;
    Bool mCounting = true;
};

TEST_F(SoundContentTest, TheTitlePlaysOnOnTheMenuAndTheMapAndTheMapsCuesOnEachVisit)
{
    ASSERT_TRUE(StartToMenu());
    const Double title = Length(1);
    ASSERT_GT(title, 1.0);
    // The first start shows the new-player sign over the menu, with the title under it.
    ASSERT_TRUE(FramesUntil([&] { return Sounds()->IsPlaying(1); }, 100));
    EXPECT_EQ(SilentFrames(1, 2.0 * title + 1.0), 0u);

    // Three visits of the map: the swirl, the bounce of the play-now sign and the sign sound once
    // each, the title all the while.
    StageMap* map = Logic()->GetStageMap();
    MenuProcessor* menu = Logic()->GetStageMenu()->GetMenuProcessor();
    const UInt32 visits = 3;
    for (UInt32 visit = 1; visit <= visits; ++visit) {
        mCounting = false;
        menu->mMenuState = MenuProcessor::kGoToMap;
        ASSERT_TRUE(FramesUntil([&] { return !map->GetStage()->IsIdle(); }, 2000)) << visit;
        mCounting = true;
        ASSERT_TRUE(FramesUntil([&] { return IsRunning(map); }, 200)) << visit;
        EXPECT_EQ(SilentFrames(1, visit == visits ? 2.0 * title + 1.0 : 3.0), 0u) << visit;
        map->GetMapProcessor()->SetState(MapProcessor::kBackToMenu);
        ASSERT_TRUE(FramesUntil([&] { return map->GetStage()->IsIdle(); }, 200)) << visit;
        mCounting = false;
        ASSERT_TRUE(FramesUntil([&] { return IsRunning(Logic()->GetStageMenu()); }, 2000)) << visit;
    }
    for (UInt32 cue : {53u, 54u, 43u})
        EXPECT_EQ(mStarts[cue], visits) << kWatched.at(cue);
}

TEST_F(SoundContentTest, LevelAndPauseMusicPlayOnAndEachSignsCuesStartEachTime)
{
    ASSERT_TRUE(StartToMenu());
    mCounting = false;
    ASSERT_TRUE(StartLevel(5));
    const UInt32 music = LevelMusic();
    ASSERT_NE(music, 0u);
    EXPECT_EQ(SilentFrames(music, 2.0 * Length(music) + 1.0), 0u);

    // Three pauses: each brings the sign sound and the pause music, which plays on for as long
    // as the sign rests; a click anywhere resumes.
    const UInt32 pauses = 3;
    mCounting = true;
    for (UInt32 pause = 1; pause <= pauses; ++pause) {
        Game()->SetPlayState(17);
        ASSERT_TRUE(UntilSignRests(18)) << pause;
        EXPECT_EQ(SilentFrames(7, pause == pauses ? 2.0 * Length(7) + 1.0 : 2.0), 0u) << pause;
        ASSERT_TRUE(ClickScene(0.0f, 0.0f)) << pause;
        ASSERT_TRUE(FramesUntil([&] { return Game()->GetPlayState() == 5; }, 100)) << pause;
        ASSERT_TRUE(SilentFrames(music, 3.0) == 0u) << pause;
    }
    EXPECT_EQ(mStarts[43], pauses);
    EXPECT_EQ(mStarts[7], pauses);

    // Two wins with three stars, each replayed: the winning jingle, the three stars and the
    // third star's jingle once each.
    const UInt32 wins = 2;
    for (UInt32 win = 1; win <= wins; ++win) {
        Game()->SetRunStars(3);
        Game()->SetPlayState(12);
        ASSERT_TRUE(UntilSignRests(13)) << win;
        ASSERT_TRUE(FramesUntil([&] { return Game()->GetPlayState() == 14; }, 400)) << win;
        ASSERT_TRUE(ClickScene(0.0f, -205.0f)) << win;
        ASSERT_TRUE(PlayFromStartSign()) << win;
    }
    for (UInt32 cue : {5u, 35u, 37u, 39u, 47u})
        EXPECT_EQ(mStarts[cue], wins) << kWatched.at(cue);

    // Two losses, each replayed: the losing jingle once each.
    const UInt32 losses = 2;
    for (UInt32 loss = 1; loss <= losses; ++loss) {
        Game()->SetPlayState(9);
        ASSERT_TRUE(UntilSignRests(11)) << loss;
        ASSERT_TRUE(ClickScene(150.0f, -207.0f)) << loss;
        ASSERT_TRUE(PlayFromStartSign()) << loss;
    }
    EXPECT_EQ(mStarts[6], losses);
}

} // namespace
} // namespace App
} // namespace Vorn
