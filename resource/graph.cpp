#include "resource/graph.h"

namespace Vorn {
namespace Resource {

Graph::Graph(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : Object(id, data, size, conditions, conditionCount)
{
}

Graph::~Graph() = default;

} // namespace Resource
} // namespace Vorn
