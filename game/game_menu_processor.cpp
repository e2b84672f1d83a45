#include "game/game_menu_processor.h"

namespace Vorn {
namespace App {

GameMenuProcessor::GameMenuProcessor(Logic::IFactory* factory, Playfield* playfield)
    : Logic::BaseChildProcessor(factory),
      mPlayfield(playfield),
      mSign(kNoSign),
      mLeaving(false),
      mLevelShown(0),
      mFinishedScore(0),
      mTargetTotal(0),
      mTimeBonusFactor(0)
{
}

void GameMenuProcessor::ShowSign(Sign sign)
{
    mSign = sign;
    mLeaving = false;
}

void GameMenuProcessor::HideSign()
{
    mLeaving = true;
}

void GameMenuProcessor::HideSignNow()
{
    mSign = kNoSign;
    mLeaving = false;
}

void GameMenuProcessor::ShowLevelStart(UInt32 level)
{
    mLevelShown = level;
}

void GameMenuProcessor::SetFinishedScores(UInt32 score)
{
    mFinishedScore = score;
}

} // namespace App
} // namespace Vorn
