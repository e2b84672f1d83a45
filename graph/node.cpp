#include "graph/node.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/animation/animation_controller.h"
#include "graph/attribute_names.h"
#include "graph/controller.h"
#include "graph/namespace.h"
#include "graph/node_class_info.h"
#include "graph/root.h"
#include "graph/traversal_state.h"
#include "resource/graph.h"

namespace Vorn {
namespace Graph {
namespace {

Node::ControllerCreateFunction gControllerCreateFunction = &AnimationController::Create;

// Hands the state to each child in turn, first to last, or last to first for the passes that
// undo Init; stops at the first child that fails. method names the caller in the log line.
template <typename State>
Bool PassToChildren(const Array<INode*>& children, Bool (INode::*pass)(State*), State* state, Bool lastToFirst,
                    const char* method, const String& id)
{
    auto passToChild = [&](SInt32 i) {
        if ((children[i]->*pass)(state))
            return true;
        Debug::Trace("Graph::Node::%s(%s): Failed for child %d", method, id.GetText(), i);
        return false;
    };
    if (lastToFirst) {
        for (SInt32 i = children.GetCount() - 1; i >= 0; --i) {
            if (!passToChild(i))
                return false;
        }
        return true;
    }
    for (SInt32 i = 0; i < children.GetCount(); ++i) {
        if (!passToChild(i))
            return false;
    }
    return true;
}

} // namespace

void Node::SetControllerCreateFunction(ControllerCreateFunction function)
{
    gControllerCreateFunction = function != nullptr ? function : &AnimationController::Create;
}

Node::Node()
    : mFlags(kInitialFlags),
      mReferenceCount(0),
      mFrameStamp(0),
      mNamespace(nullptr),
      mRootNamespace(nullptr),
      mController(nullptr),
      mInitSelfCalled(false),
      mRegistered(false),
      mControllerInitialized(false)
{
}

Node::~Node()
{
    delete mController;
}

INode* Node::Create()
{
    return new (std::nothrow) Node();
}

const NodeClassInfo& Node::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Node"));
    return info;
}

Bool Node::Deserialize(const Resource::IGraphNode* resourceNode, const IAttributes* parameters)
{
    const IAttributes* attributes = resourceNode->GetAttributes();
    if (attributes == nullptr)
        return true;
    Bool error = false;
    // An attribute that no class of the chain knows is skipped.
    for (UInt32 index = 0; index < attributes->GetNumberOfAttributes(); ++index)
        DeserializeAttribute(index, attributes, parameters, &error);
    if (error) {
        Debug::Trace("Graph::Node::Deserialize(): Failed parsing attributes");
        return false;
    }
    return true;
}

Bool Node::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                Bool* error)
{
    switch (NodeAttributes::GetTable().FindAttribute(attributes, index)) {
    case NodeAttributes::kId:
        attributes->GetValue(index, parameters, &mId, error);
        return true;
    case NodeAttributes::kActive:
        attributes->GetBitValue(index, parameters, kActive, &mFlags, error);
        return true;
    case NodeAttributes::kVisible:
        attributes->GetBitValue(index, parameters, kVisible, &mFlags, error);
        return true;
    case NodeAttributes::kActiveAndVisible: {
        Bool value;
        if (attributes->GetValue(index, parameters, &value, error))
            SetActiveAndVisible(value);
        return true;
    }
    case NodeAttributes::kAnimationResourceId: {
        String resourceId;
        if (!attributes->GetValue(index, parameters, &resourceId, error))
            return true;
        IController* controller = gControllerCreateFunction(this, resourceId);
        if (controller == nullptr) {
            Debug::Trace("Graph::Node::DeserializeAttribute(%s): Failed creating animation controller for \"%s\"",
                         mId.GetText(), resourceId.GetText());
            *error = true;
            return true;
        }
        delete mController;
        mController = controller;
        mController->DeserializeAttributes(attributes, parameters, error);
        return true;
    }
    default:
        return false;
    }
}

void Node::InsertChild(INode* child, UInt32 index)
{
    if (index > UInt32(mChildren.GetCount())) {
        Debug::Trace("Graph::Node::InsertChild(%s): Index %u out of range", mId.GetText(), index);
        return;
    }
    mChildren.InsertAt(SInt32(index), child);
}

void Node::AddChild(INode* child)
{
    mChildren.Add(child);
}

INode* Node::RemoveChildAt(UInt32 index)
{
    if (index >= UInt32(mChildren.GetCount()))
        return nullptr;
    INode* child = mChildren[SInt32(index)];
    mChildren.RemoveAt(SInt32(index));
    return child;
}

INode* Node::RemoveChild(INode* child)
{
    for (SInt32 i = 0; i < mChildren.GetCount(); ++i) {
        if (mChildren[i] == child) {
            mChildren.RemoveAt(i);
            return child;
        }
    }
    return nullptr;
}

const Array<INode*>& Node::GetChildren() const
{
    return mChildren;
}

INode* Node::FindChild(const String& id)
{
    for (INode* child : mChildren) {
        if (child->GetId() == id)
            return child;
    }
    return nullptr;
}

INode* Node::GetChild(UInt32 index)
{
    return index < UInt32(mChildren.GetCount()) ? mChildren[SInt32(index)] : nullptr;
}

const INode* Node::FindChild(const String& id) const
{
    for (const INode* child : mChildren) {
        if (child->GetId() == id)
            return child;
    }
    return nullptr;
}

const INode* Node::GetChild(UInt32 index) const
{
    return index < UInt32(mChildren.GetCount()) ? mChildren[SInt32(index)] : nullptr;
}

UInt32 Node::GetNumberOfChildren() const
{
    return UInt32(mChildren.GetCount());
}

void Node::SetId(const String& id)
{
    mId = id;
}

const String& Node::GetId() const
{
    return mId;
}

void Node::SetSubGraphInstance(Bool isInstance)
{
    if (isInstance)
        mFlags |= kSubGraphInstance;
    else
        mFlags &= ~kSubGraphInstance;
}

Bool Node::IsNotSubGraphInstance() const
{
    return (mFlags & kSubGraphInstance) == 0;
}

void Node::SetDisabled(Bool disabled)
{
    if (disabled)
        mFlags &= ~kEnabled;
    else
        mFlags |= kEnabled;
}

Bool Node::IsDisabled() const
{
    return (mFlags & kEnabled) == 0;
}

void Node::SetActive(Bool active)
{
    if (!active)
        mFlags &= ~(kActive | kJustActivated);
    else if ((mFlags & kActive) == 0)
        mFlags |= kActive | kJustActivated;
}

Bool Node::IsActive() const
{
    return (mFlags & kActive) != 0;
}

void Node::SetVisible(Bool visible)
{
    if (!visible)
        mFlags &= ~(kVisible | kJustMadeVisible);
    else if ((mFlags & kVisible) == 0)
        mFlags |= kVisible | kJustMadeVisible;
}

Bool Node::IsVisible() const
{
    return (mFlags & kVisible) != 0;
}

void Node::SetActiveAndVisible(Bool activeAndVisible)
{
    SetActive(activeAndVisible);
    SetVisible(activeAndVisible);
}

Bool Node::IsActiveAndVisible() const
{
    return (mFlags & (kActive | kVisible)) == (kActive | kVisible);
}

Bool Node::AddReference()
{
    ++mReferenceCount;
    return true;
}

Bool Node::RemoveReference()
{
    if (mReferenceCount == 0)
        return false;
    --mReferenceCount;
    return true;
}

Bool Node::Init(IInitState* state)
{
    if (state->IsCancelled())
        return true;
    state->PushNode(this);
    if ((mFlags & kInitialized) == 0) {
        mInitSelfCalled = true;
        if (!InitSelf(state)) {
            Debug::Trace("Graph::Node::Init(%s): InitSelf() failed", mId.GetText());
            return false;
        }
        state->IncrementCounter();
        mFrameStamp = state->GetFrameCount();
        mFlags |= kInitialized;
    }
    if (!InitChildren(state)) {
        Debug::Trace("Graph::Node::Init(%s): InitChildren() failed", mId.GetText());
        return false;
    }
    for (const INode* child : mChildren)
        mFlags |= child->GetFlags() & kSubTreeBits;
    if (mController != nullptr)
        mFlags |= kNeedsConfigChanged | kNeedsProcessLogic;
    state->PopNode();
    return true;
}

Bool Node::InitSelf(IInitState* state)
{
    if (!mId.IsEmpty()) {
        RootLockGuard lock(state->GetRoot());
        mNamespace = state->GetCurrentNamespace();
        mRootNamespace = state->GetRootNamespace();
        if (mNamespace != nullptr) {
            if (!mNamespace->RegisterNode(mId, this)) {
                Debug::Trace("Graph::Node::InitSelf(%s): Failed registering node", mId.GetText());
                mNamespace = nullptr;
                mRootNamespace = nullptr;
                return false;
            }
            mRegistered = true;
        }
    }
    if (mController != nullptr) {
        if (!mController->Init(state))
            return false;
        mControllerInitialized = true;
    }
    return true;
}

Bool Node::InitChildren(IInitState* state)
{
    return PassToChildren(mChildren, &INode::Init, state, false, "InitChildren", mId);
}

Bool Node::DeInit(IDeInitState* state)
{
    if ((mFlags & kSubGraphInstance) != 0) {
        Debug::Trace("Graph::Node::DeInit(%s): Remaining sub-graph instance", mId.GetText());
        return false;
    }
    if ((mFlags & kInitialized) != 0) {
        if (!DeInitChildren(state)) {
            Debug::Trace("Graph::Node::DeInit(%s): DeInitChildren() failed", mId.GetText());
            return false;
        }
        state->IncrementCounter();
        mFlags &= ~kInitialized;
    }
    if (mReferenceCount != 0) {
        Debug::Trace("Graph::Node::DeInit(%s): Failed, reference count is not zero", mId.GetText());
        return false;
    }
    // A node whose Init never reached it has nothing to undo; one whose InitSelf stopped
    // half-way undoes what it made.
    if (!mInitSelfCalled)
        return true;
    if (!DeInitSelf(state)) {
        Debug::Trace("Graph::Node::DeInit(%s): DeInitSelf() failed", mId.GetText());
        return false;
    }
    mInitSelfCalled = false;
    return true;
}

Bool Node::DeInitSelf(IDeInitState* state)
{
    if (mControllerInitialized) {
        if (!mController->DeInit(state))
            return false;
        mControllerInitialized = false;
    }
    if (mRegistered) {
        RootLockGuard lock(state->GetRoot());
        if (mNamespace != nullptr && !mNamespace->UnregisterNode(mId)) {
            Debug::Trace("Graph::Node::DeInitSelf(%s): Failed unregistering node", mId.GetText());
            return false;
        }
        mRegistered = false;
    }
    mNamespace = nullptr;
    mRootNamespace = nullptr;
    return true;
}

Bool Node::DeInitChildren(IDeInitState* state)
{
    return PassToChildren(mChildren, &INode::DeInit, state, true, "DeInitChildren", mId);
}

Bool Node::Suspend(IDeInitState* state)
{
    if (!SuspendChildren(state)) {
        Debug::Trace("Graph::Node::Suspend(%s): SuspendChildren() failed", mId.GetText());
        return false;
    }
    if (!SuspendSelf(state)) {
        Debug::Trace("Graph::Node::Suspend(%s): SuspendSelf() failed", mId.GetText());
        return false;
    }
    return true;
}

Bool Node::SuspendSelf(IDeInitState*)
{
    return true;
}

Bool Node::SuspendChildren(IDeInitState* state)
{
    return PassToChildren(mChildren, &INode::Suspend, state, true, "SuspendChildren", mId);
}

Bool Node::Resume(IInitState* state)
{
    if (!ResumeSelf(state)) {
        Debug::Trace("Graph::Node::Resume(%s): ResumeSelf() failed", mId.GetText());
        return false;
    }
    if (!ResumeChildren(state)) {
        Debug::Trace("Graph::Node::Resume(%s): ResumeChildren() failed", mId.GetText());
        return false;
    }
    return true;
}

Bool Node::ResumeSelf(IInitState*)
{
    return true;
}

Bool Node::ResumeChildren(IInitState* state)
{
    return PassToChildren(mChildren, &INode::Resume, state, false, "ResumeChildren", mId);
}

Bool Node::ConfigChanged(IConfigChangedState* state)
{
    constexpr UInt32 kGuard = kNeedsConfigChanged | kEnabled;
    if ((mFlags & kGuard) != kGuard)
        return true;
    if ((mFlags & kInitialized) != 0) {
        if (!ConfigChangedSelf(state)) {
            Debug::Trace("Graph::Node::ConfigChanged(%s): ConfigChangedSelf() failed", mId.GetText());
            return false;
        }
        mFrameStamp = state->GetFrameCount();
    }
    if (!ConfigChangedChildren(state)) {
        Debug::Trace("Graph::Node::ConfigChanged(%s): ConfigChangedChildren() failed", mId.GetText());
        return false;
    }
    return true;
}

Bool Node::ConfigChangedSelf(IConfigChangedState* state)
{
    if (mControllerInitialized)
        return mController->ConfigChanged(state);
    return true;
}

Bool Node::ConfigChangedChildren(IConfigChangedState* state)
{
    return PassToChildren(mChildren, &INode::ConfigChanged, state, false, "ConfigChangedChildren", mId);
}

template <typename State>
Bool Node::RunFramePass(State* state, UInt32 guard, UInt32 justFlag, Bool (Node::*self)(State*),
                        Bool (Node::*children)(State*), const char* pass)
{
    if ((mFlags & guard) != guard)
        return true;
    const Bool handOver = (mFlags & justFlag) != 0;
    if (handOver)
        state->PushFlags(mFlags);
    if (!(this->*self)(state)) {
        Debug::Trace("Graph::Node::%s(%s): %sSelf() failed", pass, mId.GetText(), pass);
        return false;
    }
    if (!(this->*children)(state)) {
        Debug::Trace("Graph::Node::%s(%s): %sChildren() failed", pass, mId.GetText(), pass);
        return false;
    }
    if (handOver) {
        state->PopFlags();
        mFlags &= ~justFlag;
    }
    state->IncrementCounter();
    return true;
}

Bool Node::ProcessLogic(IProcessLogicState* state)
{
    return RunFramePass(state, kNeedsProcessLogic | kEnabled | kInitialized | kActive, kJustActivated,
                        &Node::ProcessLogicSelf, &Node::ProcessLogicChildren, "ProcessLogic");
}

Bool Node::ProcessLogicSelf(IProcessLogicState* state)
{
    if (mControllerInitialized)
        return mController->ProcessLogic(state);
    return true;
}

Bool Node::ProcessLogicChildren(IProcessLogicState* state)
{
    return PassToChildren(mChildren, &INode::ProcessLogic, state, false, "ProcessLogicChildren", mId);
}

Bool Node::PrepareOutput(IPrepareOutputState* state)
{
    return RunFramePass(state, kNeedsPrepareOutput | kEnabled | kInitialized | kVisible, kJustMadeVisible,
                        &Node::PrepareOutputSelf, &Node::PrepareOutputChildren, "PrepareOutput");
}

Bool Node::PrepareOutputSelf(IPrepareOutputState*)
{
    return true;
}

Bool Node::PrepareOutputChildren(IPrepareOutputState* state)
{
    return PassToChildren(mChildren, &INode::PrepareOutput, state, false, "PrepareOutputChildren", mId);
}

Bool Node::IsJustActivated(IProcessLogicState* state) const
{
    return (state->GetFlags() & kJustActivated) != 0;
}

Bool Node::IsJustMadeVisible(IPrepareOutputState* state) const
{
    return (state->GetFlags() & kJustMadeVisible) != 0;
}

IController* Node::GetController()
{
    return mController;
}

Bool Node::SetAnimationTimeShift(Real seconds)
{
    if (mController == nullptr)
        return false;
    mController->SetTimeShift(seconds);
    return true;
}

Bool Node::SetAnimationTimeScale(Real scale)
{
    if (mController == nullptr)
        return false;
    mController->SetTimeScale(scale);
    return true;
}

UInt32 Node::GetFlags() const
{
    return mFlags;
}

void Node::Notify(UInt32)
{
}

} // namespace Graph
} // namespace Vorn
