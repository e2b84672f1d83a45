#include "platform/win32/configuration_control.h"

#include <gtest/gtest.h>

#include "core/configuration.h"

namespace Vorn {
namespace {

class ConfigurationControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mConfiguration.SetFullScreen(false);
        mConfiguration.SetCurrentStamp(1);
        ASSERT_TRUE(mControl.Init(&mConfiguration));
    }

    // The engine's next frame: changes become visible, the control hears of them since the stamp.
    void NextFrame()
    {
        const UInt32 stamp = mConfiguration.GetCurrentStamp();
        mConfiguration.SetCurrentStamp(stamp + 1);
        mControl.ConfigChanged(&mConfiguration, stamp);
    }

    Core::Configuration mConfiguration;
    Win32::ConfigurationControl mControl;
};

TEST_F(ConfigurationControlTest, AltEnterTravelsThroughTheConfigurationBackToTheWindow)
{
    EXPECT_FALSE(mControl.GetFullScreen());
    mControl.SetFullScreenRequested(true);
    mControl.Process();
    EXPECT_TRUE(mConfiguration.GetFullScreen());
    EXPECT_FALSE(mControl.HasFullScreenChanged());

    NextFrame();
    EXPECT_TRUE(mControl.HasFullScreenChanged());
    EXPECT_TRUE(mControl.GetFullScreen());
    NextFrame();
    EXPECT_FALSE(mControl.HasFullScreenChanged());
}

TEST_F(ConfigurationControlTest, TwoRequestsInOneFrameChangeNothing)
{
    mControl.SetFullScreenRequested(!mControl.GetFullScreenRequested());
    mControl.SetFullScreenRequested(!mControl.GetFullScreenRequested());
    mControl.Process();
    NextFrame();
    EXPECT_FALSE(mConfiguration.GetFullScreen());
    EXPECT_FALSE(mControl.HasFullScreenChanged());
}

TEST_F(ConfigurationControlTest, GameChangesRaiseTheirFlagsAndQuitStaysSet)
{
    mConfiguration.SetCursorHidden(true);
    mConfiguration.SetExclusiveMouse(true);
    mConfiguration.SetFullScreen(true);
    NextFrame();
    EXPECT_TRUE(mControl.HasCursorChanged());
    EXPECT_TRUE(mControl.IsCursorHidden());
    EXPECT_TRUE(mControl.HasMouseModeChanged());
    EXPECT_TRUE(mControl.IsMouseExclusive());
    EXPECT_TRUE(mControl.HasFullScreenChanged());
    EXPECT_TRUE(mControl.GetFullScreenRequested());

    EXPECT_FALSE(mControl.IsQuitRequested());
    mControl.Quit();
    NextFrame();
    EXPECT_TRUE(mControl.IsQuitRequested());
}

} // namespace
} // namespace Vorn
