#include "output/factory.h"

#include "output/output_device_handler.h"

namespace Vorn {
namespace Output {

IDeviceHandler* Factory::CreateDeviceHandler()
{
    return new DeviceHandler();
}

void Factory::DestroyDeviceHandler(IDeviceHandler*& handler)
{
    delete handler;
    handler = nullptr;
}

} // namespace Output
} // namespace Vorn
