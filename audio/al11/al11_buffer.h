// One sound in the OpenAL back-end (class "Buffer"). A sound of at most 131072 bytes is decoded
// once and uploaded whole into an OpenAL buffer; a longer one is streamed by the playables that
// play it. Set up and initialised by the graph's sound node on the main thread.
#pragma once

#include "audio/al11/al11_object.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

class Buffer : public Object, public IBuffer
{
public:
    // Sounds larger than this many bytes stream.
    static constexpr UInt32 kMaxStaticSize = 0x20000;

    static const ClassInfo& GetClassInfo();

    Buffer();
    ~Buffer() override;

    // False when initialised already, without samples or stream, or when the upload fails.
    Bool Init() override;
    // False when not initialised.
    Bool DeInit() override;
    // Uploads a static sound's samples; false when its stream cannot deliver them.
    Bool Update() override;

    Bool SetTag(UInt32 tag) override;
    Bool SetFormat(Enums::SoundFormat format) override;
    Bool SetEncoding(Enums::AudioCodec encoding) override;
    Bool SetSampleRate(UInt32 samplesPerSecond) override;
    Bool SetNumberOfSamples(UInt32 count) override;
    Bool SetStream(IAudioStream* stream) override;

    virtual Bool IsStreaming() const { return mIsStreaming != 0; }
    virtual Enums::SoundFormat GetFormat() const { return mFormat; }
    virtual Enums::AudioCodec GetEncoding() const { return mEncoding; }
    virtual UInt32 GetSampleRate() const { return mSampleRate; }
    virtual UInt32 GetNumberOfSamples() const { return mNumberOfSamples; }
    virtual IAudioStream* GetStream() const { return mStream; }
    virtual UInt32 GetBufferName() const { return mBufferName; }
    virtual Real GetDuration() const;
    // The same buffer, or one of equal format and sample rate.
    virtual Bool IsCompatible(const Buffer* other) const;

private:
    // Set while the buffer is not initialised.
    static constexpr UInt32 kNotInitialized = 1;

    UInt32 mTag;
    UInt32 mIsStreaming;
    Enums::SoundFormat mFormat;
    Enums::AudioCodec mEncoding;
    UInt32 mSampleRate;
    UInt32 mNumberOfSamples;
    IAudioStream* mStream;
    UInt32 mBufferName;
    UInt32 mFlags;
};

} // namespace Al11
} // namespace Audio
} // namespace Vorn
