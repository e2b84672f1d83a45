// The program's application object: owns the DirectInput reader, the scan-code table, the platform
// object and the main window, runs start-up, the message loop with its paint-driven frames and
// shutdown, and pauses or suspends the engine while the window is inactive.
#pragma once

#include <windows.h>

#include "platform/win32/dx_input.h"
#include "platform/win32/platform.h"
#include "platform/win32/raw_key.h"
#include "platform/win32/window.h"

namespace Vorn {

namespace Win32 {

class Application : public IWindowOwner
{
public:
    explicit Application(::Vorn::Platform::EngineFactory::CreateAppFunction createApp,
                         ::Vorn::Platform::EngineFactory::CreateFactoryFunction createFactory = nullptr);
    ~Application() override;

    // The whole life of the program; false when start-up fails (platform, window class, window,
    // engine start) or a frame failed (a failed package load fails one), so that the program
    // exits with -1.
    Bool Run(HINSTANCE instance);
    // Starts the engine, pumps messages until the quit message and stops the engine; false
    // without an engine, when its Start or Stop fails, or when the loop ended on a failed frame.
    Bool MainLoop();
    // One frame; each paint message runs one.
    void RunFrame() override;
    // Reads DirectInput into the input devices.
    void PollInput();
    // Carries out the requests collected by the configuration control.
    void ApplyControlRequests();

    Platform& GetPlatform() { return mPlatform; }
    Window& GetWindow() { return mWindow; }

private:
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void PostQuit();
    // Ends the loop as a failure.
    void PostQuitOnFailure();

    DxInput mDxInput;
    RawKey mRawKey;
    Platform mPlatform;
    Window mWindow;
    // Set by a failed engine frame or present: the program then ends with a failure.
    Bool mFrameFailed;
};

} // namespace Win32
} // namespace Vorn
