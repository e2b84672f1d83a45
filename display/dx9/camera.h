// Display::Dx9::Camera ("Camera"): what a view needs to be cleared, masked, sorted and
// projected, with the view and view-projection matrices derived from the camera transform that
// the renderer hands it each frame, and the sphere test of a perspective projection.
#pragma once

#include "display/dx9/object.h"
#include "foundation/matrix.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Camera : public Object, public ICamera
{
public:
    explicit Camera(Renderer* renderer);
    ~Camera() override;

    void SetClearColorBuffer(Bool clear) override { mClearColorBuffer = clear; }
    Bool GetClearColorBuffer() const override { return mClearColorBuffer; }
    void SetClearDepthBuffer(Bool clear) override { mClearDepthBuffer = clear; }
    Bool GetClearDepthBuffer() const override { return mClearDepthBuffer; }
    void SetClearColor(const Float* color) override;
    const Float* GetClearColor() const override { return mClearColor; }
    void SetDepthOrder(SInt32 order) override { mDepthOrder = order; }
    SInt32 GetDepthOrder() const override { return mDepthOrder; }
    void SetDepthSortMode(Enums::DepthSortMode mode) override { mDepthSortMode = mode; }
    Enums::DepthSortMode GetDepthSortMode() const override { return mDepthSortMode; }
    void SetMask(SInt32 left, SInt32 right, SInt32 bottom, SInt32 top) override;
    SInt32 GetMaskLeft() const override { return mMask[0]; }
    SInt32 GetMaskRight() const override { return mMask[1]; }
    SInt32 GetMaskBottom() const override { return mMask[2]; }
    SInt32 GetMaskTop() const override { return mMask[3]; }
    // Copies the rigid world transform and recomputes view and view-projection.
    void SetTransform(const Math::Matrix<float>& transform) override;
    // A perspective projection also yields the frustum planes and the cone around the view axis.
    void SetProjection(const Math::Matrix<float>& projection, Bool orthographic) override;
    const Math::Matrix<float>& GetTransform() const override { return mTransform; }
    const Math::Matrix<float>& GetProjectionMatrix() const override { return mProjection; }
    const Math::Matrix<float>& GetViewMatrix() const override { return mView; }
    const Math::Matrix<float>& GetViewProjectionMatrix() const override { return mViewProjection; }
    Bool IsSphereVisible(const Math::Vector<float>& centre, Float radius) const override;

    // The inverse of a rigid motion: rotation transposed, translation -(R^T t).
    static Math::Matrix<float> InvertRigid(const Math::Matrix<float>& transform);

    static const ClassInfo& GetClassInfo();

private:
    void UpdateMatrices();

    Bool mClearColorBuffer;
    Bool mClearDepthBuffer;
    Bool mOrthographic;
    Float mClearColor[4];
    SInt32 mDepthOrder;
    Enums::DepthSortMode mDepthSortMode;
    SInt32 mMask[4];
    Math::Matrix<float> mTransform;
    Math::Matrix<float> mProjection;
    Math::Matrix<float> mView;
    Math::Matrix<float> mViewProjection;
    Math::Vector<float> mPlanes[6];
    // Half-angle, its sine, cosine and tangent.
    Float mCone[4];
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
