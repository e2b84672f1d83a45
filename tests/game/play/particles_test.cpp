#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "game/game_state.h"
#include "game/play/particles.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/transform/scale.h"
#include "graph/transform/transform.h"
#include "tests/support/play_templates.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

constexpr auto kLinear = Enums::InterpolationType::LINEAR;

const char kContainer[] =
    "<View><Instance id='particle_container' graphResourceId='app:particle' replications='3'/></View>";

class ParticlesTest : public Testing::ViewSceneFixture
{
protected:
    void SetUp() override
    {
        mCollection.AddGraph("app:particle", Testing::ParticleTemplate().c_str());
        mScene = Scene(kContainer);
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mPool.Init(mScene, ""));
        ASSERT_EQ(mPool.GetCount(), 3u);
    }
    void TearDown() override { EXPECT_TRUE(mPool.DeInit()); }

    std::string Path(UInt32 index, const char* node) { return "particle" + std::to_string(index) + node; }
    Graph::INode* Root(UInt32 index) { return Find<Graph::INode>(mScene, Path(index, "").c_str()); }
    const Math::Matrix<float>& Matrix(UInt32 index)
    {
        return static_cast<const Graph::ITransform*>(Find<Graph::Transform>(mScene, Path(index, "/transform").c_str()))
            ->GetTransform();
    }
    Float ScaleX(UInt32 index) { return Find<Graph::Scale>(mScene, Path(index, "/scale").c_str())->GetScaleFactorX(); }
    Color Diffuse(UInt32 index)
    {
        return Find<Graph::IParameters>(mScene, Path(index, "/parameters").c_str())->GetColor(1);
    }
    SInt32 Shown(UInt32 index) { return Find<Graph::ISwitch>(mScene, Path(index, "/select").c_str())->GetIndex(); }

    // A move from (0, 0) to (10, 20), a constant half size, a quarter turn and a fade, each over
    // one second.
    static void Fill(ParticleAnimator* particle)
    {
        particle->GetPositionTrack().AppendKey(0.0f, Math::Vector<float>(0, 0, 0, 1), kLinear);
        particle->GetPositionTrack().AppendKey(1.0f, Math::Vector<float>(10, 20, 0, 1), kLinear);
        particle->GetScaleTrack().AppendKey(0.0f, Math::Vector<float>(0.5f, 0.5f, 1, 0), kLinear);
        particle->GetRotationTrack().AppendKey(0.0f, Math::Vector<float>(0, 0, 1, 0), kLinear);
        particle->GetRotationTrack().AppendKey(1.0f, Math::Vector<float>(0, 0, 1, 2.0f), kLinear);
        particle->GetColorTrack().AppendKey(0.0f, Math::Vector<float>(1, 1, 1, 1), kLinear);
        particle->GetColorTrack().AppendKey(1.0f, Math::Vector<float>(1, 1, 1, 0), kLinear);
        for (ParticleTrack* track : {&particle->GetPositionTrack(), &particle->GetScaleTrack(),
                                     &particle->GetRotationTrack(), &particle->GetColorTrack()})
            track->GetTimeline()->SetEndTime(1.0f);
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    ParticleContainer mPool{&mGameState};
};

TEST_F(ParticlesTest, AStartedAnimatorPlaysItsTracksAndIsTakenBackAfterTheyEnd)
{
    ParticleAnimator* particle = mPool.Obtain();
    ASSERT_EQ(particle, mPool.GetEntry(0));
    EXPECT_EQ(static_cast<const Graph::ITransform*>(Find<Graph::Transform>(mScene, "particle0/transform"))
                  ->GetDepthOrder(),
              503000);
    Fill(particle);
    particle->Start();
    EXPECT_FALSE(Root(0)->IsActiveAndVisible()); // nothing shows before the first update

    mPool.Step(0.25);
    EXPECT_TRUE(Root(0)->IsActiveAndVisible());
    EXPECT_FLOAT_EQ(Matrix(0)[12], 2.5f);
    EXPECT_FLOAT_EQ(Matrix(0)[13], 5.0f);
    EXPECT_FLOAT_EQ(ScaleX(0), 0.5f);
    EXPECT_NEAR(Matrix(0)[0], std::cos(0.5f), 1e-3f);
    EXPECT_NEAR(Matrix(0)[1], std::sin(0.5f), 1e-3f);
    EXPECT_FLOAT_EQ(Diffuse(0).alpha, 0.75f);

    mPool.Step(0.25);
    mPool.Step(0.25);
    // The step in which the tracks end does not apply the end values.
    mPool.Step(0.25);
    EXPECT_FALSE(particle->IsAnimating());
    EXPECT_FLOAT_EQ(Matrix(0)[12], 7.5f);
    EXPECT_FLOAT_EQ(Diffuse(0).alpha, 0.25f);
    EXPECT_TRUE(Root(0)->IsActiveAndVisible());
    EXPECT_TRUE(mPool.IsEntryUsed(0));

    mPool.Step(0.25);
    EXPECT_FALSE(Root(0)->IsActiveAndVisible());
    EXPECT_EQ(mPool.GetNumUsed(), 0u);
    EXPECT_EQ(mPool.GetUsedEnd(), 0u);
    EXPECT_FLOAT_EQ(Diffuse(0).alpha, 1.0f); // reset on the way back
}

TEST_F(ParticlesTest, TheGameSpeedSlowsAllButTheUnscaledImage)
{
    struct Case
    {
        Float factor;
        SInt32 image;
        Float x;
    };
    const Case cases[] = {{1.0f, 3, 2.5f},      {0.2f, 3, 0.5f},   {0.0f, 3, 0.0025f},
                          {std::nanf(""), 3, 0.0025f}, {0.5f, 15, 2.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        mGameState.SetTimeFactor(c.factor);
        ParticleAnimator* particle = mPool.Obtain();
        Fill(particle);
        particle->SetImage(c.image);
        particle->Start();
        mPool.Step(0.25);
        EXPECT_NEAR(particle->GetPosition().x, c.x, 1e-4f);
        mPool.ReleaseAll();
    }
}

TEST_F(ParticlesTest, EmptyPersistentAndRecycledAnimators)
{
    // Without keys: hidden by Start and taken back by the next step.
    ParticleAnimator* empty = mPool.Obtain();
    empty->Start();
    EXPECT_FALSE(Root(0)->IsActiveAndVisible());
    mPool.Step(0.1);
    EXPECT_FALSE(mPool.IsEntryUsed(0));

    // A persistent one stays after its tracks have ended.
    ParticleAnimator* kept = mPool.Obtain();
    kept->SetPersistent(true);
    kept->GetRotationTrack().AppendKey(0.0f, Math::Vector<float>(0, 0, 1, 1.0f), kLinear);
    kept->GetRotationTrack().GetTimeline()->SetEndTime(0.5f);
    kept->GetRotationTrack().GetTimeline()->SetTimeScale(2.0f);
    kept->SetImage(7);
    kept->Start();
    mPool.Step(0.1); // one key holds its value
    EXPECT_NEAR(Matrix(0)[0], std::cos(1.0f), 1e-3f);
    for (int i = 0; i < 5; ++i)
        mPool.Step(0.1);
    EXPECT_FALSE(kept->IsAnimating());
    EXPECT_TRUE(mPool.IsEntryUsed(0));

    // Recycled: image 0 recorded while the plane still shows the old one; end time and time scale
    // of the last use kept, the keys gone.
    mPool.Release(kept);
    ParticleAnimator* again = mPool.Obtain();
    ASSERT_EQ(again, kept);
    EXPECT_EQ(again->GetImage(), 0);
    EXPECT_EQ(Shown(0), 7);
    EXPECT_FALSE(again->IsPersistent());
    EXPECT_EQ(again->GetRotationTrack().GetNumberOfKeys(), 0u);
    EXPECT_FLOAT_EQ(again->GetRotationTrack().GetTimeline()->GetEndTime(), 0.5f);
    EXPECT_FLOAT_EQ(again->GetRotationTrack().GetTimeline()->GetTimeScale(), 2.0f);
    EXPECT_FLOAT_EQ(Matrix(0)[0], 1.0f);
}

TEST_F(ParticlesTest, RotationWritesOnlyTheTurnAboutTheGivenAxis)
{
    struct Case
    {
        Math::Vector<float> axisAngle;
        Float m0, m1, m2, m5, m6, m10;
    };
    const Float half = 1.5707964f;
    const Case cases[] = {
        {{0, 0, 1, 0}, 1, 0, 0, 1, 0, 1},
        {{0, 0, 1, half}, 0, 1, 0, 0, 0, 1},
        {{1, 0, 0, half}, 1, 0, 0, 0, 1, 0},
        // An axis of length 2 is not normalised: element 10 = 4 (1 - cos) + cos.
        {{0, 0, 2, half}, 0, 2, 0, 0, 0, 4},
    };
    ParticleAnimator* particle = mPool.Obtain();
    particle->SetPosition(5.0f, 6.0f, 7.0f);
    particle->UpdateTransform();
    for (const Case& c : cases) {
        particle->SetRotation(c.axisAngle);
        const Math::Matrix<float>& m = Matrix(0);
        EXPECT_NEAR(m[0], c.m0, 1e-3f);
        EXPECT_NEAR(m[1], c.m1, 1e-3f);
        EXPECT_NEAR(m[2], c.m2, 1e-3f);
        EXPECT_NEAR(m[5], c.m5, 1e-3f);
        EXPECT_NEAR(m[6], c.m6, 1e-3f);
        EXPECT_NEAR(m[10], c.m10, 1e-3f);
        EXPECT_FLOAT_EQ(m[13], 6.0f);
    }
}

TEST_F(ParticlesTest, APoolWithoutItsPlaneFailsToBind)
{
    EXPECT_TRUE(mPool.DeInit());
    ASSERT_TRUE(DestroyScene());
    mCollection.AddGraph("app:particle", Testing::ParticleTemplate("plane").c_str());
    mScene = Scene(kContainer);
    ASSERT_NE(mScene, nullptr);
    ParticleContainer pool;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(pool.Init(mScene, ""));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("particle0/select"), std::string::npos);
    EXPECT_TRUE(pool.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
