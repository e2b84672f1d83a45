// The graph read from an XML description: the document element "Graph" becomes a root node of class
// "Container", every element inside it a node of the element's name with the element's attributes
// and child elements. The tree is parsed once; the native form is written from it on request.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/attributes.h"
#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/xml_parser.h"
#include "resource/graph.h"

namespace Vorn {
namespace Resource {

class XmlGraph : public Graph
{
public:
    class Node : public IGraphNode
    {
    public:
        explicit Node(const String& className);
        // Destroys the whole subtree.
        ~Node() override;
        Node(const Node&) = delete;
        Node& operator=(const Node&) = delete;

        String GetClassName() const override;
        UInt32 GetNumberOfChildren() const override;
        const IGraphNode* GetChild(UInt32 index) const override;
        // Null until CreateAttributes has run.
        const IAttributes* GetAttributes() const override;

        // The node owns the child from now on.
        virtual void AddChild(Node* child);
        // A copy of every attribute of the source, used or not.
        virtual void CreateAttributes(const IAttributes& source);

    private:
        String mClassName;
        Array<Node*> mChildren;
        std::unique_ptr<Util::Attributes> mAttributes;
    };

    class Parser : public Util::XmlParser
    {
    public:
        Parser();
        // Destroys a tree that was never taken (a failed parse).
        ~Parser() override;

        Bool IsRootElement(const String& name) override;
        Bool OnRootElement(const String& name, Util::Attributes* attributes) override;
        Bool OnElement(const String& name, Util::Attributes* attributes) override;

        // Hands the root node to the caller; null when no document element was accepted.
        Node* TakeRootNode();

    private:
        Node* mRootNode;
        // The open nodes, innermost last; not owned.
        Array<Node*> mNodeStack;
    };

    // Object creator for XML documents whose element is "Graph". Other data is declined silently; a
    // graph document that fails to parse is refused with one log line and ends the search.
    // Everything is converted, so releaseData stays true.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // Takes ownership of the root node (may be null).
    XmlGraph(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount,
             Node* rootNode);
    ~XmlGraph() override;

    const IGraphNode* GetRootNode() const override;
    const IAttributes* GetRootAttributes() const override;
    // The native "GRPH" form of the tree; false without a root node.
    Bool GetNativeData(Data& data) const override;

private:
    std::unique_ptr<Node> mRootNode;
};

} // namespace Resource
} // namespace Vorn
