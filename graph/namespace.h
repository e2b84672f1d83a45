// Namespaces: the scopes in which named nodes register at Init, and the node paths ("menu/start",
// "../title", "/stage") that game code and referring nodes resolve through them.
#pragma once

#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class INamespace
{
public:
    // False (one log line) when the id is already registered; the first entry stays.
    virtual Bool RegisterNode(const String& id, INode* node) = 0;
    // False (one log line) when the id is not registered. Whoever holds the id loses it.
    virtual Bool UnregisterNode(const String& id) = 0;
    virtual Bool RegisterSubNamespace(const String& name, INamespace* nameSpace) = 0;
    virtual Bool UnregisterSubNamespace(const String& name) = 0;
    // The node at the path, with one reference added that the caller releases with
    // RemoveReference; null, without a message, when the path does not resolve.
    virtual INode* FindNode(const String& path) = 0;
    virtual ~INamespace() {}
};

// A node that opens a scope: its descendants down to the next namespace register in it. Neither
// registry owns or counts what it holds; a node leaves only through its own DeInitSelf.
class Namespace : public Node, public INamespace
{
public:
    Namespace();
    ~Namespace() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool RegisterNode(const String& id, INode* node) override;
    Bool UnregisterNode(const String& id) override;
    Bool RegisterSubNamespace(const String& name, INamespace* nameSpace) override;
    Bool UnregisterSubNamespace(const String& name) override;
    INode* FindNode(const String& path) override;

    // The node registered under exactly this id, with a reference added; null when none.
    virtual INode* FindLocalNode(const String& id);
    // The sub-namespace of exactly this name; takes no reference. Null when none.
    virtual INamespace* FindSubNamespace(const String& name);

protected:
    Bool InitSelf(IInitState* state) override;
    Bool InitChildren(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;

private:
    // A sub-namespace, also seen as this class when it is one (cast once, at registration), so
    // that path lookups stay in the caller's text.
    struct SubNamespace
    {
        INamespace* mInterface;
        Namespace* mNamespace;
    };

    // FindNode over the length bytes at path, which need not end there.
    INode* FindNodeInPath(const char* path, SInt32 length);

    Map<String, SubNamespace> mSubNamespaces;
    Map<String, INode*> mNodes;
    // Set once this namespace stands in its enclosing namespace's sub-namespace map, so that a
    // namespace whose registration failed never removes the entry of the one that holds the name.
    Bool mRegisteredAsSubNamespace;
};

} // namespace Graph
} // namespace Vorn
