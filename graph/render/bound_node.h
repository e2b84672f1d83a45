// Render-state nodes that name another node by id (a material its program, a shader program its
// shaders, parameters their parent) bind it at Init through the Init state's lookup, which takes
// one reference, and give that reference back at DeInit.
#pragma once

#include "foundation/string.h"
#include "graph/node.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

// The node at the path from the current namespace when it is a T, holding one reference; a node
// of another class gets its reference back at once. Null when there is none of that class;
// found (when given) tells whether there was a node of any class.
template <class T>
T* FindBoundNode(IInitState* state, const String& path, Bool* found = nullptr)
{
    INode* node = state->FindNode(path);
    if (found != nullptr)
        *found = node != nullptr;
    if (node == nullptr)
        return nullptr;
    T* bound = dynamic_cast<T*>(node);
    if (bound == nullptr)
        node->RemoveReference();
    return bound;
}

// Gives the reference back and forgets the node; false when the node held no reference.
template <class T>
Bool ReleaseBoundNode(T*& node)
{
    if (node == nullptr)
        return true;
    const Bool released = static_cast<INode*>(node)->RemoveReference();
    node = nullptr;
    return released;
}

} // namespace Graph
} // namespace Vorn
