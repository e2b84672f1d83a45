// The engine's one settings store. The platform creates it before the engine and writes the
// system facts, the game's application factory writes the game's settings, the engine advances
// the change stamps at the start of every frame, and everyone else reads it.
// No lock: writers work during start-up and on the main thread, other threads only read; the
// game's logic writes full screen, cursor, debug-text scale and frame rate from its own thread,
// so those settings and the shared stamps are atomic.
#pragma once

#include <atomic>
#include <cmath>

#include "foundation/configuration.h"

namespace Vorn {
namespace Core {

// The stamps that all properties of one configuration share.
struct ChangeStamps
{
    std::atomic<UInt32> mCurrent{0};        // the frame now running
    std::atomic<UInt32> mWrite{0};          // stamp of the changes made during this frame: current + 1
    std::atomic<UInt32> mLastChangeSeen{0}; // the newest change as it was when this frame began
    std::atomic<UInt32> mNewestChange{0};   // stamp of the latest change of any property
};

// Two values that are set together.
template <typename T>
struct ValuePairT
{
    T mFirst;
    T mSecond;
};

// Whether a new value leaves a property as it is. Floating values compare as doubles, and a
// not-a-number counts as equal to another one, so that writing it again is no change either.
template <typename T>
Bool IsSameValue(const T& a, const T& b)
{
    return a == b;
}

inline Bool IsSameValue(Double a, Double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

inline Bool IsSameValue(Float a, Float b)
{
    return IsSameValue(Double(a), Double(b));
}

template <typename T>
Bool IsSameValue(const ValuePairT<T>& a, const ValuePairT<T>& b)
{
    return IsSameValue(a.mFirst, b.mFirst) && IsSameValue(a.mSecond, b.mSecond);
}

// A setting: its value and the stamp of the frame in which it last changed (0 until then).
template <typename T>
class PropertyT
{
public:
    explicit PropertyT(const T& value) : mValue(value) {}

    const T& Get() const { return mValue; }
    UInt32 GetStamp() const { return mStamp; }

    // Stores a value that differs from the one held and stamps it for the next frame.
    void Set(const T& value, ChangeStamps& stamps)
    {
        if (IsSameValue(mValue, value))
            return;
        mValue = value;
        mStamp = stamps.mWrite.load();
        stamps.mNewestChange = stamps.mWrite.load();
    }

    // A change made during frame n shows from frame n + 1 on, to a reader whose stamp is older.
    Bool HasChanged(const ChangeStamps& stamps, UInt32 since) const
    {
        return mStamp <= stamps.mCurrent && since < mStamp;
    }

private:
    T mValue;
    UInt32 mStamp = 0;
};

// A setting that another thread may write while the main thread reads it: a value that fits an
// atomic word.
template <typename T>
class SharedPropertyT
{
public:
    explicit SharedPropertyT(const T& value) : mValue(value) {}

    T Get() const { return mValue.load(); }
    UInt32 GetStamp() const { return mStamp.load(); }

    void Set(const T& value, ChangeStamps& stamps)
    {
        if (IsSameValue(mValue.load(), value))
            return;
        const UInt32 write = stamps.mWrite.load();
        mValue.store(value);
        mStamp.store(write);
        stamps.mNewestChange.store(write);
    }

    Bool HasChanged(const ChangeStamps& stamps, UInt32 since) const
    {
        const UInt32 stamp = mStamp.load();
        return stamp <= stamps.mCurrent.load() && since < stamp;
    }

private:
    std::atomic<T> mValue;
    std::atomic<UInt32> mStamp{0};
};

// The family rule of the platform facts: a tested value whose low 8 bits are 0 names a whole
// family and matches every member of it; any other value must match exactly.
Bool IsInFamily(UInt32 configured, UInt32 tested);

class Configuration : public IConfiguration
{
public:
    Configuration() = default;
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;

    Bool HasChanged(UInt32 stamp) const override;
    UInt32 GetCurrentStamp() const override { return mStamps.mCurrent; }
    void SetCurrentStamp(UInt32 frame) override;

    void SetTextA(const String& text) override { mTextA.Set(text, mStamps); }
    void SetLogFilePath(const String& path) override { mLogFilePath.Set(path, mStamps); }
    const String& GetTextA() const override { return mTextA.Get(); }
    const String& GetLogFilePath() const override { return mLogFilePath.Get(); }

    void SetApplicationName(const String& name) override { mApplicationName.Set(name, mStamps); }
    const String& GetApplicationName() const override { return mApplicationName.Get(); }
    Bool HasApplicationNameChanged(UInt32 stamp) const override { return mApplicationName.HasChanged(mStamps, stamp); }

    void SetDeviceId(const String& id) override { mDeviceId.Set(id, mStamps); }
    const String& GetDeviceId() const override { return mDeviceId.Get(); }
    Bool HasDeviceIdChanged(UInt32 stamp) const override { return mDeviceId.HasChanged(mStamps, stamp); }

    void SetCountry(const String& country) override { mCountry.Set(country, mStamps); }
    const String& GetCountry() const override { return mCountry.Get(); }
    Bool HasCountryChanged(UInt32 stamp) const override { return mCountry.HasChanged(mStamps, stamp); }

    void SetLanguage(Enums::Language language) override { mLanguage.Set(language, mStamps); }
    Enums::Language GetLanguage() const override { return mLanguage.Get(); }
    Bool IsLanguage(UInt32 value) const override { return Enums::Value(mLanguage.Get()) == value; }
    Bool HasLanguageChanged(UInt32 stamp) const override { return mLanguage.HasChanged(mStamps, stamp); }

    void SetDeviceClass(Enums::DeviceClass deviceClass) override { mDeviceClass.Set(deviceClass, mStamps); }
    Enums::DeviceClass GetDeviceClass() const override { return mDeviceClass.Get(); }
    Bool IsDeviceClass(UInt32 value) const override { return IsInFamily(Enums::Value(mDeviceClass.Get()), value); }
    Bool HasDeviceClassChanged(UInt32 stamp) const override { return mDeviceClass.HasChanged(mStamps, stamp); }

    void SetDeviceModel(Enums::DeviceModel model) override { mDeviceModel.Set(model, mStamps); }
    Enums::DeviceModel GetDeviceModel() const override { return mDeviceModel.Get(); }
    Bool IsDeviceModel(UInt32 value) const override { return IsInFamily(Enums::Value(mDeviceModel.Get()), value); }
    Bool HasDeviceModelChanged(UInt32 stamp) const override { return mDeviceModel.HasChanged(mStamps, stamp); }

    void SetOperatingSystem(Enums::OperatingSystem system) override { mOperatingSystem.Set(system, mStamps); }
    Enums::OperatingSystem GetOperatingSystem() const override { return mOperatingSystem.Get(); }
    Bool IsOperatingSystem(UInt32 value) const override { return IsInFamily(Enums::Value(mOperatingSystem.Get()), value); }
    Bool HasOperatingSystemChanged(UInt32 stamp) const override { return mOperatingSystem.HasChanged(mStamps, stamp); }

    void SetGpuModel(Enums::GpuModel model) override { mGpuModel.Set(model, mStamps); }
    Enums::GpuModel GetGpuModel() const override { return mGpuModel.Get(); }
    Bool IsGpuModel(UInt32 value) const override { return IsInFamily(Enums::Value(mGpuModel.Get()), value); }
    Bool HasGpuModelChanged(UInt32 stamp) const override { return mGpuModel.HasChanged(mStamps, stamp); }

    void SetScreenClass(Enums::ScreenClass screenClass) override { mScreenClass.Set(screenClass, mStamps); }
    Enums::ScreenClass GetScreenClass() const override { return mScreenClass.Get(); }
    Bool IsScreenClass(UInt32 value) const override { return Enums::Value(mScreenClass.Get()) == value; }
    Bool HasScreenClassChanged(UInt32 stamp) const override { return mScreenClass.HasChanged(mStamps, stamp); }

    void SetVideoApi(Enums::VideoApi api) override { mVideoApi.Set(api, mStamps); }
    Enums::VideoApi GetVideoApi() const override { return mVideoApi.Get(); }
    Bool IsVideoApi(UInt32 value) const override { return Enums::Value(mVideoApi.Get()) == value; }
    Bool HasVideoApiChanged(UInt32 stamp) const override { return mVideoApi.HasChanged(mStamps, stamp); }

    void SetAudioApi(Enums::AudioApi api) override { mAudioApi.Set(api, mStamps); }
    Enums::AudioApi GetAudioApi() const override { return mAudioApi.Get(); }
    Bool IsAudioApi(UInt32 value) const override { return Enums::Value(mAudioApi.Get()) == value; }
    Bool HasAudioApiChanged(UInt32 stamp) const override { return mAudioApi.HasChanged(mStamps, stamp); }

    void SetResourceFileCategory(Enums::FileCategory category) override { mResourceFileCategory.Set(category, mStamps); }
    Enums::FileCategory GetResourceFileCategory() const override { return mResourceFileCategory.Get(); }
    Bool HasResourceFileCategoryChanged(UInt32 stamp) const override { return mResourceFileCategory.HasChanged(mStamps, stamp); }

    void SetAppRunState(Enums::AppRunState state) override { mAppRunState.Set(state, mStamps); }
    Enums::AppRunState GetAppRunState() const override { return mAppRunState.Get(); }
    Bool HasAppRunStateChanged(UInt32 stamp) const override { return mAppRunState.HasChanged(mStamps, stamp); }

    void SetDeactivatedRunState(Enums::AppRunState state) override { mDeactivatedRunState.Set(state, mStamps); }
    Enums::AppRunState GetDeactivatedRunState() const override { return mDeactivatedRunState.Get(); }
    Bool HasDeactivatedRunStateChanged(UInt32 stamp) const override { return mDeactivatedRunState.HasChanged(mStamps, stamp); }

    void SetReleaseOnSuspend(Bool release) override { mReleaseOnSuspend.Set(release, mStamps); }
    Bool GetReleaseOnSuspend() const override { return mReleaseOnSuspend.Get(); }
    Bool HasReleaseOnSuspendChanged(UInt32 stamp) const override { return mReleaseOnSuspend.HasChanged(mStamps, stamp); }

    void SetSuspendReleaseMask(UInt32 mask) override { mSuspendReleaseMask.Set(mask, mStamps); }
    UInt32 GetSuspendReleaseMask() const override { return mSuspendReleaseMask.Get(); }
    Bool HasSuspendReleaseMaskChanged(UInt32 stamp) const override { return mSuspendReleaseMask.HasChanged(mStamps, stamp); }

    void SetFlagB(Bool flag) override { mFlagB.Set(flag, mStamps); }
    Bool GetFlagB() const override { return mFlagB.Get(); }
    Bool HasFlagBChanged(UInt32 stamp) const override { return mFlagB.HasChanged(mStamps, stamp); }

    void SetFlagC(Bool flag) override { mFlagC.Set(flag, mStamps); }
    Bool GetFlagC() const override { return mFlagC.Get(); }
    Bool HasFlagCChanged(UInt32 stamp) const override { return mFlagC.HasChanged(mStamps, stamp); }

    void SetFlagD(Bool flag) override { mFlagD.Set(flag, mStamps); }
    Bool GetFlagD() const override { return mFlagD.Get(); }
    Bool HasFlagDChanged(UInt32 stamp) const override { return mFlagD.HasChanged(mStamps, stamp); }

    void SetRateA(SInt32 rate) override { mRateA.Set(rate, mStamps); }
    SInt32 GetRateA() const override { return mRateA.Get(); }
    Bool HasRateAChanged(UInt32 stamp) const override { return mRateA.HasChanged(mStamps, stamp); }

    void SetFlagE(Bool flag) override { mFlagE.Set(flag, mStamps); }
    Bool GetFlagE() const override { return mFlagE.Get(); }
    Bool HasFlagEChanged(UInt32 stamp) const override { return mFlagE.HasChanged(mStamps, stamp); }

    void SetRateB(SInt32 rate) override { mRateB.Set(rate, mStamps); }
    SInt32 GetRateB() const override { return mRateB.Get(); }
    Bool HasRateBChanged(UInt32 stamp) const override { return mRateB.HasChanged(mStamps, stamp); }

    void SetFlagF(Bool flag) override { mFlagF.Set(flag, mStamps); }
    Bool GetFlagF() const override { return mFlagF.Get(); }
    Bool HasFlagFChanged(UInt32 stamp) const override { return mFlagF.HasChanged(mStamps, stamp); }

    void SetFlagG(Bool flag) override { mFlagG.Set(flag, mStamps); }
    Bool GetFlagG() const override { return mFlagG.Get(); }
    Bool HasFlagGChanged(UInt32 stamp) const override { return mFlagG.HasChanged(mStamps, stamp); }

    void SetIntegerF(SInt32 value) override { mIntegerF.Set(value, mStamps); }
    SInt32 GetIntegerF() const override { return mIntegerF.Get(); }
    Bool HasIntegerFChanged(UInt32 stamp) const override { return mIntegerF.HasChanged(mStamps, stamp); }

    UInt32 GetNativeAxisOrientations() const override { return UnionOf(mNativeAxisOrientations.Get()); }
    Enums::ScreenOrientation GetNativeAxisOrientation(UInt32 index) const override { return MemberOf(mNativeAxisOrientations.Get(), index); }
    Bool HasNativeAxisOrientationsChanged(UInt32 stamp) const override { return mNativeAxisOrientations.HasChanged(mStamps, stamp); }

    UInt32 GetCrossAxisOrientations() const override { return UnionOf(mCrossAxisOrientations.Get()); }
    Enums::ScreenOrientation GetCrossAxisOrientation(UInt32 index) const override { return MemberOf(mCrossAxisOrientations.Get(), index); }
    Bool HasCrossAxisOrientationsChanged(UInt32 stamp) const override { return mCrossAxisOrientations.HasChanged(mStamps, stamp); }

    void SetNativeOrientation(Enums::ScreenOrientation orientation) override;
    Enums::ScreenOrientation GetNativeOrientation() const override { return mNativeOrientation.Get(); }
    Bool HasNativeOrientationChanged(UInt32 stamp) const override { return mNativeOrientation.HasChanged(mStamps, stamp); }

    void SetDeviceOrientation(Enums::ScreenOrientation orientation) override;
    Enums::ScreenOrientation GetDeviceOrientation() const override { return mDeviceOrientation.Get(); }
    Bool HasDeviceOrientationChanged(UInt32 stamp) const override { return mDeviceOrientation.HasChanged(mStamps, stamp); }

    Enums::ScreenOrientation GetScreenOrientation() const override { return mScreenOrientation.Get(); }
    Bool HasScreenOrientationChanged(UInt32 stamp) const override { return mScreenOrientation.HasChanged(mStamps, stamp); }

    void SetDisplaySurfaceSize(UInt32 width, UInt32 height) override;
    UInt32 GetDisplaySurfaceWidth() const override { return mDisplaySurfaceSize.Get().mFirst; }
    UInt32 GetDisplaySurfaceHeight() const override { return mDisplaySurfaceSize.Get().mSecond; }
    Bool HasDisplaySurfaceSizeChanged(UInt32 stamp) const override { return mDisplaySurfaceSize.HasChanged(mStamps, stamp); }

    UInt32 GetDisplayWidth() const override { return mDisplaySize.Get().mFirst; }
    UInt32 GetDisplayHeight() const override { return mDisplaySize.Get().mSecond; }
    Bool HasDisplaySizeChanged(UInt32 stamp) const override { return mDisplaySize.HasChanged(mStamps, stamp); }

    void SetAspectRatio(Float ratio) override { mAspectRatio.Set(ratio, mStamps); }
    Float GetAspectRatio() const override { return mAspectRatio.Get(); }
    Bool HasAspectRatioChanged(UInt32 stamp) const override { return mAspectRatio.HasChanged(mStamps, stamp); }

    void SetFixedAspectRatio(Bool fixed) override { mFixedAspectRatio.Set(fixed, mStamps); }
    Bool GetFixedAspectRatio() const override { return mFixedAspectRatio.Get(); }
    Bool HasFixedAspectRatioChanged(UInt32 stamp) const override { return mFixedAspectRatio.HasChanged(mStamps, stamp); }

    void SetDisplayName(const String& name) override { mDisplayName.Set(name, mStamps); }
    const String& GetDisplayName() const override { return mDisplayName.Get(); }
    Bool HasDisplayNameChanged(UInt32 stamp) const override { return mDisplayName.HasChanged(mStamps, stamp); }

    void SetDisplayScale(Float x, Float y) override { mDisplayScale.Set({x, y}, mStamps); }
    Float GetDisplayScaleX() const override { return mDisplayScale.Get().mFirst; }
    Float GetDisplayScaleY() const override { return mDisplayScale.Get().mSecond; }
    Bool HasDisplayScaleChanged(UInt32 stamp) const override { return mDisplayScale.HasChanged(mStamps, stamp); }

    void SetPixelOffset(Float x, Float y) override { mPixelOffset.Set({x, y}, mStamps); }
    Float GetPixelOffsetX() const override { return mPixelOffset.Get().mFirst; }
    Float GetPixelOffsetY() const override { return mPixelOffset.Get().mSecond; }
    Bool HasPixelOffsetChanged(UInt32 stamp) const override { return mPixelOffset.HasChanged(mStamps, stamp); }

    void SetCursorHidden(Bool hidden) override { mCursorHidden.Set(hidden, mStamps); }
    Bool GetCursorHidden() const override { return mCursorHidden.Get(); }
    Bool HasCursorHiddenChanged(UInt32 stamp) const override { return mCursorHidden.HasChanged(mStamps, stamp); }

    void SetExclusiveMouse(Bool exclusive) override { mExclusiveMouse.Set(exclusive, mStamps); }
    Bool GetExclusiveMouse() const override { return mExclusiveMouse.Get(); }
    Bool HasExclusiveMouseChanged(UInt32 stamp) const override { return mExclusiveMouse.HasChanged(mStamps, stamp); }

    void SetFrameRate(SInt32 rate) override { mFrameRate.Set(rate, mStamps); }
    SInt32 GetFrameRate() const override { return mFrameRate.Get(); }
    Bool HasFrameRateChanged(UInt32 stamp) const override { return mFrameRate.HasChanged(mStamps, stamp); }

    void SetObjectProcessingTime(Double seconds) override { mObjectProcessingTime.Set(seconds, mStamps); }
    Double GetObjectProcessingTime() const override { return mObjectProcessingTime.Get(); }
    Bool HasObjectProcessingTimeChanged(UInt32 stamp) const override { return mObjectProcessingTime.HasChanged(mStamps, stamp); }

    void SetMultiThreadedCalls(Bool allowed) override { mMultiThreadedCalls.Set(allowed, mStamps); }
    Bool GetMultiThreadedCalls() const override { return mMultiThreadedCalls.Get(); }
    Bool HasMultiThreadedCallsChanged(UInt32 stamp) const override { return mMultiThreadedCalls.HasChanged(mStamps, stamp); }

    void SetFullScreen(Bool fullScreen) override { mFullScreen.Set(fullScreen, mStamps); }
    Bool GetFullScreen() const override { return mFullScreen.Get(); }
    Bool HasFullScreenChanged(UInt32 stamp) const override { return mFullScreen.HasChanged(mStamps, stamp); }

    void SetFlagM(Bool flag) override { mFlagM.Set(flag, mStamps); }
    Bool GetFlagM() const override { return mFlagM.Get(); }
    Bool HasFlagMChanged(UInt32 stamp) const override { return mFlagM.HasChanged(mStamps, stamp); }

    void SetIntegerH(SInt32 value) override { mIntegerH.Set(value, mStamps); }
    SInt32 GetIntegerH() const override { return mIntegerH.Get(); }
    Bool HasIntegerHChanged(UInt32 stamp) const override { return mIntegerH.HasChanged(mStamps, stamp); }

    void SetPrescaleFactor(UInt32 factor) override { mPrescaleFactor.Set(factor, mStamps); }
    UInt32 GetPrescaleFactor() const override { return mPrescaleFactor.Get(); }
    Bool IsPrescaleFactor(UInt32 value) const override { return mPrescaleFactor.Get() == value; }
    Bool HasPrescaleFactorChanged(UInt32 stamp) const override { return mPrescaleFactor.HasChanged(mStamps, stamp); }

    void SetDebugTextScale(Float scale) override { mDebugTextScale.Set(scale, mStamps); }
    Float GetDebugTextScale() const override { return mDebugTextScale.Get(); }
    Bool HasDebugTextScaleChanged(UInt32 stamp) const override { return mDebugTextScale.HasChanged(mStamps, stamp); }

    void SetStepDuration(Double duration) override { mStepDuration.Set({duration, duration}, mStamps); }
    void SetStepDuration(Double smallest, Double largest) override { mStepDuration.Set({smallest, largest}, mStamps); }
    Double GetMinStepDuration() const override { return mStepDuration.Get().mFirst; }
    Double GetMaxStepDuration() const override { return mStepDuration.Get().mSecond; }
    Bool HasStepDurationChanged(UInt32 stamp) const override { return mStepDuration.HasChanged(mStamps, stamp); }

    void SetNumberOfSteps(UInt32 count) override { mNumberOfSteps.Set({count, count}, mStamps); }
    void SetNumberOfSteps(UInt32 smallest, UInt32 largest) override { mNumberOfSteps.Set({smallest, largest}, mStamps); }
    UInt32 GetMinNumberOfSteps() const override { return mNumberOfSteps.Get().mFirst; }
    UInt32 GetMaxNumberOfSteps() const override { return mNumberOfSteps.Get().mSecond; }
    Bool HasNumberOfStepsChanged(UInt32 stamp) const override { return mNumberOfSteps.HasChanged(mStamps, stamp); }

    void SetIntegerJ(SInt32 value) override { mIntegerJ.Set(value, mStamps); }
    SInt32 GetIntegerJ() const override { return mIntegerJ.Get(); }
    Bool HasIntegerJChanged(UInt32 stamp) const override { return mIntegerJ.HasChanged(mStamps, stamp); }

    void SetColorBufferFormat(Enums::ColorBufferFormat format) override { mColorBufferFormat.Set(format, mStamps); }
    Enums::ColorBufferFormat GetColorBufferFormat() const override { return mColorBufferFormat.Get(); }
    Bool HasColorBufferFormatChanged(UInt32 stamp) const override { return mColorBufferFormat.HasChanged(mStamps, stamp); }

    void SetAlphaBufferFormat(Enums::AlphaBufferFormat format) override { mAlphaBufferFormat.Set(format, mStamps); }
    Enums::AlphaBufferFormat GetAlphaBufferFormat() const override { return mAlphaBufferFormat.Get(); }
    Bool HasAlphaBufferFormatChanged(UInt32 stamp) const override { return mAlphaBufferFormat.HasChanged(mStamps, stamp); }

    Enums::PixelFormat GetDefaultPixelFormat(Bool withAlpha) const override;

    ~Configuration() override = default;

private:
    typedef ValuePairT<Enums::ScreenOrientation> OrientationPair;
    typedef ValuePairT<UInt32> Size;

    static UInt32 UnionOf(const OrientationPair& members) { return Enums::Value(members.mFirst) | Enums::Value(members.mSecond); }
    static Enums::ScreenOrientation MemberOf(const OrientationPair& members, UInt32 index) { return index == 0 ? members.mFirst : members.mSecond; }

    // The derived orientation values, each stored through the same compare-and-stamp rule.
    void UpdateScreenOrientation();
    void UpdateAxisOrientations();
    void UpdateDisplaySize();

    ChangeStamps mStamps;

    PropertyT<String> mTextA{String()};
    PropertyT<String> mLogFilePath{String()};
    PropertyT<String> mApplicationName{String("VornApp")};
    PropertyT<String> mDeviceId{String("00000000000000000000000000000000")};
    PropertyT<String> mCountry{String("US")};
    PropertyT<Enums::Language> mLanguage{Enums::Language::ENGLISH};
    PropertyT<Enums::DeviceClass> mDeviceClass{Enums::DeviceClass::DEFAULT};
    PropertyT<Enums::DeviceModel> mDeviceModel{Enums::DeviceModel::DEFAULT};
    PropertyT<Enums::OperatingSystem> mOperatingSystem{Enums::OperatingSystem::DEFAULT};
    PropertyT<Enums::GpuModel> mGpuModel{Enums::GpuModel::DEFAULT};
    PropertyT<Enums::ScreenClass> mScreenClass{Enums::ScreenClass::DEFAULT};
    PropertyT<Enums::VideoApi> mVideoApi{Enums::VideoApi::DEFAULT};
    PropertyT<Enums::AudioApi> mAudioApi{Enums::AudioApi::DEFAULT};
    PropertyT<Enums::FileCategory> mResourceFileCategory{Enums::FileCategory::RESOURCE};
    PropertyT<Enums::AppRunState> mAppRunState{Enums::AppRunState::DEFAULT};
    PropertyT<Enums::AppRunState> mDeactivatedRunState{Enums::AppRunState::DEFAULT};
    PropertyT<Bool> mReleaseOnSuspend{false};
    PropertyT<UInt32> mSuspendReleaseMask{Enums::Value(Enums::MemoryObjectType::ALL)};
    PropertyT<Bool> mFlagB{false};
    PropertyT<Bool> mFlagC{false};
    PropertyT<Bool> mFlagD{false};
    PropertyT<SInt32> mRateA{60};
    PropertyT<Bool> mFlagE{false};
    PropertyT<SInt32> mRateB{60};
    PropertyT<Bool> mFlagF{false};
    PropertyT<Bool> mFlagG{false};
    PropertyT<SInt32> mIntegerF{0};
    PropertyT<OrientationPair> mNativeAxisOrientations{{Enums::ScreenOrientation::LANDSCAPE_1, Enums::ScreenOrientation::LANDSCAPE_2}};
    PropertyT<OrientationPair> mCrossAxisOrientations{{Enums::ScreenOrientation::PORTRAIT_1, Enums::ScreenOrientation::PORTRAIT_2}};
    PropertyT<Enums::ScreenOrientation> mNativeOrientation{Enums::ScreenOrientation::DEFAULT};
    PropertyT<Enums::ScreenOrientation> mDeviceOrientation{Enums::ScreenOrientation::DEFAULT};
    PropertyT<Enums::ScreenOrientation> mScreenOrientation{Enums::ScreenOrientation::PORTRAIT_1};
    PropertyT<Size> mDisplaySurfaceSize{{960, 600}};
    PropertyT<Size> mDisplaySize{{960, 600}};
    PropertyT<Float> mAspectRatio{0.0f};
    PropertyT<Bool> mFixedAspectRatio{false};
    PropertyT<String> mDisplayName{String("Vorn")};
    PropertyT<ValuePairT<Float>> mDisplayScale{{1.0f, 1.0f}};
    PropertyT<ValuePairT<Float>> mPixelOffset{{0.0f, 0.0f}};
    SharedPropertyT<Bool> mCursorHidden{false};
    PropertyT<Bool> mExclusiveMouse{false};
    SharedPropertyT<SInt32> mFrameRate{60};
    PropertyT<Double> mObjectProcessingTime{0.005};
    PropertyT<Bool> mMultiThreadedCalls{true};
    SharedPropertyT<Bool> mFullScreen{true};
    PropertyT<Bool> mFlagM{true};
    PropertyT<SInt32> mIntegerH{1};
    PropertyT<UInt32> mPrescaleFactor{1};
    SharedPropertyT<Float> mDebugTextScale{1.0f};
    PropertyT<ValuePairT<Double>> mStepDuration{{0.0, 1.0}};
    PropertyT<ValuePairT<UInt32>> mNumberOfSteps{{1, 1}};
    PropertyT<SInt32> mIntegerJ{3};
    PropertyT<Enums::ColorBufferFormat> mColorBufferFormat{Enums::ColorBufferFormat::DEFAULT};
    PropertyT<Enums::AlphaBufferFormat> mAlphaBufferFormat{Enums::AlphaBufferFormat::DEFAULT};
};

} // namespace Core
} // namespace Vorn
