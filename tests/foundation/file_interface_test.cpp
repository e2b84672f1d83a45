#include "foundation/data.h"
#include "foundation/file.h"
#include "foundation/file_interface.h"
#include "foundation/folder_file_interface.h"

#include "tests/support/fake_configuration.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace Vorn;
using Enums::FileAccessMode;
using Enums::FileCategory;
using Testing::Sorted;

namespace {

// Counts folder creations and can refuse them.
class RecordingFileInterface : public Platform::FolderFileInterface
{
public:
    using Platform::FolderFileInterface::FolderFileInterface;

    Bool CreateDirectory(const String& fullPath) override
    {
        ++mCreateCalls;
        mLastCreated = fullPath;
        return mRefuseCreate ? false : Platform::FolderFileInterface::CreateDirectory(fullPath);
    }

    int mCreateCalls = 0;
    String mLastCreated;
    bool mRefuseCreate = false;
};

// An open file of another kind than the one the portable file interface makes.
class ForeignFile : public IFile
{
public:
    UInt32 GetPosition() override { return 0; }
    void SetPosition(UInt32) override {}
    UInt32 GetSize() override { return 0; }
    UInt32 Read(Data&) override { return 0; }
    UInt32 Read(void*, UInt32) override { return 0; }
    UInt32 Write(const ConstData&) override { return 0; }
    UInt32 Write(const void*, UInt32) override { return 0; }
};

class FileInterfaceTest : public ::testing::Test
{
protected:
    FileInterfaceTest() : mFiles(mFolder.Get().c_str()) {}

    std::string Text(const ConstData& view)
    {
        return std::string(reinterpret_cast<const char*>(view.GetData()), view.GetSize());
    }

    Testing::TempFolder mFolder;
    RecordingFileInterface mFiles;
};

} // namespace

TEST_F(FileInterfaceTest, FullPathJoinsTheCategoryFolder)
{
    const std::string base = mFolder.Get();
    ASSERT_TRUE(mFiles.SetBasePath(FileCategory::PRIVATE, (base + "/private/").c_str()));
    struct Case
    {
        const char* path;
        FileCategory category;
        std::string expected;
    };
    const Case cases[] = {
        {"", FileCategory::RESOURCE, base},
        {"a/b.vornpkg", FileCategory::RESOURCE, base + "/a/b.vornpkg"},
        {"/save.vorn", FileCategory::PRIVATE, base + "/private/save.vorn"},
        {"", FileCategory::PRIVATE, base + "/private/"},
    };
    for (const Case& c : cases) {
        String fullPath;
        ASSERT_TRUE(mFiles.GetFullPath(c.path, c.category, fullPath)) << c.path;
        EXPECT_STREQ(fullPath.GetText(), c.expected.c_str()) << c.path;
    }

    // A category outside the table, or one without a folder, has no full paths.
    String untouched("kept");
    EXPECT_FALSE(mFiles.GetFullPath("x", FileCategory(8), untouched));
    EXPECT_FALSE(mFiles.SetBasePath(FileCategory(8), "/tmp"));
    ASSERT_TRUE(mFiles.SetBasePath(FileCategory::CACHE, ""));
    EXPECT_FALSE(mFiles.GetFullPath("x", FileCategory::CACHE, untouched));
    EXPECT_STREQ(untouched.GetText(), "kept");
}

TEST_F(FileInterfaceTest, ListsNamesBelowTheCategoryFolder)
{
    mFolder.WriteFile("packs/one.vornpkg", "1");
    mFolder.WriteFile("packs/two.vornpkg", "2");
    mFolder.WriteFile("packs/ui.vornres/package.xml", "3");

    Array<String> names;
    ASSERT_TRUE(mFiles.GetFileNames("packs", FileCategory::RESOURCE, names));
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{"one.vornpkg", "two.vornpkg"}));
    ASSERT_TRUE(mFiles.GetDirectoryNames("packs", FileCategory::RESOURCE, names));
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{".", "..", "ui.vornres"}));

    // A missing folder lists nothing but is no failure; a category without a folder is.
    ASSERT_TRUE(mFiles.GetFileNames("missing", FileCategory::RESOURCE, names));
    EXPECT_EQ(names.GetCount(), 0);
    ASSERT_TRUE(mFiles.GetDirectoryNames("missing", FileCategory::RESOURCE, names));
    EXPECT_EQ(names.GetCount(), 0);
    EXPECT_FALSE(mFiles.GetFileNames("packs", FileCategory(8), names));
    EXPECT_FALSE(mFiles.GetDirectoryNames("packs", FileCategory(8), names));
}

TEST_F(FileInterfaceTest, OpenForWritingCreatesTheFolders)
{
    IFile* file = nullptr;
    ASSERT_TRUE(mFiles.OpenFile("Vorn/Player/data.vorn", FileCategory::PRIVATE, FileAccessMode::WRITE_ONLY, true, file));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(mFiles.mCreateCalls, 1);
    EXPECT_STREQ(mFiles.mLastCreated.GetText(), mFolder.Get("Vorn/Player").c_str());
    EXPECT_EQ(file->Write(ConstData("DRPD", 4)), 4u);
    EXPECT_TRUE(mFiles.CloseFile(file));
    EXPECT_EQ(mFolder.ReadFile("Vorn/Player/data.vorn"), "DRPD");

    // Present folders are found again.
    ASSERT_TRUE(mFiles.OpenFile("Vorn/Player/data.vorn", FileCategory::PRIVATE, FileAccessMode::APPEND_ONLY, true, file));
    EXPECT_TRUE(mFiles.CloseFile(file));
}

TEST_F(FileInterfaceTest, ReadOnlyOpenNeverCreatesFolders)
{
    mFolder.WriteFile("there.txt", "x");
    IFile* file = nullptr;
    EXPECT_FALSE(mFiles.OpenFile("new/missing.txt", FileCategory::RESOURCE, FileAccessMode::READ_ONLY, true, file));
    EXPECT_EQ(file, nullptr);
    EXPECT_FALSE(std::filesystem::exists(mFolder.GetPath() / "new"));
    ASSERT_TRUE(mFiles.OpenFile("there.txt", FileCategory::RESOURCE, FileAccessMode::READ_ONLY, true, file));
    EXPECT_TRUE(mFiles.CloseFile(file));
    EXPECT_EQ(mFiles.mCreateCalls, 0);
}

TEST_F(FileInterfaceTest, OpenFailsWhenFoldersAreMissingOrRefused)
{
    IFile* file = nullptr;
    // Without folder creation the missing folder stays missing.
    EXPECT_FALSE(mFiles.OpenFile("sub/file", FileCategory::CURRENT, FileAccessMode::WRITE_ONLY, false, file));
    EXPECT_EQ(mFiles.mCreateCalls, 0);

    mFiles.mRefuseCreate = true;
    EXPECT_FALSE(mFiles.OpenFile("sub/file", FileCategory::CURRENT, FileAccessMode::WRITE_ONLY, true, file));
    EXPECT_EQ(mFiles.mCreateCalls, 1);
    EXPECT_EQ(file, nullptr);
    EXPECT_FALSE(std::filesystem::exists(mFolder.GetPath() / "sub"));

    EXPECT_FALSE(mFiles.OpenFile("file", FileCategory(8), FileAccessMode::WRITE_ONLY, true, file));
}

TEST_F(FileInterfaceTest, CloseFileDestroysEvenAClosedFile)
{
    IFile* file = nullptr;
    ASSERT_TRUE(mFiles.OpenFile("closed", FileCategory::CURRENT, FileAccessMode::WRITE_ONLY, false, file));
    ASSERT_TRUE(static_cast<Platform::File*>(file)->Close());
    // Destroyed all the same (the address sanitizer reports a leak otherwise), but reported.
    EXPECT_FALSE(mFiles.CloseFile(file));

    ForeignFile foreign;
    EXPECT_FALSE(mFiles.CloseFile(&foreign));
    EXPECT_FALSE(mFiles.CloseFile(nullptr));
}

TEST_F(FileInterfaceTest, LoadMapsIntoAViewUntilUnload)
{
    mFolder.WriteFile("main.vornpkg", "RPKG-bytes");
    mFolder.WriteFile("empty.bin", "");
    ConstData view;
    ASSERT_TRUE(mFiles.LoadFile("main.vornpkg", FileCategory::RESOURCE, &view));
    EXPECT_EQ(Text(view), "RPKG-bytes");
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);

    ConstData empty;
    ASSERT_TRUE(mFiles.LoadFile("empty.bin", FileCategory::RESOURCE, &empty));
    EXPECT_EQ(empty.GetSize(), 0u);

    ASSERT_TRUE(mFiles.UnloadFile(&view));
    EXPECT_EQ(view.GetData(), nullptr);
    EXPECT_EQ(view.GetSize(), 0u);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);
    // Unloading the emptied view again has nothing to unmap.
    EXPECT_FALSE(mFiles.UnloadFile(&view));
    EXPECT_FALSE(mFiles.UnloadFile(nullptr));
    // The interface frees what is still mapped when it goes.
}

TEST_F(FileInterfaceTest, UnloadOfAForeignViewLeavesItAlone)
{
    const char bytes[] = "not mapped";
    ConstData view(bytes, 10);
    EXPECT_FALSE(mFiles.UnloadFile(&view));
    EXPECT_EQ(view.GetData(), reinterpret_cast<const UInt8*>(bytes));
    EXPECT_EQ(view.GetSize(), 10u);
}

// Loading fails silently: the callers write the message.
TEST_F(FileInterfaceTest, LoadRefusesAnOwningBuffer)
{
    mFolder.WriteFile("main.vornpkg", "bytes");
    Data buffer;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mFiles.LoadFile("main.vornpkg", FileCategory::RESOURCE, &buffer));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
}

TEST_F(FileInterfaceTest, LoadOfAMissingFileFailsSilently)
{
    const char bytes[] = "before";
    ConstData view(bytes, 6);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mFiles.LoadFile("missing.vornpkg", FileCategory::RESOURCE, &view));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log, "");
    EXPECT_EQ(view.GetData(), reinterpret_cast<const UInt8*>(bytes));
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
}

TEST_F(FileInterfaceTest, ExistenceTestsTellFilesFromFolders)
{
    mFolder.WriteFile("dir/file.txt", "x");
    EXPECT_TRUE(mFiles.FileExists("dir/file.txt", FileCategory::RESOURCE));
    EXPECT_FALSE(mFiles.FileExists("dir", FileCategory::RESOURCE));
    EXPECT_TRUE(mFiles.DirectoryExists("dir", FileCategory::RESOURCE));
    EXPECT_TRUE(mFiles.DirectoryExists("", FileCategory::RESOURCE));
    EXPECT_FALSE(mFiles.DirectoryExists("dir/file.txt", FileCategory::RESOURCE));
    EXPECT_FALSE(mFiles.FileExists("nothing", FileCategory::RESOURCE));
    EXPECT_FALSE(mFiles.FileExists("dir/file.txt", FileCategory(8)));
}

TEST(FileInterfaceDestroyTest, DestroyClearsTheHolder)
{
    IFileInterface* files = new Platform::FolderFileInterface(".");
    Platform::DestroyFileInterface(files);
    EXPECT_EQ(files, nullptr);
    Platform::DestroyFileInterface(files);
    EXPECT_EQ(files, nullptr);

    IConfiguration* configuration = new Testing::FakeConfiguration();
    Platform::DestroyConfiguration(configuration);
    EXPECT_EQ(configuration, nullptr);
    Platform::DestroyConfiguration(configuration);
    EXPECT_EQ(configuration, nullptr);
}
