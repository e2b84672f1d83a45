#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/byte_order.h"
#include "foundation/folder_file_interface.h"
#include "foundation/iff_stream.h"
#include "game/game_state.h"
#include "game/halvex_highscores.h"
#include "game/helpers.h"
#include "logic/state.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/canned_web_control.h"
#include "tests/support/failing_file_interface.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace App {
namespace {

constexpr UInt32 kLevels = 102;

class GameStateTest : public ::testing::Test
{
protected:
    GameStateTest()
        : mFiles(mFolder.Get().c_str()), mFailing(mFolder.Get().c_str()), mHandler(mWeb),
          mLogicState(&mHandler, &mConfiguration, nullptr, &mFiles, nullptr)
    {
        EXPECT_TRUE(mHighscores.Init(&mLogicState));
    }

    // A game state as the application makes it, with the player-data file loaded.
    std::unique_ptr<GameState> MakeState(IFileInterface* files = nullptr)
    {
        auto state = std::make_unique<GameState>();
        EXPECT_TRUE(state->Init(&mHighscores, &mLogicState));
        state->SetLevelCount(files != nullptr ? files : &mFiles, kLevels);
        return state;
    }
    std::string ReadPlayerData() const { return mFolder.ReadFile(GameState::PlayerDataFileName); }
    void WritePlayerData(const std::string& bytes) const { mFolder.WriteFile(GameState::PlayerDataFileName, bytes); }
    std::string ReadSetAside(UInt32 index) const
    {
        return mFolder.ReadFile(GameState::GetSetAsideFileName(index).GetText());
    }
    // Every kept copy of a damaged file gone.
    void RemoveSetAside() const
    {
        for (UInt32 i = 0; i < GameState::NumberOfSetAsideFiles; ++i)
            std::filesystem::remove(mFolder.GetPath() / GameState::GetSetAsideFileName(i).GetText());
    }
    Bool IsSetAside(const std::string& bytes) const
    {
        for (UInt32 i = 0; i < GameState::NumberOfSetAsideFiles; ++i) {
            if (ReadSetAside(i) == bytes)
                return true;
        }
        return false;
    }

    Testing::TempFolder mFolder;
    Platform::FolderFileInterface mFiles;
    Testing::FailingFileInterface mFailing;
    Testing::CannedWebControl mWeb;
    Testing::WebLogicDeviceHandler mHandler;
    Testing::FakeConfiguration mConfiguration;
    Logic::State mLogicState;
    HalvexHighscores mHighscores;
};

// A player-data file of the given settings version with the persistent words and no profiles.
std::string SettingsOnlyFile(const char (&version)[5], UInt32 rockets)
{
    Util::IffData writer(MakeTag("DRPD"));
    UInt8* block = writer.CreateChunk(MakeTag("PLGS"), 88, 0);
    Util::WriteLittleEndian32(block + 8, MakeVersion(version));
    Util::WriteLittleEndian32(block + 12 + 12, 5);      // start counter
    Util::WriteLittleEndian32(block + 12 + 24, rockets);
    writer.AddChunk(block);
    Data data;
    EXPECT_TRUE(writer.GetData(data));
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetSize());
}

TEST_F(GameStateTest, SavesAndLoadsEverything)
{
    {
        auto state = MakeState();
        EXPECT_FALSE(state->LoadPlayerData()); // no file yet
        EXPECT_TRUE(state->HasNoPlayers());
        ASSERT_TRUE(state->SavePlayerData());
        EXPECT_EQ(ReadPlayerData().size(), 12632u);

        EXPECT_TRUE(state->CreatePlayer(1, "Anna", ""));
        EXPECT_TRUE(state->CreatePlayer(2, "Ben", "svc-2"));
        EXPECT_TRUE(state->SelectPlayer(1));
        state->StartLevel(1);
        state->AddRunScore(400);
        state->SubmitCampaignScore();
        EXPECT_TRUE(state->AddRockets(3));
        EXPECT_TRUE(state->SetOnlineScoresChoice(false));
        EXPECT_TRUE(state->ToggleMuted());
        EXPECT_EQ(state->CountEvent(), 1u);
    }
    auto state = MakeState();
    EXPECT_EQ(state->GetCurrentPlayerIndex(), 1u);
    EXPECT_FALSE(state->IsPlayerUsed(0));
    EXPECT_STREQ(state->GetPlayer(1)->GetName().GetText(), "Anna");
    EXPECT_STREQ(state->GetPlayer(2)->GetPlayerId().GetText(), "svc-2");
    EXPECT_EQ(state->GetPlayer(1)->GetFrontier(), 2u);
    EXPECT_EQ(state->GetCurrentLevelData(1)->GetScore(), 400u);
    EXPECT_EQ(state->GetRockets(), 3u);
    EXPECT_TRUE(state->WasAskedOnline());
    EXPECT_FALSE(state->IsOnlineOptIn());
    EXPECT_TRUE(state->IsMuted());
    EXPECT_EQ(state->CountEvent(), 2u);
}

TEST_F(GameStateTest, AlteredFileKeepsSettingsAndIsSetAsideBeforeTheNextSave)
{
    {
        auto state = MakeState();
        state->CreatePlayer(2, "Anna", "");
        state->AddRockets(4);
    }
    std::string bytes = ReadPlayerData();
    bytes[bytes.size() - 3] ^= 0x40;
    WritePlayerData(bytes);

    auto state = MakeState();
    EXPECT_EQ(state->GetRockets(), 4u);   // the persistent block is read
    EXPECT_FALSE(state->IsPlayerUsed(2)); // no profile is
    EXPECT_EQ(state->GetCurrentPlayerIndex(), 0u);
    EXPECT_TRUE(mFolder.ReadFile(GameState::SetAsideFileName).empty());
    ASSERT_TRUE(state->CreatePlayer(0, "Ben", ""));
    EXPECT_EQ(mFolder.ReadFile(GameState::SetAsideFileName), bytes);
    EXPECT_NE(ReadPlayerData(), bytes);
}

// Each step of a save fails in turn, over a good file and over a damaged one that is kept aside
// first: the file before the save survives each failure byte for byte, and the next save works.
TEST_F(GameStateTest, AnInterruptedSaveLeavesThePreviousFile)
{
    using Step = Testing::FailingFileInterface::Step;
    using WriteFailure = Testing::FailingFileInterface::WriteFailure;
    std::string good;
    {
        auto state = MakeState();
        state->CreatePlayer(0, "Anna", "");
        state->AddRockets(2);
        good = ReadPlayerData();
    }
    std::string damaged = good;
    damaged[damaged.size() - 3] ^= 0x40;
    for (const std::string* previous : {&good, &damaged}) {
        const Bool isDamaged = previous == &damaged;
        WritePlayerData(*previous);
        auto dryRun = MakeState(&mFailing);
        mFailing.FailAt(Testing::FailingFileInterface::kNever);
        ASSERT_TRUE(dryRun->AddRockets(1));
        const std::vector<Step> steps = mFailing.GetSteps();
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.back(), Step::kRename);
        for (SInt32 at = 0; at < SInt32(steps.size()); ++at) {
            for (WriteFailure failure : {WriteFailure::kShort, WriteFailure::kLost}) {
                if (failure == WriteFailure::kLost && steps[size_t(at)] != Step::kWrite)
                    continue;
                SCOPED_TRACE(std::string(isDamaged ? "damaged" : "good") + " file, step " + std::to_string(at) +
                             (failure == WriteFailure::kLost ? ", bytes lost" : ""));
                WritePlayerData(*previous);
                RemoveSetAside();
                auto state = MakeState(&mFailing);
                mFailing.FailAt(at, failure);
                if (state->AddRockets(1)) {
                    // Only a damaged file's copy can fall back on moving it aside whole.
                    EXPECT_TRUE(isDamaged);
                    EXPECT_TRUE(IsSetAside(*previous));
                } else {
                    EXPECT_EQ(ReadPlayerData(), *previous);
                }
                mFailing.FailAt(Testing::FailingFileInterface::kNever);
                ASSERT_TRUE(state->AddRockets(1));
                auto reread = MakeState();
                EXPECT_EQ(reread->GetRockets(), 4u);
                EXPECT_EQ(reread->IsPlayerUsed(0), !isDamaged);
                EXPECT_TRUE(!isDamaged || IsSetAside(*previous));
            }
        }
    }
}

// A file that is there but cannot be read is moved aside, not written over; each damaged file
// gets a name of its own, and with every name taken nothing replaces it.
TEST_F(GameStateTest, DamagedAndUnreadableFilesAreNeverWrittenOver)
{
    std::string first;
    {
        auto state = MakeState();
        state->CreatePlayer(0, "Anna", "");
        first = ReadPlayerData();
    }
    mFailing.SetUnreadable(GameState::PlayerDataFileName);
    {
        auto state = MakeState(&mFailing);
        EXPECT_TRUE(state->HasNoPlayers());
        ASSERT_TRUE(state->CreatePlayer(1, "Ben", ""));
    }
    mFailing.SetUnreadable("");
    EXPECT_EQ(ReadSetAside(0), first);
    EXPECT_TRUE(MakeState()->IsPlayerUsed(1));

    std::string second = ReadPlayerData();
    second[second.size() - 1] ^= 0x01;
    WritePlayerData(second);
    ASSERT_TRUE(MakeState()->CreatePlayer(2, "Cleo", ""));
    EXPECT_EQ(ReadSetAside(0), first);
    EXPECT_EQ(ReadSetAside(1), second);

    for (UInt32 i = 2; i < GameState::NumberOfSetAsideFiles; ++i)
        mFolder.WriteFile(GameState::GetSetAsideFileName(i).GetText(), "kept");
    WritePlayerData(second);
    EXPECT_FALSE(MakeState()->AddRockets(1));
    EXPECT_EQ(ReadPlayerData(), second);
}

TEST_F(GameStateTest, RefusesShortForeignAndNewerFiles)
{
    std::string good;
    {
        auto state = MakeState();
        state->CreatePlayer(0, "Anna", "");
        good = ReadPlayerData();
    }
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"shorter than a digest", good.substr(0, 10)},
        {"only a digest", good.substr(good.size() - 16)},
        {"cut", good.substr(0, good.size() - 100)},
        {"settings of a newer version", SettingsOnlyFile("1.03", 2)},
        {"length word wrapped", [&] {
             std::string bytes = good;
             bytes[4] = bytes[5] = bytes[6] = bytes[7] = char(0xFF);
             return bytes;
         }()},
    };
    for (const auto& c : cases) {
        WritePlayerData(c.bytes);
        auto state = MakeState();
        EXPECT_FALSE(state->LoadPlayerData()) << c.name;
        EXPECT_FALSE(state->IsPlayerUsed(0)) << c.name;
    }
}

TEST_F(GameStateTest, LoadsOlderFilesWithoutDigest)
{
    WritePlayerData(SettingsOnlyFile("1.01", 9));
    auto state = MakeState();
    EXPECT_EQ(state->GetRockets(), 0u); // older files had no stored rockets
    EXPECT_EQ(state->CountEvent(), 6u);
}

// Without its digest and with the settings version lowered, a file is read without the digest
// check, so damaged profile chunks reach the profile reader.
TEST_F(GameStateTest, DamagedProfilesNeverReadOutsideTheFile)
{
    std::string good;
    {
        auto state = MakeState();
        state->CreatePlayer(0, "Anna", "id-1");
        state->CreatePlayer(1, "Ben", "");
        good = ReadPlayerData();
    }
    good.resize(good.size() - 16);
    good.replace(20, 4, "1.01");
    WritePlayerData(good);
    ASSERT_TRUE(MakeState()->IsPlayerUsed(1));
    for (size_t cut = 0; cut < good.size(); cut += 97) {
        WritePlayerData(good.substr(0, cut));
        EXPECT_FALSE(MakeState()->LoadPlayerData()) << cut;
    }
    for (size_t at = 100; at < 400; ++at) {
        std::string bytes = good;
        bytes[at] = char(bytes[at] ^ 0xFF);
        WritePlayerData(bytes);
        MakeState(); // loads or refuses; never reads outside the file
    }
}

TEST_F(GameStateTest, ProfileRules)
{
    auto state = MakeState();
    EXPECT_FALSE(state->UseRocket());
    EXPECT_TRUE(ReadPlayerData().empty()); // nothing saved
    EXPECT_TRUE(state->CreatePlayer(0, "Anna", "id-1"));
    EXPECT_FALSE(state->CreatePlayer(0, "Ben", ""));     // used slot
    EXPECT_FALSE(state->CreatePlayer(1, "Ben", "id-1")); // id held by another
    EXPECT_TRUE(state->CreatePlayer(1, "Ben", ""));
    EXPECT_TRUE(state->CreatePlayer(2, "Cleo", ""));    // empty ids never clash
    EXPECT_FALSE(state->CreatePlayer(3, "Dan", ""));
    EXPECT_EQ(state->GetFreeSlot(), -1);
    EXPECT_TRUE(state->IsCurrentPlayer(2));
    state->DeletePlayer(1);
    EXPECT_EQ(state->GetFreeSlot(), 1);
    EXPECT_EQ(state->GetPlayer(3), nullptr);
}

TEST_F(GameStateTest, LevelsAndRuns)
{
    auto state = MakeState();
    state->CreatePlayer(0, "Anna", "");
    state->SetStarTimes(60.0f, 90.0f, 120.0f, 150.0f);
    EXPECT_EQ(state->StarsForTime(59.9f), 3u);
    EXPECT_EQ(state->StarsForTime(60.0f), 2u);
    EXPECT_EQ(state->StarsForTime(120.0f), 0u);

    state->StartLevel(5);
    EXPECT_EQ(state->GetLevel(), 5u);
    EXPECT_TRUE(state->IsLevelChosen());
    state->StartLevel(kLevels);
    EXPECT_EQ(state->GetLevel(), 5u);
    state->SetLevel(kLevels - 1, false);
    EXPECT_EQ(state->NextLevel(), kLevels - 1);

    // Time runs only in play, and the profile's level time only in a campaign level.
    state->StartLevel(3);
    state->Step(1.0);
    state->SetPlayState(5);
    state->Step(0.5);
    EXPECT_FLOAT_EQ(state->GetRunTime(), 0.5f);
    EXPECT_FLOAT_EQ(state->GetCurrentPlayer()->GetLevelTime(), 0.5f);
    EXPECT_FLOAT_EQ(state->GetPlayTime(), 1.5f);

    state->StartZen();
    EXPECT_TRUE(state->IsZen());
    EXPECT_EQ(state->GetRunStars(), 1u); // a new zen run starts at stage 1
    state->AddRunScore(70);
    state->FinishZenRun(1);
    EXPECT_EQ(state->GetCurrentPlayer()->GetSavedZenRun().GetStars(), 2u);
    state->CloseZenRun();
    EXPECT_EQ(state->GetRunStars(), 0u);
    EXPECT_EQ(state->GetCurrentPlayer()->GetSavedZenRun().GetScore(), 0u);
    EXPECT_EQ(state->GetCurrentLevelData(0)->GetScore(), 70u);
}

TEST_F(GameStateTest, SubmitsOnlineOnlyWithTheOptIn)
{
    auto state = MakeState();
    state->CreatePlayer(0, "Anna", "");
    state->StartZen();
    state->FinishZenRun(1);
    EXPECT_TRUE(mWeb.mUrls.empty());
    state->SetOnlineScoresChoice(true);
    state->FinishZenRun(1);
    ASSERT_EQ(mWeb.mUrls.size(), 1u);
    EXPECT_NE(mWeb.mUrls[0].find("saveScore.php?n=416e6e61&"), std::string::npos);
    EXPECT_NE(mWeb.mUrls[0].find("&z2=3&"), std::string::npos);
    // The step takes the reply and frees the request.
    mWeb.Update();
    state->Step(0.1);
    EXPECT_FALSE(mHighscores.IsBusy());
}

} // namespace
} // namespace App
} // namespace Vorn
