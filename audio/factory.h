// Makes and destroys the engine's audio renderer: the OpenAL one when the configuration asks for
// OpenAL 1.1 and the platform has an audio device, else the silent one.
#pragma once

#include "audio/renderer.h"

namespace Vorn {

class IAudioInterface;
class IConfiguration;

namespace Audio {

class Factory
{
public:
    virtual ~Factory() {}
    // A new, not yet initialised renderer for the configured audio interface.
    IRenderer* CreateRenderer(IConfiguration* configuration, IAudioInterface* audioInterface);
    IRenderer* CreateAl11Renderer(IConfiguration* configuration, IAudioInterface* audioInterface);
    IRenderer* CreateDummyRenderer(IConfiguration* configuration, IAudioInterface* audioInterface);
    // Deletes the renderer when the pointer is set, and clears the pointer.
    void DestroyRenderer(IRenderer*& renderer);
};

} // namespace Audio
} // namespace Vorn
