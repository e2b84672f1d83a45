// Small free operations that the menus, signs, score rows and play processors share.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace App {

// Snaps a position to the pixel grid of step scene units per pixel: an element whose size is an
// odd number of pixels lands on a half pixel, an even one on a whole pixel.
Float AlignToPixelGrid(Float position, Float size, Float step);

// The number with "," between groups of three digits (1234567 gives "1,234,567").
String FormatScore(UInt32 value);

} // namespace App
} // namespace Vorn
