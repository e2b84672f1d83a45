#include "graph/render/render_object.h"

#include "foundation/configuration.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Graph {
namespace RenderObject {
namespace {

Bool Fail(const LogSite& site, const char* message)
{
    Debug::Trace("Graph::%s::%s(%s): %s", site.mClassName, site.mOperation, site.mId.GetText(), message);
    return false;
}

} // namespace

Bool IsReleasedOnSuspend(IConfiguration* configuration, Enums::MemoryObjectType kind)
{
    return configuration != nullptr && (configuration->GetSuspendReleaseMask() & UInt32(kind)) != 0;
}

Bool Init(Display::IObject* object, const LogSite& site, const char* message)
{
    if (object != nullptr && !object->Init())
        return Fail(site, message);
    return true;
}

Bool DeInit(Display::IObject* object, const LogSite& site, const char* message)
{
    if (object != nullptr && !object->DeInit())
        return Fail(site, message);
    return true;
}

Bool Destroy(Display::IRenderer* renderer, Display::IObject*& object, const LogSite& site, const char* message)
{
    if (object == nullptr)
        return true;
    if (!DeInit(object, site, message))
        return false;
    if (renderer != nullptr)
        renderer->DestroyObject(object);
    return true;
}

Bool Suspend(Display::IObject* object, IConfiguration* configuration, Enums::MemoryObjectType kind,
             const LogSite& site, const char* message)
{
    if (!IsReleasedOnSuspend(configuration, kind))
        return true;
    return DeInit(object, site, message);
}

Bool Resume(Display::IObject* object, IConfiguration* configuration, Enums::MemoryObjectType kind,
            const LogSite& site, const char* message)
{
    if (!IsReleasedOnSuspend(configuration, kind))
        return true;
    return Init(object, site, message);
}

} // namespace RenderObject
} // namespace Graph
} // namespace Vorn
