#include "game/drel_logic.h"

#include "core/loader.h"
#include "core/package.h"
#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kAndroid = 0x400;
// Memory-mode setting of the configuration.
Bool IsMemoryMode(const IConfiguration* configuration)
{
    return configuration->GetFlagD();
}
Bool HasMemoryModeChanged(const IConfiguration* configuration, UInt32 stamp)
{
    return configuration->HasFlagDChanged(stamp);
}

} // namespace

PackageLoader::PackageLoader() : mPackages{nullptr, nullptr, nullptr} {}

Bool PackageLoader::Create(ILoader* loader, const String& first, const String& second, const String& third)
{
    mPackages[0] = loader->CreatePackage(first, ILoader::kLoadOnRequest, nullptr);
    mPackages[1] = loader->CreatePackage(second, ILoader::kLoadOnRequest, nullptr);
    if (!third.IsEmpty())
        mPackages[2] = loader->CreatePackage(third, ILoader::kLoadOnRequest, nullptr);
    return mPackages[0] != nullptr && mPackages[1] != nullptr;
}

Bool PackageLoader::IsLoaded() const
{
    for (UInt32 i = 0; i < 3; ++i) {
        const IPackage* package = mPackages[i];
        if (i == 2 && package == nullptr)
            continue;
        // A group whose package was refused never counts as loaded.
        if (package == nullptr || !package->IsLoaded() || package->IsBusy())
            return false;
    }
    return true;
}

void PackageLoader::Load()
{
    for (IPackage* package : mPackages) {
        if (package != nullptr)
            package->Load();
    }
}

void PackageLoader::Unload()
{
    for (SInt32 i = 2; i >= 0; --i) {
        if (mPackages[i] != nullptr)
            mPackages[i]->Unload();
    }
}

Bool PackageLoader::IsLastPackage(const IPackage* package) const
{
    if (package == nullptr)
        return false;
    return mPackages[2] != nullptr ? package == mPackages[2] : package == mPackages[1];
}

DrelLogic::DrelLogic(Logic::IFactory* factory, Float longSide, Float shortSide)
    : Logic::BaseStageProcessor(factory),
      mContext(factory, longSide, shortSide),
      mStageLoader(factory, &mContext, longSide, shortSide),
      mStageEnd(factory, &mContext),
      mStageMap(factory, &mContext),
      mStageMenu(factory, &mContext, mStageMap.GetLevelChooser()),
      mStageGame(factory, &mContext),
      mTransition(StageCommander::kNone),
      mConfigStamp(0),
      mUnloadMode(false),
      mSlowDevice(false)
{
}

DrelLogic::~DrelLogic() {}

PackageLoader* DrelLogic::GetGroup(UInt32 index)
{
    switch (index) {
    case 0:
        return &mGroupA;
    case 1:
        return &mGroupB;
    case 2:
        return &mGroupC;
    default:
        return nullptr;
    }
}

void DrelLogic::RegisterPackages(ILoader* loader, const String& primaryClass, const String& secondaryClass)
{
    mStageLoader.SetLoaderPackage(loader->CreatePackage(String("loader_korvane.vornres"), ILoader::kLoadAtStartup,
                                                        mStageLoader.GetStartupLogic()->GetProcessor()));
    mGroupA.Create(loader, String("menu_") + primaryClass, String("menu_common"), String());
    mGroupC.Create(loader, String("end_") + primaryClass, String("end_common"), String());
    mGroupB.Create(loader, String("game_") + secondaryClass, String("game_common"), String());
    const String suffix = String("_") + primaryClass;
    LevelHandler* levels = mStageGame.GetLevelHandler();
    for (const char* name : {"bg_autumn", "bg_beach", "bg_ice", "bg_grass"})
        levels->RegisterBackgroundPackage(loader, String(name), suffix);
    levels->RegisterBackgroundPackage(loader, String("bg_zen"), String());
}

Bool DrelLogic::OnInit(Logic::IState* state)
{
    IConfiguration* configuration = state->GetConfiguration();
    switch (configuration->GetDeviceModel()) {
    case Enums::DeviceModel::IPAD_1:
    case Enums::DeviceModel::IPOD_3G:
    case Enums::DeviceModel::IPHONE_3GS:
        mUnloadMode = true;
        break;
    case Enums::DeviceModel::IPHONE_3G:
    case Enums::DeviceModel::IPOD_1G:
    case Enums::DeviceModel::IPOD_2G:
        mUnloadMode = true;
        mSlowDevice = true;
        mStageGame.SetDetail(false);
        break;
    default:
        break;
    }
    if (configuration->IsOperatingSystem(kAndroid))
        mUnloadMode = true;
    AppProcessor* appProcessor = mContext.GetAppProcessor();
    appProcessor->SetupCamera(
        AppProcessor::ChooseFitMode(appProcessor->GetInitialWidth(), appProcessor->GetInitialHeight()));
    configuration->SetDebugTextScale(0.25f);
    if (!mContext.Init(state, String("/")))
        return false;
    mStageGame.InitLevelData(state->GetFileInterface(), configuration->GetResourceFileCategory());
    GameState* gameState = mContext.GetGameState();
    gameState->CountEvent();
    mProcessor->AddStepable(gameState);
    mProcessor->AddStepable(mContext.GetSoundContainer());
    mProcessor->AddStepable(mContext.GetParticleContainer());
    mStageProcessor->SetSwitchNodeName(String("/stages"));
    mStageProcessor->AddStage(mStageLoader.GetStage());
    mTransition = StageCommander::kGameToMenu;
    mProcessor->AddChild(appProcessor->GetProcessor());
    return true;
}

Bool DrelLogic::OnDeInit(Logic::IState*)
{
    return mContext.DeInit();
}

UInt32 DrelLogic::TakeStageCommand()
{
    StageCommander* commanders[] = {&mStageMenu, &mStageMap, &mStageGame, &mStageEnd};
    for (StageCommander* commander : commanders) {
        const UInt32 command = commander->GetCommand();
        commander->SetCommand(StageCommander::kNone);
        if (command != StageCommander::kNone)
            return command;
    }
    return StageCommander::kNone;
}

void DrelLogic::OnStep(Logic::IState* state)
{
    IConfiguration* configuration = state->GetConfiguration();
    if (!mUnloadMode && HasMemoryModeChanged(configuration, mConfigStamp)) {
        mConfigStamp = configuration->GetCurrentStamp();
        if (IsMemoryMode(configuration))
            mUnloadMode = true;
    }
    if (mTransition == StageCommander::kNone)
        mTransition = TakeStageCommand();
    switch (mTransition) {
    case StageCommander::kGameToMenu:
        RunTransition(state, mGroupB, mGroupA, mStageMenu.GetStage());
        return;
    case StageCommander::kGameToMap:
        RunTransition(state, mGroupB, mGroupA, mStageMap.GetStage());
        return;
    case StageCommander::kToGame:
        RunTransition(state, mGroupA, mGroupB, mStageGame.GetStage());
        return;
    case StageCommander::kGameToEnd:
        RunTransition(state, mGroupB, mGroupC, mStageEnd.GetStage());
        return;
    case StageCommander::kEndToMap:
        RunTransition(state, mGroupC, mGroupA, mStageMap.GetStage());
        return;
    default:
        break;
    }
    // In preload mode the game and end packages load behind the menu and stay.
    if (!mUnloadMode && mGroupA.IsLoaded()) {
        if (!mGroupB.IsLoaded())
            mGroupB.Load();
        else if (!mGroupC.IsLoaded())
            mGroupC.Load();
    }
}

void DrelLogic::RunTransition(Logic::IState*, PackageLoader& source, PackageLoader& target, Logic::IStage* stage)
{
    if (mTransition != StageCommander::kToGame)
        mStageGame.GetLevelHandler()->UnloadCurrentPackage();
    if (mUnloadMode)
        source.Unload();
    if (!target.IsLoaded()) {
        if (mStageLoader.IsLoaderShown())
            target.Load();
        return;
    }
    if (mStageLoader.IsLoaderDone()) {
        stage->RequestStart();
        mTransition = StageCommander::kNone;
    }
}

void DrelLogic::SetSlowFrameRate(Logic::IState* state, SInt32 rate)
{
    if (mSlowDevice)
        state->GetConfiguration()->SetFrameRate(rate);
}

void DrelLogic::OnPackageWillBeLoaded(Logic::IState* state, IPackage*)
{
    SetSlowFrameRate(state, 6);
}

void DrelLogic::OnPackageWasLoaded(Logic::IState* state, IPackage* package)
{
    if (mStageGame.GetLevelHandler()->OnPackageLoaded(package))
        SetSlowFrameRate(state, 30);
    if (mGroupA.IsLastPackage(package)) {
        mStageProcessor->InitStage(state, mStageMenu.GetStage());
        mStageProcessor->InitStage(state, mStageMap.GetStage());
        SetSlowFrameRate(state, 30);
    }
    if (mGroupB.IsLastPackage(package)) {
        mStageProcessor->InitStage(state, mStageGame.GetStage());
        SetSlowFrameRate(state, 30);
    }
    if (mGroupC.IsLastPackage(package)) {
        mStageProcessor->InitStage(state, mStageEnd.GetStage());
        SetSlowFrameRate(state, 30);
    }
}

void DrelLogic::OnPackageWillBeUnloaded(Logic::IState* state, IPackage* package)
{
    LevelHandler* levels = mStageGame.GetLevelHandler();
    if (package != nullptr && (package == levels->GetUnloadingPackage() || package == levels->GetCurrentPackage())) {
        levels->OnPackageUnloaded(package);
        SetSlowFrameRate(state, 6);
    }
    if (mGroupA.IsLastPackage(package)) {
        SetSlowFrameRate(state, 6);
        mStageProcessor->DeInitStage(state, mStageMap.GetStage());
        mStageProcessor->DeInitStage(state, mStageMenu.GetStage());
    }
    if (mGroupB.IsLastPackage(package)) {
        SetSlowFrameRate(state, 6);
        mStageProcessor->DeInitStage(state, mStageGame.GetStage());
    }
    if (mGroupC.IsLastPackage(package)) {
        SetSlowFrameRate(state, 6);
        mStageProcessor->DeInitStage(state, mStageEnd.GetStage());
    }
}

void DrelLogic::OnRunStateChanged(Logic::IState*, Enums::AppRunState newState, Enums::AppRunState previousState)
{
    if (previousState == Enums::AppRunState::RUNNING)
        return;
    GameState* gameState = mContext.GetGameState();
    if (previousState == Enums::AppRunState::SUSPENDED)
        gameState->CountEvent();
    // Play never goes on by itself after a pause or a suspension.
    if (newState == Enums::AppRunState::RUNNING && !mStageGame.GetStage()->IsIdle() && gameState->GetPlayState() == 5)
        gameState->SetPlayState(17);
}

} // namespace App
} // namespace Vorn
