#include "resource/package.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/folder_file_interface.h"
#include "resource/image.h"
#include "resource/instance.h"
#include "resource/sound.h"
#include "resource/text.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace {

using Resource::Condition::MakeInclude;
namespace Condition = Resource::Condition;

class StoredImage : public Resource::Image
{
public:
    using Image::Image;
    Bool GetNativeData(Data& data) const override { return CopyNativeData(data); }
};

class StoredSound : public Resource::Sound
{
public:
    using Sound::Sound;
    Bool GetNativeData(Data& data) const override { return CopyNativeData(data); }
};

// An object of no resource type and not built on Resource::Object.
class BareObject : public Resource::IObject
{
public:
    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    const String& GetId() const override { return String::Empty; }
    Bool MatchesConditions(const IConfiguration*) const override { return true; }
    Bool GetNativeData(Data&) const override { return false; }
};

Bool HasPrefix(const void* data, UInt32 size, const char* prefix)
{
    return data != nullptr && size >= 4 && std::memcmp(data, prefix, 4) == 0;
}

// "IMG:" bytes become images that keep pointing into them; "BAD:" bytes are the image reader's
// own form that it refuses.
Resource::IObject* CreateImage(const IAttributes*, const String& id, const void* data, UInt32 size,
                               const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (HasPrefix(data, size, "BAD:")) {
        *failed = true;
        return nullptr;
    }
    if (!HasPrefix(data, size, "IMG:"))
        return nullptr;
    *releaseData = false;
    return new StoredImage(id, data, size, conditions, conditionCount);
}

// "SND:" and "BAD:" bytes become sounds that copy nothing they need later.
Resource::IObject* CreateSound(const IAttributes*, const String& id, const void* data, UInt32 size,
                               const UInt32* conditions, UInt32 conditionCount, Bool*, Bool*)
{
    if (!HasPrefix(data, size, "SND:") && !HasPrefix(data, size, "BAD:"))
        return nullptr;
    return new StoredSound(id, nullptr, 0, conditions, conditionCount);
}

Resource::IObject* CreateBare(const IAttributes*, const String&, const void* data, UInt32 size, const UInt32*, UInt32,
                              Bool*, Bool*)
{
    return HasPrefix(data, size, "OBJ:") ? new BareObject() : nullptr;
}

class TestPackage : public Resource::Package
{
public:
    using Package::Package;
    Bool RegisterCreators() override
    {
        return AddObjectCreator(&CreateImage) && AddObjectCreator(&CreateSound) && AddObjectCreator(&CreateBare);
    }
    Bool UnregisterCreators() override
    {
        return RemoveObjectCreator(&CreateImage) && RemoveObjectCreator(&CreateSound) && RemoveObjectCreator(&CreateBare);
    }
};

class PackageTest : public ::testing::Test
{
protected:
    PackageTest() : mFiles(String(mFolder.Get().c_str())), mPackage(&mConfiguration, &mFiles)
    {
        mConfiguration.SetLanguage(Enums::Language::GERMAN);
        EXPECT_TRUE(mPackage.RegisterCreators());
    }

    Resource::Object* Create(const String& id, const char* bytes, const UInt32* conditions = nullptr, UInt32 count = 0,
                             Bool* releaseData = nullptr)
    {
        return mPackage.CreateObjectFromMemory(nullptr, id, conditions, count, bytes, UInt32(std::strlen(bytes)),
                                               releaseData);
    }

    Testing::TempFolder mFolder;
    Testing::FakeConfiguration mConfiguration;
    Platform::FolderFileInterface mFiles;
    TestPackage mPackage;
    const UInt32 mEnglish[1] = {MakeInclude(Condition::LANGUAGES, UInt32(Enums::Language::ENGLISH))};
    const UInt32 mGerman[1] = {MakeInclude(Condition::LANGUAGES, UInt32(Enums::Language::GERMAN))};
};

TEST_F(PackageTest, CreatorChainStopsAtFirstObjectOrRefusal)
{
    Bool releaseData = true;
    Resource::Object* image = Create("picture", "IMG:pixels", nullptr, 0, &releaseData);
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(releaseData);
    EXPECT_EQ(mPackage.GetImage("picture"), dynamic_cast<Resource::IImage*>(image));

    Resource::Object* sound = Create("beep", "SND:samples", nullptr, 0, &releaseData);
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(releaseData);

    // The image reader refuses "BAD:" bytes, so the sound reader behind it never sees them.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Create("broken", "BAD:bytes"), nullptr);
    EXPECT_EQ(Create("unknown", "????"), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n"
              "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n");
    EXPECT_EQ(mPackage.GetNumberOfObjects(), 2u);
}

TEST_F(PackageTest, RefusesObjectsNotBuiltOnResourceObject)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Create("odd", "OBJ:"), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::Package::CreateObjectFromMemory(): Unknown class for resource \"odd\"\n");
    EXPECT_EQ(mPackage.GetNumberOfObjects(), 0u);
}

TEST_F(PackageTest, TypedGettersReturnFirstMatchingVariantOfTheirType)
{
    Resource::Object* english = Create("title", "IMG:en", mEnglish, 1);
    Resource::Object* german = Create("title", "IMG:de", mGerman, 1);
    Resource::Object* fallback = Create("title", "IMG:any");
    Create("only_english", "IMG:en", mEnglish, 1);
    Create("beep", "SND:");

    EXPECT_EQ(mPackage.GetImage("title"), dynamic_cast<Resource::IImage*>(german));
    mConfiguration.SetLanguage(Enums::Language::ENGLISH);
    EXPECT_EQ(mPackage.GetImage("title"), dynamic_cast<Resource::IImage*>(english));
    mConfiguration.SetLanguage(Enums::Language::FRENCH);
    EXPECT_EQ(mPackage.GetImage("title"), dynamic_cast<Resource::IImage*>(fallback));
    EXPECT_EQ(mPackage.GetImage("only_english"), nullptr);
    EXPECT_EQ(mPackage.GetImage("missing"), nullptr);
    EXPECT_EQ(mPackage.GetSound("title"), nullptr);
    EXPECT_NE(mPackage.GetSound("beep"), nullptr);
    EXPECT_EQ(mPackage.GetImage("beep"), nullptr);
    EXPECT_EQ(mPackage.GetGraph("title"), nullptr);
}

TEST_F(PackageTest, TextsFollowTheSameVariantRule)
{
    mPackage.AddText("greeting", mEnglish, 1, "Hello");
    mPackage.AddText("greeting", mGerman, 1, "Hallo");
    EXPECT_STREQ(mPackage.GetText("greeting"), "Hallo");
    mConfiguration.SetLanguage(Enums::Language::FRENCH);
    EXPECT_EQ(mPackage.GetText("greeting"), nullptr);
    EXPECT_EQ(mPackage.GetText("missing"), nullptr);
    ASSERT_EQ(mPackage.GetNumberOfTexts(), 2u);
    EXPECT_EQ(mPackage.GetTextAt(1)->GetValue(), "Hallo");
    EXPECT_EQ(mPackage.GetTextAt(2), nullptr);
}

TEST_F(PackageTest, CreatorsRegisterOnce)
{
    EXPECT_FALSE(mPackage.AddObjectCreator(&CreateImage));
    EXPECT_TRUE(mPackage.UnregisterCreators());
    EXPECT_FALSE(mPackage.RemoveObjectCreator(&CreateImage));
    EXPECT_EQ(Create("picture", "IMG:"), nullptr);
}

TEST_F(PackageTest, InstancesAreCountedAndIndexed)
{
    mPackage.AddInstance("scene", "", nullptr);
    mPackage.AddInstance("overlay", "hud", nullptr);
    ASSERT_EQ(mPackage.GetNumberOfInstances(), 2u);
    EXPECT_EQ(mPackage.GetInstance(1)->GetGraphResourceId(), "overlay");
    EXPECT_EQ(mPackage.GetInstance(1)->GetParentNodeId(), "hud");
    EXPECT_EQ(mPackage.GetInstance(2), nullptr);
}

TEST_F(PackageTest, KeepsMappedFilesOnlyWhileObjectsPointIntoThem)
{
    mFolder.WriteFile("picture.img", "IMG:pixels");
    mFolder.WriteFile("beep.snd", "SND:samples");
    mFolder.WriteFile("broken.img", "BAD:bytes");

    ASSERT_NE(mPackage.CreateObjectFromFile(nullptr, "picture", nullptr, 0, "picture.img"), nullptr);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);
    ASSERT_NE(mPackage.CreateObjectFromFile(nullptr, "beep", nullptr, 0, "beep.snd"), nullptr);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(mPackage.CreateObjectFromFile(nullptr, "broken", nullptr, 0, "broken.img"), nullptr);
    EXPECT_EQ(mPackage.CreateObjectFromFile(nullptr, "gone", nullptr, 0, "missing.img"), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n"
              "Resource::Package::CreateObjectFromFile(): Failed to create object from file \"broken.img\" for resource ID \"broken\"\n"
              "Resource::Package::CreateObjectFromFile(): Failed to map file \"missing.img\" for resource ID \"gone\"\n");
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);

    mPackage.Clear();
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
    EXPECT_EQ(mPackage.GetImage("picture"), nullptr);
    EXPECT_EQ(mPackage.GetNumberOfObjects(), 0u);

    // Still usable after Clear.
    ASSERT_NE(mPackage.CreateObjectFromFile(nullptr, "picture", nullptr, 0, "picture.img"), nullptr);
    EXPECT_NE(mPackage.GetImage("picture"), nullptr);
}

} // namespace
} // namespace Vorn
