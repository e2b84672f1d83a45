#include "graph/culler.h"

namespace Vorn {
namespace Graph {

FrustumCuller::FrustumCuller() : mParameters(nullptr), mValue(nullptr) {}

FrustumCuller::~FrustumCuller() {}

void FrustumCuller::SetVector(const Math::Vector<float>& vector) { mVector = vector; }

void FrustumCuller::SetViewMatrix(const Math::Matrix<float>& matrix) { mViewMatrix = matrix; }

void FrustumCuller::SetParameters(const Float* parameters) { mParameters = parameters; }

void FrustumCuller::SetValue(const Math::Vector<float>* planes) { mValue = planes; }

const Math::Vector<float>& FrustumCuller::GetVector() const { return mVector; }

const Math::Matrix<float>& FrustumCuller::GetViewMatrix() const { return mViewMatrix; }

const Float* FrustumCuller::GetParameters() const { return mParameters; }

const Math::Vector<float>* FrustumCuller::GetValue() const { return mValue; }

Bool FrustumCuller::IsCulled(const Math::Vector<float>& centre, Float radius, const Math::Matrix<float>& world,
                             const Math::Vector<float>& scale) const
{
    if (!mParameters)
        return false;

    Float largestScale = scale.x;
    if (scale.y > largestScale)
        largestScale = scale.y;
    if (scale.z > largestScale)
        largestScale = scale.z;
    const Float r = radius * largestScale;

    // The view looks along -z.
    return !IsInViewCone(mViewMatrix * (world * centre), r, mParameters);
}

Bool IsInViewCone(const Math::Vector<float>& p, Float r, const Float* angles)
{
    const Float sine = angles[1];
    const Float cosine = angles[2];
    const Float tangent = angles[3];
    const Float axisDistanceSquared = p.x * p.x + p.y * p.y;

    // Within the cone's reach the sphere is outside when its centre is at least its radius,
    // measured across the cone's side, beyond the side.
    const Float coneReach = r / cosine + tangent * -p.z;
    // Written as negated tests so that a NaN counts as inside, as it always did.
    if (p.z <= 0.0f)
        return !(coneReach * coneReach <= axisDistanceSquared);
    if (p.z - r > 0.0f)
        return false;
    if (p.z - sine * r <= 0.0f)
        return !(coneReach * coneReach <= axisDistanceSquared);
    // Nearest to the apex: seen only when the sphere holds the eye.
    return !(r * r <= axisDistanceSquared + p.z * p.z);
}

} // namespace Graph
} // namespace Vorn
