// The engine's fixed-size scalar types, used by every subsystem and by all file formats.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Vorn {

typedef bool Bool;
typedef std::int8_t SInt8;
typedef std::uint8_t UInt8;
typedef std::int16_t SInt16;
typedef std::uint16_t UInt16;
typedef std::int32_t SInt32;
typedef std::uint32_t UInt32;
typedef std::int64_t SInt64;
typedef std::uint64_t UInt64;
typedef float Float;
typedef double Double;
typedef float Real;

// A four-character tag as files store it: the first character in the most significant byte.
constexpr UInt32 MakeTag(const char (&text)[5])
{
    return (UInt32(UInt8(text[0])) << 24) | (UInt32(UInt8(text[1])) << 16) |
           (UInt32(UInt8(text[2])) << 8) | UInt32(UInt8(text[3]));
}

} // namespace Vorn

// Format checks of the printf- and scanf-like functions: MinGW's GCC must be told the GNU forms
// (its default is the Microsoft runtime's); clang knows only the plain names.
#if defined(__clang__)
#define VORN_PRINTF_FORMAT(formatIndex, firstIndex) __attribute__((format(printf, formatIndex, firstIndex)))
#define VORN_SCANF_FORMAT(formatIndex, firstIndex) __attribute__((format(scanf, formatIndex, firstIndex)))
#else
#define VORN_PRINTF_FORMAT(formatIndex, firstIndex) __attribute__((format(gnu_printf, formatIndex, firstIndex)))
#define VORN_SCANF_FORMAT(formatIndex, firstIndex) __attribute__((format(gnu_scanf, formatIndex, firstIndex)))
#endif
