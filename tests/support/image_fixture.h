// Image files for tests: PNG files written with libpng in any colour type, depth and interlace,
// JPEG files written with libjpeg, PVR headers, and libpng's simplified reader as a second decoder
// to hold the engine's pixels against.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "foundation/types.h"

namespace Vorn {
namespace Testing {

typedef std::vector<UInt8> Bytes;

namespace Detail {

inline void AppendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    Bytes* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline void FlushNothing(png_structp) {}

} // namespace Detail

struct PngLayout
{
    int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    Bytes transparency; // tRNS: alphas of palette entries
    bool grayTransparent = false;
    png_color_16 transparentColor = {};
};

// A PNG file of rows given in the file's own sample layout (rowBytes bytes each, 16-bit samples
// big-endian). Empty when libpng refuses.
inline Bytes EncodePngFile(UInt32 width, UInt32 height, const PngLayout& layout, const Bytes& samples)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Bytes();
    }
    png_set_write_fn(png, &out, &Detail::AppendPngBytes, &Detail::FlushNothing);
    png_set_IHDR(png, info, width, height, layout.bitDepth, layout.colorType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.transparency.empty())
        png_set_tRNS(png, info, layout.transparency.data(), int(layout.transparency.size()), nullptr);
    if (layout.grayTransparent)
        png_set_tRNS(png, info, nullptr, 0, &layout.transparentColor);
    png_write_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_bytep> rows(height);
    for (UInt32 y = 0; y < height; ++y)
        rows[y] = const_cast<png_bytep>(samples.data() + y * rowBytes);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

inline Bytes EncodeRgbaPng(UInt32 width, UInt32 height, const Bytes& rgba, bool interlaced = false)
{
    PngLayout layout;
    layout.interlaced = interlaced;
    return EncodePngFile(width, height, layout, rgba);
}

// An opaque PNG whose pixel (x, y) has the colour 0xRRGGBB that colour(x, y) gives.
template <typename Colour>
inline Bytes EncodeColourPng(UInt32 width, UInt32 height, Colour colour)
{
    Bytes rgba(std::size_t(width) * height * 4);
    for (UInt32 y = 0; y < height; ++y) {
        for (UInt32 x = 0; x < width; ++x) {
            const UInt32 value = colour(x, y);
            UInt8* pixel = &rgba[(std::size_t(y) * width + x) * 4];
            pixel[0] = UInt8(value >> 16);
            pixel[1] = UInt8(value >> 8);
            pixel[2] = UInt8(value);
            pixel[3] = 255;
        }
    }
    return EncodeRgbaPng(width, height, rgba);
}

// Pixels whose every channel differs from its neighbours', so that swapped channels, rows or
// columns show.
inline Bytes MakeRgbaPattern(UInt32 width, UInt32 height)
{
    Bytes pixels(std::size_t(width) * height * 4);
    for (UInt32 y = 0; y < height; ++y) {
        for (UInt32 x = 0; x < width; ++x) {
            UInt8* pixel = &pixels[(std::size_t(y) * width + x) * 4];
            pixel[0] = UInt8(x * 7 + y * 3);
            pixel[1] = UInt8(y * 11 + 5);
            pixel[2] = UInt8(x * 13 + 100);
            pixel[3] = UInt8(255 - ((x + y) * 5));
        }
    }
    return pixels;
}

// The file as libpng's simplified reader gives it in R, G, B, A bytes; empty when it refuses.
inline Bytes DecodePngIndependently(const Bytes& file, UInt32* width = nullptr, UInt32* height = nullptr)
{
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return Bytes();
    image.format = PNG_FORMAT_RGBA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return Bytes();
    }
    if (width != nullptr)
        *width = image.width;
    if (height != nullptr)
        *height = image.height;
    return pixels;
}

namespace Detail {

struct JpegErrors
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

inline void JumpOnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

} // namespace Detail

// A baseline JPEG file of 3 (RGB) or 1 (grey) components per pixel; empty when libjpeg refuses.
inline Bytes EncodeJpegFile(UInt32 width, UInt32 height, int components, const Bytes& pixels, int quality = 95)
{
    jpeg_compress_struct info;
    Detail::JpegErrors errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &Detail::JumpOnJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return Bytes();
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + std::size_t(info.next_scanline) * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// A PVR file header followed by dataSize bytes of texels numbered from 0.
inline Bytes MakePvrFile(UInt32 width, UInt32 height, UInt32 mipMapCount, UInt32 flags, UInt32 dataSize,
                         UInt32 announcedDataSize)
{
    Bytes file(52 + std::size_t(dataSize));
    const UInt32 fields[] = {52, height, width, mipMapCount, flags, announcedDataSize};
    for (UInt32 i = 0; i < 6; ++i) {
        for (UInt32 b = 0; b < 4; ++b)
            file[i * 4 + b] = UInt8(fields[i] >> (8 * b));
    }
    std::memcpy(&file[44], "PVR!", 4);
    for (UInt32 i = 0; i < dataSize; ++i)
        file[52 + i] = UInt8(i);
    return file;
}

} // namespace Testing
} // namespace Vorn
