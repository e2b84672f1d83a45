#include "foundation/string.h"

#include <cstdint>
#include <new>
#include <utility>

#include "foundation/debug.h"

namespace Vorn {

namespace Util {

UInt32 GetHash(const void* data, UInt32 size)
{
    const UInt8* bytes = static_cast<const UInt8*>(data);
    UInt32 hash = 1234567890u;
    for (UInt32 i = 0; i < size; ++i)
        hash = (hash * 31u) ^ bytes[i];
    return hash;
}

} // namespace Util

constinit const String String::Empty;

namespace {

// Lengths are SInt32 throughout; a longer text is refused rather than wrapped.
constexpr SInt32 kMaxLength = 0x7FFFFFFF;

// -1 (which every caller takes as nothing to add) for a text longer than a String holds.
SInt32 TextLength(const char* text)
{
    if (text == nullptr)
        return 0;
    const size_t length = std::strlen(text);
    if (length > size_t(kMaxLength)) {
        Debug::Trace("String::String(): Text of %zu bytes is longer than a String holds", length);
        return -1;
    }
    return SInt32(length);
}

// True when count more bytes would not fit; logs the refusal under the operation's name.
Bool IsTooLong(const char* operation, SInt32 length, SInt32 count)
{
    if (count <= kMaxLength - length)
        return false;
    Debug::Trace("String::%s(): Adding %d bytes to a text of %d bytes is longer than a String holds", operation,
                 count, length);
    return true;
}

SInt32 Clamp(SInt32 value, SInt32 low, SInt32 high)
{
    return value < low ? low : (value > high ? high : value);
}

} // namespace

// ---- storage ----------------------------------------------------------------------------

char* String::GetHeapText() const
{
    char* text;
    std::memcpy(&text, mBytes, sizeof(text));
    return text;
}

String::SharedHeader* String::GetSharedHeader() const
{
    return reinterpret_cast<SharedHeader*>(GetHeapText() - sizeof(SharedHeader));
}

SInt32 String::GetCapacity() const
{
    const UInt8 tag = GetTag();
    if (tag == 0)
        return kInlineCapacity;
    if (tag == kTagOwnBlock)
        return kOwnBlockCapacity;
    if (tag < 255)
        return tag;
    return SInt32(GetSharedHeader()->capacity);
}

Bool String::IsShared() const
{
    return GetTag() > kTagOwnBlock && GetSharedHeader()->references > 1;
}

Bool String::PointsIntoText(const char* pointer) const
{
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(pointer);
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(GetText());
    return address >= first && address <= first + std::uintptr_t(GetLength());
}

char* String::GetWritableText()
{
    return GetTag() == 0 ? mBytes : GetHeapText();
}

void String::SetLength(SInt32 length)
{
    if (GetTag() == 0)
        mBytes[kInlineLengthByte] = char(length);
    else
        std::memcpy(mBytes + kLengthOffset, &length, sizeof(length));
}

void String::SetHeap(char* text, SInt32 length, UInt8 tag)
{
    std::memset(mBytes, 0, sizeof(mBytes));
    std::memcpy(mBytes, &text, sizeof(text));
    std::memcpy(mBytes + kLengthOffset, &length, sizeof(length));
    mBytes[kTagByte] = char(tag);
    mBytes[kInlineLengthByte] = char(kHeapLengthMarker);
}

char* String::AllocateOwnBlock()
{
    return static_cast<char*>(::operator new(kOwnBlockSize));
}

char* String::AllocateSharedBlock(SInt32 capacity)
{
    char* block = static_cast<char*>(::operator new(sizeof(SharedHeader) + size_t(capacity) + 1));
    SharedHeader header = {1, UInt32(capacity)};
    std::memcpy(block, &header, sizeof(header));
    return block + sizeof(SharedHeader);
}

static UInt8 SharedTag(SInt32 capacity)
{
    return capacity < 255 ? UInt8(capacity) : UInt8(255);
}

// Fills the whole object from the bytes; the form follows the length alone.
void String::Build(const char* text, SInt32 length)
{
    if (text == nullptr || length <= 0) {
        std::memset(mBytes, 0, sizeof(mBytes));
        return;
    }
    if (length <= kInlineCapacity) {
        std::memset(mBytes, 0, sizeof(mBytes));
        std::memcpy(mBytes, text, size_t(length));
        mBytes[kInlineLengthByte] = char(length);
        return;
    }
    char* block;
    UInt8 tag;
    if (length <= kOwnBlockCapacity) {
        block = AllocateOwnBlock();
        tag = kTagOwnBlock;
    } else {
        block = AllocateSharedBlock(length);
        tag = SharedTag(length);
    }
    std::memcpy(block, text, size_t(length));
    block[length] = 0;
    SetHeap(block, length, tag);
}

void String::CopyFrom(const String& other)
{
    const UInt8 tag = other.GetTag();
    if (tag == 0) {
        std::memcpy(mBytes, other.mBytes, sizeof(mBytes));
    } else if (tag == kTagOwnBlock) {
        const SInt32 length = other.GetLength();
        char* block = AllocateOwnBlock();
        std::memcpy(block, other.GetHeapText(), size_t(length) + 1);
        SetHeap(block, length, kTagOwnBlock);
    } else {
        ++other.GetSharedHeader()->references;
        std::memcpy(mBytes, other.mBytes, sizeof(mBytes));
    }
}

void String::ReleaseText()
{
    const UInt8 tag = GetTag();
    if (tag == 0)
        return;
    if (tag == kTagOwnBlock) {
        ::operator delete(GetHeapText());
        return;
    }
    SharedHeader* header = GetSharedHeader();
    if (--header->references == 0)
        ::operator delete(static_cast<void*>(header));
}

// ---- construction and assignment --------------------------------------------------------

String::String(const char* text)
{
    Build(text, TextLength(text));
}

String::String(const char* text, SInt32 length)
{
    Build(text, length);
}

String::String(const String& other)
{
    CopyFrom(other);
}

String::String(String&& other) noexcept
{
    std::memcpy(mBytes, other.mBytes, sizeof(mBytes));
    std::memset(other.mBytes, 0, sizeof(other.mBytes));
}

String& String::operator=(const String& other)
{
    if (this == &other)
        return *this;
    ReleaseText();
    CopyFrom(other);
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this == &other)
        return *this;
    ReleaseText();
    std::memcpy(mBytes, other.mBytes, sizeof(mBytes));
    std::memset(other.mBytes, 0, sizeof(other.mBytes));
    return *this;
}

String& String::operator=(const char* text)
{
    if (text != nullptr && PointsIntoText(text)) {
        String copy(text);
        *this = std::move(copy);
        return *this;
    }
    ReleaseText();
    Build(text, TextLength(text));
    return *this;
}

void String::Clear()
{
    ReleaseText();
    std::memset(mBytes, 0, sizeof(mBytes));
}

// ---- changes ----------------------------------------------------------------------------

void String::Append(const char* bytes, SInt32 count)
{
    if (bytes == nullptr || count <= 0 || IsTooLong("Append", GetLength(), count))
        return;
    const UInt8 tag = GetTag();
    if (tag == 0) {
        const SInt32 length = SInt32(UInt8(mBytes[kInlineLengthByte]));
        const SInt32 newLength = length + count;
        if (newLength < kInlineCapacity) {
            std::memmove(mBytes + length, bytes, size_t(count));
            mBytes[newLength] = 0;
            mBytes[kInlineLengthByte] = char(newLength);
            return;
        }
        Insert(length, count, bytes);
        return;
    }
    SInt32 length;
    std::memcpy(&length, mBytes + kLengthOffset, sizeof(length));
    const SInt32 newLength = length + count;
    char* text = GetHeapText();
    Bool fits = newLength < kOwnBlockCapacity;
    if (tag != kTagOwnBlock) {
        const SharedHeader* header = GetSharedHeader();
        fits = header->references == 1 && newLength < (tag < 255 ? SInt32(tag) : SInt32(header->capacity));
    }
    if (fits) {
        std::memmove(text + length, bytes, size_t(count));
        text[newLength] = 0;
        std::memcpy(mBytes + kLengthOffset, &newLength, sizeof(newLength));
        return;
    }
    Insert(length, count, bytes);
}

void String::Append(char byte)
{
    if (IsTooLong("Append", GetLength(), 1))
        return;
    if (GetTag() == 0) {
        const SInt32 length = GetLength();
        char* block = AllocateOwnBlock();
        std::memcpy(block, mBytes, sizeof(mBytes));
        SetHeap(block, length, kTagOwnBlock);
    }
    const SInt32 length = GetLength();
    if (length + 1 <= GetCapacity() && !IsShared()) {
        char* text = GetHeapText();
        text[length] = byte;
        text[length + 1] = 0;
        SetLength(length + 1);
        return;
    }
    char* gap = Insert(length, 1, nullptr);
    gap[0] = byte;
    gap[1] = 0;
}

String& String::operator+=(const String& other)
{
    Append(other.GetText(), other.GetLength());
    return *this;
}

String& String::operator+=(const char* text)
{
    Append(text, TextLength(text));
    return *this;
}

String& String::operator+=(char byte)
{
    Append(byte);
    return *this;
}

String String::operator+(const char* text) const
{
    String result(*this);
    result.Append(text, TextLength(text));
    return result;
}

String String::operator+(const String& other) const
{
    String result(*this);
    result.Append(other.GetText(), other.GetLength());
    return result;
}

String operator+(const char* text, const String& string)
{
    String result(text);
    result.Append(string.GetText(), string.GetLength());
    return result;
}

char* String::Insert(SInt32 position, SInt32 count, const char* source)
{
    const SInt32 length = GetLength();
    position = Clamp(position, 0, length);
    if (count < 0)
        count = 0;
    if (IsTooLong("Insert", length, count))
        return nullptr;
    const SInt32 newLength = length + count;

    if (newLength < GetCapacity() && !IsShared() && (source == nullptr || !PointsIntoText(source))) {
        char* text = GetWritableText();
        std::memmove(text + position + count, text + position, size_t(length - position));
        text[newLength] = 0;
        SetLength(newLength);
        if (source != nullptr)
            std::memcpy(text + position, source, size_t(count));
        return text + position;
    }

    const SInt64 doubled = SInt64(length) * 2;
    const SInt32 capacity = doubled > newLength ? SInt32(doubled < kMaxLength ? doubled : kMaxLength) : newLength;
    char* block;
    UInt8 tag;
    if (capacity < kOwnBlockSize) {
        block = AllocateOwnBlock();
        tag = kTagOwnBlock;
    } else {
        block = AllocateSharedBlock(capacity);
        tag = SharedTag(capacity);
    }
    const char* old = GetText();
    std::memcpy(block, old, size_t(position));
    std::memcpy(block + position + count, old + position, size_t(length - position));
    // The source may point into the old text, which is released only afterwards.
    if (source != nullptr)
        std::memcpy(block + position, source, size_t(count));
    block[newLength] = 0;
    ReleaseText();
    SetHeap(block, newLength, tag);
    return block + position;
}

void String::Remove(SInt32 position, SInt32 count)
{
    const SInt32 length = GetLength();
    position = Clamp(position, 0, length);
    count = Clamp(count, 0, length - position);
    if (count == 0)
        return;
    MakeUnique();
    char* text = GetWritableText();
    const SInt32 newLength = length - count;
    std::memmove(text + position, text + position + count, size_t(length - position - count) + 1);
    if (GetTag() == 0)
        std::memset(mBytes + newLength, 0, size_t(kTagByte + 1 - newLength));
    SetLength(newLength);
}

void String::MakeUnique()
{
    if (!IsShared())
        return;
    const SInt32 length = GetLength();
    char* block;
    UInt8 tag;
    if (length < kOwnBlockSize) {
        block = AllocateOwnBlock();
        tag = kTagOwnBlock;
    } else {
        block = AllocateSharedBlock(length);
        tag = SharedTag(length);
    }
    std::memcpy(block, GetHeapText(), size_t(length) + 1);
    --GetSharedHeader()->references;
    SetHeap(block, length, tag);
}

Bool String::RemoveLastUtf8Char()
{
    const SInt32 length = GetLength();
    if (length == 0)
        return false;
    const char* text = GetText();
    SInt32 position = length - 1;
    while (position > 0 && (UInt8(text[position]) & 0xC0) == 0x80)
        --position;
    Remove(position, length - position);
    return true;
}

// ---- substrings and searches ------------------------------------------------------------

String String::Mid(SInt32 start, SInt32 count) const
{
    const SInt32 length = GetLength();
    start = Clamp(start, 0, length);
    count = Clamp(count, 0, length - start);
    return String(GetText() + start, count);
}

String String::Mid(SInt32 start) const
{
    const SInt32 length = GetLength();
    start = Clamp(start, 0, length);
    return Mid(start, length - start);
}

String String::Left(SInt32 count) const
{
    return Mid(0, count);
}

SInt32 String::Find(const char* bytes, SInt32 count, SInt32 start) const
{
    const SInt32 length = GetLength();
    if (count < 0 || start < 0 || start > length - count)
        return -1;
    if (count == 0)
        return start;
    if (bytes == nullptr)
        return -1;
    const char* text = GetText();
    const SInt32 last = length - count;
    for (SInt32 position = start; position <= last; ++position) {
        const void* hit = std::memchr(text + position, bytes[0], size_t(last - position + 1));
        if (hit == nullptr)
            return -1;
        position = SInt32(static_cast<const char*>(hit) - text);
        if (std::memcmp(text + position, bytes, size_t(count)) == 0)
            return position;
    }
    return -1;
}

SInt32 String::Find(const String& text, SInt32 start) const
{
    return Find(text.GetText(), text.GetLength(), start);
}

SInt32 String::Find(char byte, SInt32 start) const
{
    const SInt32 length = GetLength();
    if (start < 0 || start >= length)
        return -1;
    const char* text = GetText();
    const void* hit = std::memchr(text + start, byte, size_t(length - start));
    return hit != nullptr ? SInt32(static_cast<const char*>(hit) - text) : -1;
}

SInt32 String::FindLast(const char* bytes, SInt32 count, SInt32 start) const
{
    const SInt32 length = GetLength();
    if (start < 0 || start >= length || count < 0 || (bytes == nullptr && count > 0))
        return -1;
    const char* text = GetText();
    for (SInt32 position = start - count + 1; position >= 0; --position) {
        if (std::memcmp(text + position, bytes, size_t(count)) == 0)
            return position;
    }
    return -1;
}

SInt32 String::FindFirstOf(const char* set, SInt32 count) const
{
    if (set == nullptr || count <= 0)
        return -1;
    const SInt32 length = GetLength();
    const char* text = GetText();
    for (SInt32 position = 0; position < length; ++position) {
        if (std::memchr(set, text[position], size_t(count)) != nullptr)
            return position;
    }
    return -1;
}

Bool String::StartsWith(const char* bytes, SInt32 count) const
{
    if (count <= 0)
        return count == 0;
    if (bytes == nullptr || count > GetLength())
        return false;
    return std::memcmp(GetText(), bytes, size_t(count)) == 0;
}

Bool String::StartsWith(const char* text) const
{
    return StartsWith(text, TextLength(text));
}

Bool String::StartsWith(const String& text) const
{
    return StartsWith(text.GetText(), text.GetLength());
}

Bool String::EndsWith(const char* bytes, SInt32 count) const
{
    if (count <= 0)
        return count == 0;
    const SInt32 length = GetLength();
    if (bytes == nullptr || count > length)
        return false;
    return std::memcmp(GetText() + length - count, bytes, size_t(count)) == 0;
}

Bool String::EndsWith(const char* text) const
{
    return EndsWith(text, TextLength(text));
}

Bool String::EndsWith(const String& text) const
{
    return EndsWith(text.GetText(), text.GetLength());
}

// ---- comparison -------------------------------------------------------------------------

SInt32 String::Compare(const char* other) const
{
    if (other == nullptr)
        other = "";
    const SInt32 length = GetLength();
    const UInt8* text = reinterpret_cast<const UInt8*>(GetText());
    const UInt8* otherText = reinterpret_cast<const UInt8*>(other);
    for (SInt32 i = 0;; ++i) {
        const Bool ownEnd = i == length;
        const Bool otherEnd = otherText[i] == 0;
        if (ownEnd)
            return otherEnd ? 0 : -1;
        if (otherEnd)
            return 1;
        if (text[i] != otherText[i])
            return SInt32(text[i]) - SInt32(otherText[i]);
    }
}

SInt32 String::Compare(const String& other) const
{
    const SInt32 length = GetLength();
    const SInt32 otherLength = other.GetLength();
    const SInt32 shorter = length < otherLength ? length : otherLength;
    const UInt8* text = reinterpret_cast<const UInt8*>(GetText());
    const UInt8* otherText = reinterpret_cast<const UInt8*>(other.GetText());
    for (SInt32 i = 0; i < shorter; ++i) {
        if (text[i] != otherText[i])
            return SInt32(text[i]) - SInt32(otherText[i]);
    }
    return length - otherLength;
}

Bool String::Differs(const String& other) const
{
    if (GetTag() == 0 && other.GetTag() == 0)
        return std::memcmp(mBytes, other.mBytes, sizeof(mBytes)) != 0;
    const SInt32 length = GetLength();
    if (length != other.GetLength())
        return true;
    return std::memcmp(GetText(), other.GetText(), size_t(length)) != 0;
}

// ---- derived texts ----------------------------------------------------------------------

SInt32 String::Utf8Length() const
{
    const SInt32 length = GetLength();
    const char* text = GetText();
    SInt32 characters = 0;
    for (SInt32 i = 0; i < length; ++i) {
        if ((UInt8(text[i]) & 0xC0) != 0x80)
            ++characters;
    }
    return characters;
}

String String::ToLower() const
{
    const SInt32 length = GetLength();
    String result(GetText(), length); // a new text, never shared
    char* text = result.GetWritableText();
    for (SInt32 i = 0; i < length; ++i) {
        const UInt8 byte = UInt8(text[i]);
        if (byte >= 'A' && byte <= 'Z') {
            text[i] = char(byte + ('a' - 'A'));
        } else if (byte == 0xC3 && i + 1 < length) {
            // Upper-case A, O and U with diaeresis follow 0xC3 as 0x84, 0x96 and 0x9C.
            ++i;
            const UInt8 next = UInt8(text[i]);
            if (next == 0x84 || next == 0x96 || next == 0x9C)
                text[i] = char(next + 0x20);
        }
    }
    return result;
}

static Bool IsTrimmedSpace(char byte)
{
    return byte == ' ' || byte == '\f' || byte == '\n' || byte == '\r' || byte == '\v' || byte == '\t';
}

String String::Trim() const
{
    const SInt32 length = GetLength();
    const char* text = GetText();
    SInt32 first = 0;
    while (first < length && IsTrimmedSpace(text[first]))
        ++first;
    SInt32 end = length;
    while (end > first && IsTrimmedSpace(text[end - 1]))
        --end;
    if (first == 0 && end == length)
        return *this;
    return String(text + first, end - first);
}

UInt32 String::GetHash() const
{
    const SInt32 length = GetLength();
    if (length > kInlineCapacity)
        return Util::GetHash(GetText(), UInt32(length));
    if (GetTag() == 0)
        return Util::GetHash(mBytes, sizeof(mBytes));
    // A short text held in a block hashes as the image it would have inline.
    char image[16] = {};
    std::memcpy(image, GetHeapText(), size_t(length));
    image[kInlineLengthByte] = char(length);
    return Util::GetHash(image, sizeof(image));
}

} // namespace Vorn
