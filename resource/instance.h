// Graph instances of a package: when the package is loaded, the engine puts a copy of the graph
// into the scene under the parent node (the root's own root node when the parent id is empty).
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Resource {

class IGraph;

class IInstance
{
public:
    virtual const String& GetGraphResourceId() const = 0;
    virtual const String& GetParentNodeId() const = 0;
    virtual const IGraph* GetGraph() const = 0;
    virtual ~IInstance() {}
};

class Instance : public IInstance
{
public:
    // The graph is borrowed from the package that holds it.
    Instance(const String& graphResourceId, const String& parentNodeId, const IGraph* graph);
    ~Instance() override;
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    const String& GetGraphResourceId() const override;
    const String& GetParentNodeId() const override;
    const IGraph* GetGraph() const override;

private:
    const IGraph* mGraph;
    String mGraphResourceId;
    String mParentNodeId;
};

} // namespace Resource
} // namespace Vorn
