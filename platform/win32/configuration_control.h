// Carries requests between the game and the main loop: configuration changes that concern the
// window (full screen, cursor, mouse mode), the window's Alt+Enter request and the game's quit
// request. The configuration-changed call runs on the logic thread and the window and main loop
// read the flags on the main thread, so every flag is atomic.
#pragma once

#include <atomic>

#include "platform/configuration_control.h"

namespace Vorn {
namespace Win32 {

class ConfigurationControl : public IConfigurationControl
{
public:
    ConfigurationControl() = default;

    // Takes full screen (also as the request), cursor and mouse mode from the configuration.
    Bool Init(IConfiguration* configuration);

    // Writes a full-screen request that differs from the configuration's value into it.
    void Process() override;
    void Update() override {}
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;

    void Quit() override { mQuitRequested = true; }
    Bool IsQuitRequested() const override { return mQuitRequested; }

    // The window's Alt+Enter entry.
    void SetFullScreenRequested(Bool fullScreen) { mFullScreenRequested = fullScreen; }
    Bool GetFullScreenRequested() const { return mFullScreenRequested; }

    Bool HasFullScreenChanged() const { return mFullScreenChanged; }
    void ClearFullScreenChanged() { mFullScreenChanged = false; }
    Bool GetFullScreen() const { return mFullScreen; }
    Bool HasCursorChanged() const { return mCursorChanged; }
    void ClearCursorChanged() { mCursorChanged = false; }
    Bool IsCursorHidden() const { return mCursorHidden; }
    Bool HasMouseModeChanged() const { return mMouseModeChanged; }
    void ClearMouseModeChanged() { mMouseModeChanged = false; }
    Bool IsMouseExclusive() const { return mMouseExclusive; }

private:
    IConfiguration* mConfiguration = nullptr;
    std::atomic<Bool> mQuitRequested{false};
    std::atomic<Bool> mFullScreenChanged{false};
    std::atomic<Bool> mFullScreen{false};
    std::atomic<Bool> mFullScreenRequested{false};
    std::atomic<Bool> mCursorChanged{false};
    std::atomic<Bool> mCursorHidden{false};
    std::atomic<Bool> mMouseModeChanged{false};
    std::atomic<Bool> mMouseExclusive{false};
};

} // namespace Win32
} // namespace Vorn
