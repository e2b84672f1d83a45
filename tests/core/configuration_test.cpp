#include "core/configuration.h"

#include <gtest/gtest.h>

#include <limits>
#include <thread>

namespace {

using Vorn::Bool;
using Vorn::Float;
using Vorn::IConfiguration;
using Vorn::String;
using Vorn::UInt32;
using Vorn::Core::Configuration;
namespace Enums = Vorn::Enums;

typedef Enums::ScreenOrientation Orientation;

TEST(ConfigurationTest, StartsWithItsDefaults)
{
    Configuration configuration;
    const IConfiguration& config = configuration;

    EXPECT_EQ(config.GetCurrentStamp(), 0u);
    EXPECT_TRUE(config.GetTextA().IsEmpty());
    EXPECT_TRUE(config.GetLogFilePath().IsEmpty());
    EXPECT_EQ(config.GetApplicationName(), "VornApp");
    EXPECT_EQ(config.GetDeviceId(), "00000000000000000000000000000000");
    EXPECT_EQ(config.GetCountry(), "US");
    EXPECT_EQ(config.GetDisplayName(), "Vorn");
    EXPECT_EQ(config.GetLanguage(), Enums::Language::ENGLISH);
    EXPECT_EQ(config.GetDeviceClass(), Enums::DeviceClass::DEFAULT);
    EXPECT_EQ(config.GetVideoApi(), Enums::VideoApi::DEFAULT);
    EXPECT_EQ(config.GetResourceFileCategory(), Enums::FileCategory::RESOURCE);
    EXPECT_EQ(config.GetAppRunState(), Enums::AppRunState::DEFAULT);
    EXPECT_EQ(config.GetDeactivatedRunState(), Enums::AppRunState::DEFAULT);
    EXPECT_FALSE(config.GetReleaseOnSuspend());
    EXPECT_EQ(config.GetSuspendReleaseMask(), 0xFFFFFFFFu);
    EXPECT_EQ(config.GetRateA(), 60);
    EXPECT_EQ(config.GetRateB(), 60);
    EXPECT_EQ(config.GetIntegerF(), 0);
    EXPECT_EQ(config.GetIntegerH(), 1);
    EXPECT_EQ(config.GetIntegerJ(), 3);
    EXPECT_FALSE(config.GetFlagB() || config.GetFlagC() || config.GetFlagD() || config.GetFlagE() ||
                 config.GetFlagF() || config.GetFlagG());
    EXPECT_TRUE(config.GetFlagM());

    EXPECT_EQ(config.GetNativeAxisOrientations(), 10u);
    EXPECT_EQ(config.GetNativeAxisOrientation(0), Orientation::LANDSCAPE_1);
    EXPECT_EQ(config.GetNativeAxisOrientation(1), Orientation::LANDSCAPE_2);
    EXPECT_EQ(config.GetCrossAxisOrientations(), 5u);
    EXPECT_EQ(config.GetCrossAxisOrientation(0), Orientation::PORTRAIT_1);
    EXPECT_EQ(config.GetCrossAxisOrientation(7), Orientation::PORTRAIT_2);
    EXPECT_EQ(config.GetNativeOrientation(), Orientation::DEFAULT);
    EXPECT_EQ(config.GetDeviceOrientation(), Orientation::DEFAULT);
    EXPECT_EQ(config.GetScreenOrientation(), Orientation::PORTRAIT_1);
    EXPECT_EQ(config.GetDisplaySurfaceWidth(), 960u);
    EXPECT_EQ(config.GetDisplaySurfaceHeight(), 600u);
    EXPECT_EQ(config.GetDisplayWidth(), 960u);
    EXPECT_EQ(config.GetDisplayHeight(), 600u);

    EXPECT_EQ(config.GetAspectRatio(), 0.0f);
    EXPECT_FALSE(config.GetFixedAspectRatio());
    EXPECT_EQ(config.GetDisplayScaleX(), 1.0f);
    EXPECT_EQ(config.GetDisplayScaleY(), 1.0f);
    EXPECT_EQ(config.GetPixelOffsetX(), 0.0f);
    EXPECT_EQ(config.GetPixelOffsetY(), 0.0f);
    EXPECT_FALSE(config.GetCursorHidden());
    EXPECT_FALSE(config.GetExclusiveMouse());
    EXPECT_EQ(config.GetFrameRate(), 60);
    EXPECT_EQ(config.GetObjectProcessingTime(), 0.005);
    EXPECT_TRUE(config.GetMultiThreadedCalls());
    EXPECT_TRUE(config.GetFullScreen());
    EXPECT_EQ(config.GetPrescaleFactor(), 1u);
    EXPECT_EQ(config.GetDebugTextScale(), 1.0f);
    EXPECT_EQ(config.GetMinStepDuration(), 0.0);
    EXPECT_EQ(config.GetMaxStepDuration(), 1.0);
    EXPECT_EQ(config.GetMinNumberOfSteps(), 1u);
    EXPECT_EQ(config.GetMaxNumberOfSteps(), 1u);
    EXPECT_EQ(config.GetColorBufferFormat(), Enums::ColorBufferFormat::DEFAULT);
    EXPECT_EQ(config.GetAlphaBufferFormat(), Enums::AlphaBufferFormat::DEFAULT);
}

// A change made in frame 5 (stamped 6), read in a later frame by readers with various stamps.
TEST(ConfigurationTest, ReportsAChangeFromTheNextFrameToReadersThatLookedBeforeIt)
{
    struct Case
    {
        UInt32 frame;
        UInt32 readerStamp;
        Bool expected;
    };
    const Case cases[] = {
        {5, 0, false}, // same frame: not yet
        {5, 4, false},
        {6, 5, true},
        {6, 0, true},
        {6, 6, false}, // the reader already looked in frame 6
        {9, 5, true},
        {9, 6, false},
        {9, 8, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "frame " << c.frame << ", reader stamp " << c.readerStamp);
        Configuration config;
        config.SetCurrentStamp(5);
        config.SetFullScreen(false);
        config.SetCurrentStamp(c.frame);
        EXPECT_EQ(config.HasFullScreenChanged(c.readerStamp), c.expected);
        EXPECT_EQ(config.HasChanged(c.readerStamp), c.expected);
        EXPECT_FALSE(config.HasCursorHiddenChanged(c.readerStamp));
        EXPECT_EQ(config.GetCurrentStamp(), c.frame);
    }
}

TEST(ConfigurationTest, LogFilePathChangeMarksTheConfigurationChanged)
{
    Configuration config;
    config.SetCurrentStamp(1);
    config.SetLogFilePath(String("vorn.log"));
    config.SetCurrentStamp(2);
    EXPECT_EQ(config.GetLogFilePath(), "vorn.log");
    EXPECT_TRUE(config.HasChanged(1));
}

TEST(ConfigurationTest, SettingsWrittenBeforeTheFirstFrameAreNoChange)
{
    Configuration config;
    config.SetApplicationName(String("Plovendra"));
    config.SetDisplaySurfaceSize(1280, 800);
    config.SetCurrentStamp(1);
    config.SetCurrentStamp(2);
    EXPECT_EQ(config.GetApplicationName(), "Plovendra");
    EXPECT_FALSE(config.HasChanged(0));
    EXPECT_FALSE(config.HasApplicationNameChanged(0));
    EXPECT_FALSE(config.HasDisplaySizeChanged(0));
}

TEST(ConfigurationTest, WritingTheCurrentValueIsNoChange)
{
    Configuration config;
    config.SetCurrentStamp(1);
    config.SetFullScreen(true);
    config.SetLanguage(Enums::Language::ENGLISH);
    config.SetApplicationName(String("Vorn") + "App"); // another String, same text
    config.SetDisplayScale(1.0f, 1.0f);
    config.SetStepDuration(0.0, 1.0);
    config.SetObjectProcessingTime(0.005);
    config.SetDeviceOrientation(Orientation::DEFAULT);
    config.SetCurrentStamp(2);

    EXPECT_FALSE(config.HasChanged(0));
    EXPECT_FALSE(config.HasChanged(1));
    EXPECT_FALSE(config.HasFullScreenChanged(0));
    EXPECT_FALSE(config.HasLanguageChanged(0));
    EXPECT_FALSE(config.HasApplicationNameChanged(0));
    EXPECT_FALSE(config.HasDisplayScaleChanged(0));
    EXPECT_FALSE(config.HasStepDurationChanged(0));
    EXPECT_FALSE(config.HasScreenOrientationChanged(0));
}

TEST(ConfigurationTest, PairsChangeWithEitherMemberAndNotANumberOnce)
{
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    Configuration config;
    config.SetCurrentStamp(1);
    config.SetPixelOffset(0.0f, 0.5f);
    config.SetAspectRatio(nan);
    config.SetCurrentStamp(2);
    EXPECT_TRUE(config.HasPixelOffsetChanged(1));
    EXPECT_TRUE(config.HasAspectRatioChanged(1));

    config.SetAspectRatio(nan);
    config.SetNumberOfSteps(1, 3);
    config.SetCurrentStamp(3);
    EXPECT_FALSE(config.HasAspectRatioChanged(2));
    EXPECT_TRUE(config.HasChanged(2));
    EXPECT_TRUE(config.HasNumberOfStepsChanged(2));
    EXPECT_EQ(config.GetMinNumberOfSteps(), 1u);
    EXPECT_EQ(config.GetMaxNumberOfSteps(), 3u);
}

TEST(ConfigurationTest, OneStepValueSetsBothBounds)
{
    Configuration config;
    config.SetStepDuration(0.02);
    config.SetNumberOfSteps(4);
    EXPECT_EQ(config.GetMinStepDuration(), 0.02);
    EXPECT_EQ(config.GetMaxStepDuration(), 0.02);
    EXPECT_EQ(config.GetMinNumberOfSteps(), 4u);
    EXPECT_EQ(config.GetMaxNumberOfSteps(), 4u);
}

// A family value (low 8 bits 0) matches every member of its family; others must be equal.
TEST(ConfigurationTest, PlatformTestsFollowTheFamilyRule)
{
    struct Family
    {
        const char* name;
        void (*set)(Configuration&, UInt32);
        Bool (*is)(const Configuration&, UInt32);
    };
    const Family families[] = {
        {"device class", [](Configuration& c, UInt32 v) { c.SetDeviceClass(Enums::DeviceClass(v)); },
         [](const Configuration& c, UInt32 v) { return c.IsDeviceClass(v); }},
        {"device model", [](Configuration& c, UInt32 v) { c.SetDeviceModel(Enums::DeviceModel(v)); },
         [](const Configuration& c, UInt32 v) { return c.IsDeviceModel(v); }},
        {"operating system", [](Configuration& c, UInt32 v) { c.SetOperatingSystem(Enums::OperatingSystem(v)); },
         [](const Configuration& c, UInt32 v) { return c.IsOperatingSystem(v); }},
        {"gpu model", [](Configuration& c, UInt32 v) { c.SetGpuModel(Enums::GpuModel(v)); },
         [](const Configuration& c, UInt32 v) { return c.IsGpuModel(v); }},
    };
    struct Case
    {
        UInt32 configured;
        UInt32 tested;
        Bool expected;
    };
    const Case cases[] = {
        {0x101, 0x100, true},  {0x102, 0x100, true},  {0x101, 0x101, true},
        {0x101, 0x102, false}, {0x101, 0x200, false}, {0x100, 0x100, true},
        {0x100, 0x101, false}, {0x000, 0x000, true},  {0x005, 0x000, true},
        {0x100, 0x000, false}, {0x300, 0x300, true},  {0x301, 0x300, true},
    };
    for (const Family& family : families)
    {
        for (const Case& c : cases)
        {
            SCOPED_TRACE(testing::Message() << family.name << ": configured " << c.configured << ", tested "
                                            << c.tested);
            Configuration config;
            family.set(config, c.configured);
            EXPECT_EQ(family.is(config, c.tested), c.expected);
        }
    }
}

TEST(ConfigurationTest, PlainTestsNeedTheExactValue)
{
    Configuration config;
    config.SetLanguage(Enums::Language::GERMAN);
    config.SetScreenClass(Enums::ScreenClass::XLARGE);
    config.SetVideoApi(Enums::VideoApi::DX9);
    config.SetAudioApi(Enums::AudioApi::AL11);
    config.SetPrescaleFactor(2);

    EXPECT_TRUE(config.IsLanguage(2));
    EXPECT_FALSE(config.IsLanguage(1));
    EXPECT_FALSE(config.IsLanguage(0));
    EXPECT_TRUE(config.IsScreenClass(4));
    EXPECT_FALSE(config.IsScreenClass(0));
    EXPECT_TRUE(config.IsVideoApi(3));
    EXPECT_FALSE(config.IsVideoApi(0));
    EXPECT_TRUE(config.IsAudioApi(2));
    EXPECT_FALSE(config.IsAudioApi(1));
    EXPECT_TRUE(config.IsPrescaleFactor(2));
    EXPECT_FALSE(config.IsPrescaleFactor(1));
}

TEST(ConfigurationTest, DerivesOrientationsAndTheOrientedSize)
{
    struct Case
    {
        UInt32 native;
        UInt32 device;
        UInt32 screen;
        UInt32 nativeFirst, nativeSecond;
        UInt32 crossFirst, crossSecond;
        UInt32 width, height;
    };
    const Case cases[] = {
        {0, 0, 1, 1, 4, 2, 8, 1280, 800}, // nothing set: no turns
        {0, 1, 1, 1, 4, 2, 8, 1280, 800}, // the desktop platform
        {2, 4, 2, 2, 8, 4, 1, 800, 1280},
        {2, 2, 1, 2, 8, 4, 1, 1280, 800},
        {8, 2, 4, 8, 2, 1, 4, 1280, 800},
        {1, 8, 8, 1, 4, 2, 8, 800, 1280},
        {4, 1, 4, 4, 1, 8, 2, 1280, 800},
        {3, 2, 2, 1, 4, 2, 8, 800, 1280}, // not an orientation: no turns
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "native " << c.native << ", device " << c.device);
        Configuration config;
        config.SetDisplaySurfaceSize(1280, 800);
        config.SetNativeOrientation(Orientation(c.native));
        config.SetDeviceOrientation(Orientation(c.device));

        EXPECT_EQ(Enums::Value(config.GetScreenOrientation()), c.screen);
        EXPECT_EQ(config.GetNativeAxisOrientations(), c.nativeFirst | c.nativeSecond);
        EXPECT_EQ(Enums::Value(config.GetNativeAxisOrientation(0)), c.nativeFirst);
        EXPECT_EQ(Enums::Value(config.GetNativeAxisOrientation(1)), c.nativeSecond);
        EXPECT_EQ(config.GetCrossAxisOrientations(), c.crossFirst | c.crossSecond);
        EXPECT_EQ(Enums::Value(config.GetCrossAxisOrientation(0)), c.crossFirst);
        EXPECT_EQ(Enums::Value(config.GetCrossAxisOrientation(1)), c.crossSecond);
        EXPECT_EQ(config.GetDisplaySurfaceWidth(), 1280u);
        EXPECT_EQ(config.GetDisplaySurfaceHeight(), 800u);
        EXPECT_EQ(config.GetDisplayWidth(), c.width);
        EXPECT_EQ(config.GetDisplayHeight(), c.height);
    }
}

TEST(ConfigurationTest, SizeSetAfterTheOrientationsIsOrientedToo)
{
    Configuration config;
    config.SetNativeOrientation(Orientation::LANDSCAPE_1);
    config.SetDeviceOrientation(Orientation::PORTRAIT_2);
    config.SetDisplaySurfaceSize(1024, 768);
    EXPECT_EQ(config.GetDisplayWidth(), 768u);
    EXPECT_EQ(config.GetDisplayHeight(), 1024u);
}

TEST(ConfigurationTest, DerivedValuesReportOnlyRealChanges)
{
    Configuration config;
    config.SetCurrentStamp(1);
    config.SetDisplaySurfaceSize(1280, 800);
    config.SetCurrentStamp(2);
    EXPECT_TRUE(config.HasDisplaySurfaceSizeChanged(1));
    EXPECT_TRUE(config.HasDisplaySizeChanged(1));
    EXPECT_TRUE(config.HasNativeAxisOrientationsChanged(1)); // the defaults give way to the derived sets
    EXPECT_FALSE(config.HasScreenOrientationChanged(1));

    config.SetDeviceOrientation(Orientation::PORTRAIT_1); // still no turn
    config.SetCurrentStamp(3);
    EXPECT_TRUE(config.HasDeviceOrientationChanged(2));
    EXPECT_FALSE(config.HasScreenOrientationChanged(2));
    EXPECT_FALSE(config.HasDisplaySizeChanged(2));
    EXPECT_FALSE(config.HasNativeAxisOrientationsChanged(2));

    config.SetDeviceOrientation(Orientation::LANDSCAPE_1);
    config.SetCurrentStamp(4);
    EXPECT_TRUE(config.HasScreenOrientationChanged(3));
    EXPECT_TRUE(config.HasDisplaySizeChanged(3));
    EXPECT_FALSE(config.HasDisplaySurfaceSizeChanged(3));
    EXPECT_FALSE(config.HasCrossAxisOrientationsChanged(3));

    // The same union with its members exchanged is a change of the members.
    config.SetNativeOrientation(Orientation::PORTRAIT_2);
    config.SetCurrentStamp(5);
    EXPECT_EQ(config.GetNativeAxisOrientations(), 5u);
    EXPECT_EQ(config.GetNativeAxisOrientation(0), Orientation::PORTRAIT_2);
    EXPECT_TRUE(config.HasNativeAxisOrientationsChanged(4));
}

TEST(ConfigurationTest, DefaultPixelFormatMatchesTheDisplayBuffers)
{
    struct Case
    {
        UInt32 colorBuffer;
        UInt32 alphaBuffer;
        Bool withAlpha;
        Enums::PixelFormat expected;
    };
    const Case cases[] = {
        {0, 0, false, Enums::PixelFormat::R8_G8_B8},
        {1, 0, false, Enums::PixelFormat::R8_G8_B8},
        {2, 0, false, Enums::PixelFormat::R5_G6_B5},
        {9, 0, false, Enums::PixelFormat::R8_G8_B8},
        {2, 0, true, Enums::PixelFormat::R8_G8_B8_A8},
        {0, 1, true, Enums::PixelFormat::R8_G8_B8_A8},
        {0, 2, true, Enums::PixelFormat::R5_G5_B5_A1},
        {0, 3, true, Enums::PixelFormat::R4_G4_B4_A4},
        {0, 9, true, Enums::PixelFormat::R8_G8_B8_A8},
        {0, 3, false, Enums::PixelFormat::R8_G8_B8},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "colour " << c.colorBuffer << ", alpha " << c.alphaBuffer
                                        << ", with alpha " << c.withAlpha);
        Configuration config;
        config.SetColorBufferFormat(Enums::ColorBufferFormat(c.colorBuffer));
        config.SetAlphaBufferFormat(Enums::AlphaBufferFormat(c.alphaBuffer));
        EXPECT_EQ(config.GetDefaultPixelFormat(c.withAlpha), c.expected);
    }
}

// The game's logic thread writes these while the main thread moves the frames on and reads
// them; the ThreadSanitizer build runs this test too.
TEST(ConfigurationThreadTest, LogicThreadSettingsAreWrittenWhileTheMainThreadReads)
{
    Configuration configuration;
    configuration.SetCurrentStamp(1);
    constexpr UInt32 kWrites = 2000;
    std::thread logic([&] {
        for (UInt32 i = 0; i < kWrites; ++i) {
            configuration.SetFullScreen(i % 2 == 0);
            configuration.SetCursorHidden(i % 3 == 0);
            configuration.SetDebugTextScale(Float(i));
            configuration.SetFrameRate(Vorn::SInt32(i));
        }
    });
    for (UInt32 frame = 2; frame < kWrites; ++frame) {
        const UInt32 stamp = configuration.GetCurrentStamp();
        configuration.SetCurrentStamp(frame);
        (void)configuration.HasFullScreenChanged(stamp);
        (void)configuration.HasFrameRateChanged(stamp);
        (void)configuration.HasCursorHiddenChanged(stamp);
        (void)configuration.HasChanged(stamp);
        (void)configuration.GetFullScreen();
        (void)configuration.GetDebugTextScale();
    }
    logic.join();
    configuration.SetCurrentStamp(kWrites + 1);
    EXPECT_FALSE(configuration.GetFullScreen());
    EXPECT_EQ(configuration.GetFrameRate(), Vorn::SInt32(kWrites - 1));
    EXPECT_EQ(configuration.GetDebugTextScale(), Float(kWrites - 1));
    EXPECT_TRUE(configuration.HasFrameRateChanged(1));
}

} // namespace
