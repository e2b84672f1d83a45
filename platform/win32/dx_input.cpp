#include "platform/win32/dx_input.h"


#include <cstring>

#include "foundation/debug.h"
#include "input/device.h"
#include "platform/win32/raw_key.h"

namespace Vorn {
namespace Win32 {
namespace {

constexpr SInt32 kWheelDelta = 120;
constexpr UInt32 kNumberOfButtons = 3;
constexpr UInt8 kPressedBit = 0x80;

enum : UInt32 { kPressed = 1, kReleased = 2 };
enum : UInt32 { kRelativeMotion = 1, kWheel = 2 };

void Release(IDirectInputDevice8A*& device)
{
    if (device != nullptr) {
        device->Unacquire();
        device->Release();
        device = nullptr;
    }
}

} // namespace

DxInput::~DxInput()
{
    DeInit();
}

Bool DxInput::Init(HINSTANCE instance, HWND window)
{
    if (mDirectInput != nullptr) {
        Debug::Trace("Win32::DxInput::Init(): Already initialized");
        return false;
    }
    if (FAILED(DirectInput8Create(instance, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<void**>(&mDirectInput), nullptr))) {
        mDirectInput = nullptr;
        Debug::Trace("Win32::DxInput::Init(): Failed to create DirectInput");
        return false;
    }
    if (FAILED(mDirectInput->CreateDevice(GUID_SysMouse, &mMouse, nullptr)) ||
        FAILED(mMouse->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND))) {
        Debug::Trace("Win32::DxInput::Init(): Failed to set up mouse");
        DeInit();
        return false;
    }
    mMouseExclusive = false;
    if (FAILED(mMouse->SetDataFormat(&c_dfDIMouse)) || FAILED(mMouse->Acquire())) {
        Debug::Trace("Win32::DxInput::Init(): Failed to set up mouse");
        DeInit();
        return false;
    }
    if (FAILED(mDirectInput->CreateDevice(GUID_SysKeyboard, &mKeyboard, nullptr)) ||
        FAILED(mKeyboard->SetDataFormat(&c_dfDIKeyboard)) ||
        FAILED(mKeyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND))) {
        Debug::Trace("Win32::DxInput::Init(): Failed to set up keyboard");
        DeInit();
        return false;
    }
    // Without the focus yet; Poll acquires it later.
    mKeyboard->Acquire();
    InitControllers(window);
    return true;
}

void DxInput::InitControllers(HWND window)
{
    IDirectInputJoyConfig8* joyConfig = nullptr;
    if (SUCCEEDED(mDirectInput->QueryInterface(IID_IDirectInputJoyConfig8, reinterpret_cast<void**>(&joyConfig)))) {
        mPreferredConfig = {};
        mPreferredConfig.dwSize = sizeof(mPreferredConfig);
        mPreferredKnown = SUCCEEDED(joyConfig->GetConfig(0, &mPreferredConfig, DIJC_GUIDINSTANCE));
        joyConfig->Release();
    }
    mDirectInput->EnumDevices(DI8DEVCLASS_GAMECTRL, AddController, this, DIEDFL_ATTACHEDONLY);
    for (SInt32 i = 0; i < mControllers.GetCount(); ++i) {
        IDirectInputDevice8A* device = mControllers[i].mDevice;
        DIPROPRANGE range = {};
        range.diph.dwSize = sizeof(range);
        range.diph.dwHeaderSize = sizeof(range.diph);
        range.diph.dwHow = DIPH_DEVICE;
        range.lMin = -1000;
        range.lMax = 1000;
        if (FAILED(device->SetDataFormat(&c_dfDIJoystick2)) ||
            FAILED(device->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND)) ||
            FAILED(device->SetProperty(DIPROP_RANGE, &range.diph)) || FAILED(device->Acquire()))
            break;
    }
}

BOOL CALLBACK DxInput::AddController(const DIDEVICEINSTANCEA* instance, void* parameter)
{
    DxInput* self = static_cast<DxInput*>(parameter);
    Controller controller;
    if (FAILED(self->mDirectInput->CreateDevice(instance->guidInstance, &controller.mDevice, nullptr)))
        return DIENUM_STOP;
    if (self->mPreferredKnown && IsEqualGUID(instance->guidInstance, self->mPreferredConfig.guidInstance))
        self->mControllers.InsertAt(0, controller);
    else
        self->mControllers.Add(controller);
    return DIENUM_CONTINUE;
}

Bool DxInput::DeInit()
{
    for (SInt32 i = 0; i < mControllers.GetCount(); ++i)
        Release(mControllers[i].mDevice);
    mControllers.Clear();
    Release(mMouse);
    Release(mKeyboard);
    if (mDirectInput != nullptr) {
        mDirectInput->Release();
        mDirectInput = nullptr;
    }
    mMouseExclusive = false;
    return true;
}

void DxInput::Reacquire(IDirectInputDevice8A* device)
{
    for (UInt32 i = 0; i < kAcquireTries && device->Acquire() == DIERR_INPUTLOST; ++i) {
    }
}

void DxInput::Poll()
{
    DIMOUSESTATE mouse = {};
    if (mMouse != nullptr && FAILED(mMouse->GetDeviceState(sizeof(mouse), &mouse))) {
        mouse = {};
        Reacquire(mMouse);
    }
    UInt8 keys[kNumberOfKeys] = {};
    if (mKeyboard != nullptr && FAILED(mKeyboard->GetDeviceState(sizeof(keys), keys))) {
        std::memset(keys, 0, sizeof(keys));
        Reacquire(mKeyboard);
    }
    TakeStates(mouse, keys);
    for (SInt32 i = 0; i < mControllers.GetCount(); ++i) {
        Controller& controller = mControllers[i];
        controller.mState = {};
        if (FAILED(controller.mDevice->Poll()))
            Reacquire(controller.mDevice);
        if (FAILED(controller.mDevice->GetDeviceState(sizeof(controller.mState), &controller.mState)))
            controller.mState = {};
    }
}

void DxInput::TakeStates(const DIMOUSESTATE& mouse, const UInt8* keys)
{
    mPreviousMouseState = mMouseState;
    mMouseState = mouse;
    std::memcpy(mPreviousKeys, mKeys, sizeof(mKeys));
    std::memcpy(mKeys, keys, sizeof(mKeys));
}

Bool DxInput::SetMouseExclusive(Bool exclusive, HWND window)
{
    if (mMouse == nullptr) {
        Debug::Trace("Win32::DxInput::SetMouseExclusive(): No mouse");
        return false;
    }
    if (exclusive == mMouseExclusive)
        return true;
    mMouseExclusive = exclusive;
    mMouse->Unacquire();
    const DWORD level = exclusive ? DISCL_EXCLUSIVE | DISCL_FOREGROUND : DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
    if (FAILED(mMouse->SetCooperativeLevel(window, level)) || FAILED(mMouse->Acquire())) {
        Debug::Trace("Win32::DxInput::SetMouseExclusive(): Failed to switch mouse mode");
        return false;
    }
    return true;
}

Bool DxInput::IsMouseButtonDown(UInt32 button) const
{
    return button < 4 && mMouseState.rgbButtons[button] != mPreviousMouseState.rgbButtons[button] &&
           (mMouseState.rgbButtons[button] & kPressedBit) != 0;
}

Bool DxInput::IsMouseButtonUp(UInt32 button) const
{
    return button < 4 && mMouseState.rgbButtons[button] != mPreviousMouseState.rgbButtons[button] &&
           (mMouseState.rgbButtons[button] & kPressedBit) == 0;
}

void DxInput::SendInput(const RawKey& rawKey, IRawKeyboard* rawKeyboard, IRawMouse* rawMouse, IMouse* mouse) const
{
    if (rawMouse != nullptr && (mMouseState.lX != 0 || mMouseState.lY != 0))
        rawMouse->SetMotion(kRelativeMotion, mMouseState.lX, -mMouseState.lY);
    if (mMouseExclusive) {
        const SInt32 steps = mMouseState.lZ / kWheelDelta;
        if (rawMouse != nullptr && steps != 0)
            rawMouse->SetMotion(kWheel, 0, steps);
        for (UInt32 button = 0; button < kNumberOfButtons; ++button) {
            if (mouse != nullptr && mMouseState.rgbButtons[button] != mPreviousMouseState.rgbButtons[button])
                mouse->SetPointer(IsMouseButtonDown(button) ? kPressed : kReleased, button, 0.0f, 0.0f);
        }
    }
    if (rawKeyboard == nullptr)
        return;
    for (UInt32 scanCode = 0; scanCode < kNumberOfKeys; ++scanCode) {
        if (mKeys[scanCode] != mPreviousKeys[scanCode])
            rawKeyboard->SetKey((mKeys[scanCode] & kPressedBit) != 0 ? kPressed : kReleased,
                                rawKey.GetRawKey(scanCode));
    }
}

} // namespace Win32
} // namespace Vorn
