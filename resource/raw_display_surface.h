// The surface of raw and PVR images: its levels point at pixels that the image already holds.
#pragma once

#include "resource/display_surface.h"

namespace Vorn {
namespace Resource {

// A surface over pixels that already exist: a raw image's block or a PVR image's levels.
// Locking counts nothing; read-only levels refuse writing access.
class RawDisplaySurface : public DisplaySurface
{
public:
    RawDisplaySurface(const IImage* image, const void* data, UInt32 size, Enums::PixelFormat pixelFormat, UInt32 width,
                      UInt32 height, Bool withMipMaps);
    ~RawDisplaySurface() override;

    // Points a level at pixels the caller keeps alive; false for a level that does not exist.
    Bool SetLevel(UInt32 level, UInt8* pixels, UInt32 size, Bool readOnly);

    // Only the surface's own format and size: a surface of the same image without pixels.
    IDisplaySurface* Clone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height) const override;
    IDisplaySurface* Clone(Enums::PixelFormat pixelFormat) const override;
    IDisplaySurface* Clone() const override;
    UInt32 GetPitch(UInt32 level) const override;
    // The size given with the level's pixels.
    UInt32 GetSize(UInt32 level) const override;
    Bool Lock(UInt32 index) override;
    Bool Unlock() override;
    const void* GetPixels(UInt32 level) const override;
    void* GetPixels(UInt32 level) override;
    Bool IsLevelAvailable(UInt32 level) const override;
};

} // namespace Resource
} // namespace Vorn
