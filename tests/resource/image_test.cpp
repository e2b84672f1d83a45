#include "resource/image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/attributes.h"
#include "resource/jpg_image.h"
#include "resource/package.h"
#include "resource/png_image.h"
#include "tests/support/image_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::Bytes;

namespace {

// The object points into the file, which the caller keeps.
std::unique_ptr<IObject> Create(ObjectCreator creator, const Bytes& file)
{
    Bool releaseData = true;
    Bool failed = false;
    return std::unique_ptr<IObject>(
        creator(nullptr, "image", file.data(), UInt32(file.size()), nullptr, 0, &releaseData, &failed));
}

Bytes ToBytes(const Data& data)
{
    return Bytes(data.GetData(), data.GetData() + data.GetSize());
}

TEST(ImageTest, EncodesDecodedImagesAsPng)
{
    const Bytes pixels = Testing::MakeRgbaPattern(19, 11);
    const Bytes interlaced = Testing::EncodeRgbaPng(19, 11, pixels, true);
    std::unique_ptr<IObject> png = Create(&PngImage::Create, interlaced);
    Data encoded;
    encoded.Assign("stale", 5);
    ASSERT_TRUE(dynamic_cast<IImage&>(*png).EncodePng(encoded));
    EXPECT_EQ(Testing::DecodePngIndependently(ToBytes(encoded)), pixels);

    // A JPEG image encodes through an RGBA surface: every pixel opaque.
    Bytes rgb(8 * 8 * 3, 90);
    const Bytes jpgFile = Testing::EncodeJpegFile(8, 8, 3, rgb);
    std::unique_ptr<IObject> jpg = Create(&JpgImage::Create, jpgFile);
    ASSERT_TRUE(dynamic_cast<IImage&>(*jpg).EncodePng(encoded));
    const Bytes decoded = Testing::DecodePngIndependently(ToBytes(encoded));
    ASSERT_EQ(decoded.size(), 8u * 8 * 4);
    for (std::size_t i = 0; i < 64; ++i) {
        EXPECT_NEAR(decoded[i * 4], 90, 3);
        EXPECT_EQ(decoded[i * 4 + 3], 255);
    }
    EXPECT_FALSE(dynamic_cast<IImage&>(*jpg).EncodeJpg(encoded));
}

TEST(ImageTest, EncodingFailsWhenThePixelsCannotBeDecoded)
{
    Bytes file = Testing::EncodeRgbaPng(32, 32, Testing::MakeRgbaPattern(32, 32));
    file.resize(file.size() - 40);
    std::unique_ptr<IObject> png = Create(&PngImage::Create, file);
    ASSERT_NE(png, nullptr);
    Data encoded;
    encoded.Assign("kept", 4);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(dynamic_cast<IImage&>(*png).EncodePng(encoded));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::DisplaySurface::Decode(): Failed decoding base level\n"
              "Resource::Image::EncodePng(): Failed to lock the surface of image 'image'\n");
    EXPECT_EQ(ToBytes(encoded), (Bytes{'k', 'e', 'p', 't'}));
}

TEST(ImageTest, BaseImageHasNoPixelsAndStoresItsBytes)
{
    const char bytes[] = "bytes";
    Image image("plain", bytes, 5, nullptr, 0);
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(image.GetImageFormat(), 0u);
    EXPECT_EQ(image.CreateDisplaySurface(false), nullptr);
    Data out;
    EXPECT_FALSE(image.EncodePng(out));
    ASSERT_TRUE(image.GetNativeData(out));
    EXPECT_EQ(ToBytes(out), (Bytes{'b', 'y', 't', 'e', 's'}));

    const char* jpg[] = {"outputFormat", "JPG", nullptr};
    Util::Attributes attributes(jpg);
    Bool error = false;
    image.SetAttributes(&attributes, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(image.GetOutputFormat(), UInt32(Enums::ImageFormat::JPG));
    EXPECT_FALSE(image.GetNativeData(out));
}

} // namespace
