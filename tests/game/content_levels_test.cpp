// The level file the build writes (tools/content/levels.py through vorn_levels), read back with
// the game's own reader: every level arrives, no chunk of it is refused, and each level keeps
// the rules that make it playable. A damaged copy of the file gives the levels before the damage.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "foundation/iff_stream.h"
#include "game/play/level_data.h"

namespace Vorn {
namespace App {
namespace {

namespace fs = std::filesystem;

constexpr UInt32 kLevels = 102;

fs::path LevelFilePath()
{
    const char* given = std::getenv("VORN_CONTENT_PACKAGES");
    return (given != nullptr ? fs::path(given) : fs::path("..") / "content" / "packages") / "SkarvelLevels.vorn";
}

std::vector<UInt8> ReadLevelFile()
{
    std::ifstream file(LevelFilePath(), std::ios::binary);
    return std::vector<UInt8>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

UInt32 Load(const std::vector<UInt8>& bytes, Array<LevelData>& levels)
{
    return LevelData::LoadLevels(bytes.data(), UInt32(bytes.size()), levels, "SkarvelLevels.vorn");
}

// Tags of the sub-chunks of every level, in file order, with where each chunk starts.
struct ChunkPlace {
    UInt32 mTag;
    size_t mOffset;
};

std::vector<std::vector<ChunkPlace>> ChunksByLevel(const std::vector<UInt8>& bytes)
{
    std::vector<std::vector<ChunkPlace>> levels;
    Util::IffStream stream(bytes.data(), UInt32(bytes.size()), MakeTag("DREL"));
    if (!stream.Open())
        return levels;
    while (!stream.IsAtEnd()) {
        const UInt8* chunk = stream.GetChunk();
        if (chunk == nullptr)
            break;
        const UInt32 tag = UInt32(chunk[0]) << 24 | UInt32(chunk[1]) << 16 | UInt32(chunk[2]) << 8 | chunk[3];
        if (tag == MakeTag("LEVL"))
            levels.emplace_back();
        if (!levels.empty())
            levels.back().push_back({tag, size_t(chunk - bytes.data())});
        if (!stream.NextChunk())
            break;
    }
    return levels;
}

class ContentLevelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mBytes = ReadLevelFile();
        ASSERT_FALSE(mBytes.empty()) << "no level file at " << LevelFilePath();
        mChunks = ChunksByLevel(mBytes);
    }

    std::vector<UInt8> mBytes;
    std::vector<std::vector<ChunkPlace>> mChunks;
};

TEST_F(ContentLevelsTest, EveryLevelIsReadWithEveryChunk)
{
    Array<LevelData> levels;
    ASSERT_EQ(Load(mBytes, levels), kLevels);
    ASSERT_EQ(mChunks.size(), size_t(kLevels));

    EXPECT_EQ(levels[0].mType, 1u);
    EXPECT_EQ(levels[0].mAssetResourceId, String("bg_zen"));
    for (UInt32 i = 0; i < kLevels; ++i) {
        SCOPED_TRACE("level " + std::to_string(i));
        const LevelData& level = levels[i];
        // A refused chunk leaves its part of the record at the defaults; count what the file holds
        // against what the reader took.
        std::map<UInt32, int> count;
        for (const ChunkPlace& place : mChunks[i])
            ++count[place.mTag];
        EXPECT_EQ(count[MakeTag("LEVL")], 1);
        EXPECT_EQ(count[MakeTag("CORS")], int(level.mCourses.GetCount()));
        EXPECT_GE(level.mCourses.GetCount(), 1);
        EXPECT_EQ(count[MakeTag("ASET")], 1);
        EXPECT_FALSE(level.mAssetResourceId.IsEmpty());
        EXPECT_EQ(count[MakeTag("WEAP")] > 0, level.mWeaponPlacements.GetCount() > 0);
        EXPECT_EQ(count[MakeTag("CART")] > 0, level.mCarrots.GetCount() > 0);
        EXPECT_EQ(count[MakeTag("CLOD")] > 0, level.mClouds.GetCount() > 0);
        EXPECT_EQ(count[MakeTag("OBST")] > 0, level.mObstacles.GetCount() > 0);
        UInt32 weights = 0;
        for (UInt32 weight : level.mKindWeights)
            weights += weight;
        EXPECT_GT(weights, 0u) << "ANIM refused or without kinds";
        for (const CourseRecord& course : level.mCourses) {
            EXPECT_EQ(course.mAnimalLists.GetCount(), 1);
            EXPECT_GE(course.mPathPieces.GetCount(), 1);
        }
    }
}

// What makes a level playable: a registered scenery and one of its frames, star times in order,
// chains that begin with an end piece and hold only colours the launcher brings, and pools that
// are large enough.
TEST_F(ContentLevelsTest, EveryLevelKeepsThePlayRules)
{
    Array<LevelData> levels;
    ASSERT_EQ(Load(mBytes, levels), kLevels);
    const std::set<std::string> sceneries = {"bg_autumn", "bg_beach", "bg_grass", "bg_ice"};
    for (UInt32 i = 1; i < kLevels; ++i) {
        SCOPED_TRACE("level " + std::to_string(i));
        const LevelData& level = levels[i];
        EXPECT_EQ(level.mType, 0u);
        EXPECT_EQ(sceneries.count(level.mAssetResourceId.GetText()), 1u) << level.mAssetResourceId.GetText();
        EXPECT_LT(level.mBackgroundFrame, 8u);
        EXPECT_LE(level.mAssets.GetCount(), 250);
        for (const AssetEntry& asset : level.mAssets)
            EXPECT_LT(asset.mPicture, 12u);
        EXPECT_GT(level.mLevelProps[0], 0.0f);
        for (int k = 1; k < 4; ++k)
            EXPECT_LT(level.mLevelProps[k - 1], level.mLevelProps[k]);

        UInt32 animals = 0;
        for (const CourseRecord& course : level.mCourses) {
            ASSERT_GE(course.mAnimalLists.GetCount(), 1);
            const AnimalList& list = course.mAnimalLists[0];
            ASSERT_GE(list.mAnimals.GetCount(), 3);
            EXPECT_LE(list.mAnimals[0].mKind, 1u) << "the chain does not begin with an end piece";
            EXPECT_LE(list.mAnimals[list.mAnimals.GetCount() - 1].mKind, 1u);
            for (const AnimalSlot& slot : list.mAnimals) {
                if (slot.mKind >= 5) {
                    EXPECT_GT(level.mKindWeights[slot.mKind - 5], 0u) << "kind " << slot.mKind << " is never loaded";
                }
            }
            animals += list.mAnimals.GetCount() + 20;
        }
        EXPECT_LE(animals, 200u);
        UInt32 flying = 0;
        for (const ObstacleEntry& obstacle : level.mObstacles)
            flying += obstacle.mKind < 3 ? 1 : 0;
        EXPECT_LE(flying, 20u);
        EXPECT_LE(level.mObstacles.GetCount() - flying, 10u);
        for (const TimetableEntry& entry : level.mWeaponSupplies)
            EXPECT_LE(entry.mKind, 7u);
    }
    // The tutorial of level 10 waits for a hambone: kind 2 on a running timetable.
    const LevelData& ten = levels[10];
    Bool hambone = false;
    for (const TimetableEntry& entry : ten.mWeaponSupplies)
        hambone = hambone || entry.mKind == 2;
    EXPECT_TRUE(hambone);
    EXPECT_GT(ten.mCycleDuration, 0.0f);
    EXPECT_NE(ten.mCycleCount, 0);
    // The obstacle hint of level 20 points at a flying obstacle.
    ASSERT_GE(levels[20].mObstacles.GetCount(), 1);
    EXPECT_LT(levels[20].mObstacles[0].mKind, 3u);
}

// The header's size field made to match a shortened file, as a writer that was cut off mid-file
// leaves it when it wrote the size last.
std::vector<UInt8> CutAt(const std::vector<UInt8>& bytes, size_t size)
{
    std::vector<UInt8> cut(bytes.begin(), bytes.begin() + long(size));
    const UInt32 rest = UInt32(size - 8);
    std::memcpy(cut.data() + 4, &rest, 4);
    return cut;
}

TEST_F(ContentLevelsTest, ADamagedFileGivesTheLevelsBeforeTheDamage)
{
    ASSERT_EQ(mChunks.size(), size_t(kLevels));
    // Level 50 is cut inside its first course; level 60 gets a version above 1.09 by one
    // flipped bit; level 70's first course claims to run past the end of the file.
    auto firstCourse = [&](UInt32 level) {
        for (const ChunkPlace& place : mChunks[level]) {
            if (place.mTag == MakeTag("CORS"))
                return place.mOffset;
        }
        return size_t(0);
    };
    const size_t course50 = firstCourse(50);
    ASSERT_NE(course50, 0u);
    std::vector<UInt8> flippedVersion = mBytes;
    flippedVersion[mChunks[60][0].mOffset + 8 + 2] ^= 0x01; // "1.09" -> "1.19"
    std::vector<UInt8> flippedSize = mBytes;
    flippedSize[firstCourse(70) + 7] ^= 0x40;

    struct Case {
        const char* mName;
        std::vector<UInt8> mBytes;
        UInt32 mDamagedLevel;
    };
    const Case cases[] = {
        {"cut inside level 50", CutAt(mBytes, course50 + 100), 50},
        {"version bit of level 60", flippedVersion, 60},
        {"size bit of level 70", flippedSize, 70},
    };
    Array<LevelData> intact;
    ASSERT_EQ(Load(mBytes, intact), kLevels);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Array<LevelData> levels;
        const UInt32 read = Load(c.mBytes, levels);
        // The damaged level itself is dropped, or kept with only the chunks before the damage,
        // where the walk ends.
        EXPECT_GE(read, c.mDamagedLevel);
        EXPECT_LE(read, c.mDamagedLevel + 1);
        for (UInt32 i = 0; i < c.mDamagedLevel && i < UInt32(levels.GetCount()); ++i) {
            EXPECT_EQ(levels[i].mCourses.GetCount(), intact[i].mCourses.GetCount()) << "level " << i;
            EXPECT_EQ(levels[i].mAssetResourceId, intact[i].mAssetResourceId) << "level " << i;
        }
        if (read > c.mDamagedLevel) {
            EXPECT_LT(levels[c.mDamagedLevel].mCourses.GetCount(), intact[c.mDamagedLevel].mCourses.GetCount());
        }
    }
    // A file cut short without its size mended is refused whole: no level comes from it.
    std::vector<UInt8> cut(mBytes.begin(), mBytes.begin() + long(course50));
    Array<LevelData> levels;
    EXPECT_EQ(Load(cut, levels), 0u);
}

// Every single bit flipped in a spread of places across the file: the reader never reads outside
// the file and never gives more levels than there are.
TEST_F(ContentLevelsTest, FlippedBitsAnywhereAreReadSafely)
{
    for (size_t offset = 0; offset < mBytes.size(); offset += 3989) {
        for (int bit = 0; bit < 8; bit += 3) {
            std::vector<UInt8> damaged = mBytes;
            damaged[offset] ^= UInt8(1 << bit);
            Array<LevelData> levels;
            const UInt32 read = Load(damaged, levels);
            EXPECT_LE(read, kLevels) << "offset " << offset << " bit " << bit;
        }
    }
}

} // namespace
} // namespace App
} // namespace Vorn
