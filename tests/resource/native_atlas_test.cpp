#include "resource/native_atlas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "foundation/byte_order.h"
#include "foundation/iff_stream.h"
#include "tests/support/chunk_file_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::ExactBytes;
using Testing::RawChunk;
using Testing::RunCreator;

namespace {

constexpr UInt32 kAtls = MakeTag("ATLS");
constexpr UInt32 kRect = MakeTag("RECT");

// An atlas over records the test holds, to feed the writer.
class TestAtlas : public Atlas
{
public:
    explicit TestAtlas(const std::vector<AtlasRectangle>& rectangles) : Atlas("test", nullptr, 0, nullptr, 0)
    {
        SetRectangles(UInt32(rectangles.size()), rectangles.data());
    }
    Bool GetNativeData(Data& data) const override { return NativeAtlas::Write(*this, data); }
};

const std::vector<AtlasRectangle> kRectangles = {
    {0.0f, 0.0f, 0.5f, 0.25f, -1.0f, 1.0f, 1.0f, -1.0f},
    {0.5f, 0.25f, 1.0f, 0.75f, -2.0f, 0.5f, 2.0f, -0.5f},
};

Data WriteSample(const std::vector<AtlasRectangle>& rectangles = kRectangles)
{
    Data data;
    EXPECT_TRUE(TestAtlas(rectangles).GetNativeData(data));
    return data;
}

const RawChunk kHead = {MakeTag("HEAD"), {Testing::kVersionWord}};

// One rectangle of eight 1.0 values.
RawChunk RectChunk(UInt32 count = 1, UInt32 offset = 8)
{
    RawChunk chunk = {kRect, {count, offset}};
    chunk.words.resize(2 + 8, Testing::FloatBits(1.0f));
    return chunk;
}

Data MakeFile(const std::vector<RawChunk>& chunks)
{
    return Testing::MakeChunkFile(kAtls, chunks);
}

Bool RectanglesLieInside(const Atlas& atlas, const UInt8* begin, UInt32 size)
{
    if (atlas.GetNumberOfRectangles() == 0)
        return atlas.GetRectangles() == nullptr;
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t records = reinterpret_cast<std::uintptr_t>(atlas.GetRectangles());
    return records >= first &&
           records - first + UInt64(atlas.GetNumberOfRectangles()) * sizeof(AtlasRectangle) <= size;
}

} // namespace

TEST(NativeAtlasTest, ReadsWrittenRectanglesInPlace)
{
    ExactBytes bytes(WriteSample());
    Testing::CreatorOutcome result = RunCreator(&NativeAtlas::Create, bytes);
    const Atlas* atlas = result.As<Atlas>();
    ASSERT_NE(atlas, nullptr);
    EXPECT_FALSE(result.releaseData);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.log, "");
    EXPECT_EQ(atlas->GetId(), "res");

    ASSERT_EQ(atlas->GetNumberOfRectangles(), 2u);
    EXPECT_EQ(std::memcmp(atlas->GetRectangles(), kRectangles.data(), 2 * sizeof(AtlasRectangle)), 0);
    EXPECT_TRUE(RectanglesLieInside(*atlas, bytes.Get(), bytes.GetSize()));
    EXPECT_FLOAT_EQ(atlas->GetRectangles()[1].coordY2, -0.5f);

    Data copy;
    EXPECT_TRUE(atlas->GetNativeData(copy));
    ASSERT_EQ(copy.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(copy.GetData(), bytes.Get(), copy.GetSize()), 0);
}

TEST(NativeAtlasTest, WriterLaysOutHeadAndOneRectanglesChunk)
{
    Data data = WriteSample();
    ASSERT_EQ(data.GetSize(), 12u + (8u + 4u) + (8u + 8u + 2u * 32u));
    Util::IffStream stream(kAtls, data);
    ASSERT_TRUE(stream.Open());
    EXPECT_EQ(stream.GetChunkSize(MakeTag("HEAD")), 4u);
    EXPECT_EQ(std::memcmp(stream.GetChunk() + 8, "0.01", 4), 0);
    ASSERT_TRUE(stream.NextChunk());
    EXPECT_EQ(stream.GetChunkSize(kRect), 2u * 32u + 8u);
    UInt32 words[2];
    std::memcpy(words, stream.GetChunk() + 8, 8);
    EXPECT_EQ(words[0], 2u);
    EXPECT_EQ(words[1], 8u);
    stream.NextChunk();
    EXPECT_TRUE(stream.IsAtEnd());
}

TEST(NativeAtlasTest, FileWithoutRectanglesGivesEmptyAtlas)
{
    const std::vector<std::pair<const char*, Data>> cases = {
        {"HEAD only", MakeFile({kHead})},
        {"written empty atlas", WriteSample({})},
        {"other chunks only", MakeFile({kHead, {MakeTag("XTRA"), {1, 2}}})},
    };
    for (const auto& [name, data] : cases) {
        ExactBytes bytes(data);
        Testing::CreatorOutcome result = RunCreator(&NativeAtlas::Create, bytes);
        const Atlas* atlas = result.As<Atlas>();
        ASSERT_NE(atlas, nullptr) << name;
        EXPECT_EQ(atlas->GetNumberOfRectangles(), 0u) << name;
        EXPECT_EQ(atlas->GetRectangles(), nullptr) << name;
        EXPECT_EQ(result.log, "") << name;
    }
}

TEST(NativeAtlasTest, RectanglesChunkMayStandAmongOthers)
{
    ExactBytes bytes(MakeFile({kHead, {MakeTag("XTRA"), {7}}, RectChunk(1, 8), {MakeTag("MORE"), {}}}));
    Testing::CreatorOutcome result = RunCreator(&NativeAtlas::Create, bytes);
    const Atlas* atlas = result.As<Atlas>();
    ASSERT_NE(atlas, nullptr) << result.log;
    ASSERT_EQ(atlas->GetNumberOfRectangles(), 1u);
    EXPECT_FLOAT_EQ(atlas->GetRectangles()[0].coordY2, 1.0f);
}

TEST(NativeAtlasTest, DeclinesOtherFormsSilently)
{
    const RawChunk otherVersion = {MakeTag("HEAD"), {0x32302E30u}}; // "0.02"
    const std::string text = "<Atlas/>";
    const std::vector<std::pair<const char*, Data>> cases = {
        {"empty", Data()},
        {"XML text", Data(text.data(), UInt32(text.size()))},
        {"another form", Testing::MakeChunkFile(MakeTag("FONT"), {kHead, RectChunk()})},
        {"another version", MakeFile({otherVersion, RectChunk()})},
        {"first chunk not HEAD", MakeFile({RectChunk(), kHead})},
    };
    for (const auto& [name, data] : cases)
        Testing::ExpectDeclinedSilently(&NativeAtlas::Create, data, name);
}

TEST(NativeAtlasTest, RefusesSecondRectanglesChunk)
{
    ExactBytes bytes(MakeFile({kHead, RectChunk(), RectChunk(0)}));
    Testing::CreatorOutcome result = RunCreator(&NativeAtlas::Create, bytes);
    EXPECT_EQ(result.object, nullptr);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log, "Resource::NativeAtlas::Create(): File cannot contain more than one rectangles chunk\n");
}

TEST(NativeAtlasTest, RefusesCountsAndOffsetsBeyondTheirChunk)
{
    const std::vector<std::pair<const char*, Data>> cases = {
        {"count beyond chunk", MakeFile({kHead, RectChunk(2)})},
        {"huge count", MakeFile({kHead, RectChunk(0x08000001)})},
        {"offset beyond chunk", MakeFile({kHead, RectChunk(1, 12)})},
        {"huge offset", MakeFile({kHead, RectChunk(1, 0xFFFFFFF8u)})},
        {"chunk without count and offset", MakeFile({kHead, {kRect, {1}}})},
        {"HEAD without version", MakeFile({{MakeTag("HEAD"), {}}, RectChunk()})},
        {"nothing after the file header", MakeFile({})},
    };
    for (const auto& [name, data] : cases)
        Testing::ExpectRefusedWithOneLine(&NativeAtlas::Create, data, name);
}

TEST(NativeAtlasTest, RefusesChunkThatRunsPastTheFile)
{
    ExactBytes bytes(MakeFile({kHead, RectChunk()}));
    // The RECT chunk claims four bytes more than the file holds.
    const UInt32 claimed = 8 + 32 + 4;
    Util::WriteLittleEndian32(bytes.Get() + 12 + 12 + 4, claimed);
    Testing::CreatorOutcome result = RunCreator(&NativeAtlas::Create, bytes);
    EXPECT_EQ(result.object, nullptr);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log, "Resource::NativeAtlas::Create(): Chunk #1 runs past the end of the file\n");
}

TEST(NativeAtlasTest, TruncatedFilesAreRefusedWithOneLine)
{
    Testing::ExpectEveryCutRefused(&NativeAtlas::Create, WriteSample());
}

TEST(NativeAtlasTest, BitFlippedFilesNeverReadOutsideTheirBytes)
{
    Data data = WriteSample();
    Testing::ExpectBitFlipsHandled<Atlas>(&NativeAtlas::Create, data, Testing::GetEveryBitPosition(data.GetSize()),
                                          [](const Atlas& atlas, const ExactBytes& bytes, UInt32 bit) {
                                              EXPECT_TRUE(RectanglesLieInside(atlas, bytes.Get(), bytes.GetSize()))
                                                  << bit;
                                          });
}

TEST(NativeAtlasTest, ReadsAFileAtAnOddAddress)
{
    const Data file = WriteSample();
    ExactBytes aligned(file);
    Testing::CreatorOutcome expected = RunCreator(&NativeAtlas::Create, aligned);
    const std::unique_ptr<Testing::OddAddressCreation> odd = Testing::RunCreatorAtOddAddress(&NativeAtlas::Create, file);
    const Atlas* a = expected.As<Atlas>();
    const Atlas* b = odd->outcome.As<Atlas>();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->GetNumberOfRectangles(), a->GetNumberOfRectangles());
    EXPECT_EQ(std::memcmp(b->GetRectangles(), a->GetRectangles(), a->GetNumberOfRectangles() * sizeof(AtlasRectangle)),
              0);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b->GetRectangles()) % alignof(AtlasRectangle), 0u);
}
