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

    // The node's own attributes are read; every attribute counts as recognised, so that a
    // container (every graph's top) never reports an unknown one.
    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;
};

} // namespace Graph
} // namespace Vorn
