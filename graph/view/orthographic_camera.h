// A camera with a parallel projection: extents from the field of view or unit size; its view
// culls nothing.
#pragma once

#include "graph/view/camera.h"

namespace Vorn {
namespace Graph {

class OrthographicCamera : public Camera
{
public:
    OrthographicCamera();
    ~OrthographicCamera() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool UpdateProjection(IView* view) override;
    const Math::Vector<float>* GetFrustumPlanes() const override { return nullptr; }
    const Float* GetProjectionAngles() const override { return nullptr; }
    // x and y do not depend on z.
    Math::Vector<float>& UnprojectScreenPoint(Math::Vector<float>& out, Float x, Float y, Float z) const override;
};

} // namespace Graph
} // namespace Vorn
