#include "foundation/hex.h"

#include "foundation/debug.h"

#include <vector>

namespace Vorn {
namespace Util {
namespace {

const char HexDigits[] = "0123456789abcdef";

// The value of a hexadecimal digit of either case, or -1.
SInt32 GetDigitValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

// The text's length is limited to what a String can hold.
String BytesToHexString(const void* bytes, UInt32 count)
{
    if (count == 0)
        return String();
    if (count > 0x3fffffff) {
        Debug::Trace("Util::BytesToHex(): %u bytes are too many for a text", count);
        return String();
    }
    std::vector<char> text(std::size_t(count) * 2);
    const UInt32 length = BytesToHex(bytes, count, text.data(), UInt32(text.size()));
    return String(text.data(), SInt32(length));
}

} // namespace

UInt32 BytesToHex(const void* bytes, UInt32 count, char* text, UInt32 textSize)
{
    if (bytes == nullptr || text == nullptr)
        return 0;
    const UInt32 written = (count < textSize / 2) ? count : textSize / 2;
    const UInt8* input = static_cast<const UInt8*>(bytes);
    for (UInt32 i = 0; i < written; ++i) {
        text[2 * i] = HexDigits[input[i] >> 4];
        text[2 * i + 1] = HexDigits[input[i] & 15];
    }
    return written * 2;
}

UInt32 HexToBytes(const char* text, UInt32 length, void* bytes, UInt32 size)
{
    if (text == nullptr || bytes == nullptr || size == 0 || length == 0 || length % 2 != 0)
        return 0;
    const UInt32 count = (length / 2 < size) ? length / 2 : size;
    UInt8* output = static_cast<UInt8*>(bytes);
    for (UInt32 i = 0; i < count; ++i) {
        const SInt32 high = GetDigitValue(text[2 * i]);
        const SInt32 low = GetDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return 0;
        output[i] = UInt8((high << 4) | low);
    }
    return count;
}

String StringToHex(const String& text)
{
    return BytesToHexString(text.GetText(), UInt32(text.GetLength()));
}

String HexToString(const String& text)
{
    const UInt32 length = UInt32(text.GetLength());
    if (length == 0 || length % 2 != 0)
        return String();
    std::vector<char> bytes(length / 2);
    if (HexToBytes(text.GetText(), length, bytes.data(), UInt32(bytes.size())) != bytes.size())
        return String();
    return String(bytes.data(), SInt32(bytes.size()));
}

String DataToHex(const ConstData& data)
{
    return BytesToHexString(data.GetData(), data.GetSize());
}

String DigestToHex(const UInt8* digest)
{
    if (digest == nullptr)
        return String();
    return BytesToHexString(digest, 16);
}

} // namespace Util
} // namespace Vorn
