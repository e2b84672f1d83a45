#include "resource/display_surface.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "foundation/debug.h"
#include "foundation/format_size.h"
#include "foundation/image_filter.h"
#include "resource/image.h"
#include "resource/pixel_format_conversion.h"

namespace Vorn {
namespace Resource {

namespace {

// A pixel block; null when the size does not fit 32 bits or memory runs out (both logged).
UInt8* AllocatePixels(UInt64 size)
{
    if (size > UINT32_MAX) {
        Debug::Trace("Resource::DisplaySurface::Decode(): Pixel block of %llu bytes is too large",
                     static_cast<unsigned long long>(size));
        return nullptr;
    }
    UInt8* block = new (std::nothrow) UInt8[size > 0 ? size : 1];
    if (block == nullptr)
        Debug::Trace("Resource::DisplaySurface::Decode(): Out of memory for %llu bytes",
                     static_cast<unsigned long long>(size));
    return block;
}

typedef std::unique_ptr<UInt8[]> PixelBlock;

Bool IsUncompressedFormat(Enums::PixelFormat format)
{
    return UInt32(format) >= UInt32(Enums::PixelFormat::L8) && UInt32(format) <= UInt32(Enums::PixelFormat::R4_G4_B4_A4);
}

} // namespace

DisplaySurface::DisplaySurface(const IImage* image, const void* data, UInt32 size, Enums::PixelFormat pixelFormat,
                               UInt32 width, UInt32 height, Bool withMipMaps)
    : mImage(image), mData(data), mSize(size), mPixelFormat(pixelFormat), mWidth(width), mHeight(height),
      mLevelCount(0)
{
    if (width == 0 || height == 0)
        return;
    mLevelCount = 1;
    if (withMipMaps) {
        for (UInt32 w = width, h = height; w > 1 || h > 1; ++mLevelCount) {
            w = w / 2 > 0 ? w / 2 : 1;
            h = h / 2 > 0 ? h / 2 : 1;
        }
    }
    mLevels.reset(new Level[mLevelCount]);
    UInt32 w = width;
    UInt32 h = height;
    for (UInt32 i = 0; i < mLevelCount; ++i) {
        mLevels[i] = Level{nullptr, 0, w, h, true};
        w = w / 2 > 0 ? w / 2 : 1;
        h = h / 2 > 0 ? h / 2 : 1;
    }
}

DisplaySurface::~DisplaySurface() = default;

UInt32 DisplaySurface::GetWidth(UInt32 level) const
{
    return level < mLevelCount ? mLevels[level].width : 0;
}

UInt32 DisplaySurface::GetHeight(UInt32 level) const
{
    return level < mLevelCount ? mLevels[level].height : 0;
}

UInt32 DisplaySurface::GetNumberOfFaces() const
{
    return 1;
}

UInt32 DisplaySurface::GetNumberOfMipLevels() const
{
    return mLevelCount;
}

UInt32 DisplaySurface::GetBytesPerPixel() const
{
    return Util::GetBytesPerPixel(mPixelFormat);
}

Enums::PixelFormat DisplaySurface::GetPixelFormat() const
{
    return mPixelFormat;
}

Bool DisplaySurface::IsLevelModified(UInt32) const
{
    return false;
}

Bool DisplaySurface::IsModified() const
{
    return false;
}

const void* DisplaySurface::GetPixelsAt(UInt32, UInt32, UInt32, UInt32*) const
{
    return nullptr;
}

UInt32 DisplaySurface::GetLevelPitch(UInt32 level) const
{
    return level < mLevelCount ? mLevels[level].width * GetBytesPerPixel() : 0;
}

UInt64 DisplaySurface::GetLevelBytes(UInt32 level) const
{
    if (level >= mLevelCount)
        return 0;
    return UInt64(mLevels[level].width) * mLevels[level].height * GetBytesPerPixel();
}

void DisplaySurface::FreeLevelPixels()
{
    for (UInt32 i = 0; i < mLevelCount; ++i) {
        delete[] mLevels[i].pixels;
        mLevels[i].pixels = nullptr;
    }
}

Bool DisplaySurface::DecodeBaseLevel(UInt8*)
{
    return false;
}

Bool DisplaySurface::Convert(const UInt8* source, UInt8* target, Enums::PixelFormat targetFormat,
                             UInt32 pixelsPerRow, Enums::PixelFormat sourceFormat, UInt32 rowCount)
{
    const UInt64 sourcePitch = UInt64(Util::GetBytesPerPixel(sourceFormat)) * pixelsPerRow;
    if (sourceFormat == targetFormat) {
        std::memcpy(target, source, std::size_t(sourcePitch * rowCount));
        return true;
    }
    const PixelRowConverter converter = FindPixelRowConverter(sourceFormat, targetFormat);
    if (converter == nullptr) {
        Debug::Trace("Resource::DisplaySurface::Convert(): Failed; cannot convert from pixel format %d to %d",
                     int(sourceFormat), int(targetFormat));
        return false;
    }
    const UInt64 targetPitch = UInt64(Util::GetBytesPerPixel(targetFormat)) * pixelsPerRow;
    for (UInt32 row = 0; row < rowCount; ++row) {
        converter(source, target, pixelsPerRow);
        source += sourcePitch;
        target += targetPitch;
    }
    return true;
}

Bool DisplaySurface::Decode()
{
    if (mLevelCount == 0)
        return true;
    const Enums::PixelFormat sourceFormat = mImage != nullptr ? mImage->GetPixelFormat() : Enums::PixelFormat(0);
    const UInt32 sourceBytesPerPixel = Util::GetBytesPerPixel(sourceFormat);
    const UInt32 imageWidth = mImage != nullptr ? mImage->GetWidth() : 0;
    const UInt32 imageHeight = mImage != nullptr ? mImage->GetHeight() : 0;
    if (sourceBytesPerPixel == 0 || imageWidth == 0 || imageHeight == 0) {
        Debug::Trace("Resource::DisplaySurface::Decode(): Failed decoding base level");
        return false;
    }
    const UInt64 imageBytes = UInt64(imageWidth) * imageHeight * sourceBytesPerPixel;
    const Bool sameSize = imageWidth == mWidth && imageHeight == mHeight;
    Util::BoxScaler scaler;

    // The image's own pixels at the surface's size, in the image's format, into target.
    auto decodeAtSurfaceSize = [&](UInt8* target) -> Bool {
        if (sameSize) {
            if (!DecodeBaseLevel(target)) {
                Debug::Trace("Resource::DisplaySurface::Decode(): Failed decoding base level");
                return false;
            }
            return true;
        }
        PixelBlock image(AllocatePixels(imageBytes));
        if (!image || !DecodeBaseLevel(image.get())) {
            Debug::Trace("Resource::DisplaySurface::Decode(): Failed decoding base level");
            return false;
        }
        Util::ScaleImage(scaler, image.get(), target, imageWidth, imageHeight, imageWidth * sourceBytesPerPixel,
                         mWidth, mHeight, sourceBytesPerPixel);
        return true;
    };
    // Gives a level its block at its size in the surface format.
    auto allocateLevel = [&](UInt32 level) -> Bool {
        mLevels[level].size = UInt32(GetLevelBytes(level));
        mLevels[level].pixels = AllocatePixels(GetLevelBytes(level));
        return mLevels[level].pixels != nullptr;
    };

    if (sourceFormat == mPixelFormat) {
        if (!allocateLevel(0) || !decodeAtSurfaceSize(mLevels[0].pixels))
            return false;
        for (UInt32 i = 1; i < mLevelCount; ++i) {
            const Level& previous = mLevels[i - 1];
            if (!allocateLevel(i))
                return false;
            Util::ScaleImage(scaler, previous.pixels, mLevels[i].pixels, previous.width, previous.height,
                             previous.width * sourceBytesPerPixel, mLevels[i].width, mLevels[i].height,
                             sourceBytesPerPixel);
        }
        return true;
    }

    // Every level is scaled from pixels in the image's format and converted once, so that no
    // level inherits the rounding of a narrower format.
    const UInt64 workBytes = UInt64(mWidth) * mHeight * sourceBytesPerPixel;
    PixelBlock work[2] = {PixelBlock(AllocatePixels(workBytes)), PixelBlock(AllocatePixels(workBytes))};
    if (!work[0] || !work[1] || !allocateLevel(0) || !decodeAtSurfaceSize(work[0].get()))
        return false;
    UInt32 current = 0;
    for (UInt32 i = 0; i < mLevelCount; ++i) {
        Level& level = mLevels[i];
        if (i > 0) {
            const Level& previous = mLevels[i - 1];
            if (!allocateLevel(i))
                return false;
            Util::ScaleImage(scaler, work[current].get(), work[1 - current].get(), previous.width, previous.height,
                             previous.width * sourceBytesPerPixel, level.width, level.height, sourceBytesPerPixel);
            current = 1 - current;
        }
        if (!Convert(work[current].get(), level.pixels, mPixelFormat, level.width, sourceFormat, level.height)) {
            Debug::Trace("Resource::DisplaySurface::Decode(): Failed to convert base level to pixel format %d",
                         int(mPixelFormat));
            return false;
        }
    }
    return true;
}

// Decoding surfaces.

DecodingDisplaySurface::DecodingDisplaySurface(const IImage* image, const void* data, UInt32 size,
                                               Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                               Bool withMipMaps)
    : DisplaySurface(image, data, size, pixelFormat, width, height, withMipMaps), mLockCount(0)
{
}

DecodingDisplaySurface::~DecodingDisplaySurface()
{
    FreeLevelPixels();
}

IDisplaySurface* DecodingDisplaySurface::Clone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height) const
{
    if (!IsUncompressedFormat(mPixelFormat)) {
        Debug::Trace("%s::Clone(): Cannot convert from pixel format %d", GetClassName(), int(mPixelFormat));
        return nullptr;
    }
    if (!IsUncompressedFormat(pixelFormat)) {
        Debug::Trace("%s::Clone(): Cannot convert to pixel format %d", GetClassName(), int(pixelFormat));
        return nullptr;
    }
    return CreateClone(pixelFormat, width, height, HasMipMaps());
}

IDisplaySurface* DecodingDisplaySurface::Clone(Enums::PixelFormat pixelFormat) const
{
    return Clone(pixelFormat, mWidth, mHeight);
}

IDisplaySurface* DecodingDisplaySurface::Clone() const
{
    return Clone(mPixelFormat, mWidth, mHeight);
}

UInt32 DecodingDisplaySurface::GetPitch(UInt32 level) const
{
    return GetLevelPitch(level);
}

UInt32 DecodingDisplaySurface::GetSize(UInt32 level) const
{
    return UInt32(GetLevelBytes(level));
}

Bool DecodingDisplaySurface::Lock(UInt32 index)
{
    if (index != 0)
        return false;
    if (mLockCount == 0 && !Decode()) {
        // Nothing half-decoded stays behind, and the next lock tries again.
        FreeLevelPixels();
        return false;
    }
    ++mLockCount;
    return true;
}

Bool DecodingDisplaySurface::Unlock()
{
    if (mLockCount == 0)
        return false;
    if (--mLockCount == 0)
        FreeLevelPixels();
    return true;
}

const void* DecodingDisplaySurface::GetPixels(UInt32 level) const
{
    return level < mLevelCount ? mLevels[level].pixels : nullptr;
}

void* DecodingDisplaySurface::GetPixels(UInt32 level)
{
    return level < mLevelCount ? mLevels[level].pixels : nullptr;
}

Bool DecodingDisplaySurface::IsLevelAvailable(UInt32) const
{
    return true;
}

} // namespace Resource
} // namespace Vorn
