#include "resource/native_collider.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/chunk_file_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using namespace Vorn::Testing;

namespace {

constexpr UInt32 kColliderForm = MakeTag("CGEO");

const RawChunk kHead = {MakeTag("HEAD"), {kVersionWord}};

// Records behind a count and the offset 8.
RawChunk Table(const char (&tag)[5], UInt32 count, const std::vector<UInt32>& records)
{
    RawChunk chunk = {MakeTag(tag), {count, 8}};
    chunk.words.insert(chunk.words.end(), records.begin(), records.end());
    return chunk;
}

// Vertex i at (i, 2i, 3i, 1).
RawChunk Vertices(UInt32 count)
{
    std::vector<UInt32> words;
    for (UInt32 i = 0; i < count; ++i) {
        for (Float value : {Float(i), Float(2 * i), Float(3 * i), 1.0f})
            words.push_back(FloatBits(value));
    }
    return Table("VERT", count, words);
}

std::vector<UInt32> Node(SInt32 first, SInt32 second, Float radius = 1.0f)
{
    return {UInt32(first), UInt32(second), 0, 0, 0, FloatBits(1.0f), FloatBits(radius)};
}

std::vector<UInt32> Leaf(UInt32 a, UInt32 b, UInt32 c)
{
    std::vector<UInt32> words(16, 0);
    words[2] = FloatBits(1.0f);
    words[3] = a;
    words[4] = b;
    words[5] = c;
    words[10] = 2;
    return words;
}

std::vector<UInt32> Join(const std::vector<std::vector<UInt32>>& parts)
{
    std::vector<UInt32> words;
    for (const std::vector<UInt32>& part : parts)
        words.insert(words.end(), part.begin(), part.end());
    return words;
}

// Root over node 1 and leaf 0; node 1 over leaves 1 and 2.
std::vector<RawChunk> SampleChunks()
{
    return {
        kHead,
        Vertices(4),
        Table("NODE", 2, Join({Node(1, -1, 5.0f), Node(-2, -3)})),
        RawChunk{MakeTag("XTRA"), {7}},
        Table("LEAF", 3, Join({Leaf(0, 1, 2), Leaf(1, 2, 3), Leaf(3, 0, 1)})),
    };
}

CreatorOutcome CreateCollider(ExactBytes& bytes)
{
    return RunCreator(&NativeCollider::Create, bytes);
}

const NativeCollider* AsCollider(const CreatorOutcome& result)
{
    return dynamic_cast<const NativeCollider*>(result.object.get());
}

} // namespace

TEST(NativeColliderTest, ReadsTablesInPlace)
{
    ExactBytes bytes(MakeChunkFile(kColliderForm, SampleChunks()));
    CreatorOutcome result = CreateCollider(bytes);
    const NativeCollider* collider = AsCollider(result);
    ASSERT_NE(collider, nullptr) << result.log;
    EXPECT_FALSE(result.releaseData);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.log, "");

    const ICollider* geometry = collider;
    ASSERT_EQ(collider->GetNumberOfVertices(), 4u);
    EXPECT_TRUE(bytes.Holds(geometry->GetVertices(), 4 * 16));
    EXPECT_FLOAT_EQ(geometry->GetVertices()[4 * 3 + 2], 9.0f);
    ASSERT_EQ(collider->GetNumberOfNodes(), 2u);
    EXPECT_TRUE(bytes.Holds(geometry->GetNodes(), 2 * sizeof(ColliderNode)));
    EXPECT_EQ(geometry->GetNodes()[0].children[1], -1);
    EXPECT_FLOAT_EQ(geometry->GetNodes()[0].radius, 5.0f);
    EXPECT_EQ(geometry->GetNodes()[1].children[0], -2);
    ASSERT_EQ(collider->GetNumberOfLeaves(), 3u);
    EXPECT_TRUE(bytes.Holds(geometry->GetLeaves(), 3 * sizeof(ColliderLeaf)));
    EXPECT_FLOAT_EQ(geometry->GetLeaves()[1].normal[2], 1.0f);
    EXPECT_EQ(geometry->GetLeaves()[1].vertices[2], 3u);
    EXPECT_EQ(geometry->GetLeaves()[2].axis, 2u);

    Data copy;
    EXPECT_TRUE(collider->GetNativeData(copy));
    ASSERT_EQ(copy.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(copy.GetData(), bytes.Get(), copy.GetSize()), 0);
}

TEST(NativeColliderTest, LaterNodeAndLeafChunksReplaceEarlierOnes)
{
    std::vector<RawChunk> chunks = SampleChunks();
    chunks.push_back(Table("NODE", 1, Node(-1, -1)));
    chunks.push_back(Table("LEAF", 1, Leaf(3, 3, 3)));
    ExactBytes bytes(MakeChunkFile(kColliderForm, chunks));
    CreatorOutcome result = CreateCollider(bytes);
    const NativeCollider* collider = AsCollider(result);
    ASSERT_NE(collider, nullptr) << result.log;
    EXPECT_EQ(collider->GetNumberOfNodes(), 1u);
    EXPECT_EQ(collider->GetNodes()[0].children[0], -1);
    EXPECT_EQ(collider->GetNumberOfLeaves(), 1u);
    EXPECT_EQ(collider->GetLeaves()[0].vertices[0], 3u);
}

TEST(NativeColliderTest, DeclinesOtherFilesSilently)
{
    std::vector<RawChunk> twoVertexTables = SampleChunks();
    twoVertexTables.push_back(Vertices(4));
    const std::vector<RawChunk> sample = SampleChunks();
    const std::vector<std::pair<const char*, Data>> cases = {
        {"empty", Data()},
        {"another form", MakeChunkFile(MakeTag("MESH"), sample)},
        {"another version", MakeChunkFile(kColliderForm, {{MakeTag("HEAD"), {0x32302E30u}}, sample[1], sample[2],
                                                          sample[4]})},
        {"first chunk not HEAD", MakeChunkFile(kColliderForm, {sample[1], kHead, sample[2], sample[4]})},
        {"two vertex tables", MakeChunkFile(kColliderForm, twoVertexTables)},
        {"no vertices", MakeChunkFile(kColliderForm, {kHead, sample[2], sample[4]})},
        {"no nodes", MakeChunkFile(kColliderForm, {kHead, sample[1], sample[4]})},
        {"no leaves", MakeChunkFile(kColliderForm, {kHead, sample[1], sample[2]})},
    };
    for (const auto& [name, data] : cases)
        ExpectDeclinedSilently(&NativeCollider::Create, data, name);
}

TEST(NativeColliderTest, RefusesSizesCountsAndReferencesThatDoNotFit)
{
    struct Case
    {
        const char* name;
        size_t chunk;
        RawChunk replacement;
    };
    const std::vector<Case> cases = {
        {"HEAD without version", 0, {MakeTag("HEAD"), {}}},
        {"vertices beyond chunk", 1, {MakeTag("VERT"), {5, 8, 0, 0, 0, 0}}},
        {"huge vertex count", 1, {MakeTag("VERT"), {0x40000000u, 8}}},
        {"huge offset", 1, {MakeTag("VERT"), {1, 0xFFFFFFFCu, 0, 0, 0, 0}}},
        {"table without offset", 1, {MakeTag("VERT"), {4}}},
        {"no root node", 2, Table("NODE", 0, {})},
        {"child names missing node", 2, Table("NODE", 2, Join({Node(2, -1), Node(-2, -3)}))},
        {"child names its parent", 2, Table("NODE", 2, Join({Node(1, -1), Node(0, -3)}))},
        {"child names missing leaf", 2, Table("NODE", 2, Join({Node(1, -1), Node(-2, -4)}))},
        {"most negative child", 2, Table("NODE", 2, Join({Node(1, -1), Node(-2, SInt32(0x80000000u))}))},
        // Shared nodes make the physics walk below them exponential.
        {"two nodes share a child node", 2, Table("NODE", 3, Join({Node(1, 2), Node(2, -1), Node(-2, -3)}))},
        {"node names one child node twice", 2, Table("NODE", 2, Join({Node(1, 1), Node(-2, -3)}))},
        {"leaf names missing vertex", 4, Table("LEAF", 3, Join({Leaf(0, 1, 2), Leaf(1, 2, 4), Leaf(3, 0, 1)}))},
    };
    for (const Case& testCase : cases) {
        std::vector<RawChunk> chunks = SampleChunks();
        chunks[testCase.chunk] = testCase.replacement;
        ExpectRefusedWithOneLine(&NativeCollider::Create, MakeChunkFile(kColliderForm, chunks), testCase.name);
    }
}

TEST(NativeColliderTest, TruncatedFilesAreRefusedWithOneLine)
{
    ExpectEveryCutRefused(&NativeCollider::Create, MakeChunkFile(kColliderForm, SampleChunks()));
}

TEST(NativeColliderTest, BitFlippedFilesNeverReadOutsideTheirBytes)
{
    Data data = MakeChunkFile(kColliderForm, SampleChunks());
    auto check = [](const NativeCollider& collider, const ExactBytes& bytes, UInt32 bit) {
        EXPECT_TRUE(bytes.Holds(collider.GetVertices(), UInt64(collider.GetNumberOfVertices()) * 16)) << bit;
        EXPECT_TRUE(bytes.Holds(collider.GetNodes(), UInt64(collider.GetNumberOfNodes()) * 28)) << bit;
        EXPECT_TRUE(bytes.Holds(collider.GetLeaves(), UInt64(collider.GetNumberOfLeaves()) * 64)) << bit;
    };
    ExpectBitFlipsHandled<NativeCollider>(&NativeCollider::Create, data, GetBitFlipPositions(data.GetSize()), check);
}

TEST(NativeColliderTest, ReadsAFileAtAnOddAddress)
{
    const Data file = MakeChunkFile(kColliderForm, SampleChunks());
    ExactBytes aligned(file);
    CreatorOutcome expected = RunCreator(&NativeCollider::Create, aligned);
    const std::unique_ptr<OddAddressCreation> odd = RunCreatorAtOddAddress(&NativeCollider::Create, file);
    const NativeCollider* a = expected.As<NativeCollider>();
    const NativeCollider* b = odd->outcome.As<NativeCollider>();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->GetNumberOfLeaves(), a->GetNumberOfLeaves());
    EXPECT_EQ(std::memcmp(b->GetLeaves(), a->GetLeaves(), a->GetNumberOfLeaves() * sizeof(ColliderLeaf)), 0);
    EXPECT_EQ(std::memcmp(b->GetNodes(), a->GetNodes(), a->GetNumberOfNodes() * sizeof(ColliderNode)), 0);
    EXPECT_EQ(std::memcmp(b->GetVertices(), a->GetVertices(), a->GetNumberOfVertices() * 16), 0);
}
