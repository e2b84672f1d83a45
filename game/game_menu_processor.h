// The in-game menu's processor: every sign laid over the play field. The level-start sign
// (title, description, tip picture, tap-to-start prompt) and the finished, failed, pause and zen
// signs, which share one namespace and one timeline with a window per sign. The game stage says
// which sign to show with which figures; the step animates the signs, plays their sounds, counts
// the score up and turns clicks into requests through the game state's play state.
#pragma once

#include "foundation/random.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/base_child_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class IDisplayPlane;
class IDisplayPlaneSequence;
class IDisplayText;
class INamespace;
class INode;
class IScalable;
class ISwitch;
class IText;
class ITimeline;
class ITransform;
} // namespace Graph
namespace Resource {
class ICollection;
}

namespace App {

class GameState;
class Playfield;
class Popup;
class SoundContainer;

class GameMenuProcessor : public Logic::BaseChildProcessor
{
public:
    enum Sign : UInt32
    {
        kNoSign = 0,
        kLevelStart = 1,
        kFinished = 2,
        kFailed = 3,
        kPause = 4,
        kZen = 5,
    };

    // The colour of sign texts drawn with the system font.
    static const Float kSystemFontColor[4];

    GameMenuProcessor(Logic::IFactory* factory, Playfield* playfield);
    ~GameMenuProcessor() override;

    // Binds every sign node; false when one is missing.
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;

    void ShowSign(Sign sign);
    // Plays the sign's leaving animation; the step hides it when the animation has ended.
    void HideSign();
    // Takes the sign down at once.
    void HideSignNow();
    // Fills the level-start sign for the level (0 is zen).
    void ShowLevelStart(UInt32 level);
    // The finished sign's base score and the player's best of the level.
    void SetFinishedScores(UInt32 baseScore);
    void SetTargetTotal(UInt32 total) { mTargetTotal = total; }
    void SetTimeBonusFactor(UInt32 factor) { mTimeBonusFactor = factor; }
    // Star k of the finished sign is earned when count is at least k.
    void SetStars(UInt32 count);
    // Places the sign again at the next step.
    void RepositionSigns() { mRepositionSigns = true; }

    // "59 SEC", "1:00" and "1:01:01".
    static String FormatZenTime(UInt32 seconds);
    // True when the display text's font has every UTF-8 character of the text.
    static Bool FontHasAllGlyphs(const String& text, const Graph::IDisplayText* displayText);
    // Lines of a description: 0 when empty, else 1 plus its line breaks.
    static UInt32 CountLines(const String& text);

    Playfield* GetPlayfield() const { return mPlayfield; }
    Sign GetSign() const { return mSignKind; }
    UInt32 GetFinishedScore() const { return mBaseScore; }
    UInt32 GetTargetTotal() const { return mTargetTotal; }
    UInt32 GetTimeBonusFactor() const { return mTimeBonusFactor; }
    UInt32 GetShownTotal() const { return mShownTotal; }
    Float GetFinishedTimer() const { return mFinishedTimer; }

private:
    using ButtonEvents = Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>;

    GameState* GetGameState() const;
    SoundContainer* GetSounds() const;
    String Text(const String& id) const;
    Bool IsBound() const { return mBound; }
    static Bool WasClicked(const ButtonEvents& button);
    static void Show(const Logic::GraphINode& node, Bool shown);
    static Bool IsShown(const Logic::GraphINode& node);
    static void PlayTimeline(Graph::ITimeline* timeline, Real startTime, Real endTime);
    static void AlignTransformsToPixelGrid(Graph::INode* node);
    void UpdateSignPosition();
    void UpdateMusicSwitch(Bool force);
    void SetSignText(const String& text, Logic::GraphNodeT<Graph::IDisplayText>& displayText,
                     Logic::GraphNodeT<Graph::INamespace>& systemFont);
    void SetupLevelStartSign(UInt32 level, Bool hasTip, UInt32 tipIndex);
    void SetZenTime(UInt32 seconds);
    void SetTimeBonus(UInt32 stars);
    // Starts the entry unless its first variant plays, at its own volume.
    void StartEntry(UInt32 entry);
    void ReleaseParticles();
    void StepTapToStart(UInt32 request);
    void StepButtons(Bool escapeBack);
    void StepSignSequence(Double dt);
    void StepCountUp(Double dt);
    void EmitPauseParticles();

    Playfield* mPlayfield;
    Popup* mPopup;
    Bool mRepositionSigns;
    Sign mSignKind;

    Logic::GraphNodeT<Graph::INamespace> mGameGraph;
    Logic::GraphNodeT<Graph::INamespace> mSignNamespace;
    Logic::GraphNodeT<Graph::INamespace> mLevelStartNamespace;
    Logic::GraphNodeT<Graph::IText> mLongSignTexture;
    Logic::GraphNodeT<Graph::ITimeline> mLevelStartTimeline;
    Logic::GraphNodeT<Graph::IDisplayPlane> mLevelStartBackground;
    Logic::GraphNodeT<Graph::ITransform> mLevelStartPosition;
    ButtonEvents mTapButton;
    Logic::GraphNodeT<Graph::ITransform> mTextPosition;
    Logic::GraphNodeT<Graph::ITimeline> mTapToStartTimeline;
    Logic::GraphNodeT<Graph::IDisplayText> mStageLine;
    Logic::GraphNodeT<Graph::IScalable> mLevelNameScale;
    Logic::GraphNodeT<Graph::IDisplayText> mLevelName;
    Logic::GraphNodeT<Graph::IDisplayText> mDescription;
    Logic::GraphNodeT<Graph::ITransform> mTapToStart;
    Logic::GraphNodeT<Graph::ITransform> mImagePosition;
    Logic::GraphNodeT<Graph::ISwitch> mTipSwitch;
    Logic::GraphNodeT<Graph::IDisplayPlaneSequence> mTipPicture;
    Logic::GraphNodeT<Graph::ITransform> mSignTransform;
    Logic::GraphNodeT<Graph::ITimeline> mSignTimeline;
    Logic::GraphNodeT<Graph::ISwitch> mSignSwitch;
    Logic::GraphNodeT<Graph::ISwitch> mStars[3];
    Logic::GraphNodeT<Graph::IDisplayText> mBaseScoreText;
    Logic::GraphNodeT<Graph::IDisplayText> mTotalScoreText;
    Logic::GraphNodeT<Graph::IDisplayText> mTimeBonusText;
    Logic::GraphNodeT<Graph::IDisplayText> mBestScoreText;
    ButtonEvents mNextButton;
    ButtonEvents mFinishedReplayButton;
    ButtonEvents mFinishedBackButton;
    Logic::GraphNodeT<Graph::ITransform> mFinishedBackTransform;
    ButtonEvents mCancelCelebrationButton;
    ButtonEvents mFailedReplayButton;
    ButtonEvents mFailedBackButton;
    ButtonEvents mRestartButton;
    ButtonEvents mResumeButton;
    ButtonEvents mPauseBackButton;
    ButtonEvents mResumeEverywhereButton;
    Logic::GraphNodeT<Graph::ISwitch> mMusicSwitch;
    ButtonEvents mAudioButton;
    Logic::GraphNodeT<Graph::IDisplayText> mPlayerText;
    Logic::GraphNodeT<Graph::INamespace> mPlayerSystemFont;
    Logic::GraphNodeT<Graph::IScalable> mBarLevelNameScale;
    Logic::GraphNodeT<Graph::IDisplayText> mBarLevelName;
    ButtonEvents mZenReplayButton;
    ButtonEvents mZenBackButton;
    Logic::GraphNodeT<Graph::IDisplayText> mZenScoreText;
    Logic::GraphNodeT<Graph::IDisplayText> mZenCountText;
    Logic::GraphNodeT<Graph::IDisplayText> mZenTimeText;
    Logic::GraphNodeT<Graph::ITransform> mAirstrikeButton;

    Float mFinishedTimer;
    Float mCountDoneTime;
    UInt32 mShownTotal;
    UInt32 mTargetTotal;
    UInt32 mBestScore;
    UInt32 mTimeBonusFactor;
    UInt32 mBaseScore;
    Bool mCountDone;
    Float mPauseEffectAccumulator;
    Float mLastViewWidth;
    Float mLastViewHeight;
    Float mLastViewOffset;
    Bool mUseSignFont;
    Bool mBound;
    String mPauseHeadText;
    Bool mMusicOff;
    Resource::ICollection* mTexts;
    Util::TT800 mRng;
};

} // namespace App
} // namespace Vorn
