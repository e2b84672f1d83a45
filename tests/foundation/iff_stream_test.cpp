#include "foundation/iff_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/support/exact_bytes.h"

using namespace Vorn;
using Testing::ExactBytes;

namespace {

constexpr UInt32 kTest = MakeTag("TEST");
constexpr UInt32 kHead = MakeTag("HEAD");
constexpr UInt32 kBody = MakeTag("BODY");

void PutTag(std::vector<UInt8>& bytes, const char* tag)
{
    bytes.insert(bytes.end(), tag, tag + 4);
}

void PutUInt32(std::vector<UInt8>& bytes, UInt32 value)
{
    for (SInt32 shift = 0; shift < 32; shift += 8)
        bytes.push_back(UInt8(value >> shift));
}

// Hand-made files, for framings that the engine's writer would never produce.
class FileBuilder
{
public:
    // A chunk whose size field claims claimedSize while payloadSize bytes follow.
    FileBuilder& Chunk(const char* tag, UInt32 payloadSize, UInt32 claimedSize)
    {
        PutTag(mChunks, tag);
        PutUInt32(mChunks, claimedSize);
        for (UInt32 i = 0; i < payloadSize; ++i)
            mChunks.push_back(UInt8(i + 1));
        return *this;
    }
    FileBuilder& Chunk(const char* tag, UInt32 payloadSize) { return Chunk(tag, payloadSize, payloadSize); }
    FileBuilder& Bytes(UInt32 count)
    {
        mChunks.insert(mChunks.end(), count, 0xAB);
        return *this;
    }
    std::vector<UInt8> Build(const char* magic = "VORN", const char* form = "TEST", SInt32 headerSizeError = 0) const
    {
        std::vector<UInt8> bytes;
        PutTag(bytes, magic);
        PutUInt32(bytes, UInt32(4 + mChunks.size() + headerSizeError));
        PutTag(bytes, form);
        bytes.insert(bytes.end(), mChunks.begin(), mChunks.end());
        return bytes;
    }

private:
    std::vector<UInt8> mChunks;
};

// Walks like the readers do and lists each position: its tag when the whole chunk lies in the
// data, "?" when only the size is there. Fails the test when the walk does not end.
std::vector<std::string> Walk(Util::IffStream& stream)
{
    std::vector<std::string> visited;
    for (SInt32 step = 0; !stream.IsAtEnd(); ++step)
    {
        if (step > 1000)
        {
            ADD_FAILURE() << "chunk walk does not end";
            break;
        }
        const UInt8* chunk = stream.GetChunk(0);
        visited.push_back(chunk != nullptr ? std::string(reinterpret_cast<const char*>(chunk), 4) : "?");
        if (!stream.NextChunk())
            break;
    }
    return visited;
}

TEST(IffStreamTest, ReadsWhatTheWriterWrites)
{
    Util::IffData writer(kTest);
    UInt8* head = writer.CreateChunk(kHead, 12, 0);
    ASSERT_NE(head, nullptr);
    std::memcpy(head + 8, "0.01", 4);
    ASSERT_TRUE(writer.AddChunk(head));
    UInt8* body = writer.CreateChunk(kBody, 8, 5);
    ASSERT_NE(body, nullptr);
    std::memcpy(body + 8, "hello", 5);
    ASSERT_TRUE(writer.AddChunk(body));

    Data file;
    ASSERT_TRUE(writer.GetData(file));
    const UInt8 expected[] = {'V', 'O', 'R', 'N', 32, 0, 0, 0, 'T', 'E', 'S', 'T',
                              'H', 'E', 'A', 'D', 4, 0, 0, 0, '0', '.', '0', '1',
                              'B', 'O', 'D', 'Y', 8, 0, 0, 0, 'h', 'e', 'l', 'l', 'o', 0, 0, 0};
    ASSERT_EQ(file.GetSize(), sizeof(expected));
    EXPECT_EQ(std::memcmp(file.GetData(), expected, sizeof(expected)), 0);

    ExactBytes bytes(file);
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    EXPECT_FALSE(stream.IsOpen());
    ASSERT_TRUE(stream.Open());
    EXPECT_TRUE(stream.IsOpen());
    EXPECT_TRUE(stream.CheckChunkSize(kHead, 12, 0));
    EXPECT_EQ(stream.GetChunkSize(kHead), 4u);
    EXPECT_EQ(stream.GetChunk(kBody), nullptr); // another tag: null, and the stream stays
    EXPECT_EQ(stream.GetChunkSize(kBody), 0u);
    EXPECT_EQ(stream.GetChunk(kHead), bytes.Get() + 12);
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_TRUE(stream.CheckChunkSize(kBody, 8, 5)); // 5 payload bytes padded to 8
    EXPECT_FALSE(stream.CheckChunkSize(kBody, 8, 9));
    EXPECT_FALSE(stream.CheckChunkSize(kHead, 8, 5));
    const UInt8* chunk = stream.GetChunk(0);
    ASSERT_NE(chunk, nullptr);
    EXPECT_EQ(std::memcmp(chunk + 8, "hello\0\0\0", 8), 0);
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_TRUE(stream.IsAtEnd());
    EXPECT_FALSE(stream.NextChunk());

    ASSERT_TRUE(stream.Rewind());
    EXPECT_EQ(Walk(stream), (std::vector<std::string>{"HEAD", "BODY"}));

    // GetData copies: a second call gives the same bytes.
    Data again;
    ASSERT_TRUE(writer.GetData(again));
    ASSERT_EQ(again.GetSize(), file.GetSize());
    EXPECT_EQ(std::memcmp(again.GetData(), file.GetData(), file.GetSize()), 0);
}

TEST(IffStreamTest, EmptyWriterGivesAHeaderThatOpensAtItsEnd)
{
    Util::IffData writer(kTest);
    Data file;
    ASSERT_TRUE(writer.GetData(file));
    const UInt8 expected[] = {'V', 'O', 'R', 'N', 4, 0, 0, 0, 'T', 'E', 'S', 'T'};
    ASSERT_EQ(file.GetSize(), sizeof(expected));
    EXPECT_EQ(std::memcmp(file.GetData(), expected, sizeof(expected)), 0);

    ExactBytes bytes(file);
    Util::IffStream stream(kTest, ConstData(bytes.Get(), bytes.GetSize()));
    ASSERT_TRUE(stream.Open());
    EXPECT_TRUE(stream.IsAtEnd());
    EXPECT_EQ(stream.GetChunk(0), nullptr);
    EXPECT_EQ(stream.GetChunkSize(0), 0u);
    EXPECT_FALSE(stream.NextChunk());
}

struct HeaderCase
{
    const char* name;
    std::vector<UInt8> bytes;
};

TEST(IffStreamTest, RefusesBadHeaders)
{
    std::vector<UInt8> good = FileBuilder().Chunk("HEAD", 4).Build();
    std::vector<UInt8> trailing = good;
    trailing.push_back(0);
    std::vector<UInt8> cut(good.begin(), good.end() - 1);
    const HeaderCase cases[] = {
        {"empty", {}},
        {"eleven bytes", std::vector<UInt8>(good.begin(), good.begin() + 11)},
        {"other magic", FileBuilder().Chunk("HEAD", 4).Build("RIFF")},
        {"other form", FileBuilder().Chunk("HEAD", 4).Build("VORN", "GRPH")},
        {"header size one short", FileBuilder().Chunk("HEAD", 4).Build("VORN", "TEST", -1)},
        {"header size one long", FileBuilder().Chunk("HEAD", 4).Build("VORN", "TEST", 1)},
        {"trailing bytes", trailing},
        {"cut short", cut},
        {"header size near 2^32", FileBuilder().Build("VORN", "TEST", -12)},
    };
    for (const HeaderCase& item : cases)
    {
        ExactBytes bytes(item.bytes);
        Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
        EXPECT_FALSE(stream.Open()) << item.name;
        EXPECT_FALSE(stream.IsOpen()) << item.name;
    }
    ExactBytes bytes(good);
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    EXPECT_TRUE(stream.Open());

    Util::IffStream nothing(nullptr, 100, kTest);
    EXPECT_FALSE(nothing.Open());
}

TEST(IffStreamTest, ZeroSizeChunkIsSteppedOverButFailsTheSizeCheck)
{
    ExactBytes bytes(FileBuilder().Chunk("NULL", 0).Chunk("BODY", 4).Build());
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    ASSERT_TRUE(stream.Open());
    EXPECT_FALSE(stream.CheckChunkSize(MakeTag("NULL"), 8, 0));
    EXPECT_FALSE(stream.CheckChunkSize(MakeTag("NULL"), 0, 0));
    EXPECT_EQ(stream.GetChunk(0), bytes.Get() + 12);
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_EQ(stream.GetChunk(kBody), bytes.Get() + 20);
}

TEST(IffStreamTest, FewerThanAHeaderOfBytesLeftIsTheEnd)
{
    ExactBytes bytes(FileBuilder().Chunk("HEAD", 4).Bytes(7).Build());
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    ASSERT_TRUE(stream.Open());
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_TRUE(stream.IsAtEnd());
    EXPECT_FALSE(stream.NextChunk());
    EXPECT_EQ(stream.GetChunkSize(0), 0u);
    EXPECT_EQ(stream.GetChunk(0), nullptr);
    EXPECT_FALSE(stream.CheckChunkSize(0, 8, 0));
}

TEST(IffStreamTest, LastChunkOfExactlyEightBytesIsNeverVisited)
{
    ExactBytes bytes(FileBuilder().Chunk("HEAD", 4).Chunk("LAST", 0).Build());
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    ASSERT_TRUE(stream.Open());
    EXPECT_EQ(Walk(stream), std::vector<std::string>{"HEAD"});
}

TEST(IffStreamTest, SizeRunningPastTheEndEndsTheWalk)
{
    ExactBytes bytes(FileBuilder().Chunk("HEAD", 4).Chunk("LONG", 4, 100).Build());
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    ASSERT_TRUE(stream.Open());
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_EQ(stream.GetChunkSize(0), 100u);
    EXPECT_EQ(stream.GetChunk(0), nullptr);
    EXPECT_FALSE(stream.IsAtEnd());
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_TRUE(stream.IsAtEnd());
    EXPECT_FALSE(stream.NextChunk());
    EXPECT_EQ(stream.GetChunkSize(0), 0u);
}

TEST(IffStreamTest, HostileSizesCannotWrapTheOffset)
{
    // Chunk B stands at offset 20; in 32-bit arithmetic these sizes would send the walk back to
    // the first chunk (a loop), to the file header, or to just behind B's header.
    const UInt32 sizes[] = {0xFFFFFFF0u, 0xFFFFFFE4u, 0xFFFFFFF8u, 0xFFFFFFFFu, 0x80000000u};
    for (UInt32 size : sizes)
    {
        ExactBytes bytes(FileBuilder().Chunk("A\0\0\0", 0).Chunk("B\0\0\0", 8, size).Chunk("C\0\0\0", 4).Build());
        Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
        ASSERT_TRUE(stream.Open());
        EXPECT_EQ(Walk(stream), (std::vector<std::string>{std::string("A\0\0\0", 4), "?"})) << size;
        EXPECT_TRUE(stream.IsAtEnd()) << size;
        EXPECT_FALSE(stream.NextChunk()) << size;

        // Sizes near 2^32 must not pass the size check by wrapping to a small total either.
        stream.Rewind();
        stream.NextChunk();
        EXPECT_EQ(stream.GetChunkSize(0), size);
        EXPECT_FALSE(stream.CheckChunkSize(MakeTag("B\0\0\0"), 0, 0)) << size;
        EXPECT_FALSE(stream.CheckChunkSize(MakeTag("B\0\0\0"), 0xFFFFFFFFu, 0xFFFFFFFFu)) << size;
        EXPECT_EQ(stream.GetChunk(0), nullptr) << size;
    }
}

TEST(IffStreamTest, WalksOverRandomFramingStayInsideTheData)
{
    // Random sizes, biased towards the edges, in exactly sized buffers: every chunk handed out
    // is read in full, so an over-read shows up under the address sanitizer.
    std::mt19937 random(1234);
    const UInt32 edgeSizes[] = {0, 1, 4, 7, 8, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFF0u, 0xFFFFFFF4u, 0xFFFFFFF8u, 0xFFFFFFFFu};
    for (SInt32 round = 0; round < 2000; ++round)
    {
        FileBuilder builder;
        SInt32 chunks = SInt32(random() % 6);
        for (SInt32 i = 0; i < chunks; ++i)
        {
            UInt32 payload = random() % 24;
            UInt32 claimed = random() % 3 == 0 ? edgeSizes[random() % std::size(edgeSizes)] : payload + random() % 5;
            builder.Chunk("RAND", payload, claimed);
        }
        builder.Bytes(random() % 9);
        ExactBytes bytes(builder.Build());
        Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
        ASSERT_TRUE(stream.Open());
        UInt32 sum = 0;
        SInt32 steps = 0;
        while (!stream.IsAtEnd())
        {
            ASSERT_LT(++steps, 200) << "round " << round;
            stream.GetChunkSize(0);
            stream.CheckChunkSize(MakeTag("RAND"), random(), random());
            if (const UInt8* chunk = stream.GetChunk(MakeTag("RAND")))
            {
                UInt32 size = 8 + stream.GetChunkSize(0);
                ASSERT_GE(chunk, bytes.Get());
                ASSERT_LE(chunk + size, bytes.Get() + bytes.GetSize());
                for (UInt32 i = 0; i < size; ++i)
                    sum += chunk[i];
            }
            if (!stream.NextChunk())
                break;
        }
        EXPECT_TRUE(stream.IsAtEnd()) << "round " << round;
    }
}

TEST(IffStreamTest, ReadsRiffWaveFiles)
{
    ExactBytes bytes(FileBuilder().Chunk("fmt ", 16).Chunk("data", 4).Build("RIFF", "WAVE"));
    Util::IffStream wave(bytes.Get(), bytes.GetSize());
    ASSERT_TRUE(wave.Open());
    EXPECT_EQ(Walk(wave), (std::vector<std::string>{"fmt ", "data"}));

    Util::IffStream engine(bytes.Get(), bytes.GetSize(), MakeTag("WAVE"));
    EXPECT_FALSE(engine.Open());
}

TEST(IffStreamTest, CloneReadsTheSameFileOnItsOwn)
{
    ExactBytes riff(FileBuilder().Chunk("data", 4).Build("RIFF", "WAVE"));
    Util::IffStream wave(riff.Get(), riff.GetSize());
    std::unique_ptr<Util::IffStream> waveClone(wave.Clone());
    EXPECT_FALSE(waveClone->IsOpen());
    EXPECT_TRUE(waveClone->Open());

    ExactBytes bytes(FileBuilder().Chunk("HEAD", 4).Chunk("BODY", 4).Build());
    Util::IffStream stream(bytes.Get(), bytes.GetSize(), kTest);
    ASSERT_TRUE(stream.Open());
    ASSERT_TRUE(stream.NextChunk());
    std::unique_ptr<Util::IffStream> clone(stream.Clone());
    ASSERT_TRUE(clone->Open());
    EXPECT_EQ(clone->GetChunk(0), bytes.Get() + 12);
    EXPECT_EQ(stream.GetChunk(0), bytes.Get() + 24);
}

TEST(IffStreamTest, WriterRefusesChunksWithoutRoomForTheHeader)
{
    Util::IffData writer(kTest);
    EXPECT_EQ(writer.CreateChunk(kBody, 0, 0), nullptr);
    EXPECT_EQ(writer.CreateChunk(kBody, 4, 0), nullptr);
    EXPECT_EQ(writer.CreateChunk(kBody, 0xFFFFFFFFu, 0xFFFFFFFFu), nullptr);
    EXPECT_FALSE(writer.AddChunk(nullptr));

    std::unique_ptr<UInt8[]> empty(writer.CreateChunk(kBody, 8, 0));
    ASSERT_NE(empty, nullptr);
    const UInt8 expected[] = {'B', 'O', 'D', 'Y', 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(empty.get(), expected, 8), 0);
}

} // namespace
