#include "game/map_processor.h"

#include <cmath>
#include <cstdio>

#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "game/app_context.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/play/particles.h"
#include "game/player_data.h"
#include "game/sound_container.h"
#include "graph/display_text.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/switch.h"
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

constexpr Float kMarkerPositions[MapProcessor::kNumberOfMarkerPositions][2] = {
    {-409, -262}, {-409, -262}, {-394, -277}, {-372, -285}, {-345, -292}, {-312, -297}, {-280, -299}, {-247, -300},
    {-216, -297}, {-191, -291}, {-155, -276}, {-130, -259}, {-119, -239}, {-115, -218}, {-123, -198}, {-147, -186},
    {-178, -182}, {-211, -182}, {-247, -183}, {-283, -180}, {-321, -167}, {-341, -140}, {-346, -118}, {-338, -96},
    {-322, -76},  {-299, -59},  {-255, -41},  {-222, -44},  {-196, -59},  {-177, -80},  {-161, -114}, {-140, -141},
    {-126, -154}, {-100, -160}, {-71, -163},  {-44, -158},  {-22, -146},  {-9, -127},   {-2, -105},   {2, -84},
    {41, -71},    {82, -67},    {122, -72},   {154, -83},   {186, -95},   {267, -106},  {237, -72},   {207, -30},
    {170, 15},    {126, 34},    {-4, -30},    {-40, -32},   {-64, -17},   {-80, 4},     {-95, 23},    {-106, 40},
    {-124, 55},   {-151, 67},   {-182, 77},   {-211, 87},   {-239, 116},  {-243, 146},  {-227, 170},  {-196, 182},
    {-162, 186},  {-130, 184},  {-98, 178},   {-77, 162},   {-72, 140},   {-59, 119},   {-22, 109},   {9, 105},
    {37, 103},    {61, 93},     {84, 85},     {112, 83},    {141, 84},    {169, 82},    {195, 76},    {218, 62},
    {244, 35},    {262, 7},     {286, -2},    {313, -7},    {340, -5},    {348, 12},    {329, 26},    {308, 39},
    {289, 54},    {273, 69},    {262, 97},    {260, 124},   {266, 144},   {281, 160},   {308, 167},   {337, 171},
    {364, 180},   {386, 192},   {391, 211},   {392, 228},   {384, 246},   {352, 253},
};

// The marker stands this far from its stage's place.
constexpr Float kMarkerOffsetX = 32.0f;
constexpr Float kMarkerOffsetY = 12.0f;
constexpr Float kBackgroundStretch = 1.6842199563980103f;
constexpr Double kMarkerWalkDelay = 1.6;
constexpr Float kPi = 3.14159265358979f;
constexpr UInt32 kEscapeKey = 1;
constexpr UInt32 kStagesPerPage = 20;
constexpr UInt32 kStagesClearedEvent = 21;
constexpr UInt32 kStagesClearedTaken = 20;

constexpr UInt32 kTitleSound = 1;
constexpr UInt32 kClickSound = 9;
constexpr UInt32 kSignSound = 43;
constexpr UInt32 kJingleSound = 46;
constexpr UInt32 kSwirlSound = 53;
constexpr UInt32 kBounceSound = 54;
constexpr UInt32 kScratchSound = 56;

Float Snap(Float position)
{
    return AlignToPixelGrid(position, 0.0f);
}

String Text(Logic::IState* state, const char* id)
{
    Resource::ICollection* collection = state->GetResourceCollection();
    const char* text = collection != nullptr ? collection->GetText(String(id)) : nullptr;
    return String(text != nullptr ? text : "");
}

Bool IsBetween(Double value, Double low, Double high)
{
    return value > low && value < high;
}

} // namespace

MapProcessor::MapProcessor(Logic::IFactory* factory, AppContext* context)
    : Logic::BaseChildProcessor(factory),
      mAppContext(context),
      mSoundContainer(context->GetSoundContainer()),
      mLevelSelectOverlay(context),
      mState(kMap),
      mLastViewWidth(0.0f),
      mLastViewHeight(0.0f),
      mMarkerProgress(1.0f),
      mSparkleAccumulator(0.0f),
      mSignPending(false),
      mRatePending(false),
      mTouchIndex(0),
      mConfigStamp(0)
{
}

MapProcessor::~MapProcessor() {}

GameState* MapProcessor::GetGameState() const
{
    return mAppContext->GetGameState();
}

Bool MapProcessor::OnInit(Logic::IState* state)
{
    Graph::IRoot* root = state->GetGraphRoot();
    const struct
    {
        Logic::GraphINode* mNode;
        const char* mPath;
    } bindings[] = {
        {&mCamera, "/camera"},
        {&mCameraTransform, "/camera"},
        {&mMapNamespace, "/stage_map/basemap"},
        {&mBaseMapTimeline, "/stage_map/basemap/base_map_timeline"},
        {&mStartTimeline, "/stage_map/basemap/base_map_startanim_timeline"},
        {&mPlayNowStartTimeline, "/stage_map/basemap/base_map_startanim_playnow_timeline"},
        {&mMapButtonEvents[0], "/stage_map/basemap/button_map"},
        {&mMapButtonEvents[1], "/stage_map/basemap/button_map2"},
        {&mMapButtonEvents[2], "/stage_map/basemap/button_map3"},
        {&mMapButtons[0], "/stage_map/basemap/button_map"},
        {&mMapButtons[1], "/stage_map/basemap/button_map2"},
        {&mMapButtons[2], "/stage_map/basemap/button_map3"},
        {&mBackgroundScale, "/stage_map/basemap/mm_bg_scale"},
        {&mArrowSwitch, "/stage_map/basemap/map_arrow_top_left"},
        {&mArrowTransform, "/stage_map/basemap/map_arrow_top_left_trans"},
        {&mBackEvents, "/stage_map/basemap/button_back"},
        {&mBackButton, "/stage_map/basemap/button_back"},
        {&mSaveQuitEvents, "/stage_map/basemap/button_save_quit"},
        {&mSaveQuitButton, "/stage_map/basemap/button_save_quit"},
        {&mPlayNowTransform, "/stage_map/basemap/play_now"},
        {&mPlayNowEvents, "/stage_map/basemap/button_play_now"},
        {&mPlayNowButton, "/stage_map/basemap/button_play_now"},
        {&mWritingTimeline, "/stage_map/basemap/playnow_writing_timeline"},
        {&mCarrotTransform, "/stage_map/basemap/map_carrot_trans"},
        {&mSignTransform, "/stage_map/basemap/map_levelscleared"},
        {&mSignTimeline, "/stage_map/basemap/map_levelscleared_timeline"},
        {&mSignEvents, "/stage_map/basemap/button_levelscleared"},
        {&mSignText1, "/stage_map/basemap/levelscleared_text1"},
        {&mSignText2, "/stage_map/basemap/levelscleared_text2"},
        {&mCancelMarkerEvents, "/stage_map/basemap/button_cancel_marker"},
        {&mCancelMarkerButton, "/stage_map/basemap/button_cancel_marker"},
        {&mMarkerTransform, "/stage_map/basemap/map_marker"},
        {&mTapClickSwitch, "/stage_map/basemap/map_tap_click_switch"},
        {&mFullScreenEvents, "/stage_map/basemap/button_toggle_fullscreen"},
        {&mFullScreenTransform, "/stage_map/basemap/button_toggle_fullscreen"},
        {&mFullScreenSwitch, "/stage_map/basemap/mm_toggle_fullscreen_switch"},
    };
    for (const auto& binding : bindings) {
        mProcessor->AddGraphNode(binding.mNode->GetReference(root, String(binding.mPath)));
        if (binding.mNode == &mMapNamespace)
            SnapToPixelGrid(mMapNamespace.GetNode());
    }
    if (!mLevelSelectOverlay.Init(state))
        return false;
    if (!mProcessor->AreGraphNodesValid())
        return false;

    mState = kMap;
    mLastViewWidth = 0.0f;
    mLastViewHeight = 0.0f;
    mConfigStamp = 0;
    UpdateLayout();
    mArrowSwitch.Get()->SetIndex(0);
    // The rating request is a system alert of the handheld platforms only; none is made here.
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration->IsDeviceClass(UInt32(Enums::DeviceClass::COMPUTER))) {
        mTapClickSwitch.Get()->SetIndex(0);
        mFullScreenSwitch.Get()->SetIndex(configuration->GetFullScreen() ? 0 : 1);
    } else {
        mTapClickSwitch.Get()->SetIndex(1);
        mFullScreenTransform.GetNode()->SetActiveAndVisible(false);
    }
    return true;
}

Bool MapProcessor::OnDeInit(Logic::IState*)
{
    return mLevelSelectOverlay.DeInit();
}

void MapProcessor::GetMarkerPosition(UInt32 index, Float& x, Float& y)
{
    if (index >= kNumberOfMarkerPositions) {
        x = 0.0f;
        y = 0.0f;
        return;
    }
    x = kMarkerPositions[index][0];
    y = kMarkerPositions[index][1];
}

void MapProcessor::SnapToPixelGrid(Graph::INode* node)
{
    if (node == nullptr)
        return;
    for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i) {
        Graph::INode* child = node->GetChild(i);
        if (Graph::ITransform* transform = dynamic_cast<Graph::ITransform*>(child)) {
            const Math::Matrix<float>& matrix = transform->GetTransform();
            const Float x = matrix[12];
            const Float y = matrix[13];
            if (x != 0.0f)
                transform->SetPositionX(Snap(x));
            if (y != 0.0f)
                transform->SetPositionY(Snap(y));
        }
        SnapToPixelGrid(child);
    }
}

void MapProcessor::UpdateLayout()
{
    const GameState* game = GetGameState();
    const Float width = game->GetViewWidth();
    const Float height = game->GetViewHeight();
    if (width == mLastViewWidth && height == mLastViewHeight)
        return;
    mLastViewWidth = width;
    mLastViewHeight = height;
    const Float offset = game->GetViewOffset();
    const Float depth = height + offset;
    Float stretch = kBackgroundStretch;
    Float carrotY = 85.0f;
    Float playNowY = -216.0f;
    // A zero offset is the fixed 1280 x 800 layout; only a band for the bar stretches the map.
    if (offset != 0.0f) {
        stretch = depth * 16.0f / (width * 10.0f) * kBackgroundStretch;
        carrotY = 485.0f - depth / 2.0f;
        playNowY = 184.0f - depth / 2.0f;
    }
    mBackgroundScale.Get()->SetScaleFactor(1.0f, stretch, 1.0f);
    mCarrotTransform.Get()->SetPositionY(Snap(carrotY));
    mPlayNowTransform.Get()->SetPosition(Snap(width / 2.0f - 180.0f), Snap(playNowY), 0.0f);
    mArrowTransform.Get()->SetPosition(Snap(140.0f - width / 2.0f), Snap(depth / 2.0f - 100.0f), 0.0f);
    mFullScreenTransform.Get()->SetPosition(Snap(width / 2.0f - 26.0f), Snap(depth / 2.0f - 26.0f), 0.0f);
}

Bool MapProcessor::WasClicked(const ButtonEvents& button)
{
    return button.GetEvent() != nullptr && button.GetEvent()->WasReleasedInside();
}

Bool MapProcessor::IsShown(const Logic::GraphINode& node)
{
    return node.GetNode() != nullptr && node.GetNode()->IsActiveAndVisible();
}

void MapProcessor::Show(const Logic::GraphINode& node, Bool shown)
{
    if (node.GetNode() != nullptr)
        node.GetNode()->SetActiveAndVisible(shown);
}

void MapProcessor::PlayTimeline(Graph::ITimeline* timeline, Real startTime, Real endTime)
{
    timeline->SetStartTime(startTime);
    timeline->SetEndTime(endTime);
    timeline->Rewind();
    timeline->Start();
}

void MapProcessor::ShowMapButtons(Bool shown)
{
    for (Logic::GraphNodeT<Graph::IButton>& button : mMapButtons)
        Show(button, shown);
}

void MapProcessor::EnableButtons(Bool enabled)
{
    mPlayNowButton.Get()->SetEnabled(enabled);
    mBackButton.Get()->SetEnabled(enabled);
    mSaveQuitButton.Get()->SetEnabled(enabled);
}

void MapProcessor::PlaceMarker(Float x, Float y)
{
    mMarkerTransform.Get()->SetPosition(x + kMarkerOffsetX, y + kMarkerOffsetY, 0.0f);
}

void MapProcessor::Reset()
{
    mState = kMap;
    if (!mProcessor->AreGraphNodesValid())
        return;
    Graph::ITimeline* timeline = mBaseMapTimeline.Get();
    timeline->Stop();
    timeline->SetStartTime(0.0f);
    timeline->Rewind();
    ShowMapButtons(true);
    EnableButtons(true);
    mMarkerProgress = 1.0f;
    Float x = 0.0f;
    Float y = 0.0f;
    GetMarkerPosition(0, x, y);
    PlaceMarker(x, y);
}

void MapProcessor::StartIntro()
{
    if (!mProcessor->AreGraphNodesValid())
        return;
    mStartTimeline.Get()->Rewind();
    mStartTimeline.Get()->Start();
    Graph::ITimeline* playNow = mPlayNowStartTimeline.Get();
    playNow->SetStartTime(0.0f);
    playNow->Rewind();
    if (GetGameState()->GetPlayState() == kStagesClearedEvent)
        playNow->Stop();
    else
        playNow->Start();
}

void MapProcessor::SetState(State state)
{
    mState = state;
    if (!mProcessor->AreGraphNodesValid())
        return;
    if (state == kChooser) {
        PlayTimeline(mBaseMapTimeline.Get(), 0.0f, 0.25f);
        mLevelSelectOverlay.Open(false);
        ShowMapButtons(false);
        EnableButtons(false);
    } else if (state == kMap) {
        PlayTimeline(mBaseMapTimeline.Get(), 0.25f, 0.0f);
        mLevelSelectOverlay.Close();
        ShowMapButtons(true);
        EnableButtons(true);
    }
}

void MapProcessor::ReadPointer(Logic::IDeviceHandler* devices, Math::Vector<Float>& position, UInt32& pointerState)
{
    pointerState = kPointerNone;
    Float x = 0.0f;
    Float y = 0.0f;
    const UInt32 touches = devices->GetNumberOfTouches();
    if (touches > 0) {
        for (UInt32 touch = 0; touch < touches; ++touch) {
            if (devices->WasTouchPressed(touch)) {
                mTouchIndex = touch;
                break;
            }
        }
        devices->GetTouchPosition(mTouchIndex, x, y);
    } else {
        devices->GetMousePosition(x, y);
    }
    const Float depth = -mCameraTransform.Get()->GetTransform().Get(2, 3);
    mCamera.Get()->UnprojectScreenPoint(position, x, y, depth);
    position.z = 0.0f;

    const Enums::MouseButton buttons[] = {Enums::MouseButton::LEFT, Enums::MouseButton::RIGHT};
    const Bool hasTouch = touches > 0;
    auto any = [&](Bool (Logic::IDeviceHandler::*mouse)(Enums::MouseButton) const,
                   Bool (Logic::IDeviceHandler::*touch)(UInt32) const) {
        for (Enums::MouseButton button : buttons) {
            if ((devices->*mouse)(button))
                return true;
        }
        return hasTouch && (devices->*touch)(mTouchIndex);
    };
    if (any(&Logic::IDeviceHandler::WasMouseButtonPressed, &Logic::IDeviceHandler::WasTouchPressed))
        pointerState = kPointerPressed;
    else if (any(&Logic::IDeviceHandler::WasMouseButtonReleased, &Logic::IDeviceHandler::WasTouchReleased))
        pointerState = kPointerReleased;
    else if ((devices->HasMouseMoved() &&
              (devices->IsMouseButtonDown(buttons[0]) || devices->IsMouseButtonDown(buttons[1]))) ||
             (hasTouch && devices->IsTouchDown(mTouchIndex)))
        pointerState = kPointerHeld;
}

void MapProcessor::PlayIfLoaded(UInt32 entry)
{
    mSoundContainer->PlayIfIdle(entry, false);
}

void MapProcessor::StartStage(UInt32 stage)
{
    GetGameState()->SetLevel(stage, true);
    mState = kStartGame;
    mSignPending = false;
    mRatePending = false;
}

void MapProcessor::OnStep(Logic::IState* state)
{
    if (!mProcessor->AreGraphNodesValid())
        return;
    const Double dt = state->GetCurrentTickDuration();
    Logic::IDeviceHandler* devices = state->GetDeviceHandler();
    IConfiguration* configuration = state->GetConfiguration();
    GameState* game = GetGameState();

    UpdateLayout();
    Math::Vector<Float> position(0.0f, 0.0f, 0.0f, 1.0f);
    UInt32 pointerState = kPointerNone;
    ReadPointer(devices, position, pointerState);
    const Bool backPressed = devices->IsRawKeyboardAvailable() && devices->WasRawKeyPressed(kEscapeKey);

    if (mState == kStartGame)
        mSoundContainer->FadeOut(kTitleSound);
    else
        mSoundContainer->PlayIfIdle(kTitleSound, true);

    if (configuration->HasFullScreenChanged(mConfigStamp)) {
        mConfigStamp = configuration->GetCurrentStamp();
        mFullScreenSwitch.Get()->SetIndex(configuration->GetFullScreen() ? 0 : 1);
    }
    if (WasClicked(mFullScreenEvents))
        configuration->SetFullScreen(!configuration->GetFullScreen());

    if (mState == kBackToMenu || mState == kStartGame) {
        if (ParticleContainer* particles = mAppContext->GetParticleContainer())
            particles->ReleaseAll();
    }

    const PlayerData* player = game->GetCurrentPlayer();
    const UInt32 reached = player != nullptr ? player->GetFrontier() : 1;
    const UInt32 factor = player != nullptr ? player->GetPass() : 0;
    if (game->GetPlayState() == kStagesClearedEvent)
        TakeStagesClearedEvent(state, reached, factor);

    const Float target =
        (mSignPending || IsShown(mSignTransform)) && reached > 0 ? Float(reached - 1) : Float(reached);
    if (mMarkerProgress < target && mStartTimeline.Get()->GetCurrentTime() > kMarkerWalkDelay)
        WalkMarker(target, dt);

    PlayEntrySounds();

    if (mState == kMap)
        StepMap(dt, backPressed, reached, target);
    else if (mState == kChooser)
        StepChooser(backPressed);

    if (mLevelSelectOverlay.IsShown())
        FeedChooser(devices, position, pointerState);
}

void MapProcessor::TakeStagesClearedEvent(Logic::IState* state, UInt32 reached, UInt32 factor)
{
    GetGameState()->SetPlayState(kStagesClearedTaken);
    mSignPending = true;
    mRatePending = true;
    Show(mCancelMarkerButton, true);
    Graph::ITimeline* timeline = mSignTimeline.Get();
    timeline->SetStartTime(0.5f);
    timeline->SetEndTime(9.5f);
    timeline->Rewind();
    timeline->Stop();

    const UInt32 cleared = reached > 0 ? reached - 1 : 0;
    char number[16];
    std::snprintf(number, sizeof(number), "%u", unsigned(cleared));
    mSignText1.Get()->SetText(String(number));
    const UInt32 bonus = (cleared / 10) * factor * 100000;
    mSignText2.Get()->SetText(Text(state, "texts:map_levelscleared1") + FormatScore(bonus) +
                              Text(state, "texts:map_levelscleared2"));

    Float x = 0.0f;
    Float y = 0.0f;
    GetMarkerPosition(cleared, x, y);
    if (y < 100.0f)
        mSignTransform.Get()->SetPosition(x * 0.8f, y + 200.0f, 0.0f);
    else
        mSignTransform.Get()->SetPosition(x < 0.0f ? x + 210.0f : x - 190.0f, y + 80.0f, 0.0f);
    mSparkleAccumulator = 0.0f;
}

void MapProcessor::WalkMarker(Float target, Double dt)
{
    const Float progress = mMarkerProgress;
    const UInt32 index = UInt32(progress);
    const Float fraction = progress - Float(index);
    Float ax = 0.0f;
    Float ay = 0.0f;
    Float bx = 0.0f;
    Float by = 0.0f;
    GetMarkerPosition(index, ax, ay);
    GetMarkerPosition(index + 1, bx, by);
    PlaceMarker(ax + (bx - ax) * fraction, ay + (by - ay) * fraction);
    Float distance = std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
    if (distance < 1.0f)
        distance = 1.0f;
    const Float remaining = target - progress;
    const Float speed = remaining < 20.0f ? remaining * 5.0f + 10.0f : 110.0f;
    mMarkerProgress = Float(Double(progress) + dt * Double(speed) * 6.0 / Double(distance));
    if (UInt32(mMarkerProgress) != index)
        mSoundContainer->Play(kScratchSound);
    if (mMarkerProgress < target)
        return;
    mMarkerProgress = target;
    Float x = 0.0f;
    Float y = 0.0f;
    GetMarkerPosition(UInt32(target), x, y);
    PlaceMarker(x, y);
    if (!mSignPending)
        return;
    Graph::ITimeline* playNow = mPlayNowStartTimeline.Get();
    playNow->SetStartTime(0.9f);
    playNow->Rewind();
    playNow->Start();
    Show(mCancelMarkerButton, false);
    Show(mSignTransform, true);
    PlayTimeline(mSignTimeline.Get(), 0.5f, 9.5f);
    mSoundContainer->Play(kJingleSound);
    mSignPending = false;
}

void MapProcessor::PlayEntrySounds()
{
    const Graph::ITimeline* start = mStartTimeline.Get();
    if (start->IsRunning() && IsBetween(start->GetCurrentTime(), 0.0, 0.1))
        PlayIfLoaded(kSwirlSound);
    const Graph::ITimeline* playNow = mPlayNowStartTimeline.Get();
    if (!playNow->IsRunning())
        return;
    if (IsBetween(playNow->GetCurrentTime(), 1.2, 1.3))
        PlayIfLoaded(kSignSound);
    else if (IsBetween(playNow->GetCurrentTime(), 0.95, 1.05))
        PlayIfLoaded(kBounceSound);
}

void MapProcessor::StepMap(Double dt, Bool backPressed, UInt32 reached, Float target)
{
    if (WasClicked(mPlayNowEvents)) {
        mSoundContainer->Play(kClickSound);
        StartStage(reached);
    }
    if (WasClicked(mBackEvents) || backPressed) {
        mSoundContainer->Play(kClickSound);
        mState = kBackToMenu;
        mSignPending = false;
        mRatePending = false;
    }
    if (WasClicked(mSaveQuitEvents)) {
        mSoundContainer->Play(kClickSound);
        mState = kBackToMenu;
        mSignPending = false;
        mRatePending = false;
    }
    if (WasClicked(mSignEvents)) {
        mSoundContainer->Play(kClickSound);
        StartStage(reached);
    }

    const Graph::ITimeline* signTimeline = mSignTimeline.Get();
    if (!signTimeline->IsRunning() && signTimeline->GetCurrentTime() < 1.0) {
        Show(mSignTransform, false);
    } else if (mState == kMap && IsShown(mSignTransform) && IsBetween(signTimeline->GetCurrentTime(), 1.0, 10.0)) {
        mSparkleAccumulator += Float(dt * 30.0);
        EmitSparkles();
    }

    UInt32 first = reached > 0 ? ((reached - 1) / kStagesPerPage) * kStagesPerPage + 1 : 1;
    Bool mapButton = false;
    for (const ButtonEvents& button : mMapButtonEvents)
        mapButton = WasClicked(button) || mapButton;
    if (mapButton) {
        mSoundContainer->Play(kClickSound);
        const PlayerData* firstPlayer = GetGameState()->GetPlayer(0);
        const UInt32 levels = firstPlayer != nullptr ? firstPlayer->GetLevelCount() : 0;
        if (levels > 0 && first > levels - 1)
            first = ((levels - 1) / kStagesPerPage) * kStagesPerPage + 1;
        mLevelSelectOverlay.SetFirstLevel(first);
        mLevelSelectOverlay.SetShown(true);
        ShowMapButtons(false);
        SetState(kChooser);
    } else if (IsShown(mCancelMarkerButton) && WasClicked(mCancelMarkerEvents)) {
        // A hidden button keeps its last event, so only a shown one counts.
        mMarkerProgress = target - 0.0001f;
        Show(mCancelMarkerButton, false);
    }

    Graph::ITimeline* writing = mWritingTimeline.Get();
    if (!writing->IsRunning()) {
        writing->Rewind();
        writing->Start();
    }
}

void MapProcessor::StepChooser(Bool backPressed)
{
    if (mLevelSelectOverlay.IsBackPressed() || backPressed) {
        SetState(kMap);
        mSoundContainer->Play(kClickSound);
        ShowMapButtons(true);
    }
    const SInt32 level = mLevelSelectOverlay.GetPressedLevel();
    if (level < 0)
        return;
    SetState(kMap);
    StartStage(UInt32(level));
    mSoundContainer->Play(kClickSound);
}

void MapProcessor::FeedChooser(Logic::IDeviceHandler* devices, const Math::Vector<Float>& position,
                               UInt32 pointerState)
{
    mLevelSelectOverlay.Update();
    if (pointerState == kPointerPressed)
        mLevelSelectOverlay.SetTouchStart(position);
    else if (pointerState == kPointerHeld)
        mLevelSelectOverlay.HandleSwipe(position);
    Float wheelX = 0.0f;
    Float wheelY = 0.0f;
    if (devices->GetMouseWheelDelta(wheelX, wheelY) && wheelX != 0.0f)
        mLevelSelectOverlay.StartPageTurn(wheelX > 0.0f ? LevelSelectOverlay::kNext : LevelSelectOverlay::kPrevious);
}

void MapProcessor::EmitSparkles()
{
    ParticleContainer* particles = mAppContext->GetParticleContainer();
    if (particles == nullptr)
        return;
    const Math::Matrix<float>& matrix = mSignTransform.Get()->GetTransform();
    const Float centreX = matrix[12];
    const Float centreY = matrix[13];
    const auto interpolation = Enums::InterpolationType::LINEAR;
    while (mSparkleAccumulator > 1.0f) {
        ParticleAnimator* particle = particles->Obtain();
        if (particle == nullptr)
            return;
        particle->SetDepthOrder(Particle::kDepthOrderBase + 410);
        particle->SetImage(SInt32(29 + mRandom.RandUInt(0, 3)));
        const Float angle = 2.0f * kPi * mRandom.RandReal(0.0f, 1.0f);
        const Float spread = 1.0f + 1.5f * mRandom.RandReal(0.0f, 1.0f);
        const Float dx = std::cos(angle) * spread;
        const Float dy = std::sin(angle) * spread;
        // An expanding oval burst around the sign.
        const Float keys[5][3] = {{0.0f, 5, 5}, {0.25f, 25, 20}, {0.5f, 45, 35}, {0.75f, 65, 50}, {1.0f, 90, 65}};
        for (const auto& key : keys)
            particle->GetPositionTrack().AppendKey(
                key[0], Math::Vector<float>(centreX + dx * key[1], centreY + dy * key[2], 0.0f, 1.0f), interpolation);
        const Float turn0 = mRandom.RandBool() ? kPi / 2.0f : -kPi / 2.0f;
        const Float turn1 = mRandom.RandBool() ? kPi : -kPi;
        particle->GetRotationTrack().AppendKey(0.0f, Math::Vector<float>(0.0f, 0.0f, 1.0f, turn0), interpolation);
        particle->GetRotationTrack().AppendKey(1.0f, Math::Vector<float>(0.0f, 0.0f, 1.0f, turn1), interpolation);
        const Float alphas[4][2] = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.8f, 1.0f}, {1.0f, 0.0f}};
        for (const auto& alpha : alphas)
            particle->GetColorTrack().AppendKey(alpha[0], Math::Vector<float>(1.0f, 1.0f, 1.0f, alpha[1]),
                                                interpolation);
        particle->GetScaleTrack().AppendKey(0.0f, Math::Vector<float>(1.0f, 1.0f, 1.0f, 1.0f), interpolation);
        particle->GetScaleTrack().AppendKey(1.0f, Math::Vector<float>(0.8f, 0.8f, 1.0f, 1.0f), interpolation);
        const Float speed = (0.8f + 0.2f * mRandom.RandReal(0.0f, 1.0f)) * 1.4285714528998554f;
        for (ParticleTrack* track : {&particle->GetPositionTrack(), &particle->GetRotationTrack(),
                                     &particle->GetColorTrack(), &particle->GetScaleTrack()}) {
            track->GetTimeline()->SetEndTime(1.0f);
            track->GetTimeline()->SetTimeScale(speed);
        }
        particle->Start();
        mSparkleAccumulator -= 1.0f;
    }
}

} // namespace App
} // namespace Vorn
