// Connects pointer input to the graph: each logic step the cameras register as views and the
// buttons under them register their touch areas; then every mouse and touch screen is cast as a
// ray through every view, hit-tested against every area, and every area's target hears what the
// pointer did, with its own hit point and whether it is the topmost hit. Created by
// Input::Factory for the engine's device handler; runs on the logic thread.
#pragma once

#include "foundation/array.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Input {

class TouchArea;

class TouchableHandler : public ITouchableHandler
{
public:
    TouchableHandler();
    ~TouchableHandler() override;

    Bool Init() override;
    Bool DeInit() override;
    IScreenProjection* CreateScreenProjection(Enums::ProjectionType type) override;
    void DestroyScreenProjection(IScreenProjection*& projection) override;
    ITouchArea* CreateTouchArea(Enums::AreaShape shape) override;
    void DestroyTouchArea(ITouchArea*& area) override;
    // Areas that this handler did not make are ignored.
    void AddTouchable(ITouchArea* area, const Math::Matrix<float>& transform) override;
    void AddView(IScreenProjection* projection, const Math::Matrix<float>& transform) override;
    Bool ClearViews() override;
    Bool BeginPointers() override;
    Bool ProcessPointer(UInt32 pointer, const IMouseButtons* buttons, Bool moved, Float x, Float y,
                        Bool cancelled) override;
    Bool EndPointers() override;

private:
    struct TouchableRecord
    {
        TouchArea* area = nullptr;
        Math::Matrix<float> transform;
        Math::Matrix<float> inverse;
    };

    struct ViewRecord
    {
        ~ViewRecord();
        IScreenProjection* projection = nullptr;
        Math::Matrix<float> transform;
        // A pool: only the first mNumTouchables are in use this step.
        Array<TouchableRecord*> touchables;
        UInt32 numTouchables = 0;
    };

    // One per registered touchable, in registration order. Points: the local hit point, then the
    // world hit point.
    struct TargetEntry
    {
        Graph::ITouchable* target = nullptr;
        UInt32 button = 5;
        Float points[8] = {};
    };

    TouchableHandler(const TouchableHandler&) = delete;
    TouchableHandler& operator=(const TouchableHandler&) = delete;

    // Whether any button of the pointer is held or changed in this step.
    static Bool IsAnyButtonActive(const IMouseButtons* buttons);

    Array<ViewRecord*> mViews;
    UInt32 mNumViews;
    ViewRecord* mCurrentView;
    Array<TargetEntry*> mTargets;
    UInt32 mNumTargets;
};

} // namespace Input
} // namespace Vorn
