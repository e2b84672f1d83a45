// Makes and destroys the output device handler for the engine's device handler.
#pragma once

#include "output/device_handler.h"

namespace Vorn {
namespace Output {

class Factory
{
public:
    virtual ~Factory() {}
    // A new, not yet initialised handler.
    IDeviceHandler* CreateDeviceHandler();
    // Deletes the handler when the pointer is set, and clears the pointer.
    void DestroyDeviceHandler(IDeviceHandler*& handler);
};

} // namespace Output
} // namespace Vorn
