#include "input/touch_area.h"

namespace Vorn {
namespace Input {

Bool TouchArea::IntersectPlane(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                               Math::Vector<float>& hit)
{
    if (direction.z == 0.0f) {
        hit = origin;
        return false;
    }
    const Float t = origin.z / direction.z;
    hit = origin - direction * t;
    return true;
}

void PlaneTouchArea::SetSize(Float x, Float y)
{
    mSizeX = x;
    mSizeY = y;
}

Bool RectangularTouchArea::HitTest(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                                   Math::Vector<float>& hit) const
{
    if (!IntersectPlane(origin, direction, hit))
        return false;
    const Float halfX = mSizeX / 2.0f;
    const Float halfY = mSizeY / 2.0f;
    // Written so that a coordinate that is not a number fails every comparison.
    return hit.x >= -halfX && hit.x <= halfX && hit.y >= -halfY && hit.y <= halfY;
}

void EllipticTouchArea::SetSize(Float x, Float y)
{
    PlaneTouchArea::SetSize(x, y);
    mSquaredRadius = x * x * 0.25f;
    mAspect = x / y;
}

Bool EllipticTouchArea::HitTest(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                                Math::Vector<float>& hit) const
{
    if (!IntersectPlane(origin, direction, hit))
        return false;
    hit.y = mAspect * hit.y;
    return hit.x * hit.x + hit.y * hit.y <= mSquaredRadius;
}

} // namespace Input
} // namespace Vorn
