#include "resource/png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "resource/png_display_surface.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kSignatureSize = 8;
constexpr UInt32 kBytesPerPixel = 4;
constexpr UInt32 kDefaultMatteThreshold = 8;

struct PngReadSource
{
    const UInt8* data;
    UInt32 size;
    UInt32 position;
};

void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// Warnings concern data libpng repairs or skips; the picture still decodes.
void OnPngWarning(png_structp, png_const_charp) {}

// A file that ends early is an error, not a picture finished from stale bytes.
void ReadFromSource(png_structp png, png_bytep out, png_size_t length)
{
    PngReadSource* source = static_cast<PngReadSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position)
        png_error(png, "Read past the end of the data");
    std::memcpy(out, source->data + source->position, length);
    source->position += UInt32(length);
}

} // namespace

// libpng reports errors by a long jump back into these two functions, so nothing on their frames
// may need destruction.

Bool PngImage::ReadSize(const void* data, UInt32 size, UInt32* width, UInt32* height)
{
    PngReadSource source = {static_cast<const UInt8*>(data), size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, &OnPngWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, &ReadFromSource);
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

Bool PngImage::DecodePixels(const void* data, UInt32 size, UInt8* destination, UInt32 width, UInt32 height)
{
    PngReadSource source = {static_cast<const UInt8*>(data), size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, &OnPngWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, &ReadFromSource);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height)
        png_error(png, "Size differs from the image's");

    // Every colour type and depth arrives as 8-bit R, G, B, A.
    const int bitDepth = png_get_bit_depth(png, info);
    const int colorType = png_get_color_type(png, info);
    const Bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (bitDepth < 8)
        png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (hasTransparency)
        png_set_tRNS_to_alpha(png);
    if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTransparency)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    // Interlaced files deliver every row once per pass; libpng merges the passes into the row.
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t pitch = std::size_t(width) * kBytesPerPixel;
    if (png_get_rowbytes(png, info) != pitch)
        png_error(png, "Rows do not come out as RGBA");

    for (int pass = 0; pass < passes; ++pass) {
        for (UInt32 y = 0; y < height; ++y)
            png_read_row(png, destination + y * pitch, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

IObject* PngImage::Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    if (data == nullptr || size < kSignatureSize ||
        png_sig_cmp(static_cast<png_const_bytep>(data), 0, kSignatureSize) != 0)
        return nullptr;
    UInt32 width = 0;
    UInt32 height = 0;
    if (!ReadSize(data, size, &width, &height))
        return nullptr;
    if (UInt64(width) * height * kBytesPerPixel > UINT32_MAX) {
        Debug::Trace("Resource::PngImage::Create(): Image '%s' of %u x %u pixels is too large", id.GetText(), width,
                     height);
        if (failed != nullptr)
            *failed = true;
        return nullptr;
    }
    PngImage* image = new PngImage(id, data, size, conditions, conditionCount, width, height);
    image->SetOutputFormat(UInt32(Enums::ImageFormat::PNG));
    if (attributes != nullptr) {
        Bool error = false;
        image->SetAttributes(attributes, &error);
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return image;
}

PngImage::PngImage(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                   UInt32 conditionCount, UInt32 width, UInt32 height)
    : Image(id, data, size, conditions, conditionCount), mWidth(width), mHeight(height),
      mMatteColor{0.0f, 0.0f, 0.0f, 0.0f}, mMatteThreshold(kDefaultMatteThreshold)
{
}

PngImage::~PngImage() = default;

UInt32 PngImage::GetWidth() const
{
    return mWidth;
}

UInt32 PngImage::GetHeight() const
{
    return mHeight;
}

Enums::PixelFormat PngImage::GetPixelFormat() const
{
    return Enums::PixelFormat::R8_G8_B8_A8;
}

UInt32 PngImage::GetImageFormat() const
{
    return kPngFormat;
}

IDisplaySurface* PngImage::CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                                UInt32 prescaleFactor, Bool withMipMaps) const
{
    ResolveSurfaceSize(mWidth, mHeight, prescaleFactor, width, height);
    if (pixelFormat == Enums::PixelFormat(0))
        pixelFormat = Enums::PixelFormat::R8_G8_B8_A8;
    PngDisplaySurface* surface = new PngDisplaySurface(this, mData, mSize, pixelFormat, width, height, withMipMaps);
    if (mMatteColor[3] > 0.0f && mMatteThreshold != 0)
        surface->SetMatte(mMatteColor, mMatteThreshold);
    return surface;
}

void PngImage::SetAttributes(const IAttributes* attributes, Bool* error)
{
    Image::SetAttributes(attributes, error);
    if (attributes == nullptr)
        return;
    Bool localError = false;
    Bool* errorFlag = error != nullptr ? error : &localError;
    Color color;
    if (attributes->GetValue(nullptr, "matteColor", &color, errorFlag)) {
        mMatteColor[0] = color.red;
        mMatteColor[1] = color.green;
        mMatteColor[2] = color.blue;
        mMatteColor[3] = 1.0f;
    }
    attributes->GetValue(nullptr, "matteThreshold", &mMatteThreshold, errorFlag);
}

} // namespace Resource
} // namespace Vorn
