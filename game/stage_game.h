// The play field's stage: it owns the play field, the play processors, the in-game menu and the
// level handler, follows the flow request word of the game state through a level and rescales
// the play field when the view size changes.
#pragma once

#include "foundation/types.h"
#include "game/game_menu_processor.h"
#include "game/play/animals_processor.h"
#include "game/play/course_processor.h"
#include "game/play/level_handler.h"
#include "game/play/play_field.h"
#include "game/play/player_processor.h"
#include "game/play/score_processor.h"
#include "game/stage_commander.h"
#include "logic/graph_node.h"
#include "logic/stage.h"

namespace Vorn {
class IFileInterface;
namespace Graph {
class ITimeline;
}

namespace App {

class AppContext;

class StageGame : public Logic::BaseStage, public StageCommander
{
public:
    StageGame(Logic::IFactory* factory, AppContext* context);
    ~StageGame() override;

    Bool OnInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    Bool OnDeInit(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageStart(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageRunning(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageAnimate(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;
    void OnStageIdle(Logic::IState* state, Logic::IStageProcessor* stageProcessor) override;

    // Hands the level handler the file interface and the file category of the level file.
    void InitLevelData(IFileInterface* fileInterface, Enums::FileCategory category);

    Playfield* GetPlayfield() { return &mPlayfield; }
    LevelHandler* GetLevelHandler() { return &mLevelHandler; }
    GameMenuProcessor* GetGameMenuProcessor() { return &mGameMenu; }
    AnimalsProcessor* GetAnimalsProcessor() { return &mAnimals; }
    CourseProcessor* GetCourseProcessor() { return &mCourses; }
    PlayerProcessor* GetPlayerProcessor() { return &mPlayer; }
    ScoreProcessor* GetScoreProcessor() { return &mScore; }
    void SetDetail(Bool detail) { mDetail = detail; }
    Bool GetDetail() const { return mDetail; }
    Bool IsLastLevelFinished() const { return mLastLevelFinished; }
    void SetLastLevelFinished(Bool finished) { mLastLevelFinished = finished; }
    SInt32 GetViewScaleCountdown() const { return mViewScaleCountdown; }

private:
    // What the level's flow request word asks for in a running step.
    void FollowPlayState();
    void FinishLevel();

    AppContext* mContext;
    Playfield mPlayfield;
    AnimalsProcessor mAnimals;
    CourseProcessor mCourses;
    PlayerProcessor mPlayer;
    ScoreProcessor mScore;
    GameMenuProcessor mGameMenu;
    LevelHandler mLevelHandler;
    Bool mFirstStep;
    SInt32 mViewScaleCountdown;
    Float mViewWidth;
    Float mViewHeight;
    Bool mLastLevelFinished;
    Bool mDetail;
    Logic::GraphNodeT<Graph::ITimeline> mPlayfieldTimeline;
};

} // namespace App
} // namespace Vorn
