// Images inside a package: the PNG, PVR and JPEG creators in their places of the order of trial,
// refusals that end the search, and the package writing images back unchanged.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/attributes.h"
#include "foundation/folder_file_interface.h"
#include "resource/display_surface.h"
#include "resource/image.h"
#include "resource/jpg_image.h"
#include "resource/package.h"
#include "resource/png_image.h"
#include "resource/pvr_image.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/image_fixture.h"
#include "tests/support/temp_folder.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::Bytes;

namespace {

UInt32 gLastCreatorCalls = 0;

// Stands for the creators behind the images: takes whatever reaches it.
IObject* CreateAnything(const IAttributes*, const String& id, const void* data, UInt32 size,
                        const UInt32* conditions, UInt32 conditionCount, Bool*, Bool*)
{
    ++gLastCreatorCalls;
    return new Image(id, data, size, conditions, conditionCount);
}

class ImagePackage : public Package
{
public:
    using Package::Package;
    Bool RegisterCreators() override
    {
        return AddObjectCreator(&PngImage::Create) && AddObjectCreator(&PvrImage::Create) &&
               AddObjectCreator(&JpgImage::Create) && AddObjectCreator(&CreateAnything);
    }
    Bool UnregisterCreators() override
    {
        return RemoveObjectCreator(&PngImage::Create) && RemoveObjectCreator(&PvrImage::Create) &&
               RemoveObjectCreator(&JpgImage::Create) && RemoveObjectCreator(&CreateAnything);
    }
};

class ImagePackageTest : public ::testing::Test
{
protected:
    ImagePackageTest() : mFiles(String(mFolder.Get().c_str())), mPackage(&mConfiguration, &mFiles)
    {
        gLastCreatorCalls = 0;
        EXPECT_TRUE(mPackage.RegisterCreators());
    }

    // Objects point into the bytes, which the test keeps.
    Object* Add(const char* id, const Bytes& bytes, Bool* releaseData, const IAttributes* attributes = nullptr)
    {
        return mPackage.CreateObjectFromMemory(attributes, id, nullptr, 0, bytes.data(), UInt32(bytes.size()),
                                               releaseData);
    }

    Testing::TempFolder mFolder;
    Testing::FakeConfiguration mConfiguration;
    Platform::FolderFileInterface mFiles;
    ImagePackage mPackage;
};

TEST_F(ImagePackageTest, EachImageFormatFindsItsReader)
{
    const Bytes png = Testing::EncodeRgbaPng(4, 4, Testing::MakeRgbaPattern(4, 4));
    const Bytes pvr = Testing::MakePvrFile(8, 8, 0, 25, 32, 32);
    const Bytes jpg = Testing::EncodeJpegFile(8, 8, 3, Bytes(8 * 8 * 3, 40));
    const Bytes seven = {'P', 'V', 'R', '!', 0, 0, 0};
    Bool releaseData = true;
    const char* attributes[] = {"matteColor", "0,0,1", nullptr};
    Util::Attributes pngAttributes(attributes);
    ASSERT_NE(Add("png", png, &releaseData, &pngAttributes), nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(Add("pvr", pvr, &releaseData), nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(Add("jpg", jpg, &releaseData), nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(Add("seven", seven, &releaseData), nullptr);
    EXPECT_EQ(gLastCreatorCalls, 1u) << "a 7-byte resource passes every image reader";

    EXPECT_EQ(mPackage.GetImage("png")->GetImageFormat(), 3u);
    EXPECT_EQ(dynamic_cast<PngImage*>(mPackage.GetImage("png"))->GetMatteColor()[2], 1.0f);
    EXPECT_EQ(mPackage.GetImage("pvr")->GetImageFormat(), 4u);
    EXPECT_EQ(mPackage.GetImage("jpg")->GetImageFormat(), 2u);
    std::unique_ptr<IDisplaySurface> surface(mPackage.GetImage("jpg")->CreateDisplaySurface(false));
    EXPECT_TRUE(surface->Lock(0));
    surface->Unlock();
}

TEST_F(ImagePackageTest, BrokenPvrFilesEndTheSearchAndLeaveTheOtherImages)
{
    const Bytes png = Testing::EncodeRgbaPng(2, 2, Testing::MakeRgbaPattern(2, 2));
    Bool releaseData = true;
    ASSERT_NE(Add("png", png, &releaseData), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Add("pvr", Testing::MakePvrFile(8, 8, 0, 26, 32, 32), &releaseData), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::PvrImage::Create(): Pixel type 26 of 'pvr' is not PVRTC\n"
              "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n");
    EXPECT_EQ(gLastCreatorCalls, 0u);
    EXPECT_EQ(mPackage.GetNumberOfObjects(), 1u);
    EXPECT_NE(mPackage.GetImage("png"), nullptr);
}

TEST_F(ImagePackageTest, PackageWritesImagesAsTheirOriginalFiles)
{
    const Bytes png = Testing::EncodeRgbaPng(3, 3, Testing::MakeRgbaPattern(3, 3));
    Bool releaseData = true;
    ASSERT_NE(Add("png", png, &releaseData), nullptr);
    Data written;
    ASSERT_TRUE(mPackage.Serialize(written, false, false));
    const std::string file(reinterpret_cast<const char*>(written.GetData()), written.GetSize());
    EXPECT_NE(file.find(std::string(png.begin(), png.end())), std::string::npos);

    const char* jpg[] = {"outputFormat", "JPG", nullptr};
    Util::Attributes attributes(jpg);
    ASSERT_NE(Add("as jpg", png, &releaseData, &attributes), nullptr);
    EXPECT_FALSE(mPackage.Serialize(written, false, false)) << "no image encodes JPEG";
}

} // namespace
