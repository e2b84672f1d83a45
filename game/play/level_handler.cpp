#include "game/play/level_handler.h"

#include "foundation/debug.h"
#include "foundation/file_interface.h"
#include "core/loader.h"
#include "core/package.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/app_processor.h"
#include "game/play/animal_selector.h"
#include "game/play/animals_processor.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/course_processor.h"
#include "game/play/play_field.h"
#include "game/play/player_processor.h"
#include "game/play/score_processor.h"

#include <cmath>

namespace Vorn {
namespace App {

const char* const LevelHandler::kLevelFileName = "SkarvelLevels";
const char* const LevelHandler::kLevelFileExtension = "vorn";

LevelHandler::LevelHandler(Playfield* playfield, AnimalsProcessor* animals, CourseProcessor* courses,
                           PlayerProcessor* player, ScoreProcessor* score)
    : mPlayfield(playfield),
      mAnimals(animals),
      mCourses(courses),
      mPlayer(player),
      mScore(score),
      mFileInterface(nullptr),
      mCategory(Enums::FileCategory::RESOURCE),
      mCurrentPackage(nullptr),
      mLevelIndex(0),
      mUnloadingPackage(nullptr),
      mAppliedBackground(-1),
      mGraphRoot(nullptr)
{
}

Bool LevelHandler::Init(IFileInterface* fileInterface, Enums::FileCategory category)
{
    mFileInterface = fileInterface;
    mCategory = category;
    if (fileInterface == nullptr)
        return false;
    while (mLevels.GetCount() < 2)
        mLevels.Add(LevelData());
    mLevels[0].mType = 1;
    mLevels[0].mAssetResourceId = String("bg_zen");
    if (mBackgroundNames.GetCount() > 0)
        mLevels[1].mAssetResourceId = mBackgroundNames[0];
    const UInt32 read = LevelData::LoadAllLevels(*fileInterface, mLevels, String(kLevelFileName));
    // Without a level file no count is reported: the game state then neither reads nor writes the
    // player data, whose level records a count of 0 would cut off at the next save.
    if (read == 0) {
        Debug::Trace("App::LevelHandler::Init(): No level file, the player data is left alone");
        return true;
    }
    mPlayfield->GetGameState()->SetLevelCount(fileInterface, KeepPlayableLevels(read));
    return true;
}

UInt32 LevelHandler::KeepPlayableLevels(UInt32 count)
{
    // Before the packages are registered no level can be judged; without a file there is none.
    if (mBackgroundNames.GetCount() == 0 || count < 2)
        return count;
    UInt32 playable = 1;
    while (playable < count && GetBackgroundPackage(mLevels[SInt32(playable)].mAssetResourceId) != nullptr)
        ++playable;
    if (playable == count)
        return count;
    // A damaged level file can name a background that never loads, or none: the stage would wait
    // for it for ever. That level and the ones after it go, as after a level that does not read.
    Debug::Trace("App::LevelHandler::Init(): Level %u has no background package '%s', %u levels kept", playable,
                 mLevels[SInt32(playable)].mAssetResourceId.GetText(), playable);
    // The two prepared slots stay; the count keeps the game from the unplayable one.
    mLevels.SetCount(SInt32(playable < 2 ? 2 : playable));
    return playable;
}

Bool LevelHandler::RegisterBackgroundPackage(ILoader* loader, const String& baseName, const String& suffix)
{
    IPackage* package = loader->CreatePackage(baseName + suffix, ILoader::kLoadOnRequest, nullptr);
    if (package == nullptr)
        return false;
    mBackgroundNames.Add(baseName);
    mBackgroundPackages.Add(package);
    return true;
}

IPackage* LevelHandler::GetBackgroundPackage(const String& baseName) const
{
    for (SInt32 i = 0; i < mBackgroundNames.GetCount(); ++i) {
        if (mBackgroundNames[i] == baseName)
            return mBackgroundPackages[i];
    }
    return nullptr;
}

void LevelHandler::ClearPackages()
{
    mCurrentPackage = nullptr;
    mUnloadingPackage = nullptr;
}

SInt32 LevelHandler::GetBackgroundIndex(const String& assetResourceId)
{
    static const char* const kNames[] = {"bg_autumn", "bg_beach", "bg_grass", "bg_ice"};
    if (assetResourceId == String("bg_zen"))
        return 2;
    for (SInt32 i = 0; i < 4; ++i) {
        if (assetResourceId == String(kNames[i]))
            return i;
    }
    return -1;
}

Bool LevelHandler::IsBusy() const
{
    return mCurrentPackage != nullptr && mCurrentPackage->IsBusy();
}

Bool LevelHandler::LoadResource(UInt32 level)
{
    if (IsBusy() || level >= UInt32(mLevels.GetCount()))
        return false;
    IPackage* package = GetBackgroundPackage(mLevels[SInt32(level)].mAssetResourceId);
    if (package == nullptr)
        return false;
    PrepareLevel();
    RequestPackage(package, level);
    return true;
}

void LevelHandler::PrepareLevel()
{
    mPlayfield->Reset();
    if (mAnimals != nullptr)
        mAnimals->Reset();
    if (mCourses != nullptr)
        mCourses->ResetWarnings();
    if (mPlayer != nullptr)
        mPlayer->Reset();
    if (mScore != nullptr)
        mScore->ResetShownValues();
}

void LevelHandler::RequestPackage(IPackage* package, UInt32 level)
{
    mLevelIndex = level;
    if (package == mCurrentPackage) {
        ApplyLevel(level);
        return;
    }
    UnloadCurrentPackage();
    mCurrentPackage = package;
    package->Load();
}

Bool LevelHandler::UnloadCurrentPackage()
{
    if (mCurrentPackage == nullptr || mCurrentPackage->IsBusy() || mUnloadingPackage != nullptr)
        return false;
    mUnloadingPackage = mCurrentPackage;
    mCurrentPackage = nullptr;
    return mUnloadingPackage->Unload();
}

Bool LevelHandler::OnPackageLoaded(IPackage* package)
{
    if (package == nullptr || package != mCurrentPackage)
        return false;
    if (mLevelIndex < UInt32(mLevels.GetCount())) {
        const LevelData& data = mLevels[SInt32(mLevelIndex)];
        AssetContainer* assets = mPlayfield->GetAssetContainer();
        // A background that does not bind leaves the level without its picture; it plays on.
        if (data.mType == 1)
            assets->InitZenBackground(mGraphRoot, data.mAssetResourceId);
        else
            assets->InitBackground(mGraphRoot, data.mAssetResourceId);
    }
    return ApplyLevel(mLevelIndex);
}

Bool LevelHandler::OnPackageUnloaded(IPackage* package)
{
    if (package == nullptr)
        return false;
    if (package != mUnloadingPackage && package != mCurrentPackage)
        return false;
    // The decorations and the screens are nodes of the package that goes.
    mPlayfield->GetAssetContainer()->DeInit();
    if (package == mUnloadingPackage)
        mUnloadingPackage = nullptr;
    else
        mCurrentPackage = nullptr;
    return true;
}

Bool LevelHandler::OnLevelFinished()
{
    GameState* gameState = mPlayfield->GetGameState();
    const UInt32 level = gameState->GetLevel();
    const Float time = gameState->GetRunTime();
    if (!(time > 0.0f) || level >= UInt32(mLevels.GetCount()))
        return false;
    mLevels[SInt32(level)].AddPlayerStatistic(time);
    return true;
}

Bool LevelHandler::ApplyLevel(UInt32 level)
{
    if (level >= UInt32(mLevels.GetCount()))
        return false;
    const LevelData& data = mLevels[SInt32(level)];
    GameState* gameState = mPlayfield->GetGameState();
    const SInt32 background = GetBackgroundIndex(data.mAssetResourceId);
    mAppliedBackground = background;
    gameState->SetStarTimes(data.mLevelProps[0], data.mLevelProps[1], data.mLevelProps[2], data.mLevelProps[3]);
    ApplyAssets(data);
    ApplyLauncher(data);
    ApplyWeapons(data, background);
    ApplyAnimals(data);
    ApplyCourses(data, background);
    if (mScore != nullptr && background >= 0)
        mScore->SetBackground(UInt32(background));
    ApplyWeather(data);
    ApplyObstacles(data);
    return true;
}

void LevelHandler::ApplyAssets(const LevelData& data)
{
    AssetContainer* assets = mPlayfield->GetAssetContainer();
    const AppProcessor* app = mPlayfield->GetAppProcessor();
    if (app != nullptr && app->GetUnitsPerPixel() > 0.0f)
        assets->SetUnitsPerPixel(app->GetUnitsPerPixel());
    if (!data.mAssets.IsEmpty())
        assets->PlaceAssets(&data.mAssets[0], UInt32(data.mAssets.GetCount()));
    const GameState* gameState = mPlayfield->GetGameState();
    // The zen level has no score bar: its view takes the bar's height as well.
    assets->SetBackgroundScale(gameState->GetViewWidth(), gameState->GetPlayHeight());
    assets->SelectBackgroundFrame(data.mBackgroundFrame);
}

void LevelHandler::ApplyLauncher(const LevelData& data)
{
    const Float x = AlignToPixelGrid(data.mLauncherX, 0.0f, kMenuPixel);
    const Float y = AlignToPixelGrid(data.mLauncherY, 0.0f, kMenuPixel);
    if (mPlayer != nullptr) {
        mPlayer->SetLauncherPosition(x, y);
        mPlayer->PoseLauncher(data.mLauncherAngle);
        mPlayer->SetLaunchSpeed(data.mLaunchSpeed);
    }
    mPlayfield->GetGameState()->SetPosition(x, y);
}

void LevelHandler::ApplyWeapons(const LevelData& data, SInt32 background)
{
    WeaponContainer* weapons = mPlayfield->GetWeaponContainer();
    for (SInt32 i = 0; i < data.mWeaponPlacements.GetCount(); ++i) {
        const WeaponPlace& place = data.mWeaponPlacements[i];
        weapons->AddWeaponPlace(place.mWeight, Math::Vector<Float>(place.mX, place.mY, 0.0f, 1.0f));
    }
    for (SInt32 i = 0; i < data.mCarrots.GetCount(); ++i) {
        const CarrotPlace& place = data.mCarrots[i];
        weapons->AddCarrotPlace(place.mWeight, Math::Vector<Float>(place.mX, place.mY, 0.0f, 1.0f), place.mRotation,
                                place.mScale);
    }
    for (SInt32 i = 0; i < data.mWeaponSupplies.GetCount(); ++i) {
        const TimetableEntry& entry = data.mWeaponSupplies[i];
        weapons->AddTimetableEntry(entry.mKind, entry.mShortest, entry.mLongest);
    }
    weapons->SetDurations(data.mWeaponDuration, data.mCarrotValue);
    weapons->SetCycle(data.mCycleDuration, UInt32(data.mCycleCount));
    weapons->SetVariant(background);
}

void LevelHandler::ApplyAnimals(const LevelData& data)
{
    AnimalSelector* selector = mPlayfield->GetAnimalSelector();
    for (UInt32 i = 0; i < LevelData::NumberOfKindWeights; ++i)
        selector->Set(SInt32(i + 5), data.mKindWeights[i]);
    if (mAnimals == nullptr)
        return;
    mAnimals->SetNormalBudget(data.mNormalBudget);
    mAnimals->SetSpecialBudget(data.mSpecialBudget);
    mAnimals->SetSpeedBounds(data.mLowerFlightSpeed, data.mUpperFlightSpeed);
    for (SInt32 i = 0; i < data.mAnimals.GetCount(); ++i) {
        const AnimalKey& key = data.mAnimals[i];
        mAnimals->AddKeys(key.mTime, key.mValues[0], key.mValues[1], key.mValues[2], key.mValues[3]);
    }
    mAnimals->SetPeriod(data.mTrackPeriod, data.mTrackWrap);
}

void LevelHandler::ApplyCourses(const LevelData& data, SInt32 background)
{
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    for (SInt32 i = 0; i < data.mCourses.GetCount(); ++i) {
        CourseAnimator* course = courses->AppendCourse();
        if (course == nullptr)
            continue;
        // The zen level's courses repeat as they finish; the strip takes the background's colours.
        course->Setup(&data.mCourses[i], UInt32(i + 1), data.mType == 1);
        course->SetStripColourIndex(background);
    }
}

void LevelHandler::ApplyWeather(const LevelData& data)
{
    for (SInt32 i = 0; i < data.mClouds.GetCount(); ++i) {
        const WeatherEntry& entry = data.mClouds[i];
        if (entry.mKind == 0)
            mPlayfield->GetCloudsContainer()->AddCloudPreset(entry.mPreset, entry.mCount, UInt32(entry.mValue),
                                                             entry.mLowerBound, entry.mUpperBound, entry.mStartTime,
                                                             entry.mEndTime);
        else
            Setup(mPlayfield->GetSnowHandler(), entry.mStartTime, entry.mEndTime, entry.mValue,
                  SInt32(entry.mSnowIntensity));
    }
}

void LevelHandler::ApplyObstacles(const LevelData& data)
{
    ObstacleContainer* obstacles = mPlayfield->GetObstacleContainer();
    for (SInt32 i = 0; i < data.mObstacles.GetCount(); ++i) {
        const ObstacleEntry& entry = data.mObstacles[i];
        if (entry.mKind <= 2)
            obstacles->AddObstacle(SInt32(entry.mKind), entry.mX, entry.mY, entry.mSpeed * std::cos(entry.mAngle),
                                   entry.mSpeed * std::sin(entry.mAngle), entry.mDelay, entry.mLife);
        else if (entry.mKind <= 4)
            obstacles->AddRock(entry.mX, entry.mY);
    }
}

} // namespace App
} // namespace Vorn
