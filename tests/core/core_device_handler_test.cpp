#include "core/core_device_handler.h"

#include <gtest/gtest.h>

#include "core/configuration.h"
#include "input/device_handler.h"
#include "output/device_handler.h"
#include "tests/support/fake_audio_interface.h"
#include "tests/support/fake_display_interface.h"
#include "tests/support/fake_output_device_handler.h"

namespace Vorn {
namespace {

TEST(DeviceHandlerTest, MakesBothSidesAndForwardsToThem)
{
    Core::Configuration configuration;
    Core::DeviceHandler handler;
    EXPECT_EQ(handler.GetInputDeviceHandler(), nullptr);
    // Without a device handler side everything answers empty.
    EXPECT_EQ(handler.CreateMouseDevice(), nullptr);
    EXPECT_FALSE(handler.AddControlC(nullptr));
    EXPECT_EQ(handler.GetNumberOfControls(), 0u);

    EXPECT_FALSE(handler.Init(nullptr));
    ASSERT_TRUE(handler.Init(&configuration));
    Input::IDeviceHandler* input = handler.GetInputDeviceHandler();
    Output::IDeviceHandler* output = handler.GetOutputDeviceHandler();
    ASSERT_NE(input, nullptr);
    ASSERT_NE(output, nullptr);
    EXPECT_NE(handler.GetInputTouchableHandler(), nullptr);

    // Each input kind's create and destroy reach the input device handler.
    IMouse* mouse = handler.CreateMouseDevice();
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(input->GetMouse(mouse), input->GetMouseDevice(0));
    ITouchScreen* touch = handler.CreateTouchScreenDevice();
    EXPECT_EQ(input->GetNumberOfTouchScreenDevices(), 1u);
    EXPECT_TRUE(handler.DestroyTouchScreenDevice(touch));
    EXPECT_EQ(input->GetNumberOfTouchScreenDevices(), 0u);
    EXPECT_TRUE(handler.DestroyMouseDevice(mouse));
    EXPECT_FALSE(handler.DestroyMouseDevice(mouse));

    // Controls go to their kind's list of the output device handler.
    Testing::FakeScreenshotControl screenshot;
    Testing::FakeConfigurationControl configurationControl;
    Testing::FakeControl controlA;
    EXPECT_TRUE(handler.AddScreenshotControl(&screenshot));
    EXPECT_TRUE(handler.AddConfigurationControl(&configurationControl));
    EXPECT_TRUE(handler.AddControlA(&controlA));
    EXPECT_EQ(output->GetScreenshotControl(0), &screenshot);
    EXPECT_EQ(output->GetConfigurationControl(0), &configurationControl);
    EXPECT_EQ(output->GetControlA(0), &controlA);
    EXPECT_EQ(output->GetControlB(0), nullptr);
    EXPECT_TRUE(handler.RemoveScreenshotControl(&screenshot));
    EXPECT_FALSE(handler.RemoveScreenshotControl(&screenshot));
    EXPECT_TRUE(output->AddControl(7, &controlA));
    EXPECT_EQ(handler.GetNumberOfControls(), 1u);
    EXPECT_EQ(handler.GetControl(0), &controlA);
    EXPECT_EQ(handler.GetControl(1), nullptr);

    Testing::FakeDisplayInterface display;
    Testing::FakeAudioInterface audio;
    EXPECT_TRUE(handler.SetDisplayInterface(&display));
    EXPECT_TRUE(handler.SetAudioInterface(&audio));
    EXPECT_EQ(handler.GetDisplayInterface(), &display);
    EXPECT_EQ(handler.GetAudioInterface(), &audio);

    EXPECT_TRUE(handler.DeInit());
    EXPECT_EQ(handler.GetInputDeviceHandler(), nullptr);
    EXPECT_EQ(handler.GetOutputDeviceHandler(), nullptr);
    EXPECT_TRUE(handler.DeInit());
}

} // namespace
} // namespace Vorn
