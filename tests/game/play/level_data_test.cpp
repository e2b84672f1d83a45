#include "game/play/level_data.h"

#include "foundation/folder_file_interface.h"
#include "tests/support/level_file_writer.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace Vorn {
namespace App {
namespace {

using Testing::LevelFileWriter;
using Testing::LevelPayload;
using Testing::LevelWord;

UInt32 Load(const std::vector<UInt8>& bytes, Array<LevelData>& levels)
{
    return LevelData::LoadLevels(bytes.data(), UInt32(bytes.size()), levels, "test.vorn");
}

// A level with every sub-chunk filled with values unlike the defaults.
LevelFileWriter& AddFullLevel(LevelFileWriter& writer, const char* version = "1.09")
{
    writer.Level(version, 0, 10.0f, 20.0f, 0.5f, 1250.0f);
    writer.Chunk("LPRO", LevelPayload().F32(60.0f).F32(90.0f).F32(131.0f).F32(240.0f));
    writer.Chunk("PSTA", LevelPayload().U32(2).F32(55.0f).F32(70.0f).Zeros(98));
    writer.Chunk("WEAP", LevelPayload().F32(7.0f).F32(30.0f).U32(UInt32(-1)).U32(1).U32(1)
                             .U32(2).F32(-5.0f).F32(6.0f).U32(4).F32(10.0f).F32(20.0f));
    writer.Chunk("CART", LevelPayload().F32(9.0f).U32(1).U32(3).F32(1.0f).F32(2.0f).F32(0.25f).F32(1.5f));
    LevelPayload animals;
    for (UInt32 i = 0; i < 9; ++i)
        animals.U32(i % 2);
    animals.Zeros(11).U32(UInt32(-1)).U32(5).F32(900.0f).F32(1100.0f).F32(12.0f).U32(2).U32(1);
    animals.F32(1.5f).Optional(true, LevelWord(2.0f)).Optional(false, 7).Optional(true, 3).Optional(true, 1);
    writer.Chunk("ANIM", animals);
    writer.Chunk("XTRA", LevelPayload().U32(1));
    writer.Chunk("CORS", Testing::CoursePayload({{0, 6, 7}, {8}}, {0.0f, 2.0f}, 0));
    writer.Chunk("CORS", Testing::CoursePayload({}, {}, 1));
    writer.Chunk("ASET", LevelPayload().Text("bg_beach", 60).U32(2).U32(1)
                             .U32(4).F32(1.0f).F32(2.0f).U32(UInt32(-7)).F32(0.1f).F32(2.0f).F32(3.0f));
    writer.Chunk("CLOD", LevelPayload().U32(1).U32(1).F32(2.0f).F32(10.0f).U32(3).U32(4).U32(5).F32(1.0f).F32(2.0f).U32(2));
    writer.Chunk("OBST", LevelPayload().U32(1).F32(1.0f).U32(1).F32(3.0f).F32(4.0f).F32(0.5f).F32(60.0f).U32(12));
    return writer;
}

TEST(LevelDataTest, ReadsEveryField)
{
    LevelFileWriter writer;
    AddFullLevel(writer);
    Array<LevelData> levels;
    ASSERT_EQ(Load(writer.GetBytes(), levels), 2u);
    const LevelData& level = levels[1];
    EXPECT_EQ(level.mType, 0u);
    EXPECT_EQ(level.mLauncherX, 10.0f);
    EXPECT_EQ(level.mLauncherY, 20.0f);
    EXPECT_EQ(level.mLauncherAngle, 0.5f);
    EXPECT_EQ(level.mLaunchSpeed, 1250.0f);
    EXPECT_EQ(level.mLevelProps[2], 131.0f);
    ASSERT_EQ(level.mPlayerStatistics.GetCount(), 2);
    EXPECT_EQ(level.mPlayerStatistics[1], 70.0f);

    EXPECT_EQ(level.mWeaponDuration, 7.0f);
    EXPECT_EQ(level.mCycleDuration, 30.0f);
    EXPECT_EQ(level.mCycleCount, -1);
    ASSERT_EQ(level.mWeaponPlacements.GetCount(), 1);
    EXPECT_EQ(level.mWeaponPlacements[0].mWeight, 2u);
    EXPECT_EQ(level.mWeaponPlacements[0].mX, -5.0f);
    ASSERT_EQ(level.mWeaponSupplies.GetCount(), 1);
    EXPECT_EQ(level.mWeaponSupplies[0].mKind, 4u);
    EXPECT_EQ(level.mWeaponSupplies[0].mLongest, 20.0f);

    EXPECT_EQ(level.mCarrotValue, 9.0f);
    ASSERT_EQ(level.mCarrots.GetCount(), 1);
    EXPECT_EQ(level.mCarrots[0].mWeight, 3u);
    EXPECT_EQ(level.mCarrots[0].mScale, 1.5f);

    EXPECT_EQ(level.mKindWeights[1], 1u);
    EXPECT_EQ(level.mNormalBudget, -1);
    EXPECT_EQ(level.mSpecialBudget, 5);
    EXPECT_EQ(level.mUpperFlightSpeed, 1100.0f);
    EXPECT_EQ(level.mTrackPeriod, 12.0f);
    EXPECT_EQ(level.mTrackWrap, 2);
    ASSERT_EQ(level.mAnimals.GetCount(), 1);
    EXPECT_EQ(level.mAnimals[0].mTime, 1.5f);
    EXPECT_TRUE(level.mAnimals[0].mValues[0].mSet);
    EXPECT_EQ(level.mAnimals[0].mValues[0].GetFloat(), 2.0f);
    EXPECT_FALSE(level.mAnimals[0].mValues[1].mSet);
    EXPECT_EQ(level.mAnimals[0].mValues[2].GetUInt(), 3u);

    ASSERT_EQ(level.mCourses.GetCount(), 2);
    const CourseRecord& course = level.mCourses[0];
    EXPECT_EQ(course.mMatchThreshold, 3u);
    EXPECT_EQ(course.mCountA, 1);
    EXPECT_EQ(course.mCountB, 1);
    ASSERT_EQ(course.mAnimalLists.GetCount(), 2);
    ASSERT_EQ(course.mAnimalLists[0].mAnimals.GetCount(), 3);
    EXPECT_EQ(course.mAnimalLists[0].mAnimals[2].mKind, 7u);
    EXPECT_EQ(course.mAnimalLists[1].mAnimals[0].mKind, 8u);
    ASSERT_EQ(course.mPathPieces.GetCount(), 2);
    EXPECT_EQ(course.mPathPieces[1].mTime, 2.0f);
    EXPECT_EQ(course.mPathPieces[1].mValues[3].GetFloat(), 5.0f);
    EXPECT_EQ(level.mCourses[1].mStartTrigger, 1u);

    EXPECT_STREQ(level.mAssetResourceId.GetText(), "bg_beach");
    EXPECT_EQ(level.mBackgroundFrame, 2u);
    ASSERT_EQ(level.mAssets.GetCount(), 1);
    EXPECT_EQ(level.mAssets[0].mPicture, 4u);
    EXPECT_EQ(level.mAssets[0].mDepthOffset, -7);
    EXPECT_EQ(level.mAssets[0].mScaleY, 3.0f);

    ASSERT_EQ(level.mClouds.GetCount(), 1);
    EXPECT_EQ(level.mClouds[0].mKind, 1);
    EXPECT_EQ(level.mClouds[0].mEndTime, 10.0f);
    EXPECT_EQ(level.mClouds[0].mSnowIntensity, 2u);
    ASSERT_EQ(level.mObstacles.GetCount(), 1);
    EXPECT_EQ(level.mObstacles[0].mKind, 1u);
    EXPECT_EQ(level.mObstacles[0].mLife, 12);
}

TEST(LevelDataTest, FillsTheSlots)
{
    // Zen first: slot 0 takes it with the zen background whatever the file names.
    LevelFileWriter zenFirst;
    zenFirst.Level("1.09", 1).Background("bg_ice").Level("1.09", 0).Level("1.09", 0);
    Array<LevelData> levels;
    ASSERT_EQ(Load(zenFirst.GetBytes(), levels), 3u);
    EXPECT_EQ(levels[0].mType, 1u);
    EXPECT_STREQ(levels[0].mAssetResourceId.GetText(), "bg_zen");

    // Campaign first: slot 1, the prepared zen record stays in slot 0.
    LevelFileWriter campaignFirst;
    campaignFirst.Level("1.09", 0, 5.0f).Background("bg_grass").Level("1.09", 0, 6.0f);
    Array<LevelData> campaign;
    ASSERT_EQ(Load(campaignFirst.GetBytes(), campaign), 3u);
    EXPECT_STREQ(campaign[0].mAssetResourceId.GetText(), "bg_zen");
    EXPECT_EQ(campaign[0].mType, 1u);
    EXPECT_EQ(campaign[1].mLauncherX, 5.0f);
    EXPECT_STREQ(campaign[1].mAssetResourceId.GetText(), "bg_grass");
    EXPECT_EQ(campaign[2].mLauncherX, 6.0f);
    EXPECT_TRUE(campaign[2].mAssetResourceId.IsEmpty());

    // A type word before "1.09" is not read.
    LevelFileWriter old;
    old.Level("1.08", 1);
    Array<LevelData> oldLevels;
    ASSERT_EQ(Load(old.GetBytes(), oldLevels), 2u);
    EXPECT_EQ(oldLevels[1].mType, 0u);
}

TEST(LevelDataTest, AFailingLevelEndsTheReading)
{
    struct Case {
        const char* name;
        LevelPayload levelPayload;
    } cases[] = {
        {"version 1.10", LevelPayload().Text("1.10", 4).Zeros(64).U32(0).Zeros(4)},
        {"version 2.00", LevelPayload().Text("2.00", 4).Zeros(64).U32(0).Zeros(4)},
        {"284 bytes", LevelPayload().Text("1.09", 4).Zeros(64).U32(0).Zeros(5)},
    };
    for (const Case& c : cases) {
        LevelFileWriter writer;
        writer.Level("1.09", 0, 1.0f).Level("1.09", 0, 2.0f).Chunk("LEVL", c.levelPayload).Level("1.09", 0, 4.0f);
        Array<LevelData> levels;
        EXPECT_EQ(Load(writer.GetBytes(), levels), 3u) << c.name;
        EXPECT_EQ(levels[2].mLauncherX, 2.0f) << c.name;
    }
}

TEST(LevelDataTest, IgnoresSubChunksOfTheWrongSize)
{
    LevelFileWriter writer;
    writer.Level();
    writer.Chunk("WEAP", LevelPayload().F32(1.0f).F32(2.0f).U32(3).U32(2).U32(0).Zeros(3)); // one place short
    writer.Chunk("LPRO", LevelPayload().F32(1.0f).F32(2.0f).F32(3.0f));
    writer.Chunk("PSTA", LevelPayload().U32(250).Zeros(100));
    writer.Chunk("CLOD", LevelPayload().U32(0xFFFFFFFFu).Zeros(9));
    writer.Chunk("OBST", LevelPayload().U32(0x80000000u).Zeros(7));
    writer.Chunk("CORS", LevelPayload().Zeros(11).U32(0xFFFFFFFFu).U32(0x07E07E08u));
    Array<LevelData> levels;
    ASSERT_EQ(Load(writer.GetBytes(), levels), 2u);
    const LevelData& level = levels[1];
    EXPECT_EQ(level.mWeaponDuration, 8.0f);
    EXPECT_EQ(level.mWeaponPlacements.GetCount(), 0);
    EXPECT_EQ(level.mLevelProps[0], 0.0f);
    EXPECT_EQ(level.mPlayerStatistics.GetCount(), 100); // a count over 100 takes 100
    EXPECT_EQ(level.mClouds.GetCount(), 0);
    EXPECT_EQ(level.mObstacles.GetCount(), 0);
    EXPECT_EQ(level.mCourses.GetCount(), 0);
}

TEST(LevelDataTest, ConvertsOlderLayouts)
{
    // 1.00: float weights truncated, float depths spread over 0 .. 6000; 1.07: obstacle kinds
    // remapped; 1.08 keeps them.
    LevelFileWriter writer;
    writer.Level("1.00");
    writer.Chunk("WEAP", LevelPayload().F32(8.0f).F32(0.0f).U32(0).U32(3).U32(0)
                             .F32(2.9f).Zeros(2).F32(std::nanf("")).Zeros(2).F32(1e20f).Zeros(2));
    writer.Chunk("ASET", LevelPayload().Text("bg_autumn", 60).U32(9).U32(3)
                             .U32(0).Zeros(2).F32(0.0003f).Zeros(3)
                             .U32(0).Zeros(2).F32(-0.0099f).Zeros(3)
                             .U32(0).Zeros(2).F32(std::nanf("")).Zeros(3));
    writer.Chunk("OBST", LevelPayload().U32(3).Zeros(1).U32(0).Zeros(5).Zeros(1).U32(1).Zeros(5).Zeros(1).U32(4).Zeros(5));
    writer.Chunk("CORS", LevelPayload().U32(2).F32(1.0f).U32(4).Zeros(6).U32(0).U32(0)); // 44 bytes
    writer.Level("1.05");
    writer.Chunk("CORS", LevelPayload().Zeros(9).U32(6).U32(0).U32(0)); // 48 bytes
    writer.Level("1.06");
    writer.Chunk("CORS", LevelPayload().Zeros(9).U32(6).U32(0x00050007u).U32(0).U32(0));
    writer.Chunk("OBST", LevelPayload().U32(1).Zeros(1).U32(1).Zeros(5));
    writer.Level("1.08");
    writer.Chunk("OBST", LevelPayload().U32(1).Zeros(1).U32(1).Zeros(5));
    Array<LevelData> levels;
    ASSERT_EQ(Load(writer.GetBytes(), levels), 5u);

    const LevelData& v100 = levels[1];
    ASSERT_EQ(v100.mWeaponPlacements.GetCount(), 3);
    EXPECT_EQ(v100.mWeaponPlacements[0].mWeight, 2u);
    EXPECT_EQ(v100.mWeaponPlacements[1].mWeight, 0u);
    EXPECT_EQ(v100.mWeaponPlacements[2].mWeight, UInt32(INT_MAX));
    EXPECT_EQ(v100.mBackgroundFrame, 0u);
    ASSERT_EQ(v100.mAssets.GetCount(), 3);
    EXPECT_EQ(v100.mAssets[0].mDepthOffset, 6000);
    EXPECT_EQ(v100.mAssets[1].mDepthOffset, 0);
    EXPECT_EQ(v100.mAssets[2].mDepthOffset, 0);
    ASSERT_EQ(v100.mObstacles.GetCount(), 3);
    EXPECT_EQ(v100.mObstacles[0].mKind, 3u);
    EXPECT_EQ(v100.mObstacles[1].mKind, 0u);
    EXPECT_EQ(v100.mObstacles[2].mKind, 2u);
    ASSERT_EQ(v100.mCourses.GetCount(), 1);
    EXPECT_EQ(v100.mCourses[0].mStartTrigger, 2u);
    EXPECT_EQ(v100.mCourses[0].mMatchThreshold, 4u);
    EXPECT_EQ(v100.mCourses[0].mSecondTrigger, 0u);

    ASSERT_EQ(levels[2].mCourses.GetCount(), 1);
    EXPECT_EQ(levels[2].mCourses[0].mSecondTrigger, 6u);
    EXPECT_EQ(levels[2].mCourses[0].mCountB, 1);
    ASSERT_EQ(levels[3].mCourses.GetCount(), 1);
    EXPECT_EQ(levels[3].mCourses[0].mCountA, 1);
    EXPECT_EQ(levels[3].mCourses[0].mCountB, 7);
    EXPECT_EQ(levels[3].mObstacles[0].mKind, 0u);
    EXPECT_EQ(levels[4].mObstacles[0].mKind, 1u);
}

TEST(LevelDataTest, AnOverfullAnimalListEndsItsCourse)
{
    LevelPayload course;
    course.Zeros(10).U32(1 | 1 << 16).U32(3).U32(1);
    course.F32(1.0f).U32(2).U32(6).U32(1).U32(7).U32(0).Zeros(124);
    course.F32(1.0f).U32(65).Zeros(128);
    course.F32(1.0f).U32(1).U32(9).U32(0).Zeros(126);
    course.F32(3.0f);
    for (int i = 0; i < 7; ++i)
        course.Optional(true, LevelWord(1.0f));
    LevelFileWriter writer;
    writer.Level().Chunk("CORS", course);
    Array<LevelData> levels;
    ASSERT_EQ(Load(writer.GetBytes(), levels), 2u);
    ASSERT_EQ(levels[1].mCourses.GetCount(), 1);
    const CourseRecord& record = levels[1].mCourses[0];
    ASSERT_EQ(record.mAnimalLists.GetCount(), 3);
    ASSERT_EQ(record.mAnimalLists[0].mAnimals.GetCount(), 2);
    EXPECT_EQ(record.mAnimalLists[0].mAnimals[0].mFlag, 1);
    EXPECT_EQ(record.mAnimalLists[1].mAnimals.GetCount(), 0);
    EXPECT_EQ(record.mAnimalLists[2].mAnimals.GetCount(), 0);
    ASSERT_EQ(record.mPathPieces.GetCount(), 1);
    EXPECT_EQ(record.mPathPieces[0].mTime, 0.0f);
    EXPECT_FALSE(record.mPathPieces[0].mValues[0].mSet);
    EXPECT_EQ(record.mPathPieces[0].mValues[2].GetFloat(), 300.0f);
}

TEST(LevelDataTest, DamagedFilesKeepTheLevelsBeforeTheDamage)
{
    LevelFileWriter writer;
    AddFullLevel(writer);
    AddFullLevel(writer, "1.07");
    const std::vector<UInt8> bytes = writer.GetBytes();
    {
        Array<LevelData> levels;
        ASSERT_EQ(Load(bytes, levels), 3u);
    }
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        // A cut file no longer matches its header size: nothing opens.
        std::vector<UInt8> part(bytes.begin(), bytes.begin() + cut);
        Array<LevelData> levels;
        EXPECT_EQ(Load(part, levels), 0u) << cut;
        EXPECT_EQ(levels.GetCount(), 2);
    }
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::vector<UInt8> flipped = bytes;
        flipped[at] ^= 0xFF;
        Array<LevelData> levels;
        const UInt32 count = Load(flipped, levels);
        EXPECT_LE(count, 3u) << at;
    }
}

TEST(LevelDataTest, LoadAllLevelsMapsTheNamedFile)
{
    Testing::TempFolder folder;
    LevelFileWriter writer;
    writer.Level("1.09", 1).Level("1.09", 0, 3.0f);
    const std::vector<UInt8> bytes = writer.GetBytes();
    folder.WriteFile("SkarvelLevels.vorn", std::string(bytes.begin(), bytes.end()));
    Platform::FolderFileInterface files(folder.Get().c_str());
    Array<LevelData> levels;
    EXPECT_EQ(LevelData::LoadAllLevels(files, levels, "SkarvelLevels"), 2u);
    EXPECT_EQ(levels[1].mLauncherX, 3.0f);

    Array<LevelData> missing;
    EXPECT_EQ(LevelData::LoadAllLevels(files, missing, "NoSuchFile"), 0u);
}

TEST(LevelDataTest, AddPlayerStatisticKeepsTheBestHundred)
{
    LevelData level;
    for (Float value : {50.0f, 30.0f, 40.0f})
        level.AddPlayerStatistic(value);
    ASSERT_EQ(level.mPlayerStatistics.GetCount(), 3);
    EXPECT_EQ(level.mPlayerStatistics[0], 30.0f);
    EXPECT_EQ(level.mPlayerStatistics[2], 50.0f);

    // Equal results go behind the ones already there: -0 and +0 compare equal but show apart.
    LevelData tie;
    tie.AddPlayerStatistic(-0.0f);
    tie.AddPlayerStatistic(0.0f);
    ASSERT_EQ(tie.mPlayerStatistics.GetCount(), 2);
    EXPECT_TRUE(std::signbit(tie.mPlayerStatistics[0]));
    EXPECT_FALSE(std::signbit(tie.mPlayerStatistics[1]));

    LevelData full;
    for (int i = 0; i < 100; ++i)
        full.AddPlayerStatistic(Float(i));
    full.AddPlayerStatistic(1000.0f);
    full.AddPlayerStatistic(0.5f);
    ASSERT_EQ(full.mPlayerStatistics.GetCount(), 100);
    EXPECT_EQ(full.mPlayerStatistics[1], 0.5f);
    EXPECT_EQ(full.mPlayerStatistics[99], 98.0f);
}

TEST(LevelDataTest, SaturatingToInt)
{
    const struct {
        Double value;
        SInt32 expected;
    } cases[] = {{2.9, 2}, {-2.9, -2}, {1e20, INT_MAX}, {-1e20, INT_MIN}, {std::nan(""), 0},
                 {std::numeric_limits<Double>::infinity(), INT_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(SaturatingToInt(c.value), c.expected) << c.value;
}

} // namespace
} // namespace App
} // namespace Vorn
