#include "game/play/player_processor.h"

#include <cmath>

#include "core/configuration.h"
#include "foundation/debug.h"
#include "foundation/math.h"
#include "game/app_processor.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/explosion_handler.h"
#include "game/play/play_field.h"
#include "game/play/play_seed.h"
#include "game/play/flying_object.h"
#include "game/play/weapon.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/root.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "graph/view/camera.h"
#include "logic/device_handler.h"
#include "logic/processor.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kEffectLauncherExplosion = 38;
constexpr Float kExplosionDelay = 0.3f;

void SetNodeActive(const Logic::GraphINode& reference, Bool active)
{
    if (Graph::INode* node = reference.GetNode())
        node->SetActiveAndVisible(active);
}

Bool IsNodeActive(const Logic::GraphINode& reference)
{
    const Graph::INode* node = reference.GetNode();
    return node != nullptr && node->IsActiveAndVisible();
}

Math::Vector<Float> Translation(const Logic::GraphNodeT<Graph::ITransform>& reference)
{
    if (!reference.IsValid())
        return Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    const Math::Matrix<float>& m = static_cast<const Graph::ITransform*>(reference.Get())->GetTransform();
    return Math::Vector<Float>(m[12], m[13], m[14], 1.0f);
}

} // namespace

PlayerProcessor::PlayerProcessor(Logic::IFactory* factory, Playfield* playfield, ExplosionHandler* effects)
    : PlayProcessor(factory, playfield),
      mGameState(playfield->GetGameState()),
      mEffects(effects != nullptr ? effects : playfield->GetExplosionHandler()),
      mWeapons(nullptr),
      mTutorialAnyWhere(false),
      mTutorialStep(0),
      mTutorialTarget(0.0f, 0.0f, 0.0f, 1.0f),
      mTutorialRadius(80),
      mTutorialRowA(0.0f, 0.0f, 0.0f, 1.0f),
      mTutorialRowB(0.0f, 0.0f, 0.0f, 1.0f),
      mLauncherPosition(0.0f, 0.0f, 0.0f, 1.0f),
      mExplosionPending(false),
      mAimAngle(0.0f),
      mLastPointer{0.0f, 0.0f},
      mTouchIndex(0),
      mLoadedAnimal(nullptr),
      mNextAnimal(nullptr),
      mLoadedWeapon(nullptr),
      mLaunchSpeed(DefaultLaunchSpeed),
      mSpecialShots(0),
      mRhinoSpeedLimit(800.0f),
      mRocketTimer(0.0f),
      mRocketsLeft(0),
      mRocketAngle(0.0f),
      mTutorialDimmed(false),
      mSelector(playfield->GetAnimalContainer()),
      mRng()
{
    mRng.Seed(GetPlaySeed());
}

PlayerProcessor::~PlayerProcessor() {}

Float PlayerProcessor::GetVectorAngle(const Math::Vector<Float>& v)
{
    const Float a = Float(std::acos(Double(v.x) / std::sqrt(Double(v.x) * v.x + Double(v.y) * v.y)));
    return v.y < 0.0f ? Float(Math::TwoPi) - a : a;
}

template <typename T>
void PlayerProcessor::Bind(Logic::IState* state, Logic::GraphNodeT<T>& reference, const char* path)
{
    // A missing node stays unbound and stays out of the observer, which would fail the Init.
    if (reference.GetReference(state->GetGraphRoot(), String(path))->IsValid())
        mProcessor->AddGraphNode(&reference);
}

Bool PlayerProcessor::OnInit(Logic::IState* state)
{
    Bind(state, mCamera, "/camera");
    Bind(state, mCameraTransform, "/camera");
    Bind(state, mLauncherTimeline, "/stage_game/ramp/timeline");
    Bind(state, mLauncherTransform, "/stage_game/ramp/transform");
    Bind(state, mLauncherInnerTransform, "/stage_game/ramp/inner_transform");
    Bind(state, mLauncherRotation, "/stage_game/ramp/rotation");
    Bind(state, mLauncherShadow, "/stage_game/ramp/ramp_shadow");
    Bind(state, mLauncherShadowRotation, "/stage_game/ramp/shadow_rotation");
    Bind(state, mLauncherBase, "/framebuffer/ramp_base/transform_base");
    Bind(state, mTutorial, "/stage_game/tutorial");
    Bind(state, mTutorialTimeline, "/stage_game/tutorial/timeline");
    Bind(state, mTutorialPosition, "/stage_game/tutorial/position");
    Bind(state, mTutorialText, "/stage_game/tutorial/tutorialtext");
    Bind(state, mTutorialTextTransform, "/stage_game/tutorial/tutorialtext");
    Bind(state, mTutorialArrow, "/stage_game/tutorial/tutorialarrow");
    Bind(state, mAirstrikeEvents, "/stage_game/airstrike/button_airstrike");
    Bind(state, mAirstrikeButton, "/stage_game/airstrike/button_airstrike");
    Bind(state, mAirstrikeButtonTransform, "/stage_game/airstrike/button_airstrike");
    Bind(state, mRocketsLeftText, "/stage_game/airstrike/weapons_left");
    Bind(state, mRocketsLeftTransform, "/stage_game/airstrike/weapons_left");
    Bind(state, mAirstrikeColor, "/stage_game/airstrike/parameters");
    Bind(state, mPauseButtonBar, "/stage_game/scorebar/bar/pause_button");
    Bind(state, mPauseButtonNormal, "/stage_game/scorebar/normal/pause_button");
    Bind(state, mScoreBarPosition, "/stage_game/scorebar/position");

    BuildAnimations();
    mProcessor->AddStepable(mVoiceTimer.GetTimeframe());
    mProcessor->AddStepable(mKickAnim.GetTimeline());
    mProcessor->AddStepable(mNextHopAnim.GetTimeline());
    mProcessor->AddStepable(mNextSizeAnim.GetTimeline());
    mProcessor->AddStepable(mSwapOutAnim.GetTimeline());
    mProcessor->AddStepable(mSwapInAnim.GetTimeline());
    SetLaunchSpeed(mLaunchSpeed);

    Graph::IRoot* root = state->GetGraphRoot();
    auto* top = root != nullptr ? dynamic_cast<Graph::INamespace*>(root->GetRootNode()) : nullptr;
    if (top == nullptr || !mConcealer.Init(top, String("/stage_game/tutorial_concealer"))) {
        Debug::Trace("App::PlayerProcessor::OnInit(): The tutorial concealer could not be bound");
        return false;
    }
    SetNodeActive(mAirstrikeEvents, false);
    return true;
}

Bool PlayerProcessor::OnDeInit(Logic::IState*)
{
    return mConcealer.DeInit();
}

void PlayerProcessor::OnAnimate(Logic::IState* state)
{
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration != nullptr && configuration->GetAppRunState() == Enums::AppRunState::RUNNING)
        mConcealer.Update();
}

void PlayerProcessor::Reset()
{
    ReleaseHeldObjects();
    mLauncherPosition.x = 0.0f;
    mLauncherPosition.y = 0.0f;
    mLastPointer[0] = 0.0f;
    mLastPointer[1] = 0.0f;
    mExplosionPending = false;
    mTouchIndex = 0;
    mLaunchSpeed = DefaultLaunchSpeed;
    mVoiceTimer.GetTimeframe()->Reset();
    mSpecialShots = 0;
    mRocketTimer = 0.0f;
    mRocketsLeft = 0;
    mTutorialDimmed = false;
    if (mAirstrikeEvents.IsValid()) {
        SetNodeActive(mAirstrikeEvents, false);
        SetAirstrikeButton(true, 1.0f);
    }
    mConcealer.Reset();
}

void PlayerProcessor::ReleaseHeldObjects()
{
    ReleaseAnimal(mLoadedAnimal);
    ReleaseAnimal(mNextAnimal);
    if (mLoadedWeapon != nullptr) {
        ReleaseWeapon(mLoadedWeapon);
        mLoadedWeapon = nullptr;
    }
}

void PlayerProcessor::ReleaseAnimal(Animal*& animal)
{
    if (animal != nullptr)
        mPlayfield->GetAnimalContainer()->ReleaseAnimal(animal, 0);
    animal = nullptr;
}

void PlayerProcessor::SetLauncherPosition(Float x, Float y)
{
    const AppProcessor* app = mPlayfield->GetAppProcessor();
    const Float step = app != nullptr && app->GetUnitsPerPixel() > 0.0f ? app->GetUnitsPerPixel() : 1.0f;
    mLauncherPosition.x = AlignToPixelGrid(x, 0.0f, step);
    mLauncherPosition.y = AlignToPixelGrid(y, 0.0f, step);
}

void PlayerProcessor::PoseLauncher(Float angle)
{
    const Float turned = angle + Float(Math::Pi);
    if (Graph::ITransform* transform = mLauncherTransform.Get())
        transform->SetPosition(mLauncherPosition);
    if (Graph::ITransform* rotation = mLauncherRotation.Get())
        rotation->SetRotationZ(turned);
    if (Graph::ITransform* shadow = mLauncherShadow.Get())
        shadow->SetPosition(mKickAnim.GetValue());
    if (Graph::ITransform* shadowRotation = mLauncherShadowRotation.Get()) {
        shadowRotation->SetPosition(mLauncherPosition);
        shadowRotation->SetRotationZ(turned);
    }
    if (Graph::ITransform* base = mLauncherBase.Get())
        base->SetPosition(mLauncherPosition);
}

void PlayerProcessor::SetLaunchSpeed(Float speed)
{
    mLaunchSpeed = speed;
    SetLauncherTimeScale(std::fmin(speed / 300.0f, 2.0f));
}

void PlayerProcessor::SetLauncherTimeScale(Float scale)
{
    // Timelines ignore a scale that is not above 0, so a speed of 0 or less keeps the last one.
    mKickAnim.GetTimeline()->SetTimeScale(scale);
    mNextHopAnim.GetTimeline()->SetTimeScale(scale);
    mNextSizeAnim.GetTimeline()->SetTimeScale(scale);
    if (Graph::ITimeline* timeline = mLauncherTimeline.Get())
        timeline->SetTimeScale(scale);
}

void PlayerProcessor::UpdateSlowMotion(Float dt)
{
    Float strong = mGameState->GetBigTranqTime();
    Float mild = mGameState->GetTranqTime();
    if (strong > 0.0f)
        mGameState->SetBigTranqTime(strong -= dt);
    if (mild > 0.0f)
        mGameState->SetTranqTime(mild -= dt);
    const Float h = dt * 0.5f;
    Float f = mGameState->GetTimeFactor();
    if (strong > 0.0f) {
        f = f > 0.1f ? f - h : 0.1f;
    } else if (mild > 0.0f) {
        const Float t = dt * 0.5f * 3.0f * 0.5f;
        if (f > 0.3f - t && f < 0.3f + t)
            f = 0.3f;
        else
            f = f > 0.3f ? f - h : f + h;
    } else {
        f = f < 1.0f ? f + h : 1.0f;
    }
    mGameState->SetTimeFactor(f);
}

Bool PlayerProcessor::ReadPointer(Logic::IState* state, Pointer& pointer)
{
    Logic::IDeviceHandler* devices = state->GetDeviceHandler();
    pointer.mPrimary = pointer.mSecondary = pointer.mThird = pointer.mAtLauncher = false;
    if (devices == nullptr)
        return false;
    Float x = 0.0f;
    Float y = 0.0f;
    Bool touchDown = false;
    const UInt32 touches = devices->GetNumberOfTouches();
    if (touches > 0) {
        for (UInt32 i = 0; i < touches; ++i) {
            if (devices->IsTouchDown(i)) {
                mTouchIndex = i;
                break;
            }
        }
        devices->GetTouchPosition(mTouchIndex, x, y);
        touchDown = devices->IsTouchDown(mTouchIndex);
    } else {
        devices->GetMousePosition(x, y);
    }
    pointer.mScreen = Math::Vector<Float>(x, y, 0.0f, 1.0f);

    Math::Vector<Float> world(x, y, 0.0f, 1.0f);
    if (const Graph::ICamera* camera = mCamera.Get())
        camera->UnprojectScreenPoint(world, x, y, -Translation(mCameraTransform).z);
    if (mGameState->GetLevel() != 0)
        world.y += mGameState->GetViewOffset() * 0.5f;
    world.z = 0.0f;
    pointer.mWorld = world;
    pointer.mAim = Math::Vector<Float>(world.x - mLauncherPosition.x, world.y - mLauncherPosition.y,
                                       -mLauncherPosition.z, world.w - mLauncherPosition.w);

    pointer.mPrimary = devices->IsMouseButtonDown(Enums::MouseButton::LEFT) || touchDown;
    pointer.mSecondary = devices->IsMouseButtonDown(Enums::MouseButton::RIGHT);
    pointer.mThird = devices->IsMouseButtonDown(Enums::MouseButton::MIDDLE);
    Float wheelX = 0.0f;
    Float wheelY = 0.0f;
    if (devices->GetMouseWheelDelta(wheelX, wheelY) && (wheelX != 0.0f || wheelY != 0.0f))
        pointer.mThird = true;

    if (x == mLastPointer[0] && y == mLastPointer[1] && !pointer.AnyButton())
        return false;
    const Float ax = pointer.mAim.x;
    const Float ay = pointer.mAim.y;
    if (ax * ax + ay * ay < LauncherRadius * LauncherRadius) {
        pointer.mAtLauncher = true;
        return true;
    }
    mLastPointer[0] = x;
    mLastPointer[1] = y;
    mAimAngle = GetVectorAngle(pointer.mAim);
    return false;
}

void PlayerProcessor::UpdatePointerImage()
{
    AppProcessor* app = mPlayfield->GetAppProcessor();
    if (app == nullptr)
        return;
    const UInt32 playState = mGameState->GetPlayState();
    if (playState >= PlayStart && playState <= PlayTutorialAnywhere) {
        if (mLoadedAnimal != nullptr)
            app->SetPointerForAnimal(UInt32(mLoadedAnimal->GetKind()));
        else if (mLoadedWeapon != nullptr)
            app->SetPointerForWeapon(mLoadedWeapon->GetKind());
    } else {
        app->SetDefaultPointer();
    }
}

Bool PlayerProcessor::IsOnAirstrikeButton(const Pointer& pointer) const
{
    if (!IsNodeActive(mAirstrikeEvents))
        return false;
    const Math::Vector<Float> button = Translation(mAirstrikeButtonTransform);
    return std::fabs(pointer.mWorld.x - button.x) < AirstrikeButtonReach &&
           std::fabs(pointer.mWorld.y - button.y) < AirstrikeButtonReach;
}

Bool PlayerProcessor::IsOnPauseButton(const Pointer& pointer) const
{
    const Float barY = Translation(mScoreBarPosition).y;
    for (const auto* reference : {&mPauseButtonBar, &mPauseButtonNormal}) {
        if (!reference->IsValid())
            continue;
        const Math::Vector<Float> button = Translation(*reference);
        if (std::fabs(pointer.mWorld.x - button.x) < PauseButtonReach &&
            std::fabs(pointer.mWorld.y - (button.y + barY)) < PauseButtonReach)
            return true;
    }
    return false;
}

void PlayerProcessor::SetAirstrikeButton(Bool enabled, Float alpha)
{
    if (Graph::IButton* button = mAirstrikeButton.Get())
        button->SetEnabled(enabled);
    if (Graph::IParameters* colour = mAirstrikeColor.Get())
        colour->SetColor(1, Color{1.0f, 1.0f, 1.0f, alpha});
}

Bool PlayerProcessor::DispatchPlayState(Logic::IState* state, Pointer& pointer, Float dt)
{
    switch (mGameState->GetPlayState()) {
    case PlayStart:
    case PlayRunning:
        LoadLauncher();
        if (mGameState->GetPlayState() == PlayStart) {
            SetNodeActive(mLauncherTransform, true);
            SetNodeActive(mLauncherShadow, true);
            SetNodeActive(mTutorial, false);
            mTutorialStep = 1;
        } else {
            HandleTutorial(state);
        }
        if (pointer.mPrimary) {
            if (IsOnAirstrikeButton(pointer)) {
                // The click belongs to the button and launches nothing.
                pointer.mPrimary = pointer.mSecondary = pointer.mThird = pointer.mAtLauncher = false;
                if (!IsAirstrikeRunning())
                    StartAirstrike();
            } else if (IsOnPauseButton(pointer)) {
                mGameState->SetPlayState(PlayPause);
                return false;
            }
        }
        return true;
    case PlayWon:
        ReleaseHeldObjects();
        mGameState->SetTranqTime(0.0f);
        mGameState->SetBigTranqTime(0.0f);
        if (mWeapons != nullptr)
            mWeapons->ReleaseAll();
        return true;
    case PlayLost:
        mExplosionPending = true;
        mVoiceTimer.GetTimeframe()->Start(kExplosionDelay);
        ReleaseHeldObjects();
        return false;
    case PlayLeaving:
        mConcealer.Hide();
        return true;
    case PlayTutorialWeapon:
    case PlayTutorialAnywhere:
        if (IsNodeActive(mTutorial) && mTutorialTimeline.IsValid() && mTutorialTimeline.Get()->WasStopped()) {
            mTutorialTimeline.Get()->Rewind();
            mTutorialTimeline.Get()->Start();
        }
        return true;
    default:
        if (mVoiceTimer.GetTimeframe()->IsEnded() && mExplosionPending) {
            mEffects->StartEffect(kEffectLauncherExplosion, mLauncherPosition, 0.0f, 0.0f);
            mExplosionPending = false;
        }
        SetNodeActive(mTutorial, false);
        UpdateSlowMotion(dt);
        return false;
    }
}

void PlayerProcessor::OnStep(Logic::IState* state)
{
    const Float dt = Float(state->GetCurrentTickDuration());
    if (mSwapOutAnim.GetTimeline()->IsEnded()) {
        Animal* loaded = mLoadedAnimal;
        mLoadedAnimal = mNextAnimal;
        mNextAnimal = loaded;
        SetLaunchSpeed(mLaunchSpeed);
    }
    ReadPointer(state, mPointer);
    StepAirstrike(dt);
    UpdatePointerImage();
    if (!DispatchPlayState(state, mPointer, dt))
        return;
    UpdateLauncher(dt);
    UpdateSlowMotion(dt);
    HandleShot(mPointer);
}

Bool PlayerProcessor::IsTutorialShowing() const
{
    return IsNodeActive(mTutorial);
}

Weapon* PlayerProcessor::FindWeaponAt(const Math::Vector<Float>& point)
{
    return mWeapons != nullptr ? mWeapons->TakeWeaponAt(point) : nullptr;
}

void PlayerProcessor::ReleaseWeapon(Weapon* weapon)
{
    if (mWeapons != nullptr && weapon != nullptr)
        mWeapons->Release(weapon);
}

void PlayerProcessor::TurnWeapon(Weapon* weapon, Float angle)
{
    weapon->SetRotation(angle);
    weapon->UpdateRotation();
}

void PlayerProcessor::UseCarrot(Weapon* weapon)
{
    // Every obstacle goes; the carrot itself goes straight back to the pool without an end effect.
    mPlayfield->GetObstacleContainer()->DestroyAll();
    ReleaseWeapon(weapon);
}

void PlayerProcessor::FireRocket(UInt32 n)
{
    Weapon* rocket = mWeapons != nullptr ? mWeapons->Obtain() : nullptr;
    if (rocket == nullptr)
        return;
    rocket->SetType(Weapon::KindAirstrike, 0);
    rocket->SetPosition(mLauncherPosition);
    rocket->UpdateTransform();
    rocket->Take();
    FlyingWeapon* flying = mPlayfield->GetFlyingObjectHandler()->SpawnWeapon(rocket);
    const Float angle = GetRocketAngle(n, mRocketAngle);
    TurnWeapon(rocket, angle);
    rocket->SetDepthOrder(19000);
    rocket->SetRadius(10.0f);
    if (flying != nullptr)
        flying->mVelocity = Math::Vector<Float>(RocketSpeed * Math::Cos(angle), RocketSpeed * Math::Sin(angle), 0.0f, 0.0f);
    const Math::Vector<Float> colour = GetRocketColour(n, mRocketAngle);
    rocket->SetColor(colour.x, colour.y, colour.z);
}

} // namespace App
} // namespace Vorn
