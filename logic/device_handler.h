// The devices as the game's logic sees them: the first device of each input kind and the first
// control of each output kind, taken once at Init. Every device may be missing on a platform:
// each family has an available test, and its operations then return false or 0 and leave their
// out-arguments untouched. Positions are from -1 to 1 with y upwards. Called on the logic thread.
// Implemented by Logic::DeviceHandler.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IUrlRequest;

namespace Input {
class IDeviceHandler;
}

namespace Output {
class IDeviceHandler;
}

namespace Logic {

class IDeviceHandler
{
public:
    // Takes the devices; false when the input device handler is missing, or the output device
    // handler is missing after the input side was taken.
    virtual Bool Init() = 0;
    // Changes nothing: later calls still reach the same devices.
    virtual Bool DeInit() = 0;
    // Stores both handlers and calls Init.
    virtual Bool SetHandlers(Input::IDeviceHandler* input, Output::IDeviceHandler* output) = 0;

    virtual Bool IsAccelerometerAvailable() const = 0;
    virtual Bool GetAcceleration(Float& x, Float& y, Float& z) const = 0;

    virtual Bool IsGyroscopeAvailable() const = 0;
    virtual Bool GetRotationRate(Float& x, Float& y, Float& z) const = 0;

    // Joysticks are looked up by index on every call.
    virtual UInt32 GetNumberOfJoysticks() const = 0;
    virtual Bool IsJoystickButtonDown(UInt32 joystick, UInt32 button) const = 0;
    virtual Bool WasJoystickButtonPressed(UInt32 joystick, UInt32 button) const = 0;
    virtual Bool WasJoystickButtonReleased(UInt32 joystick, UInt32 button) const = 0;
    // Axes 1 to 3 and 4 to 6.
    virtual Bool GetJoystickAxes(UInt32 joystick, Float& x, Float& y, Float& z) const = 0;
    virtual Bool GetJoystickRotationAxes(UInt32 joystick, Float& x, Float& y, Float& z) const = 0;

    // Text input from the keyboard.
    virtual Bool IsKeyboardAvailable() const = 0;
    virtual Bool IsTextInputActive() const = 0;
    // True starts text input, false ends it.
    virtual Bool SetTextInputActive(Bool active) = 0;
    // The characters typed in this step, appended to text.
    virtual Bool GetTypedText(String& text) const = 0;
    // Code of the first character of the index-th text typed in this step (13 Enter); 0 when
    // there is none.
    virtual UInt32 GetTypedCharacter(UInt32 index) const = 0;

    virtual Bool IsMotionAvailable() const = 0;
    virtual Bool IsMotionActive() const = 0;
    // True in the step after a motion ended.
    virtual Bool HasMotionEnded() const = 0;

    virtual Bool IsMouseAvailable() const = 0;
    virtual Bool HasMouseMoved() const = 0;
    virtual Bool GetMousePosition(Float& x, Float& y) const = 0;
    // Both coordinates within -1 to 1.
    virtual Bool IsMouseInsideWindow() const = 0;
    virtual Bool IsMouseInsideX() const = 0;
    virtual Bool IsMouseInsideY() const = 0;
    virtual Bool IsMouseButtonDown(Enums::MouseButton button) const = 0;
    virtual Bool WasMouseButtonPressed(Enums::MouseButton button) const = 0;
    virtual Bool WasMouseButtonReleased(Enums::MouseButton button) const = 0;

    virtual Bool IsOrientationAvailable() const = 0;
    // An Enums::ScreenOrientation value; 0 without the device.
    virtual SInt32 GetDeviceOrientation() const = 0;

    virtual Bool IsRawButtonAvailable() const = 0;
    virtual Bool IsRawButtonDown(UInt32 code) const = 0;
    virtual Bool WasRawButtonPressed(UInt32 code) const = 0;
    virtual Bool WasRawButtonReleased(UInt32 code) const = 0;

    // Raw key codes: 1 Escape, 28 Enter.
    virtual Bool IsRawKeyboardAvailable() const = 0;
    virtual Bool IsRawKeyDown(UInt32 code) const = 0;
    virtual Bool WasRawKeyPressed(UInt32 code) const = 0;
    virtual Bool WasRawKeyReleased(UInt32 code) const = 0;

    virtual Bool IsRawMouseAvailable() const = 0;
    virtual Bool GetRawMouseMotion(Float& x, Float& y) const = 0;
    // True when the wheel moved in this step.
    virtual Bool GetMouseWheelDelta(Float& x, Float& y) const = 0;

    // Touches, looked up by index on every call.
    virtual UInt32 GetNumberOfTouches() const = 0;
    virtual Bool IsTouchDown(UInt32 touch) const = 0;
    virtual Bool WasTouchPressed(UInt32 touch) const = 0;
    virtual Bool WasTouchReleased(UInt32 touch) const = 0;
    virtual Bool HasTouchMoved(UInt32 touch) const = 0;
    virtual Bool GetTouchPosition(UInt32 touch, Float& x, Float& y) const = 0;
    virtual Bool WasTouchCancelled(UInt32 touch) const = 0;

    // Output controls of kinds that no platform of this system provides.
    virtual Bool IsControlCAvailable() const = 0;
    virtual Bool IsControlDAvailable() const = 0;
    virtual Bool IsControlAAvailable() const = 0;

    // The platform's online score service; absent on this platform.
    virtual Bool IsScoreServiceAvailable() const = 0;
    virtual UInt32 GetScoreServiceState() const = 0;
    virtual Bool SignInToScoreService() = 0;
    virtual Bool GetScoreServicePlayerId(String& id) const = 0;
    virtual Bool GetScoreServicePlayerAlias(String& alias) const = 0;
    virtual Bool ShowScoreServiceLeaderboard(const String& leaderboard) = 0;

    // Alerts: the handle is -1 when none was made.
    virtual Bool IsSystemDialogAvailable() const = 0;
    virtual SInt32 CreateAlert(const String& title, const String& message, const String& firstButton,
                               const String& secondButton) = 0;
    virtual Bool IsAlertAnswered(SInt32 alert) const = 0;
    // Number of the pressed button from 1; 0 while unanswered.
    virtual UInt32 GetAlertAnswer(SInt32 alert) const = 0;
    virtual Bool DestroyAlert(SInt32 alert) = 0;

    virtual Bool IsWebControlAvailable() const = 0;
    virtual Bool CanOpenLinks() const = 0;
    virtual Bool OpenUrl(const String& url) = 0;
    // Null when the platform offers no web service.
    virtual IUrlRequest* CreateUrlRequest(const String& url) = 0;
    virtual void DestroyUrlRequest(IUrlRequest*& request) = 0;

    // The screenshot control.
    virtual Bool IsScreenshotControlAvailable() const = 0;
    virtual Bool RequestScreenshot() = 0;
    virtual Bool RequestScreenshotRelease() = 0;
    virtual Bool IsScreenshotBusy() const = 0;
    virtual Bool IsScreenshotReady() const = 0;

    // Asks the platform to end the program at its next frame.
    virtual Bool RequestQuit() = 0;

    virtual Input::IDeviceHandler* GetInputDeviceHandler() const = 0;
    virtual Output::IDeviceHandler* GetOutputDeviceHandler() const = 0;

    virtual ~IDeviceHandler() {}
};

} // namespace Logic
} // namespace Vorn
