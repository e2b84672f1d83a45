// The engine's registry of controls, as the engine's device handler, the logic facade and the
// graph call it: one list per kind of control and a map of controls by identifier, each control
// stepped once per logic step. The handler owns none of the controls. Implemented by
// Output::DeviceHandler.
#pragma once

#include "foundation/types.h"
#include "output/controlable.h"

namespace Vorn {

class IConfiguration;
class IConfigurationControl;
class IScreenshotControl;
class ISystemDialogControl;
class ISystemFontControl;
class IWebControl;

namespace Output {

// Per kind: Add appends (no duplicate check) and returns true; Remove takes out the first
// occurrence, false when the control is not listed; Get gives the control at a position, null
// when the position is not below the count. Kinds A to D have no interface of their own.
class IDeviceHandler
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    // Passed to every control of every list, then to the controls of the map.
    virtual void ConfigChanged(IConfiguration* configuration, UInt32 stamp) = 0;

    virtual Bool AddControlC(IControlable* control) = 0;
    virtual Bool RemoveControlC(IControlable* control) = 0;
    virtual IControlable* GetControlC(UInt32 index) = 0;
    virtual Bool AddConfigurationControl(IConfigurationControl* control) = 0;
    virtual Bool RemoveConfigurationControl(IConfigurationControl* control) = 0;
    virtual IConfigurationControl* GetConfigurationControl(UInt32 index) = 0;
    virtual Bool AddControlD(IControlable* control) = 0;
    virtual Bool RemoveControlD(IControlable* control) = 0;
    virtual IControlable* GetControlD(UInt32 index) = 0;
    virtual Bool AddControlA(IControlable* control) = 0;
    virtual Bool RemoveControlA(IControlable* control) = 0;
    virtual IControlable* GetControlA(UInt32 index) = 0;
    virtual Bool AddControlB(IControlable* control) = 0;
    virtual Bool RemoveControlB(IControlable* control) = 0;
    virtual IControlable* GetControlB(UInt32 index) = 0;
    virtual Bool AddSystemDialogControl(ISystemDialogControl* control) = 0;
    virtual Bool RemoveSystemDialogControl(ISystemDialogControl* control) = 0;
    virtual ISystemDialogControl* GetSystemDialogControl(UInt32 index) = 0;
    virtual Bool AddSystemFontControl(ISystemFontControl* control) = 0;
    virtual Bool RemoveSystemFontControl(ISystemFontControl* control) = 0;
    virtual ISystemFontControl* GetSystemFontControl(UInt32 index) = 0;
    virtual Bool AddWebControl(IWebControl* control) = 0;
    virtual Bool RemoveWebControl(IWebControl* control) = 0;
    virtual IWebControl* GetWebControl(UInt32 index) = 0;
    virtual Bool AddScreenshotControl(IScreenshotControl* control) = 0;
    virtual Bool RemoveScreenshotControl(IScreenshotControl* control) = 0;
    virtual IScreenshotControl* GetScreenshotControl(UInt32 index) = 0;

    // The controls by identifier (the platform's custom controls). False when the identifier is
    // taken already; the first registration stays.
    virtual Bool AddControl(UInt32 identifier, IControlable* control) = 0;
    // False when the control or identifier is not registered.
    virtual Bool RemoveControl(IControlable* control) = 0;
    virtual Bool RemoveControlById(UInt32 identifier) = 0;
    // By position in registration order; null when the position is not below the count.
    virtual IControlable* GetControl(UInt32 position) = 0;
    // Null when the identifier is not registered.
    virtual IControlable* GetControlById(UInt32 identifier) = 0;
    virtual UInt32 GetNumberOfControls() const = 0;

    // Steps every control once, in the order of ConfigChanged.
    virtual Bool Update() = 0;
    // Around the graph's process-logic pass.
    virtual Bool BeginProcessLogic() = 0;
    virtual Bool EndProcessLogic() = 0;
    virtual ~IDeviceHandler() {}
};

} // namespace Output
} // namespace Vorn
