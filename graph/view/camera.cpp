#include "graph/view/camera.h"

#include <cmath>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "foundation/math.h"
#include "graph/attribute_names.h"
#include "graph/traversal_state.h"
#include "graph/view.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Graph {
namespace {

// The pixel mask: the four edges as the attributes give them (logical, before the screen
// orientation turns the picture), then one row per orientation saying where each pixel edge
// comes from.
enum LogicalEdge : UInt8
{
    kLeftEdge,
    kRightEdge,
    kBottomEdge,
    kTopEdge,
};

enum Mirror : UInt8
{
    kNotMirrored,
    kMirroredInWidth,
    kMirroredInHeight,
};

struct MaskSource
{
    LogicalEdge mEdge;
    Mirror mMirror;
};

struct MaskRule
{
    Enums::ScreenOrientation mOrientation;
    // Pixel left, right, bottom, top.
    MaskSource mSources[4];
};

// The first row also serves every orientation not listed.
const MaskRule kMaskRules[] = {
    {Enums::ScreenOrientation::PORTRAIT_1,
     {{kLeftEdge, kNotMirrored}, {kRightEdge, kNotMirrored}, {kBottomEdge, kNotMirrored}, {kTopEdge, kNotMirrored}}},
    {Enums::ScreenOrientation::PORTRAIT_2,
     {{kRightEdge, kMirroredInWidth},
      {kLeftEdge, kMirroredInWidth},
      {kTopEdge, kMirroredInHeight},
      {kBottomEdge, kMirroredInHeight}}},
    {Enums::ScreenOrientation::LANDSCAPE_1,
     {{kBottomEdge, kNotMirrored},
      {kTopEdge, kNotMirrored},
      {kRightEdge, kMirroredInHeight},
      {kLeftEdge, kMirroredInHeight}}},
    {Enums::ScreenOrientation::LANDSCAPE_2,
     {{kTopEdge, kMirroredInWidth},
      {kBottomEdge, kMirroredInWidth},
      {kLeftEdge, kNotMirrored},
      {kRightEdge, kNotMirrored}}},
};

const MaskRule& FindMaskRule(Enums::ScreenOrientation orientation)
{
    for (const MaskRule& rule : kMaskRules) {
        if (rule.mOrientation == orientation)
            return rule;
    }
    return kMaskRules[0];
}

// One logical edge: its coordinate, its anchor's offset and whether the anchor is the centre.
struct MaskEdge
{
    SInt64 mCoord;
    SInt64 mOffset;
    Bool mCentered;
};

MaskEdge MakeHorizontalEdge(SInt32 coord, Enums::HorizontalAlignment anchor, SInt64 extent)
{
    switch (anchor) {
    case Enums::HorizontalAlignment::CENTER:
        return MaskEdge{coord, extent / 2, true};
    case Enums::HorizontalAlignment::RIGHT:
        return MaskEdge{coord, extent, false};
    default:
        return MaskEdge{coord, 0, false};
    }
}

MaskEdge MakeVerticalEdge(SInt32 coord, Enums::VerticalAlignment anchor, SInt64 extent)
{
    switch (anchor) {
    case Enums::VerticalAlignment::CENTER:
        return MaskEdge{coord, extent / 2, true};
    case Enums::VerticalAlignment::BOTTOM:
        return MaskEdge{coord, 0, false};
    default:
        return MaskEdge{coord, extent, false};
    }
}

// A mirrored centre-anchored edge is measured from the half extent itself, so odd sizes round
// the same way in every orientation.
SInt64 PlaceEdge(const MaskEdge& edge, Mirror mirror, SInt64 width, SInt64 height)
{
    if (mirror == kNotMirrored)
        return edge.mCoord + edge.mOffset;
    const SInt64 extent = mirror == kMirroredInWidth ? width : height;
    if (edge.mCentered)
        return extent / 2 - edge.mCoord;
    return extent - (edge.mCoord + edge.mOffset);
}

SInt32 Clamp(SInt64 value, SInt64 high)
{
    if (value < 0)
        return 0;
    return SInt32(value > high ? high : value);
}

// How the screen orientation turns a projection: A and B are elements 0 and 5 as computed, X and
// Y the two centring elements. Exchanged rows move A to element 1 and B to element 4.
struct CentringSource
{
    UInt8 mFromY;
    Float mSign;
};

struct ProjectionRotation
{
    Enums::ScreenOrientation mOrientation;
    Bool mExchanged;
    Float mSignA;
    Float mSignB;
    CentringSource mPerspective[2];
    CentringSource mOrthographic[2];
};

const ProjectionRotation kProjectionRotations[] = {
    {Enums::ScreenOrientation::LANDSCAPE_1, true, -1.0f, 1.0f, {{1, 1.0f}, {0, -1.0f}}, {{0, 1.0f}, {1, -1.0f}}},
    {Enums::ScreenOrientation::PORTRAIT_2, false, -1.0f, -1.0f, {{0, -1.0f}, {1, -1.0f}}, {{0, -1.0f}, {1, -1.0f}}},
    {Enums::ScreenOrientation::LANDSCAPE_2, true, 1.0f, -1.0f, {{1, -1.0f}, {0, 1.0f}}, {{0, -1.0f}, {1, 1.0f}}},
};

Bool IsFinite(Float value)
{
    return std::isfinite(value);
}

} // namespace

void ComputeRigidInverse(const Math::Matrix<float>& m, Math::Matrix<float>& r)
{
    const Math::Matrix<float> source = m;
    r[0] = source[0];
    r[1] = source[4];
    r[2] = source[8];
    r[3] = 0.0f;
    r[4] = source[1];
    r[5] = source[5];
    r[6] = source[9];
    r[7] = 0.0f;
    r[8] = source[2];
    r[9] = source[6];
    r[10] = source[10];
    r[11] = 0.0f;
    r[12] = -(source[0] * source[12] + source[1] * source[13] + source[2] * source[14]);
    r[13] = -(source[4] * source[12] + source[5] * source[13] + source[6] * source[14]);
    r[14] = -(source[8] * source[12] + source[9] * source[13] + source[10] * source[14]);
    r[15] = 1.0f;
}

Camera::Camera(Enums::ProjectionType projectionType)
    : mClearColorBuffer(true),
      mClearDepthBuffer(true),
      mBackgroundColor{0.0f, 0.0f, 0.0f, 1.0f},
      mFieldOfViewX(0.0f),
      mFieldOfViewY(0.0f),
      mUnitSizeX(0.0f),
      mUnitSizeY(0.0f),
      mCenterX(0.0f),
      mCenterY(0.0f),
      mNearPlane(1.0f),
      mFarPlane(1000.0f),
      mDepthSortMode(Enums::DepthSortMode::WORLD_Z),
      mLeftMaskCoord(0),
      mRightMaskCoord(0),
      mTopMaskCoord(0),
      mBottomMaskCoord(0),
      mLeftMaskAnchor(Enums::HorizontalAlignment::LEFT),
      mRightMaskAnchor(Enums::HorizontalAlignment::RIGHT),
      mTopMaskAnchor(Enums::VerticalAlignment::TOP),
      mBottomMaskAnchor(Enums::VerticalAlignment::BOTTOM),
      mMask{0, 0, 0, 0},
      mClipPlaneEnabled(false),
      mClipPlaneA(0.0f),
      mClipPlaneB(0.0f),
      mClipPlaneC(0.0f),
      mClipPlaneD(0.0f),
      mProjectionMatrix(Math::Matrix<float>::Zero()),
      mInverseProjectionMatrix(Math::Matrix<float>::Zero()),
      mDisplayObject(nullptr),
      mDisplayCamera(nullptr),
      mScreenProjection(nullptr),
      mView(nullptr),
      mMaskDirty(true),
      mProjectionDirty(true),
      mMaskChanged(false),
      mScreenProjectionChanged(false),
      mProjectionType(projectionType)
{
    AddFlags(kNeedsConfigChanged | kNeedsProcessLogic | kNeedsPrepareOutput);
}

Camera::~Camera()
{
}

Bool Camera::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                  Bool* error)
{
    switch (CameraAttributes::GetTable().FindAttribute(attributes, index)) {
    case CameraAttributes::kClearColorBuffer:
        attributes->GetValue(index, parameters, &mClearColorBuffer, error);
        return true;
    case CameraAttributes::kClearDepthBuffer:
        attributes->GetValue(index, parameters, &mClearDepthBuffer, error);
        return true;
    case CameraAttributes::kBackgroundColor:
        attributes->GetValue(index, parameters, &mBackgroundColor, error);
        return true;
    case CameraAttributes::kFieldOfViewX:
        attributes->GetValue(index, parameters, &mFieldOfViewX, error);
        return true;
    case CameraAttributes::kFieldOfViewY:
        attributes->GetValue(index, parameters, &mFieldOfViewY, error);
        return true;
    case CameraAttributes::kUnitSizeX:
        attributes->GetValue(index, parameters, &mUnitSizeX, error);
        return true;
    case CameraAttributes::kUnitSizeY:
        attributes->GetValue(index, parameters, &mUnitSizeY, error);
        return true;
    case CameraAttributes::kCenterX:
        attributes->GetValue(index, parameters, &mCenterX, error);
        return true;
    case CameraAttributes::kCenterY:
        attributes->GetValue(index, parameters, &mCenterY, error);
        return true;
    case CameraAttributes::kNearPlane:
        attributes->GetValue(index, parameters, &mNearPlane, error);
        return true;
    case CameraAttributes::kFarPlane:
        attributes->GetValue(index, parameters, &mFarPlane, error);
        return true;
    case CameraAttributes::kDepthSortMode:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetDepthSortModeTable(), mDepthSortMode);
        return true;
    case CameraAttributes::kClipPlaneA:
        attributes->GetValue(index, parameters, &mClipPlaneA, error);
        return true;
    case CameraAttributes::kClipPlaneB:
        attributes->GetValue(index, parameters, &mClipPlaneB, error);
        return true;
    case CameraAttributes::kClipPlaneC:
        attributes->GetValue(index, parameters, &mClipPlaneC, error);
        return true;
    case CameraAttributes::kClipPlaneD:
        attributes->GetValue(index, parameters, &mClipPlaneD, error);
        return true;
    case CameraAttributes::kLeftMaskCoord:
        attributes->GetValue(index, parameters, &mLeftMaskCoord, error);
        return true;
    case CameraAttributes::kRightMaskCoord:
        attributes->GetValue(index, parameters, &mRightMaskCoord, error);
        return true;
    case CameraAttributes::kTopMaskCoord:
        attributes->GetValue(index, parameters, &mTopMaskCoord, error);
        return true;
    case CameraAttributes::kBottomMaskCoord:
        attributes->GetValue(index, parameters, &mBottomMaskCoord, error);
        return true;
    case CameraAttributes::kLeftMaskAnchor:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetHorizontalAlignmentTable(),
                           mLeftMaskAnchor);
        return true;
    case CameraAttributes::kRightMaskAnchor:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetHorizontalAlignmentTable(),
                           mRightMaskAnchor);
        return true;
    case CameraAttributes::kTopMaskAnchor:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetVerticalAlignmentTable(),
                           mTopMaskAnchor);
        return true;
    case CameraAttributes::kBottomMaskAnchor:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetVerticalAlignmentTable(),
                           mBottomMaskAnchor);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void Camera::SetFieldOfView(Float x, Float y)
{
    mFieldOfViewX = x;
    mFieldOfViewY = y;
    mProjectionDirty = true;
}

void Camera::SetFieldOfViewX(Float x)
{
    mFieldOfViewX = x;
    mProjectionDirty = true;
}

void Camera::SetFieldOfViewY(Float y)
{
    mFieldOfViewY = y;
    mProjectionDirty = true;
}

void Camera::SetUnitSize(Float x, Float y)
{
    mUnitSizeX = x;
    mUnitSizeY = y;
    mProjectionDirty = true;
}

void Camera::SetUnitSizeX(Float x)
{
    mUnitSizeX = x;
    mProjectionDirty = true;
}

void Camera::SetUnitSizeY(Float y)
{
    mUnitSizeY = y;
    mProjectionDirty = true;
}

void Camera::SetCenter(Float x, Float y)
{
    mCenterX = x;
    mCenterY = y;
    mProjectionDirty = true;
}

void Camera::SetCenterX(Float x)
{
    mCenterX = x;
    mProjectionDirty = true;
}

void Camera::SetCenterY(Float y)
{
    mCenterY = y;
    mProjectionDirty = true;
}

void Camera::SetDepthRange(Float nearPlane, Float farPlane)
{
    mNearPlane = nearPlane;
    mFarPlane = farPlane;
    mProjectionDirty = true;
}

void Camera::SetNearPlane(Float nearPlane)
{
    mNearPlane = nearPlane;
    mProjectionDirty = true;
}

void Camera::SetFarPlane(Float farPlane)
{
    mFarPlane = farPlane;
    mProjectionDirty = true;
}

void Camera::SetMaskCoords(SInt32 left, SInt32 right, SInt32 top, SInt32 bottom)
{
    mLeftMaskCoord = left;
    mRightMaskCoord = right;
    mTopMaskCoord = top;
    mBottomMaskCoord = bottom;
    mMaskDirty = true;
}

void Camera::SetMaskCoordsX(SInt32 left, SInt32 right)
{
    mLeftMaskCoord = left;
    mRightMaskCoord = right;
    mMaskDirty = true;
}

void Camera::SetMaskCoordsY(SInt32 top, SInt32 bottom)
{
    mTopMaskCoord = top;
    mBottomMaskCoord = bottom;
    mMaskDirty = true;
}

void Camera::SetMaskAnchors(Enums::HorizontalAlignment left, Enums::HorizontalAlignment right,
                            Enums::VerticalAlignment top, Enums::VerticalAlignment bottom)
{
    mLeftMaskAnchor = left;
    mRightMaskAnchor = right;
    mTopMaskAnchor = top;
    mBottomMaskAnchor = bottom;
    mMaskDirty = true;
}

void Camera::SetMaskAnchorsX(Enums::HorizontalAlignment left, Enums::HorizontalAlignment right)
{
    mLeftMaskAnchor = left;
    mRightMaskAnchor = right;
    mMaskDirty = true;
}

void Camera::SetMaskAnchorsY(Enums::VerticalAlignment top, Enums::VerticalAlignment bottom)
{
    mTopMaskAnchor = top;
    mBottomMaskAnchor = bottom;
    mMaskDirty = true;
}

Math::Vector<float>& Camera::GetWorldPoint(Math::Vector<float>& out, Float x, Float y, Float z) const
{
    UnprojectScreenPoint(out, x, y, z);
    out = mWorldMatrix * out;
    return out;
}

Bool Camera::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Camera::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    mClipPlaneEnabled = mClipPlaneA != 0.0f || mClipPlaneB != 0.0f || mClipPlaneC != 0.0f;
    if (mFieldOfViewX == 0.0f && mFieldOfViewY == 0.0f && mUnitSizeX == 0.0f && mUnitSizeY == 0.0f) {
        Debug::Trace("Graph::Camera::InitSelf(%s): Must at least specify one non-zero value for X/Y field of view or "
                     "unit size",
                     mId.GetText());
        return false;
    }
    if (mFieldOfViewX != 0.0f && mUnitSizeX != 0.0f) {
        Debug::Trace("Graph::Camera::InitSelf(%s): Cannot specify both field of view and unit size in X direction",
                     mId.GetText());
        return false;
    }
    if (mFieldOfViewY != 0.0f && mUnitSizeY != 0.0f) {
        Debug::Trace("Graph::Camera::InitSelf(%s): Cannot specify both field of view and unit size in Y direction",
                     mId.GetText());
        return false;
    }

    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer != nullptr)
        mDisplayObject = renderer->CreateObject(String("Camera"));
    mDisplayCamera = dynamic_cast<Display::ICamera*>(mDisplayObject);
    if (mDisplayCamera == nullptr) {
        Debug::Trace("Graph::Camera::InitSelf(%s): Failed to create display camera", mId.GetText());
        if (mDisplayObject != nullptr)
            renderer->DestroyObject(mDisplayObject);
        return false;
    }
    const Float color[4] = {mBackgroundColor.red, mBackgroundColor.green, mBackgroundColor.blue,
                            mBackgroundColor.alpha};
    mDisplayCamera->SetClearColorBuffer(mClearColorBuffer);
    mDisplayCamera->SetClearDepthBuffer(mClearDepthBuffer);
    mDisplayCamera->SetClearColor(color);
    mDisplayCamera->SetDepthOrder(mDepthOrder);
    mDisplayCamera->SetDepthSortMode(mDepthSortMode);

    // Without an input service the camera simply takes no touches.
    Input::ITouchableHandler* input = state->GetInputDeviceHandler();
    if (input != nullptr) {
        mScreenProjection = input->CreateScreenProjection(mProjectionType);
        if (mScreenProjection == nullptr) {
            Debug::Trace("Graph::Camera::InitSelf(%s): Failed to create screen projection", mId.GetText());
            return false;
        }
    }
    return true;
}

Bool Camera::DeInitSelf(IDeInitState* state)
{
    if (mScreenProjection != nullptr) {
        Input::ITouchableHandler* input = state->GetInputDeviceHandler();
        if (input != nullptr)
            input->DestroyScreenProjection(mScreenProjection);
        mScreenProjection = nullptr;
    }
    if (mDisplayObject != nullptr) {
        Display::IRenderer* renderer = state->GetDisplayRenderer();
        if (renderer != nullptr)
            renderer->DestroyObject(mDisplayObject);
        mDisplayObject = nullptr;
    }
    mDisplayCamera = nullptr;
    mView = nullptr;
    return Transform::DeInitSelf(state);
}

Bool Camera::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Transform::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::Camera::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed", mId.GetText());
        return false;
    }
    // The display size or orientation may have changed.
    mMaskDirty = true;
    mProjectionDirty = true;
    return true;
}

Bool Camera::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicSelf(state))
        return false;
    if (mScreenProjectionChanged) {
        if (mScreenProjection != nullptr) {
            mScreenProjection->SetDepth(mNearPlane);
            mScreenProjection->SetMatrix(mInverseProjectionMatrix);
        }
        mScreenProjectionChanged = false;
    }
    mWorldMatrix = state->GetTransform();
    Input::ITouchableHandler* input = state->GetInputDeviceHandler();
    if (input != nullptr && mScreenProjection != nullptr)
        input->AddView(mScreenProjection, mWorldMatrix);
    ComputeRigidInverse(mWorldMatrix, mViewMatrix);
    return true;
}

Bool Camera::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    IView* view = state->GetCurrentView();
    if (view == nullptr) {
        Debug::Trace("Graph::Camera::PrepareOutputSelf(%s): No view node to attach to", mId.GetText());
        return false;
    }
    if (view->GetCamera() != nullptr) {
        Debug::Trace("Graph::Camera::PrepareOutputSelf(%s): View already has a camera", mId.GetText());
        return false;
    }
    mView = view;
    if (mMaskDirty) {
        UpdateMask(view);
        mMaskDirty = false;
    }
    if (mProjectionDirty)
        UpdateProjection(view);
    view->SetCamera(this, state->GetTransform());
    if (mClipPlaneEnabled)
        HandOverProjection(GetObliqueProjection());
    else if (mMaskChanged)
        HandOverProjection(mProjectionMatrix);
    return true;
}

void Camera::HandOverProjection(const Math::Matrix<float>& projection)
{
    if (mDisplayCamera != nullptr) {
        mDisplayCamera->SetMask(mMask[0], mMask[1], mMask[2], mMask[3]);
        mDisplayCamera->SetProjection(projection, mProjectionType == Enums::ProjectionType::ORTHOGONAL);
    }
    mMaskChanged = false;
}

Math::Matrix<float> Camera::GetObliqueProjection() const
{
    Math::Matrix<float> worldTransposed;
    Math::Matrix<float>::Transpose(mWorldMatrix, worldTransposed);
    const Math::Vector<float> c =
        worldTransposed * Math::Vector<float>(mClipPlaneA, mClipPlaneB, mClipPlaneC, mClipPlaneD);
    const Math::Vector<float> q =
        mInverseProjectionMatrix * Math::Vector<float>(Math::Sign(c.x), Math::Sign(c.y), 1.0f, 1.0f);
    const Float dot = c.x * q.x + c.y * q.y + c.z * q.z + c.w * q.w;
    // A plane through the eye, or one the projection cannot reach, leaves the near plane alone.
    if (dot == 0.0f || !IsFinite(dot))
        return mProjectionMatrix;
    const Float s = 2.0f / dot;
    Math::Matrix<float> oblique = mProjectionMatrix;
    oblique[2] = c.x * s;
    oblique[6] = c.y * s;
    oblique[10] = c.z * s + 1.0f;
    oblique[14] = c.w * s;
    for (UInt32 i = 2; i < 16; i += 4) {
        if (!IsFinite(oblique[i]))
            return mProjectionMatrix;
    }
    return oblique;
}

void Camera::UpdateMask(IView* view)
{
    const SInt64 width = view->GetWidth();
    const SInt64 height = view->GetHeight();
    const Enums::ScreenOrientation orientation = view->GetOrientation();
    const Bool turned = orientation == Enums::ScreenOrientation::LANDSCAPE_1 ||
                        orientation == Enums::ScreenOrientation::LANDSCAPE_2;
    const SInt64 logicalWidth = turned ? height : width;
    const SInt64 logicalHeight = turned ? width : height;

    const MaskEdge edges[4] = {
        MakeHorizontalEdge(mLeftMaskCoord, mLeftMaskAnchor, logicalWidth),
        MakeHorizontalEdge(mRightMaskCoord, mRightMaskAnchor, logicalWidth),
        MakeVerticalEdge(mBottomMaskCoord, mBottomMaskAnchor, logicalHeight),
        MakeVerticalEdge(mTopMaskCoord, mTopMaskAnchor, logicalHeight),
    };
    const MaskRule& rule = FindMaskRule(orientation);
    SInt64 pixels[4];
    for (UInt32 i = 0; i < 4; ++i)
        pixels[i] = PlaceEdge(edges[rule.mSources[i].mEdge], rule.mSources[i].mMirror, width, height);

    mMask[0] = Clamp(pixels[0], width);
    mMask[1] = Clamp(pixels[1], width);
    mMask[2] = Clamp(pixels[2], height);
    mMask[3] = Clamp(pixels[3], height);
    if (mMask[1] < mMask[0])
        mMask[1] = mMask[0];
    if (mMask[3] < mMask[2])
        mMask[3] = mMask[2];
    mMaskChanged = true;
}

Bool Camera::GetProjectionInputs(IView* view, ProjectionInputs& inputs) const
{
    const Enums::ScreenOrientation orientation = view->GetOrientation();
    const Float viewWidth = Float(view->GetWidth());
    const Float viewHeight = Float(view->GetHeight());
    const Float scaleX = view->GetDisplayScaleX();
    const Float scaleY = view->GetDisplayScaleY();
    const Float pixelOffsetX = view->GetPixelOffsetX();
    const Float pixelOffsetY = view->GetPixelOffsetY();

    Float w, h, u, v, ox, oy;
    if (orientation == Enums::ScreenOrientation::LANDSCAPE_1 || orientation == Enums::ScreenOrientation::LANDSCAPE_2) {
        w = viewHeight;
        h = viewWidth;
        u = (mCenterY + 1.0f) * 0.5f;
        v = (mCenterX + 1.0f) * 0.5f;
        ox = 2.0f * pixelOffsetY / h;
        oy = 2.0f * pixelOffsetX / w;
    } else {
        w = viewWidth;
        h = viewHeight;
        u = (mCenterX + 1.0f) * 0.5f;
        v = (mCenterY + 1.0f) * 0.5f;
        ox = 2.0f * pixelOffsetX / w;
        oy = 2.0f * pixelOffsetY / h;
    }
    if (w == 0.0f || h == 0.0f)
        return false;

    Float ex = 0.0f;
    if (mFieldOfViewX != 0.0f)
        ex = mFieldOfViewX;
    else if (mUnitSizeX != 0.0f)
        ex = w / (scaleX * mUnitSizeX);
    Float ey = 0.0f;
    if (mFieldOfViewY != 0.0f)
        ey = mFieldOfViewY;
    else if (mUnitSizeY != 0.0f)
        ey = h / (scaleY * mUnitSizeY);
    const Float aspect = w / h;
    if (ex == 0.0f)
        ex = ey * aspect;
    if (ey == 0.0f)
        ey = ex / aspect;
    if (ex == 0.0f || ey == 0.0f || !IsFinite(ex) || !IsFinite(ey))
        return false;
    if (mFarPlane == mNearPlane || !IsFinite(mFarPlane - mNearPlane))
        return false;

    inputs.extentX = ex;
    inputs.extentY = ey;
    inputs.nearPlane = mNearPlane;
    inputs.farPlane = mFarPlane;
    inputs.centringX = ((1.0f - u) * ex - u * ex) / ex;
    inputs.centringY = ((1.0f - v) * ey - v * ey) / ey;
    inputs.offsetX = ox;
    inputs.offsetY = oy;
    inputs.orientation = orientation;
    return IsFinite(inputs.centringX) && IsFinite(inputs.centringY) && IsFinite(ox) && IsFinite(oy);
}

void Camera::StoreProjection(const Math::Matrix<float>& projection, Enums::ScreenOrientation orientation)
{
    // The inverse serves unprojection and touch input, which work in the unturned picture.
    Math::Matrix<float>::Invert(projection, mInverseProjectionMatrix);
    mProjectionMatrix = projection;

    const Bool orthographic = mProjectionType == Enums::ProjectionType::ORTHOGONAL;
    const UInt32 centring = orthographic ? 12 : 8;
    for (const ProjectionRotation& rotation : kProjectionRotations) {
        if (rotation.mOrientation != orientation)
            continue;
        const Float a = projection[0];
        const Float b = projection[5];
        const Float centre[2] = {projection[centring], projection[centring + 1]};
        if (rotation.mExchanged) {
            mProjectionMatrix[0] = 0.0f;
            mProjectionMatrix[5] = 0.0f;
            mProjectionMatrix[1] = rotation.mSignA * a;
            mProjectionMatrix[4] = rotation.mSignB * b;
        } else {
            mProjectionMatrix[0] = rotation.mSignA * a;
            mProjectionMatrix[5] = rotation.mSignB * b;
        }
        const CentringSource* sources = orthographic ? rotation.mOrthographic : rotation.mPerspective;
        for (UInt32 i = 0; i < 2; ++i)
            mProjectionMatrix[centring + i] = sources[i].mSign * centre[sources[i].mFromY];
        break;
    }
}

void Camera::MarkProjectionUpdated()
{
    mProjectionDirty = false;
    mMaskChanged = true;
    mScreenProjectionChanged = true;
}

} // namespace Graph
} // namespace Vorn
