// The end screen after the last level of the campaign: a picture, then, when the campaign was
// completed, an info page with the player's score multiplier.
#pragma once

#include "game/stage_commander.h"
#include "logic/graph_node.h"
#include "logic/stage.h"
#include "logic/timeline.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class IDisplayText;
class INode;
class ITimeline;
} // namespace Graph

namespace App {

class AppContext;

class StageEnd : public Logic::BaseStage, public StageCommander
{
public:
    StageEnd(Logic::IFactory* factory, AppContext* context);

    Bool OnInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    Bool OnDeInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageStart(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageRunning(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageIdle(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;

    Bool IsInfoShown() const { return mInfoShown; }

private:
    static Bool WasClicked(const Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>& button);

    AppContext* mContext;
    Logic::GraphINode mPicture;
    Logic::GraphINode mInfo;
    Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent> mBackButton;
    Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent> mCancelButton;
    Logic::GraphNodeT<Graph::ITimeline> mPictureTimeline;
    Logic::GraphNodeT<Graph::IDisplayText> mText;
    Logic::BaseTimeline mTimeline;
    Bool mInfoShown;
};

} // namespace App
} // namespace Vorn
