// Graph nodes: the record every scene-graph object is built on, its flag word, its children and
// the pass drivers that walk a tree. Node classes derive from Graph::Node and override only the
// ...Self and ...Children steps and DeserializeAttribute; the drivers themselves are fixed.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IAttributes;

namespace Resource {
class IGraphNode;
}

namespace Graph {

class IController;
class INamespace;
class IInitState;
class IDeInitState;
class IConfigChangedState;
class IProcessLogicState;
class IPrepareOutputState;
struct NodeClassInfo;

class INode
{
public:
    // False when an attribute value does not convert; every attribute is read first.
    virtual Bool Deserialize(const Resource::IGraphNode* resourceNode, const IAttributes* parameters) = 0;

    // Child operations touch neither reference counts, namespaces nor flags; the node does not
    // own its children.
    virtual void InsertChild(INode* child, UInt32 index) = 0;
    virtual void AddChild(INode* child) = 0;
    // Null when index is not below the number of children.
    virtual INode* RemoveChildAt(UInt32 index) = 0;
    // Null when child is not a child of this node.
    virtual INode* RemoveChild(INode* child) = 0;
    virtual const Array<INode*>& GetChildren() const = 0;
    // First direct child with the id; no paths, no recursion.
    virtual INode* FindChild(const String& id) = 0;
    virtual INode* GetChild(UInt32 index) = 0;
    virtual const INode* FindChild(const String& id) const = 0;
    virtual const INode* GetChild(UInt32 index) const = 0;
    virtual UInt32 GetNumberOfChildren() const = 0;

    virtual void SetId(const String& id) = 0;
    virtual const String& GetId() const = 0;

    virtual void SetSubGraphInstance(Bool isInstance) = 0;
    virtual Bool IsNotSubGraphInstance() const = 0;
    virtual void SetDisabled(Bool disabled) = 0;
    virtual Bool IsDisabled() const = 0;
    virtual void SetActive(Bool active) = 0;
    virtual Bool IsActive() const = 0;
    virtual void SetVisible(Bool visible) = 0;
    virtual Bool IsVisible() const = 0;
    virtual void SetActiveAndVisible(Bool activeAndVisible) = 0;
    virtual Bool IsActiveAndVisible() const = 0;

    virtual Bool AddReference() = 0;
    // False when no reference is outstanding.
    virtual Bool RemoveReference() = 0;

    virtual Bool Init(IInitState* state) = 0;
    virtual Bool DeInit(IDeInitState* state) = 0;
    virtual Bool Suspend(IDeInitState* state) = 0;
    virtual Bool Resume(IInitState* state) = 0;
    virtual Bool ConfigChanged(IConfigChangedState* state) = 0;
    virtual Bool ProcessLogic(IProcessLogicState* state) = 0;
    virtual Bool PrepareOutput(IPrepareOutputState* state) = 0;

    // True below every node activated (made visible) since the previous pass, not only for it.
    virtual Bool IsJustActivated(IProcessLogicState* state) const = 0;
    virtual Bool IsJustMadeVisible(IPrepareOutputState* state) const = 0;

    virtual IController* GetController() = 0;
    // False without a controller.
    virtual Bool SetAnimationTimeShift(Real seconds) = 0;
    virtual Bool SetAnimationTimeScale(Real scale) = 0;

    virtual UInt32 GetFlags() const = 0;
    virtual void Notify(UInt32 code) = 0;

    virtual ~INode() {}

    // True when this class or one of its bases knows the attribute at index, even when its value
    // did not convert (the error flag is set then).
    virtual Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                      Bool* error) = 0;
};

class Node : public INode
{
public:
    // Flag word bits.
    static constexpr UInt32 kSubGraphInstance = 0x00000001u;
    static constexpr UInt32 kEnabled = 0x00000002u;
    static constexpr UInt32 kInitialized = 0x00000004u;
    static constexpr UInt32 kActive = 0x00000008u;
    static constexpr UInt32 kVisible = 0x00000010u;
    static constexpr UInt32 kJustActivated = 0x00000020u;
    static constexpr UInt32 kJustMadeVisible = 0x00000040u;
    static constexpr UInt32 kNeedsConfigChanged = 0x20000000u;
    static constexpr UInt32 kNeedsProcessLogic = 0x40000000u;
    static constexpr UInt32 kNeedsPrepareOutput = 0x80000000u;
    static constexpr UInt32 kSubTreeBits = 0xE0000000u;
    static constexpr UInt32 kInitialFlags = kEnabled | kActive | kVisible;

    // Makes the animation controller of a node for the value of "animationResourceId"; null when
    // it cannot, which fails the node. The engine's animation controller unless tests set
    // another; null sets the engine's one again.
    typedef IController* (*ControllerCreateFunction)(INode* owner, const String& resourceId);
    static void SetControllerCreateFunction(ControllerCreateFunction function);

    Node();
    ~Node() override;

    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool Deserialize(const Resource::IGraphNode* resourceNode, const IAttributes* parameters) override;

    void InsertChild(INode* child, UInt32 index) override;
    void AddChild(INode* child) override;
    INode* RemoveChildAt(UInt32 index) override;
    INode* RemoveChild(INode* child) override;
    const Array<INode*>& GetChildren() const override;
    INode* FindChild(const String& id) override;
    INode* GetChild(UInt32 index) override;
    const INode* FindChild(const String& id) const override;
    const INode* GetChild(UInt32 index) const override;
    UInt32 GetNumberOfChildren() const override;

    void SetId(const String& id) override;
    const String& GetId() const override;

    void SetSubGraphInstance(Bool isInstance) override;
    Bool IsNotSubGraphInstance() const override;
    void SetDisabled(Bool disabled) override;
    Bool IsDisabled() const override;
    void SetActive(Bool active) override;
    Bool IsActive() const override;
    void SetVisible(Bool visible) override;
    Bool IsVisible() const override;
    void SetActiveAndVisible(Bool activeAndVisible) override;
    Bool IsActiveAndVisible() const override;

    Bool AddReference() override;
    Bool RemoveReference() override;

    Bool Init(IInitState* state) final;
    Bool DeInit(IDeInitState* state) final;
    Bool Suspend(IDeInitState* state) final;
    Bool Resume(IInitState* state) final;
    Bool ConfigChanged(IConfigChangedState* state) final;
    Bool ProcessLogic(IProcessLogicState* state) final;
    Bool PrepareOutput(IPrepareOutputState* state) final;

    Bool IsJustActivated(IProcessLogicState* state) const override;
    Bool IsJustMadeVisible(IPrepareOutputState* state) const override;

    IController* GetController() override;
    Bool SetAnimationTimeShift(Real seconds) override;
    Bool SetAnimationTimeScale(Real scale) override;

    UInt32 GetFlags() const override;
    void Notify(UInt32 code) override;

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // ORs the sub-tree bits of flags in: a sub-graph hung below the node after its Init needs
    // them on every node above it for the passes to reach it.
    void AddSubTreeFlags(UInt32 flags) { mFlags |= flags & kSubTreeBits; }

    UInt32 GetReferenceCount() const { return mReferenceCount; }
    UInt32 GetFrameStamp() const { return mFrameStamp; }
    INamespace* GetNamespace() const { return mNamespace; }
    INamespace* GetRootNamespace() const { return mRootNamespace; }

protected:
    // A class step calls its base class's step first and fails when it fails. DeInitSelf runs
    // after the children were de-initialised, for every node whose InitSelf ran, also when it
    // failed half-way: it releases only what exists. A node never initialised is not visited.
    virtual Bool InitSelf(IInitState* state);
    virtual Bool InitChildren(IInitState* state);
    virtual Bool DeInitSelf(IDeInitState* state);
    virtual Bool DeInitChildren(IDeInitState* state);
    virtual Bool SuspendSelf(IDeInitState* state);
    virtual Bool SuspendChildren(IDeInitState* state);
    virtual Bool ResumeSelf(IInitState* state);
    virtual Bool ResumeChildren(IInitState* state);
    virtual Bool ConfigChangedSelf(IConfigChangedState* state);
    virtual Bool ConfigChangedChildren(IConfigChangedState* state);
    virtual Bool ProcessLogicSelf(IProcessLogicState* state);
    virtual Bool ProcessLogicChildren(IProcessLogicState* state);
    virtual Bool PrepareOutputSelf(IPrepareOutputState* state);
    virtual Bool PrepareOutputChildren(IPrepareOutputState* state);

    // Node classes OR their sub-tree bits in from their constructors.
    void AddFlags(UInt32 flags) { mFlags |= flags; }

    Array<INode*> mChildren;
    String mId;
    UInt32 mFlags;
    UInt32 mReferenceCount;
    UInt32 mFrameStamp;
    INamespace* mNamespace;
    INamespace* mRootNamespace;
    IController* mController;

private:
    // The ProcessLogic and PrepareOutput drivers: the guard, the hand-over of the just activated
    // (just made visible) flag to the sub-tree, the self and children steps and the count.
    template <typename State>
    Bool RunFramePass(State* state, UInt32 guard, UInt32 justFlag, Bool (Node::*self)(State*),
                      Bool (Node::*children)(State*), const char* pass);

    // InitSelf ran (even if it failed half-way), so DeInitSelf is owed; a node never initialised
    // is not de-initialised.
    Bool mInitSelfCalled;
    // What InitSelf of the node itself made, so that its DeInitSelf undoes exactly that.
    Bool mRegistered;
    Bool mControllerInitialized;
};

} // namespace Graph
} // namespace Vorn
