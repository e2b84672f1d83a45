#include "game/play/level_handler.h"

#include "foundation/file_interface.h"
#include "core/loader.h"
#include "core/package.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/play/animal_selector.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/play_field.h"

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
      mAppliedBackground(-1)
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
    const UInt32 count = LevelData::LoadAllLevels(*fileInterface, mLevels, String(kLevelFileName));
    mPlayfield->GetGameState()->SetLevelCount(fileInterface, count);
    return true;
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
    // The processors are stand-ins with nothing to reset yet.
    mPlayfield->Reset();
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
    // The background and its decorations are bound by the asset container, which comes with
    // the decorations; the level applies without them.
    return ApplyLevel(mLevelIndex);
}

Bool LevelHandler::OnPackageUnloaded(IPackage* package)
{
    if (package == nullptr)
        return false;
    if (package == mUnloadingPackage) {
        mUnloadingPackage = nullptr;
        return true;
    }
    if (package == mCurrentPackage) {
        mCurrentPackage = nullptr;
        return true;
    }
    return false;
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
    mAppliedBackground = GetBackgroundIndex(data.mAssetResourceId);
    gameState->SetStarTimes(data.mLevelProps[0], data.mLevelProps[1], data.mLevelProps[2], data.mLevelProps[3]);
    gameState->SetPosition(AlignToPixelGrid(data.mLauncherX, 0.0f, kMenuPixel),
                           AlignToPixelGrid(data.mLauncherY, 0.0f, kMenuPixel));
    AnimalSelector* selector = mPlayfield->GetAnimalSelector();
    for (UInt32 i = 0; i < LevelData::NumberOfKindWeights; ++i)
        selector->Set(SInt32(i + 5), data.mKindWeights[i]);
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    for (SInt32 i = 0; i < data.mCourses.GetCount(); ++i) {
        CourseAnimator* course = courses->AppendCourse();
        if (course != nullptr)
            course->Setup(&data.mCourses[i], UInt32(i + 1), false);
    }
    return true;
}

} // namespace App
} // namespace Vorn
