#include "game/text_case.h"

#include <vector>

namespace Vorn {
namespace App {

namespace {

// Lead byte of the two-byte UTF-8 forms of U+00C0 to U+00FF.
constexpr UInt8 kLatin1Lead = 0xC3;

Bool IsSmallUmlautTail(UInt8 byte)
{
    return byte == 0xA4 || byte == 0xB6 || byte == 0xBC; // a, o, u with diaeresis
}

} // namespace

String ToUpperCase(const String& text)
{
    const SInt32 length = text.GetLength();
    const char* bytes = text.GetText();
    if (length == 0)
        return String();
    // Built in one buffer and copied once, so that short results stay inline in the String.
    std::vector<char> upper(bytes, bytes + length);
    for (SInt32 i = 0; i < length; ++i) {
        const UInt8 byte = UInt8(upper[i]);
        if (byte >= 'a' && byte <= 'z') {
            upper[i] = char(byte - 0x20);
        } else if (byte == kLatin1Lead && i + 1 < length) {
            ++i;
            if (IsSmallUmlautTail(UInt8(upper[i])))
                upper[i] = char(UInt8(upper[i]) - 0x20);
        }
    }
    return String(upper.data(), length);
}

} // namespace App
} // namespace Vorn
