#include "input/input_device_handler.h"

#include "foundation/debug.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Input {

DeviceHandler::DeviceHandler() : mDeviceIndex(0), mConfiguration(nullptr) {}

DeviceHandler::~DeviceHandler() = default;

Bool DeviceHandler::Init(IConfiguration* configuration)
{
    mConfiguration = configuration;
    return true;
}

Bool DeviceHandler::DeInit()
{
    return true;
}

template <class Operation>
void DeviceHandler::ForEachDevice(Operation operation)
{
    mAccelerometers.ForEach(operation);
    mGyroscopes.ForEach(operation);
    mJoysticks.ForEach(operation);
    mKeyboards.ForEach(operation);
    mMotions.ForEach(operation);
    mMice.ForEach(operation);
    mOrientations.ForEach(operation);
    mRawButtons.ForEach(operation);
    mRawKeyboards.ForEach(operation);
    mRawMice.ForEach(operation);
    mTouchScreens.ForEach(operation);
}

void DeviceHandler::ConfigChanged(IConfiguration* configuration, UInt32 stamp)
{
    mConfiguration = configuration;
    ForEachDevice([configuration, stamp](IDevice& device) { device.ConfigChanged(configuration, stamp); });
}

Bool DeviceHandler::Update()
{
    ForEachDevice([](IDevice& device) { device.Update(); });
    return true;
}

Bool DeviceHandler::ResetTouchables(ITouchableHandler* touchableHandler)
{
    if (!touchableHandler) {
        Debug::Trace("Input::DeviceHandler::ResetTouchables(): No touchable handler");
        return false;
    }
    return touchableHandler->ClearViews();
}

Bool DeviceHandler::UpdateTouchables(ITouchableHandler* touchableHandler)
{
    if (!touchableHandler) {
        Debug::Trace("Input::DeviceHandler::UpdateTouchables(): No touchable handler");
        return false;
    }
    touchableHandler->BeginPointers();
    for (UInt32 i = 0; i < mMice.GetCount(); ++i) {
        const MouseDevice* mouse = mMice.At(i);
        touchableHandler->ProcessPointer(mouse->GetIndex(), mouse, mouse->HasMoved(), mouse->GetPositionX(),
                                         mouse->GetPositionY(), false);
    }
    for (UInt32 i = 0; i < mTouchScreens.GetCount(); ++i) {
        const TouchScreenDevice* touch = mTouchScreens.At(i);
        touchableHandler->ProcessPointer(touch->GetIndex(), touch, touch->HasMoved(), touch->GetPositionX(),
                                         touch->GetPositionY(), touch->WasCancelled());
    }
    touchableHandler->EndPointers();
    return true;
}

IAccelerometer* DeviceHandler::CreateAccelerometerDevice()
{
    return mAccelerometers.Add(new AccelerometerDevice(++mDeviceIndex, mConfiguration));
}

Bool DeviceHandler::DestroyAccelerometerDevice(IAccelerometer* device)
{
    return mAccelerometers.Remove(device);
}

IAccelerometerDevice* DeviceHandler::GetAccelerometer(IAccelerometer* device)
{
    return static_cast<IAccelerometerDevice*>(device);
}

IAccelerometerDevice* DeviceHandler::GetAccelerometerDevice(UInt32 index)
{
    return mAccelerometers.At(index);
}

IGyroscope* DeviceHandler::CreateGyroscopeDevice()
{
    return mGyroscopes.Add(new GyroscopeDevice(++mDeviceIndex, mConfiguration));
}

Bool DeviceHandler::DestroyGyroscopeDevice(IGyroscope* device)
{
    return mGyroscopes.Remove(device);
}

IGyroscopeDevice* DeviceHandler::GetGyroscope(IGyroscope* device)
{
    return static_cast<IGyroscopeDevice*>(device);
}

IGyroscopeDevice* DeviceHandler::GetGyroscopeDevice(UInt32 index)
{
    return mGyroscopes.At(index);
}

IJoystick* DeviceHandler::CreateJoystickDevice()
{
    return mJoysticks.Add(new JoystickDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyJoystickDevice(IJoystick* device)
{
    return mJoysticks.Remove(device);
}

UInt32 DeviceHandler::GetNumberOfJoystickDevices() const
{
    return mJoysticks.GetCount();
}

IJoystickDevice* DeviceHandler::GetJoystick(IJoystick* device)
{
    return static_cast<IJoystickDevice*>(device);
}

IJoystickDevice* DeviceHandler::GetJoystickDevice(UInt32 index)
{
    return mJoysticks.At(index);
}

IKeyboard* DeviceHandler::CreateKeyboardDevice()
{
    return mKeyboards.Add(new KeyboardDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyKeyboardDevice(IKeyboard* device)
{
    return mKeyboards.Remove(device);
}

IKeyboardDevice* DeviceHandler::GetKeyboard(IKeyboard* device)
{
    return static_cast<IKeyboardDevice*>(device);
}

IKeyboardDevice* DeviceHandler::GetKeyboardDevice(UInt32 index)
{
    return mKeyboards.At(index);
}

IMotion* DeviceHandler::CreateMotionDevice()
{
    return mMotions.Add(new MotionDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyMotionDevice(IMotion* device)
{
    return mMotions.Remove(device);
}

IMotionDevice* DeviceHandler::GetMotion(IMotion* device)
{
    return static_cast<IMotionDevice*>(device);
}

IMotionDevice* DeviceHandler::GetMotionDevice(UInt32 index)
{
    return mMotions.At(index);
}

IMouse* DeviceHandler::CreateMouseDevice()
{
    return mMice.Add(new MouseDevice(++mDeviceIndex, mConfiguration));
}

Bool DeviceHandler::DestroyMouseDevice(IMouse* device)
{
    return mMice.Remove(device);
}

IMouseDevice* DeviceHandler::GetMouse(IMouse* device)
{
    return static_cast<IMouseDevice*>(device);
}

IMouseDevice* DeviceHandler::GetMouseDevice(UInt32 index)
{
    return mMice.At(index);
}

IOrientation* DeviceHandler::CreateOrientationDevice()
{
    return mOrientations.Add(new OrientationDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyOrientationDevice(IOrientation* device)
{
    return mOrientations.Remove(device);
}

IOrientationDevice* DeviceHandler::GetOrientation(IOrientation* device)
{
    return static_cast<IOrientationDevice*>(device);
}

IOrientationDevice* DeviceHandler::GetOrientationDevice(UInt32 index)
{
    return mOrientations.At(index);
}

IRawButton* DeviceHandler::CreateRawButtonDevice()
{
    return mRawButtons.Add(new RawButtonDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyRawButtonDevice(IRawButton* device)
{
    return mRawButtons.Remove(device);
}

IRawButtonDevice* DeviceHandler::GetRawButton(IRawButton* device)
{
    return static_cast<IRawButtonDevice*>(device);
}

IRawButtonDevice* DeviceHandler::GetRawButtonDevice(UInt32 index)
{
    return mRawButtons.At(index);
}

IRawKeyboard* DeviceHandler::CreateRawKeyboardDevice()
{
    return mRawKeyboards.Add(new RawKeyboardDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyRawKeyboardDevice(IRawKeyboard* device)
{
    return mRawKeyboards.Remove(device);
}

IRawKeyboardDevice* DeviceHandler::GetRawKeyboard(IRawKeyboard* device)
{
    return static_cast<IRawKeyboardDevice*>(device);
}

IRawKeyboardDevice* DeviceHandler::GetRawKeyboardDevice(UInt32 index)
{
    return mRawKeyboards.At(index);
}

IRawMouse* DeviceHandler::CreateRawMouseDevice()
{
    return mRawMice.Add(new RawMouseDevice(++mDeviceIndex));
}

Bool DeviceHandler::DestroyRawMouseDevice(IRawMouse* device)
{
    return mRawMice.Remove(device);
}

IRawMouseDevice* DeviceHandler::GetRawMouse(IRawMouse* device)
{
    return static_cast<IRawMouseDevice*>(device);
}

IRawMouseDevice* DeviceHandler::GetRawMouseDevice(UInt32 index)
{
    return mRawMice.At(index);
}

ITouchScreen* DeviceHandler::CreateTouchScreenDevice()
{
    return mTouchScreens.Add(new TouchScreenDevice(++mDeviceIndex, mConfiguration));
}

Bool DeviceHandler::DestroyTouchScreenDevice(ITouchScreen* device)
{
    return mTouchScreens.Remove(device);
}

UInt32 DeviceHandler::GetNumberOfTouchScreenDevices() const
{
    return mTouchScreens.GetCount();
}

ITouchScreenDevice* DeviceHandler::GetTouchScreen(ITouchScreen* device)
{
    return static_cast<ITouchScreenDevice*>(device);
}

ITouchScreenDevice* DeviceHandler::GetTouchScreenDevice(UInt32 index)
{
    return mTouchScreens.At(index);
}

} // namespace Input
} // namespace Vorn
