// The game's one shared record of play: the level in play and its run, the three player
// profiles with the current one, the persistent settings and counters, the stage's score events
// and the player-data file that keeps them. Menus, stages and play processors read and change it.
#pragma once

#include "foundation/array.h"
#include "foundation/data.h"
#include "foundation/file_interface.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/player_data.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Logic {
class IDeviceHandler;
class IState;
} // namespace Logic

namespace App {

class HalvexHighscores;

// One queued scoring event; its types and points belong to the score processor.
struct ScoreEvent
{
    Math::Vector<Float> mPosition{0.0f, 0.0f, 0.0f, 1.0f};
    UInt32 mType = 1;
    UInt32 mCount = 1;
    UInt32 mValue = 0;
};

class GameState : public Logic::IStepable
{
public:
    static constexpr UInt32 NumberOfPlayers = 3;
    static constexpr UInt32 NumberOfStoredWords = 10;
    static const char* const PlayerDataFileName;
    // Where a player-data file that could not be read is kept before it is overwritten: the
    // first free one of this name and the same with 2, 3, ... appended.
    static const char* const SetAsideFileName;
    static constexpr UInt32 NumberOfSetAsideFiles = 9;
    // Where a save writes the new file before it takes the old one's place.
    static const char* const NewFileName;

    GameState();
    ~GameState() override;

    // Links the high-score client (or none) and the logic state's device handler, makes the three
    // profiles and draws the random delay; true.
    Bool Init(HalvexHighscores* highscores, Logic::IState* state);
    // Stores the file interface, gives every profile n level records, loads the player-data file
    // and makes sure the current profile is a used one (or 0 when none is).
    void SetLevelCount(IFileInterface* fileInterface, UInt32 count);
    // The whole file, written beside the old one and read back, then put in its place; false,
    // with the old file as it was, without a file interface or when a step fails. A file that
    // could not be loaded is first kept aside, and nothing replaces it when that fails.
    Bool SavePlayerData();
    // The set-aside name of the given index, from 0 (SetAsideFileName).
    static String GetSetAsideFileName(UInt32 index);
    // False, keeping what was read before the failure, for a missing, cut, foreign, newer or
    // altered file.
    Bool LoadPlayerData();
    // The file's bytes followed by the digest that guards them; file is left empty when the two
    // would not fit a 32-bit size.
    static void AppendDigest(const ConstData& body, Data& file);

    void Reset() override;
    void Step(Double dt) override;

    // Levels and runs.
    void StartZen();
    // Level 0 starts the zen mode; a level beyond the last does nothing.
    void StartLevel(UInt32 level);
    void SetLevel(UInt32 level, Bool newRun);
    // Returns the level, moved on unless it was the last.
    UInt32 NextLevel();
    UInt32 GetLastLevel() const;
    UInt32 StarsForTime(Float time) const;
    void CloseZenRun();
    void FinishZenRun(UInt32 stages);
    void SubmitZenScore();
    void SubmitCampaignScore();

    // Profiles; null or false for an index out of range.
    PlayerData* GetPlayer(UInt32 index);
    const PlayerData* GetPlayer(UInt32 index) const;
    // -1 when all three are used.
    SInt32 GetFreeSlot() const;
    Bool IsCurrentPlayer(UInt32 index) const;
    Bool IsPlayerUsed(UInt32 index) const;
    Bool HasNoPlayers() const;
    // False for a slot out of range or in use, or an id that another profile holds.
    Bool CreatePlayer(UInt32 slot, const String& name, const String& playerId);
    void DeletePlayer(UInt32 slot);
    Bool IsPlayerIdTaken(const String& playerId) const;
    Bool SelectPlayerByServiceId();
    Bool IsScorePlayerLinked() const;
    // Makes a used profile current and saves; false for an unused or missing one.
    Bool SelectPlayer(UInt32 index);
    UInt32 GetCurrentPlayerIndex() const { return mCurrentPlayer; }
    PlayerData* GetCurrentPlayer();
    PlayerLevelData* GetCurrentLevelData(UInt32 level);
    PlayerLevelData* GetCurrentLevelData();

    // Settings and counters; each change is saved at once and the save result returned.
    Bool ToggleMuted();
    Bool IsMuted() const { return mMuted != 0; }
    Bool SetOnlineScoresChoice(Bool optIn);
    Bool WasAskedOnline() const { return mOnlineAsked != 0; }
    Bool IsOnlineOptIn() const { return mOnlineOptIn != 0; }
    Bool AddRockets(UInt32 count);
    // False, saving nothing, when no rocket is left.
    Bool UseRocket();
    UInt32 GetRockets() const { return mRockets; }
    Bool SetLinkPromptDone();
    Bool IsLinkPromptDone() const { return mLinkPromptDone != 0; }
    // Counts a start of the game and saves; returns the new count.
    UInt32 CountEvent();
    UInt32 GetCounter() const { return mCounter; }
    UInt32 GetScoreServiceState() const;
    static const char* GetZenLeaderboardName() { return "voveradezudaz.ero"; }
    static const char* GetCampaignLeaderboardName() { return "rudaruzuzerid.campaign"; }
    Float GetPlayTime() const { return mPlayTime; }
    Float GetSettingFloat() const { return mSettingFloat; }
    void SetSettingFloat(Float value) { mSettingFloat = value; }
    UInt32 GetStoredWord(UInt32 index) const { return index < NumberOfStoredWords ? mStoredWords[index] : 0; }
    void SetStoredWord(UInt32 index, UInt32 value);
    UInt32 GetStoredWord18() const { return mStoredWord18; }
    void SetStoredWord18(UInt32 value) { mStoredWord18 = value; }
    Float GetRandomDelay() const { return mRandomDelay; }

    ScoreEvent& AddScoreEvent();
    Array<ScoreEvent>& GetScoreEvents() { return mScoreEvents; }

    // Fields of play.
    UInt32 GetLevel() const { return mLevel; }
    Bool IsZen() const { return mLevel == 0; }
    Bool IsLevelChosen() const { return mLevelChosen != 0; }
    void SetLevelChosen(Bool chosen) { mLevelChosen = chosen ? 1 : 0; }
    UInt32 GetPlayState() const { return mPlayState; }
    void SetPlayState(UInt32 state) { mPlayState = state; }
    Bool IsRunning() const { return mPlayState == 4 || mPlayState == 5; }
    Bool IsTutorialWait() const { return mPlayState == 6 || mPlayState == 7; }
    Bool IsNewRun() const { return mNewRun != 0; }
    void ClearNewRun() { mNewRun = 0; }
    Bool IsCampaignComplete() const { return mCampaignComplete != 0; }
    void SetCampaignComplete(Bool complete) { mCampaignComplete = complete ? 1 : 0; }
    void SetStarTimes(Float three, Float two, Float one, Float fourth);
    Float GetFourthStarTime() const { return mStarTimes[3]; }
    void SetViewFloats(Float width, Float height, Float barHeight);
    Float GetViewWidth() const { return mViewFloats[0]; }
    Float GetViewHeight() const { return mViewFloats[1]; }
    Float GetViewOffset() const { return mViewFloats[2]; }
    // 0 in the zen mode.
    Float GetBarHeight() const { return mLevel == 0 ? 0.0f : mViewFloats[2]; }
    // The height of the play area: the screen height, plus the bar's band in the zen mode.
    Float GetPlayHeight() const { return mLevel == 0 ? mViewFloats[1] + mViewFloats[2] : mViewFloats[1]; }
    Bool IsSmallScreen() const { return mSmallScreen != 0; }
    void SetSmallScreen(Bool small) { mSmallScreen = small ? 1 : 0; }
    void SetPosition(Float x, Float y);
    const Math::Vector<Float>& GetPosition() const { return mPosition; }
    Float GetTimeFactor() const { return mTimeFactor; }
    void SetTimeFactor(Float factor) { mTimeFactor = factor; }
    Float GetTranqTime() const { return mTranqTime; }
    void SetTranqTime(Float seconds) { mTranqTime = seconds; }
    Bool HasTranqTime() const { return mTranqTime > 0.0f; }
    void SetTranqCount(Float count) { mTranqTime = count * 8.0f; }
    Float GetBigTranqTime() const { return mBigTranqTime; }
    void SetBigTranqTime(Float seconds) { mBigTranqTime = seconds; }
    Bool HasBigTranqTime() const { return mBigTranqTime > 0.0f; }
    void SetBigTranqCount(Float count) { mBigTranqTime = count * 10.0f; }
    Bool GetPoseFlag() const { return mPoseFlag != 0; }
    void SetPoseFlag(Bool flag) { mPoseFlag = flag ? 1 : 0; }
    UInt32 GetComboCounter() const { return mComboCounter; }
    void ClearComboCounter() { mComboCounter = 0; }
    void IncrementComboCounter();
    UInt32 GetChainCounter() const { return mChainCounter; }
    void ResetChainCounter() { mChainCounter = 1; }
    void IncrementChainCounter();
    UInt32 GetComboAnimals() const { return mComboAnimals; }
    void ClearComboAnimals() { mComboAnimals = 0; }
    void AddComboAnimals(UInt32 count) { mComboAnimals += count; }

    // The run in play.
    PlayerLevelData& GetRun() { return mRun; }
    Float GetRunTime() const { return mRun.GetTime(); }
    UInt32 GetRunScore() const { return mRun.GetScore(); }
    UInt32 AddRunScore(UInt32 points) { return mRun.AddScore(points); }
    // The stars of a campaign run or the stage of a zen run; SetRunStars writes either.
    UInt32 GetRunStars() const { return mRun.GetStars(); }
    void SetRunStars(UInt32 stars) { mRun.SetStars(stars); }

private:
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    void WritePersistentBlock(UInt8* words) const;
    void ReadPersistentBlock(const UInt8* words);
    Bool SetPlayerDataAside();
    void SubmitOnline();

    UInt32 mLevel;
    UInt8 mLevelChosen;
    Float mStarTimes[4];
    UInt32 mPlayState;
    UInt8 mNewRun;
    UInt8 mCampaignComplete;
    UInt32 mScoreServiceState;
    HalvexHighscores* mHighscores;
    Float mViewFloats[3];
    UInt8 mSmallScreen;
    Math::Vector<Float> mPosition;
    Float mTimeFactor;
    Float mTranqTime;
    Float mBigTranqTime;
    UInt8 mPoseFlag;
    UInt32 mComboCounter;
    UInt32 mChainCounter;
    UInt32 mComboAnimals;
    Float mRandomDelay;
    Logic::IDeviceHandler* mDeviceHandler;
    PlayerLevelData mRun;

    // The persistent block, written as the "PLGS" chunk.
    UInt32 mCurrentPlayer;
    UInt8 mMuted;
    Float mSettingFloat;
    UInt32 mCounter;
    Float mPlayTime;
    UInt8 mLinkPromptDone;
    UInt32 mRockets;
    UInt8 mOnlineAsked;
    UInt8 mOnlineOptIn;
    UInt32 mStoredWords[NumberOfStoredWords];
    UInt32 mStoredWord18;

    Array<PlayerData> mPlayers;
    Array<ScoreEvent> mScoreEvents;
    IFileInterface* mFileInterface;
    // Set when a player-data file was found but could not be read: the next save moves it aside.
    Bool mSetAsideBeforeSave;
};

} // namespace App
} // namespace Vorn
