// Button events: what game code created on a button learns about it within one logic step (the
// button was pressed, or released inside or outside). The button sets the flags while it
// processes its touch reports and clears them in each of its logic steps.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IButtonEvent
{
public:
    virtual Bool WasReleasedInside() const = 0;
    virtual Bool WasPressed() const = 0;
    virtual Bool WasReleasedOutside() const = 0;
    virtual ~IButtonEvent() {}
};

class ButtonEvent : public IButtonEvent
{
public:
    ButtonEvent();
    ~ButtonEvent() override;

    Bool WasReleasedInside() const override;
    Bool WasPressed() const override;
    Bool WasReleasedOutside() const override;

    void Clear();
    void SetReleasedInside();
    void SetPressed();
    void SetReleasedOutside();

    // The same over every event of a button's list, in list order.
    static void ClearAll(const Array<ButtonEvent*>& events);
    static void SetReleasedInsideAll(const Array<ButtonEvent*>& events);
    static void SetPressedAll(const Array<ButtonEvent*>& events);
    static void SetReleasedOutsideAll(const Array<ButtonEvent*>& events);

private:
    Bool mReleasedInside;
    Bool mPressed;
    Bool mReleasedOutside;
};

} // namespace Graph
} // namespace Vorn
