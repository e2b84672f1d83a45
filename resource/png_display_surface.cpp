#include "resource/png_display_surface.h"

#include "foundation/math.h"
#include "resource/image.h"
#include "resource/png_image.h"

namespace Vorn {
namespace Resource {

PngDisplaySurface::PngDisplaySurface(const IImage* image, const void* data, UInt32 size,
                                     Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height, Bool withMipMaps)
    : DecodingDisplaySurface(image, data, size, pixelFormat, width, height, withMipMaps), mMatteColor(0),
      mMatteThreshold(0)
{
}

PngDisplaySurface::~PngDisplaySurface() = default;

Bool PngDisplaySurface::DecodeBaseLevel(UInt8* destination)
{
    if (mImage == nullptr)
        return false;
    const UInt32 width = mImage->GetWidth();
    const UInt32 height = mImage->GetHeight();
    if (!PngImage::DecodePixels(mData, mSize, destination, width, height))
        return false;
    if (mMatteColor != 0 && mMatteThreshold != 0) {
        const UInt8 red = UInt8(mMatteColor);
        const UInt8 green = UInt8(mMatteColor >> 8);
        const UInt8 blue = UInt8(mMatteColor >> 16);
        UInt8* pixel = destination;
        for (UInt64 i = UInt64(width) * height; i > 0; --i, pixel += 4) {
            if (pixel[3] < mMatteThreshold) {
                pixel[0] = red;
                pixel[1] = green;
                pixel[2] = blue;
                pixel[3] = 0;
            }
        }
    }
    return true;
}

void PngDisplaySurface::SetMatte(const Float color[4], UInt32 threshold)
{
    mMatteColor = Util::ColorToUInt32(color);
    mMatteThreshold = threshold;
}

DecodingDisplaySurface* PngDisplaySurface::CreateClone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                                       Bool withMipMaps) const
{
    return new PngDisplaySurface(mImage, mData, mSize, pixelFormat, width, height, withMipMaps);
}

const char* PngDisplaySurface::GetClassName() const
{
    return "Resource::PngDisplaySurface";
}

} // namespace Resource
} // namespace Vorn
