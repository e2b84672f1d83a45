// The level chooser that the menu and the map lay over their screen: a sheet "/overlaymap" of
// pages with 20 level tiles each (5 columns, 4 rows), turned with the arrow buttons or a swipe.
// The owners open and close it, feed it the pointer and read the picked level and the back
// button.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/levelpaper.h"
#include "logic/graph_node.h"
#include "logic/node_observer.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class INamespace;
class ITimeline;
class ITransform;
} // namespace Graph
namespace Logic {
class IState;
}

namespace App {

class AppContext;
class PlayerData;

class LevelSelectOverlay
{
public:
    static constexpr UInt32 kNext = 1;
    static constexpr UInt32 kPrevious = 0;

    explicit LevelSelectOverlay(AppContext* context);

    // False when a node of the sheet or of a tile is missing. Leaves the sheet hidden.
    Bool Init(Logic::IState* state);
    Bool DeInit();

    // Builds the page and plays the opening. With lockCurrent (the menu's free play) the level
    // that the profile has reached is not playable.
    void Open(Bool lockCurrent);
    // Plays the closing; the sheet hides when it has run out.
    void Close();
    // Once per step of the owner: ends animations, changes pages, reads the arrow buttons.
    void Update();

    // Shown or hidden as a whole; nothing happens while the node is missing.
    void SetShown(Bool shown);
    Bool IsShown() const;

    // Where a press began; allows the press to pick a level.
    void SetTouchStart(const Math::Vector<Float>& position);
    // Turns the page when the pointer moved more than 50 units sideways from the press.
    void HandleSwipe(const Math::Vector<Float>& position);
    // Ignored while an animation runs.
    void StartPageTurn(UInt32 direction);
    // The level whose tile was pressed in this step, or -1.
    SInt32 GetPressedLevel() const;
    Bool IsBackPressed() const;

    // The page holding the level; levels beyond the last give the last page.
    void SetFirstLevel(UInt32 level);
    UInt32 GetFirstLevel() const { return mFirstLevel; }

    void SetCaption(const String& caption) { mCaption = caption; }
    const String& GetCaption() const { return mCaption; }
    const LevelpaperContainer& GetLevelpapers() const { return mLevelpapers; }

private:
    LevelSelectOverlay(const LevelSelectOverlay&) = delete;
    LevelSelectOverlay& operator=(const LevelSelectOverlay&) = delete;

    using ButtonEvents = Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>;

    void Observe(Logic::GraphINode* reference);
    void PlayTimeline(Real startTime, Real endTime, Real timeScale);
    void BuildPage();
    // The record count of the current profile (level 0 is zen); 0 without a profile.
    UInt32 GetNumberOfLevels() const;
    const PlayerData* GetPlayer() const;
    static Bool WasPressed(const ButtonEvents& button);

    AppContext* mContext;
    LevelpaperContainer mLevelpapers;
    String mCaption;
    Bool mPageTurnPending;
    UInt32 mPageTurnDirection;
    UInt32 mFirstLevel;
    Bool mLockCurrent;
    Math::Vector<Float> mTouchStart;
    Bool mPressAllowed;
    Logic::GraphNodeT<Graph::INamespace> mRoot;
    Logic::GraphNodeT<Graph::ITimeline> mTimeline;
    ButtonEvents mBackEvents;
    Logic::GraphNodeT<Graph::ITransform> mBackPosition;
    ButtonEvents mLeftEvents;
    ButtonEvents mRightEvents;
    Logic::BaseNodeObserver mNodeObserver;
};

} // namespace App
} // namespace Vorn
