// UTF-16 copies of the engine's UTF-8 texts, for the wide Windows functions (window titles,
// shell links, GDI text).
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Win32 {

class WChars
{
public:
    WChars() = default;
    explicit WChars(const char* text) { Set(text); }
    virtual ~WChars();

    // Converts the zero-terminated UTF-8 text and returns the buffer, which holds the UTF-16 text
    // and its terminating zero; null gives the empty text. Returns null (one log line) when the
    // text does not convert or is too long; the old buffer is gone either way.
    const wchar_t* Set(const char* text);
    // The converted text; null before a successful Set.
    const wchar_t* Get() const { return mBuffer; }
    // UTF-16 units, without the terminating zero.
    UInt32 GetLength() const { return mLength; }

private:
    WChars(const WChars&) = delete;
    WChars& operator=(const WChars&) = delete;

    void Release();

    wchar_t* mBuffer = nullptr;
    UInt32 mLength = 0;
};

} // namespace Win32
} // namespace Vorn
