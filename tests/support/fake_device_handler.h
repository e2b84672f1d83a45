// An engine device handler for engine tests: it holds the fake input and output device
// handlers, a fake touchable handler and fake display and audio interfaces, forwards the
// platform's requests to them, and lets tests reach each one.
#pragma once

#include "core/device_handler.h"
#include "tests/support/fake_audio_interface.h"
#include "tests/support/fake_display_interface.h"
#include "tests/support/fake_input_device_handler.h"
#include "tests/support/fake_output_device_handler.h"
#include "tests/support/fake_touchable_handler.h"

namespace Vorn {
namespace Testing {

class FakeDeviceHandler : public IDeviceHandler
{
public:
    FakeDeviceHandler() : mDisplayInterface(&mDisplay), mAudioInterface(&mAudio) {}

    Bool Init(IConfiguration* configuration) override { return mInput.Init(configuration) && mOutput.Init(); }
    Bool DeInit() override { return mOutput.DeInit() && mInput.DeInit(); }

    IAccelerometer* CreateAccelerometerDevice() override { return mInput.CreateAccelerometerDevice(); }
    Bool DestroyAccelerometerDevice(IAccelerometer* device) override { return mInput.DestroyAccelerometerDevice(device); }
    IGyroscope* CreateGyroscopeDevice() override { return mInput.CreateGyroscopeDevice(); }
    Bool DestroyGyroscopeDevice(IGyroscope* device) override { return mInput.DestroyGyroscopeDevice(device); }
    IJoystick* CreateJoystickDevice() override { return mInput.CreateJoystickDevice(); }
    Bool DestroyJoystickDevice(IJoystick* device) override { return mInput.DestroyJoystickDevice(device); }
    IKeyboard* CreateKeyboardDevice() override { return mInput.CreateKeyboardDevice(); }
    Bool DestroyKeyboardDevice(IKeyboard* device) override { return mInput.DestroyKeyboardDevice(device); }
    IMotion* CreateMotionDevice() override { return mInput.CreateMotionDevice(); }
    Bool DestroyMotionDevice(IMotion* device) override { return mInput.DestroyMotionDevice(device); }
    IMouse* CreateMouseDevice() override { return mInput.CreateMouseDevice(); }
    Bool DestroyMouseDevice(IMouse* device) override { return mInput.DestroyMouseDevice(device); }
    IOrientation* CreateOrientationDevice() override { return mInput.CreateOrientationDevice(); }
    Bool DestroyOrientationDevice(IOrientation* device) override { return mInput.DestroyOrientationDevice(device); }
    IRawButton* CreateRawButtonDevice() override { return mInput.CreateRawButtonDevice(); }
    Bool DestroyRawButtonDevice(IRawButton* device) override { return mInput.DestroyRawButtonDevice(device); }
    IRawKeyboard* CreateRawKeyboardDevice() override { return mInput.CreateRawKeyboardDevice(); }
    Bool DestroyRawKeyboardDevice(IRawKeyboard* device) override { return mInput.DestroyRawKeyboardDevice(device); }
    IRawMouse* CreateRawMouseDevice() override { return mInput.CreateRawMouseDevice(); }
    Bool DestroyRawMouseDevice(IRawMouse* device) override { return mInput.DestroyRawMouseDevice(device); }
    ITouchScreen* CreateTouchScreenDevice() override { return mInput.CreateTouchScreenDevice(); }
    Bool DestroyTouchScreenDevice(ITouchScreen* device) override { return mInput.DestroyTouchScreenDevice(device); }

    Bool AddConfigurationControl(IConfigurationControl* control) override { return mOutput.AddConfigurationControl(control); }
    Bool RemoveConfigurationControl(IConfigurationControl* control) override { return mOutput.RemoveConfigurationControl(control); }
    Bool AddControlC(IControlable* control) override { return mOutput.AddControlC(control); }
    Bool RemoveControlC(IControlable* control) override { return mOutput.RemoveControlC(control); }
    Bool AddControlD(IControlable* control) override { return mOutput.AddControlD(control); }
    Bool RemoveControlD(IControlable* control) override { return mOutput.RemoveControlD(control); }
    Bool AddControlA(IControlable* control) override { return mOutput.AddControlA(control); }
    Bool RemoveControlA(IControlable* control) override { return mOutput.RemoveControlA(control); }
    Bool AddControlB(IControlable* control) override { return mOutput.AddControlB(control); }
    Bool RemoveControlB(IControlable* control) override { return mOutput.RemoveControlB(control); }
    Bool AddSystemDialogControl(ISystemDialogControl* control) override { return mOutput.AddSystemDialogControl(control); }
    Bool RemoveSystemDialogControl(ISystemDialogControl* control) override { return mOutput.RemoveSystemDialogControl(control); }
    Bool AddSystemFontControl(ISystemFontControl* control) override { return mOutput.AddSystemFontControl(control); }
    Bool RemoveSystemFontControl(ISystemFontControl* control) override { return mOutput.RemoveSystemFontControl(control); }
    Bool AddWebControl(IWebControl* control) override { return mOutput.AddWebControl(control); }
    Bool RemoveWebControl(IWebControl* control) override { return mOutput.RemoveWebControl(control); }
    Bool AddScreenshotControl(IScreenshotControl* control) override { return mOutput.AddScreenshotControl(control); }
    Bool RemoveScreenshotControl(IScreenshotControl* control) override { return mOutput.RemoveScreenshotControl(control); }
    UInt32 GetNumberOfControls() override { return mOutput.GetNumberOfControls(); }
    IControlable* GetControl(UInt32 position) override { return mOutput.GetControl(position); }

    Bool SetDisplayInterface(IDisplayInterface* displayInterface) override
    {
        mDisplayInterface = displayInterface;
        return true;
    }
    Bool SetAudioInterface(IAudioInterface* audioInterface) override
    {
        mAudioInterface = audioInterface;
        return true;
    }
    Bool SetFileInterface(IFileInterface* fileInterface) override
    {
        mFileInterface = fileInterface;
        return true;
    }

    Input::IDeviceHandler* GetInputDeviceHandler() override { return &mInput; }
    Input::ITouchableHandler* GetInputTouchableHandler() override { return &mTouchables; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return &mOutput; }
    IDisplayInterface* GetDisplayInterface() override { return mDisplayInterface; }
    IAudioInterface* GetAudioInterface() override { return mAudioInterface; }
    IFileInterface* GetFileInterface() override { return mFileInterface; }

    FakeInputDeviceHandler mInput;
    FakeTouchableHandler mTouchables;
    FakeOutputDeviceHandler mOutput;
    FakeDisplayInterface mDisplay;
    FakeAudioInterface mAudio;
    IDisplayInterface* mDisplayInterface;
    IAudioInterface* mAudioInterface;
    IFileInterface* mFileInterface = nullptr;
};

} // namespace Testing
} // namespace Vorn
