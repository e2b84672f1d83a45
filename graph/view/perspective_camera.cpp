#include "graph/view/perspective_camera.h"

#include <new>

#include "graph/node_class_info.h"

namespace Vorn {
namespace Graph {

PerspectiveCamera::PerspectiveCamera() : Camera(Enums::ProjectionType::PERSPECTIVE), mProjectionAngles{0, 0, 0, 0}, mHasPlanes(false)
{
}

PerspectiveCamera::~PerspectiveCamera()
{
}

INode* PerspectiveCamera::Create()
{
    return new (std::nothrow) PerspectiveCamera();
}

const NodeClassInfo& PerspectiveCamera::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("PerspectiveCamera"));
    return info;
}

Bool PerspectiveCamera::UpdateProjection(IView* view)
{
    ProjectionInputs in;
    if (!GetProjectionInputs(view, in))
        return true;
    const Float n = in.nearPlane;
    const Float f = in.farPlane;
    Math::Matrix<float> projection = Math::Matrix<float>::Zero();
    projection[0] = 2.0f * n / in.extentX;
    projection[5] = 2.0f * n / in.extentY;
    projection[8] = in.centringX - in.offsetX;
    projection[9] = in.centringY - in.offsetY;
    projection[10] = -(f + n) / (f - n);
    projection[11] = -1.0f;
    projection[14] = -2.0f * f * n / (f - n);
    StoreProjection(projection, in.orientation);
    mProjectionMatrix.GetFrustumPlanes(mFrustumPlanes);
    Math::Matrix<float>::GetProjectionAngles(mFrustumPlanes, mProjectionAngles);
    mHasPlanes = true;
    MarkProjectionUpdated();
    return true;
}

Math::Vector<float>& PerspectiveCamera::UnprojectScreenPoint(Math::Vector<float>& out, Float x, Float y,
                                                             Float z) const
{
    // The point on the near plane, moved along the ray from the eye to depth z.
    const Math::Vector<float> q = mInverseProjectionMatrix * Math::Vector<float>(x, y, -1.0f, 1.0f);
    const Float s = -z / mNearPlane;
    out.Set(q.x / q.w * s, q.y / q.w * s, q.z / q.w * s, 1.0f);
    return out;
}

} // namespace Graph
} // namespace Vorn
