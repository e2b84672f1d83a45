#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "foundation/attributes.h"
#include "game/game_state.h"
#include "game/play/clouds.h"
#include "game/play/play_seed.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr UInt32 kPoolSize = 4;

// Five cloud types, each with two opacity variants.
std::string CloudTemplate()
{
    std::string types;
    for (int i = 0; i < 5; ++i)
        types += "<Namespace id='type" + std::to_string(i) +
                 "'><Switch id='opacity'><Transform/><Transform/></Switch></Namespace>";
    return "<Graph replication='0'><Namespace id='clouds{replication}' activeAndVisible='false'>"
           "<Transform id='position'><Parameters id='parameters'/><Switch id='select'>" +
           types + "</Switch></Transform></Namespace></Graph>";
}

class CloudsTest : public Testing::ViewSceneFixture
{
protected:
    CloudsTest() : mClouds((SetPlaySeed(99), &mGameState)) {}
    void SetUp() override
    {
        mCollection.AddGraph("app:clouds", CloudTemplate().c_str());
        mScene = Scene("<View><Instance id='clouds_container' graphResourceId='app:clouds' replications='" +
                       std::to_string(kPoolSize) + "'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mClouds.Init(mScene, ""));
        ASSERT_EQ(mClouds.GetCount(), kPoolSize);
        Testing::StartPlaying(mGameState);
    }
    void TearDown() override
    {
        ClearPlaySeed();
        EXPECT_TRUE(mClouds.DeInit());
    }

    SInt32 OpacityVariant(UInt32 cloud, UInt32 type)
    {
        return Find<Graph::ISwitch>(mScene, ("clouds" + std::to_string(cloud) + "/type" + std::to_string(type) +
                                             "/opacity")
                                                .c_str())
            ->GetIndex();
    }
    Color Colour(UInt32 cloud)
    {
        return Find<Graph::IParameters>(mScene, ("clouds" + std::to_string(cloud) + "/parameters").c_str())->GetColor(1);
    }
    void Steps(UInt32 count, Double dt = 0.1)
    {
        for (UInt32 i = 0; i < count; ++i)
            mClouds.Step(dt);
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    CloudsContainer mClouds;
};

TEST_F(CloudsTest, OpacityPicksAVariantOrFadesTheColour)
{
    struct Case {
        Float alpha;
        SInt32 variant;
        Float colourAlpha;
    };
    const Case cases[] = {{1.0f, 0, 1.0f}, {0.875f, 0, 1.0f}, {0.8f, 1, 1.0f}, {0.7f, 1, 1.0f}, {0.5f, 0, 0.5f}};
    Clouds* cloud = mClouds.ObtainCloud(3);
    ASSERT_NE(cloud, nullptr);
    for (const Case& c : cases) {
        cloud->SetOpacity(c.alpha);
        EXPECT_EQ(OpacityVariant(0, 3), c.variant) << c.alpha;
        EXPECT_FLOAT_EQ(Colour(0).alpha, c.colourAlpha) << c.alpha;
    }

    // A type beyond the pictures keeps the last one.
    cloud->SetCloudType(5);
    cloud->SetOpacity(0.8f);
    EXPECT_EQ(OpacityVariant(0, 3), 1);
}

TEST_F(CloudsTest, ACloudIsOffScreenOnlyPastTheEdgeItDriftsToward)
{
    struct Case {
        Float x, y, vx, vy;
        Bool off;
    };
    const Case cases[] = {
        {801.0f, 0.0f, -10.0f, 0.0f, false}, {801.0f, 0.0f, 10.0f, 0.0f, true}, {800.0f, 0.0f, 10.0f, 0.0f, false},
        {-801.0f, 0.0f, -10.0f, 0.0f, true}, {0.0f, 601.0f, 0.0f, 5.0f, true}, {0.0f, -601.0f, 0.0f, -5.0f, true},
        {5000.0f, 5000.0f, 0.0f, 0.0f, false},
    };
    Clouds* cloud = mClouds.ObtainCloud(0);
    for (const Case& c : cases) {
        cloud->SetPosition(c.x, c.y);
        cloud->SetVelocity(Math::Vector<Float>(c.vx, c.vy, 0.0f, 0.0f));
        EXPECT_EQ(cloud->IsOffScreen(1000.0f, 600.0f), c.off) << c.x << ", " << c.y;
    }
}

TEST_F(CloudsTest, AnEntryStartingAtOnceFillsTheSkyBeforeTheLevel)
{
    mGameState.SetPlayState(2);
    mClouds.AddCloudPreset(0, 3, CloudEmitter::kUnlimited, 10.0f, 10.0f, 60.0f, 0.0f);

    ASSERT_EQ(mClouds.GetNumberOfEmitters(), 1u);
    const CloudEmitter& emitter = mClouds.GetEmitter(0);
    EXPECT_FLOAT_EQ(emitter.mDelayMin, 0.0f);
    EXPECT_FLOAT_EQ(emitter.mDelayMax, 60.0f);
    // Twenty one-second steps have run.
    EXPECT_FLOAT_EQ(emitter.mTimer, 40.0f);
    // The first of the three is up (its delay is 0 give or take a second), the third waits.
    EXPECT_GE(mClouds.GetNumUsed(), 1u);
    EXPECT_EQ(mClouds.GetNumUsed() + mClouds.GetNumberOfScheduled(), 3u);
    ASSERT_TRUE(mClouds.IsEntryUsed(0));
    const Clouds* first = mClouds.GetEntry(0);
    EXPECT_GT(first->GetPosition().x, -940.0f);
    const Math::Vector<Float>& velocity = first->GetVelocity();
    EXPECT_NEAR(std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y), 10.0f, 1e-4f);
    EXPECT_GT(velocity.x, 0.0f);
    EXPECT_GT(velocity.y, 0.0f);
}

TEST_F(CloudsTest, BurstLimits)
{
    // Limit 0: the first burst only.
    mClouds.AddCloudPreset(16, 1, 0, 1.0f, 1.0f, 1.0f, 2.0f);
    // Unlimited: a burst every two seconds.
    mClouds.AddCloudPreset(17, 1, CloudEmitter::kUnlimited, 1.0f, 1.0f, 1.0f, 2.0f);
    Steps(61);
    EXPECT_EQ(mClouds.GetEmitter(0).mBursts, 0u);
    EXPECT_EQ(mClouds.GetEmitter(1).mBursts, 3u);
}

TEST_F(CloudsTest, WaitingCloudsAppearWhenOthersLeave)
{
    // Fast clouds from the left edge; twice the pool's worth over two bursts.
    mClouds.AddCloudPreset(16, kPoolSize, 1, 400.0f, 400.0f, 1.0f, 1.5f);
    Steps(16);
    EXPECT_EQ(mClouds.GetNumUsed(), kPoolSize);
    EXPECT_GT(mClouds.GetNumberOfScheduled(), 0u);

    // 1840 units to cross at 400 a second: the first ones leave and the waiting ones take their
    // places in the same step.
    const UInt32 waiting = mClouds.GetNumberOfScheduled();
    Steps(40);
    EXPECT_LT(mClouds.GetNumberOfScheduled(), waiting);
    EXPECT_EQ(mClouds.GetNumUsed(), kPoolSize);
}

TEST_F(CloudsTest, TheScheduleStaysBoundedWhateverTheEntry)
{
    // A burst every step, far more clouds than the pool holds, and none ever leaving.
    mClouds.AddCloudPreset(0, 0xFFFFFFFF, CloudEmitter::kUnlimited, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(mClouds.GetEmitter(0).mCount, kPoolSize);
    Steps(200);
    EXPECT_EQ(mClouds.GetNumUsed(), kPoolSize);
    EXPECT_LE(mClouds.GetNumberOfScheduled(), kPoolSize);
}

TEST_F(CloudsTest, BadEntriesAddNothing)
{
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    mClouds.AddCloudPreset(32, 3, 0, 1.0f, 2.0f, 1.0f, 2.0f);
    mClouds.AddCloudPreset(0, 0, 0, 1.0f, 2.0f, 1.0f, 2.0f);
    mClouds.AddCloudPreset(0, 3, 0, nan, 2.0f, 1.0f, 2.0f);
    mClouds.AddCloudPreset(0, 3, 0, 1.0f, 2.0f, 1.0f, std::numeric_limits<Float>::infinity());
    EXPECT_EQ(mClouds.GetNumberOfEmitters(), 0u);
    EXPECT_EQ(mClouds.GetNumberOfScheduled(), 0u);
}

TEST_F(CloudsTest, OutsidePlayShortStepsMoveNothing)
{
    mClouds.AddCloudPreset(16, 1, 0, 5.0f, 5.0f, 0.0f, 0.0f);
    ASSERT_EQ(mClouds.GetNumUsed(), 1u);
    const Math::Vector<Float> position = mClouds.GetEntry(0)->GetPosition();

    mGameState.SetPlayState(13);
    Steps(10);
    EXPECT_EQ(mClouds.GetEntry(0)->GetPosition(), position);
    mGameState.SetPlayState(10);
    Steps(1);
    EXPECT_NE(mClouds.GetEntry(0)->GetPosition(), position);
}

TEST_F(CloudsTest, ReleaseAllDropsEmittersAndWaitingClouds)
{
    mClouds.AddCloudPreset(0, 3, CloudEmitter::kUnlimited, 1.0f, 1.0f, 5.0f, 9.0f);
    mClouds.ReleaseAll();
    EXPECT_EQ(mClouds.GetNumberOfEmitters(), 0u);
    EXPECT_EQ(mClouds.GetNumberOfScheduled(), 0u);
    Steps(200);
    EXPECT_EQ(mClouds.GetNumUsed(), 0u);
}

TEST_F(CloudsTest, InitFailsWithoutTheContainer)
{
    CloudsContainer elsewhere(&mGameState);
    EXPECT_FALSE(elsewhere.Init(mScene, "/nowhere"));
    EXPECT_TRUE(elsewhere.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
