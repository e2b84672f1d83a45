// The mesh read from its native chunk file (form "MESH"). Buffers and tables are used in place in
// the source bytes; only the buffer descriptors are allocated.
//
// Chunks, all words little-endian 32-bit counted from the payload start:
// - "HEAD": "0.01", drawable value, bounding box minimum (3 floats), maximum (3 floats).
// - "VBUF" (one or more): buffer number, flags, row, column, vertex size, vertex count, value,
//   unused; the vertices from byte 32.
// - "VATT": number of the vertex buffer it belongs to, kind, format, offset.
// - "IBUF" (one or more): unused, flags, material slot, texture slots 0-7, auxiliary slots 0-1,
//   primitive type, index count, unused; the 16-bit indices from byte 64.
// - "ISEG": index buffer position (in IBUF order), segment count, unused; the segments from byte 12.
// - "PLNE", "NODE", "LEAF", "FACE" (the leaf-face table), "SGMT" (the face table): record count,
//   offset of the records; a later chunk of a tag replaces an earlier one.
// - "PVIS": cluster count, bytes per row, offset of the rows.
#pragma once

#include "resource/aligned_copies.h"

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/mesh.h"
#include "resource/native_file.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class NativeMesh : public Mesh
{
public:
    // Object creator. Declines (null, failed untouched) bytes that are not a "MESH" chunk file, whose
    // first chunk is not HEAD of version "0.01", that lack a VBUF or an IBUF chunk, or whose ISEG
    // names a missing index buffer. Refuses, with one log line and failed set, a "MESH" file whose
    // size, chunks, counts, offsets or record numbers do not fit its bytes and tables. The mesh
    // keeps pointing into the bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    NativeMesh(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~NativeMesh() override;

    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

    UInt32 GetDrawableValue() const override;
    const Float* GetBoundingBoxMinimum() const override;
    const Float* GetBoundingBoxMaximum() const override;

    UInt32 GetNumberOfVertexBuffers() const override;
    UInt32 GetNumberOfVertices(UInt32 buffer) const override;
    UInt32 GetNumberOfVertexAttributes(UInt32 buffer) const override;
    UInt32 GetVertexSize(UInt32 buffer) const override;
    const void* GetVertexData(UInt32 buffer) const override;
    UInt32 GetVertexBufferFlags(UInt32 buffer) const override;
    UInt32 GetVertexBufferValue(UInt32 buffer) const override;
    UInt32 GetVertexAttributeKind(UInt32 buffer, UInt32 attribute) const override;
    UInt32 GetVertexAttributeFormat(UInt32 buffer, UInt32 attribute) const override;
    UInt32 GetVertexAttributeOffset(UInt32 buffer, UInt32 attribute) const override;
    UInt32 GetVertexBufferRow(UInt32 buffer) const override;
    UInt32 GetVertexBufferColumn(UInt32 buffer) const override;

    UInt32 GetNumberOfIndexBuffers() const override;
    UInt32 GetNumberOfIndices(UInt32 buffer) const override;
    UInt32 GetNumberOfIndexSegments(UInt32 buffer) const override;
    const UInt16* GetIndexData(UInt32 buffer) const override;
    const MeshIndexSegment* GetIndexSegments(UInt32 buffer) const override;
    UInt32 GetIndexBufferFlags(UInt32 buffer) const override;
    UInt32 GetPrimitiveType(UInt32 buffer) const override;
    UInt32 GetMaterialSlot(UInt32 buffer) const override;
    UInt32 GetTextureSlot(UInt32 buffer, UInt32 unit) const override;
    UInt32 GetAuxiliarySlot(UInt32 buffer, UInt32 index) const override;

    UInt32 GetNumberOfPlanes() const override;
    UInt32 GetNumberOfNodes() const override;
    UInt32 GetNumberOfLeaves() const override;
    UInt32 GetNumberOfLeafFaces() const override;
    UInt32 GetNumberOfFaces() const override;
    UInt32 GetNumberOfClusters() const override;
    UInt32 GetVisibilityRowSize() const override;
    const MeshPlane* GetPlanes() const override;
    const MeshNode* GetNodes() const override;
    const MeshLeaf* GetLeaves() const override;
    const UInt32* GetLeafFaces() const override;
    const MeshFace* GetFaces() const override;
    const UInt8* GetVisibilityRows() const override;

    // The BSP tables in chunk order: "PLNE", "NODE", "LEAF", "FACE", "SGMT".
    enum Table : UInt32
    {
        PLANES,
        NODES,
        LEAVES,
        LEAF_FACES,
        FACES,
        NUMBER_OF_TABLES,
    };

private:
    struct VertexBuffer
    {
        UInt32 flags;
        UInt32 vertexCount;
        UInt32 attributeCount;
        UInt32 vertexSize;
        const UInt8* vertexData;
        UInt32 value;
        Array<UInt32> attributeKinds;
        Array<UInt32> attributeFormats;
        Array<UInt32> attributeOffsets;
        UInt32 row;
        UInt32 column;
    };

    struct IndexBuffer
    {
        UInt32 flags;
        UInt32 indexCount;
        UInt32 segmentCount;
        const UInt16* indexData;
        const MeshIndexSegment* segments;
        UInt32 primitiveType;
        UInt32 materialSlot;
        UInt32 textureSlots[8];
        UInt32 auxiliarySlots[2];
    };

    // Fills the descriptors and tables from the source bytes; REFUSED has been logged.
    ReadResult Read();
    // The cross references of the BSP tables; false has been logged.
    Bool CheckBspReferences() const;

    UInt32 mDrawableValue;
    Array<VertexBuffer*> mVertexBuffers;
    Array<IndexBuffer*> mIndexBuffers;
    AlignedCopies mAlignedCopies;
    const Float* mBoundingBoxMinimum;
    const Float* mBoundingBoxMaximum;
    UInt32 mTableCounts[NUMBER_OF_TABLES];
    UInt32 mNumberOfClusters;
    UInt32 mVisibilityRowSize;
    const UInt8* mTables[NUMBER_OF_TABLES];
    const UInt8* mVisibilityRows;
};

} // namespace Resource
} // namespace Vorn
