#include "game/play/player_processor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/math.h"
#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/play_field.h"
#include "game/play/weapon.h"
#include "graph/node.h"
#include "graph/transform/transform.h"
#include "logic/factory.h"
#include "logic/processor.h"
#include "logic/state.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/play_object_templates.h"
#include "tests/support/play_stage_fixture.h"
#include "tests/support/play_templates.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

// The game stage's player nodes under a camera of one unit per pixel (1280 x 800). The launcher
// base under "/framebuffer" and the tutorial text are missing: they stay unbound. The play
// field's own pools are there for it to bind; the test's weapons come from a pool of its own.
const char kScene[] =
    "<View><OrthographicCamera id='camera' unitSizeX='1'/>"
    "<Namespace id='stage_game'>"
    "<Instance id='ashexplosion_container' graphResourceId='p:ash' replications='1'/>"
    "<Instance id='iceexplosion_container' graphResourceId='p:ice' replications='1'/>"
    "<Instance id='obstacle_container' graphResourceId='p:obstacle' replications='1'/>"
    "<Instance id='animal_container' graphResourceId='p:animal' replications='8'/>"
    "<Instance id='course_container' graphResourceId='p:course' replications='1'/>"
    "<Instance id='weapon_container' graphResourceId='p:weapon' replications='20'/>"
    "<Instance id='clouds_container' graphResourceId='p:clouds' replications='2'/>"
    "<Instance id='scoretext_container' graphResourceId='p:scores' replications='2'/>"
    "<Namespace id='ramp'><Timeline id='timeline' endTime='1'/><Transform id='transform'/>"
    "<Transform id='inner_transform'/><Transform id='rotation'/><Transform id='ramp_shadow'/>"
    "<Transform id='shadow_rotation'/></Namespace>"
    "<Namespace id='tutorial' activeAndVisible='false'><Timeline id='timeline' endTime='1'/>"
    "<Transform id='position'/><Transform id='tutorialarrow'/></Namespace>"
    "<Namespace id='airstrike'><Button id='button_airstrike' sizeX='100' sizeY='100' mouseButton='LEFT'/>"
    "<Parameters id='parameters'/></Namespace>"
    "<Namespace id='scorebar'><Transform id='position'/><Namespace id='bar'><Transform id='pause_button'/>"
    "</Namespace></Namespace>"
    "<Namespace id='tutorial_concealer' activeAndVisible='false'>"
    "<DisplayObject id='display_object' maxNumberOfIndices='10' maxNumberOfVertices='10' hasTexCoords0='true'/>"
    "<Timeline id='timeline' endTime='1'/></Namespace>"
    "</Namespace><Namespace id='framebuffer'>"
    "<Instance id='obstacle_container' graphResourceId='p:rock' replications='1'/></Namespace></View>";

class PlayerProcessorTest : public ViewSceneFixture
{
protected:
    PlayerProcessorTest()
        : mTextClasses(mFactory, {{"TestText", &Testing::TextNode::Create}}),
          mEngineState(mLogicFactory.CreateState(&mDevices, &mConfiguration, &mLoader, nullptr)),
          mContext(&mLogicFactory, 1280.0f, 800.0f), mField(&mContext),
          mPlayer(&mLogicFactory, &mField, &mEffects),
          mWeapons(mContext.GetGameState(), &mEffects, mContext.GetSoundContainer())
    {
    }
    ~PlayerProcessorTest() override { mLogicFactory.DestroyState(mEngineState); }

    void SetUp() override
    {
        AddPoolGraphs(mCollection);
        mCollection.AddGraph("p:weapon", WeaponTemplate().c_str());
        mScene = Scene(kScene);
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(RunFrame()); // sets the camera's projection up
        mEngineState->SetGraphRoot(mRoot.get());
        mEngineState->SetCurrentTickDuration(1.0 / 60.0);
        ASSERT_TRUE(mField.Init(mScene, "/stage_game"));
        ASSERT_TRUE(mPlayer.GetProcessor()->Init(State()));
        ASSERT_TRUE(mWeapons.Init(mScene, "/stage_game"));
        mPlayer.SetWeaponContainer(&mWeapons);
        Find<Graph::ITransform>(mScene, "/stage_game/airstrike/button_airstrike")->SetPosition(500.0f, 300.0f, 0.0f);
        Find<Graph::ITransform>(mScene, "/stage_game/scorebar/position")->SetPosition(0.0f, 100.0f, 0.0f);
        Find<Graph::ITransform>(mScene, "/stage_game/scorebar/bar/pause_button")->SetPosition(-500.0f, 200.0f, 0.0f);
        GameState* game = Game();
        ASSERT_TRUE(game->Init(nullptr, nullptr));
        game->SetViewFloats(1280.0f, 800.0f, 0.0f);
        game->SetLevel(2, true);
        game->SetTimeFactor(1.0f);
        mPlayer.Reset();
        game->SetPlayState(5);
    }
    void TearDown() override
    {
        mPlayer.Reset();
        EXPECT_TRUE(mPlayer.GetProcessor()->DeInit(State()));
        EXPECT_TRUE(mWeapons.DeInit());
        EXPECT_TRUE(mField.DeInit());
    }
    // A weapon of the kind standing at the point.
    Weapon* PlaceWeapon(UInt32 kind, Float x, Float y)
    {
        mWeapons.AddWeaponPlace(1, Math::Vector<Float>(x, y, 0.0f, 1.0f));
        EXPECT_TRUE(mWeapons.PlaceWeapon(kind));
        const WeaponContainer::Place* place = mWeapons.GetWeaponPlace(mWeapons.GetNumberOfWeaponPlaces() - 1);
        return place != nullptr ? place->mWeapon : nullptr;
    }

    Logic::IState* State() { return mEngineState->GetState(); }
    GameState* Game() { return mContext.GetGameState(); }
    void Step(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            mPlayer.GetProcessor()->Step(State());
    }
    // The mouse at a scene position.
    void Point(Float x, Float y, Bool down = false)
    {
        mDevices.mMouseX = x / 640.0f;
        mDevices.mMouseY = y / 400.0f;
        mDevices.mMouseDown = down;
    }
    UInt32 Count(UInt32 effect) const
    {
        UInt32 n = 0;
        for (const auto& e : mEffects.mEffects)
            n += e.mNumber == effect ? 1 : 0;
        return n;
    }

    NodeClassRegistration mTextClasses;
    Logic::Factory mLogicFactory;
    FakeLogicDeviceHandler mDevices;
    FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    AppContext mContext;
    Playfield mField;
    RecordingExplosionHandler mEffects;
    PlayerProcessor mPlayer;
    WeaponContainer mWeapons;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(PlayerProcessorTest, AimFollowsThePointerOutsideTheLauncherCircleOnly)
{
    Point(320.0f, 200.0f);
    Step();
    EXPECT_NEAR(mPlayer.GetAimAngle(), std::atan2(200.0f, 320.0f), 1e-4f);
    EXPECT_FALSE(mPlayer.GetPointer().mAtLauncher);
    Point(40.0f, -60.0f); // 72 units away
    Step();
    EXPECT_NEAR(mPlayer.GetAimAngle(), std::atan2(200.0f, 320.0f), 1e-4f);
    EXPECT_TRUE(mPlayer.GetPointer().mAtLauncher);
    Point(0.0f, -81.0f);
    Step();
    EXPECT_NEAR(mPlayer.GetAimAngle(), 3.0f * Float(Math::Pi) / 2.0f, 1e-4f);
}

TEST_F(PlayerProcessorTest, LoadsAndLaunchesAtTheLaunchSpeed)
{
    Point(320.0f, 0.0f);
    Step(2);
    ASSERT_NE(mPlayer.GetLoadedAnimal(), nullptr);
    ASSERT_NE(mPlayer.GetNextAnimal(), nullptr);
    // No colour on a course: kinds 6 to 11 and 13 come, never 12.
    EXPECT_TRUE(Animal::IsColourKind(mPlayer.GetLoadedAnimal()->GetKind()));
    EXPECT_NE(mPlayer.GetLoadedAnimal()->GetKind(), 12);
    Animal* loaded = mPlayer.GetLoadedAnimal();

    Point(320.0f, 0.0f, true);
    Step();
    ASSERT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 1u);
    const FlyingAnimal* flying = mField.GetFlyingObjectHandler()->GetAnimal(0);
    EXPECT_EQ(flying->mAnimal, loaded);
    EXPECT_TRUE(loaded->mShot);
    EXPECT_NEAR(flying->mVelocity.x, 500.0f, 1e-3f);
    EXPECT_NEAR(flying->mVelocity.y, 0.0f, 1e-3f);
    EXPECT_EQ(mPlayer.GetLoadedAnimal(), nullptr);
    EXPECT_EQ(Game()->GetRun().GetCounter(1), 1u);
    EXPECT_EQ(Count(30), 1u);
}

TEST_F(PlayerProcessorTest, AClickNearThePauseButtonPausesAndLaunchesNothing)
{
    Step(2);
    ASSERT_NE(mPlayer.GetLoadedAnimal(), nullptr);
    // The button's y centre is shifted by the score bar: 200 + 100.
    Point(-500.0f + 79.0f, 300.0f - 79.0f, true);
    Step();
    EXPECT_EQ(Game()->GetPlayState(), 17u);
    EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
}

TEST_F(PlayerProcessorTest, TheAirstrikeButtonFiresASalvoAndNeverTheLoadedAnimal)
{
    Step(2);
    Graph::INode* button = mScene->FindNode(String("/stage_game/airstrike/button_airstrike"));
    button->SetActiveAndVisible(true);
    button->RemoveReference();
    Step(10); // the tail after a reset has run out
    ASSERT_FALSE(mPlayer.IsAirstrikeRunning());
    Point(540.0f, 270.0f, true);
    Step();
    EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
    EXPECT_EQ(mPlayer.GetRocketsLeft(), 16u);
    Step();
    EXPECT_EQ(mPlayer.GetRocketsLeft(), 15u); // the first rocket leaves at the next tick
    EXPECT_FALSE(mPlayer.StartAirstrike());
    // No weapon pool: every rocket is skipped but counted, one per 0.05 s.
    mDevices.mMouseDown = false;
    Step(60);
    EXPECT_EQ(mPlayer.GetRocketsLeft(), 0u);
    EXPECT_FALSE(mPlayer.IsAirstrikeRunning());
}

TEST_F(PlayerProcessorTest, ALostLevelEmptiesTheLauncherAndExplodesItOnceAfterwards)
{
    Step(2);
    Game()->SetPlayState(9);
    Step();
    EXPECT_EQ(mPlayer.GetLoadedAnimal(), nullptr);
    EXPECT_EQ(mPlayer.GetNextAnimal(), nullptr);
    EXPECT_EQ(mField.GetAnimalContainer()->GetNumUsed(), 0u);
    Step(60); // the timer restarts every step while lost
    EXPECT_EQ(Count(38), 0u);
    Game()->SetPlayState(8);
    Step(60);
    EXPECT_EQ(Count(38), 1u);
    EXPECT_FALSE(mPlayer.IsExplosionPending());
}

TEST_F(PlayerProcessorTest, SwapTradesTheAnimalsWhenTheSwapOutEnds)
{
    Step(2);
    Animal* loaded = mPlayer.GetLoadedAnimal();
    Animal* next = mPlayer.GetNextAnimal();
    Point(10.0f, 10.0f, true);
    Step();
    mDevices.mMouseDown = false;
    EXPECT_TRUE(mPlayer.GetSwapOutAnimation().GetTimeline()->IsRunning());
    EXPECT_EQ(mPlayer.GetLoadedAnimal(), loaded);
    Step(16);
    EXPECT_EQ(mPlayer.GetLoadedAnimal(), next);
    EXPECT_EQ(mPlayer.GetNextAnimal(), loaded);
    EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
}

TEST_F(PlayerProcessorTest, AClickOnAWeaponTakesItAndARhinoFliesAtMost800)
{
    const struct
    {
        Float mLaunchSpeed;
        Float mFlight;
    } cases[] = {{1300.0f, 800.0f}, {500.0f, 500.0f}};
    for (const auto& c : cases) {
        mPlayer.Reset();
        mWeapons.ReleaseAll();
        mPlayer.SetLaunchSpeed(c.mLaunchSpeed);
        Game()->SetPlayState(5);
        Step(30); // the launcher reloads after the last shot
        Weapon* rhino = PlaceWeapon(Weapon::KindRhino, 300.0f, 0.0f);
        ASSERT_NE(rhino, nullptr);
        Point(300.0f, 0.0f, true);
        Step();
        EXPECT_EQ(mPlayer.GetLoadedWeapon(), rhino);
        EXPECT_EQ(mPlayer.GetLoadedAnimal(), nullptr);
        EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
        EXPECT_EQ(Count(25), 1u);
        Step(); // the held button fires the rhino
        ASSERT_EQ(mField.GetFlyingObjectHandler()->GetWeaponCount(), 1u);
        EXPECT_NEAR(mField.GetFlyingObjectHandler()->GetWeapon(0)->mVelocity.x, c.mFlight, 1e-3f);
        mDevices.mMouseDown = false;
        mEffects.mEffects.clear();
        mField.GetFlyingObjectHandler()->Reset();
    }
}

TEST_F(PlayerProcessorTest, AChameleonTurnsTheNextShotsIntoJokers)
{
    const struct
    {
        UInt32 mLevel;
        UInt32 mShots;
    } cases[] = {{1, 3}, {5, 5}};
    for (const auto& c : cases) {
        mPlayer.Reset();
        mWeapons.ReleaseAll();
        Game()->SetPlayState(5);
        Step(2);
        Weapon* chameleon = PlaceWeapon(Weapon::KindChameleon, -300.0f, 0.0f);
        ASSERT_NE(chameleon, nullptr);
        chameleon->SetLevel(c.mLevel);
        Point(-300.0f, 0.0f, true);
        Step();
        EXPECT_EQ(mPlayer.GetSpecialShots(), c.mShots);
        EXPECT_EQ(mPlayer.GetLoadedWeapon(), nullptr);
        mDevices.mMouseDown = false;
        Step();
        ASSERT_NE(mPlayer.GetLoadedAnimal(), nullptr);
        EXPECT_EQ(mPlayer.GetLoadedAnimal()->GetKind(), Animal::KindJoker);
        ASSERT_NE(mPlayer.GetNextAnimal(), nullptr);
        EXPECT_EQ(mPlayer.GetNextAnimal()->GetKind(), Animal::KindJoker);
    }
}

TEST_F(PlayerProcessorTest, ASalvoFiresSixteenTintedRocketsAllAround)
{
    Step(2);
    mPlayer.SetRocketAngle(0.0f);
    ASSERT_TRUE(mPlayer.StartAirstrike());
    mPlayer.SetRocketAngle(0.0f);
    Step(60);
    FlyingObjectHandler* flying = mField.GetFlyingObjectHandler();
    ASSERT_EQ(flying->GetWeaponCount(), 16u);
    const Math::Vector<Float>& first = flying->GetWeapon(0)->mVelocity;
    const Float angle = PlayerProcessor::GetRocketAngle(15, 0.0f);
    EXPECT_NEAR(first.x, 700.0f * std::cos(angle), 0.5f);
    EXPECT_NEAR(first.y, 700.0f * std::sin(angle), 0.5f);
    EXPECT_EQ(flying->GetWeapon(15)->mWeapon->GetKind(), Weapon::KindAirstrike);
    EXPECT_EQ(flying->GetWeapon(15)->mWeapon->GetRadius(), 10.0f);
    EXPECT_EQ(Game()->GetRockets(), 0u);
}

TEST_F(PlayerProcessorTest, SlowMotionEasesBackToExactlyOne)
{
    const struct
    {
        Float mStrong;
        Float mMild;
        Float mStart;
        Float mEnd;
    } cases[] = {{0.0f, 0.0f, 0.5f, 1.0f}, {100.0f, 0.0f, 1.0f, 0.1f}, {0.0f, 100.0f, 1.0f, 0.3f}, {0.0f, 100.0f, 0.1f, 0.3f}};
    for (const auto& c : cases) {
        Game()->SetBigTranqTime(c.mStrong);
        Game()->SetTranqTime(c.mMild);
        Game()->SetTimeFactor(c.mStart);
        for (int i = 0; i < 200; ++i)
            mPlayer.UpdateSlowMotion(0.05f);
        EXPECT_EQ(Game()->GetTimeFactor(), c.mEnd) << c.mStrong << " " << c.mMild << " " << c.mStart;
    }
}

TEST_F(PlayerProcessorTest, LaunchSpeedSetsTheLauncherTimeScaleUpToTwo)
{
    const struct
    {
        Float mSpeed;
        Float mScale;
    } cases[] = {{900.0f, 2.0f}, {150.0f, 0.5f}, {300.0f, 1.0f}};
    for (const auto& c : cases) {
        mPlayer.SetLaunchSpeed(c.mSpeed);
        EXPECT_FLOAT_EQ(mPlayer.GetKickAnimation().GetTimeline()->GetTimeScale(), c.mScale) << c.mSpeed;
        EXPECT_FLOAT_EQ(mPlayer.GetNextSizeAnimation().GetTimeline()->GetTimeScale(), c.mScale) << c.mSpeed;
        EXPECT_FLOAT_EQ(mPlayer.GetSwapInAnimation().GetTimeline()->GetTimeScale(), 1.0f);
    }
}

TEST_F(PlayerProcessorTest, SalvoAnglesAndColours)
{
    const Float turn = Float(Math::TwoPi);
    EXPECT_NEAR(PlayerProcessor::GetRocketAngle(15, 0.0f), Math::WrapAngle(30.0f / 16.0f * turn - turn / 4.0f), 1e-4f);
    EXPECT_NEAR(PlayerProcessor::GetRocketAngle(0, 0.0f), Math::WrapAngle(1.0f / 16.0f * turn - turn / 4.0f), 1e-4f);
    EXPECT_NEAR(PlayerProcessor::GetRocketAngle(8, 0.0f), 16.0f / 16.0f * turn - turn / 4.0f, 1e-4f);
    // Hue 1.0 rad lies in the first sixth's second part: red fades, green rises.
    const Math::Vector<Float> colour = PlayerProcessor::GetRocketColour(0, 0.0f);
    const Float w = turn / 6.0f;
    EXPECT_NEAR(colour.x, (2.0f * w - 1.0f) / w, 1e-4f);
    EXPECT_NEAR(colour.y, 1.0f / w, 1e-4f);
    EXPECT_EQ(colour.z, 0.0f);
}

TEST_F(PlayerProcessorTest, TutorialAcceptsOnlyClicksAtTheTarget)
{
    ASSERT_TRUE(mPlayer.ShowTutorialStep(1, 1, State()));
    const struct
    {
        Float mX;
        Float mY;
        Bool mAccepted;
    } levelOne[] = {{600.0f, 0.0f, false}, {600.0f, 300.0f, true}, {-600.0f, -300.0f, false},
                    {260.0f, 200.0f, true}, {0.0f, 0.0f, false}};
    for (const auto& c : levelOne)
        EXPECT_EQ(mPlayer.AcceptsTutorialClick(Math::Vector<Float>(c.mX, c.mY, 0.0f, 0.0f), nullptr), c.mAccepted)
            << c.mX << " " << c.mY;
    EXPECT_EQ(mPlayer.GetTutorialTarget().x, 260.0f);
    EXPECT_EQ(mPlayer.GetTutorialTarget().y, 200.0f);
    EXPECT_TRUE(mPlayer.GetConcealer().IsShowing());
    EXPECT_EQ(mPlayer.GetConcealer().GetNumberOfCorners(), 5u);

    ASSERT_TRUE(mPlayer.ShowTutorialStep(10, 2, State()));
    EXPECT_EQ(Game()->GetPlayState(), 6u);
    EXPECT_TRUE(mPlayer.AcceptsTutorialClick(Math::Vector<Float>(-95.0f, 40.0f + 1.0f, 0.0f, 0.0f), nullptr) == false);
    EXPECT_TRUE(mPlayer.AcceptsTutorialClick(Math::Vector<Float>(106.0f, -46.0f, 0.0f, 0.0f), nullptr));
    ASSERT_TRUE(mPlayer.ShowTutorialStep(10, 1, State()));
    EXPECT_FALSE(mPlayer.AcceptsTutorialClick(Math::Vector<Float>(-180.0f, 100.0f, 0.0f, 0.0f), nullptr));
    EXPECT_FALSE(mPlayer.ShowTutorialStep(1, 5, State()));
    EXPECT_FALSE(mPlayer.ShowTutorialStep(2, 1, State()));
}

TEST_F(PlayerProcessorTest, LevelOneShowsTheFirstHintAndZenShowsNone)
{
    Game()->SetLevel(1, true);
    Game()->SetPlayState(4);
    Step();
    Game()->SetPlayState(5);
    Step(3);
    EXPECT_TRUE(mPlayer.IsTutorialShowing());
    EXPECT_TRUE(mPlayer.IsTutorialDimmed());
    ASSERT_NE(mPlayer.GetLoadedAnimal(), nullptr);
    EXPECT_EQ(mPlayer.GetLoadedAnimal()->GetKind(), 13);
    EXPECT_FLOAT_EQ(mPlayer.GetKickAnimation().GetTimeline()->GetTimeScale(), 0.5f);
    // Slope 0 to the right is ignored; slope 0.5 is accepted and fires.
    Point(600.0f, 0.0f, true);
    Step();
    EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
    Point(600.0f, 300.0f, true);
    Step();
    EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 1u);
    EXPECT_EQ(mPlayer.GetTutorialStep(), 2u);
    EXPECT_FALSE(mPlayer.IsTutorialShowing());

    mPlayer.Reset();
    Game()->SetLevel(0, true);
    Game()->SetPlayState(4);
    Step();
    Game()->SetPlayState(5);
    mDevices.mMouseDown = false;
    Step(20);
    EXPECT_FALSE(mPlayer.IsTutorialShowing());
}

} // namespace
} // namespace App
} // namespace Vorn
