// The level handler: the level records of the level file, the background packages of the levels,
// and the level in play. It loads the background package that a level needs and, once that is
// loaded, applies the level to the play field.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "game/play/level_data.h"

namespace Vorn {
class IFileInterface;
class ILoader;
class IPackage;

namespace Graph {
class INamespace;
}

namespace App {

class AnimalsProcessor;
class CourseProcessor;
class PlayerProcessor;
class Playfield;
class ScoreProcessor;

class LevelHandler
{
public:
    // The level file, without and with its extension.
    static const char* const kLevelFileName;
    static const char* const kLevelFileExtension;

    LevelHandler(Playfield* playfield, AnimalsProcessor* animals, CourseProcessor* courses, PlayerProcessor* player,
                 ScoreProcessor* score);
    virtual ~LevelHandler() {}

    // Prepares the zen and first campaign slots, reads the level file and hands the level count to
    // the game state, which then loads the player data; a level file that cannot be mapped or
    // opened reports no count. The levels from the first campaign level whose background package
    // is not registered on are dropped. False without a file interface.
    Bool Init(IFileInterface* fileInterface, Enums::FileCategory category);
    // Creates the package base name + suffix, loaded on request, and keeps it by its base name.
    // False when the loader refuses it.
    Bool RegisterBackgroundPackage(ILoader* loader, const String& baseName, const String& suffix);
    // Null when no package was registered under the base name.
    IPackage* GetBackgroundPackage(const String& baseName) const;
    UInt32 GetNumberOfBackgroundPackages() const { return UInt32(mBackgroundNames.GetCount()); }
    // Forgets the wanted and the unloading package.
    void ClearPackages();

    // The background index of a resource id: autumn 0, beach 1, grass and zen 2, ice 3, else -1.
    static SInt32 GetBackgroundIndex(const String& assetResourceId);

    // Prepares the level and asks for its background package. False, with nothing prepared, while
    // the wanted package is busy, for a level beyond the records or an unregistered background.
    Bool LoadResource(UInt32 level);
    Bool UnloadCurrentPackage();
    // The namespace in which a loaded background's nodes are found (the graph root's).
    void SetGraphRoot(Graph::INamespace* root) { mGraphRoot = root; }
    // Binds the loaded background (the zen form for a zen level) and applies the level once its
    // wanted package has loaded; false for any other package.
    Bool OnPackageLoaded(IPackage* package);
    // Lets go of the background's nodes and forgets the unloading or the wanted package; false for
    // any other.
    Bool OnPackageUnloaded(IPackage* package);
    // The package the handler wants for the level in play; null for none.
    IPackage* GetCurrentPackage() const { return mCurrentPackage; }
    // Names the package that the level in play needs.
    void SetCurrentPackage(IPackage* package) { mCurrentPackage = package; }
    IPackage* GetUnloadingPackage() const { return mUnloadingPackage; }
    // Records the run's time among the level's completion times; false when there is none.
    Bool OnLevelFinished();
    // Applies the level to the play field; false for a level beyond the records.
    Bool ApplyLevel(UInt32 level);

    const Array<LevelData>& GetLevels() const { return mLevels; }
    Array<LevelData>& GetLevels() { return mLevels; }
    UInt32 GetLevelIndex() const { return mLevelIndex; }
    // The background index of the level applied last; -1 before any.
    SInt32 GetAppliedBackground() const { return mAppliedBackground; }
    IFileInterface* GetFileInterface() const { return mFileInterface; }
    Enums::FileCategory GetFileCategory() const { return mCategory; }
    Playfield* GetPlayfield() const { return mPlayfield; }
    AnimalsProcessor* GetAnimalsProcessor() const { return mAnimals; }
    CourseProcessor* GetCourseProcessor() const { return mCourses; }
    PlayerProcessor* GetPlayerProcessor() const { return mPlayer; }
    ScoreProcessor* GetScoreProcessor() const { return mScore; }

private:
    // The count of levels before the first campaign level whose background is not registered;
    // drops the records from there on (never the two prepared slots).
    UInt32 KeepPlayableLevels(UInt32 count);
    void PrepareLevel();
    void RequestPackage(IPackage* package, UInt32 level);
    Bool IsBusy() const;
    // The steps of applying a level, in their order.
    void ApplyAssets(const LevelData& data);
    void ApplyLauncher(const LevelData& data);
    void ApplyWeapons(const LevelData& data, SInt32 background);
    void ApplyAnimals(const LevelData& data);
    void ApplyCourses(const LevelData& data, SInt32 background);
    void ApplyWeather(const LevelData& data);
    void ApplyObstacles(const LevelData& data);

    Playfield* mPlayfield;
    AnimalsProcessor* mAnimals;
    CourseProcessor* mCourses;
    PlayerProcessor* mPlayer;
    ScoreProcessor* mScore;
    IFileInterface* mFileInterface;
    Enums::FileCategory mCategory;
    Array<LevelData> mLevels;
    Array<String> mBackgroundNames;
    Array<IPackage*> mBackgroundPackages;
    IPackage* mCurrentPackage;
    UInt32 mLevelIndex;
    IPackage* mUnloadingPackage;
    SInt32 mAppliedBackground;
    Graph::INamespace* mGraphRoot;
};

} // namespace App
} // namespace Vorn
