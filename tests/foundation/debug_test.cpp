#include "foundation/debug.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace Vorn;

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class DebugTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mFolder = std::filesystem::temp_directory_path() /
                  ("vorn_debug_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(mFolder);
        std::filesystem::create_directories(mFolder);
    }
    void TearDown() override
    {
        Debug::ClearLogFile();
        std::filesystem::remove_all(mFolder);
    }
    std::filesystem::path mFolder;
};

} // namespace

TEST_F(DebugTest, TraceWritesLineToStandardErrorAndAppendsToLogFile)
{
    std::filesystem::path path = mFolder / "log.txt";
    { std::ofstream(path, std::ios::binary) << "before\n"; }
    Debug::SetLogFile(path.string().c_str());

    ::testing::internal::CaptureStderr();
    Debug::Trace("Util::Test::Method(): value %d", 42);
    Debug::Trace("second");
    std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(printed, "Util::Test::Method(): value 42\nsecond\n");
    EXPECT_EQ(ReadFile(path), "before\nUtil::Test::Method(): value 42\nsecond\n");
}

TEST_F(DebugTest, EmptyOrUnreachableLogFileOnlyReachesStandardError)
{
    for (const std::string& path : {std::string(), (mFolder / "missing" / "log.txt").string()}) {
        Debug::SetLogFile(path.c_str());
        ::testing::internal::CaptureStderr();
        Debug::Trace("line");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "line\n");
    }
    EXPECT_FALSE(std::filesystem::exists(mFolder / "missing"));
    EXPECT_EQ(Debug::AppendToLogFile((mFolder / "missing" / "log.txt").string().c_str(), "x"), -1);
}

TEST_F(DebugTest, LinesFromTwoThreadsNeverInterleave)
{
    std::filesystem::path path = mFolder / "log.txt";
    Debug::SetLogFile(path.string().c_str());
    ::testing::internal::CaptureStderr();
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                Debug::Trace("%s", std::string(40, char('a' + t)).c_str());
        });
    for (std::thread& thread : threads)
        thread.join();
    ::testing::internal::GetCapturedStderr();

    std::istringstream lines(ReadFile(path));
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_TRUE(line == std::string(40, 'a') || line == std::string(40, 'b')) << line;
    }
    EXPECT_EQ(count, 400);
}
