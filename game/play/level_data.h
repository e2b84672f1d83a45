// One level of the level file in memory, and the reader of the file. The level handler loads
// every level once; the course, animal, weapon and weather code read their records from here.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
class IFileInterface;
namespace Util {
class IffStream;
}

namespace App {

// A value that a key frame may leave unset: its raw 32 bits, float or unsigned by field.
struct OptionalValue {
    Bool mSet = false;
    UInt32 mBits = 0;

    Float GetFloat() const;
    UInt32 GetUInt() const { return mBits; }
};

struct WeaponPlace {
    UInt32 mWeight = 0;
    Float mX = 0.0f;
    Float mY = 0.0f;
};

struct TimetableEntry {
    UInt32 mKind = 0;
    Float mShortest = 0.0f;
    Float mLongest = 0.0f;
};

struct CarrotPlace {
    UInt32 mWeight = 1;
    Float mX = 0.0f;
    Float mY = 0.0f;
    Float mRotation = 0.0f;
    Float mScale = 1.0f;
};

// A fly-in key: spawn interval, aiming mode, kind rule and course index at a time.
struct AnimalKey {
    Float mTime = 0.0f;
    OptionalValue mValues[4];
};

struct AnimalSlot {
    UInt32 mKind = 0;
    UInt8 mFlag = 0;
};

struct AnimalList {
    static constexpr UInt32 MaxAnimals = 64;

    Float mValue = 0.0f;
    Array<AnimalSlot> mAnimals;
};

// A key frame of a course's ellipse: centre x and y, the two radii, value 5, an angle, values 6
// and 7, each optional.
struct PathPiece {
    Float mTime = 0.0f;
    OptionalValue mValues[7];

    PathPiece();
};

struct CourseRecord {
    UInt32 mStartTrigger = 0;
    Float mValue1 = 400.0f;
    UInt32 mMatchThreshold = 3;
    Float mTopSpeed = 950.0f;
    Float mAcceleration = 950.0f;
    UInt32 mValue5 = 1000;
    Float mValue6 = 0.0f;
    Float mKeyFramePeriod = 0.0f;
    SInt32 mKeyFrameWrap = 0;
    UInt32 mSecondTrigger = 0;
    UInt16 mCountA = 1;
    UInt16 mCountB = 1;
    Array<AnimalList> mAnimalLists;
    Array<PathPiece> mPathPieces;
};

struct AssetEntry {
    UInt32 mPicture = 0;
    Float mX = 0.0f;
    Float mY = 0.0f;
    SInt32 mDepthOffset = 0;
    Float mRotation = 0.0f;
    Float mScaleX = 1.0f;
    Float mScaleY = 1.0f;
};

struct WeatherEntry {
    UInt8 mKind = 0;
    Float mStartTime = 0.0f;
    Float mEndTime = 60.0f;
    SInt32 mValue = -1;
    UInt32 mPreset = 0;
    UInt32 mCount = 30;
    Float mLowerBound = 40.0f;
    Float mUpperBound = 60.0f;
    UInt32 mSnowIntensity = 0;
};

struct ObstacleEntry {
    Float mDelay = 0.0f;
    UInt32 mKind = 0;
    Float mX = 0.0f;
    Float mY = 0.0f;
    Float mAngle = 0.0f;
    Float mSpeed = 50.0f;
    SInt32 mLife = 0;
};

class LevelData
{
public:
    static constexpr UInt32 NumberOfKindWeights = 9;
    static constexpr UInt32 NumberOfReservedWords = 11;
    static constexpr SInt32 MaxPlayerStatistics = 100;

    // Reads every level of the named level file into the slots of the array (slot 0 the zen
    // level, slot 1 the first campaign level; the array gets the two when it has fewer). The
    // number of records in the array; 0 when the file cannot be mapped or opened.
    static UInt32 LoadAllLevels(IFileInterface& files, Array<LevelData>& levels, const String& fileName);
    // The same over the file's bytes.
    static UInt32 LoadLevels(const void* data, UInt32 size, Array<LevelData>& levels, const char* fileName);

    // Reads one level from the stream's current "LEVL" chunk and leaves the stream on the next
    // "LEVL" chunk or at the end. False for a missing or malformed "LEVL" chunk, an unknown
    // version, or a stream that cannot advance. Sub-chunks of a wrong size are skipped.
    Bool ImportIffChunks(Util::IffStream& stream);
    // Inserts a result into the ascending statistics, behind equal ones, keeping at most 100.
    void AddPlayerStatistic(Float value);

    UInt32 mType = 0;
    Float mLauncherX = 0.0f;
    Float mLauncherY = 0.0f;
    Float mLauncherAngle = 0.0f;
    Float mLaunchSpeed = 1300.0f;
    Float mLevelProps[4] = {};
    Array<Float> mPlayerStatistics;
    Array<WeaponPlace> mWeaponPlacements;
    Array<TimetableEntry> mWeaponSupplies;
    Float mWeaponDuration = 8.0f;
    Float mCycleDuration = 0.0f;
    SInt32 mCycleCount = 0;
    UInt32 mKindWeights[NumberOfKindWeights] = {};
    UInt32 mReserved[NumberOfReservedWords] = {};
    SInt32 mNormalBudget = -1;
    SInt32 mSpecialBudget = 0;
    Float mLowerFlightSpeed = 500.0f;
    Float mUpperFlightSpeed = 600.0f;
    Float mTrackPeriod = 0.0f;
    SInt32 mTrackWrap = 0;
    Array<AnimalKey> mAnimals;
    Array<CourseRecord> mCourses;
    String mAssetResourceId;
    UInt32 mBackgroundFrame = 0;
    Array<AssetEntry> mAssets;
    Array<WeatherEntry> mClouds;
    Array<ObstacleEntry> mObstacles;
    Float mCarrotValue = 8.0f;
    Array<CarrotPlace> mCarrots;

private:
    void ResetSubChunkFields();
    void ReadSubChunk(UInt32 tag, const UInt8* payload, UInt32 size, UInt32 version);
};

// A float made an integer: truncated toward zero, limited to the integer's range, NaN gives 0.
SInt32 SaturatingToInt(Double value);

} // namespace App
} // namespace Vorn
