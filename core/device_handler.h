// The one hub through which the platform, the engine, the loader and the logic's device view
// reach the devices: it makes and owns the input side (device handler, touchable handler) and
// the output side (control registry), forwards the platform's device and control requests to
// them, and keeps the platform's display, audio and file interfaces. Implemented by
// Core::DeviceHandler.
#pragma once

#include "foundation/types.h"
#include "input/device.h"

namespace Vorn {

class IAudioInterface;
class IConfiguration;
class IConfigurationControl;
class IControlable;
class IDisplayInterface;
class IFileInterface;
class IScreenshotControl;
class ISystemDialogControl;
class ISystemFontControl;
class IWebControl;

namespace Input {
class IDeviceHandler;
class ITouchableHandler;
} // namespace Input

namespace Output {
class IDeviceHandler;
}

class IDeviceHandler
{
public:
    // Makes and initialises the input and output sides; the configuration is handed to the
    // input device handler. False, leaving what was made, when a part fails.
    virtual Bool Init(IConfiguration* configuration) = 0;
    virtual Bool DeInit() = 0;

    // Input devices, forwarded to the input device handler.
    virtual IAccelerometer* CreateAccelerometerDevice() = 0;
    virtual Bool DestroyAccelerometerDevice(IAccelerometer* device) = 0;
    virtual IGyroscope* CreateGyroscopeDevice() = 0;
    virtual Bool DestroyGyroscopeDevice(IGyroscope* device) = 0;
    virtual IJoystick* CreateJoystickDevice() = 0;
    virtual Bool DestroyJoystickDevice(IJoystick* device) = 0;
    virtual IKeyboard* CreateKeyboardDevice() = 0;
    virtual Bool DestroyKeyboardDevice(IKeyboard* device) = 0;
    virtual IMotion* CreateMotionDevice() = 0;
    virtual Bool DestroyMotionDevice(IMotion* device) = 0;
    virtual IMouse* CreateMouseDevice() = 0;
    virtual Bool DestroyMouseDevice(IMouse* device) = 0;
    virtual IOrientation* CreateOrientationDevice() = 0;
    virtual Bool DestroyOrientationDevice(IOrientation* device) = 0;
    virtual IRawButton* CreateRawButtonDevice() = 0;
    virtual Bool DestroyRawButtonDevice(IRawButton* device) = 0;
    virtual IRawKeyboard* CreateRawKeyboardDevice() = 0;
    virtual Bool DestroyRawKeyboardDevice(IRawKeyboard* device) = 0;
    virtual IRawMouse* CreateRawMouseDevice() = 0;
    virtual Bool DestroyRawMouseDevice(IRawMouse* device) = 0;
    virtual ITouchScreen* CreateTouchScreenDevice() = 0;
    virtual Bool DestroyTouchScreenDevice(ITouchScreen* device) = 0;

    // Controls, forwarded to the output device handler.
    virtual Bool AddConfigurationControl(IConfigurationControl* control) = 0;
    virtual Bool RemoveConfigurationControl(IConfigurationControl* control) = 0;
    virtual Bool AddControlC(IControlable* control) = 0;
    virtual Bool RemoveControlC(IControlable* control) = 0;
    virtual Bool AddControlD(IControlable* control) = 0;
    virtual Bool RemoveControlD(IControlable* control) = 0;
    virtual Bool AddControlA(IControlable* control) = 0;
    virtual Bool RemoveControlA(IControlable* control) = 0;
    virtual Bool AddControlB(IControlable* control) = 0;
    virtual Bool RemoveControlB(IControlable* control) = 0;
    virtual Bool AddSystemDialogControl(ISystemDialogControl* control) = 0;
    virtual Bool RemoveSystemDialogControl(ISystemDialogControl* control) = 0;
    virtual Bool AddSystemFontControl(ISystemFontControl* control) = 0;
    virtual Bool RemoveSystemFontControl(ISystemFontControl* control) = 0;
    virtual Bool AddWebControl(IWebControl* control) = 0;
    virtual Bool RemoveWebControl(IWebControl* control) = 0;
    virtual Bool AddScreenshotControl(IScreenshotControl* control) = 0;
    virtual Bool RemoveScreenshotControl(IScreenshotControl* control) = 0;
    // The controls registered by identifier.
    virtual UInt32 GetNumberOfControls() = 0;
    virtual IControlable* GetControl(UInt32 position) = 0;

    // Set once by the platform before the engine starts; each returns true.
    virtual Bool SetDisplayInterface(IDisplayInterface* displayInterface) = 0;
    virtual Bool SetAudioInterface(IAudioInterface* audioInterface) = 0;
    virtual Bool SetFileInterface(IFileInterface* fileInterface) = 0;

    virtual ~IDeviceHandler() {}

    // What the engine and the loader reach through the hub; null until made or set.
    virtual Input::IDeviceHandler* GetInputDeviceHandler() = 0;
    virtual Input::ITouchableHandler* GetInputTouchableHandler() = 0;
    virtual Output::IDeviceHandler* GetOutputDeviceHandler() = 0;
    virtual IDisplayInterface* GetDisplayInterface() = 0;
    virtual IAudioInterface* GetAudioInterface() = 0;
    virtual IFileInterface* GetFileInterface() = 0;
};

} // namespace Vorn
