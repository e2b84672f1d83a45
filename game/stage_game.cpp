#include "game/stage_game.h"

#include "core/package.h"
#include "game/app_context.h"
#include "game/stage_escape.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/time/timeline.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

// Flow request words of the game state that the stage follows.
constexpr UInt32 kLevelBegins = 1;
constexpr UInt32 kLevelStarted = 2;
constexpr UInt32 kZenBegins = 3;
constexpr UInt32 kRunning = 4;
constexpr UInt32 kPlaying = 5;
constexpr UInt32 kLost = 9;
constexpr UInt32 kLostShown = 10;
constexpr UInt32 kWon = 12;
constexpr UInt32 kWonShown = 13;
constexpr UInt32 kPauseAsked = 17;
constexpr UInt32 kPauseShown = 18;
constexpr UInt32 kLeave = 20;
constexpr UInt32 kTenthStageCleared = 21;
constexpr UInt32 kRestart = 22;
constexpr UInt32 kGoOn = 23;

UInt32 StarBonus(UInt32 stars)
{
    switch (stars) {
    case 1:
        return 50000;
    case 2:
        return 100000;
    case 3:
        return 250000;
    default:
        return 0;
    }
}

} // namespace

StageGame::StageGame(Logic::IFactory* factory, AppContext* context)
    : Logic::BaseStage(factory, String("game_stage_id"), String("game_stage")),
      mContext(context),
      mPlayfield(context),
      mAnimals(factory, &mPlayfield),
      mCourses(factory, &mPlayfield),
      mPlayer(factory, &mPlayfield),
      mScore(factory, &mPlayfield),
      mGameMenu(factory, &mPlayfield),
      mLevelHandler(&mPlayfield, &mAnimals, &mCourses, &mPlayer, &mScore),
      mFirstStep(false),
      mViewScaleCountdown(0),
      mViewWidth(0.0f),
      mViewHeight(0.0f),
      mLastLevelFinished(false),
      mDetail(true)
{
    mPlayer.SetWeaponContainer(mPlayfield.GetWeaponContainer());
}

StageGame::~StageGame() {}

void StageGame::InitLevelData(IFileInterface* fileInterface, Enums::FileCategory category)
{
    mLevelHandler.Init(fileInterface, category);
}

Bool StageGame::OnInit(Logic::IState* state, Logic::IStageProcessor*)
{
    Graph::IRoot* root = state->GetGraphRoot();
    Graph::INamespace* nameSpace = dynamic_cast<Graph::INamespace*>(root->GetRootNode());
    if (!mPlayfield.Init(nameSpace, String("/stage_game")))
        return false;
    mLevelHandler.ClearPackages();
    mLevelHandler.SetGraphRoot(nameSpace);
    mProcessor->AddChild(mAnimals.GetProcessor());
    mProcessor->AddChild(mCourses.GetProcessor());
    mProcessor->AddChild(mScore.GetProcessor());
    mProcessor->AddChild(mPlayer.GetProcessor());
    mProcessor->AddChild(mGameMenu.GetProcessor());
    mViewScaleCountdown = 0;
    mFirstStep = false;
    mStage->CreateStageTimeline(state, String("/stage_game/screen_timeline"), 0.25f, 0.5f);
    // Without the node the play field comes in without its fade.
    mPlayfieldTimeline.GetReference(state->GetGraphRoot(), String("/stage_game/playfield_timeline"));
    return true;
}

Bool StageGame::OnDeInit(Logic::IState*, Logic::IStageProcessor*)
{
    const Bool released = mPlayfieldTimeline.Remove();
    return mPlayfield.DeInit() && released;
}

void StageGame::OnStageStart(Logic::IState*, Logic::IStageProcessor*)
{
    GameState* gameState = mContext->GetGameState();
    gameState->SetPlayState(kLevelBegins);
    mGameMenu.HideSignNow();
    mGameMenu.ShowSign(GameMenuProcessor::kLevelStart);
    mGameMenu.ShowLevelStart(gameState->GetLevel());
    if (Graph::ITimeline* timeline = mPlayfieldTimeline.Get()) {
        timeline->SetStartTime(0.0f);
        timeline->SetEndTime(0.25f);
        timeline->SetNumberOfLoops(0);
        timeline->SetAutoRewind(false);
        timeline->Rewind();
        timeline->Stop();
    }
    mLevelHandler.LoadResource(gameState->GetLevel());
    mFirstStep = true;
    mViewScaleCountdown = 0;
    mLastLevelFinished = false;
}

void StageGame::OnStageRunning(Logic::IState* state, Logic::IStageProcessor*)
{
    IPackage* package = mLevelHandler.GetCurrentPackage();
    if (package != nullptr && package->IsLoaded() && !package->IsBusy()) {
        if (mFirstStep) {
            mFirstStep = false;
            mViewScaleCountdown = 2;
        }
        FollowPlayState();
    }
    LeaveFullScreenOnEscape(state);
}

void StageGame::FollowPlayState()
{
    GameState* gameState = mContext->GetGameState();
    Graph::ITimeline* timeline = mPlayfieldTimeline.Get();
    switch (gameState->GetPlayState()) {
    case kLevelBegins:
        gameState->SetPlayState(kLevelStarted);
        if (timeline != nullptr)
            timeline->Start();
        break;
    case kZenBegins:
        if (gameState->IsZen() && timeline != nullptr) {
            timeline->SetStartTime(1.0f);
            timeline->SetEndTime(121.0f);
            timeline->SetNumberOfLoops(-1);
            timeline->SetAutoRewind(true);
            timeline->Rewind();
            timeline->Start();
        }
        gameState->SetPlayState(kRunning);
        break;
    case kRunning:
        gameState->SetPlayState(kPlaying);
        break;
    case kLost:
        gameState->SetPlayState(kLostShown);
        if (gameState->IsZen()) {
            mGameMenu.ShowSign(GameMenuProcessor::kZen);
            gameState->CloseZenRun();
        } else {
            mGameMenu.ShowSign(GameMenuProcessor::kFailed);
        }
        break;
    case kWon:
        gameState->SetPlayState(kWonShown);
        FinishLevel();
        break;
    case kPauseAsked:
        gameState->SetPlayState(kPauseShown);
        mGameMenu.ShowSign(GameMenuProcessor::kPause);
        break;
    case kLeave:
        mStage->RequestStop();
        mGameMenu.HideSign();
        break;
    case kRestart:
        if (gameState->IsZen()) {
            // A new run clears the started-from-menu flag; a replay stays the menu's game, and
            // leaving it returns to the menu as the first run would.
            const Bool fromMenu = gameState->IsLevelChosen();
            gameState->CloseZenRun();
            gameState->StartZen();
            gameState->SetLevelChosen(fromMenu);
        }
        mLevelHandler.LoadResource(gameState->GetLevel());
        gameState->SetPlayState(kLevelStarted);
        mGameMenu.ShowSign(GameMenuProcessor::kLevelStart);
        mGameMenu.ShowLevelStart(gameState->GetLevel());
        break;
    case kGoOn:
        if (!mLastLevelFinished) {
            const UInt32 level = gameState->NextLevel();
            const PlayerData* player = gameState->GetCurrentPlayer();
            if (level % 10 == 1 && player != nullptr && level == player->GetFrontier())
                gameState->SetPlayState(kTenthStageCleared);
        }
        mStage->RequestStop();
        break;
    default:
        break;
    }
}

void StageGame::FinishLevel()
{
    GameState* gameState = mContext->GetGameState();
    mGameMenu.SetFinishedScores(gameState->GetRunScore());
    const PlayerData* player = gameState->GetCurrentPlayer();
    const UInt32 multiplier = player != nullptr ? player->GetPass() : 0;
    gameState->AddRunScore(StarBonus(gameState->GetRunStars()) * multiplier);
    mGameMenu.SetTargetTotal(gameState->GetRunScore());
    mGameMenu.SetTimeBonusFactor(multiplier);
    mGameMenu.ShowSign(GameMenuProcessor::kFinished);
    mLevelHandler.OnLevelFinished();
    gameState->SubmitCampaignScore();
    mLastLevelFinished = gameState->GetLevel() == gameState->GetLastLevel();
}

void StageGame::OnStageAnimate(Logic::IState*, Logic::IStageProcessor*)
{
    const GameState* gameState = mContext->GetGameState();
    const Float width = gameState->GetViewWidth();
    const Float height = gameState->GetViewHeight() + (gameState->IsZen() ? gameState->GetViewOffset() : 0.0f);
    if (width != mViewWidth || height != mViewHeight) {
        mViewWidth = width;
        mViewHeight = height;
        if (!mFirstStep)
            mViewScaleCountdown = 2;
    }
    Graph::INode* framebuffer = mPlayfield.GetFramebuffer();
    if (mViewScaleCountdown == 2) {
        if (framebuffer != nullptr)
            framebuffer->SetActive(true);
        mPlayfield.SetViewScale(mViewWidth, mViewHeight);
        mViewScaleCountdown = 1;
    } else if (mViewScaleCountdown == 1) {
        if (framebuffer != nullptr)
            framebuffer->SetActive(false);
        mViewScaleCountdown = 0;
    }
}

void StageGame::OnStageIdle(Logic::IState*, Logic::IStageProcessor*)
{
    const GameState* gameState = mContext->GetGameState();
    if (mLastLevelFinished)
        SetCommand(kGameToEnd);
    else if (gameState->GetPlayState() == kLeave)
        SetCommand(gameState->IsLevelChosen() ? kGameToMenu : kGameToMap);
    else
        SetCommand(gameState->GetPlayState() == kTenthStageCleared ? kGameToMap : kToGame);
}

} // namespace App
} // namespace Vorn
