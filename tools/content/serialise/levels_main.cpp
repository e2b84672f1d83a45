// The content build's level writer: frames the chunk list that tools/content/levels.py designs
// into the game's level file with the engine's chunk writer, then walks the written bytes with
// the engine's chunk reader before reporting success, so a file the game could not walk never
// reaches the program.
//
//   vorn_levels <chunk list> <level file>
//
// The chunk list holds one chunk a line: a four-character tag, a space and the payload in hex
// (a multiple of four bytes). Exit code 0 on success; otherwise a line names the fault.

#include <cstdio>
#include <cstring>
#include <vector>

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "foundation/types.h"
#include "tools/content/serialise/chunk_list.h"

namespace {

using namespace Vorn;

constexpr UInt32 kForm = MakeTag("DREL");
constexpr UInt32 kLevelTag = MakeTag("LEVL");

bool ReadList(const char* path, std::vector<Content::ListedChunk>& chunks)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "vorn_levels: Failed to open '%s'\n", path);
        return false;
    }
    std::vector<char> text;
    char buffer[65536];
    for (size_t read; (read = std::fread(buffer, 1, sizeof(buffer), file)) > 0;)
        text.insert(text.end(), buffer, buffer + read);
    std::fclose(file);
    int badLine = 0;
    if (!Content::ParseChunkList(text.data(), text.size(), chunks, badLine)) {
        std::fprintf(stderr, "vorn_levels: %s:%d: not a chunk line\n", path, badLine);
        return false;
    }
    return true;
}

// Walks the written file as the game does and counts its levels; false when a chunk is missing
// or differs from the list.
bool CheckWritten(const Data& data, const std::vector<Content::ListedChunk>& chunks, UInt32& levels)
{
    Util::IffStream stream(data.GetData(), data.GetSize(), kForm);
    if (!stream.Open())
        return false;
    levels = 0;
    for (const Content::ListedChunk& chunk : chunks) {
        const UInt8* block = stream.GetChunk(chunk.mTag);
        if (block == nullptr || stream.GetChunkSize(chunk.mTag) != chunk.mPayload.size() ||
            (!chunk.mPayload.empty() && std::memcmp(block + 8, chunk.mPayload.data(), chunk.mPayload.size()) != 0))
            return false;
        if (chunk.mTag == kLevelTag)
            ++levels;
        stream.NextChunk();
    }
    return true;
}

bool WriteWholeFile(const char* path, const Data& data)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "vorn_levels: Failed to create '%s'\n", path);
        return false;
    }
    const bool written = std::fwrite(data.GetData(), 1, data.GetSize(), file) == data.GetSize();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        std::fprintf(stderr, "vorn_levels: Failed to write '%s'\n", path);
    return written && closed;
}

int WriteLevels(const char* listPath, const char* outputPath)
{
    std::vector<Content::ListedChunk> chunks;
    if (!ReadList(listPath, chunks))
        return 1;
    if (chunks.empty() || chunks.front().mTag != kLevelTag) {
        std::fprintf(stderr, "vorn_levels: %s: the list does not begin with a level\n", listPath);
        return 1;
    }
    Util::IffData file(kForm);
    for (const Content::ListedChunk& chunk : chunks) {
        UInt8* block = file.CreateChunk(chunk.mTag, 8 + UInt32(chunk.mPayload.size()), 0);
        if (block == nullptr) {
            std::fprintf(stderr, "vorn_levels: %s: a chunk too large\n", listPath);
            return 1;
        }
        if (!chunk.mPayload.empty())
            std::memcpy(block + 8, chunk.mPayload.data(), chunk.mPayload.size());
        file.AddChunk(block);
    }
    Data data;
    UInt32 levels = 0;
    if (!file.GetData(data) || !CheckWritten(data, chunks, levels)) {
        std::fprintf(stderr, "vorn_levels: %s: the written level file does not read back\n", listPath);
        return 1;
    }
    if (!WriteWholeFile(outputPath, data))
        return 1;
    std::printf("vorn_levels: %u levels, %zu chunks, %u bytes\n", levels, chunks.size(), data.GetSize());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorn_levels <chunk list> <level file>\n");
        return 2;
    }
    return WriteLevels(argv[1], argv[2]);
}
