// The plain grouping node: children and the node record, nothing of its own.
#pragma once

#include "graph/node.h"

namespace Vorn {
namespace Graph {

class Container : public Node
{
public:
    Container();
    ~Container() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();
};

} // namespace Graph
} // namespace Vorn
