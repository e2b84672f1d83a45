#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "game/game_state.h"
#include "game/play/effects/snow.h"
#include "game/play/particles.h"
#include "game/play/play_seed.h"
#include "graph/node.h"
#include "graph/transform/transform.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/play_templates.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr UInt32 kPoolSize = 8;

class SnowTest : public Testing::ViewSceneFixture
{
protected:
    SnowTest() : mSnow((SetPlaySeed(1234), &mGameState), &mParticles) {}
    void SetUp() override
    {
        mCollection.AddGraph("app:particle", Testing::ParticleTemplate().c_str());
        mScene = Scene("<View><Instance id='particle_container' graphResourceId='app:particle' replications='" +
                       std::to_string(kPoolSize) + "'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mParticles.Init(mScene, ""));
        Testing::StartPlaying(mGameState);
    }
    void TearDown() override
    {
        ClearPlaySeed();
        EXPECT_TRUE(mParticles.DeInit());
    }

    // A layer that emits every step and whose wind stands still at the given speed.
    static SnowLayer SteadyLayer(Float windSpeed)
    {
        SnowLayer layer;
        layer.mSpawnInterval = 0.001f;
        layer.mSpawnMin = Math::Vector<float>(-100.0f, -100.0f, 0.0f, 1.0f);
        layer.mSpawnMax = Math::Vector<float>(100.0f, 100.0f, 0.0f, 1.0f);
        layer.mImageIndex = 7;
        layer.mWindDirection = Math::Vector<float>(1.0f, 0.0f, 0.0f, 0.0f);
        layer.mWindSpeed = windSpeed;
        layer.mCalm = 1e9f;
        layer.mCycleLimit = -1;
        return layer;
    }
    const SnowLayer& Layer(UInt32 index = 0) { return *mSnow.GetLayer(index); }
    SInt32 DepthOrder(UInt32 index)
    {
        return Find<Graph::Transform>(mScene, ("particle" + std::to_string(index) + "/transform").c_str())
            ->GetDepthOrder();
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    ParticleContainer mParticles;
    SnowHandler mSnow;
};

TEST_F(SnowTest, SetupAddsALayerOfTheIntensity)
{
    struct Case {
        SInt32 intensity;
        Float interval, gustMin, gustMax, calmMax;
    };
    const Case cases[] = {
        {0, 0.05f, 20.0f, 100.0f, 6.0f},
        {1, 0.035f, 30.0f, 200.0f, 5.0f},
        {2, 0.02f, 40.0f, 250.0f, 4.0f},
        {3, 0.015f, 150.0f, 400.0f, 3.0f},
    };
    for (const Case& c : cases) {
        mSnow.Reset();
        App::Setup(&mSnow, 2.0f, 30.0f, 3, c.intensity);
        ASSERT_EQ(mSnow.GetNumberOfLayers(), 1u) << c.intensity;
        const SnowLayer& layer = Layer();
        EXPECT_FLOAT_EQ(layer.mSpawnInterval, c.interval);
        EXPECT_FLOAT_EQ(layer.mSpawnCountdown, c.interval);
        EXPECT_FLOAT_EQ(layer.mGustMin, c.gustMin);
        EXPECT_FLOAT_EQ(layer.mGustMax, c.gustMax);
        EXPECT_FLOAT_EQ(layer.mCalmMax, c.calmMax);
        EXPECT_EQ(layer.mImageIndex, 20);
        EXPECT_FLOAT_EQ(layer.mStartDelay, 2.0f);
        EXPECT_FLOAT_EQ(layer.mCycleLength, 30.0f);
        EXPECT_EQ(layer.mCycleLimit, 3);
    }

    mSnow.Reset();
    for (SInt32 intensity : {4, -1, 0x7FFFFFFF})
        App::Setup(&mSnow, 0.0f, 60.0f, -1, intensity);
    EXPECT_EQ(mSnow.GetNumberOfLayers(), 0u);
}

TEST_F(SnowTest, ALayerEmitsOneFlakePerIntervalWhileItsCyclesRun)
{
    App::Setup(&mSnow, 0.0f, 60.0f, -1, 0);
    App::Setup(&mSnow, 0.0f, 60.0f, 0, 0); // never emits

    mSnow.Step(0.04);
    EXPECT_EQ(Layer(0).mFlakes.size(), 0u);
    mSnow.Step(0.04);
    ASSERT_EQ(Layer(0).mFlakes.size(), 1u);
    // A long step still makes one flake.
    mSnow.Step(0.4);
    EXPECT_EQ(Layer(0).mFlakes.size(), 2u);
    EXPECT_EQ(Layer(1).mFlakes.size(), 0u);

    const SnowFlake& flake = Layer(0).mFlakes[0];
    ParticleAnimator* animator = flake.mAnimator;
    EXPECT_EQ(animator->GetImage(), 20);
    EXPECT_TRUE(animator->IsPersistent());
    EXPECT_EQ(DepthOrder(animator->GetDepthOrderOffset()), 810000 + animator->GetDepthOrderOffset());
    EXPECT_GE(flake.mSwayPeriod, 50u);
    EXPECT_LE(flake.mSwayPeriod, 200u);
    EXPECT_GE(std::abs(flake.mAcceleration.x), 30.0f);
    EXPECT_LE(std::abs(flake.mAcceleration.y), 100.0f);
}

TEST_F(SnowTest, FlakesFallFadeAndLeaveBelowTheFloor)
{
    // A view large enough that the flake's own drift keeps it inside.
    mGameState.SetViewFloats(4000.0f, 3000.0f, 0.0f);
    mSnow.AddLayer(SteadyLayer(0.0f));
    mSnow.Step(0.01);
    ASSERT_EQ(Layer().mFlakes.size(), 1u);
    ParticleAnimator* animator = Layer().mFlakes[0].mAnimator;
    const Float startZ = animator->GetPosition().z;
    EXPECT_LT(startZ, 400.0f);
    EXPECT_FLOAT_EQ(Layer().mFlakes[0].mAlpha, 0.01f);

    // No new flakes (a lost sign), the old one falls 150 units a second.
    mGameState.SetPlayState(10);
    mSnow.Step(1.0);
    EXPECT_FLOAT_EQ(animator->GetPosition().z, startZ - 150.0f);
    mSnow.Step(1.0);
    mSnow.Step(0.6);
    // Below the floor now; the next step finds it gone.
    EXPECT_LT(animator->GetPosition().z, 10.0f);
    EXPECT_EQ(Layer().mFlakes.size(), 1u);
    mSnow.Step(0.01);
    EXPECT_EQ(Layer().mFlakes.size(), 0u);

    // The pool takes the animator back at its next step.
    EXPECT_FALSE(animator->IsPersistent());
    mParticles.Step(0.0);
    EXPECT_EQ(mParticles.GetNumUsed(), 0u);
}

TEST_F(SnowTest, AFlakeLeavesOnlyPastTheEdgeOfItsOwnDrift)
{
    mSnow.AddLayer(SteadyLayer(3000.0f));
    for (int i = 0; i < 6; ++i)
        mSnow.Step(0.001);
    mGameState.SetPlayState(13);
    // The wind carries every flake far past the right edge within a few steps.
    for (int i = 0; i < 5; ++i)
        mSnow.Step(0.1);

    UInt32 driftingLeft = 0;
    for (const SnowFlake& flake : Layer().mFlakes) {
        EXPECT_GT(flake.mAnimator->GetPosition().x, 600.0f);
        EXPECT_LT(flake.mVelocity.x, 0.0f);
        ++driftingLeft;
    }
    EXPECT_GT(driftingLeft, 0u);
    EXPECT_LT(driftingLeft, 6u);
}

TEST_F(SnowTest, OutsidePlayShortStepsChangeNothing)
{
    App::Setup(&mSnow, 0.0f, 60.0f, -1, 3);
    mSnow.Step(0.02);
    ASSERT_EQ(Layer().mFlakes.size(), 1u);
    const SnowLayer before = Layer();
    const Math::Vector<Float> position = before.mFlakes[0].mAnimator->GetPosition();

    mGameState.SetPlayState(2);
    for (int i = 0; i < 10; ++i)
        mSnow.Step(0.1);
    EXPECT_EQ(Layer().mFlakes.size(), 1u);
    EXPECT_EQ(Layer().mFlakes[0].mAnimator->GetPosition(), position);
    EXPECT_EQ(Layer().mWindSpeed, before.mWindSpeed);
    EXPECT_EQ(Layer().mCalm, before.mCalm);
    EXPECT_EQ(Layer().mCycleTime, before.mCycleTime);

    // A long step moves the flakes and the wind but makes none.
    mSnow.Step(0.5);
    EXPECT_EQ(Layer().mFlakes.size(), 1u);
    EXPECT_NE(Layer().mFlakes[0].mAnimator->GetPosition(), position);
    EXPECT_NE(Layer().mCycleTime, before.mCycleTime);
}

TEST_F(SnowTest, GustsRiseAfterTheirCalmAndFallBack)
{
    App::Setup(&mSnow, 0.0f, 1e9f, -1, 3);
    mGameState.SetPlayState(10);
    Float peak = 0.0f;
    Bool calmed = false;
    for (int i = 0; i < 2000; ++i) {
        mSnow.Step(0.01);
        peak = std::max(peak, Layer().mWindSpeed);
        if (peak > 0.0f && Layer().mWindSpeed <= 0.0f)
            calmed = true;
    }
    EXPECT_GE(peak, 150.0f);
    EXPECT_LE(peak, 400.0f + 400.0f * 0.01f);
    EXPECT_TRUE(calmed);
}

TEST_F(SnowTest, ResetHandsTheFlakesBackToThePool)
{
    App::Setup(&mSnow, 0.0f, 60.0f, -1, 3);
    for (int i = 0; i < 3; ++i)
        mSnow.Step(0.02);
    ASSERT_EQ(mParticles.GetNumUsed(), 3u);

    mSnow.Reset();
    EXPECT_EQ(mSnow.GetNumberOfLayers(), 0u);
    mParticles.Step(0.0);
    EXPECT_EQ(mParticles.GetNumUsed(), 0u);
}

TEST_F(SnowTest, AnExhaustedPoolMakesNoFlake)
{
    mSnow.AddLayer(SteadyLayer(0.0f));
    for (UInt32 i = 0; i < kPoolSize + 3; ++i)
        mSnow.Step(0.001);
    EXPECT_EQ(Layer().mFlakes.size(), kPoolSize);
}

} // namespace
} // namespace App
} // namespace Vorn
