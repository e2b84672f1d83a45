// A mesh resource built in memory for tests of the mesh and BSP drawables: vertex and index
// buffers with their placement and slot values, a bounding box, and optional BSP tables.
#pragma once

#include <vector>

#include "resource/mesh.h"

namespace Vorn {
namespace Testing {

class FakeMesh : public Resource::IMesh
{
public:
    struct VertexAttribute
    {
        UInt32 mKind;
        UInt32 mFormat;
        UInt32 mOffset;
    };
    struct VertexBuffer
    {
        UInt32 mCount = 3;
        UInt32 mSize = 12;
        std::vector<Float> mData = std::vector<Float>(9, 0.0f);
        std::vector<VertexAttribute> mAttributes = {{0, 3, 0}};
        UInt32 mRow = 0;
        UInt32 mColumn = 0;
    };
    struct IndexBuffer
    {
        std::vector<UInt16> mIndices = {0, 1, 2};
        std::vector<Resource::MeshIndexSegment> mSegments;
        UInt32 mPrimitiveType = 7;
        UInt32 mMaterialSlot = 0;
        UInt32 mTextureSlots[8] = {};
        UInt32 mAuxiliarySlots[2] = {};
    };

    UInt32 GetDrawableValue() const override { return mDrawableValue; }
    const Float* GetBoundingBoxMinimum() const override { return mMinimum; }
    const Float* GetBoundingBoxMaximum() const override { return mMaximum; }

    UInt32 GetNumberOfVertexBuffers() const override { return UInt32(mVertexBuffers.size()); }
    UInt32 GetNumberOfVertices(UInt32 b) const override { return mVertexBuffers[b].mCount; }
    UInt32 GetNumberOfVertexAttributes(UInt32 b) const override { return UInt32(mVertexBuffers[b].mAttributes.size()); }
    UInt32 GetVertexSize(UInt32 b) const override { return mVertexBuffers[b].mSize; }
    const void* GetVertexData(UInt32 b) const override { return mVertexBuffers[b].mData.data(); }
    UInt32 GetVertexBufferFlags(UInt32) const override { return 0; }
    UInt32 GetVertexBufferValue(UInt32) const override { return 0; }
    UInt32 GetVertexAttributeKind(UInt32 b, UInt32 a) const override { return mVertexBuffers[b].mAttributes[a].mKind; }
    UInt32 GetVertexAttributeFormat(UInt32 b, UInt32 a) const override
    {
        return mVertexBuffers[b].mAttributes[a].mFormat;
    }
    UInt32 GetVertexAttributeOffset(UInt32 b, UInt32 a) const override
    {
        return mVertexBuffers[b].mAttributes[a].mOffset;
    }
    UInt32 GetVertexBufferRow(UInt32 b) const override { return mVertexBuffers[b].mRow; }
    UInt32 GetVertexBufferColumn(UInt32 b) const override { return mVertexBuffers[b].mColumn; }

    UInt32 GetNumberOfIndexBuffers() const override { return UInt32(mIndexBuffers.size()); }
    UInt32 GetNumberOfIndices(UInt32 b) const override { return UInt32(mIndexBuffers[b].mIndices.size()); }
    UInt32 GetNumberOfIndexSegments(UInt32 b) const override { return UInt32(mIndexBuffers[b].mSegments.size()); }
    const UInt16* GetIndexData(UInt32 b) const override { return mIndexBuffers[b].mIndices.data(); }
    const Resource::MeshIndexSegment* GetIndexSegments(UInt32 b) const override
    {
        return mIndexBuffers[b].mSegments.empty() ? nullptr : mIndexBuffers[b].mSegments.data();
    }
    UInt32 GetIndexBufferFlags(UInt32) const override { return 0; }
    UInt32 GetPrimitiveType(UInt32 b) const override { return mIndexBuffers[b].mPrimitiveType; }
    UInt32 GetMaterialSlot(UInt32 b) const override { return mIndexBuffers[b].mMaterialSlot; }
    UInt32 GetTextureSlot(UInt32 b, UInt32 unit) const override { return mIndexBuffers[b].mTextureSlots[unit]; }
    UInt32 GetAuxiliarySlot(UInt32 b, UInt32 index) const override { return mIndexBuffers[b].mAuxiliarySlots[index]; }

    UInt32 GetNumberOfPlanes() const override { return UInt32(mPlanes.size()); }
    UInt32 GetNumberOfNodes() const override { return UInt32(mNodes.size()); }
    UInt32 GetNumberOfLeaves() const override { return UInt32(mLeaves.size()); }
    UInt32 GetNumberOfLeafFaces() const override { return UInt32(mLeafFaces.size()); }
    UInt32 GetNumberOfFaces() const override { return UInt32(mFaces.size()); }
    UInt32 GetNumberOfClusters() const override { return mNumberOfClusters; }
    UInt32 GetVisibilityRowSize() const override { return mVisibilityRowSize; }
    const Resource::MeshPlane* GetPlanes() const override { return mPlanes.empty() ? nullptr : mPlanes.data(); }
    const Resource::MeshNode* GetNodes() const override { return mNodes.empty() ? nullptr : mNodes.data(); }
    const Resource::MeshLeaf* GetLeaves() const override { return mLeaves.empty() ? nullptr : mLeaves.data(); }
    const UInt32* GetLeafFaces() const override { return mLeafFaces.empty() ? nullptr : mLeafFaces.data(); }
    const Resource::MeshFace* GetFaces() const override { return mFaces.empty() ? nullptr : mFaces.data(); }
    const UInt8* GetVisibilityRows() const override
    {
        return mVisibilityRows.empty() ? nullptr : mVisibilityRows.data();
    }

    UInt32 mDrawableValue = 0;
    Float mMinimum[3] = {-1.0f, -1.0f, -1.0f};
    Float mMaximum[3] = {1.0f, 1.0f, 1.0f};
    std::vector<VertexBuffer> mVertexBuffers = {VertexBuffer()};
    std::vector<IndexBuffer> mIndexBuffers = {IndexBuffer()};
    std::vector<Resource::MeshPlane> mPlanes;
    std::vector<Resource::MeshNode> mNodes;
    std::vector<Resource::MeshLeaf> mLeaves;
    std::vector<UInt32> mLeafFaces;
    std::vector<Resource::MeshFace> mFaces;
    UInt32 mNumberOfClusters = 0;
    UInt32 mVisibilityRowSize = 0;
    std::vector<UInt8> mVisibilityRows;
};

// Space split at x = 0: leaf 0 (x >= 0, cluster 0, faces 0 and 1) and leaf 1 (x < 0, cluster 1,
// faces 1 and 2). Faces 0 and 1 are segments 0 and 1 of index buffer 0, face 2 segment 0 of
// index buffer 1. Cluster 0 sees only itself, cluster 1 sees both. Leaf 0's sphere is straight
// ahead of a camera looking down -z, leaf 1's far to the left.
inline FakeMesh MakeSmallBspMesh()
{
    FakeMesh mesh;
    mesh.mIndexBuffers.resize(2);
    mesh.mIndexBuffers[0].mSegments = {{3, 0}, {3, 3}};
    mesh.mIndexBuffers[1].mSegments = {{3, 0}};
    mesh.mIndexBuffers[1].mAuxiliarySlots[1] = 4;
    mesh.mPlanes = {{1.0f, 0.0f, 0.0f, 0.0f}};
    mesh.mNodes = {Resource::MeshNode{0, -1, -2, {}}};
    mesh.mLeaves = {Resource::MeshLeaf{0, 0, 2, {}, {0.0f, 0.0f, -10.0f}, 1.0f},
                    Resource::MeshLeaf{1, 2, 2, {}, {-50.0f, 0.0f, -10.0f}, 1.0f}};
    mesh.mLeafFaces = {0, 1, 1, 2};
    mesh.mFaces = {Resource::MeshFace{0, 0}, Resource::MeshFace{0, 1}, Resource::MeshFace{1, 0}};
    mesh.mNumberOfClusters = 2;
    mesh.mVisibilityRowSize = 1;
    mesh.mVisibilityRows = {0x1, 0x3};
    return mesh;
}

} // namespace Testing
} // namespace Vorn
