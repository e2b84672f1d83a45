#include "graph/backend_object.h"

#include "foundation/configuration.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Graph {
namespace BackEndObject {

Bool Fail(const LogSite& site, const char* message)
{
    Debug::Trace("Graph::%s::%s(%s): %s", site.mClassName, site.mOperation, site.mId.GetText(), message);
    return false;
}

Bool IsReleasedOnSuspend(IConfiguration* configuration, Enums::MemoryObjectType kind)
{
    return configuration != nullptr && (configuration->GetSuspendReleaseMask() & UInt32(kind)) != 0;
}

} // namespace BackEndObject
} // namespace Graph
} // namespace Vorn
