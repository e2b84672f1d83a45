#include "logic/child_processor.h"

#include "foundation/debug.h"
#include "logic/state.h"

namespace Vorn {
namespace Logic {

namespace {

// Hands a signal to the app processor, then to every child with the same arguments.
template <typename AppCall, typename ChildCall, typename... Args>
void Broadcast(IAppProcessor* app, const Array<IChildProcessor*>& children, AppCall appCall, ChildCall childCall,
               Args... args)
{
    if (app != nullptr)
        (app->*appCall)(args...);
    for (IChildProcessor* child : children)
        (child->*childCall)(args...);
}

} // namespace

ChildProcessor::ChildProcessor() : mAppProcessor(nullptr), mEnabled(true)
{
}

ChildProcessor::~ChildProcessor()
{
}

Bool ChildProcessor::Init(IState* state)
{
    if (!InitSelf(state)) {
        Debug::Trace("Logic::ChildProcessor::Init(): InitSelf() failed");
        return false;
    }
    if (!InitChildren(state)) {
        Debug::Trace("Logic::ChildProcessor::Init(): InitChildren() failed");
        return false;
    }
    return true;
}

Bool ChildProcessor::DeInit(IState* state)
{
    Bool result = true;
    if (!DeInitChildren(state)) {
        Debug::Trace("Logic::ChildProcessor::DeInit(): DeInitChildren() failed");
        result = false;
    }
    if (!DeInitSelf(state)) {
        Debug::Trace("Logic::ChildProcessor::DeInit(): DeInitSelf() failed");
        return false;
    }
    return result;
}

void ChildProcessor::Step(IState* state)
{
    if (!mEnabled)
        return;
    StepSelf(state);
    StepChildren(state);
}

void ChildProcessor::Animate(IState* state)
{
    if (!mEnabled)
        return;
    AnimateSelf(state);
    AnimateChildren(state);
}

void ChildProcessor::SignalPackageWillBeLoaded(IState* state, IPackage* package)
{
    Broadcast(mAppProcessor, mChildren, &IAppProcessor::OnPackageWillBeLoaded,
              &IChildProcessor::SignalPackageWillBeLoaded, state, package);
}

void ChildProcessor::SignalPackageWasLoaded(IState* state, IPackage* package)
{
    Broadcast(mAppProcessor, mChildren, &IAppProcessor::OnPackageWasLoaded, &IChildProcessor::SignalPackageWasLoaded,
              state, package);
}

void ChildProcessor::SignalPackageWillBeUnloaded(IState* state, IPackage* package)
{
    Broadcast(mAppProcessor, mChildren, &IAppProcessor::OnPackageWillBeUnloaded,
              &IChildProcessor::SignalPackageWillBeUnloaded, state, package);
}

void ChildProcessor::SignalPackageWasUnloaded(IState* state, IPackage* package)
{
    Broadcast(mAppProcessor, mChildren, &IAppProcessor::OnPackageWasUnloaded,
              &IChildProcessor::SignalPackageWasUnloaded, state, package);
}

void ChildProcessor::RunStateChanged(IState* state, Enums::AppRunState newState, Enums::AppRunState previousState)
{
    Broadcast(mAppProcessor, mChildren, &IAppProcessor::OnRunStateChanged, &IChildProcessor::RunStateChanged, state,
              newState, previousState);
}

Bool ChildProcessor::SetAppProcessor(IAppProcessor* app)
{
    mAppProcessor = app;
    return true;
}

void ChildProcessor::SetEnabled(Bool enabled)
{
    if (mAppProcessor != nullptr)
        mAppProcessor->OnEnabledChanged(enabled);
    mEnabled = enabled;
    for (IChildProcessor* child : mChildren)
        child->SetEnabled(enabled);
}

Bool ChildProcessor::IsEnabled() const
{
    return mEnabled;
}

Bool ChildProcessor::AddChild(IChildProcessor* child)
{
    if (child == nullptr)
        return false;
    mChildren.Add(child);
    return true;
}

Bool ChildProcessor::RemoveChild(IChildProcessor* child)
{
    const SInt32 position = mChildren.Find(child);
    if (position < 0)
        return false;
    mChildren.RemoveAt(position);
    return true;
}

Bool ChildProcessor::InitChild(IState* state, IChildProcessor* child)
{
    if (child == nullptr)
        return false;
    child->Init(state);
    return AddChild(child);
}

Bool ChildProcessor::DeInitChild(IState* state, IChildProcessor* child)
{
    if (child == nullptr)
        return false;
    const Bool removed = RemoveChild(child);
    const Bool deInitialized = child->DeInit(state);
    return removed && deInitialized;
}

Bool ChildProcessor::AddStepable(IStepable* stepable)
{
    return mStepableObserver.Add(stepable);
}

Bool ChildProcessor::RemoveStepable(IStepable* stepable)
{
    return mStepableObserver.Remove(stepable);
}

Bool ChildProcessor::AddGraphNode(IObservableNode* node)
{
    return mNodeObserver.Add(node);
}

Bool ChildProcessor::RemoveGraphNode(IObservableNode* node)
{
    return mNodeObserver.Remove(node);
}

Bool ChildProcessor::AreGraphNodesValid() const
{
    return mNodeObserver.AreAllValid();
}

INodeObserver* ChildProcessor::GetNodeObserver()
{
    return &mNodeObserver;
}

UInt32 ChildProcessor::GetNumberOfChildren() const
{
    return UInt32(mChildren.GetCount());
}

IChildProcessor* ChildProcessor::GetChild(UInt32 index) const
{
    return index < GetNumberOfChildren() ? mChildren[SInt32(index)] : nullptr;
}

Bool ChildProcessor::InitSelf(IState* state)
{
    mStepableObserver.ResetAll();
    if (mAppProcessor != nullptr && !mAppProcessor->OnInit(state))
        return false;
    return mNodeObserver.AreAllValid();
}

Bool ChildProcessor::InitChildren(IState* state)
{
    for (IChildProcessor* child : mChildren) {
        if (!child->Init(state))
            return false;
    }
    return true;
}

Bool ChildProcessor::DeInitSelf(IState* state)
{
    mChildren.Clear();
    const Bool released = mNodeObserver.RemoveAll();
    const Bool deInitialized = mAppProcessor == nullptr || mAppProcessor->OnDeInit(state);
    mStepableObserver.RemoveAll();
    return released && deInitialized;
}

Bool ChildProcessor::DeInitChildren(IState* state)
{
    Bool result = true;
    for (SInt32 i = mChildren.GetCount() - 1; i >= 0; --i) {
        if (!mChildren[i]->DeInit(state))
            result = false;
    }
    return result;
}

void ChildProcessor::StepSelf(IState* state)
{
    mStepableObserver.StepAll(state->GetCurrentTickDuration());
    if (mAppProcessor != nullptr)
        mAppProcessor->OnStep(state);
}

void ChildProcessor::StepChildren(IState* state)
{
    for (IChildProcessor* child : mChildren)
        child->Step(state);
    if (mAppProcessor != nullptr)
        mAppProcessor->OnStepAfterChildren(state);
}

void ChildProcessor::AnimateSelf(IState* state)
{
    if (mAppProcessor != nullptr)
        mAppProcessor->OnAnimate(state);
}

void ChildProcessor::AnimateChildren(IState* state)
{
    for (IChildProcessor* child : mChildren)
        child->Animate(state);
    if (mAppProcessor != nullptr)
        mAppProcessor->OnAnimateAfterChildren(state);
}

} // namespace Logic
} // namespace Vorn
