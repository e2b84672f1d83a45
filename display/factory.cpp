#include "display/factory.h"

#include <atomic>

#include "display/renderer.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {

namespace {

constexpr UInt32 kNumberOfApis = Enums::Value(Enums::VideoApi::DX11) + 1;

// Filled at start-up before any engine exists, read when the engine makes its renderer.
std::atomic<Factory::CreateFunction> gCreateFunctions[kNumberOfApis];

Bool IsRegistrable(Enums::VideoApi api)
{
    return api != Enums::VideoApi::DEFAULT && Enums::Value(api) < kNumberOfApis;
}

IRenderer* CreateRegistered(Enums::VideoApi api, const char* method, IConfiguration* configuration,
                            IDisplayInterface* displayInterface)
{
    const Factory::CreateFunction create = gCreateFunctions[Enums::Value(api)].load();
    if (create == nullptr) {
        Debug::Trace("Display::Factory::%s(): Not supported on this platform.", method);
        return nullptr;
    }
    return create(configuration, displayInterface);
}

} // namespace

Bool Factory::RegisterRenderer(Enums::VideoApi api, CreateFunction create)
{
    if (!IsRegistrable(api) || create == nullptr)
        return false;
    CreateFunction expected = nullptr;
    return gCreateFunctions[Enums::Value(api)].compare_exchange_strong(expected, create);
}

Bool Factory::UnregisterRenderer(Enums::VideoApi api)
{
    if (!IsRegistrable(api))
        return false;
    return gCreateFunctions[Enums::Value(api)].exchange(nullptr) != nullptr;
}

IRenderer* Factory::CreateRenderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    if (configuration == nullptr) {
        Debug::Trace("Display::Factory::CreateRenderer(): No configuration");
        return nullptr;
    }
    switch (configuration->GetVideoApi()) {
    case Enums::VideoApi::GLES11:
        return CreateGlEs11Renderer(configuration, displayInterface);
    case Enums::VideoApi::GLES20:
        return CreateGlEs20Renderer(configuration, displayInterface);
    case Enums::VideoApi::DX9:
        return CreateDx9Renderer(configuration, displayInterface);
    case Enums::VideoApi::DX11:
        return CreateDx11Renderer(configuration, displayInterface);
    default:
        return nullptr;
    }
}

void Factory::DestroyRenderer(IRenderer*& renderer)
{
    delete renderer;
    renderer = nullptr;
}

IRenderer* Factory::CreateGlEs11Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    return CreateRegistered(Enums::VideoApi::GLES11, "CreateGlEs11Renderer", configuration, displayInterface);
}

IRenderer* Factory::CreateGlEs20Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    return CreateRegistered(Enums::VideoApi::GLES20, "CreateGlEs20Renderer", configuration, displayInterface);
}

IRenderer* Factory::CreateDx9Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    return CreateRegistered(Enums::VideoApi::DX9, "CreateDx9Renderer", configuration, displayInterface);
}

IRenderer* Factory::CreateDx11Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    return CreateRegistered(Enums::VideoApi::DX11, "CreateDx11Renderer", configuration, displayInterface);
}

} // namespace Display
} // namespace Vorn
