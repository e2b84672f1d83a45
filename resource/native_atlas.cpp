#include "resource/native_atlas.h"

#include <cstdint>
#include <cstring>

#include "foundation/debug.h"
#include "foundation/iff_stream.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kEngineMagic = MakeTag("VORN");
constexpr UInt32 kAtlasForm = MakeTag("ATLS");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kRectanglesTag = MakeTag("RECT");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;
constexpr UInt32 kHeadPayloadSize = 4;
// Rectangle count, then the offset of the first record from the payload start.
constexpr UInt32 kRectanglesHeaderSize = 8;

UInt32 ReadTag(const UInt8* bytes)
{
    return (UInt32(bytes[0]) << 24) | (UInt32(bytes[1]) << 16) | (UInt32(bytes[2]) << 8) | UInt32(bytes[3]);
}

UInt32 ReadLittleEndian32(const UInt8* bytes)
{
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) | (UInt32(bytes[3]) << 24);
}

void WriteTag(UInt8* bytes, UInt32 tag)
{
    bytes[0] = UInt8(tag >> 24);
    bytes[1] = UInt8(tag >> 16);
    bytes[2] = UInt8(tag >> 8);
    bytes[3] = UInt8(tag);
}

void WriteLittleEndian32(UInt8* bytes, UInt32 value)
{
    bytes[0] = UInt8(value);
    bytes[1] = UInt8(value >> 8);
    bytes[2] = UInt8(value >> 16);
    bytes[3] = UInt8(value >> 24);
}

} // namespace

NativeAtlas::NativeAtlas(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                         UInt32 conditionCount)
    : Atlas(id, data, size, conditions, conditionCount)
{
}

NativeAtlas::~NativeAtlas() = default;

Bool NativeAtlas::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

IObject* NativeAtlas::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                             const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    NativeAtlas* atlas = new NativeAtlas(id, data, size, conditions, conditionCount);
    const ReadResult result = atlas->Read();
    if (result != ReadResult::OK) {
        delete atlas;
        if (result == ReadResult::REFUSED && failed != nullptr)
            *failed = true;
        return nullptr;
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return atlas;
}

NativeAtlas::ReadResult NativeAtlas::Read()
{
    const UInt8* bytes = static_cast<const UInt8*>(GetData());
    const UInt32 size = GetSize();
    if (bytes == nullptr || size < kFileHeaderSize || ReadTag(bytes) != kEngineMagic ||
        ReadTag(bytes + 8) != kAtlasForm)
        return ReadResult::NOT_OWN_FORM;

    // From here on the bytes claim to be an atlas file: whatever does not fit them is refused
    // aloud, since no other reader will take them.
    Util::IffStream stream(bytes, size, kAtlasForm);
    if (!stream.Open()) {
        Debug::Trace("Resource::NativeAtlas::Create(): File size %u does not match its header", size);
        return ReadResult::REFUSED;
    }
    if (size < kFileHeaderSize + kChunkHeaderSize) {
        Debug::Trace("Resource::NativeAtlas::Create(): File has no HEAD chunk");
        return ReadResult::REFUSED;
    }
    // Another first chunk or another version: some other reader's file.
    if (ReadTag(bytes + kFileHeaderSize) != kHeadTag)
        return ReadResult::NOT_OWN_FORM;
    const UInt8* head = stream.GetChunk(kHeadTag);
    if (head == nullptr) {
        Debug::Trace("Resource::NativeAtlas::Create(): HEAD chunk runs past the end of the file");
        return ReadResult::REFUSED;
    }
    if (ReadLittleEndian32(head + 4) < kHeadPayloadSize) {
        Debug::Trace("Resource::NativeAtlas::Create(): HEAD chunk too small (%u bytes)", ReadLittleEndian32(head + 4));
        return ReadResult::REFUSED;
    }
    if (ReadTag(head + kChunkHeaderSize) != kVersion)
        return ReadResult::NOT_OWN_FORM;
    stream.NextChunk();

    Bool hasRectangles = false;
    for (UInt32 chunkNumber = 1; !stream.IsAtEnd(); ++chunkNumber, stream.NextChunk()) {
        const UInt8* chunk = stream.GetChunk();
        if (chunk == nullptr) {
            Debug::Trace("Resource::NativeAtlas::Create(): Chunk #%u runs past the end of the file", chunkNumber);
            return ReadResult::REFUSED;
        }
        if (ReadTag(chunk) != kRectanglesTag)
            continue;
        if (hasRectangles) {
            Debug::Trace("Resource::NativeAtlas::Create(): File cannot contain more than one rectangles chunk");
            return ReadResult::REFUSED;
        }
        hasRectangles = true;
        const UInt32 payloadSize = ReadLittleEndian32(chunk + 4);
        const UInt8* payload = chunk + kChunkHeaderSize;
        if (payloadSize < kRectanglesHeaderSize) {
            Debug::Trace("Resource::NativeAtlas::Create(): RECT chunk too small (%u bytes)", payloadSize);
            return ReadResult::REFUSED;
        }
        const UInt32 count = ReadLittleEndian32(payload);
        const UInt32 offset = ReadLittleEndian32(payload + 4);
        if (UInt64(offset) + UInt64(count) * sizeof(AtlasRectangle) > payloadSize) {
            Debug::Trace("Resource::NativeAtlas::Create(): RECT chunk of %u bytes cannot hold %u rectangles at "
                         "offset %u",
                         payloadSize, count, offset);
            return ReadResult::REFUSED;
        }
        // Renderers read the records in place as floats.
        if (count != 0 && reinterpret_cast<std::uintptr_t>(payload + offset) % alignof(AtlasRectangle) != 0) {
            Debug::Trace("Resource::NativeAtlas::Create(): Rectangles at offset %u are not aligned", offset);
            return ReadResult::REFUSED;
        }
        SetRectangles(count, reinterpret_cast<const AtlasRectangle*>(payload + offset));
    }
    return ReadResult::OK;
}

Bool NativeAtlas::Write(const IAtlas& atlas, Data& target)
{
    Util::IffData file(kAtlasForm);
    UInt8* head = file.CreateChunk(kHeadTag, kChunkHeaderSize + kHeadPayloadSize, 0);
    if (head == nullptr)
        return false;
    WriteTag(head + kChunkHeaderSize, kVersion);
    file.AddChunk(head);

    const UInt32 count = atlas.GetNumberOfRectangles();
    const UInt64 recordBytes = UInt64(count) * sizeof(AtlasRectangle);
    if (recordBytes > 0xFFFFFFFFull - kFileHeaderSize - 2 * kChunkHeaderSize - kHeadPayloadSize -
                          kRectanglesHeaderSize - 3) {
        Debug::Trace("Resource::NativeAtlas::Write(): Too many rectangles (%u)", count);
        return false;
    }
    UInt8* rectangles = file.CreateChunk(kRectanglesTag, kChunkHeaderSize + kRectanglesHeaderSize, UInt32(recordBytes));
    if (rectangles == nullptr)
        return false;
    WriteLittleEndian32(rectangles + kChunkHeaderSize, count);
    WriteLittleEndian32(rectangles + kChunkHeaderSize + 4, kRectanglesHeaderSize);
    if (count != 0)
        std::memcpy(rectangles + kChunkHeaderSize + kRectanglesHeaderSize, atlas.GetRectangles(), size_t(recordBytes));
    file.AddChunk(rectangles);
    return file.GetData(target);
}

} // namespace Resource
} // namespace Vorn
