#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "foundation/math.h"
#include "foundation/random.h"
#include "game/game_state.h"
#include "game/play/effects/explosions.h"
#include "game/play/explosion_handler.h"
#include "game/play/particles.h"
#include "game/play/play_seed.h"
#include "graph/parameters.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "tests/support/play_templates.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr UInt32 kSeed = 4711;
constexpr UInt32 kParticles = 120;
constexpr Float kTwoPi = Float(Math::TwoPi);

std::string ExplosionTemplate(const char* name)
{
    return std::string("<Graph replication='0'><Namespace id='") + name +
           "{replication}' activeAndVisible='false'><Timeline id='timeline' endTime='0.6'>"
           "<Transform id='sequence'/></Timeline></Namespace></Graph>";
}

class ExplosionHandlerTest : public Testing::ViewSceneFixture
{
protected:
    ExplosionHandlerTest()
        : mAsh(&mGameState), mIce(&mGameState), mHandler((SetPlaySeed(kSeed), &mParticles), &mAsh, &mIce)
    {
    }
    void SetUp() override
    {
        mCollection.AddGraph("app:particle", Testing::ParticleTemplate().c_str());
        mCollection.AddGraph("p:ash", ExplosionTemplate("ashexplosion").c_str());
        mCollection.AddGraph("p:ice", ExplosionTemplate("iceexplosion").c_str());
        mScene = Scene("<View><Instance id='particle_container' graphResourceId='app:particle' replications='" +
                       std::to_string(kParticles) +
                       "'/><Instance id='ashexplosion_container' graphResourceId='p:ash' replications='2'/>"
                       "<Instance id='iceexplosion_container' graphResourceId='p:ice' replications='2'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mParticles.Init(mScene, ""));
        ASSERT_TRUE(mAsh.Init(mScene, ""));
        ASSERT_TRUE(mIce.Init(mScene, ""));
        mReference.Seed(kSeed);
    }
    void TearDown() override
    {
        ClearPlaySeed();
        EXPECT_TRUE(mParticles.DeInit());
        EXPECT_TRUE(mAsh.DeInit());
        EXPECT_TRUE(mIce.DeInit());
    }

    // Leaves only the last free animators of the pool.
    void KeepFree(UInt32 free)
    {
        while (mParticles.GetNumUsed() < kParticles - free)
            mParticles.Obtain();
    }
    std::vector<SInt32> Images(UInt32 from, UInt32 to)
    {
        std::vector<SInt32> images;
        for (UInt32 i = from; i < to; ++i)
            images.push_back(mParticles.GetEntry(i)->GetImage());
        return images;
    }
    Float Sign() { return Float(2 * SInt32(mReference.RandUInt(0, 1)) - 1); }
    static void ExpectKey(const ParticleTrack& track, UInt32 index, Float time, Float x, Float y, Float z, Float w)
    {
        ASSERT_LT(index, track.GetNumberOfKeys());
        const ParticleTrack::Key& key = track.GetKey(index);
        EXPECT_FLOAT_EQ(key.mTime, time) << index;
        EXPECT_NEAR(key.mValue.x, x, 1e-4f) << index;
        EXPECT_NEAR(key.mValue.y, y, 1e-4f) << index;
        EXPECT_NEAR(key.mValue.z, z, 1e-4f) << index;
        EXPECT_NEAR(key.mValue.w, w, 1e-4f) << index;
        EXPECT_EQ(key.mInterpolation, Enums::InterpolationType::LINEAR);
    }
    static void ExpectTimelines(ParticleAnimator* animator, Float endTime, Float timeScale)
    {
        for (ParticleTrack* track : {&animator->GetPositionTrack(), &animator->GetScaleTrack(),
                                     &animator->GetRotationTrack(), &animator->GetColorTrack()}) {
            EXPECT_FLOAT_EQ(track->GetTimeline()->GetEndTime(), endTime);
            EXPECT_FLOAT_EQ(track->GetTimeline()->GetTimeScale(), timeScale);
        }
    }
    const Math::Matrix<float>& IceMatrix(UInt32 index)
    {
        return static_cast<const Graph::ITransform*>(
                   Find<Graph::Transform>(mScene, ("iceexplosion" + std::to_string(index) + "/sequence").c_str()))
            ->GetTransform();
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    ParticleContainer mParticles;
    AshExplosionContainer mAsh;
    IceExplosionContainer mIce;
    ExplosionHandler mHandler;
    Util::TT800 mReference;
    const Math::Vector<Float> mAt{100.0f, -50.0f, 0.0f, 1.0f};
};

TEST_F(ExplosionHandlerTest, TheRingOfSixDrawsKeyByKeyAndASecondStartDrawsOn)
{
    mHandler.StartEffect(6, mAt, 0.0f, 0.0f);
    mHandler.StartEffectAt(6, mAt);
    ASSERT_EQ(mParticles.GetNumUsed(), 14u);
    const Float sector = kTwoPi / 7.0f;
    for (UInt32 n = 0; n < 14; ++n) {
        SCOPED_TRACE(n);
        const UInt32 i = n % 7;
        ParticleAnimator* piece = mParticles.GetEntry(n);
        EXPECT_EQ(piece->GetImage(), i < 3 ? 9 : 10);
        const Float a = Float(i) * sector + mReference.RandReal(0.0f, sector);
        const Float f = mReference.RandReal(0.75f, 1.25f);
        const Float s = Sign();
        const Float v = mReference.RandReal(0.8f, 1.0f);
        const Float c = Math::Cos(a), sn = Math::Sin(a);
        ExpectKey(piece->GetPositionTrack(), 0, 0.0f, 100.0f + 10.0f * c, -50.0f + 10.0f * sn, 0, 1);
        ExpectKey(piece->GetPositionTrack(), 1, 1.0f, 100.0f + 100.0f * f * c, -50.0f + 100.0f * f * sn, 0, 1);
        ExpectKey(piece->GetRotationTrack(), 0, 0.0f, 0, 0, 1, 0);
        ExpectKey(piece->GetRotationTrack(), 1, 1.0f, 0, 0, 1, s * kTwoPi);
        const Float alphaTimes[] = {0.0f, 0.2f, 0.5f, 1.0f};
        const Float alphas[] = {0.0f, 1.0f, 1.0f, 0.0f};
        for (UInt32 k = 0; k < 4; ++k)
            ExpectKey(piece->GetColorTrack(), k, alphaTimes[k], 1, 1, 1, alphas[k]);
        EXPECT_EQ(piece->GetScaleTrack().GetNumberOfKeys(), 0u);
        ExpectTimelines(piece, 1.0f, v * 0.8333333f);
        EXPECT_EQ(static_cast<const Graph::ITransform*>(
                      Find<Graph::Transform>(mScene, ("particle" + std::to_string(n) + "/transform").c_str()))
                      ->GetDepthOrder(),
                  SInt32(503000 + n));
    }
}

TEST_F(ExplosionHandlerTest, ThePuffOfThirteenDrawsKeyByKey)
{
    mHandler.StartEffect(13, mAt, 0.0f, 0.0f);
    ParticleAnimator* puff = mParticles.GetEntry(0);
    ASSERT_EQ(mParticles.GetNumUsed(), 1u);
    EXPECT_EQ(puff->GetImage(), 15);
    EXPECT_EQ(static_cast<const Graph::ITransform*>(Find<Graph::Transform>(mScene, "particle0/transform"))
                  ->GetDepthOrder(),
              203000);
    const Float s = mReference.RandReal(0.65f, 1.35f);
    const Float w = Sign();
    const Float t = mReference.RandReal(0.0f, 0.5f);
    const Float v = mReference.RandReal(0.7f, 1.3f);
    const ParticleTrack& position = puff->GetPositionTrack();
    ExpectKey(position, 0, t, 100.0f, -50.0f + 10.0f * s, 0, 1);
    ExpectKey(position, 1, t + 0.2f, 100.0f + 5.0f * s * w, -50.0f + 20.0f * s, 0, 1);
    ExpectKey(position, 2, t + 0.6f, 100.0f - 5.0f * s * w, -50.0f + 40.0f * s, 0, 1);
    ExpectKey(position, 3, t + 1.0f, 100.0f + 5.0f * s * w, -50.0f + 60.0f * s, 0, 1);
    ExpectKey(puff->GetColorTrack(), 0, 0.0f, 1, 1, 1, 0.0f);
    ExpectKey(puff->GetColorTrack(), 1, t + 0.01f, 1, 1, 1, 0.8f);
    ExpectKey(puff->GetColorTrack(), 2, t + 0.5f, 1, 1, 1, 0.8f);
    ExpectKey(puff->GetColorTrack(), 3, t + 1.0f, 1, 1, 1, 0.0f);
    EXPECT_EQ(puff->GetRotationTrack().GetNumberOfKeys(), 0u);
    ExpectTimelines(puff, 1.5f, v * 0.5f);
}

TEST_F(ExplosionHandlerTest, EveryEffectEndsItsTracksAndGivesItsAnimatorsBack)
{
    for (UInt32 type = 1; type <= 40; ++type) {
        if (type == 10 || type == 11 || type == 31)
            continue;
        SCOPED_TRACE(type);
        // Type 40 stands for the finish effect, which no type number reaches.
        if (type == 40)
            mHandler.StartFinishEffect(mAt);
        else
            mHandler.StartEffect(type, mAt, 0.7f, 0.25f);
        ASSERT_GT(mParticles.GetNumUsed(), 0u);
        for (UInt32 i = 0; i < mParticles.GetUsedEnd(); ++i)
            EXPECT_FALSE(Find<Graph::INode>(mScene, ("particle" + std::to_string(i)).c_str())->IsActiveAndVisible());
        UInt32 steps = 0;
        while (mParticles.GetNumUsed() > 0 && steps < 2000) {
            mParticles.Step(1.0);
            ++steps;
        }
        EXPECT_EQ(mParticles.GetNumUsed(), 0u);
        EXPECT_EQ(mParticles.GetUsedEnd(), 0u);
    }
}

TEST_F(ExplosionHandlerTest, TheColourEffectsShowTheirWeaponsPieces)
{
    using Images = std::set<SInt32>;
    const Images burst0{13, 14, 31}, burst1{13, 14, 29}, burst26{13, 14, 32}, burst3{30, 31, 32},
        burst7{29, 30, 31, 32};
    auto with = [](Images a, const Images& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    // Types 14 to 21 and 22 to 29 run over the weapon kinds 0, 1, 3, 6, 4, 5, 2, 7.
    const Images expected[16] = {
        burst0,
        burst1,
        burst3,
        burst26,
        burst0,
        burst0,
        burst26,
        burst7,
        with({28, 25}, burst0),
        with({28, 22}, burst1),
        with({25, 24, 27}, burst3),
        with({28, 27}, burst26),
        with({28, 25, 22}, burst0),
        with({28, 25, 22}, burst0),
        with({28, 27}, burst26),
        with({22, 23, 24, 25, 26, 27}, burst7),
    };
    for (UInt32 type = 14; type <= 29; ++type) {
        SCOPED_TRACE(type);
        Images shown;
        for (int run = 0; run < 40; ++run) {
            mHandler.StartEffect(type, mAt, 0.0f, 0.0f);
            EXPECT_EQ(mParticles.GetNumUsed(), type <= 21 ? 5u : 24u);
            for (UInt32 i = 0; i < mParticles.GetNumUsed(); ++i)
                shown.insert(mParticles.GetEntry(i)->GetImage());
            mParticles.ReleaseAll();
        }
        EXPECT_EQ(shown, expected[type - 14]);
    }
}

TEST_F(ExplosionHandlerTest, APartlyFreePoolMakesEffectsSmaller)
{
    struct Case
    {
        UInt32 type;
        UInt32 free;
        std::vector<SInt32> images; // of the effect's animators in pool order; empty: not checked
    };
    const Case cases[] = {
        {6, 2, {9, 9}},
        {4, 1, {}},  // the first group stops, the second finds nothing
        {4, 4, {}},  // two of the first group, two of the second
        {37, 2, {}},
        // The burst's own five, ten streaks, then five of fifty pieces.
        {38, 20, {2, 2, 1, 1, 1, 17, 17, 17, 17, 17, 17, 17, 17, 17, 17}},
        {22, 17, {}}, // sixteen fountain pieces and one of the ring
        {1, 0, {}},
        {39, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        mParticles.ReleaseAll();
        KeepFree(c.free);
        mHandler.StartEffect(c.type, mAt, 0.0f, 0.0f);
        EXPECT_EQ(mParticles.GetNumUsed(), kParticles);
        if (!c.images.empty()) {
            const UInt32 first = kParticles - c.free;
            EXPECT_EQ(Images(first, first + UInt32(c.images.size())), c.images);
        }
    }
    // Nothing free: no effect touches the pool's animators.
    for (UInt32 type = 1; type <= 39; ++type)
        mHandler.StartEffect(type, mAt, 0.0f, 0.0f);
    mHandler.StartFinishEffect(mAt);
    for (UInt32 i = 0; i < kParticles - 17; ++i)
        EXPECT_EQ(mParticles.GetEntry(i)->GetPositionTrack().GetNumberOfKeys(), 0u);
}

TEST_F(ExplosionHandlerTest, TypesOutsideTheTableAndTypeThirtyOneStartNothing)
{
    for (UInt32 type : {0u, 31u, 40u, 0xFFFFFFFFu}) {
        mHandler.StartEffect(type, mAt, 1.0f, 1.0f);
        mHandler.StartEffectAt(type, mAt);
        mHandler.StartEffectWithAngle(type, mAt, 1.0f);
    }
    EXPECT_EQ(mParticles.GetNumUsed(), 0u);
    EXPECT_EQ(mAsh.GetNumUsed(), 0u);
    EXPECT_EQ(mIce.GetNumUsed(), 0u);

    // Without pools a handler starts nothing and does not fail.
    ExplosionHandler alone;
    for (UInt32 type = 1; type <= 39; ++type)
        alone.StartEffect(type, mAt, 0.0f, 0.0f);
}

TEST_F(ExplosionHandlerTest, ADelayedBurstStopsBeforeItHasFaded)
{
    mHandler.StartEffect(1, mAt, 0.0f, 0.5f);
    ASSERT_EQ(mParticles.GetNumUsed(), 5u);
    ParticleAnimator* piece = mParticles.GetEntry(0);
    EXPECT_EQ(Images(0, 5), (std::vector<SInt32>{2, 2, 1, 1, 1}));
    const Float times[] = {0.0f, 0.5f, 0.8f, 1.5f};
    for (UInt32 k = 0; k < 4; ++k)
        EXPECT_FLOAT_EQ(piece->GetColorTrack().GetKey(k).mTime, times[k]);
    EXPECT_FLOAT_EQ(piece->GetPositionTrack().GetKey(1).mTime, 1.5f);
    EXPECT_FLOAT_EQ(piece->GetPositionTrack().GetTimeline()->GetEndTime(), 1.0f);
    while (piece->IsAnimating())
        mParticles.Step(0.01);
    const Color shown = Find<Graph::IParameters>(mScene, "particle0/parameters")->GetColor(1);
    EXPECT_GT(shown.alpha, 0.5f);
    mParticles.Step(0.01);
    EXPECT_FALSE(mParticles.IsEntryUsed(0));
}

TEST_F(ExplosionHandlerTest, AshAndIceExplosionsArePlacedAndStarted)
{
    mHandler.StartEffect(10, mAt, 0.0f, 0.0f);
    ASSERT_TRUE(mAsh.IsEntryUsed(0));
    EXPECT_TRUE(mAsh.GetEntry(0)->IsRunning());
    EXPECT_FLOAT_EQ(mAsh.GetEntry(0)->GetPosition().x, 100.0f);

    mHandler.StartEffectWithAngle(11, mAt, 0.0f);
    mHandler.StartEffectWithAngle(11, mAt, Float(Math::Pi / 2.0));
    mHandler.StartEffectWithAngle(11, mAt, 1.0f); // the pool of two is exhausted
    EXPECT_EQ(mIce.GetNumUsed(), 2u);
    EXPECT_FLOAT_EQ(IceMatrix(0)[0], 1.0f);
    EXPECT_FLOAT_EQ(IceMatrix(0)[1], 0.0f);
    EXPECT_NEAR(IceMatrix(1)[1], 1.0f, 1e-6f);
    EXPECT_NEAR(IceMatrix(1)[4], -1.0f, 1e-6f);
    EXPECT_NEAR(IceMatrix(1)[0], 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(IceMatrix(1)[10], 1.0f);
    EXPECT_FLOAT_EQ(IceMatrix(1)[12], 100.0f);
    EXPECT_FLOAT_EQ(IceMatrix(1)[13], -50.0f);
    EXPECT_FLOAT_EQ(Find<Graph::Timeline>(mScene, "iceexplosion1/timeline")->GetTimeScale(), 1.0f);
}

} // namespace
} // namespace App
} // namespace Vorn
