#include "resource/raw_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "resource/display_surface.h"
#include "tests/support/image_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Enums::PixelFormat;
using Testing::Bytes;

namespace {

TEST(RawImageTest, SurfacesShareOneWritableBlockInTheImageFormat)
{
    RawImage image(3, 2);
    EXPECT_EQ(image.GetPixelFormat(), PixelFormat::R8_G8_B8_A8);
    EXPECT_EQ(image.GetForcedPixelFormat(), PixelFormat::R8_G8_B8_A8);
    EXPECT_EQ(image.GetImageFormat(), 1u);
    EXPECT_EQ(image.GetPitch(), 12u);
    EXPECT_EQ(image.CreateDisplaySurface(true), nullptr);
    EXPECT_EQ(image.CreateDisplaySurface(PixelFormat::R8_G8_B8, 0, 0, 1, false), nullptr);
    EXPECT_EQ(image.CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 2, 2, 1, false), nullptr);

    std::unique_ptr<IDisplaySurface> first(image.CreateDisplaySurface(false));
    std::unique_ptr<IDisplaySurface> second(image.CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 3, 2, 1, false));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->GetSize(0), 24u);
    ASSERT_NE(first->GetPixels(0), nullptr);
    EXPECT_EQ(first->GetPixels(0), second->GetPixels(0));
    EXPECT_TRUE(first->IsLevelAvailable(0));
}

TEST(RawImageTest, EncodesItsPixelsAsAPngFileBeyondTheFirstBufferSize)
{
    RawImage image(300, 300);
    {
        std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(false));
        ASSERT_TRUE(surface->Lock(0));
        UInt8* pixels = static_cast<UInt8*>(surface->GetPixels(0));
        UInt32 seed = 5;
        for (UInt32 i = 0; i < surface->GetSize(0); ++i) {
            seed = seed * 1664525u + 1013904223u;
            pixels[i] = UInt8(seed >> 24);
        }
        surface->Unlock();
    }
    Data png;
    ASSERT_TRUE(image.EncodePng(png));
    EXPECT_GT(png.GetSize(), 128u * 1024);

    UInt32 width = 0, height = 0;
    const Bytes decoded = Testing::DecodePngIndependently(Bytes(png.GetData(), png.GetData() + png.GetSize()),
                                                         &width, &height);
    EXPECT_EQ(width, 300u);
    EXPECT_EQ(height, 300u);
    std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(false));
    ASSERT_EQ(decoded.size(), surface->GetSize(0));
    EXPECT_EQ(std::memcmp(decoded.data(), surface->GetPixels(0), decoded.size()), 0);

    Data native;
    EXPECT_TRUE(image.GetNativeData(native));
    EXPECT_TRUE(native.IsEmpty());
}

TEST(RawImageTest, AnEmptyImageGivesAnEmptySurfaceAndNoPngFile)
{
    RawImage image(0, 5);
    std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(false));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetNumberOfMipLevels(), 0u);
    Data png;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(image.EncodePng(png));
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(png.IsEmpty());
}

} // namespace
