// Runs, once per frame on the main thread, the main-thread step of every custom control that the
// game registered with the engine's device handler.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IDeviceHandler;

namespace Win32 {

class CustomControl
{
public:
    CustomControl() = default;
    virtual ~CustomControl() {}

    void Init(IDeviceHandler* deviceHandler) { mDeviceHandler = deviceHandler; }
    // Steps the registered controls in index order; nothing before Init.
    void Process();

private:
    CustomControl(const CustomControl&) = delete;
    CustomControl& operator=(const CustomControl&) = delete;

    IDeviceHandler* mDeviceHandler = nullptr;
};

} // namespace Win32
} // namespace Vorn
