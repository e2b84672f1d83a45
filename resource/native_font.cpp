#include "resource/native_font.h"


#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/native_file.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kFontForm = MakeTag("FONT");
constexpr UInt32 kGlyphsTag = MakeTag("GLPH");
constexpr UInt32 kChunkHeaderSize = 8;
constexpr UInt32 kVersionSize = 4;
constexpr UInt32 kNumberOfFontValues = 11;
constexpr UInt32 kHeadPayloadSize = kVersionSize + 4 * kNumberOfFontValues;
// Glyph count, then the offset of the first record from the payload start.
constexpr UInt32 kGlyphsHeaderSize = 8;
// Character code and ten floats.
constexpr UInt32 kGlyphRecordSize = 44;

// Records sit at any 4-byte position the file chose, so values are read byte-wise.
using Util::ReadFloat;
using Util::ReadLittleEndian32;
using Util::ReadTag;

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
    return ReadFloat(mHeader + kVersionSize + 4 * position);
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
    NativeFont* font = new NativeFont(id, data, size, conditions, conditionCount);
    return FinishCreate(font, font->Read(), releaseData, failed);
}

ReadResult NativeFont::Read()
{
    NativeFile file(GetData(), GetSize(), kFontForm);
    const ReadResult opened =
        file.Open("Resource::NativeFont::Create()", kHeadPayloadSize, NativeFile::EmptyFile::REFUSE);
    if (opened != ReadResult::OK)
        return opened;
    mHeader = file.GetHeadPayload();
    Util::IffStream& stream = file.GetStream();

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
