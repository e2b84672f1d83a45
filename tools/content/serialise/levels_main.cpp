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
#include <string>
#include <vector>

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "foundation/types.h"

namespace {

using namespace Vorn;

constexpr UInt32 kForm = MakeTag("DREL");
constexpr UInt32 kLevelTag = MakeTag("LEVL");

struct Chunk {
    UInt32 mTag = 0;
    std::vector<UInt8> mPayload;
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One line of the list; false for a malformed one.
bool ParseLine(const std::string& line, Chunk& chunk)
{
    if (line.size() < 5 || line[4] != ' ')
        return false;
    chunk.mTag = 0;
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c > 0x7E)
            return false;
        chunk.mTag = chunk.mTag << 8 | c;
    }
    const size_t digits = line.size() - 5;
    if (digits % 8 != 0)
        return false;
    chunk.mPayload.resize(digits / 2);
    for (size_t i = 0; i < chunk.mPayload.size(); ++i) {
        const int high = HexDigit(line[5 + 2 * i]);
        const int low = HexDigit(line[6 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        chunk.mPayload[i] = static_cast<UInt8>(high << 4 | low);
    }
    return true;
}

bool ReadList(const char* path, std::vector<Chunk>& chunks)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "vorn_levels: Failed to open '%s'\n", path);
        return false;
    }
    std::string line;
    int number = 0;
    bool good = true;
    for (int c = std::fgetc(file); good; c = std::fgetc(file)) {
        if (c != '\n' && c != EOF) {
            line.push_back(static_cast<char>(c));
            continue;
        }
        ++number;
        if (!line.empty()) {
            Chunk chunk;
            if (!ParseLine(line, chunk)) {
                std::fprintf(stderr, "vorn_levels: %s:%d: not a chunk line\n", path, number);
                good = false;
            }
            chunks.push_back(std::move(chunk));
        }
        line.clear();
        if (c == EOF)
            break;
    }
    std::fclose(file);
    return good;
}

// Walks the written file as the game does and counts its levels; false when a chunk is missing
// or differs from the list.
bool CheckWritten(const Data& data, const std::vector<Chunk>& chunks, UInt32& levels)
{
    Util::IffStream stream(data.GetData(), data.GetSize(), kForm);
    if (!stream.Open())
        return false;
    levels = 0;
    for (const Chunk& chunk : chunks) {
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
    std::vector<Chunk> chunks;
    if (!ReadList(listPath, chunks))
        return 1;
    if (chunks.empty() || chunks.front().mTag != kLevelTag) {
        std::fprintf(stderr, "vorn_levels: %s: the list does not begin with a level\n", listPath);
        return 1;
    }
    Util::IffData file(kForm);
    for (const Chunk& chunk : chunks) {
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
