#include "audio/base_renderer.h"

namespace Vorn {
namespace Audio {

Renderer::Renderer(IConfiguration* configuration, IAudioInterface* audioInterface)
    : mConfiguration(configuration), mAudioInterface(audioInterface)
{
}

Renderer::~Renderer() = default;

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
    return create && *create ? (*create)() : nullptr;
}

Bool Renderer::DestroyObject(IObject*& object)
{
    delete object;
    object = nullptr;
    return true;
}

void Renderer::RegisterClasses(const ClassInfo& buffer, const ClassInfo& listener, const ClassInfo& playable)
{
    RegisterObjectClass(buffer);
    RegisterObjectClass(listener);
    RegisterObjectClass(playable);
}

void Renderer::UnregisterClasses(const ClassInfo& buffer, const ClassInfo& listener, const ClassInfo& playable)
{
    UnregisterObjectClass(buffer);
    UnregisterObjectClass(listener);
    UnregisterObjectClass(playable);
}

} // namespace Audio
} // namespace Vorn
