// The engine's text type: a 16-byte value holding a zero-terminated byte sequence (UTF-8 by
// convention). Short texts live inside the object, long ones in counted blocks shared by copies.
// Its hash is stored in files and drives every hash index, so the 16-byte image of a short text
// and the hash function below must never change.
#pragma once

#include <cstring>

#include "foundation/types.h"

namespace Vorn {

namespace Util {

// Hash of a byte range: h = 1234567890, then h = (h * 31) xor byte for every byte.
UInt32 GetHash(const void* data, UInt32 size);

} // namespace Util

// Object layout (x86-64):
//   inline form: text in bytes 0-13, zero bytes up to byte 14 (the tag, 0), length in byte 15;
//   own block:   address in bytes 0-7, length in bytes 8-11, tag 31 in byte 14, 15 in byte 15;
//                the block is 32 bytes (31 text bytes and the terminating zero), never shared;
//   shared block: address of the text part in bytes 0-7, length in bytes 8-11, tag
//                min(capacity, 255) in byte 14, 15 in byte 15; the block is
//                {UInt32 reference count; UInt32 capacity; capacity + 1 text bytes}.
// The reference count is a plain counter: a String and its copies are used by one thread at a time.
class String
{
public:
    // The empty text; path helpers and lookups that find nothing hand out copies of it.
    static const String Empty;

    constexpr String() : mBytes{} {}
    String(const char* text); // null gives the empty text
    String(const char* text, SInt32 length);
    String(const String& other);
    String(String&& other) noexcept;
    ~String() { if (mBytes[kTagByte] != 0) ReleaseText(); }

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator=(const char* text); // text may point into this String's own text

    // Length in bytes, without the terminating zero.
    SInt32 GetLength() const
    {
        if (mBytes[kTagByte] == 0)
            return SInt32(UInt8(mBytes[kInlineLengthByte]));
        SInt32 length;
        std::memcpy(&length, mBytes + kLengthOffset, sizeof(length));
        return length;
    }
    // The zero-terminated text; valid until this String changes or is destroyed.
    const char* GetText() const
    {
        if (mBytes[kTagByte] == 0)
            return mBytes;
        const char* text;
        std::memcpy(&text, mBytes, sizeof(text));
        return text;
    }
    Bool IsEmpty() const { return GetLength() == 0; }
    // Byte at a position inside the text (0 at the position of the terminating zero).
    char operator[](SInt32 position) const { return GetText()[position]; }

    // Releases the text; the String becomes the empty inline text (all 16 bytes zero).
    void Clear();

    // A result longer than a String holds (2^31 - 1 bytes) is refused with a log line and the
    // text stays unchanged; so in Insert, which then returns null.
    void Append(const char* bytes, SInt32 count);
    void Append(char byte); // leaves the text in a heap block
    String& operator+=(const String& other);
    String& operator+=(const char* text);
    String& operator+=(char byte);
    String operator+(const char* text) const; // null appends nothing
    String operator+(const String& other) const;
    friend String operator+(const char* text, const String& string);

    // Opens a gap of count bytes at position, copies source into it when given (source may
    // point into this text) and returns the address of the gap for the caller to fill.
    char* Insert(SInt32 position, SInt32 count, const char* source);
    // Removes count bytes at position; the range is clamped to the text.
    void Remove(SInt32 position, SInt32 count);
    // Gives a text shared with other Strings a private copy.
    void MakeUnique();
    // Removes the last UTF-8 character; false when the text is empty.
    Bool RemoveLastUtf8Char();

    // Substrings; start and count are clamped to the text.
    String Mid(SInt32 start, SInt32 count) const;
    String Mid(SInt32 start) const;
    String Left(SInt32 count) const;

    // First position at or after start where the count bytes occur; -1 when none or when
    // start lies outside the text.
    SInt32 Find(const char* bytes, SInt32 count, SInt32 start = 0) const;
    SInt32 Find(const String& text, SInt32 start = 0) const;
    // First position at or after start holding the byte; -1 when none.
    SInt32 Find(char byte, SInt32 start = 0) const;
    // Last occurrence of the count bytes that ends at or before position start; -1 when none
    // or when start is not below the length.
    SInt32 FindLast(const char* bytes, SInt32 count, SInt32 start) const;
    // First position whose byte is one of the count bytes of the set (zero bytes included); -1 when none.
    SInt32 FindFirstOf(const char* set, SInt32 count) const;

    Bool StartsWith(const char* bytes, SInt32 count) const;
    Bool StartsWith(const char* text) const;
    Bool StartsWith(const String& text) const;
    Bool EndsWith(const char* bytes, SInt32 count) const;
    Bool EndsWith(const char* text) const;
    Bool EndsWith(const String& text) const;

    // Three-way comparisons, bytes taken as unsigned; zero when equal.
    SInt32 Compare(const char* text) const; // null compares as the empty text
    SInt32 Compare(const String& other) const;
    Bool Differs(const String& other) const;
    Bool operator==(const String& other) const { return !Differs(other); }
    Bool operator!=(const String& other) const { return Differs(other); }
    Bool operator==(const char* text) const { return Compare(text) == 0; }
    Bool operator!=(const char* text) const { return Compare(text) != 0; }
    Bool operator<(const String& other) const { return Compare(other) < 0; }

    // Number of UTF-8 characters (bytes that are not continuation bytes).
    SInt32 Utf8Length() const;
    // Copy with A-Z and the UTF-8 upper-case A, O and U with diaeresis in lower case.
    String ToLower() const;
    // Copy without leading and trailing spaces, tabs, line feeds, carriage returns, form and vertical feeds.
    String Trim() const;

    // Hash of the text: a text shorter than 15 bytes is hashed as its 16-byte inline image
    // (whatever form it is held in), a longer one as its bytes.
    UInt32 GetHash() const;

private:
    static constexpr SInt32 kInlineCapacity = 14;
    static constexpr SInt32 kOwnBlockSize = 32;
    static constexpr SInt32 kOwnBlockCapacity = 31;
    static constexpr SInt32 kLengthOffset = 8;
    static constexpr SInt32 kTagByte = 14;
    static constexpr SInt32 kInlineLengthByte = 15;
    static constexpr UInt8 kTagOwnBlock = 31;
    static constexpr UInt8 kHeapLengthMarker = 15;

    struct SharedHeader
    {
        UInt32 references;
        UInt32 capacity;
    };

    UInt8 GetTag() const { return UInt8(mBytes[kTagByte]); }
    char* GetHeapText() const;
    SharedHeader* GetSharedHeader() const;
    SInt32 GetCapacity() const;
    Bool IsShared() const;
    Bool PointsIntoText(const char* pointer) const;
    char* GetWritableText();
    void SetLength(SInt32 length);
    void SetHeap(char* text, SInt32 length, UInt8 tag);
    void Build(const char* text, SInt32 length);
    void CopyFrom(const String& other);
    void ReleaseText();
    static char* AllocateOwnBlock();
    static char* AllocateSharedBlock(SInt32 capacity);

    alignas(8) char mBytes[16];
};

static_assert(sizeof(String) == 16, "String must stay a 16-byte value");

} // namespace Vorn
