#include "foundation/debug.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace Vorn {
namespace Debug {

namespace {

char* gLogFilePath = nullptr;

// Serialises whole lines, so that lines from two threads never interleave inside a line.
std::mutex& LineMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string FormatText(const char* format, va_list arguments)
{
    va_list copy;
    va_copy(copy, arguments);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return std::string();
    std::string text(size_t(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, arguments);
    text.resize(size_t(length));
    return text;
}

SInt32 AppendText(const char* path, const std::string& text)
{
    FILE* file = std::fopen(path, "ab+");
    if (file == nullptr)
        return -1;
    size_t written = std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return SInt32(written);
}

void WriteToStandardError(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace

SInt32 Print(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::string text = FormatText(format, arguments);
    va_end(arguments);
    std::lock_guard<std::mutex> lock(LineMutex());
    WriteToStandardError(text + "\n");
    return SInt32(text.size());
}

SInt32 AppendToLogFile(const char* path, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::string text = FormatText(format, arguments);
    va_end(arguments);
    return AppendText(path, text);
}

void Trace(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::string line = FormatText(format, arguments);
    va_end(arguments);
    line += '\n';

    // The message and its line feed go out in one write, under one lock, so that the
    // line reaches the file system whole before the call returns.
    std::lock_guard<std::mutex> lock(LineMutex());
    WriteToStandardError(line);
    if (gLogFilePath != nullptr)
        AppendText(gLogFilePath, line);
}

void SetLogFile(const char* path)
{
    std::lock_guard<std::mutex> lock(LineMutex());
    std::free(gLogFilePath);
    gLogFilePath = nullptr;
    if (path != nullptr && path[0] != '\0')
        gLogFilePath = strdup(path);
}

void ClearLogFile()
{
    SetLogFile(nullptr);
}

} // namespace Debug
} // namespace Vorn
