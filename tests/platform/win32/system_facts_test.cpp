#include <windows.h>

#include "platform/win32/system_facts.h"

#include <gtest/gtest.h>

#include "core/configuration.h"
#include "foundation/path.h"

namespace Vorn {
namespace {

class SystemFactsTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearKey(); }
    void TearDown() override { ClearKey(); }

    static void ClearKey() { RegDeleteTreeA(HKEY_CURRENT_USER, Win32::SystemFacts::kRegistryKey); }

    static void SetValue(DWORD type, const void* bytes, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Win32::SystemFacts::kRegistryKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, Win32::SystemFacts::kDeviceIdValue, 0, type,
                                 static_cast<const BYTE*>(bytes), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // The stored value's type and size.
    static std::pair<DWORD, DWORD> StoredValue()
    {
        DWORD type = 0;
        DWORD size = 0;
        RegGetValueA(HKEY_CURRENT_USER, Win32::SystemFacts::kRegistryKey, Win32::SystemFacts::kDeviceIdValue,
                     RRF_RT_ANY, &type, nullptr, &size);
        return {type, size};
    }

    static bool IsDeviceId(const String& id)
    {
        if (id.GetLength() != 32)
            return false;
        for (SInt32 i = 0; i < id.GetLength(); ++i) {
            const char c = id[i];
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
                return false;
        }
        return true;
    }
};

TEST_F(SystemFactsTest, DeviceIdIsCreatedOnceAndStaysStable)
{
    const String first = Win32::SystemFacts::ReadDeviceId();
    EXPECT_TRUE(IsDeviceId(first)) << first.GetText();
    EXPECT_EQ(StoredValue(), std::make_pair(DWORD(REG_BINARY), DWORD(16)));
    EXPECT_EQ(Win32::SystemFacts::ReadDeviceId(), first);

    // Cleared, a new one is made.
    ClearKey();
    EXPECT_NE(Win32::SystemFacts::ReadDeviceId(), first);
}

TEST_F(SystemFactsTest, DeviceIdOfTheWrongSizeOrTypeIsReplaced)
{
    const UInt8 shortValue[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const char text[] = "0123456789abcdef0123456789abcdef";
    const UInt8 longValue[20] = {};
    struct Case
    {
        DWORD mType;
        const void* mBytes;
        DWORD mSize;
    };
    for (const Case& c : {Case{REG_BINARY, shortValue, 8}, Case{REG_SZ, text, 16}, Case{REG_BINARY, longValue, 20}}) {
        SetValue(c.mType, c.mBytes, c.mSize);
        const String id = Win32::SystemFacts::ReadDeviceId();
        EXPECT_TRUE(IsDeviceId(id)) << id.GetText();
        EXPECT_NE(id, "0102030405060708") << c.mType;
        EXPECT_NE(id, "0000000000000000000000000000000000000000");
        EXPECT_EQ(StoredValue(), std::make_pair(DWORD(REG_BINARY), DWORD(16))) << c.mType << " " << c.mSize;
        EXPECT_EQ(Win32::SystemFacts::ReadDeviceId(), id);
    }
}

TEST_F(SystemFactsTest, LanguagesMapByPrimaryLanguage)
{
    const struct
    {
        WORD mLanguageId;
        Enums::Language mExpected;
    } cases[] = {
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), Enums::Language::ENGLISH},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), Enums::Language::CHINESE},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), Enums::Language::CHINESE},
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), Enums::Language::GERMAN},
        {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH_CANADIAN), Enums::Language::FRENCH},
        {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN), Enums::Language::SPANISH},
        {MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), Enums::Language::ITALIAN},
        {MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN), Enums::Language::KOREAN},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), Enums::Language::JAPANESE},
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), Enums::Language::ENGLISH},
        {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), Enums::Language::ENGLISH},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Win32::SystemFacts::GetLanguage(c.mLanguageId), c.mExpected) << std::hex << c.mLanguageId;
}

TEST_F(SystemFactsTest, FactsGoIntoTheConfiguration)
{
    Core::Configuration configuration;
    Float width = 0.0f;
    Float height = 0.0f;
    ASSERT_TRUE(Win32::SystemFacts::Write(&configuration, width, height));
    EXPECT_TRUE(IsDeviceId(configuration.GetDeviceId()));
    EXPECT_EQ(configuration.GetDeviceId(), Win32::SystemFacts::ReadDeviceId());
    EXPECT_EQ(configuration.GetDeviceClass(), Enums::DeviceClass::COMPUTER_DESKTOP);
    EXPECT_EQ(configuration.GetOperatingSystem(), Enums::OperatingSystem::WINDOWS);
    EXPECT_EQ(configuration.GetVideoApi(), Enums::VideoApi::DX9);
    EXPECT_EQ(configuration.GetAudioApi(), Enums::AudioApi::AL11);
    EXPECT_FALSE(configuration.GetMultiThreadedCalls());
    EXPECT_EQ(configuration.GetColorBufferFormat(), Enums::ColorBufferFormat::R8_G8_B8);
    EXPECT_EQ(configuration.GetAlphaBufferFormat(), Enums::AlphaBufferFormat::R8_G8_B8_A8);
    EXPECT_EQ(width, Float(GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(height, Float(GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(configuration.GetDisplayWidth(), UInt32(width));
    EXPECT_EQ(configuration.GetDisplayHeight(), UInt32(height));
    EXPECT_FLOAT_EQ(configuration.GetAspectRatio(), width / height);

    EXPECT_FALSE(Win32::SystemFacts::Write(nullptr, width, height));
}

TEST_F(SystemFactsTest, WindowSizeIsFittedToTheMonitor)
{
    const struct
    {
        UInt32 mMonitorWidth, mMonitorHeight;
        UInt32 mWidth, mHeight;
    } cases[] = {
        {1920, 1080, 1280, 800}, {1280, 1024, 1280, 800}, {1280, 800, 960, 600},
        {1024, 768, 1024, 640},  {800, 600, 800, 500},    {1000, 1400, 1000, 625},
    };
    for (const auto& c : cases) {
        Core::Configuration configuration;
        configuration.SetDeviceOrientation(Enums::ScreenOrientation::PORTRAIT_1);
        // As start-up leaves it: the monitor's shape, then the game's size.
        configuration.SetAspectRatio(Float(c.mMonitorWidth) / Float(c.mMonitorHeight));
        configuration.SetDisplaySurfaceSize(1280, 800);
        ASSERT_TRUE(Win32::SystemFacts::FitDisplay(&configuration, Float(c.mMonitorWidth), Float(c.mMonitorHeight)));
        EXPECT_EQ(configuration.GetDisplayWidth(), c.mWidth) << c.mMonitorWidth << "x" << c.mMonitorHeight;
        EXPECT_EQ(configuration.GetDisplayHeight(), c.mHeight) << c.mMonitorWidth << "x" << c.mMonitorHeight;
        EXPECT_FLOAT_EQ(configuration.GetAspectRatio(), Float(c.mWidth) / Float(c.mHeight));
    }
}

TEST_F(SystemFactsTest, LogFileMovesIntoTheTemporaryFolder)
{
    char temporary[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temporary), 0u);
    Core::Configuration configuration;
    configuration.SetLogFilePath("vorn.log");
    ASSERT_TRUE(Win32::SystemFacts::FitDisplay(&configuration, 1920.0f, 1080.0f));
    EXPECT_EQ(configuration.GetLogFilePath(), Util::JoinPaths(Util::ConvertBackslashes(temporary), "vorn.log"));
}

} // namespace
} // namespace Vorn
