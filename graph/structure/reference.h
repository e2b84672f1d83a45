// Shows another node a second time in its own place: the target, found by path at Init, becomes
// the reference's only child for the ConfigChanged, ProcessLogic and PrepareOutput passes, but is
// initialised, suspended, resumed and de-initialised only where it lives.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class IReference
{
public:
    // The target once initialised (no reference added), else null.
    virtual INode* GetReferencedNode() = 0;
    virtual ~IReference() {}
};

class Reference : public Node, public IReference
{
public:
    Reference();
    ~Reference() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    // Children given to a reference are not attached.
    void InsertChild(INode* child, UInt32 index) override;
    void AddChild(INode* child) override;
    INode* RemoveChildAt(UInt32 index) override;
    INode* RemoveChild(INode* child) override;

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    INode* GetReferencedNode() override;
    const String& GetTargetId() const { return mTargetId; }

protected:
    // Resolves the target from the current namespace, holding one reference count on it; the
    // target must be registered already (earlier in Init order) and must not contain the reference.
    Bool InitSelf(IInitState* state) override;
    Bool InitChildren(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool DeInitChildren(IDeInitState* state) override;
    Bool SuspendChildren(IDeInitState* state) override;
    Bool ResumeChildren(IInitState* state) override;

private:
    String mTargetId;
    INode* mTarget;
};

} // namespace Graph
} // namespace Vorn
