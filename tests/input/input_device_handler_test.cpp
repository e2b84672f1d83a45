#include "input/input_device_handler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "input/factory.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace Input {
namespace {

using namespace InputAction;

// A configuration whose screen orientation the test sets.
class OrientedConfiguration : public Testing::FakeConfiguration
{
public:
    Enums::ScreenOrientation GetScreenOrientation() const override { return mScreenOrientation; }
    Enums::ScreenOrientation mScreenOrientation = Enums::ScreenOrientation::PORTRAIT_1;
};

// Held, pressed and released of one button as one value.
struct Flags
{
    Bool held, pressed, released;
    Bool operator==(const Flags& o) const { return held == o.held && pressed == o.pressed && released == o.released; }
};
std::ostream& operator<<(std::ostream& out, const Flags& f)
{
    return out << "{held " << f.held << ", pressed " << f.pressed << ", released " << f.released << "}";
}
constexpr Flags kIdle{false, false, false};
constexpr Flags kPress{true, true, false};
constexpr Flags kHeld{true, false, false};
constexpr Flags kRelease{false, false, true};

Flags MouseFlags(const MouseDevice& mouse, UInt32 button)
{
    return Flags{mouse.IsButtonHeld(button), mouse.WasButtonPressed(button), mouse.WasButtonReleased(button)};
}

class InputDeviceHandlerTest : public ::testing::Test
{
protected:
    InputDeviceHandlerTest() { handler.Init(&configuration); }

    OrientedConfiguration configuration;
    DeviceHandler handler;
};

TEST_F(InputDeviceHandlerTest, ButtonsLatchOncePerStep)
{
    // Events fed before each latch, and what the latch then reports.
    struct Step
    {
        std::vector<UInt32> actions;
        Flags expected;
    };
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"press, hold, release", {{{kDown}, kPress}, {{}, kHeld}, {{kUp}, kRelease}, {{}, kIdle}}},
        {"press and release in one step", {{{kDown, kUp}, kPress}, {{}, kRelease}, {{}, kIdle}}},
        {"release without a press", {{{kUp}, kRelease}, {{}, kIdle}}},
        {"press, release and press in one step stays down",
         {{{kDown, kUp, kDown}, kPress}, {{}, kHeld}, {{kUp}, kRelease}, {{}, kIdle}}},
        {"a second press while held presses again", {{{kDown}, kPress}, {{kDown}, kPress}, {{}, kHeld}}},
        {"moves touch no button", {{{kMove, kMove}, kIdle}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        MouseDevice& mouse = *static_cast<MouseDevice*>(handler.GetMouse(handler.CreateMouseDevice()));
        for (const Step& step : test.steps) {
            for (UInt32 action : step.actions)
                mouse.SetPointer(action, 1, 0.0f, 0.0f);
            handler.Update();
            EXPECT_EQ(MouseFlags(mouse, 1), step.expected);
            EXPECT_EQ(MouseFlags(mouse, 0), kIdle);
        }
        EXPECT_TRUE(handler.DestroyMouseDevice(&mouse));
    }
}

TEST_F(InputDeviceHandlerTest, MousePositionsAreClampedAndTurnedByTheScreenOrientation)
{
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    struct Case
    {
        Enums::ScreenOrientation orientation;
        Float x, y;
        Float readX, readY;
        Bool insideX, insideY;
    };
    const std::vector<Case> cases = {
        {Enums::ScreenOrientation::PORTRAIT_1, 1.5f, -0.5f, 1.0f, -0.5f, false, true},
        {Enums::ScreenOrientation::PORTRAIT_1, -3.0f, -1.0f, -1.0f, -1.0f, false, true},
        {Enums::ScreenOrientation::LANDSCAPE_1, 0.5f, 0.25f, -0.25f, 0.5f, true, true},
        {Enums::ScreenOrientation::PORTRAIT_2, 0.5f, 0.25f, -0.5f, -0.25f, true, true},
        {Enums::ScreenOrientation::LANDSCAPE_2, 0.5f, 0.25f, 0.25f, -0.5f, true, true},
        {Enums::ScreenOrientation::DEFAULT, 0.5f, 0.25f, 0.5f, 0.25f, true, true},
        {Enums::ScreenOrientation(3), 0.5f, 0.25f, 0.5f, 0.25f, true, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(UInt32(test.orientation));
        configuration.mScreenOrientation = test.orientation;
        handler.ConfigChanged(&configuration, 0);
        IMouse* feed = handler.CreateMouseDevice();
        IMouseDevice* mouse = handler.GetMouse(feed);
        feed->SetPointer(kMove, 5, test.x, test.y);
        handler.Update();
        EXPECT_EQ(mouse->GetPositionX(), test.readX);
        EXPECT_EQ(mouse->GetPositionY(), test.readY);
        EXPECT_EQ(mouse->IsInsideX(), test.insideX);
        EXPECT_EQ(mouse->IsInsideY(), test.insideY);
        EXPECT_TRUE(mouse->HasMoved());
        // The same position again is no movement.
        handler.Update();
        EXPECT_FALSE(mouse->HasMoved());
        handler.DestroyMouseDevice(feed);
    }

    // A position that is not a number reads as outside, and as still when it stays so.
    configuration.mScreenOrientation = Enums::ScreenOrientation::PORTRAIT_1;
    IMouse* feed = handler.CreateMouseDevice();
    IMouseDevice* mouse = handler.GetMouse(feed);
    feed->SetPointer(kDown, 0, nan, 0.5f);
    handler.Update();
    EXPECT_FALSE(mouse->IsInsideX());
    EXPECT_TRUE(mouse->IsInsideY());
    EXPECT_TRUE(mouse->HasMoved());
    handler.Update();
    EXPECT_FALSE(mouse->HasMoved());
}

TEST_F(InputDeviceHandlerTest, RawKeysIgnoreSecondPressesAndClearAtOnce)
{
    IRawKeyboard* feed = handler.CreateRawKeyboardDevice();
    IRawKeyboardDevice* keys = handler.GetRawKeyboard(feed);
    feed->SetKey(kDown, 10);
    handler.Update();
    EXPECT_TRUE(keys->WasKeyPressed(10));
    // A press while held is ignored.
    feed->SetKey(kDown, 10);
    handler.Update();
    EXPECT_TRUE(keys->IsKeyHeld(10));
    EXPECT_FALSE(keys->WasKeyPressed(10));
    // Action 3 lets every key go, the one just pressed too; nothing is reported.
    feed->SetKey(kDown, 237);
    feed->SetKey(kClear, 0);
    handler.Update();
    EXPECT_FALSE(keys->IsKeyHeld(10));
    EXPECT_FALSE(keys->IsKeyHeld(237));
    EXPECT_FALSE(keys->WasKeyReleased(10));
    // Out of range keys are ignored and read false.
    feed->SetKey(kDown, 238);
    feed->SetKey(kDown, 0xFFFFFFFF);
    handler.Update();
    EXPECT_FALSE(keys->IsKeyHeld(238));
    EXPECT_FALSE(keys->WasKeyPressed(0xFFFFFFFF));

    IRawButton* buttonFeed = handler.CreateRawButtonDevice();
    IRawButtonDevice* buttons = handler.GetRawButton(buttonFeed);
    buttonFeed->SetButton(kDown, 4);
    buttonFeed->SetButton(kDown, 5);
    handler.Update();
    EXPECT_TRUE(buttons->WasButtonPressed(4));
    EXPECT_FALSE(buttons->WasButtonPressed(5));
}

TEST_F(InputDeviceHandlerTest, RawMouseSumsTheEventsOfAStep)
{
    IRawMouse* feed = handler.CreateRawMouseDevice();
    IRawMouseDevice* mouse = handler.GetRawMouse(feed);
    feed->SetMotion(1, 3, 1);
    feed->SetMotion(1, -1, 2);
    feed->SetMotion(2, 0, -120);
    feed->SetMotion(7, 100, 100);
    handler.Update();
    EXPECT_EQ(mouse->GetDeltaX(), 2);
    EXPECT_EQ(mouse->GetDeltaY(), 3);
    EXPECT_EQ(mouse->GetWheelA(), 0);
    EXPECT_EQ(mouse->GetWheelB(), -120);
    handler.Update();
    EXPECT_EQ(mouse->GetDeltaX(), 0);
    EXPECT_EQ(mouse->GetDeltaY(), 0);
    EXPECT_EQ(mouse->GetWheelB(), 0);
    // Sums wrap rather than overflow.
    feed->SetMotion(1, std::numeric_limits<SInt32>::max(), 0);
    feed->SetMotion(1, 1, 0);
    handler.Update();
    EXPECT_EQ(mouse->GetDeltaX(), std::numeric_limits<SInt32>::min());
}

TEST_F(InputDeviceHandlerTest, TouchCancelOverridesThePressOfItsStep)
{
    ITouchScreen* feed = handler.CreateTouchScreenDevice();
    TouchScreenDevice& touch = *static_cast<TouchScreenDevice*>(handler.GetTouchScreen(feed));
    EXPECT_EQ(handler.GetNumberOfTouchScreenDevices(), 1u);
    feed->SetTouch(kDown, 0.5f, 2.0f);
    handler.Update();
    EXPECT_TRUE(touch.WasPressed());
    EXPECT_TRUE(touch.WasButtonPressed(0));
    EXPECT_FALSE(touch.WasButtonPressed(1));
    EXPECT_EQ(touch.GetNumberOfButtons(), 1u);
    EXPECT_EQ(touch.GetPositionY(), 1.0f);
    EXPECT_TRUE(touch.HasMoved());

    feed->SetTouch(kUp, 0.0f, 0.0f);
    feed->SetTouch(kDown, 0.1f, 0.1f);
    feed->SetTouch(kCancel, 0.2f, 0.2f);
    handler.Update();
    EXPECT_TRUE(touch.WasCancelled());
    EXPECT_FALSE(touch.WasPressed());
    EXPECT_FALSE(touch.IsHeld());
    EXPECT_FALSE(touch.HasMoved());
    handler.Update();
    EXPECT_FALSE(touch.WasCancelled());
    EXPECT_FALSE(touch.WasReleased());
}

TEST_F(InputDeviceHandlerTest, OtherKindsTakeTheirFeeds)
{
    IKeyboardDevice* keyboard = handler.GetKeyboard(handler.CreateKeyboardDevice());
    keyboard->AddText(String("a"));
    keyboard->AddText(String("\xC3\xA4"));
    handler.Update();
    EXPECT_EQ(keyboard->GetNumberOfTexts(), 2u);
    EXPECT_EQ(keyboard->GetText(1), String("\xC3\xA4"));
    EXPECT_EQ(keyboard->GetText(2), String());
    handler.Update();
    EXPECT_EQ(keyboard->GetNumberOfTexts(), 0u);

    IMotionDevice* motion = handler.GetMotion(handler.CreateMotionDevice());
    motion->SetMotion(1);
    handler.Update();
    EXPECT_TRUE(motion->IsActive());
    EXPECT_FALSE(motion->HasEnded());
    motion->SetMotion(3);
    handler.Update();
    EXPECT_FALSE(motion->IsActive());
    EXPECT_TRUE(motion->HasEnded());
    handler.Update();
    EXPECT_FALSE(motion->HasEnded());

    IOrientationDevice* orientation = handler.GetOrientation(handler.CreateOrientationDevice());
    orientation->SetOrientation(6);
    orientation->SetOrientation(7);
    handler.Update();
    EXPECT_EQ(orientation->GetOrientation(), 6);

    IJoystickDevice* joystick = handler.GetJoystick(handler.CreateJoystickDevice());
    joystick->SetAxis(1, 2.0f);
    joystick->SetAxis(2, -1.0f);
    joystick->SetAxis(6, -3.0f);
    joystick->SetAxis(0, 0.5f);
    joystick->SetAxis(7, 0.5f);
    joystick->SetButton(13, true);
    joystick->SetButton(14, true);
    handler.Update();
    EXPECT_EQ(joystick->GetAxis1(), 1.0f);
    EXPECT_EQ(joystick->GetAxis2(), 0.0f);
    EXPECT_EQ(joystick->GetAxis6(), -1.0f);
    EXPECT_TRUE(joystick->WasButtonPressed(13));
    EXPECT_FALSE(joystick->WasButtonPressed(14));

    // The accelerometer turns by the device orientation, the gyroscope by the screen's.
    configuration.SetDeviceOrientation(Enums::ScreenOrientation::LANDSCAPE_1);
    configuration.mScreenOrientation = Enums::ScreenOrientation::PORTRAIT_2;
    IAccelerometerDevice* accelerometer = handler.GetAccelerometer(handler.CreateAccelerometerDevice());
    IGyroscopeDevice* gyroscope = handler.GetGyroscope(handler.CreateGyroscopeDevice());
    accelerometer->SetValues(1.0f, 2.0f, 3.0f);
    gyroscope->SetValues(1.0f, 2.0f, 3.0f);
    handler.Update();
    EXPECT_EQ(accelerometer->GetX(), -2.0f);
    EXPECT_EQ(accelerometer->GetY(), 1.0f);
    EXPECT_EQ(accelerometer->GetZ(), 3.0f);
    EXPECT_EQ(gyroscope->GetX(), -1.0f);
    EXPECT_EQ(gyroscope->GetY(), -2.0f);
}

TEST_F(InputDeviceHandlerTest, DevicesAreNumberedFromOneAndFoundByPosition)
{
    EXPECT_EQ(handler.GetMouseDevice(0), nullptr);
    EXPECT_EQ(handler.GetNumberOfJoystickDevices(), 0u);
    IKeyboard* keyboard = handler.CreateKeyboardDevice();
    IMouse* first = handler.CreateMouseDevice();
    IMouse* second = handler.CreateMouseDevice();
    EXPECT_EQ(static_cast<KeyboardDevice*>(keyboard)->GetIndex(), 1u);
    EXPECT_EQ(handler.GetMouseDevice(0), handler.GetMouse(first));
    EXPECT_EQ(static_cast<MouseDevice*>(handler.GetMouseDevice(1))->GetIndex(), 3u);
    EXPECT_EQ(handler.GetMouseDevice(2), nullptr);

    // A device of another kind, or one destroyed already, is refused.
    EXPECT_FALSE(handler.DestroyMouseDevice(reinterpret_cast<IMouse*>(keyboard)));
    EXPECT_TRUE(handler.DestroyMouseDevice(first));
    EXPECT_FALSE(handler.DestroyMouseDevice(first));
    EXPECT_EQ(handler.GetMouseDevice(0), handler.GetMouse(second));
    // Indices are never reused.
    EXPECT_EQ(static_cast<MouseDevice*>(handler.GetMouse(handler.CreateMouseDevice()))->GetIndex(), 4u);

    Factory factory;
    IDeviceHandler* made = factory.CreateDeviceHandler();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->Init(nullptr));
    made->CreateTouchScreenDevice();
    EXPECT_TRUE(made->DeInit());
    factory.DestroyDeviceHandler(made);
    EXPECT_EQ(made, nullptr);
}

// A feeder thread against the latch: a latch never sees half an event. No release is reported
// before a press, the position is never torn, and the button ends up released.
TEST_F(InputDeviceHandlerTest, FeedingWhileLatchingKeepsEventsWhole)
{
    IMouse* feed = handler.CreateMouseDevice();
    MouseDevice& mouse = *static_cast<MouseDevice*>(handler.GetMouse(feed));
    std::atomic<Bool> fed(false);
    std::thread feeder([feed, &fed] {
        for (UInt32 i = 0; i < 2000; ++i) {
            const Float x = (i % 2) ? 0.25f : -0.25f;
            feed->SetPointer(kDown, 0, x, x);
            feed->SetPointer(kUp, 0, x, x);
        }
        fed = true;
    });
    UInt32 pressed = 0, released = 0;
    auto latch = [&] {
        handler.Update();
        pressed += mouse.WasButtonPressed(0) ? 1 : 0;
        released += mouse.WasButtonReleased(0) ? 1 : 0;
        EXPECT_LE(released, pressed);
        EXPECT_EQ(mouse.GetPositionX(), mouse.GetPositionY());
    };
    while (!fed)
        latch();
    feeder.join();
    // The last press, then its release.
    latch();
    latch();
    // Presses that come faster than the steps merge; the last release is always reported.
    EXPECT_GE(released, 1u);
    EXPECT_FALSE(mouse.IsButtonHeld(0));
}

} // namespace
} // namespace Input
} // namespace Vorn
