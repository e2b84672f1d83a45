// The in-game menu's processor: the signs over the play field (level start, pause, finished,
// failed, zen). For now it records which sign is up and what it shows; the sign graphics and
// buttons come later.
#pragma once

#include "foundation/types.h"
#include "logic/base_child_processor.h"

namespace Vorn {
namespace App {

class Playfield;

class GameMenuProcessor : public Logic::BaseChildProcessor
{
public:
    enum Sign : UInt32
    {
        kNoSign = 0,
        kLevelStart,
        kPause,
        kFinished,
        kFailed,
        kZen,
    };

    GameMenuProcessor(Logic::IFactory* factory, Playfield* playfield);

    void ShowSign(Sign sign);
    // Plays the sign's leaving animation.
    void HideSign();
    // Takes the sign down at once.
    void HideSignNow();
    void ShowLevelStart(UInt32 level);
    void SetFinishedScores(UInt32 score);
    void SetTargetTotal(UInt32 total) { mTargetTotal = total; }
    void SetTimeBonusFactor(UInt32 factor) { mTimeBonusFactor = factor; }

    Playfield* GetPlayfield() const { return mPlayfield; }
    Sign GetSign() const { return mSign; }
    Bool IsLeaving() const { return mLeaving; }
    UInt32 GetLevelShown() const { return mLevelShown; }
    UInt32 GetFinishedScore() const { return mFinishedScore; }
    UInt32 GetTargetTotal() const { return mTargetTotal; }
    UInt32 GetTimeBonusFactor() const { return mTimeBonusFactor; }

private:
    Playfield* mPlayfield;
    Sign mSign;
    Bool mLeaving;
    UInt32 mLevelShown;
    UInt32 mFinishedScore;
    UInt32 mTargetTotal;
    UInt32 mTimeBonusFactor;
};

} // namespace App
} // namespace Vorn
