// Bytes as hexadecimal text and back: digests travel as hexadecimal text, player names
// hexadecimal-encoded in high-score requests, and the device identifier is written that way.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

// Writes two lower-case digits per byte, high nibble first, with no terminating zero, for as many
// bytes as fit in textSize characters; returns the characters written (0 for a null pointer or
// nothing that fits).
UInt32 BytesToHex(const void* bytes, UInt32 count, char* text, UInt32 textSize);

// Decodes pairs of digits (either case) into at most size bytes; returns the bytes written.
// Returns 0 for a null pointer, size 0, an odd length or a character that is not a digit; the
// bytes decoded before a bad character are written all the same.
UInt32 HexToBytes(const char* text, UInt32 length, void* bytes, UInt32 size);

// The hexadecimal text of every byte of the String (twice its length).
String StringToHex(const String& text);
// The decoded bytes (zero bytes allowed); empty for an odd length or any bad character.
String HexToString(const String& text);
String DataToHex(const ConstData& data);
// 32 digits of a 16-byte digest.
String DigestToHex(const UInt8* digest);

} // namespace Util
} // namespace Vorn
