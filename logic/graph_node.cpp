#include "logic/graph_node.h"

#include "foundation/debug.h"
#include "graph/animation/targets.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/index_buffer.h"
#include "graph/indexed.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/root.h"
#include "graph/structure/reference.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "graph/vertex_buffer.h"
#include "graph/view/camera.h"

namespace Vorn {
namespace Logic {

GraphINode::GraphINode() : mNode(nullptr)
{
}

GraphINode::~GraphINode()
{
    GraphINode::Remove();
}

Bool GraphINode::IsValid() const
{
    return mNode != nullptr;
}

Bool GraphINode::Remove()
{
    if (mNode == nullptr)
        return true;
    const Bool released = mNode->RemoveReference();
    mNode = nullptr;
    return released;
}

GraphINode* GraphINode::GetReference(Graph::IRoot* root, const String& path)
{
    Remove();
    Hold(FindNode(root, path), path, false);
    return this;
}

GraphINode* GraphINode::GetReference(Graph::INamespace* nameSpace, const String& path)
{
    Remove();
    Hold(FindNode(nameSpace, path), path, false);
    return this;
}

GraphINode* GraphINode::GetReference(Graph::INode* node)
{
    Remove();
    if (node != nullptr && node->AddReference())
        mNode = node;
    OnBound();
    return this;
}

GraphINode* GraphINode::GetTarget(Graph::IRoot* root, const String& path)
{
    Remove();
    Hold(FindNode(root, path), path, true);
    return this;
}

GraphINode* GraphINode::GetTarget(Graph::INamespace* nameSpace, const String& path)
{
    Remove();
    Hold(FindNode(nameSpace, path), path, true);
    return this;
}

GraphINode* GraphINode::GetTarget(Graph::INode* node)
{
    Remove();
    if (node != nullptr && node->AddReference())
        Hold(node, node->GetId(), true);
    else
        OnBound();
    return this;
}

Graph::INode* GraphINode::FindNode(Graph::IRoot* root, const String& path)
{
    return root != nullptr ? root->FindNode(path) : nullptr;
}

Graph::INode* GraphINode::FindNode(Graph::INamespace* nameSpace, const String& path)
{
    return nameSpace != nullptr ? nameSpace->FindNode(path) : nullptr;
}

void GraphINode::Hold(Graph::INode* found, const String& path, Bool followReferences)
{
    if (found == nullptr)
        Debug::Trace("Logic::GraphINode node \"%s\" not found", path.GetText());
    mNode = found;
    while (followReferences && mNode != nullptr) {
        Graph::IReference* reference = dynamic_cast<Graph::IReference*>(mNode);
        if (reference == nullptr)
            break;
        Graph::INode* target = reference->GetReferencedNode();
        if (target == nullptr)
            Debug::Trace("Logic::GraphINode missing target in node \"%s\"", mNode->GetId().GetText());
        mNode->RemoveReference();
        mNode = target != nullptr && target->AddReference() ? target : nullptr;
    }
    OnBound();
}

void GraphINode::OnBound()
{
}

template <typename T>
GraphNodeT<T>::GraphNodeT() : mInterface(nullptr)
{
}

template <typename T>
GraphNodeT<T>::~GraphNodeT()
{
    mInterface = nullptr;
}

template <typename T>
Bool GraphNodeT<T>::IsValid() const
{
    return mInterface != nullptr;
}

template <typename T>
Bool GraphNodeT<T>::Remove()
{
    mInterface = nullptr;
    return GraphINode::Remove();
}

template <typename T>
void GraphNodeT<T>::OnBound()
{
    if (mNode == nullptr)
        return;
    mInterface = dynamic_cast<T*>(mNode);
    if (mInterface == nullptr)
        Debug::Trace("Logic::GraphNodeT incorrect type for node \"%s\"", mNode->GetId().GetText());
}

template <typename B, typename E>
GraphEventT<B, E>::GraphEventT() : mEvent(nullptr)
{
}

template <typename B, typename E>
GraphEventT<B, E>::~GraphEventT()
{
    Remove();
}

template <typename B, typename E>
Bool GraphEventT<B, E>::IsValid() const
{
    return mEvent != nullptr;
}

template <typename B, typename E>
Bool GraphEventT<B, E>::Remove()
{
    if (mEvent != nullptr) {
        this->mInterface->DestroyEvent(mEvent);
        mEvent = nullptr;
    }
    return GraphNodeT<B>::Remove();
}

template <typename B, typename E>
void GraphEventT<B, E>::OnBound()
{
    GraphNodeT<B>::OnBound();
    if (this->mInterface == nullptr)
        return;
    mEvent = this->mInterface->CreateEvent();
    if (mEvent == nullptr)
        Debug::Trace("Logic::GraphEventT create event for node \"%s\" failed", this->mNode->GetId().GetText());
}

template class GraphNodeT<Graph::INode>;
template class GraphNodeT<Graph::INamespace>;
template class GraphNodeT<Graph::ITransform>;
template class GraphNodeT<Graph::IScalable>;
template class GraphNodeT<Graph::ITimeline>;
template class GraphNodeT<Graph::ISwitch>;
template class GraphNodeT<Graph::IButton>;
template class GraphNodeT<Graph::ICamera>;
template class GraphNodeT<Graph::IText>;
template class GraphNodeT<Graph::IDisplayText>;
template class GraphNodeT<Graph::IDisplayPlane>;
template class GraphNodeT<Graph::IDisplayPlaneSequence>;
template class GraphNodeT<Graph::IIndexed>;
template class GraphNodeT<Graph::IParameters>;
template class GraphNodeT<Graph::IIndexBuffer>;
template class GraphNodeT<Graph::IVertexBuffer>;
template class GraphNodeT<Graph::IPlayable>;
template class GraphEventT<Graph::IButton, Graph::IButtonEvent>;

} // namespace Logic
} // namespace Vorn
