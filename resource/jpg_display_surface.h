// The surface of a JPEG image: decodes the file on its first lock into every level, scaled and
// converted to the surface's format, and frees the pixels on its last unlock.
#pragma once

#include "resource/display_surface.h"

namespace Vorn {
namespace Resource {

class JpgDisplaySurface : public DecodingDisplaySurface
{
public:
    JpgDisplaySurface(const IImage* image, const void* data, UInt32 size, Enums::PixelFormat pixelFormat,
                      UInt32 width, UInt32 height, Bool withMipMaps);
    ~JpgDisplaySurface() override;

    // The file's own R, G, B pixels.
    Bool DecodeBaseLevel(UInt8* destination) override;

protected:
    DecodingDisplaySurface* CreateClone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                        Bool withMipMaps) const override;
    const char* GetClassName() const override;
};

} // namespace Resource
} // namespace Vorn
