#include <windows.h>
#include <rpc.h>

#include "platform/win32/system_facts.h"

#include <algorithm>
#include <cstring>

#include "foundation/debug.h"
#include "foundation/hex.h"
#include "foundation/path.h"

namespace Vorn {
namespace Win32 {
namespace {

constexpr DWORD kDeviceIdSize = 16;

struct LanguageRow
{
    WORD mPrimary;
    Enums::Language mLanguage;
};

// Primary Windows languages that the engine has texts for; every sub-language counts.
constexpr LanguageRow kLanguages[] = {
    {LANG_GERMAN, Enums::Language::GERMAN},   {LANG_FRENCH, Enums::Language::FRENCH},
    {LANG_SPANISH, Enums::Language::SPANISH}, {LANG_ITALIAN, Enums::Language::ITALIAN},
    {LANG_CHINESE, Enums::Language::CHINESE}, {LANG_KOREAN, Enums::Language::KOREAN},
    {LANG_JAPANESE, Enums::Language::JAPANESE},
};

void MakeDeviceId(UInt8* bytes)
{
    UUID uuid = {};
    // A locally unique identifier is still a good device identifier.
    UuidCreate(&uuid);
    static_assert(sizeof(uuid) == kDeviceIdSize);
    std::memcpy(bytes, &uuid, kDeviceIdSize);
}

} // namespace

String SystemFacts::ReadDeviceId()
{
    UInt8 bytes[kDeviceIdSize] = {};
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        MakeDeviceId(bytes);
    } else {
        DWORD type = 0;
        DWORD size = kDeviceIdSize;
        const LONG read = RegQueryValueExA(key, kDeviceIdValue, nullptr, &type, bytes, &size);
        if (read != ERROR_SUCCESS || type != REG_BINARY || size != kDeviceIdSize) {
            MakeDeviceId(bytes);
            RegSetValueExA(key, kDeviceIdValue, 0, REG_BINARY, bytes, kDeviceIdSize);
        }
        RegCloseKey(key);
    }
    char text[2 * kDeviceIdSize] = {};
    const UInt32 length = Util::BytesToHex(bytes, kDeviceIdSize, text, sizeof(text));
    return String(text, SInt32(length));
}

Enums::Language SystemFacts::GetLanguage(UInt32 languageId)
{
    const WORD primary = PRIMARYLANGID(WORD(languageId));
    for (const LanguageRow& row : kLanguages) {
        if (row.mPrimary == primary)
            return row.mLanguage;
    }
    return Enums::Language::ENGLISH;
}

Bool SystemFacts::Write(IConfiguration* configuration, Float& monitorWidth, Float& monitorHeight)
{
    if (configuration == nullptr) {
        Debug::Trace("Win32::SystemFacts::Write(): No configuration");
        return false;
    }
    configuration->SetDeviceId(ReadDeviceId());

    char country[256] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, sizeof(country)) == 0)
        country[0] = 0;
    configuration->SetCountry(country);
    configuration->SetLanguage(GetLanguage(GetUserDefaultLangID()));

    configuration->SetDeviceClass(Enums::DeviceClass::COMPUTER_DESKTOP);
    configuration->SetDeviceModel(Enums::DeviceModel::DESKTOP_GENERIC);
    configuration->SetOperatingSystem(Enums::OperatingSystem::WINDOWS);
    configuration->SetGpuModel(Enums::GpuModel::GENERIC);
    configuration->SetScreenClass(Enums::ScreenClass::XLARGE);
    configuration->SetVideoApi(Enums::VideoApi::DX9);
    configuration->SetAudioApi(Enums::AudioApi::AL11);
    // Display objects get their device resources on the render thread only.
    configuration->SetMultiThreadedCalls(false);

    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) {
        monitorWidth = Float(info.rcMonitor.right - info.rcMonitor.left);
        monitorHeight = Float(info.rcMonitor.bottom - info.rcMonitor.top);
    } else {
        monitorWidth = Float(configuration->GetDisplayWidth());
        monitorHeight = Float(configuration->GetDisplayHeight());
    }
    configuration->SetDisplaySurfaceSize(UInt32(monitorWidth), UInt32(monitorHeight));
    if (monitorHeight > 0.0f)
        configuration->SetAspectRatio(monitorWidth / monitorHeight);
    configuration->SetDeviceOrientation(Enums::ScreenOrientation::PORTRAIT_1);
    // The back buffers Direct3D gets: 8 bits a colour channel, and 8 bits of alpha.
    configuration->SetColorBufferFormat(Enums::ColorBufferFormat::R8_G8_B8);
    configuration->SetAlphaBufferFormat(Enums::AlphaBufferFormat::R8_G8_B8_A8);
    return true;
}

Bool SystemFacts::FitDisplay(IConfiguration* configuration, Float monitorWidth, Float monitorHeight)
{
    if (configuration == nullptr) {
        Debug::Trace("Win32::SystemFacts::FitDisplay(): No configuration");
        return false;
    }
    if (!configuration->GetLogFilePath().IsEmpty()) {
        char buffer[1024] = {};
        const DWORD length = GetTempPathA(sizeof(buffer), buffer);
        if (length >= 1 && length <= 1023)
            configuration->SetLogFilePath(
                Util::JoinPaths(Util::ConvertBackslashes(buffer), configuration->GetLogFilePath()));
    }

    UInt32 width = configuration->GetDisplayWidth();
    UInt32 height = configuration->GetDisplayHeight();
    const UInt32 maxWidth = UInt32(monitorWidth);
    const UInt32 maxHeight = UInt32(monitorHeight);
    // A monitor without a size leaves the requested size as it is.
    if (maxWidth == 0 || maxHeight == 0 || width == 0 || height == 0)
        return true;
    Float ratio = configuration->GetAspectRatio();
    const Float monitorRatio = monitorWidth / monitorHeight;
    Bool ratiosDiffer = !(monitorRatio - 0.0000005f < ratio && ratio < monitorRatio + 0.0000005f);
    if (width == maxWidth && height == maxHeight) {
        // A window as large as the monitor would hide its frame: three quarters of it.
        width = 3 * maxWidth / 4;
        height = 3 * maxHeight / 4;
    } else if (width > maxWidth || height > maxHeight) {
        if (!ratiosDiffer) {
            ratio = Float(width) / Float(height);
            ratiosDiffer = true;
        }
        if (ratio >= monitorRatio)
            width = std::min(width, maxWidth);
        else
            height = std::min(height, maxHeight);
    }
    if (ratiosDiffer && ratio > 0.0f) {
        if (ratio >= monitorRatio)
            height = UInt32(Float(width) / ratio);
        else
            width = UInt32(Float(height) * ratio);
    }
    configuration->SetDisplaySurfaceSize(width, height);
    if (height > 0)
        configuration->SetAspectRatio(Float(width) / Float(height));
    return true;
}

} // namespace Win32
} // namespace Vorn
