#include "platform/win32/raw_key.h"

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

namespace Vorn {
namespace Win32 {
namespace {

// Keys that keep their scan code as raw key code.
constexpr UInt8 kSameCodeKeys[] = {
    // letters and digits
    DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P,
    DIK_Q, DIK_R, DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z, DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5,
    DIK_6, DIK_7, DIK_8, DIK_9,
    // punctuation
    DIK_MINUS, DIK_EQUALS, DIK_LBRACKET, DIK_RBRACKET, DIK_SEMICOLON, DIK_APOSTROPHE, DIK_GRAVE, DIK_BACKSLASH,
    DIK_COMMA, DIK_PERIOD, DIK_SLASH, DIK_OEM_102,
    // editing and modifiers
    DIK_RETURN, DIK_TAB, DIK_SPACE, DIK_BACK, DIK_ESCAPE, DIK_LSHIFT, DIK_RSHIFT, DIK_LCONTROL, DIK_RCONTROL,
    DIK_LMENU, DIK_RMENU, DIK_LWIN, DIK_RWIN, DIK_CAPITAL, DIK_NUMLOCK, DIK_SCROLL,
    // function keys
    DIK_F1, DIK_F2, DIK_F3, DIK_F4, DIK_F5, DIK_F6, DIK_F7, DIK_F8, DIK_F9, DIK_F10, DIK_F11, DIK_F12,
    // navigation
    DIK_SYSRQ, DIK_PAUSE, DIK_INSERT, DIK_DELETE, DIK_HOME, DIK_END, DIK_PRIOR, DIK_NEXT, DIK_LEFT, DIK_RIGHT,
    DIK_UP, DIK_DOWN,
    // keypad
    DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4, DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7,
    DIK_NUMPAD8, DIK_NUMPAD9, DIK_DECIMAL, DIK_ADD, DIK_SUBTRACT, DIK_MULTIPLY, DIK_DIVIDE, DIK_NUMPADENTER,
    DIK_NUMPADEQUALS,
    // media and language keys
    DIK_MUTE, DIK_VOLUMEDOWN, DIK_VOLUMEUP, DIK_KANA, DIK_CONVERT, DIK_NOCONVERT, DIK_YEN, DIK_KANJI,
};

// The application key takes a code of its own.
constexpr UInt32 kApplicationKeyCode = 0x59;

} // namespace

RawKey::RawKey()
{
    for (UInt8 scanCode : kSameCodeKeys)
        mKeys.Add(scanCode, scanCode);
    mKeys.Add(DIK_APPS, kApplicationKeyCode);
}

UInt32 RawKey::GetRawKey(UInt32 scanCode) const
{
    const UInt32* code = mKeys.FindValue(scanCode);
    return code != nullptr ? *code : 0;
}

} // namespace Win32
} // namespace Vorn
