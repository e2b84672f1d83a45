#include "foundation/data.h"
#include "foundation/file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace Vorn;
using Enums::FileAccessMode;
using Testing::Sorted;

TEST(FileTest, AccessModesOpenAsTheirTableSays)
{
    // Each case opens "abcd" (or no file), reads what it can, then writes "XY" at the start.
    struct Case
    {
        FileAccessMode mode;
        bool existing;
        bool opens;
        SInt32 bytesRead; // -1: not checked (the runtimes differ for append streams)
        const char* contentAfter; // null: the file does not exist afterwards
    };
    const FileAccessMode unknown = FileAccessMode(99);
    const Case cases[] = {
        {FileAccessMode::READ_ONLY, true, true, 4, "abcd"},
        {FileAccessMode::READ_ONLY, false, false, 0, nullptr},
        {FileAccessMode::WRITE_ONLY, true, true, 0, "XY"},
        {FileAccessMode::WRITE_ONLY, false, true, 0, "XY"},
        // Reading and writing keeps an existing file's bytes and creates a missing file.
        {FileAccessMode::READ_AND_WRITE, true, true, 4, "XYcd"},
        {FileAccessMode::READ_AND_WRITE, false, true, 0, "XY"},
        {FileAccessMode::APPEND_ONLY, true, true, -1, "abcdXY"},
        {FileAccessMode::APPEND_ONLY, false, true, -1, "XY"},
        {FileAccessMode::READ_AND_APPEND, true, true, -1, "abcdXY"},
        {FileAccessMode::READ_AND_APPEND, false, true, -1, "XY"},
        {unknown, true, true, 4, "abcd"},
        {unknown, false, false, 0, nullptr},
    };
    Testing::TempFolder folder;
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << UInt32(c.mode) << (c.existing ? " existing" : " missing"));
        const std::string name = "file" + std::to_string(index++);
        if (c.existing)
            folder.WriteFile(name, "abcd");
        Platform::File file(folder.Get(name).c_str(), c.mode);
        EXPECT_EQ(file.GetAccessMode(), c.mode);
        ASSERT_EQ(file.Open(), c.opens);
        if (c.opens) {
            char buffer[8] = {};
            const UInt32 read = file.Read(buffer, sizeof(buffer));
            if (c.bytesRead >= 0) {
                EXPECT_EQ(read, UInt32(c.bytesRead));
            }
            file.SetPosition(0);
            file.Write("XY", 2);
            EXPECT_TRUE(file.Close());
        }
        EXPECT_EQ(std::filesystem::exists(folder.GetPath() / name), c.contentAfter != nullptr);
        if (c.contentAfter != nullptr) {
            EXPECT_EQ(folder.ReadFile(name), c.contentAfter);
        }
    }
}

TEST(FileTest, SizeAndPositionOfAnOpenFile)
{
    Testing::TempFolder folder;
    Platform::File file(folder.Get("sized").c_str(), FileAccessMode::WRITE_ONLY);
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.Write(ConstData("0123456789", 10)), 10u);
    file.SetPosition(3);
    EXPECT_EQ(file.GetSize(), 10u);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_TRUE(file.Close());

    Platform::File reader(folder.Get("sized").c_str(), FileAccessMode::READ_ONLY);
    ASSERT_TRUE(reader.Open());
    Data data;
    data.Resize(4);
    reader.SetPosition(2);
    EXPECT_EQ(reader.Read(data), 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.GetData()), 4), "2345");
    data.Resize(16);
    EXPECT_EQ(reader.Read(data), 4u) << "only the rest of the file is read";
    EXPECT_TRUE(reader.Close());
}

TEST(FileTest, ClosedFileGivesZeroAndRefusesToClose)
{
    Testing::TempFolder folder;
    Platform::File file(folder.Get("never").c_str(), FileAccessMode::READ_ONLY);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.GetSize(), 0u);
    file.SetPosition(5);
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    EXPECT_EQ(file.Write("ab", 2), 0u);
    EXPECT_FALSE(file.Close());
}

TEST(FileTest, SystemFileClosesOnceAndOnDestruction)
{
    Testing::TempFolder folder;
    {
        System::File file(folder.Get("system").c_str());
        ASSERT_TRUE(file.Open(FileAccessMode::WRITE_ONLY));
        EXPECT_FALSE(file.Open(FileAccessMode::WRITE_ONLY)) << "already open";
        std::fputs("kept", file.GetStream());
        EXPECT_TRUE(file.Close());
        EXPECT_FALSE(file.Close());
        ASSERT_TRUE(file.Open(FileAccessMode::APPEND_ONLY));
        std::fputs("!", file.GetStream());
        // The destructor closes and flushes.
    }
    EXPECT_EQ(folder.ReadFile("system"), "kept!");
}

TEST(FileTest, ListsFilesAndFoldersApart)
{
    Testing::TempFolder folder;
    folder.WriteFile("b.bin", "1");
    folder.WriteFile("a.txt", "2");
    folder.WriteFile("sub2/inner.txt", "3");
    std::filesystem::create_directories(folder.GetPath() / "sub1");

    EXPECT_EQ(Sorted(System::File::GetFileNames(folder.Get().c_str())), (std::vector<std::string>{"a.txt", "b.bin"}));
    // The listing is the system's own: the current and parent entries stay in it.
    EXPECT_EQ(Sorted(System::File::GetDirectoryNames(folder.Get().c_str())),
              (std::vector<std::string>{".", "..", "sub1", "sub2"}));
    EXPECT_EQ(Sorted(System::File::GetFileNames(folder.Get("sub2").c_str())), (std::vector<std::string>{"inner.txt"}));
}

TEST(FileTest, ListingAMissingFolderGivesNothing)
{
    Testing::TempFolder folder;
    folder.WriteFile("plain", "x");
    for (const std::string& path : {folder.Get("missing"), folder.Get("plain"), std::string()}) {
        EXPECT_EQ(System::File::GetFileNames(path.c_str()).GetCount(), 0) << path;
        EXPECT_EQ(System::File::GetDirectoryNames(path.c_str()).GetCount(), 0) << path;
    }
}
