// Display::Dx9::VertexBuffer ("VertexBuffer"): the vertices of a drawable. The scene graph owns
// the data and hands a pointer to it; the Direct3D buffer and vertex declaration are made and
// refilled on the render thread in Update, and bound when the renderer draws.
#pragma once

#include <d3d9.h>

#include <vector>

#include "display/dx9/object.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class VertexBuffer : public Object, public IVertexBuffer
{
public:
    // Change bits.
    static constexpr UInt32 kNotInitialized = 1;
    static constexpr UInt32 kSizeChanged = 2;
    static constexpr UInt32 kDataChanged = 4;

    explicit VertexBuffer(Renderer* renderer);
    ~VertexBuffer() override;

    // Stored only.
    void SetDynamic(Bool dynamic) override { mDynamic = dynamic; }
    // Counts beyond the capacity are drawn and copied as the capacity.
    void SetNumberOfVertices(UInt32 count) override { mNumberOfVertices = count; }
    Bool SetVertexData(const void* data, UInt32 capacity, UInt32 vertexSize) override;
    void SetDataModified() override { mChanges |= kDataChanged; }
    Bool AddAttribute(Enums::VertexAttribute attribute, Enums::AttributeType type, UInt32& offset) override;

    Bool Init() override;
    Bool DeInit() override;
    Bool Update() override;
    Bool DestroyDxResources() override;
    // Binds declaration and stream 0; the buffer becomes the state's current vertex buffer.
    virtual Bool Apply(State& state);
    // The vertices drawn: the count, at most the capacity.
    virtual UInt32 GetNumberOfVertices() const;

    UInt32 GetStride() const { return mStride; }
    UInt32 GetNumberOfComponents() const { return mComponents; }
    UInt32 GetChanges() const { return mChanges; }
    // The Direct3D element of each attribute in the order added.
    const std::vector<D3DVERTEXELEMENT9>& GetElements() const { return mElements; }

    static const ClassInfo& GetClassInfo();

private:
    void ReleaseDx();
    // Copies the first count vertices of the data into a locked buffer, a stride each.
    void CopyVertices(void* target, UInt32 count) const;

    Bool mDynamic;
    UInt32 mNumberOfVertices;
    UInt32 mCapacity;
    UInt32 mVertexSize;
    const void* mData;
    std::vector<D3DVERTEXELEMENT9> mElements;
    UInt32 mComponents;
    UInt32 mStride;
    IDirect3DVertexBuffer9* mBuffer;
    IDirect3DVertexDeclaration9* mDeclaration;
    UInt32 mAttributeMask;
    UInt32 mChanges;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
