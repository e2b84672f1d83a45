// Places its sub-graph where a named anchor is: takes the anchor's rotation, translation or
// both, and its depth order, as recorded in the anchor's last logic step.
#pragma once

#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class Anchor;

class TransformClone : public Node
{
public:
    TransformClone();
    ~TransformClone() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    const String& GetAnchorId() const { return mAnchorId; }
    // Null unless initialised.
    Anchor* GetAnchor() const { return mAnchor; }

protected:
    // Finds the anchor by path and keeps one reference on it; fails without an anchor.
    Bool InitSelf(IInitState* state) override;
    // Releases the anchor when one is held.
    Bool DeInitSelf(IDeInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

private:
    // The parent's world matrix (or the identity) with the anchor's parts written over it.
    void Compose(const Math::Matrix<float>& world);
    SInt32 GetAnchorDepthOrder(SInt32 current) const;
    // False when the reference was not outstanding.
    Bool ReleaseAnchor();

    String mAnchorId;
    Anchor* mAnchor;
    Bool mUseAbsoluteTransform;
    Bool mAffectRotation;
    Bool mAffectTranslation;
    Math::Matrix<float> mMatrix;
};

} // namespace Graph
} // namespace Vorn
