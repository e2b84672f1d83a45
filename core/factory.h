// Makes the engine's three root objects for the platform layer: the configuration and the device
// handler first, the engine last, destroyed in reverse order. Each destroy takes the object down
// through its virtual destructor when the pointer is set and clears the pointer.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IDeviceHandler;
class IEngine;

class Factory
{
public:
    Factory() = default;
    virtual ~Factory() {}

    // Null when the object cannot be made.
    virtual IConfiguration* CreateConfiguration();
    virtual IDeviceHandler* CreateDeviceHandler();
    virtual IEngine* CreateEngine();

    void DestroyConfiguration(IConfiguration*& configuration);
    void DestroyDeviceHandler(IDeviceHandler*& deviceHandler);
    void DestroyEngine(IEngine*& engine);

private:
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;
};

} // namespace Vorn
