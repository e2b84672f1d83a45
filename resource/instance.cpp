#include "resource/instance.h"

namespace Vorn {
namespace Resource {

Instance::Instance(const String& graphResourceId, const String& parentNodeId, const IGraph* graph)
    : mGraph(graph), mGraphResourceId(graphResourceId), mParentNodeId(parentNodeId)
{
}

Instance::~Instance() {}

const String& Instance::GetGraphResourceId() const
{
    return mGraphResourceId;
}

const String& Instance::GetParentNodeId() const
{
    return mParentNodeId;
}

const IGraph* Instance::GetGraph() const
{
    return mGraph;
}

} // namespace Resource
} // namespace Vorn
