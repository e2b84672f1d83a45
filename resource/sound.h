// Sound resources: audio that a package holds as native "SNDS", RIFF/WAVE or Ogg Vorbis. A sound
// only describes its samples and keeps their bytes (PCM, or Vorbis packet records); the audio
// nodes play it through the audio streams it creates.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {

class IAudioStream;

namespace Resource {

class ISound
{
public:
    // Sample frames per second.
    virtual UInt32 GetSampleRate() const = 0;
    // Sample frames (one sample of every channel).
    virtual UInt32 GetNumberOfSamples() const = 0;
    virtual Enums::SoundFormat GetFormat() const = 0;
    virtual Enums::AudioCodec GetEncoding() const = 0;
    // A new stream that delivers the samples as PCM of the output format, owned by the caller. A
    // Vorbis stream made here only serves as a template: decode through its clones. Null for an
    // invalid output format or an unknown encoding.
    virtual IAudioStream* CreateAudioStream(Enums::SoundFormat outputFormat) const = 0;
    // The same in the sound's own format.
    virtual IAudioStream* CreateAudioStream() const = 0;
    virtual ~ISound() {}
};

// One Vorbis packet of a sound's data: a 24-byte header (six little-endian UInt32 fields, in the
// order of the members below) directly followed by the packet bytes; the next record starts right
// after them. Records are not aligned.
struct VorbisPacketRecord
{
    static constexpr UInt32 kHeaderSize = 24;
    // The granule position of a packet that has none.
    static constexpr UInt32 kNoGranulePosition = 0xFFFFFFFF;
    enum Flag : UInt32
    {
        BEGINNING_OF_STREAM = 1,
        END_OF_STREAM = 2,
        IDENTIFICATION_HEADER = 4,
        COMMENT_HEADER = 8,
        SETUP_HEADER = 16,
        AUDIO_PACKET = 32,
    };

    // Low 32 bits of the packet's number in the Ogg stream.
    UInt32 packetNumber;
    // Frames that decoding the packet adds.
    UInt32 samples;
    // Frames of all earlier packets.
    UInt32 firstSample;
    UInt32 byteCount;
    // Low 32 bits, or kNoGranulePosition.
    UInt32 granulePosition;
    UInt32 flags;
    // Not part of the header: the packet bytes and the offset of the next record.
    const UInt8* bytes;
    UInt32 nextOffset;

    // Reads the record at offset of the size bytes; false when its header or its packet bytes do
    // not lie within them.
    static Bool Read(const UInt8* data, UInt32 size, UInt32 offset, VorbisPacketRecord& record);
    // Writes the six header fields.
    void WriteHeader(UInt8* target) const;
};

// The description and the sample bytes shared by the sound readers, which fill them in.
class Sound : public Object, public ISound
{
public:
    Sound(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Sound() override;

    UInt32 GetSampleRate() const override { return mSampleRate; }
    UInt32 GetNumberOfSamples() const override { return mNumberOfSamples; }
    Enums::SoundFormat GetFormat() const override { return Enums::SoundFormat(mFormat); }
    Enums::AudioCodec GetEncoding() const override { return Enums::AudioCodec(mEncoding); }
    IAudioStream* CreateAudioStream(Enums::SoundFormat outputFormat) const override;
    IAudioStream* CreateAudioStream() const override;

    // PCM of the sound's format, or the Vorbis packet records.
    const UInt8* GetSampleData() const { return mSampleData; }
    UInt32 GetSampleDataSize() const { return mSampleDataSize; }

protected:
    void SetDescription(UInt32 numberOfSamples, UInt32 sampleRate, UInt32 format, UInt32 encoding);
    // Borrowed: the owner of the bytes keeps them while the sound lives.
    void SetSampleData(const UInt8* data, UInt32 size);

private:
    UInt32 mNumberOfSamples;
    UInt32 mSampleRate;
    UInt32 mFormat;
    UInt32 mEncoding;
    const UInt8* mSampleData;
    UInt32 mSampleDataSize;
};

} // namespace Resource
} // namespace Vorn
