#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/effects/explosions.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

const char kIce[] = "<Graph replication='0'><Namespace id='iceexplosion{replication}' activeAndVisible='false'>"
                    "<Timeline id='timeline' endTime='0.6'><Transform id='sequence'/></Timeline></Namespace></Graph>";

class ExplosionsTest : public Testing::ViewSceneFixture
{
protected:
    void SetUp() override
    {
        mCollection.AddGraph("p:ice", kIce);
        mScene = Scene("<View><Instance id='iceexplosion_container' graphResourceId='p:ice' replications='2'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mPool.Init(mScene, ""));
        ASSERT_EQ(mPool.GetCount(), 2u);
    }
    void TearDown() override { EXPECT_TRUE(mPool.DeInit()); }

    Graph::Timeline* Timeline(UInt32 index)
    {
        return Find<Graph::Timeline>(mScene, ("iceexplosion" + std::to_string(index) + "/timeline").c_str());
    }
    Graph::INode* Root(UInt32 index)
    {
        return Find<Graph::INode>(mScene, ("iceexplosion" + std::to_string(index)).c_str());
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    IceExplosionContainer mPool{&mGameState};
};

TEST_F(ExplosionsTest, TheGameSpeedSetsTheTimeScaleNeverBelowHalf)
{
    struct Case
    {
        Float factor;
        Float scale;
    };
    const Case cases[] = {{0.2f, 0.5f}, {2.0f, 2.0f}, {0.0f, 0.5f}, {-3.0f, 0.5f}, {std::nanf(""), 0.5f}, {0.75f, 0.75f}};
    IceExplosion* explosion = mPool.Obtain();
    ASSERT_NE(explosion, nullptr);
    explosion->Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        mGameState.SetTimeFactor(c.factor);
        mPool.Step(0.0);
        EXPECT_FLOAT_EQ(Timeline(0)->GetTimeScale(), c.scale);
        EXPECT_TRUE(mPool.IsEntryUsed(0));
    }
    // A fresh start plays at time scale 1 again.
    explosion->Start();
    EXPECT_FLOAT_EQ(Timeline(0)->GetTimeScale(), 1.0f);
    EXPECT_DOUBLE_EQ(Timeline(0)->GetCurrentTime(), 0.0);
}

TEST_F(ExplosionsTest, AnExplosionIsTakenBackTheStepAfterItsTimelineStops)
{
    IceExplosion* played = mPool.Obtain();
    IceExplosion* idle = mPool.Obtain();
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(mPool.Obtain(), nullptr);
    played->Start();
    EXPECT_TRUE(Root(1)->IsActiveAndVisible());
    // Obtained but never started: hidden and freed by the next step, its speed left alone.
    mPool.Step(0.0);
    EXPECT_FALSE(mPool.IsEntryUsed(1));
    EXPECT_FALSE(Root(1)->IsActiveAndVisible());
    EXPECT_TRUE(mPool.IsEntryUsed(0));

    mClock.mStepDuration = 0.25;
    mClock.Update();
    mProcessLogicState.Init(&mClock);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(RunLogic());
        mPool.Step(0.25);
    }
    EXPECT_FALSE(played->IsRunning());
    EXPECT_FALSE(mPool.IsEntryUsed(0));
    EXPECT_FALSE(Root(0)->IsActiveAndVisible());
    EXPECT_EQ(mPool.GetUsedEnd(), 0u);
}

TEST_F(ExplosionsTest, RotationTurnsAboutZAndKeepsTheTranslation)
{
    IceExplosion* explosion = mPool.Obtain();
    explosion->SetPosition(5.0f, 6.0f, 7.0f);
    explosion->UpdateTransform();
    explosion->SetRotation(Float(Math::Pi / 2.0));
    const Math::Matrix<float>& m =
        static_cast<const Graph::ITransform*>(Find<Graph::Transform>(mScene, "iceexplosion0/sequence"))->GetTransform();
    EXPECT_NEAR(m[0], 0.0f, 1e-3f);
    EXPECT_NEAR(m[1], 1.0f, 1e-6f);
    EXPECT_NEAR(m[4], -1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(m[10], 1.0f);
    EXPECT_FLOAT_EQ(m[12], 5.0f);
    EXPECT_FLOAT_EQ(m[14], 7.0f);
    mPool.Obtain();
    EXPECT_EQ(static_cast<const Graph::ITransform*>(Find<Graph::Transform>(mScene, "iceexplosion1/sequence"))
                  ->GetDepthOrder(),
              201001);
}

TEST_F(ExplosionsTest, AnInstanceWithoutItsTimelineFailsTheAshPool)
{
    mCollection.AddGraph("p:ash", "<Graph replication='0'><Namespace id='ashexplosion{replication}'>"
                                  "<Transform id='sequence'/></Namespace></Graph>");
    EXPECT_TRUE(mPool.DeInit());
    ASSERT_TRUE(DestroyScene());
    Graph::INamespace* scene =
        Scene("<View><Instance id='ashexplosion_container' graphResourceId='p:ash' replications='1'/></View>");
    ASSERT_NE(scene, nullptr);
    AshExplosionContainer ash(&mGameState);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ash.Init(scene, ""));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("ashexplosion0/timeline"), std::string::npos);
    EXPECT_TRUE(ash.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
