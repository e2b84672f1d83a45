// An input device handler for engine and logic tests: it makes no devices (creates and gets give
// null, as for a platform without them) and records the calls it receives in order, so that a test
// can check what its caller forwarded and when it latched and handed over the pointers.
#pragma once

#include <string>
#include <vector>

#include "input/device_handler.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Testing {

class FakeInputDeviceHandler : public Input::IDeviceHandler
{
public:
    std::vector<std::string> mCalls;
    IConfiguration* mConfiguration = nullptr;
    Input::ITouchableHandler* mTouchableHandler = nullptr;

    Bool Init(IConfiguration* configuration) override
    {
        mConfiguration = configuration;
        Record("Init");
        return true;
    }
    Bool DeInit() override { Record("DeInit"); return true; }
    void ConfigChanged(IConfiguration* configuration, UInt32) override
    {
        mConfiguration = configuration;
        Record("ConfigChanged");
    }

    IAccelerometer* CreateAccelerometerDevice() override { Record("CreateAccelerometerDevice"); return nullptr; }
    Bool DestroyAccelerometerDevice(IAccelerometer*) override { Record("DestroyAccelerometerDevice"); return false; }
    Input::IAccelerometerDevice* GetAccelerometer(IAccelerometer*) override { return nullptr; }
    Input::IAccelerometerDevice* GetAccelerometerDevice(UInt32) override { return nullptr; }
    IGyroscope* CreateGyroscopeDevice() override { Record("CreateGyroscopeDevice"); return nullptr; }
    Bool DestroyGyroscopeDevice(IGyroscope*) override { Record("DestroyGyroscopeDevice"); return false; }
    Input::IGyroscopeDevice* GetGyroscope(IGyroscope*) override { return nullptr; }
    Input::IGyroscopeDevice* GetGyroscopeDevice(UInt32) override { return nullptr; }
    IJoystick* CreateJoystickDevice() override { Record("CreateJoystickDevice"); return nullptr; }
    Bool DestroyJoystickDevice(IJoystick*) override { Record("DestroyJoystickDevice"); return false; }
    UInt32 GetNumberOfJoystickDevices() const override { return 0; }
    Input::IJoystickDevice* GetJoystick(IJoystick*) override { return nullptr; }
    Input::IJoystickDevice* GetJoystickDevice(UInt32) override { return nullptr; }
    IKeyboard* CreateKeyboardDevice() override { Record("CreateKeyboardDevice"); return nullptr; }
    Bool DestroyKeyboardDevice(IKeyboard*) override { Record("DestroyKeyboardDevice"); return false; }
    Input::IKeyboardDevice* GetKeyboard(IKeyboard*) override { return nullptr; }
    Input::IKeyboardDevice* GetKeyboardDevice(UInt32) override { return nullptr; }
    IMotion* CreateMotionDevice() override { Record("CreateMotionDevice"); return nullptr; }
    Bool DestroyMotionDevice(IMotion*) override { Record("DestroyMotionDevice"); return false; }
    Input::IMotionDevice* GetMotion(IMotion*) override { return nullptr; }
    Input::IMotionDevice* GetMotionDevice(UInt32) override { return nullptr; }
    IMouse* CreateMouseDevice() override { Record("CreateMouseDevice"); return nullptr; }
    Bool DestroyMouseDevice(IMouse*) override { Record("DestroyMouseDevice"); return false; }
    Input::IMouseDevice* GetMouse(IMouse*) override { return nullptr; }
    Input::IMouseDevice* GetMouseDevice(UInt32) override { return nullptr; }
    IOrientation* CreateOrientationDevice() override { Record("CreateOrientationDevice"); return nullptr; }
    Bool DestroyOrientationDevice(IOrientation*) override { Record("DestroyOrientationDevice"); return false; }
    Input::IOrientationDevice* GetOrientation(IOrientation*) override { return nullptr; }
    Input::IOrientationDevice* GetOrientationDevice(UInt32) override { return nullptr; }
    IRawButton* CreateRawButtonDevice() override { Record("CreateRawButtonDevice"); return nullptr; }
    Bool DestroyRawButtonDevice(IRawButton*) override { Record("DestroyRawButtonDevice"); return false; }
    Input::IRawButtonDevice* GetRawButton(IRawButton*) override { return nullptr; }
    Input::IRawButtonDevice* GetRawButtonDevice(UInt32) override { return nullptr; }
    IRawKeyboard* CreateRawKeyboardDevice() override { Record("CreateRawKeyboardDevice"); return nullptr; }
    Bool DestroyRawKeyboardDevice(IRawKeyboard*) override { Record("DestroyRawKeyboardDevice"); return false; }
    Input::IRawKeyboardDevice* GetRawKeyboard(IRawKeyboard*) override { return nullptr; }
    Input::IRawKeyboardDevice* GetRawKeyboardDevice(UInt32) override { return nullptr; }
    IRawMouse* CreateRawMouseDevice() override { Record("CreateRawMouseDevice"); return nullptr; }
    Bool DestroyRawMouseDevice(IRawMouse*) override { Record("DestroyRawMouseDevice"); return false; }
    Input::IRawMouseDevice* GetRawMouse(IRawMouse*) override { return nullptr; }
    Input::IRawMouseDevice* GetRawMouseDevice(UInt32) override { return nullptr; }
    ITouchScreen* CreateTouchScreenDevice() override { Record("CreateTouchScreenDevice"); return nullptr; }
    Bool DestroyTouchScreenDevice(ITouchScreen*) override { Record("DestroyTouchScreenDevice"); return false; }
    UInt32 GetNumberOfTouchScreenDevices() const override { return 0; }
    Input::ITouchScreenDevice* GetTouchScreen(ITouchScreen*) override { return nullptr; }
    Input::ITouchScreenDevice* GetTouchScreenDevice(UInt32) override { return nullptr; }

    Bool Update() override { Record("Update"); return true; }
    Bool ResetTouchables(Input::ITouchableHandler* touchableHandler) override
    {
        mTouchableHandler = touchableHandler;
        Record("ResetTouchables");
        return true;
    }
    Bool UpdateTouchables(Input::ITouchableHandler* touchableHandler) override
    {
        mTouchableHandler = touchableHandler;
        Record("UpdateTouchables");
        return true;
    }

private:
    void Record(const char* call) { mCalls.push_back(call); }
};

} // namespace Testing
} // namespace Vorn
