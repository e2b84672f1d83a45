// The engine's registry of controls: nine lists by kind and a map by identifier, none of them
// owned. Created by Output::Factory for the engine's device handler.
#pragma once

#include "foundation/array.h"
#include "foundation/map.h"
#include "foundation/types.h"
#include "output/device_handler.h"

namespace Vorn {
namespace Output {

class DeviceHandler : public IDeviceHandler
{
public:
    DeviceHandler();
    ~DeviceHandler() override;

    Bool Init() override;
    Bool DeInit() override;
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;

    Bool AddControlC(IControlable* control) override;
    Bool RemoveControlC(IControlable* control) override;
    IControlable* GetControlC(UInt32 index) override;
    Bool AddConfigurationControl(IConfigurationControl* control) override;
    Bool RemoveConfigurationControl(IConfigurationControl* control) override;
    IConfigurationControl* GetConfigurationControl(UInt32 index) override;
    Bool AddControlD(IControlable* control) override;
    Bool RemoveControlD(IControlable* control) override;
    IControlable* GetControlD(UInt32 index) override;
    Bool AddControlA(IControlable* control) override;
    Bool RemoveControlA(IControlable* control) override;
    IControlable* GetControlA(UInt32 index) override;
    Bool AddControlB(IControlable* control) override;
    Bool RemoveControlB(IControlable* control) override;
    IControlable* GetControlB(UInt32 index) override;
    Bool AddSystemDialogControl(ISystemDialogControl* control) override;
    Bool RemoveSystemDialogControl(ISystemDialogControl* control) override;
    ISystemDialogControl* GetSystemDialogControl(UInt32 index) override;
    Bool AddSystemFontControl(ISystemFontControl* control) override;
    Bool RemoveSystemFontControl(ISystemFontControl* control) override;
    ISystemFontControl* GetSystemFontControl(UInt32 index) override;
    Bool AddWebControl(IWebControl* control) override;
    Bool RemoveWebControl(IWebControl* control) override;
    IWebControl* GetWebControl(UInt32 index) override;
    Bool AddScreenshotControl(IScreenshotControl* control) override;
    Bool RemoveScreenshotControl(IScreenshotControl* control) override;
    IScreenshotControl* GetScreenshotControl(UInt32 index) override;

    Bool AddControl(UInt32 identifier, IControlable* control) override;
    Bool RemoveControl(IControlable* control) override;
    Bool RemoveControlById(UInt32 identifier) override;
    IControlable* GetControl(UInt32 position) override;
    IControlable* GetControlById(UInt32 identifier) override;
    UInt32 GetNumberOfControls() const override;

    Bool Update() override;
    Bool BeginProcessLogic() override;
    Bool EndProcessLogic() override;

private:
    // The lists in the order in which Update and ConfigChanged visit them.
    enum Kind
    {
        KIND_A,
        KIND_CONFIGURATION,
        KIND_B,
        KIND_C,
        KIND_D,
        KIND_SCREENSHOT,
        KIND_SYSTEM_DIALOG,
        KIND_SYSTEM_FONT,
        KIND_WEB,
        NUMBER_OF_KINDS
    };

    DeviceHandler(const DeviceHandler&) = delete;
    DeviceHandler& operator=(const DeviceHandler&) = delete;

    Bool AddTo(Kind kind, IControlable* control);
    Bool RemoveFrom(Kind kind, IControlable* control);
    IControlable* GetFrom(Kind kind, UInt32 index) const;
    // Calls the operation on every control of the lists, then of the map.
    template <class Operation>
    void ForEachControl(Operation operation);

    Array<IControlable*> mLists[NUMBER_OF_KINDS];
    Map<UInt32, IControlable*> mControls;
};

} // namespace Output
} // namespace Vorn
