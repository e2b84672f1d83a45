// The engine over fakes, for engine tests and benchmarks: the real configuration, a fake device
// hub (its display interface lets any thread draw, its audio interface does not), the fake
// display renderer made through the display factory's maker for the Direct3D 9 interface, the
// silent audio renderer, and a fake application. The test thread is the main thread; the logic
// and loader threads run for real.
#pragma once

#include "core/configuration.h"
#include "core/core_engine.h"
#include "display/factory.h"
#include "tests/support/fake_app.h"
#include "tests/support/fake_device_handler.h"
#include "tests/support/fake_display_renderer.h"

namespace Vorn {
namespace Testing {

class EngineServices
{
public:
    EngineServices()
    {
        Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, &MakeDisplayRenderer);
        mConfiguration.SetVideoApi(Enums::VideoApi::DX9);
        mConfiguration.SetDisplaySurfaceSize(64, 32);
        // Frames come from the test thread only, as on the platform.
        mConfiguration.SetMultiThreadedCalls(false);
        mDevices.Init(&mConfiguration);
    }
    ~EngineServices()
    {
        mDevices.DeInit();
        Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9);
    }

    Bool InitAndStart()
    {
        return mEngine.Init(&mConfiguration, &mDevices) && mEngine.Start(&mApp);
    }
    // One frame as the platform runs it.
    Bool Frame() { return mEngine.BeginFrame() && mEngine.EndFrame(); }

    // The renderer the engine made last.
    static FakeDisplayRenderer*& Renderer()
    {
        static FakeDisplayRenderer* renderer = nullptr;
        return renderer;
    }

    Core::Configuration mConfiguration;
    FakeDeviceHandler mDevices;
    FakeApp mApp;
    Core::Engine mEngine;

private:
    static Display::IRenderer* MakeDisplayRenderer(IConfiguration*, IDisplayInterface*)
    {
        Renderer() = new FakeDisplayRenderer();
        return Renderer();
    }
};

} // namespace Testing
} // namespace Vorn
