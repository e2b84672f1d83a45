// The chunk list that tools/content/levels.py writes for the level writer: one chunk a line, a
// four-character tag, a space and the payload in hex (a multiple of four bytes). Empty lines are
// skipped.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "foundation/types.h"

namespace Vorn {
namespace Content {

struct ListedChunk {
    UInt32 mTag = 0;
    std::vector<UInt8> mPayload;
};

inline int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One line without its line end; false for a malformed one.
inline bool ParseChunkLine(const char* line, size_t size, ListedChunk& chunk)
{
    if (size < 5 || line[4] != ' ' || (size - 5) % 8 != 0)
        return false;
    chunk.mTag = 0;
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c > 0x7E)
            return false;
        chunk.mTag = chunk.mTag << 8 | c;
    }
    chunk.mPayload.resize((size - 5) / 2);
    for (size_t i = 0; i < chunk.mPayload.size(); ++i) {
        const int high = HexDigit(line[5 + 2 * i]);
        const int low = HexDigit(line[6 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        chunk.mPayload[i] = static_cast<UInt8>(high << 4 | low);
    }
    return true;
}

// The whole list; false with the 1-based number of the first malformed line in badLine.
inline bool ParseChunkList(const char* text, size_t size, std::vector<ListedChunk>& chunks, int& badLine)
{
    chunks.clear();
    badLine = 0;
    int number = 0;
    for (size_t start = 0; start < size;) {
        size_t end = start;
        while (end < size && text[end] != '\n')
            ++end;
        ++number;
        if (end > start) {
            ListedChunk chunk;
            if (!ParseChunkLine(text + start, end - start, chunk)) {
                badLine = number;
                return false;
            }
            chunks.push_back(std::move(chunk));
        }
        start = end + 1;
    }
    return true;
}

} // namespace Content
} // namespace Vorn
