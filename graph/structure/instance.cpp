#include "graph/structure/instance.h"

#include <cstdio>
#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/factory.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"
#include "resource/graph.h"

namespace Vorn {
namespace Graph {

Instance::Instance() : mReplications(1), mAttributes(nullptr)
{
}

Instance::~Instance()
{
}

INode* Instance::Create()
{
    return new (std::nothrow) Instance();
}

const NodeClassInfo& Instance::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Instance"));
    return info;
}

Bool Instance::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                    Bool* error)
{
    mAttributes = attributes;
    switch (InstanceAttributes::GetTable().FindAttribute(attributes, index)) {
    case InstanceAttributes::kGraphResourceId:
        attributes->GetValue(index, parameters, &mGraphResourceId, error);
        return true;
    case InstanceAttributes::kReplications:
        attributes->GetValue(index, parameters, &mReplications, error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool Instance::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Instance::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    // Sub-graphs left by an Init whose DeInitSelf never ran would otherwise stay as second copies.
    DestroySubGraphs();
    if (mGraphResourceId.IsEmpty()) {
        Debug::Trace("Graph::Instance::InitSelf(%s): No resource ID specified", mId.GetText());
        return false;
    }
    if (mReplications == 0)
        return true;
    Factory* factory = state->GetFactory();
    Resource::ICollection* collection = state->GetResourceCollection();
    if (factory == nullptr || collection == nullptr) {
        Debug::Trace("Graph::Instance::InitSelf(%s): No graph factory or resource collection", mId.GetText());
        return false;
    }
    const Resource::IGraph* graph = collection->GetGraph(mGraphResourceId);
    if (graph == nullptr) {
        Debug::Trace("Graph::Instance::InitSelf(%s): Failed to get resource graph \"%s\"", mId.GetText(),
                     mGraphResourceId.GetText());
        return false;
    }

    Util::Attributes parameters;
    if (mAttributes != nullptr) {
        for (UInt32 i = 0; i < mAttributes->GetNumberOfAttributes(); ++i)
            parameters.AddAttribute(String(mAttributes->GetAttributeName(i)),
                                    String(mAttributes->GetAttributeValue(i)));
    }
    const String replicationName("replication");
    parameters.AddAttribute(replicationName, String("0"));

    for (UInt32 i = 0; i < mReplications; ++i) {
        char number[16];
        std::snprintf(number, sizeof(number), "%u", static_cast<unsigned>(i));
        parameters.SetAttribute(replicationName, String(number));
        INode* subGraph = factory->CreateGraph(graph, &parameters);
        if (subGraph == nullptr) {
            Debug::Trace("Graph::Instance::InitSelf(%s): Failed to create sub-graph \"%s\" for replication #%d",
                         mId.GetText(), mGraphResourceId.GetText(), SInt32(i));
            return false;
        }
        AddChild(subGraph);
        mSubGraphs.Add(subGraph);
    }
    return true;
}

Bool Instance::DeInitSelf(IDeInitState* state)
{
    DestroySubGraphs();
    return Node::DeInitSelf(state);
}

void Instance::DestroySubGraphs()
{
    for (SInt32 i = mSubGraphs.GetCount() - 1; i >= 0; --i) {
        // A sub-graph that someone detached meanwhile belongs to whoever took it.
        if (RemoveChild(mSubGraphs[i]) != nullptr)
            Factory::DestroyGraph(mSubGraphs[i]);
    }
    mSubGraphs.SetCount(0);
}

} // namespace Graph
} // namespace Vorn
