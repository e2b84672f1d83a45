// Small free operations that the menus, signs, score rows and play processors share.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace App {

// A chunk version ("1.04") as the little-endian word that files store, so that versions of one
// form compare in order.
constexpr UInt32 MakeVersion(const char (&text)[5])
{
    return UInt32(UInt8(text[0])) | (UInt32(UInt8(text[1])) << 8) | (UInt32(UInt8(text[2])) << 16) |
           (UInt32(UInt8(text[3])) << 24);
}

// Snaps a position to the pixel grid of step scene units per pixel: an element whose size is an
// odd number of pixels lands on a half pixel, an even one on a whole pixel.
Float AlignToPixelGrid(Float position, Float size, Float step);

// The size of one display pixel in scene units, application-wide: the application processor
// writes it whenever it fits the camera to the display (1 until then), and the front end snaps
// its places to it.
Float GetUnitsPerPixel();
void SetUnitsPerPixel(Float unitsPerPixel);
// Snaps to the pixel grid of the display as the application processor last fitted it.
Float AlignToPixelGrid(Float position, Float size);

// The number with "," between groups of three digits (1234567 gives "1,234,567").
String FormatScore(UInt32 value);

} // namespace App
} // namespace Vorn
