#include "graph/view/orthographic_camera.h"

#include <new>

#include "graph/node_class_info.h"

namespace Vorn {
namespace Graph {

OrthographicCamera::OrthographicCamera() : Camera(Enums::ProjectionType::ORTHOGONAL)
{
}

OrthographicCamera::~OrthographicCamera()
{
}

INode* OrthographicCamera::Create()
{
    return new (std::nothrow) OrthographicCamera();
}

const NodeClassInfo& OrthographicCamera::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("OrthographicCamera"));
    return info;
}

Bool OrthographicCamera::UpdateProjection(IView* view)
{
    ProjectionInputs in;
    if (!GetProjectionInputs(view, in))
        return true;
    const Float n = in.nearPlane;
    const Float f = in.farPlane;
    Math::Matrix<float> projection = Math::Matrix<float>::Zero();
    projection[0] = 2.0f / in.extentX;
    projection[5] = 2.0f / in.extentY;
    projection[10] = -2.0f / (f - n);
    projection[12] = in.offsetX - in.centringX;
    projection[13] = in.offsetY - in.centringY;
    projection[14] = -(f + n) / (f - n);
    projection[15] = 1.0f;
    StoreProjection(projection, in.orientation);
    MarkProjectionUpdated();
    return true;
}

Math::Vector<float>& OrthographicCamera::UnprojectScreenPoint(Math::Vector<float>& out, Float x, Float y,
                                                              Float z) const
{
    // Clip depth -1 is the near plane, at camera depth -near, whatever the near distance.
    const Math::Vector<float> q = mInverseProjectionMatrix * Math::Vector<float>(x, y, -1.0f, 1.0f);
    out.Set(q.x, q.y, q.z * (-z / mNearPlane), 1.0f);
    return out;
}

} // namespace Graph
} // namespace Vorn
