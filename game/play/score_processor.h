// The game stage's processor of the scores: it books the score events that play queues into
// points, score pop-ups and sounds, keeps the score bar (stage title, score, courses, pause
// buttons and its layout) up to date, and plays the level's music.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/game_state.h"
#include "game/play/play_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IButton;
class IIndexed;
class ISwitch;
class IText;
class ITransform;
}
namespace Resource {
class ICollection;
}

namespace App {

class ScoreProcessor : public PlayProcessor
{
public:
    // The six texts of the score bar, in binding order.
    enum TextSlot : UInt32
    {
        kValueRings = 0,
        kValueScore,
        kWordPause,
        kWordRings,
        kWordScore,
        kWordStage,
        kNumberOfTexts
    };

    ScoreProcessor(Logic::IFactory* factory, Playfield* playfield);
    ~ScoreProcessor() override;

    // Binds the score bar, snaps it to the pixel grid and lays it out; false when a node is
    // missing.
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;

    // The per-step work over the collection's texts (none gives empty texts).
    void Step(Resource::ICollection* texts);
    // Shows the band picture of the background kind and chooses its music, which the next step
    // starts.
    void SetBackground(UInt32 kind);
    // Books one event: counters, sounds and pop-up; the points it earned.
    UInt32 AddScoreEvent(const ScoreEvent& event, Resource::ICollection* texts);
    // Lays the bar out for the screen size when it changed; false when a text is missing.
    Bool Layout();
    // Forgets the level, score and course values the bar shows, so that the next step writes
    // them all again.
    void ResetShownValues();

    UInt32 GetMusic() const { return mMusic; }
    UInt32 GetRemovalStep() const { return mRemovalStep; }
    Graph::IText* GetText(TextSlot slot) const { return mTexts[slot]; }

private:
    Bool BindTexts(SInt32 child);
    void ReleaseTexts();
    void SetText(TextSlot slot, const String& text);
    void PlayPraise();
    void SnapChildren(Graph::INode* node);

    Logic::GraphNodeT<Graph::ITransform> mPlayfieldTransform;
    Logic::GraphNodeT<Graph::ITransform> mAnchor;
    Logic::GraphNodeT<Graph::ISwitch> mSelect;
    Logic::GraphNodeT<Graph::IIndexed> mBandPicture;
    Logic::GraphNodeT<Graph::IButton> mBandPauseButton;
    Logic::GraphNodeT<Graph::IButton> mPauseButton;
    Logic::GraphNodeT<Graph::ITransform> mWordScore;
    Logic::GraphNodeT<Graph::ITransform> mWordRings;
    Logic::GraphNodeT<Graph::ITransform> mWordPause;
    Logic::GraphNodeT<Graph::ITransform> mValueScore;
    Logic::GraphNodeT<Graph::ITransform> mValueRings;
    Logic::GraphNodeT<Graph::ITransform> mPauseButtonTransform;
    Graph::IText* mTexts[kNumberOfTexts];
    Graph::INode* mTextNodes[kNumberOfTexts];
    SInt32 mLevelShown;
    SInt32 mScoreShown;
    SInt32 mCoursesShown;
    Float mLayoutWidth;
    Float mLayoutHeight;
    UInt32 mMusic;
    UInt32 mRemovalStep;
};

} // namespace App
} // namespace Vorn
