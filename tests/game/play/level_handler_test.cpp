#include "game/play/level_handler.h"

#include <gtest/gtest.h>

#include "foundation/folder_file_interface.h"
#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/play_field.h"
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
          mHandler(&mField, nullptr, nullptr, nullptr, nullptr),
          mFiles(String(mFolder.Get().c_str()))
    {
    }

    void SetUp() override
    {
        AddPoolGraphs(mCollection);
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>" + PlayPoolsXml(4, 3) + FramebufferXml(2) + "</View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(Game()->Init(nullptr, nullptr));
        ASSERT_TRUE(mField.Init(mScene, ""));
        for (const char* name : {"bg_autumn", "bg_beach", "bg_ice", "bg_grass"})
            ASSERT_TRUE(mHandler.RegisterBackgroundPackage(&mLoader, String(name), String("_1280")));
        ASSERT_TRUE(mHandler.RegisterBackgroundPackage(&mLoader, String("bg_zen"), String()));
    }
    void TearDown() override { EXPECT_TRUE(mField.DeInit()); }

    // The zen level, a beach level with two courses, an ice level and one on an unknown background.
    void WriteLevels()
    {
        LevelFileWriter writer;
        writer.Level("1.09", 1);
        writer.Level("1.09", 0, 100.4f, -50.6f).Background("bg_beach");
        writer.Chunk("CORS", CoursePayload({{0, 1, 2}}, {0.0f}));
        writer.Chunk("CORS", CoursePayload({{0, 1, 2}}, {0.0f}));
        writer.Level().Background("bg_ice");
        writer.Level().Background("bg_moon");
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
    const Array<LevelData>& levels = mHandler.GetLevels();
    ASSERT_EQ(levels.GetCount(), 4);
    EXPECT_EQ(levels[0].mAssetResourceId, String("bg_zen"));
    EXPECT_EQ(levels[1].mAssetResourceId, String("bg_beach"));
    EXPECT_EQ(levels[1].mCourses.GetCount(), 2);
    EXPECT_EQ(Game()->GetLastLevel(), 3u);
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
    EXPECT_FALSE(mHandler.LoadResource(4)); // the number of records
    EXPECT_FALSE(mHandler.LoadResource(3)); // "bg_moon" is not registered
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

    ASSERT_TRUE(mHandler.UnloadCurrentPackage());
    EXPECT_FALSE(mHandler.UnloadCurrentPackage());
    EXPECT_EQ(mHandler.GetCurrentPackage(), nullptr);
}

TEST_F(LevelHandlerTest, TheZenLevelPlaysOnTheGrassIndex)
{
    WriteLevels();
    ASSERT_TRUE(mHandler.LoadResource(0));
    ASSERT_TRUE(mHandler.OnPackageLoaded(Package("bg_zen")));
    EXPECT_EQ(mHandler.GetAppliedBackground(), 2);
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

} // namespace
} // namespace App
} // namespace Vorn
