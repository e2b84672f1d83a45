#include "graph/terrain/view_wedge.h"

#include <cmath>

#include "foundation/math.h"

namespace Vorn {
namespace Graph {

namespace {

// The vector scaled to length 1; a zero vector stays zero.
Math::Vector<float> Normalized(const Math::Vector<float>& v)
{
    const Float length = std::sqrt(v.Dot(v));
    return length > 0.0f ? v * (1.0f / length) : Math::Vector<float>();
}

Math::Vector<float> TurnedAboutY(const Math::Vector<float>& v, Double degrees)
{
    Math::Matrix<float> rotation;
    rotation.SetRotation(0.0, degrees * Math::Pi / 180.0, 0.0);
    return rotation * v;
}

} // namespace

void ViewWedge::Set(const Math::Matrix<float>& camera)
{
    mPosition = Math::Vector<float>(camera[12], camera[13], camera[14], 1.0f);
    mDirection = Normalized(Math::Vector<float>(-camera[8], -camera[9], -camera[10], 0.0f));
    mGround = Normalized(Math::Vector<float>(mDirection.x, 0.0f, mDirection.z, 0.0f));
    mSide1 = TurnedAboutY(mGround, 150.0);
    mSide2 = TurnedAboutY(mGround, -150.0);
}

Bool ViewWedge::IsOutside(Float x, Float z, Float half, Float range) const
{
    UInt32 behind = 0;
    UInt32 beyond = 0;
    UInt32 outside1 = 0;
    UInt32 outside2 = 0;
    for (UInt32 corner = 0; corner < 4; ++corner) {
        const Float dx = ((corner & 1) != 0 ? x + half : x - half) - mPosition.x;
        const Float dz = ((corner & 2) != 0 ? z + half : z - half) - mPosition.z;
        const Math::Vector<float> p(dx, 0.0f, dz, 0.0f);
        const Float along = mGround.Dot(p);
        if (along < 0.0f)
            ++behind;
        else if (along > range)
            ++beyond;
        if (mSide1.Dot(p) > 0.0f)
            ++outside1;
        if (mSide2.Dot(p) > 0.0f)
            ++outside2;
    }
    return behind == 4 || beyond == 4 || outside1 == 4 || outside2 == 4;
}

} // namespace Graph
} // namespace Vorn
