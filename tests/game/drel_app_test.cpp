#include "game/drel_app.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/configuration.h"
#include "game/drel_logic.h"
#include "logic/factory.h"
#include "tests/support/fake_loader.h"

namespace Vorn {
namespace App {
namespace {

// Remembers the packages in the order they were made, with their modes.
class RecordingLoader : public Testing::FakeLoader
{
public:
    IPackage* CreatePackage(const String& name, SInt32 loadMode, Logic::IProcessor* processor) override
    {
        mOrder.push_back({name.GetText(), loadMode});
        return Testing::FakeLoader::CreatePackage(name, loadMode, processor);
    }
    std::vector<std::pair<std::string, SInt32>> mOrder;
};

TEST(DrelAppTest, ComputersGetTheWindowSettingsAndOthersOnlyTheNames)
{
    Core::Configuration computer;
    computer.SetDeviceClass(Enums::DeviceClass::COMPUTER_LAPTOP);
    computer.SetDisplaySurfaceSize(1920, 1080);
    IApp* app = CreateApp(&computer);
    ASSERT_NE(app, nullptr);
    EXPECT_STREQ(computer.GetApplicationName().GetText(), "Plovendra");
    EXPECT_STREQ(computer.GetDisplayName().GetText(), "Plovendra");
    EXPECT_EQ(computer.GetDeactivatedRunState(), Enums::AppRunState::PAUSED);
    EXPECT_TRUE(computer.GetFixedAspectRatio());
    EXPECT_EQ(computer.GetDisplaySurfaceWidth(), 1280u);
    EXPECT_EQ(computer.GetDisplaySurfaceHeight(), 800u);
    EXPECT_TRUE(computer.GetFullScreen());
    DestroyApp(app);

    Core::Configuration handheld;
    handheld.SetDeviceClass(Enums::DeviceClass::HANDHELD_TABLET);
    handheld.SetDisplaySurfaceSize(1024, 768);
    handheld.SetFullScreen(false);
    app = CreateApp(&handheld);
    EXPECT_STREQ(handheld.GetApplicationName().GetText(), "Plovendra");
    EXPECT_EQ(handheld.GetDisplaySurfaceWidth(), 1024u);
    EXPECT_FALSE(handheld.GetFullScreen());
    EXPECT_FALSE(handheld.GetFixedAspectRatio());
    DestroyApp(app);
    DestroyApp(nullptr);
}

struct DisplayClassCase
{
    Enums::DeviceClass mDeviceClass;
    Enums::OperatingSystem mSystem;
    Float mLong;
    Float mShort;
    SInt32 mHint;
    const char* mPrimary;
    const char* mSecondary;
};

TEST(DrelAppTest, DisplayClassFollowsTheDisplaySidesTheDeviceAndTheHint)
{
    const DisplayClassCase cases[] = {
        {Enums::DeviceClass::COMPUTER_DESKTOP, Enums::OperatingSystem::DEFAULT, 1920, 1080, 1, "1280", "1280"},
        {Enums::DeviceClass::COMPUTER_DESKTOP, Enums::OperatingSystem::DEFAULT, 800, 600, 1, "1280", "1280"},
        {Enums::DeviceClass::HANDHELD_TABLET, Enums::OperatingSystem::DEFAULT, 1024, 768, 1, "1024", "1024"},
        {Enums::DeviceClass::HANDHELD_TABLET, Enums::OperatingSystem::DEFAULT, 960, 640, 1, "1024", "1024"},
        {Enums::DeviceClass::HANDHELD_TABLET, Enums::OperatingSystem::DEFAULT, 960, 540, 1, "800", "800"},
        {Enums::DeviceClass::HANDHELD_SMARTPHONE, Enums::OperatingSystem::DEFAULT, 480, 320, 1, "512", "512"},
        {Enums::DeviceClass::HANDHELD_SMARTPHONE, Enums::OperatingSystem::DEFAULT, 480, 320, 2, "1024", "512"},
        // IOS skips the first rule.
        {Enums::DeviceClass::HANDHELD_TABLET, Enums::OperatingSystem::IOS, 2048, 1536, 1, "1024", "1024"},
        {Enums::DeviceClass::HANDHELD_TABLET, Enums::OperatingSystem::DEFAULT, 1280, 720, 1, "1280", "1280"},
    };
    for (const DisplayClassCase& c : cases) {
        Core::Configuration configuration;
        configuration.SetDeviceClass(c.mDeviceClass);
        configuration.SetOperatingSystem(c.mSystem);
        configuration.SetIntegerH(c.mHint);
        String primary;
        String secondary;
        DrelApp::ChooseDisplayClasses(&configuration, c.mLong, c.mShort, primary, secondary);
        EXPECT_STREQ(primary.GetText(), c.mPrimary) << c.mLong << " x " << c.mShort;
        EXPECT_STREQ(secondary.GetText(), c.mSecondary) << c.mLong << " x " << c.mShort;
    }
}

TEST(DrelAppTest, InitAppRegistersTheSixteenPackagesInOrderAndDeInitAppDropsTheLogic)
{
    Core::Configuration configuration;
    configuration.SetDeviceClass(Enums::DeviceClass::COMPUTER_DESKTOP);
    std::unique_ptr<IApp> app(CreateApp(&configuration));
    // A portrait display is classed like its landscape twin.
    configuration.SetDisplaySurfaceSize(800, 1280);
    Logic::Factory factory;
    RecordingLoader loader;
    ASSERT_TRUE(app->InitApp(&factory, &loader));
    const std::vector<std::pair<std::string, SInt32>> expected = {
        {"loader_korvane.vornres", ILoader::kLoadAtStartup},
        {"menu_1280", ILoader::kLoadOnRequest},
        {"menu_common", ILoader::kLoadOnRequest},
        {"end_1280", ILoader::kLoadOnRequest},
        {"end_common", ILoader::kLoadOnRequest},
        {"game_1280", ILoader::kLoadOnRequest},
        {"game_common", ILoader::kLoadOnRequest},
        {"bg_autumn_1280", ILoader::kLoadOnRequest},
        {"bg_beach_1280", ILoader::kLoadOnRequest},
        {"bg_ice_1280", ILoader::kLoadOnRequest},
        {"bg_grass_1280", ILoader::kLoadOnRequest},
        {"bg_zen", ILoader::kLoadOnRequest},
        {"texts", ILoader::kLoadInBackground},
        {"app_1280", ILoader::kLoadInBackground},
        {"app_common", ILoader::kLoadInBackground},
        {"main", ILoader::kLoadInBackground},
    };
    EXPECT_EQ(loader.mOrder, expected);

    DrelApp* drel = static_cast<DrelApp*>(app.get());
    ASSERT_NE(drel->GetLogic(), nullptr);
    EXPECT_EQ(drel->GetLongSide(), 1280.0f);
    EXPECT_EQ(drel->GetShortSide(), 800.0f);
    EXPECT_EQ(loader.GetPackage(String("main"))->GetProcessor(), drel->GetLogic()->GetProcessor());
    EXPECT_EQ(loader.GetPackage(String("loader_korvane.vornres"))->GetProcessor(),
              drel->GetLogic()->GetStageLoader()->GetStartupLogic()->GetProcessor());
    EXPECT_EQ(drel->GetLogic()->GetStageLoader()->GetLoaderPackage(),
              loader.GetPackage(String("loader_korvane.vornres")));
    EXPECT_EQ(drel->GetLogic()->GetStageGame()->GetLevelHandler()->GetBackgroundPackage(String("bg_ice")),
              loader.GetPackage(String("bg_ice_1280")));
    EXPECT_EQ(drel->GetLogic()->GetGroup(0)->GetPackage(2), nullptr);

    app->DeInitApp(&factory, &loader);
    EXPECT_EQ(drel->GetLogic(), nullptr);
    app->DeInitApp(&factory, &loader);
}

} // namespace
} // namespace App
} // namespace Vorn
