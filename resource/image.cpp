#include "resource/image.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "resource/display_surface.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr std::size_t kFirstWriteCapacity = 65536;

// The PNG file as libpng writes it; the block comes from malloc.
struct PngWriteBuffer
{
    UInt8* bytes;
    std::size_t size;
    std::size_t capacity;
};

void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void WriteToBuffer(png_structp png, png_bytep bytes, png_size_t length)
{
    PngWriteBuffer* buffer = static_cast<PngWriteBuffer*>(png_get_io_ptr(png));
    if (length > UINT32_MAX - buffer->size)
        png_error(png, "PNG file too large");
    if (buffer->size + length > buffer->capacity) {
        std::size_t capacity = buffer->capacity != 0 ? buffer->capacity : kFirstWriteCapacity;
        while (capacity < buffer->size + length)
            capacity *= 2;
        UInt8* grown = static_cast<UInt8*>(std::malloc(capacity));
        if (grown == nullptr)
            png_error(png, "Out of memory");
        if (buffer->size > 0)
            std::memcpy(grown, buffer->bytes, buffer->size);
        std::free(buffer->bytes);
        buffer->bytes = grown;
        buffer->capacity = capacity;
    }
    std::memcpy(buffer->bytes + buffer->size, bytes, length);
    buffer->size += length;
}

// The buffer needs no flushing (libpng's own flush would take it for a stdio file).
void FlushBuffer(png_structp) {}

// Writes the RGBA rows as a PNG file into the buffer. libpng reports errors by a long jump back
// here, so nothing on this frame may need destruction.
Bool WritePngFile(const UInt8* pixels, UInt32 width, UInt32 height, UInt32 pitch, PngWriteBuffer* buffer)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, &OnPngWarning);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, buffer, &WriteToBuffer, &FlushBuffer);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (UInt32 y = 0; y < height; ++y)
        png_write_row(png, pixels + std::size_t(y) * pitch);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

Image::Image(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : Object(id, data, size, conditions, conditionCount), mOutputFormat(0)
{
}

Image::~Image() = default;

UInt32 Image::GetWidth() const
{
    return 0;
}

UInt32 Image::GetHeight() const
{
    return 0;
}

Enums::PixelFormat Image::GetPixelFormat() const
{
    return Enums::PixelFormat(0);
}

Enums::PixelFormat Image::GetPreferredPixelFormat() const
{
    return Enums::PixelFormat(0);
}

Enums::PixelFormat Image::GetForcedPixelFormat() const
{
    return Enums::PixelFormat(0);
}

UInt32 Image::GetImageFormat() const
{
    return 0;
}

IDisplaySurface* Image::CreateDisplaySurface(Enums::PixelFormat, UInt32, UInt32, UInt32, Bool) const
{
    return nullptr;
}

IDisplaySurface* Image::CreateDisplaySurface(Bool withMipMaps) const
{
    return CreateDisplaySurface(Enums::PixelFormat(0), 0, 0, 1, withMipMaps);
}

Bool Image::GetNativeData(Data& data) const
{
    if (mOutputFormat == UInt32(Enums::ImageFormat::JPG))
        return EncodeJpg(data);
    return GetOriginalData(data);
}

void Image::SetAttributes(const IAttributes* attributes, Bool* error)
{
    if (attributes == nullptr)
        return;
    Bool localError = false;
    UInt32 format = 0;
    if (Util::GetEnumValue(*attributes, "outputFormat", nullptr, error != nullptr ? error : &localError,
                           Enums::GetImageFormatTable(), format) &&
        format != 0)
        mOutputFormat = format;
}

Bool Image::GetOriginalData(Data& out) const
{
    return CopyNativeData(out);
}

Bool Image::EncodePng(Data& out) const
{
    std::unique_ptr<IDisplaySurface> surface(
        CreateDisplaySurface(Enums::PixelFormat::R8_G8_B8_A8, GetWidth(), GetHeight(), 1, false));
    if (!surface)
        return false;
    if (!surface->Lock(0)) {
        Debug::Trace("Resource::Image::EncodePng(): Failed to lock the surface of image '%s'", mId.GetText());
        return false;
    }
    const IDisplaySurface& lockedSurface = *surface;
    const UInt8* pixels = static_cast<const UInt8*>(lockedSurface.GetPixels(0));
    PngWriteBuffer buffer = {nullptr, 0, 0};
    const Bool written = pixels != nullptr && WritePngFile(pixels, surface->GetWidth(0), surface->GetHeight(0),
                                                           surface->GetPitch(0), &buffer);
    surface->Unlock();
    if (written) {
        out.Release();
        if (buffer.size > 0)
            out.Assign(buffer.bytes, UInt32(buffer.size));
    } else {
        Debug::Trace("Resource::Image::EncodePng(): Failed to encode image '%s'", mId.GetText());
    }
    std::free(buffer.bytes);
    return written;
}

void Image::ResolveSurfaceSize(UInt32 imageWidth, UInt32 imageHeight, UInt32 prescaleFactor, UInt32& width,
                               UInt32& height)
{
    if (width == 0)
        width = imageWidth;
    if (height == 0)
        height = imageHeight;
    if (prescaleFactor > 1) {
        width = width / prescaleFactor > 0 ? width / prescaleFactor : 1;
        height = height / prescaleFactor > 0 ? height / prescaleFactor : 1;
    }
}

Bool Image::EncodeJpg(Data&) const
{
    return false;
}

} // namespace Resource
} // namespace Vorn
