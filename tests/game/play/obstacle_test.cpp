#include "game/play/obstacle.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/play/play_seed.h"
#include "game/sound_container.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "tests/support/play_object_templates.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

const char* const kSounds[] = {"bee", "beehit", "rockhit", "expl_blue", "pop", "watchout"};

class ObstacleTest : public Testing::ViewSceneFixture
{
protected:
    ObstacleTest() : mObstacles((SetPlaySeed(3), &mGameState), &mEffects, &mSounds) {}
    void SetUp() override
    {
        mCollection.AddGraph("p:obstacle", Testing::ObstacleTemplate().c_str());
        mCollection.AddGraph("p:rock", Testing::RockTemplate().c_str());
        std::string sounds = "<Namespace id='sounds'>";
        for (const char* name : kSounds)
            sounds += std::string("<Namespace id='") + name +
                      "'><Timeline id='timeline' endTime='10'><AudioSequence id='sequence'/></Timeline></Namespace>";
        sounds += "</Namespace>";
        mScene = Scene("<View>" + sounds +
                       "<Instance id='obstacle_container' graphResourceId='p:obstacle' replications='3'/>"
                       "<Namespace id='framebuffer'><Instance id='obstacle_container' graphResourceId='p:rock' "
                       "replications='2'/></Namespace></View>");
        ASSERT_NE(mScene, nullptr);
        ::testing::internal::CaptureStderr(); // the sounds the table misses
        mSounds.BuildTable(mScene);
        ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(mObstacles.Init(mScene, ""));
        ASSERT_EQ(mObstacles.GetObstacles().GetCount(), 3u);
        ASSERT_EQ(mObstacles.GetRocks().GetCount(), 2u);
        Testing::StartPlaying(mGameState);
    }
    void TearDown() override
    {
        ClearPlaySeed();
        EXPECT_TRUE(mObstacles.DeInit());
        EXPECT_TRUE(mSounds.DeInit());
    }

    Graph::ITimeline* Sound(const char* name)
    {
        return Find<Graph::ITimeline>(mScene, (std::string("sounds/") + name + "/timeline").c_str());
    }
    Bool HitAt(Float x, Float y, SInt32 damage = 1)
    {
        return mObstacles.HitTest(Math::Vector<Float>(x, y, 0.0f, 1.0f), 35.0f, damage, false);
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    Testing::RecordingExplosionHandler mEffects;
    SoundContainer mSounds{&mGameState};
    ObstacleContainer mObstacles;
};

TEST_F(ObstacleTest, AShotHitsWithinReachOfABeeOrARock)
{
    Obstacle* bee = mObstacles.AddObstacle(1, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0);
    ASSERT_NE(bee, nullptr);
    ASSERT_NE(mObstacles.AddRock(500.0f, 0.0f), nullptr);
    EXPECT_TRUE(HitAt(100.9f, 0.0f));
    EXPECT_TRUE(Sound("beehit")->IsRunning());
    EXPECT_FALSE(HitAt(101.0f, 0.0f));
    EXPECT_TRUE(HitAt(594.9f, 0.0f));
    EXPECT_TRUE(Sound("rockhit")->IsRunning());
    EXPECT_FALSE(HitAt(595.0f, 0.0f));
    // A bee that cannot die is neither pushed nor stunned; each hit shows its effect.
    EXPECT_EQ(bee->GetPosition().x, 0.0f);
    EXPECT_EQ(bee->GetHitTimer(), 0.0f);
    EXPECT_EQ(mEffects.Numbers(), std::vector<UInt32>{35});
    EXPECT_TRUE(mGameState.GetScoreEvents().IsEmpty());
    // The rock's place is on the pixel grid of its 33 × 20 plane.
    const Math::Matrix<float>& matrix =
        static_cast<const Graph::ITransform*>(Find<Graph::ITransform>(mScene, "framebuffer/obstacle0/position"))
            ->GetTransform();
    EXPECT_EQ(matrix[12], 500.5f);
    EXPECT_EQ(matrix[13], 0.0f);
}

TEST_F(ObstacleTest, DamageTakesLifeStunsAndDestroys)
{
    struct Case
    {
        SInt32 life;
        SInt32 damage;
        Bool survives;
        SInt32 left;
        Float stun;
    };
    const Case cases[] = {
        {16, 15, true, 1, 0.75f},       {15, 15, false, 0, 0.0f}, {31, 30, true, 1, 1.5f},
        {1000, 1000, false, 0, 0.0f},   {0, 1000, true, 0, 0.0f}, {-1, 1000, true, -1, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.life);
        mEffects.mEffects.clear();
        mGameState.GetScoreEvents().Clear();
        Obstacle* bee = mObstacles.AddObstacle(0, 10.0f, 0.0f, 0.0f, 0.0f, 0.0f, c.life);
        EXPECT_TRUE(HitAt(0.0f, 0.0f, c.damage));
        EXPECT_EQ(mObstacles.GetObstacles().GetNumUsed(), c.survives ? 1u : 0u);
        if (c.survives) {
            EXPECT_EQ(bee->GetLife(), c.left);
            EXPECT_FLOAT_EQ(bee->GetHitTimer(), c.stun);
            // Pushed away from the hit point when it could be hurt.
            EXPECT_EQ(bee->GetPosition().x, c.life > 0 ? 15.0f : 10.0f);
            EXPECT_TRUE(mGameState.GetScoreEvents().IsEmpty());
        } else {
            // The hit, five bursts, three sparkles, and the points.
            EXPECT_EQ(mEffects.Numbers(), (std::vector<UInt32>{35, 35, 35, 35, 35, 35, 1, 1, 1}));
            ASSERT_EQ(mGameState.GetScoreEvents().GetCount(), 1);
            EXPECT_EQ(mGameState.GetScoreEvents()[0].mType, 10u);
            EXPECT_EQ(mGameState.GetScoreEvents()[0].mValue, 5000u);
            EXPECT_EQ(mGameState.GetScoreEvents()[0].mPosition.x, 10.0f);
            EXPECT_TRUE(Sound("pop")->IsRunning());
        }
        mObstacles.Reset();
    }

    // A hit right at the centre has no direction: the bee stays where it is.
    Obstacle* bee = mObstacles.AddObstacle(0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 20);
    EXPECT_TRUE(HitAt(0.0f, 0.0f));
    EXPECT_EQ(bee->GetPosition().x, 0.0f);
    EXPECT_EQ(bee->GetPosition().y, 0.0f);
}

TEST_F(ObstacleTest, AWaitingBeeIsNotMovedHitOrCountedAndAStunnedOneStands)
{
    Obstacle* bee = mObstacles.AddObstacle(2, 0.0f, 0.0f, -100.0f, 0.0f, 1.0f, 40);
    EXPECT_FALSE(mObstacles.HasLivingObstacle());
    EXPECT_FALSE(HitAt(0.0f, 0.0f));
    EXPECT_FALSE(bee->IsNearTyped(Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f), 60.0f));
    mObstacles.Step(0.5);
    EXPECT_EQ(bee->GetPosition().x, 0.0f);
    mObstacles.Step(0.5);
    EXPECT_TRUE(mObstacles.HasLivingObstacle());
    EXPECT_TRUE(bee->IsNearTyped(Math::Vector<Float>(125.9f, 0.0f, 0.0f, 1.0f), 60.0f));
    EXPECT_FALSE(bee->IsNearTyped(Math::Vector<Float>(126.0f, 0.0f, 0.0f, 1.0f), 60.0f));
    mObstacles.Step(0.5);
    EXPECT_FLOAT_EQ(bee->GetPosition().x, -50.0f);

    // A blue nuke stuns it for 1.5 s; the flight time factor scales its pace.
    EXPECT_TRUE(mObstacles.HitTest(Math::Vector<Float>(-50.0f, 10.0f, 0.0f, 1.0f), 35.0f, 30, false));
    const Float y = bee->GetPosition().y;
    mObstacles.Step(1.4);
    EXPECT_FLOAT_EQ(bee->GetPosition().x, -50.0f);
    mObstacles.Step(0.2);
    mGameState.SetTimeFactor(0.5f);
    mObstacles.Step(1.0);
    EXPECT_FLOAT_EQ(bee->GetPosition().x, -100.0f);
    EXPECT_EQ(bee->GetPosition().y, y);

    // Outside play nothing moves; once 160 beyond the edge it is gone without a trace.
    mGameState.SetPlayState(8);
    mObstacles.Step(100.0);
    EXPECT_FLOAT_EQ(bee->GetPosition().x, -100.0f);
    mGameState.SetPlayState(10);
    mGameState.SetTimeFactor(1.0f);
    mObstacles.Step(5.61); // to -661
    mObstacles.Step(0.0);
    EXPECT_EQ(mObstacles.GetObstacles().GetNumUsed(), 0u);
}

TEST_F(ObstacleTest, WatchoutPlaysOncePerLevel)
{
    mObstacles.AddObstacle(0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10);
    mObstacles.AddObstacle(1, 0.0f, 100.0f, 0.0f, 0.0f, 0.0f, 10);
    mObstacles.Step(1.0);
    EXPECT_TRUE(Sound("bee")->IsRunning());
    EXPECT_FALSE(Sound("watchout")->IsRunning());
    mObstacles.Step(9.5); // both buzz timers run out: the first warns
    EXPECT_TRUE(Sound("watchout")->IsRunning());
    Sound("watchout")->Stop();
    mObstacles.Step(16.0);
    EXPECT_FALSE(Sound("watchout")->IsRunning());

    mObstacles.Reset();
    mObstacles.AddObstacle(0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10);
    mObstacles.Step(10.5);
    EXPECT_TRUE(Sound("watchout")->IsRunning());

    // Every active obstacle goes without points.
    mObstacles.DestroyAll();
    EXPECT_EQ(mObstacles.GetObstacles().GetNumUsed(), 0u);
    EXPECT_TRUE(mGameState.GetScoreEvents().IsEmpty());
}

TEST_F(ObstacleTest, BadLevelValuesAddNothingHarmful)
{
    // A type beyond the pictures adds nothing; NaN plays on untouchable; exhausted pools give null.
    EXPECT_EQ(mObstacles.AddObstacle(7, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 10), nullptr);
    EXPECT_EQ(mObstacles.AddObstacle(-1, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10), nullptr);
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    EXPECT_NE(mObstacles.AddObstacle(0, nan, nan, nan, nan, nan, SInt32(0xFFFFFFFF)), nullptr);
    EXPECT_NE(mObstacles.AddObstacle(1, 900.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10), nullptr);
    EXPECT_NE(mObstacles.AddObstacle(2, 900.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10), nullptr);
    EXPECT_EQ(mObstacles.AddObstacle(0, 900.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10), nullptr);
    EXPECT_NE(mObstacles.AddRock(0.0f, 0.0f), nullptr);
    EXPECT_NE(mObstacles.AddRock(0.0f, 0.0f), nullptr);
    EXPECT_EQ(mObstacles.AddRock(0.0f, 0.0f), nullptr);
    mObstacles.Step(1.0);
    EXPECT_TRUE(HitAt(0.0f, 0.0f)); // the rocks
    EXPECT_TRUE(mEffects.mEffects.empty());
}

} // namespace
} // namespace App
} // namespace Vorn
