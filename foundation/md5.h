// The MD5 message digest (RFC 1321): the player-data file guards its contents with it and the
// high-score client signs its requests with it.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

class Md5 {
public:
    static constexpr UInt32 DigestSize = 16;

    Md5() { Init(); }

    // Starts a new message.
    void Init();
    // Adds count bytes to the message; a null pointer adds nothing.
    void Update(const void* bytes, UInt32 count);
    // Pads the message, adds its length and writes the 16 digest bytes. Init starts the next one.
    void Final(UInt8 digest[DigestSize]);

private:
    void Transform(const UInt8* group);

    UInt32 mBitCount[2]; // low word, high word
    UInt32 mState[4];    // A, B, C, D
    UInt8 mBlock[64];    // input not yet transformed
};

// The digest of count bytes (a null pointer or count 0: the empty message) into digest, which is
// made 16 bytes long when it is not; returns digest's bytes.
UInt8* GetMd5(Data& digest, const void* bytes, UInt32 count);
UInt8* GetMd5(Data& digest, const ConstData& bytes);
// The digest of the text's bytes (no terminator) into digest, as 32 lower-case hexadecimal digits.
String GetMd5Hex(Data& digest, const String& text);

} // namespace Util
} // namespace Vorn
