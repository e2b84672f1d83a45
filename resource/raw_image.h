// The raw image: RGBA pixels made in memory (a screenshot), with no source file. The renderer
// fills the pixels through a surface; EncodePng then turns them into a PNG file.
#pragma once

#include <memory>

#include "resource/image.h"

namespace Vorn {
namespace Resource {

class RawImage : public Image
{
public:
    // An image of that size with no id, no data and no conditions; its pixel block is made by the
    // first surface.
    RawImage(UInt32 width, UInt32 height);
    ~RawImage() override;

    UInt32 GetWidth() const override;
    UInt32 GetHeight() const override;
    // R8_G8_B8_A8 for all three.
    Enums::PixelFormat GetPixelFormat() const override;
    Enums::PixelFormat GetPreferredPixelFormat() const override;
    Enums::PixelFormat GetForcedPixelFormat() const override;
    UInt32 GetImageFormat() const override;
    // Only R8_G8_B8_A8 at the image's size (0 is the same) without mip maps: a surface of one
    // writable level over the image's pixel block, which every surface of the image shares. The
    // first call makes the block (contents undefined); null when it cannot be made.
    IDisplaySurface* CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                          UInt32 prescaleFactor, Bool withMipMaps) const override;
    IDisplaySurface* CreateDisplaySurface(Bool withMipMaps) const override;

    UInt32 GetPitch() const { return mPitch; }

private:
    Enums::PixelFormat mPixelFormat;
    UInt32 mWidth;
    UInt32 mHeight;
    UInt32 mPitch;
    mutable std::unique_ptr<UInt8[]> mPixels;
};

} // namespace Resource
} // namespace Vorn
