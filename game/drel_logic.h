// The root of the game's logic: it owns the application context and the five stages, keeps the
// game's packages in three groups, and moves the player between stages behind the loader
// screen when a stage writes a request word.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/app_context.h"
#include "game/stage_end.h"
#include "game/stage_game.h"
#include "game/stage_loader.h"
#include "game/stage_menu.h"
#include "logic/stage_processor.h"

namespace Vorn {
class ILoader;
class IPackage;

namespace App {

// Packages that load and unload together: two, or three when a third name is given.
class PackageLoader
{
public:
    PackageLoader();
    virtual ~PackageLoader() {}

    // The packages are loaded on request; false when the loader refuses the first or second.
    Bool Create(ILoader* loader, const String& first, const String& second, const String& third);
    Bool IsLoaded() const;
    void Load();
    void Unload();
    // The package on whose signals the group's stages are attached and detached.
    Bool IsLastPackage(const IPackage* package) const;

    IPackage* GetPackage(UInt32 index) const { return index < 3 ? mPackages[index] : nullptr; }

private:
    IPackage* mPackages[3];
};

class DrelLogic : public Logic::BaseStageProcessor
{
public:
    DrelLogic(Logic::IFactory* factory, Float longSide, Float shortSide);
    ~DrelLogic() override;

    // Registers the loader package, the three groups and the background packages.
    void RegisterPackages(ILoader* loader, const String& primaryClass, const String& secondaryClass);

    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;
    void OnPackageWillBeLoaded(Logic::IState* state, IPackage* package) override;
    void OnPackageWasLoaded(Logic::IState* state, IPackage* package) override;
    void OnPackageWillBeUnloaded(Logic::IState* state, IPackage* package) override;
    void OnRunStateChanged(Logic::IState* state, Enums::AppRunState newState,
                           Enums::AppRunState previousState) override;

    // The first non-zero request word in the order menu, map, game, end; the words looked at
    // are cleared up to the one taken.
    UInt32 TakeStageCommand();

    UInt32 GetTransition() const { return mTransition; }
    Bool IsUnloadMode() const { return mUnloadMode; }
    Bool IsSlowDevice() const { return mSlowDevice; }
    AppContext* GetContext() { return &mContext; }
    StageLoader* GetStageLoader() { return &mStageLoader; }
    StageMenu* GetStageMenu() { return &mStageMenu; }
    StageMap* GetStageMap() { return &mStageMap; }
    StageGame* GetStageGame() { return &mStageGame; }
    StageEnd* GetStageEnd() { return &mStageEnd; }
    PackageLoader* GetGroup(UInt32 index);

private:
    void RunTransition(Logic::IState* state, PackageLoader& source, PackageLoader& target, Logic::IStage* stage);
    void SetSlowFrameRate(Logic::IState* state, SInt32 rate);

    AppContext mContext;
    StageLoader mStageLoader;
    StageEnd mStageEnd;
    StageMap mStageMap;
    StageMenu mStageMenu;
    StageGame mStageGame;
    PackageLoader mGroupA;
    PackageLoader mGroupB;
    PackageLoader mGroupC;
    UInt32 mTransition;
    UInt32 mConfigStamp;
    Bool mUnloadMode;
    Bool mSlowDevice;
};

} // namespace App
} // namespace Vorn
