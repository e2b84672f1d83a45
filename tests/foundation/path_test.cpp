#include "foundation/path.h"

#include <gtest/gtest.h>

using namespace Vorn;

namespace {

struct PathCase
{
    const char* path;
    const char* expected;
};

TEST(PathTest, GetFilePathIsTheTextBeforeTheLastSlash)
{
    const PathCase cases[] = {
        {"x/y/z.png", "x/y"}, {"/z.png", ""}, {"z.png", ""}, {"x/", "x"}, {"", ""}, {"a//b", "a/"},
    };
    for (const PathCase& item : cases)
        EXPECT_EQ(Util::GetFilePath(item.path), item.expected) << item.path;
}

TEST(PathTest, GetFileExtensionIsTheTextAfterTheLastDotAnywhere)
{
    const PathCase cases[] = {
        {"a/b.png", "png"}, {"a.tar.gz", "gz"}, {"dir.old/file", "old/file"}, {"file.", ""}, {"file", ""}, {"", ""},
    };
    for (const PathCase& item : cases)
        EXPECT_EQ(Util::GetFileExtension(item.path), item.expected) << item.path;
}

TEST(PathTest, ConvertBackslashesTurnsEveryBackslashIntoASlash)
{
    const PathCase cases[] = {
        {"C:\\Users\\me\\", "C:/Users/me/"}, {"\\\\a", "//a"}, {"a/b", "a/b"}, {"", ""},
        {"a\\this text is longer than thirty-two bytes", "a/this text is longer than thirty-two bytes"},
    };
    for (const PathCase& item : cases)
        EXPECT_EQ(Util::ConvertBackslashes(item.path), item.expected) << item.path;
}

struct JoinCase
{
    const char* a;
    const char* b;
    const char* expected;
};

TEST(PathTest, JoinPathsLeavesOneSlashAtTheSeam)
{
    const JoinCase cases[] = {
        {"a/", "/b", "a/b"}, {"a", "b", "a/b"}, {"a//", "/b", "a//b"}, {"", "/b", "/b"}, {"a/", "", "a/"},
        {"a/", "b", "a/b"}, {"a", "/b", "a/b"}, {"", "", ""}, {"/", "/", "/"},
    };
    for (const JoinCase& item : cases)
        EXPECT_EQ(Util::JoinPaths(item.a, item.b), item.expected) << item.a << " + " << item.b;
}

} // namespace
