// The input touchable handler as the scene graph calls it: cameras register their screen
// projection and buttons their touch area once per logic step; the handler hit-tests the
// pointers against them and reports to each area's touchable target. Implemented by the input
// back-end; reached only through this interface.
#pragma once

#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Input {
class IMouseButtons;
}

namespace Graph {

// The receiver of a touch area's pointer reports, once per logic step: cleared, then one report
// per pointer, then asked to process them. Points are eight floats: the local hit point, then
// the world hit point. Topmost is true for the area that is the pointer's topmost hit.
class ITouchable
{
public:
    virtual void ClearPointerEvents() = 0;
    virtual void ProcessPointerEvents() = 0;
    virtual void PointerPressed(UInt32 pointer, const Float* points, Bool topmost) = 0;
    virtual void PointerReleased(UInt32 pointer, const Float* points, Bool topmost) = 0;
    virtual void PointerMoved(UInt32 pointer, const Float* points, Bool topmost) = 0;
    virtual void PointerCancelled(UInt32 pointer, const Float* points) = 0;
    virtual ~ITouchable() {}
};

} // namespace Graph

namespace Input {

// A flat, hit-testable shape centred on its local origin.
class ITouchArea
{
public:
    virtual void SetTouchable(Graph::ITouchable* target) = 0;
    virtual Graph::ITouchable* GetTouchable() = 0;
    // A pointer button index (Enums::MouseButton); 5 is none.
    virtual void SetButton(UInt32 button) = 0;
    virtual UInt32 GetButton() const = 0;
    virtual void SetEnabled(Bool enabled) = 0;
    virtual Bool IsEnabled() const = 0;
    virtual ~ITouchArea() {}
};

// The size face of a touch area.
class IPlane
{
public:
    virtual void SetSize(Float x, Float y) = 0;
    virtual Float GetSizeX() const = 0;
    virtual Float GetSizeY() const = 0;
    virtual ~IPlane() {}
};

// Turns a screen position (-1 to 1, y upwards) into a ray in a camera's local space.
class IScreenProjection
{
public:
    virtual void SetDepth(Float depth) = 0;
    virtual Float GetDepth() const = 0;
    virtual void SetMatrix(const Math::Matrix<float>& matrix) = 0;
    virtual const Math::Matrix<float>& GetMatrix() const = 0;
    virtual Math::Vector<float> GetRayOrigin(Float x, Float y) const = 0;
    virtual Math::Vector<float> GetRayDirection(Float x, Float y) const = 0;
    virtual ~IScreenProjection() {}
};

class ITouchableHandler
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    // Null for an unknown type; the caller owns the object until it passes it back.
    virtual IScreenProjection* CreateScreenProjection(Enums::ProjectionType type) = 0;
    // Deletes the projection and clears the pointer.
    virtual void DestroyScreenProjection(IScreenProjection*& projection) = 0;
    // Null for an unknown shape.
    virtual ITouchArea* CreateTouchArea(Enums::AreaShape shape) = 0;
    virtual void DestroyTouchArea(ITouchArea*& area) = 0;
    // Registers the area under the current view for this logic step; ignored without a view.
    virtual void AddTouchable(ITouchArea* area, const Math::Matrix<float>& transform) = 0;
    // Registers a camera for this logic step and makes it the current view.
    virtual void AddView(IScreenProjection* projection, const Math::Matrix<float>& transform) = 0;
    virtual Bool ClearViews() = 0;
    virtual Bool BeginPointers() = 0;
    // False when the pointer did nothing in this step.
    virtual Bool ProcessPointer(UInt32 pointer, const IMouseButtons* buttons, Bool moved, Float x, Float y,
                                Bool cancelled) = 0;
    virtual Bool EndPointers() = 0;
    virtual ~ITouchableHandler() {}
};

} // namespace Input
} // namespace Vorn
