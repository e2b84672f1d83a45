#include "platform/win32/platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/device_handler.h"
#include "display/dx9/dx9_renderer.h"
#include "display/factory.h"
#include "foundation/configuration.h"
#include "output/device_handler.h"
#include "tests/support/fake_app.h"
#include "tests/support/fake_engine_factory.h"

namespace Vorn {
namespace {

using Calls = std::vector<std::string>;

TEST(PlatformTest, InitRegistersEachServiceOnceAndDeInitTakesThemBack)
{
    auto record = std::make_shared<Testing::FakeEngineFactory::Record>();
    Win32::Platform platform(
        [](IConfiguration* configuration) -> IApp* {
            configuration->SetDisplaySurfaceSize(640, 400);
            configuration->SetAspectRatio(1.6f);
            return new Testing::FakeApp();
        },
        [record]() -> Factory* { return new Testing::FakeEngineFactory(record); });
    ASSERT_TRUE(platform.Init());

    IDeviceHandler* handler = platform.GetEngineFactory()->GetDeviceHandler();
    Output::IDeviceHandler* output = handler->GetOutputDeviceHandler();
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->GetConfigurationControl(0), platform.GetConfigurationControl());
    EXPECT_EQ(output->GetConfigurationControl(1), nullptr);
    EXPECT_NE(output->GetSystemDialogControl(0), nullptr);
    EXPECT_NE(output->GetWebControl(0), nullptr);
    auto* fonts = static_cast<Win32::SystemFontControl*>(output->GetSystemFontControl(0));
    ASSERT_NE(fonts, nullptr);
    ASSERT_EQ(fonts->GetNumberOfFonts(), 2u);
    EXPECT_EQ(std::string(fonts->GetFontName(0).GetText()), "Helvetica");
    EXPECT_EQ(std::string(fonts->GetFontName(1).GetText()), "HelveticaBold");
    EXPECT_EQ(handler->GetDisplayInterface(), platform.GetDisplayInterface());
    EXPECT_NE(handler->GetFileInterface(), nullptr);
    EXPECT_NE(platform.GetKeyboardDevice(), nullptr);
    EXPECT_NE(platform.GetRawKeyboardDevice(), nullptr);
    EXPECT_NE(platform.GetMouseDevice(), nullptr);
    EXPECT_NE(platform.GetRawMouseDevice(), nullptr);
    // The facts first, then the game's settings, then the size fitted to the monitor.
    IConfiguration* configuration = platform.GetConfiguration();
    EXPECT_EQ(configuration->GetDeviceId().GetLength(), 32);
    EXPECT_EQ(configuration->GetDisplaySurfaceWidth(), 640u);
    EXPECT_EQ(configuration->GetDisplaySurfaceHeight(), 400u);
    // The engine is initialised with the Direct3D 9 renderer known to its display factory.
    EXPECT_EQ(record->mEngine->mConfiguration, configuration);
    EXPECT_EQ(record->mEngine->mDeviceHandler, handler);
    EXPECT_FALSE(Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, Display::Dx9::Renderer::Create));

    EXPECT_TRUE(platform.DeInit());
    EXPECT_EQ(record->mCalls, (Calls{"Init", "DeInit"}));
    EXPECT_EQ(platform.GetConfiguration(), nullptr);
    EXPECT_EQ(platform.GetDisplayInterface(), nullptr);
    EXPECT_EQ(platform.GetKeyboardDevice(), nullptr);
    EXPECT_EQ(platform.GetEngineFactory()->GetDeviceHandler(), nullptr);
    EXPECT_TRUE(Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, Display::Dx9::Renderer::Create));
    EXPECT_TRUE(Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9));
}

} // namespace
} // namespace Vorn
