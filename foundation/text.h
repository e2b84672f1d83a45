// Text helpers: reading numbers, truth values, angles and lists out of attribute texts,
// formatting numbers into buffers, UTF-8 decoding and small byte-string utilities.
// Parsers return false and leave their targets untouched when the text does not convert; none logs.
#pragma once

#include <cstdarg>

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

// Formatted input over a zero-terminated text (null reads as the empty text). Behaves the same
// on every platform because it does not use the C runtime's scanf. Supported conversions:
//   %d %i (SInt32*), %u %x %X %o (UInt32*), %f %e %g %E %G %F (Real*; with "l", Double*),
//   %Ns (char[N + 1]: a width is required), %c and %Nc (char*, no terminating zero),
//   %n (SInt32*: bytes read so far), %%, "*" to skip an item, widths, white space and literals.
// A number converts from the longest prefix that forms one ('12abc' gives 12); decimal
// numbers only (no hexadecimal floats, no "inf" or "nan"). A number outside its type's range
// (beyond SInt32 for %d, beyond 2^32 - 1 in magnitude for %u, overflowing or underflowing a
// floating type) does not convert. %u takes a minus sign and wraps like the C runtime ('-1'
// gives 4294967295). An unsupported conversion ends the scan like a mismatch.
// Returns the number of stored items; -1 when the text ends before the first conversion.
SInt32 ScanString(const char* text, const char* format, ...) VORN_SCANF_FORMAT(2, 3);
SInt32 ScanStringV(const char* text, const char* format, va_list arguments);

// One item with "%f", "%lf", "%d" or "%u"; true when exactly one item converts.
Bool StringToReal(const String& text, Real& value);
Bool StringToDouble(const String& text, Double& value);
Bool StringToSInt32(const String& text, SInt32& value);
Bool StringToUInt32(const String& text, UInt32& value);

// A number (non-zero is true, read with "%u") or, after trimming, exactly one of
// "true", "on", "yes", "false", "off", "no" (case matters).
Bool StringToBool(const String& text, Bool& value);

// A number with an optional unit: "d" or "deg" for degrees (converted to radians), "r" or
// "rad" for radians. isUnitGiven tells whether one of those units was recognised; any other
// unit of up to 3 bytes is ignored (radians). False when no number converts or when anything
// follows the unit.
Bool StringToAngle(const String& text, Double& radians, Bool& isUnitGiven);

// Empties parts, then fills it with the pieces of text between separators; a run of separators
// counts as one. Returns the number of parts (at least 1: the empty text gives one empty part).
SInt32 SplitString(const String& text, char separator, Array<String>& parts);

// Non-empty, a letter first, then letters, digits, "_", "{" and "}".
Bool IsIdentifier(const String& text);

// Decodes the UTF-8 character at text: a zero byte gives code point 0 and count 0. False for a
// stray continuation byte, a lead byte 11111xxx or a missing continuation byte (outputs untouched).
// Never reads past a zero byte.
Bool DecodeUtf8Char(const char* text, UInt32& codePoint, SInt32& byteCount);

// Formatted output cut to fit the buffer and always zero-terminated (when size > 0).
// Returns the number of characters written; negative when the output was cut or size is 0.
SInt32 PrintToBuffer(char* buffer, SInt32 size, const char* format, ...) VORN_PRINTF_FORMAT(3, 4);
SInt32 PrintToBufferV(char* buffer, SInt32 size, const char* format, va_list arguments);

// Number to text through a 64-byte buffer (at most 63 characters survive).
String UInt32ToString(UInt32 value);
// The format must hold exactly one conversion that takes the argument's type (f, e, g, a and
// their capitals for Double; d, i, u, x, X, o, c for SInt32) besides any "%%"; any other
// format gives the empty text.
String PrintToString(const String& format, Double value);
String PrintToString(const String& format, SInt32 value);

// Space, form feed, line feed, carriage return, vertical and horizontal tab.
inline Bool IsSpace(char byte)
{
    return byte == ' ' || byte == '\f' || byte == '\n' || byte == '\r' || byte == '\v' || byte == '\t';
}
// ASCII letters and digits only.
inline Bool IsAlphaNumeric(char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9');
}

// 0 when the count bytes are equal, else -1 or 1 by the first differing byte (unsigned).
SInt32 MemCompare(const void* a, const void* b, UInt32 count);
// Length of a zero-terminated text; 0 for null.
SInt32 GetLength(const char* text);
// 0 when equal, else -1 or 1 by the first differing byte (unsigned); null compares as the empty text.
SInt32 CompareCString(const char* a, const char* b);
// Copies count bytes between ranges that may overlap.
void MemMove(void* target, const void* source, UInt32 count);

// Sorts count 4-byte elements in place; compare returns negative, 0 or positive.
typedef SInt32 (*CompareFunction)(const void* a, const void* b);
void SortUInt32(void* elements, SInt32 count, CompareFunction compare);

} // namespace Util
} // namespace Vorn
