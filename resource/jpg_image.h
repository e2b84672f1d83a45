// The JPEG image: a complete colour JPEG file in a package, measured when the package is read and
// decoded into RGB pixels by its surfaces on their first lock.
#pragma once

#include "resource/image.h"

namespace Vorn {
namespace Resource {

class JpgImage : public Image
{
public:
    // Object creator. Declines bytes that libjpeg cannot read a complete header from and files
    // that do not decode to three colour components (grey-scale and CMYK files); refuses, with one
    // log line and failed set, a picture too large for a 32-bit pixel block. The image keeps
    // pointing into the bytes (releaseData cleared); attributes are not used.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // The output size of a colour JPEG file; false when the bytes are not one.
    static Bool ReadSize(const void* data, UInt32 size, UInt32* width, UInt32* height);
    // Decodes the whole file into width x height R, G, B pixels, rows tightly packed. False
    // (nothing logged) when libjpeg reports an error or the file does not give that size.
    static Bool DecodePixels(const void* data, UInt32 size, UInt8* destination, UInt32 width, UInt32 height);

    JpgImage(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount,
             UInt32 width, UInt32 height);
    ~JpgImage() override;

    UInt32 GetWidth() const override;
    UInt32 GetHeight() const override;
    // R8_G8_B8.
    Enums::PixelFormat GetPixelFormat() const override;
    UInt32 GetImageFormat() const override;
    // Any format (0 gives R8_G8_B8) and size; the surface decodes on its first lock.
    IDisplaySurface* CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                          UInt32 prescaleFactor, Bool withMipMaps) const override;
    // Image's, with the image's defaults.
    using Image::CreateDisplaySurface;

private:
    UInt32 mWidth;
    UInt32 mHeight;
};

} // namespace Resource
} // namespace Vorn
