#include "display/dx9/index_buffer.h"

#include <cstring>

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/state.h"
#include "display/dx9/vertex_buffer.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

constexpr UInt32 kAllChanges = IndexBuffer::kSizeChanged | IndexBuffer::kDataChanged |
                               IndexBuffer::kBatchesChanged | IndexBuffer::kSelectionChanged;

} // namespace

IndexBuffer::IndexBuffer(Renderer* renderer)
    : Object(renderer), mDynamic(false), mPrimitiveType(Enums::PrimitiveType::TRIANGLES), mMaterialSlot(0),
      mTextureSlots{0, 0, 0, 0, 0, 0, 0, 0}, mAuxiliarySlots{-1, -1}, mNumberOfIndices(0), mCapacity(0),
      mData(nullptr), mNumberOfBatches(0), mBatches(nullptr), mNumberOfSelectedBatches(0), mSelection(nullptr),
      mBuffer(nullptr), mDxIndices(0), mChanges(kNotInitialized)
{
}

IndexBuffer::~IndexBuffer() { Release(); }

void IndexBuffer::SetMaterialSlot(UInt32 slot)
{
    if (slot >= kNumberOfSlots) {
        Debug::Trace("Display::Dx9::IndexBuffer::SetMaterialSlot(): Slot %u out of range", slot);
        return;
    }
    mMaterialSlot = SInt32(slot);
}

void IndexBuffer::SetTextureSlot(SInt32 slot, UInt32 unit)
{
    if (unit >= kNumberOfUnits || slot >= SInt32(kNumberOfSlots)) {
        Debug::Trace("Display::Dx9::IndexBuffer::SetTextureSlot(): Slot %d of unit %u out of range", slot, unit);
        return;
    }
    mTextureSlots[unit] = slot;
}

void IndexBuffer::SetAuxiliarySlot(SInt32 value, UInt32 index)
{
    if (index >= 2) {
        Debug::Trace("Display::Dx9::IndexBuffer::SetAuxiliarySlot(): Index %u out of range", index);
        return;
    }
    mAuxiliarySlots[index] = value;
}

Bool IndexBuffer::SetIndexData(const UInt16* data, UInt32 capacity)
{
    if (data != mData || capacity != mCapacity) {
        mChanges |= kSizeChanged;
        mData = data;
        mCapacity = capacity;
    }
    return true;
}

Bool IndexBuffer::Init()
{
    if (mChanges & kNotInitialized) {
        mChanges |= kDataChanged | kBatchesChanged | kSelectionChanged;
        if (!mRenderer->InitObject(this))
            return false;
        mChanges &= ~kNotInitialized;
        mInitialized = true;
    }
    return true;
}

Bool IndexBuffer::DeInit()
{
    if ((mChanges & kNotInitialized) == 0) {
        if (!mRenderer->DeInitObject(this))
            return false;
        mChanges |= kNotInitialized;
        mInitialized = false;
    }
    return true;
}

UInt32 IndexBuffer::GetNumberOfIndices() const
{
    if (mNumberOfIndices < 0 || UInt32(mNumberOfIndices) > mCapacity)
        return mCapacity;
    return UInt32(mNumberOfIndices);
}

UInt32 IndexBuffer::GetDxBufferSize() const
{
    if (mBuffer == nullptr)
        return 0;
    D3DINDEXBUFFER_DESC description;
    return SUCCEEDED(mBuffer->GetDesc(&description)) ? UInt32(description.Size) : 0;
}

Bool IndexBuffer::Update()
{
    if ((mChanges & kAllChanges) == 0 || mData == nullptr || GetNumberOfIndices() == 0)
        return true;
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    const Bool done = mNumberOfBatches == 0 ? UpdatePlain(device) : UpdateBatches(device);
    if (done)
        mChanges &= ~kAllChanges;
    return done;
}

Bool IndexBuffer::UpdatePlain(IDirect3DDevice9* device)
{
    const UInt32 capacityBytes = mCapacity * 2;
    if (mBuffer != nullptr && GetDxBufferSize() != capacityBytes)
        Release();
    void* target = nullptr;
    if (mBuffer == nullptr) {
        if (FAILED(device->CreateIndexBuffer(capacityBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                             &mBuffer, nullptr))) {
            mBuffer = nullptr;
            Debug::Trace("Display::Dx9::IndexBuffer::Update(): Failed to create DX index buffer");
            return false;
        }
        if (FAILED(mBuffer->Lock(0, capacityBytes, &target, 0)))
            return false;
        std::memcpy(target, mData, capacityBytes);
        mBuffer->Unlock();
    } else if (mChanges & (kDataChanged | kSizeChanged)) {
        if (FAILED(mBuffer->Lock(0, capacityBytes, &target, 0)))
            return false;
        std::memcpy(target, mData, GetNumberOfIndices() * 2);
        mBuffer->Unlock();
    }
    mDxIndices = GetNumberOfIndices();
    return true;
}

Bool IndexBuffer::GetBatch(UInt32 n, UInt32& count, UInt32& first) const
{
    if (n >= mNumberOfBatches)
        return false;
    count = mBatches[2 * n];
    first = mBatches[2 * n + 1];
    if (first >= mCapacity)
        return false;
    if (count > mCapacity - first)
        count = mCapacity - first;
    return count > 0;
}

Bool IndexBuffer::UpdateBatches(IDirect3DDevice9* device)
{
    // A data-only change is sent as well: the batches copy from the data.
    if (mBatches == nullptr)
        return true;
    const Bool selected = mNumberOfSelectedBatches > 0 && mSelection != nullptr;
    const UInt32 numberOfBatches = selected ? mNumberOfSelectedBatches : mNumberOfBatches;
    UInt64 total = 0;
    UInt32 count = 0;
    UInt32 first = 0;
    for (UInt32 i = 0; i < numberOfBatches; ++i)
        if (GetBatch(selected ? mSelection[i] : i, count, first))
            total += count;
    // Never more indices than fit in a Direct3D buffer size.
    if (total == 0 || total > 0x7FFFFFFF) {
        mDxIndices = 0;
        return true;
    }
    const UInt32 bytes = UInt32(total) * 2;
    if (mBuffer != nullptr && GetDxBufferSize() < bytes)
        Release();
    if (mBuffer == nullptr &&
        FAILED(device->CreateIndexBuffer(bytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &mBuffer,
                                         nullptr))) {
        mBuffer = nullptr;
        Debug::Trace("Display::Dx9::IndexBuffer::Update(): Failed to create DX index buffer");
        return false;
    }
    void* target = nullptr;
    if (FAILED(mBuffer->Lock(0, bytes, &target, 0)))
        return false;
    UInt16* out = static_cast<UInt16*>(target);
    for (UInt32 i = 0; i < numberOfBatches; ++i) {
        if (GetBatch(selected ? mSelection[i] : i, count, first)) {
            std::memcpy(out, mData + first, count * 2);
            out += count;
        }
    }
    mBuffer->Unlock();
    mDxIndices = UInt32(total);
    return true;
}

Bool IndexBuffer::DestroyDxResources()
{
    Release();
    mChanges |= kSizeChanged;
    return Object::DestroyDxResources();
}

Bool IndexBuffer::Release()
{
    if (mBuffer != nullptr)
        mBuffer->Release();
    mBuffer = nullptr;
    mDxIndices = 0;
    return true;
}

Bool IndexBuffer::GetPrimitives(Enums::PrimitiveType type, UInt32 indices, D3DPRIMITIVETYPE& dxType, UInt32& count)
{
    // Strips, fans and line strips below their first primitive draw nothing.
    const auto less = [&](UInt32 minimum, UInt32 subtract) { return indices < minimum ? 0 : indices - subtract; };
    switch (type) {
    case Enums::PrimitiveType::POINTS:
        dxType = D3DPT_POINTLIST;
        count = indices;
        break;
    case Enums::PrimitiveType::LINE_STRIP:
        dxType = D3DPT_LINESTRIP;
        count = less(2, 1);
        break;
    case Enums::PrimitiveType::LINES:
        dxType = D3DPT_LINELIST;
        count = indices / 2;
        break;
    case Enums::PrimitiveType::TRIANGLE_STRIP:
        dxType = D3DPT_TRIANGLESTRIP;
        count = less(3, 2);
        break;
    case Enums::PrimitiveType::TRIANGLE_FAN:
        dxType = D3DPT_TRIANGLEFAN;
        count = less(3, 2);
        break;
    case Enums::PrimitiveType::TRIANGLES:
        dxType = D3DPT_TRIANGLELIST;
        count = indices / 3;
        break;
    default:
        return false;
    }
    return true;
}

Bool IndexBuffer::Apply(State& state)
{
    if (mData == nullptr || mDxIndices == 0 || mBuffer == nullptr)
        return true;
    D3DPRIMITIVETYPE type;
    UInt32 count = 0;
    if (!GetPrimitives(mPrimitiveType, mDxIndices, type, count))
        return false;
    const VertexBuffer* vertices = static_cast<const VertexBuffer*>(state.mStreams[0]);
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (vertices == nullptr || device == nullptr)
        return false;
    if (count == 0)
        return true;
    device->SetIndices(mBuffer);
    return SUCCEEDED(device->DrawIndexedPrimitive(type, 0, 0, vertices->GetNumberOfVertices(), 0, count));
}

const ClassInfo& IndexBuffer::GetClassInfo()
{
    static const ClassInfo info{"IndexBuffer", CreateObjectOf<IndexBuffer>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
