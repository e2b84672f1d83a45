#include "resource/native_font.h"

#include <cstring>

#include "foundation/debug.h"
#include "foundation/iff_stream.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kEngineMagic = MakeTag("VORN");
constexpr UInt32 kFontForm = MakeTag("FONT");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kGlyphsTag = MakeTag("GLPH");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;
constexpr UInt32 kVersionSize = 4;
constexpr UInt32 kNumberOfFontValues = 11;
constexpr UInt32 kHeadPayloadSize = kVersionSize + 4 * kNumberOfFontValues;
// Glyph count, then the offset of the first record from the payload start.
constexpr UInt32 kGlyphsHeaderSize = 8;
// Character code and ten floats.
constexpr UInt32 kGlyphRecordSize = 44;

UInt32 ReadTag(const UInt8* bytes)
{
    return (UInt32(bytes[0]) << 24) | (UInt32(bytes[1]) << 16) | (UInt32(bytes[2]) << 8) | UInt32(bytes[3]);
}

UInt32 ReadLittleEndian32(const UInt8* bytes)
{
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) | (UInt32(bytes[3]) << 24);
}

// Records sit at any 4-byte position the file chose, so values are read byte-wise.
Float ReadFloat(const UInt8* bytes)
{
    const UInt32 bits = ReadLittleEndian32(bytes);
    Float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

} // namespace

NativeFont::Glyph::Glyph(const UInt8* record) : mRecord(record) {}

NativeFont::Glyph::~Glyph() = default;

UInt32 NativeFont::Glyph::GetCode() const
{
    return ReadLittleEndian32(mRecord);
}

Float NativeFont::Glyph::ReadValue(UInt32 position) const
{
    return ReadFloat(mRecord + 4 + 4 * position);
}

NativeFont::NativeFont(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                       UInt32 conditionCount)
    : Font(id, data, size, conditions, conditionCount), mHeader(nullptr)
{
}

NativeFont::~NativeFont()
{
    for (Glyph* glyph : mGlyphs.GetValues())
        delete glyph;
}

Float NativeFont::ReadHeaderValue(UInt32 position) const
{
    return ReadFloat(mHeader + kChunkHeaderSize + kVersionSize + 4 * position);
}

const IGlyph* NativeFont::GetGlyph(UInt32 code) const
{
    Glyph* const* glyph = mGlyphs.FindValue(code);
    return glyph != nullptr ? *glyph : nullptr;
}

const NativeFont::Glyph* NativeFont::GetGlyphAt(UInt32 position) const
{
    return position < UInt32(mGlyphs.GetCount()) ? mGlyphs.GetValue(SInt32(position)) : nullptr;
}

Bool NativeFont::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

IObject* NativeFont::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                            const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    NativeFont* font = new NativeFont(id, data, size, conditions, conditionCount);
    const ReadResult result = font->Read();
    if (result != ReadResult::OK) {
        delete font;
        if (result == ReadResult::REFUSED && failed != nullptr)
            *failed = true;
        return nullptr;
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return font;
}

NativeFont::ReadResult NativeFont::Read()
{
    const UInt8* bytes = static_cast<const UInt8*>(GetData());
    const UInt32 size = GetSize();
    if (bytes == nullptr || size < kFileHeaderSize || ReadTag(bytes) != kEngineMagic ||
        ReadTag(bytes + 8) != kFontForm)
        return ReadResult::NOT_OWN_FORM;

    // From here on the bytes claim to be a font file: whatever does not fit them is refused aloud,
    // since no other reader will take them.
    Util::IffStream stream(bytes, size, kFontForm);
    if (!stream.Open()) {
        Debug::Trace("Resource::NativeFont::Create(): File size %u does not match its header", size);
        return ReadResult::REFUSED;
    }
    if (size < kFileHeaderSize + kChunkHeaderSize) {
        Debug::Trace("Resource::NativeFont::Create(): File has no HEAD chunk");
        return ReadResult::REFUSED;
    }
    // Another first chunk or another version: some other reader's file.
    if (ReadTag(bytes + kFileHeaderSize) != kHeadTag)
        return ReadResult::NOT_OWN_FORM;
    const UInt8* head = stream.GetChunk(kHeadTag);
    if (head == nullptr) {
        Debug::Trace("Resource::NativeFont::Create(): HEAD chunk runs past the end of the file");
        return ReadResult::REFUSED;
    }
    const UInt32 headSize = ReadLittleEndian32(head + 4);
    if (headSize >= kVersionSize && ReadTag(head + kChunkHeaderSize) != kVersion)
        return ReadResult::NOT_OWN_FORM;
    if (headSize < kHeadPayloadSize) {
        Debug::Trace("Resource::NativeFont::Create(): HEAD chunk too small (%u bytes)", headSize);
        return ReadResult::REFUSED;
    }
    mHeader = head;
    stream.NextChunk();

    for (UInt32 chunkNumber = 1; !stream.IsAtEnd(); ++chunkNumber, stream.NextChunk()) {
        const UInt8* chunk = stream.GetChunk();
        if (chunk == nullptr) {
            Debug::Trace("Resource::NativeFont::Create(): Chunk #%u runs past the end of the file", chunkNumber);
            return ReadResult::REFUSED;
        }
        if (ReadTag(chunk) != kGlyphsTag)
            continue;
        const UInt32 payloadSize = ReadLittleEndian32(chunk + 4);
        const UInt8* payload = chunk + kChunkHeaderSize;
        if (payloadSize < kGlyphsHeaderSize) {
            Debug::Trace("Resource::NativeFont::Create(): GLPH chunk #%u too small (%u bytes)", chunkNumber,
                         payloadSize);
            return ReadResult::REFUSED;
        }
        const UInt32 count = ReadLittleEndian32(payload);
        const UInt32 offset = ReadLittleEndian32(payload + 4);
        if (UInt64(offset) + UInt64(count) * kGlyphRecordSize > payloadSize) {
            Debug::Trace("Resource::NativeFont::Create(): GLPH chunk #%u of %u bytes cannot hold %u glyphs at "
                         "offset %u",
                         chunkNumber, payloadSize, count, offset);
            return ReadResult::REFUSED;
        }
        for (UInt32 i = 0; i < count; ++i) {
            Glyph* glyph = new Glyph(payload + offset + UInt64(i) * kGlyphRecordSize);
            mGlyphs.Add(glyph->GetCode(), glyph);
        }
    }
    return ReadResult::OK;
}

} // namespace Resource
} // namespace Vorn
