#include "graph/init_state.h"

#include "graph/namespace.h"

namespace Vorn {
namespace Graph {

void InitState::SetCancelled(Bool cancelled) { mCancelled.store(cancelled); }

Bool InitState::IsCancelled() const { return mCancelled.load(); }

void InitState::Begin()
{
    ServiceStateT::Begin();
    // A pass that failed half-way leaves its entries behind; the next pass starts clean.
    mNodes.Clear();
    mNamespaces.Clear();
}

void InitState::PushNode(INode* node) { mNodes.Push(node); }

void InitState::PopNode() { mNodes.Pop(); }

INode* InitState::GetCurrentNode() { return mNodes.GetTop(); }

void InitState::PushNamespace(INamespace* nameSpace) { mNamespaces.Push(nameSpace); }

void InitState::PopNamespace() { mNamespaces.Pop(); }

INamespace* InitState::GetCurrentNamespace() { return mNamespaces.GetTop(); }

INamespace* InitState::GetRootNamespace() { return mNamespaces.GetBottom(); }

INode* InitState::FindNode(const String& path)
{
    INamespace* current = mNamespaces.GetTop();
    return current ? current->FindNode(path) : nullptr;
}

} // namespace Graph
} // namespace Vorn
