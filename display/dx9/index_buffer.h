// Display::Dx9::IndexBuffer ("IndexBuffer"): the indices of one element of a drawable, with the
// material, parameters and texture slots that the renderer looks its element up by, and the
// primitive type it draws. The index data may be split into batches of which a selection is
// drawn; the Direct3D buffer is filled on the render thread in Update.
#pragma once

#include <d3d9.h>

#include "display/dx9/object.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class IndexBuffer : public Object, public IIndexBuffer
{
public:
    // Change bits.
    static constexpr UInt32 kNotInitialized = 1;
    static constexpr UInt32 kSizeChanged = 2;
    static constexpr UInt32 kDataChanged = 4;
    static constexpr UInt32 kBatchesChanged = 8;
    static constexpr UInt32 kSelectionChanged = 16;
    static constexpr UInt32 kNumberOfSlots = 128;
    static constexpr UInt32 kNumberOfUnits = 8;

    explicit IndexBuffer(Renderer* renderer);
    ~IndexBuffer() override;

    // Stored only.
    void SetDynamic(Bool dynamic) override { mDynamic = dynamic; }
    void SetPrimitiveType(Enums::PrimitiveType type) override { mPrimitiveType = type; }
    // Slots below 128, units below 8 and indices below 2; others are refused with a line.
    void SetMaterialSlot(UInt32 slot) override;
    void SetTextureSlot(SInt32 slot, UInt32 unit) override;
    void SetAuxiliarySlot(SInt32 value, UInt32 index) override;
    // -1 (or any count beyond the capacity) draws the whole capacity.
    void SetNumberOfIndices(SInt32 count) override { mNumberOfIndices = count; }
    Bool SetIndexData(const UInt16* data, UInt32 capacity) override;
    void SetDataModified() override { mChanges |= kDataChanged; }
    // Pairs {index count, first index}; parts past the capacity are left out.
    void SetNumberOfBatches(UInt32 count) override { mNumberOfBatches = count; }
    void SetBatches(const UInt32* batches) override { mBatches = batches; }
    void SetBatchesModified() override { mChanges |= kBatchesChanged; }
    // Batch numbers past the number of batches are left out.
    void SetNumberOfSelectedBatches(UInt32 count) override { mNumberOfSelectedBatches = count; }
    void SetSelectedBatches(const UInt32* selection) override { mSelection = selection; }
    void SetSelectionModified() override { mChanges |= kSelectionChanged; }

    Bool Init() override;
    Bool DeInit() override;
    Bool Update() override;
    Bool DestroyDxResources() override;
    // Draws the element with the state's current vertex buffer; nothing for a count below the
    // primitive's minimum, false for LINE_LOOP or an unknown type.
    virtual Bool Apply(State& state);

    SInt32 GetMaterialSlot() const { return mMaterialSlot; }
    // Negative: no texture for that unit.
    SInt32 GetTextureSlot(UInt32 unit) const { return unit < kNumberOfUnits ? mTextureSlots[unit] : -1; }
    SInt32 GetAuxiliarySlot(UInt32 index) const { return index < 2 ? mAuxiliarySlots[index] : -1; }
    UInt32 GetChanges() const { return mChanges; }
    // Indices in the Direct3D buffer and its size in bytes (0 without buffer).
    UInt32 GetNumberOfDxIndices() const { return mDxIndices; }
    UInt32 GetDxBufferSize() const;
    // Primitive type and count that Apply draws; false when nothing is drawn.
    static Bool GetPrimitives(Enums::PrimitiveType type, UInt32 indices, D3DPRIMITIVETYPE& dxType, UInt32& count);

    static const ClassInfo& GetClassInfo();

private:
    // The indices drawn in plain mode: the count, at most the capacity.
    UInt32 GetNumberOfIndices() const;
    Bool UpdatePlain(IDirect3DDevice9* device);
    Bool UpdateBatches(IDirect3DDevice9* device);
    // Index count and first index of batch n, cut to the data; false when it lies outside.
    Bool GetBatch(UInt32 n, UInt32& count, UInt32& first) const;
    Bool Release();

    Bool mDynamic;
    Enums::PrimitiveType mPrimitiveType;
    SInt32 mMaterialSlot;
    // Slot 0 like the material slot: planes and texts never name a slot and draw with what
    // the texture slot nodes bound there; meshes set theirs (negative = none).
    SInt32 mTextureSlots[kNumberOfUnits];
    SInt32 mAuxiliarySlots[2];
    SInt32 mNumberOfIndices;
    UInt32 mCapacity;
    const UInt16* mData;
    UInt32 mNumberOfBatches;
    const UInt32* mBatches;
    UInt32 mNumberOfSelectedBatches;
    const UInt32* mSelection;
    IDirect3DIndexBuffer9* mBuffer;
    UInt32 mDxIndices;
    UInt32 mChanges;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
