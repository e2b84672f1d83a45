#include "platform/win32/application.h"

#include "core/engine.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Win32 {

Application::Application(::Vorn::Platform::EngineFactory::CreateAppFunction createApp,
                         ::Vorn::Platform::EngineFactory::CreateFactoryFunction createFactory)
    : mPlatform(std::move(createApp), std::move(createFactory)), mFrameFailed(false)
{
}

Application::~Application() {}

Bool Application::Run(HINSTANCE instance)
{
    if (instance == nullptr)
        instance = GetModuleHandleW(nullptr);
    if (!mPlatform.Init())
        return false;
    // Without a sound device there is no audio context to activate.
    AudioInterface* audio = mPlatform.GetAudioInterface();
    if (audio->GetRenderContext() != nullptr)
        audio->ActivateRenderContext();
    if (!mWindow.RegisterWindowClass(this, &mPlatform, instance)) {
        mPlatform.DeInit();
        return false;
    }
    Bool result = mWindow.Create();
    if (result) {
        mPlatform.SetDialogParent(mWindow.GetHandle());
        mDxInput.Init(instance, mWindow.GetHandle());
        result = MainLoop();
        mDxInput.DeInit();
        mWindow.Destroy();
    }
    mPlatform.SetDialogParent(nullptr);
    mWindow.UnregisterWindowClass();
    mPlatform.DeInit();
    return result;
}

Bool Application::MainLoop()
{
    ::Vorn::Platform::EngineFactory* factory = mPlatform.GetEngineFactory();
    mFrameFailed = false;
    if (!factory->Start()) {
        // A start that failed half way may have left threads and the root behind.
        if (factory->GetEngine() != nullptr)
            factory->GetEngine()->Stop(factory->GetApp());
        return false;
    }
    while (mWindow.IsAttached() && Platform::ProcessMessages()) {
    }
    const Bool stopped = factory->Stop();
    if (mFrameFailed)
        Debug::Trace("Win32::Application::MainLoop(): Ended after a failed frame");
    return stopped && !mFrameFailed;
}

void Application::PostQuit()
{
    PostMessageW(mWindow.GetHandle(), WM_QUIT, 0, 0);
}

void Application::PostQuitOnFailure()
{
    mFrameFailed = true;
    PostQuit();
}

void Application::RunFrame()
{
    ::Vorn::Platform::EngineFactory* factory = mPlatform.GetEngineFactory();
    if (mWindow.IsActive() && !mWindow.IsMinimised())
        factory->Reactivate();
    else
        factory->Deactivate();
    // Nothing is drawn or polled while suspended.
    if (factory->IsSuspended() || !mWindow.IsAttached())
        return;
    DisplayInterface* display = mPlatform.GetDisplayInterface();
    // A lost device is retried at the next frame.
    if (display == nullptr || !display->BeginFrame(factory))
        return;
    PollInput();
    ApplyControlRequests();
    mPlatform.UpdateControls();
    // Each failure ends the loop at the next pump; the frame still runs to its end.
    if (!factory->BeginFrame())
        PostQuitOnFailure();
    if (!display->SwapBuffers(factory))
        PostQuitOnFailure();
    else if (!mWindow.IsAttached())
        PostQuit();
    if (!factory->EndFrame())
        PostQuitOnFailure();
    display->EndFrame(factory);
}

void Application::PollInput()
{
    mDxInput.Poll();
    mDxInput.SendInput(mRawKey, mPlatform.GetRawKeyboardDevice(), mPlatform.GetRawMouseDevice(),
                       mPlatform.GetMouseDevice());
}

void Application::ApplyControlRequests()
{
    ConfigurationControl* control = mPlatform.GetConfigurationControl();
    // The request stays set, so the quit message is posted every frame until the loop ends.
    if (control->IsQuitRequested())
        PostQuit();
    if (control->HasFullScreenChanged())
        mWindow.SetFullScreen(control->GetFullScreenRequested());
    if (control->HasCursorChanged())
        mWindow.SetCursorHidden(control->IsCursorHidden());
    if (control->HasMouseModeChanged())
        mDxInput.SetMouseExclusive(control->IsMouseExclusive(), mWindow.GetHandle());
}

} // namespace Win32
} // namespace Vorn
