#include "resource/jpg_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "resource/display_surface.h"
#include "resource/jpg_display_surface.h"
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
    JpgImage* image() const { return dynamic_cast<JpgImage*>(object.get()); }
};

// The image points into the file, which the caller keeps.
Created CreateJpg(const Bytes& file)
{
    Created result;
    result.object.reset(JpgImage::Create(nullptr, "photo", file.data(), UInt32(file.size()), nullptr, 0,
                                         &result.releaseData, &result.failed));
    return result;
}

// Four flat quadrants: red, green across the top; blue, white across the bottom.
Bytes MakeQuadrants(UInt32 size)
{
    const UInt8 colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    Bytes rgb(std::size_t(size) * size * 3);
    for (UInt32 y = 0; y < size; ++y) {
        for (UInt32 x = 0; x < size; ++x) {
            const UInt8* colour = colours[(y < size / 2 ? 0 : 2) + (x < size / 2 ? 0 : 1)];
            std::copy(colour, colour + 3, &rgb[(std::size_t(y) * size + x) * 3]);
        }
    }
    return rgb;
}

TEST(JpgImageTest, RecognisesColourJpegFilesOnly)
{
    const Bytes colour = Testing::EncodeJpegFile(24, 8, 3, MakeQuadrants(24));
    Created jpg = CreateJpg(colour);
    ASSERT_NE(jpg.image(), nullptr);
    EXPECT_FALSE(jpg.releaseData);
    EXPECT_EQ(jpg.image()->GetWidth(), 24u);
    EXPECT_EQ(jpg.image()->GetHeight(), 8u);
    EXPECT_EQ(jpg.image()->GetPixelFormat(), Enums::PixelFormat::R8_G8_B8);
    EXPECT_EQ(jpg.image()->GetPreferredPixelFormat(), Enums::PixelFormat(0));
    EXPECT_EQ(jpg.image()->GetForcedPixelFormat(), Enums::PixelFormat(0));
    EXPECT_EQ(jpg.image()->GetImageFormat(), 2u);
    EXPECT_EQ(jpg.image()->GetOutputFormat(), 0u);

    const std::vector<Bytes> declined = {
        Testing::EncodeJpegFile(8, 8, 1, Bytes(64, 128)), // grey-scale
        Bytes(colour.begin(), colour.begin() + 40),       // header cut
        Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0},
        Bytes(),
    };
    for (const Bytes& bytes : declined) {
        Created result = CreateJpg(bytes);
        EXPECT_EQ(result.object, nullptr);
        EXPECT_FALSE(result.failed);
        EXPECT_TRUE(result.releaseData);
    }
}

TEST(JpgImageTest, DecodesRowsTopFirstWithRedFirst)
{
    const Bytes file = Testing::EncodeJpegFile(32, 32, 3, MakeQuadrants(32), 100);
    Created jpg = CreateJpg(file);
    ASSERT_NE(jpg.image(), nullptr);
    std::unique_ptr<IDisplaySurface> surface(jpg.image()->CreateDisplaySurface(false));
    EXPECT_EQ(surface->GetPixelFormat(), Enums::PixelFormat::R8_G8_B8);
    ASSERT_TRUE(surface->Lock(0));
    const UInt8* pixels = static_cast<const UInt8*>(surface->GetPixels(0));
    EXPECT_EQ(surface->GetPitch(0), 32u * 3);
    struct Probe
    {
        UInt32 x, y;
        UInt8 rgb[3];
    };
    const Probe probes[] = {{4, 4, {255, 0, 0}}, {27, 4, {0, 255, 0}}, {4, 27, {0, 0, 255}}, {27, 27, {255, 255, 255}}};
    for (const Probe& probe : probes) {
        const UInt8* pixel = pixels + (probe.y * 32 + probe.x) * 3;
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], probe.rgb[c], 6) << "at " << probe.x << "," << probe.y << " channel " << c;
    }
    surface->Unlock();
}

TEST(JpgImageTest, PrescaledSurfacesShrinkThePicture)
{
    const Bytes file = Testing::EncodeJpegFile(32, 32, 3, MakeQuadrants(32), 100);
    Created jpg = CreateJpg(file);
    ASSERT_NE(jpg.image(), nullptr);
    std::unique_ptr<IDisplaySurface> surface(
        jpg.image()->CreateDisplaySurface(Enums::PixelFormat(0), 0, 0, 16, true));
    EXPECT_EQ(surface->GetWidth(0), 2u);
    EXPECT_EQ(surface->GetNumberOfMipLevels(), 2u);
    ASSERT_TRUE(surface->Lock(0));
    const UInt8* top = static_cast<const UInt8*>(surface->GetPixels(0));
    EXPECT_NEAR(top[0], 255, 6);
    EXPECT_NEAR(top[1], 0, 6);
    // The last level averages the four pixels above it.
    const UInt8* last = static_cast<const UInt8*>(surface->GetPixels(1));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(last[c], (top[c] + top[3 + c] + top[6 + c] + top[9 + c]) / 4);
    surface->Unlock();
}

TEST(JpgImageTest, RefusesPicturesTooLargeForAPixelBlock)
{
    Bytes file = Testing::EncodeJpegFile(16, 16, 3, MakeQuadrants(16));
    // Height and width of the frame header.
    std::size_t frame = 0;
    while (frame + 1 < file.size() && !(file[frame] == 0xFF && file[frame + 1] == 0xC0))
        ++frame;
    ASSERT_LT(frame + 9, file.size());
    file[frame + 5] = 0xFD;
    file[frame + 6] = 0xE8; // 65000
    file[frame + 7] = 0xFD;
    file[frame + 8] = 0xE8;

    ::testing::internal::CaptureStderr();
    Created huge = CreateJpg(file);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::JpgImage::Create(): Image 'photo' of 65000 x 65000 pixels is too large\n");
    EXPECT_EQ(huge.object, nullptr);
    EXPECT_TRUE(huge.failed);
}

TEST(JpgImageTest, DamagedFilesNeverReadOutOfBoundsAndFailedLocksLeaveNoCount)
{
    const Bytes original = Testing::EncodeJpegFile(16, 16, 3, MakeQuadrants(16), 80);
    UInt32 created = 0;
    auto tryFile = [&created](Testing::ExactBytes& bytes) {
        Bool releaseData = true;
        Bool failed = false;
        std::unique_ptr<IObject> object(
            JpgImage::Create(nullptr, "damaged", bytes.Get(), bytes.GetSize(), nullptr, 0, &releaseData, &failed));
        if (!object)
            return;
        ++created;
        std::unique_ptr<IDisplaySurface> surface(
            dynamic_cast<const JpgImage&>(*object).CreateDisplaySurface(Enums::PixelFormat(0), 0, 0, 1, true));
        if (surface->Lock(0))
            surface->Unlock();
        EXPECT_EQ(static_cast<JpgDisplaySurface&>(*surface).GetLockCount(), 0u);
    };
    ::testing::internal::CaptureStderr();
    Testing::ForEachDamagedCopy(original, 5, 3, tryFile);
    ::testing::internal::GetCapturedStderr();
    EXPECT_GT(created, 100u);
}

} // namespace
