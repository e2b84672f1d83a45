#include "output/output_device_handler.h"

#include "output/screenshot_control.h"
#include "platform/configuration_control.h"
#include "platform/system_dialog.h"
#include "platform/system_font.h"
#include "platform/web_control.h"

namespace Vorn {
namespace Output {

DeviceHandler::DeviceHandler() = default;

DeviceHandler::~DeviceHandler() = default;

Bool DeviceHandler::Init()
{
    return true;
}

Bool DeviceHandler::DeInit()
{
    return true;
}

template <class Operation>
void DeviceHandler::ForEachControl(Operation operation)
{
    for (Array<IControlable*>& list : mLists)
        for (IControlable* control : list)
            operation(control);
    for (IControlable* control : mControls.GetValues())
        operation(control);
}

void DeviceHandler::ConfigChanged(IConfiguration* configuration, UInt32 stamp)
{
    ForEachControl([configuration, stamp](IControlable* control) { control->ConfigChanged(configuration, stamp); });
}

Bool DeviceHandler::Update()
{
    ForEachControl([](IControlable* control) { control->Update(); });
    return true;
}

Bool DeviceHandler::BeginProcessLogic()
{
    return true;
}

Bool DeviceHandler::EndProcessLogic()
{
    return true;
}

Bool DeviceHandler::AddTo(Kind kind, IControlable* control)
{
    mLists[kind].Add(control);
    return true;
}

Bool DeviceHandler::RemoveFrom(Kind kind, IControlable* control)
{
    const SInt32 position = mLists[kind].Find(control);
    if (position < 0)
        return false;
    mLists[kind].RemoveAt(position);
    return true;
}

IControlable* DeviceHandler::GetFrom(Kind kind, UInt32 index) const
{
    const Array<IControlable*>& list = mLists[kind];
    return index < UInt32(list.GetCount()) ? list[SInt32(index)] : nullptr;
}

Bool DeviceHandler::AddControlC(IControlable* control)
{
    return AddTo(KIND_C, control);
}

Bool DeviceHandler::RemoveControlC(IControlable* control)
{
    return RemoveFrom(KIND_C, control);
}

IControlable* DeviceHandler::GetControlC(UInt32 index)
{
    return static_cast<IControlable*>(GetFrom(KIND_C, index));
}

Bool DeviceHandler::AddConfigurationControl(IConfigurationControl* control)
{
    return AddTo(KIND_CONFIGURATION, control);
}

Bool DeviceHandler::RemoveConfigurationControl(IConfigurationControl* control)
{
    return RemoveFrom(KIND_CONFIGURATION, control);
}

IConfigurationControl* DeviceHandler::GetConfigurationControl(UInt32 index)
{
    return static_cast<IConfigurationControl*>(GetFrom(KIND_CONFIGURATION, index));
}

Bool DeviceHandler::AddControlD(IControlable* control)
{
    return AddTo(KIND_D, control);
}

Bool DeviceHandler::RemoveControlD(IControlable* control)
{
    return RemoveFrom(KIND_D, control);
}

IControlable* DeviceHandler::GetControlD(UInt32 index)
{
    return static_cast<IControlable*>(GetFrom(KIND_D, index));
}

Bool DeviceHandler::AddControlA(IControlable* control)
{
    return AddTo(KIND_A, control);
}

Bool DeviceHandler::RemoveControlA(IControlable* control)
{
    return RemoveFrom(KIND_A, control);
}

IControlable* DeviceHandler::GetControlA(UInt32 index)
{
    return static_cast<IControlable*>(GetFrom(KIND_A, index));
}

Bool DeviceHandler::AddControlB(IControlable* control)
{
    return AddTo(KIND_B, control);
}

Bool DeviceHandler::RemoveControlB(IControlable* control)
{
    return RemoveFrom(KIND_B, control);
}

IControlable* DeviceHandler::GetControlB(UInt32 index)
{
    return static_cast<IControlable*>(GetFrom(KIND_B, index));
}

Bool DeviceHandler::AddSystemDialogControl(ISystemDialogControl* control)
{
    return AddTo(KIND_SYSTEM_DIALOG, control);
}

Bool DeviceHandler::RemoveSystemDialogControl(ISystemDialogControl* control)
{
    return RemoveFrom(KIND_SYSTEM_DIALOG, control);
}

ISystemDialogControl* DeviceHandler::GetSystemDialogControl(UInt32 index)
{
    return static_cast<ISystemDialogControl*>(GetFrom(KIND_SYSTEM_DIALOG, index));
}

Bool DeviceHandler::AddSystemFontControl(ISystemFontControl* control)
{
    return AddTo(KIND_SYSTEM_FONT, control);
}

Bool DeviceHandler::RemoveSystemFontControl(ISystemFontControl* control)
{
    return RemoveFrom(KIND_SYSTEM_FONT, control);
}

ISystemFontControl* DeviceHandler::GetSystemFontControl(UInt32 index)
{
    return static_cast<ISystemFontControl*>(GetFrom(KIND_SYSTEM_FONT, index));
}

Bool DeviceHandler::AddWebControl(IWebControl* control)
{
    return AddTo(KIND_WEB, control);
}

Bool DeviceHandler::RemoveWebControl(IWebControl* control)
{
    return RemoveFrom(KIND_WEB, control);
}

IWebControl* DeviceHandler::GetWebControl(UInt32 index)
{
    return static_cast<IWebControl*>(GetFrom(KIND_WEB, index));
}

Bool DeviceHandler::AddScreenshotControl(IScreenshotControl* control)
{
    return AddTo(KIND_SCREENSHOT, control);
}

Bool DeviceHandler::RemoveScreenshotControl(IScreenshotControl* control)
{
    return RemoveFrom(KIND_SCREENSHOT, control);
}

IScreenshotControl* DeviceHandler::GetScreenshotControl(UInt32 index)
{
    return static_cast<IScreenshotControl*>(GetFrom(KIND_SCREENSHOT, index));
}

Bool DeviceHandler::AddControl(UInt32 identifier, IControlable* control)
{
    if (mControls.Find(identifier) >= 0)
        return false;
    mControls.Add(identifier, control);
    return true;
}

Bool DeviceHandler::RemoveControl(IControlable* control)
{
    const SInt32 position = mControls.GetValues().Find(control);
    if (position < 0)
        return false;
    mControls.RemoveAt(position);
    return true;
}

Bool DeviceHandler::RemoveControlById(UInt32 identifier)
{
    const SInt32 position = mControls.Find(identifier);
    if (position < 0)
        return false;
    mControls.RemoveAt(position);
    return true;
}

IControlable* DeviceHandler::GetControl(UInt32 position)
{
    return position < UInt32(mControls.GetCount()) ? mControls.GetValue(SInt32(position)) : nullptr;
}

IControlable* DeviceHandler::GetControlById(UInt32 identifier)
{
    IControlable** control = mControls.FindValue(identifier);
    return control ? *control : nullptr;
}

UInt32 DeviceHandler::GetNumberOfControls() const
{
    return UInt32(mControls.GetCount());
}

} // namespace Output
} // namespace Vorn
