// The camera of the game's scenes: a perspective projection from the field of view or unit
// size, with the frustum planes and cone values that its view culls by.
#pragma once

#include "graph/view/camera.h"

namespace Vorn {
namespace Graph {

class PerspectiveCamera : public Camera
{
public:
    PerspectiveCamera();
    ~PerspectiveCamera() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool UpdateProjection(IView* view) override;
    // Null until the first projection update, so that nothing is culled by planes not yet made.
    const Math::Vector<float>* GetFrustumPlanes() const override { return mHasPlanes ? mFrustumPlanes : nullptr; }
    const Float* GetProjectionAngles() const override { return mHasPlanes ? mProjectionAngles : nullptr; }
    Math::Vector<float>& UnprojectScreenPoint(Math::Vector<float>& out, Float x, Float y, Float z) const override;

private:
    Math::Vector<float> mFrustumPlanes[6];
    Float mProjectionAngles[4];
    Bool mHasPlanes;
};

} // namespace Graph
} // namespace Vorn
