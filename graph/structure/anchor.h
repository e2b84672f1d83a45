// A named place in the tree that records, in every logic step, the world transform and depth
// order in force there, so that other nodes (transform clones) can copy them.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class IAnchor
{
public:
    // The identity and 0 until the first ProcessLogic pass reaches the anchor.
    virtual const Math::Matrix<float>& GetTransform() const = 0;
    virtual SInt32 GetDepthOrder() const = 0;
    virtual ~IAnchor() {}
};

class Anchor : public Node, public IAnchor
{
public:
    Anchor();
    ~Anchor() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    const Math::Matrix<float>& GetTransform() const override;
    SInt32 GetDepthOrder() const override;

protected:
    // Fails for an anchor without an id: other nodes find it by path.
    Bool InitSelf(IInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;

private:
    Math::Matrix<float> mTransform;
    SInt32 mDepthOrder;
};

} // namespace Graph
} // namespace Vorn
