// The camera base: a transform node that reads the camera attributes, makes a display camera and
// an input screen projection, attaches itself to the enclosing view in every PrepareOutput pass
// and keeps its view matrix, pixel mask and projection up to date. PerspectiveCamera and
// OrthographicCamera supply the projection; game code reaches cameras through Graph::ICamera.
#pragma once

#include "foundation/attributes.h"
#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace Display {
class ICamera;
class IObject;
}
namespace Input {
class IScreenProjection;
}

namespace Graph {

class IView;

class ICamera
{
public:
    // Setters of the projection inputs recompute the projection, setters of the mask the mask,
    // at the next PrepareOutput pass.
    virtual void SetFieldOfView(Float x, Float y) = 0;
    virtual void SetFieldOfViewX(Float x) = 0;
    virtual void SetFieldOfViewY(Float y) = 0;
    virtual Float GetFieldOfViewX() const = 0;
    virtual Float GetFieldOfViewY() const = 0;
    virtual void SetUnitSize(Float x, Float y) = 0;
    virtual void SetUnitSizeX(Float x) = 0;
    virtual void SetUnitSizeY(Float y) = 0;
    virtual Float GetUnitSizeX() const = 0;
    virtual Float GetUnitSizeY() const = 0;
    virtual void SetCenter(Float x, Float y) = 0;
    virtual void SetCenterX(Float x) = 0;
    virtual void SetCenterY(Float y) = 0;
    virtual Float GetCenterX() const = 0;
    virtual Float GetCenterY() const = 0;
    virtual void SetDepthRange(Float nearPlane, Float farPlane) = 0;
    virtual void SetNearPlane(Float nearPlane) = 0;
    virtual void SetFarPlane(Float farPlane) = 0;
    virtual Float GetNearPlane() const = 0;
    virtual Float GetFarPlane() const = 0;
    virtual void SetMaskCoords(SInt32 left, SInt32 right, SInt32 top, SInt32 bottom) = 0;
    virtual void SetMaskCoordsX(SInt32 left, SInt32 right) = 0;
    virtual void SetMaskCoordsY(SInt32 top, SInt32 bottom) = 0;
    virtual SInt32 GetLeftMaskCoord() const = 0;
    virtual SInt32 GetRightMaskCoord() const = 0;
    virtual SInt32 GetTopMaskCoord() const = 0;
    virtual SInt32 GetBottomMaskCoord() const = 0;
    virtual void SetMaskAnchors(Enums::HorizontalAlignment left, Enums::HorizontalAlignment right,
                                Enums::VerticalAlignment top, Enums::VerticalAlignment bottom) = 0;
    virtual void SetMaskAnchorsX(Enums::HorizontalAlignment left, Enums::HorizontalAlignment right) = 0;
    virtual void SetMaskAnchorsY(Enums::VerticalAlignment top, Enums::VerticalAlignment bottom) = 0;
    virtual Enums::HorizontalAlignment GetLeftMaskAnchor() const = 0;
    virtual Enums::HorizontalAlignment GetRightMaskAnchor() const = 0;
    virtual Enums::VerticalAlignment GetTopMaskAnchor() const = 0;
    virtual Enums::VerticalAlignment GetBottomMaskAnchor() const = 0;
    virtual const Math::Matrix<float>& GetProjectionMatrix() const = 0;

    // The six clip planes (left, right, top, bottom, near, far) of the projection; null for a
    // camera that does not cull (orthographic).
    virtual const Math::Vector<float>* GetFrustumPlanes() const = 0;
    // Cone half-angle, its sine, cosine and tangent; null for a camera that does not cull.
    virtual const Float* GetProjectionAngles() const = 0;
    // The view point (x, y from -1 to 1) at camera-space depth z (negative in front), in the
    // camera's own space; writes and returns out.
    virtual Math::Vector<float>& UnprojectScreenPoint(Math::Vector<float>& out, Float x, Float y, Float z) const = 0;
    // The same point in world space, through the world matrix of the last logic step.
    virtual Math::Vector<float>& GetWorldPoint(Math::Vector<float>& out, Float x, Float y, Float z) const = 0;
    // Null before Init.
    virtual Display::ICamera* GetDisplayCamera() = 0;

    virtual ~ICamera() {}
};

class Camera : public Transform, public ICamera
{
public:
    explicit Camera(Enums::ProjectionType projectionType);
    ~Camera() override;

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetFieldOfView(Float x, Float y) override;
    void SetFieldOfViewX(Float x) override;
    void SetFieldOfViewY(Float y) override;
    Float GetFieldOfViewX() const override { return mFieldOfViewX; }
    Float GetFieldOfViewY() const override { return mFieldOfViewY; }
    void SetUnitSize(Float x, Float y) override;
    void SetUnitSizeX(Float x) override;
    void SetUnitSizeY(Float y) override;
    Float GetUnitSizeX() const override { return mUnitSizeX; }
    Float GetUnitSizeY() const override { return mUnitSizeY; }
    void SetCenter(Float x, Float y) override;
    void SetCenterX(Float x) override;
    void SetCenterY(Float y) override;
    Float GetCenterX() const override { return mCenterX; }
    Float GetCenterY() const override { return mCenterY; }
    void SetDepthRange(Float nearPlane, Float farPlane) override;
    void SetNearPlane(Float nearPlane) override;
    void SetFarPlane(Float farPlane) override;
    Float GetNearPlane() const override { return mNearPlane; }
    Float GetFarPlane() const override { return mFarPlane; }
    void SetMaskCoords(SInt32 left, SInt32 right, SInt32 top, SInt32 bottom) override;
    void SetMaskCoordsX(SInt32 left, SInt32 right) override;
    void SetMaskCoordsY(SInt32 top, SInt32 bottom) override;
    SInt32 GetLeftMaskCoord() const override { return mLeftMaskCoord; }
    SInt32 GetRightMaskCoord() const override { return mRightMaskCoord; }
    SInt32 GetTopMaskCoord() const override { return mTopMaskCoord; }
    SInt32 GetBottomMaskCoord() const override { return mBottomMaskCoord; }
    void SetMaskAnchors(Enums::HorizontalAlignment left, Enums::HorizontalAlignment right,
                        Enums::VerticalAlignment top, Enums::VerticalAlignment bottom) override;
    void SetMaskAnchorsX(Enums::HorizontalAlignment left, Enums::HorizontalAlignment right) override;
    void SetMaskAnchorsY(Enums::VerticalAlignment top, Enums::VerticalAlignment bottom) override;
    Enums::HorizontalAlignment GetLeftMaskAnchor() const override { return mLeftMaskAnchor; }
    Enums::HorizontalAlignment GetRightMaskAnchor() const override { return mRightMaskAnchor; }
    Enums::VerticalAlignment GetTopMaskAnchor() const override { return mTopMaskAnchor; }
    Enums::VerticalAlignment GetBottomMaskAnchor() const override { return mBottomMaskAnchor; }
    const Math::Matrix<float>& GetProjectionMatrix() const override { return mProjectionMatrix; }
    Math::Vector<float>& GetWorldPoint(Math::Vector<float>& out, Float x, Float y, Float z) const override;
    Display::ICamera* GetDisplayCamera() override { return mDisplayCamera; }

    Enums::ProjectionType GetProjectionType() const { return mProjectionType; }
    Bool IsClipPlaneEnabled() const { return mClipPlaneEnabled; }
    const Math::Matrix<float>& GetWorldMatrix() const { return mWorldMatrix; }
    const Math::Matrix<float>& GetViewMatrix() const { return mViewMatrix; }
    const Math::Matrix<float>& GetInverseProjectionMatrix() const { return mInverseProjectionMatrix; }
    // Left, right, bottom, top in pixels from the view's bottom-left corner.
    const SInt32* GetMask() const { return mMask; }
    Bool IsProjectionDirty() const { return mProjectionDirty; }
    // The view the camera attached to in its last PrepareOutput pass.
    IView* GetView() const { return mView; }

    // Recomputes the pixel mask from the view's size and orientation and marks it changed.
    virtual void UpdateMask(IView* view);
    // Recomputes the projection and its inverse from the attributes and the view; a view or
    // attributes that give no finite projection leave the matrices as they were and the
    // projection dirty, so it is tried again at the next pass. Always true.
    virtual Bool UpdateProjection(IView* view) = 0;

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

    // The values both projections are built from, for the view's orientation.
    struct ProjectionInputs
    {
        Float extentX;
        Float extentY;
        Float nearPlane;
        Float farPlane;
        // 1 - 2u and 1 - 2v: where the centre lies, as the projection shifts it.
        Float centringX;
        Float centringY;
        // Pixel offset in normalised units.
        Float offsetX;
        Float offsetY;
        Enums::ScreenOrientation orientation;
    };
    // False when the inputs give no finite projection (zero-sized view, zero extent, equal
    // near and far planes).
    Bool GetProjectionInputs(IView* view, ProjectionInputs& inputs) const;
    // Stores the projection's inverse, then the projection itself with the orientation's
    // rotation applied; centring elements are at first and first + 1 (8 or 12).
    void StoreProjection(const Math::Matrix<float>& projection, Enums::ScreenOrientation orientation);
    // Clears the projection dirty flag and has the mask and the screen projection handed on.
    void MarkProjectionUpdated();

    Bool mClearColorBuffer;
    Bool mClearDepthBuffer;
    Color mBackgroundColor;
    Float mFieldOfViewX;
    Float mFieldOfViewY;
    Float mUnitSizeX;
    Float mUnitSizeY;
    Float mCenterX;
    Float mCenterY;
    Float mNearPlane;
    Float mFarPlane;
    Enums::DepthSortMode mDepthSortMode;
    SInt32 mLeftMaskCoord;
    SInt32 mRightMaskCoord;
    SInt32 mTopMaskCoord;
    SInt32 mBottomMaskCoord;
    Enums::HorizontalAlignment mLeftMaskAnchor;
    Enums::HorizontalAlignment mRightMaskAnchor;
    Enums::VerticalAlignment mTopMaskAnchor;
    Enums::VerticalAlignment mBottomMaskAnchor;
    SInt32 mMask[4];
    Bool mClipPlaneEnabled;
    Float mClipPlaneA;
    Float mClipPlaneB;
    Float mClipPlaneC;
    Float mClipPlaneD;
    Math::Matrix<float> mWorldMatrix;
    Math::Matrix<float> mViewMatrix;
    Math::Matrix<float> mProjectionMatrix;
    Math::Matrix<float> mInverseProjectionMatrix;
    Display::IObject* mDisplayObject;
    Display::ICamera* mDisplayCamera;
    Input::IScreenProjection* mScreenProjection;
    IView* mView;
    Bool mMaskDirty;
    Bool mProjectionDirty;
    Bool mMaskChanged;
    Bool mScreenProjectionChanged;
    Enums::ProjectionType mProjectionType;

private:
    // The projection with its third row replaced so that the near plane becomes the clip plane
    // (brought into camera space); the plain projection when the plane gives no finite result.
    Math::Matrix<float> GetObliqueProjection() const;
    void HandOverProjection(const Math::Matrix<float>& projection);
};

// The rigid-body inverse of a transform without scale: the rotation transposed, the translation
// rotated back and negated.
void ComputeRigidInverse(const Math::Matrix<float>& matrix, Math::Matrix<float>& inverse);

} // namespace Graph
} // namespace Vorn
