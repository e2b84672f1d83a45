#include "resource/native_animation.h"

#include <cstdint>
#include <cstring>

#include "foundation/debug.h"
#include "foundation/iff_stream.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kEngineMagic = MakeTag("VORN");
constexpr UInt32 kAnimationForm = MakeTag("ANIM");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;
// Version, start time, end time.
constexpr UInt32 kHeadPayloadSize = 12;
// Key count, then the offset of the first key from the payload start.
constexpr UInt32 kKeyChunkHeaderSize = 8;

UInt32 ReadTag(const UInt8* bytes)
{
    return (UInt32(bytes[0]) << 24) | (UInt32(bytes[1]) << 16) | (UInt32(bytes[2]) << 8) | UInt32(bytes[3]);
}

UInt32 ReadLittleEndian32(const UInt8* bytes)
{
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) | (UInt32(bytes[3]) << 24);
}

Float ReadFloat(const UInt8* bytes)
{
    const UInt32 bits = ReadLittleEndian32(bytes);
    Float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
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

void WriteFloat(UInt8* bytes, Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    WriteLittleEndian32(bytes, bits);
}

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
    if (releaseData != nullptr)
        *releaseData = true;
    NativeAnimation* animation = new NativeAnimation(id, data, size, conditions, conditionCount);
    const ReadResult result = animation->Read();
    if (result != ReadResult::OK) {
        delete animation;
        if (result == ReadResult::REFUSED && failed != nullptr)
            *failed = true;
        return nullptr;
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return animation;
}

NativeAnimation::ReadResult NativeAnimation::Read()
{
    const UInt8* bytes = static_cast<const UInt8*>(GetData());
    const UInt32 size = GetSize();
    if (bytes == nullptr || size < kFileHeaderSize || ReadTag(bytes) != kEngineMagic ||
        ReadTag(bytes + 8) != kAnimationForm)
        return ReadResult::NOT_OWN_FORM;

    // From here on the bytes claim to be an animation file: whatever does not fit them is refused
    // aloud, since no other reader will take them.
    Util::IffStream stream(bytes, size, kAnimationForm);
    if (!stream.Open()) {
        Debug::Trace("Resource::NativeAnimation::Create(): File size %u does not match its header", size);
        return ReadResult::REFUSED;
    }
    if (size < kFileHeaderSize + kChunkHeaderSize) {
        Debug::Trace("Resource::NativeAnimation::Create(): File has no HEAD chunk");
        return ReadResult::REFUSED;
    }
    // Another first chunk or another version: some other reader's file.
    if (ReadTag(bytes + kFileHeaderSize) != kHeadTag)
        return ReadResult::NOT_OWN_FORM;
    const UInt8* head = stream.GetChunk(kHeadTag);
    if (head == nullptr) {
        Debug::Trace("Resource::NativeAnimation::Create(): HEAD chunk runs past the end of the file");
        return ReadResult::REFUSED;
    }
    const UInt32 headSize = ReadLittleEndian32(head + 4);
    if (headSize >= 4 && ReadTag(head + kChunkHeaderSize) != kVersion)
        return ReadResult::NOT_OWN_FORM;
    if (headSize < kHeadPayloadSize) {
        Debug::Trace("Resource::NativeAnimation::Create(): HEAD chunk too small (%u bytes)", headSize);
        return ReadResult::REFUSED;
    }
    SetTimeRange(ReadFloat(head + kChunkHeaderSize + 4), ReadFloat(head + kChunkHeaderSize + 8));
    stream.NextChunk();

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
        // Evaluators read the records in place as structures of 32-bit fields.
        if (count != 0 && reinterpret_cast<std::uintptr_t>(payload + offset) % alignof(FlagKey) != 0) {
            Debug::Trace("Resource::NativeAnimation::Create(): %c%c%c%c keys at offset %u are not aligned",
                         TAG_CHARS(tag), offset);
            return ReadResult::REFUSED;
        }
        SetTrack(kind->kind, count, payload + offset);
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
