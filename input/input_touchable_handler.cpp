#include "input/input_touchable_handler.h"

#include "graph/view/camera.h"
#include "input/device.h"
#include "input/screen_projection.h"
#include "input/touch_area.h"

namespace Vorn {
namespace Input {

namespace {

// Takes the next record of a pool that only grows, making one when all are in use.
template <class Record>
Record* NextRecord(Array<Record*>& pool, UInt32& inUse)
{
    if (inUse == UInt32(pool.GetCount()))
        pool.Add(new Record());
    return pool[SInt32(inUse++)];
}

template <class Record>
void DeleteRecords(Array<Record*>& pool)
{
    for (Record* record : pool)
        delete record;
    pool.SetCount(0);
}

} // namespace

TouchableHandler::ViewRecord::~ViewRecord()
{
    DeleteRecords(touchables);
}

TouchableHandler::TouchableHandler() : mNumViews(0), mCurrentView(nullptr), mNumTargets(0) {}

TouchableHandler::~TouchableHandler()
{
    DeleteRecords(mViews);
    DeleteRecords(mTargets);
}

Bool TouchableHandler::Init()
{
    return true;
}

Bool TouchableHandler::DeInit()
{
    return true;
}

IScreenProjection* TouchableHandler::CreateScreenProjection(Enums::ProjectionType type)
{
    switch (type) {
    case Enums::ProjectionType::PERSPECTIVE:
        return new PerspectiveScreenProjection();
    case Enums::ProjectionType::ORTHOGONAL:
        return new OrthogonalScreenProjection();
    }
    return nullptr;
}

void TouchableHandler::DestroyScreenProjection(IScreenProjection*& projection)
{
    delete projection;
    projection = nullptr;
}

ITouchArea* TouchableHandler::CreateTouchArea(Enums::AreaShape shape)
{
    switch (shape) {
    case Enums::AreaShape::RECTANGLE:
        return new RectangularTouchArea();
    case Enums::AreaShape::ELLIPSE:
        return new EllipticTouchArea();
    }
    return nullptr;
}

void TouchableHandler::DestroyTouchArea(ITouchArea*& area)
{
    delete area;
    area = nullptr;
}

void TouchableHandler::AddTouchable(ITouchArea* area, const Math::Matrix<float>& transform)
{
    TouchArea* touchArea = dynamic_cast<TouchArea*>(area);
    if (!touchArea || !mCurrentView)
        return;
    TouchableRecord* record = NextRecord(mCurrentView->touchables, mCurrentView->numTouchables);
    record->area = touchArea;
    record->transform = transform;
    Graph::ComputeRigidInverse(transform, record->inverse);
}

void TouchableHandler::AddView(IScreenProjection* projection, const Math::Matrix<float>& transform)
{
    // Without a projection the camera casts no rays: its touchables are left out as well.
    if (!projection) {
        mCurrentView = nullptr;
        return;
    }
    ViewRecord* view = NextRecord(mViews, mNumViews);
    view->projection = projection;
    view->transform = transform;
    view->numTouchables = 0;
    mCurrentView = view;
}

Bool TouchableHandler::ClearViews()
{
    mNumViews = 0;
    mCurrentView = nullptr;
    return true;
}

Bool TouchableHandler::BeginPointers()
{
    mNumTargets = 0;
    for (UInt32 v = 0; v < mNumViews; ++v) {
        const ViewRecord* view = mViews[SInt32(v)];
        for (UInt32 t = 0; t < view->numTouchables; ++t) {
            TouchArea* area = view->touchables[SInt32(t)]->area;
            TargetEntry* entry = NextRecord(mTargets, mNumTargets);
            entry->target = area->GetTouchable();
            entry->button = area->GetButton();
            // An area without target takes its place in the list but hears nothing.
            if (entry->target)
                entry->target->ClearPointerEvents();
        }
    }
    return true;
}

Bool TouchableHandler::IsAnyButtonActive(const IMouseButtons* buttons)
{
    for (UInt32 i = 0; i < buttons->GetNumberOfButtons(); ++i) {
        if (buttons->IsButtonHeld(i) || buttons->WasButtonPressed(i) || buttons->WasButtonReleased(i))
            return true;
    }
    return false;
}

Bool TouchableHandler::ProcessPointer(UInt32 pointer, const IMouseButtons* buttons, Bool moved, Float x, Float y,
                                      Bool cancelled)
{
    if (!buttons || (!moved && !cancelled && !IsAnyButtonActive(buttons)))
        return false;

    // The entries follow the views and their touchables in registration order.
    TargetEntry* topmost = nullptr;
    UInt32 next = 0;
    for (UInt32 v = 0; v < mNumViews && next < mNumTargets; ++v) {
        const ViewRecord* view = mViews[SInt32(v)];
        Math::Vector<float> origin = view->projection->GetRayOrigin(x, y);
        Math::Vector<float> direction = view->projection->GetRayDirection(x, y);
        origin.w = 1.0f;
        direction.w = 0.0f;
        origin = view->transform * origin;
        direction = view->transform * direction;
        TargetEntry* best = nullptr;
        for (UInt32 t = 0; t < view->numTouchables && next < mNumTargets; ++t) {
            const TouchableRecord* record = view->touchables[SInt32(t)];
            TargetEntry* entry = mTargets[SInt32(next++)];
            Math::Vector<float> hit(0.0f, 0.0f, 0.0f, 1.0f);
            const Bool isHit =
                record->area->HitTest(record->inverse * origin, record->inverse * direction, hit);
            const Math::Vector<float> world = record->transform * hit;
            for (UInt32 i = 0; i < 4; ++i) {
                entry->points[i] = hit[i];
                entry->points[4 + i] = world[i];
            }
            if (isHit && entry->target && (!best || entry->points[6] > best->points[6]))
                best = entry;
        }
        // A later view with any hit overrides the earlier ones, whatever the depths.
        if (best)
            topmost = best;
    }

    for (UInt32 i = 0; i < mNumTargets; ++i) {
        TargetEntry* entry = mTargets[SInt32(i)];
        Graph::ITouchable* target = entry->target;
        if (!target)
            continue;
        if (cancelled) {
            target->PointerCancelled(pointer, entry->points);
            continue;
        }
        const Bool isTopmost = entry == topmost;
        if (buttons->WasButtonPressed(entry->button))
            target->PointerPressed(pointer, entry->points, isTopmost);
        else if (buttons->WasButtonReleased(entry->button))
            target->PointerReleased(pointer, entry->points, isTopmost);
        else if (moved || buttons->IsButtonHeld(entry->button))
            target->PointerMoved(pointer, entry->points, isTopmost);
    }
    return true;
}

Bool TouchableHandler::EndPointers()
{
    for (UInt32 i = 0; i < mNumTargets; ++i) {
        Graph::ITouchable* target = mTargets[SInt32(i)]->target;
        if (target)
            target->ProcessPointerEvents();
    }
    return true;
}

} // namespace Input
} // namespace Vorn
