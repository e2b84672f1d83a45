#include "game/player_data.h"

#include <cmath>
#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/time.h"
#include "game/helpers.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kLevelTag = MakeTag("PLLD");
constexpr UInt32 kProfileTag = MakeTag("PLDA");
constexpr UInt32 kNameTag = MakeTag("PLNA");
constexpr UInt32 kIdTag = MakeTag("PLID");
constexpr UInt32 kLevelChunkSize = 40;
constexpr UInt32 kProfileChunkSize = 92;
constexpr UInt32 kProfileVersion = MakeVersion("1.04");
// Chunks of older versions carry a 256-byte name field.
constexpr UInt32 kNameFieldSize = 256;

UInt32 GetLocalDate()
{
    const System::DateTime now = System::DateTime::GetLocal();
    return UInt32(now.mYear * 10000 + now.mMonth * 100 + now.mDay);
}

// A zero-terminated text from a field of a chunk, cut at the field's end.
String ReadFieldText(const UInt8* field, UInt32 fieldSize)
{
    const void* zero = std::memchr(field, 0, fieldSize);
    const UInt32 length = zero != nullptr ? UInt32(static_cast<const UInt8*>(zero) - field) : fieldSize;
    return String(reinterpret_cast<const char*>(field), SInt32(length));
}

// Appends a "PLNA"-style chunk: the length with the terminator, then the text and a zero byte.
Bool ExportTextChunk(Util::IffData& data, UInt32 tag, const String& text)
{
    const UInt32 length = UInt32(text.GetLength()) + 1;
    UInt8* block = data.CreateChunk(tag, 12, length);
    if (block == nullptr)
        return false;
    Util::WriteLittleEndian32(block + 8, length);
    std::memcpy(block + 12, text.GetText(), length - 1);
    return data.AddChunk(block);
}

// Reads a "PLNA"-style chunk whose size must fit its length word (counted in 64 bits, so that
// a huge length cannot wrap into a fitting size).
Bool ImportTextChunk(const Util::IffStream& stream, UInt32 tag, String& text)
{
    const UInt8* chunk = stream.GetChunk(tag);
    if (chunk == nullptr)
        return false;
    const UInt32 size = Util::ReadLittleEndian32(chunk + 4);
    if (size < 4)
        return false;
    const UInt32 length = Util::ReadLittleEndian32(chunk + 8);
    if (UInt64(size) + 8 != ((UInt64(12) + length + 3) & ~UInt64(3)))
        return false;
    text = length > 0 ? ReadFieldText(chunk + 12, length - 1) : String();
    return true;
}

// The bonus terms are computed in floating point and truncated; the result wraps like the sum.
UInt32 TruncateBonus(Double bonus)
{
    return UInt32(UInt64(std::fmod(std::trunc(bonus), 4294967296.0)));
}

} // namespace

void PlayerLevelData::Reset()
{
    mTime = 0.0f;
    mScore = 0;
    mStars = 0;
    for (UInt32& counter : mCounters)
        counter = 0;
}

void PlayerLevelData::CopyScore(const PlayerLevelData& run)
{
    if (run.mScore < mScore)
        return;
    mScore = run.mScore;
    std::memcpy(mCounters, run.mCounters, sizeof(mCounters));
}

Bool PlayerLevelData::HasLongerTimeThan(const PlayerLevelData& run) const
{
    return Double(mTime) > Double(run.mTime) || mTime == 0.0f;
}

void PlayerLevelData::MergeByTime(const PlayerLevelData& run)
{
    CopyScore(run);
    if (HasLongerTimeThan(run)) {
        mTime = run.mTime;
        mStars = run.mStars;
    }
}

void PlayerLevelData::MergeByStars(const PlayerLevelData& run)
{
    CopyScore(run);
    if (run.mStars > mStars) {
        mTime = run.mTime;
        mStars = run.mStars;
    } else if (run.mStars == mStars && HasLongerTimeThan(run)) {
        mTime = run.mTime;
    }
}

void PlayerLevelData::IncrementCounter(UInt32 index)
{
    if (index < NumberOfCounters)
        ++mCounters[index];
}

void PlayerLevelData::WriteWords(UInt8* bytes) const
{
    Util::WriteFloat(bytes, mTime);
    Util::WriteLittleEndian32(bytes + 4, mScore);
    Util::WriteLittleEndian32(bytes + 8, mStars);
    for (UInt32 i = 0; i < NumberOfCounters; ++i)
        Util::WriteLittleEndian32(bytes + 12 + 4 * i, mCounters[i]);
}

void PlayerLevelData::ReadWords(const UInt8* bytes)
{
    mTime = Util::ReadFloat(bytes);
    mScore = Util::ReadLittleEndian32(bytes + 4);
    mStars = Util::ReadLittleEndian32(bytes + 8);
    for (UInt32 i = 0; i < NumberOfCounters; ++i)
        mCounters[i] = Util::ReadLittleEndian32(bytes + 12 + 4 * i);
}

Bool PlayerLevelData::ExportIffChunk(Util::IffData& data, UInt32 level) const
{
    UInt8* block = data.CreateChunk(kLevelTag, kLevelChunkSize, 0);
    if (block == nullptr)
        return false;
    UInt8* payload = block + 8;
    Util::WriteLittleEndian32(payload, level);
    WriteWords(payload + 4);
    return data.AddChunk(block);
}

Bool PlayerLevelData::ImportIffChunks(Util::IffStream& stream, UInt32 level)
{
    if (stream.IsAtEnd() || stream.GetChunkSize(kLevelTag) == 0)
        return true;
    if (!stream.CheckChunkSize(kLevelTag, kLevelChunkSize, 0))
        return false;
    const UInt8* chunk = stream.GetChunk(kLevelTag);
    if (chunk == nullptr)
        return false;
    const UInt8* payload = chunk + 8;
    if (Util::ReadLittleEndian32(payload) != level)
        return false;
    ReadWords(payload + 4);
    return stream.NextChunk();
}

PlayerData::PlayerData()
    : mUsed(0), mLevelTime(0.0f), mFrontier(1), mPass(1), mFrontierDate(0), mReplayLevel(0), mReplayDate(0),
      mZenWord1(0), mZenWord2(0), mLevelCount(0)
{
}

void PlayerData::Clear()
{
    mUsed = 0;
    mName = String();
    mPlayerId = String();
    mLevelTime = 0.0f;
    mFrontier = 1;
    mPass = 1;
    mFrontierDate = 0;
    mZenRun.Reset();
    mLevels.SetCount(SInt32(mLevelCount));
    for (PlayerLevelData& level : mLevels)
        level.Reset();
}

Bool PlayerData::Claim(const String& name, const String& playerId)
{
    if (mUsed != 0)
        return false;
    Clear();
    mName = name;
    mPlayerId = playerId;
    mUsed = 1;
    return true;
}

void PlayerData::SetLevelCount(UInt32 count)
{
    mLevelCount = count;
    const SInt32 oldCount = mLevels.GetCount();
    mLevels.SetCount(SInt32(count));
    for (SInt32 i = oldCount; i < SInt32(count); ++i)
        mLevels[i].Reset();
}

PlayerLevelData* PlayerData::GetLevel(UInt32 index)
{
    return index < GetLevelCount() ? &mLevels[SInt32(index)] : nullptr;
}

const PlayerLevelData* PlayerData::GetLevel(UInt32 index) const
{
    return index < GetLevelCount() ? &mLevels[SInt32(index)] : nullptr;
}

Bool PlayerData::RecordLevelResult(const PlayerLevelData& run, UInt32 level)
{
    if (level >= GetLevelCount())
        return false;
    mLevels[SInt32(level)].MergeByTime(run);
    if (level != mFrontier) {
        mReplayLevel = level;
        mReplayDate = GetLocalDate();
        return false;
    }
    ++mFrontier;
    // A level file that lost levels does not end the pass early: the frontier waits for them.
    if (mFrontier >= UInt32(mLevels.GetCount())) {
        ++mPass;
        mFrontier = 1;
        return true;
    }
    mFrontierDate = GetLocalDate();
    return false;
}

void PlayerData::UpdateBestResult(const PlayerLevelData& run)
{
    mZenRun = run;
    if (PlayerLevelData* best = GetLevel(0))
        best->MergeByStars(run);
}

void PlayerData::CloseZenRun(const PlayerLevelData& run)
{
    mZenRun.Reset();
    if (PlayerLevelData* best = GetLevel(0))
        best->MergeByStars(run);
    mZenWord1 = 0;
    mZenWord2 = 0;
}

UInt32 PlayerData::GetCountedLevels() const
{
    return mPass < 2 ? mFrontier : GetLevelCount();
}

UInt32 PlayerData::ComputeTotalScore() const
{
    const Double pass = Double(mPass);
    Double bonus = 0.0;
    if (mFrontier > 10) {
        const Double blocks = Double((mFrontier - 1) / 10);
        bonus = 50000.0 * blocks * (blocks + 1.0) * pass;
    }
    UInt32 total = TruncateBonus(bonus);
    if (mPass >= 2) {
        const Double blocks = Double((GetLevelCount() - 1) / 10);
        total += TruncateBonus(25000.0 * blocks * (blocks + 1.0) * pass * (pass - 1.0));
    }
    const UInt32 counted = GetCountedLevels() < GetLevelCount() ? GetCountedLevels() : GetLevelCount();
    for (UInt32 i = 1; i < counted; ++i)
        total += mLevels[SInt32(i)].GetScore();
    return total;
}

UInt32 PlayerData::SumLevelWord2() const
{
    const UInt32 counted = GetCountedLevels() < GetLevelCount() ? GetCountedLevels() : GetLevelCount();
    UInt32 stars = 0;
    for (UInt32 i = 1; i < counted; ++i)
        stars += mLevels[SInt32(i)].GetStars();
    return stars;
}

Bool PlayerData::ExportIffChunk(Util::IffData& data) const
{
    UInt8* block = data.CreateChunk(kProfileTag, kProfileChunkSize, 0);
    if (block == nullptr)
        return false;
    UInt8* payload = block + 8;
    Util::WriteLittleEndian32(payload, kProfileVersion);
    payload[4] = mUsed;
    Util::WriteFloat(payload + 8, mLevelTime);
    Util::WriteLittleEndian32(payload + 12, mFrontier);
    mZenRun.WriteWords(payload + 16);
    const UInt32 words[] = {mPass, mFrontierDate, mReplayLevel, mReplayDate, mZenWord1, mZenWord2};
    for (UInt32 i = 0; i < 6; ++i)
        Util::WriteLittleEndian32(payload + 44 + 4 * i, words[i]);
    if (!data.AddChunk(block))
        return false;
    if (!mName.IsEmpty() && !ExportTextChunk(data, kNameTag, mName))
        return false;
    if (!mPlayerId.IsEmpty() && !ExportTextChunk(data, kIdTag, mPlayerId))
        return false;
    for (SInt32 i = 0; i < mLevels.GetCount(); ++i) {
        if (!mLevels[i].ExportIffChunk(data, UInt32(i)))
            return false;
    }
    return true;
}

Bool PlayerData::ImportProfileChunk(const UInt8* payload, UInt32 payloadSize)
{
    const UInt32 version = Util::ReadLittleEndian32(payload);
    if (version > kProfileVersion)
        return false;
    mUsed = payload[4];
    mLevelTime = Util::ReadFloat(payload + 8);
    mFrontier = Util::ReadLittleEndian32(payload + 12);
    mZenRun.Reset();
    mPass = 1;
    mFrontierDate = 0;
    mReplayLevel = 0;
    mReplayDate = 0;
    mZenWord1 = 0;
    mZenWord2 = 0;
    // Older versions keep the name in a field of the chunk; a short chunk cuts the field.
    UInt32 nameOffset = 0;
    if (version <= MakeVersion("1.01")) {
        nameOffset = 16;
    } else {
        mZenRun.ReadWords(payload + 16);
        if (version == MakeVersion("1.02")) {
            nameOffset = 44;
        } else {
            mPass = Util::ReadLittleEndian32(payload + 44);
            if (version == kProfileVersion) {
                mFrontierDate = Util::ReadLittleEndian32(payload + 48);
                mReplayLevel = Util::ReadLittleEndian32(payload + 52);
                mReplayDate = Util::ReadLittleEndian32(payload + 56);
                mZenWord1 = Util::ReadLittleEndian32(payload + 60);
                mZenWord2 = Util::ReadLittleEndian32(payload + 64);
            }
        }
    }
    if (nameOffset != 0) {
        const UInt32 fieldSize = payloadSize - nameOffset < kNameFieldSize ? payloadSize - nameOffset : kNameFieldSize;
        mName = ReadFieldText(payload + nameOffset, fieldSize);
    }
    if (mPass == 0)
        mPass = 1;
    return true;
}

Bool PlayerData::ImportIffChunks(Util::IffStream& stream)
{
    if (stream.IsAtEnd())
        return false;
    const UInt32 size = stream.GetChunkSize(kProfileTag);
    if (size != 84 && size != 76 && size != 300 && size != 272)
        return false;
    const UInt8* chunk = stream.GetChunk(kProfileTag);
    if (chunk == nullptr || !ImportProfileChunk(chunk + 8, size))
        return false;
    while (!stream.IsAtEnd()) {
        if (!stream.NextChunk())
            return false;
        String* text = nullptr;
        if (stream.GetChunkSize(kNameTag) != 0)
            text = &mName;
        else if (stream.GetChunkSize(kIdTag) != 0)
            text = &mPlayerId;
        else
            break;
        if (!ImportTextChunk(stream, text == &mName ? kNameTag : kIdTag, *text))
            return false;
    }
    mLevels.SetCount(SInt32(mLevelCount));
    for (UInt32 i = 0; i < mLevelCount; ++i) {
        if (!mLevels[SInt32(i)].ImportIffChunks(stream, i))
            return false;
    }
    // Levels that the level file lacks (damaged, or older than the player data): their records
    // are kept for the next save rather than stepped over and lost.
    while (!stream.IsAtEnd() && stream.GetChunkSize(kLevelTag) != 0) {
        PlayerLevelData record;
        if (!record.ImportIffChunks(stream, UInt32(mLevels.GetCount())))
            return false;
        mLevels.Add(record);
    }
    return true;
}

} // namespace App
} // namespace Vorn
