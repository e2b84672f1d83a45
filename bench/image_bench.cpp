// Decoding a 2048 x 2048 PNG file into RGBA and a 2048 x 2048 JPEG file into RGB through the
// engine's image surfaces (create the surface, first lock, last unlock), side by side with plain
// libpng and libjpeg decoding the same bytes into the same format. The engine should stay within
// a few percent of the plain libraries: the work is theirs, the surfaces add one allocation.
#include <benchmark/benchmark.h>

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "resource/display_surface.h"
#include "resource/jpg_image.h"
#include "resource/package.h"
#include "resource/png_image.h"
#include "tests/support/image_fixture.h"

using namespace Vorn;
using Testing::Bytes;

namespace {

constexpr UInt32 kSize = 2048;

// A photograph-like picture: smooth gradients with some grain, so that neither codec has an
// unusually easy time.
Bytes MakePicture(UInt32 channels)
{
    Bytes pixels(std::size_t(kSize) * kSize * channels);
    UInt32 seed = 12345;
    for (UInt32 y = 0; y < kSize; ++y) {
        for (UInt32 x = 0; x < kSize; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 29) - 4;
            UInt8* pixel = &pixels[(std::size_t(y) * kSize + x) * channels];
            const int values[4] = {int(x / 8) + grain, int(y / 8) + grain, int((x + y) / 16) + grain,
                                   255 - int(x / 16)};
            for (UInt32 c = 0; c < channels; ++c)
                pixel[c] = UInt8(values[c] < 0 ? 0 : values[c] > 255 ? 255 : values[c]);
        }
    }
    return pixels;
}

const Bytes& GetPngFile()
{
    static const Bytes file = Testing::EncodeRgbaPng(kSize, kSize, MakePicture(4));
    return file;
}

const Bytes& GetJpegFile()
{
    static const Bytes file = Testing::EncodeJpegFile(kSize, kSize, 3, MakePicture(3), 90);
    return file;
}

std::unique_ptr<Resource::IObject> CreateImage(Resource::ObjectCreator creator, const Bytes& file)
{
    Bool releaseData = true;
    Bool failed = false;
    return std::unique_ptr<Resource::IObject>(
        creator(nullptr, "bench", file.data(), UInt32(file.size()), nullptr, 0, &releaseData, &failed));
}

// Decodes through a surface in the image's own format and size; false when the lock fails.
Bool DecodeThroughEngine(const Resource::IImage& image, Enums::PixelFormat format)
{
    std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(format, 0, 0, 1, false));
    if (!surface->Lock(0))
        return false;
    benchmark::DoNotOptimize(surface->GetPixels(0));
    surface->Unlock();
    return true;
}

// Plain libpng: the same transforms into an RGBA block.
struct PngSource
{
    const UInt8* data;
    std::size_t size;
    std::size_t position;
};

void ReadPng(png_structp png, png_bytep out, png_size_t length)
{
    PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position)
        png_error(png, "short");
    std::memcpy(out, source->data + source->position, length);
    source->position += length;
}

Bool DecodePngPlainly(const Bytes& file)
{
    PngSource source = {file.data(), file.size(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    UInt8* pixels = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::free(pixels);
        return false;
    }
    png_set_read_fn(png, &source, &ReadPng);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (png_get_bit_depth(png, info) == 16)
        png_set_strip_16(png);
    png_set_palette_to_rgb(png);
    png_set_gray_to_rgb(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    pixels = static_cast<UInt8*>(std::malloc(std::size_t(width) * height * 4));
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, pixels + std::size_t(y) * width * 4, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels);
    std::free(pixels);
    return true;
}

// Plain libjpeg: RGB scanlines into one block.
struct JpegErrors
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

Bool DecodeJpegPlainly(const Bytes& file)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &JumpOnError;
    UInt8* pixels = nullptr;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const std::size_t pitch = std::size_t(info.output_width) * info.output_components;
    pixels = static_cast<UInt8*>(std::malloc(pitch * info.output_height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + info.output_scanline * pitch;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(pixels);
    std::free(pixels);
    return true;
}

void BM_PngEngine(benchmark::State& state)
{
    std::unique_ptr<Resource::IObject> image = CreateImage(&Resource::PngImage::Create, GetPngFile());
    const Resource::IImage& png = dynamic_cast<const Resource::IImage&>(*image);
    for (auto _ : state) {
        if (!DecodeThroughEngine(png, Enums::PixelFormat::R8_G8_B8_A8))
            state.SkipWithError("engine failed to decode the PNG file");
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * kSize * kSize * 4);
}

void BM_PngLibpng(benchmark::State& state)
{
    for (auto _ : state) {
        if (!DecodePngPlainly(GetPngFile()))
            state.SkipWithError("libpng failed to decode the PNG file");
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * kSize * kSize * 4);
}

void BM_JpegEngine(benchmark::State& state)
{
    std::unique_ptr<Resource::IObject> image = CreateImage(&Resource::JpgImage::Create, GetJpegFile());
    const Resource::IImage& jpg = dynamic_cast<const Resource::IImage&>(*image);
    for (auto _ : state) {
        if (!DecodeThroughEngine(jpg, Enums::PixelFormat::R8_G8_B8))
            state.SkipWithError("engine failed to decode the JPEG file");
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * kSize * kSize * 3);
}

void BM_JpegLibjpeg(benchmark::State& state)
{
    for (auto _ : state) {
        if (!DecodeJpegPlainly(GetJpegFile()))
            state.SkipWithError("libjpeg failed to decode the JPEG file");
    }
    state.SetBytesProcessed(SInt64(state.iterations()) * kSize * kSize * 3);
}

// Reading the header only, as a package does for every image when it loads.
void BM_PngCreate(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CreateImage(&Resource::PngImage::Create, GetPngFile()));
}

void BM_JpegCreate(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CreateImage(&Resource::JpgImage::Create, GetJpegFile()));
}

} // namespace

BENCHMARK(BM_PngEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLibpng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegLibjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngCreate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JpegCreate)->Unit(benchmark::kMicrosecond);
