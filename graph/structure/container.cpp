#include "graph/structure/container.h"

#include <new>

#include "graph/node_class_info.h"

namespace Vorn {
namespace Graph {

Container::Container()
{
}

Container::~Container()
{
}

INode* Container::Create()
{
    return new (std::nothrow) Container();
}

const NodeClassInfo& Container::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Container"));
    return info;
}

Bool Container::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                     Bool* error)
{
    Node::DeserializeAttribute(index, attributes, parameters, error);
    return true;
}

} // namespace Graph
} // namespace Vorn
