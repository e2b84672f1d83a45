// Counts and byte sizes of vertex attribute types and pixel formats, for the code that lays out
// vertex buffers and pixel buffers.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

// Components per vertex attribute (1 to 4); 0 for UNDEFINED and values past the last type.
UInt32 GetNumberOfComponents(Enums::AttributeType type);
// Bytes per component (4, 2 or 1); 0 for UNDEFINED and values past the last type.
UInt32 GetComponentSize(Enums::AttributeType type);
// Bytes of the whole attribute, components * component size; 0 where those are 0.
UInt32 GetAttributeTypeSize(Enums::AttributeType type);

// Bytes per pixel of an uncompressed format; 0 for the block-compressed formats and unknown values.
UInt32 GetBytesPerPixel(Enums::PixelFormat format);
// True exactly for the four block-compressed formats.
Bool IsCompressedPixelFormat(Enums::PixelFormat format);

} // namespace Util
} // namespace Vorn
