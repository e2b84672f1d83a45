#include "game/game_state.h"

#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/file.h"
#include "foundation/iff_stream.h"
#include "foundation/md5.h"
#include "foundation/random.h"
#include "foundation/text.h"
#include "game/halvex_highscores.h"
#include "game/helpers.h"
#include "logic/device_handler.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

const char* const GameState::PlayerDataFileName = "SkarvelPlayerData.vorn";
const char* const GameState::SetAsideFileName = "SkarvelPlayerData.vorn.bad";
const char* const GameState::NewFileName = "SkarvelPlayerData.vorn.new";

namespace {

constexpr UInt32 kForm = MakeTag("DRPD");
constexpr UInt32 kSettingsTag = MakeTag("PLGS");
constexpr UInt32 kSettingsSize = 80;
constexpr UInt32 kSettingsVersion = MakeVersion("1.02");
constexpr UInt32 kDigestSize = Util::Md5::DigestSize;

// The digest covers the file and this pattern, so that a file edited and re-hashed by hand
// without it fails the check.
void MakeDigest(const UInt8* bytes, UInt32 size, UInt8 digest[kDigestSize])
{
    UInt8 pattern[kDigestSize];
    for (UInt32 i = 0; i < kDigestSize; ++i)
        pattern[i] = UInt8((i * 73 + 41) ^ 0x5A);
    Util::Md5 md5;
    md5.Update(bytes, size);
    md5.Update(pattern, kDigestSize);
    md5.Final(digest);
}

// Writes the file and reads it back: a full disk can take bytes that were reported written and
// lose them when the file is closed.
Bool WriteWholeFile(IFileInterface* fileInterface, const char* name, const ConstData& data)
{
    IFile* file = nullptr;
    if (!fileInterface->OpenFile(name, Enums::FileCategory::PRIVATE, Enums::FileAccessMode::WRITE_ONLY, true, file) ||
        file == nullptr)
        return false;
    const Bool written = file->Write(data) == data.GetSize();
    if (!fileInterface->CloseFile(file) || !written)
        return false;
    ConstData check;
    if (!fileInterface->LoadFile(name, Enums::FileCategory::PRIVATE, &check))
        return false;
    const Bool same = check.GetSize() == data.GetSize() &&
                      (data.GetSize() == 0 || std::memcmp(check.GetData(), data.GetData(), data.GetSize()) == 0);
    fileInterface->UnloadFile(&check);
    return same;
}

} // namespace

GameState::GameState()
    : mLevel(0), mLevelChosen(0), mStarTimes{0.0f, 0.0f, 0.0f, 0.0f}, mPlayState(0), mNewRun(0),
      mCampaignComplete(0), mScoreServiceState(0), mHighscores(nullptr), mViewFloats{0.0f, 0.0f, 0.0f},
      mSmallScreen(0), mPosition(0.0f, 0.0f, 0.0f, 1.0f), mTimeFactor(1.0f), mTranqTime(0.0f),
      mBigTranqTime(0.0f), mPoseFlag(0), mComboCounter(0), mChainCounter(0), mComboAnimals(0),
      mRandomDelay(600.0f), mDeviceHandler(nullptr), mCurrentPlayer(0), mMuted(0), mSettingFloat(1.0f),
      mCounter(0), mPlayTime(0.0f), mLinkPromptDone(0), mRockets(0), mOnlineAsked(0), mOnlineOptIn(0),
      mStoredWords{}, mStoredWord18(0), mFileInterface(nullptr), mSetAsideBeforeSave(false)
{
}

GameState::~GameState() {}

Bool GameState::Init(HalvexHighscores* highscores, Logic::IState* state)
{
    mHighscores = highscores;
    mPlayers.SetCount(NumberOfPlayers);
    mCurrentPlayer = 0;
    Util::TT800 random;
    mRandomDelay = Float(840.0 + 240.0 * Double(random.Rand()) / 4294967295.0);
    mDeviceHandler = state != nullptr ? state->GetDeviceHandler() : nullptr;
    return true;
}

void GameState::SetLevelCount(IFileInterface* fileInterface, UInt32 count)
{
    mFileInterface = fileInterface;
    for (PlayerData& player : mPlayers)
        player.SetLevelCount(count);
    LoadPlayerData();
    if (IsPlayerUsed(mCurrentPlayer))
        return;
    mCurrentPlayer = 0;
    for (UInt32 i = 0; i < NumberOfPlayers; ++i) {
        if (IsPlayerUsed(i)) {
            mCurrentPlayer = i;
            return;
        }
    }
}

void GameState::WritePersistentBlock(UInt8* words) const
{
    std::memset(words, 0, 76);
    Util::WriteLittleEndian32(words, mCurrentPlayer);
    words[4] = mMuted;
    Util::WriteFloat(words + 8, mSettingFloat);
    Util::WriteLittleEndian32(words + 12, mCounter);
    Util::WriteFloat(words + 16, mPlayTime);
    words[20] = mLinkPromptDone;
    Util::WriteLittleEndian32(words + 24, mRockets);
    words[28] = mOnlineAsked;
    words[29] = mOnlineOptIn;
    for (UInt32 i = 0; i < NumberOfStoredWords; ++i)
        Util::WriteLittleEndian32(words + 32 + 4 * i, mStoredWords[i]);
    Util::WriteLittleEndian32(words + 72, mStoredWord18);
}

void GameState::ReadPersistentBlock(const UInt8* words)
{
    mCurrentPlayer = Util::ReadLittleEndian32(words);
    mMuted = words[4];
    mSettingFloat = Util::ReadFloat(words + 8);
    mCounter = Util::ReadLittleEndian32(words + 12);
    mPlayTime = Util::ReadFloat(words + 16);
    mLinkPromptDone = words[20];
    mRockets = Util::ReadLittleEndian32(words + 24);
    mOnlineAsked = words[28];
    mOnlineOptIn = words[29];
    for (UInt32 i = 0; i < NumberOfStoredWords; ++i)
        mStoredWords[i] = Util::ReadLittleEndian32(words + 32 + 4 * i);
    mStoredWord18 = Util::ReadLittleEndian32(words + 72);
}

String GameState::GetSetAsideFileName(UInt32 index)
{
    return index == 0 ? String(SetAsideFileName) : String(SetAsideFileName) + Util::UInt32ToString(index + 1);
}

Bool GameState::SetPlayerDataAside()
{
    if (!mFileInterface->FileExists(PlayerDataFileName, Enums::FileCategory::PRIVATE)) {
        mSetAsideBeforeSave = false; // the file is gone: nothing left to keep
        return true;
    }
    // Under a name of its own, so that a second damaged file never takes the place of the copy
    // of the first.
    String name;
    for (UInt32 i = 0; i < NumberOfSetAsideFiles && name.IsEmpty(); ++i) {
        if (!mFileInterface->FileExists(GetSetAsideFileName(i), Enums::FileCategory::PRIVATE))
            name = GetSetAsideFileName(i);
    }
    if (name.IsEmpty()) {
        Debug::Trace("App::GameState::SavePlayerData(): File '%s' stays: %u damaged files are kept already",
                     PlayerDataFileName, NumberOfSetAsideFiles);
        return false;
    }
    // A copy keeps the file in its place until the new one replaces it; a file that cannot be
    // read is moved instead (nothing was read from it that a cut save could lose).
    ConstData old;
    Bool kept = false;
    if (mFileInterface->LoadFile(PlayerDataFileName, Enums::FileCategory::PRIVATE, &old)) {
        kept = WriteWholeFile(mFileInterface, name.GetText(), old);
        mFileInterface->UnloadFile(&old);
    } else {
        kept = mFileInterface->RenameFile(PlayerDataFileName, name, Enums::FileCategory::PRIVATE);
    }
    if (!kept) {
        Debug::Trace("App::GameState::SavePlayerData(): Failed to keep the unreadable file '%s' as '%s'",
                     PlayerDataFileName, name.GetText());
        return false;
    }
    mSetAsideBeforeSave = false;
    return true;
}

Bool GameState::SavePlayerData()
{
    if (mFileInterface == nullptr)
        return false;
    Util::IffData writer(kForm);
    UInt8* settings = writer.CreateChunk(kSettingsTag, 8 + kSettingsSize, 0);
    if (settings == nullptr)
        return false;
    Util::WriteLittleEndian32(settings + 8, kSettingsVersion);
    WritePersistentBlock(settings + 12);
    if (!writer.AddChunk(settings))
        return false;
    for (const PlayerData& player : mPlayers) {
        if (!player.ExportIffChunk(writer))
            return false;
    }
    Data body;
    Data file;
    if (!writer.GetData(body))
        return false;
    AppendDigest(body, file);
    if (file.IsEmpty())
        return false;
    // The new file is written beside the old one and takes its place in one step: a save cut
    // short anywhere leaves the old file whole.
    if (!WriteWholeFile(mFileInterface, NewFileName, file)) {
        Debug::Trace("App::GameState::SavePlayerData(): Failed to write to file '%s'", NewFileName);
        return false;
    }
    if (mSetAsideBeforeSave && !SetPlayerDataAside())
        return false;
    if (!mFileInterface->RenameFile(NewFileName, PlayerDataFileName, Enums::FileCategory::PRIVATE)) {
        Debug::Trace("App::GameState::SavePlayerData(): Failed to replace file '%s' by '%s'", PlayerDataFileName,
                     NewFileName);
        return false;
    }
    return true;
}

void GameState::AppendDigest(const ConstData& body, Data& file)
{
    file.Release();
    const UInt32 size = body.GetSize();
    if (size > 0xFFFFFFFFu - kDigestSize)
        return;
    file.Resize(size + kDigestSize);
    if (size > 0)
        std::memcpy(file.GetBuffer(), body.GetData(), size);
    MakeDigest(body.GetData(), size, file.GetBuffer() + size);
}

Bool GameState::LoadPlayerData()
{
    if (mFileInterface == nullptr)
        return false;
    ConstData file;
    if (!mFileInterface->LoadFile(PlayerDataFileName, Enums::FileCategory::PRIVATE, &file)) {
        // A file that is there but cannot be read must not be overwritten by an empty game.
        if (mFileInterface->FileExists(PlayerDataFileName, Enums::FileCategory::PRIVATE)) {
            mSetAsideBeforeSave = true;
            Debug::Trace("App::GameState::LoadPlayerData(): Failed to map file '%s', it is kept at the next save",
                         PlayerDataFileName);
        }
        return false;
    }
    // Whatever goes wrong from here on, the file is kept aside before it is overwritten.
    mSetAsideBeforeSave = true;
    Bool loaded = false;
    const UInt32 size = file.GetSize();
    const UInt32 bodySize = size >= kDigestSize ? size - kDigestSize : 0;
    Util::IffStream withDigest(file.GetData(), bodySize, kForm);
    Util::IffStream withoutDigest(file.GetData(), size, kForm);
    Util::IffStream* stream = withDigest.Open() ? &withDigest : (withoutDigest.Open() ? &withoutDigest : nullptr);
    const UInt8* chunk = stream != nullptr ? stream->GetChunk(kSettingsTag) : nullptr;
    if (chunk != nullptr && Util::ReadLittleEndian32(chunk + 4) == kSettingsSize &&
        Util::ReadLittleEndian32(chunk + 8) <= kSettingsVersion) {
        const UInt32 version = Util::ReadLittleEndian32(chunk + 8);
        ReadPersistentBlock(chunk + 12);
        Bool trusted = true;
        if (version < kSettingsVersion) {
            mRockets = 0;
        } else {
            UInt8 digest[kDigestSize];
            MakeDigest(file.GetData(), bodySize, digest);
            trusted = size >= kDigestSize && std::memcmp(digest, file.GetData() + bodySize, kDigestSize) == 0;
        }
        loaded = trusted && stream->NextChunk();
        for (UInt32 i = 0; loaded && i < NumberOfPlayers; ++i)
            loaded = mPlayers[SInt32(i)].ImportIffChunks(*stream);
    }
    mFileInterface->UnloadFile(&file);
    if (loaded)
        mSetAsideBeforeSave = false;
    else
        Debug::Trace("App::GameState::LoadPlayerData(): File '%s' is damaged and is kept aside at the next save",
                     PlayerDataFileName);
    return loaded;
}

void GameState::Reset()
{
    mPosition.x = 0.0f;
    mPosition.y = 0.0f;
    mTimeFactor = 1.0f;
    mTranqTime = 0.0f;
    mBigTranqTime = 0.0f;
    mPoseFlag = 0;
    mComboCounter = 0;
    mChainCounter = 1;
    mComboAnimals = 0;
    if (mLevel != 0)
        mRun.Reset();
}

void GameState::Step(Double dt)
{
    mPlayTime = Float(Double(mPlayTime) + dt);
    mScoreServiceState = GetScoreServiceState();
    if (mHighscores != nullptr && mHighscores->IsBusy()) {
        String reply;
        mHighscores->GetResponse(reply); // a submission's reply text is not used
    }
    if (IsRunning()) {
        if (mLevel != 0) {
            if (PlayerData* player = GetCurrentPlayer())
                player->AddLevelTime(dt);
        }
        mRun.AddTime(dt);
    }
}

void GameState::StartZen()
{
    mLevel = 0;
    mNewRun = 1;
    mPlayState = 0;
    mLevelChosen = 0;
    if (const PlayerData* player = GetCurrentPlayer())
        mRun = player->GetSavedZenRun();
    else
        mRun.Reset();
    if (mRun.GetStars() == 0)
        mRun.SetStars(1);
}

void GameState::StartLevel(UInt32 level)
{
    if (level == 0) {
        StartZen();
        mLevelChosen = 1;
        return;
    }
    if (level > GetLastLevel())
        return;
    mLevel = level;
    mNewRun = 1;
    mPlayState = 0;
    if (PlayerData* player = GetCurrentPlayer())
        player->SetLevelTime(0.0f);
    mLevelChosen = 1;
}

void GameState::SetLevel(UInt32 level, Bool newRun)
{
    mLevel = level;
    mPlayState = 0;
    mLevelChosen = 0;
    mNewRun = newRun ? 1 : 0;
}

UInt32 GameState::NextLevel()
{
    if (mLevel < GetLastLevel())
        ++mLevel;
    return mLevel;
}

UInt32 GameState::GetLastLevel() const
{
    const UInt32 count = mPlayers.IsEmpty() ? 0 : mPlayers[0].GetLevelCount();
    return count > 0 ? count - 1 : 0;
}

UInt32 GameState::StarsForTime(Float time) const
{
    for (UInt32 i = 0; i < 3; ++i) {
        if (mStarTimes[i] > time)
            return 3 - i;
    }
    return 0;
}

void GameState::CloseZenRun()
{
    if (PlayerData* player = GetCurrentPlayer())
        player->CloseZenRun(mRun);
    SubmitZenScore();
    mRun.SetStars(0);
}

void GameState::FinishZenRun(UInt32 stages)
{
    mRun.AddStars(stages);
    if (PlayerData* player = GetCurrentPlayer())
        player->UpdateBestResult(mRun);
    SubmitZenScore();
}

void GameState::SubmitOnline()
{
    const PlayerData* player = GetCurrentPlayer();
    if (mHighscores == nullptr || mOnlineOptIn == 0 || player == nullptr)
        return;
    const PlayerLevelData* zen = player->GetLevel(0);
    mHighscores->SubmitScore(player->GetName(), player->GetPass(), player->GetFrontier(), player->ComputeTotalScore(),
                             player->SumLevelWord2(), UInt32(player->GetLevelTime()), zen ? zen->GetScore() : 0,
                             zen ? zen->GetStars() : 0, zen ? UInt32(zen->GetTime()) : 0);
}

void GameState::SubmitZenScore()
{
    SavePlayerData();
    SubmitOnline();
}

void GameState::SubmitCampaignScore()
{
    PlayerData* player = GetCurrentPlayer();
    mCampaignComplete = player != nullptr && player->RecordLevelResult(mRun, mLevel) ? 1 : 0;
    SavePlayerData();
    SubmitOnline();
}

PlayerData* GameState::GetPlayer(UInt32 index)
{
    return index < UInt32(mPlayers.GetCount()) ? &mPlayers[SInt32(index)] : nullptr;
}

const PlayerData* GameState::GetPlayer(UInt32 index) const
{
    return index < UInt32(mPlayers.GetCount()) ? &mPlayers[SInt32(index)] : nullptr;
}

SInt32 GameState::GetFreeSlot() const
{
    for (UInt32 i = 0; i < NumberOfPlayers; ++i) {
        if (!IsPlayerUsed(i))
            return SInt32(i);
    }
    return -1;
}

Bool GameState::IsCurrentPlayer(UInt32 index) const
{
    return index < NumberOfPlayers && index == mCurrentPlayer;
}

Bool GameState::IsPlayerUsed(UInt32 index) const
{
    const PlayerData* player = GetPlayer(index);
    return player != nullptr && player->IsUsed();
}

Bool GameState::HasNoPlayers() const
{
    return GetFreeSlot() == 0 && !IsPlayerUsed(1) && !IsPlayerUsed(2);
}

Bool GameState::CreatePlayer(UInt32 slot, const String& name, const String& playerId)
{
    PlayerData* player = GetPlayer(slot);
    if (player == nullptr || IsPlayerIdTaken(playerId) || !player->Claim(name, playerId))
        return false;
    mCurrentPlayer = slot;
    SavePlayerData();
    return true;
}

void GameState::DeletePlayer(UInt32 slot)
{
    if (PlayerData* player = GetPlayer(slot)) {
        player->Clear();
        SavePlayerData();
    }
}

Bool GameState::IsPlayerIdTaken(const String& playerId) const
{
    if (playerId.IsEmpty())
        return false;
    for (const PlayerData& player : mPlayers) {
        if (player.GetPlayerId() == playerId)
            return true;
    }
    return false;
}

Bool GameState::SelectPlayerByServiceId()
{
    String id;
    if (mDeviceHandler == nullptr || !mDeviceHandler->IsScoreServiceAvailable() ||
        !mDeviceHandler->GetScoreServicePlayerId(id) || id.IsEmpty())
        return false;
    for (UInt32 i = 0; i < NumberOfPlayers; ++i) {
        if (mPlayers[SInt32(i)].GetPlayerId() == id) {
            mCurrentPlayer = i;
            SavePlayerData();
            return true;
        }
    }
    return false;
}

Bool GameState::IsScorePlayerLinked() const
{
    String id;
    const PlayerData* player = GetPlayer(mCurrentPlayer);
    return mDeviceHandler != nullptr && player != nullptr && mDeviceHandler->IsScoreServiceAvailable() &&
           mDeviceHandler->GetScoreServicePlayerId(id) && !id.IsEmpty() && id == player->GetPlayerId();
}

Bool GameState::SelectPlayer(UInt32 index)
{
    if (!IsPlayerUsed(index))
        return false;
    mCurrentPlayer = index;
    return SavePlayerData();
}

PlayerData* GameState::GetCurrentPlayer()
{
    return GetPlayer(mCurrentPlayer);
}

PlayerLevelData* GameState::GetCurrentLevelData(UInt32 level)
{
    PlayerData* player = GetCurrentPlayer();
    return player != nullptr ? player->GetLevel(level) : nullptr;
}

PlayerLevelData* GameState::GetCurrentLevelData()
{
    return GetCurrentLevelData(mLevel);
}

Bool GameState::ToggleMuted()
{
    mMuted = mMuted != 0 ? 0 : 1;
    SavePlayerData();
    return mMuted != 0;
}

Bool GameState::SetOnlineScoresChoice(Bool optIn)
{
    mOnlineAsked = 1;
    mOnlineOptIn = optIn ? 1 : 0;
    return SavePlayerData();
}

Bool GameState::AddRockets(UInt32 count)
{
    mRockets += count;
    return SavePlayerData();
}

Bool GameState::UseRocket()
{
    if (mRockets == 0)
        return false;
    --mRockets;
    return SavePlayerData();
}

Bool GameState::SetLinkPromptDone()
{
    mLinkPromptDone = 1;
    return SavePlayerData();
}

UInt32 GameState::CountEvent()
{
    ++mCounter;
    SavePlayerData();
    return mCounter;
}

UInt32 GameState::GetScoreServiceState() const
{
    return mDeviceHandler != nullptr && mDeviceHandler->IsScoreServiceAvailable()
               ? mDeviceHandler->GetScoreServiceState()
               : 0;
}

void GameState::SetStoredWord(UInt32 index, UInt32 value)
{
    if (index < NumberOfStoredWords)
        mStoredWords[index] = value;
}

ScoreEvent& GameState::AddScoreEvent()
{
    mScoreEvents.Add(ScoreEvent());
    return mScoreEvents.GetLast();
}

void GameState::SetStarTimes(Float three, Float two, Float one, Float fourth)
{
    mStarTimes[0] = three;
    mStarTimes[1] = two;
    mStarTimes[2] = one;
    mStarTimes[3] = fourth;
}

void GameState::SetViewFloats(Float width, Float height, Float barHeight)
{
    mViewFloats[0] = width;
    mViewFloats[1] = height;
    mViewFloats[2] = barHeight;
}

void GameState::SetPosition(Float x, Float y)
{
    mPosition.x = x;
    mPosition.y = y;
}

void GameState::IncrementComboCounter()
{
    ++mComboCounter;
    mRun.IncrementCounter(2);
}

void GameState::IncrementChainCounter()
{
    ++mChainCounter;
    mRun.IncrementCounter(3);
}

} // namespace App
} // namespace Vorn
