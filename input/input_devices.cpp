#include "input/input_devices.h"

#include <algorithm>
#include <cmath>

#include "foundation/configuration.h"

namespace Vorn {
namespace Input {

namespace {

typedef std::lock_guard<std::mutex> Hold;

Float Clamp(Float value, Float low, Float high)
{
    return std::clamp(value, low, high);
}

// Equal values, where two values that are not numbers count as equal: a pointer left at such a
// position does not read as moving.
Bool Same(Float a, Float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

UInt32 ScreenOrientationOf(IConfiguration* configuration)
{
    return configuration ? UInt32(configuration->GetScreenOrientation()) : 0;
}

UInt32 DeviceOrientationOf(IConfiguration* configuration)
{
    return configuration ? UInt32(configuration->GetDeviceOrientation()) : 0;
}

// Sums fed deltas as the hardware counters do, wrapping instead of overflowing.
SInt32 AddWrapping(SInt32 sum, SInt32 value)
{
    return SInt32(UInt32(sum) + UInt32(value));
}

} // namespace

void ButtonState::Feed(UInt32 action)
{
    // A press after a release within one step merges with it: the button is down again, so no
    // release may be reported after the press.
    if (action == InputAction::kDown) {
        fedDown = true;
        fedUp = false;
    } else if (action == InputAction::kUp) {
        fedUp = true;
    }
}

void ButtonState::Latch()
{
    pressed = false;
    released = false;
    if (fedDown) {
        fedDown = false;
        releasePending = fedUp;
        fedUp = false;
        held = true;
        pressed = true;
    } else if (fedUp || releasePending) {
        fedUp = false;
        releasePending = false;
        held = false;
        released = true;
    }
}

void MapOrientation(UInt32 orientation, Float x, Float y, Float& mappedX, Float& mappedY)
{
    switch (Enums::ScreenOrientation(orientation)) {
    case Enums::ScreenOrientation::LANDSCAPE_1:
        mappedX = -y;
        mappedY = x;
        break;
    case Enums::ScreenOrientation::PORTRAIT_2:
        mappedX = -x;
        mappedY = -y;
        break;
    case Enums::ScreenOrientation::LANDSCAPE_2:
        mappedX = y;
        mappedY = -x;
        break;
    default:
        mappedX = x;
        mappedY = y;
        break;
    }
}

template <class ReadFace, Bool kDeviceOrientation>
AxesDevice<ReadFace, kDeviceOrientation>::AxesDevice(UInt32 index, IConfiguration* configuration)
    : DeviceBase<ReadFace>(index)
{
    ConfigChanged(configuration, 0);
}

template <class ReadFace, Bool kDeviceOrientation>
void AxesDevice<ReadFace, kDeviceOrientation>::SetValues(Float x, Float y, Float z)
{
    Hold hold(this->mLock);
    mFedX = x;
    mFedY = y;
    mFedZ = z;
}

template <class ReadFace, Bool kDeviceOrientation>
Bool AxesDevice<ReadFace, kDeviceOrientation>::Update()
{
    Hold hold(this->mLock);
    MapOrientation(mOrientation, mFedX, mFedY, mX, mY);
    mZ = mFedZ;
    return true;
}

template <class ReadFace, Bool kDeviceOrientation>
void AxesDevice<ReadFace, kDeviceOrientation>::ConfigChanged(IConfiguration* configuration, UInt32)
{
    Hold hold(this->mLock);
    mOrientation = kDeviceOrientation ? DeviceOrientationOf(configuration) : ScreenOrientationOf(configuration);
}

template class AxesDevice<IAccelerometerDevice, true>;
template class AxesDevice<IGyroscopeDevice, false>;

void JoystickDevice::SetAxis(UInt32 axis, Float value)
{
    Hold hold(mLock);
    if (axis == 1 || axis == 2)
        mFedAxes[axis] = Clamp(value, 0.0f, 1.0f);
    else if (axis >= 3 && axis < kNumberOfAxes)
        mFedAxes[axis] = Clamp(value, -1.0f, 1.0f);
}

void JoystickDevice::SetButton(UInt32 index, Bool down)
{
    Hold hold(mLock);
    if (index < kNumberOfButtons)
        mButtons.buttons[index].Feed(down ? InputAction::kDown : InputAction::kUp);
}

Bool JoystickDevice::Update()
{
    Hold hold(mLock);
    mButtons.Latch();
    std::copy(mFedAxes, mFedAxes + kNumberOfAxes, mAxes);
    return true;
}

void KeyboardDevice::AddText(const String& text)
{
    Hold hold(mLock);
    mFedTexts.Add(text);
}

Bool KeyboardDevice::Update()
{
    Hold hold(mLock);
    mTexts = mFedTexts;
    mFedTexts.Clear();
    return true;
}

String KeyboardDevice::GetText(UInt32 index) const
{
    return index < UInt32(mTexts.GetCount()) ? mTexts[SInt32(index)] : String();
}

void MotionDevice::SetMotion(UInt32 action)
{
    Hold hold(mLock);
    if (action == 1)
        mFedActive = true;
    else if (action == 2 || action == 3)
        mFedActive = false;
}

Bool MotionDevice::Update()
{
    Hold hold(mLock);
    mEnded = mActive && !mFedActive;
    mActive = mFedActive;
    return true;
}

MouseDevice::MouseDevice(UInt32 index, IConfiguration* configuration) : DeviceBase(index)
{
    ConfigChanged(configuration, 0);
}

void MouseDevice::SetPointer(UInt32 action, UInt32 button, Float x, Float y)
{
    Hold hold(mLock);
    if (button < kNumberOfButtons)
        mButtons.buttons[button].Feed(action);
    mFedX = x;
    mFedY = y;
}

Bool MouseDevice::Update()
{
    Hold hold(mLock);
    mButtons.Latch();
    const Float x = Clamp(mFedX, -1.0f, 1.0f);
    const Float y = Clamp(mFedY, -1.0f, 1.0f);
    // A value that is not a number compares unequal to itself: it reads as outside.
    mInsideX = x == mFedX;
    mInsideY = y == mFedY;
    mMoved = !Same(x, mPreviousX) || !Same(y, mPreviousY);
    mPreviousX = x;
    mPreviousY = y;
    MapOrientation(mOrientation, x, y, mX, mY);
    return true;
}

void MouseDevice::ConfigChanged(IConfiguration* configuration, UInt32)
{
    Hold hold(mLock);
    mOrientation = ScreenOrientationOf(configuration);
}

void OrientationDevice::SetOrientation(UInt32 orientation)
{
    Hold hold(mLock);
    if (orientation < 7)
        mFedOrientation = SInt32(orientation);
}

Bool OrientationDevice::Update()
{
    Hold hold(mLock);
    mOrientation = mFedOrientation;
    return true;
}

template <class ReadFace, UInt32 kCount>
void ButtonRowDevice<ReadFace, kCount>::Feed(UInt32 action, UInt32 index)
{
    Hold hold(this->mLock);
    if (index >= kCount)
        return;
    ButtonState& button = mButtons.buttons[index];
    if (action == InputAction::kDown) {
        if (!button.held)
            button.fedDown = true;
    } else if (action == InputAction::kUp) {
        button.fedUp = true;
    } else if (action == InputAction::kClear) {
        mButtons.Clear();
    }
}

template <class ReadFace, UInt32 kCount>
Bool ButtonRowDevice<ReadFace, kCount>::Update()
{
    Hold hold(this->mLock);
    mButtons.Latch();
    return true;
}

template class ButtonRowDevice<IRawButtonDevice, 5>;
template class ButtonRowDevice<IRawKeyboardDevice, 238>;

void RawMouseDevice::SetMotion(UInt32 action, SInt32 a, SInt32 b)
{
    Hold hold(mLock);
    if (action == 1) {
        mFedDeltaX = AddWrapping(mFedDeltaX, a);
        mFedDeltaY = AddWrapping(mFedDeltaY, b);
    } else if (action == 2) {
        mFedWheelA = AddWrapping(mFedWheelA, a);
        mFedWheelB = AddWrapping(mFedWheelB, b);
    }
}

Bool RawMouseDevice::Update()
{
    Hold hold(mLock);
    mDeltaX = mFedDeltaX;
    mDeltaY = mFedDeltaY;
    mWheelA = mFedWheelA;
    mWheelB = mFedWheelB;
    mFedDeltaX = mFedDeltaY = mFedWheelA = mFedWheelB = 0;
    return true;
}

TouchScreenDevice::TouchScreenDevice(UInt32 index, IConfiguration* configuration) : DeviceBase(index)
{
    ConfigChanged(configuration, 0);
}

void TouchScreenDevice::SetTouch(UInt32 action, Float x, Float y)
{
    Hold hold(mLock);
    if (action == InputAction::kCancel)
        mFedCancel = true;
    else
        mButton.Feed(action);
    mFedX = Clamp(x, -1.0f, 1.0f);
    mFedY = Clamp(y, -1.0f, 1.0f);
}

Bool TouchScreenDevice::Update()
{
    Hold hold(mLock);
    mCancelled = mFedCancel;
    if (mFedCancel) {
        mFedCancel = false;
        mButton.Clear();
        mMoved = false;
    } else {
        mButton.Latch();
        mMoved = !Same(mFedX, mPreviousX) || !Same(mFedY, mPreviousY);
        mPreviousX = mFedX;
        mPreviousY = mFedY;
    }
    MapOrientation(mOrientation, mFedX, mFedY, mX, mY);
    return true;
}

void TouchScreenDevice::ConfigChanged(IConfiguration* configuration, UInt32)
{
    Hold hold(mLock);
    mOrientation = ScreenOrientationOf(configuration);
}

} // namespace Input
} // namespace Vorn
