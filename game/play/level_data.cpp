#include "game/play/level_data.h"

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/file_interface.h"
#include "foundation/iff_stream.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 LevelChunkSize = 280;
constexpr UInt32 AssetIdSize = 60;
constexpr const char* ZenBackground = "bg_zen";

// Versions as their four characters read as a little-endian word; "1.0" and one digit only.
constexpr UInt32 VersionWord(char digit)
{
    return UInt32('1') | (UInt32('.') << 8) | (UInt32('0') << 16) | (UInt32(UInt8(digit)) << 24);
}

Bool IsKnownVersion(UInt32 word)
{
    return word >= VersionWord('0') && word <= VersionWord('9') && (word & 0x00FFFFFFu) == (VersionWord('0') & 0x00FFFFFFu);
}

// Sequential reads from a payload whose size was checked beforehand.
class PayloadReader
{
public:
    explicit PayloadReader(const UInt8* bytes) : mBytes(bytes) {}

    UInt32 U32()
    {
        const UInt32 value = Util::ReadLittleEndian32(mBytes + mOffset);
        mOffset += 4;
        return value;
    }
    SInt32 S32() { return SInt32(U32()); }
    Float F32()
    {
        const Float value = Util::ReadFloat(mBytes + mOffset);
        mOffset += 4;
        return value;
    }
    UInt16 U16()
    {
        const UInt16 value = UInt16(Util::ReadLittleEndian16(mBytes + mOffset));
        mOffset += 2;
        return value;
    }
    UInt8 U8() { return mBytes[mOffset++]; }
    void Skip(UInt32 count) { mOffset += count; }
    OptionalValue Optional()
    {
        OptionalValue value;
        value.mSet = mBytes[mOffset] != 0;
        mOffset += 4;
        value.mBits = U32();
        return value;
    }

private:
    const UInt8* mBytes;
    UInt32 mOffset = 0;
};

// The size rule: the payload must equal the expected size rounded up to a multiple of 4,
// computed without 32-bit wrap.
Bool SizeMatches(UInt32 size, UInt64 fixedSize, UInt64 count, UInt64 elementSize, UInt64 count2 = 0)
{
    const UInt64 expected = fixedSize + elementSize * (count + count2);
    return size == ((expected + 3) & ~UInt64(3));
}

template <class T>
void Resize(Array<T>& array, UInt32 count)
{
    array.Clear();
    array.SetCount(SInt32(count));
}

void ReadCourse(Array<CourseRecord>& courses, const UInt8* payload, UInt32 size, UInt32 version)
{
    constexpr UInt32 ListSize = 8 + 8 * AnimalList::MaxAnimals;
    constexpr UInt32 PieceSize = 60;
    const UInt32 fixedSize = version <= VersionWord('2') ? 44 : version <= VersionWord('5') ? 48 : 52;
    if (size < fixedSize)
        return;
    const UInt32 listCount = Util::ReadLittleEndian32(payload + fixedSize - 8);
    const UInt32 pieceCount = Util::ReadLittleEndian32(payload + fixedSize - 4);
    if (!SizeMatches(size, fixedSize + UInt64(ListSize) * listCount, pieceCount, PieceSize))
        return;
    courses.Add(CourseRecord());
    CourseRecord& course = courses.GetLast();
    PayloadReader reader(payload);
    course.mStartTrigger = reader.U32();
    course.mValue1 = reader.F32();
    course.mMatchThreshold = reader.U32();
    course.mTopSpeed = reader.F32();
    course.mAcceleration = reader.F32();
    course.mValue5 = reader.U32();
    course.mValue6 = reader.F32();
    course.mKeyFramePeriod = reader.F32();
    course.mKeyFrameWrap = reader.S32();
    if (version >= VersionWord('3'))
        course.mSecondTrigger = reader.U32();
    if (version == VersionWord('6')) {
        course.mCountB = UInt16(reader.U32());
    } else if (version >= VersionWord('7')) {
        course.mCountA = reader.U16();
        course.mCountB = reader.U16();
    }
    reader.Skip(8);
    Resize(course.mAnimalLists, listCount);
    Resize(course.mPathPieces, pieceCount);
    for (AnimalList& list : course.mAnimalLists) {
        list.mValue = reader.F32();
        const UInt32 animals = reader.U32();
        // A list that claims more slots than it has ends the chunk; it holds none.
        if (animals > AnimalList::MaxAnimals)
            return;
        Resize(list.mAnimals, animals);
        for (AnimalSlot& slot : list.mAnimals) {
            slot.mKind = reader.U32();
            slot.mFlag = reader.U8();
            reader.Skip(3);
        }
        reader.Skip(8 * (AnimalList::MaxAnimals - animals));
    }
    for (PathPiece& piece : course.mPathPieces) {
        piece.mTime = reader.F32();
        for (OptionalValue& value : piece.mValues)
            value = reader.Optional();
    }
}

// The old asset depth: a tiny float spread over 0 .. 6000.
SInt32 ConvertDepth(Float value)
{
    const Double scaled = value > 0.0f ? Double(value) * 3000.0 / 0.0003 : Double(value) * 3000.0 / 0.0099;
    Double depth = scaled + 3000.0;
    if (depth > 6000.0)
        depth = 6000.0;
    return SaturatingToInt(depth);
}

} // namespace

Float OptionalValue::GetFloat() const
{
    Float value;
    std::memcpy(&value, &mBits, sizeof(value));
    return value;
}

PathPiece::PathPiece()
{
    const Float radius = 300.0f;
    std::memcpy(&mValues[2].mBits, &radius, 4);
    std::memcpy(&mValues[3].mBits, &radius, 4);
}

SInt32 SaturatingToInt(Double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= Double(INT_MAX))
        return INT_MAX;
    if (value <= Double(INT_MIN))
        return INT_MIN;
    return SInt32(value);
}

void LevelData::ResetSubChunkFields()
{
    const UInt32 type = mType;
    const Float launcher[4] = {mLauncherX, mLauncherY, mLauncherAngle, mLaunchSpeed};
    *this = LevelData();
    mType = type;
    mLauncherX = launcher[0];
    mLauncherY = launcher[1];
    mLauncherAngle = launcher[2];
    mLaunchSpeed = launcher[3];
}

void LevelData::ReadSubChunk(UInt32 tag, const UInt8* payload, UInt32 size, UInt32 version)
{
    PayloadReader reader(payload);
    if (tag == MakeTag("LPRO")) {
        if (!SizeMatches(size, 16, 0, 0))
            return;
        for (Float& time : mLevelProps)
            time = reader.F32();
    } else if (tag == MakeTag("PSTA")) {
        if (!SizeMatches(size, 4 + 4 * UInt32(LevelData::MaxPlayerStatistics), 0, 0))
            return;
        UInt32 count = reader.U32();
        if (count > UInt32(LevelData::MaxPlayerStatistics))
            count = UInt32(LevelData::MaxPlayerStatistics);
        Resize(mPlayerStatistics, count);
        for (Float& time : mPlayerStatistics)
            time = reader.F32();
    } else if (tag == MakeTag("WEAP")) {
        if (size < 20)
            return;
        const UInt32 places = Util::ReadLittleEndian32(payload + 12);
        const UInt32 entries = Util::ReadLittleEndian32(payload + 16);
        if (!SizeMatches(size, 20, places, 12, entries))
            return;
        mWeaponDuration = reader.F32();
        mCycleDuration = reader.F32();
        mCycleCount = reader.S32();
        reader.Skip(8);
        Resize(mWeaponPlacements, places);
        for (WeaponPlace& place : mWeaponPlacements) {
            place.mWeight = version <= VersionWord('1') ? UInt32(SaturatingToInt(reader.F32())) : reader.U32();
            place.mX = reader.F32();
            place.mY = reader.F32();
        }
        Resize(mWeaponSupplies, entries);
        for (TimetableEntry& entry : mWeaponSupplies) {
            entry.mKind = reader.U32();
            entry.mShortest = reader.F32();
            entry.mLongest = reader.F32();
        }
    } else if (tag == MakeTag("CART")) {
        if (size < 8 || !SizeMatches(size, 8, Util::ReadLittleEndian32(payload + 4), 20))
            return;
        mCarrotValue = reader.F32();
        Resize(mCarrots, reader.U32());
        for (CarrotPlace& place : mCarrots) {
            place.mWeight = reader.U32();
            place.mX = reader.F32();
            place.mY = reader.F32();
            place.mRotation = reader.F32();
            place.mScale = reader.F32();
        }
    } else if (tag == MakeTag("ANIM")) {
        if (size < 108 || !SizeMatches(size, 108, Util::ReadLittleEndian32(payload + 104), 36))
            return;
        for (UInt32& weight : mKindWeights)
            weight = reader.U32();
        for (UInt32& word : mReserved)
            word = reader.U32();
        mNormalBudget = reader.S32();
        mSpecialBudget = reader.S32();
        mLowerFlightSpeed = reader.F32();
        mUpperFlightSpeed = reader.F32();
        mTrackPeriod = reader.F32();
        mTrackWrap = reader.S32();
        Resize(mAnimals, reader.U32());
        for (AnimalKey& key : mAnimals) {
            key.mTime = reader.F32();
            for (OptionalValue& value : key.mValues)
                value = reader.Optional();
        }
    } else if (tag == MakeTag("CORS")) {
        ReadCourse(mCourses, payload, size, version);
    } else if (tag == MakeTag("ASET")) {
        if (size < 68 || !SizeMatches(size, 68, Util::ReadLittleEndian32(payload + 64), 28))
            return;
        const char* id = reinterpret_cast<const char*>(payload);
        mAssetResourceId = String(id, SInt32(strnlen(id, AssetIdSize)));
        reader.Skip(AssetIdSize);
        const UInt32 variant = reader.U32();
        mBackgroundFrame = version >= VersionWord('5') ? variant : 0;
        Resize(mAssets, reader.U32());
        for (AssetEntry& asset : mAssets) {
            asset.mPicture = reader.U32();
            asset.mX = reader.F32();
            asset.mY = reader.F32();
            asset.mDepthOffset = version == VersionWord('0') ? ConvertDepth(reader.F32()) : reader.S32();
            asset.mRotation = reader.F32();
            asset.mScaleX = reader.F32();
            asset.mScaleY = reader.F32();
        }
    } else if (tag == MakeTag("CLOD")) {
        if (size < 4 || !SizeMatches(size, 4, Util::ReadLittleEndian32(payload), 36))
            return;
        Resize(mClouds, reader.U32());
        for (WeatherEntry& entry : mClouds) {
            entry.mKind = reader.U8();
            reader.Skip(3);
            entry.mStartTime = reader.F32();
            entry.mEndTime = reader.F32();
            entry.mValue = reader.S32();
            entry.mPreset = reader.U32();
            entry.mCount = reader.U32();
            entry.mLowerBound = reader.F32();
            entry.mUpperBound = reader.F32();
            entry.mSnowIntensity = reader.U32();
        }
    } else if (tag == MakeTag("OBST")) {
        if (size < 4 || !SizeMatches(size, 4, Util::ReadLittleEndian32(payload), 28))
            return;
        Resize(mObstacles, reader.U32());
        for (ObstacleEntry& obstacle : mObstacles) {
            obstacle.mDelay = reader.F32();
            UInt32 kind = reader.U32();
            // Up to 1.07 the rocks came first: stored 0 is kind 3, stored 1 kind 0.
            if (version <= VersionWord('7'))
                kind = kind == 0 ? 3 : kind == 1 ? 0 : kind - 2;
            obstacle.mKind = kind;
            obstacle.mX = reader.F32();
            obstacle.mY = reader.F32();
            obstacle.mAngle = reader.F32();
            obstacle.mSpeed = reader.F32();
            obstacle.mLife = reader.S32();
        }
    }
}

Bool LevelData::ImportIffChunks(Util::IffStream& stream)
{
    const UInt32 levelTag = MakeTag("LEVL");
    if (stream.IsAtEnd() || stream.GetChunkSize(levelTag) != LevelChunkSize)
        return false;
    const UInt8* chunk = stream.GetChunk(levelTag);
    if (!chunk)
        return false;
    const UInt8* payload = chunk + 8;
    const UInt32 version = Util::ReadLittleEndian32(payload);
    if (!IsKnownVersion(version))
        return false;
    PayloadReader reader(payload + 260);
    const UInt32 type = reader.U32();
    if (version == VersionWord('9'))
        mType = type;
    mLauncherX = reader.F32();
    mLauncherY = reader.F32();
    mLauncherAngle = reader.F32();
    mLaunchSpeed = reader.F32();
    if (!stream.NextChunk())
        return false;
    ResetSubChunkFields();
    while (!stream.IsAtEnd() && stream.GetChunkSize(levelTag) == 0) {
        // A chunk that claims more than the data holds is never read.
        const UInt8* sub = stream.GetChunk();
        if (sub)
            ReadSubChunk(Util::ReadTag(sub), sub + 8, Util::ReadLittleEndian32(sub + 4), version);
        if (!stream.NextChunk())
            return false;
    }
    return true;
}

void LevelData::AddPlayerStatistic(Float value)
{
    SInt32 position = 0;
    while (position < mPlayerStatistics.GetCount() && !(mPlayerStatistics[position] > value))
        ++position;
    mPlayerStatistics.InsertAt(position, value);
    if (mPlayerStatistics.GetCount() > MaxPlayerStatistics)
        mPlayerStatistics.SetCount(MaxPlayerStatistics);
}

UInt32 LevelData::LoadLevels(const void* data, UInt32 size, Array<LevelData>& levels, const char* fileName)
{
    while (levels.GetCount() < 2)
        levels.Add(LevelData());
    if (levels[0].mAssetResourceId.IsEmpty()) {
        levels[0].mType = 1;
        levels[0].mAssetResourceId = ZenBackground;
    }
    Util::IffStream stream(data, size, MakeTag("DREL"));
    if (!stream.Open()) {
        Debug::Trace("App::LevelData::LoadAllLevels: Cannot open %s\n", fileName);
        return 0;
    }
    SInt32 slot = 1;
    Bool complete = true;
    UInt32 read = 0;
    if (!stream.IsAtEnd()) {
        LevelData first;
        if (first.ImportIffChunks(stream)) {
            ++read;
            slot = first.mType == 1 ? 0 : 1;
            if (slot == 0)
                first.mAssetResourceId = ZenBackground;
            levels[slot] = std::move(first);
            ++slot;
        } else {
            complete = false;
        }
    }
    while (complete && !stream.IsAtEnd()) {
        const Bool appended = slot >= levels.GetCount();
        if (appended)
            levels.Add(LevelData());
        if (!levels[slot].ImportIffChunks(stream)) {
            if (appended)
                levels.RemoveAt(levels.GetCount() - 1);
            complete = false;
            break;
        }
        ++read;
        ++slot;
    }
    if (read == 0 || !complete)
        Debug::Trace("App::LevelData::LoadAllLevels: %s: %u levels read, the rest is damaged\n", fileName, read);
    return UInt32(levels.GetCount());
}

UInt32 LevelData::LoadAllLevels(IFileInterface& files, Array<LevelData>& levels, const String& fileName)
{
    const String path = fileName + ".vorn";
    const void* data = nullptr;
    UInt32 size = 0;
    if (!files.MapFile(path, Enums::FileCategory::RESOURCE, data, size)) {
        Debug::Trace("App::LevelData::LoadAllLevels: Cannot map %s\n", path.GetText());
        return 0;
    }
    const UInt32 count = LoadLevels(data, size, levels, path.GetText());
    files.UnmapFile(data);
    return count;
}

} // namespace App
} // namespace Vorn
