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
    if (mClasses.Find(info.mName) >= 0)
        return false;
    mClasses.Add(info.mName, info.mCreate);
    return true;
}

Bool Renderer::UnregisterObjectClass(const ClassInfo& info)
{
    const SInt32 position = mClasses.Find(info.mName);
    if (position < 0)
        return false;
    mClasses.RemoveAt(position);
    return true;
}

IObject* Renderer::CreateObject(const String& className)
{
    const ClassInfo::CreateFunction* create = mClasses.FindValue(className);
    if (create == nullptr || *create == nullptr)
        return nullptr;
    return (*create)(this);
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
