#include "resource/native_mesh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/byte_order.h"
#include "resource/native_collider.h"
#include "resource/package.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/fake_configuration.h"

using namespace Vorn;
using namespace Vorn::Resource;
using namespace Vorn::Testing;

namespace {

constexpr UInt32 kMeshForm = MakeTag("MESH");

RawChunk Head()
{
    return {MakeTag("HEAD"),
            {kVersionWord, 42, FloatBits(-1.0f), FloatBits(-2.0f), FloatBits(-3.0f), FloatBits(1.0f), FloatBits(2.0f),
             FloatBits(3.0f)}};
}

RawChunk VertexBuffer(UInt32 number, UInt32 row, UInt32 column, UInt32 vertexSize, UInt32 vertexCount,
                      UInt32 dataWords)
{
    RawChunk chunk = {MakeTag("VBUF"), {number, 0x11, row, column, vertexSize, vertexCount, 0x66, 0}};
    for (UInt32 i = 0; i < dataWords; ++i)
        chunk.words.push_back(FloatBits(Float(i)));
    return chunk;
}

RawChunk VertexAttribute(UInt32 buffer, UInt32 kind, UInt32 format, UInt32 offset)
{
    return {MakeTag("VATT"), {buffer, kind, format, offset}};
}

// Material 3, texture slots 10-17, auxiliary slots 20 and 21, primitive type 7 (triangles).
RawChunk IndexBuffer(const std::vector<UInt16>& indices, UInt32 count)
{
    RawChunk chunk = {MakeTag("IBUF"), {0, 0x22, 3, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 7, count, 0}};
    for (size_t i = 0; i < indices.size(); i += 2)
        chunk.words.push_back(UInt32(indices[i]) | (i + 1 < indices.size() ? UInt32(indices[i + 1]) << 16 : 0));
    return chunk;
}

// Segments as {count, first index} pairs.
RawChunk IndexSegments(UInt32 buffer, const std::vector<UInt32>& pairs)
{
    RawChunk chunk = {MakeTag("ISEG"), {buffer, UInt32(pairs.size() / 2), 0}};
    chunk.words.insert(chunk.words.end(), pairs.begin(), pairs.end());
    return chunk;
}

RawChunk Table(const char (&tag)[5], UInt32 count, const std::vector<UInt32>& records, UInt32 offset = 8)
{
    RawChunk chunk = {MakeTag(tag), {count, offset}};
    chunk.words.insert(chunk.words.end(), records.begin(), records.end());
    return chunk;
}

std::vector<UInt32> Node(UInt32 plane, SInt32 front, SInt32 back)
{
    std::vector<UInt32> words(13, 0);
    words[0] = plane;
    words[1] = UInt32(front);
    words[2] = UInt32(back);
    return words;
}

std::vector<UInt32> Leaf(SInt32 cluster, UInt32 firstLeafFace, UInt32 leafFaceCount)
{
    std::vector<UInt32> words(13, 0);
    words[0] = UInt32(cluster);
    words[1] = firstLeafFace;
    words[2] = leafFaceCount;
    words[9] = FloatBits(0.5f);
    words[12] = FloatBits(2.0f);
    return words;
}

std::vector<UInt32> Join(const std::vector<std::vector<UInt32>>& parts)
{
    std::vector<UInt32> words;
    for (const std::vector<UInt32>& part : parts)
        words.insert(words.end(), part.begin(), part.end());
    return words;
}

// Two clusters: cluster 0 sees both, cluster 1 only itself.
RawChunk Visibility(UInt32 clusters = 2, UInt32 rowSize = 1)
{
    return {MakeTag("PVIS"), {clusters, rowSize, 12, 0x0203}};
}

// A complete BSP over one index buffer with two segments: one plane, one node, two leaves, one
// face each.
std::vector<RawChunk> BspChunks()
{
    return {
        Table("PLNE", 1, {FloatBits(0.0f), FloatBits(1.0f), FloatBits(0.0f), FloatBits(-1.0f)}),
        Table("NODE", 1, Node(0, -1, -2)),
        Table("LEAF", 2, Join({Leaf(0, 0, 1), Leaf(1, 1, 1)})),
        Table("FACE", 2, {0, 1}),
        Table("SGMT", 2, {0, 0, 0, 1}),
        Visibility(),
    };
}

std::vector<RawChunk> SampleChunks()
{
    std::vector<RawChunk> chunks = {
        Head(),
        VertexAttribute(7, 0, 3, 0),
        VertexBuffer(7, 0, 0, 12, 3, 9),
        VertexBuffer(8, 0, 1, 4, 3, 3),
        VertexAttribute(5, 1, 1, 0), // names no buffer
        VertexAttribute(7, 4, 5, 12),
        RawChunk{MakeTag("XTRA"), {1, 2, 3}},
        IndexBuffer({0, 1, 2, 2, 1, 0}, 6),
        IndexSegments(0, {3, 0, 3, 3}),
    };
    for (RawChunk& chunk : BspChunks())
        chunks.push_back(chunk);
    return chunks;
}

Data MakeMesh(const std::vector<RawChunk>& chunks)
{
    return MakeChunkFile(kMeshForm, chunks);
}

CreatorOutcome CreateMesh(ExactBytes& bytes)
{
    return RunCreator(&NativeMesh::Create, bytes);
}

const IMesh* AsMesh(const CreatorOutcome& result)
{
    return dynamic_cast<const IMesh*>(result.object.get());
}

// True when every buffer and table the mesh hands out lies inside the bytes.
Bool MeshLiesInside(const IMesh& mesh, const ExactBytes& bytes)
{
    Bool inside = bytes.Holds(mesh.GetBoundingBoxMinimum(), 12) && bytes.Holds(mesh.GetBoundingBoxMaximum(), 12);
    for (UInt32 i = 0; i < mesh.GetNumberOfVertexBuffers(); ++i)
        inside &= bytes.Holds(mesh.GetVertexData(i), UInt64(mesh.GetNumberOfVertices(i)) * mesh.GetVertexSize(i));
    for (UInt32 i = 0; i < mesh.GetNumberOfIndexBuffers(); ++i) {
        inside &= bytes.Holds(mesh.GetIndexData(i), UInt64(mesh.GetNumberOfIndices(i)) * 2);
        if (mesh.GetNumberOfIndexSegments(i) != 0)
            inside &= bytes.Holds(mesh.GetIndexSegments(i), UInt64(mesh.GetNumberOfIndexSegments(i)) * 8);
    }
    const std::pair<const void*, UInt64> tables[] = {
        {mesh.GetPlanes(), UInt64(mesh.GetNumberOfPlanes()) * sizeof(MeshPlane)},
        {mesh.GetNodes(), UInt64(mesh.GetNumberOfNodes()) * sizeof(MeshNode)},
        {mesh.GetLeaves(), UInt64(mesh.GetNumberOfLeaves()) * sizeof(MeshLeaf)},
        {mesh.GetLeafFaces(), UInt64(mesh.GetNumberOfLeafFaces()) * 4},
        {mesh.GetFaces(), UInt64(mesh.GetNumberOfFaces()) * sizeof(MeshFace)},
        {mesh.GetVisibilityRows(), UInt64(mesh.GetNumberOfClusters()) * mesh.GetVisibilityRowSize()},
    };
    for (const auto& [table, size] : tables) {
        if (size != 0)
            inside &= bytes.Holds(table, size);
    }
    return inside;
}

} // namespace

TEST(NativeMeshTest, ReadsBuffersAndTablesInPlace)
{
    ExactBytes bytes(MakeMesh(SampleChunks()));
    CreatorOutcome result = CreateMesh(bytes);
    const IMesh* mesh = AsMesh(result);
    ASSERT_NE(mesh, nullptr) << result.log;
    EXPECT_FALSE(result.releaseData);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.log, "");
    EXPECT_TRUE(MeshLiesInside(*mesh, bytes));

    EXPECT_EQ(mesh->GetDrawableValue(), 42u);
    EXPECT_FLOAT_EQ(mesh->GetBoundingBoxMinimum()[2], -3.0f);
    EXPECT_FLOAT_EQ(mesh->GetBoundingBoxMaximum()[0], 1.0f);

    ASSERT_EQ(mesh->GetNumberOfVertexBuffers(), 2u);
    EXPECT_EQ(mesh->GetNumberOfVertices(0), 3u);
    EXPECT_EQ(mesh->GetVertexSize(0), 12u);
    EXPECT_FLOAT_EQ(static_cast<const Float*>(mesh->GetVertexData(0))[8], 8.0f);
    EXPECT_EQ(mesh->GetVertexBufferFlags(0), 0x11u);
    EXPECT_EQ(mesh->GetVertexBufferValue(0), 0x66u);
    EXPECT_EQ(mesh->GetVertexBufferRow(1), 0u);
    EXPECT_EQ(mesh->GetVertexBufferColumn(1), 1u);
    // Attributes of buffer number 7 in chunk order, wherever they stand; the one naming buffer 5
    // belongs to no buffer.
    ASSERT_EQ(mesh->GetNumberOfVertexAttributes(0), 2u);
    EXPECT_EQ(mesh->GetVertexAttributeKind(0, 0), 0u);
    EXPECT_EQ(mesh->GetVertexAttributeFormat(0, 0), 3u);
    EXPECT_EQ(mesh->GetVertexAttributeKind(0, 1), 4u);
    EXPECT_EQ(mesh->GetVertexAttributeFormat(0, 1), 5u);
    EXPECT_EQ(mesh->GetVertexAttributeOffset(0, 1), 12u);
    EXPECT_EQ(mesh->GetNumberOfVertexAttributes(1), 0u);

    ASSERT_EQ(mesh->GetNumberOfIndexBuffers(), 1u);
    ASSERT_EQ(mesh->GetNumberOfIndices(0), 6u);
    EXPECT_EQ(mesh->GetIndexData(0)[1], 1);
    EXPECT_EQ(mesh->GetIndexData(0)[5], 0);
    EXPECT_EQ(mesh->GetIndexBufferFlags(0), 0x22u);
    EXPECT_EQ(mesh->GetMaterialSlot(0), 3u);
    EXPECT_EQ(mesh->GetPrimitiveType(0), 7u);
    EXPECT_EQ(mesh->GetTextureSlot(0, 0), 10u);
    EXPECT_EQ(mesh->GetTextureSlot(0, 7), 17u);
    EXPECT_EQ(mesh->GetAuxiliarySlot(0, 1), 21u);
    ASSERT_EQ(mesh->GetNumberOfIndexSegments(0), 2u);
    EXPECT_EQ(mesh->GetIndexSegments(0)[1].count, 3u);
    EXPECT_EQ(mesh->GetIndexSegments(0)[1].firstIndex, 3u);

    EXPECT_EQ(mesh->GetNumberOfPlanes(), 1u);
    EXPECT_FLOAT_EQ(mesh->GetPlanes()[0].d, -1.0f);
    EXPECT_EQ(mesh->GetNumberOfNodes(), 1u);
    EXPECT_EQ(mesh->GetNodes()[0].back, -2);
    ASSERT_EQ(mesh->GetNumberOfLeaves(), 2u);
    EXPECT_EQ(mesh->GetLeaves()[1].cluster, 1);
    EXPECT_FLOAT_EQ(mesh->GetLeaves()[1].centre[0], 0.5f);
    EXPECT_FLOAT_EQ(mesh->GetLeaves()[1].radius, 2.0f);
    EXPECT_EQ(mesh->GetNumberOfLeafFaces(), 2u);
    EXPECT_EQ(mesh->GetLeafFaces()[1], 1u);
    EXPECT_EQ(mesh->GetNumberOfFaces(), 2u);
    EXPECT_EQ(mesh->GetFaces()[1].segment, 1u);
    EXPECT_EQ(mesh->GetNumberOfClusters(), 2u);
    EXPECT_EQ(mesh->GetVisibilityRowSize(), 1u);
    EXPECT_EQ(mesh->GetVisibilityRows()[0], 0x03);
    EXPECT_EQ(mesh->GetVisibilityRows()[1], 0x02);

    // The native data is the source file itself.
    Data copy;
    EXPECT_TRUE(dynamic_cast<const Object*>(mesh)->GetNativeData(copy));
    ASSERT_EQ(copy.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(copy.GetData(), bytes.Get(), copy.GetSize()), 0);
}

TEST(NativeMeshTest, MeshWithoutTablesHasNoBspInformation)
{
    ExactBytes bytes(MakeMesh({Head(), VertexBuffer(0, 0, 0, 4, 1, 1), IndexBuffer({0}, 1)}));
    CreatorOutcome result = CreateMesh(bytes);
    const IMesh* mesh = AsMesh(result);
    ASSERT_NE(mesh, nullptr) << result.log;
    EXPECT_EQ(mesh->GetNumberOfVertexAttributes(0), 0u);
    EXPECT_EQ(mesh->GetNumberOfIndexSegments(0), 0u);
    EXPECT_EQ(mesh->GetIndexSegments(0), nullptr);
    for (UInt32 count : {mesh->GetNumberOfPlanes(), mesh->GetNumberOfNodes(), mesh->GetNumberOfLeaves(),
                         mesh->GetNumberOfLeafFaces(), mesh->GetNumberOfFaces(), mesh->GetNumberOfClusters(),
                         mesh->GetVisibilityRowSize()})
        EXPECT_EQ(count, 0u);
    EXPECT_EQ(mesh->GetPlanes(), nullptr);
    EXPECT_EQ(mesh->GetNodes(), nullptr);
    EXPECT_EQ(mesh->GetFaces(), nullptr);
    EXPECT_EQ(mesh->GetVisibilityRows(), nullptr);
}

TEST(NativeMeshTest, LaterTableAndSegmentChunksReplaceEarlierOnes)
{
    std::vector<RawChunk> chunks = SampleChunks();
    chunks.push_back(Table("PLNE", 2, std::vector<UInt32>(8, FloatBits(5.0f))));
    chunks.push_back(IndexSegments(0, {6, 0}));
    ExactBytes bytes(MakeMesh(chunks));
    CreatorOutcome result = CreateMesh(bytes);
    // The faces name segment 1, which the replacing ISEG no longer has.
    EXPECT_EQ(result.object, nullptr);
    EXPECT_EQ(result.log, "Resource::NativeMesh::Create(): BSP face #1 names a missing index segment\n");

    chunks.push_back(IndexSegments(0, {3, 0, 2, 4}));
    ExactBytes again(MakeMesh(chunks));
    result = CreateMesh(again);
    const IMesh* mesh = AsMesh(result);
    ASSERT_NE(mesh, nullptr) << result.log;
    EXPECT_EQ(mesh->GetNumberOfPlanes(), 2u);
    EXPECT_FLOAT_EQ(mesh->GetPlanes()[1].a, 5.0f);
    EXPECT_EQ(mesh->GetIndexSegments(0)[1].count, 2u);
}

TEST(NativeMeshTest, DeclinesOtherFilesSilently)
{
    RawChunk otherVersion = Head();
    otherVersion.words[0] = 0x32302E30u; // "0.02"
    const std::vector<std::pair<const char*, Data>> cases = {
        {"empty", Data()},
        {"another form", MakeChunkFile(MakeTag("CGEO"), {Head()})},
        {"header only", MakeMesh({})},
        {"another version", MakeMesh({otherVersion, VertexBuffer(0, 0, 0, 4, 0, 0), IndexBuffer({}, 0)})},
        {"first chunk not HEAD", MakeMesh({VertexBuffer(0, 0, 0, 4, 0, 0), Head(), IndexBuffer({}, 0)})},
        {"no vertex buffer", MakeMesh({Head(), IndexBuffer({}, 0)})},
        {"no index buffer", MakeMesh({Head(), VertexBuffer(0, 0, 0, 4, 0, 0)})},
        {"segments of a missing index buffer",
         MakeMesh({Head(), VertexBuffer(0, 0, 0, 4, 0, 0), IndexBuffer({}, 0), IndexSegments(1, {})})},
    };
    for (const auto& [name, data] : cases)
        ExpectDeclinedSilently(&NativeMesh::Create, data, name);
}

TEST(NativeMeshTest, RefusesSizesCountsAndReferencesThatDoNotFit)
{
    // Each case changes the sample in one place.
    struct Case
    {
        const char* name;
        size_t chunk;
        RawChunk replacement;
    };
    const std::vector<RawChunk> bsp = BspChunks();
    const size_t planes = 9, nodes = 10, leaves = 11, leafFaces = 12, faces = 13, visibility = 14;
    RawChunk shortHead = Head();
    shortHead.words.resize(7);
    const std::vector<Case> cases = {
        {"HEAD without bounding box", 0, shortHead},
        {"attribute without values", 1, {MakeTag("VATT"), {7, 0, 3}}},
        {"vertices beyond chunk", 2, VertexBuffer(7, 0, 0, 12, 4, 9)},
        {"vertex count times size beyond 32 bits", 2, VertexBuffer(7, 0, 0, 0x10000, 0x10000, 9)},
        {"vertex buffer without its words", 2, {MakeTag("VBUF"), {7, 0, 0, 0}}},
        {"indices beyond chunk", 7, IndexBuffer({0, 1, 2, 2, 1, 0}, 7)},
        {"segments beyond chunk", 8, {MakeTag("ISEG"), {0, 3, 0, 3, 0, 3, 3}}},
        {"segment beyond indices", 8, IndexSegments(0, {3, 0, 3, 4})},
        {"segment with wrapping range", 8, IndexSegments(0, {3, 0, 2, 0xFFFFFFFFu})},
        {"planes beyond chunk", planes, Table("PLNE", 2, bsp[0].words)},
        {"huge offset", planes, Table("PLNE", 1, {}, 0xFFFFFFF8u)},
        {"table without count and offset", planes, {MakeTag("PLNE"), {1}}},
        {"node names missing plane", nodes, Table("NODE", 1, Node(1, -1, -2))},
        {"node names missing leaf", nodes, Table("NODE", 1, Node(0, -1, -3))},
        {"node names itself", nodes, Table("NODE", 1, Node(0, 0, -2))},
        {"node names missing node", nodes, Table("NODE", 1, Node(0, 1, -2))},
        {"node with most negative child", nodes, Table("NODE", 1, Node(0, -1, SInt32(0x80000000u)))},
        {"leaf of missing cluster", leaves, Table("LEAF", 2, Join({Leaf(0, 0, 1), Leaf(2, 1, 1)}))},
        {"leaf faces beyond table", leaves, Table("LEAF", 2, Join({Leaf(0, 0, 1), Leaf(1, 1, 2)}))},
        {"leaf face names missing face", leafFaces, Table("FACE", 2, {0, 2})},
        {"face names missing index buffer", faces, Table("SGMT", 2, {0, 0, 1, 0})},
        {"visibility rows beyond chunk", visibility, Visibility(3, 2)},
        {"visibility rows too narrow", visibility, {MakeTag("PVIS"), {9, 1, 12, 0, 0, 0}}},
        {"leaf clusters without visibility", visibility, {MakeTag("XTRA"), {}}},
    };
    for (const Case& testCase : cases) {
        std::vector<RawChunk> chunks = SampleChunks();
        ASSERT_LT(testCase.chunk, chunks.size()) << testCase.name;
        chunks[testCase.chunk] = testCase.replacement;
        ExpectRefusedWithOneLine(&NativeMesh::Create, MakeMesh(chunks), testCase.name);
    }
}

TEST(NativeMeshTest, RefusesChunkThatRunsPastTheFile)
{
    Data data = MakeMesh({Head(), VertexBuffer(0, 0, 0, 4, 1, 1), IndexBuffer({0}, 1)});
    ExactBytes bytes(data);
    // The IBUF chunk, last in the file, claims four bytes more than the file holds.
    const UInt32 sizeField = 12 + 40 + 44 + 4;
    Util::WriteLittleEndian32(bytes.Get() + sizeField, Util::ReadLittleEndian32(bytes.Get() + sizeField) + 4);
    CreatorOutcome result = CreateMesh(bytes);
    EXPECT_EQ(result.object, nullptr);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.log, "Resource::NativeMesh::Create(): Chunk #2 runs past the end of the file\n");
}

TEST(NativeMeshTest, ReadsAFileAtAnOddAddress)
{
    const Data file = MakeMesh(SampleChunks());
    ExactBytes aligned(file);
    CreatorOutcome expected = RunCreator(&NativeMesh::Create, aligned);
    const std::unique_ptr<OddAddressCreation> odd = RunCreatorAtOddAddress(&NativeMesh::Create, file);
    const NativeMesh* a = expected.As<NativeMesh>();
    const NativeMesh* b = odd->outcome.As<NativeMesh>();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::memcmp(b->GetBoundingBoxMinimum(), a->GetBoundingBoxMinimum(), 12), 0);
    EXPECT_EQ(b->GetBoundingBoxMaximum()[2], 3.0f);
    ASSERT_EQ(b->GetNumberOfIndices(0), a->GetNumberOfIndices(0));
    EXPECT_EQ(std::memcmp(b->GetIndexData(0), a->GetIndexData(0), a->GetNumberOfIndices(0) * 2), 0);
    ASSERT_EQ(b->GetNumberOfIndexSegments(0), 2u);
    EXPECT_EQ(b->GetIndexSegments(0)[1].firstIndex, 3u);
    ASSERT_EQ(b->GetNumberOfLeaves(), 2u);
    EXPECT_EQ(std::memcmp(b->GetLeaves(), a->GetLeaves(), 2 * sizeof(MeshLeaf)), 0);
    EXPECT_EQ(b->GetPlanes()[0].d, a->GetPlanes()[0].d);
}

TEST(NativeMeshTest, TruncatedFilesAreRefusedWithOneLine)
{
    ExpectEveryCutRefused(&NativeMesh::Create, MakeMesh(SampleChunks()));
}

TEST(NativeMeshTest, BitFlippedFilesNeverReadOutsideTheirBytes)
{
    Data data = MakeMesh(SampleChunks());
    const UInt32 accepted = ExpectBitFlipsHandled<IMesh>(
        &NativeMesh::Create, data, GetBitFlipPositions(data.GetSize()),
        [](const IMesh& mesh, const ExactBytes& bytes, UInt32 bit) { EXPECT_TRUE(MeshLiesInside(mesh, bytes)) << bit; });
    // Flips in the vertex data and in unread words leave a usable mesh.
    EXPECT_GT(accepted, 0u);
}

namespace {

class MeshPackage : public Package
{
public:
    explicit MeshPackage(const IConfiguration* configuration) : Package(configuration, nullptr) {}
    ~MeshPackage() override { UnregisterCreators(); }
    Bool RegisterCreators() override
    {
        return AddObjectCreator(&NativeCollider::Create) && AddObjectCreator(&NativeMesh::Create);
    }
    Bool UnregisterCreators() override
    {
        return RemoveObjectCreator(&NativeCollider::Create) && RemoveObjectCreator(&NativeMesh::Create);
    }
};

} // namespace

TEST(NativeMeshTest, PackageFilesMeshesAndCollidersUnderTheirTypes)
{
    Testing::FakeConfiguration configuration;
    MeshPackage package(&configuration);
    ASSERT_TRUE(package.RegisterCreators());

    const Data mesh = MakeMesh(SampleChunks());
    const Data collider = MakeChunkFile(
        MakeTag("CGEO"),
        {{MakeTag("HEAD"), {kVersionWord}},
         {MakeTag("VERT"), {3, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
         {MakeTag("NODE"), {1, 8, UInt32(-1), UInt32(-1), 0, 0, 0, 0, 0}},
         {MakeTag("LEAF"), {1, 8, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}});
    Bool releaseData = true;
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "room", nullptr, 0, mesh.GetData(), mesh.GetSize(),
                                             &releaseData),
              nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "walls", nullptr, 0, collider.GetData(), collider.GetSize(),
                                             &releaseData),
              nullptr);
    EXPECT_FALSE(releaseData);

    const IMesh* room = package.GetMesh("room");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->GetNumberOfVertexBuffers(), 2u);
    EXPECT_EQ(package.GetCollider("room"), nullptr);
    const ICollider* walls = package.GetCollider("walls");
    ASSERT_NE(walls, nullptr);
    EXPECT_EQ(walls->GetLeaves()[0].vertices[2], 2u);
    EXPECT_EQ(package.GetMesh("walls"), nullptr);
    EXPECT_EQ(package.GetGraph("room"), nullptr);

    // A refused mesh ends the creator search with the reader's line and the package's.
    std::vector<RawChunk> broken = SampleChunks();
    broken[2] = VertexBuffer(7, 0, 0, 12, 4, 9);
    const Data brokenMesh = MakeMesh(broken);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(package.CreateObjectFromMemory(nullptr, "broken", nullptr, 0, brokenMesh.GetData(),
                                             brokenMesh.GetSize(), &releaseData),
              nullptr);
    const std::string log = ::testing::internal::GetCapturedStderr();
    const std::string line =
        "Resource::NativeMesh::Create(): VBUF chunk #2 of 68 bytes cannot hold 4 vertices of 12 bytes\n";
    EXPECT_EQ(log.find(line), 0u) << log;
    EXPECT_EQ(package.GetMesh("broken"), nullptr);
    EXPECT_EQ(package.GetNumberOfObjects(), 2u);
}
