// The faces of the engine's input devices. The platform writes raw events into a device's feed
// face (top namespace) at any time; once per logic step the input device handler latches every
// device, and the logic reads the latched state through its read face (Input::I...Device), which
// derives from the feed face. Pointer positions run from -1 (left, bottom) to 1 (right, top).
//
// Buttons report three flags: held, pressed (went down in this step) and released (went up in
// this step); a press and a release fed within one step are reported on two successive steps.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;

// Actions of the feed operations that take one.
namespace InputAction {
constexpr UInt32 kDown = 1;
constexpr UInt32 kUp = 2;
// Mouse: a move. Raw buttons and keys: every button or key is let go at once.
constexpr UInt32 kMove = 3;
constexpr UInt32 kClear = 3;
// Touch screen: the touch is cancelled.
constexpr UInt32 kCancel = 4;
} // namespace InputAction

class IAccelerometer
{
public:
    virtual void SetValues(Float x, Float y, Float z) = 0;
    virtual ~IAccelerometer() {}
};

class IGyroscope
{
public:
    virtual void SetValues(Float x, Float y, Float z) = 0;
    virtual ~IGyroscope() {}
};

class IJoystick
{
public:
    // Axes 1 and 2 are clamped to 0..1, axes 3 to 6 to -1..1; other axes are ignored.
    virtual void SetAxis(UInt32 axis, Float value) = 0;
    // Buttons 0 to 13; others are ignored.
    virtual void SetButton(UInt32 index, Bool down) = 0;
    virtual ~IJoystick() {}
};

class IKeyboard
{
public:
    // One typed character (or more) as UTF-8 text.
    virtual void AddText(const String& text) = 0;
    virtual ~IKeyboard() {}
};

class IMotion
{
public:
    // 1 begins a motion, 2 and 3 end it; others are ignored.
    virtual void SetMotion(UInt32 action) = 0;
    virtual ~IMotion() {}
};

class IMouse
{
public:
    // Action 1 presses and 2 releases the button (0 to 4; 5 is none); the position is stored for
    // every action.
    virtual void SetPointer(UInt32 action, UInt32 button, Float x, Float y) = 0;
    virtual ~IMouse() {}
};

class IOrientation
{
public:
    // Values of 7 or more are ignored.
    virtual void SetOrientation(UInt32 orientation) = 0;
    virtual ~IOrientation() {}
};

class IRawButton
{
public:
    // Buttons 0 to 4. Action 1 presses a button that is not held, 2 releases, 3 lets every button go.
    virtual void SetButton(UInt32 action, UInt32 index) = 0;
    virtual ~IRawButton() {}
};

class IRawKeyboard
{
public:
    // Engine raw key codes 0 to 237; the actions of IRawButton.
    virtual void SetKey(UInt32 action, UInt32 key) = 0;
    virtual ~IRawKeyboard() {}
};

class IRawMouse
{
public:
    // Action 1 adds a motion (a, b), action 2 wheel steps (a horizontal, b vertical).
    virtual void SetMotion(UInt32 action, SInt32 a, SInt32 b) = 0;
    virtual ~IRawMouse() {}
};

class ITouchScreen
{
public:
    // Action 1 touches, 2 lets go, 4 cancels; the position is clamped to -1..1 for every action.
    virtual void SetTouch(UInt32 action, Float x, Float y) = 0;
    virtual ~ITouchScreen() {}
};

namespace Input {

// The read faces: the state latched at the start of the logic step. Out-of-range indices read
// false (or an empty text).
class IAccelerometerDevice : public IAccelerometer
{
public:
    virtual Float GetX() const = 0;
    virtual Float GetY() const = 0;
    virtual Float GetZ() const = 0;
};

class IGyroscopeDevice : public IGyroscope
{
public:
    virtual Float GetX() const = 0;
    virtual Float GetY() const = 0;
    virtual Float GetZ() const = 0;
};

class IJoystickDevice : public IJoystick
{
public:
    virtual Bool IsButtonHeld(UInt32 index) const = 0;
    virtual Bool WasButtonPressed(UInt32 index) const = 0;
    virtual Bool WasButtonReleased(UInt32 index) const = 0;
    virtual Float GetAxis1() const = 0;
    virtual Float GetAxis2() const = 0;
    virtual Float GetAxis3() const = 0;
    virtual Float GetAxis4() const = 0;
    virtual Float GetAxis5() const = 0;
    virtual Float GetAxis6() const = 0;
};

class IKeyboardDevice : public IKeyboard
{
public:
    // The texts typed during the last step.
    virtual UInt32 GetNumberOfTexts() const = 0;
    virtual String GetText(UInt32 index) const = 0;
};

class IMotionDevice : public IMotion
{
public:
    virtual Bool IsActive() const = 0;
    // True in the step after a motion ended.
    virtual Bool HasEnded() const = 0;
};

class IMouseDevice : public IMouse
{
public:
    virtual Bool HasMoved() const = 0;
    // Clamped to -1..1 and turned by the screen orientation.
    virtual Float GetPositionX() const = 0;
    virtual Float GetPositionY() const = 0;
    // False when the fed position lay outside -1..1 (or was not a number).
    virtual Bool IsInsideX() const = 0;
    virtual Bool IsInsideY() const = 0;
};

class IOrientationDevice : public IOrientation
{
public:
    virtual SInt32 GetOrientation() const = 0;
};

class IRawButtonDevice : public IRawButton
{
public:
    virtual Bool IsButtonHeld(UInt32 index) const = 0;
    virtual Bool WasButtonPressed(UInt32 index) const = 0;
    virtual Bool WasButtonReleased(UInt32 index) const = 0;
};

class IRawKeyboardDevice : public IRawKeyboard
{
public:
    virtual Bool IsKeyHeld(UInt32 key) const = 0;
    virtual Bool WasKeyPressed(UInt32 key) const = 0;
    virtual Bool WasKeyReleased(UInt32 key) const = 0;
};

class IRawMouseDevice : public IRawMouse
{
public:
    // The sums of the step's events; 0 in a step without events.
    virtual SInt32 GetDeltaX() const = 0;
    virtual SInt32 GetDeltaY() const = 0;
    virtual SInt32 GetWheelA() const = 0;
    virtual SInt32 GetWheelB() const = 0;
};

class ITouchScreenDevice : public ITouchScreen
{
public:
    virtual Bool IsHeld() const = 0;
    virtual Bool WasCancelled() const = 0;
    virtual Bool WasPressed() const = 0;
    virtual Bool WasReleased() const = 0;
    virtual Bool HasMoved() const = 0;
    virtual Float GetPositionX() const = 0;
    virtual Float GetPositionY() const = 0;
};

// The handler's view of a device of any kind.
class IDevice
{
public:
    // The handler's running number, from 1.
    virtual UInt32 GetIndex() const = 0;
    // The latch: takes over the state fed since the last call.
    virtual Bool Update() = 0;
    // Devices that turn positions or axes re-read their orientation.
    virtual void ConfigChanged(IConfiguration* configuration, UInt32 stamp) = 0;
    virtual ~IDevice() {}
};

// The buttons of a pointer (mouse: 5, touch screen: 1), as the touchable handler reads them.
class IMouseButtons
{
public:
    virtual UInt32 GetNumberOfButtons() const = 0;
    virtual Bool IsButtonHeld(UInt32 index) const = 0;
    virtual Bool WasButtonPressed(UInt32 index) const = 0;
    virtual Bool WasButtonReleased(UInt32 index) const = 0;
    virtual ~IMouseButtons() {}
};

} // namespace Input
} // namespace Vorn
