// Image resources: PNG, JPEG, PVR and raw pixels, from which textures create their display surfaces.
// An image knows its size and formats; its pixels come from the surfaces it hands out, which PNG
// and JPEG surfaces decode on their first lock. Every image reader derives from Resource::Image.
#pragma once

#include "foundation/data.h"
#include "foundation/enums.h"
#include "resource/object.h"

namespace Vorn {

class IDisplaySurface;

namespace Resource {

class IImage
{
public:
    // Values of GetImageFormat.
    static constexpr UInt32 kRawFormat = 1;
    static constexpr UInt32 kJpgFormat = 2;
    static constexpr UInt32 kPngFormat = 3;
    static constexpr UInt32 kPvrFormat = 4;

    virtual UInt32 GetWidth() const = 0;
    virtual UInt32 GetHeight() const = 0;
    // The format in which the image delivers its own pixels.
    virtual Enums::PixelFormat GetPixelFormat() const = 0;
    // The format a texture takes when it asks for none; 0 leaves the choice to the renderer.
    virtual Enums::PixelFormat GetPreferredPixelFormat() const = 0;
    // A format that overrides whatever the texture asks for; 0 for none.
    virtual Enums::PixelFormat GetForcedPixelFormat() const = 0;
    virtual UInt32 GetImageFormat() const = 0;
    // A new surface of the image, owned by the caller, or null for a combination the image cannot
    // give. Format 0 and size 0 stand for the image's defaults; a prescale factor above 1 divides
    // both sides (never below 1). The image must outlive the surface.
    virtual IDisplaySurface* CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                                  UInt32 prescaleFactor, Bool withMipMaps) const = 0;
    // The same in the image's defaults with prescale factor 1.
    virtual IDisplaySurface* CreateDisplaySurface(Bool withMipMaps) const = 0;
    // A copy of the bytes the image was made from (empty when there are none).
    virtual Bool GetOriginalData(Data& out) const = 0;
    // The image as a PNG file; false when no RGBA surface can be made, locked or encoded.
    virtual Bool EncodePng(Data& out) const = 0;
    // Always false: no image type encodes JPEG.
    virtual Bool EncodeJpg(Data& out) const = 0;
    virtual ~IImage() {}
};

class Image : public Object, public IImage
{
public:
    Image(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Image() override;

    // An image with no pixels: the readers give the real answers.
    UInt32 GetWidth() const override;
    UInt32 GetHeight() const override;
    Enums::PixelFormat GetPixelFormat() const override;
    // 0, textures choose: also the answer of the decoding readers (PNG, JPEG).
    Enums::PixelFormat GetPreferredPixelFormat() const override;
    Enums::PixelFormat GetForcedPixelFormat() const override;
    UInt32 GetImageFormat() const override;
    IDisplaySurface* CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                          UInt32 prescaleFactor, Bool withMipMaps) const override;
    // The surface above with format 0, size 0 and prescale factor 1.
    IDisplaySurface* CreateDisplaySurface(Bool withMipMaps) const override;

    // EncodeJpg (which fails) when the output format is JPG, else the original bytes.
    Bool GetNativeData(Data& data) const override;
    // Reads "outputFormat" (an Enums::ImageFormat name).
    void SetAttributes(const IAttributes* attributes, Bool* error) override;
    Bool GetOriginalData(Data& out) const override;
    Bool EncodePng(Data& out) const override;
    Bool EncodeJpg(Data& out) const override;

    // The Enums::ImageFormat in which a package writer stores the image; 0 until set.
    UInt32 GetOutputFormat() const { return mOutputFormat; }
    void SetOutputFormat(UInt32 format) { mOutputFormat = format; }

protected:
    // Surface size for a decoding image: 0 stands for the image's own side, and a prescale factor
    // above 1 divides both sides, neither below 1.
    static void ResolveSurfaceSize(UInt32 imageWidth, UInt32 imageHeight, UInt32 prescaleFactor, UInt32& width,
                                   UInt32& height);

    UInt32 mOutputFormat;
};

} // namespace Resource
} // namespace Vorn
