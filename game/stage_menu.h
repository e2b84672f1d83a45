// The start screen with the main menu, and the world map: the two stages of the menu group.
#pragma once

#include "game/map_processor.h"
#include "game/menu_processor.h"
#include "game/stage_commander.h"
#include "logic/stage.h"

namespace Vorn {
namespace App {

class AppContext;
class LevelSelectOverlay;

class StageMenu : public Logic::BaseStage, public StageCommander
{
public:
    // The level chooser belongs to the map stage's processor.
    StageMenu(Logic::IFactory* factory, AppContext* context, LevelSelectOverlay* levelChooser);

    Bool OnInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageStart(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageRunning(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageIdle(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;

    MenuProcessor* GetMenuProcessor() { return &mMenuProcessor; }

private:
    MenuProcessor mMenuProcessor;
    LevelSelectOverlay* mLevelChooser;
};

class StageMap : public Logic::BaseStage, public StageCommander
{
public:
    StageMap(Logic::IFactory* factory, AppContext* context);

    Bool OnInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageStart(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageRunning(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageIdle(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;

    MapProcessor* GetMapProcessor() { return &mMapProcessor; }
    LevelSelectOverlay* GetLevelChooser() { return mMapProcessor.GetLevelChooser(); }

private:
    MapProcessor mMapProcessor;
};

} // namespace App
} // namespace Vorn
