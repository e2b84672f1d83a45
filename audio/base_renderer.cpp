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
    return mClasses.Register(info.mName, info.mCreate);
}

Bool Renderer::UnregisterObjectClass(const ClassInfo& info)
{
    return mClasses.Unregister(info.mName);
}

IObject* Renderer::CreateObject(const String& className)
{
    const ClassInfo::CreateFunction create = mClasses.Find(className);
    return create ? create() : nullptr;
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
