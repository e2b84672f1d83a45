// The engine's input devices as the engine's device handler and the logic thread call them: the
// platform's create and destroy requests per kind, the latch of every device once per logic step,
// and the hand-over of the pointers to the touchable handler. Implemented by Input::DeviceHandler.
#pragma once

#include "foundation/types.h"
#include "input/device.h"

namespace Vorn {

class IConfiguration;

namespace Input {

class ITouchableHandler;

// Per kind: Create makes a device with the next running index and returns its feed face;
// Destroy deletes a device of the kind (false when the kind does not hold it); Get turns a feed
// face into its read face; Get...Device gives the device at a position, null when the position
// is not below the count.
class IDeviceHandler
{
public:
    // Stores the configuration that devices read their orientation from.
    virtual Bool Init(IConfiguration* configuration) = 0;
    virtual Bool DeInit() = 0;
    virtual void ConfigChanged(IConfiguration* configuration, UInt32 stamp) = 0;

    virtual IAccelerometer* CreateAccelerometerDevice() = 0;
    virtual Bool DestroyAccelerometerDevice(IAccelerometer* device) = 0;
    virtual IAccelerometerDevice* GetAccelerometer(IAccelerometer* device) = 0;
    virtual IAccelerometerDevice* GetAccelerometerDevice(UInt32 index) = 0;
    virtual IGyroscope* CreateGyroscopeDevice() = 0;
    virtual Bool DestroyGyroscopeDevice(IGyroscope* device) = 0;
    virtual IGyroscopeDevice* GetGyroscope(IGyroscope* device) = 0;
    virtual IGyroscopeDevice* GetGyroscopeDevice(UInt32 index) = 0;
    virtual IJoystick* CreateJoystickDevice() = 0;
    virtual Bool DestroyJoystickDevice(IJoystick* device) = 0;
    virtual UInt32 GetNumberOfJoystickDevices() const = 0;
    virtual IJoystickDevice* GetJoystick(IJoystick* device) = 0;
    virtual IJoystickDevice* GetJoystickDevice(UInt32 index) = 0;
    virtual IKeyboard* CreateKeyboardDevice() = 0;
    virtual Bool DestroyKeyboardDevice(IKeyboard* device) = 0;
    virtual IKeyboardDevice* GetKeyboard(IKeyboard* device) = 0;
    virtual IKeyboardDevice* GetKeyboardDevice(UInt32 index) = 0;
    virtual IMotion* CreateMotionDevice() = 0;
    virtual Bool DestroyMotionDevice(IMotion* device) = 0;
    virtual IMotionDevice* GetMotion(IMotion* device) = 0;
    virtual IMotionDevice* GetMotionDevice(UInt32 index) = 0;
    virtual IMouse* CreateMouseDevice() = 0;
    virtual Bool DestroyMouseDevice(IMouse* device) = 0;
    virtual IMouseDevice* GetMouse(IMouse* device) = 0;
    virtual IMouseDevice* GetMouseDevice(UInt32 index) = 0;
    virtual IOrientation* CreateOrientationDevice() = 0;
    virtual Bool DestroyOrientationDevice(IOrientation* device) = 0;
    virtual IOrientationDevice* GetOrientation(IOrientation* device) = 0;
    virtual IOrientationDevice* GetOrientationDevice(UInt32 index) = 0;
    virtual IRawButton* CreateRawButtonDevice() = 0;
    virtual Bool DestroyRawButtonDevice(IRawButton* device) = 0;
    virtual IRawButtonDevice* GetRawButton(IRawButton* device) = 0;
    virtual IRawButtonDevice* GetRawButtonDevice(UInt32 index) = 0;
    virtual IRawKeyboard* CreateRawKeyboardDevice() = 0;
    virtual Bool DestroyRawKeyboardDevice(IRawKeyboard* device) = 0;
    virtual IRawKeyboardDevice* GetRawKeyboard(IRawKeyboard* device) = 0;
    virtual IRawKeyboardDevice* GetRawKeyboardDevice(UInt32 index) = 0;
    virtual IRawMouse* CreateRawMouseDevice() = 0;
    virtual Bool DestroyRawMouseDevice(IRawMouse* device) = 0;
    virtual IRawMouseDevice* GetRawMouse(IRawMouse* device) = 0;
    virtual IRawMouseDevice* GetRawMouseDevice(UInt32 index) = 0;
    virtual ITouchScreen* CreateTouchScreenDevice() = 0;
    virtual Bool DestroyTouchScreenDevice(ITouchScreen* device) = 0;
    virtual UInt32 GetNumberOfTouchScreenDevices() const = 0;
    virtual ITouchScreenDevice* GetTouchScreen(ITouchScreen* device) = 0;
    virtual ITouchScreenDevice* GetTouchScreenDevice(UInt32 index) = 0;

    // Latches every device, kind by kind, each kind in creation order.
    virtual Bool Update() = 0;
    // Clears the views that the graph registered in the last step.
    virtual Bool ResetTouchables(ITouchableHandler* touchableHandler) = 0;
    // Hands every mouse, then every touch screen, to the touchable handler.
    virtual Bool UpdateTouchables(ITouchableHandler* touchableHandler) = 0;
    virtual ~IDeviceHandler() {}
};

} // namespace Input
} // namespace Vorn
