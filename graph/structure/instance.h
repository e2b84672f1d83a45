// Expands a second graph resource below itself at Init, once per replication. Every node of
// replication i sees the parameter "replication" = i and every attribute of the instance node
// as parameters, over the sub-graph's own defaults.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class Instance : public Node
{
public:
    Instance();
    ~Instance() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    const String& GetGraphResourceId() const { return mGraphResourceId; }
    UInt32 GetReplications() const { return mReplications; }

protected:
    // Appends the new sub-graphs as children, which Init then initialises in the same pass.
    Bool InitSelf(IInitState* state) override;
    // Removes and destroys the sub-graphs that InitSelf made (by then de-initialised), so that
    // the next Init builds them afresh; other children stay.
    Bool DeInitSelf(IDeInitState* state) override;

private:
    void DestroySubGraphs();

    String mGraphResourceId;
    UInt32 mReplications;
    // The list the node was deserialised from; it belongs to the graph resource.
    const IAttributes* mAttributes;
    // The top nodes of the sub-graphs made by InitSelf, in replication order.
    Array<INode*> mSubGraphs;
};

} // namespace Graph
} // namespace Vorn
