// Keyboard, mouse and game controllers read through DirectInput once per frame, with the previous
// keyboard and mouse state kept for edge detection; SendInput turns the changes into raw key,
// raw mouse and (while the mouse is held exclusively) pointer events.
#pragma once

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>
#include <dinputd.h>

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {

class IMouse;
class IRawKeyboard;
class IRawMouse;

namespace Win32 {

class RawKey;

class DxInput
{
public:
    static constexpr UInt32 kNumberOfKeys = 256;

    DxInput() = default;
    // Releases the devices.
    virtual ~DxInput();

    // Sets up DirectInput with the system mouse and keyboard for the window, and the attached
    // game controllers; false when already initialised or when mouse or keyboard fail.
    Bool Init(HINSTANCE instance, HWND window);
    Bool DeInit();
    // Reads every device; a device that cannot be read gives a zero state for this frame.
    void Poll();
    // Switches the mouse between exclusive and shared use; false without a mouse or when the
    // mouse refuses.
    Bool SetMouseExclusive(Bool exclusive, HWND window);

    // The frame's changes as engine input: movement (y up) to the raw mouse, wheel and buttons
    // only while the mouse is exclusive, and every changed key to the raw keyboard.
    void SendInput(const RawKey& rawKey, IRawKeyboard* rawKeyboard, IRawMouse* rawMouse, IMouse* mouse) const;

    // The states of a new frame: the current ones become the previous ones. Poll reads them.
    void TakeStates(const DIMOUSESTATE& mouse, const UInt8* keys);

    Bool IsMouseExclusive() const { return mMouseExclusive; }
    SInt32 GetMouseX() const { return mMouseState.lX; }
    SInt32 GetMouseY() const { return mMouseState.lY; }
    SInt32 GetMouseZ() const { return mMouseState.lZ; }
    Bool IsMouseButtonDown(UInt32 button) const;
    Bool IsMouseButtonUp(UInt32 button) const;
    UInt32 GetNumberOfControllers() const { return UInt32(mControllers.GetCount()); }

    // At most this many Acquire calls for a lost device per frame, so a device that stays lost
    // never holds the frame.
    static constexpr UInt32 kAcquireTries = 4;

private:
    DxInput(const DxInput&) = delete;
    DxInput& operator=(const DxInput&) = delete;

    struct Controller
    {
        IDirectInputDevice8A* mDevice = nullptr;
        DIJOYSTATE2 mState = {};
    };

    static BOOL CALLBACK AddController(const DIDEVICEINSTANCEA* instance, void* parameter);
    static void Reacquire(IDirectInputDevice8A* device);
    void InitControllers(HWND window);

    IDirectInput8A* mDirectInput = nullptr;
    IDirectInputDevice8A* mMouse = nullptr;
    DIMOUSESTATE mMouseState = {};
    DIMOUSESTATE mPreviousMouseState = {};
    Bool mMouseExclusive = false;
    IDirectInputDevice8A* mKeyboard = nullptr;
    UInt8 mKeys[kNumberOfKeys] = {};
    UInt8 mPreviousKeys[kNumberOfKeys] = {};
    Array<Controller> mControllers;
    DIJOYCONFIG mPreferredConfig = {};
    Bool mPreferredKnown = false;
};

} // namespace Win32
} // namespace Vorn
