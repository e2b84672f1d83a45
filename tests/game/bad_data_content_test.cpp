// The game's own data with damage done to it: the built level file cut short or with bits
// flipped, and a background package gone. The game must start with what the level reader keeps,
// run the menu, the map and the chooser and the levels it kept without a crash, and a level
// whose background package cannot load must end the run with the loader's failure, not hang.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/byte_order.h"
#include "game/app_context.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/menu_processor.h"
#include "game/play/level_handler.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "tests/support/content_fixture.h"

namespace Vorn {
namespace App {
namespace {

using Bytes = std::vector<UInt8>;

// One chunk of the level file: where it starts, its tag and its payload size.
struct ChunkAt
{
    size_t mOffset;
    std::string mTag;
    UInt32 mSize;
};

Bytes ReadBuiltLevelFile()
{
    std::ifstream file(Testing::BuiltPackagesFolder() / "SkarvelLevels.vorn", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<ChunkAt> WalkChunks(const Bytes& bytes)
{
    std::vector<ChunkAt> chunks;
    for (size_t offset = 12; offset + 8 <= bytes.size();) {
        const UInt32 size = Util::ReadLittleEndian32(bytes.data() + offset + 4);
        chunks.push_back({offset, std::string(reinterpret_cast<const char*>(bytes.data() + offset), 4), size});
        offset += 8 + size_t(size);
    }
    return chunks;
}

// The chunk with the tag that is the nth of its level, in the given level (0 for the zen level).
const ChunkAt* FindChunk(const std::vector<ChunkAt>& chunks, UInt32 level, const char* tag, UInt32 nth = 0)
{
    SInt32 current = -1;
    for (const ChunkAt& chunk : chunks) {
        if (chunk.mTag == "LEVL")
            ++current;
        if (current == SInt32(level) && chunk.mTag == tag && nth-- == 0)
            return &chunk;
    }
    return nullptr;
}

class BadDataContentTest : public Testing::ContentFixture
{
protected:
    void SetUp() override
    {
        mOriginal = ReadBuiltLevelFile();
        ASSERT_GT(mOriginal.size(), 1000u);
        mChunks = WalkChunks(mOriginal);
    }

    // Starts the game with the level file given in place of the built one, with no package
    // named by skip.
    Bool StartWith(const Bytes& levelFile, const char* skip = nullptr)
    {
        if (!Start([&](const std::filesystem::path& folder) {
                std::ofstream(folder / "SkarvelLevels.vorn", std::ios::binary | std::ios::trunc)
                    .write(reinterpret_cast<const char*>(levelFile.data()), std::streamsize(levelFile.size()));
                if (skip != nullptr)
                    std::filesystem::remove(folder / skip);
            }))
            return false;
        return RunUntil(Logic()->GetStageMenu()) && RunUntilAllGroupsLoaded();
    }

    // The menu, the map, the chooser and back.
    void VisitMenuMapAndChooser()
    {
        StageMap* map = Logic()->GetStageMap();
        Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kGoToMap;
        ASSERT_TRUE(RunUntil(map));
        ASSERT_TRUE(mHarness.Frames(60));
        map->GetMapProcessor()->SetState(MapProcessor::State(1));
        ASSERT_TRUE(mHarness.Frames(60));
        map->GetMapProcessor()->SetState(MapProcessor::kBackToMenu);
        ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    }

    // Plays the level for a few seconds from the menu and goes back to it.
    void PlayLevel(UInt32 level)
    {
        SCOPED_TRACE("level " + std::to_string(level));
        StageGame* game = Logic()->GetStageGame();
        GameState* state = Logic()->GetContext()->GetGameState();
        state->StartLevel(level);
        Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
        ASSERT_TRUE(RunUntil(game));
        ASSERT_TRUE(mHarness.Frames(240));
        // Its background has loaded and the level is under way (past the level's begin, 1).
        EXPECT_EQ(Logic()->GetStageGame()->GetLevelHandler()->GetLevelIndex(), level);
        EXPECT_NE(state->GetPlayState(), 1u) << "the level never began";
        state->SetPlayState(20);
        game->GetStage()->RequestStop();
        ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
    }

    UInt32 LevelCount() { return UInt32(Logic()->GetStageGame()->GetLevelHandler()->GetLevels().GetCount()); }

    Bytes mOriginal;
    std::vector<ChunkAt> mChunks;
};

// Where a file is cut: the bytes kept are the size less one, half the size, up to the chunk of
// the 41st level, just the header, or part of the header.
enum class Cut
{
    kLastByte,
    kHalf,
    kBeforeLevel40,
    kHeaderOnly,
    kInsideHeader,
};

class CutLevelFileTest : public BadDataContentTest, public ::testing::WithParamInterface<Cut>
{
};

// A cut file fails the framing's size check and is refused whole: the game keeps the two records
// that the level handler prepares, of which the zen level plays.
TEST_P(CutLevelFileTest, StartsTheGameOnThePreparedRecords)
{
    size_t kept = 0;
    switch (GetParam()) {
    case Cut::kLastByte:
        kept = mOriginal.size() - 1;
        break;
    case Cut::kHalf:
        kept = mOriginal.size() / 2;
        break;
    case Cut::kBeforeLevel40:
        kept = FindChunk(mChunks, 40, "LEVL")->mOffset;
        break;
    case Cut::kHeaderOnly:
        kept = 12;
        break;
    case Cut::kInsideHeader:
        kept = 7;
        break;
    }
    ASSERT_TRUE(StartWith(Bytes(mOriginal.begin(), mOriginal.begin() + std::ptrdiff_t(kept))));
    EXPECT_EQ(LevelCount(), 2u);
    VisitMenuMapAndChooser();
    PlayLevel(0);
    // No level count was reported, so the player data was neither read nor may be written: the
    // shutdown's save fails and the stop says so.
    EXPECT_FALSE(mHarness.Stop());
}

INSTANTIATE_TEST_SUITE_P(Cuts, CutLevelFileTest,
                         ::testing::Values(Cut::kLastByte, Cut::kHalf, Cut::kBeforeLevel40, Cut::kHeaderOnly,
                                           Cut::kInsideHeader));

struct FlipCase
{
    const char* mName;
    UInt32 mLevel;
    const char* mTag;
    UInt32 mNth;
    // Into the chunk, counted from its tag; a mask of 0 flips the low bit of the file's size.
    UInt32 mByte;
    UInt8 mMask;
    // Levels kept; 0 when the damaged level itself is kept, with what follows it or not.
    UInt32 mKept;
};

// Damage to a level's size ends the reading there; a level tag damaged into an unknown one makes
// its chunks part of the level before (one level fewer); a course size that skips the level's
// background, or a damaged background name, drops the level and the rest (its background could
// never load); damage inside a sub-chunk leaves a level with odd values, which must still play.
const FlipCase kFlips[] = {
    {"LevelTag", 60, "LEVL", 0, 1, 0x02, 101},
    {"LevelSize", 30, "LEVL", 0, 4, 0x04, 30},
    {"CourseSizePastTheEnd", 20, "CORS", 0, 7, 0x40, 20},
    {"CourseSizeInsideTheFile", 20, "CORS", 0, 5, 0x01, 20},
    {"CourseSpeed", 12, "CORS", 0, 8 + 12, 0x40, 0},
    {"CoursePieceCount", 12, "CORS", 1, 8 + 0, 0x10, 0},
    {"AnimalKinds", 50, "ANIM", 0, 8 + 8, 0x80, 0},
    {"BackgroundName", 7, "ASET", 0, 8 + 3, 0x20, 7},
    {"WeaponCount", 9, "WEAP", 0, 8 + 4, 0x01, 0},
    {"StarTimes", 3, "LPRO", 0, 8 + 3, 0x80, 0},
    {"CloudEntry", 90, "CLOD", 0, 8 + 6, 0x08, 0},
    {"FileSize", 0, "LEVL", 0, 0, 0, 2},
};

class FlippedLevelFileTest : public BadDataContentTest, public ::testing::WithParamInterface<FlipCase>
{
};

TEST_P(FlippedLevelFileTest, KeepsTheLevelsBeforeTheDamageAndEveryKeptLevelPlays)
{
    const FlipCase& flip = GetParam();
    Bytes damaged = mOriginal;
    if (flip.mMask == 0) {
        damaged[4] ^= 0x01;
    } else {
        const ChunkAt* chunk = FindChunk(mChunks, flip.mLevel, flip.mTag, flip.mNth);
        ASSERT_NE(chunk, nullptr);
        damaged[chunk->mOffset + flip.mByte] ^= flip.mMask;
    }
    ASSERT_TRUE(StartWith(damaged));
    const UInt32 count = LevelCount();
    if (flip.mKept != 0)
        EXPECT_EQ(count, flip.mKept);
    else
        EXPECT_GE(count, flip.mLevel + 1);
    VisitMenuMapAndChooser();
    // The damaged level, where kept, and the one before it.
    for (UInt32 level = flip.mLevel > 0 ? flip.mLevel - 1 : 0; level <= flip.mLevel && level < count; ++level)
        PlayLevel(level);
    // A wrong file size has the file refused whole, as a cut does: the shutdown cannot save.
    if (flip.mMask == 0) {
        EXPECT_FALSE(mHarness.Stop());
    }
}

INSTANTIATE_TEST_SUITE_P(Flips, FlippedLevelFileTest, ::testing::ValuesIn(kFlips),
                         [](const ::testing::TestParamInfo<FlipCase>& info) { return std::string(info.param.mName); });

// A level whose background package is not there: the loader fails to load it, its thread ends,
// and the next frame reports the failure so that the program stops.
TEST_F(BadDataContentTest, AMissingBackgroundPackageEndsTheRun)
{
    ASSERT_TRUE(StartWith(mOriginal, "bg_ice_1280.vornpkg"));
    VisitMenuMapAndChooser();
    LevelHandler* levels = Logic()->GetStageGame()->GetLevelHandler();
    UInt32 ice = 0;
    while (ice < LevelCount() && !(levels->GetLevels()[SInt32(ice)].mAssetResourceId == String("bg_ice")))
        ++ice;
    ASSERT_LT(ice, LevelCount());
    Logic()->GetContext()->GetGameState()->StartLevel(ice);
    Logic()->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kStartGame;
    UInt32 frames = 0;
    while (frames < 2000 && mHarness.Frame())
        ++frames;
    EXPECT_LT(frames, 2000u) << "the run went on";
    Bool reported = false;
    for (const std::string& line : AllLines())
        reported |= line.find("Core::LoaderThread::Run(): Package loading failed") != std::string::npos;
    EXPECT_TRUE(reported);
    // The stop takes everything down and reports the package it had to drop half loaded.
    EXPECT_FALSE(mHarness.Stop());
    reported = false;
    for (const std::string& line : AllLines())
        reported |= line.find("Dropping package 'bg_ice_1280'") != std::string::npos;
    EXPECT_TRUE(reported);
}

} // namespace
} // namespace App
} // namespace Vorn
