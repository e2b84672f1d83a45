#include "logic/logic_device_handler.h"

#include "input/device_handler.h"
#include "output/device_handler.h"
#include "output/screenshot_control.h"
#include "platform/configuration_control.h"
#include "platform/system_dialog.h"
#include "platform/web_control.h"

namespace Vorn {
namespace Logic {

namespace {

// The three floats of a device's getters, written only when the device exists.
template <typename Device>
Bool ReadXyz(const Device* device, Float& x, Float& y, Float& z)
{
    if (device == nullptr)
        return false;
    x = device->GetX();
    y = device->GetY();
    z = device->GetZ();
    return true;
}

const Input::IMouseButtons* ButtonsOf(const Input::IMouseDevice* mouse)
{
    return dynamic_cast<const Input::IMouseButtons*>(mouse);
}

} // namespace

DeviceHandler::DeviceHandler() : DeviceHandler(nullptr, nullptr) {}

DeviceHandler::DeviceHandler(Input::IDeviceHandler* input, Output::IDeviceHandler* output)
    : mInputDeviceHandler(input),
      mOutputDeviceHandler(output),
      mAccelerometer(nullptr),
      mGyroscope(nullptr),
      mKeyboard(nullptr),
      mMotion(nullptr),
      mMouse(nullptr),
      mOrientation(nullptr),
      mRawButton(nullptr),
      mRawKeyboard(nullptr),
      mRawMouse(nullptr),
      mControlC(nullptr),
      mControlD(nullptr),
      mControlA(nullptr),
      mSystemDialogControl(nullptr),
      mWebControl(nullptr),
      mScreenshotControl(nullptr),
      mConfigurationControl(nullptr),
      mTextInputActive(false)
{
}

DeviceHandler::~DeviceHandler()
{
    for (SInt32 alert = 0; alert < mAlerts.GetCount(); ++alert)
        DestroyAlert(alert);
}

Bool DeviceHandler::Init()
{
    if (mInputDeviceHandler == nullptr)
        return false;
    mAccelerometer = mInputDeviceHandler->GetAccelerometerDevice(0);
    mGyroscope = mInputDeviceHandler->GetGyroscopeDevice(0);
    mKeyboard = mInputDeviceHandler->GetKeyboardDevice(0);
    mMotion = mInputDeviceHandler->GetMotionDevice(0);
    mMouse = mInputDeviceHandler->GetMouseDevice(0);
    mOrientation = mInputDeviceHandler->GetOrientationDevice(0);
    mRawButton = mInputDeviceHandler->GetRawButtonDevice(0);
    mRawKeyboard = mInputDeviceHandler->GetRawKeyboardDevice(0);
    mRawMouse = mInputDeviceHandler->GetRawMouseDevice(0);
    if (mOutputDeviceHandler == nullptr)
        return false;
    mControlC = mOutputDeviceHandler->GetControlC(0);
    mControlD = mOutputDeviceHandler->GetControlD(0);
    mControlA = mOutputDeviceHandler->GetControlA(0);
    mSystemDialogControl = mOutputDeviceHandler->GetSystemDialogControl(0);
    mWebControl = mOutputDeviceHandler->GetWebControl(0);
    mScreenshotControl = mOutputDeviceHandler->GetScreenshotControl(0);
    mConfigurationControl = mOutputDeviceHandler->GetConfigurationControl(0);
    return true;
}

Bool DeviceHandler::DeInit()
{
    return true;
}

Bool DeviceHandler::SetHandlers(Input::IDeviceHandler* input, Output::IDeviceHandler* output)
{
    mInputDeviceHandler = input;
    mOutputDeviceHandler = output;
    return Init();
}

Bool DeviceHandler::IsAccelerometerAvailable() const
{
    return mAccelerometer != nullptr;
}

Bool DeviceHandler::GetAcceleration(Float& x, Float& y, Float& z) const
{
    return ReadXyz(mAccelerometer, x, y, z);
}

Bool DeviceHandler::IsGyroscopeAvailable() const
{
    return mGyroscope != nullptr;
}

Bool DeviceHandler::GetRotationRate(Float& x, Float& y, Float& z) const
{
    return ReadXyz(mGyroscope, x, y, z);
}

Input::IJoystickDevice* DeviceHandler::GetJoystick(UInt32 joystick) const
{
    return mInputDeviceHandler != nullptr ? mInputDeviceHandler->GetJoystickDevice(joystick) : nullptr;
}

UInt32 DeviceHandler::GetNumberOfJoysticks() const
{
    return mInputDeviceHandler != nullptr ? mInputDeviceHandler->GetNumberOfJoystickDevices() : 0;
}

Bool DeviceHandler::IsJoystickButtonDown(UInt32 joystick, UInt32 button) const
{
    const Input::IJoystickDevice* device = GetJoystick(joystick);
    return device != nullptr && device->IsButtonHeld(button);
}

Bool DeviceHandler::WasJoystickButtonPressed(UInt32 joystick, UInt32 button) const
{
    const Input::IJoystickDevice* device = GetJoystick(joystick);
    return device != nullptr && device->WasButtonPressed(button);
}

Bool DeviceHandler::WasJoystickButtonReleased(UInt32 joystick, UInt32 button) const
{
    const Input::IJoystickDevice* device = GetJoystick(joystick);
    return device != nullptr && device->WasButtonReleased(button);
}

Bool DeviceHandler::GetJoystickAxes(UInt32 joystick, Float& x, Float& y, Float& z) const
{
    const Input::IJoystickDevice* device = GetJoystick(joystick);
    if (device == nullptr)
        return false;
    x = device->GetAxis1();
    y = device->GetAxis2();
    z = device->GetAxis3();
    return true;
}

Bool DeviceHandler::GetJoystickRotationAxes(UInt32 joystick, Float& x, Float& y, Float& z) const
{
    const Input::IJoystickDevice* device = GetJoystick(joystick);
    if (device == nullptr)
        return false;
    x = device->GetAxis4();
    y = device->GetAxis5();
    z = device->GetAxis6();
    return true;
}

Bool DeviceHandler::IsKeyboardAvailable() const
{
    return mKeyboard != nullptr;
}

Bool DeviceHandler::IsTextInputActive() const
{
    return mKeyboard != nullptr && mTextInputActive;
}

Bool DeviceHandler::SetTextInputActive(Bool active)
{
    if (mKeyboard == nullptr)
        return false;
    mTextInputActive = active;
    return true;
}

Bool DeviceHandler::GetTypedText(String& text) const
{
    if (mKeyboard == nullptr)
        return false;
    for (UInt32 i = 0; i < mKeyboard->GetNumberOfTexts(); ++i)
        text += mKeyboard->GetText(i);
    return true;
}

UInt32 DeviceHandler::GetTypedCharacter(UInt32 index) const
{
    if (mKeyboard == nullptr || index >= mKeyboard->GetNumberOfTexts())
        return 0;
    const String text = mKeyboard->GetText(index);
    return text.IsEmpty() ? 0 : UInt32(UInt8(text.GetText()[0]));
}

Bool DeviceHandler::IsMotionAvailable() const
{
    return mMotion != nullptr;
}

Bool DeviceHandler::IsMotionActive() const
{
    return mMotion != nullptr && mMotion->IsActive();
}

Bool DeviceHandler::HasMotionEnded() const
{
    return mMotion != nullptr && mMotion->HasEnded();
}

Bool DeviceHandler::IsMouseAvailable() const
{
    return mMouse != nullptr;
}

Bool DeviceHandler::HasMouseMoved() const
{
    return mMouse != nullptr && mMouse->HasMoved();
}

Bool DeviceHandler::GetMousePosition(Float& x, Float& y) const
{
    if (mMouse == nullptr)
        return false;
    x = mMouse->GetPositionX();
    y = mMouse->GetPositionY();
    return true;
}

Bool DeviceHandler::IsMouseInsideWindow() const
{
    return mMouse != nullptr && mMouse->IsInsideX() && mMouse->IsInsideY();
}

Bool DeviceHandler::IsMouseInsideX() const
{
    return mMouse != nullptr && mMouse->IsInsideX();
}

Bool DeviceHandler::IsMouseInsideY() const
{
    return mMouse != nullptr && mMouse->IsInsideY();
}

Bool DeviceHandler::IsMouseButtonDown(Enums::MouseButton button) const
{
    const Input::IMouseButtons* buttons = ButtonsOf(mMouse);
    return buttons != nullptr && buttons->IsButtonHeld(Enums::Value(button));
}

Bool DeviceHandler::WasMouseButtonPressed(Enums::MouseButton button) const
{
    const Input::IMouseButtons* buttons = ButtonsOf(mMouse);
    return buttons != nullptr && buttons->WasButtonPressed(Enums::Value(button));
}

Bool DeviceHandler::WasMouseButtonReleased(Enums::MouseButton button) const
{
    const Input::IMouseButtons* buttons = ButtonsOf(mMouse);
    return buttons != nullptr && buttons->WasButtonReleased(Enums::Value(button));
}

Bool DeviceHandler::IsOrientationAvailable() const
{
    return mOrientation != nullptr;
}

SInt32 DeviceHandler::GetDeviceOrientation() const
{
    return mOrientation != nullptr ? mOrientation->GetOrientation() : 0;
}

Bool DeviceHandler::IsRawButtonAvailable() const
{
    return mRawButton != nullptr;
}

Bool DeviceHandler::IsRawButtonDown(UInt32 code) const
{
    return mRawButton != nullptr && mRawButton->IsButtonHeld(code);
}

Bool DeviceHandler::WasRawButtonPressed(UInt32 code) const
{
    return mRawButton != nullptr && mRawButton->WasButtonPressed(code);
}

Bool DeviceHandler::WasRawButtonReleased(UInt32 code) const
{
    return mRawButton != nullptr && mRawButton->WasButtonReleased(code);
}

Bool DeviceHandler::IsRawKeyboardAvailable() const
{
    return mRawKeyboard != nullptr;
}

Bool DeviceHandler::IsRawKeyDown(UInt32 code) const
{
    return mRawKeyboard != nullptr && mRawKeyboard->IsKeyHeld(code);
}

Bool DeviceHandler::WasRawKeyPressed(UInt32 code) const
{
    return mRawKeyboard != nullptr && mRawKeyboard->WasKeyPressed(code);
}

Bool DeviceHandler::WasRawKeyReleased(UInt32 code) const
{
    return mRawKeyboard != nullptr && mRawKeyboard->WasKeyReleased(code);
}

Bool DeviceHandler::IsRawMouseAvailable() const
{
    return mRawMouse != nullptr;
}

Bool DeviceHandler::GetRawMouseMotion(Float& x, Float& y) const
{
    if (mRawMouse == nullptr)
        return false;
    x = Float(mRawMouse->GetDeltaX());
    y = Float(mRawMouse->GetDeltaY());
    return true;
}

Bool DeviceHandler::GetMouseWheelDelta(Float& x, Float& y) const
{
    if (mRawMouse == nullptr)
        return false;
    x = Float(mRawMouse->GetWheelA());
    y = Float(mRawMouse->GetWheelB());
    return mRawMouse->GetWheelA() != 0 || mRawMouse->GetWheelB() != 0;
}

Input::ITouchScreenDevice* DeviceHandler::GetTouchScreen(UInt32 touch) const
{
    return mInputDeviceHandler != nullptr ? mInputDeviceHandler->GetTouchScreenDevice(touch) : nullptr;
}

UInt32 DeviceHandler::GetNumberOfTouches() const
{
    return mInputDeviceHandler != nullptr ? mInputDeviceHandler->GetNumberOfTouchScreenDevices() : 0;
}

Bool DeviceHandler::IsTouchDown(UInt32 touch) const
{
    const Input::ITouchScreenDevice* device = GetTouchScreen(touch);
    return device != nullptr && device->IsHeld();
}

Bool DeviceHandler::WasTouchPressed(UInt32 touch) const
{
    const Input::ITouchScreenDevice* device = GetTouchScreen(touch);
    return device != nullptr && device->WasPressed();
}

Bool DeviceHandler::WasTouchReleased(UInt32 touch) const
{
    const Input::ITouchScreenDevice* device = GetTouchScreen(touch);
    return device != nullptr && device->WasReleased();
}

Bool DeviceHandler::HasTouchMoved(UInt32 touch) const
{
    const Input::ITouchScreenDevice* device = GetTouchScreen(touch);
    return device != nullptr && device->HasMoved();
}

Bool DeviceHandler::GetTouchPosition(UInt32 touch, Float& x, Float& y) const
{
    const Input::ITouchScreenDevice* device = GetTouchScreen(touch);
    if (device == nullptr)
        return false;
    x = device->GetPositionX();
    y = device->GetPositionY();
    return true;
}

Bool DeviceHandler::WasTouchCancelled(UInt32 touch) const
{
    const Input::ITouchScreenDevice* device = GetTouchScreen(touch);
    return device != nullptr && device->WasCancelled();
}

Bool DeviceHandler::IsControlCAvailable() const
{
    return mControlC != nullptr;
}

Bool DeviceHandler::IsControlDAvailable() const
{
    return mControlD != nullptr;
}

Bool DeviceHandler::IsControlAAvailable() const
{
    return mControlA != nullptr;
}

Bool DeviceHandler::IsScoreServiceAvailable() const
{
    return false;
}

UInt32 DeviceHandler::GetScoreServiceState() const
{
    return 0;
}

Bool DeviceHandler::SignInToScoreService()
{
    return false;
}

Bool DeviceHandler::GetScoreServicePlayerId(String&) const
{
    return false;
}

Bool DeviceHandler::GetScoreServicePlayerAlias(String&) const
{
    return false;
}

Bool DeviceHandler::ShowScoreServiceLeaderboard(const String&)
{
    return false;
}

Bool DeviceHandler::IsSystemDialogAvailable() const
{
    return mSystemDialogControl != nullptr;
}

SInt32 DeviceHandler::CreateAlert(const String& title, const String& message, const String& firstButton,
                                  const String& secondButton)
{
    if (mSystemDialogControl == nullptr)
        return -1;
    ISystemDialog* dialog = secondButton.IsEmpty()
                                ? mSystemDialogControl->CreateDialog(title, message, firstButton)
                                : mSystemDialogControl->CreateDialog(title, message, firstButton, secondButton);
    if (dialog == nullptr)
        return -1;
    dialog->Open();
    mAlerts.Add(dialog);
    return mAlerts.GetCount() - 1;
}

ISystemDialog* DeviceHandler::GetAlert(SInt32 alert) const
{
    return alert >= 0 && alert < mAlerts.GetCount() ? mAlerts[alert] : nullptr;
}

Bool DeviceHandler::IsAlertAnswered(SInt32 alert) const
{
    return GetAlertAnswer(alert) != 0;
}

UInt32 DeviceHandler::GetAlertAnswer(SInt32 alert) const
{
    const ISystemDialog* dialog = GetAlert(alert);
    if (dialog == nullptr || dialog->IsOpen() || dialog->GetResult() < 0)
        return 0;
    return UInt32(dialog->GetResult()) + 1;
}

Bool DeviceHandler::DestroyAlert(SInt32 alert)
{
    ISystemDialog* dialog = GetAlert(alert);
    if (dialog == nullptr)
        return false;
    mSystemDialogControl->DestroyDialog(dialog);
    mAlerts[alert] = nullptr;
    return true;
}

Bool DeviceHandler::IsWebControlAvailable() const
{
    return mWebControl != nullptr;
}

Bool DeviceHandler::CanOpenLinks() const
{
    return mWebControl != nullptr;
}

Bool DeviceHandler::OpenUrl(const String& url)
{
    return mWebControl != nullptr && mWebControl->OpenUrl(url);
}

IUrlRequest* DeviceHandler::CreateUrlRequest(const String& url)
{
    return mWebControl != nullptr ? mWebControl->CreateUrlRequest(url) : nullptr;
}

void DeviceHandler::DestroyUrlRequest(IUrlRequest*& request)
{
    if (mWebControl != nullptr && request != nullptr)
        mWebControl->DestroyUrlRequest(request);
    request = nullptr;
}

Bool DeviceHandler::IsScreenshotControlAvailable() const
{
    return mScreenshotControl != nullptr;
}

Bool DeviceHandler::RequestScreenshot()
{
    return mScreenshotControl != nullptr && mScreenshotControl->RequestScreenshot();
}

Bool DeviceHandler::RequestScreenshotRelease()
{
    return mScreenshotControl != nullptr && mScreenshotControl->RequestRelease();
}

Bool DeviceHandler::IsScreenshotBusy() const
{
    return mScreenshotControl != nullptr && mScreenshotControl->IsBusy();
}

Bool DeviceHandler::IsScreenshotReady() const
{
    return mScreenshotControl != nullptr && mScreenshotControl->IsReady();
}

Bool DeviceHandler::RequestQuit()
{
    if (mConfigurationControl == nullptr)
        return false;
    mConfigurationControl->Quit();
    return true;
}

Input::IDeviceHandler* DeviceHandler::GetInputDeviceHandler() const
{
    return mInputDeviceHandler;
}

Output::IDeviceHandler* DeviceHandler::GetOutputDeviceHandler() const
{
    return mOutputDeviceHandler;
}

} // namespace Logic
} // namespace Vorn
