#include "foundation/memory_stream.h"

#include <cstring>

namespace Vorn {
namespace Util {

Bool MemoryStream::Open(const ConstData& data)
{
    return Open(data.GetData(), data.GetSize());
}

Bool MemoryStream::Open(const void* data, UInt32 size)
{
    if (mOpen || data == nullptr || size == 0)
        return false;
    mData.Set(data, size);
    mPosition = 0;
    mOpen = true;
    return true;
}

UInt32 MemoryStream::Read(void* buffer)
{
    if (!mOpen || buffer == nullptr || mPosition >= mData.GetSize())
        return 0;
    const UInt32 remaining = mData.GetSize() - mPosition;
    const UInt32 count = remaining < BlockSize ? remaining : BlockSize;
    std::memcpy(buffer, mData.GetData() + mPosition, count);
    mPosition += count;
    return count;
}

} // namespace Util
} // namespace Vorn
