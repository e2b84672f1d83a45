// Makes and destroys the touchable handler and the input device handler for the engine's device
// handler.
#pragma once

#include "input/device_handler.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Input {

class Factory
{
public:
    virtual ~Factory() {}
    // New, not yet initialised objects.
    ITouchableHandler* CreateTouchableHandler();
    IDeviceHandler* CreateDeviceHandler();
    // Delete the object when the pointer is set, and clear the pointer.
    void DestroyTouchableHandler(ITouchableHandler*& handler);
    void DestroyDeviceHandler(IDeviceHandler*& handler);
};

} // namespace Input
} // namespace Vorn
