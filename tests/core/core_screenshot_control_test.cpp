#include "core/core_screenshot_control.h"

#include <gtest/gtest.h>

#include "core/configuration.h"
#include "resource/factory.h"
#include "resource/image.h"
#include "tests/support/fake_display_renderer.h"

namespace Vorn {
namespace {

class ScreenshotControlTest : public ::testing::Test
{
protected:
    ScreenshotControlTest() : mFactory(&mConfiguration, nullptr), mControl(&mFactory, &mConfiguration, &mRenderer)
    {
        mConfiguration.SetDisplaySurfaceSize(64, 32);
        mRenderer.mAcceptScreenshots = true;
    }

    Core::Configuration mConfiguration;
    Resource::Factory mFactory;
    Testing::FakeDisplayRenderer mRenderer;
    Core::ScreenshotControl mControl;
};

TEST_F(ScreenshotControlTest, TakesTheFrameAtTheNextProcess)
{
    EXPECT_TRUE(mControl.RequestScreenshot());
    EXPECT_TRUE(mControl.IsBusy());
    EXPECT_FALSE(mControl.RequestScreenshot());
    EXPECT_FALSE(mControl.RequestRelease());
    EXPECT_EQ(mControl.GetImage(), nullptr);
    EXPECT_EQ(mRenderer.mScreenshots, 0u);

    mControl.Process();
    EXPECT_FALSE(mControl.IsBusy());
    EXPECT_TRUE(mControl.IsReady());
    EXPECT_EQ(mRenderer.mScreenshots, 1u);
    Resource::IImage* image = mControl.GetImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 64u);
    EXPECT_EQ(image->GetHeight(), 32u);

    // Same size: the image is reused.
    EXPECT_TRUE(mControl.RequestScreenshot());
    mControl.Process();
    EXPECT_EQ(mControl.GetImage(), image);

    EXPECT_TRUE(mControl.RequestRelease());
    EXPECT_EQ(mControl.GetImage(), nullptr);
    mControl.Process();
    EXPECT_FALSE(mControl.IsReady());
    EXPECT_EQ(mControl.GetImage(), nullptr);
}

TEST_F(ScreenshotControlTest, LandscapeSwapsTheSizeAndANewSizeReplacesTheImage)
{
    mConfiguration.SetDeviceOrientation(Enums::ScreenOrientation::LANDSCAPE_1);
    ASSERT_EQ(mConfiguration.GetScreenOrientation(), Enums::ScreenOrientation::LANDSCAPE_1);
    EXPECT_TRUE(mControl.RequestScreenshot());
    mControl.Process();
    ASSERT_NE(mControl.GetImage(), nullptr);
    EXPECT_EQ(mControl.GetImage()->GetWidth(), 32u);
    EXPECT_EQ(mControl.GetImage()->GetHeight(), 64u);
    EXPECT_EQ(mRenderer.mScreenshotOrientation, Enums::OrientationFlags::ROTATE_CW);

    mConfiguration.SetDisplaySurfaceSize(16, 16);
    EXPECT_TRUE(mControl.RequestScreenshot());
    mControl.Process();
    ASSERT_NE(mControl.GetImage(), nullptr);
    EXPECT_EQ(mControl.GetImage()->GetWidth(), 16u);
}

TEST_F(ScreenshotControlTest, RefusedPictureEndsNotReady)
{
    mRenderer.mAcceptScreenshots = false;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(mControl.RequestScreenshot());
    mControl.Process();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Core::Engine::CreateScreenshot(): Failed to take screenshot"),
              std::string::npos);
    EXPECT_FALSE(mControl.IsBusy());
    EXPECT_FALSE(mControl.IsReady());
    EXPECT_EQ(mControl.GetImage(), nullptr);
}

} // namespace
} // namespace Vorn
