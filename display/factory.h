// Makes and destroys the display renderer that the configuration's video interface names. The
// engine owns one factory. Back-ends built apart from the engine (the Direct3D 9 renderer lives in
// the Windows-only library) register their create function here before the engine starts.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IDisplayInterface;

namespace Display {

class IRenderer;

class Factory
{
public:
    typedef IRenderer* (*CreateFunction)(IConfiguration* configuration, IDisplayInterface* displayInterface);

    Factory() {}
    virtual ~Factory() {}

    // Registers the function that makes the renderer of a video interface; false for DEFAULT or
    // a value outside the enumeration, and when the interface has a function already.
    static Bool RegisterRenderer(Enums::VideoApi api, CreateFunction create);
    // False when the interface has no function.
    static Bool UnregisterRenderer(Enums::VideoApi api);

    // The renderer of the configured video interface, not yet initialised; null for DEFAULT, an
    // unknown value or an interface without a registered renderer.
    IRenderer* CreateRenderer(IConfiguration* configuration, IDisplayInterface* displayInterface);
    // Destroys the renderer when set and clears the pointer.
    void DestroyRenderer(IRenderer*& renderer);

    // One per video interface; each logs "Not supported on this platform." and answers null
    // when no renderer is registered for it.
    IRenderer* CreateGlEs11Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface);
    IRenderer* CreateGlEs20Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface);
    IRenderer* CreateDx9Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface);
    IRenderer* CreateDx11Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface);

private:
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;
};

} // namespace Display
} // namespace Vorn
