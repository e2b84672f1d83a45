#include "logic/node_observer.h"

namespace Vorn {
namespace Logic {

NodeObserver::NodeObserver()
{
}

NodeObserver::~NodeObserver()
{
}

Bool NodeObserver::Add(IObservableNode* node)
{
    if (node == nullptr)
        return false;
    mNodes.Add(node);
    return node->IsValid();
}

Bool NodeObserver::Remove(IObservableNode* node)
{
    for (SInt32 i = 0; i < mNodes.GetCount(); ++i) {
        if (mNodes[i] == node && node->Remove()) {
            mNodes.RemoveAt(i);
            return true;
        }
    }
    return false;
}

Bool NodeObserver::RemoveAt(UInt32 index)
{
    if (index >= GetNumberOfNodes())
        return false;
    mNodes.RemoveAt(SInt32(index));
    return true;
}

UInt32 NodeObserver::GetNumberOfNodes() const
{
    return UInt32(mNodes.GetCount());
}

IObservableNode* NodeObserver::GetNode(UInt32 index) const
{
    return index < GetNumberOfNodes() ? mNodes[SInt32(index)] : nullptr;
}

IObservableNode* NodeObserver::GetValidNode(UInt32 index) const
{
    IObservableNode* node = GetNode(index);
    return node != nullptr && node->IsValid() ? node : nullptr;
}

Bool NodeObserver::AreAllValid() const
{
    for (IObservableNode* node : mNodes) {
        if (!node->IsValid())
            return false;
    }
    return true;
}

Bool NodeObserver::RemoveAll()
{
    Bool removed = true;
    for (IObservableNode* node : mNodes) {
        if (!node->Remove())
            removed = false;
    }
    mNodes.Clear();
    return removed;
}

BaseNodeObserver::BaseNodeObserver() : mNodeObserver(new NodeObserver())
{
}

BaseNodeObserver::~BaseNodeObserver()
{
    delete mNodeObserver;
}

} // namespace Logic
} // namespace Vorn
