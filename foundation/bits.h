// Small integer helpers: power-of-two sizes for textures and 4-byte alignment for file records.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Util {

// The smallest power of two at least n, for n from 1 to 2^31; 0 gives 0.
constexpr UInt32 GetNextPowerOfTwo(UInt32 n)
{
    if (n == 0)
        return 0;
    UInt32 shifts = 0;
    for (UInt32 rest = n - 1; rest != 0; rest >>= 1)
        ++shifts;
    // Beyond 2^31 there is no 32-bit power of two; 0 rather than an undefined shift.
    return shifts < 32 ? UInt32(1) << shifts : 0;
}

// n rounded up to a multiple of 4 (wraps for n above 2^32 - 4).
constexpr UInt32 AlignUp4(UInt32 n)
{
    return (n + 3) & ~UInt32(3);
}

} // namespace Util
} // namespace Vorn
