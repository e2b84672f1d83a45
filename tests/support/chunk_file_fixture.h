// Chunk-file fixtures for the resource readers that have no writer (meshes, colliders): files made
// from chunks given as tag and raw words, bytes in exactly sized heap blocks so that the address
// sanitizer sees any read past them, and a creator call that captures its log.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "resource/package.h"

namespace Vorn {
namespace Testing {

// "0.01" as its four bytes stand in a file, read as a little-endian word.
constexpr UInt32 kVersionWord = 0x31302E30u;

struct RawChunk
{
    UInt32 tag;
    std::vector<UInt32> words;
};

inline UInt32 FloatBits(Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

inline Data MakeChunkFile(UInt32 form, const std::vector<RawChunk>& chunks)
{
    Util::IffData file(form);
    for (const RawChunk& chunk : chunks) {
        UInt8* block = file.CreateChunk(chunk.tag, 8, UInt32(chunk.words.size() * 4));
        if (!chunk.words.empty())
            std::memcpy(block + 8, chunk.words.data(), chunk.words.size() * 4);
        file.AddChunk(block);
    }
    Data data;
    EXPECT_TRUE(file.GetData(data));
    return data;
}

class HeapBytes
{
public:
    HeapBytes(const void* bytes, UInt32 size) : mSize(size), mBlock(new UInt8[size > 0 ? size : 1])
    {
        if (size > 0)
            std::memcpy(mBlock.get(), bytes, size);
    }
    explicit HeapBytes(const ConstData& data) : HeapBytes(data.GetData(), data.GetSize()) {}
    UInt8* Get() { return mBlock.get(); }
    UInt32 GetSize() const { return mSize; }

    // True when [pointer, pointer + size) lies inside the bytes.
    Bool Holds(const void* pointer, UInt64 size) const
    {
        const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(mBlock.get());
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(pointer);
        return at >= first && at - first + size <= mSize;
    }

private:
    UInt32 mSize;
    std::unique_ptr<UInt8[]> mBlock;
};

struct CreateResult
{
    std::unique_ptr<Resource::IObject> object;
    Bool releaseData = false;
    Bool failed = false;
    std::string log;

    SInt32 GetLogLineCount() const
    {
        SInt32 lines = 0;
        for (char c : log)
            lines += c == '\n' ? 1 : 0;
        return lines;
    }
};

inline CreateResult CallCreator(Resource::ObjectCreator creator, const void* data, UInt32 size)
{
    CreateResult result;
    ::testing::internal::CaptureStderr();
    result.object.reset(creator(nullptr, "res", data, size, nullptr, 0, &result.releaseData, &result.failed));
    result.log = ::testing::internal::GetCapturedStderr();
    return result;
}

// The bit positions a bit-flip test tries: two bits of every byte, rotating through the byte, so
// that every field of a file is hit while the run stays short under an emulator.
inline std::vector<UInt32> GetBitFlipPositions(UInt32 size)
{
    std::vector<UInt32> bits;
    for (UInt32 byte = 0; byte < size; ++byte) {
        bits.push_back(byte * 8 + byte % 8);
        bits.push_back(byte * 8 + (byte + 4) % 8);
    }
    return bits;
}

} // namespace Testing
} // namespace Vorn
