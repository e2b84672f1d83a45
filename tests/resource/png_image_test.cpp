#include "resource/png_image.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/attributes.h"
#include "resource/display_surface.h"
#include "resource/png_display_surface.h"
#include "tests/support/exact_bytes.h"
#include "tests/support/image_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::Bytes;

namespace {

struct Created
{
    std::unique_ptr<IObject> object;
    Bool releaseData = true;
    Bool failed = false;
    PngImage* image() const { return dynamic_cast<PngImage*>(object.get()); }
};

// The image points into the file, which the caller keeps.
Created CreatePng(const Bytes& file, const IAttributes* attributes = nullptr)
{
    Created result;
    result.object.reset(PngImage::Create(attributes, "picture", file.data(), UInt32(file.size()), nullptr, 0,
                                         &result.releaseData, &result.failed));
    return result;
}

// Level 0 of a surface of the image in the format, or empty when the lock fails.
Bytes DecodeLevel0(const IImage& image, Enums::PixelFormat format)
{
    std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(format, 0, 0, 1, false));
    if (!surface || !surface->Lock(0))
        return Bytes();
    const UInt8* pixels = static_cast<const UInt8*>(static_cast<const IDisplaySurface&>(*surface).GetPixels(0));
    Bytes copy(pixels, pixels + surface->GetSize(0));
    surface->Unlock();
    return copy;
}

// Deterministic bytes that every sample layout accepts (palettes below have 256 entries).
Bytes MakeSamples(std::size_t count, UInt32 seed)
{
    Bytes samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        samples[i] = UInt8(seed >> 16);
    }
    return samples;
}

std::size_t RowBytes(UInt32 width, int colorType, int bitDepth)
{
    const int channels = colorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                         : colorType == PNG_COLOR_TYPE_RGB     ? 3
                         : colorType == PNG_COLOR_TYPE_GA      ? 2
                                                               : 1;
    return (std::size_t(width) * channels * bitDepth + 7) / 8;
}

std::vector<png_color> MakePalette()
{
    std::vector<png_color> palette(256);
    for (UInt32 i = 0; i < 256; ++i)
        palette[i] = png_color{UInt8(i), UInt8(255 - i), UInt8(i * 3)};
    return palette;
}

// A PNG header claiming the size, with an empty IDAT and IEND behind it.
Bytes MakeHeaderOnlyPng(UInt32 width, UInt32 height)
{
    Bytes file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto appendChunk = [&file](const char* type, const Bytes& payload) {
        const UInt32 length = UInt32(payload.size());
        for (int shift = 24; shift >= 0; shift -= 8)
            file.push_back(UInt8(length >> shift));
        Bytes body(type, type + 4);
        body.insert(body.end(), payload.begin(), payload.end());
        file.insert(file.end(), body.begin(), body.end());
        const uLong crc = crc32(0, body.data(), uInt(body.size()));
        for (int shift = 24; shift >= 0; shift -= 8)
            file.push_back(UInt8(crc >> shift));
    };
    Bytes header;
    for (UInt32 value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            header.push_back(UInt8(value >> shift));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    appendChunk("IHDR", header);
    appendChunk("IDAT", Bytes());
    appendChunk("IEND", Bytes());
    return file;
}

TEST(PngImageTest, RecognisesOnlyReadablePngFiles)
{
    const Bytes file = Testing::EncodeRgbaPng(5, 3, Testing::MakeRgbaPattern(5, 3));
    Created png = CreatePng(file);
    ASSERT_NE(png.image(), nullptr);
    EXPECT_FALSE(png.releaseData);
    EXPECT_EQ(png.image()->GetWidth(), 5u);
    EXPECT_EQ(png.image()->GetHeight(), 3u);
    EXPECT_EQ(png.image()->GetPixelFormat(), Enums::PixelFormat::R8_G8_B8_A8);
    EXPECT_EQ(png.image()->GetPreferredPixelFormat(), Enums::PixelFormat(0));
    EXPECT_EQ(png.image()->GetForcedPixelFormat(), Enums::PixelFormat(0));
    EXPECT_EQ(png.image()->GetImageFormat(), 3u);
    EXPECT_EQ(png.image()->GetOutputFormat(), UInt32(Enums::ImageFormat::PNG));

    const std::vector<Bytes> declined = {
        Bytes(file.begin(), file.begin() + 7), // too short for the signature
        Bytes(file.begin(), file.begin() + 20), // signature, header cut
        Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0},
    };
    for (const Bytes& bytes : declined) {
        Created result = CreatePng(bytes);
        EXPECT_EQ(result.object, nullptr);
        EXPECT_FALSE(result.failed);
        EXPECT_TRUE(result.releaseData);
    }
}

TEST(PngImageTest, DecodesEveryColourTypeAsAnIndependentDecoderDoes)
{
    struct Case
    {
        const char* name;
        int colorType;
        int bitDepth;
        bool interlaced;
        bool paletteAlpha;
        bool grayTransparent;
    };
    const Case cases[] = {
        {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false, false},
        {"rgb", PNG_COLOR_TYPE_RGB, 8, false, false, false},
        {"grey", PNG_COLOR_TYPE_GRAY, 8, false, false, false},
        {"grey 1 bit", PNG_COLOR_TYPE_GRAY, 1, false, false, false},
        {"grey 4 bit", PNG_COLOR_TYPE_GRAY, 4, false, false, false},
        {"grey with transparent value", PNG_COLOR_TYPE_GRAY, 8, false, false, true},
        {"grey alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false, false},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, false, false, false},
        {"palette with alpha", PNG_COLOR_TYPE_PALETTE, 8, false, true, false},
        {"palette 4 bit", PNG_COLOR_TYPE_PALETTE, 4, false, false, false},
        {"interlaced rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, false},
        {"interlaced palette with alpha", PNG_COLOR_TYPE_PALETTE, 8, true, true, false},
        {"interlaced grey 2 bit", PNG_COLOR_TYPE_GRAY, 2, true, false, false},
    };
    const UInt32 width = 37;
    const UInt32 height = 23;
    UInt32 seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Testing::PngLayout layout;
        layout.colorType = c.colorType;
        layout.bitDepth = c.bitDepth;
        layout.interlaced = c.interlaced;
        if (c.colorType == PNG_COLOR_TYPE_PALETTE)
            layout.palette = MakePalette();
        if (c.paletteAlpha)
            layout.transparency = MakeSamples(100, 77);
        if (c.grayTransparent) {
            layout.grayTransparent = true;
            layout.transparentColor.gray = 0x40;
        }
        Bytes samples = MakeSamples(RowBytes(width, c.colorType, c.bitDepth) * height, ++seed);
        if (c.grayTransparent)
            samples[5] = 0x40;
        if (c.colorType == PNG_COLOR_TYPE_PALETTE && c.bitDepth == 4)
            layout.palette.resize(16);
        const Bytes file = Testing::EncodePngFile(width, height, layout, samples);
        ASSERT_FALSE(file.empty());

        const Bytes expected = Testing::DecodePngIndependently(file);
        ASSERT_EQ(expected.size(), std::size_t(width) * height * 4);
        Created png = CreatePng(file);
        ASSERT_NE(png.image(), nullptr);
        EXPECT_EQ(DecodeLevel0(*png.image(), Enums::PixelFormat::R8_G8_B8_A8), expected);
    }
}

TEST(PngImageTest, SixteenBitSamplesKeepTheirHighByte)
{
    Testing::PngLayout layout;
    layout.colorType = PNG_COLOR_TYPE_RGB;
    layout.bitDepth = 16;
    // One pixel: red 0x12FF, green 0xAB00, blue 0x0180.
    const Bytes file = Testing::EncodePngFile(1, 1, layout, Bytes{0x12, 0xFF, 0xAB, 0x00, 0x01, 0x80});
    Created png = CreatePng(file);
    ASSERT_NE(png.image(), nullptr);
    EXPECT_EQ(DecodeLevel0(*png.image(), Enums::PixelFormat::R8_G8_B8_A8), (Bytes{0x12, 0xAB, 0x01, 0xFF}));
}

TEST(PngImageTest, SurfaceSizeFollowsPrescaleFactorAndDefaults)
{
    const Bytes file = Testing::EncodeRgbaPng(100, 60, Testing::MakeRgbaPattern(100, 60));
    Created png = CreatePng(file);
    ASSERT_NE(png.image(), nullptr);
    struct Case
    {
        UInt32 width, height, prescale, expectedWidth, expectedHeight;
    };
    const Case cases[] = {{0, 0, 1, 100, 60}, {0, 0, 3, 33, 20}, {0, 0, 200, 1, 1}, {50, 10, 2, 25, 5}, {0, 0, 0, 100, 60}};
    for (const Case& c : cases) {
        std::unique_ptr<IDisplaySurface> surface(
            png.image()->CreateDisplaySurface(Enums::PixelFormat(0), c.width, c.height, c.prescale, false));
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->GetWidth(0), c.expectedWidth);
        EXPECT_EQ(surface->GetHeight(0), c.expectedHeight);
        EXPECT_EQ(surface->GetPixelFormat(), Enums::PixelFormat::R8_G8_B8_A8);
    }
    std::unique_ptr<IDisplaySurface> shortForm(png.image()->CreateDisplaySurface(true));
    EXPECT_EQ(shortForm->GetWidth(0), 100u);
    EXPECT_EQ(shortForm->GetNumberOfMipLevels(), 7u);
}

TEST(PngImageTest, MatteColoursPixelsBelowTheThreshold)
{
    // Alphas 7, 8 and 255.
    const Bytes pixels = {10, 20, 30, 7, 40, 50, 60, 8, 70, 80, 90, 255};
    const Bytes file = Testing::EncodeRgbaPng(3, 1, pixels);
    struct Case
    {
        const char* name;
        std::vector<const char*> attributes;
        Bytes expected;
    };
    const Case cases[] = {
        {"no matte colour: no matting", {"matteThreshold", "100", nullptr}, pixels},
        {"black with alpha 0 still mattes", {"matteColor", "0,0,0,0", nullptr},
         Bytes{0, 0, 0, 0, 40, 50, 60, 8, 70, 80, 90, 255}},
        {"red with threshold 9", {"matteColor", "1,0,0", "matteThreshold", "9", nullptr},
         Bytes{255, 0, 0, 0, 255, 0, 0, 0, 70, 80, 90, 255}},
        {"threshold 0 turns it off", {"matteColor", "1,1,1", "matteThreshold", "0", nullptr}, pixels},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<const char*> list = c.attributes;
        Util::Attributes attributes(list.data());
        Created png = CreatePng(file, &attributes);
        ASSERT_NE(png.image(), nullptr);
        EXPECT_EQ(DecodeLevel0(*png.image(), Enums::PixelFormat::R8_G8_B8_A8), c.expected);
    }
}

TEST(PngImageTest, OutputFormatAttributeChoosesWhatThePackageStores)
{
    const Bytes file = Testing::EncodeRgbaPng(2, 2, Testing::MakeRgbaPattern(2, 2));
    struct Case
    {
        const char* value;
        Bool stored;
    };
    for (const Case& c : {Case{"JPG", false}, Case{"PNG", true}, Case{"NONE", true}, Case{"TIFF", true}}) {
        SCOPED_TRACE(c.value);
        const char* list[] = {"outputFormat", c.value, nullptr};
        Util::Attributes attributes(list);
        Created png = CreatePng(file, &attributes);
        ASSERT_NE(png.image(), nullptr);
        Data native;
        EXPECT_EQ(png.image()->GetNativeData(native), c.stored);
        if (c.stored) {
            EXPECT_EQ(Bytes(native.GetData(), native.GetData() + native.GetSize()), file);
        }
    }
}

TEST(PngImageTest, RefusesPicturesTooLargeForAPixelBlock)
{
    Created fits = CreatePng(MakeHeaderOnlyPng(30000, 30000));
    ASSERT_NE(fits.image(), nullptr);

    ::testing::internal::CaptureStderr();
    Created huge = CreatePng(MakeHeaderOnlyPng(70000, 70000));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(huge.object, nullptr);
    EXPECT_TRUE(huge.failed);
    EXPECT_EQ(log, "Resource::PngImage::Create(): Image 'picture' of 70000 x 70000 pixels is too large\n");
}

TEST(PngImageTest, FailedFirstLockLeavesTheSurfaceUnlocked)
{
    Bytes file = Testing::EncodeRgbaPng(64, 64, MakeSamples(64 * 64 * 4, 9));
    file.resize(file.size() / 2);
    Created png = CreatePng(file);
    ASSERT_NE(png.image(), nullptr);
    std::unique_ptr<IDisplaySurface> surface(
        png.image()->CreateDisplaySurface(Enums::PixelFormat::R8_G8_B8_A8, 0, 0, 1, true));
    for (int attempt = 0; attempt < 2; ++attempt) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(surface->Lock(0));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "Resource::DisplaySurface::Decode(): Failed decoding base level\n");
        EXPECT_EQ(static_cast<PngDisplaySurface&>(*surface).GetLockCount(), 0u);
        for (UInt32 level = 0; level < surface->GetNumberOfMipLevels(); ++level)
            EXPECT_EQ(surface->GetPixels(level), nullptr);
    }
    EXPECT_FALSE(surface->Unlock());
}

TEST(PngImageTest, DamagedFilesAreDeclinedOrFailToLockButNeverReadOutOfBounds)
{
    const Bytes original = Testing::EncodeRgbaPng(16, 16, Testing::MakeRgbaPattern(16, 16), true);
    UInt32 created = 0;
    auto tryFile = [&created](Testing::ExactBytes& bytes) {
        Bool releaseData = true;
        Bool failed = false;
        std::unique_ptr<IObject> object(
            PngImage::Create(nullptr, "damaged", bytes.Get(), bytes.GetSize(), nullptr, 0, &releaseData, &failed));
        EXPECT_FALSE(failed);
        if (!object)
            return;
        const PngImage& image = dynamic_cast<const PngImage&>(*object);
        std::unique_ptr<IDisplaySurface> surface(
            image.CreateDisplaySurface(Enums::PixelFormat::R5_G6_B5, 0, 0, 1, true));
        ++created;
        if (surface->Lock(0))
            surface->Unlock();
        EXPECT_EQ(static_cast<PngDisplaySurface&>(*surface).GetLockCount(), 0u);
    };
    ::testing::internal::CaptureStderr();
    Testing::ForEachDamagedCopy(original, 7, 5, tryFile);
    ::testing::internal::GetCapturedStderr();
    // Damage behind the header reaches the decoder.
    EXPECT_GT(created, 100u);
}

} // namespace
