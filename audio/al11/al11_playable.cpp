#include "audio/al11/al11_playable.h"

#include <AL/al.h>

#include "audio/al11/al11_buffer.h"
#include "audio/al11/al11_renderer.h"
#include "audio/al11/al11_stream_buffer.h"
#include "foundation/debug.h"
#include "resource/audio_stream.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

namespace {

IObject* MakePlayable()
{
    return new Playable();
}

} // namespace

const ClassInfo& Playable::GetClassInfo()
{
    static const ClassInfo info{String("Playable"), &MakePlayable};
    return info;
}

Playable::Playable()
    : mSource(0), mNumEntries(0), mTotalDuration(0.0), mVolume(1.0f), mReferenceDistance(1.0f),
      mRolloffFactor(1.0f), mMaxDistance(1e37f), mRequestedFormat(Enums::SoundFormat(0)), mSampleOffset(0),
      mCurrentEntry(0), mLastTime(0.0), mFormat(Enums::SoundFormat::MONO_8_BIT), mSampleRate(0),
      mStreamBuffers{}, mIsPlaying(false)
{
}

Playable::~Playable()
{
    if (mInitialized)
        DeInit();
    DeleteStreams();
    for (Entry* entry : mEntries)
        delete entry;
}

Bool Playable::Init()
{
    Object::Init();
    ALuint source = 0;
    alGenSources(1, &source);
    mSource = source;
    SetUpSource();
    return true;
}

void Playable::SetUpSource()
{
    const ALuint source = mSource;
    const ALfloat zero[3] = {0.0f, 0.0f, 0.0f};
    alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcef(source, AL_GAIN, 1.0f);
    alSourcefv(source, AL_POSITION, zero);
    alSourcefv(source, AL_VELOCITY, zero);
    alSourcei(source, AL_LOOPING, AL_FALSE);
    alSourcef(source, AL_REFERENCE_DISTANCE, mReferenceDistance);
    alSourcef(source, AL_ROLLOFF_FACTOR, mRolloffFactor);
    alSourcef(source, AL_MAX_DISTANCE, mMaxDistance);
}

Bool Playable::DeInit()
{
    Object::DeInit();
    std::unique_lock<std::mutex> hold = mRenderer ? mRenderer->LockThread() : std::unique_lock<std::mutex>();
    ReturnStreamBuffers();
    mIsPlaying = false;
    ALuint source = mSource;
    alSourceStop(source);
    alDeleteSources(1, &source);
    mSource = 0;
    mCurrentEntry = 0;
    mLastTime = 0.0;
    DeleteStreams();
    mNumEntries = 0;
    mTotalDuration = 0.0;
    return true;
}

Bool Playable::SetSampleFormat(Enums::SoundFormat format)
{
    if (UInt32(format) > UInt32(Enums::SoundFormat::STEREO_16_BIT)) {
        Debug::Trace("Audio::Al11::Playable::SetSampleFormat(): Invalid sample format %u", UInt32(format));
        return false;
    }
    mRequestedFormat = format;
    return true;
}

Bool Playable::RemoveAllBuffers()
{
    std::unique_lock<std::mutex> hold = mRenderer ? mRenderer->LockThread() : std::unique_lock<std::mutex>();
    // A playing source would keep the queued stream buffers that go back to the pool here.
    Stop();
    ReturnStreamBuffers();
    DeleteStreams();
    mNumEntries = 0;
    mTotalDuration = 0.0;
    return true;
}

Bool Playable::AddBuffer(IBuffer* buffer)
{
    Buffer* al11 = dynamic_cast<Buffer*>(buffer);
    if (!al11) {
        Debug::Trace("Audio::Al11::Playable::AddBuffer(): %s", buffer ? "Not a buffer of this renderer" : "No buffer");
        return false;
    }
    std::unique_lock<std::mutex> hold = mRenderer ? mRenderer->LockThread() : std::unique_lock<std::mutex>();
    const Buffer* reference = mNumEntries > 0 ? mEntries[0]->buffer : al11;
    const Enums::SoundFormat format =
        mRequestedFormat != Enums::SoundFormat(0) ? mRequestedFormat : reference->GetFormat();
    IAudioStream* clone = al11->GetStream() ? al11->GetStream()->Clone(format) : nullptr;
    if (!clone) {
        Debug::Trace("Audio::Al11::Playable::AddBuffer(): Buffer has no stream in sample format %u", UInt32(format));
        return false;
    }
    mFormat = format;
    if (mNumEntries == UInt32(mEntries.GetCount()))
        mEntries.Add(new Entry());
    Entry& entry = *mEntries[SInt32(mNumEntries++)];
    entry.buffer = al11;
    entry.stream = clone;
    entry.startTime = mTotalDuration;
    mTotalDuration += al11->GetDuration();
    return true;
}

IBuffer* Playable::GetBuffer(UInt32 index)
{
    return index < mNumEntries ? mEntries[SInt32(index)]->buffer : nullptr;
}

Double Playable::GetBufferStartTime(UInt32 index) const
{
    return index < mNumEntries ? mEntries[SInt32(index)]->startTime : 0.0;
}

Bool Playable::SetVolume(Real volume)
{
    mVolume = volume;
    return true;
}

Bool Playable::SetReferenceDistance(Real distance)
{
    mReferenceDistance = distance;
    return true;
}

Bool Playable::SetRolloffFactor(Real factor)
{
    mRolloffFactor = factor;
    return true;
}

Bool Playable::SetMaxDistance(Real distance)
{
    mMaxDistance = distance;
    return true;
}

SInt32 Playable::FindEntry(Double time) const
{
    for (UInt32 i = 1; i < mNumEntries; ++i)
        if (mEntries[SInt32(i)]->startTime > time)
            return SInt32(i) - 1;
    return time < mTotalDuration ? SInt32(mNumEntries) - 1 : -1;
}

void Playable::ReclaimProcessedBuffers()
{
    const ALuint source = mSource;
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i) {
        ALuint name = 0;
        alSourceUnqueueBuffers(source, 1, &name);
        for (StreamBuffer* buffer : mStreamBuffers)
            if (buffer && buffer->GetBufferName() == name)
                buffer->ClearQueued();
    }
}

void Playable::QueueEntries(UInt32& startOffset)
{
    const ALuint source = mSource;
    StreamBufferPool* pool = mRenderer ? mRenderer->GetStreamBufferPool() : nullptr;
    while (mCurrentEntry < SInt32(mNumEntries)) {
        const Entry& entry = *mEntries[mCurrentEntry];
        const Buffer& buffer = *entry.buffer;
        if (mSampleOffset < buffer.GetNumberOfSamples()) {
            // One queue holds one rate, and each entry plays at its own: an entry of another rate
            // waits until the source has played out what it holds, then the queue takes its rate.
            if (buffer.GetSampleRate() != mSampleRate) {
                ALint queued = 0;
                alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
                if (queued > 0)
                    break;
                mSampleRate = buffer.GetSampleRate();
                for (StreamBuffer* slot : mStreamBuffers) {
                    if (slot)
                        slot->SetSampleRate(mSampleRate);
                }
            }
            // One queue holds one format: only static buffers in it go on whole.
            if (!buffer.IsStreaming() && buffer.GetFormat() == mFormat) {
                const ALuint name = buffer.GetBufferName();
                alSourceQueueBuffers(source, 1, &name);
                mSampleOffset = buffer.GetNumberOfSamples();
            } else {
                if (!mStreamBuffers[0] && pool) {
                    for (StreamBuffer*& slot : mStreamBuffers) {
                        slot = pool->GetStreamBuffer(mFormat);
                        if (slot)
                            slot->SetSampleRate(mSampleRate);
                    }
                }
                StreamBuffer* free = nullptr;
                for (StreamBuffer* slot : mStreamBuffers) {
                    if (slot && slot->SetQueued()) {
                        free = slot;
                        break;
                    }
                }
                if (!free)
                    break;
                const UInt32 filled = free->Fill(entry.stream, mSampleOffset);
                if (filled == 0) {
                    // The stream has nothing more: the entry ends here.
                    free->ClearQueued();
                    mSampleOffset = buffer.GetNumberOfSamples();
                } else {
                    const ALuint name = free->GetBufferName();
                    alSourceQueueBuffers(source, 1, &name);
                    mSampleOffset += filled;
                    startOffset = 0;
                }
            }
        }
        if (mSampleOffset >= buffer.GetNumberOfSamples()) {
            ++mCurrentEntry;
            mSampleOffset = 0;
        }
    }
}

Bool Playable::Process(const Math::Matrix<float>& transform, Double time)
{
    // Time going back (or standing) starts over on a fresh source, which then takes the place.
    const Bool restarted = mNumEntries > 0 && mLastTime >= time;
    if (restarted)
        Stop();
    alSource3f(mSource, AL_POSITION, transform[12], transform[13], transform[14]);
    alSourcef(mSource, AL_GAIN, mVolume);
    if (mNumEntries == 0)
        return true;
    // Whether to start the source again is read before the reclaim: a source that ends after this
    // read is restarted by the next Process only, once all it played has been unqueued, so it
    // never plays those buffers twice.
    ALint state = 0;
    alGetSourcei(mSource, AL_SOURCE_STATE, &state);
    if (!restarted)
        ReclaimProcessedBuffers();

    const Bool wasPlaying = mIsPlaying;
    UInt32 startOffset = 0;
    if (!wasPlaying) {
        const SInt32 current = FindEntry(time);
        if (current < 0)
            return true;
        mCurrentEntry = current;
        const Entry& entry = *mEntries[current];
        const Double offset = (time - entry.startTime) * Double(entry.buffer->GetSampleRate());
        mSampleOffset = offset > 0.0 ? UInt32(offset) : 0;
        startOffset = mSampleOffset;
    }
    mLastTime = time;
    QueueEntries(startOffset);

    if (state != AL_PLAYING)
        alSourcePlay(mSource);
    if (!wasPlaying && startOffset > 0)
        alSourcei(mSource, AL_SAMPLE_OFFSET, ALint(startOffset));
    mIsPlaying = true;
    return true;
}

Bool Playable::Stop()
{
    if (!mIsPlaying)
        return true;
    ALuint source = mSource;
    alSourceStop(source);
    // A fresh source drops every queued buffer.
    alDeleteSources(1, &source);
    alGenSources(1, &source);
    mSource = source;
    SetUpSource();
    ReturnStreamBuffers();
    mIsPlaying = false;
    mLastTime = 0.0;
    return true;
}

void Playable::ReturnStreamBuffers()
{
    StreamBufferPool* pool = mRenderer ? mRenderer->GetStreamBufferPool() : nullptr;
    for (StreamBuffer*& slot : mStreamBuffers) {
        // Without the pool (the renderer is gone) its buffers are gone too.
        if (slot && pool) {
            slot->ClearQueued();
            pool->ReturnStreamBuffer(slot);
        }
        slot = nullptr;
    }
}

void Playable::DeleteStreams()
{
    for (UInt32 i = 0; i < mNumEntries; ++i) {
        delete mEntries[SInt32(i)]->stream;
        mEntries[SInt32(i)]->stream = nullptr;
    }
}

} // namespace Al11
} // namespace Audio
} // namespace Vorn
