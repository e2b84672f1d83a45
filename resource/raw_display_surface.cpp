#include "resource/raw_display_surface.h"

namespace Vorn {
namespace Resource {

RawDisplaySurface::RawDisplaySurface(const IImage* image, const void* data, UInt32 size,
                                     Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height, Bool withMipMaps)
    : DisplaySurface(image, data, size, pixelFormat, width, height, withMipMaps)
{
}

RawDisplaySurface::~RawDisplaySurface() = default;

Bool RawDisplaySurface::SetLevel(UInt32 level, UInt8* pixels, UInt32 size, Bool readOnly)
{
    if (level >= mLevelCount)
        return false;
    mLevels[level].pixels = pixels;
    mLevels[level].size = size;
    mLevels[level].readOnly = readOnly;
    return true;
}

IDisplaySurface* RawDisplaySurface::Clone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height) const
{
    if (pixelFormat != mPixelFormat || width != mWidth || height != mHeight)
        return nullptr;
    return Clone();
}

IDisplaySurface* RawDisplaySurface::Clone(Enums::PixelFormat pixelFormat) const
{
    return Clone(pixelFormat, mWidth, mHeight);
}

IDisplaySurface* RawDisplaySurface::Clone() const
{
    return new RawDisplaySurface(mImage, mData, mSize, mPixelFormat, mWidth, mHeight, HasMipMaps());
}

UInt32 RawDisplaySurface::GetPitch(UInt32 level) const
{
    return GetLevelPitch(level);
}

UInt32 RawDisplaySurface::GetSize(UInt32 level) const
{
    return level < mLevelCount ? mLevels[level].size : 0;
}

Bool RawDisplaySurface::Lock(UInt32)
{
    return true;
}

Bool RawDisplaySurface::Unlock()
{
    return true;
}

const void* RawDisplaySurface::GetPixels(UInt32 level) const
{
    return level < mLevelCount ? mLevels[level].pixels : nullptr;
}

void* RawDisplaySurface::GetPixels(UInt32 level)
{
    return level < mLevelCount && !mLevels[level].readOnly ? mLevels[level].pixels : nullptr;
}

Bool RawDisplaySurface::IsLevelAvailable(UInt32 level) const
{
    return level < mLevelCount && !mLevels[level].readOnly;
}

} // namespace Resource
} // namespace Vorn
