#include "resource/sound.h"

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "resource/audio_stream.h"
#include "resource/sound_format_conversion.h"

namespace Vorn {
namespace Resource {

namespace {

using Util::ReadLittleEndian32;
using Util::WriteLittleEndian32;

} // namespace

Bool VorbisPacketRecord::Read(const UInt8* data, UInt32 size, UInt32 offset, VorbisPacketRecord& record)
{
    if (data == nullptr || UInt64(offset) + kHeaderSize > size)
        return false;
    const UInt8* header = data + offset;
    const UInt32 byteCount = ReadLittleEndian32(header + 12);
    const UInt64 next = UInt64(offset) + kHeaderSize + byteCount;
    if (next > size)
        return false;
    record.packetNumber = ReadLittleEndian32(header);
    record.samples = ReadLittleEndian32(header + 4);
    record.firstSample = ReadLittleEndian32(header + 8);
    record.byteCount = byteCount;
    record.granulePosition = ReadLittleEndian32(header + 16);
    record.flags = ReadLittleEndian32(header + 20);
    record.bytes = header + kHeaderSize;
    record.nextOffset = UInt32(next);
    return true;
}

void VorbisPacketRecord::WriteHeader(UInt8* target) const
{
    WriteLittleEndian32(target, packetNumber);
    WriteLittleEndian32(target + 4, samples);
    WriteLittleEndian32(target + 8, firstSample);
    WriteLittleEndian32(target + 12, byteCount);
    WriteLittleEndian32(target + 16, granulePosition);
    WriteLittleEndian32(target + 20, flags);
}

Sound::Sound(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : Object(id, data, size, conditions, conditionCount), mNumberOfSamples(0), mSampleRate(0),
      mFormat(UInt32(Enums::SoundFormat::MONO_8_BIT)), mEncoding(UInt32(Enums::AudioCodec::NONE)),
      mSampleData(nullptr), mSampleDataSize(0)
{
}

Sound::~Sound() = default;

IAudioStream* Sound::CreateAudioStream(Enums::SoundFormat outputFormat) const
{
    // The format indexes the converter tables: an unknown one (an unlisted name in a graph) must
    // not reach them.
    if (!IsValidSoundFormat(UInt32(outputFormat))) {
        Debug::Trace("Resource::Sound::CreateAudioStream(): Invalid output format %u for sound '%s'",
                     UInt32(outputFormat), GetId().GetText());
        return nullptr;
    }
    switch (GetEncoding()) {
    case Enums::AudioCodec::NONE:
        return new RawAudioStream(this, mSampleData, mSampleDataSize, outputFormat);
    case Enums::AudioCodec::VORBIS:
        return new VorbisAudioStream(this, mSampleData, mSampleDataSize, outputFormat);
    }
    return nullptr;
}

IAudioStream* Sound::CreateAudioStream() const
{
    return CreateAudioStream(GetFormat());
}

void Sound::SetDescription(UInt32 numberOfSamples, UInt32 sampleRate, UInt32 format, UInt32 encoding)
{
    mNumberOfSamples = numberOfSamples;
    mSampleRate = sampleRate;
    mFormat = format;
    mEncoding = encoding;
}

void Sound::SetSampleData(const UInt8* data, UInt32 size)
{
    mSampleData = data;
    mSampleDataSize = size;
}

} // namespace Resource
} // namespace Vorn
