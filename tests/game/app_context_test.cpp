#include "game/app_context.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "foundation/folder_file_interface.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "tests/support/fake_loader.h"
#include "resource/native_font.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/font_fixture.h"
#include "tests/support/popup_graph.h"
#include "tests/support/probe_node.h"
#include "tests/support/temp_folder.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

const char* const kPools[] = {"particle_container", "scoresfont_container", "onlinescoresfont_container"};

class AppContextTest : public Testing::ViewSceneFixture
{
protected:
    AppContextTest()
        : mClasses(mFactory, {{"Node", &Graph::Node::Create}}),
          mEngineState(mLogicFactory.CreateState(&mDevices, &mConfiguration, &mLoader, nullptr)),
          mState(mEngineState->GetState()),
          mFiles(String(mFolder.Get().c_str()))
    {
        mCollection.AddObject("p:font", &Resource::NativeFont::Create, Testing::MakeTestFontFile());
    }
    ~AppContextTest() override { mLogicFactory.DestroyState(mEngineState); }

    // The particle pool, the two row pools and the pop-up, but the one named missing.
    Bool MakeScene(const std::string& missing)
    {
        std::string body;
        for (const char* pool : kPools) {
            if (missing != pool)
                body += std::string("<Node id='") + pool + "'/>";
        }
        if (missing != "popup")
            body += Testing::PopupNamespace("p:font");
        if (Scene(body) == nullptr)
            return false;
        mEngineState->SetGraphRoot(mRoot.get());
        return true;
    }

    Testing::NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    Testing::FakeLogicDeviceHandler mDevices;
    Testing::FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    Logic::IState* mState;
    Testing::TempFolder mFolder;
    Platform::FolderFileInterface mFiles;
};

TEST_F(AppContextTest, InitStopsAtTheFirstStepThatFails)
{
    struct Case
    {
        const char* mMissing;
        Bool mResult;
    };
    // In the order Init binds them.
    const Case cases[] = {{"", true},
                          {"particle_container", false},
                          {"scoresfont_container", false},
                          {"onlinescoresfont_container", false},
                          {"popup", false}};
    for (const Case& c : cases) {
        ASSERT_TRUE(MakeScene(c.mMissing));
        AppContext context(&mLogicFactory, 1280.0f, 800.0f);
        mConfiguration.SetScreenClass(Enums::ScreenClass::SMALL);
        testing::internal::CaptureStderr();
        EXPECT_EQ(context.Init(mState, String("/")), c.mResult) << c.mMissing;
        const std::string log = testing::internal::GetCapturedStderr();
        if (c.mMissing[0] != '\0') {
            EXPECT_NE(log.find(std::string("/") + c.mMissing + "\""), std::string::npos) << log;
        }
        EXPECT_TRUE(context.GetGameState()->IsSmallScreen());
        // The steps after the failing one did not run: one missing node is all the log names.
        for (const char* pool : {"particle_container", "scoresfont_container", "onlinescoresfont_container", "popup"}) {
            if (std::string(pool) != c.mMissing) {
                EXPECT_EQ(log.find(std::string("/") + pool + "\""), std::string::npos) << log;
            }
        }
        testing::internal::CaptureStderr();
        context.DeInit();
        testing::internal::GetCapturedStderr();
        ASSERT_TRUE(DestroyScene());
    }
}

TEST_F(AppContextTest, DeInitRunsEveryStepAndFailsOnAFailedSave)
{
    ASSERT_TRUE(MakeScene(""));
    AppContext context(&mLogicFactory, 1280.0f, 800.0f);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(context.Init(mState, String("/")));
    testing::internal::GetCapturedStderr();
    // No file interface yet: the save fails, the rest still runs.
    EXPECT_FALSE(context.DeInit());
    EXPECT_TRUE(context.GetSoundContainer()->DeInit());

    context.GetGameState()->SetLevelCount(&mFiles, 3);
    EXPECT_TRUE(context.DeInit());
    EXPECT_TRUE(std::ifstream(mFolder.Get(GameState::PlayerDataFileName)).good());
}

} // namespace
} // namespace App
} // namespace Vorn
