// The engine's device hub: makes and owns the input factory, input device handler and touchable
// handler, and the output factory and output device handler, and forwards the platform's device
// and control requests to them. Holds no device state of its own and no lock: the devices lock
// themselves, and the platform interfaces are set once before the engine starts.
#pragma once

#include "core/device_handler.h"

namespace Vorn {

namespace Input {
class Factory;
}

namespace Output {
class Factory;
}

namespace Core {

class DeviceHandler : public IDeviceHandler
{
public:
    DeviceHandler();
    // The owner calls DeInit first.
    ~DeviceHandler() override;

    DeviceHandler(const DeviceHandler&) = delete;
    DeviceHandler& operator=(const DeviceHandler&) = delete;

    Bool Init(IConfiguration* configuration) override;
    Bool DeInit() override;

    IAccelerometer* CreateAccelerometerDevice() override;
    Bool DestroyAccelerometerDevice(IAccelerometer* device) override;
    IGyroscope* CreateGyroscopeDevice() override;
    Bool DestroyGyroscopeDevice(IGyroscope* device) override;
    IJoystick* CreateJoystickDevice() override;
    Bool DestroyJoystickDevice(IJoystick* device) override;
    IKeyboard* CreateKeyboardDevice() override;
    Bool DestroyKeyboardDevice(IKeyboard* device) override;
    IMotion* CreateMotionDevice() override;
    Bool DestroyMotionDevice(IMotion* device) override;
    IMouse* CreateMouseDevice() override;
    Bool DestroyMouseDevice(IMouse* device) override;
    IOrientation* CreateOrientationDevice() override;
    Bool DestroyOrientationDevice(IOrientation* device) override;
    IRawButton* CreateRawButtonDevice() override;
    Bool DestroyRawButtonDevice(IRawButton* device) override;
    IRawKeyboard* CreateRawKeyboardDevice() override;
    Bool DestroyRawKeyboardDevice(IRawKeyboard* device) override;
    IRawMouse* CreateRawMouseDevice() override;
    Bool DestroyRawMouseDevice(IRawMouse* device) override;
    ITouchScreen* CreateTouchScreenDevice() override;
    Bool DestroyTouchScreenDevice(ITouchScreen* device) override;

    Bool AddConfigurationControl(IConfigurationControl* control) override;
    Bool RemoveConfigurationControl(IConfigurationControl* control) override;
    Bool AddControlC(IControlable* control) override;
    Bool RemoveControlC(IControlable* control) override;
    Bool AddControlD(IControlable* control) override;
    Bool RemoveControlD(IControlable* control) override;
    Bool AddControlA(IControlable* control) override;
    Bool RemoveControlA(IControlable* control) override;
    Bool AddControlB(IControlable* control) override;
    Bool RemoveControlB(IControlable* control) override;
    Bool AddSystemDialogControl(ISystemDialogControl* control) override;
    Bool RemoveSystemDialogControl(ISystemDialogControl* control) override;
    Bool AddSystemFontControl(ISystemFontControl* control) override;
    Bool RemoveSystemFontControl(ISystemFontControl* control) override;
    Bool AddWebControl(IWebControl* control) override;
    Bool RemoveWebControl(IWebControl* control) override;
    Bool AddScreenshotControl(IScreenshotControl* control) override;
    Bool RemoveScreenshotControl(IScreenshotControl* control) override;
    UInt32 GetNumberOfControls() override;
    IControlable* GetControl(UInt32 position) override;

    Bool SetDisplayInterface(IDisplayInterface* displayInterface) override;
    Bool SetAudioInterface(IAudioInterface* audioInterface) override;
    Bool SetFileInterface(IFileInterface* fileInterface) override;

    Input::IDeviceHandler* GetInputDeviceHandler() override;
    Input::ITouchableHandler* GetInputTouchableHandler() override;
    Output::IDeviceHandler* GetOutputDeviceHandler() override;
    IDisplayInterface* GetDisplayInterface() override;
    IAudioInterface* GetAudioInterface() override;
    IFileInterface* GetFileInterface() override;

private:
    // The input (output) side's call, or its empty answer while that side is not made.
    template <typename Result, typename... Arguments>
    Result ToInput(Result (Input::IDeviceHandler::*operation)(Arguments...), Arguments... arguments);
    template <typename Result, typename... Arguments>
    Result ToOutput(Result (Output::IDeviceHandler::*operation)(Arguments...), Arguments... arguments);

    Input::Factory* mInputFactory;
    Input::IDeviceHandler* mInputDeviceHandler;
    Input::ITouchableHandler* mInputTouchableHandler;
    Output::Factory* mOutputFactory;
    Output::IDeviceHandler* mOutputDeviceHandler;
    IDisplayInterface* mDisplayInterface;
    IAudioInterface* mAudioInterface;
    IFileInterface* mFileInterface;
    IConfiguration* mConfiguration;
};

} // namespace Core
} // namespace Vorn
