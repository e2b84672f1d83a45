#include "resource/jpg_image.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "foundation/debug.h"
#include "resource/jpg_display_surface.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kBytesPerPixel = 3;
constexpr UInt32 kRowBatch = 16;

// libjpeg's standard error manager, with fatal errors jumping back to the caller and messages
// kept off the log.
struct JpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr) {}

void SetUpErrors(jpeg_decompress_struct& info, JpegErrorManager& errors)
{
    std::memset(&info, 0, sizeof(info));
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &OnJpegError;
    errors.base.output_message = &OnJpegMessage;
}

} // namespace

// libjpeg reports fatal errors by a long jump back into these two functions, so nothing on their
// frames may need destruction.

Bool JpgImage::ReadSize(const void* data, UInt32 size, UInt32* width, UInt32* height)
{
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    SetUpErrors(info, errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, static_cast<unsigned char*>(const_cast<void*>(data)), size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // The output layout without starting decompression, which for progressive files would read
    // the whole picture.
    jpeg_calc_output_dimensions(&info);
    const Bool colour = info.output_components == int(kBytesPerPixel);
    *width = info.output_width;
    *height = info.output_height;
    jpeg_destroy_decompress(&info);
    return colour;
}

Bool JpgImage::DecodePixels(const void* data, UInt32 size, UInt8* destination, UInt32 width, UInt32 height)
{
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    SetUpErrors(info, errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, static_cast<unsigned char*>(const_cast<void*>(data)), size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    if (info.output_components != int(kBytesPerPixel) || info.output_width != width ||
        info.output_height != height) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Rows go straight into the destination, several per call.
    const std::size_t pitch = std::size_t(width) * kBytesPerPixel;
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[kRowBatch];
        const UInt32 count =
            info.output_height - info.output_scanline < kRowBatch ? info.output_height - info.output_scanline : kRowBatch;
        for (UInt32 i = 0; i < count; ++i)
            rows[i] = destination + (info.output_scanline + i) * pitch;
        if (jpeg_read_scanlines(&info, rows, count) == 0) {
            jpeg_destroy_decompress(&info);
            return false;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

IObject* JpgImage::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    if (data == nullptr || size == 0)
        return nullptr;
    UInt32 width = 0;
    UInt32 height = 0;
    if (!ReadSize(data, size, &width, &height))
        return nullptr;
    if (UInt64(width) * height * kBytesPerPixel > UINT32_MAX) {
        Debug::Trace("Resource::JpgImage::Create(): Image '%s' of %u x %u pixels is too large", id.GetText(), width,
                     height);
        if (failed != nullptr)
            *failed = true;
        return nullptr;
    }
    JpgImage* image = new JpgImage(id, data, size, conditions, conditionCount, width, height);
    if (releaseData != nullptr)
        *releaseData = false;
    return image;
}

JpgImage::JpgImage(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                   UInt32 conditionCount, UInt32 width, UInt32 height)
    : Image(id, data, size, conditions, conditionCount), mWidth(width), mHeight(height)
{
}

JpgImage::~JpgImage() = default;

UInt32 JpgImage::GetWidth() const
{
    return mWidth;
}

UInt32 JpgImage::GetHeight() const
{
    return mHeight;
}

Enums::PixelFormat JpgImage::GetPixelFormat() const
{
    return Enums::PixelFormat::R8_G8_B8;
}

UInt32 JpgImage::GetImageFormat() const
{
    return kJpgFormat;
}

IDisplaySurface* JpgImage::CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                                UInt32 prescaleFactor, Bool withMipMaps) const
{
    ResolveSurfaceSize(mWidth, mHeight, prescaleFactor, width, height);
    if (pixelFormat == Enums::PixelFormat(0))
        pixelFormat = Enums::PixelFormat::R8_G8_B8;
    return new JpgDisplaySurface(this, mData, mSize, pixelFormat, width, height, withMipMaps);
}

} // namespace Resource
} // namespace Vorn
