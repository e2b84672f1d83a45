#include "game/play/weapon.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "foundation/attributes.h"
#include "game/game_state.h"
#include "game/play/play_seed.h"
#include "graph/parameters.h"
#include "graph/text.h"
#include "graph/transform/transform.h"
#include "tests/support/play_object_templates.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr Double kStep = 0.25;

class WeaponTest : public Testing::ViewSceneFixture
{
protected:
    WeaponTest()
        : mTextClass(mFactory, {{"TestText", &Testing::TextNode::Create}}),
          mWeapons((SetPlaySeed(7), &mGameState), &mEffects, nullptr)
    {
    }
    void SetUp() override
    {
        mCollection.AddGraph("p:weapon", Testing::WeaponTemplate().c_str());
        mScene = Scene("<View><Instance id='weapon_container' graphResourceId='p:weapon' replications='3'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mWeapons.Init(mScene, ""));
        ASSERT_EQ(mWeapons.GetCount(), 3u);
        mClock.mStepDuration = kStep;
        Testing::StartPlaying(mGameState);
    }
    void TearDown() override
    {
        ClearPlaySeed();
        EXPECT_TRUE(mWeapons.DeInit());
    }

    // One logic step: the graph's timelines, then the container.
    void Step(UInt32 count = 1)
    {
        for (UInt32 i = 0; i < count; ++i) {
            mClock.Update();
            mProcessLogicState.Begin();
            ASSERT_TRUE(RunLogic());
            mWeapons.Step(kStep);
        }
    }
    std::string Counter(UInt32 index)
    {
        return Find<Graph::IText>(mScene, ("weapon" + std::to_string(index) + "/counter_text").c_str())->GetText().GetText();
    }
    Color Highlighter(UInt32 index)
    {
        return Find<Graph::IParameters>(mScene, ("weapon" + std::to_string(index) + "/highlighter_color").c_str())
            ->GetColor(1);
    }
    // A place at (x, 0) and a weapon of the kind on it.
    Weapon* Place(UInt32 kind, Float x = 0.0f, Float duration = 1.0f)
    {
        mWeapons.AddWeaponPlace(1, Math::Vector<Float>(x, 0.0f, 0.0f, 1.0f));
        mWeapons.SetDurations(duration, duration);
        EXPECT_TRUE(mWeapons.PlaceWeapon(kind));
        return mWeapons.GetWeaponPlace(mWeapons.GetNumberOfWeaponPlaces() - 1)->mWeapon;
    }

    Testing::NodeClassRegistration mTextClass;
    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    Testing::RecordingExplosionHandler mEffects;
    WeaponContainer mWeapons;
};

TEST_F(WeaponTest, EachKindTakesItsValuesAndHighlighterColour)
{
    struct Case
    {
        UInt32 kind;
        SInt32 variant;
        SInt32 damage;
        Float radius;
        Color colour;
        SInt32 depth;
    };
    const Case cases[] = {
        {0, 3, 15, 35.0f, {0.6f, 0.0f, 0.0f, 0.8f}, 602000},  {0, -1, 15, 35.0f, {1.0f, 0.0f, 0.0f, 0.8f}, 602000},
        {0, 0, 15, 35.0f, {1.0f, 0.0f, 0.0f, 0.8f}, 602000},  {1, 1, 30, 35.0f, {0.0f, 0.24f, 0.8f, 0.9f}, 602000},
        {2, 1, 15, 35.0f, {0.4f, 0.2f, 0.0f, 1.0f}, 602000},  {3, 3, 15, 35.0f, {0.6f, 0.6f, 0.6f, 1.0f}, 5100},
        {4, 0, 1, 35.0f, {1.0f, 0.0f, 0.0f, 0.8f}, 602000},   {5, 0, 1, 35.0f, {1.0f, 0.0f, 0.0f, 0.8f}, 602000},
        {6, 3, 1000, 20.0f, {0.2f, 0.2f, 0.2f, 0.6f}, 602000}, {7, 1, 1000, 20.0f, {0.2f, 0.2f, 0.2f, 0.8f}, 602000},
        // The rocket keeps the colour it had.
        {8, 0, 20, 15.0f, {0.2f, 0.2f, 0.2f, 0.8f}, 602000},
    };
    Weapon* weapon = mWeapons.GetEntry(0);
    mWeapons.Obtain();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_TRUE(weapon->SetType(c.kind, c.variant));
        EXPECT_EQ(weapon->GetDamage(), c.damage);
        EXPECT_EQ(weapon->GetRadius(), c.radius);
        const Color colour = Highlighter(0);
        EXPECT_FLOAT_EQ(colour.red, c.colour.red);
        EXPECT_FLOAT_EQ(colour.green, c.colour.green);
        EXPECT_FLOAT_EQ(colour.blue, c.colour.blue);
        EXPECT_FLOAT_EQ(colour.alpha, c.colour.alpha);
        EXPECT_EQ(Find<Graph::ITransform>(mScene, "weapon0/position")->GetDepthOrder(), c.depth);
    }
    // No kind: the default damage, and no picture.
    EXPECT_FALSE(weapon->SetType(9, 0));
    EXPECT_EQ(weapon->GetDamage(), 15);
    EXPECT_FALSE(mWeapons.PlaceWeapon(9));
}

TEST_F(WeaponTest, APointNearerThanNinetyTakesTheWeaponOnce)
{
    Weapon* weapon = Place(Weapon::KindNuke, 100.0f);
    ASSERT_NE(weapon, nullptr);
    EXPECT_EQ(mWeapons.TakeWeaponAt(Math::Vector<Float>(10.0f, 0.0f, 0.0f, 1.0f)), nullptr); // 90 away
    EXPECT_EQ(mWeapons.TakeWeaponAt(Math::Vector<Float>(10.1f, 0.0f, 0.0f, 1.0f)), weapon); // 89.9
    EXPECT_TRUE(weapon->WasTaken());
    EXPECT_EQ(mWeapons.GetWeaponPlace(0)->mWeapon, nullptr);
    EXPECT_EQ(mWeapons.TakeWeaponAt(Math::Vector<Float>(100.0f, 0.0f, 0.0f, 1.0f)), nullptr);

    // A fired weapon goes back with its end effect; a stranger is refused.
    EXPECT_TRUE(mWeapons.ReleaseWeapon(weapon));
    EXPECT_EQ(mEffects.Numbers(), std::vector<UInt32>{2});
    Weapon stranger;
    EXPECT_FALSE(mWeapons.ReleaseWeapon(&stranger));
    EXPECT_EQ(mWeapons.GetNumUsed(), 0u);
}

TEST_F(WeaponTest, ARhinoKeepsItsCounterLessTwoAsBounces)
{
    struct Case
    {
        UInt32 counter;
        UInt32 bounces;
    };
    for (const Case& c : {Case{5, 3}, Case{4, 2}, Case{3, 1}, Case{2, 1}, Case{0, 1}}) {
        Weapon* weapon = mWeapons.Obtain();
        weapon->SetType(Weapon::KindRhino, 0);
        weapon->SetLevel(c.counter);
        weapon->Take();
        EXPECT_EQ(weapon->GetLevel(), c.bounces) << c.counter;
        mWeapons.ReleaseAll();
    }
}

TEST_F(WeaponTest, TheCounterRunsDownThenTheWeaponExpiresAndFreesItsPlace)
{
    Place(Weapon::KindTranq, 0.0f, 2.0f);
    EXPECT_EQ(Counter(0), "5");
    Step(2); // 0.25 of the hover time: 5 - 1
    EXPECT_EQ(Counter(0), "4");
    // Outside play the counter stands.
    mGameState.SetPlayState(8);
    Step(4);
    EXPECT_EQ(Counter(0), "4");
    mGameState.SetPlayState(5);
    Step(5); // one step to start again, four to 0.875
    EXPECT_EQ(Counter(0), "1");
    EXPECT_EQ(mWeapons.GetNumUsed(), 1u);
    Step(2);
    EXPECT_EQ(mWeapons.GetNumUsed(), 0u);
    EXPECT_EQ(mWeapons.GetWeaponPlace(0)->mWeapon, nullptr);
    // The idle effect every 0.32 s while the hover time is at most 0.9.
    for (UInt32 number : mEffects.Numbers())
        EXPECT_EQ(number, 18u);
    EXPECT_GE(mEffects.mEffects.size(), 4u);
}

TEST_F(WeaponTest, AWeaponWithoutTimeExpiresAtItsFirstUpdate)
{
    for (Float duration : {0.0f, -1.0f, std::numeric_limits<Float>::quiet_NaN()}) {
        Place(Weapon::KindNuke, 0.0f, duration);
        Step();
        EXPECT_EQ(mWeapons.GetNumUsed(), 0u) << duration;
        mWeapons.ReleaseAll();
    }
}

TEST_F(WeaponTest, TheTimetablePlacesWhenTheCountdownRunsOut)
{
    mWeapons.AddWeaponPlace(1, Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f));
    mWeapons.SetDurations(100.0f, 100.0f);
    mWeapons.AddTimetableEntry(Weapon::KindHambone, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(mWeapons.GetTimetableEntry(0)->mPeriod, 1.0f);
    mWeapons.SetCycle(10.0f, 0xFFFFFFFFu);
    mGameState.SetPlayState(4); // arms the entry
    Step();
    mGameState.SetPlayState(5);
    Step(2);
    EXPECT_EQ(mWeapons.GetNumUsed(), 0u);
    Step(); // the countdown reaches 0
    EXPECT_EQ(mWeapons.GetNumUsed(), 1u);
    EXPECT_TRUE(mWeapons.GetTimetableEntry(0)->mIsDone);

    // Every place taken: tried again one second later.
    mWeapons.SetCycle(10.0f, 2);
    mGameState.SetPlayState(4);
    Step();
    mGameState.SetPlayState(5);
    Step(3);
    EXPECT_FLOAT_EQ(mWeapons.GetTimetableEntry(0)->mCountdown, 1.0f);
    EXPECT_FALSE(mWeapons.GetTimetableEntry(0)->mIsDone);
}

TEST_F(WeaponTest, TheCycleRearmsOnlyWithADurationAndInPlay)
{
    struct Case
    {
        Float cycle;
        UInt32 state;
        UInt32 placed;
    };
    // Play state 4 re-arms every step: nothing is placed before play goes on.
    const Case cases[] = {{10.0f, 4, 0}, {0.0f, 5, 0}, {10.0f, 8, 0}, {10.0f, 5, 1}};
    for (const Case& c : cases) {
        mWeapons.AddWeaponPlace(1, Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f));
        mWeapons.SetDurations(100.0f, 100.0f);
        mWeapons.AddTimetableEntry(Weapon::KindNuke, 0.5f, 0.5f);
        mWeapons.SetCycle(c.cycle, 3);
        mGameState.SetPlayState(4);
        Step();
        mGameState.SetPlayState(c.state);
        Step(8);
        EXPECT_EQ(mWeapons.GetNumUsed(), c.placed) << c.cycle << " " << c.state;
        mWeapons.ReleaseAll();
    }

    // A short cycle ends, counts down and re-arms; a time factor of 0 still moves time on a little.
    mWeapons.AddWeaponPlace(1, Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f));
    mWeapons.AddTimetableEntry(Weapon::KindNuke, 5.0f, 5.0f);
    mWeapons.SetCycle(0.5f, 3);
    mGameState.SetPlayState(4);
    Step();
    mGameState.SetPlayState(5);
    Step();
    EXPECT_EQ(mWeapons.GetCycleCount(), 2u);
    EXPECT_FLOAT_EQ(mWeapons.GetTimetableEntry(0)->mCountdown, 4.75f);
    mGameState.SetTimeFactor(0.0f);
    Step();
    EXPECT_FLOAT_EQ(mWeapons.GetTimetableEntry(0)->mCountdown, 4.75f - 0.001f * Float(kStep));
}

} // namespace
} // namespace App
} // namespace Vorn
