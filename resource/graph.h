// Graph resources: a scene-graph subtree described as a tree of nodes, each with a class name, an
// ordered attribute list and ordered children. The scene graph's factory walks it from the root to
// build live nodes; package instances and sub-graph nodes refer to graphs by id.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class IGraphNode
{
public:
    // The scene-graph node class to create, e.g. "Container".
    virtual String GetClassName() const = 0;
    virtual UInt32 GetNumberOfChildren() const = 0;
    // Children in document order; null when index is not below the child count.
    virtual const IGraphNode* GetChild(UInt32 index) const = 0;
    // Valid as long as the graph lives.
    virtual const IAttributes* GetAttributes() const = 0;
    virtual ~IGraphNode() {}
};

class IGraph
{
public:
    // Null when the graph has no nodes.
    virtual const IGraphNode* GetRootNode() const = 0;
    // The root node's attributes, which serve as the graph's parameter defaults; null without a root.
    virtual const IAttributes* GetRootAttributes() const = 0;
    virtual ~IGraph() {}
};

// The type class of every graph reader (native and XML).
class Graph : public Object, public IGraph
{
public:
    Graph(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Graph() override;
};

} // namespace Resource
} // namespace Vorn
