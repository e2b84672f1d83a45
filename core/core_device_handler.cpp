#include "core/core_device_handler.h"

#include <new>

#include "foundation/debug.h"
#include "input/factory.h"
#include "output/factory.h"

namespace Vorn {
namespace Core {

DeviceHandler::DeviceHandler()
    : mInputFactory(nullptr),
      mInputDeviceHandler(nullptr),
      mInputTouchableHandler(nullptr),
      mOutputFactory(nullptr),
      mOutputDeviceHandler(nullptr),
      mDisplayInterface(nullptr),
      mAudioInterface(nullptr),
      mFileInterface(nullptr),
      mConfiguration(nullptr)
{
}

DeviceHandler::~DeviceHandler() {}

Bool DeviceHandler::Init(IConfiguration* configuration)
{
    if (configuration == nullptr)
        return false;
    mConfiguration = configuration;
    mInputFactory = new (std::nothrow) Input::Factory();
    if (mInputFactory == nullptr) {
        Debug::Trace("Core::DeviceHandler::Init(): Failed to initialize input factory");
        return false;
    }
    mInputDeviceHandler = mInputFactory->CreateDeviceHandler();
    if (mInputDeviceHandler == nullptr || !mInputDeviceHandler->Init(configuration)) {
        Debug::Trace("Core::DeviceHandler::Init(): Failed to initialize input device handler");
        return false;
    }
    mInputTouchableHandler = mInputFactory->CreateTouchableHandler();
    if (mInputTouchableHandler == nullptr || !mInputTouchableHandler->Init()) {
        Debug::Trace("Core::DeviceHandler::Init(): Failed to initialize input touchable handler");
        return false;
    }
    mOutputFactory = new (std::nothrow) Output::Factory();
    if (mOutputFactory == nullptr) {
        Debug::Trace("Core::DeviceHandler::Init(): Failed to initialize output factory");
        return false;
    }
    mOutputDeviceHandler = mOutputFactory->CreateDeviceHandler();
    if (mOutputDeviceHandler == nullptr || !mOutputDeviceHandler->Init()) {
        Debug::Trace("Core::DeviceHandler::Init(): Failed to initialize output device handler");
        return false;
    }
    return true;
}

Bool DeviceHandler::DeInit()
{
    if (mOutputDeviceHandler != nullptr) {
        mOutputDeviceHandler->DeInit();
        mOutputFactory->DestroyDeviceHandler(mOutputDeviceHandler);
    }
    delete mOutputFactory;
    mOutputFactory = nullptr;
    if (mInputDeviceHandler != nullptr) {
        mInputDeviceHandler->DeInit();
        mInputFactory->DestroyDeviceHandler(mInputDeviceHandler);
    }
    if (mInputTouchableHandler != nullptr) {
        mInputTouchableHandler->DeInit();
        mInputFactory->DestroyTouchableHandler(mInputTouchableHandler);
    }
    delete mInputFactory;
    mInputFactory = nullptr;
    return true;
}

template <typename Result, typename... Arguments>
Result DeviceHandler::ToInput(Result (Input::IDeviceHandler::*operation)(Arguments...), Arguments... arguments)
{
    if (mInputDeviceHandler == nullptr)
        return Result();
    return (mInputDeviceHandler->*operation)(arguments...);
}

template <typename Result, typename... Arguments>
Result DeviceHandler::ToOutput(Result (Output::IDeviceHandler::*operation)(Arguments...), Arguments... arguments)
{
    if (mOutputDeviceHandler == nullptr)
        return Result();
    return (mOutputDeviceHandler->*operation)(arguments...);
}

IAccelerometer* DeviceHandler::CreateAccelerometerDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateAccelerometerDevice);
}

Bool DeviceHandler::DestroyAccelerometerDevice(IAccelerometer* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyAccelerometerDevice, device);
}

IGyroscope* DeviceHandler::CreateGyroscopeDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateGyroscopeDevice);
}

Bool DeviceHandler::DestroyGyroscopeDevice(IGyroscope* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyGyroscopeDevice, device);
}

IJoystick* DeviceHandler::CreateJoystickDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateJoystickDevice);
}

Bool DeviceHandler::DestroyJoystickDevice(IJoystick* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyJoystickDevice, device);
}

IKeyboard* DeviceHandler::CreateKeyboardDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateKeyboardDevice);
}

Bool DeviceHandler::DestroyKeyboardDevice(IKeyboard* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyKeyboardDevice, device);
}

IMotion* DeviceHandler::CreateMotionDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateMotionDevice);
}

Bool DeviceHandler::DestroyMotionDevice(IMotion* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyMotionDevice, device);
}

IMouse* DeviceHandler::CreateMouseDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateMouseDevice);
}

Bool DeviceHandler::DestroyMouseDevice(IMouse* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyMouseDevice, device);
}

IOrientation* DeviceHandler::CreateOrientationDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateOrientationDevice);
}

Bool DeviceHandler::DestroyOrientationDevice(IOrientation* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyOrientationDevice, device);
}

IRawButton* DeviceHandler::CreateRawButtonDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateRawButtonDevice);
}

Bool DeviceHandler::DestroyRawButtonDevice(IRawButton* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyRawButtonDevice, device);
}

IRawKeyboard* DeviceHandler::CreateRawKeyboardDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateRawKeyboardDevice);
}

Bool DeviceHandler::DestroyRawKeyboardDevice(IRawKeyboard* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyRawKeyboardDevice, device);
}

IRawMouse* DeviceHandler::CreateRawMouseDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateRawMouseDevice);
}

Bool DeviceHandler::DestroyRawMouseDevice(IRawMouse* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyRawMouseDevice, device);
}

ITouchScreen* DeviceHandler::CreateTouchScreenDevice()
{
    return ToInput(&Input::IDeviceHandler::CreateTouchScreenDevice);
}

Bool DeviceHandler::DestroyTouchScreenDevice(ITouchScreen* device)
{
    return ToInput(&Input::IDeviceHandler::DestroyTouchScreenDevice, device);
}

Bool DeviceHandler::AddConfigurationControl(IConfigurationControl* control)
{
    return ToOutput(&Output::IDeviceHandler::AddConfigurationControl, control);
}

Bool DeviceHandler::RemoveConfigurationControl(IConfigurationControl* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveConfigurationControl, control);
}

Bool DeviceHandler::AddControlC(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::AddControlC, control);
}

Bool DeviceHandler::RemoveControlC(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveControlC, control);
}

Bool DeviceHandler::AddControlD(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::AddControlD, control);
}

Bool DeviceHandler::RemoveControlD(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveControlD, control);
}

Bool DeviceHandler::AddControlA(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::AddControlA, control);
}

Bool DeviceHandler::RemoveControlA(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveControlA, control);
}

Bool DeviceHandler::AddControlB(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::AddControlB, control);
}

Bool DeviceHandler::RemoveControlB(IControlable* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveControlB, control);
}

Bool DeviceHandler::AddSystemDialogControl(ISystemDialogControl* control)
{
    return ToOutput(&Output::IDeviceHandler::AddSystemDialogControl, control);
}

Bool DeviceHandler::RemoveSystemDialogControl(ISystemDialogControl* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveSystemDialogControl, control);
}

Bool DeviceHandler::AddSystemFontControl(ISystemFontControl* control)
{
    return ToOutput(&Output::IDeviceHandler::AddSystemFontControl, control);
}

Bool DeviceHandler::RemoveSystemFontControl(ISystemFontControl* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveSystemFontControl, control);
}

Bool DeviceHandler::AddWebControl(IWebControl* control)
{
    return ToOutput(&Output::IDeviceHandler::AddWebControl, control);
}

Bool DeviceHandler::RemoveWebControl(IWebControl* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveWebControl, control);
}

Bool DeviceHandler::AddScreenshotControl(IScreenshotControl* control)
{
    return ToOutput(&Output::IDeviceHandler::AddScreenshotControl, control);
}

Bool DeviceHandler::RemoveScreenshotControl(IScreenshotControl* control)
{
    return ToOutput(&Output::IDeviceHandler::RemoveScreenshotControl, control);
}

UInt32 DeviceHandler::GetNumberOfControls()
{
    return mOutputDeviceHandler != nullptr ? mOutputDeviceHandler->GetNumberOfControls() : 0;
}

IControlable* DeviceHandler::GetControl(UInt32 position)
{
    return ToOutput(&Output::IDeviceHandler::GetControl, position);
}

Bool DeviceHandler::SetDisplayInterface(IDisplayInterface* displayInterface)
{
    mDisplayInterface = displayInterface;
    return true;
}

Bool DeviceHandler::SetAudioInterface(IAudioInterface* audioInterface)
{
    mAudioInterface = audioInterface;
    return true;
}

Bool DeviceHandler::SetFileInterface(IFileInterface* fileInterface)
{
    mFileInterface = fileInterface;
    return true;
}

Input::IDeviceHandler* DeviceHandler::GetInputDeviceHandler()
{
    return mInputDeviceHandler;
}

Input::ITouchableHandler* DeviceHandler::GetInputTouchableHandler()
{
    return mInputTouchableHandler;
}

Output::IDeviceHandler* DeviceHandler::GetOutputDeviceHandler()
{
    return mOutputDeviceHandler;
}

IDisplayInterface* DeviceHandler::GetDisplayInterface()
{
    return mDisplayInterface;
}

IAudioInterface* DeviceHandler::GetAudioInterface()
{
    return mAudioInterface;
}

IFileInterface* DeviceHandler::GetFileInterface()
{
    return mFileInterface;
}

} // namespace Core
} // namespace Vorn
