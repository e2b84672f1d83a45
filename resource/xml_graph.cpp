#include "resource/xml_graph.h"

#include "foundation/debug.h"
#include "resource/native_graph.h"

namespace Vorn {
namespace Resource {

// Nodes.

XmlGraph::Node::Node(const String& className) : mClassName(className) {}

XmlGraph::Node::~Node()
{
    // Detaches the descendants into a work list, last child first, so that a deeply nested
    // document is destroyed without one call level per element.
    Array<Node*> pending;
    for (SInt32 i = mChildren.GetCount() - 1; i >= 0; --i)
        pending.Add(mChildren[i]);
    mChildren.Clear();
    while (!pending.IsEmpty()) {
        Node* node = pending.GetLast();
        pending.SetCount(pending.GetCount() - 1);
        for (SInt32 i = node->mChildren.GetCount() - 1; i >= 0; --i)
            pending.Add(node->mChildren[i]);
        node->mChildren.Clear();
        delete node;
    }
}

String XmlGraph::Node::GetClassName() const
{
    return mClassName;
}

UInt32 XmlGraph::Node::GetNumberOfChildren() const
{
    return UInt32(mChildren.GetCount());
}

const IGraphNode* XmlGraph::Node::GetChild(UInt32 index) const
{
    if (index >= GetNumberOfChildren())
        return nullptr;
    return mChildren[SInt32(index)];
}

const IAttributes* XmlGraph::Node::GetAttributes() const
{
    return mAttributes.get();
}

void XmlGraph::Node::AddChild(Node* child)
{
    mChildren.Add(child);
}

void XmlGraph::Node::CreateAttributes(const IAttributes& source)
{
    mAttributes.reset(new Util::Attributes(source, false));
}

// Parser.

XmlGraph::Parser::Parser() : mRootNode(nullptr) {}

XmlGraph::Parser::~Parser()
{
    delete mRootNode;
}

Bool XmlGraph::Parser::IsRootElement(const String& name)
{
    return name == "Graph";
}

Bool XmlGraph::Parser::OnRootElement(const String&, Util::Attributes* attributes)
{
    delete mRootNode;
    mRootNode = new Node(String("Container"));
    mRootNode->CreateAttributes(*attributes);
    mNodeStack.Clear();
    mNodeStack.Add(mRootNode);
    return true;
}

Bool XmlGraph::Parser::OnElement(const String& name, Util::Attributes* attributes)
{
    // Elements that ended since the last start are dropped here: the parent of every element is
    // its nearest open enclosing element.
    const SInt32 depth = SInt32(GetDepth());
    if (mNodeStack.GetCount() > depth)
        mNodeStack.SetCount(depth);
    if (mNodeStack.IsEmpty())
        return false;
    Node* node = new Node(name);
    mNodeStack.GetLast()->AddChild(node);
    mNodeStack.Add(node);
    node->CreateAttributes(*attributes);
    return true;
}

XmlGraph::Node* XmlGraph::Parser::TakeRootNode()
{
    Node* root = mRootNode;
    mRootNode = nullptr;
    mNodeStack.Clear();
    return root;
}

// Graph.

IObject* XmlGraph::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    *releaseData = true;
    Parser parser;
    if (!parser.Parse(data, size)) {
        if (parser.HasDocumentError()) {
            Debug::Trace("Resource::XmlGraph::Create(): Failed, %s", parser.GetErrorString().GetText());
            *failed = true;
        }
        return nullptr;
    }
    // The tree holds copies of every text, and the caller may free the bytes once this returns:
    // the graph does not keep pointing at them.
    return new XmlGraph(id, nullptr, 0, conditions, conditionCount, parser.TakeRootNode());
}

XmlGraph::XmlGraph(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount,
                   Node* rootNode)
    : Graph(id, data, size, conditions, conditionCount), mRootNode(rootNode)
{
}

XmlGraph::~XmlGraph() = default;

const IGraphNode* XmlGraph::GetRootNode() const
{
    return mRootNode.get();
}

const IAttributes* XmlGraph::GetRootAttributes() const
{
    return mRootNode != nullptr ? mRootNode->GetAttributes() : nullptr;
}

Bool XmlGraph::GetNativeData(Data& data) const
{
    return NativeGraph::Write(this, data);
}

} // namespace Resource
} // namespace Vorn
