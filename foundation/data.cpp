#include "foundation/data.h"

#include <cstring>
#include <new>

namespace Vorn {

constinit const Data Data::Empty;

const Data& GetEmptyData()
{
    return Data::Empty;
}

ConstData::ConstData(const void* data, UInt32 size)
    : mData(static_cast<const UInt8*>(data)), mSize(data != nullptr ? size : 0)
{
}

ConstData::~ConstData() = default;

void ConstData::Release()
{
    mData = nullptr;
    mSize = 0;
}

void ConstData::Set(const void* data, UInt32 size)
{
    if (data == nullptr) {
        Release();
        return;
    }
    mData = static_cast<const UInt8*>(data);
    mSize = size;
}

UInt8* Data::Allocate(UInt32 size)
{
    return static_cast<UInt8*>(::operator new(size_t(size)));
}

void Data::Free(const UInt8* block)
{
    if (block != nullptr)
        ::operator delete(const_cast<UInt8*>(block));
}

Data::Data(const void* data, UInt32 size)
{
    Assign(data, size);
}

Data::Data(const Data& other) : ConstData()
{
    Assign(other.mData, other.mSize);
}

Data::Data(Data&& other) noexcept : ConstData()
{
    mData = other.mData;
    mSize = other.mSize;
    other.mData = nullptr;
    other.mSize = 0;
}

Data& Data::operator=(const Data& other)
{
    if (this != &other)
        Assign(other.mData, other.mSize);
    return *this;
}

Data& Data::operator=(Data&& other) noexcept
{
    if (this != &other) {
        Free(mData);
        mData = other.mData;
        mSize = other.mSize;
        other.mData = nullptr;
        other.mSize = 0;
    }
    return *this;
}

Data::~Data()
{
    Free(mData);
}

void Data::Release()
{
    Free(mData);
    mData = nullptr;
    mSize = 0;
}

void Data::Set(const void* data, UInt32 size)
{
    Assign(data, size);
}

void Data::Assign(const void* data, UInt32 size)
{
    // Copy before freeing: the range may lie inside the current block.
    UInt8* block = nullptr;
    if (data != nullptr && size > 0) {
        block = Allocate(size);
        std::memcpy(block, data, size);
    } else {
        size = 0;
    }
    Free(mData);
    mData = block;
    mSize = size;
}

void Data::Resize(UInt32 size)
{
    if (size == 0) {
        Release();
        return;
    }
    if (size == mSize)
        return;
    UInt8* block = Allocate(size);
    if (size > mSize) {
        if (mSize > 0)
            std::memcpy(block, mData, mSize);
        std::memset(block + mSize, 0, size - mSize);
    } else {
        std::memcpy(block, mData, size);
    }
    Free(mData);
    mData = block;
    mSize = size;
}

} // namespace Vorn
