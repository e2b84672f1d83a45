#include "graph/transform/scale.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

IController::EvaluatorCreateFunction gAnimationEvaluatorCreate = &CreateScaleAnimationEvaluator;

} // namespace

Scale::Scale() : mScaleFactor(1.0f, 1.0f, 1.0f, 0.0f), mIdentity(true), mLogicPushed(false), mOutputPushed(false)
{
}

Scale::~Scale()
{
}

INode* Scale::Create()
{
    return new (std::nothrow) Scale();
}

const NodeClassInfo& Scale::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Scale"));
    return info;
}

void Scale::SetAnimationEvaluatorCreateFunction(IController::EvaluatorCreateFunction create)
{
    gAnimationEvaluatorCreate = create;
}

Bool Scale::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                 Bool* error)
{
    const UInt32 attribute = ScaleAttributes::GetTable().FindAttribute(attributes, index);
    switch (attribute) {
    case ScaleAttributes::kScaleFactorX:
    case ScaleAttributes::kScaleFactorY:
    case ScaleAttributes::kScaleFactorZ:
        attributes->GetValue(index, parameters, &mScaleFactor[attribute - ScaleAttributes::kScaleFactorX], error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void Scale::UpdateMatrix()
{
    mMatrix[0] = mScaleFactor.x;
    mMatrix[5] = mScaleFactor.y;
    mMatrix[10] = mScaleFactor.z;
    mIdentity = mScaleFactor.x == 1.0f && mScaleFactor.y == 1.0f && mScaleFactor.z == 1.0f;
}

void Scale::SetScaleFactor(Real x, Real y, Real z)
{
    mScaleFactor.Set(x, y, z, 0.0f);
    UpdateMatrix();
}

void Scale::SetScaleFactor(const Math::Vector<float>& factor)
{
    SetScaleFactor(factor.x, factor.y, factor.z);
}

void Scale::SetScaleFactorX(Real x)
{
    mScaleFactor.x = x;
    UpdateMatrix();
}

void Scale::SetScaleFactorY(Real y)
{
    mScaleFactor.y = y;
    UpdateMatrix();
}

void Scale::SetScaleFactorZ(Real z)
{
    mScaleFactor.z = z;
    UpdateMatrix();
}

const Math::Vector<float>& Scale::GetScaleFactor() const
{
    return mScaleFactor;
}

Real Scale::GetScaleFactorX() const
{
    return mScaleFactor.x;
}

Real Scale::GetScaleFactorY() const
{
    return mScaleFactor.y;
}

Real Scale::GetScaleFactorZ() const
{
    return mScaleFactor.z;
}

Bool Scale::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Scale::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    UpdateMatrix();
    if (mController != nullptr && gAnimationEvaluatorCreate != nullptr)
        mController->AddEvaluator(gAnimationEvaluatorCreate);
    return true;
}

Bool Scale::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    mLogicPushed = !mIdentity;
    if (mLogicPushed) {
        state->PushRelativeTransform(mMatrix);
        state->PushRelativeScaleFactor(mScaleFactor);
    }
    return true;
}

Bool Scale::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    if (mLogicPushed) {
        state->PopTransform();
        state->PopScaleFactor();
        mLogicPushed = false;
    }
    return true;
}

Bool Scale::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    mOutputPushed = !mIdentity;
    if (mOutputPushed) {
        state->PushRelativeTransform(mMatrix);
        state->PushRelativeScaleFactor(mScaleFactor);
    }
    return true;
}

Bool Scale::PrepareOutputChildren(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputChildren(state))
        return false;
    if (mOutputPushed) {
        state->PopTransform();
        state->PopScaleFactor();
        mOutputPushed = false;
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
