#include "display/dx9/object.h"

#include "display/dx9/dx9_renderer.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

Renderer* ToDx9Renderer(IRenderer* renderer) { return dynamic_cast<Renderer*>(renderer); }

Object::Object(Renderer* renderer) : mInitialized(false), mHasDxResources(false), mRenderer(renderer) {}

Object::~Object()
{
    if (mInitialized)
        Debug::Trace("Display::Dx9::Object::~Object(): Object %016llx is still initialized",
                     static_cast<unsigned long long>(reinterpret_cast<UInt64>(this)));
}

Bool Object::Init()
{
    mInitialized = true;
    return true;
}

Bool Object::DeInit()
{
    mInitialized = false;
    return true;
}

void Object::Destroy() { delete this; }

Bool Object::Update() { return true; }

Bool Object::IsInitialized() const { return mInitialized; }

Bool Object::HasDxResources() const { return mHasDxResources.load(); }

Bool Object::CreateDxResources()
{
    mHasDxResources = true;
    return true;
}

Bool Object::DestroyDxResources()
{
    mHasDxResources = false;
    return true;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
