#include "logic/logic_device_handler.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/fake_input_device_handler.h"
#include "tests/support/fake_output_device_handler.h"

namespace Vorn {
namespace {

class TestAccelerometer : public Input::IAccelerometerDevice
{
public:
    void SetValues(Float, Float, Float) override {}
    Float GetX() const override { return 1.0f; }
    Float GetY() const override { return 2.0f; }
    Float GetZ() const override { return 3.0f; }
};

class TestMouse : public Input::IMouseDevice, public Input::IMouseButtons
{
public:
    void SetPointer(UInt32, UInt32, Float, Float) override {}
    Bool HasMoved() const override { return true; }
    Float GetPositionX() const override { return 0.5f; }
    Float GetPositionY() const override { return -0.25f; }
    Bool IsInsideX() const override { return true; }
    Bool IsInsideY() const override { return mInsideY; }
    UInt32 GetNumberOfButtons() const override { return 5; }
    Bool IsButtonHeld(UInt32 index) const override { return index == 1; }
    Bool WasButtonPressed(UInt32 index) const override { return index == 0; }
    Bool WasButtonReleased(UInt32) const override { return false; }
    Bool mInsideY = false;
};

class TestTouchScreen : public Input::ITouchScreenDevice
{
public:
    void SetTouch(UInt32, Float, Float) override {}
    Bool IsHeld() const override { return true; }
    Bool WasCancelled() const override { return false; }
    Bool WasPressed() const override { return true; }
    Bool WasReleased() const override { return false; }
    Bool HasMoved() const override { return false; }
    Float GetPositionX() const override { return -1.0f; }
    Float GetPositionY() const override { return 1.0f; }
};

// The input fake with a first accelerometer, a first mouse and one touch screen.
class InputWithDevices : public Testing::FakeInputDeviceHandler
{
public:
    Input::IAccelerometerDevice* GetAccelerometerDevice(UInt32 index) override
    {
        return index == 0 ? &mAccelerometer : nullptr;
    }
    Input::IMouseDevice* GetMouseDevice(UInt32 index) override { return index == 0 ? &mMouse : nullptr; }
    UInt32 GetNumberOfTouchScreenDevices() const override { return 1; }
    Input::ITouchScreenDevice* GetTouchScreenDevice(UInt32 index) override
    {
        return index == 0 ? &mTouchScreen : nullptr;
    }

    TestAccelerometer mAccelerometer;
    TestMouse mMouse;
    TestTouchScreen mTouchScreen;
};

class AcceptingScreenshotControl : public Testing::FakeScreenshotControl
{
public:
    Bool RequestScreenshot() override { return true; }
    Bool IsReady() const override { return true; }
};

TEST(LogicDeviceHandlerTest, MissingDevicesAnswerFalseAndLeaveOutArgumentsAlone)
{
    Testing::FakeInputDeviceHandler input;
    Testing::FakeOutputDeviceHandler output;
    Logic::DeviceHandler handler;
    ASSERT_TRUE(handler.SetHandlers(&input, &output));

    const std::vector<std::function<Bool()>> availability = {
        [&] { return handler.IsAccelerometerAvailable(); }, [&] { return handler.IsGyroscopeAvailable(); },
        [&] { return handler.IsKeyboardAvailable(); },      [&] { return handler.IsMotionAvailable(); },
        [&] { return handler.IsMouseAvailable(); },         [&] { return handler.IsOrientationAvailable(); },
        [&] { return handler.IsRawButtonAvailable(); },     [&] { return handler.IsRawKeyboardAvailable(); },
        [&] { return handler.IsRawMouseAvailable(); },      [&] { return handler.IsControlCAvailable(); },
        [&] { return handler.IsControlDAvailable(); },      [&] { return handler.IsControlAAvailable(); },
        [&] { return handler.IsSystemDialogAvailable(); },  [&] { return handler.IsWebControlAvailable(); },
        [&] { return handler.IsScreenshotControlAvailable(); }, [&] { return handler.IsScoreServiceAvailable(); },
    };
    for (size_t i = 0; i < availability.size(); ++i)
        EXPECT_FALSE(availability[i]()) << "test " << i;

    Float x = 7.0f, y = 8.0f, z = 9.0f;
    const std::vector<std::function<Bool()>> reads = {
        [&] { return handler.GetAcceleration(x, y, z); },  [&] { return handler.GetRotationRate(x, y, z); },
        [&] { return handler.GetJoystickAxes(0, x, y, z); }, [&] { return handler.GetMousePosition(x, y); },
        [&] { return handler.GetRawMouseMotion(x, y); },   [&] { return handler.GetMouseWheelDelta(x, y); },
        [&] { return handler.IsMotionActive(); },          [&] { return handler.GetTouchPosition(0, x, y); },
        [&] { return handler.IsMouseButtonDown(Enums::MouseButton::LEFT); },
        [&] { return handler.WasRawKeyPressed(1); },       [&] { return handler.IsTouchDown(0); },
        [&] { return handler.RequestScreenshot(); },       [&] { return handler.RequestQuit(); },
        [&] { return handler.OpenUrl(String("x")); },      [&] { return handler.SignInToScoreService(); },
    };
    for (size_t i = 0; i < reads.size(); ++i)
        EXPECT_FALSE(reads[i]()) << "read " << i;
    EXPECT_EQ(x, 7.0f);
    EXPECT_EQ(y, 8.0f);
    EXPECT_EQ(z, 9.0f);
    EXPECT_EQ(handler.GetNumberOfJoysticks(), 0u);
    EXPECT_EQ(handler.GetNumberOfTouches(), 0u);
    EXPECT_EQ(handler.GetDeviceOrientation(), 0);
    EXPECT_EQ(handler.GetTypedCharacter(0), 0u);
    EXPECT_EQ(handler.GetScoreServiceState(), 0u);
    EXPECT_EQ(handler.CreateAlert(String("t"), String("m"), String("ok"), String()), -1);
    String id("kept");
    EXPECT_FALSE(handler.GetScoreServicePlayerId(id));
    EXPECT_EQ(id, "kept");
}

TEST(LogicDeviceHandlerTest, ForwardsToTheFirstDeviceOfEachKind)
{
    InputWithDevices input;
    Testing::FakeOutputDeviceHandler output;
    Testing::FakeConfigurationControl configuration;
    AcceptingScreenshotControl screenshot;
    Testing::FakeControl controlC;
    output.AddConfigurationControl(&configuration);
    output.AddScreenshotControl(&screenshot);
    output.AddControlC(&controlC);
    Logic::DeviceHandler handler;
    ASSERT_TRUE(handler.SetHandlers(&input, &output));
    EXPECT_EQ(handler.GetInputDeviceHandler(), &input);
    EXPECT_EQ(handler.GetOutputDeviceHandler(), &output);

    Float x = 0.0f, y = 0.0f, z = 0.0f;
    EXPECT_TRUE(handler.GetAcceleration(x, y, z));
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(y, 2.0f);
    EXPECT_EQ(z, 3.0f);
    EXPECT_TRUE(handler.GetMousePosition(x, y));
    EXPECT_EQ(x, 0.5f);
    EXPECT_EQ(y, -0.25f);
    EXPECT_TRUE(handler.HasMouseMoved());
    EXPECT_TRUE(handler.IsMouseInsideX());
    EXPECT_FALSE(handler.IsMouseInsideWindow());
    input.mMouse.mInsideY = true;
    EXPECT_TRUE(handler.IsMouseInsideWindow());
    EXPECT_TRUE(handler.IsMouseButtonDown(Enums::MouseButton::RIGHT));
    EXPECT_TRUE(handler.WasMouseButtonPressed(Enums::MouseButton::LEFT));
    EXPECT_FALSE(handler.WasMouseButtonPressed(Enums::MouseButton::RIGHT));

    EXPECT_EQ(handler.GetNumberOfTouches(), 1u);
    EXPECT_TRUE(handler.IsTouchDown(0));
    EXPECT_TRUE(handler.WasTouchPressed(0));
    EXPECT_TRUE(handler.GetTouchPosition(0, x, y));
    EXPECT_EQ(x, -1.0f);
    EXPECT_FALSE(handler.IsTouchDown(1));

    // Kinds 1, 3 and 4 have only their available test.
    EXPECT_TRUE(handler.IsControlCAvailable());
    EXPECT_FALSE(handler.IsControlDAvailable());
    EXPECT_TRUE(handler.RequestScreenshot());
    EXPECT_TRUE(handler.IsScreenshotReady());
    EXPECT_TRUE(handler.RequestQuit());
    EXPECT_TRUE(configuration.mQuitRequested);

    // Devices made after Init are not seen; DeInit changes nothing.
    EXPECT_TRUE(handler.DeInit());
    EXPECT_TRUE(handler.GetAcceleration(x, y, z));
    EXPECT_FALSE(handler.IsScoreServiceAvailable());
}

TEST(LogicDeviceHandlerTest, InitNeedsBothHandlers)
{
    InputWithDevices input;
    Logic::DeviceHandler handler;
    EXPECT_FALSE(handler.SetHandlers(nullptr, nullptr));
    EXPECT_FALSE(handler.IsMouseAvailable());
    // The input side is taken before the missing output side fails.
    EXPECT_FALSE(handler.SetHandlers(&input, nullptr));
    EXPECT_TRUE(handler.IsMouseAvailable());
    EXPECT_FALSE(handler.RequestQuit());
}

} // namespace
} // namespace Vorn
