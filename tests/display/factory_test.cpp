#include "display/factory.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_configuration.h"
#include "tests/support/fake_display_interface.h"
#include "tests/support/fake_display_renderer.h"

namespace Vorn {
namespace {

using Testing::FakeConfiguration;
using Testing::FakeDisplayInterface;
using Testing::FakeDisplayRenderer;

IDisplayInterface* gLastInterface = nullptr;
IConfiguration* gLastConfiguration = nullptr;

Display::IRenderer* MakeFake(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    gLastConfiguration = configuration;
    gLastInterface = displayInterface;
    return new FakeDisplayRenderer();
}

class DisplayFactoryTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9);
        Display::Factory::UnregisterRenderer(Enums::VideoApi::GLES20);
    }

    // The renderer the factory makes for api and the log it wrote.
    Display::IRenderer* Create(Enums::VideoApi api, std::string& log)
    {
        mConfiguration.SetVideoApi(api);
        ::testing::internal::CaptureStderr();
        Display::IRenderer* renderer = mFactory.CreateRenderer(&mConfiguration, &mInterface);
        log = ::testing::internal::GetCapturedStderr();
        return renderer;
    }

    FakeConfiguration mConfiguration;
    FakeDisplayInterface mInterface;
    Display::Factory mFactory;
};

TEST_F(DisplayFactoryTest, UnsupportedInterfacesGiveNoRendererWithTheirLine)
{
    const struct
    {
        Enums::VideoApi api;
        const char* log;
    } cases[] = {
        {Enums::VideoApi::DEFAULT, ""},
        {Enums::VideoApi(9), ""},
        {Enums::VideoApi::GLES11, "Display::Factory::CreateGlEs11Renderer(): Not supported on this platform.\n"},
        {Enums::VideoApi::GLES20, "Display::Factory::CreateGlEs20Renderer(): Not supported on this platform.\n"},
        {Enums::VideoApi::DX11, "Display::Factory::CreateDx11Renderer(): Not supported on this platform.\n"},
        // Without a registered maker the Direct3D 9 renderer is unsupported as well.
        {Enums::VideoApi::DX9, "Display::Factory::CreateDx9Renderer(): Not supported on this platform.\n"},
    };
    for (const auto& c : cases) {
        std::string log;
        EXPECT_EQ(Create(c.api, log), nullptr) << Enums::Value(c.api);
        EXPECT_EQ(log, c.log) << Enums::Value(c.api);
    }
}

TEST_F(DisplayFactoryTest, RegisteredMakerBuildsTheRendererWithConfigurationAndInterface)
{
    ASSERT_TRUE(Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, MakeFake));
    std::string log;
    Display::IRenderer* renderer = Create(Enums::VideoApi::DX9, log);
    ASSERT_NE(renderer, nullptr);
    EXPECT_EQ(log, "");
    EXPECT_EQ(gLastConfiguration, &mConfiguration);
    EXPECT_EQ(gLastInterface, &mInterface);
    EXPECT_NE(dynamic_cast<FakeDisplayRenderer*>(renderer), nullptr);

    mFactory.DestroyRenderer(renderer);
    EXPECT_EQ(renderer, nullptr);
    mFactory.DestroyRenderer(renderer);
    EXPECT_EQ(renderer, nullptr);
}

TEST_F(DisplayFactoryTest, RegistrationIsOncePerInterface)
{
    EXPECT_FALSE(Display::Factory::RegisterRenderer(Enums::VideoApi::DEFAULT, MakeFake));
    EXPECT_FALSE(Display::Factory::RegisterRenderer(Enums::VideoApi(5), MakeFake));
    EXPECT_FALSE(Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, nullptr));
    EXPECT_FALSE(Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9));

    EXPECT_TRUE(Display::Factory::RegisterRenderer(Enums::VideoApi::GLES20, MakeFake));
    EXPECT_FALSE(Display::Factory::RegisterRenderer(Enums::VideoApi::GLES20, MakeFake));
    std::string log;
    Display::IRenderer* renderer = Create(Enums::VideoApi::GLES20, log);
    EXPECT_NE(renderer, nullptr);
    mFactory.DestroyRenderer(renderer);

    EXPECT_TRUE(Display::Factory::UnregisterRenderer(Enums::VideoApi::GLES20));
    EXPECT_EQ(Create(Enums::VideoApi::GLES20, log), nullptr);
    EXPECT_TRUE(Display::Factory::RegisterRenderer(Enums::VideoApi::GLES20, MakeFake));
}

TEST_F(DisplayFactoryTest, NoConfigurationGivesNoRenderer)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(mFactory.CreateRenderer(nullptr, &mInterface), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Display::Factory::CreateRenderer(): No configuration\n");
}

} // namespace
} // namespace Vorn
