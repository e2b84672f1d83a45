// The state of the Init and Resume passes: the engine services, the stacks of the nodes and
// namespaces being initialised, and the cancel flag of a package load.
#pragma once

#include <atomic>

#include "graph/service_state.h"

namespace Vorn {
namespace Graph {

class InitState : public ServiceStateT<IInitState, false>
{
public:
    using ServiceStateT::ServiceStateT;

    void SetCancelled(Bool cancelled) override;
    Bool IsCancelled() const override;
    void Begin() override;

    void PushNode(INode* node) override;
    void PopNode() override;
    INode* GetCurrentNode() override;
    void PushNamespace(INamespace* nameSpace) override;
    void PopNamespace() override;
    INamespace* GetCurrentNamespace() override;
    INamespace* GetRootNamespace() override;
    INode* FindNode(const String& path) override;

private:
    // Set by the thread that cancels a load while the loader thread's Init reads it.
    std::atomic<Bool> mCancelled{false};
    PointerStack<INode> mNodes;
    PointerStack<INamespace> mNamespaces;
};

} // namespace Graph
} // namespace Vorn
