// Touch areas: flat rectangles and ellipses centred on the origin of their local plane (z = 0),
// which the touchable handler hit-tests with rays in that local space. Made by the touchable
// handler for the graph's buttons.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Input {

class TouchArea : public ITouchArea
{
public:
    void SetTouchable(Graph::ITouchable* target) override { mTarget = target; }
    Graph::ITouchable* GetTouchable() override { return mTarget; }
    void SetButton(UInt32 button) override { mButton = button; }
    UInt32 GetButton() const override { return mButton; }
    void SetEnabled(Bool enabled) override { mEnabled = enabled; }
    Bool IsEnabled() const override { return mEnabled; }

    // Intersects the ray with the plane z = 0 and writes the intersection (as the shape reports
    // it) into hit; true when it lies inside the shape, edges included. A ray parallel to the
    // plane, or one that is not a number, hits nothing.
    virtual Bool HitTest(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                         Math::Vector<float>& hit) const = 0;

protected:
    // The intersection with the plane z = 0; false when the ray runs parallel to it.
    static Bool IntersectPlane(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                               Math::Vector<float>& hit);

private:
    Graph::ITouchable* mTarget = nullptr;
    // No button of a mouse until set.
    UInt32 mButton = 5;
    Bool mEnabled = true;
};

// The size face that both shapes share.
class PlaneTouchArea : public TouchArea, public IPlane
{
public:
    void SetSize(Float x, Float y) override;
    Float GetSizeX() const override { return mSizeX; }
    Float GetSizeY() const override { return mSizeY; }

protected:
    Float mSizeX = 1.0f;
    Float mSizeY = 1.0f;
};

class RectangularTouchArea : public PlaneTouchArea
{
public:
    Bool HitTest(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                 Math::Vector<float>& hit) const override;
};

// Semi-axes size x / 2 and size y / 2. The hit point it writes has y scaled by the aspect, so
// that the shape is the circle of radius size x / 2.
class EllipticTouchArea : public PlaneTouchArea
{
public:
    void SetSize(Float x, Float y) override;
    Bool HitTest(const Math::Vector<float>& origin, const Math::Vector<float>& direction,
                 Math::Vector<float>& hit) const override;

private:
    Float mSquaredRadius = 0.25f;
    Float mAspect = 1.0f;
};

} // namespace Input
} // namespace Vorn
