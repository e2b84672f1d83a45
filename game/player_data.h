// A player profile and its per-level records: the campaign frontier and pass, a saved zen run,
// progress dates and the best time, score and stars of every level. The game state keeps three
// and writes them into the player-data file as chunks.
#pragma once

#include "foundation/array.h"
#include "foundation/iff_stream.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace App {

// One level's best result; record 0 keeps the zen best, with the zen stage in the stars word.
class PlayerLevelData
{
public:
    static constexpr UInt32 NumberOfCounters = 4;

    PlayerLevelData() { Reset(); }

    void Reset();

    // The run's score with its counters when not lower; its time with its stars when shorter or
    // when no time is stored yet.
    void MergeByTime(const PlayerLevelData& run);
    // The same score rule; time and stars when the run has more stars, or the time alone when
    // the stars are equal and the time is shorter (or none is stored).
    void MergeByStars(const PlayerLevelData& run);

    // Appends one "PLLD" chunk; always true.
    Bool ExportIffChunk(Util::IffData& data, UInt32 level) const;
    // Reads the "PLLD" chunk of the given level and moves past it. A stream at its end or on
    // another chunk leaves the record as it is and gives true (older files hold fewer levels);
    // a chunk of the wrong size or for another level gives false.
    Bool ImportIffChunks(Util::IffStream& stream, UInt32 level);

    Float GetTime() const { return mTime; }
    void AddTime(Double seconds) { mTime = Float(Double(mTime) + seconds); }
    UInt32 GetScore() const { return mScore; }
    // Returns the new score.
    UInt32 AddScore(UInt32 points) { return mScore += points; }
    UInt32 GetStars() const { return mStars; }
    void SetStars(UInt32 stars) { mStars = stars; }
    void AddStars(UInt32 stars) { mStars += stars; }
    UInt32 GetCounter(UInt32 index) const { return index < NumberOfCounters ? mCounters[index] : 0; }
    // Nothing for an index beyond the four counters.
    void IncrementCounter(UInt32 index);

    // The seven words as chunks store them (28 bytes, little-endian).
    static constexpr UInt32 StoredSize = 28;
    void WriteWords(UInt8* bytes) const;
    void ReadWords(const UInt8* bytes);

private:
    void CopyScore(const PlayerLevelData& run);
    Bool HasLongerTimeThan(const PlayerLevelData& run) const;

    Float mTime;
    UInt32 mScore;
    UInt32 mStars;
    UInt32 mCounters[NumberOfCounters];
};

// One named profile.
class PlayerData
{
public:
    PlayerData();

    // Back to the defaults with every level record zero and the records beyond the level count
    // gone; the level count, the replay level and date and the two zen words are kept.
    void Clear();
    // Makes an unused profile the named player's; false, changing nothing, when it is in use.
    Bool Claim(const String& name, const String& playerId);
    // The game's level count: new records are zero, records beyond it dropped. (An import keeps
    // the records it finds beyond the count.)
    void SetLevelCount(UInt32 count);

    // Null when the index is not below the level count.
    PlayerLevelData* GetLevel(UInt32 index);
    const PlayerLevelData* GetLevel(UInt32 index) const;
    // Every record held, those beyond the level count included.
    Array<PlayerLevelData>& GetLevels() { return mLevels; }
    const PlayerLevelData& GetSavedZenRun() const { return mZenRun; }

    // Books a campaign result into the level's record and moves the frontier when the level was
    // the frontier. True only when that completed a pass, which takes every level the profile
    // holds a record of; false for a level beyond the level count.
    Bool RecordLevelResult(const PlayerLevelData& run, UInt32 level);
    // Saves the zen run in progress and merges it into the zen best.
    void UpdateBestResult(const PlayerLevelData& run);
    // Merges a finished zen run into the zen best and forgets the run in progress.
    void CloseZenRun(const PlayerLevelData& run);

    // The campaign score: pass bonuses plus the best scores of the levels that count, modulo 2^32.
    UInt32 ComputeTotalScore() const;
    // The stars of the levels that count.
    UInt32 SumLevelWord2() const;

    UInt32 GetFrontier() const { return mFrontier; }
    UInt32 GetPass() const { return mPass; }
    UInt32 GetFrontierDate() const { return mFrontierDate; }
    UInt32 GetReplayLevel() const { return mReplayLevel; }
    UInt32 GetReplayDate() const { return mReplayDate; }
    Float GetLevelTime() const { return mLevelTime; }
    void SetLevelTime(Float seconds) { mLevelTime = seconds; }
    void AddLevelTime(Double seconds) { mLevelTime = Float(Double(mLevelTime) + seconds); }
    Bool IsUsed() const { return mUsed != 0; }
    const String& GetName() const { return mName; }
    const String& GetPlayerId() const { return mPlayerId; }
    UInt32 GetLevelCount() const { return mLevelCount; }
    UInt32 GetZenWord1() const { return mZenWord1; }
    UInt32 GetZenWord2() const { return mZenWord2; }
    void SetZenWords(UInt32 word1, UInt32 word2)
    {
        mZenWord1 = word1;
        mZenWord2 = word2;
    }

    // Appends "PLDA", "PLNA" and "PLID" when the texts are not empty, then one "PLLD" per record.
    Bool ExportIffChunk(Util::IffData& data) const;
    // Reads one profile from the stream standing on its "PLDA" chunk and leaves the stream on
    // the chunk after it. The records beyond the level count are kept, unseen by the game, and
    // saved again: a level file that lost levels costs no records. False for a missing or
    // malformed chunk; what was read before stays.
    Bool ImportIffChunks(Util::IffStream& stream);

private:
    // The number of level records that count for the campaign score and stars.
    UInt32 GetCountedLevels() const;
    Bool ImportProfileChunk(const UInt8* payload, UInt32 payloadSize);

    UInt8 mUsed;
    String mName;
    String mPlayerId;
    Float mLevelTime;
    UInt32 mFrontier;
    PlayerLevelData mZenRun;
    UInt32 mPass;
    UInt32 mFrontierDate;
    UInt32 mReplayLevel;
    UInt32 mReplayDate;
    UInt32 mZenWord1;
    UInt32 mZenWord2;
    // At least mLevelCount records; more when the file held levels that the level file lacks.
    Array<PlayerLevelData> mLevels;
    UInt32 mLevelCount;
};

} // namespace App
} // namespace Vorn
