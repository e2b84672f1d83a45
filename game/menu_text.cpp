#include "game/menu_text.h"

#include <cstdio>

namespace Vorn {
namespace App {

namespace {

constexpr SInt32 kLineLength = 6;

// A byte below 0x80 or a lead byte starts a character; continuation bytes belong to it.
Bool StartsCharacter(char byte)
{
    const UInt8 value = UInt8(byte);
    return value < 0x80 || value >= 0xC0;
}

} // namespace

String BreakLines(const String& text)
{
    String result;
    const char* bytes = text.GetText();
    const SInt32 length = text.GetLength();
    SInt32 lineStart = 0;
    SInt32 characters = 0;
    for (SInt32 i = 0; i < length; ++i) {
        if (!StartsCharacter(bytes[i]))
            continue;
        if (characters == kLineLength) {
            result += String(bytes + lineStart, i - lineStart);
            result += '\n';
            lineStart = i;
            characters = 0;
        }
        ++characters;
    }
    result += String(bytes + lineStart, length - lineStart);
    return result;
}

String FormatTime(Float seconds)
{
    // Clamped so that the casts below stay defined for any stored time.
    Double t = Double(seconds);
    if (!(t >= 0.0))
        t = 0.0;
    if (t > 4294967295.0)
        t = 4294967295.0;
    const UInt32 whole = UInt32(t);
    const UInt32 hours = whole / 3600;
    const UInt32 minutes = (whole - hours * 3600) / 60;
    const UInt32 rest = whole - hours * 3600 - minutes * 60;
    char buffer[40];
    std::snprintf(buffer, sizeof(buffer), "%02u:%02u:%02u", unsigned(hours), unsigned(minutes), unsigned(rest));
    return String(buffer);
}

} // namespace App
} // namespace Vorn
