#include "audio/factory.h"

#include "audio/al11/al11_renderer.h"
#include "audio/dummy/dummy_renderer.h"
#include "foundation/configuration.h"

namespace Vorn {
namespace Audio {

IRenderer* Factory::CreateRenderer(IConfiguration* configuration, IAudioInterface* audioInterface)
{
    // Without an audio device the platform registers no audio interface, though it asks for
    // OpenAL: then nothing can play.
    if (configuration && configuration->GetAudioApi() == Enums::AudioApi::AL11 && audioInterface)
        return CreateAl11Renderer(configuration, audioInterface);
    return CreateDummyRenderer(configuration, audioInterface);
}

IRenderer* Factory::CreateAl11Renderer(IConfiguration* configuration, IAudioInterface* audioInterface)
{
    return new Al11::Renderer(configuration, audioInterface);
}

IRenderer* Factory::CreateDummyRenderer(IConfiguration* configuration, IAudioInterface* audioInterface)
{
    return new Dummy::Renderer(configuration, audioInterface);
}

void Factory::DestroyRenderer(IRenderer*& renderer)
{
    delete renderer;
    renderer = nullptr;
}

} // namespace Audio
} // namespace Vorn
