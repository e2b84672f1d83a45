// Chunk walks over a 64 MiB file of small chunks, against a plain read of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "foundation/byte_order.h"
#include "foundation/iff_stream.h"

using namespace Vorn;

namespace {

constexpr UInt32 kFileSize = 64u << 20;

struct ChunkFile
{
    std::unique_ptr<UInt8[]> bytes;
    UInt32 size = 0;
    UInt32 chunks = 0;
};

// Chunks of 8 to 64 payload bytes, tags alternating "SMAL" and "DATA".
const ChunkFile& GetChunkFile()
{
    static ChunkFile file = [] {
        ChunkFile result;
        result.bytes.reset(new UInt8[kFileSize]());
        UInt8* bytes = result.bytes.get();
        std::memcpy(bytes, "VORN", 4);
        Util::WriteLittleEndian32(bytes + 4, kFileSize - 8);
        std::memcpy(bytes + 8, "BNCH", 4);
        UInt32 offset = 12;
        UInt32 seed = 12345;
        while (offset + 8 <= kFileSize)
        {
            seed = seed * 1103515245u + 12345u;
            UInt32 payload = 8 * (1 + (seed >> 16) % 8);
            if (offset + 8 + payload > kFileSize)
                payload = kFileSize - offset - 8;
            std::memcpy(bytes + offset, (result.chunks & 1) != 0 ? "DATA" : "SMAL", 4);
            Util::WriteLittleEndian32(bytes + offset + 4, payload);
            if (payload > 0)
                bytes[offset + 8] = UInt8(seed);
            offset += 8 + payload;
            ++result.chunks;
        }
        result.size = kFileSize;
        return result;
    }();
    return file;
}

// The loop every reader runs: look at the chunk, step to the next.
void BM_ChunkWalk(benchmark::State& state)
{
    const ChunkFile& file = GetChunkFile();
    for (auto _ : state)
    {
        Util::IffStream stream(file.bytes.get(), file.size, MakeTag("BNCH"));
        if (!stream.Open())
            state.SkipWithError("file does not open");
        UInt32 visited = 0;
        UInt64 sizes = 0;
        while (!stream.IsAtEnd())
        {
            if (const UInt8* chunk = stream.GetChunk(0))
            {
                sizes += chunk[4];
                ++visited;
            }
            stream.NextChunk();
        }
        benchmark::DoNotOptimize(sizes);
        benchmark::DoNotOptimize(visited);
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * file.size);
    state.counters["chunks"] = file.chunks;
}
BENCHMARK(BM_ChunkWalk)->Unit(benchmark::kMillisecond);

// Looking for one kind of chunk, with the size check a reader makes before using it.
void BM_ChunkWalkByTag(benchmark::State& state)
{
    const ChunkFile& file = GetChunkFile();
    const UInt32 tag = MakeTag("DATA");
    for (auto _ : state)
    {
        Util::IffStream stream(file.bytes.get(), file.size, MakeTag("BNCH"));
        if (!stream.Open())
            state.SkipWithError("file does not open");
        UInt32 found = 0;
        while (!stream.IsAtEnd())
        {
            if (stream.GetChunk(tag) != nullptr && stream.GetChunkSize(tag) >= 8)
                ++found;
            stream.NextChunk();
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * file.size);
}
BENCHMARK(BM_ChunkWalkByTag)->Unit(benchmark::kMillisecond);

// Memory speed for comparison: every 8-byte word of the file read once.
void BM_ReadAllBytes(benchmark::State& state)
{
    const ChunkFile& file = GetChunkFile();
    for (auto _ : state)
    {
        UInt64 sum = 0;
        for (UInt32 offset = 0; offset < file.size; offset += 8)
        {
            UInt64 word;
            std::memcpy(&word, file.bytes.get() + offset, 8);
            sum += word;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * file.size);
}
BENCHMARK(BM_ReadAllBytes)->Unit(benchmark::kMillisecond);

} // namespace
