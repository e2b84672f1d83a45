// Transform nodes place their sub-graph: a local matrix and an optional depth order pushed onto
// the state's stacks around the children. Cameras, views, drawables and bones derive from
// Graph::Transform; game code moves nodes through Graph::ITransform.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/controller.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class ITransform
{
public:
    // Every modifying operation marks the transform changed and no longer the identity, so it
    // is pushed from then on. The setters write through the writing GetTransform.
    virtual Math::Matrix<float>& GetTransform() = 0;
    virtual const Math::Matrix<float>& GetTransform() const = 0;
    // The rotation part only; the translation and the fourth row are kept. Angles in radians.
    virtual void SetRotationX(Real angle) = 0;
    virtual void SetRotationY(Real angle) = 0;
    virtual void SetRotationZ(Real angle) = 0;
    // The axis is taken as given, not normalised; a zero axis gives no rotation.
    virtual void SetRotation(const Math::Vector<float>& axis, Real angle) = 0;
    // Rz(angleZ) * Ry(angleY) * Rx(angleX).
    virtual void SetRotation(Real angleX, Real angleY, Real angleZ) = 0;
    virtual void SetPositionX(Real x) = 0;
    virtual void SetPositionY(Real y) = 0;
    virtual void SetPositionZ(Real z) = 0;
    virtual void SetPosition(const Math::Vector<float>& position) = 0;
    virtual void SetPosition(Real x, Real y, Real z) = 0;
    virtual void SetDepthOrder(SInt32 depthOrder) = 0;
    virtual SInt32 GetDepthOrder() const = 0;
    virtual ~ITransform() {}
};

class Transform : public Node, public ITransform
{
public:
    // Transform flag bits.
    static constexpr UInt32 kChanged = 0x00000001u;
    static constexpr UInt32 kIdentity = 0x00000002u;

    Transform();
    ~Transform() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    // The maker of the evaluator that drives a transform from position and rotation keys; the
    // animation code's by default. Null leaves a node's animation without that evaluator.
    static void SetAnimationEvaluatorCreateFunction(IController::EvaluatorCreateFunction create);
    static IController::EvaluatorCreateFunction GetAnimationEvaluatorCreateFunction();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Math::Matrix<float>& GetTransform() override;
    const Math::Matrix<float>& GetTransform() const override;
    void SetRotationX(Real angle) override;
    void SetRotationY(Real angle) override;
    void SetRotationZ(Real angle) override;
    void SetRotation(const Math::Vector<float>& axis, Real angle) override;
    void SetRotation(Real angleX, Real angleY, Real angleZ) override;
    void SetPositionX(Real x) override;
    void SetPositionY(Real y) override;
    void SetPositionZ(Real z) override;
    void SetPosition(const Math::Vector<float>& position) override;
    void SetPosition(Real x, Real y, Real z) override;
    void SetDepthOrder(SInt32 depthOrder) override;
    SInt32 GetDepthOrder() const override;

    UInt32 GetTransformFlags() const { return mTransformFlags; }
    Bool IsIdentity() const { return (mTransformFlags & kIdentity) != 0; }
    const Math::Vector<float>& GetRotationAxis() const { return mRotationAxis; }
    Real GetRotationAngle() const { return mRotationAngle; }

    // Writes the rotation by angle about axis (taken as given) into elements 0-2, 4-6 and 8-10;
    // a zero axis writes the identity rotation.
    static void ComposeAxisRotation(Math::Matrix<float>& matrix, const Math::Vector<float>& axis, Real angle);

protected:
    // Applies "angle" about the normalised axis once, then clears the identity bit when the
    // matrix is not the identity.
    Bool InitSelf(IInitState* state) override;
    // The children steps pop exactly what the self step pushed, even when a setter ran in between.
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

    void MarkChanged() { mTransformFlags = (mTransformFlags | kChanged) & ~kIdentity; }

    Math::Vector<float> mRotationAxis;
    Real mRotationAngle;
    Math::Matrix<float> mMatrix;
    SInt32 mDepthOrder;
    UInt32 mTransformFlags;

private:
    // What the self step of a pass pushed, for its children step to pop.
    struct Pushed
    {
        Bool mTransform = false;
        Bool mDepthOrder = false;
    };

    // The self and children steps of the ProcessLogic and PrepareOutput passes push and pop alike.
    template <typename State>
    void PushOnto(State* state, Pushed& pushed);
    template <typename State>
    static void PopFrom(State* state, Pushed& pushed);

    Pushed mLogicPushed;
    Pushed mOutputPushed;
};

} // namespace Graph
} // namespace Vorn
