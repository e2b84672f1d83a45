#include "resource/native_atlas.h"

#include <cstdint>
#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/native_file.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kAtlasForm = MakeTag("ATLS");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kRectanglesTag = MakeTag("RECT");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;
constexpr UInt32 kHeadPayloadSize = 4;
// Rectangle count, then the offset of the first record from the payload start.
constexpr UInt32 kRectanglesHeaderSize = 8;

using Util::ReadLittleEndian32;
using Util::ReadTag;
using Util::WriteLittleEndian32;
using Util::WriteTag;

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
    NativeAtlas* atlas = new NativeAtlas(id, data, size, conditions, conditionCount);
    return FinishCreate(atlas, atlas->Read(), releaseData, failed);
}

ReadResult NativeAtlas::Read()
{
    NativeFile file(GetData(), GetSize(), kAtlasForm);
    const ReadResult opened =
        file.Open("Resource::NativeAtlas::Create()", kHeadPayloadSize, NativeFile::EmptyFile::REFUSE);
    if (opened != ReadResult::OK)
        return opened;
    Util::IffStream& stream = file.GetStream();

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
        // Renderers read the records in place as floats; bytes at an odd address are copied.
        const AtlasRectangle* rectangles = mAlignedCopies.Place<AtlasRectangle>(payload + offset, count);
        if (rectangles == nullptr) {
            Debug::Trace("Resource::NativeAtlas::Create(): No memory for %u rectangles", count);
            return ReadResult::REFUSED;
        }
        SetRectangles(count, rectangles);
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
