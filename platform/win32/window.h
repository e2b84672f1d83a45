// The program's one top-level window: registers the "VornWindow" class, creates the window at the
// configured size (centred, or covering the monitor in full screen) with the display device on
// it, turns window messages into engine input (characters, buttons, cursor, wheel), lets paint
// messages drive the frames, switches full screen and keeps the aspect ratio while dragged.
#pragma once

#include <windows.h>

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IKeyboard;
class IMouse;
class IRawMouse;

namespace Win32 {

class ConfigurationControl;
class DisplayInterface;

// Runs one frame on each paint message; the application object.
class IWindowOwner
{
public:
    virtual void RunFrame() = 0;
    virtual ~IWindowOwner() {}
};

// What the window takes from the platform object: the configuration, the input sinks, the
// display interface and the configuration control that Alt+Enter writes to.
class IWindowPlatform
{
public:
    virtual IConfiguration* GetConfiguration() = 0;
    virtual IKeyboard* GetKeyboardDevice() = 0;
    virtual IMouse* GetMouseDevice() = 0;
    virtual IRawMouse* GetRawMouseDevice() = 0;
    virtual DisplayInterface* GetDisplayInterface() = 0;
    virtual ConfigurationControl* GetConfigurationControl() = 0;
    virtual ~IWindowPlatform() {}
};

class Window
{
public:
    static constexpr const wchar_t* kClassName = L"VornWindow";

    Window() = default;
    virtual ~Window();

    // Takes the configuration and sinks from the platform and registers the window class; false
    // when already registered or when the class cannot be registered.
    Bool RegisterWindowClass(IWindowOwner* owner, IWindowPlatform* platform, HINSTANCE instance);
    // Shows the cursor again, destroys the window and unregisters the class.
    Bool UnregisterWindowClass();
    // Creates and shows the window and the display device on it; false (with the window gone)
    // when any of it fails.
    Bool Create();
    Bool Destroy();

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The game's wish to hide the cursor over the client area.
    void SetCursorHidden(Bool hidden);
    // Re-reads the client and frame sizes and publishes the client size; false without a window.
    Bool UpdateClientSize();
    // Reports a cursor that moved since the last call as a pointer movement.
    void PollCursor();
    // Switches between a frame window and one that covers its monitor.
    void SetFullScreen(Bool on);

    Bool IsAttached() const { return mPlatform != nullptr; }
    Bool IsCreated() const { return mCreated; }
    Bool IsActive() const { return mActive; }
    Bool IsMinimised() const { return mMinimised; }
    Bool IsFullScreen() const { return mFullScreen; }
    Bool IsCursorHidden() const { return mCursorHidden; }
    HWND GetHandle() const { return mWindow; }
    SInt32 GetClientWidth() const { return mClientWidth; }
    SInt32 GetClientHeight() const { return mClientHeight; }

    // The pointer position of a client pixel, -1 to 1 from left to right and bottom to top.
    static Float ToPointerX(SInt32 x, SInt32 clientWidth);
    static Float ToPointerY(SInt32 y, SInt32 clientHeight);

private:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void SendMouseButton(UInt32 action, UInt32 button, SInt32 x, SInt32 y);
    void SendMouseWheel(SInt32 vertical, SInt32 horizontal);
    void SendCharacter(wchar_t unit);
    void UpdateCursorInClient(Bool inClient);
    void KeepAspectRatio(WPARAM edge, RECT* rectangle) const;
    // The monitor rectangle of a rectangle; false when the monitor cannot be asked.
    static Bool GetMonitorRectangle(const RECT& rectangle, RECT& monitor);

    IWindowOwner* mOwner = nullptr;
    IWindowPlatform* mPlatform = nullptr;
    SInt32 mClientWidth = 0;
    SInt32 mClientHeight = 0;
    SInt32 mFrameWidth = 0;
    SInt32 mFrameHeight = 0;
    Bool mFullScreen = false;
    RECT mWindowedRectangle = {};
    Float mAspectRatio = 1.0f;
    Bool mCursorHidden = false;
    Bool mHideCursorRequested = false;
    Bool mCursorInClient = false;
    SInt32 mLastCursorX = 0;
    SInt32 mLastCursorY = 0;
    IConfiguration* mConfiguration = nullptr;
    IKeyboard* mKeyboard = nullptr;
    IMouse* mMouse = nullptr;
    IRawMouse* mRawMouse = nullptr;
    HINSTANCE mInstance = nullptr;
    HWND mWindow = nullptr;
    HDC mDeviceContext = nullptr;
    Bool mCreated = false;
    Bool mActive = false;
    Bool mMinimised = false;
    // The first half of a character outside the basic plane, waiting for its second half.
    wchar_t mHighSurrogate = 0;
};

} // namespace Win32
} // namespace Vorn
