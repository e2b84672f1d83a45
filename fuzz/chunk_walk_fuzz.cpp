// The chunk walk under every reader of the engine's chunk files and of RIFF/WAVE files: the form
// is taken from the input itself, and every chunk the walk hands out is read to its end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "foundation/iff_stream.h"

namespace {

volatile std::uint32_t gSink = 0;

void Walk(Vorn::Util::IffStream& stream)
{
    if (!stream.Open())
        return;
    for (int pass = 0; pass < 2; ++pass) {
        while (!stream.IsAtEnd()) {
            const std::uint8_t* chunk = stream.GetChunk();
            if (chunk != nullptr) {
                const std::uint32_t size = stream.GetChunkSize();
                for (std::uint32_t i = 0; i < size; ++i)
                    gSink = gSink + chunk[i];
            }
            if (!stream.NextChunk())
                break;
        }
        stream.Rewind();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    std::uint32_t form = 0;
    if (size >= 12)
        std::memcpy(&form, data + 8, 4);
    Vorn::Util::IffStream engineFile(data, std::uint32_t(size), form);
    Walk(engineFile);
    std::unique_ptr<Vorn::Util::IffStream> clone(engineFile.Clone());
    Walk(*clone);
    Vorn::Util::IffStream riff(data, std::uint32_t(size));
    Walk(riff);
    return 0;
}
