#include "display/dx9/camera.h"

#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

Camera::Camera(Renderer* renderer)
    : Object(renderer), mClearColorBuffer(true), mClearDepthBuffer(true), mOrthographic(true),
      mClearColor{0.0f, 0.0f, 0.0f, 1.0f}, mDepthOrder(0), mDepthSortMode(Enums::DepthSortMode::WORLD_Z), mMask(),
      mCone()
{
}

Camera::~Camera()
{
    if (mInitialized) {
        Debug::Trace("Display::Dx9::Camera::~Camera(): Object is still initialized");
        mInitialized = false;
    }
}

void Camera::SetClearColor(const Float* color)
{
    for (UInt32 i = 0; i < 4; ++i)
        mClearColor[i] = color[i];
}

void Camera::SetMask(SInt32 left, SInt32 right, SInt32 bottom, SInt32 top)
{
    mMask[0] = left;
    mMask[1] = right;
    mMask[2] = bottom;
    mMask[3] = top;
}

void Camera::SetTransform(const Math::Matrix<float>& transform)
{
    mTransform = transform;
    UpdateMatrices();
}

void Camera::SetProjection(const Math::Matrix<float>& projection, Bool orthographic)
{
    mProjection = projection;
    mOrthographic = orthographic;
    if (!orthographic) {
        projection.GetFrustumPlanes(mPlanes);
        Math::Matrix<float>::GetProjectionAngles(mPlanes, mCone);
    }
    UpdateMatrices();
}

Bool Camera::IsSphereVisible(const Math::Vector<float>& centre, Float radius) const
{
    if (mOrthographic)
        return true;
    const Float sinTheta = mCone[1];
    const Float cosTheta = mCone[2];
    const Float tanTheta = mCone[3];
    const Float x = centre.x;
    const Float y = centre.y;
    const Float z = centre.z;
    const Float axisDistance = x * x + y * y;
    // The cone's radius at depth -z, widened so that a sphere touching the cone counts.
    const auto insideCone = [&]() {
        const Float reach = radius / cosTheta + tanTheta * -z;
        return reach * reach > axisDistance;
    };
    if (z <= 0.0f)
        return insideCone();
    if (z - radius > 0.0f)
        return false;
    if (z - sinTheta * radius <= 0.0f)
        return insideCone();
    return radius * radius > axisDistance + z * z;
}

Math::Matrix<float> Camera::InvertRigid(const Math::Matrix<float>& transform)
{
    Math::Matrix<float> inverse;
    for (UInt32 row = 0; row < 3; ++row)
        for (UInt32 column = 0; column < 3; ++column)
            inverse.Set(row, column, transform.Get(column, row));
    for (UInt32 row = 0; row < 3; ++row) {
        Float sum = 0.0f;
        for (UInt32 k = 0; k < 3; ++k)
            sum += inverse.Get(row, k) * transform.Get(k, 3);
        inverse.Set(row, 3, -sum);
    }
    return inverse;
}

void Camera::UpdateMatrices()
{
    mView = InvertRigid(mTransform);
    mViewProjection = mProjection * mView;
}

const ClassInfo& Camera::GetClassInfo()
{
    static const ClassInfo info{"Camera", CreateObjectOf<Camera>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
