// The engine's input devices, one class per kind. Each takes events through its feed face under
// its own lock at any time, and its latch (Update, once per logic step on the logic thread)
// copies what was fed into the state that its read face reports without locking.
#pragma once

#include <mutex>

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "input/device.h"

namespace Vorn {
namespace Input {

// One button as the feed side and the latch see it.
struct ButtonState
{
    Bool fedDown = false;
    Bool fedUp = false;
    // A release that came in the same step as its press, reported one step later.
    Bool releasePending = false;
    Bool held = false;
    Bool pressed = false;
    Bool released = false;

    void Feed(UInt32 action);
    void Latch();
    void Clear() { *this = ButtonState(); }
};

// A fixed row of buttons; indices out of range read false.
template <UInt32 kCount>
struct ButtonRow
{
    ButtonState buttons[kCount];

    void Latch()
    {
        for (ButtonState& button : buttons)
            button.Latch();
    }
    void Clear()
    {
        for (ButtonState& button : buttons)
            button.Clear();
    }
    Bool IsHeld(UInt32 index) const { return index < kCount && buttons[index].held; }
    Bool WasPressed(UInt32 index) const { return index < kCount && buttons[index].pressed; }
    Bool WasReleased(UInt32 index) const { return index < kCount && buttons[index].released; }
};

// Turns a position or axis pair by a screen orientation (an Enums::ScreenOrientation value).
void MapOrientation(UInt32 orientation, Float x, Float y, Float& mappedX, Float& mappedY);

// What every device kind shares: its running index and its lock.
template <class ReadFace>
class DeviceBase : public ReadFace, public IDevice
{
public:
    explicit DeviceBase(UInt32 index) : mIndex(index) {}
    UInt32 GetIndex() const override { return mIndex; }
    void ConfigChanged(IConfiguration*, UInt32) override {}

protected:
    const UInt32 mIndex;
    std::mutex mLock;
};

// The accelerometer and the gyroscope: three axes, x and y turned by an orientation that the
// accelerometer takes from the device orientation and the gyroscope from the screen orientation.
template <class ReadFace, Bool kDeviceOrientation>
class AxesDevice : public DeviceBase<ReadFace>
{
public:
    AxesDevice(UInt32 index, IConfiguration* configuration);
    void SetValues(Float x, Float y, Float z) override;
    Bool Update() override;
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;
    Float GetX() const override { return mX; }
    Float GetY() const override { return mY; }
    Float GetZ() const override { return mZ; }

private:
    UInt32 mOrientation = 0;
    Float mX = 0.0f, mFedX = 0.0f, mY = 0.0f, mFedY = 0.0f, mZ = 0.0f, mFedZ = 0.0f;
};

using AccelerometerDevice = AxesDevice<IAccelerometerDevice, true>;
using GyroscopeDevice = AxesDevice<IGyroscopeDevice, false>;

class JoystickDevice : public DeviceBase<IJoystickDevice>
{
public:
    static constexpr UInt32 kNumberOfButtons = 14;
    static constexpr UInt32 kNumberOfAxes = 7;

    using DeviceBase::DeviceBase;
    void SetAxis(UInt32 axis, Float value) override;
    void SetButton(UInt32 index, Bool down) override;
    Bool Update() override;
    Bool IsButtonHeld(UInt32 index) const override { return mButtons.IsHeld(index); }
    Bool WasButtonPressed(UInt32 index) const override { return mButtons.WasPressed(index); }
    Bool WasButtonReleased(UInt32 index) const override { return mButtons.WasReleased(index); }
    Float GetAxis1() const override { return mAxes[1]; }
    Float GetAxis2() const override { return mAxes[2]; }
    Float GetAxis3() const override { return mAxes[3]; }
    Float GetAxis4() const override { return mAxes[4]; }
    Float GetAxis5() const override { return mAxes[5]; }
    Float GetAxis6() const override { return mAxes[6]; }

private:
    ButtonRow<kNumberOfButtons> mButtons;
    Float mAxes[kNumberOfAxes] = {};
    Float mFedAxes[kNumberOfAxes] = {};
};

class KeyboardDevice : public DeviceBase<IKeyboardDevice>
{
public:
    using DeviceBase::DeviceBase;
    void AddText(const String& text) override;
    Bool Update() override;
    UInt32 GetNumberOfTexts() const override { return UInt32(mTexts.GetCount()); }
    String GetText(UInt32 index) const override;

private:
    Array<String> mTexts;
    Array<String> mFedTexts;
};

class MotionDevice : public DeviceBase<IMotionDevice>
{
public:
    using DeviceBase::DeviceBase;
    void SetMotion(UInt32 action) override;
    Bool Update() override;
    Bool IsActive() const override { return mActive; }
    Bool HasEnded() const override { return mEnded; }

private:
    Bool mActive = false;
    Bool mFedActive = false;
    Bool mEnded = false;
};

class MouseDevice : public DeviceBase<IMouseDevice>, public IMouseButtons
{
public:
    static constexpr UInt32 kNumberOfButtons = 5;

    MouseDevice(UInt32 index, IConfiguration* configuration);
    void SetPointer(UInt32 action, UInt32 button, Float x, Float y) override;
    Bool Update() override;
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;
    Bool HasMoved() const override { return mMoved; }
    Float GetPositionX() const override { return mX; }
    Float GetPositionY() const override { return mY; }
    Bool IsInsideX() const override { return mInsideX; }
    Bool IsInsideY() const override { return mInsideY; }

    UInt32 GetNumberOfButtons() const override { return kNumberOfButtons; }
    Bool IsButtonHeld(UInt32 index) const override { return mButtons.IsHeld(index); }
    Bool WasButtonPressed(UInt32 index) const override { return mButtons.WasPressed(index); }
    Bool WasButtonReleased(UInt32 index) const override { return mButtons.WasReleased(index); }

private:
    UInt32 mOrientation = 0;
    ButtonRow<kNumberOfButtons> mButtons;
    Bool mMoved = false;
    Float mX = 0.0f, mFedX = 0.0f, mPreviousX = 0.0f;
    Float mY = 0.0f, mFedY = 0.0f, mPreviousY = 0.0f;
    Bool mInsideX = false, mInsideY = false;
};

class OrientationDevice : public DeviceBase<IOrientationDevice>
{
public:
    using DeviceBase::DeviceBase;
    void SetOrientation(UInt32 orientation) override;
    Bool Update() override;
    SInt32 GetOrientation() const override { return mOrientation; }

private:
    SInt32 mOrientation = 0;
    SInt32 mFedOrientation = 0;
};

// Raw buttons and raw keys: a fixed row of buttons that a press only reaches while not held.
template <class ReadFace, UInt32 kCount>
class ButtonRowDevice : public DeviceBase<ReadFace>
{
public:
    using DeviceBase<ReadFace>::DeviceBase;
    Bool Update() override;

protected:
    void Feed(UInt32 action, UInt32 index);

    ButtonRow<kCount> mButtons;
};

class RawButtonDevice : public ButtonRowDevice<IRawButtonDevice, 5>
{
public:
    using ButtonRowDevice::ButtonRowDevice;
    void SetButton(UInt32 action, UInt32 index) override { Feed(action, index); }
    Bool IsButtonHeld(UInt32 index) const override { return mButtons.IsHeld(index); }
    Bool WasButtonPressed(UInt32 index) const override { return mButtons.WasPressed(index); }
    Bool WasButtonReleased(UInt32 index) const override { return mButtons.WasReleased(index); }
};

class RawKeyboardDevice : public ButtonRowDevice<IRawKeyboardDevice, 238>
{
public:
    using ButtonRowDevice::ButtonRowDevice;
    void SetKey(UInt32 action, UInt32 key) override { Feed(action, key); }
    Bool IsKeyHeld(UInt32 key) const override { return mButtons.IsHeld(key); }
    Bool WasKeyPressed(UInt32 key) const override { return mButtons.WasPressed(key); }
    Bool WasKeyReleased(UInt32 key) const override { return mButtons.WasReleased(key); }
};

class RawMouseDevice : public DeviceBase<IRawMouseDevice>
{
public:
    using DeviceBase::DeviceBase;
    void SetMotion(UInt32 action, SInt32 a, SInt32 b) override;
    Bool Update() override;
    SInt32 GetDeltaX() const override { return mDeltaX; }
    SInt32 GetDeltaY() const override { return mDeltaY; }
    SInt32 GetWheelA() const override { return mWheelA; }
    SInt32 GetWheelB() const override { return mWheelB; }

private:
    SInt32 mFedDeltaX = 0, mFedDeltaY = 0, mDeltaX = 0, mDeltaY = 0;
    SInt32 mFedWheelA = 0, mFedWheelB = 0, mWheelA = 0, mWheelB = 0;
};

class TouchScreenDevice : public DeviceBase<ITouchScreenDevice>, public IMouseButtons
{
public:
    TouchScreenDevice(UInt32 index, IConfiguration* configuration);
    void SetTouch(UInt32 action, Float x, Float y) override;
    Bool Update() override;
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;
    Bool IsHeld() const override { return mButton.held; }
    Bool WasCancelled() const override { return mCancelled; }
    Bool WasPressed() const override { return mButton.pressed; }
    Bool WasReleased() const override { return mButton.released; }
    Bool HasMoved() const override { return mMoved; }
    Float GetPositionX() const override { return mX; }
    Float GetPositionY() const override { return mY; }

    UInt32 GetNumberOfButtons() const override { return 1; }
    Bool IsButtonHeld(UInt32 index) const override { return index == 0 && IsHeld(); }
    Bool WasButtonPressed(UInt32 index) const override { return index == 0 && WasPressed(); }
    Bool WasButtonReleased(UInt32 index) const override { return index == 0 && WasReleased(); }

private:
    UInt32 mOrientation = 0;
    ButtonState mButton;
    Bool mCancelled = false;
    Bool mFedCancel = false;
    Bool mMoved = false;
    Float mX = 0.0f, mFedX = 0.0f, mPreviousX = 0.0f;
    Float mY = 0.0f, mFedY = 0.0f, mPreviousY = 0.0f;
};

} // namespace Input
} // namespace Vorn
