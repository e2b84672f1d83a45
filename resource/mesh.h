// Mesh resources: vertex and index buffers with optional BSP tables, drawn by the mesh and BSP
// drawables. Every mesh reader derives from Resource::Mesh. Buffers and tables point into the
// resource's source bytes; buffer and element positions are not checked by the accessors.
#pragma once

#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {
namespace Resource {

// A run of indices that a BSP face selects from its index buffer.
struct MeshIndexSegment
{
    UInt32 count;
    UInt32 firstIndex;
};

// Plane a·x + b·y + c·z + d = 0.
struct MeshPlane
{
    Float a, b, c, d;
};

// A child of 0 or more is a node number (always above its parent's), a negative child c stands
// for leaf number -c - 1.
struct MeshNode
{
    UInt32 plane;
    SInt32 front;
    SInt32 back;
    UInt32 reserved[10];
};

// Its faces are leafFaceCount entries of the leaf-face table from firstLeafFace on; a negative
// cluster means the leaf belongs to none.
struct MeshLeaf
{
    SInt32 cluster;
    UInt32 firstLeafFace;
    UInt32 leafFaceCount;
    UInt32 reserved[6];
    Float centre[3];
    Float radius;
};

// A face is one index segment of one index buffer.
struct MeshFace
{
    UInt32 indexBuffer;
    UInt32 segment;
};

static_assert(sizeof(MeshIndexSegment) == 8 && sizeof(MeshPlane) == 16 && sizeof(MeshNode) == 52 &&
                  sizeof(MeshLeaf) == 52 && sizeof(MeshFace) == 8,
              "mesh records are used in place in the file");

class IMesh
{
public:
    // Handed on to the display drawable.
    virtual UInt32 GetDrawableValue() const = 0;
    // Three floats each.
    virtual const Float* GetBoundingBoxMinimum() const = 0;
    virtual const Float* GetBoundingBoxMaximum() const = 0;

    virtual UInt32 GetNumberOfVertexBuffers() const = 0;
    virtual UInt32 GetNumberOfVertices(UInt32 buffer) const = 0;
    virtual UInt32 GetNumberOfVertexAttributes(UInt32 buffer) const = 0;
    // Bytes per vertex.
    virtual UInt32 GetVertexSize(UInt32 buffer) const = 0;
    // Number of vertices × vertex size bytes.
    virtual const void* GetVertexData(UInt32 buffer) const = 0;
    virtual UInt32 GetVertexBufferFlags(UInt32 buffer) const = 0;
    virtual UInt32 GetVertexBufferValue(UInt32 buffer) const = 0;
    // Enums::VertexAttribute, Enums::AttributeType and the byte offset in the vertex.
    virtual UInt32 GetVertexAttributeKind(UInt32 buffer, UInt32 attribute) const = 0;
    virtual UInt32 GetVertexAttributeFormat(UInt32 buffer, UInt32 attribute) const = 0;
    virtual UInt32 GetVertexAttributeOffset(UInt32 buffer, UInt32 attribute) const = 0;
    // Where the buffer goes in the renderer's current-buffer table; the column is 0 or 1.
    virtual UInt32 GetVertexBufferRow(UInt32 buffer) const = 0;
    virtual UInt32 GetVertexBufferColumn(UInt32 buffer) const = 0;

    virtual UInt32 GetNumberOfIndexBuffers() const = 0;
    virtual UInt32 GetNumberOfIndices(UInt32 buffer) const = 0;
    virtual UInt32 GetNumberOfIndexSegments(UInt32 buffer) const = 0;
    virtual const UInt16* GetIndexData(UInt32 buffer) const = 0;
    // Null for a buffer without segments.
    virtual const MeshIndexSegment* GetIndexSegments(UInt32 buffer) const = 0;
    virtual UInt32 GetIndexBufferFlags(UInt32 buffer) const = 0;
    // Enums::PrimitiveType.
    virtual UInt32 GetPrimitiveType(UInt32 buffer) const = 0;
    virtual UInt32 GetMaterialSlot(UInt32 buffer) const = 0;
    // unit 0 to 7.
    virtual UInt32 GetTextureSlot(UInt32 buffer, UInt32 unit) const = 0;
    // index 0 or 1.
    virtual UInt32 GetAuxiliarySlot(UInt32 buffer, UInt32 index) const = 0;

    // BSP information; a count of 0 or a null table means the mesh has none of it.
    virtual UInt32 GetNumberOfPlanes() const = 0;
    virtual UInt32 GetNumberOfNodes() const = 0;
    virtual UInt32 GetNumberOfLeaves() const = 0;
    virtual UInt32 GetNumberOfLeafFaces() const = 0;
    virtual UInt32 GetNumberOfFaces() const = 0;
    virtual UInt32 GetNumberOfClusters() const = 0;
    // Bytes per visibility row; bit c % 8 of byte c / 8 is set when cluster c is visible.
    virtual UInt32 GetVisibilityRowSize() const = 0;
    virtual const MeshPlane* GetPlanes() const = 0;
    virtual const MeshNode* GetNodes() const = 0;
    virtual const MeshLeaf* GetLeaves() const = 0;
    // Face numbers.
    virtual const UInt32* GetLeafFaces() const = 0;
    virtual const MeshFace* GetFaces() const = 0;
    // One row per cluster.
    virtual const UInt8* GetVisibilityRows() const = 0;

    virtual ~IMesh() {}
};

class Mesh : public Object, public IMesh
{
public:
    Mesh(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
