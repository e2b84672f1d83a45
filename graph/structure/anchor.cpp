#include "graph/structure/anchor.h"

#include <new>

#include "foundation/debug.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Anchor::Anchor() : mDepthOrder(0)
{
    AddFlags(kNeedsProcessLogic);
}

Anchor::~Anchor()
{
}

INode* Anchor::Create()
{
    return new (std::nothrow) Anchor();
}

const NodeClassInfo& Anchor::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Anchor"));
    return info;
}

const Math::Matrix<float>& Anchor::GetTransform() const
{
    return mTransform;
}

SInt32 Anchor::GetDepthOrder() const
{
    return mDepthOrder;
}

Bool Anchor::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Anchor::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mId.IsEmpty()) {
        Debug::Trace("Graph::Anchor::InitSelf(%s): Must specify a node ID", mId.GetText());
        return false;
    }
    return true;
}

Bool Anchor::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    mTransform = state->GetTransform();
    mDepthOrder = state->GetDepthOrder();
    return true;
}

} // namespace Graph
} // namespace Vorn
