#include <windows.h>
#include <shlobj.h>
#undef CreateDirectory

#include "platform/win32/file_interface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/data.h"
#include "foundation/file.h"
#include "foundation/path.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace {

// The bytes of the test program's APP_TEST.VORNPKG resource (resource_payload.bin).
std::vector<UInt8> PayloadBytes()
{
    std::vector<UInt8> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = UInt8(i * 7 + 3);
    return bytes;
}

std::string ToText(const void* data, UInt32 size)
{
    return std::string(static_cast<const char*>(data), size);
}

class Win32FileInterfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mConfiguration.SetApplicationName("VornFileInterfaceTest");
        mFiles.Init(&mConfiguration, GetModuleHandleA(nullptr));
        ASSERT_TRUE(mFiles.RegisterResources());
    }

    // Writes bytes through the interface, creating the folders, as the game writes its player data.
    void Write(const String& path, Enums::FileCategory category, const std::string& bytes)
    {
        IFile* file = nullptr;
        ASSERT_TRUE(mFiles.OpenFile(path, category, Enums::FileAccessMode::WRITE_ONLY, true, file));
        EXPECT_EQ(file->Write(bytes.data(), UInt32(bytes.size())), bytes.size());
        EXPECT_TRUE(mFiles.CloseFile(file));
    }

    std::string MapAndRead(const String& path, Enums::FileCategory category)
    {
        const void* data = nullptr;
        UInt32 size = 0;
        if (!mFiles.MapFile(path, category, data, size))
            return "<not mapped>";
        const std::string bytes = ToText(data, size);
        EXPECT_TRUE(mFiles.UnmapFile(data));
        return bytes;
    }

    // Removes a folder given in the engine's form.
    static void RemoveFolder(const String& folder)
    {
        std::error_code error;
        std::filesystem::remove_all(std::filesystem::path(folder.GetText()), error);
    }

    Testing::FakeConfiguration mConfiguration;
    Win32::FileInterface mFiles;
};

TEST_F(Win32FileInterfaceTest, StringNamedResourcesRegisterInLowerCaseAndNumberedOnesNot)
{
    EXPECT_EQ(mFiles.GetNumberOfResources(), 2u);
    EXPECT_TRUE(mFiles.IsResourceRegistered("app_test.vornpkg"));
    EXPECT_TRUE(mFiles.IsResourceRegistered("skarvellevels.vorn"));
    EXPECT_FALSE(mFiles.IsResourceRegistered("7"));
    EXPECT_FALSE(mFiles.IsResourceRegistered("#7"));
}

TEST_F(Win32FileInterfaceTest, RegisteredResourceMapsItsExactBytesWithoutAFile)
{
    const std::vector<UInt8> expected = PayloadBytes();
    EXPECT_FALSE(mFiles.FileExists("APP_TEST.VORNPKG", Enums::FileCategory::RESOURCE));

    const void* data = nullptr;
    UInt32 size = 0;
    ASSERT_TRUE(mFiles.MapFile("APP_TEST.VORNPKG", Enums::FileCategory::RESOURCE, data, size));
    ASSERT_EQ(size, expected.size());
    EXPECT_EQ(std::memcmp(data, expected.data(), size), 0);
    EXPECT_EQ(mFiles.GetNumberOfMappedViews(), 1u);
    EXPECT_TRUE(mFiles.UnmapFile(data));
    EXPECT_FALSE(mFiles.UnmapFile(data));
    EXPECT_EQ(mFiles.GetNumberOfMappedViews(), 0u);

    // Through the portable load and unload, as the resource collection reads packages.
    ConstData view;
    ASSERT_TRUE(mFiles.LoadFile("skarvellevels.vorn", Enums::FileCategory::RESOURCE, &view));
    EXPECT_EQ(ToText(view.GetData(), view.GetSize()), "DREL");
    EXPECT_TRUE(mFiles.UnloadFile(&view));
    EXPECT_FALSE(mFiles.UnmapFile(nullptr));
}

TEST_F(Win32FileInterfaceTest, OtherCategoriesAndUnknownNamesLookOnDisk)
{
    // The resource's name in another category is a file, and there is none.
    EXPECT_EQ(MapAndRead("APP_TEST.VORNPKG", Enums::FileCategory::TEMPORARY), "<not mapped>");
    Write("APP_TEST.VORNPKG", Enums::FileCategory::TEMPORARY, "from disk");
    EXPECT_EQ(MapAndRead("APP_TEST.VORNPKG", Enums::FileCategory::TEMPORARY), "from disk");

    // An unregistered RESOURCE name is a file in the Resources folder beside the program.
    String resources;
    ASSERT_TRUE(mFiles.GetBasePath(Enums::FileCategory::RESOURCE, resources));
    String application;
    ASSERT_TRUE(mFiles.GetBasePath(Enums::FileCategory::APPLICATION, application));
    EXPECT_EQ(resources, Util::JoinPaths(application, "Resources"));
    EXPECT_EQ(MapAndRead("vorn_unregistered.bin", Enums::FileCategory::RESOURCE), "<not mapped>");
    Write("vorn_unregistered.bin", Enums::FileCategory::RESOURCE, "loose file");
    EXPECT_TRUE(mFiles.FileExists("vorn_unregistered.bin", Enums::FileCategory::RESOURCE));
    EXPECT_EQ(MapAndRead("vorn_unregistered.bin", Enums::FileCategory::RESOURCE), "loose file");
    EXPECT_EQ(mFiles.GetNumberOfMappedViews(), 0u);

    std::filesystem::remove(std::filesystem::path(Util::JoinPaths(resources, "vorn_unregistered.bin").GetText()));
    String temporary;
    ASSERT_TRUE(mFiles.GetBasePath(Enums::FileCategory::TEMPORARY, temporary));
    RemoveFolder(temporary);
}

// The player data's replace step: the renamed file takes the target's place whole; a missing file,
// or a target held mapped, fails with both files as they were.
TEST_F(Win32FileInterfaceTest, RenameReplacesTheTargetOrChangesNothing)
{
    const Enums::FileCategory category = Enums::FileCategory::TEMPORARY;
    Write("vorn_data.bin", category, "old bytes");
    Write("vorn_data.bin.new", category, "new bytes");
    ASSERT_TRUE(mFiles.RenameFile("vorn_data.bin.new", "vorn_data.bin", category));
    EXPECT_EQ(MapAndRead("vorn_data.bin", category), "new bytes");
    EXPECT_FALSE(mFiles.FileExists("vorn_data.bin.new", category));

    EXPECT_FALSE(mFiles.RenameFile("vorn_data.bin.new", "vorn_data.bin", category));
    EXPECT_EQ(MapAndRead("vorn_data.bin", category), "new bytes");

    Write("vorn_data.bin.new", category, "newer");
    const void* data = nullptr;
    UInt32 size = 0;
    ASSERT_TRUE(mFiles.MapFile("vorn_data.bin", category, data, size));
    EXPECT_FALSE(mFiles.RenameFile("vorn_data.bin.new", "vorn_data.bin", category));
    EXPECT_TRUE(mFiles.UnmapFile(data));
    EXPECT_EQ(MapAndRead("vorn_data.bin", category), "new bytes");
    EXPECT_EQ(MapAndRead("vorn_data.bin.new", category), "newer");

    String temporary;
    ASSERT_TRUE(mFiles.GetBasePath(category, temporary));
    RemoveFolder(temporary);
}

TEST_F(Win32FileInterfaceTest, PrivateFolderIsTheApplicationsRoamingAppDataFolder)
{
    char roaming[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, roaming), S_OK);
    String folder;
    ASSERT_TRUE(mFiles.GetBasePath(Enums::FileCategory::PRIVATE, folder));
    EXPECT_STREQ(folder.GetText(), Util::JoinPaths(Util::ConvertBackslashes(roaming), "VornFileInterfaceTest").GetText());
    EXPECT_LT(folder.Find('\\'), 0);

    Write("profiles/player.dat", Enums::FileCategory::PRIVATE, std::string("DRPD\0\x01", 6));
    EXPECT_TRUE(mFiles.DirectoryExists("profiles", Enums::FileCategory::PRIVATE));
    EXPECT_FALSE(mFiles.FileExists("profiles", Enums::FileCategory::PRIVATE));
    EXPECT_TRUE(mFiles.FileExists("profiles/player.dat", Enums::FileCategory::PRIVATE));
    EXPECT_FALSE(mFiles.DirectoryExists("profiles/player.dat", Enums::FileCategory::PRIVATE));
    EXPECT_EQ(MapAndRead("profiles/player.dat", Enums::FileCategory::PRIVATE), std::string("DRPD\0\x01", 6));
    // Creating a folder that is there already succeeds.
    EXPECT_TRUE(mFiles.CreateDirectory(Util::JoinPaths(folder, "profiles")));
    RemoveFolder(folder);

    // Without an application name the folders are the user's own.
    mConfiguration.SetApplicationName("");
    ASSERT_TRUE(mFiles.GetBasePath(Enums::FileCategory::PRIVATE, folder));
    EXPECT_STREQ(folder.GetText(), Util::ConvertBackslashes(roaming).GetText());
}

TEST_F(Win32FileInterfaceTest, EveryCategoryInTheTableHasAFolderAndOthersNone)
{
    for (UInt32 category = 0; category <= 7; ++category) {
        String folder;
        EXPECT_TRUE(mFiles.GetBasePath(Enums::FileCategory(category), folder)) << category;
        EXPECT_FALSE(folder.IsEmpty()) << category;
        EXPECT_LT(folder.Find('\\'), 0) << category;
    }
    String folder = "stale";
    EXPECT_FALSE(mFiles.GetBasePath(Enums::FileCategory(8), folder));
    EXPECT_TRUE(folder.IsEmpty());
    EXPECT_FALSE(mFiles.FileExists("x", Enums::FileCategory(8)));
    const void* data = nullptr;
    UInt32 size = 0;
    EXPECT_FALSE(mFiles.MapFile("x", Enums::FileCategory(8), data, size));
}

TEST_F(Win32FileInterfaceTest, TwoThreadsMapAndUnmapAtOnce)
{
    Write("shared.bin", Enums::FileCategory::TEMPORARY, "shared bytes");
    std::atomic<int> failures{0};
    auto work = [&](const char* path, Enums::FileCategory category, UInt32 expectedSize) {
        for (int i = 0; i < 200; ++i) {
            const void* data = nullptr;
            UInt32 size = 0;
            if (!mFiles.MapFile(path, category, data, size) || size != expectedSize || !mFiles.UnmapFile(data))
                ++failures;
        }
    };
    std::thread loader(work, "APP_TEST.VORNPKG", Enums::FileCategory::RESOURCE, 300u);
    std::thread logic(work, "shared.bin", Enums::FileCategory::TEMPORARY, 12u);
    loader.join();
    logic.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(mFiles.GetNumberOfMappedViews(), 0u);
    String temporary;
    ASSERT_TRUE(mFiles.GetBasePath(Enums::FileCategory::TEMPORARY, temporary));
    RemoveFolder(temporary);
}

} // namespace
} // namespace Vorn
