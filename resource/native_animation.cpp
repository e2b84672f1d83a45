#include "resource/native_animation.h"

#include <cstdint>
#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/native_file.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kAnimationForm = MakeTag("ANIM");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kChunkHeaderSize = 8;
// Version, start time, end time.
constexpr UInt32 kHeadPayloadSize = 12;
// Key count, then the offset of the first key from the payload start.
constexpr UInt32 kKeyChunkHeaderSize = 8;

using Util::ReadFloat;
using Util::ReadLittleEndian32;
using Util::ReadTag;
using Util::WriteFloat;
using Util::WriteLittleEndian32;
using Util::WriteTag;

const AnimationKeyKindInfo* FindKeyKind(UInt32 tag)
{
    const AnimationKeyKindInfo* kinds = GetAnimationKeyKindInfos();
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        if (kinds[i].tag == tag)
            return &kinds[i];
    }
    return nullptr;
}

// The four characters of a tag in reading order, for messages.
#define TAG_CHARS(tag) char((tag) >> 24), char((tag) >> 16), char((tag) >> 8), char(tag)

} // namespace

NativeAnimation::NativeAnimation(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                                 UInt32 conditionCount)
    : Animation(id, data, size, conditions, conditionCount)
{
}

NativeAnimation::~NativeAnimation() = default;

Bool NativeAnimation::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

IObject* NativeAnimation::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                                 const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    NativeAnimation* animation = new NativeAnimation(id, data, size, conditions, conditionCount);
    return FinishCreate(animation, animation->Read(), releaseData, failed);
}

ReadResult NativeAnimation::Read()
{
    NativeFile file(GetData(), GetSize(), kAnimationForm);
    const ReadResult opened =
        file.Open("Resource::NativeAnimation::Create()", kHeadPayloadSize, NativeFile::EmptyFile::REFUSE);
    if (opened != ReadResult::OK)
        return opened;
    const UInt8* head = file.GetHeadPayload();
    SetTimeRange(ReadFloat(head + 4), ReadFloat(head + 8));
    Util::IffStream& stream = file.GetStream();

    for (UInt32 chunkNumber = 1; !stream.IsAtEnd(); ++chunkNumber, stream.NextChunk()) {
        const UInt8* chunk = stream.GetChunk();
        if (chunk == nullptr) {
            Debug::Trace("Resource::NativeAnimation::Create(): Chunk #%u runs past the end of the file", chunkNumber);
            return ReadResult::REFUSED;
        }
        const UInt32 tag = ReadTag(chunk);
        const AnimationKeyKindInfo* kind = FindKeyKind(tag);
        if (kind == nullptr)
            continue;
        if (GetNumberOfKeys(kind->kind) != 0) {
            Debug::Trace("Resource::NativeAnimation::Create(): File cannot contain more than one %c%c%c%c chunk",
                         TAG_CHARS(tag));
            return ReadResult::REFUSED;
        }
        const UInt32 payloadSize = ReadLittleEndian32(chunk + 4);
        const UInt8* payload = chunk + kChunkHeaderSize;
        if (payloadSize < kKeyChunkHeaderSize) {
            Debug::Trace("Resource::NativeAnimation::Create(): %c%c%c%c chunk too small (%u bytes)", TAG_CHARS(tag),
                         payloadSize);
            return ReadResult::REFUSED;
        }
        const UInt32 count = ReadLittleEndian32(payload);
        const UInt32 offset = ReadLittleEndian32(payload + 4);
        if (UInt64(offset) + UInt64(count) * kind->recordSize > payloadSize) {
            Debug::Trace("Resource::NativeAnimation::Create(): %c%c%c%c chunk of %u bytes cannot hold %u keys at "
                         "offset %u",
                         TAG_CHARS(tag), payloadSize, count, offset);
            return ReadResult::REFUSED;
        }
        // Evaluators read the records in place as structures of 32-bit fields; bytes at an odd
        // address are copied.
        const UInt32* keys = mAlignedCopies.Place<UInt32>(payload + offset, count * (kind->recordSize / 4));
        if (keys == nullptr) {
            Debug::Trace("Resource::NativeAnimation::Create(): No memory for %u %c%c%c%c keys", count, TAG_CHARS(tag));
            return ReadResult::REFUSED;
        }
        SetTrack(kind->kind, count, keys);
    }
    return ReadResult::OK;
}

Bool NativeAnimation::Write(const Animation& animation, Data& target)
{
    Util::IffData file(kAnimationForm);
    UInt8* head = file.CreateChunk(kHeadTag, kChunkHeaderSize + kHeadPayloadSize, 0);
    if (head == nullptr)
        return false;
    WriteTag(head + kChunkHeaderSize, kVersion);
    WriteFloat(head + kChunkHeaderSize + 4, animation.GetStartTime());
    WriteFloat(head + kChunkHeaderSize + 8, animation.GetEndTime());
    file.AddChunk(head);

    const AnimationKeyKindInfo* kinds = GetAnimationKeyKindInfos();
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        const UInt32 count = animation.GetNumberOfKeys(kinds[i].kind);
        if (count == 0)
            continue;
        const UInt64 keyBytes = UInt64(count) * kinds[i].recordSize;
        if (keyBytes > 0xFFFFFFFFull - kChunkHeaderSize - kKeyChunkHeaderSize - 3) {
            Debug::Trace("Resource::NativeAnimation::Write(): Too many %s records (%u)", kinds[i].elementName, count);
            return false;
        }
        UInt8* chunk = file.CreateChunk(kinds[i].tag, kChunkHeaderSize + kKeyChunkHeaderSize, UInt32(keyBytes));
        if (chunk == nullptr)
            return false;
        WriteLittleEndian32(chunk + kChunkHeaderSize, count);
        WriteLittleEndian32(chunk + kChunkHeaderSize + 4, kKeyChunkHeaderSize);
        std::memcpy(chunk + kChunkHeaderSize + kKeyChunkHeaderSize, animation.GetKeyData(kinds[i].kind),
                    size_t(keyBytes));
        file.AddChunk(chunk);
    }
    return file.GetData(target);
}

#undef TAG_CHARS

} // namespace Resource
} // namespace Vorn
