#include "input/factory.h"

#include "input/input_device_handler.h"
#include "input/input_touchable_handler.h"

namespace Vorn {
namespace Input {

ITouchableHandler* Factory::CreateTouchableHandler()
{
    return new TouchableHandler();
}

IDeviceHandler* Factory::CreateDeviceHandler()
{
    return new DeviceHandler();
}

void Factory::DestroyTouchableHandler(ITouchableHandler*& handler)
{
    delete handler;
    handler = nullptr;
}

void Factory::DestroyDeviceHandler(IDeviceHandler*& handler)
{
    delete handler;
    handler = nullptr;
}

} // namespace Input
} // namespace Vorn
