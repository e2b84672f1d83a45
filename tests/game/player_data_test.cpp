#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/byte_order.h"
#include "foundation/iff_stream.h"
#include "game/helpers.h"
#include "game/player_data.h"
#include "resource/object.h"
#include "tests/support/chunk_file_fixture.h"

namespace Vorn {
namespace App {
namespace {

using Testing::FloatBits;
using Testing::RawChunk;

constexpr UInt32 kForm = MakeTag("DRPD");
constexpr UInt32 kLevels = 102;

PlayerLevelData MakeRun(Float time, UInt32 score, UInt32 stars, UInt32 counter0 = 0)
{
    PlayerLevelData run;
    run.AddTime(time);
    run.AddScore(score);
    run.SetStars(stars);
    for (UInt32 i = 0; i < counter0; ++i)
        run.IncrementCounter(0);
    return run;
}

PlayerData MakeProfile(UInt32 levels = kLevels)
{
    PlayerData profile;
    profile.SetLevelCount(levels);
    return profile;
}

// Wins every level from the frontier up to (not including) the given one.
void WinUpTo(PlayerData& profile, UInt32 level, UInt32 score)
{
    while (profile.GetFrontier() != level)
        profile.RecordLevelResult(MakeRun(50.0f, score, 3), profile.GetFrontier());
}

// A "PLDA" payload of the given version and size in words, with used, level time and frontier.
RawChunk ProfileChunk(const char (&version)[5], UInt32 words, UInt32 frontier = 4)
{
    RawChunk chunk{MakeTag("PLDA"), std::vector<UInt32>(words, 0)};
    chunk.words[0] = MakeVersion(version);
    chunk.words[1] = 1;
    chunk.words[2] = FloatBits(12.5f);
    chunk.words[3] = frontier;
    return chunk;
}

// "PLNA"/"PLID" with the length word and the text packed into little-endian words.
RawChunk TextChunk(UInt32 tag, const std::string& text)
{
    std::vector<UInt8> bytes(text.begin(), text.end());
    bytes.resize((text.size() + 1 + 3) / 4 * 4, 0);
    RawChunk chunk{tag, {UInt32(text.size() + 1)}};
    for (size_t i = 0; i < bytes.size(); i += 4)
        chunk.words.push_back(Util::ReadLittleEndian32(bytes.data() + i));
    return chunk;
}

RawChunk LevelChunk(UInt32 index, UInt32 score)
{
    return RawChunk{MakeTag("PLLD"), {index, FloatBits(30.0f), score, 2, 0, 0, 0, 0}};
}

void PutText(std::vector<UInt32>& words, UInt32 byteOffset, const std::string& text)
{
    auto* bytes = reinterpret_cast<UInt8*>(words.data());
    std::memcpy(bytes + byteOffset, text.c_str(), text.size() + 1);
}

// Imports one profile from the chunks; the stream is left for the caller to inspect.
struct ImportResult
{
    Bool ok;
    PlayerData profile;
};

ImportResult Import(const std::vector<RawChunk>& chunks, UInt32 levels = kLevels)
{
    const Data file = Testing::MakeChunkFile(kForm, chunks);
    Util::IffStream stream(kForm, file);
    EXPECT_TRUE(stream.Open());
    ImportResult result{false, MakeProfile(levels)};
    result.ok = result.profile.ImportIffChunks(stream);
    return result;
}

TEST(PlayerLevelDataTest, MergeKeepsBestScoreAndBestTime)
{
    PlayerLevelData record;
    record.MergeByTime(MakeRun(80.0f, 500, 1, 2));
    EXPECT_FLOAT_EQ(record.GetTime(), 80.0f); // no time yet: any time is taken
    // A better score replaces the counters even with a worse time.
    record.MergeByTime(MakeRun(90.0f, 700, 0, 5));
    EXPECT_EQ(record.GetScore(), 700u);
    EXPECT_EQ(record.GetCounter(0), 5u);
    EXPECT_FLOAT_EQ(record.GetTime(), 80.0f);
    EXPECT_EQ(record.GetStars(), 1u);
    // A shorter time with a lower score takes time and stars only.
    record.MergeByTime(MakeRun(40.0f, 100, 3, 1));
    EXPECT_EQ(record.GetScore(), 700u);
    EXPECT_EQ(record.GetCounter(0), 5u);
    EXPECT_FLOAT_EQ(record.GetTime(), 40.0f);
    EXPECT_EQ(record.GetStars(), 3u);
}

TEST(PlayerLevelDataTest, ZenMergeRanksStagesBeforeTime)
{
    PlayerLevelData record = MakeRun(100.0f, 10, 3);
    record.MergeByStars(MakeRun(200.0f, 5, 4)); // more stages: the longer time too
    EXPECT_FLOAT_EQ(record.GetTime(), 200.0f);
    EXPECT_EQ(record.GetStars(), 4u);
    record.MergeByStars(MakeRun(250.0f, 5, 4)); // equal stages, longer time: nothing
    EXPECT_FLOAT_EQ(record.GetTime(), 200.0f);
    record.MergeByStars(MakeRun(150.0f, 5, 4)); // equal stages, shorter time
    EXPECT_FLOAT_EQ(record.GetTime(), 150.0f);
    record.MergeByStars(MakeRun(10.0f, 5, 2)); // fewer stages: nothing
    EXPECT_FLOAT_EQ(record.GetTime(), 150.0f);
    EXPECT_EQ(record.GetStars(), 4u);
}

TEST(PlayerDataTest, CampaignAdvancesFrontierAndPass)
{
    PlayerData profile = MakeProfile();
    EXPECT_EQ(profile.GetFrontier(), 1u);
    EXPECT_EQ(profile.GetPass(), 1u);
    EXPECT_EQ(profile.ComputeTotalScore(), 0u);
    EXPECT_EQ(profile.SumLevelWord2(), 0u);

    EXPECT_FALSE(profile.RecordLevelResult(MakeRun(50.0f, 100, 3), 1));
    EXPECT_EQ(profile.GetFrontier(), 2u);
    EXPECT_GT(profile.GetFrontierDate(), 20000000u);

    // A replay with a lower score and a longer time only notes the replay.
    EXPECT_FALSE(profile.RecordLevelResult(MakeRun(60.0f, 50, 1), 1));
    EXPECT_EQ(profile.GetLevel(1)->GetScore(), 100u);
    EXPECT_FLOAT_EQ(profile.GetLevel(1)->GetTime(), 50.0f);
    EXPECT_EQ(profile.GetReplayLevel(), 1u);
    EXPECT_EQ(profile.GetReplayDate(), profile.GetFrontierDate());

    EXPECT_FALSE(profile.RecordLevelResult(MakeRun(1.0f, 1, 1), kLevels));
    EXPECT_EQ(profile.GetFrontier(), 2u);

    WinUpTo(profile, kLevels - 1, 10);
    const UInt32 date = profile.GetFrontierDate();
    EXPECT_TRUE(profile.RecordLevelResult(MakeRun(50.0f, 10, 3), kLevels - 1));
    EXPECT_EQ(profile.GetPass(), 2u);
    EXPECT_EQ(profile.GetFrontier(), 1u);
    EXPECT_EQ(profile.GetFrontierDate(), date);
}

TEST(PlayerDataTest, TotalScoreAddsPassBonuses)
{
    const struct {
        UInt32 frontier;
        UInt32 bonus;
    } firstPass[] = {{10, 0}, {11, 100000}, {25, 300000}};
    for (const auto& c : firstPass) {
        PlayerData profile = MakeProfile();
        WinUpTo(profile, c.frontier, 7);
        EXPECT_EQ(profile.ComputeTotalScore(), c.bonus + 7 * (c.frontier - 1)) << c.frontier;
        EXPECT_EQ(profile.SumLevelWord2(), 3 * (c.frontier - 1)) << c.frontier;
    }
    PlayerData profile = MakeProfile();
    WinUpTo(profile, kLevels - 1, 7);
    profile.RecordLevelResult(MakeRun(50.0f, 7, 3), kLevels - 1);
    EXPECT_EQ(profile.ComputeTotalScore(), 5500000u + 7 * 101);
    EXPECT_EQ(profile.SumLevelWord2(), 3u * 101);
}

TEST(PlayerDataTest, ClaimAndClear)
{
    PlayerData profile = MakeProfile(5);
    EXPECT_TRUE(profile.Claim("Anna", "id-1"));
    profile.RecordLevelResult(MakeRun(20.0f, 30, 2), 1);
    profile.RecordLevelResult(MakeRun(20.0f, 30, 2), 1);
    EXPECT_FALSE(profile.Claim("Ben", ""));
    EXPECT_STREQ(profile.GetName().GetText(), "Anna");
    profile.Clear();
    EXPECT_FALSE(profile.IsUsed());
    EXPECT_TRUE(profile.GetName().IsEmpty());
    EXPECT_EQ(profile.GetFrontier(), 1u);
    EXPECT_EQ(profile.GetLevelCount(), 5u);
    EXPECT_EQ(profile.GetLevel(1)->GetScore(), 0u);
    EXPECT_EQ(profile.GetReplayLevel(), 1u); // kept by Clear
}

TEST(PlayerDataTest, ExportThenImportGivesTheProfileBack)
{
    PlayerData profile = MakeProfile();
    profile.Claim("J\xC3\xBCrgen the long-named", "player-7");
    WinUpTo(profile, 12, 40);
    profile.RecordLevelResult(MakeRun(5.0f, 41, 1), 3);
    profile.UpdateBestResult(MakeRun(77.0f, 900, 6, 2));
    profile.SetLevelTime(3.5f);
    profile.SetZenWords(8, 9);

    Util::IffData writer(kForm);
    ASSERT_TRUE(profile.ExportIffChunk(writer));
    Data file;
    ASSERT_TRUE(writer.GetData(file));
    EXPECT_EQ(file.GetSize(), 12u + 92 + 8 + 4 + 24 + 8 + 4 + 12 + kLevels * 40);

    Util::IffStream stream(kForm, file);
    ASSERT_TRUE(stream.Open());
    PlayerData copy = MakeProfile();
    ASSERT_TRUE(copy.ImportIffChunks(stream));
    EXPECT_TRUE(stream.IsAtEnd());
    EXPECT_TRUE(copy.IsUsed());
    EXPECT_STREQ(copy.GetName().GetText(), profile.GetName().GetText());
    EXPECT_STREQ(copy.GetPlayerId().GetText(), "player-7");
    EXPECT_EQ(copy.GetFrontier(), 12u);
    EXPECT_EQ(copy.GetPass(), 1u);
    EXPECT_EQ(copy.GetFrontierDate(), profile.GetFrontierDate());
    EXPECT_EQ(copy.GetReplayLevel(), 3u);
    EXPECT_EQ(copy.GetReplayDate(), profile.GetReplayDate());
    EXPECT_EQ(copy.GetZenWord1(), 8u);
    EXPECT_EQ(copy.GetZenWord2(), 9u);
    EXPECT_FLOAT_EQ(copy.GetLevelTime(), 3.5f);
    EXPECT_EQ(copy.GetSavedZenRun().GetScore(), 900u);
    EXPECT_EQ(copy.GetSavedZenRun().GetCounter(0), 2u);
    EXPECT_EQ(copy.GetLevel(0)->GetStars(), 6u);
    EXPECT_EQ(copy.GetLevel(3)->GetScore(), 41u);
    EXPECT_EQ(copy.ComputeTotalScore(), profile.ComputeTotalScore());
}

TEST(PlayerDataTest, ImportsOlderProfileVersions)
{
    // "1.01": the name sits in the chunk's own field; pass 1, no zen run.
    RawChunk old = ProfileChunk("1.01", 68);
    PutText(old.words, 16, "Old Name");
    ImportResult result = Import({old, LevelChunk(0, 5)});
    ASSERT_TRUE(result.ok);
    EXPECT_STREQ(result.profile.GetName().GetText(), "Old Name");
    EXPECT_EQ(result.profile.GetFrontier(), 4u);
    EXPECT_EQ(result.profile.GetPass(), 1u);
    EXPECT_EQ(result.profile.GetLevel(0)->GetScore(), 5u);

    // A following "PLNA" overrides it.
    result = Import({old, TextChunk(MakeTag("PLNA"), "New"), LevelChunk(0, 5)});
    ASSERT_TRUE(result.ok);
    EXPECT_STREQ(result.profile.GetName().GetText(), "New");

    // "1.03": a pass of 0 is read as 1, dates stay 0.
    RawChunk v103 = ProfileChunk("1.03", 21);
    v103.words[11] = 0;
    v103.words[12] = 20200101;
    result = Import({v103});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.profile.GetPass(), 1u);
    EXPECT_EQ(result.profile.GetFrontierDate(), 0u);
}

TEST(PlayerDataTest, RefusesMalformedProfiles)
{
    RawChunk wrongLength = TextChunk(MakeTag("PLNA"), "Name");
    wrongLength.words[0] = 9;
    // A length whose size sum wraps round, in 32 bits, to the chunk's own size.
    const RawChunk wrapped{MakeTag("PLID"), {0xFFFFFFFDu}};
    const struct {
        const char* name;
        std::vector<RawChunk> chunks;
    } cases[] = {
        {"newer version", {ProfileChunk("1.05", 21)}},
        {"size 96", {ProfileChunk("1.04", 22)}},
        {"not a profile", {LevelChunk(0, 1)}},
        {"name length off", {ProfileChunk("1.04", 21), wrongLength}},
        {"wrapped id length", {ProfileChunk("1.04", 21), wrapped}},
        {"level index off", {ProfileChunk("1.04", 21), LevelChunk(0, 1), LevelChunk(2, 1)}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Import(c.chunks).ok) << c.name;
}

TEST(PlayerDataTest, ReadsOldNameFieldOnlyInsideItsChunk)
{
    // A "1.02" chunk of the short size has no room for the 256-byte name field.
    RawChunk chunk = ProfileChunk("1.02", 21);
    for (UInt32 i = 11; i < 21; ++i)
        chunk.words[i] = 0x41414141u; // "AAAA", no terminator
    const ImportResult result = Import({chunk});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.profile.GetName().GetLength(), 40);
}

TEST(PlayerDataTest, LevelCountsOfOtherFiles)
{
    std::vector<RawChunk> chunks = {ProfileChunk("1.04", 21)};
    for (UInt32 i = 0; i < 110; ++i)
        chunks.push_back(LevelChunk(i, i + 1));
    chunks.push_back(ProfileChunk("1.04", 21, 9));
    const Data file = Testing::MakeChunkFile(kForm, chunks);
    Util::IffStream stream(kForm, file);
    ASSERT_TRUE(stream.Open());
    PlayerData first = MakeProfile();
    ASSERT_TRUE(first.ImportIffChunks(stream));
    EXPECT_EQ(first.GetLevel(101)->GetScore(), 102u);
    EXPECT_EQ(first.GetLevel(102), nullptr); // the extra eight are kept, out of the game's sight
    PlayerData second = MakeProfile();
    ASSERT_TRUE(second.ImportIffChunks(stream));
    EXPECT_EQ(second.GetFrontier(), 9u);

    chunks.resize(51);
    const ImportResult shorter = Import(chunks);
    ASSERT_TRUE(shorter.ok);
    EXPECT_EQ(shorter.profile.GetLevel(49)->GetScore(), 50u);
    EXPECT_EQ(shorter.profile.GetLevel(50)->GetScore(), 0u);

    // An extra record out of its place fails the import, as one inside the count does.
    chunks.push_back(LevelChunk(200, 1));
    EXPECT_FALSE(Import(chunks, 50).ok);
}

// A level file that lost levels gives a smaller level count: the records of the lost levels
// must come back in the next save, and the last level left must not end the pass.
TEST(PlayerDataTest, RecordsBeyondTheLevelCountAreSavedAgain)
{
    PlayerData full = MakeProfile();
    full.Claim("Anna", "");
    WinUpTo(full, 49, 5);
    for (UInt32 i = 0; i < kLevels; ++i)
        full.GetLevel(i)->AddScore(1000 + i);
    Util::IffData written(kForm);
    ASSERT_TRUE(full.ExportIffChunk(written));
    Data bytes;
    ASSERT_TRUE(written.GetData(bytes));

    Util::IffStream stream(kForm, bytes);
    ASSERT_TRUE(stream.Open());
    PlayerData cut = MakeProfile(50);
    ASSERT_TRUE(cut.ImportIffChunks(stream));
    EXPECT_EQ(cut.GetLevelCount(), 50u);
    EXPECT_EQ(cut.GetLevel(50), nullptr);
    Util::IffData rewritten(kForm);
    ASSERT_TRUE(cut.ExportIffChunk(rewritten));
    Data again;
    ASSERT_TRUE(rewritten.GetData(again));
    ASSERT_EQ(again.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(again.GetData(), bytes.GetData(), bytes.GetSize()), 0);

    // Winning the last level left moves the frontier on, without a pass.
    EXPECT_FALSE(cut.RecordLevelResult(MakeRun(50.0f, 5, 3), 49));
    EXPECT_EQ(cut.GetPass(), 1u);
    EXPECT_EQ(cut.GetFrontier(), 50u);
    // The levels come back with their records; a deleted player keeps none of them.
    cut.SetLevelCount(kLevels);
    EXPECT_EQ(cut.GetLevel(80)->GetScore(), 1080u);
    cut.SetLevelCount(50);
    cut.Clear();
    cut.SetLevelCount(kLevels);
    EXPECT_EQ(cut.GetLevel(80)->GetScore(), 0u);
}

} // namespace
} // namespace App
} // namespace Vorn
