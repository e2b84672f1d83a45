// The scene-graph node references that a processor or a game object holds, kept in one list so
// that an Init can test them all and a DeInit release them all.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {
namespace Logic {

class IObservableNode
{
public:
    // The reference is bound to a node of the expected type.
    virtual Bool IsValid() const = 0;
    // Releases the node; true when the release succeeded or nothing was held.
    virtual Bool Remove() = 0;
    virtual ~IObservableNode() {}
};

class INodeObserver
{
public:
    // False for null; else the node is listed (also a second time) and the result is its IsValid.
    virtual Bool Add(IObservableNode* node) = 0;
    // Takes out the first entry of the node whose Remove succeeds; false when none does.
    virtual Bool Remove(IObservableNode* node) = 0;
    // Takes the entry out without releasing it; false when index is out of range.
    virtual Bool RemoveAt(UInt32 index) = 0;
    virtual UInt32 GetNumberOfNodes() const = 0;
    // Null when index is out of range.
    virtual IObservableNode* GetNode(UInt32 index) const = 0;
    // Null also when the node at index is not valid.
    virtual IObservableNode* GetValidNode(UInt32 index) const = 0;
    // True when every node is valid, also when there are none.
    virtual Bool AreAllValid() const = 0;
    // Releases every node and empties the list; true when every release succeeded.
    virtual Bool RemoveAll() = 0;
    virtual ~INodeObserver() {}
};

// Holds the references, not owning them.
class NodeObserver : public INodeObserver
{
public:
    NodeObserver();
    ~NodeObserver() override;

    Bool Add(IObservableNode* node) override;
    Bool Remove(IObservableNode* node) override;
    Bool RemoveAt(UInt32 index) override;
    UInt32 GetNumberOfNodes() const override;
    IObservableNode* GetNode(UInt32 index) const override;
    IObservableNode* GetValidNode(UInt32 index) const override;
    Bool AreAllValid() const override;
    Bool RemoveAll() override;

private:
    NodeObserver(const NodeObserver&) = delete;
    NodeObserver& operator=(const NodeObserver&) = delete;

    Array<IObservableNode*> mNodes;
};

// Base of game objects that hold node references of their own outside a processor.
class BaseNodeObserver
{
public:
    BaseNodeObserver();
    virtual ~BaseNodeObserver();

    INodeObserver* GetNodeObserver() const { return mNodeObserver; }

protected:
    INodeObserver* mNodeObserver;

private:
    BaseNodeObserver(const BaseNodeObserver&) = delete;
    BaseNodeObserver& operator=(const BaseNodeObserver&) = delete;
};

} // namespace Logic
} // namespace Vorn
