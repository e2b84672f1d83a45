// The level writer's chunk list over arbitrary bytes: every chunk it accepts has a payload of
// whole words, and nothing is read outside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/content/serialise/chunk_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<Vorn::Content::ListedChunk> chunks;
    int badLine = 0;
    const bool parsed = Vorn::Content::ParseChunkList(reinterpret_cast<const char*>(data), size, chunks, badLine);
    if (parsed != (badLine == 0))
        std::abort();
    for (const Vorn::Content::ListedChunk& chunk : chunks) {
        if (chunk.mPayload.size() % 4 != 0)
            std::abort();
    }
    return 0;
}
