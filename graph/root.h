// The graph root: the engine's one live scene graph. It knows the top node (a namespace whose
// first child is the container view), guards the whole graph with one re-entrant lock, runs the
// passes over the top node for the engine, and keeps the processables and views that nodes
// register for the FinishLogic, CullOutput and EnqueueOutput passes. It owns no node.
#pragma once

#include <mutex>

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class INode;
class INamespace;
class IView;
class IRenderable;
class IProcessable;
class IInitState;
class IDeInitState;
class IConfigChangedState;
class IProcessLogicState;
class IFinishLogicState;
class IPrepareOutputState;
class ICullOutputState;
class IEnqueueOutputState;

class IRoot
{
public:
    virtual INode* GetRootNode() = 0;
    // Null when the top node had no child at construction.
    virtual INode* GetContainerView() = 0;
    // The node at the path from the top namespace with one reference added; null when it does
    // not resolve, or (with a log line) when the top node is not a namespace.
    virtual INode* FindNode(const String& path) = 0;
    virtual void Reserved(UInt32 value) = 0;
    // Re-entrant for the thread that holds it; both always succeed.
    virtual Bool Lock() = 0;
    virtual Bool Unlock() = 0;

    // Fails, initialising nothing, when the top node is not a namespace or has no container view.
    virtual Bool Init(IInitState* state) = 0;
    virtual Bool DeInit(IDeInitState* state) = 0;
    virtual Bool Suspend(IDeInitState* state) = 0;
    virtual Bool Resume(IInitState* state) = 0;
    virtual Bool ConfigChanged(IConfigChangedState* state) = 0;
    virtual Bool ProcessLogic(IProcessLogicState* state) = 0;
    // Gives every registered processable its late step, then forgets them all; on the first
    // failure it stops and keeps the list.
    virtual Bool FinishLogic(IFinishLogicState* state) = 0;
    virtual Bool PrepareOutput(IPrepareOutputState* state) = 0;
    // Both visit the views registered in the last PrepareOutput pass and keep the list.
    virtual Bool CullOutput(ICullOutputState* state) = 0;
    virtual Bool EnqueueOutput(IEnqueueOutputState* state) = 0;

    virtual void RequestConfigChanged() = 0;
    virtual void ClearConfigChangedRequest() = 0;
    virtual Bool IsConfigChangedRequested() const = 0;
    virtual void NotifyTopNode() = 0;

    virtual ~IRoot() {}
};

class Root : public IRoot
{
public:
    // The top namespace and the container view (the top node's first child) are found here,
    // once: children added or removed later change neither.
    explicit Root(INode* topNode);
    ~Root() override;

    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;

    INode* GetRootNode() override;
    INode* GetContainerView() override;
    INode* FindNode(const String& path) override;
    void Reserved(UInt32 value) override;
    Bool Lock() override;
    Bool Unlock() override;

    Bool Init(IInitState* state) override;
    Bool DeInit(IDeInitState* state) override;
    Bool Suspend(IDeInitState* state) override;
    Bool Resume(IInitState* state) override;
    Bool ConfigChanged(IConfigChangedState* state) override;
    Bool ProcessLogic(IProcessLogicState* state) override;
    Bool FinishLogic(IFinishLogicState* state) override;
    Bool PrepareOutput(IPrepareOutputState* state) override;
    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    void RequestConfigChanged() override;
    void ClearConfigChangedRequest() override;
    Bool IsConfigChangedRequested() const override;
    void NotifyTopNode() override;

    // Filled by the traversal states during the passes, under the root's lock.
    void ClearViews();
    void AddView(IRenderable* view);
    void ClearProcessables();
    void AddProcessable(IProcessable* processable);

    const Array<IRenderable*>& GetViews() const { return mViews; }
    const Array<IProcessable*>& GetProcessables() const { return mProcessables; }

private:
    INode* mTopNode;
    INamespace* mTopNamespace;
    INode* mContainerViewNode;
    IView* mContainerView;
    Array<IRenderable*> mViews;
    Array<IProcessable*> mProcessables;
    Bool mConfigChangedRequested;
    std::recursive_mutex mLock;
};

// Holds a root's lock for a scope; a null root (a graph not attached to one) holds nothing.
class RootLockGuard
{
public:
    explicit RootLockGuard(IRoot* root) : mRoot(root)
    {
        if (mRoot != nullptr)
            mRoot->Lock();
    }
    ~RootLockGuard()
    {
        if (mRoot != nullptr)
            mRoot->Unlock();
    }
    RootLockGuard(const RootLockGuard&) = delete;
    RootLockGuard& operator=(const RootLockGuard&) = delete;

private:
    IRoot* mRoot;
};

} // namespace Graph
} // namespace Vorn
