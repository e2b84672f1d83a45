// Byte buffers: ConstData is a borrowed view of bytes (a mapped file, a chunk payload), Data an
// owning, resizable buffer derived from it, so any buffer can be handed to a reader without copying.
// Readers of every engine file take a ConstData; writers fill a Data.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class ConstData
{
public:
    constexpr ConstData() : mData(nullptr), mSize(0) {}
    // A view of the range; a null pointer gives the empty view whatever the size.
    ConstData(const void* data, UInt32 size);
    ConstData(const ConstData& other) = default;
    ConstData& operator=(const ConstData& other) = default;
    virtual ~ConstData();

    // The view becomes empty.
    virtual void Release();
    // Views the range; a null pointer empties the view.
    virtual void Set(const void* data, UInt32 size);

    const UInt8* GetData() const { return mData; }
    UInt32 GetSize() const { return mSize; }
    Bool IsEmpty() const { return mSize == 0; }

protected:
    const UInt8* mData; // null when mSize is 0
    UInt32 mSize;
};

class Data : public ConstData
{
public:
    // The buffer with no block; returned where a reference to a buffer is due and none exists.
    static const Data Empty;

    constexpr Data() {}
    // An owned copy of the range (empty for a null pointer or size 0).
    Data(const void* data, UInt32 size);
    Data(const Data& other);
    Data(Data&& other) noexcept;
    Data& operator=(const Data& other);
    Data& operator=(Data&& other) noexcept;
    ~Data() override;

    // Frees the block; the buffer becomes empty.
    void Release() override;
    // Same as Assign: a Data holds only bytes it allocated.
    void Set(const void* data, UInt32 size) override;
    // Replaces the bytes with a copy of the range (which may lie inside this buffer); a null
    // pointer or size 0 leaves the buffer empty.
    void Assign(const void* data, UInt32 size);
    // Sets the size: growing keeps the bytes and zeroes the new tail, shrinking keeps the first
    // size bytes, 0 frees the block, the current size changes nothing.
    void Resize(UInt32 size);

    // Writable bytes, null when empty.
    UInt8* GetBuffer() { return const_cast<UInt8*>(mData); }

private:
    static UInt8* Allocate(UInt32 size);
    static void Free(const UInt8* block);
};

// The global empty buffer.
const Data& GetEmptyData();

} // namespace Vorn
