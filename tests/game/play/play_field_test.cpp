#include "game/play/play_field.h"

#include <gtest/gtest.h>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/course_animator.h"
#include "graph/display/display_plane.h"
#include "graph/switch.h"
#include "logic/factory.h"
#include "tests/support/course_records.h"
#include "tests/support/play_stage_fixture.h"
#include "tests/support/play_templates.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class PlayfieldTest : public ViewSceneFixture
{
protected:
    PlayfieldTest()
        : mClasses(mFactory, {{"TestText", &CountingText::Create}}), mContext(&mLogicFactory, 1280.0f, 800.0f),
          mField(&mContext)
    {
    }

    void SetUp() override
    {
        AddPoolGraphs(mCollection);
        mCollection.AddGraph("app:particle", ParticleTemplate().c_str());
    }
    void TearDown() override { EXPECT_TRUE(mContext.GetParticleContainer()->DeInit()); }

    // The game graph: the stage's pools under "/stage_game" and the frame buffer with the rocks
    // and the zen background, without the container named missing.
    Graph::INamespace* MakeScene(const std::string& missing = "")
    {
        auto pool = [&](const char* id, const char* graph, int count) {
            return missing == id ? std::string()
                                 : std::string("<Instance id='") + id + "' graphResourceId='" + graph +
                                       "' replications='" + std::to_string(count) + "'/>";
        };
        std::string stage = pool("ashexplosion_container", "p:ash", 2) + pool("iceexplosion_container", "p:ice", 2) +
                            pool("animal_container", "p:animal", 3) + pool("weapon_container", "p:weapon", 2) +
                            pool("obstacle_container", "p:obstacle", 2) + pool("course_container", "p:course", 2) +
                            pool("clouds_container", "p:clouds", 2) + pool("scoretext_container", "p:scores", 2) +
                            "<Switch id='bg_switch'><Node/><Node/></Switch>";
        const std::string framebuffer =
            missing == "rocks" ? "<Namespace id='framebuffer'/>"
                               : FramebufferXml(2, "<Namespace id='bg_zen'><DisplayPlane id='screen'/></Namespace>");
        return Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>" + pool("particle_container", "app:particle", 4) +
                     "<Namespace id='stage_game'>" + stage + "</Namespace>" + framebuffer + "</View>");
    }

    NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    AppContext mContext;
    Playfield mField;
};

// The number of bound entries of each pool, in the order the play field binds them.
std::vector<UInt32> PoolCounts(Playfield& field)
{
    return {field.GetAshExplosionContainer()->GetCount(), field.GetIceExplosionContainer()->GetCount(),
            field.GetAnimalContainer()->GetCount(),       field.GetWeaponContainer()->GetCount(),
            field.GetObstacleContainer()->GetObstacles().GetCount(),
            field.GetObstacleContainer()->GetRocks().GetCount(),
            field.GetCourseHandler()->GetCourseContainer().GetCount(),
            field.GetCloudsContainer()->GetCount(),       field.GetScoreTextContainer()->GetCount()};
}

TEST_F(PlayfieldTest, InitStopsAtTheFirstMissingContainerAndDeInitStillRunsEveryStep)
{
    const std::vector<UInt32> all = {2, 2, 3, 2, 2, 2, 2, 2, 2};
    const struct
    {
        const char* mMissing;
        // How many pools, in binding order, are bound.
        size_t mBound;
    } cases[] = {
        {"", 9},
        {"ashexplosion_container", 0},
        {"iceexplosion_container", 1},
        {"animal_container", 2},
        {"weapon_container", 3},
        {"obstacle_container", 4},
        // The obstacles are bound, the rocks are not.
        {"rocks", 5},
        {"course_container", 6},
        {"clouds_container", 7},
        {"scoretext_container", 8},
    };
    for (const auto& c : cases) {
        Playfield field(&mContext);
        Graph::INamespace* scene = MakeScene(c.mMissing);
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(field.Init(scene, "/stage_game"), c.mBound == all.size()) << c.mMissing;
        std::vector<UInt32> expected(all.size(), 0);
        std::copy(all.begin(), all.begin() + c.mBound, expected.begin());
        EXPECT_EQ(PoolCounts(field), expected) << c.mMissing;
        EXPECT_NE(field.GetFramebuffer(), nullptr) << c.mMissing;
        // De-initialising runs every step, bound or not, and lets every node go.
        EXPECT_TRUE(field.DeInit()) << c.mMissing;
        EXPECT_EQ(PoolCounts(field), std::vector<UInt32>(all.size(), 0)) << c.mMissing;
        EXPECT_EQ(field.GetFramebuffer(), nullptr);
        ASSERT_TRUE(DestroyScene());
    }
    EXPECT_FALSE(mField.Init(nullptr, "/stage_game"));
}

TEST_F(PlayfieldTest, MembersAreWiredToTheApplicationObjects)
{
    EXPECT_EQ(mField.GetGameState(), mContext.GetGameState());
    EXPECT_EQ(mField.GetAppProcessor(), mContext.GetAppProcessor());
    EXPECT_EQ(mField.GetSoundContainer(), mContext.GetSoundContainer());
    EXPECT_EQ(mField.GetParticleContainer(), mContext.GetParticleContainer());
    EXPECT_EQ(mField.GetScoresFontContainer(), mContext.GetScoresFontContainer());
    EXPECT_EQ(mField.GetPopup(), mContext.GetPopup());

    // An effect of the play field's handler lands in the app-wide particle pool and in its own
    // ash pool.
    Graph::INamespace* scene = MakeScene();
    ASSERT_TRUE(mContext.GetParticleContainer()->Init(scene, ""));
    ASSERT_TRUE(mField.Init(scene, "/stage_game"));
    mField.GetExplosionHandler()->StartEffectAt(ExplosionHandler::EffectAsh, Math::Vector<Float>(1, 2, 0, 1));
    EXPECT_EQ(mField.GetAshExplosionContainer()->GetNumUsed(), 1u);
    mField.GetExplosionHandler()->StartEffectAt(2, Math::Vector<Float>(1, 2, 0, 1));
    EXPECT_GT(mContext.GetParticleContainer()->GetNumUsed(), 0u);
    EXPECT_TRUE(mField.DeInit());
}

TEST_F(PlayfieldTest, ResetTwiceLeavesEveryPoolEmptyAndEveryCounterZero)
{
    Graph::INamespace* scene = MakeScene();
    ASSERT_TRUE(mContext.GetParticleContainer()->Init(scene, ""));
    ASSERT_TRUE(mField.Init(scene, "/stage_game"));
    ASSERT_TRUE(mField.GetAssetContainer()->InitZenBackground(scene, "bg_zen"));

    const CourseRecord record = Record("RGB");
    for (int round = 0; round < 2; ++round) {
        const Math::Vector<Float> at(5.0f, 6.0f, 0.0f, 1.0f);
        ASSERT_NE(mContext.GetParticleContainer()->Obtain(), nullptr);
        ASSERT_NE(mField.GetAshExplosionContainer()->Obtain(), nullptr);
        ASSERT_NE(mField.GetIceExplosionContainer()->Obtain(), nullptr);
        ASSERT_NE(mField.GetAnimalContainer()->ObtainAnimal(5), nullptr);
        ASSERT_NE(mField.GetFlyingObjectHandler()->SpawnAnimal(mField.GetAnimalContainer()->ObtainAnimal(6)), nullptr);
        mField.GetWeaponContainer()->AddWeaponPlace(1, at);
        ASSERT_TRUE(mField.GetWeaponContainer()->PlaceWeapon(Weapon::KindNuke));
        ASSERT_NE(mField.GetObstacleContainer()->AddObstacle(0, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 2), nullptr);
        ASSERT_NE(mField.GetObstacleContainer()->AddRock(1.0f, 1.0f), nullptr);
        mField.GetCourseHandler()->AppendCourse()->Setup(&record, 1, false);
        ASSERT_NE(mField.GetCloudsContainer()->ObtainCloud(0), nullptr);
        App::Setup(mField.GetSnowHandler(), 0.0f, 10.0f, 1, 2);
        ASSERT_NE(mField.GetScoreTextContainer()->Obtain(), nullptr);
        mField.GetAnimalSelector()->Set(7, 3);
        mContext.GetGameState()->SetPosition(5.0f, 6.0f);

        mField.Reset();
        mField.Reset();
        EXPECT_EQ(mContext.GetParticleContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(PoolCounts(mField), (std::vector<UInt32>{2, 2, 3, 2, 2, 2, 2, 2, 2}));
        EXPECT_EQ(mField.GetAshExplosionContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetIceExplosionContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetAnimalContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetWeaponContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetWeaponContainer()->GetNumberOfWeaponPlaces(), 0u);
        EXPECT_EQ(mField.GetObstacleContainer()->GetObstacles().GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetObstacleContainer()->GetRocks().GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
        EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 0u);
        EXPECT_EQ(mField.GetCourseHandler()->GetCourseContainer().GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetCloudsContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetSnowHandler()->GetNumberOfLayers(), 0u);
        EXPECT_EQ(mField.GetScoreTextContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetAnimalSelector()->Get(7), 0u);
        EXPECT_EQ(mContext.GetGameState()->GetPosition().x, 0.0f);
    }
    EXPECT_TRUE(mField.DeInit());
    EXPECT_TRUE(mContext.GetParticleContainer()->DeInit());
    // No member keeps a reference that stops the graph from going.
    EXPECT_TRUE(DestroyScene());
}

TEST_F(PlayfieldTest, ViewScaleEnlargesTheBackgroundBeyondTheView)
{
    Graph::INamespace* scene = MakeScene();
    ASSERT_TRUE(mField.Init(scene, "/stage_game"));
    // Before a background is bound only the size is kept.
    mField.SetViewScale(1000.0f, 600.0f);
    ASSERT_TRUE(mField.GetAssetContainer()->InitZenBackground(scene, "bg_zen"));
    EXPECT_EQ(Find<Graph::ISwitch>(scene, "stage_game/bg_switch")->GetIndex(), 1);
    mField.SetViewScale(1280.0f, 800.0f);
    const auto* screen = Find<Graph::DisplayPlane>(scene, "framebuffer/bg_zen/screen");
    EXPECT_FLOAT_EQ(screen->GetScaleFactorX(), 1280.0f * 1.005f);
    EXPECT_FLOAT_EQ(screen->GetScaleFactorY(), 800.0f * 1.005f);
    EXPECT_EQ(mField.GetViewWidth(), 1280.0f);
    EXPECT_EQ(mField.GetNumberOfViewScales(), 2u);
    EXPECT_TRUE(mField.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
