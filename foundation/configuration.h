// The engine's settings store as every subsystem sees it: the platform and the game write it at
// start-up, the engine advances its change stamps once per frame, and the resource system, the
// graph and the back-ends read it. Implemented by Core::Configuration.
//
// Every setting keeps the frame stamp of its last change. A setter stores a value only when it
// differs from the one held and stamps it with the next frame's number; a changed query
// (Has...Changed) with a reader's stamp s is true once that frame has begun and s lies before it.
// Setters cannot fail and return nothing.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration
{
public:
    // Whole-object change stamps.
    virtual Bool HasChanged(UInt32 stamp) const = 0;
    virtual UInt32 GetCurrentStamp() const = 0;
    // The engine's frame begins: current = frame, new changes are stamped frame + 1, and the
    // changes made so far become visible to HasChanged.
    virtual void SetCurrentStamp(UInt32 frame) = 0;

    // An unnamed text (no changed query), and the debug log's file; empty means no log file.
    virtual void SetTextA(const String& text) = 0;
    virtual void SetLogFilePath(const String& path) = 0;
    virtual const String& GetTextA() const = 0;
    virtual const String& GetLogFilePath() const = 0;

    // Names the file categories of private data after it; "VornApp" by default.
    virtual void SetApplicationName(const String& name) = 0;
    virtual const String& GetApplicationName() const = 0;
    virtual Bool HasApplicationNameChanged(UInt32 stamp) const = 0;

    // 32 hexadecimal characters; all "0" until the platform writes it.
    virtual void SetDeviceId(const String& id) = 0;
    virtual const String& GetDeviceId() const = 0;
    virtual Bool HasDeviceIdChanged(UInt32 stamp) const = 0;

    // The user's country code, "US" by default.
    virtual void SetCountry(const String& country) = 0;
    virtual const String& GetCountry() const = 0;
    virtual Bool HasCountryChanged(UInt32 stamp) const = 0;

    // The facts that resource conditions test. The Is... queries of the four platform families
    // (device class, device model, operating system, GPU) treat a value whose low 8 bits are 0 as
    // the whole family: IsDeviceClass(0x100) holds for 0x101 and 0x102; other values must be equal.
    virtual void SetLanguage(Enums::Language language) = 0;
    virtual Enums::Language GetLanguage() const = 0;
    virtual Bool IsLanguage(UInt32 value) const = 0;
    virtual Bool HasLanguageChanged(UInt32 stamp) const = 0;

    virtual void SetDeviceClass(Enums::DeviceClass deviceClass) = 0;
    virtual Enums::DeviceClass GetDeviceClass() const = 0;
    virtual Bool IsDeviceClass(UInt32 value) const = 0;
    virtual Bool HasDeviceClassChanged(UInt32 stamp) const = 0;

    virtual void SetDeviceModel(Enums::DeviceModel model) = 0;
    virtual Enums::DeviceModel GetDeviceModel() const = 0;
    virtual Bool IsDeviceModel(UInt32 value) const = 0;
    virtual Bool HasDeviceModelChanged(UInt32 stamp) const = 0;

    virtual void SetOperatingSystem(Enums::OperatingSystem system) = 0;
    virtual Enums::OperatingSystem GetOperatingSystem() const = 0;
    virtual Bool IsOperatingSystem(UInt32 value) const = 0;
    virtual Bool HasOperatingSystemChanged(UInt32 stamp) const = 0;

    virtual void SetGpuModel(Enums::GpuModel model) = 0;
    virtual Enums::GpuModel GetGpuModel() const = 0;
    virtual Bool IsGpuModel(UInt32 value) const = 0;
    virtual Bool HasGpuModelChanged(UInt32 stamp) const = 0;

    virtual void SetScreenClass(Enums::ScreenClass screenClass) = 0;
    virtual Enums::ScreenClass GetScreenClass() const = 0;
    virtual Bool IsScreenClass(UInt32 value) const = 0;
    virtual Bool HasScreenClassChanged(UInt32 stamp) const = 0;

    virtual void SetVideoApi(Enums::VideoApi api) = 0;
    virtual Enums::VideoApi GetVideoApi() const = 0;
    virtual Bool IsVideoApi(UInt32 value) const = 0;
    virtual Bool HasVideoApiChanged(UInt32 stamp) const = 0;

    virtual void SetAudioApi(Enums::AudioApi api) = 0;
    virtual Enums::AudioApi GetAudioApi() const = 0;
    virtual Bool IsAudioApi(UInt32 value) const = 0;
    virtual Bool HasAudioApiChanged(UInt32 stamp) const = 0;

    // The file category in which packages and resource files are looked up; RESOURCE by default.
    virtual void SetResourceFileCategory(Enums::FileCategory category) = 0;
    virtual Enums::FileCategory GetResourceFileCategory() const = 0;
    virtual Bool HasResourceFileCategoryChanged(UInt32 stamp) const = 0;

    // The engine's run state; only the engine writes it.
    virtual void SetAppRunState(Enums::AppRunState state) = 0;
    virtual Enums::AppRunState GetAppRunState() const = 0;
    virtual Bool HasAppRunStateChanged(UInt32 stamp) const = 0;

    // What the platform does when the window loses the focus: PAUSED pauses the engine,
    // SUSPENDED suspends it, any other value keeps it running.
    virtual void SetDeactivatedRunState(Enums::AppRunState state) = 0;
    virtual Enums::AppRunState GetDeactivatedRunState() const = 0;
    virtual Bool HasDeactivatedRunStateChanged(UInt32 stamp) const = 0;

    // Whether suspending the engine also releases the loader thread and the graph.
    virtual void SetReleaseOnSuspend(Bool release) = 0;
    virtual Bool GetReleaseOnSuspend() const = 0;
    virtual Bool HasReleaseOnSuspendChanged(UInt32 stamp) const = 0;

    // The Enums::MemoryObjectType bits whose back-end objects nodes release on suspend; all by default.
    virtual void SetSuspendReleaseMask(UInt32 mask) = 0;
    virtual UInt32 GetSuspendReleaseMask() const = 0;
    virtual Bool HasSuspendReleaseMaskChanged(UInt32 stamp) const = 0;

    // Settings that only back-ends of other platforms read.
    virtual void SetFlagB(Bool flag) = 0;
    virtual Bool GetFlagB() const = 0;
    virtual Bool HasFlagBChanged(UInt32 stamp) const = 0;

    virtual void SetFlagC(Bool flag) = 0;
    virtual Bool GetFlagC() const = 0;
    virtual Bool HasFlagCChanged(UInt32 stamp) const = 0;

    virtual void SetFlagD(Bool flag) = 0;
    virtual Bool GetFlagD() const = 0;
    virtual Bool HasFlagDChanged(UInt32 stamp) const = 0;

    virtual void SetRateA(SInt32 rate) = 0;
    virtual SInt32 GetRateA() const = 0;
    virtual Bool HasRateAChanged(UInt32 stamp) const = 0;

    virtual void SetFlagE(Bool flag) = 0;
    virtual Bool GetFlagE() const = 0;
    virtual Bool HasFlagEChanged(UInt32 stamp) const = 0;

    virtual void SetRateB(SInt32 rate) = 0;
    virtual SInt32 GetRateB() const = 0;
    virtual Bool HasRateBChanged(UInt32 stamp) const = 0;

    virtual void SetFlagF(Bool flag) = 0;
    virtual Bool GetFlagF() const = 0;
    virtual Bool HasFlagFChanged(UInt32 stamp) const = 0;

    virtual void SetFlagG(Bool flag) = 0;
    virtual Bool GetFlagG() const = 0;
    virtual Bool HasFlagGChanged(UInt32 stamp) const = 0;

    virtual void SetIntegerF(SInt32 value) = 0;
    virtual SInt32 GetIntegerF() const = 0;
    virtual Bool HasIntegerFChanged(UInt32 stamp) const = 0;

    // Orientations. Three settings (native, device and the derived screen orientation) and the
    // derived values below follow one another whenever one of them or the display surface size
    // is set. Orientations count as quarter turns: PORTRAIT_1 0, LANDSCAPE_1 1, PORTRAIT_2 2,
    // LANDSCAPE_2 3, any other value 0.
    //
    // The native-axis set holds the native orientation and the one opposite it, the cross-axis set
    // the two between; each returns the union of its two members, and by index its first member
    // (index 0: the native orientation, or the one after it) or its second (any other index).
    virtual UInt32 GetNativeAxisOrientations() const = 0;
    virtual Enums::ScreenOrientation GetNativeAxisOrientation(UInt32 index) const = 0;
    virtual Bool HasNativeAxisOrientationsChanged(UInt32 stamp) const = 0;

    virtual UInt32 GetCrossAxisOrientations() const = 0;
    virtual Enums::ScreenOrientation GetCrossAxisOrientation(UInt32 index) const = 0;
    virtual Bool HasCrossAxisOrientationsChanged(UInt32 stamp) const = 0;

    // The orientation in which the display itself stands; nothing on the desktop sets it.
    virtual void SetNativeOrientation(Enums::ScreenOrientation orientation) = 0;
    virtual Enums::ScreenOrientation GetNativeOrientation() const = 0;
    virtual Bool HasNativeOrientationChanged(UInt32 stamp) const = 0;

    // The orientation the user interface is laid out for; the platform sets PORTRAIT_1.
    virtual void SetDeviceOrientation(Enums::ScreenOrientation orientation) = 0;
    virtual Enums::ScreenOrientation GetDeviceOrientation() const = 0;
    virtual Bool HasDeviceOrientationChanged(UInt32 stamp) const = 0;

    // Derived: the device orientation turned back by the native one, the rotation between the
    // display and the picture (PORTRAIT_1 when both stand alike). Views and pointer input use it.
    virtual Enums::ScreenOrientation GetScreenOrientation() const = 0;
    virtual Bool HasScreenOrientationChanged(UInt32 stamp) const = 0;

    // The display surface in pixels as the platform sees it; 960 x 600 by default.
    virtual void SetDisplaySurfaceSize(UInt32 width, UInt32 height) = 0;
    virtual UInt32 GetDisplaySurfaceWidth() const = 0;
    virtual UInt32 GetDisplaySurfaceHeight() const = 0;
    virtual Bool HasDisplaySurfaceSizeChanged(UInt32 stamp) const = 0;

    // Derived: the display size as the picture stands, the surface size with width and height
    // exchanged when the screen orientation is a landscape one.
    virtual UInt32 GetDisplayWidth() const = 0;
    virtual UInt32 GetDisplayHeight() const = 0;
    virtual Bool HasDisplaySizeChanged(UInt32 stamp) const = 0;

    // Width over height of the monitor, as the platform measured it.
    virtual void SetAspectRatio(Float ratio) = 0;
    virtual Float GetAspectRatio() const = 0;
    virtual Bool HasAspectRatioChanged(UInt32 stamp) const = 0;

    // While set, the window keeps its aspect ratio when the user resizes it.
    virtual void SetFixedAspectRatio(Bool fixed) = 0;
    virtual Bool GetFixedAspectRatio() const = 0;
    virtual Bool HasFixedAspectRatioChanged(UInt32 stamp) const = 0;

    // The window title; "Vorn" by default.
    virtual void SetDisplayName(const String& name) = 0;
    virtual const String& GetDisplayName() const = 0;
    virtual Bool HasDisplayNameChanged(UInt32 stamp) const = 0;

    // Scale of the picture on the display, (1, 1) by default.
    virtual void SetDisplayScale(Float x, Float y) = 0;
    virtual Float GetDisplayScaleX() const = 0;
    virtual Float GetDisplayScaleY() const = 0;
    virtual Bool HasDisplayScaleChanged(UInt32 stamp) const = 0;

    // Offset of the pixel grid that the display back-end rasterises on, (0, 0) by default.
    virtual void SetPixelOffset(Float x, Float y) = 0;
    virtual Float GetPixelOffsetX() const = 0;
    virtual Float GetPixelOffsetY() const = 0;
    virtual Bool HasPixelOffsetChanged(UInt32 stamp) const = 0;

    // Whether the system cursor is hidden over the window.
    virtual void SetCursorHidden(Bool hidden) = 0;
    virtual Bool GetCursorHidden() const = 0;
    virtual Bool HasCursorHiddenChanged(UInt32 stamp) const = 0;

    // Whether the mouse device is used exclusively rather than shared.
    virtual void SetExclusiveMouse(Bool exclusive) = 0;
    virtual Bool GetExclusiveMouse() const = 0;
    virtual Bool HasExclusiveMouseChanged(UInt32 stamp) const = 0;

    virtual void SetFrameRate(SInt32 rate) = 0;
    virtual SInt32 GetFrameRate() const = 0;
    virtual Bool HasFrameRateChanged(UInt32 stamp) const = 0;

    // Seconds per frame that the display back-end spends on queued display objects; 0.005 by default.
    virtual void SetObjectProcessingTime(Double seconds) = 0;
    virtual Double GetObjectProcessingTime() const = 0;
    virtual Bool HasObjectProcessingTimeChanged(UInt32 stamp) const = 0;

    // Whether the engine's frame and run-state operations, and display objects, may be driven
    // from any thread; true by default, the platform clears it.
    virtual void SetMultiThreadedCalls(Bool allowed) = 0;
    virtual Bool GetMultiThreadedCalls() const = 0;
    virtual Bool HasMultiThreadedCallsChanged(UInt32 stamp) const = 0;

    virtual void SetFullScreen(Bool fullScreen) = 0;
    virtual Bool GetFullScreen() const = 0;
    virtual Bool HasFullScreenChanged(UInt32 stamp) const = 0;

    virtual void SetFlagM(Bool flag) = 0;
    virtual Bool GetFlagM() const = 0;
    virtual Bool HasFlagMChanged(UInt32 stamp) const = 0;

    virtual void SetIntegerH(SInt32 value) = 0;
    virtual SInt32 GetIntegerH() const = 0;
    virtual Bool HasIntegerHChanged(UInt32 stamp) const = 0;

    // Textures that allow it are loaded at their size divided by this; 1 by default.
    virtual void SetPrescaleFactor(UInt32 factor) = 0;
    virtual UInt32 GetPrescaleFactor() const = 0;
    virtual Bool IsPrescaleFactor(UInt32 value) const = 0;
    virtual Bool HasPrescaleFactorChanged(UInt32 stamp) const = 0;

    // Scale of the statistics' debug texts.
    virtual void SetDebugTextScale(Float scale) = 0;
    virtual Float GetDebugTextScale() const = 0;
    virtual Bool HasDebugTextScaleChanged(UInt32 stamp) const = 0;

    // The clock's logic step policy: bounds of the step duration in seconds (0 and 1 by default)
    // and of the number of steps per frame (1 and 1). One value sets both bounds.
    virtual void SetStepDuration(Double duration) = 0;
    virtual void SetStepDuration(Double smallest, Double largest) = 0;
    virtual Double GetMinStepDuration() const = 0;
    virtual Double GetMaxStepDuration() const = 0;
    virtual Bool HasStepDurationChanged(UInt32 stamp) const = 0;

    virtual void SetNumberOfSteps(UInt32 count) = 0;
    virtual void SetNumberOfSteps(UInt32 smallest, UInt32 largest) = 0;
    virtual UInt32 GetMinNumberOfSteps() const = 0;
    virtual UInt32 GetMaxNumberOfSteps() const = 0;
    virtual Bool HasNumberOfStepsChanged(UInt32 stamp) const = 0;

    virtual void SetIntegerJ(SInt32 value) = 0;
    virtual SInt32 GetIntegerJ() const = 0;
    virtual Bool HasIntegerJChanged(UInt32 stamp) const = 0;

    // Formats of the display's colour and alpha buffers; DEFAULT until the platform sets them.
    virtual void SetColorBufferFormat(Enums::ColorBufferFormat format) = 0;
    virtual Enums::ColorBufferFormat GetColorBufferFormat() const = 0;
    virtual Bool HasColorBufferFormatChanged(UInt32 stamp) const = 0;

    virtual void SetAlphaBufferFormat(Enums::AlphaBufferFormat format) = 0;
    virtual Enums::AlphaBufferFormat GetAlphaBufferFormat() const = 0;
    virtual Bool HasAlphaBufferFormatChanged(UInt32 stamp) const = 0;

    // The pixel format that matches the display buffers, for textures that name none: without
    // alpha R5_G6_B5 or R8_G8_B8 by the colour buffer; with alpha the alpha buffer's own format,
    // R8_G8_B8_A8 for DEFAULT.
    virtual Enums::PixelFormat GetDefaultPixelFormat(Bool withAlpha) const = 0;

    virtual ~IConfiguration() {}
};

} // namespace Vorn
