// The game stage's processor of everything the player does with the launcher: it reads the
// pointer once per logic step, aims, reacts to the play state, loads, swaps and launches the
// launcher's animals and weapons, runs the two tutorial levels' hints and the airstrike salvo,
// and eases the chain speed after tranquilliser shots. The level handler resets it and places
// the launcher for each level.
#pragma once

#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/play/animal_selector.h"
#include "game/play/play_processor.h"
#include "game/play/tutorial_concealer.h"
#include "logic/animation.h"
#include "logic/graph_node.h"
#include "logic/timeframe.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class ICamera;
class IDisplayText;
class INamespace;
class IParameters;
class ITimeline;
class ITransform;
} // namespace Graph

namespace App {

class Animal;
class ExplosionHandler;
class GameState;
class Weapon;
class WeaponContainer;

class PlayerProcessor : public PlayProcessor
{
public:
    static constexpr Float LoadedOffset = 25.0f;
    static constexpr SInt32 LoadedDepthOrder = 35000;
    static constexpr SInt32 NextDepthOrder = 25000;
    static constexpr SInt32 RaisedDepthOrder = 690001;
    static constexpr Float DefaultLaunchSpeed = 500.0f;
    static constexpr Float LauncherRadius = 80.0f;
    static constexpr Float PauseButtonReach = 80.0f;
    static constexpr Float AirstrikeButtonReach = 60.0f;
    static constexpr UInt32 RocketsPerSalvo = 16;
    static constexpr Float RocketInterval = 0.05f;
    static constexpr Float RocketSpeed = 700.0f;

    // Play states the processor reads and writes.
    static constexpr UInt32 PlayStart = 4;
    static constexpr UInt32 PlayRunning = 5;
    static constexpr UInt32 PlayTutorialWeapon = 6;
    static constexpr UInt32 PlayTutorialAnywhere = 7;
    static constexpr UInt32 PlayLost = 9;
    static constexpr UInt32 PlayWon = 12;
    static constexpr UInt32 PlayPause = 17;
    static constexpr UInt32 PlayLeaving = 20;

    // What one step read from the pointer.
    struct Pointer
    {
        Math::Vector<Float> mScreen{0.0f, 0.0f, 0.0f, 1.0f};
        Math::Vector<Float> mWorld{0.0f, 0.0f, 0.0f, 1.0f};
        // World point minus launcher position.
        Math::Vector<Float> mAim{0.0f, 0.0f, 0.0f, 0.0f};
        Bool mPrimary = false;
        Bool mSecondary = false;
        Bool mThird = false;
        Bool mAtLauncher = false;
        Bool AnyButton() const { return mPrimary || mSecondary || mThird; }
    };

    // Effects start through the play field's explosion handler unless another one is given.
    PlayerProcessor(Logic::IFactory* factory, Playfield* playfield, ExplosionHandler* effects = nullptr);
    ~PlayerProcessor() override;

    // Binds the nodes (a missing one stays unbound), builds the launcher animations and binds the
    // concealer; false only when the concealer cannot be bound.
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;
    void OnAnimate(Logic::IState* state) override;

    // Empties the launcher and clears the salvo and tutorial state before a level.
    void Reset();
    // Gives the held animals and weapon back to their pools.
    void ReleaseHeldObjects();
    void SetLauncherPosition(Float x, Float y);
    void PoseLauncher(Float angle);
    // The launcher animations run at speed / 300, at most twice as fast.
    void SetLaunchSpeed(Float speed);
    // Eases the chain speed factor towards 0.1, 0.3 or 1.0 at 0.5 per second.
    void UpdateSlowMotion(Float dt);

    // Launcher (loading, placing, the shot).
    void LoadLauncher();
    void UpdateLauncher(Float dt);
    void HandleShot(Pointer& pointer);

    // Tutorial: applies the hint of the level's step; false when the pair has none.
    Bool ShowTutorialStep(UInt32 level, UInt32 step, Logic::IState* state);
    // Whether a click at the aim vector (with the weapon under it, or none) passes the hint.
    Bool AcceptsTutorialClick(const Math::Vector<Float>& aim, const Weapon* weapon) const;

    // Airstrike.
    Bool IsAirstrikeRunning() const;
    // False while rockets of a salvo are left.
    Bool StartAirstrike();
    void StepAirstrike(Float dt);
    // The direction and tint of the rocket that leaves with n rockets still to come.
    static Float GetRocketAngle(UInt32 n, Float base);
    static Math::Vector<Float> GetRocketColour(UInt32 n, Float base);

    // The direction of (x, y) in [0, 2 pi), from +x towards +y.
    static Float GetVectorAngle(const Math::Vector<Float>& v);

    // State, for the level handler and tests.
    Animal* GetLoadedAnimal() const { return mLoadedAnimal; }
    Animal* GetNextAnimal() const { return mNextAnimal; }
    Weapon* GetLoadedWeapon() const { return mLoadedWeapon; }
    const Math::Vector<Float>& GetLauncherPosition() const { return mLauncherPosition; }
    Float GetAimAngle() const { return mAimAngle; }
    Float GetLaunchSpeed() const { return mLaunchSpeed; }
    Float GetRhinoSpeedLimit() const { return mRhinoSpeedLimit; }
    UInt32 GetSpecialShots() const { return mSpecialShots; }
    Bool IsExplosionPending() const { return mExplosionPending; }
    UInt32 GetTutorialStep() const { return mTutorialStep; }
    Bool IsTutorialShowing() const;
    Bool IsTutorialDimmed() const { return mTutorialDimmed; }
    const Math::Vector<Float>& GetTutorialTarget() const { return mTutorialTarget; }
    UInt32 GetTutorialRadius() const { return mTutorialRadius; }
    Float GetRocketTimer() const { return mRocketTimer; }
    UInt32 GetRocketsLeft() const { return mRocketsLeft; }
    Float GetRocketAngle() const { return mRocketAngle; }
    const Pointer& GetPointer() const { return mPointer; }
    AnimalSelector& GetSelector() { return mSelector; }
    TutorialConcealer& GetConcealer() { return mConcealer; }
    Logic::ITimeframe* GetVoiceTimer() const { return mVoiceTimer.GetTimeframe(); }
    Logic::Animation<Math::Vector<float>>& GetKickAnimation() { return mKickAnim; }
    Logic::Animation<Math::Vector<float>>& GetNextHopAnimation() { return mNextHopAnim; }
    Logic::Animation<Float>& GetNextSizeAnimation() { return mNextSizeAnim; }
    Logic::Animation<Math::Vector<float>>& GetSwapOutAnimation() { return mSwapOutAnim; }
    Logic::Animation<Math::Vector<float>>& GetSwapInAnimation() { return mSwapInAnim; }
    void SetSpecialShots(UInt32 shots) { mSpecialShots = shots; }
    void SetAimAngle(Float angle) { mAimAngle = angle; }
    void SetRocketAngle(Float angle) { mRocketAngle = angle; }
    void SetTutorialStep(UInt32 step) { mTutorialStep = step; }
    // The pool of the field's weapons (not owned); without one no weapon is taken or fired.
    void SetWeaponContainer(WeaponContainer* weapons) { mWeapons = weapons; }

private:
    // The pointer of this step; true when it lies within the launcher's circle.
    Bool ReadPointer(Logic::IState* state, Pointer& pointer);
    void UpdatePointerImage();
    // The play-state dispatch of step 5; false when the step ends there.
    Bool DispatchPlayState(Logic::IState* state, Pointer& pointer, Float dt);
    Bool IsOnPauseButton(const Pointer& pointer) const;
    Bool IsOnAirstrikeButton(const Pointer& pointer) const;
    void SetAirstrikeButton(Bool enabled, Float alpha);

    void BuildAnimations();
    void SetLauncherTimeScale(Float scale);
    void CountKindsOnCourses();
    // A kind among 6 .. 13 drawn by the tallies; 14 for none.
    SInt32 DrawColourKind();
    void PrepareLoadedAnimal(Animal* animal);
    void PrepareNextAnimal(Animal* animal);
    void CheckLoadedColour();
    void CheckNextColour();
    void PlayIdleVoice();
    void PlaceAnimal(Animal* animal, const Logic::Animation<Math::Vector<float>>& track, Float angle);
    void PlaceLoadedAnimal(Float angle);
    void PlaceNextAnimal(Float angle);
    void PlaceLoadedWeapon(Float angle);
    void Swap();
    void TakeWeapon(Weapon* weapon);
    void Launch(const Pointer& pointer);

    void HandleTutorial(Logic::IState* state);
    void SetTutorialTimeScales(Float scale);

    // The weapon pool's part in the launcher.
    Weapon* FindWeaponAt(const Math::Vector<Float>& point);
    void ReleaseWeapon(Weapon* weapon);
    void TurnWeapon(Weapon* weapon, Float angle);
    // The carrot acts at once and goes back to its pool; the launcher keeps what it holds.
    void UseCarrot(Weapon* weapon);
    void FireRocket(UInt32 n);
    void ReleaseAnimal(Animal*& animal);

    template <typename T>
    void Bind(Logic::IState* state, Logic::GraphNodeT<T>& reference, const char* path);

    GameState* mGameState;
    ExplosionHandler* mEffects;
    WeaponContainer* mWeapons;
    TutorialConcealer mConcealer;

    Logic::GraphNodeT<Graph::ICamera> mCamera;
    Logic::GraphNodeT<Graph::ITransform> mCameraTransform;
    Logic::GraphNodeT<Graph::ITimeline> mLauncherTimeline;
    Logic::GraphNodeT<Graph::ITransform> mLauncherTransform;
    Logic::GraphNodeT<Graph::ITransform> mLauncherInnerTransform;
    Logic::GraphNodeT<Graph::ITransform> mLauncherRotation;
    Logic::GraphNodeT<Graph::ITransform> mLauncherShadow;
    Logic::GraphNodeT<Graph::ITransform> mLauncherShadowRotation;
    Logic::GraphNodeT<Graph::ITransform> mLauncherBase;
    Logic::GraphNodeT<Graph::INamespace> mTutorial;
    Logic::GraphNodeT<Graph::ITimeline> mTutorialTimeline;
    Logic::GraphNodeT<Graph::ITransform> mTutorialPosition;
    Logic::GraphNodeT<Graph::IDisplayText> mTutorialText;
    Logic::GraphNodeT<Graph::ITransform> mTutorialTextTransform;
    Logic::GraphNodeT<Graph::ITransform> mTutorialArrow;
    Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent> mAirstrikeEvents;
    Logic::GraphNodeT<Graph::IButton> mAirstrikeButton;
    Logic::GraphNodeT<Graph::ITransform> mAirstrikeButtonTransform;
    Logic::GraphNodeT<Graph::IDisplayText> mRocketsLeftText;
    Logic::GraphNodeT<Graph::ITransform> mRocketsLeftTransform;
    Logic::GraphNodeT<Graph::IParameters> mAirstrikeColor;
    Logic::GraphNodeT<Graph::ITransform> mPauseButtonBar;
    Logic::GraphNodeT<Graph::ITransform> mPauseButtonNormal;
    Logic::GraphNodeT<Graph::ITransform> mScoreBarPosition;

    Bool mTutorialAnyWhere;
    UInt32 mTutorialStep;
    Math::Vector<Float> mTutorialTarget;
    UInt32 mTutorialRadius;
    Math::Vector<Float> mTutorialRowA;
    Math::Vector<Float> mTutorialRowB;

    Math::Vector<Float> mLauncherPosition;
    Bool mExplosionPending;
    Float mAimAngle;
    Float mLastPointer[2];
    UInt32 mTouchIndex;
    Animal* mLoadedAnimal;
    Animal* mNextAnimal;
    Weapon* mLoadedWeapon;
    Float mLaunchSpeed;
    Logic::BaseTimeframe mVoiceTimer;
    UInt32 mSpecialShots;
    Float mRhinoSpeedLimit;
    Float mRocketTimer;
    UInt32 mRocketsLeft;
    Float mRocketAngle;
    Bool mTutorialDimmed;

    Logic::Animation<Math::Vector<float>> mKickAnim;
    Logic::Animation<Math::Vector<float>> mNextHopAnim;
    Logic::Animation<Float> mNextSizeAnim;
    Logic::Animation<Math::Vector<float>> mSwapOutAnim;
    Logic::Animation<Math::Vector<float>> mSwapInAnim;

    AnimalSelector mSelector;
    Util::TT800 mRng;
    Pointer mPointer;
};

} // namespace App
} // namespace Vorn
