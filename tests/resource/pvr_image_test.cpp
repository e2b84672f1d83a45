#include "resource/pvr_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resource/display_surface.h"
#include "tests/support/image_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Enums::PixelFormat;
using Testing::Bytes;

namespace {

constexpr UInt32 kFourBit = 25;
constexpr UInt32 kTwoBit = 24;
constexpr UInt32 kAlpha = 0x8000;

struct Created
{
    std::unique_ptr<IObject> object;
    Bool releaseData = true;
    Bool failed = false;
    PvrImage* image() const { return dynamic_cast<PvrImage*>(object.get()); }
};

Created CreatePvr(const Bytes& file)
{
    Created result;
    result.object.reset(PvrImage::Create(nullptr, "texture", file.data(), UInt32(file.size()), nullptr, 0,
                                         &result.releaseData, &result.failed));
    return result;
}

std::vector<UInt32> LevelSizes(const PvrImage& image)
{
    std::vector<UInt32> sizes;
    for (UInt32 i = 0; i < image.GetNumberOfLevels(); ++i)
        sizes.push_back(image.GetLevel(i)->size);
    return sizes;
}

TEST(PvrImageTest, LaysOutLevelsOfAtLeastTwoByTwoBlocks)
{
    struct Case
    {
        const char* name;
        UInt32 width, height, mipMapCount, flags, dataSize;
        PixelFormat format;
        std::vector<UInt32> sizes;
    };
    const Case cases[] = {
        {"4 bit 8 x 8", 8, 8, 3, kFourBit, 128, PixelFormat::RGB_PVRTC_4BPPV1, {32, 32, 32, 32}},
        {"4 bit with alpha", 16, 16, 0, kFourBit | kAlpha, 128, PixelFormat::RGBA_PVRTC_4BPPV1, {128}},
        {"2 bit 32 x 32", 32, 32, 5, kTwoBit, 256 + 64 + 32 + 32 + 32 + 32, PixelFormat::RGB_PVRTC_2BPPV1,
         {256, 64, 32, 32, 32, 32}},
        {"2 bit with alpha, fewer levels than announced", 32, 32, 9, kTwoBit | kAlpha, 320,
         PixelFormat::RGBA_PVRTC_2BPPV1, {256, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = Testing::MakePvrFile(c.width, c.height, c.mipMapCount, c.flags, c.dataSize, c.dataSize);
        Created pvr = CreatePvr(file);
        ASSERT_NE(pvr.image(), nullptr);
        EXPECT_FALSE(pvr.releaseData);
        EXPECT_EQ(pvr.image()->GetPixelFormat(), c.format);
        EXPECT_EQ(pvr.image()->GetForcedPixelFormat(), c.format);
        EXPECT_EQ(pvr.image()->GetPreferredPixelFormat(), c.format);
        EXPECT_EQ(pvr.image()->GetImageFormat(), 4u);
        EXPECT_EQ(pvr.image()->GetWidth(), c.width);
        EXPECT_EQ(LevelSizes(*pvr.image()), c.sizes);
        EXPECT_EQ(pvr.image()->GetLevel(0)->pixels, file.data() + 52);
    }
}

TEST(PvrImageTest, DeclinesOtherFilesAndRefusesBrokenOnes)
{
    Bytes noTag = Testing::MakePvrFile(8, 8, 0, kFourBit, 32, 32);
    noTag[47] = '?';
    Bytes otherHeaderSize = Testing::MakePvrFile(8, 8, 0, kFourBit, 32, 32);
    otherHeaderSize[0] = 44;
    const Bytes full = Testing::MakePvrFile(8, 8, 0, kFourBit, 32, 32);
    for (const Bytes& bytes : {noTag, otherHeaderSize, Bytes(full.begin(), full.begin() + 51)}) {
        Created result = CreatePvr(bytes);
        EXPECT_EQ(result.object, nullptr);
        EXPECT_FALSE(result.failed);
    }

    struct Case
    {
        const char* name;
        Bytes file;
        std::string log;
    };
    const Case cases[] = {
        {"data size disagrees", Testing::MakePvrFile(8, 8, 0, kFourBit, 32, 33),
         "Resource::PvrImage::Create(): Data size 33 of 'texture' does not match its file size 84\n"},
        {"pixel type 26", Testing::MakePvrFile(8, 8, 0, 26, 32, 32),
         "Resource::PvrImage::Create(): Pixel type 26 of 'texture' is not PVRTC\n"},
        {"more levels than announced", Testing::MakePvrFile(8, 8, 1, kFourBit, 96, 96),
         "Resource::PvrImage::Create(): 'texture' holds more than its 2 levels\n"},
        {"level past the data", Testing::MakePvrFile(16, 16, 1, kFourBit, 100, 100),
         "Resource::PvrImage::Create(): Level 0 of 'texture' runs past the end of its data\n"},
        {"no data", Testing::MakePvrFile(8, 8, 0, kFourBit, 0, 0),
         "Resource::PvrImage::Create(): Level 0 of 'texture' runs past the end of its data\n"},
        {"announced count wraps", Testing::MakePvrFile(8, 8, 0xFFFFFFFF, kFourBit, 40, 40),
         "Resource::PvrImage::Create(): Level 1 of 'texture' runs past the end of its data\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::testing::internal::CaptureStderr();
        Created result = CreatePvr(c.file);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log);
        EXPECT_EQ(result.object, nullptr);
        EXPECT_TRUE(result.failed);
        EXPECT_TRUE(result.releaseData);
    }
}

TEST(PvrImageTest, SurfacesPointReadOnlyAtTheStoredLevels)
{
    const Bytes file = Testing::MakePvrFile(8, 8, 1, kFourBit, 64, 64);
    Created pvr = CreatePvr(file);
    ASSERT_NE(pvr.image(), nullptr);
    const PvrImage& image = *pvr.image();
    EXPECT_EQ(image.CreateDisplaySurface(PixelFormat::R8_G8_B8_A8, 0, 0, 1, true), nullptr);
    EXPECT_EQ(image.CreateDisplaySurface(PixelFormat::RGB_PVRTC_4BPPV1, 4, 4, 1, true), nullptr);

    std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(PixelFormat::RGB_PVRTC_4BPPV1, 8, 8, 2, true));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetWidth(0), 8u) << "the prescale factor does not apply";
    ASSERT_EQ(surface->GetNumberOfMipLevels(), 4u);
    EXPECT_TRUE(surface->Lock(0));
    const IDisplaySurface& reader = *surface;
    EXPECT_EQ(reader.GetPixels(0), file.data() + 52);
    EXPECT_EQ(reader.GetPixels(1), file.data() + 52 + 32);
    EXPECT_EQ(reader.GetPixels(2), nullptr) << "a level the file does not hold stays empty";
    EXPECT_EQ(surface->GetSize(1), 32u);
    EXPECT_EQ(surface->GetPixels(0), nullptr) << "stored levels are read-only";
    EXPECT_FALSE(surface->IsLevelAvailable(0));
    EXPECT_EQ(surface->GetBytesPerPixel(), 0u);
    EXPECT_TRUE(surface->Unlock());

    std::unique_ptr<IDisplaySurface> shortForm(image.CreateDisplaySurface(false));
    ASSERT_NE(shortForm, nullptr);
    EXPECT_EQ(shortForm->GetNumberOfMipLevels(), 1u);

    Data out;
    EXPECT_FALSE(image.EncodePng(out)) << "no RGBA surface of a PVR image";
}

} // namespace
