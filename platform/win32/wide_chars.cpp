#include <windows.h>

#include "platform/win32/wide_chars.h"

#include <cstring>
#include <limits>
#include <new>

#include "foundation/debug.h"

namespace Vorn {
namespace Win32 {

WChars::~WChars()
{
    Release();
}

void WChars::Release()
{
    delete[] mBuffer;
    mBuffer = nullptr;
    mLength = 0;
}

const wchar_t* WChars::Set(const char* text)
{
    Release();
    if (text == nullptr)
        text = "";
    const size_t bytes = std::strlen(text);
    if (bytes >= size_t(std::numeric_limits<int>::max())) {
        Debug::Trace("Win32::WChars::Set(): Text of %zu bytes is too long", bytes);
        return nullptr;
    }
    // The terminating zero is converted with the text, so an empty text still gives one unit.
    const int units = MultiByteToWideChar(CP_UTF8, 0, text, int(bytes) + 1, nullptr, 0);
    if (units <= 0) {
        Debug::Trace("Win32::WChars::Set(): Failed to convert text");
        return nullptr;
    }
    if (size_t(units) > std::numeric_limits<size_t>::max() / sizeof(wchar_t)) {
        Debug::Trace("Win32::WChars::Set(): Text of %d units is too long", units);
        return nullptr;
    }
    wchar_t* buffer = new (std::nothrow) wchar_t[size_t(units)];
    if (buffer == nullptr) {
        Debug::Trace("Win32::WChars::Set(): Out of memory for %d units", units);
        return nullptr;
    }
    if (MultiByteToWideChar(CP_UTF8, 0, text, int(bytes) + 1, buffer, units) != units) {
        delete[] buffer;
        Debug::Trace("Win32::WChars::Set(): Failed to convert text");
        return nullptr;
    }
    mBuffer = buffer;
    mLength = UInt32(units - 1);
    return mBuffer;
}

} // namespace Win32
} // namespace Vorn
