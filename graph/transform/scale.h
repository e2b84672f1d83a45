// Scales its sub-graph: pushes a scaling matrix onto the transform stack and its factors onto
// the scale-factor stack, so that drawables below see both (culling scales bounding radii by the
// accumulated factor).
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/controller.h"
#include "graph/node.h"
#include "graph/transform/scalable.h"

namespace Vorn {
namespace Graph {

class Scale : public Node, public IScalable
{
public:
    Scale();
    ~Scale() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    // The maker of the evaluator that drives the factors from scale keys; the animation code's by
    // default. Null leaves a node's animation without that evaluator.
    static void SetAnimationEvaluatorCreateFunction(IController::EvaluatorCreateFunction create);

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetScaleFactor(Real x, Real y, Real z) override;
    void SetScaleFactor(const Math::Vector<float>& factor) override;
    void SetScaleFactorX(Real x) override;
    void SetScaleFactorY(Real y) override;
    void SetScaleFactorZ(Real z) override;
    const Math::Vector<float>& GetScaleFactor() const override;
    Real GetScaleFactorX() const override;
    Real GetScaleFactorY() const override;
    Real GetScaleFactorZ() const override;

    // True while all three factors are exactly 1: nothing is pushed then.
    Bool IsIdentity() const { return mIdentity; }
    const Math::Matrix<float>& GetMatrix() const { return mMatrix; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    // The children steps pop exactly what the self step pushed, even when a setter ran in between.
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

private:
    // Factors into the matrix diagonal, and the identity flag.
    void UpdateMatrix();

    Math::Vector<float> mScaleFactor;
    Math::Matrix<float> mMatrix;
    Bool mIdentity;
    Bool mLogicPushed;
    Bool mOutputPushed;
};

} // namespace Graph
} // namespace Vorn
