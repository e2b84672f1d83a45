#include "core/factory.h"

#include <new>

#include "core/configuration.h"
#include "core/core_device_handler.h"
#include "core/core_engine.h"

namespace Vorn {

IConfiguration* Factory::CreateConfiguration()
{
    return new (std::nothrow) Core::Configuration();
}

IDeviceHandler* Factory::CreateDeviceHandler()
{
    return new (std::nothrow) Core::DeviceHandler();
}

IEngine* Factory::CreateEngine()
{
    return new (std::nothrow) Core::Engine();
}

void Factory::DestroyConfiguration(IConfiguration*& configuration)
{
    delete configuration;
    configuration = nullptr;
}

void Factory::DestroyDeviceHandler(IDeviceHandler*& deviceHandler)
{
    delete deviceHandler;
    deviceHandler = nullptr;
}

void Factory::DestroyEngine(IEngine*& engine)
{
    delete engine;
    engine = nullptr;
}

} // namespace Vorn
