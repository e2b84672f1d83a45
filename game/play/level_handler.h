// The level handler: the background packages of the levels and the level in play. For now it
// registers the background packages; loading a level and the level file come later, and every
// operation on them reports false.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
class IFileInterface;
class ILoader;
class IPackage;

namespace App {

class AnimalsProcessor;
class CourseProcessor;
class PlayerProcessor;
class ScoreProcessor;

class LevelHandler
{
public:
    LevelHandler(AnimalsProcessor* animals, CourseProcessor* courses, PlayerProcessor* player, ScoreProcessor* score);

    // Keeps the file interface and the file category of the level file.
    Bool Init(IFileInterface* fileInterface, Enums::FileCategory category);
    // Creates the package base name + suffix, loaded on request, and keeps it by its base name.
    // False when the loader refuses it.
    Bool RegisterBackgroundPackage(ILoader* loader, const String& baseName, const String& suffix);
    // Null when no package was registered under the base name.
    IPackage* GetBackgroundPackage(const String& baseName) const;
    UInt32 GetNumberOfBackgroundPackages() const { return UInt32(mBackgroundNames.GetCount()); }
    void ClearPackages();

    Bool LoadResource(UInt32 level);
    Bool UnloadCurrentPackage();
    Bool OnPackageLoaded(IPackage* package);
    Bool OnPackageUnloaded(IPackage* package);
    // The package the handler wants for the level in play, or unloads; null for none.
    IPackage* GetCurrentPackage() const { return mCurrentPackage; }
    // Names the package that the level in play needs.
    void SetCurrentPackage(IPackage* package) { mCurrentPackage = package; }
    IPackage* GetUnloadingPackage() const { return mUnloadingPackage; }
    Bool OnLevelFinished();

    IFileInterface* GetFileInterface() const { return mFileInterface; }
    Enums::FileCategory GetFileCategory() const { return mCategory; }
    AnimalsProcessor* GetAnimalsProcessor() const { return mAnimals; }
    CourseProcessor* GetCourseProcessor() const { return mCourses; }
    PlayerProcessor* GetPlayerProcessor() const { return mPlayer; }
    ScoreProcessor* GetScoreProcessor() const { return mScore; }

private:
    AnimalsProcessor* mAnimals;
    CourseProcessor* mCourses;
    PlayerProcessor* mPlayer;
    ScoreProcessor* mScore;
    IFileInterface* mFileInterface;
    Enums::FileCategory mCategory;
    Array<String> mBackgroundNames;
    Array<IPackage*> mBackgroundPackages;
    IPackage* mCurrentPackage;
    IPackage* mUnloadingPackage;
};

} // namespace App
} // namespace Vorn
