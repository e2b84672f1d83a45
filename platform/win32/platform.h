// The Windows side of the engine's device handling: holds the engine factory and one of each
// platform service (audio, display, files, system fonts, web, system dialogs, configuration
// control, custom control), writes the facts about the computer into the configuration, creates
// the engine and the game, registers the services with the device handler, and takes all of it
// down again. The window reaches its configuration, sinks and display through it.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/configuration_control.h"
#include "platform/win32/custom_control.h"
#include "platform/win32/dx9_display_interface.h"
#include "platform/win32/engine_factory.h"
#include "platform/win32/file_interface.h"
#include "platform/win32/system_dialog_control.h"
#include "platform/win32/system_font_control.h"
#include "platform/win32/web_control.h"
#include "platform/win32/window.h"
#include "platform/win32_audio_interface.h"

namespace Vorn {

class IRawKeyboard;

namespace Win32 {

class Platform : public IWindowPlatform
{
public:
    explicit Platform(::Vorn::Platform::EngineFactory::CreateAppFunction createApp,
                      ::Vorn::Platform::EngineFactory::CreateFactoryFunction createFactory = nullptr);
    ~Platform() override;

    // Configuration facts, engine and game, services, window size, engine Init, in that order.
    // False at the first failure, with what was made taken down again.
    Bool Init();
    // Takes down the engine and the game, the services, the configuration and the device handler;
    // true.
    Bool DeInit();
    // The main-thread step of the custom, configuration, system dialog, system font and web
    // controls, in that order.
    void UpdateControls();
    void SetDialogParent(HWND window) { mSystemDialogControl.SetParent(window); }
    // Handles the waiting messages without blocking; false when the quit message arrived.
    static Bool ProcessMessages();

    IConfiguration* GetConfiguration() override { return mConfiguration; }
    IKeyboard* GetKeyboardDevice() override { return mKeyboard; }
    IMouse* GetMouseDevice() override { return mMouse; }
    IRawMouse* GetRawMouseDevice() override { return mRawMouse; }
    IRawKeyboard* GetRawKeyboardDevice() { return mRawKeyboard; }
    DisplayInterface* GetDisplayInterface() override { return mDisplayInterface.get(); }
    ConfigurationControl* GetConfigurationControl() override { return &mConfigurationControl; }
    AudioInterface* GetAudioInterface() { return &mAudioInterface; }
    ::Vorn::Platform::EngineFactory* GetEngineFactory() { return &mEngineFactory; }

private:
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    Bool InitConfiguration();
    Bool ConfigureEngine();
    Bool FitDisplay();
    Bool ReleaseControls();

    ::Vorn::Platform::EngineFactory mEngineFactory;
    IConfiguration* mConfiguration = nullptr;
    IKeyboard* mKeyboard = nullptr;
    IRawKeyboard* mRawKeyboard = nullptr;
    IMouse* mMouse = nullptr;
    IRawMouse* mRawMouse = nullptr;
    Float mMonitorWidth = 0.0f;
    Float mMonitorHeight = 0.0f;
    AudioInterface mAudioInterface;
    std::unique_ptr<Dx9DisplayInterface> mDisplayInterface;
    FileInterface mFileInterface;
    CustomControl mCustomControl;
    ConfigurationControl mConfigurationControl;
    SystemDialogControl mSystemDialogControl;
    SystemFontControl mSystemFontControl;
    WebControl mWebControl;
    // What ConfigureEngine registered, so that ReleaseControls undoes only that.
    Bool mDeviceHandlerInitialized = false;
    Bool mControlsAdded = false;
    Bool mRendererRegistered = false;
};

} // namespace Win32
} // namespace Vorn
