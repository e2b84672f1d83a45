// Bytes in an exactly sized heap block, so that the address sanitizer sees any read past them:
// the input that every reader test and benchmark hands to the code under test.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/data.h"
#include "foundation/types.h"

namespace Vorn {
namespace Testing {

class ExactBytes
{
public:
    ExactBytes(const void* bytes, UInt32 size) : mSize(size), mBlock(new UInt8[size])
    {
        if (size > 0)
            std::memcpy(mBlock.get(), bytes, size);
    }
    explicit ExactBytes(const ConstData& data) : ExactBytes(data.GetData(), data.GetSize()) {}
    explicit ExactBytes(const std::string& text) : ExactBytes(text.data(), UInt32(text.size())) {}
    explicit ExactBytes(const std::vector<UInt8>& bytes) : ExactBytes(bytes.data(), UInt32(bytes.size())) {}
    UInt8* Get() { return mBlock.get(); }
    const UInt8* Get() const { return mBlock.get(); }
    UInt32 GetSize() const { return mSize; }

    // True when [pointer, pointer + size) lies inside the bytes.
    Bool Holds(const void* pointer, UInt64 size) const
    {
        const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(mBlock.get());
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(pointer);
        return at >= first && at - first + size <= mSize;
    }

private:
    UInt32 mSize;
    std::unique_ptr<UInt8[]> mBlock;
};

// Hands tryBytes the file cut to every cutStep-th length below its size, then the file with every
// flipStep-th bit flipped, each in exactly sized bytes: the inputs of a damaged-file test.
template <class TryBytes>
void ForEachDamagedCopy(const std::vector<UInt8>& file, UInt32 cutStep, UInt32 flipStep, TryBytes tryBytes)
{
    for (size_t length = 0; length < file.size(); length += cutStep) {
        ExactBytes bytes(file.data(), UInt32(length));
        tryBytes(bytes);
    }
    for (size_t bit = 0; bit < file.size() * 8; bit += flipStep) {
        ExactBytes bytes(file);
        bytes.Get()[bit / 8] ^= UInt8(1u << (bit % 8));
        tryBytes(bytes);
    }
}

} // namespace Testing
} // namespace Vorn
