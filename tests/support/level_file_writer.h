// Writes level files for the level reader's tests and fuzz seeds: chunks from payload words,
// with helpers for the records the tests fill most.
#pragma once

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "foundation/types.h"

#include <cstring>
#include <string>
#include <vector>

namespace Vorn {
namespace Testing {

inline UInt32 LevelWord(Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// Payload words; Text writes characters (little-endian order within each word, NUL padded).
class LevelPayload
{
public:
    LevelPayload& U32(UInt32 value)
    {
        mWords.push_back(value);
        return *this;
    }
    LevelPayload& F32(Float value) { return U32(LevelWord(value)); }
    LevelPayload& Zeros(UInt32 count)
    {
        mWords.insert(mWords.end(), count, 0);
        return *this;
    }
    LevelPayload& Text(const std::string& text, UInt32 bytes)
    {
        std::vector<UInt8> padded(bytes, 0);
        std::memcpy(padded.data(), text.data(), std::min<size_t>(text.size(), bytes));
        for (UInt32 i = 0; i + 4 <= bytes; i += 4)
            mWords.push_back(UInt32(padded[i]) | UInt32(padded[i + 1]) << 8 | UInt32(padded[i + 2]) << 16 | UInt32(padded[i + 3]) << 24);
        return *this;
    }
    // An optional value: flag word (padding bytes arbitrary) and the value's bits.
    LevelPayload& Optional(Bool set, UInt32 bits)
    {
        U32(set ? 0xAB0000C1u : 0xAB000000u);
        return U32(bits);
    }
    LevelPayload& Append(const LevelPayload& other)
    {
        mWords.insert(mWords.end(), other.mWords.begin(), other.mWords.end());
        return *this;
    }

    std::vector<UInt32> mWords;
};

class LevelFileWriter
{
public:
    LevelFileWriter() : mFile(MakeTag("DREL")) {}

    LevelFileWriter& Chunk(const char (&tag)[5], const LevelPayload& payload)
    {
        const UInt32 bytes = UInt32(payload.mWords.size() * 4);
        UInt8* block = mFile.CreateChunk(MakeTag(tag), 8 + bytes, 0);
        std::memcpy(block + 8, payload.mWords.data(), bytes);
        mFile.AddChunk(block);
        return *this;
    }

    // A "LEVL" chunk: version text, level type, launcher x, y, angle and speed.
    LevelFileWriter& Level(const char* version = "1.09", UInt32 type = 0, Float x = 0.0f, Float y = 0.0f,
                           Float angle = 0.0f, Float speed = 1300.0f)
    {
        return Chunk("LEVL", LevelPayload().Text(version, 4).Zeros(64).U32(type).F32(x).F32(y).F32(angle).F32(speed));
    }

    // An "ASET" chunk without assets.
    LevelFileWriter& Background(const std::string& name, UInt32 variant = 0)
    {
        return Chunk("ASET", LevelPayload().Text(name, 60).U32(variant).U32(0));
    }

    std::vector<UInt8> GetBytes() const
    {
        Data data;
        mFile.GetData(data);
        return std::vector<UInt8>(data.GetData(), data.GetData() + data.GetSize());
    }

private:
    Util::IffData mFile;
};

// A course chunk of the current layout; lists are (value, kinds) with flags 0, pieces are times
// with every optional value set to value.
inline LevelPayload CoursePayload(const std::vector<std::vector<UInt32>>& lists, const std::vector<Float>& pieces,
                                  UInt32 startTrigger = 0)
{
    LevelPayload payload;
    payload.U32(startTrigger).F32(400.0f).U32(3).F32(950.0f).F32(950.0f).U32(1000).F32(0.0f).F32(0.0f).U32(0).U32(0);
    payload.U32(1 | 1 << 16).U32(UInt32(lists.size())).U32(UInt32(pieces.size()));
    for (const std::vector<UInt32>& list : lists) {
        payload.F32(1.0f).U32(UInt32(list.size()));
        for (UInt32 kind : list)
            payload.U32(kind).U32(0);
        payload.Zeros(2 * (64 - UInt32(list.size())));
    }
    for (Float time : pieces) {
        payload.F32(time);
        for (int i = 0; i < 7; ++i)
            payload.Optional(true, LevelWord(time + Float(i)));
    }
    return payload;
}

} // namespace Testing
} // namespace Vorn
