// A window with DirectInput whose input is printed, one event a line, for the driver script that
// injects X input from outside: "pointer action button x y", "rawmouse action a b",
// "rawkey action code", "text utf8", "fullscreen on left top right bottom". Paint messages run
// its frames as in the program; it ends on the quit message (Alt+F4 or the close box).
#include "platform/win32/dx_input.h"
#include "platform/win32/window.h"

#include <cstdio>

#include "core/configuration.h"
#include "input/device.h"
#include "platform/win32/configuration_control.h"
#include "platform/win32/dx9_display_interface.h"
#include "platform/win32/raw_key.h"
#include "platform/win32/system_dialog_control.h"
#include "tests/support/fake_win32_display_interface.h"

namespace Vorn {
namespace {

class Printer : public IKeyboard, public IMouse, public IRawMouse, public IRawKeyboard
{
public:
    void AddText(const String& text) override { Print("text %s", text.GetText()); }
    void SetPointer(UInt32 action, UInt32 button, Float x, Float y) override
    {
        // Movement is polled every frame; only its sign matters to the driver.
        Print("pointer %u %u %.4f %.4f", action, button, Double(x), Double(y));
    }
    void SetMotion(UInt32 action, SInt32 a, SInt32 b) override { Print("rawmouse %u %d %d", action, a, b); }
    void SetKey(UInt32 action, UInt32 key) override { Print("rawkey %u %u", action, key); }

    template <class... Arguments>
    static void Print(const char* format, Arguments... arguments)
    {
        std::printf(format, arguments...);
        std::printf("\n");
        std::fflush(stdout);
    }
};

class Probe : public Win32::IWindowOwner, public Win32::IWindowPlatform
{
public:
    int Run()
    {
        mConfiguration.SetDisplayName("Vorn Input Probe");
        mConfiguration.SetDisplaySurfaceSize(1280, 800);
        mConfiguration.SetAspectRatio(1.6f);
        mConfiguration.SetFullScreen(false);
        mControl.Init(&mConfiguration);
        HINSTANCE instance = GetModuleHandleW(nullptr);
        if (!mWindow.RegisterWindowClass(this, this, instance))
            return -1;
        if (!mWindow.Create()) {
            mWindow.UnregisterWindowClass();
            return -1;
        }
        mInput.Init(instance, mWindow.GetHandle());
        PrintClient();
        for (;;) {
            MSG message;
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                continue;
            if (message.message == WM_QUIT)
                break;
            if (Win32::SystemDialogControl::HandleDialogMessage(&message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        mInput.DeInit();
        mWindow.UnregisterWindowClass();
        Printer::Print("quit");
        return 0;
    }

    void RunFrame() override
    {
        mInput.Poll();
        mInput.SendInput(mRawKey, &mPrinter, &mPrinter, &mPrinter);
        // No engine here to report the configuration change: the request switches at once.
        if (mControl.GetFullScreenRequested() != mWindow.IsFullScreen()) {
            mWindow.SetFullScreen(mControl.GetFullScreenRequested());
            RECT rectangle = {};
            GetWindowRect(mWindow.GetHandle(), &rectangle);
            Printer::Print("fullscreen %d %ld %ld %ld %ld", mWindow.IsFullScreen() ? 1 : 0, rectangle.left,
                           rectangle.top, rectangle.right, rectangle.bottom);
            PrintClient();
        }
    }

    IConfiguration* GetConfiguration() override { return &mConfiguration; }
    IKeyboard* GetKeyboardDevice() override { return &mPrinter; }
    IMouse* GetMouseDevice() override { return &mPrinter; }
    IRawMouse* GetRawMouseDevice() override { return &mPrinter; }
    Win32::DisplayInterface* GetDisplayInterface() override { return &mDisplay; }
    Win32::ConfigurationControl* GetConfigurationControl() override { return &mControl; }

private:
    void PrintClient()
    {
        POINT origin = {0, 0};
        ClientToScreen(mWindow.GetHandle(), &origin);
        Printer::Print("client %ld %ld %d %d %d %d", origin.x, origin.y, mWindow.GetClientWidth(),
                       mWindow.GetClientHeight(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }

    Core::Configuration mConfiguration;
    Win32::ConfigurationControl mControl;
    Testing::FakeWin32DisplayInterface mDisplay;
    Printer mPrinter;
    Win32::RawKey mRawKey;
    Win32::DxInput mInput;
    Win32::Window mWindow;
};

} // namespace
} // namespace Vorn

int main()
{
    Vorn::Probe probe;
    return probe.Run();
}
