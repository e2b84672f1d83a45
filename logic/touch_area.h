// A child processor that turns pointer or touch input into drag and flick movement over a
// rectangle of the scene: the pointer is projected through a camera at the depth of the camera's
// own z translation, a press inside the rectangle starts a drag, the movement per step follows
// the pointer while it is held and runs out with damping after release.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/child_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class ICamera;
class ITransform;
}

namespace Logic {

class ITouchArea
{
public:
    virtual IChildProcessor* GetProcessor() = 0;
    // The node that is both the camera and the transform.
    virtual void SetCameraNodeId(const String& id) = 0;
    virtual void SetArea(Real centerX, Real centerY, Real width, Real height) = 0;
    // The distance the pointer must travel for a gesture to count as moved.
    virtual void SetMoveThreshold(Real x, Real y) = 0;
    // Keeps the absolute values; changes nothing unless both are below 1 in magnitude.
    virtual void SetDamping(Real x, Real y) = 0;
    // A released movement at or below it stops.
    virtual void SetMinSpeed(Real x, Real y) = 0;
    // Stops a running flick at once.
    virtual void ResetMovement() = 0;
    virtual Bool IsInside() const = 0;
    virtual Bool IsDragging() const = 0;
    virtual Bool IsMoved() const = 0;
    virtual Real GetSpeedX() const = 0;
    virtual Real GetSpeedY() const = 0;
    virtual Real GetPositionX() const = 0;
    virtual Real GetPositionY() const = 0;
    virtual ~ITouchArea() {}
};

class TouchArea : public ITouchArea, public ChildProcessor
{
public:
    TouchArea();
    ~TouchArea() override;

    IChildProcessor* GetProcessor() override;
    void SetCameraNodeId(const String& id) override;
    void SetArea(Real centerX, Real centerY, Real width, Real height) override;
    void SetMoveThreshold(Real x, Real y) override;
    void SetDamping(Real x, Real y) override;
    void SetMinSpeed(Real x, Real y) override;
    void ResetMovement() override;
    Bool IsInside() const override;
    Bool IsDragging() const override;
    Bool IsMoved() const override;
    Real GetSpeedX() const override;
    Real GetSpeedY() const override;
    Real GetPositionX() const override;
    Real GetPositionY() const override;

    // Binds the camera node before the processor's own init; a node that is not both a camera
    // and a transform fails it.
    Bool InitSelf(IState* state) override;
    // Follows the pointer, then steps the stepables and calls OnStep.
    void StepSelf(IState* state) override;

private:
    // The pointer of this step; false when the logic has no device handler.
    Bool ReadPointer(IState* state, Float& x, Float& y, Bool& pressed, Bool& down);

    GraphNodeT<Graph::ICamera> mCamera;
    GraphNodeT<Graph::ITransform> mTransform;
    String mCameraNodeId;
    Real mCenterX;
    Real mCenterY;
    Real mWidth;
    Real mHeight;
    Real mMoveThresholdX;
    Real mMoveThresholdY;
    Real mDampingX;
    Real mDampingY;
    Real mMinSpeedX;
    Real mMinSpeedY;
    SInt32 mActiveTouch;
    Bool mInside;
    Bool mDragging;
    Bool mMoved;
    Real mLastX;
    Real mLastY;
    Real mMovedDistanceX;
    Real mMovedDistanceY;
    Real mSpeedX;
    Real mSpeedY;
};

} // namespace Logic
} // namespace Vorn
