#include "physics/spring.h"

#include "physics/body.h"
#include "physics/rigid_math.h"

namespace Vorn {
namespace Physics {

Spring::Spring()
    : mSpringConstant(0.0f),
      mDampingConstant(0.0f),
      mMinimumLength(0.0f),
      mMaximumLength(0.0f),
      mAffectForce(true),
      mAffectTorque(true),
      mBodies{nullptr, nullptr},
      mInfluences{true, true},
      mLength(0.0f)
{
}

Spring::~Spring()
{
}

Bool Spring::Init()
{
    UpdateAnchors();
    return true;
}

Bool Spring::DeInit()
{
    return true;
}

void Spring::SetParameters(Float springConstant, Float dampingConstant, Float minimumLength, Float maximumLength,
                           Bool affectForce, Bool affectTorque)
{
    mSpringConstant = springConstant;
    mDampingConstant = dampingConstant;
    mMinimumLength = minimumLength;
    mMaximumLength = maximumLength;
    mAffectForce = affectForce;
    mAffectTorque = affectTorque;
}

void Spring::SetBody(UInt32 end, IBody* body, const Math::Vector<float>& attachment, Bool influence)
{
    if (end > 1)
        return;
    mBodies[end] = static_cast<Body*>(body);
    mAttachments[end] = attachment;
    mInfluences[end] = influence;
}

void Spring::ClearBody(UInt32 end)
{
    if (end > 1)
        return;
    mBodies[end] = nullptr;
    mAttachments[end] = Math::Vector<float>();
}

void Spring::SetTransform(const Math::Matrix<float>& matrix)
{
    mPosition = Translation(matrix);
}

void Spring::UpdateAnchors()
{
    for (UInt32 end = 0; end < 2; ++end) {
        const Body* body = mBodies[end];
        if (body == nullptr) {
            mAnchors[end] = mPosition;
            continue;
        }
        const Math::Matrix<float>* matrix = body->GetTransformMatrix();
        Math::Vector<float> arm = matrix != nullptr ? Rotate(*matrix, mAttachments[end]) : mAttachments[end];
        mAnchors[end] = body->GetPosition() + arm;
        mAnchors[end].w = body->GetPosition().w + mAttachments[end].w;
    }
    mDirection = mAnchors[1] - mAnchors[0];
    mLength = Length(mDirection);
    if (mLength >= 0.00001f)
        mDirection *= 1.0f / mLength;
}

void Spring::Apply()
{
    UpdateAnchors();
    Float strength;
    if (mLength - mMaximumLength > 0.0f)
        strength = mSpringConstant * (mLength - mMaximumLength);
    else if (mLength - mMinimumLength < 0.0f)
        strength = mSpringConstant * (mLength - mMinimumLength);
    else
        return;
    const Math::Vector<float> force = mDirection * strength;
    ApplyToEnd(0, force);
    ApplyToEnd(1, -force);
}

void Spring::ApplyToEnd(UInt32 end, const Math::Vector<float>& force)
{
    Body* body = mBodies[end];
    if (body == nullptr || !mInfluences[end])
        return;
    const Math::Vector<float>& anchor = mAnchors[end];
    if (!mAffectForce) {
        body->AddTorqueAtPointWorldWorld(anchor, force);
    } else {
        const Math::Vector<float> damped = force - body->GetLinearVelocity() * mDampingConstant;
        if (!mAffectTorque) {
            body->AddForceWorldWorld(anchor, damped);
            return;
        }
        body->AddForceAtPointWorldWorld(anchor, damped);
    }
    body->AddToTorque(-(body->GetAngularVelocity() * mDampingConstant));
}

} // namespace Physics
} // namespace Vorn
