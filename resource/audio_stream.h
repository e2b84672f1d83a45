// Audio streams: PCM in the format the audio renderer asks for, made from a sound resource. The
// renderer either pulls blocks through Decode while a sound plays, or asks for the whole sound
// at once (PrepareData, GetData, ReleaseData). A stream made by the sound is a template; a user
// that decodes Vorbis through Decode works on a clone, which carries the decoder.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {

class IAudioStream
{
public:
    virtual ~IAudioStream() {}
    // A new stream over the same sound, owned by the caller; null for an invalid output format.
    virtual IAudioStream* Clone(Enums::SoundFormat outputFormat) const = 0;
    virtual IAudioStream* Clone() const = 0;
    virtual UInt32 GetSampleRate() const = 0;
    virtual UInt32 GetNumberOfSamples() const = 0;
    // Frames x bytes per frame of the sound's own format.
    virtual UInt32 GetSizeInBytes() const = 0;
    // The sound's own format, not the output format.
    virtual Enums::SoundFormat GetFormat() const = 0;
    // Nothing to do for either kind of stream; both answer true.
    virtual Bool BeginDecoding() = 0;
    virtual Bool EndDecoding() = 0;
    // Writes up to count frames from frame first on, in the output format, into destination;
    // returns the frames written (fewer at the end, 0 from the end on or on failure).
    virtual UInt32 Decode(void* destination, UInt32 first, UInt32 count) = 0;
    // Makes the whole sound available as PCM of the output format; false when it cannot.
    virtual Bool PrepareData() = 0;
    // Gives that PCM up again.
    virtual Bool ReleaseData() = 0;
    // The whole PCM, or null.
    virtual const void* GetData() const = 0;
};

namespace Resource {

class ISound;
struct VorbisDecoderState;

class AudioStream : public IAudioStream
{
public:
    // The sound and its bytes are borrowed: the sound outlives its streams.
    AudioStream(const ISound* sound, const UInt8* data, UInt32 dataSize, Enums::SoundFormat outputFormat);
    ~AudioStream() override;
    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    UInt32 GetSampleRate() const override;
    UInt32 GetNumberOfSamples() const override;
    UInt32 GetSizeInBytes() const override;
    Enums::SoundFormat GetFormat() const override;
    Bool BeginDecoding() override { return true; }
    Bool EndDecoding() override { return true; }

    Enums::SoundFormat GetOutputFormat() const { return Enums::SoundFormat(mOutputFormat); }

protected:
    const ISound* mSound;
    const UInt8* mData;
    UInt32 mDataSize;
    UInt32 mOutputFormat;
};

// Copies stored PCM, converting it to the output format.
class RawAudioStream : public AudioStream
{
public:
    using AudioStream::AudioStream;

    IAudioStream* Clone(Enums::SoundFormat outputFormat) const override;
    IAudioStream* Clone() const override;
    UInt32 Decode(void* destination, UInt32 first, UInt32 count) override;
    // The stored PCM is the data already.
    Bool PrepareData() override { return true; }
    Bool ReleaseData() override { return true; }
    const void* GetData() const override { return mData; }
};

// Decodes the sound's Vorbis packet records, whole packets at a time.
class VorbisAudioStream : public AudioStream
{
public:
    VorbisAudioStream(const ISound* sound, const UInt8* data, UInt32 dataSize, Enums::SoundFormat outputFormat);
    ~VorbisAudioStream() override;

    // The clone is returned with its decoder set up at the first audio packet; when the headers
    // cannot be read it is returned all the same and decodes nothing.
    IAudioStream* Clone(Enums::SoundFormat outputFormat) const override;
    IAudioStream* Clone() const override;
    // Never splits a packet: stops before a packet that would not fit into count, so a count
    // smaller than the next packet gives 0. Decoding continues where the previous call ended when
    // first is the frame that follows it; any other first, earlier or later, repositions to the
    // packet that holds it and starts exactly at first. Past the end it gives 0.
    UInt32 Decode(void* destination, UInt32 first, UInt32 count) override;
    // Decodes the whole sound through a clone; false, keeping nothing, when it does not deliver
    // every frame.
    Bool PrepareData() override;
    // False when there is nothing to release.
    Bool ReleaseData() override;
    const void* GetData() const override { return mPcm; }

    // Sets the decoder up from the three header records; false (logged) when they are refused.
    Bool InitDecoder();

private:
    void ReleaseDecoder();

    VorbisDecoderState* mDecoderState;
    Bool mDecoderReady;
    UInt8* mPcm;
};

} // namespace Resource
} // namespace Vorn
