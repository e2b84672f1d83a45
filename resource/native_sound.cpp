#include "resource/native_sound.h"

#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/sound_format_conversion.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kSoundForm = MakeTag("SNDS");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kDataTag = MakeTag("DATA");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kChunkHeaderSize = 8;
// Version, number of samples, sample rate, format, encoding.
constexpr UInt32 kHeadPayloadSize = 20;
// Byte count, then the offset of the bytes from the payload start.
constexpr UInt32 kDataHeaderSize = 8;

using Util::ReadLittleEndian32;
using Util::ReadTag;
using Util::WriteLittleEndian32;
using Util::WriteTag;

} // namespace

NativeSound::NativeSound(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                         UInt32 conditionCount)
    : Sound(id, data, size, conditions, conditionCount)
{
}

NativeSound::~NativeSound() = default;

Bool NativeSound::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

IObject* NativeSound::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                             const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool*)
{
    if (releaseData != nullptr)
        *releaseData = true;
    NativeSound* sound = new NativeSound(id, data, size, conditions, conditionCount);
    if (sound->Read() != ReadResult::OK) {
        delete sound;
        return nullptr;
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return sound;
}

ReadResult NativeSound::Read()
{
    const UInt8* bytes = static_cast<const UInt8*>(GetData());
    Util::IffStream stream(bytes, GetSize(), kSoundForm);
    if (!stream.Open())
        return ReadResult::NOT_OWN_FORM;
    const UInt8* head = stream.GetChunk(kHeadTag);
    if (head == nullptr || ReadLittleEndian32(head + 4) < 4 || ReadTag(head + kChunkHeaderSize) != kVersion)
        return ReadResult::NOT_OWN_FORM;
    const UInt32 headSize = ReadLittleEndian32(head + 4);
    if (headSize < kHeadPayloadSize) {
        Debug::Trace("Resource::NativeSound::Create(): HEAD chunk too small (%u bytes) in object '%s'", headSize,
                     GetId().GetText());
        return ReadResult::REFUSED;
    }

    const UInt8* dataChunk = nullptr;
    for (stream.NextChunk(); !stream.IsAtEnd(); stream.NextChunk()) {
        const UInt8* chunk = stream.GetChunk(kDataTag);
        if (chunk == nullptr)
            continue;
        if (dataChunk != nullptr) {
            Debug::Trace("Resource::NativeSound::Create(): File cannot contain more than one data chunk");
            return ReadResult::REFUSED;
        }
        dataChunk = chunk;
    }
    if (dataChunk == nullptr) {
        Debug::Trace("Resource::NativeSound::Create(): No data chunk in object '%s'", GetId().GetText());
        return ReadResult::REFUSED;
    }

    const UInt32 dataChunkSize = ReadLittleEndian32(dataChunk + 4);
    const UInt8* payload = dataChunk + kChunkHeaderSize;
    if (dataChunkSize < kDataHeaderSize) {
        Debug::Trace("Resource::NativeSound::Create(): Data chunk too small (%u bytes) in object '%s'",
                     dataChunkSize, GetId().GetText());
        return ReadResult::REFUSED;
    }
    const UInt32 byteCount = ReadLittleEndian32(payload);
    const UInt32 offset = ReadLittleEndian32(payload + 4);
    if (UInt64(offset) + byteCount > dataChunkSize) {
        Debug::Trace("Resource::NativeSound::Create(): Data chunk of %u bytes cannot hold %u bytes at offset %u in "
                     "object '%s'",
                     dataChunkSize, byteCount, offset, GetId().GetText());
        return ReadResult::REFUSED;
    }

    const UInt8* headPayload = head + kChunkHeaderSize;
    const UInt32 numberOfSamples = ReadLittleEndian32(headPayload + 4);
    const UInt32 sampleRate = ReadLittleEndian32(headPayload + 8);
    const UInt32 format = ReadLittleEndian32(headPayload + 12);
    const UInt32 encoding = ReadLittleEndian32(headPayload + 16);
    if (!CheckSampleData("NativeSound::Create", GetId(), numberOfSamples, sampleRate, format, encoding,
                         payload + offset, byteCount))
        return ReadResult::REFUSED;
    SetDescription(numberOfSamples, sampleRate, format, encoding);
    SetSampleData(payload + offset, byteCount);
    return ReadResult::OK;
}

Bool NativeSound::CheckSampleData(const char* method, const String& id, UInt32 numberOfSamples,
                                  UInt32 sampleRate, UInt32 format, UInt32 encoding, const UInt8* data,
                                  UInt32 dataSize)
{
    const char* name = id.GetText();
    if (!IsValidSoundFormat(format)) {
        Debug::Trace("Resource::%s(): Invalid sound format %u for object '%s'", method, format, name);
        return false;
    }
    if (sampleRate == 0) {
        Debug::Trace("Resource::%s(): Sample rate cannot be zero for object '%s'", method, name);
        return false;
    }
    // The PCM of the whole sound must be expressible as a 32-bit byte count.
    if (UInt64(numberOfSamples) * GetBytesPerFrame(format) > 0xFFFFFFFFull) {
        Debug::Trace("Resource::%s(): Too many samples (%u) for object '%s'", method, numberOfSamples, name);
        return false;
    }
    if (encoding == UInt32(Enums::AudioCodec::NONE)) {
        if (UInt64(numberOfSamples) * GetBytesPerFrame(format) > dataSize) {
            Debug::Trace("Resource::%s(): %u bytes of sample data cannot hold %u samples for object '%s'", method,
                         dataSize, numberOfSamples, name);
            return false;
        }
        return true;
    }
    if (encoding != UInt32(Enums::AudioCodec::VORBIS)) {
        Debug::Trace("Resource::%s(): Unsupported encoding %u for object '%s'", method, encoding, name);
        return false;
    }
    if (format != UInt32(Enums::SoundFormat::MONO_16_BIT) && format != UInt32(Enums::SoundFormat::STEREO_16_BIT)) {
        Debug::Trace("Resource::%s(): Vorbis sound must be 16-bit for object '%s'", method, name);
        return false;
    }
    // Streams walk the records and seek by their first samples: the records must fill the bytes
    // exactly and count the frames consistently.
    UInt64 total = 0;
    UInt32 index = 0;
    for (UInt32 offset = 0; offset < dataSize; ++index) {
        VorbisPacketRecord record;
        if (!VorbisPacketRecord::Read(data, dataSize, offset, record)) {
            Debug::Trace("Resource::%s(): Vorbis packet #%u runs past the sample data for object '%s'", method,
                         index, name);
            return false;
        }
        if (record.firstSample != total) {
            Debug::Trace("Resource::%s(): Vorbis packet #%u starts at sample %u instead of %llu for object '%s'",
                         method, index, record.firstSample, (unsigned long long)total, name);
            return false;
        }
        total += record.samples;
        offset = record.nextOffset;
    }
    if (total != numberOfSamples) {
        Debug::Trace("Resource::%s(): Vorbis packets hold %llu samples instead of %u for object '%s'", method,
                     (unsigned long long)total, numberOfSamples, name);
        return false;
    }
    return true;
}

Bool NativeSound::Write(const Sound& sound, Data& target)
{
    Util::IffData file(kSoundForm);
    UInt8* head = file.CreateChunk(kHeadTag, kChunkHeaderSize + kHeadPayloadSize, 0);
    if (head == nullptr)
        return false;
    UInt8* headPayload = head + kChunkHeaderSize;
    WriteTag(headPayload, kVersion);
    WriteLittleEndian32(headPayload + 4, sound.GetNumberOfSamples());
    WriteLittleEndian32(headPayload + 8, sound.GetSampleRate());
    WriteLittleEndian32(headPayload + 12, UInt32(sound.GetFormat()));
    WriteLittleEndian32(headPayload + 16, UInt32(sound.GetEncoding()));
    file.AddChunk(head);

    const UInt32 byteCount = sound.GetSampleDataSize();
    if (byteCount > 0xFFFFFFFFu - kChunkHeaderSize - kDataHeaderSize - 3) {
        Debug::Trace("Resource::NativeSound::Write(): Sample data of sound '%s' too large (%u bytes)",
                     sound.GetId().GetText(), byteCount);
        return false;
    }
    UInt8* dataChunk = file.CreateChunk(kDataTag, kChunkHeaderSize + kDataHeaderSize, byteCount);
    if (dataChunk == nullptr)
        return false;
    WriteLittleEndian32(dataChunk + kChunkHeaderSize, byteCount);
    WriteLittleEndian32(dataChunk + kChunkHeaderSize + 4, kDataHeaderSize);
    if (byteCount != 0)
        std::memcpy(dataChunk + kChunkHeaderSize + kDataHeaderSize, sound.GetSampleData(), byteCount);
    file.AddChunk(dataChunk);
    return file.GetData(target);
}

} // namespace Resource
} // namespace Vorn
