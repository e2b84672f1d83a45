#include "core/core_package.h"

#include "core/core_loader.h"
#include "foundation/debug.h"
#include "foundation/map.h"
#include "graph/factory.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/traversal_state.h"
#include "logic/processor.h"
#include "logic/state.h"
#include "resource/collection.h"
#include "resource/instance.h"
#include "resource/package.h"

namespace Vorn {
namespace Core {

namespace {

// The namespaces in which the children of parent register, from the top namespace down: the
// parent itself when it is one, and every namespace above it.
Array<Graph::INamespace*> NamespacesAbove(Graph::INode* parent, Graph::IRoot* root)
{
    Array<Graph::INamespace*> upwards;
    Graph::INamespace* nameSpace = dynamic_cast<Graph::INamespace*>(parent);
    if (nameSpace == nullptr) {
        Graph::Node* node = dynamic_cast<Graph::Node*>(parent);
        nameSpace = node != nullptr ? node->GetNamespace() : nullptr;
    }
    while (nameSpace != nullptr) {
        upwards.Add(nameSpace);
        Graph::Node* node = dynamic_cast<Graph::Node*>(nameSpace);
        nameSpace = node != nullptr ? node->GetNamespace() : nullptr;
    }
    // A parent that was never initialised knows no namespace; the top one holds every graph.
    Graph::INamespace* top = dynamic_cast<Graph::INamespace*>(root->GetRootNode());
    if (top != nullptr && (upwards.IsEmpty() || upwards.GetLast() != top))
        upwards.Add(top);
    Array<Graph::INamespace*> downwards;
    for (SInt32 i = upwards.GetCount() - 1; i >= 0; --i)
        downwards.Add(upwards[i]);
    return downwards;
}

// Gives every node above a hung sub-graph, on any path from node down to the sub-graph's parent
// (references included), the sub-graph's sub-tree bits, and returns the bits found below node.
// A node met again through a reference is walked once.
UInt32 GiveSubTreeBitsUpwards(Graph::INode* node, const Array<Graph::INode*>& parents,
                              const Array<Graph::INode*>& subGraphs, Map<Graph::INode*, UInt32>* walked)
{
    const UInt32* known = walked->FindValue(node);
    if (known != nullptr)
        return *known;
    const SInt32 position = walked->Add(node, 0);
    UInt32 bits = 0;
    for (SInt32 i = 0; i < parents.GetCount(); ++i) {
        if (parents[i] == node)
            bits |= subGraphs[i]->GetFlags() & Graph::Node::kSubTreeBits;
    }
    for (Graph::INode* child : node->GetChildren())
        bits |= GiveSubTreeBitsUpwards(child, parents, subGraphs, walked);
    if ((bits & ~node->GetFlags()) != 0) {
        Graph::Node* base = dynamic_cast<Graph::Node*>(node);
        if (base != nullptr)
            base->AddSubTreeFlags(bits);
    }
    walked->GetValue(position) = bits;
    return bits;
}

} // namespace

Package::Package(Loader* loader, const String& name, SInt32 loadMode, Logic::IProcessor* processor)
    : mLoader(loader),
      mLoadMode(loadMode),
      mName(name),
      mProcessor(processor),
      mResourcePackage(nullptr),
      mCollection(nullptr),
      mLoadRequestCount(0),
      mUnloadRequestCount(0),
      mResourcesLoaded(false),
      mGraphsInitialized(false),
      mLogicInitialized(false),
      mGraphsUnlocked(false),
      mState(kUnloaded)
{
}

Package::~Package()
{
    DestroySubGraphs();
    if (mResourcePackage != nullptr && mCollection != nullptr)
        mCollection->DestroyPackage(mResourcePackage);
}

const String& Package::GetName() const
{
    return mName;
}

Logic::IProcessor* Package::GetProcessor() const
{
    return mProcessor;
}

Bool Package::Load()
{
    return mLoader->LoadPackage(this);
}

Bool Package::Unload()
{
    return mLoader->UnloadPackage(this);
}

Bool Package::QueueLoad()
{
    return mLoader->QueueLoad(this);
}

Bool Package::QueueUnload()
{
    return mLoader->QueueUnload(this);
}

Bool Package::CancelLoad()
{
    return mLoader->CancelLoad(this);
}

Bool Package::CancelUnload()
{
    return mLoader->CancelUnload(this);
}

Bool Package::IsBusy() const
{
    Loader::Guard guard(mLoader);
    return mLoadRequestCount > 0 || mUnloadRequestCount > 0;
}

Bool Package::IsLoading() const
{
    Loader::Guard guard(mLoader);
    return mLoadRequestCount > 0;
}

Bool Package::IsUnloading() const
{
    Loader::Guard guard(mLoader);
    return mUnloadRequestCount > 0;
}

Bool Package::IsLoaded() const
{
    Loader::Guard guard(mLoader);
    return mState == kLoaded;
}

Bool Package::IsUnloaded() const
{
    Loader::Guard guard(mLoader);
    return mState == kUnloaded;
}

SInt32 Package::GetLoadMode() const
{
    return mLoadMode;
}

Bool Package::AreResourcesLoaded() const
{
    return mResourcesLoaded;
}

Bool Package::LoadResources(Resource::ICollection* collection, Graph::Factory* factory, Logic::IEngineState*)
{
    if (mResourcesLoaded)
        return true;
    mCollection = collection;
    if (mResourcePackage == nullptr)
        mResourcePackage = collection->CreatePackageFromFile(mName);
    if (mResourcePackage == nullptr) {
        Debug::Trace("Core::Package::LoadResources(): Failed to create resource package '%s'", mName.GetText());
        return false;
    }
    const UInt32 count = mResourcePackage->GetNumberOfInstances();
    for (UInt32 i = UInt32(mSubGraphs.GetCount()); i < count; ++i) {
        const Resource::IInstance* instance = mResourcePackage->GetInstance(i);
        if (instance == nullptr) {
            Debug::Trace("Core::Package::LoadResources(): Failed to get subgraph #%d for package '%s'", SInt32(i),
                         mName.GetText());
            return false;
        }
        Graph::INode* top = factory->CreateGraph(instance->GetGraph(), nullptr);
        if (top == nullptr) {
            Debug::Trace("Core::Package::LoadResources(): Failed to instantiate subgraph #%d for package '%s'",
                         SInt32(i), mName.GetText());
            return false;
        }
        top->SetSubGraphInstance(true);
        top->SetDisabled(true);
        mSubGraphs.Add(top);
        mParentNodeIds.Add(instance->GetParentNodeId());
    }
    mResourcesLoaded = true;
    return true;
}

void Package::DestroySubGraphs()
{
    for (SInt32 i = mSubGraphs.GetCount() - 1; i >= 0; --i)
        Graph::Factory::DestroyGraph(mSubGraphs[i]);
    mSubGraphs.Clear();
    mParentNodeIds.Clear();
    mParentNodes.Clear();
}

Bool Package::UnloadResources(Resource::ICollection* collection, Graph::Factory*, Logic::IEngineState*)
{
    if (mGraphsUnlocked) {
        Debug::Trace("Core::Package::UnloadResources(): Failed, sub-graphs are still unlocked");
        return false;
    }
    if (mLogicInitialized) {
        Debug::Trace("Core::Package::UnloadResources(): Failed, logic is still initialized");
        return false;
    }
    if (mGraphsInitialized || !mParentNodes.IsEmpty()) {
        Debug::Trace("Core::Package::UnloadResources(): Failed, sub-graphs are still initialized");
        return false;
    }
    // A failed load leaves part of what it made without the loaded flag; it goes too.
    DestroySubGraphs();
    if (mResourcePackage != nullptr) {
        if (!collection->DestroyPackage(mResourcePackage)) {
            Debug::Trace("Core::Package::UnloadResources(): Failed to destroy resource package");
            return false;
        }
        mResourcePackage = nullptr;
    }
    mResourcesLoaded = false;
    return true;
}

Bool Package::AreGraphsInitialized() const
{
    return mGraphsInitialized;
}

Bool Package::InitGraphs(Graph::IInitState* initState)
{
    if (!mResourcesLoaded) {
        Debug::Trace("Core::Package::InitGraphs(): Failed, resources are not yet loaded");
        return false;
    }
    if (mGraphsInitialized)
        return true;
    Graph::IRoot* root = initState->GetRoot();
    for (SInt32 i = mParentNodes.GetCount(); i < mSubGraphs.GetCount(); ++i) {
        if (!root->Lock()) {
            Debug::Trace("Core::Package::InitGraphs(): Failed to lock root for graph #%d in package '%s'", i,
                         mName.GetText());
            return false;
        }
        const String& parentId = mParentNodeIds[i];
        Graph::INode* parent = nullptr;
        if (parentId.IsEmpty()) {
            parent = root->GetContainerView();
        } else {
            parent = root->FindNode(parentId);
            // The lookup's reference is not kept: the parent's own package must stay free to go.
            if (parent != nullptr)
                parent->RemoveReference();
        }
        if (parent == nullptr) {
            Debug::Trace("Core::Package::InitGraphs(): Failed to get parent node '%s' for graph #%d in package '%s'",
                         parentId.GetText(), i, mName.GetText());
            root->Unlock();
            return false;
        }
        // Read under the lock: the parent's namespaces do not change while it holds.
        const Array<Graph::INamespace*> namespaces = NamespacesAbove(parent, root);
        if (!root->Unlock()) {
            Debug::Trace("Core::Package::InitGraphs(): Failed to unlock root for graph #%d in package '%s'", i,
                         mName.GetText());
            return false;
        }

        // Initialised before it hangs, so the logic thread never reads a node that is being
        // initialised; its names register inside the namespaces above its parent.
        for (Graph::INamespace* nameSpace : namespaces)
            initState->PushNamespace(nameSpace);
        const Bool initialized = mSubGraphs[i]->Init(initState);
        for (SInt32 pushed = 0; pushed < namespaces.GetCount(); ++pushed)
            initState->PopNamespace();

        // Hung also when it failed, so that DeInitGraphs takes back what it registered. Nothing
        // else of the live graph is touched here: the logic thread animates its nodes meanwhile,
        // and the nodes above learn what the sub-graph needs in UnlockGraphs.
        root->Lock();
        mParentNodes.Add(parent);
        parent->AddChild(mSubGraphs[i]);
        root->Unlock();
        if (!initialized) {
            Debug::Trace("Core::Package::InitGraphs(): Failed to initialize subgraph #%d for package '%s'", i,
                         mName.GetText());
            return false;
        }
        if (initState->IsCancelled())
            break;
    }
    mGraphsInitialized = true;
    return true;
}

Bool Package::DeInitGraphs(Graph::IDeInitState* deInitState)
{
    if (mGraphsUnlocked) {
        Debug::Trace("Core::Package::DeInitGraphs(): Failed, sub-graphs are still unlocked");
        return false;
    }
    if (mLogicInitialized) {
        Debug::Trace("Core::Package::DeInitGraphs(): Failed, logic is still initialized");
        return false;
    }
    Graph::IRoot* root = deInitState->GetRoot();
    // Only the sub-graphs that were hung: a cancelled or failed InitGraphs hangs fewer.
    for (SInt32 i = mParentNodes.GetCount() - 1; i >= 0; --i) {
        if (!root->Lock()) {
            Debug::Trace("Core::Package::DeInitGraphs(): Failed to lock root for subgraph #%d in package '%s'", i,
                         mName.GetText());
            return false;
        }
        if (mParentNodes[i]->RemoveChild(mSubGraphs[i]) != mSubGraphs[i]) {
            Debug::Trace("Core::Package::DeInitGraphs(): Failed to remove subgraph #%d from root for package '%s'", i,
                         mName.GetText());
            root->Unlock();
            return false;
        }
        mParentNodes.RemoveAt(i);
        mSubGraphs[i]->SetSubGraphInstance(false);
        if (!root->Unlock()) {
            Debug::Trace("Core::Package::DeInitGraphs(): Failed to unlock root for subgraph #%d in package '%s'", i,
                         mName.GetText());
            return false;
        }
        if (!mSubGraphs[i]->DeInit(deInitState)) {
            Debug::Trace("Core::Package::DeInitGraphs(): Failed to deinitialize subgraph #%d for package '%s'", i,
                         mName.GetText());
            return false;
        }
    }
    mGraphsInitialized = false;
    return true;
}

Bool Package::IsLogicInitialized() const
{
    return mLogicInitialized;
}

Bool Package::InitLogic(Logic::IEngineState* logicState)
{
    if (!mGraphsInitialized) {
        Debug::Trace("Core::Package::InitLogic(): Failed, sub-graphs are not yet initialized");
        return false;
    }
    if (!mResourcesLoaded) {
        Debug::Trace("Core::Package::InitLogic(): Failed, resources are not yet loaded");
        return false;
    }
    if (mLogicInitialized)
        return true;
    if (mProcessor != nullptr) {
        Logic::IState* state = logicState->GetState();
        Graph::IRoot* root = state->GetGraphRoot();
        if (!root->Lock()) {
            Debug::Trace("Core::Package::InitLogic(): Failed to lock root for package '%s'", mName.GetText());
            return false;
        }
        if (!mProcessor->Init(state)) {
            mProcessor->DeInit(state);
            Debug::Trace("Core::Package::InitLogic(): Failed to initialize logic for package '%s'", mName.GetText());
            root->Unlock();
            return false;
        }
        if (!root->Unlock()) {
            Debug::Trace("Core::Package::InitLogic(): Failed to unlock root for package '%s'", mName.GetText());
            return false;
        }
    }
    mLogicInitialized = true;
    return true;
}

Bool Package::DeInitLogic(Logic::IEngineState* logicState)
{
    if (mGraphsUnlocked) {
        Debug::Trace("Core::Package::DeInitLogic(): Failed, sub-graphs are still unlocked");
        return false;
    }
    if (!mLogicInitialized)
        return true;
    if (mProcessor != nullptr) {
        Logic::IState* state = logicState->GetState();
        Graph::IRoot* root = state->GetGraphRoot();
        if (!root->Lock()) {
            Debug::Trace("Core::Package::DeInitLogic(): Failed to lock root for package '%s'", mName.GetText());
            return false;
        }
        if (!mProcessor->DeInit(state)) {
            Debug::Trace("Core::Package::DeInitLogic(): Failed to deinitialize logic for package '%s'",
                         mName.GetText());
            root->Unlock();
            return false;
        }
        if (!root->Unlock()) {
            Debug::Trace("Core::Package::DeInitLogic(): Failed to unlock root for package '%s'", mName.GetText());
            return false;
        }
    }
    mLogicInitialized = false;
    return true;
}

Bool Package::AreGraphsUnlocked() const
{
    return mGraphsUnlocked;
}

Bool Package::UnlockGraphs(Graph::IInitState* initState, Logic::IEngineState* logicState)
{
    if (!mLogicInitialized) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed, logic is not yet initialized");
        return false;
    }
    if (!mGraphsInitialized) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed, sub-graphs are not yet initialized");
        return false;
    }
    if (!mResourcesLoaded) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed, resources are not yet loaded");
        return false;
    }
    if (mGraphsUnlocked)
        return true;
    // The logic thread's order, logic state before root, so that the two orders never meet even
    // outside the frame hand-off.
    if (!logicState->Lock()) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed to lock logic state for package '%s'", mName.GetText());
        return false;
    }
    Graph::IRoot* root = initState->GetRoot();
    if (!root->Lock()) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed to lock root for package '%s'", mName.GetText());
        logicState->Unlock();
        return false;
    }
    if (mProcessor != nullptr && !logicState->AddProcessor(mProcessor)) {
        mProcessor->DeInit(logicState->GetState());
        Debug::Trace("Core::Package::UnlockGraphs(): Failed to register logic processor for package '%s'",
                     mName.GetText());
        root->Unlock();
        logicState->Unlock();
        return false;
    }
    for (Graph::INode* subGraph : mSubGraphs)
        subGraph->SetDisabled(false);
    // Under both locks, so that no pass and no Animate meets the flags half-written.
    Map<Graph::INode*, UInt32> walked;
    GiveSubTreeBitsUpwards(root->GetRootNode(), mParentNodes, mSubGraphs, &walked);
    root->NotifyTopNode();
    if (!root->Unlock()) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed to unlock root for package '%s'", mName.GetText());
        logicState->Unlock();
        return false;
    }
    if (!logicState->Unlock()) {
        Debug::Trace("Core::Package::UnlockGraphs(): Failed to unlock logic state for package '%s'", mName.GetText());
        return false;
    }
    mGraphsUnlocked = true;
    return true;
}

Bool Package::LockGraphs(Graph::IInitState* initState, Logic::IEngineState* logicState)
{
    if (!mGraphsUnlocked)
        return true;
    if (!logicState->Lock()) {
        Debug::Trace("Core::Package::LockGraphs(): Failed to lock logic state for package '%s'", mName.GetText());
        return false;
    }
    Graph::IRoot* root = initState->GetRoot();
    if (!root->Lock()) {
        Debug::Trace("Core::Package::LockGraphs(): Failed to lock root for package '%s'", mName.GetText());
        logicState->Unlock();
        return false;
    }
    if (mProcessor != nullptr && !logicState->RemoveProcessor(mProcessor)) {
        Debug::Trace("Core::Package::LockGraphs(): Failed to unregister logic processor for package '%s'",
                     mName.GetText());
        root->Unlock();
        logicState->Unlock();
        return false;
    }
    for (Graph::INode* subGraph : mSubGraphs)
        subGraph->SetDisabled(true);
    if (!root->Unlock()) {
        Debug::Trace("Core::Package::LockGraphs(): Failed to unlock root for package '%s'", mName.GetText());
        logicState->Unlock();
        return false;
    }
    if (!logicState->Unlock()) {
        Debug::Trace("Core::Package::LockGraphs(): Failed to unlock logic state for package '%s'", mName.GetText());
        return false;
    }
    mGraphsUnlocked = false;
    return true;
}

void Package::Discard(Graph::IInitState* initState, Graph::IDeInitState* deInitState, Logic::IEngineState* logicState,
                      Resource::ICollection* collection, Graph::Factory* factory)
{
    if (!LockGraphs(initState, logicState)) {
        if (mProcessor != nullptr) {
            logicState->Lock();
            logicState->RemoveProcessor(mProcessor);
            logicState->Unlock();
        }
        mGraphsUnlocked = false;
    }
    if (!DeInitLogic(logicState))
        mLogicInitialized = false;
    deInitState->Begin();
    const Bool deInitialized = DeInitGraphs(deInitState);
    deInitState->End();
    if (!deInitialized) {
        // What could not be taken down properly is at least taken off the graph.
        Graph::IRoot* root = deInitState->GetRoot();
        root->Lock();
        for (SInt32 i = mParentNodes.GetCount() - 1; i >= 0; --i)
            mParentNodes[i]->RemoveChild(mSubGraphs[i]);
        root->Unlock();
        mParentNodes.Clear();
        mGraphsInitialized = false;
    }
    UnloadResources(collection, factory, logicState);
}

Bool Package::SendSignal(Logic::IEngineState* logicState, Signal signal, const char* method)
{
    if (!logicState->Lock()) {
        Debug::Trace("Core::Package::%s(): Failed to lock logic state for package '%s'", method, mName.GetText());
        return false;
    }
    Logic::IState* state = logicState->GetState();
    // The count is read again after each call: a processor may change the list.
    for (UInt32 i = 0; i < logicState->GetNumberOfProcessors(); ++i) {
        Logic::IProcessor* processor = logicState->GetProcessor(i);
        (processor->*signal)(state, this);
    }
    if (!logicState->Unlock()) {
        Debug::Trace("Core::Package::%s(): Failed to unlock logic state for package '%s'", method, mName.GetText());
        return false;
    }
    return true;
}

Bool Package::SignalPackageWillBeLoaded(Logic::IEngineState* logicState)
{
    return SendSignal(logicState, &Logic::IProcessor::SignalPackageWillBeLoaded, "SignalPackageWillBeLoaded");
}

Bool Package::SignalPackageWasLoaded(Logic::IEngineState* logicState)
{
    return SendSignal(logicState, &Logic::IProcessor::SignalPackageWasLoaded, "SignalPackageWasLoaded");
}

Bool Package::SignalPackageWillBeUnloaded(Logic::IEngineState* logicState)
{
    return SendSignal(logicState, &Logic::IProcessor::SignalPackageWillBeUnloaded, "SignalPackageWillBeUnloaded");
}

Bool Package::SignalPackageWasUnloaded(Logic::IEngineState* logicState)
{
    return SendSignal(logicState, &Logic::IProcessor::SignalPackageWasUnloaded, "SignalPackageWasUnloaded");
}

void Package::IncreaseLoadCount()
{
    ++mLoadRequestCount;
}

void Package::DecreaseLoadCount()
{
    --mLoadRequestCount;
}

void Package::IncreaseUnloadCount()
{
    ++mUnloadRequestCount;
}

void Package::DecreaseUnloadCount()
{
    --mUnloadRequestCount;
}

void Package::SetState(SInt32 state)
{
    mState = state;
}

SInt32 Package::GetState() const
{
    return mState;
}

} // namespace Core
} // namespace Vorn
