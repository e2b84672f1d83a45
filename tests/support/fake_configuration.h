// A plain settings store for resource tests: every setting is a field that its setter writes and
// its getter reads, change queries answer false (the language's answers mLanguageChanged), and the
// condition tests follow the family rule of the engine's configuration. Tests set the language,
// device class and the rest directly.
#pragma once

#include "foundation/configuration.h"

namespace Vorn {
namespace Testing {

class FakeConfiguration : public IConfiguration
{
public:
    Bool HasChanged(UInt32) const override { return false; }
    UInt32 GetCurrentStamp() const override { return mCurrentStamp; }
    void SetCurrentStamp(UInt32 frame) override { mCurrentStamp = frame; }
    void SetTextA(const String& text) override { mTextA = text; }
    void SetLogFilePath(const String& path) override { mLogFilePath = path; }
    const String& GetTextA() const override { return mTextA; }
    const String& GetLogFilePath() const override { return mLogFilePath; }
    void SetApplicationName(const String& name) override { mApplicationName = name; }
    const String& GetApplicationName() const override { return mApplicationName; }
    Bool HasApplicationNameChanged(UInt32) const override { return false; }
    void SetDeviceId(const String& id) override { mDeviceId = id; }
    const String& GetDeviceId() const override { return mDeviceId; }
    Bool HasDeviceIdChanged(UInt32) const override { return false; }
    void SetCountry(const String& country) override { mCountry = country; }
    const String& GetCountry() const override { return mCountry; }
    Bool HasCountryChanged(UInt32) const override { return false; }
    void SetLanguage(Enums::Language language) override { mLanguage = language; }
    Enums::Language GetLanguage() const override { return mLanguage; }
    Bool IsLanguage(UInt32 value) const override { return UInt32(mLanguage) == value; }
    Bool HasLanguageChanged(UInt32) const override { return mLanguageChanged; }
    // What every language-changed query answers from now on.
    void SetLanguageChanged(Bool changed) { mLanguageChanged = changed; }
    void SetDeviceClass(Enums::DeviceClass deviceClass) override { mDeviceClass = deviceClass; }
    Enums::DeviceClass GetDeviceClass() const override { return mDeviceClass; }
    Bool IsDeviceClass(UInt32 value) const override { return FamilyMatches(UInt32(mDeviceClass), value); }
    Bool HasDeviceClassChanged(UInt32) const override { return false; }
    void SetDeviceModel(Enums::DeviceModel model) override { mDeviceModel = model; }
    Enums::DeviceModel GetDeviceModel() const override { return mDeviceModel; }
    Bool IsDeviceModel(UInt32 value) const override { return FamilyMatches(UInt32(mDeviceModel), value); }
    Bool HasDeviceModelChanged(UInt32) const override { return false; }
    void SetOperatingSystem(Enums::OperatingSystem system) override { mOperatingSystem = system; }
    Enums::OperatingSystem GetOperatingSystem() const override { return mOperatingSystem; }
    Bool IsOperatingSystem(UInt32 value) const override { return FamilyMatches(UInt32(mOperatingSystem), value); }
    Bool HasOperatingSystemChanged(UInt32) const override { return false; }
    void SetGpuModel(Enums::GpuModel model) override { mGpuModel = model; }
    Enums::GpuModel GetGpuModel() const override { return mGpuModel; }
    Bool IsGpuModel(UInt32 value) const override { return FamilyMatches(UInt32(mGpuModel), value); }
    Bool HasGpuModelChanged(UInt32) const override { return false; }
    void SetScreenClass(Enums::ScreenClass screenClass) override { mScreenClass = screenClass; }
    Enums::ScreenClass GetScreenClass() const override { return mScreenClass; }
    Bool IsScreenClass(UInt32 value) const override { return UInt32(mScreenClass) == value; }
    Bool HasScreenClassChanged(UInt32) const override { return false; }
    void SetVideoApi(Enums::VideoApi api) override { mVideoApi = api; }
    Enums::VideoApi GetVideoApi() const override { return mVideoApi; }
    Bool IsVideoApi(UInt32 value) const override { return UInt32(mVideoApi) == value; }
    Bool HasVideoApiChanged(UInt32) const override { return false; }
    void SetAudioApi(Enums::AudioApi api) override { mAudioApi = api; }
    Enums::AudioApi GetAudioApi() const override { return mAudioApi; }
    Bool IsAudioApi(UInt32 value) const override { return UInt32(mAudioApi) == value; }
    Bool HasAudioApiChanged(UInt32) const override { return false; }
    void SetResourceFileCategory(Enums::FileCategory category) override { mResourceFileCategory = category; }
    Enums::FileCategory GetResourceFileCategory() const override { return mResourceFileCategory; }
    Bool HasResourceFileCategoryChanged(UInt32) const override { return false; }
    void SetAppRunState(Enums::AppRunState state) override { mAppRunState = state; }
    Enums::AppRunState GetAppRunState() const override { return mAppRunState; }
    Bool HasAppRunStateChanged(UInt32) const override { return false; }
    void SetDeactivatedRunState(Enums::AppRunState state) override { mDeactivatedRunState = state; }
    Enums::AppRunState GetDeactivatedRunState() const override { return mDeactivatedRunState; }
    Bool HasDeactivatedRunStateChanged(UInt32) const override { return false; }
    void SetReleaseOnSuspend(Bool release) override { mReleaseOnSuspend = release; }
    Bool GetReleaseOnSuspend() const override { return mReleaseOnSuspend; }
    Bool HasReleaseOnSuspendChanged(UInt32) const override { return false; }
    void SetSuspendReleaseMask(UInt32 mask) override { mSuspendReleaseMask = mask; }
    UInt32 GetSuspendReleaseMask() const override { return mSuspendReleaseMask; }
    Bool HasSuspendReleaseMaskChanged(UInt32) const override { return false; }
    void SetFlagB(Bool flag) override { mFlagB = flag; }
    Bool GetFlagB() const override { return mFlagB; }
    Bool HasFlagBChanged(UInt32) const override { return false; }
    void SetFlagC(Bool flag) override { mFlagC = flag; }
    Bool GetFlagC() const override { return mFlagC; }
    Bool HasFlagCChanged(UInt32) const override { return false; }
    void SetFlagD(Bool flag) override { mFlagD = flag; }
    Bool GetFlagD() const override { return mFlagD; }
    Bool HasFlagDChanged(UInt32) const override { return false; }
    void SetRateA(SInt32 rate) override { mRateA = rate; }
    SInt32 GetRateA() const override { return mRateA; }
    Bool HasRateAChanged(UInt32) const override { return false; }
    void SetFlagE(Bool flag) override { mFlagE = flag; }
    Bool GetFlagE() const override { return mFlagE; }
    Bool HasFlagEChanged(UInt32) const override { return false; }
    void SetRateB(SInt32 rate) override { mRateB = rate; }
    SInt32 GetRateB() const override { return mRateB; }
    Bool HasRateBChanged(UInt32) const override { return false; }
    void SetFlagF(Bool flag) override { mFlagF = flag; }
    Bool GetFlagF() const override { return mFlagF; }
    Bool HasFlagFChanged(UInt32) const override { return false; }
    void SetFlagG(Bool flag) override { mFlagG = flag; }
    Bool GetFlagG() const override { return mFlagG; }
    Bool HasFlagGChanged(UInt32) const override { return false; }
    void SetIntegerF(SInt32 value) override { mIntegerF = value; }
    SInt32 GetIntegerF() const override { return mIntegerF; }
    Bool HasIntegerFChanged(UInt32) const override { return false; }
    UInt32 GetNativeAxisOrientations() const override { return 0; }
    Enums::ScreenOrientation GetNativeAxisOrientation(UInt32) const override { return Enums::ScreenOrientation::PORTRAIT_1; }
    Bool HasNativeAxisOrientationsChanged(UInt32) const override { return false; }
    UInt32 GetCrossAxisOrientations() const override { return 0; }
    Enums::ScreenOrientation GetCrossAxisOrientation(UInt32) const override { return Enums::ScreenOrientation::PORTRAIT_1; }
    Bool HasCrossAxisOrientationsChanged(UInt32) const override { return false; }
    void SetNativeOrientation(Enums::ScreenOrientation orientation) override { mNativeOrientation = orientation; }
    Enums::ScreenOrientation GetNativeOrientation() const override { return mNativeOrientation; }
    Bool HasNativeOrientationChanged(UInt32) const override { return false; }
    void SetDeviceOrientation(Enums::ScreenOrientation orientation) override { mDeviceOrientation = orientation; }
    Enums::ScreenOrientation GetDeviceOrientation() const override { return mDeviceOrientation; }
    Bool HasDeviceOrientationChanged(UInt32) const override { return false; }
    Enums::ScreenOrientation GetScreenOrientation() const override { return Enums::ScreenOrientation::PORTRAIT_1; }
    Bool HasScreenOrientationChanged(UInt32) const override { return false; }
    void SetDisplaySurfaceSize(UInt32 width, UInt32 height) override
    {
        mDisplayWidth = width;
        mDisplayHeight = height;
    }
    UInt32 GetDisplaySurfaceWidth() const override { return mDisplayWidth; }
    UInt32 GetDisplaySurfaceHeight() const override { return mDisplayHeight; }
    Bool HasDisplaySurfaceSizeChanged(UInt32) const override { return false; }
    UInt32 GetDisplayWidth() const override { return mDisplayWidth; }
    UInt32 GetDisplayHeight() const override { return mDisplayHeight; }
    Bool HasDisplaySizeChanged(UInt32) const override { return false; }
    void SetAspectRatio(Float ratio) override { mAspectRatio = ratio; }
    Float GetAspectRatio() const override { return mAspectRatio; }
    Bool HasAspectRatioChanged(UInt32) const override { return false; }
    void SetFixedAspectRatio(Bool fixed) override { mFixedAspectRatio = fixed; }
    Bool GetFixedAspectRatio() const override { return mFixedAspectRatio; }
    Bool HasFixedAspectRatioChanged(UInt32) const override { return false; }
    void SetDisplayName(const String& name) override { mDisplayName = name; }
    const String& GetDisplayName() const override { return mDisplayName; }
    Bool HasDisplayNameChanged(UInt32) const override { return false; }
    void SetDisplayScale(Float x, Float y) override
    {
        mDisplayScaleX = x;
        mDisplayScaleY = y;
    }
    Float GetDisplayScaleX() const override { return mDisplayScaleX; }
    Float GetDisplayScaleY() const override { return mDisplayScaleY; }
    Bool HasDisplayScaleChanged(UInt32) const override { return false; }
    void SetPixelOffset(Float x, Float y) override
    {
        mPixelOffsetX = x;
        mPixelOffsetY = y;
    }
    Float GetPixelOffsetX() const override { return mPixelOffsetX; }
    Float GetPixelOffsetY() const override { return mPixelOffsetY; }
    Bool HasPixelOffsetChanged(UInt32) const override { return false; }
    void SetCursorHidden(Bool hidden) override { mCursorHidden = hidden; }
    Bool GetCursorHidden() const override { return mCursorHidden; }
    Bool HasCursorHiddenChanged(UInt32) const override { return false; }
    void SetExclusiveMouse(Bool exclusive) override { mExclusiveMouse = exclusive; }
    Bool GetExclusiveMouse() const override { return mExclusiveMouse; }
    Bool HasExclusiveMouseChanged(UInt32) const override { return false; }
    void SetFrameRate(SInt32 rate) override { mFrameRate = rate; }
    SInt32 GetFrameRate() const override { return mFrameRate; }
    Bool HasFrameRateChanged(UInt32) const override { return false; }
    void SetObjectProcessingTime(Double seconds) override { mObjectProcessingTime = seconds; }
    Double GetObjectProcessingTime() const override { return mObjectProcessingTime; }
    Bool HasObjectProcessingTimeChanged(UInt32) const override { return false; }
    void SetMultiThreadedCalls(Bool allowed) override { mMultiThreadedCalls = allowed; }
    Bool GetMultiThreadedCalls() const override { return mMultiThreadedCalls; }
    Bool HasMultiThreadedCallsChanged(UInt32) const override { return false; }
    void SetFullScreen(Bool fullScreen) override { mFullScreen = fullScreen; }
    Bool GetFullScreen() const override { return mFullScreen; }
    Bool HasFullScreenChanged(UInt32) const override { return false; }
    void SetFlagM(Bool flag) override { mFlagM = flag; }
    Bool GetFlagM() const override { return mFlagM; }
    Bool HasFlagMChanged(UInt32) const override { return false; }
    void SetIntegerH(SInt32 value) override { mIntegerH = value; }
    SInt32 GetIntegerH() const override { return mIntegerH; }
    Bool HasIntegerHChanged(UInt32) const override { return false; }
    void SetPrescaleFactor(UInt32 factor) override { mPrescaleFactor = factor; }
    UInt32 GetPrescaleFactor() const override { return mPrescaleFactor; }
    Bool IsPrescaleFactor(UInt32 value) const override { return UInt32(mPrescaleFactor) == value; }
    Bool HasPrescaleFactorChanged(UInt32) const override { return false; }
    void SetDebugTextScale(Float scale) override { mDebugTextScale = scale; }
    Float GetDebugTextScale() const override { return mDebugTextScale; }
    Bool HasDebugTextScaleChanged(UInt32) const override { return false; }
    void SetStepDuration(Double duration) override { SetStepDuration(duration, duration); }
    void SetStepDuration(Double smallest, Double largest) override
    {
        mMinStepDuration = smallest;
        mMaxStepDuration = largest;
    }
    Double GetMinStepDuration() const override { return mMinStepDuration; }
    Double GetMaxStepDuration() const override { return mMaxStepDuration; }
    Bool HasStepDurationChanged(UInt32) const override { return false; }
    void SetNumberOfSteps(UInt32 count) override { SetNumberOfSteps(count, count); }
    void SetNumberOfSteps(UInt32 smallest, UInt32 largest) override
    {
        mMinNumberOfSteps = smallest;
        mMaxNumberOfSteps = largest;
    }
    UInt32 GetMinNumberOfSteps() const override { return mMinNumberOfSteps; }
    UInt32 GetMaxNumberOfSteps() const override { return mMaxNumberOfSteps; }
    Bool HasNumberOfStepsChanged(UInt32) const override { return false; }
    void SetIntegerJ(SInt32 value) override { mIntegerJ = value; }
    SInt32 GetIntegerJ() const override { return mIntegerJ; }
    Bool HasIntegerJChanged(UInt32) const override { return false; }
    void SetColorBufferFormat(Enums::ColorBufferFormat format) override { mColorBufferFormat = format; }
    Enums::ColorBufferFormat GetColorBufferFormat() const override { return mColorBufferFormat; }
    Bool HasColorBufferFormatChanged(UInt32) const override { return false; }
    void SetAlphaBufferFormat(Enums::AlphaBufferFormat format) override { mAlphaBufferFormat = format; }
    Enums::AlphaBufferFormat GetAlphaBufferFormat() const override { return mAlphaBufferFormat; }
    Bool HasAlphaBufferFormatChanged(UInt32) const override { return false; }
    Enums::PixelFormat GetDefaultPixelFormat(Bool withAlpha) const override
    {
        return withAlpha ? Enums::PixelFormat::R8_G8_B8_A8 : Enums::PixelFormat::R8_G8_B8;
    }

private:
    // A value whose low 8 bits are 0 names a whole family of configured values.
    static Bool FamilyMatches(UInt32 configured, UInt32 value)
    {
        if ((value & 0xFF) == 0)
            return (configured & ~UInt32(0xFF)) == value;
        return configured == value;
    }

    String mTextA;
    String mLogFilePath;
    String mApplicationName = "VornApp";
    String mDeviceId = "00000000000000000000000000000000";
    String mCountry = "US";
    Enums::Language mLanguage = Enums::Language::DEFAULT;
    Bool mLanguageChanged = false;
    Enums::DeviceClass mDeviceClass = Enums::DeviceClass::DEFAULT;
    Enums::DeviceModel mDeviceModel = Enums::DeviceModel::DEFAULT;
    Enums::OperatingSystem mOperatingSystem = Enums::OperatingSystem::DEFAULT;
    Enums::GpuModel mGpuModel = Enums::GpuModel::DEFAULT;
    Enums::ScreenClass mScreenClass = Enums::ScreenClass::DEFAULT;
    Enums::VideoApi mVideoApi = Enums::VideoApi::DEFAULT;
    Enums::AudioApi mAudioApi = Enums::AudioApi::DEFAULT;
    Enums::FileCategory mResourceFileCategory = Enums::FileCategory::RESOURCE;
    Enums::AppRunState mAppRunState = Enums::AppRunState::DEFAULT;
    Enums::AppRunState mDeactivatedRunState = Enums::AppRunState::DEFAULT;
    Bool mReleaseOnSuspend = false;
    UInt32 mSuspendReleaseMask = 0xFFFFFFFF;
    Bool mFlagB = false;
    Bool mFlagC = false;
    Bool mFlagD = false;
    SInt32 mRateA = 0;
    Bool mFlagE = false;
    SInt32 mRateB = 0;
    Bool mFlagF = false;
    Bool mFlagG = false;
    SInt32 mIntegerF = 0;
    Enums::ScreenOrientation mNativeOrientation = Enums::ScreenOrientation::DEFAULT;
    Enums::ScreenOrientation mDeviceOrientation = Enums::ScreenOrientation::PORTRAIT_1;
    Float mAspectRatio = 1.6f;
    Bool mFixedAspectRatio = false;
    String mDisplayName = "Vorn";
    Bool mCursorHidden = false;
    Bool mExclusiveMouse = false;
    SInt32 mFrameRate = 0;
    Double mObjectProcessingTime = 0.005;
    Bool mMultiThreadedCalls = true;
    Bool mFullScreen = false;
    Bool mFlagM = false;
    SInt32 mIntegerH = 0;
    UInt32 mPrescaleFactor = 1;
    Float mDebugTextScale = 1.0f;
    SInt32 mIntegerJ = 0;
    Enums::ColorBufferFormat mColorBufferFormat = Enums::ColorBufferFormat::DEFAULT;
    Enums::AlphaBufferFormat mAlphaBufferFormat = Enums::AlphaBufferFormat::DEFAULT;
    UInt32 mCurrentStamp = 0;
    UInt32 mDisplayWidth = 960;
    UInt32 mDisplayHeight = 600;
    Float mDisplayScaleX = 1.0f;
    Float mDisplayScaleY = 1.0f;
    Float mPixelOffsetX = 0.0f;
    Float mPixelOffsetY = 0.0f;
    Double mMinStepDuration = 0.0;
    Double mMaxStepDuration = 1.0;
    UInt32 mMinNumberOfSteps = 1;
    UInt32 mMaxNumberOfSteps = 1;
};

} // namespace Testing
} // namespace Vorn
