// The PNG image: a complete PNG file in a package, measured when the package is read and decoded
// into RGBA pixels by its surfaces on their first lock.
#pragma once

#include "resource/image.h"

namespace Vorn {
namespace Resource {

class PngImage : public Image
{
public:
    // Object creator. Declines bytes without the PNG signature or whose header libpng cannot
    // read; refuses, with one log line and failed set, a picture too large for a 32-bit pixel
    // block. The image keeps pointing into the bytes (releaseData cleared) and takes the extra
    // attributes through SetAttributes.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // The size in the file's header; false when the bytes are not a readable PNG file.
    static Bool ReadSize(const void* data, UInt32 size, UInt32* width, UInt32* height);
    // Decodes the whole file, interlaced or not, into width x height R, G, B, A pixels, rows
    // tightly packed. False (nothing logged) when libpng reports an error, the data ends early or
    // the header does not give that size.
    static Bool DecodePixels(const void* data, UInt32 size, UInt8* destination, UInt32 width, UInt32 height);

    PngImage(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount,
             UInt32 width, UInt32 height);
    ~PngImage() override;

    UInt32 GetWidth() const override;
    UInt32 GetHeight() const override;
    // R8_G8_B8_A8.
    Enums::PixelFormat GetPixelFormat() const override;
    UInt32 GetImageFormat() const override;
    // Any format (0 gives R8_G8_B8_A8) and size; the surface decodes on its first lock and
    // carries the matte when one is set.
    IDisplaySurface* CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                          UInt32 prescaleFactor, Bool withMipMaps) const override;
    // Image's, with the image's defaults.
    using Image::CreateDisplaySurface;

    // Also reads "matteColor" (its alpha then set to 1, so that a given colour always mattes)
    // and "matteThreshold".
    void SetAttributes(const IAttributes* attributes, Bool* error) override;

    const Float* GetMatteColor() const { return mMatteColor; }
    UInt32 GetMatteThreshold() const { return mMatteThreshold; }

private:
    UInt32 mWidth;
    UInt32 mHeight;
    Float mMatteColor[4];
    UInt32 mMatteThreshold;
};

} // namespace Resource
} // namespace Vorn
