#include "resource/wav_sound.h"

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/native_sound.h"
#include "resource/sound_format_conversion.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kFormatTag = MakeTag("fmt ");
constexpr UInt32 kDataTag = MakeTag("data");
constexpr UInt32 kChunkHeaderSize = 8;
// Audio format, channels, sample rate, bytes per second, block align, bits per sample.
constexpr UInt32 kFormatPayloadSize = 16;
constexpr UInt32 kPcmAudioFormat = 1;

using Util::ReadLittleEndian16;
using Util::ReadLittleEndian32;

} // namespace

WavSound::WavSound(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                   UInt32 conditionCount)
    : Sound(id, data, size, conditions, conditionCount)
{
}

WavSound::~WavSound() = default;

Bool WavSound::GetNativeData(Data& data) const
{
    return NativeSound::Write(*this, data);
}

IObject* WavSound::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool*)
{
    if (releaseData != nullptr)
        *releaseData = true;
    WavSound* sound = new WavSound(id, data, size, conditions, conditionCount);
    if (sound->Read() != ReadResult::OK) {
        delete sound;
        return nullptr;
    }
    if (releaseData != nullptr)
        *releaseData = false;
    return sound;
}

WavSound::ReadResult WavSound::Read()
{
    const char* name = GetId().GetText();
    Util::IffStream stream(GetData(), GetSize());
    if (!stream.Open())
        return ReadResult::NOT_OWN_FORM;
    // The whole fixed part of the format must be there: the chunk size is not to be trusted.
    const UInt8* formatChunk = stream.GetChunk(kFormatTag);
    if (formatChunk == nullptr || ReadLittleEndian32(formatChunk + 4) < kFormatPayloadSize) {
        Debug::Trace("Resource::WavSound::Create(): Invalid format chunk for object '%s'", name);
        return ReadResult::REFUSED;
    }
    const UInt8* dataChunk = nullptr;
    for (stream.NextChunk(); !stream.IsAtEnd() && dataChunk == nullptr; stream.NextChunk())
        dataChunk = stream.GetChunk(kDataTag);
    if (dataChunk == nullptr) {
        Debug::Trace("Resource::WavSound::Create(): Invalid data chunk for object '%s'", name);
        return ReadResult::REFUSED;
    }

    const UInt8* format = formatChunk + kChunkHeaderSize;
    const UInt32 audioFormat = ReadLittleEndian16(format);
    const UInt32 channels = ReadLittleEndian16(format + 2);
    const UInt32 sampleRate = ReadLittleEndian32(format + 4);
    const UInt32 blockAlign = ReadLittleEndian16(format + 12);
    const UInt32 bitsPerSample = ReadLittleEndian16(format + 14);
    const UInt32 dataSize = ReadLittleEndian32(dataChunk + 4);
    if (audioFormat != kPcmAudioFormat) {
        Debug::Trace("Resource::WavSound::Create(): Unsupported audio format %u for object '%s'", audioFormat, name);
        return ReadResult::REFUSED;
    }
    if (channels != 1 && channels != 2) {
        Debug::Trace("Resource::WavSound::Create(): Number of channels must be either 1 (mono) or 2 (stereo) for "
                     "object '%s'",
                     name);
        return ReadResult::REFUSED;
    }
    if (bitsPerSample != 8 && bitsPerSample != 16) {
        Debug::Trace("Resource::WavSound::Create(): Bits per sample must be either 8 or 16 for object '%s'", name);
        return ReadResult::REFUSED;
    }
    if (sampleRate == 0) {
        Debug::Trace("Resource::WavSound::Create(): Sample rate cannot be zero for object '%s'", name);
        return ReadResult::REFUSED;
    }
    if (blockAlign != bitsPerSample * channels / 8) {
        Debug::Trace("Resource::WavSound::Create(): Block align mismatch for object '%s'", name);
        return ReadResult::REFUSED;
    }
    if (dataSize % blockAlign != 0) {
        Debug::Trace("Resource::WavSound::Create(): Sample data size mismatch for object '%s'", name);
        return ReadResult::REFUSED;
    }
    const UInt32 soundFormat = (channels == 2 ? 2 : 0) + (bitsPerSample == 16 ? 2 : 1);
    const UInt32 numberOfSamples = dataSize / blockAlign;
    SetDescription(numberOfSamples, sampleRate, soundFormat, UInt32(Enums::AudioCodec::NONE));
    SetSampleData(dataChunk + kChunkHeaderSize, numberOfSamples * GetBytesPerFrame(soundFormat));
    return ReadResult::OK;
}

} // namespace Resource
} // namespace Vorn
