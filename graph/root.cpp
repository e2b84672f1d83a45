#include "graph/root.h"

#include "foundation/debug.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/processable.h"
#include "graph/renderable.h"
#include "graph/traversal_state.h"
#include "graph/view.h"

namespace Vorn {
namespace Graph {

Root::Root(INode* topNode)
    : mTopNode(topNode),
      mTopNamespace(dynamic_cast<INamespace*>(topNode)),
      mContainerViewNode(topNode != nullptr ? topNode->GetChild(0) : nullptr),
      mContainerView(dynamic_cast<IView*>(mContainerViewNode)),
      mConfigChangedRequested(false)
{
}

Root::~Root()
{
}

INode* Root::GetRootNode()
{
    return mTopNode;
}

INode* Root::GetContainerView()
{
    return mContainerViewNode;
}

INode* Root::FindNode(const String& path)
{
    if (mTopNamespace == nullptr) {
        Debug::Trace("Graph::Root::FindNode(): Root node is not a namespace");
        return nullptr;
    }
    return mTopNamespace->FindNode(path);
}

void Root::Reserved(UInt32)
{
}

Bool Root::Lock()
{
    mLock.lock();
    return true;
}

Bool Root::Unlock()
{
    mLock.unlock();
    return true;
}

Bool Root::Init(IInitState* state)
{
    if (mTopNamespace == nullptr) {
        Debug::Trace("Graph::Root::Init(): Root node is not a namespace");
        return false;
    }
    if (mContainerView == nullptr) {
        Debug::Trace("Graph::Root::Init(): Root node does not have a container view");
        return false;
    }
    return mTopNode->Init(state);
}

Bool Root::DeInit(IDeInitState* state)
{
    return mTopNode->DeInit(state);
}

Bool Root::Suspend(IDeInitState* state)
{
    return mTopNode->Suspend(state);
}

Bool Root::Resume(IInitState* state)
{
    return mTopNode->Resume(state);
}

Bool Root::ConfigChanged(IConfigChangedState* state)
{
    return mTopNode->ConfigChanged(state);
}

Bool Root::ProcessLogic(IProcessLogicState* state)
{
    return mTopNode->ProcessLogic(state);
}

Bool Root::FinishLogic(IFinishLogicState* state)
{
    for (IProcessable* processable : mProcessables) {
        if (!processable->Process(state))
            return false;
        state->IncrementCounter();
    }
    // The storage stays for the next step's registrations.
    mProcessables.SetCount(0);
    return true;
}

Bool Root::PrepareOutput(IPrepareOutputState* state)
{
    return mTopNode->PrepareOutput(state);
}

Bool Root::CullOutput(ICullOutputState* state)
{
    for (IRenderable* view : mViews) {
        if (!view->CullOutput(state))
            return false;
    }
    return true;
}

Bool Root::EnqueueOutput(IEnqueueOutputState* state)
{
    for (IRenderable* view : mViews) {
        if (!view->EnqueueOutput(state))
            return false;
    }
    return true;
}

void Root::RequestConfigChanged()
{
    mConfigChangedRequested = true;
}

void Root::ClearConfigChangedRequest()
{
    mConfigChangedRequested = false;
}

Bool Root::IsConfigChangedRequested() const
{
    return mConfigChangedRequested;
}

void Root::NotifyTopNode()
{
    mTopNode->Notify(0);
}

void Root::ClearViews()
{
    mViews.SetCount(0);
}

void Root::AddView(IRenderable* view)
{
    mViews.Add(view);
}

void Root::ClearProcessables()
{
    mProcessables.SetCount(0);
}

void Root::AddProcessable(IProcessable* processable)
{
    mProcessables.Add(processable);
}

} // namespace Graph
} // namespace Vorn
