#include "display/dx9/vertex_buffer.h"

#include <cstring>

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/state.h"
#include "foundation/debug.h"
#include "foundation/format_size.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

// By Enums::AttributeType value; 0xFF where Direct3D 9 has no matching type.
constexpr BYTE kNoType = 0xFF;
constexpr BYTE kDeclarationTypes[] = {
    kNoType,          D3DDECLTYPE_FLOAT1, D3DDECLTYPE_FLOAT2, D3DDECLTYPE_FLOAT3, D3DDECLTYPE_FLOAT4,
    kNoType,          kNoType,            kNoType,            D3DDECLTYPE_UBYTE4, kNoType,
    kNoType,          kNoType,            kNoType,            kNoType,            D3DDECLTYPE_SHORT2,
    kNoType,          D3DDECLTYPE_SHORT4, kNoType,            D3DDECLTYPE_SHORT2, kNoType,
    D3DDECLTYPE_SHORT4,
};

// By Enums::VertexAttribute value up to TEXCOORD_3; the custom attributes have no usage.
constexpr BYTE kUsages[] = {
    D3DDECLUSAGE_POSITION, D3DDECLUSAGE_NORMAL,   D3DDECLUSAGE_BINORMAL, D3DDECLUSAGE_TANGENT, D3DDECLUSAGE_COLOR,
    D3DDECLUSAGE_TEXCOORD, D3DDECLUSAGE_TEXCOORD, D3DDECLUSAGE_TEXCOORD, D3DDECLUSAGE_TEXCOORD,
};

constexpr UInt32 kFirstTexCoord = Enums::Value(Enums::VertexAttribute::TEXCOORD_0);

} // namespace

VertexBuffer::VertexBuffer(Renderer* renderer)
    : Object(renderer), mDynamic(false), mNumberOfVertices(0), mCapacity(0), mVertexSize(0), mData(nullptr),
      mComponents(0), mStride(0), mBuffer(nullptr), mDeclaration(nullptr), mAttributeMask(0),
      mChanges(kNotInitialized)
{
}

VertexBuffer::~VertexBuffer() { ReleaseDx(); }

Bool VertexBuffer::SetVertexData(const void* data, UInt32 capacity, UInt32 vertexSize)
{
    if (data != mData || capacity != mCapacity || vertexSize != mVertexSize) {
        mChanges |= kSizeChanged;
        mData = data;
        mCapacity = capacity;
        mVertexSize = vertexSize;
    }
    return true;
}

Bool VertexBuffer::AddAttribute(Enums::VertexAttribute attribute, Enums::AttributeType type, UInt32& offset)
{
    const UInt32 a = Enums::Value(attribute);
    const UInt32 t = Enums::Value(type);
    if ((mChanges & kNotInitialized) == 0 || a >= sizeof(kUsages) || (mAttributeMask & (1u << a)) != 0)
        return false;
    if (t >= sizeof(kDeclarationTypes) || kDeclarationTypes[t] == kNoType)
        return false;
    D3DVERTEXELEMENT9 element;
    element.Stream = 0;
    element.Offset = WORD(offset);
    element.Type = kDeclarationTypes[t];
    element.Method = D3DDECLMETHOD_DEFAULT;
    element.Usage = kUsages[a];
    // Each texture-coordinate set needs its own usage index, or the declaration is refused.
    element.UsageIndex = BYTE(a >= kFirstTexCoord ? a - kFirstTexCoord : 0);
    mElements.push_back(element);
    const UInt32 components = Util::GetNumberOfComponents(type);
    const UInt32 size = components * Util::GetComponentSize(type);
    mComponents += components;
    mStride += size;
    offset += size;
    mAttributeMask |= 1u << a;
    return true;
}

Bool VertexBuffer::Init()
{
    if (mChanges & kNotInitialized) {
        mChanges |= kDataChanged;
        if (!mRenderer->InitObject(this))
            return false;
        mChanges &= ~kNotInitialized;
        mInitialized = true;
    }
    return true;
}

Bool VertexBuffer::DeInit()
{
    if ((mChanges & kNotInitialized) == 0) {
        mRenderer->DeInitObject(this);
        mChanges |= kNotInitialized;
        mInitialized = false;
    }
    return true;
}

UInt32 VertexBuffer::GetNumberOfVertices() const
{
    return mNumberOfVertices < mCapacity ? mNumberOfVertices : mCapacity;
}

Bool VertexBuffer::Update()
{
    if ((mChanges & (kSizeChanged | kDataChanged)) == 0 || mElements.empty() || mData == nullptr || mCapacity == 0)
        return true;
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    // The data holds capacity vertices of the caller's size; the attributes read a stride of each.
    // A smaller vertex would make the copy read past the data.
    if (mVertexSize < mStride || UInt64(mVertexSize) * mCapacity > 0xFFFFFFFFu) {
        Debug::Trace("Display::Dx9::VertexBuffer::Update(): Vertex size %u does not hold the attributes' %u bytes "
                     "for %u vertices",
                     mVertexSize, mStride, mCapacity);
        return false;
    }
    const UInt32 capacityBytes = mStride * mCapacity;
    if ((mChanges & kSizeChanged) && mBuffer != nullptr) {
        mBuffer->Release();
        mBuffer = nullptr;
    }
    void* target = nullptr;
    if (mBuffer == nullptr) {
        if (FAILED(device->CreateVertexBuffer(capacityBytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, &mBuffer,
                                              nullptr))) {
            mBuffer = nullptr;
            Debug::Trace("Display::Dx9::VertexBuffer::Update(): Failed to create DX vertex buffer");
            return false;
        }
        if (FAILED(mBuffer->Lock(0, capacityBytes, &target, 0)))
            return false;
        CopyVertices(target, mCapacity);
    } else {
        const UInt32 bytes = GetNumberOfVertices() * mStride;
        if (FAILED(mBuffer->Lock(0, bytes, &target, 0)))
            return false;
        CopyVertices(target, GetNumberOfVertices());
    }
    mBuffer->Unlock();
    if (mDeclaration == nullptr) {
        std::vector<D3DVERTEXELEMENT9> elements = mElements;
        elements.push_back(D3DVERTEXELEMENT9 D3DDECL_END());
        if (FAILED(device->CreateVertexDeclaration(elements.data(), &mDeclaration))) {
            mDeclaration = nullptr;
            Debug::Trace("Display::Dx9::VertexBuffer::Update(): Failed to create DX vertex declaration");
            return false;
        }
    }
    mChanges &= ~(kSizeChanged | kDataChanged);
    return true;
}

void VertexBuffer::CopyVertices(void* target, UInt32 count) const
{
    if (mVertexSize == mStride) {
        std::memcpy(target, mData, size_t(count) * mStride);
        return;
    }
    // Vertices with bytes the attributes do not name: gather the named part of each.
    auto* to = static_cast<UInt8*>(target);
    const auto* from = static_cast<const UInt8*>(mData);
    for (UInt32 i = 0; i < count; ++i)
        std::memcpy(to + size_t(i) * mStride, from + size_t(i) * mVertexSize, mStride);
}

Bool VertexBuffer::DestroyDxResources()
{
    ReleaseDx();
    // Made again from the data at the next update.
    mChanges |= kSizeChanged;
    return Object::DestroyDxResources();
}

void VertexBuffer::ReleaseDx()
{
    if (mDeclaration != nullptr)
        mDeclaration->Release();
    if (mBuffer != nullptr)
        mBuffer->Release();
    mDeclaration = nullptr;
    mBuffer = nullptr;
}

Bool VertexBuffer::Apply(State& state)
{
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr || mBuffer == nullptr || mDeclaration == nullptr)
        return false;
    device->SetVertexDeclaration(mDeclaration);
    device->SetStreamSource(0, mBuffer, 0, mStride);
    state.mStreams[0] = this;
    return true;
}

const ClassInfo& VertexBuffer::GetClassInfo()
{
    static const ClassInfo info{"VertexBuffer", CreateObjectOf<VertexBuffer>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
