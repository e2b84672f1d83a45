#include "input/screen_projection.h"

#include <cmath>

namespace Vorn {
namespace Input {

ScreenProjection::ScreenProjection() : mDepth(0.0f), mMatrix(Math::Matrix<float>::Zero()) {}

Math::Vector<float> PerspectiveScreenProjection::GetRayOrigin(Float, Float) const
{
    return Math::Vector<float>(0.0f, 0.0f, 0.0f, 1.0f);
}

Math::Vector<float> PerspectiveScreenProjection::GetRayDirection(Float x, Float y) const
{
    const Math::Vector<float> point = mMatrix * Math::Vector<float>(x, y, -mDepth, 1.0f);
    const Float length = std::sqrt(point.x * point.x + point.y * point.y + point.z * point.z);
    return Math::Vector<float>(point.x / length, point.y / length, point.z / length, 0.0f);
}

Math::Vector<float> OrthogonalScreenProjection::GetRayOrigin(Float x, Float y) const
{
    return mMatrix * Math::Vector<float>(x, y, 0.0f, 1.0f);
}

Math::Vector<float> OrthogonalScreenProjection::GetRayDirection(Float, Float) const
{
    return Math::Vector<float>(0.0f, 0.0f, -1.0f, 0.0f);
}

} // namespace Input
} // namespace Vorn
