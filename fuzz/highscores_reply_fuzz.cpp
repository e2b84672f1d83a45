// The reply parser of the online high-score client: the bytes stand as a score-list reply.
#include <cstddef>
#include <cstdint>

#include "game/halvex_highscores.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    Vorn::Array<Vorn::App::HalvexHighscores::Entry> entries;
    Vorn::App::HalvexHighscores::Parser parser(entries);
    parser.Parse(data, Vorn::UInt32(size));
    volatile Vorn::UInt32 sink = 0;
    for (const Vorn::App::HalvexHighscores::Entry& entry : entries)
        sink = sink + entry.mRank + entry.mScore1 + Vorn::UInt32(entry.mName.GetLength());
    return 0;
}
