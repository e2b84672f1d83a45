// Stream buffers: small OpenAL buffers that playables fill from a sound's stream a few thousand
// samples at a time and queue on their source, lent out and taken back by the renderer's pool.
// The pool is used under the renderer thread's lock.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {

class IAudioStream;

namespace Audio {
namespace Al11 {

class StreamBuffer
{
public:
    StreamBuffer(Enums::SoundFormat format, UInt32 capacity);
    virtual ~StreamBuffer();

    // Uploads the samples held to the OpenAL buffer; false while it has no sample rate.
    virtual Bool Upload();
    virtual void SetSampleRate(UInt32 sampleRate) { mSampleRate = sampleRate; }
    // Decodes up to the capacity from the first sample on and uploads it; the samples written,
    // 0 at the end of the stream or when it fails.
    virtual UInt32 Fill(IAudioStream* stream, UInt32 firstSample);
    virtual Enums::SoundFormat GetFormat() const { return mFormat; }
    virtual UInt32 GetNumberOfSamples() const { return mNumberOfSamples; }
    virtual UInt32 GetSampleRate() const { return mSampleRate; }
    virtual UInt32 GetBufferName() const { return mBufferName; }
    virtual Bool IsQueued() const { return mIsQueued; }
    // False when it was queued already.
    virtual Bool SetQueued();
    // False when it was not queued.
    virtual Bool ClearQueued();
    // Makes the OpenAL buffer; false when made already or the capacity is 0.
    virtual Bool Create();
    virtual Bool Destroy();

private:
    StreamBuffer(const StreamBuffer&) = delete;
    StreamBuffer& operator=(const StreamBuffer&) = delete;

    Enums::SoundFormat mFormat;
    UInt32 mSampleRate;
    UInt32 mNumberOfSamples;
    UInt8* mData;
    UInt32 mCapacity;
    UInt32 mBufferName;
    Bool mIsCreated;
    Bool mIsQueued;
};

class StreamBufferPool
{
public:
    // Samples per stream buffer.
    static constexpr UInt32 kBufferSize = 4096;

    StreamBufferPool();
    // Destroys every stream buffer it made, those still lent out too.
    ~StreamBufferPool();

    // A free stream buffer of the format, made when none is free; null when it cannot be made.
    StreamBuffer* GetStreamBuffer(Enums::SoundFormat format);
    void ReturnStreamBuffer(StreamBuffer* buffer);

    UInt32 GetNumberOfCreated() const { return mNumCreated; }
    UInt32 GetNumberOfFree(Enums::SoundFormat format) const;

private:
    static constexpr UInt32 kNumberOfLists = 5;

    StreamBufferPool(const StreamBufferPool&) = delete;
    StreamBufferPool& operator=(const StreamBufferPool&) = delete;

    static UInt32 ListOf(Enums::SoundFormat format);

    Array<StreamBuffer*> mFree[kNumberOfLists];
    Array<StreamBuffer*> mCreated;
    UInt32 mNumCreated;
};

} // namespace Al11
} // namespace Audio
} // namespace Vorn
