// Restarts the transform of its sub-graph: discards the inherited rotation, the inherited
// translation, or both, by pushing an absolute matrix built from the parent's.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class TransformReset : public Node
{
public:
    TransformReset();
    ~TransformReset() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Bool GetAffectRotation() const { return mAffectRotation; }
    Bool GetAffectTranslation() const { return mAffectTranslation; }

protected:
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

private:
    // The parent's world matrix with the affected parts left at the identity.
    void Compose(const Math::Matrix<float>& world);

    Bool mAffectRotation;
    Bool mAffectTranslation;
    Math::Matrix<float> mMatrix;
};

} // namespace Graph
} // namespace Vorn
