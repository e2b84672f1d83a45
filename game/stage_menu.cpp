#include "game/stage_menu.h"

#include "game/level_select_overlay.h"
#include "game/stage_escape.h"
#include "graph/node.h"
#include "graph/root.h"
#include "logic/state.h"
#include "resource/collection.h"

namespace Vorn {
namespace App {

StageMenu::StageMenu(Logic::IFactory* factory, AppContext* context, LevelSelectOverlay* levelChooser)
    : Logic::BaseStage(factory, String("menu_stage_id"), String("menu_stage")),
      mMenuProcessor(factory, context, levelChooser),
      mLevelChooser(levelChooser)
{
}

Bool StageMenu::OnInit(Logic::IState* state, Logic::IStageProcessor*)
{
    mProcessor->AddChild(mMenuProcessor.GetProcessor());
    mStage->CreateStageTimeline(state, String("/stage_start/screen_timeline"), 0.25f, 0.5f);
    return true;
}

void StageMenu::OnStageStart(Logic::IState* state, Logic::IStageProcessor*)
{
    const char* caption = state->GetResourceCollection() != nullptr
                              ? state->GetResourceCollection()->GetText(String("texts:stage"))
                              : nullptr;
    mLevelChooser->SetCaption(String(caption != nullptr ? caption : ""));
    // The chooser may open again at once, with its caption.
    mMenuProcessor.EnterMenu();
}

void StageMenu::OnStageRunning(Logic::IState* state, Logic::IStageProcessor*)
{
    LeaveFullScreenOnEscape(state);
    switch (mMenuProcessor.mMenuState) {
    case MenuProcessor::kGoToMap:
    case MenuProcessor::kStartGame:
        mStage->RequestStop();
        break;
    case MenuProcessor::kStayInMenu:
        mMenuProcessor.mMenuState = 0;
        break;
    default:
        break;
    }
}

void StageMenu::OnStageIdle(Logic::IState*, Logic::IStageProcessor*)
{
    mLevelChooser->SetShown(false);
    SetCommand(mMenuProcessor.mMenuState == MenuProcessor::kStartGame ? kToGame : kGameToMap);
}

StageMap::StageMap(Logic::IFactory* factory, AppContext* context)
    : Logic::BaseStage(factory, String("map_stage_id"), String("map_stage")), mMapProcessor(factory, context)
{
}

Bool StageMap::OnInit(Logic::IState* state, Logic::IStageProcessor*)
{
    mProcessor->AddChild(mMapProcessor.GetProcessor());
    mStage->CreateStageTimeline(state, String("/stage_map/screen_timeline"), 0.25f, 0.5f);
    return true;
}

void StageMap::OnStageStart(Logic::IState* state, Logic::IStageProcessor*)
{
    Graph::INode* sign = state->GetGraphRoot()->FindNode(String("/stage_map/basemap/map_levelscleared"));
    if (sign != nullptr) {
        sign->SetActiveAndVisible(false);
        sign->RemoveReference();
    }
    mMapProcessor.Reset();
    mMapProcessor.StartIntro();
}

void StageMap::OnStageRunning(Logic::IState* state, Logic::IStageProcessor*)
{
    LeaveFullScreenOnEscape(state);
    const MapProcessor::State mapState = mMapProcessor.GetState();
    if (mapState == MapProcessor::kStartGame || mapState == MapProcessor::kBackToMenu)
        mStage->RequestStop();
}

void StageMap::OnStageIdle(Logic::IState*, Logic::IStageProcessor*)
{
    GetLevelChooser()->SetShown(false);
    if (mMapProcessor.GetState() == MapProcessor::kStartGame)
        SetCommand(kToGame);
    else if (mMapProcessor.GetState() == MapProcessor::kBackToMenu)
        SetCommand(kGameToMenu);
}

} // namespace App
} // namespace Vorn
