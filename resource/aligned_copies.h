// Tables that the native readers hand out in place, from file bytes that may sit at any address:
// a table whose bytes are aligned for its records is used where it is, any other is copied once
// into an aligned block that lives as long as the reader's object.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "foundation/types.h"

namespace Vorn {
namespace Resource {

class AlignedCopies
{
public:
    // count records of T at bytes, in place or copied; null only when a copy cannot be made.
    template <class T>
    const T* Place(const UInt8* bytes, UInt32 count)
    {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= alignof(UInt64), "records are plain words");
        if (count == 0 || reinterpret_cast<std::uintptr_t>(bytes) % alignof(T) == 0)
            return reinterpret_cast<const T*>(bytes);
        const size_t size = size_t(count) * sizeof(T);
        std::unique_ptr<UInt64[]> block(new (std::nothrow) UInt64[(size + 7) / 8]);
        if (block == nullptr)
            return nullptr;
        std::memcpy(block.get(), bytes, size);
        mBlocks.push_back(std::move(block));
        return reinterpret_cast<const T*>(mBlocks.back().get());
    }

private:
    std::vector<std::unique_ptr<UInt64[]>> mBlocks;
};

} // namespace Resource
} // namespace Vorn
