#include "resource/raw_image.h"

#include <cstdint>
#include <new>

#include "foundation/debug.h"
#include "resource/raw_display_surface.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kBytesPerPixel = 4;

} // namespace

RawImage::RawImage(UInt32 width, UInt32 height)
    : Image(String(), nullptr, 0, nullptr, 0), mPixelFormat(Enums::PixelFormat::R8_G8_B8_A8), mWidth(width),
      mHeight(height), mPitch(width * kBytesPerPixel)
{
}

RawImage::~RawImage() = default;

UInt32 RawImage::GetWidth() const
{
    return mWidth;
}

UInt32 RawImage::GetHeight() const
{
    return mHeight;
}

Enums::PixelFormat RawImage::GetPixelFormat() const
{
    return mPixelFormat;
}

Enums::PixelFormat RawImage::GetPreferredPixelFormat() const
{
    return mPixelFormat;
}

Enums::PixelFormat RawImage::GetForcedPixelFormat() const
{
    return mPixelFormat;
}

UInt32 RawImage::GetImageFormat() const
{
    return kRawFormat;
}

IDisplaySurface* RawImage::CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height, UInt32,
                                                Bool withMipMaps) const
{
    if (pixelFormat != mPixelFormat || withMipMaps || (width != 0 && width != mWidth) ||
        (height != 0 && height != mHeight))
        return nullptr;
    const UInt64 size = UInt64(mWidth) * mHeight * kBytesPerPixel;
    if (size > UINT32_MAX) {
        Debug::Trace("Resource::RawImage::CreateDisplaySurface(): Image of %u x %u pixels is too large", mWidth,
                     mHeight);
        return nullptr;
    }
    if (!mPixels && size > 0) {
        mPixels.reset(new (std::nothrow) UInt8[size]);
        if (!mPixels) {
            Debug::Trace("Resource::RawImage::CreateDisplaySurface(): Out of memory for %u x %u pixels", mWidth,
                         mHeight);
            return nullptr;
        }
    }
    RawDisplaySurface* surface = new RawDisplaySurface(this, nullptr, 0, mPixelFormat, mWidth, mHeight, false);
    surface->SetLevel(0, mPixels.get(), UInt32(size), false);
    return surface;
}

IDisplaySurface* RawImage::CreateDisplaySurface(Bool withMipMaps) const
{
    return CreateDisplaySurface(mPixelFormat, mWidth, mHeight, 1, withMipMaps);
}

} // namespace Resource
} // namespace Vorn
