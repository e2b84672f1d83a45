// The world map's processor: the path of stages with the marker that walks to the player's stage,
// the play-now sign, the stages-cleared sign with its sparkles every ten stages, the back and
// full-screen buttons, and the level chooser laid over the map, which it owns and feeds with
// pointer, drag and wheel input. The map stage turns its state into a stage change.
#pragma once

#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/level_select_overlay.h"
#include "logic/base_child_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class ICamera;
class IDisplayText;
class INamespace;
class INode;
class IScalable;
class ISwitch;
class ITimeline;
class ITransform;
} // namespace Graph
namespace Logic {
class IDeviceHandler;
}

namespace App {

class AppContext;
class GameState;
class ParticleContainer;
class SoundContainer;

class MapProcessor : public Logic::BaseChildProcessor
{
public:
    // The map's states; the last two end the visit.
    enum State : UInt32
    {
        kMap = 0,
        kChooser = 1,
        kBackToMenu = 2,
        kStartGame = 3,
    };

    // The pointer as ReadPointer reports it.
    enum PointerState : UInt32
    {
        kPointerNone = 0,
        kPointerPressed = 1,
        kPointerHeld = 2,
        kPointerReleased = 3,
    };

    static constexpr UInt32 kNumberOfMarkerPositions = 102;

    MapProcessor(Logic::IFactory* factory, AppContext* context);
    ~MapProcessor() override;

    // Binds every node of the map and the level chooser; false when one is missing.
    Bool OnInit(Logic::IState* state) override;
    // False when the chooser's nodes were not all released.
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;

    // Back to the interactive map with the marker at the start of the path.
    void Reset();
    // Starts the map's entry animations; the play-now sign waits while a stages-cleared sign is due.
    void StartIntro();

    State GetState() const { return mState; }
    // Opening and closing the chooser go with the map's own animation.
    void SetState(State state);
    LevelSelectOverlay* GetLevelChooser() { return &mLevelSelectOverlay; }

    // The place of stage index on the map; (0, 0) above the table.
    static void GetMarkerPosition(UInt32 index, Float& x, Float& y);
    // Lays the map out for the view size of the game state, when it changed.
    void UpdateLayout();
    // Snaps the transforms below the node to the pixel grid, leaving axes that are exactly 0.
    static void SnapToPixelGrid(Graph::INode* node);
    // The pointer's scene position and its state (PointerState).
    void ReadPointer(Logic::IDeviceHandler* devices, Math::Vector<Float>& position, UInt32& pointerState);

    Float GetMarkerProgress() const { return mMarkerProgress; }
    Bool IsSignPending() const { return mSignPending; }

private:
    using ButtonEvents = Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>;
    static constexpr UInt32 kMapButtons = 3;

    GameState* GetGameState() const;
    static Bool WasClicked(const ButtonEvents& button);
    static Bool IsShown(const Logic::GraphINode& node);
    static void Show(const Logic::GraphINode& node, Bool shown);
    static void PlayTimeline(Graph::ITimeline* timeline, Real startTime, Real endTime);
    void ShowMapButtons(Bool shown);
    void EnableButtons(Bool enabled);
    void PlaceMarker(Float x, Float y);
    // The stage to play next: the start request, and the map is left for the game.
    void StartStage(UInt32 stage);
    void TakeStagesClearedEvent(Logic::IState* state, UInt32 reached, UInt32 factor);
    void WalkMarker(Float target, Double dt);
    void PlayEntrySounds();
    void StepMap(Double dt, Bool backPressed, UInt32 reached, Float target);
    void StepChooser(Bool backPressed);
    void FeedChooser(Logic::IDeviceHandler* devices, const Math::Vector<Float>& position, UInt32 pointerState);
    void EmitSparkles();
    void PlayIfLoaded(UInt32 entry);

    AppContext* mAppContext;
    SoundContainer* mSoundContainer;
    LevelSelectOverlay mLevelSelectOverlay;
    State mState;

    Logic::GraphNodeT<Graph::ICamera> mCamera;
    Logic::GraphNodeT<Graph::ITransform> mCameraTransform;
    Logic::GraphNodeT<Graph::INamespace> mMapNamespace;
    Logic::GraphNodeT<Graph::ITimeline> mBaseMapTimeline;
    Logic::GraphNodeT<Graph::ITimeline> mStartTimeline;
    Logic::GraphNodeT<Graph::ITimeline> mPlayNowStartTimeline;
    ButtonEvents mMapButtonEvents[kMapButtons];
    Logic::GraphNodeT<Graph::IButton> mMapButtons[kMapButtons];
    Logic::GraphNodeT<Graph::IScalable> mBackgroundScale;
    Logic::GraphNodeT<Graph::ISwitch> mArrowSwitch;
    Logic::GraphNodeT<Graph::ITransform> mArrowTransform;
    ButtonEvents mBackEvents;
    Logic::GraphNodeT<Graph::IButton> mBackButton;
    ButtonEvents mSaveQuitEvents;
    Logic::GraphNodeT<Graph::IButton> mSaveQuitButton;
    Logic::GraphNodeT<Graph::ITransform> mPlayNowTransform;
    ButtonEvents mPlayNowEvents;
    Logic::GraphNodeT<Graph::IButton> mPlayNowButton;
    Logic::GraphNodeT<Graph::ITimeline> mWritingTimeline;
    Logic::GraphNodeT<Graph::ITransform> mCarrotTransform;
    Logic::GraphNodeT<Graph::ITransform> mSignTransform;
    Logic::GraphNodeT<Graph::ITimeline> mSignTimeline;
    ButtonEvents mSignEvents;
    Logic::GraphNodeT<Graph::IDisplayText> mSignText1;
    Logic::GraphNodeT<Graph::IDisplayText> mSignText2;
    ButtonEvents mCancelMarkerEvents;
    Logic::GraphNodeT<Graph::IButton> mCancelMarkerButton;
    Logic::GraphNodeT<Graph::ITransform> mMarkerTransform;
    Logic::GraphNodeT<Graph::ISwitch> mTapClickSwitch;
    ButtonEvents mFullScreenEvents;
    Logic::GraphNodeT<Graph::ITransform> mFullScreenTransform;
    Logic::GraphNodeT<Graph::ISwitch> mFullScreenSwitch;

    Float mLastViewWidth;
    Float mLastViewHeight;
    Float mMarkerProgress;
    Float mSparkleAccumulator;
    Bool mSignPending;
    Bool mRatePending;
    UInt32 mTouchIndex;
    UInt32 mConfigStamp;
    Util::TT800 mRandom;
};

} // namespace App
} // namespace Vorn
