#include "display/renderer_base.h"

namespace Vorn {
namespace Display {

Renderer::Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
    : mWidth(0), mHeight(0), mConfiguration(configuration), mDisplayInterface(displayInterface)
{
}

Renderer::~Renderer() {}

Bool Renderer::Init(UInt32 width, UInt32 height)
{
    mWidth = width;
    mHeight = height;
    return true;
}

Bool Renderer::DeInit() { return true; }

Bool Renderer::RegisterObjectClass(const ClassInfo& info)
{
    return mClasses.Register(info.mName, info.mCreate);
}

Bool Renderer::UnregisterObjectClass(const ClassInfo& info)
{
    return mClasses.Unregister(info.mName);
}

IObject* Renderer::CreateObject(const String& className)
{
    const ClassInfo::CreateFunction create = mClasses.Find(className);
    return create ? create(this) : nullptr;
}

Bool Renderer::DestroyObject(IObject*& object)
{
    delete object;
    object = nullptr;
    return true;
}

void Renderer::SetDimensions(UInt32 width, UInt32 height)
{
    mWidth = width;
    mHeight = height;
}

} // namespace Display
} // namespace Vorn
