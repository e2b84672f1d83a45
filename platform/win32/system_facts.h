// The facts about the computer that the platform writes into the engine configuration at start-up:
// the device identifier kept in the user's registry, country and language, the fixed device and
// interface kinds, the monitor size, and the window size fitted to the monitor.
#pragma once

#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "foundation/string.h"

namespace Vorn {
namespace Win32 {

class SystemFacts
{
public:
    // The registry key (under the current user) that holds the device identifier.
    static constexpr const char* kRegistryKey = "Software\\Vorn";
    static constexpr const char* kDeviceIdValue = "UniqueDeviceId";

    // 32 lower-case hexadecimal digits of the 16 bytes kept in the registry; a missing value, or
    // one of the wrong type or size, is replaced by a fresh random one. When the key cannot be
    // opened or created the identifier is a fresh one that is not saved.
    static String ReadDeviceId();

    // The engine language of a Windows language identifier; anything unsupported is ENGLISH.
    static Enums::Language GetLanguage(UInt32 languageId);

    // Writes device identifier, country, language, the fixed kinds, the colour and alpha buffer
    // formats and the monitor size into the configuration and returns the monitor size in pixels
    // (the configured display size when the monitor cannot be asked). False, with one line,
    // without a configuration.
    static Bool Write(IConfiguration* configuration, Float& monitorWidth, Float& monitorHeight);

    // Moves the log file into the temporary folder and fits the configured window size to a
    // monitor of the given size, keeping the aspect ratio. False without a configuration.
    static Bool FitDisplay(IConfiguration* configuration, Float monitorWidth, Float monitorHeight);
};

} // namespace Win32
} // namespace Vorn
