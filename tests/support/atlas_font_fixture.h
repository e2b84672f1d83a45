// Fixtures for the atlas and font reader tests: running an object creator with its log captured,
// bytes in exactly sized heap blocks, and hand-made chunk files for what the writers never produce.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "foundation/types.h"
#include "resource/package.h"

namespace Vorn {
namespace Testing {

// Bytes in an exactly sized heap block, so that the address sanitizer sees any read past them.
class ExactBytes
{
public:
    ExactBytes(const void* bytes, UInt32 size) : mSize(size), mBlock(new UInt8[size > 0 ? size : 1])
    {
        if (size > 0)
            std::memcpy(mBlock.get(), bytes, size);
    }
    explicit ExactBytes(const ConstData& data) : ExactBytes(data.GetData(), data.GetSize()) {}
    explicit ExactBytes(const std::string& text) : ExactBytes(text.data(), UInt32(text.size())) {}
    UInt8* Get() { return mBlock.get(); }
    UInt32 GetSize() const { return mSize; }

private:
    UInt32 mSize;
    std::unique_ptr<UInt8[]> mBlock;
};

struct CreatorOutcome
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
    template <class T>
    T* As() const
    {
        return dynamic_cast<T*>(object.get());
    }
};

// Runs the creator over the bytes with failed cleared and releaseData set to false beforehand, so
// that the creator must set it.
inline CreatorOutcome RunCreator(Resource::ObjectCreator creator, const void* data, UInt32 size)
{
    CreatorOutcome outcome;
    ::testing::internal::CaptureStderr();
    outcome.object.reset(creator(nullptr, "res", data, size, nullptr, 0, &outcome.releaseData, &outcome.failed));
    outcome.log = ::testing::internal::GetCapturedStderr();
    return outcome;
}

inline CreatorOutcome RunCreator(Resource::ObjectCreator creator, ExactBytes& bytes)
{
    return RunCreator(creator, bytes.Get(), bytes.GetSize());
}

inline UInt32 FloatBits(Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// "0.01" as its four bytes stand in a file, read as a little-endian word.
constexpr UInt32 kVersionWord = 0x31302E30u;

// A chunk given as tag and raw payload words.
struct RawChunk
{
    UInt32 tag;
    std::vector<UInt32> words;
};

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
    file.GetData(data);
    return data;
}

} // namespace Testing
} // namespace Vorn
