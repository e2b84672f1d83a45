// A fresh folder under the system's temporary folder for one test, removed with the object.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "foundation/array.h"
#include "foundation/string.h"

namespace Vorn {
namespace Testing {

class TempFolder
{
public:
    // The folder name carries the test's suite and name and the process, so that test programs
    // running at the same time never share one, even when two builds run the same test.
    TempFolder()
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "vorn_";
        if (test != nullptr)
            name += std::string(test->test_suite_name()) + "_" + test->name();
#ifdef _WIN32
        name += "_" + std::to_string(_getpid());
#else
        name += "_" + std::to_string(getpid());
#endif
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        mPath = std::filesystem::temp_directory_path() / name;
        std::error_code error;
        std::filesystem::remove_all(mPath, error);
        std::filesystem::create_directories(mPath);
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(mPath, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& GetPath() const { return mPath; }
    // The folder, or a path inside it, with forward slashes as the engine writes paths.
    std::string Get(const std::string& relative = std::string()) const
    {
        return (relative.empty() ? mPath : mPath / relative).generic_string();
    }

    // Writes a file below the folder, creating its folders; returns its path.
    std::string WriteFile(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path path = mPath / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.generic_string();
    }
    std::string ReadFile(const std::string& relative) const
    {
        std::ifstream file(mPath / relative, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    std::filesystem::path mPath;
};

// The names of a folder listing, sorted, to compare with the names expected in any order.
inline std::vector<std::string> Sorted(const Array<String>& names)
{
    std::vector<std::string> result;
    for (const String& name : names)
        result.push_back(name.GetText());
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace Testing
} // namespace Vorn
