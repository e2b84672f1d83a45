// DisplayObject: a drawable whose vertices and indices program code writes. The node owns one
// block of vertices and one of 16-bit indices, hands them to its display buffers and re-sends
// whatever code flagged as changed in the next enqueue-output pass. The game fills such nodes
// with its course strips through Graph::IVertexBuffer and Graph::IIndexBuffer.
#pragma once

#include <memory>

#include "foundation/enums.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace Graph {

class DisplayObject : public Transform, public IRenderable, public IDrawable
{
public:
    // Entries of the attribute offset and size tables, one per Enums::VertexAttribute kind.
    static constexpr UInt32 kNumberOfAttributeKinds = 15;
    // An attribute kind that is not in the layout.
    static constexpr UInt32 kAbsent = 0xFFFFFFFFu;

    DisplayObject();
    ~DisplayObject() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Index side. A resize keeps the number in use unless it falls below it; with keep the
    // contents that fit are copied. False when the block cannot be made (the old one stays).
    Bool SetMaxNumberOfIndices(UInt32 count, Bool keepContents);
    UInt32 GetMaxNumberOfIndices() const;
    Enums::PrimitiveType GetPrimitiveType() const;
    UInt32 GetIndexSize() const;
    UInt32 GetIndexStride() const;
    UInt16* GetIndexData();
    // False, keeping the count, above the max.
    Bool SetNumberOfIndices(UInt32 count);
    void SetIndicesChanged();

    // Vertex side, alike.
    Bool SetMaxNumberOfVertices(UInt32 count, Bool keepContents);
    UInt32 GetMaxNumberOfVertices() const;
    UInt32 GetAttributeIndex(UInt32 attribute) const;
    // kAbsent for a kind not in the layout or out of range.
    UInt32 GetAttributeOffset(UInt32 attribute) const;
    UInt32 GetAttributeSize(UInt32 attribute) const;
    UInt32 GetVertexSize() const;
    void* GetVertexData();
    Bool SetNumberOfVertices(UInt32 count);
    void SetVerticesChanged();

    UInt32 GetNumberOfIndices() const { return mNumberOfIndices; }
    UInt32 GetNumberOfVertices() const { return mNumberOfVertices; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    enum HasFlag : UInt32
    {
        kHasNormals,
        kHasBinormals,
        kHasTangents,
        kHasColors,
        kHasTexCoords0,
        kHasTexCoords1,
        kHasTexCoords2,
        kHasTexCoords3,
        kNumberOfHasFlags,
    };

    // Declares the layout, filling the offset and size tables and the vertex size.
    Bool DeclareLayout();
    // Replaces a block of max × elementSize bytes by one of count × elementSize; false when the
    // size overflows 32 bits or memory runs out.
    static Bool ResizeBlock(std::unique_ptr<UInt8[]>& block, UInt32 max, UInt32 count, UInt32 elementSize,
                            Bool keepContents);

    DisplayHandleT<Display::IDrawable> mDrawable;
    DisplayHandleT<Display::IIndexBuffer> mIndexBuffer;
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    Enums::PrimitiveType mPrimitiveType;
    Bool mHas[kNumberOfHasFlags];
    UInt32 mVertexSize;
    UInt32 mMaxNumberOfIndices;
    UInt32 mMaxNumberOfVertices;
    UInt32 mNumberOfIndices;
    UInt32 mNumberOfVertices;
    // Owned: an index block of 16-bit words and a vertex block, both as bytes.
    std::unique_ptr<UInt8[]> mIndexData;
    std::unique_ptr<UInt8[]> mVertexData;
    Bool mDynamicIndices;
    Bool mDynamicVertices;
    Bool mIndicesChanged;
    Bool mVerticesChanged;
    UInt32 mAttributeOffsets[kNumberOfAttributeKinds];
    UInt32 mAttributeSizes[kNumberOfAttributeKinds];
};

} // namespace Graph
} // namespace Vorn
