#include "platform/win32/custom_control.h"

#include "core/device_handler.h"
#include "output/controlable.h"

namespace Vorn {
namespace Win32 {

void CustomControl::Process()
{
    if (mDeviceHandler == nullptr)
        return;
    const UInt32 count = mDeviceHandler->GetNumberOfControls();
    for (UInt32 position = 0; position < count; ++position) {
        IControlable* control = mDeviceHandler->GetControl(position);
        if (control != nullptr)
            control->Process();
    }
}

} // namespace Win32
} // namespace Vorn
