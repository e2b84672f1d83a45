#include "foundation/md5.h"

#include "foundation/byte_order.h"
#include "foundation/hex.h"

#include <cstring>

namespace Vorn {
namespace Util {
namespace {

// One row per step of a round: the sine-derived constant and the shift amount. The message word
// of a step follows from its round and number (see Transform).
struct Md5Step {
    UInt32 constant;
    UInt32 shift;
};

const Md5Step Md5Steps[64] = {
    {0xd76aa478, 7},  {0xe8c7b756, 12}, {0x242070db, 17}, {0xc1bdceee, 22},
    {0xf57c0faf, 7},  {0x4787c62a, 12}, {0xa8304613, 17}, {0xfd469501, 22},
    {0x698098d8, 7},  {0x8b44f7af, 12}, {0xffff5bb1, 17}, {0x895cd7be, 22},
    {0x6b901122, 7},  {0xfd987193, 12}, {0xa679438e, 17}, {0x49b40821, 22},
    {0xf61e2562, 5},  {0xc040b340, 9},  {0x265e5a51, 14}, {0xe9b6c7aa, 20},
    {0xd62f105d, 5},  {0x02441453, 9},  {0xd8a1e681, 14}, {0xe7d3fbc8, 20},
    {0x21e1cde6, 5},  {0xc33707d6, 9},  {0xf4d50d87, 14}, {0x455a14ed, 20},
    {0xa9e3e905, 5},  {0xfcefa3f8, 9},  {0x676f02d9, 14}, {0x8d2a4c8a, 20},
    {0xfffa3942, 4},  {0x8771f681, 11}, {0x6d9d6122, 16}, {0xfde5380c, 23},
    {0xa4beea44, 4},  {0x4bdecfa9, 11}, {0xf6bb4b60, 16}, {0xbebfbc70, 23},
    {0x289b7ec6, 4},  {0xeaa127fa, 11}, {0xd4ef3085, 16}, {0x04881d05, 23},
    {0xd9d4d039, 4},  {0xe6db99e5, 11}, {0x1fa27cf8, 16}, {0xc4ac5665, 23},
    {0xf4292244, 6},  {0x432aff97, 10}, {0xab9423a7, 15}, {0xfc93a039, 21},
    {0x655b59c3, 6},  {0x8f0ccc92, 10}, {0xffeff47d, 15}, {0x85845dd1, 21},
    {0x6fa87e4f, 6},  {0xfe2ce6e0, 10}, {0xa3014314, 15}, {0x4e0811a1, 21},
    {0xf7537e82, 6},  {0xbd3af235, 10}, {0x2ad7d2bb, 15}, {0xeb86d391, 21},
};

UInt32 RotateLeft(UInt32 value, UInt32 shift)
{
    return (value << shift) | (value >> (32 - shift));
}

} // namespace

void Md5::Init()
{
    mBitCount[0] = 0;
    mBitCount[1] = 0;
    mState[0] = 0x67452301;
    mState[1] = 0xefcdab89;
    mState[2] = 0x98badcfe;
    mState[3] = 0x10325476;
    std::memset(mBlock, 0, sizeof(mBlock));
}

void Md5::Update(const void* bytes, UInt32 count)
{
    if (bytes == nullptr || count == 0)
        return;
    const UInt8* input = static_cast<const UInt8*>(bytes);

    UInt32 fill = (mBitCount[0] >> 3) & 63;
    const UInt32 addedBits = count << 3;
    mBitCount[0] += addedBits;
    if (mBitCount[0] < addedBits)
        ++mBitCount[1];
    mBitCount[1] += count >> 29;

    if (fill != 0) {
        const UInt32 room = 64 - fill;
        if (count < room) {
            std::memcpy(mBlock + fill, input, count);
            return;
        }
        std::memcpy(mBlock + fill, input, room);
        Transform(mBlock);
        input += room;
        count -= room;
    }
    while (count >= 64) {
        Transform(input);
        input += 64;
        count -= 64;
    }
    if (count != 0)
        std::memcpy(mBlock, input, count);
}

void Md5::Final(UInt8 digest[DigestSize])
{
    UInt8 length[8];
    WriteLittleEndian32(length, mBitCount[0]);
    WriteLittleEndian32(length + 4, mBitCount[1]);

    static const UInt8 Padding[64] = {0x80};
    const UInt32 fill = (mBitCount[0] >> 3) & 63;
    Update(Padding, fill < 56 ? 56 - fill : 120 - fill);
    Update(length, 8);

    for (UInt32 i = 0; i < 4; ++i)
        WriteLittleEndian32(digest + 4 * i, mState[i]);
}

void Md5::Transform(const UInt8* group)
{
    // Words are assembled byte by byte, so the group may start at any address.
    UInt32 words[16];
    for (UInt32 i = 0; i < 16; ++i)
        words[i] = ReadLittleEndian32(group + 4 * i);

    UInt32 a = mState[0];
    UInt32 b = mState[1];
    UInt32 c = mState[2];
    UInt32 d = mState[3];
    for (UInt32 step = 0; step < 64; ++step) {
        UInt32 mixed;
        UInt32 word;
        switch (step / 16) {
        case 0:
            mixed = (b & c) | (~b & d);
            word = step;
            break;
        case 1:
            mixed = (b & d) | (c & ~d);
            word = (5 * step + 1) % 16;
            break;
        case 2:
            mixed = b ^ c ^ d;
            word = (3 * step + 5) % 16;
            break;
        default:
            mixed = c ^ (b | ~d);
            word = (7 * step) % 16;
            break;
        }
        const UInt32 rotated = RotateLeft(a + mixed + words[word] + Md5Steps[step].constant, Md5Steps[step].shift);
        a = d;
        d = c;
        c = b;
        b = b + rotated;
    }
    mState[0] += a;
    mState[1] += b;
    mState[2] += c;
    mState[3] += d;
}

UInt8* GetMd5(Data& digest, const void* bytes, UInt32 count)
{
    if (digest.GetSize() != Md5::DigestSize)
        digest.Resize(Md5::DigestSize);
    Md5 md5;
    md5.Update(bytes, count);
    md5.Final(digest.GetBuffer());
    return digest.GetBuffer();
}

UInt8* GetMd5(Data& digest, const ConstData& bytes)
{
    return GetMd5(digest, bytes.GetData(), bytes.GetSize());
}

String GetMd5Hex(Data& digest, const String& text)
{
    return DigestToHex(GetMd5(digest, text.GetText(), UInt32(text.GetLength())));
}

} // namespace Util
} // namespace Vorn
