#include "game/play/flying_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/play_seed.h"
#include "game/play/weapon.h"
#include "tests/support/play_object_templates.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/play_templates.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

TEST(FlyingObjectTest, ScaleWindowTellsArrival)
{
    struct Case
    {
        Float reference;
        Float s;
        Bool arrived;
    };
    const Case cases[] = {
        {0.5f, 1.0f, true},  {0.5f, 0.95f, true}, {0.5f, 0.7f, false}, {0.5f, 0.4f, true},  {0.5f, 1.2f, true},
        {2.0f, 1.5f, false}, {2.0f, 0.9f, false}, {2.0f, 0.8f, true},  {2.0f, 2.5f, true},  {1.0f, 0.95f, true},
        {1.0f, 0.9f, true},
    };
    Animal animal;
    FlyingAnimal flying(&animal);
    for (const Case& c : cases) {
        flying.mReferenceScale = c.reference;
        EXPECT_EQ(flying.CheckScaleWindow(c.s), c.arrived) << c.reference << " " << c.s;
    }
}

TEST(FlyingObjectTest, HandlerListsSpawnTakeAndStep)
{
    FlyingObjectHandler handler;
    Animal first;
    Animal second;
    Weapon weapon;
    EXPECT_EQ(handler.SpawnAnimal(nullptr), nullptr);
    FlyingAnimal* a = handler.SpawnAnimal(&first);
    FlyingAnimal* b = handler.SpawnAnimal(&second);
    FlyingWeapon* w = handler.SpawnWeapon(&weapon);
    EXPECT_EQ(handler.GetAnimalCount(), 2u);
    EXPECT_EQ(handler.GetWeapon(0), w);
    EXPECT_EQ(handler.GetWeapon(1), nullptr);
    EXPECT_EQ(w->GetRadius(), 35.0f);

    a->mVelocity = Math::Vector<Float>(60.0f, 0.0f, 0.0f, 0.0f);
    a->mDelay = 0.5f;
    a->mTimer = 1.0f;
    handler.Step(0.5); // the delay is used up: no move yet
    EXPECT_EQ(first.mPosition.x, 0.0f);
    EXPECT_EQ(a->mTimer, 0.5f);
    handler.Step(0.5);
    EXPECT_EQ(first.mPosition.x, 30.0f);
    EXPECT_FALSE(a->IsTimerRunning());
    b->mVelocity = Math::Vector<Float>(0.0f, -1.0f, 0.0f, 0.0f);
    b->mIsStopped = true;
    handler.Step(1.0);
    EXPECT_EQ(second.mPosition.y, 0.0f);
    b->mIsStopped = false;
    handler.Step(1.0);
    EXPECT_FLOAT_EQ(second.mHeading, Float(3.0 * Math::Pi / 2.0));

    EXPECT_EQ(handler.TakeAnimal(a), &first);
    EXPECT_EQ(handler.GetAnimalCount(), 1u);
    EXPECT_EQ(handler.GetAnimal(0), b);
    EXPECT_EQ(handler.TakeAnimal(a), nullptr);
    EXPECT_TRUE(handler.RemoveWeapon(w));
    EXPECT_FALSE(handler.RemoveWeapon(w));
    b->SetContact(1, &first);
    b->SetContact(2, &first);
    EXPECT_TRUE(b->HasContact());
    EXPECT_EQ(b->GetContact(2), nullptr);
    b->ClearContacts();
    EXPECT_FALSE(b->HasContact());
}

} // namespace
} // namespace App
} // namespace Vorn

namespace Vorn {
namespace App {
namespace {

class FlyingObjectHandlerTest : public Testing::ViewSceneFixture
{
protected:
    static constexpr Double kStep = 0.01;

    FlyingObjectHandlerTest()
        : mTextClass(mFactory, {{"TestText", &Testing::TextNode::Create}}), mAnimals(&mGameState, &mEffects),
          mWeapons(&mGameState, &mEffects, nullptr),
          mFlying(&mGameState, &mAnimals, &mWeapons, nullptr, &mEffects, nullptr)
    {
    }
    void SetUp() override
    {
        mCollection.AddGraph("p:animal", Testing::AnimalTemplate().c_str());
        mCollection.AddGraph("p:weapon", Testing::WeaponTemplate().c_str());
        mScene = Scene("<View><Instance id='animal_container' graphResourceId='p:animal' replications='3'/>"
                       "<Instance id='weapon_container' graphResourceId='p:weapon' replications='2'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mAnimals.Init(mScene, ""));
        ASSERT_TRUE(mWeapons.Init(mScene, ""));
        ASSERT_TRUE(mFlying.Init());
        Testing::StartPlaying(mGameState); // 1000 × 600, launcher at the origin
    }
    void TearDown() override
    {
        EXPECT_TRUE(mFlying.DeInit());
        EXPECT_TRUE(mWeapons.DeInit());
        EXPECT_TRUE(mAnimals.DeInit());
    }

    FlyingWeapon* Fire(UInt32 kind, Float x, Float y, Float vx, Float vy)
    {
        Weapon* weapon = mWeapons.Obtain();
        weapon->SetType(kind, 0);
        weapon->Take();
        weapon->SetPosition(x, y);
        FlyingWeapon* flying = mFlying.SpawnWeapon(weapon);
        flying->mVelocity = Math::Vector<Float>(vx, vy, 0.0f, 0.0f);
        return flying;
    }
    FlyingAnimal* Throw(Float x, Float y, Float vx, Float vy, Bool player = false)
    {
        Animal* animal = mAnimals.ObtainAnimal(6);
        animal->mCheckMatch = player;
        animal->SetPosition(x, y);
        FlyingAnimal* flying = mFlying.SpawnAnimal(animal);
        flying->mVelocity = Math::Vector<Float>(vx, vy, 0.0f, 0.0f);
        return flying;
    }
    size_t Count(UInt32 effect) const
    {
        const std::vector<UInt32> numbers = mEffects.Numbers();
        return size_t(std::count(numbers.begin(), numbers.end(), effect));
    }

    Testing::NodeClassRegistration mTextClass;
    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    Testing::RecordingExplosionHandler mEffects;
    AnimalContainer mAnimals;
    WeaponContainer mWeapons;
    FlyingObjectHandler mFlying;
};

TEST_F(FlyingObjectHandlerTest, AWeaponLeavesItsFirstTrailAfter110UnitsThenEvery30)
{
    Fire(Weapon::KindNuke, -400.0f, 0.0f, 1000.0f, 0.0f); // 10 units a step
    for (int i = 0; i < 11; ++i)
        mFlying.Step(kStep);
    EXPECT_EQ(Count(32), 0u);
    mFlying.Step(kStep);
    EXPECT_EQ(Count(32), 1u);
    mFlying.Step(kStep);
    mFlying.Step(kStep);
    mFlying.Step(kStep);
    EXPECT_EQ(Count(32), 1u);
    mFlying.Step(kStep);
    EXPECT_EQ(Count(32), 2u);
    EXPECT_EQ(mEffects.mEffects.back().mPosition.x, -240.0f);

    // Outside play weapons stand; a hambone leaves no trail.
    mGameState.SetPlayState(17);
    mFlying.Step(kStep);
    EXPECT_EQ(mFlying.GetWeapon(0)->GetPosition().x, -240.0f);
    mGameState.SetPlayState(5);
    mFlying.GetWeapon(0)->mWeapon->SetKind(Weapon::KindHambone);
    for (int i = 0; i < 20; ++i)
        mFlying.Step(kStep);
    EXPECT_EQ(Count(32), 2u);
}

TEST_F(FlyingObjectHandlerTest, ARhinoBouncesItsLevelAwayThenLeaves)
{
    FlyingWeapon* rhino = Fire(Weapon::KindRhino, 490.0f, 290.0f, 100.0f, 100.0f);
    rhino->mWeapon->SetLevel(3);
    mFlying.Step(kStep); // a corner: both directions turn, two levels spent
    EXPECT_EQ(rhino->mVelocity.x, -100.0f);
    EXPECT_EQ(rhino->mVelocity.y, -100.0f);
    EXPECT_EQ(rhino->mWeapon->GetLevel(), 1u);
    rhino->mWeapon->SetPosition(-490.0f, 0.0f);
    mFlying.Step(kStep);
    EXPECT_EQ(rhino->mVelocity.x, 100.0f);
    EXPECT_EQ(rhino->mWeapon->GetLevel(), 0u);
    // Without bounces it goes once more than 100 beyond the edge plus its radius.
    rhino->mWeapon->SetPosition(620.0f, 0.0f);
    mFlying.Step(kStep);
    EXPECT_EQ(mFlying.GetWeaponCount(), 1u);
    mFlying.Step(kStep);
    EXPECT_EQ(mFlying.GetWeaponCount(), 0u);
    EXPECT_EQ(mWeapons.GetNumUsed(), 0u);
    EXPECT_EQ(mEffects.Numbers().back(), 1u);
}

TEST_F(FlyingObjectHandlerTest, AnimalsEndAtTheLauncherOrWithAScore)
{
    struct Case
    {
        UInt32 state;
        Float x;
        Float vx;
        UInt32 effect; // 0: flies on
        UInt32 events;
    };
    const Case cases[] = {
        {5, 10.0f, 100.0f, 0, 0},   // in play the launcher does not catch
        {8, 58.9f, 100.0f, 1, 0},   // within 34 + 25 of it
        {8, 59.0f, 100.0f, 0, 0},
        {5, 635.0f, 100.0f, 12, 1}, // left the screen
        {17, 635.0f, 100.0f, 12, 1},
        {8, 635.0f, -100.0f, 0, 0}, // coming back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        mEffects.mEffects.clear();
        mGameState.GetScoreEvents().Clear();
        mGameState.SetPlayState(c.state);
        FlyingAnimal* flying = Throw(c.x, 0.0f, c.vx, 0.0f);
        mFlying.Step(kStep);
        EXPECT_EQ(mFlying.GetAnimalCount(), c.effect == 0 ? 1u : 0u);
        EXPECT_EQ(mEffects.Numbers(), c.effect == 0 ? std::vector<UInt32>{} : std::vector<UInt32>{c.effect});
        EXPECT_EQ(UInt32(mGameState.GetScoreEvents().GetCount()), c.events);
        if (c.events == 1) {
            EXPECT_EQ(mGameState.GetScoreEvents()[0].mType, 2u);
        }
        if (c.effect == 0) {
            EXPECT_FLOAT_EQ(flying->GetPosition().x, c.x + c.vx * Float(kStep));
        }
        mFlying.Reset();
        mAnimals.ReleaseAll();
    }

    // Paused: animals hold still; the flight time factor slows only those the player did not shoot.
    mGameState.SetPlayState(18);
    FlyingAnimal* held = Throw(100.0f, 0.0f, 100.0f, 0.0f);
    mFlying.Step(kStep);
    EXPECT_EQ(held->GetPosition().x, 100.0f);
    mGameState.SetPlayState(5);
    mGameState.SetTimeFactor(0.5f);
    FlyingAnimal* shot = Throw(100.0f, 100.0f, 100.0f, 0.0f, true);
    mFlying.Step(kStep);
    EXPECT_FLOAT_EQ(held->GetPosition().x, 100.5f);
    EXPECT_FLOAT_EQ(shot->GetPosition().x, 101.0f);
}

TEST_F(FlyingObjectHandlerTest, RedirectedAnimalsHeadForTheTargetAndOneThereStands)
{
    SetPlaySeed(5);
    FlyingAnimal* away = Throw(300.0f, 400.0f, 0.0f, 0.0f);
    FlyingAnimal* there = Throw(0.0f, 0.0f, 0.0f, 50.0f);
    mFlying.Step(kStep);
    const Float heading = there->mAnimal->mHeading;
    there->mAnimal->SetPosition(0.0f, 0.0f);
    away->mIsStopped = true;
    mFlying.RedirectAnimals(Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f));
    ClearPlaySeed();
    EXPECT_FALSE(away->mIsStopped);
    const Float speed = std::sqrt(away->mVelocity.x * away->mVelocity.x + away->mVelocity.y * away->mVelocity.y);
    EXPECT_GE(speed, 400.0f);
    EXPECT_LE(speed, 1000.0f);
    EXPECT_FLOAT_EQ(away->mVelocity.x / away->mVelocity.y, 0.75f);
    EXPECT_LT(away->mVelocity.x, 0.0f);
    for (Float v : {there->mVelocity.x, there->mVelocity.y, there->mVelocity.z, there->mVelocity.w})
        EXPECT_EQ(v, 0.0f);
    mGameState.SetPlayState(5);
    there->mAnimal->SetPosition(0.0f, 100.0f); // out of the launcher's reach for the step
    mFlying.Step(kStep);
    EXPECT_EQ(there->mAnimal->mHeading, heading);
}

} // namespace
} // namespace App
} // namespace Vorn
