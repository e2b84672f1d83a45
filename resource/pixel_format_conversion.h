// Row converters between the uncompressed pixel formats that display surfaces decode into.
// 16-bit pixels are stored low byte first; R8_G8_B8_A8 is the bytes R, G, B, A.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Resource {

// Converts pixelCount pixels from source to target; the two never overlap.
typedef void (*PixelRowConverter)(const UInt8* source, UInt8* target, UInt32 pixelCount);

// The converter of a pair of formats; null when the pair has none.
PixelRowConverter FindPixelRowConverter(Enums::PixelFormat source, Enums::PixelFormat target);

} // namespace Resource
} // namespace Vorn
