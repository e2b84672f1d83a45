// The engine's input devices, eleven kinds of them, owned by one handler that latches them once
// per logic step and hands the pointers to the touchable handler. Created by Input::Factory for
// the engine's device handler.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"
#include "input/device_handler.h"
#include "input/input_devices.h"

namespace Vorn {
namespace Input {

class DeviceHandler : public IDeviceHandler
{
public:
    DeviceHandler();
    ~DeviceHandler() override;

    Bool Init(IConfiguration* configuration) override;
    Bool DeInit() override;
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;

    IAccelerometer* CreateAccelerometerDevice() override;
    Bool DestroyAccelerometerDevice(IAccelerometer* device) override;
    IAccelerometerDevice* GetAccelerometer(IAccelerometer* device) override;
    IAccelerometerDevice* GetAccelerometerDevice(UInt32 index) override;
    IGyroscope* CreateGyroscopeDevice() override;
    Bool DestroyGyroscopeDevice(IGyroscope* device) override;
    IGyroscopeDevice* GetGyroscope(IGyroscope* device) override;
    IGyroscopeDevice* GetGyroscopeDevice(UInt32 index) override;
    IJoystick* CreateJoystickDevice() override;
    Bool DestroyJoystickDevice(IJoystick* device) override;
    UInt32 GetNumberOfJoystickDevices() const override;
    IJoystickDevice* GetJoystick(IJoystick* device) override;
    IJoystickDevice* GetJoystickDevice(UInt32 index) override;
    IKeyboard* CreateKeyboardDevice() override;
    Bool DestroyKeyboardDevice(IKeyboard* device) override;
    IKeyboardDevice* GetKeyboard(IKeyboard* device) override;
    IKeyboardDevice* GetKeyboardDevice(UInt32 index) override;
    IMotion* CreateMotionDevice() override;
    Bool DestroyMotionDevice(IMotion* device) override;
    IMotionDevice* GetMotion(IMotion* device) override;
    IMotionDevice* GetMotionDevice(UInt32 index) override;
    IMouse* CreateMouseDevice() override;
    Bool DestroyMouseDevice(IMouse* device) override;
    IMouseDevice* GetMouse(IMouse* device) override;
    IMouseDevice* GetMouseDevice(UInt32 index) override;
    IOrientation* CreateOrientationDevice() override;
    Bool DestroyOrientationDevice(IOrientation* device) override;
    IOrientationDevice* GetOrientation(IOrientation* device) override;
    IOrientationDevice* GetOrientationDevice(UInt32 index) override;
    IRawButton* CreateRawButtonDevice() override;
    Bool DestroyRawButtonDevice(IRawButton* device) override;
    IRawButtonDevice* GetRawButton(IRawButton* device) override;
    IRawButtonDevice* GetRawButtonDevice(UInt32 index) override;
    IRawKeyboard* CreateRawKeyboardDevice() override;
    Bool DestroyRawKeyboardDevice(IRawKeyboard* device) override;
    IRawKeyboardDevice* GetRawKeyboard(IRawKeyboard* device) override;
    IRawKeyboardDevice* GetRawKeyboardDevice(UInt32 index) override;
    IRawMouse* CreateRawMouseDevice() override;
    Bool DestroyRawMouseDevice(IRawMouse* device) override;
    IRawMouseDevice* GetRawMouse(IRawMouse* device) override;
    IRawMouseDevice* GetRawMouseDevice(UInt32 index) override;
    ITouchScreen* CreateTouchScreenDevice() override;
    Bool DestroyTouchScreenDevice(ITouchScreen* device) override;
    UInt32 GetNumberOfTouchScreenDevices() const override;
    ITouchScreenDevice* GetTouchScreen(ITouchScreen* device) override;
    ITouchScreenDevice* GetTouchScreenDevice(UInt32 index) override;

    Bool Update() override;
    Bool ResetTouchables(ITouchableHandler* touchableHandler) override;
    Bool UpdateTouchables(ITouchableHandler* touchableHandler) override;

private:
    // The owned devices of one kind, in creation order.
    template <class Device, class Feed>
    class DeviceList
    {
    public:
        ~DeviceList()
        {
            for (Device* device : mDevices)
                delete device;
        }
        Feed* Add(Device* device)
        {
            mDevices.Add(device);
            return device;
        }
        // False when the kind does not hold the device.
        Bool Remove(Feed* device)
        {
            for (SInt32 i = 0; i < mDevices.GetCount(); ++i) {
                if (static_cast<Feed*>(mDevices[i]) == device) {
                    delete mDevices[i];
                    mDevices.RemoveAt(i);
                    return true;
                }
            }
            return false;
        }
        Device* At(UInt32 index) const { return index < GetCount() ? mDevices[SInt32(index)] : nullptr; }
        UInt32 GetCount() const { return UInt32(mDevices.GetCount()); }
        template <class Operation>
        void ForEach(Operation& operation)
        {
            for (Device* device : mDevices)
                operation(*device);
        }

    private:
        Array<Device*> mDevices;
    };

    DeviceHandler(const DeviceHandler&) = delete;
    DeviceHandler& operator=(const DeviceHandler&) = delete;

    // Every device, kind by kind in the order of the handler's lists.
    template <class Operation>
    void ForEachDevice(Operation operation);

    UInt32 mDeviceIndex;
    IConfiguration* mConfiguration;
    DeviceList<AccelerometerDevice, IAccelerometer> mAccelerometers;
    DeviceList<GyroscopeDevice, IGyroscope> mGyroscopes;
    DeviceList<JoystickDevice, IJoystick> mJoysticks;
    DeviceList<KeyboardDevice, IKeyboard> mKeyboards;
    DeviceList<MotionDevice, IMotion> mMotions;
    DeviceList<MouseDevice, IMouse> mMice;
    DeviceList<OrientationDevice, IOrientation> mOrientations;
    DeviceList<RawButtonDevice, IRawButton> mRawButtons;
    DeviceList<RawKeyboardDevice, IRawKeyboard> mRawKeyboards;
    DeviceList<RawMouseDevice, IRawMouse> mRawMice;
    DeviceList<TouchScreenDevice, ITouchScreen> mTouchScreens;
};

} // namespace Input
} // namespace Vorn
