#include "game/play/level_handler.h"

#include "core/loader.h"

namespace Vorn {
namespace App {

LevelHandler::LevelHandler(AnimalsProcessor* animals, CourseProcessor* courses, PlayerProcessor* player,
                           ScoreProcessor* score)
    : mAnimals(animals),
      mCourses(courses),
      mPlayer(player),
      mScore(score),
      mFileInterface(nullptr),
      mCategory(Enums::FileCategory::RESOURCE),
      mCurrentPackage(nullptr),
      mUnloadingPackage(nullptr)
{
}

Bool LevelHandler::Init(IFileInterface* fileInterface, Enums::FileCategory category)
{
    mFileInterface = fileInterface;
    mCategory = category;
    return false;
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

Bool LevelHandler::LoadResource(UInt32)
{
    return false;
}

Bool LevelHandler::UnloadCurrentPackage()
{
    return false;
}

Bool LevelHandler::OnPackageLoaded(IPackage*)
{
    return false;
}

Bool LevelHandler::OnPackageUnloaded(IPackage*)
{
    return false;
}

Bool LevelHandler::OnLevelFinished()
{
    return false;
}

} // namespace App
} // namespace Vorn
