#include "platform/win32/window.h"

#include <windowsx.h>

#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "input/device.h"
#include "platform/win32/configuration_control.h"
#include "platform/win32/dx9_display_interface.h"
#include "platform/win32/wide_chars.h"

namespace Vorn {
namespace Win32 {
namespace {

constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kWindowedExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFullScreenExStyle = WS_EX_APPWINDOW;
constexpr UINT kFrameChangeFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
constexpr WORD kIconResource = 100;

// One notch of a mouse wheel.
constexpr SInt32 kWheelDelta = 120;

enum PointerAction : UInt32 { kPressed = 1, kReleased = 2, kMoved = 3 };
enum PointerButton : UInt32 { kLeft = 0, kRight = 1, kMiddle = 2, kNone = 5 };
constexpr UInt32 kWheelAction = 2;

struct ButtonRow
{
    UINT mMessage;
    UInt32 mAction;
    UInt32 mButton;
};

constexpr ButtonRow kButtons[] = {
    {WM_LBUTTONDOWN, kPressed, kLeft},   {WM_LBUTTONUP, kReleased, kLeft},
    {WM_RBUTTONDOWN, kPressed, kRight},  {WM_RBUTTONUP, kReleased, kRight},
    {WM_MBUTTONDOWN, kPressed, kMiddle}, {WM_MBUTTONUP, kReleased, kMiddle},
};

} // namespace

Window::~Window()
{
    if (mPlatform != nullptr)
        UnregisterWindowClass();
}

Bool Window::RegisterWindowClass(IWindowOwner* owner, IWindowPlatform* platform, HINSTANCE instance)
{
    if (mPlatform != nullptr) {
        Debug::Trace("Win32::Window::RegisterWindowClass(): Window class already registered");
        return false;
    }
    if (platform == nullptr || platform->GetConfiguration() == nullptr) {
        Debug::Trace("Win32::Window::RegisterWindowClass(): No platform configuration");
        return false;
    }
    mOwner = owner;
    mPlatform = platform;
    mInstance = instance != nullptr ? instance : GetModuleHandleW(nullptr);
    mCreated = false;
    mActive = false;
    mMinimised = false;
    mConfiguration = platform->GetConfiguration();
    mKeyboard = platform->GetKeyboardDevice();
    mMouse = platform->GetMouseDevice();
    mRawMouse = platform->GetRawMouseDevice();
    mClientWidth = SInt32(mConfiguration->GetDisplayWidth());
    mClientHeight = SInt32(mConfiguration->GetDisplayHeight());
    mAspectRatio = mConfiguration->GetAspectRatio();
    mFullScreen = mConfiguration->GetFullScreen();

    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.hInstance = mInstance;
    windowClass.hIcon = LoadIconW(mInstance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the standard arrow
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) {
        Debug::Trace("Win32::Window::RegisterWindowClass(): Failed to register window class (error %lu)",
                     GetLastError());
        mPlatform = nullptr;
        mOwner = nullptr;
        return false;
    }
    return true;
}

Bool Window::UnregisterWindowClass()
{
    if (mPlatform == nullptr) {
        Debug::Trace("Win32::Window::UnregisterWindowClass(): Window class not registered");
        return false;
    }
    if (mCursorHidden) {
        ShowCursor(TRUE);
        mCursorHidden = false;
    }
    Bool result = Destroy();
    if (!UnregisterClassW(kClassName, mInstance)) {
        Debug::Trace("Win32::Window::UnregisterWindowClass(): Failed to unregister window class");
        result = false;
    }
    mConfiguration = nullptr;
    mKeyboard = nullptr;
    mMouse = nullptr;
    mRawMouse = nullptr;
    mPlatform = nullptr;
    mOwner = nullptr;
    return result;
}

Bool Window::GetMonitorRectangle(const RECT& rectangle, RECT& monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR handle = MonitorFromRect(&rectangle, MONITOR_DEFAULTTOPRIMARY);
    if (handle == nullptr || !GetMonitorInfoW(handle, &info))
        return false;
    monitor = info.rcMonitor;
    return true;
}

Bool Window::Create()
{
    if (mPlatform == nullptr) {
        Debug::Trace("Win32::Window::Create(): Window class not registered");
        return false;
    }
    if (mCreated)
        return true;
    mCreated = true;
    DWORD style = kWindowedStyle;
    DWORD exStyle = kWindowedExStyle;

    RECT rectangle = {0, 0, mClientWidth, mClientHeight};
    AdjustWindowRectEx(&rectangle, style, FALSE, exStyle);
    if (rectangle.left < 0) {
        rectangle.right -= rectangle.left;
        rectangle.left = 0;
    }
    if (rectangle.top < 0) {
        rectangle.bottom -= rectangle.top;
        rectangle.top = 0;
    }
    mWindowedRectangle = rectangle;
    RECT creation = rectangle;
    RECT monitor = {};
    if (GetMonitorRectangle(rectangle, monitor)) {
        const LONG width = rectangle.right - rectangle.left;
        const LONG height = rectangle.bottom - rectangle.top;
        mWindowedRectangle.left = (monitor.right - width - monitor.left) / 2;
        mWindowedRectangle.top = (monitor.bottom - height - monitor.top) / 2;
        mWindowedRectangle.right = mWindowedRectangle.left + width;
        mWindowedRectangle.bottom = mWindowedRectangle.top + height;
        creation = mWindowedRectangle;
        if (mFullScreen) {
            creation = monitor;
            style = kFullScreenStyle;
            exStyle = kFullScreenExStyle;
        }
    }

    WChars title(mConfiguration->GetDisplayName().GetText());
    mWindow = CreateWindowExW(exStyle, kClassName, title.Get() != nullptr ? title.Get() : L"", style, creation.left,
                              creation.top, creation.right - creation.left, creation.bottom - creation.top, nullptr,
                              nullptr, mInstance, this);
    if (mWindow == nullptr) {
        // Nothing was made, so teardown must not de-initialise the display.
        mCreated = false;
        Debug::Trace("Win32::Window::Create(): Failed to create window (error %lu)", GetLastError());
        return false;
    }
    UpdateClientSize();
    mDeviceContext = GetDC(mWindow);
    if (mDeviceContext == nullptr) {
        Debug::Trace("Win32::Window::Create(): Failed to get device context");
        Destroy();
        return false;
    }
    ShowWindow(mWindow, SW_SHOW);
    SetForegroundWindow(mWindow);
    SetFocus(mWindow);

    DisplayInterface* display = mPlatform->GetDisplayInterface();
    if (display == nullptr || !display->Init(mInstance, mWindow, mDeviceContext, kClassName) ||
        !display->ActivateRenderContext()) {
        Debug::Trace("Win32::Window::Create(): Failed to initialize display interface");
        Destroy();
        return false;
    }
    return true;
}

Bool Window::Destroy()
{
    if (mPlatform == nullptr) {
        Debug::Trace("Win32::Window::Destroy(): Window class not registered");
        return false;
    }
    if (!mCreated)
        return true;
    mCreated = false;
    Bool result = true;
    DisplayInterface* display = mPlatform->GetDisplayInterface();
    if (display != nullptr && !display->DeInit())
        result = false;
    if (mDeviceContext != nullptr && !ReleaseDC(mWindow, mDeviceContext))
        result = false;
    mDeviceContext = nullptr;
    if (mWindow != nullptr && !DestroyWindow(mWindow))
        result = false;
    mWindow = nullptr;
    return result;
}

LRESULT CALLBACK Window::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        if (message == WM_CREATE) {
            const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->WindowProc(window, message, wParam, lParam);
}

LRESULT Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const ButtonRow& row : kButtons) {
        if (row.mMessage == message) {
            SendMouseButton(row.mAction, row.mButton, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
    }
    switch (message) {
    case WM_MOVE: return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            mMinimised = true;
        else if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
            mMinimised = false;
        UpdateClientSize();
        return 0;
    case WM_ACTIVATE: mActive = LOWORD(wParam) != WA_INACTIVE; return 0;
    case WM_PAINT:
        PollCursor();
        if (mOwner == nullptr)
            break;
        // Never validated, so paint messages keep coming and drive the frames.
        mOwner->RunFrame();
        return 0;
    case WM_CLOSE: PostQuitMessage(0); return 0;
    case WM_SETCURSOR: UpdateCursorInClient(LOWORD(lParam) == HTCLIENT); break;
    case WM_CHAR: SendCharacter(wchar_t(wParam)); return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_RETURN)
            break;
        // Alt held (bit 29) and not an auto-repeat (bit 30): toggle the pending request, so that
        // two presses within one frame cancel out.
        if ((lParam & (1 << 29)) != 0 && (lParam & (1 << 30)) == 0 && mPlatform != nullptr) {
            ConfigurationControl* control = mPlatform->GetConfigurationControl();
            if (control != nullptr)
                control->SetFullScreenRequested(!control->GetFullScreenRequested());
        }
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER)
            return 0;
        break;
    case WM_MOUSEWHEEL: SendMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam) / kWheelDelta, 0); return 0;
    case WM_MOUSEHWHEEL: SendMouseWheel(0, GET_WHEEL_DELTA_WPARAM(wParam) / kWheelDelta); return 0;
    case WM_SIZING: KeepAspectRatio(wParam, reinterpret_cast<RECT*>(lParam)); return TRUE;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

Float Window::ToPointerX(SInt32 x, SInt32 clientWidth)
{
    // A client one pixel wide (or none, minimised) has no span to divide by.
    const Double span = clientWidth > 1 ? Double(clientWidth - 1) : 1.0;
    return Float(2.0 * Double(x) / span - 1.0);
}

Float Window::ToPointerY(SInt32 y, SInt32 clientHeight)
{
    const Double span = clientHeight > 1 ? Double(clientHeight - 1) : 1.0;
    return Float(1.0 - 2.0 * Double(y) / span);
}

void Window::SendMouseButton(UInt32 action, UInt32 button, SInt32 x, SInt32 y)
{
    if (mMouse != nullptr)
        mMouse->SetPointer(action, button, ToPointerX(x, mClientWidth), ToPointerY(y, mClientHeight));
}

void Window::SendMouseWheel(SInt32 vertical, SInt32 horizontal)
{
    // Turns smaller than a notch give nothing.
    if (mRawMouse != nullptr && (vertical != 0 || horizontal != 0))
        mRawMouse->SetMotion(kWheelAction, horizontal, vertical);
}

void Window::SendCharacter(wchar_t unit)
{
    wchar_t units[3] = {unit, 0, 0};
    if (IS_HIGH_SURROGATE(unit)) {
        // Characters outside the basic plane come as two messages.
        mHighSurrogate = unit;
        return;
    }
    if (IS_LOW_SURROGATE(unit)) {
        if (mHighSurrogate == 0)
            return;
        units[0] = mHighSurrogate;
        units[1] = unit;
    }
    mHighSurrogate = 0;
    char text[8] = {};
    // A lone surrogate does not convert and is dropped.
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, units, -1, text, sizeof(text), nullptr, nullptr) > 1 &&
        mKeyboard != nullptr)
        mKeyboard->AddText(String(text));
}

void Window::UpdateCursorInClient(Bool inClient)
{
    if (inClient == mCursorInClient)
        return;
    mCursorInClient = inClient;
    if (mHideCursorRequested && mCursorHidden != mCursorInClient) {
        mCursorHidden = mCursorInClient;
        ShowCursor(mCursorHidden ? FALSE : TRUE);
    }
}

void Window::SetCursorHidden(Bool hidden)
{
    if (hidden == mHideCursorRequested)
        return;
    mHideCursorRequested = hidden;
    if (hidden) {
        if (mCursorHidden != mCursorInClient) {
            mCursorHidden = mCursorInClient;
            ShowCursor(mCursorHidden ? FALSE : TRUE);
        }
    } else if (mCursorHidden) {
        mCursorHidden = false;
        ShowCursor(TRUE);
    }
}

Bool Window::UpdateClientSize()
{
    if (mWindow == nullptr)
        return false;
    RECT client = {};
    RECT frame = {};
    GetClientRect(mWindow, &client);
    GetWindowRect(mWindow, &frame);
    mClientWidth = client.right - client.left;
    mClientHeight = client.bottom - client.top;
    mFrameWidth = (frame.right - frame.left) - mClientWidth;
    mFrameHeight = (frame.bottom - frame.top) - mClientHeight;
    if (mConfiguration != nullptr)
        mConfiguration->SetDisplaySurfaceSize(UInt32(mClientWidth), UInt32(mClientHeight));
    DisplayInterface* display = mPlatform != nullptr ? mPlatform->GetDisplayInterface() : nullptr;
    if (display != nullptr && mCreated)
        display->SetSize(UInt32(mClientWidth), UInt32(mClientHeight));
    return true;
}

void Window::PollCursor()
{
    POINT cursor = {};
    if (!GetCursorPos(&cursor) || (cursor.x == mLastCursorX && cursor.y == mLastCursorY))
        return;
    mLastCursorX = cursor.x;
    mLastCursorY = cursor.y;
    if (mWindow == nullptr || !ScreenToClient(mWindow, &cursor))
        return;
    SendMouseButton(kMoved, kNone, cursor.x, cursor.y);
}

void Window::KeepAspectRatio(WPARAM edge, RECT* rectangle) const
{
    if (rectangle == nullptr || mFullScreen || mConfiguration == nullptr || !mConfiguration->GetFixedAspectRatio() ||
        !(mAspectRatio > 0.0f))
        return;
    const Double ratio = mAspectRatio;
    const LONG width = LONG(Double(rectangle->bottom - rectangle->top - mFrameHeight) * ratio + mFrameWidth);
    const LONG height = LONG(Double(rectangle->right - rectangle->left - mFrameWidth) / ratio + mFrameHeight);
    switch (edge) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT: rectangle->bottom = rectangle->top + height; break;
    case WMSZ_TOP:
    case WMSZ_BOTTOM:
    case WMSZ_TOPRIGHT:
    case WMSZ_BOTTOMRIGHT: rectangle->right = rectangle->left + width; break;
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMLEFT: rectangle->left = rectangle->right - width; break;
    default: break;
    }
}

void Window::SetFullScreen(Bool on)
{
    if (mWindow == nullptr || on == mFullScreen)
        return;
    mFullScreen = on;
    if (mConfiguration != nullptr)
        mConfiguration->SetFullScreen(on);
    RECT target = {};
    LONG style = GetWindowLongW(mWindow, GWL_STYLE);
    LONG exStyle = GetWindowLongW(mWindow, GWL_EXSTYLE);
    if (on) {
        GetWindowRect(mWindow, &mWindowedRectangle);
        style = (style & ~LONG(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) |
                LONG(WS_POPUP);
        exStyle &= ~LONG(WS_EX_WINDOWEDGE);
        if (!GetMonitorRectangle(mWindowedRectangle, target))
            target = mWindowedRectangle;
    } else {
        style = (style & ~LONG(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX)) |
                LONG(WS_OVERLAPPEDWINDOW);
        exStyle |= LONG(WS_EX_WINDOWEDGE);
        target = mWindowedRectangle;
    }
    SetWindowLongW(mWindow, GWL_STYLE, style);
    SetWindowLongW(mWindow, GWL_EXSTYLE, exStyle);
    SetWindowPos(mWindow, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
    SetWindowPos(mWindow, nullptr, target.left, target.top, target.right - target.left, target.bottom - target.top, 0);
}

} // namespace Win32
} // namespace Vorn
