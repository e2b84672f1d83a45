#include "graph/input/button.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/time/timeline.h"
#include "graph/traversal_state.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Graph {

Button::Button()
    : mTimelineIndex(-1),
      mTimeline(nullptr),
      mTouchArea(nullptr),
      mTouchPlane(nullptr),
      mState(kNoState),
      mEnabled(true),
      mSizeX(1.0f),
      mSizeY(1.0f),
      mShape(Enums::AreaShape::RECTANGLE),
      mMaxNumberOfTouches(0xFFFFFFFFu),
      mNumberOfTrackedTouches(0),
      mMouseButton(Enums::MouseButton::LEFT)
{
    for (UInt32 i = 0; i < kNumberOfStates; ++i) {
        mStateChildIndexes[i] = -1;
        mStateChildren[i] = nullptr;
        mStateTimes[i] = -1.0f;
    }
    AddFlags(kNeedsProcessLogic);
}

Button::~Button()
{
    for (ButtonEvent* event : mEvents)
        delete event;
}

INode* Button::Create()
{
    return new (std::nothrow) Button();
}

const NodeClassInfo& Button::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Button"));
    return info;
}

Bool Button::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                  Bool* error)
{
    const UInt32 attribute = ButtonAttributes::GetTable().FindAttribute(attributes, index);
    switch (attribute) {
    case ButtonAttributes::kEnabled:
        attributes->GetValue(index, parameters, &mEnabled, error);
        return true;
    case ButtonAttributes::kUpStateChildId:
    case ButtonAttributes::kDownStateChildId:
    case ButtonAttributes::kHoverStateChildId:
    case ButtonAttributes::kDisabledStateChildId:
        attributes->GetValue(index, parameters, &mStateChildIds[attribute - ButtonAttributes::kUpStateChildId], error);
        return true;
    case ButtonAttributes::kUpStateChildIndex:
    case ButtonAttributes::kDownStateChildIndex:
    case ButtonAttributes::kHoverStateChildIndex:
    case ButtonAttributes::kDisabledStateChildIndex:
        attributes->GetValue(index, parameters, &mStateChildIndexes[attribute - ButtonAttributes::kUpStateChildIndex],
                             error);
        return true;
    case ButtonAttributes::kTimelineId:
        attributes->GetValue(index, parameters, &mTimelineId, error);
        return true;
    case ButtonAttributes::kTimelineIndex:
        attributes->GetValue(index, parameters, &mTimelineIndex, error);
        return true;
    case ButtonAttributes::kUpStateTime:
    case ButtonAttributes::kDownStateTime:
    case ButtonAttributes::kHoverStateTime:
    case ButtonAttributes::kDisabledStateTime:
        attributes->GetValue(index, parameters, &mStateTimes[attribute - ButtonAttributes::kUpStateTime], error);
        return true;
    case ButtonAttributes::kSizeX:
        attributes->GetValue(index, parameters, &mSizeX, error);
        return true;
    case ButtonAttributes::kSizeY:
        attributes->GetValue(index, parameters, &mSizeY, error);
        return true;
    case ButtonAttributes::kShape:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetAreaShapeTable(), mShape);
        return true;
    case ButtonAttributes::kMouseButton:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetMouseButtonTable(), mMouseButton);
        return true;
    case ButtonAttributes::kMaxNumberOfTouches:
        attributes->GetValue(index, parameters, &mMaxNumberOfTouches, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void Button::SetEnabled(Bool enabled)
{
    if (enabled == mEnabled)
        return;
    mEnabled = enabled;
    ButtonEvent::ClearAll(mEvents);
    ResetTracking();
    // Before the first Init walk there is no state yet; that walk applies the enabled one.
    if (mState != kNoState)
        SwitchState(enabled ? kUp : kDisabled, false);
}

Bool Button::IsEnabled() const
{
    return mEnabled;
}

void Button::SetSize(Float x, Float y)
{
    mSizeX = x;
    mSizeY = y;
    if (mTouchPlane != nullptr)
        mTouchPlane->SetSize(mSizeX, mSizeY);
}

void Button::SetSizeX(Float x)
{
    SetSize(x, mSizeY);
}

Float Button::GetSizeX() const
{
    return mSizeX;
}

void Button::SetSizeY(Float y)
{
    SetSize(mSizeX, y);
}

Float Button::GetSizeY() const
{
    return mSizeY;
}

Enums::AreaShape Button::GetShape() const
{
    return mShape;
}

IButtonEvent* Button::CreateEvent()
{
    ButtonEvent* event = new (std::nothrow) ButtonEvent();
    if (event == nullptr)
        return nullptr;
    mEvents.Add(event);
    return event;
}

void Button::DestroyEvent(IButtonEvent* event)
{
    // Only an event found in the list is deleted, so a second call with the same pointer, or
    // another button's event, cannot free memory twice.
    for (SInt32 i = 0; i < mEvents.GetCount(); ++i) {
        if (mEvents[i] == event) {
            ButtonEvent* owned = mEvents[i];
            mEvents.RemoveAt(i);
            delete owned;
            return;
        }
    }
}

Bool Button::Process(IFinishLogicState*)
{
    ButtonEvent::ClearAll(mEvents);
    return true;
}

Button::TouchRecord& Button::FindOrAddTouchRecord(UInt32 touch)
{
    return mTouchRecords.FindOrAdd(touch, TouchRecord{kNothing, false, false, false});
}

void Button::ResetTouches()
{
    for (TouchRecord& record : mTouchRecords.GetValues())
        record.mKind = kNothing;
}

void Button::TouchPressed(UInt32 touch, Bool inside)
{
    TouchRecord& record = FindOrAddTouchRecord(touch);
    record.mKind = kPressed;
    record.mInside = inside;
}

void Button::TouchReleased(UInt32 touch, Bool inside)
{
    TouchRecord& record = FindOrAddTouchRecord(touch);
    record.mKind = kReleased;
    record.mInside = inside;
}

void Button::TouchHeld(UInt32 touch, Bool inside)
{
    TouchRecord& record = FindOrAddTouchRecord(touch);
    record.mKind = kHeld;
    record.mInside = inside;
}

void Button::TouchCancelled(UInt32 touch)
{
    TouchRecord& record = FindOrAddTouchRecord(touch);
    record.mKind = kCancelled;
    record.mInside = false;
}

void Button::StopTracking(TouchRecord& record)
{
    if (!record.mTracked)
        return;
    record.mTracked = false;
    if (mNumberOfTrackedTouches > 0)
        --mNumberOfTrackedTouches;
}

void Button::ResetTracking()
{
    for (TouchRecord& record : mTouchRecords.GetValues()) {
        record.mKind = kNothing;
        record.mDown = false;
        record.mTracked = false;
    }
    mNumberOfTrackedTouches = 0;
}

void Button::UpdateFromTouches()
{
    // Reports that reach a disabled button (it was disabled after handing over its area) change
    // neither its state nor its events.
    if (!mEnabled)
        return;
    UInt32 newState = kNoState;
    for (TouchRecord& record : mTouchRecords.GetValues()) {
        switch (record.mKind) {
        case kPressed:
            record.mDown = true;
            if (record.mInside) {
                if (record.mTracked) {
                    newState = kDown;
                } else if (mNumberOfTrackedTouches < mMaxNumberOfTouches) {
                    if (mNumberOfTrackedTouches == 0)
                        ButtonEvent::SetPressedAll(mEvents);
                    record.mTracked = true;
                    ++mNumberOfTrackedTouches;
                    newState = kDown;
                }
            } else if (record.mTracked) {
                // The press it held ended without a release report; end it outside like one.
                StopTracking(record);
                if (mNumberOfTrackedTouches == 0) {
                    ButtonEvent::SetReleasedOutsideAll(mEvents);
                    newState = kUp;
                }
            }
            break;
        case kReleased:
            record.mDown = false;
            if (!record.mTracked) {
                // A pointer that held nothing leaves the hover state; while other touches hold
                // the button it stays down.
                if (record.mInside && newState == kNoState && mNumberOfTrackedTouches == 0)
                    newState = kUp;
            } else {
                StopTracking(record);
                if (mNumberOfTrackedTouches == 0) {
                    if (record.mInside)
                        ButtonEvent::SetReleasedInsideAll(mEvents);
                    else
                        ButtonEvent::SetReleasedOutsideAll(mEvents);
                    newState = kUp;
                }
            }
            break;
        case kHeld:
            if (newState == kDown)
                break;
            if (mNumberOfTrackedTouches > 0) {
                if (record.mTracked)
                    newState = record.mInside ? kDown : kHover;
            } else if (!record.mDown) {
                newState = record.mInside ? kHover : kUp;
            }
            break;
        case kCancelled: {
            record.mDown = false;
            const Bool wasTracked = record.mTracked;
            StopTracking(record);
            if (mNumberOfTrackedTouches == 0) {
                // Only the end of a press is reported; a cancelled pointer that held nothing
                // merely leaves the hover state.
                if (wasTracked)
                    ButtonEvent::SetReleasedOutsideAll(mEvents);
                newState = kUp;
            }
            break;
        }
        default:
            break;
        }
    }
    if (newState < kNoState)
        SwitchState(newState, false);
}

void Button::SwitchState(UInt32 state, Bool force)
{
    if (state == mState && !force)
        return;
    mState = state;
    for (UInt32 i = 0; i < kNumberOfStates; ++i) {
        if (i == state && mTimeline != nullptr && mStateTimes[i] >= 0.0f) {
            mTimeline->SetEndTime(mStateTimes[i]);
            mTimeline->Start();
        }
        if (mStateChildren[i] != nullptr)
            mStateChildren[i]->SetActiveAndVisible(i == state);
    }
}

Bool Button::ResolveStateChild(UInt32 state)
{
    const String& id = mStateChildIds[state];
    const SInt32 index = mStateChildIndexes[state];
    if (index < 0) {
        if (id.IsEmpty())
            return true;
        mStateChildren[state] = FindChild(id);
        if (mStateChildren[state] == nullptr) {
            Debug::Trace("Graph::Button::InitSelf(%s): Child \"%s\" for state %d not found", mId.GetText(),
                         id.GetText(), SInt32(state));
            return false;
        }
        return true;
    }
    if (!id.IsEmpty()) {
        Debug::Trace("Graph::Button::InitSelf(%s): Cannot specify both ID (%s) and index (%d) for state %d",
                     mId.GetText(), id.GetText(), index, SInt32(state));
        return false;
    }
    mStateChildren[state] = GetChild(UInt32(index));
    if (mStateChildren[state] == nullptr) {
        Debug::Trace("Graph::Button::InitSelf(%s): Index (%d) for state %d out of range", mId.GetText(), index,
                     SInt32(state));
        return false;
    }
    return true;
}

Bool Button::ResolveTimeline()
{
    INode* child = nullptr;
    if (mTimelineIndex < 0) {
        if (mTimelineId.IsEmpty())
            return true;
        child = FindChild(mTimelineId);
        if (child == nullptr) {
            Debug::Trace("Graph::Button::InitSelf(%s): Child \"%s\" for timeline not found", mId.GetText(),
                         mTimelineId.GetText());
            return false;
        }
    } else {
        if (!mTimelineId.IsEmpty()) {
            Debug::Trace("Graph::Button::InitSelf(%s): Cannot specify both ID (%s) and index (%d) for timeline",
                         mId.GetText(), mTimelineId.GetText(), mTimelineIndex);
            return false;
        }
        child = GetChild(UInt32(mTimelineIndex));
        if (child == nullptr) {
            Debug::Trace("Graph::Button::InitSelf(%s): Index (%d) for timeline out of range", mId.GetText(),
                         mTimelineIndex);
            return false;
        }
    }
    mTimeline = dynamic_cast<ITimeline*>(child);
    if (mTimeline == nullptr) {
        Debug::Trace("Graph::Button::InitSelf(%s): Child \"%s\" for timeline is not of type Timeline", mId.GetText(),
                     child->GetId().GetText());
        return false;
    }
    return true;
}

Bool Button::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Button::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    for (UInt32 i = 0; i < kNumberOfStates; ++i) {
        if (!ResolveStateChild(i))
            return false;
    }
    if (!ResolveTimeline())
        return false;

    Input::ITouchableHandler* handler = state->GetInputDeviceHandler();
    if (handler == nullptr) {
        Debug::Trace("Graph::Button::InitSelf(%s): No input device handler", mId.GetText());
        return false;
    }
    mTouchableTarget.reset(new (std::nothrow) TouchableTarget<Button>(this));
    if (mTouchableTarget != nullptr)
        mTouchArea = handler->CreateTouchArea(mShape);
    if (mTouchArea != nullptr) {
        mTouchArea->SetTouchable(mTouchableTarget.get());
        mTouchArea->SetButton(UInt32(mMouseButton));
        mTouchPlane = dynamic_cast<Input::IPlane*>(mTouchArea);
    }
    if (mTouchPlane == nullptr) {
        Debug::Trace("Graph::Button::InitSelf(%s): Failed to create touch area object", mId.GetText());
        return false;
    }
    mTouchPlane->SetSize(mSizeX, mSizeY);
    return true;
}

Bool Button::InitChildren(IInitState* state)
{
    if (!Transform::InitChildren(state)) {
        Debug::Trace("Graph::Button::InitChildren(%s): InitChildren() of superclass failed", mId.GetText());
        return false;
    }
    // Only a change of state applies: every later Init walk (each package load) comes here again
    // and must not restart the timeline or reset the state children of a button in use. The
    // first walk always applies, from no state.
    SwitchState(mEnabled ? kUp : kDisabled, false);
    return true;
}

Bool Button::DeInitSelf(IDeInitState* state)
{
    if (mTouchArea != nullptr) {
        Input::ITouchableHandler* handler = state->GetInputDeviceHandler();
        if (handler != nullptr)
            handler->DestroyTouchArea(mTouchArea);
        else
            Debug::Trace("Graph::Button::DeInitSelf(%s): No input device handler to destroy the touch area",
                         mId.GetText());
        mTouchArea = nullptr;
    }
    mTouchPlane = nullptr;
    mTouchableTarget.reset();
    for (UInt32 i = 0; i < kNumberOfStates; ++i)
        mStateChildren[i] = nullptr;
    mTimeline = nullptr;
    // The records came from the area just destroyed; a later Init starts without touches.
    ResetTracking();
    mState = kNoState;
    return Transform::DeInitSelf(state);
}

Bool Button::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicSelf(state)) {
        Debug::Trace("Graph::Button::ProcessLogicSelf(%s): ProcessLogicSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mEnabled) {
        ButtonEvent::ClearAll(mEvents);
        Input::ITouchableHandler* handler = state->GetInputDeviceHandler();
        if (handler != nullptr && mTouchArea != nullptr)
            handler->AddTouchable(mTouchArea, state->GetTransform());
    }
    state->AddProcessable(this);
    return true;
}

} // namespace Graph
} // namespace Vorn
