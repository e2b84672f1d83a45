// The node class registry and graph builder: turns graph resources into trees of live nodes by
// class name, and makes the engine's graph root. Created and owned by the engine; read-only
// after start, so graphs may be built on any thread.
#pragma once

#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IAttributes;

namespace Resource {
class IGraph;
class IGraphNode;
} // namespace Resource

namespace Graph {

class INode;
class Root;
struct NodeClassInfo;

class Factory
{
public:
    Factory();
    virtual ~Factory();

    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    // Registers the built-in classes that this build provides; a duplicate is skipped.
    Bool Init();
    // Removes the records of the built-in class names again, whoever registered them.
    Bool DeInit();

    // False, without a message, when the class name is already registered. The record is not
    // owned and must outlive the registration.
    Bool RegisterNodeClass(const NodeClassInfo* info);
    // False when the class name is not registered.
    Bool UnregisterNodeClass(const NodeClassInfo* info);

    // Null when the class is not registered or its create function fails.
    INode* CreateNode(const String& className) const;
    // The tree of the resource node with the same parameters for every node; null (with a log
    // line per level) when any node fails, and then nothing of it survives. A tree nested more
    // than 256 levels deep is refused with one line before anything is built.
    INode* CreateGraphFromResourceNode(const Resource::IGraphNode* resourceNode, const IAttributes* parameters) const;
    // The top of a new, unattached, uninitialised tree; the caller's parameters take precedence
    // over the graph's own. Null for a missing graph or a failed node.
    INode* CreateGraph(const Resource::IGraph* graph, const IAttributes* parameters) const;
    // A namespace with one child, the view "root", under a new root; null when either class is
    // not registered.
    Root* CreateRoot() const;

    // Destroys a tree from the leaves up, each node's children from the last to the first; nodes
    // never destroy their children themselves. Null is allowed.
    static void DestroyGraph(INode* node);

private:
    // The recursive build below the depth check.
    INode* CreateSubGraph(const Resource::IGraphNode* resourceNode, const IAttributes* parameters) const;

    Map<String, const NodeClassInfo*> mClasses;
};

} // namespace Graph
} // namespace Vorn
