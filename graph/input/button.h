// Buttons: transform nodes with a touch area that the input touchable handler hit-tests. A
// button shows one of four state children (up, down, hover, disabled), can run a timeline child
// to a time per state, and flags the events that game code created on it when it is pressed or
// released inside or outside.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/input/button_event.h"
#include "graph/input/touchable_target.h"
#include "graph/processable.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Input {
class ITouchArea;
class IPlane;
}

namespace Graph {

class ITimeline;

class IButton
{
public:
    // Enabling forgets every touch and shows the up state; disabling shows the disabled state.
    // Both clear the flags of every event.
    virtual void SetEnabled(Bool enabled) = 0;
    virtual Bool IsEnabled() const = 0;
    // The size of the touch area in the node's plane.
    virtual void SetSize(Float x, Float y) = 0;
    virtual void SetSizeX(Float x) = 0;
    virtual Float GetSizeX() const = 0;
    virtual void SetSizeY(Float y) = 0;
    virtual Float GetSizeY() const = 0;
    virtual Enums::AreaShape GetShape() const = 0;
    // A new event with every flag clear, owned by the button; null when it cannot be made.
    virtual IButtonEvent* CreateEvent() = 0;
    // Destroys an event of this button; an event it does not hold (or no longer holds) is left
    // alone.
    virtual void DestroyEvent(IButtonEvent* event) = 0;
    virtual ~IButton() {}
};

class Button : public Transform, public IButton, public IProcessable
{
public:
    // The visual states, numbered as the state attributes; kNoState only before the first one.
    enum State : UInt32
    {
        kUp = 0,
        kDown = 1,
        kHover = 2,
        kDisabled = 3,
        kNumberOfStates = 4,
        kNoState = 5,
    };

    // What the touchable handler last reported for a touch.
    enum TouchKind : SInt32
    {
        kNothing = 0,
        kPressed = 1,
        kReleased = 2,
        kHeld = 3,
        kCancelled = 4,
    };

    struct TouchRecord
    {
        SInt32 mKind;
        // The button is the touch's topmost hit.
        Bool mInside;
        // The touch went down and has not come up since.
        Bool mDown;
        // The touch counts among those holding the button down.
        Bool mTracked;
    };

    Button();
    ~Button() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetEnabled(Bool enabled) override;
    Bool IsEnabled() const override;
    void SetSize(Float x, Float y) override;
    void SetSizeX(Float x) override;
    Float GetSizeX() const override;
    void SetSizeY(Float y) override;
    Float GetSizeY() const override;
    Enums::AreaShape GetShape() const override;
    IButtonEvent* CreateEvent() override;
    void DestroyEvent(IButtonEvent* event) override;

    // The finish-logic step: clears the flags of every event.
    Bool Process(IFinishLogicState* state) override;

    // Touch operations, reached through the button's touchable target.
    void ResetTouches();
    void UpdateFromTouches();
    void TouchPressed(UInt32 touch, Bool inside);
    void TouchReleased(UInt32 touch, Bool inside);
    void TouchHeld(UInt32 touch, Bool inside);
    void TouchCancelled(UInt32 touch);

    UInt32 GetState() const { return mState; }
    UInt32 GetNumberOfTrackedTouches() const { return mNumberOfTrackedTouches; }
    UInt32 GetMaxNumberOfTouches() const { return mMaxNumberOfTouches; }
    Enums::MouseButton GetMouseButton() const { return mMouseButton; }
    const Map<UInt32, TouchRecord>& GetTouchRecords() const { return mTouchRecords; }
    // In creation order.
    const Array<ButtonEvent*>& GetEvents() const { return mEvents; }
    // Null outside the time between InitSelf and DeInitSelf.
    ITouchable* GetTouchable() { return mTouchableTarget.get(); }
    Input::ITouchArea* GetTouchArea() { return mTouchArea; }

protected:
    // Resolves the state children and the timeline, and creates the touch area.
    Bool InitSelf(IInitState* state) override;
    // Shows the up or the disabled state once the children are ready.
    Bool InitChildren(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    // While enabled, hands the touch area with the world transform to the touchable handler.
    Bool ProcessLogicSelf(IProcessLogicState* state) override;

private:
    TouchRecord& FindOrAddTouchRecord(UInt32 touch);
    void StopTracking(TouchRecord& record);
    // Every record back to nothing reported, not down, not tracked; the inside flags stay.
    void ResetTracking();
    // Runs the timeline towards the state's time and shows only the state's child. Switching to
    // the current state does nothing unless forced.
    void SwitchState(UInt32 state, Bool force);
    Bool ResolveStateChild(UInt32 state);
    Bool ResolveTimeline();

    String mStateChildIds[kNumberOfStates];
    SInt32 mStateChildIndexes[kNumberOfStates];
    INode* mStateChildren[kNumberOfStates];
    String mTimelineId;
    SInt32 mTimelineIndex;
    ITimeline* mTimeline;
    Float mStateTimes[kNumberOfStates];
    Input::ITouchArea* mTouchArea;
    Input::IPlane* mTouchPlane;
    UInt32 mState;
    Bool mEnabled;
    Float mSizeX;
    Float mSizeY;
    Enums::AreaShape mShape;
    UInt32 mMaxNumberOfTouches;
    UInt32 mNumberOfTrackedTouches;
    Map<UInt32, TouchRecord> mTouchRecords;
    std::unique_ptr<TouchableTarget<Button>> mTouchableTarget;
    Enums::MouseButton mMouseButton;
    Array<ButtonEvent*> mEvents;
};

} // namespace Graph
} // namespace Vorn
