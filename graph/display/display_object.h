// DisplayObject: a drawable whose vertices and indices program code writes. The node owns one
// block of vertices and one of 16-bit indices, hands them to its display buffers and re-sends
// whatever code flagged as changed in the next enqueue-output pass. The game fills such nodes
// with its course strips through Graph::IVertexBuffer and Graph::IIndexBuffer.
#pragma once

#include <memory>

#include "foundation/enums.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/index_buffer.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"
#include "graph/vertex_buffer.h"

namespace Vorn {
namespace Graph {

class DisplayObject : public Transform,
                      public IRenderable,
                      public IDrawable,
                      public IIndexBuffer,
                      public IVertexBuffer
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

    // A resize lowers the number in use when it no longer fits, and with keepContents copies
    // only what fits; a size past 32 bits or a failed allocation keeps the old block.
    Bool SetMaxNumberOfIndices(UInt32 count, Bool keepContents) override;
    UInt32 GetMaxNumberOfIndices() const override;
    Enums::PrimitiveType GetPrimitiveType() const override;
    UInt32 GetIndexSize() const override;
    UInt16* GetIndexData() override;
    Bool SetNumberOfIndices(UInt32 count) override;
    void SetIndicesChanged() override;

    Bool SetMaxNumberOfVertices(UInt32 count, Bool keepContents) override;
    UInt32 GetMaxNumberOfVertices() const override;
    // kAbsent for a kind not in the layout or past the last kind.
    UInt32 GetAttributeOffset(Enums::VertexAttribute attribute) const override;
    UInt32 GetAttributeSize(Enums::VertexAttribute attribute) const override;
    UInt32 GetVertexSize() const override;
    UInt8* GetVertexData() override;
    Bool SetNumberOfVertices(UInt32 count) override;
    void SetVerticesChanged() override;

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
