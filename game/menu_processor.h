// The main menu's processor: the start screen's sign with its start, profile and scroll-list
// faces, the three profile slots, the new-player sign with its name entry, the credits and the
// local and online high-score lists, the sound and full-screen toggles and the background
// animals. The menu stage owns it, calls EnterMenu when the stage starts and reads mMenuState
// after each step.
#pragma once

#include "foundation/random.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "logic/base_child_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
class IConfiguration;

namespace Graph {
class IButton;
class IButtonEvent;
class ICamera;
class IDisplayText;
class INamespace;
class INode;
class IRoot;
class IScalable;
class ISwitch;
class IText;
class ITimeline;
class ITransform;
} // namespace Graph

namespace Logic {
class IDeviceHandler;
}

namespace Resource {
class ICollection;
}

namespace App {

class AppContext;
class GameState;
class HalvexHighscores;
class LevelSelectOverlay;
class OnlineScoresFontHandler;
class ParticleContainer;
class Popup;
class ScoresFontContainer;
class SoundContainer;

class MenuProcessor : public Logic::BaseChildProcessor
{
public:
    // Faces and signs of mMenuState.
    static constexpr SInt32 kStartFace = 0;
    static constexpr SInt32 kProfileFace = 1;
    static constexpr SInt32 kCredits = 2;
    static constexpr SInt32 kLocalScores = 4;
    static constexpr SInt32 kOnlineScores = 5;
    static constexpr SInt32 kLevelChooser = 6;
    static constexpr SInt32 kNewPlayer = 7;
    // Menu states that the menu stage acts on.
    static constexpr SInt32 kStayInMenu = 8;
    static constexpr SInt32 kGoToMap = 9;
    static constexpr SInt32 kStartGame = 10;

    // The longest profile name, in UTF-8 characters.
    static constexpr UInt32 kMaxNameLength = 11;

    // Pointer kinds that ReadPointer gives.
    enum PointerKind : UInt32
    {
        kPointerNone = 0,
        kPointerDown = 1,
        kPointerMoved = 2,
        kPointerUp = 3,
    };

    MenuProcessor(Logic::IFactory* factory, AppContext* context, LevelSelectOverlay* levelChooser);
    ~MenuProcessor() override;

    // Binds every node of the menu and prepares the start face; false when a node is missing or
    // of the wrong kind (every missing node logs its own line).
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;

    // The menu stage starts: picks the first face.
    void EnterMenu();

    // Creates the profile of the open new-player sign; false when no slot is free or the game
    // state refuses the profile (the sign stays open).
    Bool CreatePlayer(const String& name);
    // Deletes the profile in the slot; false for a slot above 2.
    Bool DeleteProfile(SInt32 slot);
    void OpenNewPlayer(SInt32 slot);
    void SetMenuState(SInt32 state);
    void ShowSignContent();
    void ShowWelcomeText();
    void ShowNewPlayerSign();
    void UpdateProfileSlots();
    // True when the Game Center row of the new-player sign is shown.
    Bool UpdateNewPlayerGameCenter();
    void ShowDeleteProfilePopup(SInt32 slot);
    void ShowOnlineScoreOptIn();
    void UpdateSoundSwitch(Bool force);
    void FillLocalHighscores();
    void UpdateLayout();
    void StartAnimalJump();
    void AnimateBackground();

    // Shows a text on one of the menu's text places: the bitmap-font node when its font has
    // every character, else the system-font texture.
    void SetText(Logic::GraphNodeT<Graph::IDisplayText>& displayText, Logic::GraphNodeT<Graph::INamespace>& systemFont,
                 Logic::GraphNodeT<Graph::IText>& texture, const String& text);
    // True when the font has a glyph for every character above the space.
    static Bool IsTextInFont(const String& text, const Graph::IDisplayText* font);

    SInt32 GetMenuState() const { return mMenuState; }
    SInt32 GetNewPlayerSlot() const { return mNewPlayerSlot; }
    const String& GetNewPlayerName() const { return mNewPlayerName; }
    SInt32 GetDeleteSlot() const { return mDeleteSlot; }
    Bool IsSignContentPending() const { return mSignContentPending; }
    Bool UsesBitmapFontOnly() const { return mUseBitmapFontOnly; }
    Float GetScrollVelocity() const { return mScrollVelocity; }
    Float GetBackgroundPhase() const { return mBackgroundPhase; }
    SInt32 GetLocalListBottom() const { return mLocalListBottom; }
    LevelSelectOverlay* GetLevelChooser() const { return mLevelSelectOverlay; }

    // Read and reset by the menu stage after each step.
    SInt32 mMenuState;

private:
    MenuProcessor(const MenuProcessor&) = delete;
    MenuProcessor& operator=(const MenuProcessor&) = delete;

    using ButtonEvents = Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>;
    using Namespace = Logic::GraphNodeT<Graph::INamespace>;
    using Transform = Logic::GraphNodeT<Graph::ITransform>;
    using Timeline = Logic::GraphNodeT<Graph::ITimeline>;
    using Switch = Logic::GraphNodeT<Graph::ISwitch>;
    using Text = Logic::GraphNodeT<Graph::IText>;
    using DisplayText = Logic::GraphNodeT<Graph::IDisplayText>;

    void Bind(Graph::IRoot* root, Logic::GraphINode& reference, const char* path);
    void ResetStepState();
    // The parts that differ by device class: lower buttons, quit and full-screen toggles, the
    // online header, the brand logo and the sound switch.
    void ShowDeviceParts(IConfiguration* configuration);
    String GetText(const char* id) const;
    String GetCurrentPlayerName() const;
    void ReadPointer(Logic::IDeviceHandler* devices, Math::Vector<Float>& position, UInt32& kind);
    void MirrorSoundSetting();
    void StepStartFace(Bool escape, Float dt, Logic::IState* state);
    void StepProfileFace(Bool escape);
    void StepLevelChooser(Bool escape);
    void StepNewPlayer(Logic::IDeviceHandler* devices, Float dt);
    void StepScrollList(Logic::IDeviceHandler* devices, Logic::IState* state, Bool escape, UInt32 pointerKind,
                        const Math::Vector<Float>& pointer);
    void StepScoreService(Logic::IDeviceHandler* devices);
    void ShowNameEntry();
    void PlayCue(UInt32 entry);

    GameState* mGameState;
    SoundContainer* mSoundContainer;
    ParticleContainer* mParticleContainer;
    ScoresFontContainer* mScoresFontContainer;
    HalvexHighscores* mHighscores;
    OnlineScoresFontHandler* mOnlineScoresFontHandler;
    LevelSelectOverlay* mLevelSelectOverlay;
    Popup* mPopup;
    AppContext* mContext;
    Logic::IState* mState;

    SInt32 mDeleteSlot;
    Bool mSignContentPending;
    Bool mAnimalJumpStarted;
    Bool mProfilesChanged;

    Logic::GraphNodeT<Graph::ICamera> mCamera;
    Transform mCameraTransform;
    Namespace mMainMenu;
    Text mSignLongTexture;
    Text mProfileTexture1;
    Text mProfileTexture2;
    Text mProfileTexture3;
    Text mNewProfileTexture;
    Transform mBottomText;
    Transform mBottomCopyright;
    ButtonEvents mCopyrightButton;
    Transform mBottomEngineLogo;
    ButtonEvents mEngineLogoButton;
    Timeline mBaseTimeline;
    Transform mLogo;
    Transform mSign;
    Transform mCatapult;
    Logic::GraphNodeT<Graph::IScalable> mBackgroundScale;
    Switch mAnimalSwitch;
    Timeline mAnimalTimeline;
    Timeline mSignTimeline;
    Switch mSignSwitch;
    Switch mSlotSwitch1;
    Switch mSlotSwitch2;
    Switch mSlotSwitch3;
    ButtonEvents mProfileBackButton;
    ButtonEvents mQuestButton;
    ButtonEvents mZenButton;
    ButtonEvents mFreeplayButton;
    ButtonEvents mProfileButton;
    DisplayText mTitleName;
    Namespace mTitleNameSystemFont;
    Transform mTitleNameTransform;
    Switch mMusicSwitch;
    ButtonEvents mAudioButton;
    DisplayText mSlotName1;
    DisplayText mSlotName2;
    DisplayText mSlotName3;
    Text mSlotStage1;
    Text mSlotStage2;
    Text mSlotStage3;
    Namespace mSlotNameSystemFont1;
    Namespace mSlotNameSystemFont2;
    Namespace mSlotNameSystemFont3;
    Namespace mNewPlayerSystemFont;
    Transform mSlotGameCenterSign1;
    Transform mSlotGameCenterSign2;
    Transform mSlotGameCenterSign3;
    DisplayText mProfileHeadline;
    Namespace mProfileHeadlineSystemFont;
    ButtonEvents mNewButton1;
    ButtonEvents mLoadButton1;
    ButtonEvents mDeleteButton1;
    ButtonEvents mNewButton2;
    ButtonEvents mLoadButton2;
    ButtonEvents mDeleteButton2;
    ButtonEvents mNewButton3;
    ButtonEvents mLoadButton3;
    ButtonEvents mDeleteButton3;
    Namespace mNewPlayer;
    Timeline mNewPlayerTimeline;
    Transform mNameSign;
    ButtonEvents mNewPlayerOkButton;
    ButtonEvents mNewPlayerGameCenterButton;
    DisplayText mNewPlayerNameText;
    Logic::GraphINode mNewPlayerGameCenter;
    ButtonEvents mNewPlayerGameCenterEvent;
    Namespace mScrollListRoot;
    Namespace mScrollLists;
    Switch mScrollListSwitch;
    Transform mScrollListPosition;
    Switch mOnlineHeaderSwitch;
    ButtonEvents mHighscoresButton;
    ButtonEvents mToggleLocalGlobalButton;
    Transform mHighscoresTransform;
    ButtonEvents mCreditsButton;
    ButtonEvents mQuitButton;
    ButtonEvents mScrollListBackButton;
    Switch mGameCenterSwitch;
    Transform mCreditsTransform;
    Transform mQuitTransform;
    Transform mGameCenterStatus;
    Text mGameCenterText1;
    Text mGameCenterText2;
    ButtonEvents mGameCenterStatusButton;
    Transform mBrandLogo;
    ButtonEvents mBrandLogoButton;
    ButtonEvents mFullscreenButton;
    Transform mFullscreenTransform;
    Switch mFullscreenSwitch;

    SInt32 mNewPlayerSlot;
    String mNewPlayerName;
    String mNewPlayerInput;
    Float mLayoutWidth;
    Float mLayoutHeight;
    Float mSignY;
    UInt32 mPointerIndex;
    Bool mUseBitmapFontOnly;
    String mWelcomeText;
    String mChooseProfileText;
    Bool mSoundOffShown;
    Bool mIsComputer;
    Util::TT800 mRng;

    // The step's own state.
    Bool mCursorVisible;
    Float mCursorTimer;
    SInt32 mScoreServiceState;
    Bool mDragging;
    Bool mDragMoved;
    Math::Vector<Float> mDragPosition;
    Float mScrollVelocity;
    Float mDragTime;
    SInt32 mLocalListBottom;
    UInt32 mFullscreenStamp;
    Float mBackgroundPhase;
    Bool mToggleListRequest;
};

} // namespace App
} // namespace Vorn
