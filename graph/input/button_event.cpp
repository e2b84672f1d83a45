#include "graph/input/button_event.h"

namespace Vorn {
namespace Graph {

ButtonEvent::ButtonEvent() : mReleasedInside(false), mPressed(false), mReleasedOutside(false)
{
}

ButtonEvent::~ButtonEvent()
{
}

Bool ButtonEvent::WasReleasedInside() const
{
    return mReleasedInside;
}

Bool ButtonEvent::WasPressed() const
{
    return mPressed;
}

Bool ButtonEvent::WasReleasedOutside() const
{
    return mReleasedOutside;
}

void ButtonEvent::Clear()
{
    mReleasedInside = false;
    mPressed = false;
    mReleasedOutside = false;
}

void ButtonEvent::SetReleasedInside()
{
    mReleasedInside = true;
}

void ButtonEvent::SetPressed()
{
    mPressed = true;
}

void ButtonEvent::SetReleasedOutside()
{
    mReleasedOutside = true;
}

void ButtonEvent::ClearAll(const Array<ButtonEvent*>& events)
{
    for (ButtonEvent* event : events)
        event->Clear();
}

void ButtonEvent::SetReleasedInsideAll(const Array<ButtonEvent*>& events)
{
    for (ButtonEvent* event : events)
        event->SetReleasedInside();
}

void ButtonEvent::SetPressedAll(const Array<ButtonEvent*>& events)
{
    for (ButtonEvent* event : events)
        event->SetPressed();
}

void ButtonEvent::SetReleasedOutsideAll(const Array<ButtonEvent*>& events)
{
    for (ButtonEvent* event : events)
        event->SetReleasedOutside();
}

} // namespace Graph
} // namespace Vorn
