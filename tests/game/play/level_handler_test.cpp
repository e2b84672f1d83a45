#include "game/play/level_handler.h"

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/folder_file_interface.h"
#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/animals_processor.h"
#include "game/play/course_animator.h"
#include "game/play/course_processor.h"
#include "game/play/play_field.h"
#include "game/play/player_processor.h"
#include "game/play/score_processor.h"
#include "graph/display/display_plane.h"
#include "graph/display/display_plane_sequence.h"
#include "graph/switch.h"
#include "logic/factory.h"
#include "tests/support/fake_loader.h"
#include "tests/support/level_file_writer.h"
#include "tests/support/play_stage_fixture.h"
#include "tests/support/play_templates.h"
#include "tests/support/temp_folder.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

// A package that the loader thread still works on.
class BusyPackage : public FakePackage
{
public:
    BusyPackage() : FakePackage(String("busy"), nullptr) {}
    Bool IsBusy() const override { return true; }
};

class LevelHandlerTest : public ViewSceneFixture
{
protected:
    LevelHandlerTest()
        : mClasses(mFactory, {{"TestText", &CountingText::Create}}),
          mContext(&mLogicFactory, 1280.0f, 800.0f),
          mField(&mContext),
          mAnimals(&mLogicFactory, &mField),
          mCourses(&mLogicFactory, &mField),
          mPlayer(&mLogicFactory, &mField),
          mScore(&mLogicFactory, &mField),
          mHandler(&mField, &mAnimals, &mCourses, &mPlayer, &mScore),
          mFiles(String(mFolder.Get().c_str()))
    {
    }

    void SetUp() override
    {
        AddPoolGraphs(mCollection);
        // The beach screen has three pictures; its decorations' pool two.
        mCollection.AddAtlas("p:atlas", {Resource::AtlasRectangle{0, 0, 1, 1, -16.0f, 16.0f, 16.0f, -16.0f},
                                         Resource::AtlasRectangle{0, 0, 1, 1, -16.0f, 16.0f, 16.0f, -16.0f},
                                         Resource::AtlasRectangle{0, 0, 1, 1, -16.0f, 16.0f, 16.0f, -16.0f}});
        mCollection.AddGraph("p:asset", "<Graph replication='0'><DisplayPlaneSequence id='asset{replication}' "
                                        "atlasResourceId='p:atlas' activeAndVisible='false'/></Graph>");
        const std::string backgrounds =
            "<Namespace id='bg_beach'><DisplayPlaneSequence id='screen' atlasResourceId='p:atlas'/>"
            "<Instance id='asset_container' graphResourceId='p:asset' replications='2'/></Namespace>"
            "<Namespace id='bg_zen'><DisplayPlane id='screen'/></Namespace>";
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/><Switch id='bg_switch'><Node/><Node/>"
                       "</Switch>" +
                       PlayPoolsXml(4, 3) + FramebufferXml(2, backgrounds) + "</View>");
        ASSERT_NE(mScene, nullptr);
        mHandler.SetGraphRoot(mScene);
        ASSERT_TRUE(Game()->Init(nullptr, nullptr));
        ASSERT_TRUE(mField.Init(mScene, ""));
        for (const char* name : {"bg_autumn", "bg_beach", "bg_ice", "bg_grass"})
            ASSERT_TRUE(mHandler.RegisterBackgroundPackage(&mLoader, String(name), String("_1280")));
        ASSERT_TRUE(mHandler.RegisterBackgroundPackage(&mLoader, String("bg_zen"), String()));
    }
    void TearDown() override { EXPECT_TRUE(mField.DeInit()); }

    // The zen level, a beach level with two courses, an ice level, one on an unknown background and
    // a beach level after it.
    void WriteLevels()
    {
        LevelFileWriter writer;
        writer.Level("1.09", 1);
        writer.Level("1.09", 0, 100.4f, -50.6f).Background("bg_beach");
        writer.Chunk("CORS", CoursePayload({{0, 1, 2}}, {0.0f}));
        writer.Chunk("CORS", CoursePayload({{0, 1, 2}}, {0.0f}));
        writer.Level().Background("bg_ice");
        writer.Level().Background("bg_moon");
        writer.Level().Background("bg_beach");
        const std::vector<UInt8> bytes = writer.GetBytes();
        mFolder.WriteFile("SkarvelLevels.vorn", std::string(bytes.begin(), bytes.end()));
        ASSERT_TRUE(mHandler.Init(&mFiles, Enums::FileCategory::RESOURCE));
    }

    FakePackage* Package(const char* name) { return mLoader.mPackages.at(name).get(); }
    GameState* Game() { return mContext.GetGameState(); }

    NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    AppContext mContext;
    Playfield mField;
    AnimalsProcessor mAnimals;
    CourseProcessor mCourses;
    PlayerProcessor mPlayer;
    ScoreProcessor mScore;
    LevelHandler mHandler;
    FakeLoader mLoader;
    TempFolder mFolder;
    Platform::FolderFileInterface mFiles;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(LevelHandlerTest, InitReadsTheLevelFileIntoTheSlotsAndGivesTheGameStateItsLevels)
{
    EXPECT_FALSE(mHandler.Init(nullptr, Enums::FileCategory::RESOURCE));

    // Without a file the two first slots stand: zen, and the first registered background.
    ASSERT_TRUE(mHandler.Init(&mFiles, Enums::FileCategory::PRIVATE));
    EXPECT_EQ(mHandler.GetFileCategory(), Enums::FileCategory::PRIVATE);
    ASSERT_EQ(mHandler.GetLevels().GetCount(), 2);
    EXPECT_EQ(mHandler.GetLevels()[0].mType, 1u);
    EXPECT_EQ(mHandler.GetLevels()[0].mAssetResourceId, String("bg_zen"));
    EXPECT_EQ(mHandler.GetLevels()[1].mAssetResourceId, String("bg_autumn"));

    WriteLevels();
    // The level on a background that was never registered could not load: it and the levels after
    // it are dropped.
    const Array<LevelData>& levels = mHandler.GetLevels();
    ASSERT_EQ(levels.GetCount(), 3);
    EXPECT_EQ(levels[0].mAssetResourceId, String("bg_zen"));
    EXPECT_EQ(levels[1].mAssetResourceId, String("bg_beach"));
    EXPECT_EQ(levels[1].mCourses.GetCount(), 2);
    EXPECT_EQ(Game()->GetLastLevel(), 2u);
}

// A first campaign level with no background at all leaves only the zen level to play; the two
// prepared slots stay.
TEST_F(LevelHandlerTest, AnUnplayableFirstLevelLeavesTheZenLevel)
{
    LevelFileWriter writer;
    writer.Level("1.09", 1);
    writer.Level();
    writer.Level().Background("bg_beach");
    const std::vector<UInt8> bytes = writer.GetBytes();
    mFolder.WriteFile("SkarvelLevels.vorn", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(mHandler.Init(&mFiles, Enums::FileCategory::RESOURCE));
    EXPECT_EQ(mHandler.GetLevels().GetCount(), 2);
    EXPECT_EQ(Game()->GetLastLevel(), 0u);
    EXPECT_TRUE(mHandler.LoadResource(0));
}

TEST_F(LevelHandlerTest, BackgroundIndices)
{
    const struct
    {
        const char* mId;
        SInt32 mIndex;
    } cases[] = {{"bg_autumn", 0}, {"bg_beach", 1}, {"bg_grass", 2}, {"bg_ice", 3},
                 {"bg_zen", 2},    {"", -1},        {"bg_Beach", -1}, {"bg_beach_1280", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(LevelHandler::GetBackgroundIndex(String(c.mId)), c.mIndex) << c.mId;

    // Packages are kept by base name; the zen background has no suffix.
    EXPECT_EQ(mHandler.GetBackgroundPackage(String("bg_beach")), Package("bg_beach_1280"));
    EXPECT_EQ(mHandler.GetBackgroundPackage(String("bg_zen")), Package("bg_zen"));
    EXPECT_EQ(mHandler.GetBackgroundPackage(String("bg_beach_1280")), nullptr);
    EXPECT_FALSE(mHandler.RegisterBackgroundPackage(&mLoader, String("bg_zen"), String()));
    EXPECT_EQ(mHandler.GetNumberOfBackgroundPackages(), 5u);
}

TEST_F(LevelHandlerTest, LoadResourceRefusesWithoutPreparingTheLevel)
{
    WriteLevels();
    mField.GetAnimalSelector()->Set(5, 7);
    EXPECT_FALSE(mHandler.LoadResource(3)); // the number of records
    mHandler.GetLevels()[2].mAssetResourceId = String("bg_moon");
    EXPECT_FALSE(mHandler.LoadResource(2)); // not registered
    BusyPackage busy;
    mHandler.SetCurrentPackage(&busy);
    EXPECT_FALSE(mHandler.LoadResource(1));
    EXPECT_EQ(mHandler.GetCurrentPackage(), &busy);
    EXPECT_EQ(busy.mUnloadRequests, 0u);
    EXPECT_EQ(mField.GetAnimalSelector()->Get(5), 7u);
    EXPECT_EQ(Package("bg_beach_1280")->mLoadRequests, 0u);
}

TEST_F(LevelHandlerTest, ALoadedPackageAppliesTheLevelAndTheWantedOneAppliesAtOnce)
{
    WriteLevels();
    LevelData& beach = mHandler.GetLevels()[1];
    beach.mLevelProps[3] = 90.0f;
    beach.mKindWeights[0] = 4;
    beach.mKindWeights[8] = 9;
    FakePackage* beachPackage = Package("bg_beach_1280");
    FakePackage* icePackage = Package("bg_ice_1280");

    ASSERT_TRUE(mHandler.LoadResource(1));
    EXPECT_EQ(mHandler.GetCurrentPackage(), beachPackage);
    EXPECT_EQ(beachPackage->mLoadRequests, 1u);
    EXPECT_EQ(mHandler.GetAppliedBackground(), -1);
    EXPECT_FALSE(mHandler.OnPackageLoaded(icePackage));
    EXPECT_FALSE(mHandler.OnPackageLoaded(nullptr));
    EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 0u);

    ASSERT_TRUE(mHandler.OnPackageLoaded(beachPackage));
    EXPECT_EQ(mHandler.GetAppliedBackground(), 1);
    EXPECT_EQ(Game()->GetFourthStarTime(), 90.0f);
    // The launcher lands on the pixel grid.
    EXPECT_EQ(Game()->GetPosition().x, 100.0f);
    EXPECT_EQ(Game()->GetPosition().y, -51.0f);
    EXPECT_EQ(mField.GetAnimalSelector()->Get(5), 4u);
    EXPECT_EQ(mField.GetAnimalSelector()->Get(13), 9u);
    EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 2u);

    // A restart: the same package applies again at once, on an emptied play field.
    ASSERT_TRUE(mHandler.LoadResource(1));
    EXPECT_EQ(beachPackage->mLoadRequests, 1u);
    EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 2u);

    // Another background unloads the one before.
    ASSERT_TRUE(mHandler.LoadResource(2));
    EXPECT_EQ(mHandler.GetUnloadingPackage(), beachPackage);
    EXPECT_EQ(beachPackage->mUnloadRequests, 1u);
    EXPECT_EQ(mHandler.GetCurrentPackage(), icePackage);
    EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 0u);
    EXPECT_TRUE(mHandler.OnPackageUnloaded(beachPackage));
    EXPECT_FALSE(mHandler.OnPackageUnloaded(beachPackage));
    EXPECT_EQ(mHandler.GetUnloadingPackage(), nullptr);
    ASSERT_TRUE(mHandler.OnPackageLoaded(icePackage));
    EXPECT_EQ(mHandler.GetAppliedBackground(), 3);

    EXPECT_EQ(Find<Graph::ISwitch>(mScene, "bg_switch")->GetIndex(), 0);

    // The unloaded background's nodes are let go.
    ASSERT_TRUE(mHandler.UnloadCurrentPackage());
    EXPECT_TRUE(mHandler.OnPackageUnloaded(icePackage));
    EXPECT_EQ(mField.GetAssetContainer()->GetBackgroundFrameCount(), 0u);
    EXPECT_FALSE(mHandler.UnloadCurrentPackage());
    EXPECT_EQ(mHandler.GetCurrentPackage(), nullptr);
}

TEST_F(LevelHandlerTest, TheZenLevelPlaysOnTheGrassIndex)
{
    WriteLevels();
    ASSERT_TRUE(mHandler.LoadResource(0));
    ASSERT_TRUE(mHandler.OnPackageLoaded(Package("bg_zen")));
    EXPECT_EQ(mHandler.GetAppliedBackground(), 2);
    // The zen form of the background: the switch's second child, no decorations.
    EXPECT_EQ(Find<Graph::ISwitch>(mScene, "bg_switch")->GetIndex(), 1);
    EXPECT_EQ(mField.GetAssetContainer()->GetCount(), 0u);
    EXPECT_FALSE(mHandler.ApplyLevel(4));
}

TEST_F(LevelHandlerTest, AFinishedLevelRecordsItsRunTime)
{
    WriteLevels();
    Game()->StartLevel(2);
    EXPECT_FALSE(mHandler.OnLevelFinished());
    EXPECT_TRUE(mHandler.GetLevels()[2].mPlayerStatistics.IsEmpty());
    Game()->GetRun().AddTime(42.5);
    EXPECT_TRUE(mHandler.OnLevelFinished());
    ASSERT_EQ(mHandler.GetLevels()[2].mPlayerStatistics.GetCount(), 1);
    EXPECT_EQ(mHandler.GetLevels()[2].mPlayerStatistics[0], 42.5f);
    Game()->SetLevel(9, false);
    Game()->GetRun().AddTime(1.0);
    EXPECT_FALSE(mHandler.OnLevelFinished());
}

// One chunk entry of each kind the level handler hands on, with bad values among them.
TEST_F(LevelHandlerTest, ALevelWithEveryKindOfEntryReachesEveryMember)
{
    auto asset = [](LevelPayload& p, UInt32 picture, Float x) {
        p.U32(picture).F32(x).F32(-20.0f).U32(7).F32(0.0f).F32(2.0f).F32(3.0f);
    };
    LevelPayload assets = LevelPayload().Text("bg_beach", 60).U32(1).U32(3);
    for (UInt32 i = 0; i < 3; ++i)
        asset(assets, i, 10.0f * Float(i));
    LevelPayload animals;
    for (UInt32 kind = 0; kind < 9; ++kind)
        animals.U32(kind + 1);
    animals.Zeros(11).U32(2).U32(UInt32(-1)).F32(250.0f).F32(350.0f).F32(30.0f).U32(1).U32(2);
    animals.F32(0.0f).Optional(true, LevelWord(2.0f)).Optional(true, 1).Optional(false, 0).Optional(false, 0);
    animals.F32(5.0f).Optional(true, LevelWord(1.0f)).Optional(false, 0).Optional(true, 1).Optional(true, 0);
    auto weather = [](LevelPayload& p, UInt32 kind, SInt32 value, UInt32 preset, UInt32 count, UInt32 intensity) {
        p.U32(kind).F32(0.0f).F32(20.0f).U32(UInt32(value)).U32(preset).U32(count).F32(40.0f).F32(60.0f).U32(intensity);
    };
    LevelPayload clouds = LevelPayload().U32(5);
    weather(clouds, 0, 2, 3, 4, 0);
    weather(clouds, 0, -1, 32, 4, 0);         // no such preset
    weather(clouds, 0, -1, 1, 0xFFFFFFFF, 0); // a count the pool cuts
    weather(clouds, 1, 3, 0, 0, 2);
    weather(clouds, 1, 3, 0, 0, 4); // no such intensity
    auto obstacle = [](LevelPayload& p, UInt32 kind, Float angle, Float speed) {
        p.F32(1.5f).U32(kind).F32(100.0f).F32(50.0f).F32(angle).F32(speed).U32(3);
    };
    LevelPayload obstacles = LevelPayload().U32(5);
    obstacle(obstacles, 1, Float(Math::Pi) / 2.0f, 40.0f);
    obstacle(obstacles, 3, 0.0f, 0.0f);
    obstacle(obstacles, 4, 0.0f, 0.0f);
    obstacle(obstacles, 7, 0.0f, 0.0f);
    obstacle(obstacles, 2, 0.0f, std::nanf(""));

    LevelFileWriter writer;
    writer.Level("1.09", 1);
    writer.Level("1.09", 0, 10.4f, 20.6f, 0.5f, 900.0f);
    writer.Chunk("LPRO", LevelPayload().F32(60.0f).F32(90.0f).F32(131.0f).F32(240.0f));
    writer.Chunk("ASET", assets);
    writer.Chunk("WEAP", LevelPayload().F32(6.0f).F32(30.0f).U32(2).U32(2).U32(1)
                             .U32(3).F32(-100.0f).F32(0.0f).U32(1).F32(100.0f).F32(0.0f)
                             .U32(0).F32(4.0f).F32(4.0f));
    writer.Chunk("CART", LevelPayload().F32(7.0f).U32(1).U32(2).F32(5.0f).F32(6.0f).F32(0.25f).F32(1.5f));
    writer.Chunk("ANIM", animals);
    writer.Chunk("CORS", CoursePayload({{5, 6, 7}}, {0.0f}));
    writer.Chunk("CORS", CoursePayload({{0, 6, 7}}, {0.0f}, 1));
    writer.Chunk("CLOD", clouds);
    writer.Chunk("OBST", obstacles);
    const std::vector<UInt8> bytes = writer.GetBytes();
    mFolder.WriteFile("SkarvelLevels.vorn", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(mHandler.Init(&mFiles, Enums::FileCategory::RESOURCE));
    Game()->SetViewFloats(1000.0f, 600.0f, 50.0f);
    Game()->StartLevel(1);

    ASSERT_TRUE(mHandler.LoadResource(1));
    ASSERT_TRUE(mHandler.OnPackageLoaded(Package("bg_beach_1280")));
    EXPECT_EQ(mHandler.GetAppliedBackground(), 1);
    EXPECT_EQ(Game()->GetFourthStarTime(), 240.0f);

    // Background: the campaign child, the level's picture, scaled beyond the view (no bar added
    // outside zen); two of the three decorations find an asset.
    EXPECT_EQ(Find<Graph::ISwitch>(mScene, "bg_switch")->GetIndex(), 0);
    const auto* screen = Find<Graph::DisplayPlaneSequence>(mScene, "framebuffer/bg_beach/screen");
    EXPECT_EQ(screen->GetIndex(), 1);
    EXPECT_FLOAT_EQ(screen->GetScaleFactorX(), 1005.0f);
    EXPECT_FLOAT_EQ(screen->GetScaleFactorY(), 603.0f);
    EXPECT_EQ(mField.GetAssetContainer()->GetNumUsed(), 2u);
    EXPECT_EQ(Find<Graph::DisplayPlaneSequence>(mScene, "framebuffer/bg_beach/asset1")->GetIndex(), 1);

    // Launcher on the pixel grid.
    EXPECT_EQ(Game()->GetPosition().x, 10.0f);
    EXPECT_EQ(Game()->GetPosition().y, 21.0f);
    EXPECT_EQ(mPlayer.GetLauncherPosition().x, 10.0f);
    EXPECT_EQ(mPlayer.GetLaunchSpeed(), 900.0f);

    // Weapons and carrots.
    WeaponContainer* weapons = mField.GetWeaponContainer();
    ASSERT_EQ(weapons->GetNumberOfWeaponPlaces(), 2u);
    EXPECT_EQ(weapons->GetWeaponPlace(1)->mPosition.x, 100.0f);
    ASSERT_EQ(weapons->GetNumberOfCarrotPlaces(), 1u);
    EXPECT_EQ(weapons->GetCarrotPlace(0)->mRotation, 0.25f);
    EXPECT_EQ(weapons->GetCarrotPlace(0)->mScale, 1.5f);
    ASSERT_EQ(weapons->GetNumberOfTimetableEntries(), 1u);
    EXPECT_EQ(weapons->GetTimetableEntry(0)->mPeriod, 4.0f);
    EXPECT_EQ(weapons->GetCycleCount(), 2u);

    // Animals: the weights to kinds 5 to 13, the fly-ins to the animals processor.
    EXPECT_EQ(mField.GetAnimalSelector()->Get(5), 1u);
    EXPECT_EQ(mField.GetAnimalSelector()->Get(13), 9u);
    EXPECT_EQ(mAnimals.GetNormalBudget(), 2);
    EXPECT_EQ(mAnimals.GetSpecialBudget(), -1);
    EXPECT_EQ(mAnimals.GetLowerSpeed(), 250.0f);
    EXPECT_EQ(mAnimals.GetUpperSpeed(), 350.0f);
    EXPECT_EQ(mAnimals.GetPeriod(), 30.0f);
    EXPECT_EQ(mAnimals.GetWrap(), 1);
    EXPECT_EQ(mAnimals.GetIntervalTrack().GetNumberOfKeys(), 2u);
    EXPECT_EQ(mAnimals.GetModeTrack().GetNumberOfKeys(), 1u);
    EXPECT_EQ(mAnimals.GetKindRuleTrack().GetNumberOfKeys(), 1u);
    EXPECT_EQ(mAnimals.GetCourseTrack().GetNumberOfKeys(), 1u);

    // Courses numbered from 1, in the background's colours.
    CourseHandler* courses = mField.GetCourseHandler();
    ASSERT_EQ(courses->GetCourseCount(), 2u);
    EXPECT_EQ(courses->GetCourse(0)->GetCourseKey(), 1u);
    EXPECT_EQ(courses->GetCourse(1)->GetCourseKey(), 2u);
    EXPECT_FALSE(courses->GetCourse(0)->IsRepeat());

    // Weather: one cloud entry and one snow layer take; the bad ones add nothing.
    EXPECT_EQ(mField.GetCloudsContainer()->GetNumberOfEmitters(), 2u);
    EXPECT_EQ(mField.GetCloudsContainer()->GetEmitter(0).mBurstLimit, 2u);
    // The huge count is cut to the pool, not scheduled in full.
    EXPECT_LT(mField.GetCloudsContainer()->GetNumberOfScheduled(), 100u);
    ASSERT_EQ(mField.GetSnowHandler()->GetNumberOfLayers(), 1u);
    EXPECT_EQ(mField.GetSnowHandler()->GetLayer(0)->mCycleLimit, 3);

    // Obstacles: a bee moving at its angle, two rocks, nothing for kind 7; a bee without a speed
    // is placed but does not move.
    GraphInstanceContainer<Obstacle>& bees = mField.GetObstacleContainer()->GetObstacles();
    ASSERT_EQ(bees.GetNumUsed(), 2u);
    EXPECT_EQ(bees.GetEntry(0)->GetType(), 1);
    EXPECT_NEAR(bees.GetEntry(0)->GetVelocity().x, 0.0f, 1e-4f);
    EXPECT_NEAR(bees.GetEntry(0)->GetVelocity().y, 40.0f, 1e-4f);
    EXPECT_EQ(mField.GetObstacleContainer()->GetRocks().GetNumUsed(), 2u);

    // Every pool steps with it for a while without a fault.
    Game()->SetPlayState(5);
    for (int i = 0; i < 120; ++i) {
        mField.GetCloudsContainer()->Step(1.0 / 60.0);
        mField.GetSnowHandler()->Step(1.0 / 60.0);
        mField.GetObstacleContainer()->Step(1.0 / 60.0);
        mField.GetWeaponContainer()->Step(1.0 / 60.0);
    }
}

} // namespace
} // namespace App
} // namespace Vorn
