#include "logic/touch_area.h"

#include <cmath>

#include "foundation/matrix.h"
#include "foundation/vector.h"
#include "graph/transform/transform.h"
#include "graph/view/camera.h"
#include "logic/device_handler.h"
#include "logic/state.h"

namespace Vorn {
namespace Logic {

namespace {

// A released movement on one axis: stopped without damping or once slow enough, else damped.
Real Damp(Real speed, Real damping, Real minSpeed)
{
    if (damping == 0.0f || std::fabs(speed) <= minSpeed)
        return 0.0f;
    return speed * damping;
}

} // namespace

TouchArea::TouchArea()
    : mCenterX(1.0f), mCenterY(1.0f), mWidth(1.0f), mHeight(1.0f), mMoveThresholdX(0.0f), mMoveThresholdY(0.0f),
      mDampingX(0.0f), mDampingY(0.0f), mMinSpeedX(0.0f), mMinSpeedY(0.0f), mActiveTouch(-1), mInside(false),
      mDragging(false), mMoved(false), mLastX(0.0f), mLastY(0.0f), mMovedDistanceX(0.0f), mMovedDistanceY(0.0f),
      mSpeedX(0.0f), mSpeedY(0.0f)
{
}

TouchArea::~TouchArea()
{
}

IChildProcessor* TouchArea::GetProcessor()
{
    return this;
}

void TouchArea::SetCameraNodeId(const String& id)
{
    mCameraNodeId = id;
}

void TouchArea::SetArea(Real centerX, Real centerY, Real width, Real height)
{
    mCenterX = centerX;
    mCenterY = centerY;
    mWidth = width;
    mHeight = height;
}

void TouchArea::SetMoveThreshold(Real x, Real y)
{
    mMoveThresholdX = x;
    mMoveThresholdY = y;
}

void TouchArea::SetDamping(Real x, Real y)
{
    if (!(std::fabs(x) < 1.0f && std::fabs(y) < 1.0f))
        return;
    mDampingX = std::fabs(x);
    mDampingY = std::fabs(y);
}

void TouchArea::SetMinSpeed(Real x, Real y)
{
    mMinSpeedX = x;
    mMinSpeedY = y;
}

void TouchArea::ResetMovement()
{
    mSpeedX = 0.0f;
    mSpeedY = 0.0f;
    mDragging = false;
}

Bool TouchArea::IsInside() const
{
    return mInside;
}

Bool TouchArea::IsDragging() const
{
    return mDragging;
}

Bool TouchArea::IsMoved() const
{
    return mMoved;
}

Real TouchArea::GetSpeedX() const
{
    return mSpeedX;
}

Real TouchArea::GetSpeedY() const
{
    return mSpeedY;
}

Real TouchArea::GetPositionX() const
{
    return mLastX;
}

Real TouchArea::GetPositionY() const
{
    return mLastY;
}

Bool TouchArea::InitSelf(IState* state)
{
    Graph::IRoot* root = state->GetGraphRoot();
    AddGraphNode(mCamera.GetReference(root, mCameraNodeId));
    AddGraphNode(mTransform.GetReference(root, mCameraNodeId));
    return ChildProcessor::InitSelf(state);
}

Bool TouchArea::ReadPointer(IState* state, Float& x, Float& y, Bool& pressed, Bool& down)
{
    IDeviceHandler* devices = state->GetDeviceHandler();
    if (devices == nullptr)
        return false;
    if (devices->GetNumberOfTouches() == 0) {
        devices->GetMousePosition(x, y);
        pressed = devices->WasMouseButtonPressed(Enums::MouseButton::LEFT);
        down = devices->IsMouseButtonDown(Enums::MouseButton::LEFT);
        return true;
    }
    if (mActiveTouch < 0) {
        const UInt32 touches = devices->GetNumberOfTouches();
        for (UInt32 touch = 0; touch < touches; ++touch) {
            if (devices->WasTouchPressed(touch)) {
                mActiveTouch = SInt32(touch);
                pressed = true;
                break;
            }
        }
    }
    if (mActiveTouch >= 0) {
        devices->GetTouchPosition(UInt32(mActiveTouch), x, y);
        down = devices->IsTouchDown(UInt32(mActiveTouch));
        if (!down)
            mActiveTouch = -1;
    }
    return true;
}

void TouchArea::StepSelf(IState* state)
{
    Float x = 0.0f;
    Float y = 0.0f;
    Bool pressed = false;
    Bool down = false;
    if (ReadPointer(state, x, y, pressed, down) && mCamera.IsValid() && mTransform.IsValid()) {
        // The scene plane lies at the camera's own distance from the origin.
        const Float depth = -mTransform.Get()->GetTransform()[14];
        Math::Vector<float> point;
        mCamera.Get()->UnprojectScreenPoint(point, x, y, depth);
        const Real px = point.x;
        const Real py = point.y;
        mInside = mCenterX - mWidth / 2.0f < px && px < mCenterX + mWidth / 2.0f && mCenterY - mHeight / 2.0f < py &&
                  py < mCenterY + mHeight / 2.0f;
        if (pressed) {
            if (mInside) {
                mDragging = true;
                mSpeedX = 0.0f;
                mSpeedY = 0.0f;
                mMovedDistanceX = 0.0f;
                mMovedDistanceY = 0.0f;
            } else {
                mActiveTouch = -1;
            }
        } else if (!mDragging) {
            mMoved = false;
        } else {
            if (down) {
                mSpeedX = px - mLastX;
                mSpeedY = py - mLastY;
            } else {
                mSpeedX = Damp(mSpeedX, mDampingX, mMinSpeedX);
                mSpeedY = Damp(mSpeedY, mDampingY, mMinSpeedY);
                if (mSpeedX == 0.0f && mSpeedY == 0.0f)
                    mDragging = false;
                if (mMoveThresholdX <= mMovedDistanceX || mMoveThresholdY <= mMovedDistanceY)
                    mMoved = true;
            }
            mMovedDistanceX += std::fabs(mSpeedX);
            mMovedDistanceY += std::fabs(mSpeedY);
        }
        mLastX = px;
        mLastY = py;
    }
    ChildProcessor::StepSelf(state);
}

} // namespace Logic
} // namespace Vorn
