// The player's records over the game's own data with a damaged level file: a player-data file
// that holds a record for every shipped level must come through the start of the game whole,
// whether the level file cannot be read at all or keeps fewer levels than the file holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/byte_order.h"
#include "foundation/folder_file_interface.h"
#include "game/app_context.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/play/level_handler.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "tests/support/content_fixture.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace App {
namespace {

using Bytes = std::vector<UInt8>;

constexpr UInt32 kShippedLevels = 102;

Bytes ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A game state over the player-data file of the folder, as the game makes it for that many levels.
struct PlayerDataReader
{
    PlayerDataReader(const std::filesystem::path& folder, UInt32 levels) : mFiles(String(folder.string().c_str()))
    {
        mState.Init(nullptr, nullptr);
        mState.SetLevelCount(&mFiles, levels);
    }
    Platform::FolderFileInterface mFiles;
    GameState mState;
};

// Level l's record holds the score 1000 + l; the zen record is level 0's.
void ExpectEveryRecord(const PlayerData* player, UInt32 levels)
{
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->IsUsed());
    EXPECT_STREQ(player->GetName().GetText(), "Anna");
    for (UInt32 level = 0; level < levels; ++level) {
        ASSERT_NE(player->GetLevel(level), nullptr) << level;
        EXPECT_EQ(player->GetLevel(level)->GetScore(), 1000 + level) << level;
    }
}

// The level file's byte at which the nth "LEVL" chunk's size field starts.
size_t LevelSizeOffset(const Bytes& levels, UInt32 nth)
{
    for (size_t offset = 12; offset + 8 <= levels.size();) {
        if (std::string(reinterpret_cast<const char*>(levels.data() + offset), 4) == "LEVL" && nth-- == 0)
            return offset + 4;
        offset += 8 + size_t(Util::ReadLittleEndian32(levels.data() + offset + 4));
    }
    return 0;
}

class PlayerRecordsContentTest : public Testing::ContentFixture
{
protected:
    // Starts the game with the level file made from the built one and with a player-data file
    // whose one profile has played every level; runs until the menu stands with every group in.
    void StartWith(const std::function<Bytes(const Bytes&)>& damage)
    {
        ASSERT_TRUE(Start([&](const std::filesystem::path& folder) {
            WriteFileBytes(folder / "SkarvelLevels.vorn", damage(ReadFileBytes(folder / "SkarvelLevels.vorn")));
            PlayerDataReader writer(folder, kShippedLevels);
            ASSERT_TRUE(writer.mState.CreatePlayer(0, "Anna", ""));
            for (UInt32 level = 0; level < kShippedLevels; ++level)
                writer.mState.GetPlayer(0)->GetLevel(level)->AddScore(1000 + level);
            ASSERT_TRUE(writer.mState.SavePlayerData());
            mSaved = ReadFileBytes(folder / GameState::PlayerDataFileName);
        }));
        ASSERT_TRUE(RunUntil(Logic()->GetStageMenu()));
        ASSERT_TRUE(RunUntilAllGroupsLoaded());
    }
    std::filesystem::path Folder() { return std::filesystem::path(mHarness.mFolder.Get()); }
    GameState* Game() { return Logic()->GetContext()->GetGameState(); }
    UInt32 LevelCount() { return UInt32(Logic()->GetStageGame()->GetLevelHandler()->GetLevels().GetCount()); }

    Bytes mSaved;
};

// A level file cut short is refused whole: no level count is reported, and the player data is
// neither read nor written over.
TEST_F(PlayerRecordsContentTest, AnUnreadableLevelFileLeavesThePlayerDataAsItWas)
{
    StartWith([](const Bytes& levels) {
        return Bytes(levels.begin(), levels.begin() + std::ptrdiff_t(levels.size() / 2));
    });
    EXPECT_EQ(LevelCount(), 2u);
    EXPECT_EQ(ReadFileBytes(Folder() / GameState::PlayerDataFileName), mSaved);
    // The shutdown may not save either, and reports it.
    EXPECT_FALSE(mHarness.Stop());
    EXPECT_EQ(ReadFileBytes(Folder() / GameState::PlayerDataFileName), mSaved);
    PlayerDataReader reader(Folder(), kShippedLevels);
    ExpectEveryRecord(reader.mState.GetPlayer(0), kShippedLevels);
}

// A damaged size ends the level reading at level 30: the game plays 30 levels, and the records
// of the 72 it lost are written back by every save.
TEST_F(PlayerRecordsContentTest, ALevelFileThatLostLevelsCostsNoRecords)
{
    StartWith([](const Bytes& levels) {
        Bytes damaged = levels;
        const size_t size = LevelSizeOffset(levels, 30);
        EXPECT_NE(size, 0u);
        damaged[size] ^= 0x04;
        return damaged;
    });
    ASSERT_EQ(LevelCount(), 30u);
    ExpectEveryRecord(Game()->GetPlayer(0), 30);
    EXPECT_EQ(Game()->GetCounter(), 1u); // the start was counted and saved
    EXPECT_EQ(ReadFileBytes(Folder() / GameState::PlayerDataFileName).size(), mSaved.size());
    EXPECT_TRUE(mHarness.Stop()); // saves once more
    PlayerDataReader reader(Folder(), kShippedLevels);
    ExpectEveryRecord(reader.mState.GetPlayer(0), kShippedLevels);
    EXPECT_EQ(reader.mState.GetCounter(), 1u);
}

} // namespace
} // namespace App
} // namespace Vorn
