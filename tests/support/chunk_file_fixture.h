// Fixtures for the tests of the resource readers: chunk files made from chunks given as tag and
// raw words (for what the writers never produce), a creator call that captures its log, and the
// checks every reader must pass on declined, refused, cut and bit-flipped files.
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
#include "tests/support/exact_bytes.h"

namespace Vorn {
namespace Testing {

// "0.01" as its four bytes stand in a file, read as a little-endian word.
constexpr UInt32 kVersionWord = 0x31302E30u;

// A chunk given as tag and raw payload words.
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

// What an object creator made of some bytes: the object, its two flags and the lines it logged.
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
inline CreatorOutcome RunCreator(Resource::ObjectCreator creator, const void* data, UInt32 size,
                                 const char* id = "res")
{
    CreatorOutcome outcome;
    ::testing::internal::CaptureStderr();
    outcome.object.reset(creator(nullptr, id, data, size, nullptr, 0, &outcome.releaseData, &outcome.failed));
    outcome.log = ::testing::internal::GetCapturedStderr();
    return outcome;
}

inline CreatorOutcome RunCreator(Resource::ObjectCreator creator, ExactBytes& bytes, const char* id = "res")
{
    return RunCreator(creator, bytes.Get(), bytes.GetSize(), id);
}

// A creator's run over a copy of the file that starts at an odd address; the copy lives as long
// as the object, which may point into it.
struct OddAddressCreation
{
    std::unique_ptr<UInt8[]> block;
    CreatorOutcome outcome;
};

// The readers take files at any address (a package's resources follow each other byte-wise): the
// file must give an object without a log line, as it does aligned.
inline std::unique_ptr<OddAddressCreation> RunCreatorAtOddAddress(Resource::ObjectCreator creator,
                                                                  const ConstData& file, const char* id = "res")
{
    std::unique_ptr<OddAddressCreation> creation(new OddAddressCreation);
    creation->block.reset(new UInt8[file.GetSize() + 1]);
    std::memcpy(creation->block.get() + 1, file.GetData(), file.GetSize());
    creation->outcome = RunCreator(creator, creation->block.get() + 1, file.GetSize(), id);
    EXPECT_NE(creation->outcome.object, nullptr) << creation->outcome.log;
    EXPECT_EQ(creation->outcome.log, "");
    return creation;
}

// A file of another form or version: the creator makes nothing, logs nothing and leaves the data
// to the caller, so that the next creator can try it.
inline void ExpectDeclinedSilently(Resource::ObjectCreator creator, const ConstData& file, const char* name)
{
    ExactBytes bytes(file);
    CreatorOutcome result = RunCreator(creator, bytes);
    EXPECT_EQ(result.object, nullptr) << name;
    EXPECT_FALSE(result.failed) << name;
    EXPECT_TRUE(result.releaseData) << name;
    EXPECT_EQ(result.log, "") << name;
}

// A damaged file of the creator's own form: refused as failed, with one log line.
inline void ExpectRefusedWithOneLine(Resource::ObjectCreator creator, const ConstData& file, const char* name)
{
    ExactBytes bytes(file);
    CreatorOutcome result = RunCreator(creator, bytes);
    EXPECT_EQ(result.object, nullptr) << name;
    EXPECT_TRUE(result.failed) << name;
    EXPECT_EQ(result.GetLogLineCount(), 1) << name << ": " << result.log;
}

// Every cut of the file is refused: silently below the 12-byte file header, where the bytes are
// nobody's form, and as failed with one log line from there on.
inline void ExpectEveryCutRefused(Resource::ObjectCreator creator, const ConstData& file, const char* id = "res")
{
    for (UInt32 size = 0; size < file.GetSize(); ++size) {
        ExactBytes bytes(file.GetData(), size);
        CreatorOutcome result = RunCreator(creator, bytes, id);
        EXPECT_EQ(result.object, nullptr) << size;
        EXPECT_EQ(result.failed, size >= 12) << size;
        EXPECT_EQ(result.GetLogLineCount(), size >= 12 ? 1 : 0) << size;
    }
}

// Every bit of a file, for a bit-flip test.
inline std::vector<UInt32> GetEveryBitPosition(UInt32 size)
{
    std::vector<UInt32> bits(size * 8);
    for (UInt32 bit = 0; bit < bits.size(); ++bit)
        bits[bit] = bit;
    return bits;
}

// The bit positions a bit-flip test of a larger file tries: two bits of every byte, rotating
// through the byte, so that every field of a file is hit while the run stays short under an
// emulator.
inline std::vector<UInt32> GetBitFlipPositions(UInt32 size)
{
    std::vector<UInt32> bits;
    for (UInt32 byte = 0; byte < size; ++byte) {
        bits.push_back(byte * 8 + byte % 8);
        bits.push_back(byte * 8 + (byte + 4) % 8);
    }
    return bits;
}

// Runs the creator over the file with each of the bits flipped in turn. An object of type T that
// it makes must log nothing and is handed to check(object, bytes, bit); otherwise the creator
// logs one line when it reports failure and none when it declines. Returns how many flips gave
// an object.
template <class T, class Check>
UInt32 ExpectBitFlipsHandled(Resource::ObjectCreator creator, const ConstData& file, const std::vector<UInt32>& bits,
                             Check check, const char* id = "res")
{
    UInt32 accepted = 0;
    for (UInt32 bit : bits) {
        ExactBytes bytes(file);
        bytes.Get()[bit / 8] ^= UInt8(1u << (bit % 8));
        CreatorOutcome result = RunCreator(creator, bytes, id);
        if (const T* object = result.As<T>()) {
            ++accepted;
            check(*object, bytes, bit);
            EXPECT_EQ(result.log, "") << bit;
        } else {
            EXPECT_EQ(result.GetLogLineCount(), result.failed ? 1 : 0) << bit << ": " << result.log;
        }
    }
    return accepted;
}

} // namespace Testing
} // namespace Vorn
