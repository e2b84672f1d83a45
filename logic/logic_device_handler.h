// The devices as the game's logic sees them: at Init it takes the first device of each input kind
// and the first control of each output kind it serves, and from then on forwards to them. A
// missing device answers false or 0 and leaves out-arguments untouched. Joysticks and touch
// screens are looked up by index on every call. No lock: the devices guard their own state.
#pragma once

#include "foundation/array.h"
#include "logic/device_handler.h"

namespace Vorn {

class IConfigurationControl;
class IControlable;
class IScreenshotControl;
class ISystemDialog;
class ISystemDialogControl;
class IWebControl;

namespace Input {
class IAccelerometerDevice;
class IGyroscopeDevice;
class IKeyboardDevice;
class IMotionDevice;
class IMouseDevice;
class IOrientationDevice;
class IRawButtonDevice;
class IRawKeyboardDevice;
class IRawMouseDevice;
class IJoystickDevice;
class ITouchScreenDevice;
} // namespace Input

namespace Logic {

class DeviceHandler : public IDeviceHandler
{
public:
    DeviceHandler();
    // Keeps both handlers; Init takes the devices.
    DeviceHandler(Input::IDeviceHandler* input, Output::IDeviceHandler* output);
    // Destroys the alerts still held through the dialog control.
    ~DeviceHandler() override;

    DeviceHandler(const DeviceHandler&) = delete;
    DeviceHandler& operator=(const DeviceHandler&) = delete;

    Bool Init() override;
    Bool DeInit() override;
    Bool SetHandlers(Input::IDeviceHandler* input, Output::IDeviceHandler* output) override;

    Bool IsAccelerometerAvailable() const override;
    Bool GetAcceleration(Float& x, Float& y, Float& z) const override;
    Bool IsGyroscopeAvailable() const override;
    Bool GetRotationRate(Float& x, Float& y, Float& z) const override;

    UInt32 GetNumberOfJoysticks() const override;
    Bool IsJoystickButtonDown(UInt32 joystick, UInt32 button) const override;
    Bool WasJoystickButtonPressed(UInt32 joystick, UInt32 button) const override;
    Bool WasJoystickButtonReleased(UInt32 joystick, UInt32 button) const override;
    Bool GetJoystickAxes(UInt32 joystick, Float& x, Float& y, Float& z) const override;
    Bool GetJoystickRotationAxes(UInt32 joystick, Float& x, Float& y, Float& z) const override;

    Bool IsKeyboardAvailable() const override;
    Bool IsTextInputActive() const override;
    Bool SetTextInputActive(Bool active) override;
    Bool GetTypedText(String& text) const override;
    UInt32 GetTypedCharacter(UInt32 index) const override;

    Bool IsMotionAvailable() const override;
    Bool IsMotionActive() const override;
    Bool HasMotionEnded() const override;

    Bool IsMouseAvailable() const override;
    Bool HasMouseMoved() const override;
    Bool GetMousePosition(Float& x, Float& y) const override;
    Bool IsMouseInsideWindow() const override;
    Bool IsMouseInsideX() const override;
    Bool IsMouseInsideY() const override;
    Bool IsMouseButtonDown(Enums::MouseButton button) const override;
    Bool WasMouseButtonPressed(Enums::MouseButton button) const override;
    Bool WasMouseButtonReleased(Enums::MouseButton button) const override;

    Bool IsOrientationAvailable() const override;
    SInt32 GetDeviceOrientation() const override;

    Bool IsRawButtonAvailable() const override;
    Bool IsRawButtonDown(UInt32 code) const override;
    Bool WasRawButtonPressed(UInt32 code) const override;
    Bool WasRawButtonReleased(UInt32 code) const override;

    Bool IsRawKeyboardAvailable() const override;
    Bool IsRawKeyDown(UInt32 code) const override;
    Bool WasRawKeyPressed(UInt32 code) const override;
    Bool WasRawKeyReleased(UInt32 code) const override;

    Bool IsRawMouseAvailable() const override;
    Bool GetRawMouseMotion(Float& x, Float& y) const override;
    Bool GetMouseWheelDelta(Float& x, Float& y) const override;

    UInt32 GetNumberOfTouches() const override;
    Bool IsTouchDown(UInt32 touch) const override;
    Bool WasTouchPressed(UInt32 touch) const override;
    Bool WasTouchReleased(UInt32 touch) const override;
    Bool HasTouchMoved(UInt32 touch) const override;
    Bool GetTouchPosition(UInt32 touch, Float& x, Float& y) const override;
    Bool WasTouchCancelled(UInt32 touch) const override;

    Bool IsControlCAvailable() const override;
    Bool IsControlDAvailable() const override;
    Bool IsControlAAvailable() const override;

    Bool IsScoreServiceAvailable() const override;
    UInt32 GetScoreServiceState() const override;
    Bool SignInToScoreService() override;
    Bool GetScoreServicePlayerId(String& id) const override;
    Bool GetScoreServicePlayerAlias(String& alias) const override;
    Bool ShowScoreServiceLeaderboard(const String& leaderboard) override;

    Bool IsSystemDialogAvailable() const override;
    SInt32 CreateAlert(const String& title, const String& message, const String& firstButton,
                       const String& secondButton) override;
    Bool IsAlertAnswered(SInt32 alert) const override;
    UInt32 GetAlertAnswer(SInt32 alert) const override;
    Bool DestroyAlert(SInt32 alert) override;

    Bool IsWebControlAvailable() const override;
    Bool CanOpenLinks() const override;
    Bool OpenUrl(const String& url) override;
    IUrlRequest* CreateUrlRequest(const String& url) override;
    void DestroyUrlRequest(IUrlRequest*& request) override;

    Bool IsScreenshotControlAvailable() const override;
    Bool RequestScreenshot() override;
    Bool RequestScreenshotRelease() override;
    Bool IsScreenshotBusy() const override;
    Bool IsScreenshotReady() const override;

    Bool RequestQuit() override;

    Input::IDeviceHandler* GetInputDeviceHandler() const override;
    Output::IDeviceHandler* GetOutputDeviceHandler() const override;

private:
    Input::IJoystickDevice* GetJoystick(UInt32 joystick) const;
    Input::ITouchScreenDevice* GetTouchScreen(UInt32 touch) const;
    ISystemDialog* GetAlert(SInt32 alert) const;

    Input::IDeviceHandler* mInputDeviceHandler;
    Output::IDeviceHandler* mOutputDeviceHandler;
    Input::IAccelerometerDevice* mAccelerometer;
    Input::IGyroscopeDevice* mGyroscope;
    Input::IKeyboardDevice* mKeyboard;
    Input::IMotionDevice* mMotion;
    Input::IMouseDevice* mMouse;
    Input::IOrientationDevice* mOrientation;
    Input::IRawButtonDevice* mRawButton;
    Input::IRawKeyboardDevice* mRawKeyboard;
    Input::IRawMouseDevice* mRawMouse;
    IControlable* mControlC;
    IControlable* mControlD;
    IControlable* mControlA;
    ISystemDialogControl* mSystemDialogControl;
    IWebControl* mWebControl;
    IScreenshotControl* mScreenshotControl;
    IConfigurationControl* mConfigurationControl;
    Bool mTextInputActive;
    // The alerts made through the dialog control; a handle is a position here (null once gone).
    Array<ISystemDialog*> mAlerts;
};

} // namespace Logic
} // namespace Vorn
