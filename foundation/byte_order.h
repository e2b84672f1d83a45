// Reading and writing the byte orders engine files use: used by every reader and writer of a file format.
#pragma once

#include <cstring>

#include "foundation/types.h"

namespace Vorn {
namespace Util {

// A four-character tag as files store it: the first character in the most significant byte.
inline UInt32 ReadTag(const UInt8* bytes)
{
    return (UInt32(bytes[0]) << 24) | (UInt32(bytes[1]) << 16) | (UInt32(bytes[2]) << 8) | UInt32(bytes[3]);
}

// Stores a four-character tag with its first character (most significant byte) first.
inline void WriteTag(UInt8* bytes, UInt32 tag)
{
    bytes[0] = UInt8(tag >> 24);
    bytes[1] = UInt8(tag >> 16);
    bytes[2] = UInt8(tag >> 8);
    bytes[3] = UInt8(tag);
}

// A little-endian 16-bit word, as engine and sound files store it.
inline UInt32 ReadLittleEndian16(const UInt8* bytes)
{
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8);
}

// A little-endian 32-bit word, as engine files store it.
inline UInt32 ReadLittleEndian32(const UInt8* bytes)
{
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) | (UInt32(bytes[3]) << 24);
}

// Stores a 32-bit word little-endian, as engine files store it.
inline void WriteLittleEndian32(UInt8* bytes, UInt32 value)
{
    bytes[0] = UInt8(value);
    bytes[1] = UInt8(value >> 8);
    bytes[2] = UInt8(value >> 16);
    bytes[3] = UInt8(value >> 24);
}

// A 32-bit float stored as its bit pattern in a little-endian word, as engine files store it.
inline Float ReadFloat(const UInt8* bytes)
{
    const UInt32 bits = ReadLittleEndian32(bytes);
    Float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

// Stores a 32-bit float as its bit pattern in a little-endian word.
inline void WriteFloat(UInt8* bytes, Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    WriteLittleEndian32(bytes, bits);
}

} // namespace Util
} // namespace Vorn
