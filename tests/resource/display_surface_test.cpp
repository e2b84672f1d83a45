#include "resource/display_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/format_size.h"
#include "resource/jpg_image.h"
#include "resource/png_display_surface.h"
#include "resource/png_image.h"
#include "resource/raw_display_surface.h"
#include "resource/raw_image.h"
#include "tests/support/image_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Enums::PixelFormat;
using Testing::Bytes;

namespace {

Bytes Convert(const Bytes& source, PixelFormat from, PixelFormat to, UInt32 pixels)
{
    Bytes target(std::size_t(pixels) * 4 + 1, 0xEE);
    EXPECT_TRUE(DisplaySurface::Convert(source.data(), target.data(), to, pixels, from, 1));
    return target;
}

Bytes Level(const IDisplaySurface& surface, UInt32 level)
{
    const UInt8* pixels = static_cast<const UInt8*>(surface.GetPixels(level));
    return pixels != nullptr ? Bytes(pixels, pixels + surface.GetSize(level)) : Bytes();
}

struct OwnedImage
{
    Bytes file;
    std::unique_ptr<IObject> object;
    const IImage& image() const { return dynamic_cast<const IImage&>(*object); }
};

OwnedImage MakePng(UInt32 width, UInt32 height)
{
    OwnedImage result;
    result.file = Testing::EncodeRgbaPng(width, height, Testing::MakeRgbaPattern(width, height));
    Bool releaseData = true;
    Bool failed = false;
    result.object.reset(PngImage::Create(nullptr, "png", result.file.data(), UInt32(result.file.size()), nullptr, 0,
                                         &releaseData, &failed));
    return result;
}

OwnedImage MakeJpg(UInt32 width, UInt32 height)
{
    OwnedImage result;
    Bytes rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = UInt8(i * 5);
    result.file = Testing::EncodeJpegFile(width, height, 3, rgb);
    Bool releaseData = true;
    Bool failed = false;
    result.object.reset(JpgImage::Create(nullptr, "jpg", result.file.data(), UInt32(result.file.size()), nullptr, 0,
                                         &releaseData, &failed));
    return result;
}

TEST(DisplaySurfaceTest, ConvertsEveryPairOfTheTable)
{
    struct Case
    {
        const char* name;
        PixelFormat from;
        PixelFormat to;
        Bytes source;
        Bytes expected;
    };
    const Case cases[] = {
        {"RGBA to 5551, alpha below half", PixelFormat::R8_G8_B8_A8, PixelFormat::R5_G5_B5_A1, {255, 128, 64, 127}, {0x10, 0xFC}},
        {"RGBA to 5551, alpha from half", PixelFormat::R8_G8_B8_A8, PixelFormat::R5_G5_B5_A1, {255, 128, 64, 128}, {0x11, 0xFC}},
        {"RGBA to 565", PixelFormat::R8_G8_B8_A8, PixelFormat::R5_G6_B5, {255, 128, 64, 127}, {0x08, 0xFC}},
        {"RGBA to RGB", PixelFormat::R8_G8_B8_A8, PixelFormat::R8_G8_B8, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 5, 6, 7}},
        {"RGB to RGBA", PixelFormat::R8_G8_B8, PixelFormat::R8_G8_B8_A8, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 255, 4, 5, 6, 255}},
        {"RGB to 5551", PixelFormat::R8_G8_B8, PixelFormat::R5_G5_B5_A1, {255, 128, 64}, {0x11, 0xFC}},
        {"5551 white", PixelFormat::R5_G5_B5_A1, PixelFormat::R8_G8_B8_A8, {0xFF, 0xFF}, {255, 255, 255, 255}},
        {"5551 low bits", PixelFormat::R5_G5_B5_A1, PixelFormat::R8_G8_B8_A8, {0x42, 0x08}, {8, 8, 8, 0}},
        {"565 white", PixelFormat::R5_G6_B5, PixelFormat::R8_G8_B8_A8, {0xFF, 0xFF}, {255, 255, 255, 255}},
        {"565 black is opaque", PixelFormat::R5_G6_B5, PixelFormat::R8_G8_B8_A8, {0x00, 0x00}, {0, 0, 0, 255}},
        {"565 middle", PixelFormat::R5_G6_B5, PixelFormat::R8_G8_B8_A8, {0x10, 0x84}, {132, 130, 132, 255}},
        {"same format copies", PixelFormat::L8_A8, PixelFormat::L8_A8, {9, 8, 7, 6}, {9, 8, 7, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UInt32 pixels = UInt32(c.source.size() / Util::GetBytesPerPixel(c.from));
        Bytes converted = Convert(c.source, c.from, c.to, pixels);
        EXPECT_EQ(Bytes(converted.begin(), converted.begin() + c.expected.size()), c.expected);
        EXPECT_EQ(converted[c.expected.size()], 0xEE) << "wrote past the row";
    }
}

TEST(DisplaySurfaceTest, RefusesPairsWithoutConverter)
{
    const PixelFormat pairs[][2] = {{PixelFormat::R8_G8_B8, PixelFormat::L8},
                                    {PixelFormat::R8_G8_B8_A8, PixelFormat::R4_G4_B4_A4},
                                    {PixelFormat::L8, PixelFormat::R8_G8_B8_A8},
                                    {PixelFormat::R8_G8_B8_A8, PixelFormat::RGB_PVRTC_4BPPV1}};
    Bytes source(16), target(16);
    for (const auto& pair : pairs) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(DisplaySurface::Convert(source.data(), target.data(), pair[1], 2, pair[0], 1));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "Resource::DisplaySurface::Convert(): Failed; cannot convert from pixel format " +
                      std::to_string(int(pair[0])) + " to " + std::to_string(int(pair[1])) + "\n");
    }
}

TEST(DisplaySurfaceTest, MipLevelsHalveUntilBothSidesAreOne)
{
    RawDisplaySurface surface(nullptr, nullptr, 0, PixelFormat::R8_G8_B8_A8, 256, 64, true);
    ASSERT_EQ(surface.GetNumberOfMipLevels(), 9u);
    const UInt32 widths[] = {256, 128, 64, 32, 16, 8, 4, 2, 1};
    const UInt32 heights[] = {64, 32, 16, 8, 4, 2, 1, 1, 1};
    for (UInt32 i = 0; i < 9; ++i) {
        EXPECT_EQ(surface.GetWidth(i), widths[i]);
        EXPECT_EQ(surface.GetHeight(i), heights[i]);
        EXPECT_EQ(surface.GetPitch(i), widths[i] * 4);
    }
    EXPECT_EQ(surface.GetWidth(9), 0u);
    EXPECT_EQ(surface.GetPixels(9), nullptr);
    EXPECT_EQ(surface.GetNumberOfFaces(), 1u);
    EXPECT_FALSE(surface.IsModified());

    RawDisplaySurface single(nullptr, nullptr, 0, PixelFormat::R5_G6_B5, 256, 64, false);
    EXPECT_EQ(single.GetNumberOfMipLevels(), 1u);
    EXPECT_EQ(single.GetBytesPerPixel(), 2u);
    RawDisplaySurface empty(nullptr, nullptr, 0, PixelFormat::R8_G8_B8_A8, 0, 64, true);
    EXPECT_EQ(empty.GetNumberOfMipLevels(), 0u);
}

TEST(DisplaySurfaceTest, LocksAreCountedAndTheLastUnlockFreesThePixels)
{
    OwnedImage png = MakePng(16, 8);
    std::unique_ptr<IDisplaySurface> surface(png.image().CreateDisplaySurface(PixelFormat(0), 0, 0, 1, true));
    EXPECT_FALSE(surface->Lock(1));
    EXPECT_EQ(surface->GetPixels(0), nullptr);

    ASSERT_TRUE(surface->Lock(0));
    const void* decoded = surface->GetPixels(0);
    ASSERT_NE(decoded, nullptr);
    EXPECT_TRUE(surface->Lock(0));
    EXPECT_EQ(surface->GetPixels(0), decoded) << "the second lock decoded again";
    EXPECT_TRUE(surface->IsLevelAvailable(3));

    EXPECT_TRUE(surface->Unlock());
    EXPECT_NE(surface->GetPixels(0), nullptr);
    EXPECT_TRUE(surface->Unlock());
    for (UInt32 level = 0; level < surface->GetNumberOfMipLevels(); ++level)
        EXPECT_EQ(surface->GetPixels(level), nullptr);
    EXPECT_FALSE(surface->Unlock());

    // A surface destroyed while locked frees its pixels (the sanitizer would report a leak).
    ASSERT_TRUE(surface->Lock(0));
}

TEST(DisplaySurfaceTest, RefusesLevelsPastThirtyTwoBitSizes)
{
    OwnedImage png = MakePng(4, 4);
    std::unique_ptr<IDisplaySurface> surface(
        png.image().CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 70000, 70000, 1, true));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(surface->Lock(0));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::DisplaySurface::Decode(): Pixel block of 19600000000 bytes is too large\n");
    EXPECT_EQ(surface->GetPixels(0), nullptr);
    EXPECT_FALSE(surface->Unlock());
}

TEST(DisplaySurfaceTest, ScalesToTheSurfaceSizeBeforeConverting)
{
    const Bytes pixels = {0, 0, 0, 255, 100, 100, 100, 255, 200, 0, 0, 255, 0, 200, 0, 255,
                          20, 40, 60, 255, 0, 0, 0, 255, 0, 0, 200, 0, 200, 0, 0, 255};
    const Bytes file = Testing::EncodeRgbaPng(4, 2, pixels);
    Bool releaseData = true, failed = false;
    std::unique_ptr<IObject> object(
        PngImage::Create(nullptr, "png", file.data(), UInt32(file.size()), nullptr, 0, &releaseData, &failed));
    const IImage& image = dynamic_cast<const IImage&>(*object);

    std::unique_ptr<IDisplaySurface> half(image.CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 2, 1, 1, false));
    ASSERT_TRUE(half->Lock(0));
    EXPECT_EQ(Level(*half, 0), (Bytes{30, 35, 40, 255, 100, 50, 50, 191}));
    half->Unlock();
}

TEST(DisplaySurfaceTest, EveryMipLevelIsScaledInTheImageFormatAndConvertedOnce)
{
    OwnedImage png = MakePng(64, 64);
    std::unique_ptr<IDisplaySurface> rgba(png.image().CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 0, 0, 1, true));
    std::unique_ptr<IDisplaySurface> packed(png.image().CreateDisplaySurface(PixelFormat::R5_G6_B5, 0, 0, 1, true));
    ASSERT_TRUE(rgba->Lock(0));
    ASSERT_TRUE(packed->Lock(0));
    ASSERT_EQ(packed->GetNumberOfMipLevels(), 7u);
    EXPECT_EQ(packed->GetBytesPerPixel(), 2u);
    for (UInt32 level = 0; level < 7; ++level) {
        SCOPED_TRACE(level);
        const UInt32 width = packed->GetWidth(level);
        EXPECT_EQ(width, 64u >> level);
        EXPECT_EQ(packed->GetSize(level), width * width * 2);
        Bytes expected(std::size_t(width) * width * 2);
        ASSERT_TRUE(DisplaySurface::Convert(static_cast<const UInt8*>(rgba->GetPixels(level)), expected.data(),
                                            PixelFormat::R5_G6_B5, width, PixelFormat::R8_G8_B8_A8, width));
        EXPECT_EQ(Level(*packed, level), expected);
    }
    // The halving averages 2 x 2 blocks of the level above.
    const UInt8* top = static_cast<const UInt8*>(rgba->GetPixels(0));
    const UInt8* next = static_cast<const UInt8*>(rgba->GetPixels(1));
    EXPECT_EQ(next[1], UInt8((top[1] + top[5] + top[64 * 4 + 1] + top[64 * 4 + 5]) / 4));
}

TEST(DisplaySurfaceTest, JpegSurfacesWidenToOpaqueAlphaAndRefuseGrey)
{
    OwnedImage jpg = MakeJpg(16, 16);
    ASSERT_NE(jpg.object, nullptr);
    std::unique_ptr<IDisplaySurface> rgb(jpg.image().CreateDisplaySurface(false));
    std::unique_ptr<IDisplaySurface> rgba(jpg.image().CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 0, 0, 1, false));
    ASSERT_TRUE(rgb->Lock(0));
    ASSERT_TRUE(rgba->Lock(0));
    const Bytes colour = Level(*rgb, 0);
    const Bytes opaque = Level(*rgba, 0);
    ASSERT_EQ(opaque.size(), 16u * 16 * 4);
    for (std::size_t i = 0; i < 16 * 16; ++i) {
        EXPECT_EQ(opaque[i * 4 + 3], 255);
        EXPECT_EQ(opaque[i * 4], colour[i * 3]);
        EXPECT_EQ(opaque[i * 4 + 2], colour[i * 3 + 2]);
    }

    std::unique_ptr<IDisplaySurface> grey(jpg.image().CreateDisplaySurface(PixelFormat::L8, 0, 0, 1, false));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(grey->Lock(0));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::DisplaySurface::Convert(): Failed; cannot convert from pixel format 4 to 1\n"
              "Resource::DisplaySurface::Decode(): Failed to convert base level to pixel format 1\n");
    EXPECT_EQ(grey->GetPixels(0), nullptr);
}

TEST(DisplaySurfaceTest, ClonesAreUndecodedSurfacesOfTheSameImage)
{
    OwnedImage png = MakePng(32, 16);
    std::unique_ptr<IDisplaySurface> surface(png.image().CreateDisplaySurface(PixelFormat(0), 0, 0, 1, true));
    ASSERT_TRUE(surface->Lock(0));

    std::unique_ptr<IDisplaySurface> clone(surface->Clone(PixelFormat::R5_G5_B5_A1));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetPixelFormat(), PixelFormat::R5_G5_B5_A1);
    EXPECT_EQ(clone->GetWidth(0), 32u);
    EXPECT_EQ(clone->GetNumberOfMipLevels(), surface->GetNumberOfMipLevels());
    EXPECT_EQ(clone->GetPixels(0), nullptr);
    ASSERT_TRUE(clone->Lock(0));
    clone->Unlock();

    std::unique_ptr<IDisplaySurface> small(surface->Clone(PixelFormat::R8_G8_B8, 4, 4));
    EXPECT_EQ(small->GetWidth(0), 4u);
    EXPECT_EQ(small->GetNumberOfMipLevels(), 3u);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(surface->Clone(PixelFormat::RGB_PVRTC_4BPPV1), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::PngDisplaySurface::Clone(): Cannot convert to pixel format 9\n");
    std::unique_ptr<IDisplaySurface> compressed(
        png.image().CreateDisplaySurface(PixelFormat::RGBA_PVRTC_2BPPV1, 0, 0, 1, false));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(compressed->Clone(), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::PngDisplaySurface::Clone(): Cannot convert from pixel format 12\n");
    surface->Unlock();
}

TEST(DisplaySurfaceTest, RawSurfacesGiveWritableAccessOnlyToWritableLevels)
{
    UInt8 readOnly[8] = {};
    UInt8 writable[16] = {};
    RawDisplaySurface surface(nullptr, nullptr, 0, PixelFormat::R8_G8_B8_A8, 2, 2, true);
    EXPECT_TRUE(surface.SetLevel(0, writable, 16, false));
    EXPECT_TRUE(surface.SetLevel(1, readOnly, 4, true));
    EXPECT_FALSE(surface.SetLevel(2, readOnly, 4, true));
    EXPECT_TRUE(surface.Lock(0));
    EXPECT_EQ(surface.GetPixels(0), static_cast<void*>(writable));
    EXPECT_EQ(surface.GetPixels(1), nullptr);
    EXPECT_EQ(static_cast<const RawDisplaySurface&>(surface).GetPixels(1), static_cast<const void*>(readOnly));
    EXPECT_TRUE(surface.IsLevelAvailable(0));
    EXPECT_FALSE(surface.IsLevelAvailable(1));
    EXPECT_EQ(surface.GetSize(1), 4u);
    EXPECT_TRUE(surface.Unlock());
    EXPECT_TRUE(surface.Unlock());

    std::unique_ptr<IDisplaySurface> clone(surface.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetNumberOfMipLevels(), 2u);
    EXPECT_EQ(static_cast<const IDisplaySurface&>(*clone).GetPixels(0), nullptr);
    EXPECT_EQ(surface.Clone(PixelFormat::R8_G8_B8), nullptr);
    EXPECT_EQ(surface.Clone(PixelFormat::R8_G8_B8_A8, 4, 4), nullptr);
}

} // namespace
