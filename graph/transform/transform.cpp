#include "graph/transform/transform.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/math.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/axis_rotation.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

IController::EvaluatorCreateFunction gAnimationEvaluatorCreate = &CreateTransformAnimationEvaluator;

// The attributes that write one matrix element, and the element.
struct ElementTarget
{
    UInt32 mAttribute;
    UInt32 mElement;
};

const ElementTarget kElementTargets[] = {
    {TransformAttributes::kPosX, 12}, {TransformAttributes::kPosY, 13}, {TransformAttributes::kPosZ, 14},
    {TransformAttributes::kXx, 0},    {TransformAttributes::kYx, 1},    {TransformAttributes::kZx, 2},
    {TransformAttributes::kWx, 3},    {TransformAttributes::kXy, 4},    {TransformAttributes::kYy, 5},
    {TransformAttributes::kZy, 6},    {TransformAttributes::kWy, 7},    {TransformAttributes::kXz, 8},
    {TransformAttributes::kYz, 9},    {TransformAttributes::kZz, 10},   {TransformAttributes::kWz, 11},
    {TransformAttributes::kXw, 12},   {TransformAttributes::kYw, 13},   {TransformAttributes::kZw, 14},
    {TransformAttributes::kWw, 15},
};

const ElementTarget* FindElementTarget(UInt32 attribute)
{
    for (const ElementTarget& target : kElementTargets) {
        if (target.mAttribute == attribute)
            return &target;
    }
    return nullptr;
}

} // namespace

Transform::Transform()
    : mRotationAxis(0.0f, 0.0f, 1.0f, 0.0f),
      mRotationAngle(0.0f),
      mDepthOrder(0),
      mTransformFlags(kIdentity)
{
}

Transform::~Transform()
{
}

INode* Transform::Create()
{
    return new (std::nothrow) Transform();
}

const NodeClassInfo& Transform::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Transform"));
    return info;
}

void Transform::SetAnimationEvaluatorCreateFunction(IController::EvaluatorCreateFunction create)
{
    gAnimationEvaluatorCreate = create;
}

IController::EvaluatorCreateFunction Transform::GetAnimationEvaluatorCreateFunction()
{
    return gAnimationEvaluatorCreate;
}

Bool Transform::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                     Bool* error)
{
    const UInt32 attribute = TransformAttributes::GetTable().FindAttribute(attributes, index);
    switch (attribute) {
    case TransformAttributes::kDepthOrder:
        attributes->GetValue(index, parameters, &mDepthOrder, error);
        return true;
    case TransformAttributes::kAxisX:
    case TransformAttributes::kAxisY:
    case TransformAttributes::kAxisZ:
        attributes->GetValue(index, parameters, &mRotationAxis[attribute - TransformAttributes::kAxisX], error);
        return true;
    case TransformAttributes::kAngle:
        attributes->GetAngleValue(index, parameters, &mRotationAngle, error);
        return true;
    default:
        break;
    }
    if (const ElementTarget* target = FindElementTarget(attribute)) {
        attributes->GetValue(index, parameters, &mMatrix[target->mElement], error);
        return true;
    }
    return Node::DeserializeAttribute(index, attributes, parameters, error);
}

void Transform::ComposeAxisRotation(Math::Matrix<float>& matrix, const Math::Vector<float>& axis, Real angle)
{
    const float x = axis.x;
    const float y = axis.y;
    const float z = axis.z;
    // Without a direction there is nothing to turn about; the formula would give a scaling.
    if (x == 0.0f && y == 0.0f && z == 0.0f) {
        Math::Matrix<float> identity;
        for (UInt32 column = 0; column < 3; ++column) {
            for (UInt32 row = 0; row < 3; ++row)
                matrix.Set(row, column, identity.Get(row, column));
        }
        return;
    }
    WriteAxisRotation(matrix, x, y, z, angle);
}

Math::Matrix<float>& Transform::GetTransform()
{
    MarkChanged();
    return mMatrix;
}

const Math::Matrix<float>& Transform::GetTransform() const
{
    return mMatrix;
}

void Transform::SetRotationX(Real angle)
{
    const float s = Math::Sin(angle);
    const float c = Math::Cos(angle);
    float* m = GetTransform().mElements;
    m[0] = 1.0f;
    m[1] = 0.0f;
    m[2] = 0.0f;
    m[4] = 0.0f;
    m[5] = c;
    m[6] = s;
    m[8] = 0.0f;
    m[9] = -s;
    m[10] = c;
}

void Transform::SetRotationY(Real angle)
{
    const float s = Math::Sin(angle);
    const float c = Math::Cos(angle);
    float* m = GetTransform().mElements;
    m[0] = c;
    m[1] = 0.0f;
    m[2] = -s;
    m[4] = 0.0f;
    m[5] = 1.0f;
    m[6] = 0.0f;
    m[8] = s;
    m[9] = 0.0f;
    m[10] = c;
}

void Transform::SetRotationZ(Real angle)
{
    GetTransform().SetRotationZ(angle);
}

void Transform::SetRotation(const Math::Vector<float>& axis, Real angle)
{
    ComposeAxisRotation(GetTransform(), axis, angle);
}

void Transform::SetRotation(Real angleX, Real angleY, Real angleZ)
{
    GetTransform().SetRotation(angleX, angleY, angleZ);
}

void Transform::SetPositionX(Real x)
{
    GetTransform()[12] = x;
}

void Transform::SetPositionY(Real y)
{
    GetTransform()[13] = y;
}

void Transform::SetPositionZ(Real z)
{
    GetTransform()[14] = z;
}

void Transform::SetPosition(const Math::Vector<float>& position)
{
    SetPosition(position.x, position.y, position.z);
}

void Transform::SetPosition(Real x, Real y, Real z)
{
    Math::Matrix<float>& matrix = GetTransform();
    matrix[12] = x;
    matrix[13] = y;
    matrix[14] = z;
}

void Transform::SetDepthOrder(SInt32 depthOrder)
{
    MarkChanged();
    mDepthOrder = depthOrder;
}

SInt32 Transform::GetDepthOrder() const
{
    return mDepthOrder;
}

Bool Transform::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Transform::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mRotationAngle != 0.0f) {
        const float length = Math::Sqrt(mRotationAxis.x * mRotationAxis.x + mRotationAxis.y * mRotationAxis.y +
                                        mRotationAxis.z * mRotationAxis.z);
        // A zero axis stays zero and composes no rotation.
        if (length != 0.0f) {
            mRotationAxis.x /= length;
            mRotationAxis.y /= length;
            mRotationAxis.z /= length;
        }
        ComposeAxisRotation(mMatrix, mRotationAxis, mRotationAngle);
        mRotationAngle = 0.0f;
    }
    if (!mMatrix.IsIdentity())
        mTransformFlags &= ~kIdentity;
    if (mController != nullptr && gAnimationEvaluatorCreate != nullptr)
        mController->AddEvaluator(gAnimationEvaluatorCreate);
    return true;
}

template <typename State>
void Transform::PushOnto(State* state, Pushed& pushed)
{
    pushed.mTransform = !IsIdentity();
    pushed.mDepthOrder = mDepthOrder != 0;
    if (pushed.mTransform)
        state->PushRelativeTransform(mMatrix);
    if (pushed.mDepthOrder)
        state->AddDepthOrder(mDepthOrder);
}

template <typename State>
void Transform::PopFrom(State* state, Pushed& pushed)
{
    if (pushed.mDepthOrder)
        state->PopDepthOrder();
    if (pushed.mTransform)
        state->PopTransform();
    pushed = Pushed();
}

Bool Transform::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    PushOnto(state, mLogicPushed);
    return true;
}

Bool Transform::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    PopFrom(state, mLogicPushed);
    return true;
}

Bool Transform::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    PushOnto(state, mOutputPushed);
    return true;
}

Bool Transform::PrepareOutputChildren(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputChildren(state))
        return false;
    PopFrom(state, mOutputPushed);
    return true;
}

} // namespace Graph
} // namespace Vorn
