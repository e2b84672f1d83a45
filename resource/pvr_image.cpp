#include "resource/pvr_image.h"

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "resource/raw_display_surface.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kHeaderSize = 52;
constexpr UInt32 kHeightOffset = 4;
constexpr UInt32 kWidthOffset = 8;
constexpr UInt32 kMipMapCountOffset = 12;
constexpr UInt32 kFlagsOffset = 16;
constexpr UInt32 kDataSizeOffset = 20;
constexpr UInt32 kTagOffset = 44;
constexpr UInt8 kTag[4] = {'P', 'V', 'R', '!'};

constexpr UInt32 kPixelTypeMask = 0xFF;
constexpr UInt32 kAlphaFlag = 0x8000;
constexpr UInt32 kBytesPerBlock = 8;
constexpr UInt32 kMinimumBlocks = 2;

struct PixelTypeRow
{
    UInt32 pixelType;
    Bool alpha;
    Enums::PixelFormat format;
};

constexpr PixelTypeRow kPixelTypes[] = {
    {25, false, Enums::PixelFormat::RGB_PVRTC_4BPPV1},
    {25, true, Enums::PixelFormat::RGBA_PVRTC_4BPPV1},
    {24, false, Enums::PixelFormat::RGB_PVRTC_2BPPV1},
    {24, true, Enums::PixelFormat::RGBA_PVRTC_2BPPV1},
};

using Util::ReadLittleEndian32;
Bool IsTwoBitFormat(Enums::PixelFormat format)
{
    return format == Enums::PixelFormat::RGB_PVRTC_2BPPV1 || format == Enums::PixelFormat::RGBA_PVRTC_2BPPV1;
}

} // namespace

IObject* PvrImage::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    const UInt8* bytes = static_cast<const UInt8*>(data);
    if (bytes == nullptr || size < kHeaderSize)
        return nullptr;
    for (UInt32 i = 0; i < 4; ++i) {
        if (bytes[kTagOffset + i] != kTag[i])
            return nullptr;
    }
    if (ReadLittleEndian32(bytes) != kHeaderSize)
        return nullptr;

    const UInt32 dataSize = ReadLittleEndian32(bytes + kDataSizeOffset);
    if (UInt64(dataSize) + kHeaderSize != size) {
        Debug::Trace("Resource::PvrImage::Create(): Data size %u of '%s' does not match its file size %u", dataSize,
                     id.GetText(), size);
        if (failed != nullptr)
            *failed = true;
        return nullptr;
    }
    const UInt32 flags = ReadLittleEndian32(bytes + kFlagsOffset);
    const PixelTypeRow* type = nullptr;
    for (const PixelTypeRow& row : kPixelTypes) {
        if (row.pixelType == (flags & kPixelTypeMask) && row.alpha == ((flags & kAlphaFlag) != 0))
            type = &row;
    }
    if (type == nullptr) {
        Debug::Trace("Resource::PvrImage::Create(): Pixel type %u of '%s' is not PVRTC", flags & kPixelTypeMask,
                     id.GetText());
        if (failed != nullptr)
            *failed = true;
        return nullptr;
    }

    PvrImage* image = new PvrImage(id, data, size, conditions, conditionCount,
                                   ReadLittleEndian32(bytes + kWidthOffset), ReadLittleEndian32(bytes + kHeightOffset),
                                   type->format);
    if (!image->BuildLevels(UInt64(ReadLittleEndian32(bytes + kMipMapCountOffset)) + 1, dataSize)) {
        delete image;
        if (failed != nullptr)
            *failed = true;
        return nullptr;
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return image;
}

PvrImage::PvrImage(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                   UInt32 conditionCount, UInt32 width, UInt32 height, Enums::PixelFormat pixelFormat)
    : Image(id, data, size, conditions, conditionCount), mWidth(width), mHeight(height), mPixelFormat(pixelFormat)
{
}

PvrImage::~PvrImage() = default;

Bool PvrImage::BuildLevels(UInt64 announcedLevels, UInt32 dataSize)
{
    const UInt8* texels = static_cast<const UInt8*>(mData) + kHeaderSize;
    const UInt32 pixelsPerBlockAcross = IsTwoBitFormat(mPixelFormat) ? 8 : 4;
    UInt32 width = mWidth;
    UInt32 height = mHeight;
    UInt64 offset = 0;
    for (UInt32 index = 0; offset < dataSize || index == 0; ++index) {
        if (index >= announcedLevels) {
            Debug::Trace("Resource::PvrImage::Create(): '%s' holds more than its %llu levels", mId.GetText(),
                         static_cast<unsigned long long>(announcedLevels));
            return false;
        }
        UInt64 blocksAcross = width / pixelsPerBlockAcross;
        UInt64 blocksDown = height / 4;
        if (blocksAcross < kMinimumBlocks)
            blocksAcross = kMinimumBlocks;
        if (blocksDown < kMinimumBlocks)
            blocksDown = kMinimumBlocks;
        const UInt64 levelSize = kBytesPerBlock * blocksAcross * blocksDown;
        if (offset + levelSize > dataSize) {
            Debug::Trace("Resource::PvrImage::Create(): Level %u of '%s' runs past the end of its data", index,
                         mId.GetText());
            return false;
        }
        mLevels.Add(Level{index, UInt32(levelSize), texels + offset});
        offset += levelSize;
        width = width / 2 > 0 ? width / 2 : 1;
        height = height / 2 > 0 ? height / 2 : 1;
    }
    return true;
}

const PvrImage::Level* PvrImage::GetLevel(UInt32 index) const
{
    return index < GetNumberOfLevels() ? &mLevels[SInt32(index)] : nullptr;
}

UInt32 PvrImage::GetWidth() const
{
    return mWidth;
}

UInt32 PvrImage::GetHeight() const
{
    return mHeight;
}

Enums::PixelFormat PvrImage::GetPixelFormat() const
{
    return mPixelFormat;
}

Enums::PixelFormat PvrImage::GetPreferredPixelFormat() const
{
    return mPixelFormat;
}

Enums::PixelFormat PvrImage::GetForcedPixelFormat() const
{
    return mPixelFormat;
}

UInt32 PvrImage::GetImageFormat() const
{
    return kPvrFormat;
}

IDisplaySurface* PvrImage::CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height, UInt32,
                                                Bool withMipMaps) const
{
    if (pixelFormat != mPixelFormat || (width != 0 && width != mWidth) || (height != 0 && height != mHeight))
        return nullptr;
    RawDisplaySurface* surface = new RawDisplaySurface(this, mData, mSize, mPixelFormat, mWidth, mHeight, withMipMaps);
    // The renderer only reads these levels; the bytes belong to the package.
    for (const Level& level : mLevels)
        surface->SetLevel(level.index, const_cast<UInt8*>(level.pixels), level.size, true);
    return surface;
}

IDisplaySurface* PvrImage::CreateDisplaySurface(Bool withMipMaps) const
{
    return CreateDisplaySurface(mPixelFormat, mWidth, mHeight, 1, withMipMaps);
}

} // namespace Resource
} // namespace Vorn
