#include "resource/jpg_display_surface.h"

#include "resource/image.h"
#include "resource/jpg_image.h"

namespace Vorn {
namespace Resource {

JpgDisplaySurface::JpgDisplaySurface(const IImage* image, const void* data, UInt32 size,
                                     Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height, Bool withMipMaps)
    : DecodingDisplaySurface(image, data, size, pixelFormat, width, height, withMipMaps)
{
}

JpgDisplaySurface::~JpgDisplaySurface() = default;

Bool JpgDisplaySurface::DecodeBaseLevel(UInt8* destination)
{
    if (mImage == nullptr)
        return false;
    return JpgImage::DecodePixels(mData, mSize, destination, mImage->GetWidth(), mImage->GetHeight());
}

DecodingDisplaySurface* JpgDisplaySurface::CreateClone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                                       Bool withMipMaps) const
{
    return new JpgDisplaySurface(mImage, mData, mSize, pixelFormat, width, height, withMipMaps);
}

const char* JpgDisplaySurface::GetClassName() const
{
    return "Resource::JpgDisplaySurface";
}

} // namespace Resource
} // namespace Vorn
