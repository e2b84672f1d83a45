#include "resource/native_mesh.h"

#include <cstdint>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/native_file.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kMeshForm = MakeTag("MESH");
constexpr UInt32 kVertexBufferTag = MakeTag("VBUF");
constexpr UInt32 kVertexAttributeTag = MakeTag("VATT");
constexpr UInt32 kIndexBufferTag = MakeTag("IBUF");
constexpr UInt32 kIndexSegmentTag = MakeTag("ISEG");
constexpr UInt32 kVisibilityTag = MakeTag("PVIS");
constexpr UInt32 kChunkHeaderSize = 8;
// Version, drawable value, bounding box minimum and maximum.
constexpr UInt32 kHeadPayloadSize = 32;
constexpr UInt32 kVertexDataOffset = 32;
constexpr UInt32 kIndexDataOffset = 64;
constexpr UInt32 kSegmentDataOffset = 12;

// The smallest payload of each chunk the reader takes; every word it reads lies inside it.
struct ChunkKind
{
    UInt32 tag;
    UInt32 minimumPayloadSize;
};

const ChunkKind kChunkKinds[] = {
    {kVertexBufferTag, kVertexDataOffset},
    {kVertexAttributeTag, 16},
    {kIndexBufferTag, kIndexDataOffset},
    {kIndexSegmentTag, kSegmentDataOffset},
    {kVisibilityTag, 12},
    {MakeTag("PLNE"), 8},
    {MakeTag("NODE"), 8},
    {MakeTag("LEAF"), 8},
    {MakeTag("FACE"), 8},
    {MakeTag("SGMT"), 8},
};

// The BSP tables in NativeMesh::Table order: chunk tag and record size.
struct TableKind
{
    UInt32 tag;
    UInt32 recordSize;
};

const TableKind kTableKinds[NativeMesh::NUMBER_OF_TABLES] = {
    {MakeTag("PLNE"), sizeof(MeshPlane)}, {MakeTag("NODE"), sizeof(MeshNode)}, {MakeTag("LEAF"), sizeof(MeshLeaf)},
    {MakeTag("FACE"), sizeof(UInt32)},    {MakeTag("SGMT"), sizeof(MeshFace)},
};

using Util::ReadLittleEndian32;
using Util::ReadTag;


// One chunk as the walk found it, numbered from the HEAD chunk's 0.
struct Chunk
{
    UInt32 tag;
    UInt32 number;
    const UInt8* payload;
    UInt32 size;

    UInt32 Word(UInt32 position) const { return ReadLittleEndian32(payload + 4 * position); }
};

// The four characters of a tag in reading order, for messages.
#define TAG_CHARS(tag) char((tag) >> 24), char((tag) >> 16), char((tag) >> 8), char(tag)

// Records from bytes at an odd address are copied into aligned memory; this is when none was left.
ReadResult NoMemory(const Chunk& chunk)
{
    Debug::Trace("Resource::NativeMesh::Create(): No memory for the records of %c%c%c%c chunk #%u",
                 TAG_CHARS(chunk.tag), chunk.number);
    return ReadResult::REFUSED;
}

} // namespace

NativeMesh::NativeMesh(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                       UInt32 conditionCount)
    : Mesh(id, data, size, conditions, conditionCount), mDrawableValue(0), mBoundingBoxMinimum(nullptr),
      mBoundingBoxMaximum(nullptr), mTableCounts(), mNumberOfClusters(0), mVisibilityRowSize(0), mTables(),
      mVisibilityRows(nullptr)
{
}

NativeMesh::~NativeMesh()
{
    for (VertexBuffer* buffer : mVertexBuffers)
        delete buffer;
    for (IndexBuffer* buffer : mIndexBuffers)
        delete buffer;
}

Bool NativeMesh::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

IObject* NativeMesh::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                            const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    NativeMesh* mesh = new NativeMesh(id, data, size, conditions, conditionCount);
    return FinishCreate(mesh, mesh->Read(), releaseData, failed);
}

ReadResult NativeMesh::Read()
{
    NativeFile file(GetData(), GetSize(), kMeshForm);
    const ReadResult opened =
        file.Open("Resource::NativeMesh::Create()", kHeadPayloadSize, NativeFile::EmptyFile::DECLINE);
    if (opened != ReadResult::OK)
        return opened;
    const UInt8* headPayload = file.GetHeadPayload();
    // The bounding box is handed out in place as floats.
    const Float* boundingBox = mAlignedCopies.Place<Float>(headPayload + 8, 6);
    Util::IffStream& stream = file.GetStream();

    Array<Chunk> vertexBufferChunks;
    Array<Chunk> vertexAttributeChunks;
    Array<Chunk> indexBufferChunks;
    Array<Chunk> indexSegmentChunks;
    for (UInt32 number = 1; !stream.IsAtEnd(); ++number, stream.NextChunk()) {
        const UInt8* block = stream.GetChunk();
        if (block == nullptr) {
            Debug::Trace("Resource::NativeMesh::Create(): Chunk #%u runs past the end of the file", number);
            return ReadResult::REFUSED;
        }
        const Chunk chunk = {ReadTag(block), number, block + kChunkHeaderSize, ReadLittleEndian32(block + 4)};
        const ChunkKind* kind = nullptr;
        for (const ChunkKind& candidate : kChunkKinds) {
            if (candidate.tag == chunk.tag)
                kind = &candidate;
        }
        if (kind == nullptr)
            continue;
        if (chunk.size < kind->minimumPayloadSize) {
            Debug::Trace("Resource::NativeMesh::Create(): %c%c%c%c chunk #%u too small (%u bytes)",
                         TAG_CHARS(chunk.tag), number, chunk.size);
            return ReadResult::REFUSED;
        }
        if (chunk.tag == kVertexBufferTag) {
            vertexBufferChunks.Add(chunk);
        } else if (chunk.tag == kVertexAttributeTag) {
            vertexAttributeChunks.Add(chunk);
        } else if (chunk.tag == kIndexBufferTag) {
            indexBufferChunks.Add(chunk);
        } else if (chunk.tag == kIndexSegmentTag) {
            indexSegmentChunks.Add(chunk);
        } else if (chunk.tag == kVisibilityTag) {
            const UInt32 clusters = chunk.Word(0);
            const UInt32 rowSize = chunk.Word(1);
            const UInt32 offset = chunk.Word(2);
            if (UInt64(offset) + UInt64(clusters) * rowSize > chunk.size) {
                Debug::Trace("Resource::NativeMesh::Create(): PVIS chunk of %u bytes cannot hold %u rows of %u bytes "
                             "at offset %u",
                             chunk.size, clusters, rowSize, offset);
                return ReadResult::REFUSED;
            }
            if (UInt64(rowSize) * 8 < clusters) {
                Debug::Trace("Resource::NativeMesh::Create(): PVIS rows of %u bytes cannot hold %u clusters", rowSize,
                             clusters);
                return ReadResult::REFUSED;
            }
            mNumberOfClusters = clusters;
            mVisibilityRowSize = rowSize;
            mVisibilityRows = chunk.payload + offset;
        } else {
            for (UInt32 table = 0; table < NUMBER_OF_TABLES; ++table) {
                if (kTableKinds[table].tag != chunk.tag)
                    continue;
                const UInt32 count = chunk.Word(0);
                const UInt32 offset = chunk.Word(1);
                if (UInt64(offset) + UInt64(count) * kTableKinds[table].recordSize > chunk.size) {
                    Debug::Trace("Resource::NativeMesh::Create(): %c%c%c%c chunk of %u bytes cannot hold %u records "
                                 "at offset %u",
                                 TAG_CHARS(chunk.tag), chunk.size, count, offset);
                    return ReadResult::REFUSED;
                }
                mTableCounts[table] = count;
                mTables[table] = reinterpret_cast<const UInt8*>(
                    mAlignedCopies.Place<UInt32>(chunk.payload + offset, count * (kTableKinds[table].recordSize / 4)));
                if (mTables[table] == nullptr)
                    return NoMemory(chunk);
            }
        }
    }
    if (vertexBufferChunks.IsEmpty() || indexBufferChunks.IsEmpty())
        return ReadResult::NOT_OWN_FORM;

    for (const Chunk& chunk : indexBufferChunks) {
        const UInt32 indexCount = chunk.Word(14);
        if (kIndexDataOffset + UInt64(indexCount) * sizeof(UInt16) > chunk.size) {
            Debug::Trace("Resource::NativeMesh::Create(): IBUF chunk #%u of %u bytes cannot hold %u indices",
                         chunk.number, chunk.size, indexCount);
            return ReadResult::REFUSED;
        }
        const UInt16* indexData = mAlignedCopies.Place<UInt16>(chunk.payload + kIndexDataOffset, indexCount);
        if (indexData == nullptr)
            return NoMemory(chunk);
        IndexBuffer* buffer = new IndexBuffer();
        buffer->flags = chunk.Word(1);
        buffer->materialSlot = chunk.Word(2);
        for (UInt32 unit = 0; unit < 8; ++unit)
            buffer->textureSlots[unit] = chunk.Word(3 + unit);
        buffer->auxiliarySlots[0] = chunk.Word(11);
        buffer->auxiliarySlots[1] = chunk.Word(12);
        buffer->primitiveType = chunk.Word(13);
        buffer->indexCount = indexCount;
        buffer->indexData = indexData;
        mIndexBuffers.Add(buffer);
    }

    for (const Chunk& chunk : indexSegmentChunks) {
        const UInt32 position = chunk.Word(0);
        if (position >= UInt32(mIndexBuffers.GetCount()))
            return ReadResult::NOT_OWN_FORM;
        IndexBuffer* buffer = mIndexBuffers[SInt32(position)];
        const UInt32 segmentCount = chunk.Word(1);
        if (kSegmentDataOffset + UInt64(segmentCount) * sizeof(MeshIndexSegment) > chunk.size) {
            Debug::Trace("Resource::NativeMesh::Create(): ISEG chunk #%u of %u bytes cannot hold %u segments",
                         chunk.number, chunk.size, segmentCount);
            return ReadResult::REFUSED;
        }
        const MeshIndexSegment* segments =
            mAlignedCopies.Place<MeshIndexSegment>(chunk.payload + kSegmentDataOffset, segmentCount);
        if (segments == nullptr)
            return NoMemory(chunk);
        for (UInt32 i = 0; i < segmentCount; ++i) {
            if (UInt64(segments[i].firstIndex) + segments[i].count > buffer->indexCount) {
                Debug::Trace("Resource::NativeMesh::Create(): Segment #%u of ISEG chunk #%u runs past the %u indices "
                             "of index buffer #%u",
                             i, chunk.number, buffer->indexCount, position);
                return ReadResult::REFUSED;
            }
        }
        buffer->segmentCount = segmentCount;
        buffer->segments = segments;
    }

    for (const Chunk& chunk : vertexBufferChunks) {
        const UInt32 vertexSize = chunk.Word(4);
        const UInt32 vertexCount = chunk.Word(5);
        if (kVertexDataOffset + UInt64(vertexCount) * vertexSize > chunk.size) {
            Debug::Trace("Resource::NativeMesh::Create(): VBUF chunk #%u of %u bytes cannot hold %u vertices of %u "
                         "bytes",
                         chunk.number, chunk.size, vertexCount, vertexSize);
            return ReadResult::REFUSED;
        }
        VertexBuffer* buffer = new VertexBuffer();
        mVertexBuffers.Add(buffer);
        buffer->flags = chunk.Word(1);
        buffer->row = chunk.Word(2);
        buffer->column = chunk.Word(3);
        buffer->vertexSize = vertexSize;
        buffer->vertexCount = vertexCount;
        buffer->value = chunk.Word(6);
        buffer->vertexData = chunk.payload + kVertexDataOffset;
        for (const Chunk& attribute : vertexAttributeChunks) {
            if (attribute.Word(0) != chunk.Word(0))
                continue;
            buffer->attributeKinds.Add(attribute.Word(1));
            buffer->attributeFormats.Add(attribute.Word(2));
            buffer->attributeOffsets.Add(attribute.Word(3));
        }
        buffer->attributeCount = UInt32(buffer->attributeKinds.GetCount());
    }

    if (!CheckBspReferences())
        return ReadResult::REFUSED;

    mDrawableValue = ReadLittleEndian32(headPayload + 4);
    if (boundingBox == nullptr) {
        Debug::Trace("Resource::NativeMesh::Create(): No memory for the bounding box");
        return ReadResult::REFUSED;
    }
    mBoundingBoxMinimum = boundingBox;
    mBoundingBoxMaximum = boundingBox + 3;
    return ReadResult::OK;
}

Bool NativeMesh::CheckBspReferences() const
{
    const UInt32 planeCount = mTableCounts[PLANES];
    const UInt32 nodeCount = mTableCounts[NODES];
    const UInt32 leafCount = mTableCounts[LEAVES];
    const UInt32 leafFaceCount = mTableCounts[LEAF_FACES];
    const UInt32 faceCount = mTableCounts[FACES];

    // Children lie further down the table, so a walk from node 0 always ends at a leaf.
    auto isChild = [&](SInt32 child, UInt32 parent) {
        if (child >= 0)
            return UInt32(child) > parent && UInt32(child) < nodeCount;
        return UInt64(-(SInt64(child) + 1)) < leafCount;
    };
    const MeshNode* nodes = GetNodes();
    for (UInt32 i = 0; i < nodeCount; ++i) {
        if (nodes[i].plane >= planeCount || !isChild(nodes[i].front, i) || !isChild(nodes[i].back, i)) {
            Debug::Trace("Resource::NativeMesh::Create(): BSP node #%u refers to a missing plane, node or leaf", i);
            return false;
        }
    }
    const MeshLeaf* leaves = GetLeaves();
    for (UInt32 i = 0; i < leafCount; ++i) {
        if ((leaves[i].cluster >= 0 && UInt32(leaves[i].cluster) >= mNumberOfClusters) ||
            UInt64(leaves[i].firstLeafFace) + leaves[i].leafFaceCount > leafFaceCount) {
            Debug::Trace("Resource::NativeMesh::Create(): BSP leaf #%u refers to a missing cluster or leaf faces", i);
            return false;
        }
    }
    const UInt32* leafFaces = GetLeafFaces();
    for (UInt32 i = 0; i < leafFaceCount; ++i) {
        if (leafFaces[i] >= faceCount) {
            Debug::Trace("Resource::NativeMesh::Create(): BSP leaf face #%u names missing face %u", i, leafFaces[i]);
            return false;
        }
    }
    const MeshFace* faces = GetFaces();
    for (UInt32 i = 0; i < faceCount; ++i) {
        const UInt32 buffer = faces[i].indexBuffer;
        if (buffer >= UInt32(mIndexBuffers.GetCount()) ||
            faces[i].segment >= mIndexBuffers[SInt32(buffer)]->segmentCount) {
            Debug::Trace("Resource::NativeMesh::Create(): BSP face #%u names a missing index segment", i);
            return false;
        }
    }
    return true;
}

UInt32 NativeMesh::GetDrawableValue() const
{
    return mDrawableValue;
}

const Float* NativeMesh::GetBoundingBoxMinimum() const
{
    return mBoundingBoxMinimum;
}

const Float* NativeMesh::GetBoundingBoxMaximum() const
{
    return mBoundingBoxMaximum;
}

UInt32 NativeMesh::GetNumberOfVertexBuffers() const
{
    return UInt32(mVertexBuffers.GetCount());
}

UInt32 NativeMesh::GetNumberOfVertices(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->vertexCount;
}

UInt32 NativeMesh::GetNumberOfVertexAttributes(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->attributeCount;
}

UInt32 NativeMesh::GetVertexSize(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->vertexSize;
}

const void* NativeMesh::GetVertexData(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->vertexData;
}

UInt32 NativeMesh::GetVertexBufferFlags(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->flags;
}

UInt32 NativeMesh::GetVertexBufferValue(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->value;
}

UInt32 NativeMesh::GetVertexAttributeKind(UInt32 buffer, UInt32 attribute) const
{
    return mVertexBuffers[SInt32(buffer)]->attributeKinds[SInt32(attribute)];
}

UInt32 NativeMesh::GetVertexAttributeFormat(UInt32 buffer, UInt32 attribute) const
{
    return mVertexBuffers[SInt32(buffer)]->attributeFormats[SInt32(attribute)];
}

UInt32 NativeMesh::GetVertexAttributeOffset(UInt32 buffer, UInt32 attribute) const
{
    return mVertexBuffers[SInt32(buffer)]->attributeOffsets[SInt32(attribute)];
}

UInt32 NativeMesh::GetVertexBufferRow(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->row;
}

UInt32 NativeMesh::GetVertexBufferColumn(UInt32 buffer) const
{
    return mVertexBuffers[SInt32(buffer)]->column;
}

UInt32 NativeMesh::GetNumberOfIndexBuffers() const
{
    return UInt32(mIndexBuffers.GetCount());
}

UInt32 NativeMesh::GetNumberOfIndices(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->indexCount;
}

UInt32 NativeMesh::GetNumberOfIndexSegments(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->segmentCount;
}

const UInt16* NativeMesh::GetIndexData(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->indexData;
}

const MeshIndexSegment* NativeMesh::GetIndexSegments(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->segments;
}

UInt32 NativeMesh::GetIndexBufferFlags(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->flags;
}

UInt32 NativeMesh::GetPrimitiveType(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->primitiveType;
}

UInt32 NativeMesh::GetMaterialSlot(UInt32 buffer) const
{
    return mIndexBuffers[SInt32(buffer)]->materialSlot;
}

UInt32 NativeMesh::GetTextureSlot(UInt32 buffer, UInt32 unit) const
{
    return mIndexBuffers[SInt32(buffer)]->textureSlots[unit];
}

UInt32 NativeMesh::GetAuxiliarySlot(UInt32 buffer, UInt32 index) const
{
    return mIndexBuffers[SInt32(buffer)]->auxiliarySlots[index];
}

UInt32 NativeMesh::GetNumberOfPlanes() const
{
    return mTableCounts[PLANES];
}

UInt32 NativeMesh::GetNumberOfNodes() const
{
    return mTableCounts[NODES];
}

UInt32 NativeMesh::GetNumberOfLeaves() const
{
    return mTableCounts[LEAVES];
}

UInt32 NativeMesh::GetNumberOfLeafFaces() const
{
    return mTableCounts[LEAF_FACES];
}

UInt32 NativeMesh::GetNumberOfFaces() const
{
    return mTableCounts[FACES];
}

UInt32 NativeMesh::GetNumberOfClusters() const
{
    return mNumberOfClusters;
}

UInt32 NativeMesh::GetVisibilityRowSize() const
{
    return mVisibilityRowSize;
}

const MeshPlane* NativeMesh::GetPlanes() const
{
    return reinterpret_cast<const MeshPlane*>(mTables[PLANES]);
}

const MeshNode* NativeMesh::GetNodes() const
{
    return reinterpret_cast<const MeshNode*>(mTables[NODES]);
}

const MeshLeaf* NativeMesh::GetLeaves() const
{
    return reinterpret_cast<const MeshLeaf*>(mTables[LEAVES]);
}

const UInt32* NativeMesh::GetLeafFaces() const
{
    return reinterpret_cast<const UInt32*>(mTables[LEAF_FACES]);
}

const MeshFace* NativeMesh::GetFaces() const
{
    return reinterpret_cast<const MeshFace*>(mTables[FACES]);
}

const UInt8* NativeMesh::GetVisibilityRows() const
{
    return mVisibilityRows;
}

#undef TAG_CHARS

} // namespace Resource
} // namespace Vorn
