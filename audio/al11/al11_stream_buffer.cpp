#include "audio/al11/al11_stream_buffer.h"

#include <new>

#include <AL/al.h>

#include "audio/al11/al11_object.h"
#include "foundation/debug.h"
#include "resource/audio_stream.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

StreamBuffer::StreamBuffer(Enums::SoundFormat format, UInt32 capacity)
    : mFormat(format), mSampleRate(0), mNumberOfSamples(0), mData(nullptr), mCapacity(capacity), mBufferName(0),
      mIsCreated(false), mIsQueued(false)
{
}

StreamBuffer::~StreamBuffer()
{
    Destroy();
}

Bool StreamBuffer::Upload()
{
    // OpenAL refuses data without a rate; a new buffer gets its rate when lent out.
    if (mSampleRate == 0)
        return false;
    const ALuint name = mBufferName;
    alBufferData(name, GetAlFormat(mFormat), mData, ALsizei(mNumberOfSamples * GetBytesPerFrame(mFormat)),
                 ALsizei(mSampleRate));
    return true;
}

UInt32 StreamBuffer::Fill(IAudioStream* stream, UInt32 firstSample)
{
    if (!stream || !mIsCreated || !stream->BeginDecoding())
        return 0;
    mNumberOfSamples = stream->Decode(mData, firstSample, mCapacity);
    if (!stream->EndDecoding())
        return 0;
    Upload();
    return mNumberOfSamples;
}

Bool StreamBuffer::SetQueued()
{
    if (mIsQueued)
        return false;
    mIsQueued = true;
    return true;
}

Bool StreamBuffer::ClearQueued()
{
    if (!mIsQueued)
        return false;
    mIsQueued = false;
    return true;
}

Bool StreamBuffer::Create()
{
    if (mIsCreated || mCapacity == 0)
        return false;
    mData = new (std::nothrow) UInt8[size_t(mCapacity) * GetBytesPerFrame(mFormat)]();
    if (!mData) {
        Debug::Trace("Audio::Al11::StreamBuffer::Create(): Out of memory for %u samples", mCapacity);
        return false;
    }
    mNumberOfSamples = mCapacity;
    ALuint name = 0;
    alGenBuffers(1, &name);
    mBufferName = name;
    mIsCreated = true;
    Upload();
    return true;
}

Bool StreamBuffer::Destroy()
{
    if (!mIsCreated)
        return false;
    delete[] mData;
    mData = nullptr;
    const ALuint name = mBufferName;
    alDeleteBuffers(1, &name);
    mBufferName = 0;
    mIsCreated = false;
    return true;
}

StreamBufferPool::StreamBufferPool() : mNumCreated(0) {}

StreamBufferPool::~StreamBufferPool()
{
    for (StreamBuffer* buffer : mCreated) {
        buffer->Destroy();
        delete buffer;
    }
}

UInt32 StreamBufferPool::ListOf(Enums::SoundFormat format)
{
    return UInt32(format) < kNumberOfLists ? UInt32(format) : 0;
}

StreamBuffer* StreamBufferPool::GetStreamBuffer(Enums::SoundFormat format)
{
    Array<StreamBuffer*>& list = mFree[ListOf(format)];
    if (!list.IsEmpty()) {
        StreamBuffer* buffer = list.GetLast();
        list.RemoveAt(list.GetCount() - 1);
        return buffer;
    }
    StreamBuffer* buffer = new StreamBuffer(format, kBufferSize);
    if (!buffer->Create()) {
        delete buffer;
        return nullptr;
    }
    mCreated.Add(buffer);
    ++mNumCreated;
    return buffer;
}

void StreamBufferPool::ReturnStreamBuffer(StreamBuffer* buffer)
{
    if (buffer)
        mFree[ListOf(buffer->GetFormat())].Add(buffer);
}

UInt32 StreamBufferPool::GetNumberOfFree(Enums::SoundFormat format) const
{
    return UInt32(mFree[ListOf(format)].GetCount());
}

} // namespace Al11
} // namespace Audio
} // namespace Vorn
