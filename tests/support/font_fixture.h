// A native font file for tests and benchmarks of text layout: unit scale, line height 10, letter
// spacing 2, leading 4, space width 5, digit width 8, no glyph offsets. Every glyph is a quad from
// 8 units above the line (glyph value 5 is -8) down to the line, as wide as its advance: "1"
// advances 4, the other digits and the capital letters 6.
#pragma once

#include <cstring>
#include <vector>

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "foundation/types.h"

namespace Vorn {
namespace Testing {

inline std::vector<UInt8> MakeTestFontFile()
{
    auto bits = [](Float value) {
        UInt32 word;
        std::memcpy(&word, &value, 4);
        return word;
    };
    const Float values[11] = {1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 2.0f, 4.0f, 5.0f, 8.0f, 0.0f, 0.0f};
    std::vector<UInt32> head = {0x31302E30u};
    for (Float value : values)
        head.push_back(bits(value));
    std::vector<UInt32> glyphs = {0, 8};
    for (UInt32 code = '0'; code <= 'Z'; ++code) {
        if (code > '9' && code < 'A')
            continue;
        const Float advance = code == '1' ? 4.0f : 6.0f;
        const Float record[10] = {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, -8.0f, advance, 0.0f, advance, 0.0f};
        glyphs.push_back(code);
        for (Float value : record)
            glyphs.push_back(bits(value));
        ++glyphs[0];
    }
    Util::IffData file(MakeTag("FONT"));
    for (const auto& chunk : {std::make_pair(MakeTag("HEAD"), &head), std::make_pair(MakeTag("GLPH"), &glyphs)}) {
        UInt8* block = file.CreateChunk(chunk.first, 8, UInt32(chunk.second->size() * 4));
        std::memcpy(block + 8, chunk.second->data(), chunk.second->size() * 4);
        file.AddChunk(block);
    }
    Data data;
    if (!file.GetData(data))
        return {};
    return std::vector<UInt8>(data.GetData(), data.GetData() + data.GetSize());
}

} // namespace Testing
} // namespace Vorn
