#include "foundation/text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Vorn {
namespace Util {

namespace {

// The engine's own formatted input: the same texts convert to the same values on every C runtime
// (the runtimes disagree on overflow, hexadecimal floats, "inf" and on how much of '1e' they eat).
class Scanner
{
public:
    Scanner(const char* text, const char* format, va_list arguments)
        : mText(text != nullptr ? text : ""), mFormat(format != nullptr ? format : "")
    {
        va_copy(mArguments, arguments);
    }
    ~Scanner() { va_end(mArguments); }

    SInt32 Run();

private:
    enum class Outcome { Converted, Mismatch, EndOfInput };

    struct Conversion
    {
        Bool isSkipped = false;
        SInt32 width = 0; // 0: no width given
        Bool isLong = false;
        char kind = 0;
    };

    Bool ParseConversion(Conversion& conversion);
    Outcome Convert(const Conversion& conversion);
    Outcome ConvertInteger(const Conversion& conversion);
    Outcome ConvertFloat(const Conversion& conversion);
    Outcome ConvertString(const Conversion& conversion);
    Outcome ConvertCharacters(const Conversion& conversion);
    void SkipSpace()
    {
        while (IsSpace(*mText))
            ++mText;
    }
    // Bytes a conversion may read from the current position: up to the width, never past the end.
    SInt32 GetLimit(const Conversion& conversion) const
    {
        SInt32 available = 0;
        SInt32 limit = conversion.width > 0 ? conversion.width : 0x7FFFFFFF;
        while (available < limit && mText[available] != 0)
            ++available;
        return available;
    }

    const char* mText;
    const char* mTextStart = mText;
    const char* mFormat;
    va_list mArguments;
    SInt32 mStored = 0;
    Bool mHasConverted = false; // an item was read (stored or skipped)
};

SInt32 Scanner::Run()
{
    while (*mFormat != 0)
    {
        char current = *mFormat;
        if (IsSpace(current))
        {
            while (IsSpace(*mFormat))
                ++mFormat;
            SkipSpace();
            continue;
        }
        if (current != '%' || mFormat[1] == '%')
        {
            if (current == '%')
            {
                ++mFormat;
                SkipSpace();
            }
            if (*mText == 0)
                return mHasConverted ? mStored : -1;
            if (*mText != current)
                return mStored;
            ++mText;
            ++mFormat;
            continue;
        }
        ++mFormat;
        Conversion conversion;
        if (!ParseConversion(conversion))
            return mStored;
        switch (Convert(conversion))
        {
        case Outcome::Converted:
            break;
        case Outcome::Mismatch:
            return mStored;
        case Outcome::EndOfInput:
            return mHasConverted ? mStored : -1;
        }
    }
    return mStored;
}

Bool Scanner::ParseConversion(Conversion& conversion)
{
    if (*mFormat == '*')
    {
        conversion.isSkipped = true;
        ++mFormat;
    }
    while (*mFormat >= '0' && *mFormat <= '9')
    {
        if (conversion.width > 100000000)
            return false;
        conversion.width = conversion.width * 10 + (*mFormat - '0');
        ++mFormat;
    }
    if (*mFormat == 'l')
    {
        conversion.isLong = true;
        ++mFormat;
    }
    conversion.kind = *mFormat;
    if (conversion.kind == 0)
        return false;
    ++mFormat;
    // "l" only widens floating conversions: a C long differs in size between platforms.
    if (conversion.isLong && std::strchr("feEgGF", conversion.kind) == nullptr)
        return false;
    return std::strchr("diuxXofeEgGFscn", conversion.kind) != nullptr;
}

Scanner::Outcome Scanner::Convert(const Conversion& conversion)
{
    switch (conversion.kind)
    {
    case 'n':
        if (!conversion.isSkipped)
            *va_arg(mArguments, SInt32*) = SInt32(mText - mTextStart);
        return Outcome::Converted;
    case 'c':
        return ConvertCharacters(conversion);
    case 's':
        return ConvertString(conversion);
    case 'f':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'F':
        return ConvertFloat(conversion);
    default:
        return ConvertInteger(conversion);
    }
}

SInt32 GetDigitValue(char byte)
{
    if (byte >= '0' && byte <= '9')
        return byte - '0';
    if (byte >= 'a' && byte <= 'f')
        return byte - 'a' + 10;
    if (byte >= 'A' && byte <= 'F')
        return byte - 'A' + 10;
    return 99;
}

Scanner::Outcome Scanner::ConvertInteger(const Conversion& conversion)
{
    SkipSpace();
    SInt32 limit = GetLimit(conversion);
    if (limit == 0)
        return *mText == 0 ? Outcome::EndOfInput : Outcome::Mismatch;

    SInt32 position = 0;
    Bool isNegative = false;
    if (mText[0] == '+' || mText[0] == '-')
    {
        isNegative = mText[0] == '-';
        position = 1;
    }
    SInt32 base = 10;
    if (conversion.kind == 'o')
        base = 8;
    else if (conversion.kind == 'x' || conversion.kind == 'X')
        base = 16;
    if ((base == 16 || conversion.kind == 'i') && position < limit && mText[position] == '0')
    {
        // A "0x" prefix counts only when a hexadecimal digit follows; otherwise the number is the 0.
        if (position + 2 < limit && (mText[position + 1] == 'x' || mText[position + 1] == 'X') &&
            GetDigitValue(mText[position + 2]) < 16)
        {
            base = 16;
            position += 2;
        }
        else if (conversion.kind == 'i')
        {
            base = 8;
        }
    }

    UInt64 magnitude = 0;
    Bool isTooLarge = false;
    SInt32 digits = 0;
    while (position < limit && GetDigitValue(mText[position]) < base)
    {
        magnitude = magnitude * UInt64(base) + UInt64(GetDigitValue(mText[position]));
        if (magnitude > 0xFFFFFFFFull)
        {
            isTooLarge = true;
            magnitude = 0xFFFFFFFFull + 1;
        }
        ++digits;
        ++position;
    }
    if (digits == 0)
        return Outcome::Mismatch;
    mText += position;
    mHasConverted = true;

    Bool isSigned = conversion.kind == 'd' || conversion.kind == 'i';
    if (isTooLarge)
        return Outcome::Mismatch;
    UInt32 result;
    if (isSigned)
    {
        if (magnitude > (isNegative ? 0x80000000ull : 0x7FFFFFFFull))
            return Outcome::Mismatch;
        result = isNegative ? UInt32(0) - UInt32(magnitude) : UInt32(magnitude);
    }
    else
    {
        result = isNegative ? UInt32(0) - UInt32(magnitude) : UInt32(magnitude);
    }
    if (!conversion.isSkipped)
    {
        if (isSigned)
            *va_arg(mArguments, SInt32*) = SInt32(result);
        else
            *va_arg(mArguments, UInt32*) = result;
        ++mStored;
    }
    return Outcome::Converted;
}

// Length of the longest prefix of text (at most limit bytes) that forms a decimal number:
// digits with an optional fraction, an exponent only when it has digits. 0 when there is none.
SInt32 MeasureDecimal(const char* text, SInt32 limit)
{
    SInt32 position = 0;
    SInt32 digits = 0;
    while (position < limit && text[position] >= '0' && text[position] <= '9')
    {
        ++position;
        ++digits;
    }
    if (position < limit && text[position] == '.')
    {
        SInt32 afterPoint = position + 1;
        SInt32 fractionDigits = 0;
        while (afterPoint < limit && text[afterPoint] >= '0' && text[afterPoint] <= '9')
        {
            ++afterPoint;
            ++fractionDigits;
        }
        if (digits + fractionDigits > 0)
        {
            digits += fractionDigits;
            position = afterPoint;
        }
    }
    if (digits == 0)
        return 0;
    if (position < limit && (text[position] == 'e' || text[position] == 'E'))
    {
        SInt32 exponent = position + 1;
        if (exponent < limit && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        SInt32 exponentDigits = 0;
        while (exponent < limit && text[exponent] >= '0' && text[exponent] <= '9')
        {
            ++exponent;
            ++exponentDigits;
        }
        if (exponentDigits > 0)
            position = exponent;
    }
    return position;
}

template <typename T>
Bool ParseDecimal(const char* text, SInt32 length, Bool isNegative, T& value)
{
    T result = 0;
    std::from_chars_result parsed = std::from_chars(text, text + length, result, std::chars_format::general);
    if (parsed.ec != std::errc() || parsed.ptr != text + length)
        return false;
    value = isNegative ? -result : result;
    return true;
}

Scanner::Outcome Scanner::ConvertFloat(const Conversion& conversion)
{
    SkipSpace();
    SInt32 limit = GetLimit(conversion);
    if (limit == 0)
        return *mText == 0 ? Outcome::EndOfInput : Outcome::Mismatch;

    SInt32 sign = 0;
    if (mText[0] == '+' || mText[0] == '-')
        sign = 1;
    Bool isNegative = mText[0] == '-';
    SInt32 length = MeasureDecimal(mText + sign, limit - sign);
    if (length == 0)
        return Outcome::Mismatch;
    const char* number = mText + sign;
    mText += sign + length;
    mHasConverted = true;

    if (conversion.isLong)
    {
        Double value;
        if (!ParseDecimal(number, length, isNegative, value))
            return Outcome::Mismatch;
        if (!conversion.isSkipped)
            *va_arg(mArguments, Double*) = value;
    }
    else
    {
        Real value;
        if (!ParseDecimal(number, length, isNegative, value))
            return Outcome::Mismatch;
        if (!conversion.isSkipped)
            *va_arg(mArguments, Real*) = value;
    }
    if (!conversion.isSkipped)
        ++mStored;
    return Outcome::Converted;
}

Scanner::Outcome Scanner::ConvertString(const Conversion& conversion)
{
    // Without a width the target's size is unknown: refuse rather than overrun it.
    if (conversion.width == 0)
        return Outcome::Mismatch;
    SkipSpace();
    if (*mText == 0)
        return Outcome::EndOfInput;
    SInt32 length = 0;
    while (length < conversion.width && mText[length] != 0 && !IsSpace(mText[length]))
        ++length;
    if (!conversion.isSkipped)
    {
        char* target = va_arg(mArguments, char*);
        std::memcpy(target, mText, size_t(length));
        target[length] = 0;
        ++mStored;
    }
    mText += length;
    mHasConverted = true;
    return Outcome::Converted;
}

Scanner::Outcome Scanner::ConvertCharacters(const Conversion& conversion)
{
    SInt32 count = conversion.width > 0 ? conversion.width : 1;
    SInt32 available = GetLimit(conversion);
    if (available < count)
        return Outcome::EndOfInput;
    if (!conversion.isSkipped)
    {
        std::memcpy(va_arg(mArguments, char*), mText, size_t(count));
        ++mStored;
    }
    mText += count;
    mHasConverted = true;
    return Outcome::Converted;
}

Bool IsLetter(char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

// Which conversions a caller's format for PrintToString may hold.
enum class ArgumentKind { Floating, Integer };

Bool IsSingleConversionFormat(const char* format, ArgumentKind kind)
{
    SInt32 conversions = 0;
    for (const char* p = format; *p != 0; ++p)
    {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p != 0 && std::strchr("-+ #0", *p) != nullptr)
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.')
        {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        if (*p == 'l' && kind == ArgumentKind::Floating)
            ++p; // "%lf" means the same as "%f" in output
        if (*p == 0)
            return false;
        const char* accepted = kind == ArgumentKind::Floating ? "feEgGFaA" : "diuxXoc";
        if (std::strchr(accepted, *p) == nullptr)
            return false;
        ++conversions;
    }
    return conversions == 1;
}

struct BoolWord
{
    const char* text;
    Bool value;
};

const BoolWord kBoolWords[] = {
    {"true", true}, {"on", true}, {"yes", true}, {"false", false}, {"off", false}, {"no", false},
};

struct AngleUnit
{
    const char* text;
    Double factor;
};

const AngleUnit kAngleUnits[] = {
    {"d", 0.017453292519943295},
    {"deg", 0.017453292519943295},
    {"r", 1.0},
    {"rad", 1.0},
};

} // namespace

SInt32 ScanStringV(const char* text, const char* format, va_list arguments)
{
    Scanner scanner(text, format, arguments);
    return scanner.Run();
}

SInt32 ScanString(const char* text, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    SInt32 result = ScanStringV(text, format, arguments);
    va_end(arguments);
    return result;
}

Bool StringToReal(const String& text, Real& value)
{
    Real result;
    if (ScanString(text.GetText(), "%f", &result) != 1)
        return false;
    value = result;
    return true;
}

Bool StringToDouble(const String& text, Double& value)
{
    Double result;
    if (ScanString(text.GetText(), "%lf", &result) != 1)
        return false;
    value = result;
    return true;
}

Bool StringToSInt32(const String& text, SInt32& value)
{
    SInt32 result;
    if (ScanString(text.GetText(), "%d", &result) != 1)
        return false;
    value = result;
    return true;
}

Bool StringToUInt32(const String& text, UInt32& value)
{
    UInt32 result;
    if (ScanString(text.GetText(), "%u", &result) != 1)
        return false;
    value = result;
    return true;
}

Bool StringToBool(const String& text, Bool& value)
{
    UInt32 number;
    if (ScanString(text.GetText(), "%u", &number) == 1)
    {
        value = number != 0;
        return true;
    }
    String word = text.Trim();
    for (const BoolWord& row : kBoolWords)
    {
        if (word == row.text)
        {
            value = row.value;
            return true;
        }
    }
    return false;
}

Bool StringToAngle(const String& text, Double& radians, Bool& isUnitGiven)
{
    Double number;
    char unit[4] = {};
    char rest[2] = {};
    SInt32 items = ScanString(text.GetText(), "%lf %3s %1s", &number, unit, rest);
    if (items < 1 || items > 2)
        return false;
    Double factor = 1.0;
    isUnitGiven = false;
    if (items == 2)
    {
        for (const AngleUnit& row : kAngleUnits)
        {
            if (std::strcmp(unit, row.text) == 0)
            {
                factor = row.factor;
                isUnitGiven = true;
                break;
            }
        }
    }
    radians = number * factor;
    return true;
}

SInt32 SplitString(const String& text, char separator, Array<String>& parts)
{
    parts.Clear();
    const char* bytes = text.GetText();
    SInt32 length = text.GetLength();
    SInt32 position = 0;
    for (;;)
    {
        SInt32 found = position;
        while (found < length && bytes[found] != separator)
            ++found;
        if (found == length)
        {
            parts.Add(String(bytes + position, length - position));
            break;
        }
        parts.Add(String(bytes + position, found - position));
        position = found;
        while (position < length && bytes[position] == separator)
            ++position;
    }
    return parts.GetCount();
}

Bool IsIdentifier(const String& text)
{
    SInt32 length = text.GetLength();
    const char* bytes = text.GetText();
    if (length == 0 || !IsLetter(bytes[0]))
        return false;
    for (SInt32 i = 1; i < length; ++i)
    {
        char byte = bytes[i];
        if (!IsAlphaNumeric(byte) && byte != '_' && byte != '{' && byte != '}')
            return false;
    }
    return true;
}

Bool DecodeUtf8Char(const char* text, UInt32& codePoint, SInt32& byteCount)
{
    UInt32 lead = UInt8(text[0]);
    if (lead == 0)
    {
        codePoint = 0;
        byteCount = 0;
        return true;
    }
    if (lead < 0x80)
    {
        codePoint = lead;
        byteCount = 1;
        return true;
    }
    SInt32 count;
    UInt32 value;
    if ((lead & 0xE0) == 0xC0)
    {
        count = 2;
        value = lead & 0x1F;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        count = 3;
        value = lead & 0x0F;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        count = 4;
        value = lead & 0x07;
    }
    else
    {
        return false;
    }
    // Stops at the first byte that is not a continuation byte, so a zero byte ends the read.
    for (SInt32 i = 1; i < count; ++i)
    {
        UInt32 next = UInt8(text[i]);
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3F);
    }
    codePoint = value;
    byteCount = count;
    return true;
}

SInt32 PrintToBufferV(char* buffer, SInt32 size, const char* format, va_list arguments)
{
    if (buffer == nullptr || size <= 0)
        return -1;
#ifdef __MINGW32__
    // The C99 formatter of the MinGW runtime, not the system one: same texts as elsewhere.
    int written = __mingw_vsnprintf(buffer, size_t(size), format, arguments);
#else
    int written = std::vsnprintf(buffer, size_t(size), format, arguments);
#endif
    if (written < 0)
    {
        buffer[0] = 0;
        return -1;
    }
    if (written >= size)
        return -1;
    return written;
}

SInt32 PrintToBuffer(char* buffer, SInt32 size, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    SInt32 result = PrintToBufferV(buffer, size, format, arguments);
    va_end(arguments);
    return result;
}

String UInt32ToString(UInt32 value)
{
    char buffer[64];
    PrintToBuffer(buffer, sizeof(buffer), "%u", value);
    return String(buffer);
}

String PrintToString(const String& format, Double value)
{
    if (!IsSingleConversionFormat(format.GetText(), ArgumentKind::Floating))
        return String::Empty;
    char buffer[64];
    PrintToBuffer(buffer, sizeof(buffer), format.GetText(), value);
    return String(buffer);
}

String PrintToString(const String& format, SInt32 value)
{
    if (!IsSingleConversionFormat(format.GetText(), ArgumentKind::Integer))
        return String::Empty;
    char buffer[64];
    PrintToBuffer(buffer, sizeof(buffer), format.GetText(), value);
    return String(buffer);
}

SInt32 MemCompare(const void* a, const void* b, UInt32 count)
{
    if (count == 0)
        return 0;
    int difference = std::memcmp(a, b, count);
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

SInt32 GetLength(const char* text)
{
    return text != nullptr ? SInt32(std::strlen(text)) : 0;
}

SInt32 CompareCString(const char* a, const char* b)
{
    int difference = std::strcmp(a != nullptr ? a : "", b != nullptr ? b : "");
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

void MemMove(void* target, const void* source, UInt32 count)
{
    if (count != 0)
        std::memmove(target, source, count);
}

void SortUInt32(void* elements, SInt32 count, CompareFunction compare)
{
    if (elements != nullptr && count > 1)
        std::qsort(elements, size_t(count), 4, compare);
}

} // namespace Util
} // namespace Vorn
