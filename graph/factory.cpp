#include "graph/factory.h"

#include <new>

#include "foundation/array.h"
#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/node.h"
#include "graph/node_class_info.h"
#include "graph/root.h"
#include "resource/graph.h"

namespace Vorn {
namespace Graph {

Factory::Factory()
{
}

Factory::~Factory()
{
}

Bool Factory::Init()
{
    for (UInt32 i = 0; i < GetNumberOfBuiltInNodeClasses(); ++i) {
        const NodeClassInfo& info = GetBuiltInNodeClassInfo(i);
        if (info.mCreate != nullptr)
            RegisterNodeClass(&info);
    }
    return true;
}

Bool Factory::DeInit()
{
    for (UInt32 i = 0; i < GetNumberOfBuiltInNodeClasses(); ++i) {
        const NodeClassInfo& info = GetBuiltInNodeClassInfo(i);
        // By name: whatever record holds a built-in class name goes.
        const SInt32 position = mClasses.Find(info.mClassName);
        if (position >= 0)
            mClasses.RemoveAt(position);
    }
    return true;
}

Bool Factory::RegisterNodeClass(const NodeClassInfo* info)
{
    if (info == nullptr || mClasses.Find(info->mClassName) >= 0)
        return false;
    mClasses.Add(info->mClassName, info);
    return true;
}

Bool Factory::UnregisterNodeClass(const NodeClassInfo* info)
{
    if (info == nullptr)
        return false;
    const SInt32 position = mClasses.Find(info->mClassName);
    if (position < 0)
        return false;
    mClasses.RemoveAt(position);
    return true;
}

INode* Factory::CreateNode(const String& className) const
{
    const NodeClassInfo* const* info = mClasses.FindValue(className);
    if (info == nullptr || (*info)->mCreate == nullptr)
        return nullptr;
    return (*info)->mCreate();
}

namespace {

// Building and every later walk of a tree recurse once per level; a crafted graph nested far
// deeper than any real scene would overflow the stack (1 MB on the Windows main thread).
constexpr UInt32 kMaxGraphDepth = 256;

// True when no path from the node runs deeper than the limit; walks without recursion.
Bool IsWithinDepthLimit(const Resource::IGraphNode* top)
{
    struct Pending
    {
        const Resource::IGraphNode* node;
        UInt32 depth;
    };
    Array<Pending> pending;
    pending.Add(Pending{top, 1});
    while (!pending.IsEmpty()) {
        const Pending current = pending.GetLast();
        pending.SetCount(pending.GetCount() - 1);
        if (current.depth > kMaxGraphDepth)
            return false;
        for (UInt32 i = 0; i < current.node->GetNumberOfChildren(); ++i) {
            const Resource::IGraphNode* child = current.node->GetChild(i);
            // A missing child is reported by the build itself.
            if (child != nullptr)
                pending.Add(Pending{child, current.depth + 1});
        }
    }
    return true;
}

} // namespace

INode* Factory::CreateGraphFromResourceNode(const Resource::IGraphNode* resourceNode,
                                            const IAttributes* parameters) const
{
    if (!IsWithinDepthLimit(resourceNode)) {
        Debug::Trace("Graph::Factory::CreateGraphFromResourceNode(): Graph nested deeper than %u levels",
                     kMaxGraphDepth);
        return nullptr;
    }
    return CreateSubGraph(resourceNode, parameters);
}

INode* Factory::CreateSubGraph(const Resource::IGraphNode* resourceNode, const IAttributes* parameters) const
{
    const String className = resourceNode->GetClassName();
    INode* node = CreateNode(className);
    if (node == nullptr) {
        Debug::Trace("Graph::Factory::CreateGraphFromResourceNode(): Failed creating node for class '%s'",
                     className.GetText());
        return nullptr;
    }
    if (!node->Deserialize(resourceNode, parameters)) {
        Debug::Trace("Graph::Factory::CreateGraphFromResourceNode(): Failed deserializing resource node for class '%s'",
                     className.GetText());
        DestroyGraph(node);
        return nullptr;
    }
    for (UInt32 i = 0; i < resourceNode->GetNumberOfChildren(); ++i) {
        const Resource::IGraphNode* childResource = resourceNode->GetChild(i);
        if (childResource == nullptr) {
            Debug::Trace("Graph::Factory::CreateGraphFromResourceNode(): Failed getting child #%d", SInt32(i));
            DestroyGraph(node);
            return nullptr;
        }
        INode* child = CreateSubGraph(childResource, parameters);
        if (child == nullptr) {
            Debug::Trace("Graph::Factory::CreateGraphFromResourceNode(): Failed creating child #%d", SInt32(i));
            DestroyGraph(node);
            return nullptr;
        }
        const UInt32 count = node->GetNumberOfChildren();
        node->AddChild(child);
        // A class may refuse children (a Reference shows its target instead); what it did not
        // take is still ours to destroy.
        if (node->GetNumberOfChildren() == count || node->GetChild(count) != child)
            DestroyGraph(child);
    }
    return node;
}

INode* Factory::CreateGraph(const Resource::IGraph* graph, const IAttributes* parameters) const
{
    if (graph == nullptr || graph->GetRootNode() == nullptr)
        return nullptr;
    const IAttributes* defaults = graph->GetRootAttributes();
    if (defaults != nullptr && defaults->GetNumberOfAttributes() > 0) {
        if (parameters != nullptr && parameters->GetNumberOfAttributes() > 0) {
            // Caller parameters first, then the graph's own for the names the caller did not give.
            const Util::Attributes merged(*parameters, *defaults);
            return CreateGraphFromResourceNode(graph->GetRootNode(), &merged);
        }
        return CreateGraphFromResourceNode(graph->GetRootNode(), defaults);
    }
    return CreateGraphFromResourceNode(graph->GetRootNode(), parameters);
}

Root* Factory::CreateRoot() const
{
    static const char* const kClassNames[] = {"Namespace", "View"};
    INode* nodes[2] = {nullptr, nullptr};
    for (UInt32 i = 0; i < 2; ++i) {
        nodes[i] = CreateNode(String(kClassNames[i]));
        if (nodes[i] == nullptr) {
            Debug::Trace("Graph::Factory::CreateRoot(): Failed creating node for class '%s'", kClassNames[i]);
            DestroyGraph(nodes[0]);
            return nullptr;
        }
    }
    nodes[1]->SetId(String("root"));
    nodes[0]->AddChild(nodes[1]);
    Root* root = new (std::nothrow) Root(nodes[0]);
    if (root == nullptr)
        DestroyGraph(nodes[0]);
    return root;
}

void Factory::DestroyGraph(INode* node)
{
    if (node == nullptr)
        return;
    for (UInt32 i = node->GetNumberOfChildren(); i > 0; --i)
        DestroyGraph(node->GetChild(i - 1));
    delete node;
}

} // namespace Graph
} // namespace Vorn
