#include "platform/win32/platform.h"

#include "core/device_handler.h"
#include "core/engine.h"
#include "display/dx9/dx9_renderer.h"
#include "display/factory.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "platform/win32/system_facts.h"

namespace Vorn {
namespace Win32 {

namespace {

struct FontMappingRow
{
    const char* mName;
    const char* mFace;
    SInt32 mWeight;
};

// The engine's font names and the GDI faces that draw them.
const FontMappingRow kFontMappings[] = {
    {"Helvetica", "Arial", 400},
    {"HelveticaBold", "Arial", 800},
};
const Float kFontHeightFactor = 1.15f;
const Float kFontAscentFactor = 0.7625f;
const Float kFontDescentFactor = 0.2375f;
const Float kFontSpacingFactor = 0.0f;

} // namespace

Platform::Platform(::Vorn::Platform::EngineFactory::CreateAppFunction createApp,
                   ::Vorn::Platform::EngineFactory::CreateFactoryFunction createFactory)
    : mEngineFactory(std::move(createApp), std::move(createFactory))
{
}

Platform::~Platform() {}

Bool Platform::Init()
{
    Bool result = mEngineFactory.Init() && InitConfiguration() && mEngineFactory.CreateEngine() &&
                  ConfigureEngine() && FitDisplay();
    if (result) {
        // The engine's display factory makes the Direct3D 9 renderer, which lives apart from it.
        mRendererRegistered =
            Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, Display::Dx9::Renderer::Create);
        result = mEngineFactory.InitEngine();
    }
    if (!result) {
        // Nothing made on the way is left behind for the exit to report as leaked.
        Debug::Trace("Win32::Platform::Init(): Failed to initialize platform");
        DeInit();
    }
    return result;
}

Bool Platform::DeInit()
{
    mEngineFactory.DestroyEngine();
    ReleaseControls();
    if (mEngineFactory.IsInitialized())
        mEngineFactory.DeInit();
    mConfiguration = nullptr;
    if (mRendererRegistered) {
        Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9);
        mRendererRegistered = false;
    }
    return true;
}

Bool Platform::InitConfiguration()
{
    mConfiguration = mEngineFactory.GetConfiguration();
    if (mConfiguration == nullptr) {
        Debug::Trace("Win32::Platform::InitConfiguration(): No configuration");
        return false;
    }
    return SystemFacts::Write(mConfiguration, mMonitorWidth, mMonitorHeight);
}

Bool Platform::ConfigureEngine()
{
    IDeviceHandler* deviceHandler = mEngineFactory.GetDeviceHandler();
    if (deviceHandler == nullptr || !deviceHandler->Init(mConfiguration)) {
        Debug::Trace("Win32::Platform::ConfigureEngine(): Failed to initialize device handler");
        return false;
    }
    mDeviceHandlerInitialized = true;
    mKeyboard = deviceHandler->CreateKeyboardDevice();
    mRawKeyboard = deviceHandler->CreateRawKeyboardDevice();
    mMouse = deviceHandler->CreateMouseDevice();
    mRawMouse = deviceHandler->CreateRawMouseDevice();

    // Without a sound device the game runs silent: no audio interface is registered.
    if (mAudioInterface.Init())
        deviceHandler->SetAudioInterface(&mAudioInterface);
    else
        Debug::Trace("Win32::Platform::ConfigureEngine(): No audio device, running without sound");

    mDisplayInterface = std::make_unique<Dx9DisplayInterface>(mConfiguration);
    deviceHandler->SetDisplayInterface(mDisplayInterface.get());

    mFileInterface.Init(mConfiguration, GetModuleHandleW(nullptr));
    mFileInterface.RegisterResources();
    deviceHandler->SetFileInterface(&mFileInterface);

    for (const FontMappingRow& row : kFontMappings)
        mSystemFontControl.AddFontMapping(row.mName, row.mFace, row.mWeight, kFontHeightFactor, kFontAscentFactor,
                                          kFontDescentFactor, kFontSpacingFactor);

    mCustomControl.Init(deviceHandler);
    mConfigurationControl.Init(mConfiguration);

    deviceHandler->AddConfigurationControl(&mConfigurationControl);
    deviceHandler->AddSystemDialogControl(&mSystemDialogControl);
    deviceHandler->AddSystemFontControl(&mSystemFontControl);
    deviceHandler->AddWebControl(&mWebControl);
    mControlsAdded = true;
    return true;
}

Bool Platform::FitDisplay()
{
    return SystemFacts::FitDisplay(mConfiguration, mMonitorWidth, mMonitorHeight);
}

Bool Platform::ReleaseControls()
{
    IDeviceHandler* deviceHandler = mEngineFactory.GetDeviceHandler();
    if (deviceHandler != nullptr && mControlsAdded) {
        deviceHandler->RemoveWebControl(&mWebControl);
        deviceHandler->RemoveSystemFontControl(&mSystemFontControl);
        deviceHandler->RemoveSystemDialogControl(&mSystemDialogControl);
        deviceHandler->RemoveConfigurationControl(&mConfigurationControl);
    }
    mControlsAdded = false;
    mAudioInterface.DeInit();
    mDisplayInterface.reset();
    if (deviceHandler != nullptr && mDeviceHandlerInitialized) {
        if (mRawMouse != nullptr)
            deviceHandler->DestroyRawMouseDevice(mRawMouse);
        if (mMouse != nullptr)
            deviceHandler->DestroyMouseDevice(mMouse);
        if (mRawKeyboard != nullptr)
            deviceHandler->DestroyRawKeyboardDevice(mRawKeyboard);
        if (mKeyboard != nullptr)
            deviceHandler->DestroyKeyboardDevice(mKeyboard);
        deviceHandler->DeInit();
    }
    mRawMouse = nullptr;
    mMouse = nullptr;
    mRawKeyboard = nullptr;
    mKeyboard = nullptr;
    mDeviceHandlerInitialized = false;
    mCustomControl.Init(nullptr);
    return true;
}

void Platform::UpdateControls()
{
    mCustomControl.Process();
    mConfigurationControl.Process();
    mSystemDialogControl.Process();
    mSystemFontControl.Process();
    mWebControl.Process();
}

Bool Platform::ProcessMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return false;
        if (SystemDialogControl::HandleDialogMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

} // namespace Win32
} // namespace Vorn
