#include "game/menu_processor.h"

#include <cmath>

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "foundation/math.h"
#include "foundation/text.h"
#include "game/app_context.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/level_select_overlay.h"
#include "game/local_highscores.h"
#include "game/menu_text.h"
#include "game/online_scores_font.h"
#include "game/play/particles.h"
#include "game/player_data.h"
#include "game/popup.h"
#include "game/scores_font.h"
#include "game/sound_container.h"
#include "graph/display_text.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/root.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "graph/view/camera.h"
#include "logic/device_handler.h"
#include "logic/processor.h"
#include "logic/state.h"
#include "resource/collection.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kComputerFamily = UInt32(Enums::DeviceClass::COMPUTER);
constexpr UInt32 kDesktopFamily = UInt32(Enums::DeviceModel::DESKTOP);
constexpr UInt32 kOsxFamily = UInt32(Enums::OperatingSystem::OSX);
constexpr UInt32 kEscapeKey = 1;
constexpr UInt32 kEnterCharacter = 13;
constexpr UInt32 kBackspaceCharacter = 8;

// Sounds of the menu.
constexpr UInt32 kTitleMusic = 1;
constexpr UInt32 kClickSound = 9;
constexpr UInt32 kSignSound = 43;
constexpr UInt32 kBounceSound = 54;
constexpr UInt32 kBounce2Sound = 55;
constexpr UInt32 kExcellentSound = 60;

const Color kMenuTextColor = {0.4f, 0.16f, 0.08f, 1.0f};

// The scroll lists' drag area, relative to the sign's position.
constexpr Float kListLeft = -273.0f;
constexpr Float kListRight = 562.0f;
constexpr Float kListBottom = 217.0f;
constexpr Float kListTop = 728.0f;
constexpr Float kListTopPosition = 240.0f;
constexpr Float kCreditsStart = 100.0f;
constexpr Float kCreditsWrapHigh = 2840.0f;
constexpr Float kCreditsWrapLow = -240.0f;
constexpr Float kCreditsSpeed = 30.0f;
constexpr Float kWheelStep = 32.0f;
constexpr Float kWheelLimit = 192.0f;
constexpr Float kRestingSpeed = 0.5f;
constexpr Float kBackgroundRate = 30.0f;
constexpr SInt32 kParticleDepthOrder = 105210;
constexpr SInt32 kFirstParticleImage = 35;

Float Snap(Float value)
{
    return AlignToPixelGrid(value, 0.0f);
}

void Show(const Logic::GraphINode& reference, Bool shown)
{
    if (Graph::INode* node = reference.GetNode())
        node->SetActiveAndVisible(shown);
}

void Select(const Logic::GraphNodeT<Graph::ISwitch>& reference, SInt32 child)
{
    if (Graph::ISwitch* node = reference.Get())
        node->SetIndex(child);
}

void SetX(const Logic::GraphNodeT<Graph::ITransform>& reference, Float x)
{
    if (Graph::ITransform* node = reference.Get())
        node->SetPositionX(x);
}

void SetY(const Logic::GraphNodeT<Graph::ITransform>& reference, Float y)
{
    if (Graph::ITransform* node = reference.Get())
        node->SetPositionY(y);
}

Float GetY(const Logic::GraphNodeT<Graph::ITransform>& reference)
{
    const Graph::ITransform* node = reference.Get();
    return node != nullptr ? node->GetTransform()[13] : 0.0f;
}

// Set start, set end, rewind, start.
void Run(const Logic::GraphNodeT<Graph::ITimeline>& reference, Real start, Real end)
{
    Graph::ITimeline* timeline = reference.Get();
    if (timeline == nullptr)
        return;
    timeline->SetStartTime(start);
    timeline->SetEndTime(end);
    timeline->Rewind();
    timeline->Start();
}

// Start time set and rewound, not started.
void Park(const Logic::GraphNodeT<Graph::ITimeline>& reference, Real start)
{
    if (Graph::ITimeline* timeline = reference.Get()) {
        timeline->SetStartTime(start);
        timeline->Rewind();
    }
}

void SetTimeScale(const Logic::GraphNodeT<Graph::ITimeline>& reference, Real scale)
{
    if (Graph::ITimeline* timeline = reference.Get())
        timeline->SetTimeScale(scale);
}

Bool IsRunning(const Logic::GraphNodeT<Graph::ITimeline>& reference)
{
    return reference.Get() != nullptr && reference.Get()->IsRunning();
}

Double CurrentTime(const Logic::GraphNodeT<Graph::ITimeline>& reference)
{
    return reference.Get() != nullptr ? reference.Get()->GetCurrentTime() : 0.0;
}

// A click is a release inside the button in this step.
template <typename Events>
Bool Clicked(const Events& button)
{
    return button.GetEvent() != nullptr && button.GetEvent()->WasReleasedInside();
}

Bool StartsCharacter(UInt8 byte)
{
    return byte < 0x80 || byte >= 0xC0;
}

// Byte length of the last UTF-8 character of the text (0 for an empty text).
SInt32 LastCharacterLength(const String& text)
{
    const char* bytes = text.GetText();
    SInt32 i = text.GetLength();
    while (i > 0) {
        --i;
        if (StartsCharacter(UInt8(bytes[i])))
            break;
    }
    return text.GetLength() - i;
}

UInt32 CountCharacters(const String& text)
{
    UInt32 count = 0;
    for (SInt32 i = 0; i < text.GetLength(); ++i) {
        if (StartsCharacter(UInt8(text.GetText()[i])))
            ++count;
    }
    return count;
}

String FormatUnsigned(UInt32 value)
{
    char buffer[16];
    Util::PrintToBuffer(buffer, sizeof(buffer), "%u", unsigned(value));
    return String(buffer);
}

// A draw from 0 to n - 1: the upper half of the 64-bit product.
UInt32 Draw(Util::TT800& rng, UInt32 n)
{
    return UInt32((UInt64(rng.Rand()) * n) >> 32);
}

} // namespace

MenuProcessor::MenuProcessor(Logic::IFactory* factory, AppContext* context, LevelSelectOverlay* levelChooser)
    : Logic::BaseChildProcessor(factory),
      mMenuState(kStartFace),
      mGameState(context->GetGameState()),
      mSoundContainer(context->GetSoundContainer()),
      mParticleContainer(context->GetParticleContainer()),
      mScoresFontContainer(context->GetScoresFontContainer()),
      mHighscores(context->GetHighscores()),
      mOnlineScoresFontHandler(context->GetOnlineScoresFontHandler()),
      mLevelSelectOverlay(levelChooser),
      mPopup(context->GetPopup()),
      mContext(context),
      mState(nullptr),
      mDeleteSlot(-1),
      mSignContentPending(false),
      mAnimalJumpStarted(false),
      mProfilesChanged(false),
      mNewPlayerSlot(-1),
      mLayoutWidth(0.0f),
      mLayoutHeight(0.0f),
      mSignY(0.0f),
      mPointerIndex(0),
      mUseBitmapFontOnly(false),
      mSoundOffShown(false),
      mIsComputer(false)
{
    ResetStepState();
}

MenuProcessor::~MenuProcessor()
{
}

void MenuProcessor::ResetStepState()
{
    mCursorVisible = false;
    mCursorTimer = 0.0f;
    mScoreServiceState = 0;
    mDragging = false;
    mDragMoved = false;
    mDragPosition = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    mScrollVelocity = 0.0f;
    mDragTime = 0.0f;
    mLocalListBottom = 480;
    mFullscreenStamp = 0;
    mBackgroundPhase = 0.0f;
    mToggleListRequest = false;
}

void MenuProcessor::Bind(Graph::IRoot* root, Logic::GraphINode& reference, const char* path)
{
    mProcessor->AddGraphNode(reference.GetReference(root, String(path)));
}

Bool MenuProcessor::OnInit(Logic::IState* state)
{
    mState = state;
    Graph::IRoot* root = state->GetGraphRoot();
    IConfiguration* configuration = state->GetConfiguration();
    const Bool isComputer = configuration != nullptr && configuration->IsDeviceClass(kComputerFamily);

    Bind(root, mCamera, "/camera");
    Bind(root, mCameraTransform, "/camera");
    Bind(root, mMainMenu, "/stage_start/mainmenu");

    // Pieces placed from other screens' templates stand on whole pixels too.
    if (mMainMenu.GetNode() != nullptr)
        SnapTransformsToPixelGrid(mMainMenu.GetNode());
    for (const char* path : {"/stage_map/basemap", "/overlaymap", "/popup", "/stage_start/newplayer"}) {
        if (Graph::INode* node = root->FindNode(String(path))) {
            if (dynamic_cast<Graph::INamespace*>(node) != nullptr)
                SnapTransformsToPixelGrid(node);
            node->RemoveReference();
        }
    }

    // A sign texture of another kind means there are no system-font textures at all.
    if (Graph::INode* node = root->FindNode(String("/systemfont_textures/tex_sign_long"))) {
        mUseBitmapFontOnly = dynamic_cast<Graph::IText*>(node) == nullptr;
        node->RemoveReference();
    }
    if (!mUseBitmapFontOnly) {
        Bind(root, mSignLongTexture, "/systemfont_textures/tex_sign_long");
        Bind(root, mProfileTexture1, "/systemfont_textures/tex_profile1");
        Bind(root, mProfileTexture2, "/systemfont_textures/tex_profile2");
        Bind(root, mProfileTexture3, "/systemfont_textures/tex_profile3");
        Bind(root, mNewProfileTexture, "/systemfont_textures/tex_newprofile");
    }

    const struct
    {
        const char* mPath;
        Logic::GraphINode* mReference;
    } bindings[] = {
        {"/stage_start/mainmenu/bottom_text", &mBottomText},
        {"/stage_start/mainmenu/bottom_copyright", &mBottomCopyright},
        {"/stage_start/mainmenu/bottom_copyright", &mCopyrightButton},
        {"/stage_start/mainmenu/bottom_vorn", &mBottomEngineLogo},
        {"/stage_start/mainmenu/bottom_vorn", &mEngineLogoButton},
        {"/stage_start/mainmenu/base_timeline", &mBaseTimeline},
        {"/stage_start/mainmenu/mm_logo", &mLogo},
        {"/stage_start/mainmenu/mm_sign", &mSign},
        {"/stage_start/mainmenu/mm_catapult", &mCatapult},
        {"/stage_start/mainmenu/mm_bg_scale", &mBackgroundScale},
        {"/stage_start/mainmenu/mm_animal", &mAnimalSwitch},
        {"/stage_start/mainmenu/mm_animal_timeline", &mAnimalTimeline},
        {"/stage_start/mainmenu/mm_sign_timeline", &mSignTimeline},
        {"/stage_start/mainmenu/mm_sign_switch", &mSignSwitch},
        {"/stage_start/mainmenu/mm_sign_profile/mm_slot1", &mSlotSwitch1},
        {"/stage_start/mainmenu/mm_sign_profile/mm_slot2", &mSlotSwitch2},
        {"/stage_start/mainmenu/mm_sign_profile/mm_slot3", &mSlotSwitch3},
        {"/stage_start/mainmenu/mm_sign_profile/button_back", &mProfileBackButton},
        {"/stage_start/mainmenu/mm_sign_start/button_quest", &mQuestButton},
        {"/stage_start/mainmenu/mm_sign_start/button_zen", &mZenButton},
        {"/stage_start/mainmenu/mm_sign_start/button_freeplay", &mFreeplayButton},
        {"/stage_start/mainmenu/mm_sign_start/button_profile", &mProfileButton},
        {"/stage_start/mainmenu/mm_sign_start/titlename", &mTitleName},
        {"/stage_start/mainmenu/mm_sign_start/titlename_systemfont", &mTitleNameSystemFont},
        {"/stage_start/mainmenu/mm_sign_start/titlename", &mTitleNameTransform},
        {"/stage_start/mainmenu/mm_sign_start/mm_music_switch", &mMusicSwitch},
        {"/stage_start/mainmenu/mm_sign_start/button_audio", &mAudioButton},
        {"/stage_start/mainmenu/mm_sign_profile/used1/name", &mSlotName1},
        {"/stage_start/mainmenu/mm_sign_profile/used2/name", &mSlotName2},
        {"/stage_start/mainmenu/mm_sign_profile/used3/name", &mSlotName3},
        {"/stage_start/mainmenu/mm_sign_profile/used1/stage", &mSlotStage1},
        {"/stage_start/mainmenu/mm_sign_profile/used2/stage", &mSlotStage2},
        {"/stage_start/mainmenu/mm_sign_profile/used3/stage", &mSlotStage3},
        {"/stage_start/mainmenu/mm_sign_profile/used1/systemfont", &mSlotNameSystemFont1},
        {"/stage_start/mainmenu/mm_sign_profile/used2/systemfont", &mSlotNameSystemFont2},
        {"/stage_start/mainmenu/mm_sign_profile/used3/systemfont", &mSlotNameSystemFont3},
        {"/stage_start/newplayer/systemfont", &mNewPlayerSystemFont},
        {"/stage_start/mainmenu/mm_sign_profile/used1/gamecenter_sign", &mSlotGameCenterSign1},
        {"/stage_start/mainmenu/mm_sign_profile/used2/gamecenter_sign", &mSlotGameCenterSign2},
        {"/stage_start/mainmenu/mm_sign_profile/used3/gamecenter_sign", &mSlotGameCenterSign3},
        {"/stage_start/mainmenu/mm_sign_profile/profile_headline", &mProfileHeadline},
        {"/stage_start/mainmenu/mm_sign_profile/profile_headline_systemfont", &mProfileHeadlineSystemFont},
        {"/stage_start/mainmenu/mm_sign_profile/empty1/button_new_paper", &mNewButton1},
        {"/stage_start/mainmenu/mm_sign_profile/used1/button_load_paper", &mLoadButton1},
        {"/stage_start/mainmenu/mm_sign_profile/used1/button_delete", &mDeleteButton1},
        {"/stage_start/mainmenu/mm_sign_profile/empty2/button_new_paper", &mNewButton2},
        {"/stage_start/mainmenu/mm_sign_profile/used2/button_load_paper", &mLoadButton2},
        {"/stage_start/mainmenu/mm_sign_profile/used2/button_delete", &mDeleteButton2},
        {"/stage_start/mainmenu/mm_sign_profile/empty3/button_new_paper", &mNewButton3},
        {"/stage_start/mainmenu/mm_sign_profile/used3/button_load_paper", &mLoadButton3},
        {"/stage_start/mainmenu/mm_sign_profile/used3/button_delete", &mDeleteButton3},
        {"/stage_start/newplayer", &mNewPlayer},
        {"/stage_start/newplayer/timeline", &mNewPlayerTimeline},
        {"/stage_start/newplayer/name_sign", &mNameSign},
        {"/stage_start/newplayer/button_ok", &mNewPlayerOkButton},
        {"/stage_start/newplayer/button_gamecenter", &mNewPlayerGameCenterButton},
        {"/stage_start/newplayer/new_playername_text", &mNewPlayerNameText},
        {"/stage_start/newplayer/gamecenter", &mNewPlayerGameCenter},
        {"/stage_start/newplayer/button_gamecenter", &mNewPlayerGameCenterEvent},
        {"/fbo_scrolllist", &mScrollListRoot},
        {"/fbo_scrolllist/scrolllists", &mScrollLists},
        {"/fbo_scrolllist/scrolllists/scrolllists_switch", &mScrollListSwitch},
        {"/fbo_scrolllist/scrolllists/position", &mScrollListPosition},
        {"/fbo_scrolllist/scrolllists/onlinehighscore/onlinehighscore_header_switch", &mOnlineHeaderSwitch},
        {"/stage_start/mainmenu/mm_sign_start/button_highscores", &mHighscoresButton},
        {"/stage_start/mainmenu/mm_sign_scrolllist/button_toggle_localglobal", &mToggleLocalGlobalButton},
        {"/stage_start/mainmenu/mm_sign_start/button_highscores", &mHighscoresTransform},
        {"/stage_start/mainmenu/mm_sign_start/button_credits", &mCreditsButton},
        {"/stage_start/mainmenu/mm_sign_start/button_quitgame", &mQuitButton},
        {"/stage_start/mainmenu/mm_sign_scrolllist/button_back", &mScrollListBackButton},
        {"/fbo_scrolllist/scrolllists/highscore/gamecenter", &mGameCenterSwitch},
        {"/stage_start/mainmenu/mm_sign_start/button_credits", &mCreditsTransform},
        {"/stage_start/mainmenu/mm_sign_start/button_quitgame", &mQuitTransform},
        {"/stage_start/mainmenu/mm_sign_start/gamecenter_status", &mGameCenterStatus},
        {"/stage_start/mainmenu/mm_sign_start/gamecenter_status_text1", &mGameCenterText1},
        {"/stage_start/mainmenu/mm_sign_start/gamecenter_status_text2", &mGameCenterText2},
        {"/stage_start/mainmenu/mm_sign_start/gamecenter_status_button", &mGameCenterStatusButton},
        {"/stage_start/mainmenu/mm_sign_start/welkanto_logo", &mBrandLogo},
        {"/stage_start/mainmenu/mm_sign_start/welkanto_logo_button", &mBrandLogoButton},
        {"/stage_start/mainmenu/button_toggle_fullscreen", &mFullscreenButton},
        {"/stage_start/mainmenu/button_toggle_fullscreen", &mFullscreenTransform},
        {"/stage_start/mainmenu/mm_toggle_fullscreen_switch", &mFullscreenSwitch},
    };
    for (const auto& binding : bindings)
        Bind(root, *binding.mReference, binding.mPath);
    if (!mProcessor->AreGraphNodesValid())
        return false;

    SnapTransformsToPixelGrid(mScrollLists.GetNode());

    mSignContentPending = false;
    mAnimalJumpStarted = false;
    mProfilesChanged = false;
    ResetStepState();
    mNewPlayerSlot = -1;
    mNewPlayerName = String();
    mNewPlayerInput = String();
    mLayoutWidth = 0.0f;
    mLayoutHeight = 0.0f;
    UpdateLayout();
    mIsComputer = isComputer;
    ShowDeviceParts(configuration);
    mWelcomeText = GetText("texts:menu_welcome");
    mChooseProfileText = GetText("texts:menu_choose_profile");
    ShowWelcomeText();
    return true;
}

void MenuProcessor::ShowDeviceParts(IConfiguration* configuration)
{
    UpdateSoundSwitch(true);
    if (mIsComputer)
        Select(mOnlineHeaderSwitch, 1);
    Show(mBrandLogo, false);
    if (mIsComputer) {
        SetX(mHighscoresTransform, Snap(-250.0f));
        SetX(mCreditsTransform, Snap(0.0f));
        SetX(mQuitTransform, Snap(250.0f));
        Show(mQuitButton, true);
        Select(mFullscreenSwitch, configuration->GetFullScreen() ? 0 : 1);
    } else {
        SetX(mHighscoresTransform, Snap(-160.0f));
        SetX(mCreditsTransform, Snap(160.0f));
        Show(mQuitButton, false);
        Show(mFullscreenTransform, false);
    }
}

Bool MenuProcessor::OnDeInit(Logic::IState*)
{
    return true;
}

String MenuProcessor::GetText(const char* id) const
{
    Resource::ICollection* collection = mState != nullptr ? mState->GetResourceCollection() : nullptr;
    const char* text = collection != nullptr ? collection->GetText(String(id)) : nullptr;
    return String(text != nullptr ? text : "");
}

String MenuProcessor::GetCurrentPlayerName() const
{
    const PlayerData* player = mGameState->GetPlayer(mGameState->GetCurrentPlayerIndex());
    return player != nullptr ? player->GetName() : String();
}

// Faces, texts and profiles.

Bool MenuProcessor::IsTextInFont(const String& text, const Graph::IDisplayText* font)
{
    if (font == nullptr)
        return false;
    // The character being gathered; continuation bytes past the buffer are dropped.
    char character[16];
    SInt32 length = 0;
    auto finish = [&]() {
        if (length == 0)
            return true;
        character[length] = '\0';
        length = 0;
        return font->HasGlyph(character);
    };
    const char* bytes = text.GetText();
    for (SInt32 i = 0; i < text.GetLength(); ++i) {
        const UInt8 byte = UInt8(bytes[i]);
        if (StartsCharacter(byte)) {
            if (!finish())
                return false;
            // Spaces and control bytes are never asked.
            if (byte > 0x20)
                character[length++] = char(byte);
        } else if (length > 0 && length < SInt32(sizeof(character)) - 2) {
            character[length++] = char(byte);
        }
    }
    return finish();
}

void MenuProcessor::SetText(DisplayText& displayText, Namespace& systemFont, Text& texture, const String& text)
{
    Graph::IDisplayText* display = displayText.Get();
    if (display == nullptr)
        return;
    if (mUseBitmapFontOnly || IsTextInFont(text, display)) {
        Show(displayText, true);
        Show(systemFont, false);
        display->SetText(text);
        return;
    }
    Show(displayText, false);
    Show(systemFont, true);
    Graph::INamespace* nameSpace = systemFont.Get();
    Graph::INode* found = nameSpace != nullptr ? nameSpace->FindNode(String("parameters")) : nullptr;
    auto* parameters = dynamic_cast<Graph::IParameters*>(found);
    if (parameters != nullptr) {
        if (texture.Get() != nullptr)
            texture.Get()->SetText(text);
        parameters->SetColor(1, kMenuTextColor);
    }
    if (found != nullptr)
        found->RemoveReference();
}

void MenuProcessor::ShowWelcomeText()
{
    SetText(mTitleName, mTitleNameSystemFont, mSignLongTexture, mWelcomeText + GetCurrentPlayerName());
}

void MenuProcessor::SetMenuState(SInt32 state)
{
    mSignContentPending = state != kLevelChooser;
    mMenuState = state;
    Run(mSignTimeline, 20.0f, 22.0f);
    if (mParticleContainer != nullptr)
        mParticleContainer->ReleaseAll();
}

void MenuProcessor::ShowSignContent()
{
    mSignContentPending = false;
    Select(mScrollListSwitch, 0);
    if (mScrollListRoot.GetNode() != nullptr)
        mScrollListRoot.GetNode()->SetActive(false);
    const auto showList = [&](SInt32 child) {
        if (mScrollListRoot.GetNode() != nullptr)
            mScrollListRoot.GetNode()->SetActive(true);
        Select(mScrollListSwitch, child);
        Select(mSignSwitch, 2);
    };
    switch (mMenuState) {
    case kStartFace:
        ShowWelcomeText();
        Select(mSignSwitch, 1);
        break;
    case kProfileFace:
        SetText(mProfileHeadline, mProfileHeadlineSystemFont, mSignLongTexture,
                GetCurrentPlayerName() + mChooseProfileText);
        Select(mSignSwitch, 0);
        break;
    case kCredits:
        showList(1);
        SetY(mScrollListPosition, Snap(kCreditsStart));
        Show(mToggleLocalGlobalButton, false);
        break;
    case kLocalScores:
        showList(2);
        SetY(mScrollListPosition, Snap(kListTopPosition));
        break;
    case kOnlineScores:
        showList(3);
        break;
    default:
        break;
    }
}

void MenuProcessor::UpdateProfileSlots()
{
    Switch* switches[] = {&mSlotSwitch1, &mSlotSwitch2, &mSlotSwitch3};
    DisplayText* names[] = {&mSlotName1, &mSlotName2, &mSlotName3};
    Namespace* systemFonts[] = {&mSlotNameSystemFont1, &mSlotNameSystemFont2, &mSlotNameSystemFont3};
    Text* textures[] = {&mProfileTexture1, &mProfileTexture2, &mProfileTexture3};
    Transform* signs[] = {&mSlotGameCenterSign1, &mSlotGameCenterSign2, &mSlotGameCenterSign3};
    Text* stages[] = {&mSlotStage1, &mSlotStage2, &mSlotStage3};
    const String stageCaption = GetText("texts:stage");
    for (UInt32 i = 0; i < 3; ++i) {
        const PlayerData* player = mGameState->GetPlayer(i);
        if (player == nullptr)
            continue;
        Select(*switches[i], player->IsUsed() ? 1 : 0);
        SetText(*names[i], *systemFonts[i], *textures[i], BreakLines(player->GetName()));
        Show(*signs[i], !player->GetPlayerId().IsEmpty());
        if (stages[i]->Get() != nullptr)
            stages[i]->Get()->SetText(stageCaption + FormatUnsigned(player->GetFrontier()));
    }
    mProfilesChanged = false;
}

Bool MenuProcessor::DeleteProfile(SInt32 slot)
{
    if (slot < 0 || slot > 2)
        return false;
    const Bool exists = UInt32(slot) < GameState::NumberOfPlayers;
    if (exists)
        mGameState->DeletePlayer(UInt32(slot));
    mSoundContainer->Play(kClickSound);
    if (exists && mGameState->IsCurrentPlayer(UInt32(slot))) {
        OpenNewPlayer(slot);
        return true;
    }
    mProfilesChanged = true;
    return true;
}

void MenuProcessor::OpenNewPlayer(SInt32 slot)
{
    mNewPlayerSlot = slot;
    mNewPlayerName = String();
    mNewPlayerInput = String();
    if (mNewPlayerNameText.Get() != nullptr)
        mNewPlayerNameText.Get()->SetText(mNewPlayerName);
    ShowNewPlayerSign();
    Run(mSignTimeline, 20.0f, 22.0f);
    Run(mBaseTimeline, 0.0f, 0.25f);
}

void MenuProcessor::ShowNewPlayerSign()
{
    mMenuState = kNewPlayer;
    Show(mNewPlayer, true);
    if (mIsComputer)
        Run(mNewPlayerTimeline, 10.0f, 10.7f);
    else
        Run(mNewPlayerTimeline, 0.0f, 0.5f);
    UpdateNewPlayerGameCenter();
}

Bool MenuProcessor::UpdateNewPlayerGameCenter()
{
    Logic::IDeviceHandler* devices = mState != nullptr ? mState->GetDeviceHandler() : nullptr;
    String id;
    const Bool offered = devices != nullptr && mGameState->GetScoreServiceState() == 2 &&
                         devices->GetScoreServicePlayerId(id) && !mGameState->IsPlayerIdTaken(id);
    Show(mNewPlayerGameCenter, offered);
    SetY(mNameSign, offered ? -240.0f : 0.0f);
    return offered;
}

void MenuProcessor::ShowDeleteProfilePopup(SInt32 slot)
{
    mDeleteSlot = slot;
    const PlayerData* player = mGameState->GetPlayer(UInt32(slot));
    const String message = GetText("texts:delete_profile1") + (player != nullptr ? player->GetName() : String()) +
                           "\n" + GetText("texts:delete_profile2");
    if (mPopup != nullptr)
        mPopup->ShowTwoButtons(String("deletePlayerSlot"), message, GetText("texts:delete_profile_yes"),
                               GetText("texts:delete_profile_no"));
}

void MenuProcessor::ShowOnlineScoreOptIn()
{
    if (mPopup == nullptr)
        return;
    mPopup->ShowTwoButtons(String("onlineScore"), String("ENABLE GLOBAL HIGH SCORE LIST?"),
                           String("INTERNET CONNECTION REQUIRED. NO PERSONAL DATA WILL BE TRANSMITTED.\n"
                                  "YOU CAN CHANGE THIS SETTING IN THE HIGH SCORE LIST."),
                           String("YES"), String("NO"));
}

void MenuProcessor::UpdateSoundSwitch(Bool force)
{
    const Bool soundOff = mGameState->IsMuted();
    if (soundOff == mSoundOffShown && !force)
        return;
    mSoundOffShown = soundOff;
    if (soundOff) {
        Select(mMusicSwitch, 0);
        mSoundContainer->StopEffects();
        mSoundContainer->PauseMusic();
    } else {
        Select(mMusicSwitch, 1);
    }
}

void MenuProcessor::FillLocalHighscores()
{
    Graph::IRoot* root = mState != nullptr ? mState->GetGraphRoot() : nullptr;
    auto* nameSpace = root != nullptr ? dynamic_cast<Graph::INamespace*>(root->GetRootNode()) : nullptr;
    if (nameSpace == nullptr)
        return;
    App::FillLocalHighscores(nameSpace, *mGameState, mScoresFontContainer, mProfileHeadline.Get(), &mLocalListBottom);
}

// Layout, pointer and background.

void MenuProcessor::UpdateLayout()
{
    const Float w = mGameState->GetViewWidth();
    const Float h = mGameState->GetViewHeight();
    const Float e = mGameState->GetViewOffset();
    if (w == mLayoutWidth && h == mLayoutHeight)
        return;
    mLayoutWidth = w;
    mLayoutHeight = h;
    if (e != 0.0f) {
        SetY(mLogo, (e + h) * 0.5f - 120.0f);
        const Float s = w != 0.0f ? (h + e) * 16.0f / (w * 10.0f) : 1.0f;
        SetY(mCatapult, Snap(s * -274.0f));
        mSignY = Snap(-482.0f);
        SetY(mSign, mSignY);
        if (mBackgroundScale.Get() != nullptr)
            mBackgroundScale.Get()->SetScaleFactor(1.0f, s, 1.0f);
        SetY(mBottomText, Snap(14.0f - (h + e) * 0.5f));
    } else {
        SetY(mLogo, Snap(h * 0.5f - 120.0f));
        SetY(mCatapult, Snap(-264.0f));
        if (mBackgroundScale.Get() != nullptr)
            mBackgroundScale.Get()->SetScaleFactor(1.0f, 1.0f, 1.0f);
        mSignY = Snap(-470.0f);
        SetY(mSign, mSignY);
        SetY(mBottomText, Snap(14.0f - h * 0.5f));
    }
    SetX(mBottomCopyright, Snap(300.0f - w * 0.5f));
    SetX(mBottomEngineLogo, Snap(w * 0.5f - 150.0f));
    SetX(mFullscreenTransform, Snap(w * 0.5f - 26.0f));
    SetY(mFullscreenTransform, Snap((h + e) * 0.5f - 26.0f));
}

void MenuProcessor::ReadPointer(Logic::IDeviceHandler* devices, Math::Vector<Float>& position, UInt32& kind)
{
    Float x = 0.0f;
    Float y = 0.0f;
    const UInt32 touches = devices->GetNumberOfTouches();
    if (touches > 0) {
        for (UInt32 i = 0; i < touches; ++i) {
            if (devices->WasTouchPressed(i)) {
                mPointerIndex = i;
                break;
            }
        }
        devices->GetTouchPosition(mPointerIndex, x, y);
    } else {
        devices->GetMousePosition(x, y);
    }
    Math::Vector<float> point(x, y, 0.0f, 1.0f);
    if (mCamera.Get() != nullptr && mCameraTransform.Get() != nullptr) {
        const Float depth = -mCameraTransform.Get()->GetTransform().Get(2, 3);
        mCamera.Get()->UnprojectScreenPoint(point, x, y, depth);
    }
    position = Math::Vector<Float>(point.x, point.y, 0.0f, 1.0f);

    const Enums::MouseButton left = Enums::MouseButton::LEFT;
    const Enums::MouseButton right = Enums::MouseButton::RIGHT;
    const Bool touch = touches > 0;
    if (devices->WasMouseButtonPressed(left) || devices->WasMouseButtonPressed(right) ||
        (touch && devices->WasTouchPressed(mPointerIndex)))
        kind = kPointerDown;
    else if (devices->WasMouseButtonReleased(left) || devices->WasMouseButtonReleased(right) ||
             (touch && devices->WasTouchReleased(mPointerIndex)))
        kind = kPointerUp;
    else if (((devices->IsMouseButtonDown(left) || devices->IsMouseButtonDown(right)) && devices->HasMouseMoved()) ||
             (touch && devices->HasTouchMoved(mPointerIndex)))
        kind = kPointerMoved;
    else
        kind = kPointerNone;
}

void MenuProcessor::StartAnimalJump()
{
    mAnimalJumpStarted = true;
    Run(mAnimalTimeline, 20.0f, 20.2f);
}

void MenuProcessor::AnimateBackground()
{
    const Float y0 = mSignY + 480.0f;
    const Enums::InterpolationType linear = Enums::InterpolationType::LINEAR;
    for (; mBackgroundPhase > 1.0f; mBackgroundPhase -= 1.0f) {
        ParticleAnimator* particle = mParticleContainer != nullptr ? mParticleContainer->Obtain() : nullptr;
        if (particle == nullptr)
            continue;
        particle->SetDepthOrder(kParticleDepthOrder);
        particle->SetImage(kFirstParticleImage + SInt32(Draw(mRng, 2)));
        const Float u1 = Float(mRng.Rand()) / 4294967295.0f;
        const Float u2 = Float(mRng.Rand()) / 4294967295.0f;
        const Float angle = 2.0f * Float(Math::Pi) * u1;
        const Float r = 1.0f + 0.5f * u2;
        const Float c = Math::Cos(angle) * r;
        const Float s = Math::Sin(angle) * r;

        ParticleTrack& position = particle->GetPositionTrack();
        const Float keys[5][3] = {{0.0f, 10.0f, 5.0f},
                                  {0.25f, 40.0f, 20.0f},
                                  {0.5f, 70.0f, 35.0f},
                                  {0.75f, 100.0f, 50.0f},
                                  {1.0f, 140.0f, 65.0f}};
        for (const auto& key : keys)
            position.AppendKey(key[0], Math::Vector<float>(160.0f + key[1] * c, y0 + key[2] * s, 0.0f, 1.0f), linear);

        ParticleTrack& rotation = particle->GetRotationTrack();
        const Float firstSign = Draw(mRng, 2) == 0 ? -1.0f : 1.0f;
        const Float secondSign = Draw(mRng, 2) == 0 ? -1.0f : 1.0f;
        rotation.AppendKey(0.0f, Math::Vector<float>(0.0f, 0.0f, 1.0f, firstSign * Float(Math::Pi) * 0.5f), linear);
        rotation.AppendKey(1.0f, Math::Vector<float>(0.0f, 0.0f, 1.0f, secondSign * Float(Math::Pi)), linear);

        ParticleTrack& color = particle->GetColorTrack();
        const Float fades[4][2] = {{0.0f, 0.0f}, {0.2f, 1.0f}, {0.8f, 1.0f}, {1.0f, 0.0f}};
        for (const auto& fade : fades)
            color.AppendKey(fade[0], Math::Vector<float>(1.0f, 1.0f, 1.0f, fade[1]), linear);

        for (ParticleTrack* track : {&position, &rotation, &color, &particle->GetScaleTrack()})
            track->GetTimeline()->SetEndTime(1.0f);
        position.GetTimeline()->SetTimeScale((0.8f + 0.2f * (Float(mRng.Rand()) / 4294967296.0f)) / 0.7f);
        particle->Start();
    }
}

// The step.

void MenuProcessor::PlayCue(UInt32 entry)
{
    mSoundContainer->PlayIfIdle(entry, false);
}

void MenuProcessor::MirrorSoundSetting()
{
    UpdateSoundSwitch(false);
}

void MenuProcessor::EnterMenu()
{
    // Graphs of packages loaded since Init may have set the menu's nodes back to their own
    // values: the layout and the device's parts are made again.
    mLayoutWidth = 0.0f;
    mLayoutHeight = 0.0f;
    UpdateLayout();
    if (mState != nullptr && mState->GetConfiguration() != nullptr)
        ShowDeviceParts(mState->GetConfiguration());
    ShowWelcomeText();
    const Bool anyProfile = !mGameState->HasNoPlayers();
    if (anyProfile) {
        if (mGameState->IsLevelChosen() && mGameState->GetLevel() != 0) {
            // Back from a free-play level: the chooser again, the sign stays away.
            mMenuState = kLevelChooser;
            Select(mAnimalSwitch, SInt32(Draw(mRng, 3)));
            Run(mAnimalTimeline, 7.0f, 10.6f);
            SetTimeScale(mSignTimeline, 4.0f);
            Park(mSignTimeline, 22.0f);
            Park(mBaseTimeline, 0.25f);
            mLevelSelectOverlay->Open(true);
        } else {
            mMenuState = kStartFace;
            Select(mAnimalSwitch, SInt32(Draw(mRng, 3)));
            Run(mAnimalTimeline, 7.0f, 10.6f);
            mAnimalJumpStarted = false;
            Select(mSignSwitch, 1);
            SetTimeScale(mSignTimeline, 4.0f);
            Run(mSignTimeline, 8.0f, 13.0f);
            Park(mBaseTimeline, 0.0f);
        }
    } else {
        ShowNewPlayerSign();
        SetTimeScale(mSignTimeline, 4.0f);
        Park(mSignTimeline, 22.0f);
        Park(mBaseTimeline, 0.25f);
    }
    mProfilesChanged = true;
}

void MenuProcessor::OnStep(Logic::IState* state)
{
    mState = state;
    Logic::IDeviceHandler* devices = state->GetDeviceHandler();
    IConfiguration* configuration = state->GetConfiguration();
    const Float dt = Float(state->GetCurrentTickDuration());
    UpdateLayout();
    MirrorSoundSetting();

    Math::Vector<Float> pointer(0.0f, 0.0f, 0.0f, 1.0f);
    UInt32 pointerKind = kPointerNone;
    ReadPointer(devices, pointer, pointerKind);

    const Bool escape = devices->IsRawKeyboardAvailable() && devices->WasRawKeyReleased(kEscapeKey) &&
                        !IsRunning(mSignTimeline) && !IsRunning(mBaseTimeline);

    if (mMenuState == kStartGame)
        mSoundContainer->FadeOut(kTitleMusic);
    else if (!mGameState->IsMuted() && !mSoundContainer->IsPlaying(kTitleMusic))
        mSoundContainer->PlayIfIdle(kTitleMusic, true);

    if (configuration->HasFullScreenChanged(mFullscreenStamp)) {
        mFullscreenStamp = configuration->GetCurrentStamp();
        Select(mFullscreenSwitch, configuration->GetFullScreen() ? 0 : 1);
    }
    if (!IsRunning(mNewPlayerTimeline) && mMenuState != kNewPlayer)
        Show(mNewPlayer, false);
    if (!IsRunning(mAnimalTimeline) && mAnimalJumpStarted) {
        Select(mAnimalSwitch, SInt32(Draw(mRng, 3)));
        mAnimalJumpStarted = false;
        Run(mAnimalTimeline, 10.0f, 10.6f);
    }

    if (mPopup != nullptr && mPopup->IsOpen()) {
        mPopup->Process(escape);
        if (mMainMenu.GetNode() != nullptr)
            mMainMenu.GetNode()->SetActive(!mPopup->IsAnimationDone());
        const UInt32 result = mPopup->GetResult();
        if (result == Popup::kNoResult)
            return;
        const Bool yes = result == 1;
        if (mPopup->IsAction(String("deletePlayerSlot"))) {
            if (yes)
                DeleteProfile(mDeleteSlot);
            mDeleteSlot = -1;
        } else if (mPopup->IsAction(String("quitGame"))) {
            if (yes)
                devices->RequestQuit();
        } else if (mPopup->IsAction(String("onlineScore"))) {
            mToggleListRequest = yes;
            mGameState->SetOnlineScoresChoice(yes);
        }
        return;
    }

    if (mMainMenu.GetNode() != nullptr)
        mMainMenu.GetNode()->SetActive(true);
    if (Clicked(mFullscreenButton))
        configuration->SetFullScreen(!configuration->GetFullScreen());
    if ((mMenuState == kGoToMap || mMenuState == kStartGame) && mParticleContainer != nullptr)
        mParticleContainer->ReleaseAll();
    if (mProfilesChanged)
        UpdateProfileSlots();

    if (IsRunning(mSignTimeline) && !mSignContentPending) {
        const Double t = CurrentTime(mSignTimeline);
        if (t > 10.1 && t < 10.3 && mMenuState >= kStartFace && mMenuState <= kOnlineScores)
            PlayCue(kSignSound);
        if (t > 12.2 && t < 12.4 && mMenuState >= kProfileFace && mMenuState <= kOnlineScores)
            PlayCue(kBounceSound);
    }
    if (IsRunning(mAnimalTimeline)) {
        const Double t = CurrentTime(mAnimalTimeline);
        if (t > 10.35 && t < 10.45)
            PlayCue(kBounce2Sound);
    }
    if (!IsRunning(mSignTimeline) && mSignContentPending) {
        ShowSignContent();
        Run(mSignTimeline, 10.0f, 13.0f);
    }

    if (mLevelSelectOverlay->IsShown()) {
        mLevelSelectOverlay->Update();
        const SInt32 level = mLevelSelectOverlay->GetPressedLevel();
        if (level >= 0) {
            mSoundContainer->Play(kClickSound);
            mGameState->StartLevel(UInt32(level));
            mMenuState = kStartGame;
            mLevelSelectOverlay->Close();
        }
        if (pointerKind == kPointerDown)
            mLevelSelectOverlay->SetTouchStart(pointer);
        else if (pointerKind == kPointerMoved)
            mLevelSelectOverlay->HandleSwipe(pointer);
        Float wheelA = 0.0f;
        Float wheelB = 0.0f;
        devices->GetMouseWheelDelta(wheelA, wheelB);
        if (wheelA != 0.0f)
            mLevelSelectOverlay->StartPageTurn(wheelA > 0.0f ? LevelSelectOverlay::kNext
                                                              : LevelSelectOverlay::kPrevious);
    }

    if (mMenuState >= kStartFace && mMenuState <= kOnlineScores)
        StepScoreService(devices);

    switch (mMenuState) {
    case kStartFace:
        StepStartFace(escape, dt, state);
        break;
    case kProfileFace:
        StepProfileFace(escape);
        break;
    case kCredits:
    case kLocalScores:
    case kOnlineScores:
        StepScrollList(devices, state, escape, pointerKind, pointer);
        break;
    case kLevelChooser:
        StepLevelChooser(escape);
        break;
    case kNewPlayer:
        StepNewPlayer(devices, dt);
        break;
    default:
        break;
    }
}

void MenuProcessor::StepScoreService(Logic::IDeviceHandler* devices)
{
    const SInt32 serviceState = SInt32(mGameState->GetScoreServiceState());
    if (serviceState != mScoreServiceState) {
        if (mScoreServiceState != 2 && serviceState == 2 && mGameState->SelectPlayerByServiceId())
            ShowWelcomeText();
        mScoreServiceState = serviceState;
    }
    if (mGameState->IsScorePlayerLinked()) {
        Show(mGameCenterStatus, true);
        if (mGameCenterStatusButton.Get() != nullptr)
            mGameCenterStatusButton.Get()->SetEnabled(false);
        if (mGameCenterText1.Get() != nullptr)
            mGameCenterText1.Get()->SetText(GetText("texts:menu_gc_connected1"));
        if (mGameCenterText2.Get() != nullptr)
            mGameCenterText2.Get()->SetText(GetText("texts:menu_gc_connected2"));
        return;
    }
    String id;
    if (devices->GetScoreServicePlayerId(id) && mGameState->IsPlayerIdTaken(id)) {
        Show(mGameCenterStatus, true);
        if (mGameCenterStatusButton.Get() != nullptr)
            mGameCenterStatusButton.Get()->SetEnabled(true);
        if (mGameCenterText1.Get() != nullptr)
            mGameCenterText1.Get()->SetText(GetText("texts:menu_gc_connect1"));
        if (mGameCenterText2.Get() != nullptr)
            mGameCenterText2.Get()->SetText(GetText("texts:menu_gc_connect2"));
        if (Clicked(mGameCenterStatusButton) && mGameState->SelectPlayerByServiceId())
            ShowWelcomeText();
        return;
    }
    Show(mGameCenterStatus, false);
}

void MenuProcessor::StepStartFace(Bool escape, Float dt, Logic::IState* state)
{
    if (Clicked(mQuestButton)) {
        mMenuState = kGoToMap;
        mSoundContainer->Play(kClickSound);
        mGameState->SetLevelChosen(false);
    }
    if (Clicked(mZenButton)) {
        // Level 0 from the menu: the zen run, and back to the menu after it.
        mGameState->StartLevel(0);
        mMenuState = kStartGame;
        mSoundContainer->Play(kClickSound);
    }
    if (Clicked(mFreeplayButton)) {
        mLevelSelectOverlay->Open(true);
        SetMenuState(kLevelChooser);
        Run(mBaseTimeline, 0.0f, 0.25f);
        mSoundContainer->Play(kClickSound);
    }
    if (Clicked(mProfileButton)) {
        SetMenuState(kProfileFace);
        mSoundContainer->Play(kClickSound);
    }
    if (Clicked(mAudioButton)) {
        mGameState->ToggleMuted();
        if (!mGameState->IsMuted())
            mSoundContainer->Play(kClickSound);
        MirrorSoundSetting();
    }
    if (Clicked(mCreditsButton)) {
        mSoundContainer->Play(kClickSound);
        SetMenuState(kCredits);
    }
    const Bool onlineAvailable = mOnlineScoresFontHandler->IsEnabled();
    if (Clicked(mHighscoresButton)) {
        mSoundContainer->Play(kClickSound);
        mToggleListRequest = false;
        Show(mToggleLocalGlobalButton, onlineAvailable);
        if (onlineAvailable && mGameState->IsOnlineOptIn()) {
            SetMenuState(kOnlineScores);
            mOnlineScoresFontHandler->Refresh(GetCurrentPlayerName());
        } else {
            SetMenuState(kLocalScores);
            FillLocalHighscores();
        }
    }
    if (onlineAvailable && !mGameState->WasAskedOnline() && (mPopup == nullptr || !mPopup->IsOpen())) {
        if (state->GetConfiguration()->IsDeviceModel(kDesktopFamily))
            ShowOnlineScoreOptIn();
        else
            mGameState->SetOnlineScoresChoice(true);
    }
    if (!IsRunning(mSignTimeline)) {
        mBackgroundPhase += dt * kBackgroundRate;
        AnimateBackground();
    }
    if ((Clicked(mQuitButton) || escape) && mPopup != nullptr)
        mPopup->ShowTwoButtons(String("quitGame"), GetText("texts:quit_popup_text"), GetText("texts:quit_popup_yes"),
                               GetText("texts:quit_popup_no"));
}

void MenuProcessor::StepProfileFace(Bool escape)
{
    if (Clicked(mProfileBackButton) || escape) {
        SetMenuState(kStartFace);
        mSoundContainer->Play(kClickSound);
    }
    ButtonEvents* newButtons[] = {&mNewButton1, &mNewButton2, &mNewButton3};
    ButtonEvents* loadButtons[] = {&mLoadButton1, &mLoadButton2, &mLoadButton3};
    ButtonEvents* deleteButtons[] = {&mDeleteButton1, &mDeleteButton2, &mDeleteButton3};
    for (UInt32 i = 0; i < 3; ++i) {
        if (!mGameState->IsPlayerUsed(i)) {
            if (Clicked(*newButtons[i])) {
                mSoundContainer->Play(kClickSound);
                OpenNewPlayer(SInt32(i));
            }
            continue;
        }
        if (Clicked(*loadButtons[i])) {
            mSoundContainer->Play(kClickSound);
            mGameState->SelectPlayer(i);
            SetMenuState(kStartFace);
        }
        if (Clicked(*deleteButtons[i]))
            ShowDeleteProfilePopup(SInt32(i));
    }
}

void MenuProcessor::StepLevelChooser(Bool escape)
{
    if (!mLevelSelectOverlay->IsBackPressed() && !escape)
        return;
    mLevelSelectOverlay->Close();
    mMenuState = kStartFace;
    Run(mSignTimeline, 9.0f, 13.0f);
    Run(mBaseTimeline, 0.25f, 0.0f);
    Select(mSignSwitch, 1);
    mSoundContainer->Play(kClickSound);
}

void MenuProcessor::ShowNameEntry()
{
    const UInt32 length = CountCharacters(mNewPlayerName);
    String shown = mNewPlayerName;
    if (mCursorVisible && length < kMaxNameLength)
        shown += "|";
    else if (length == kMaxNameLength)
        shown += "...";
    SetText(mNewPlayerNameText, mNewPlayerSystemFont, mSignLongTexture, shown);
}

void MenuProcessor::StepNewPlayer(Logic::IDeviceHandler* devices, Float dt)
{
    UpdateNewPlayerGameCenter();
    if (!devices->IsTextInputActive())
        devices->SetTextInputActive(true);

    // Typed characters, each a UTF-8 sequence; a sequence that begins with a continuation
    // byte is no character and is dropped.
    String typed;
    devices->GetTypedText(typed);
    UInt32 lastCode = 0;
    const char* bytes = typed.GetText();
    for (SInt32 i = 0; i < typed.GetLength();) {
        SInt32 end = i + 1;
        while (end < typed.GetLength() && !StartsCharacter(UInt8(bytes[end])))
            ++end;
        const UInt8 code = UInt8(bytes[i]);
        lastCode = code;
        if (code == kBackspaceCharacter)
            mNewPlayerInput = String(mNewPlayerInput.GetText(),
                                     mNewPlayerInput.GetLength() - LastCharacterLength(mNewPlayerInput));
        else if (code >= 32 && StartsCharacter(code))
            mNewPlayerInput += String(bytes + i, end - i);
        i = end;
    }

    mNewPlayerName = mNewPlayerInput;
    while (CountCharacters(mNewPlayerName) > kMaxNameLength)
        mNewPlayerName = String(mNewPlayerName.GetText(),
                                mNewPlayerName.GetLength() - LastCharacterLength(mNewPlayerName));
    ShowNameEntry();

    mCursorTimer -= dt;
    if (mCursorTimer <= 0.0f) {
        mCursorTimer = 0.6f;
        mCursorVisible = !mCursorVisible;
        ShowNameEntry();
    }

    if (Clicked(mNewPlayerOkButton) || lastCode == kEnterCharacter) {
        mSoundContainer->Play(kClickSound);
        String name = mNewPlayerName;
        if (name.IsEmpty()) {
            const SInt32 free = mGameState->GetFreeSlot();
            const UInt32 number = mNewPlayerSlot == -1 ? UInt32(free < 0 ? 0 : free) : UInt32(mNewPlayerSlot + 1);
            name = GetText("texts:new_player_basename") + FormatUnsigned(number);
        }
        mNewPlayerInput = String();
        mSoundContainer->Play(kExcellentSound);
        if (CreatePlayer(name))
            devices->SetTextInputActive(false);
    }

    if (Clicked(mNewPlayerGameCenterEvent)) {
        String alias;
        String id;
        if (mGameState->GetScoreServiceState() == 2 && devices->GetScoreServicePlayerAlias(alias)) {
            mNewPlayerInput = String();
            devices->GetScoreServicePlayerId(id);
            mSoundContainer->Play(kExcellentSound);
            if (CreatePlayer(alias))
                devices->SetTextInputActive(false);
        } else {
            devices->SignInToScoreService();
        }
    }
}

Bool MenuProcessor::CreatePlayer(const String& name)
{
    if (mNewPlayerSlot == -1)
        mNewPlayerSlot = mGameState->GetFreeSlot();
    if (mNewPlayerSlot < 0)
        return false;
    String id;
    Logic::IDeviceHandler* devices = mState != nullptr ? mState->GetDeviceHandler() : nullptr;
    if (devices != nullptr && mGameState->GetScoreServiceState() == 2)
        devices->GetScoreServicePlayerId(id);
    if (!mGameState->CreatePlayer(UInt32(mNewPlayerSlot), name, id))
        return false;
    mProfilesChanged = true;
    mMenuState = kStayInMenu;
    ShowWelcomeText();
    Select(mSignSwitch, 1);
    SetTimeScale(mSignTimeline, 4.0f);
    Run(mSignTimeline, 9.5f, 13.0f);
    Run(mBaseTimeline, 0.25f, 0.0f);
    if (mIsComputer)
        Run(mNewPlayerTimeline, 11.0f, 11.5f);
    else
        Run(mNewPlayerTimeline, 0.5f, 1.0f);
    // The sign leaves: the chosen timeline takes it out, the state shows it is no longer open.
    return true;
}

void MenuProcessor::StepScrollList(Logic::IDeviceHandler* devices, Logic::IState* state, Bool escape,
                                   UInt32 pointerKind, const Math::Vector<Float>& pointer)
{
    const Float dt = Float(state->GetCurrentTickDuration());
    const Float now = Float(state->GetCurrentTickTime());
    if (Clicked(mScrollListBackButton) || escape) {
        mSoundContainer->Play(kClickSound);
        SetMenuState(kStartFace);
    }
    const Float start = GetY(mScrollListPosition);
    Float pos = start;

    // A sample taken in the same instant as the last one keeps the speed it had.
    const auto speedSince = [&](Float distance) {
        const Float elapsed = now - mDragTime;
        return elapsed > 0.0f ? distance / elapsed : mScrollVelocity;
    };
    if (pointerKind == kPointerDown) {
        mDragging = pointer.x > kListLeft && pointer.x < kListRight && pointer.y > mSignY + kListBottom &&
                    pointer.y < mSignY + kListTop;
        if (mDragging) {
            mDragPosition = pointer;
            mDragTime = now;
        }
        mDragMoved = false;
        mScrollVelocity = 0.0f;
    } else if (pointerKind == kPointerUp && mDragging) {
        const Float v = speedSince(pointer.y - mDragPosition.y);
        if (std::fabs(v) > std::fabs(mScrollVelocity))
            mScrollVelocity = v;
        mDragging = false;
    } else if (pointerKind == kPointerMoved && mDragging) {
        const Float dy = pointer.y - mDragPosition.y;
        pos += dy;
        mDragPosition = pointer;
        mScrollVelocity = speedSince(dy);
        mDragTime = now;
        if (dy > 8.0f || dy < -8.0f)
            mDragMoved = true;
    }

    Bool wheelUsed = false;
    Float wheelA = 0.0f;
    Float wheelB = 0.0f;
    if (devices->GetMouseWheelDelta(wheelA, wheelB) && (wheelA != 0.0f || wheelB != 0.0f)) {
        Float delta = wheelB;
        if (!state->GetConfiguration()->IsOperatingSystem(kOsxFamily)) {
            delta *= kWheelStep;
            delta = delta < -kWheelLimit ? -kWheelLimit : (delta > kWheelLimit ? kWheelLimit : delta);
        }
        pos -= delta;
        wheelUsed = true;
    }

    if (!wheelUsed && !mDragging && std::fabs(mScrollVelocity) > kRestingSpeed) {
        Float v = mScrollVelocity;
        if (v > kRestingSpeed) {
            v -= (v + 10.0f) * 5.0f * dt;
            if (v < 0.0f)
                v = 0.0f;
        } else {
            v -= (v - 10.0f) * 5.0f * dt;
            if (v > 0.0f)
                v = 0.0f;
        }
        mScrollVelocity = v;
        pos += v * dt;
        if (std::fabs(v) < kRestingSpeed)
            pos = Snap(pos);
    }

    const Bool released = pointerKind == kPointerUp;
    switch (mMenuState) {
    case kCredits:
        if (pos > kCreditsWrapHigh)
            pos = kCreditsWrapLow;
        else if (pos < kCreditsWrapLow)
            pos = kCreditsWrapHigh;
        else if (!mDragging && !wheelUsed && std::fabs(mScrollVelocity) <= kRestingSpeed)
            pos += kCreditsSpeed * dt;
        break;
    case kLocalScores:
        if (pos > Snap(Float(mLocalListBottom)))
            pos = Snap(Float(mLocalListBottom));
        else if (pos < Snap(kListTopPosition))
            pos = Snap(kListTopPosition);
        if (mGameState->GetScoreServiceState() == 2) {
            Select(mGameCenterSwitch, 1);
            const Float rowY = pointer.y - pos + 240.0f;
            if (released && pointer.x > -92.0f && pointer.x < 400.0f && rowY > 63.0f && rowY < 191.0f && pos < 380.0f)
                devices->ShowScoreServiceLeaderboard(String(GameState::GetCampaignLeaderboardName()));
        } else {
            Select(mGameCenterSwitch, 0);
        }
        break;
    case kOnlineScores: {
        const Float limit = mOnlineScoresFontHandler->GetMaxScroll();
        if (pos > limit)
            pos = limit;
        else if (pos < Snap(kListTopPosition))
            pos = Snap(kListTopPosition);
        mOnlineScoresFontHandler->Update(pos);
        if (mOnlineScoresFontHandler->IsRefreshed())
            pos = mOnlineScoresFontHandler->GetHighlightScroll();
        if (mOnlineScoresFontHandler->IsEmpty())
            mToggleListRequest = true;
        const Float rowY = pointer.y - pos + 240.0f;
        const Bool headerOptOut = mOnlineHeaderSwitch.Get() != nullptr && mOnlineHeaderSwitch.Get()->GetIndex() == 1;
        if (released && pointer.x > -120.0f && pointer.x < 420.0f && rowY > 170.0f && rowY < 215.0f && pos < 275.0f &&
            headerOptOut) {
            mGameState->SetOnlineScoresChoice(false);
            mToggleListRequest = true;
        }
        break;
    }
    default:
        break;
    }

    if (pos != start)
        SetY(mScrollListPosition, pos);
    if (Clicked(mToggleLocalGlobalButton) || mToggleListRequest) {
        mToggleListRequest = false;
        if (mMenuState == kLocalScores) {
            if (mGameState->IsOnlineOptIn()) {
                mMenuState = kOnlineScores;
                mOnlineScoresFontHandler->Refresh(GetCurrentPlayerName());
                Select(mScrollListSwitch, 3);
            } else {
                ShowOnlineScoreOptIn();
            }
        } else if (mMenuState == kOnlineScores) {
            mMenuState = kLocalScores;
            FillLocalHighscores();
            Select(mScrollListSwitch, 2);
            SetY(mScrollListPosition, Snap(kListTopPosition));
        }
    }
}

} // namespace App
} // namespace Vorn
