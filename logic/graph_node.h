// Node references: how logic code holds scene-graph nodes. A reference looks a node up by path,
// keeps a counted reference on it, may follow reference nodes to their target, tests that the
// node offers the expected interface and releases it again. Processors add them to their node
// observer, which fails the processor's Init when one did not resolve and releases them all at
// DeInit. GraphNodeT exists for the node interfaces listed at the end of graph_node.cpp.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/node_observer.h"

namespace Vorn {
namespace Graph {
class INode;
class INamespace;
class IRoot;
}

namespace Logic {

// The untyped reference: valid while it holds a node.
class GraphINode : public IObservableNode
{
public:
    GraphINode();
    // Releases what it holds.
    ~GraphINode() override;

    Bool IsValid() const override;
    // True also when nothing was held.
    Bool Remove() override;

    // Every binding releases what was held first and returns this reference, so that it can be
    // handed to a node observer in the same expression. A path that does not resolve, a node of
    // the wrong type and a reference node without target each log one line and leave the
    // reference not valid.
    GraphINode* GetReference(Graph::IRoot* root, const String& path);
    // The path is taken relative to the namespace.
    GraphINode* GetReference(Graph::INamespace* nameSpace, const String& path);
    // Adds a reference to the node (null binds nothing).
    GraphINode* GetReference(Graph::INode* node);
    // The same, then reference nodes are followed to the first node that is not one.
    GraphINode* GetTarget(Graph::IRoot* root, const String& path);
    GraphINode* GetTarget(Graph::INamespace* nameSpace, const String& path);
    GraphINode* GetTarget(Graph::INode* node);

    Graph::INode* GetNode() const { return mNode; }

protected:
    // Takes over a node whose reference the lookup already added.
    void Hold(Graph::INode* found, const String& path, Bool followReferences);
    // Derived references check the node they were given.
    virtual void OnBound();

    Graph::INode* mNode;

private:
    GraphINode(const GraphINode&) = delete;
    GraphINode& operator=(const GraphINode&) = delete;

    Graph::INode* FindNode(Graph::IRoot* root, const String& path);
    Graph::INode* FindNode(Graph::INamespace* nameSpace, const String& path);
};

// The typed reference: valid when the node offers T. The node is called through Get().
template <typename T>
class GraphNodeT : public GraphINode
{
public:
    GraphNodeT();
    ~GraphNodeT() override;

    Bool IsValid() const override;
    Bool Remove() override;

    T* Get() const { return mInterface; }

protected:
    void OnBound() override;

    T* mInterface;
};

// A button reference that also holds an event object of its own on the button, which the button
// fills during the graph's process-logic pass and hands back when the reference lets go.
template <typename B, typename E>
class GraphEventT : public GraphNodeT<B>
{
public:
    GraphEventT();
    ~GraphEventT() override;

    Bool IsValid() const override;
    Bool Remove() override;

    E* GetEvent() const { return mEvent; }

protected:
    void OnBound() override;

    E* mEvent;
};

} // namespace Logic
} // namespace Vorn
