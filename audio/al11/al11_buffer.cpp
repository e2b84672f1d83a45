#include "audio/al11/al11_buffer.h"

#include <AL/al.h>

#include "audio/listener_base.h"
#include "foundation/debug.h"
#include "resource/audio_stream.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

namespace {

IObject* MakeBuffer()
{
    return new Buffer();
}

void DeleteBufferName(UInt32& name)
{
    const ALuint al = name;
    alDeleteBuffers(1, &al);
    name = 0;
}

} // namespace

const ClassInfo& Buffer::GetClassInfo()
{
    static const ClassInfo info{String("Buffer"), &MakeBuffer};
    return info;
}

Buffer::Buffer()
    : mTag(0), mIsStreaming(0), mFormat(Enums::SoundFormat::MONO_8_BIT), mEncoding(Enums::AudioCodec::NONE),
      mSampleRate(0), mNumberOfSamples(0), mStream(nullptr), mBufferName(0), mFlags(kNotInitialized)
{
}

Buffer::~Buffer()
{
    // A buffer destroyed while initialised still gives its OpenAL buffer back.
    if ((mFlags & kNotInitialized) == 0 && !mIsStreaming)
        DeleteBufferName(mBufferName);
}

Bool Buffer::Init()
{
    if ((mFlags & kNotInitialized) == 0) {
        Debug::Trace("Audio::Al11::Buffer::Init(): Already initialized");
        return false;
    }
    if (mNumberOfSamples == 0) {
        Debug::Trace("Audio::Al11::Buffer::Init(): No samples");
        return false;
    }
    if (!mStream) {
        Debug::Trace("Audio::Al11::Buffer::Init(): No stream");
        return false;
    }
    if (mStream->GetSizeInBytes() <= kMaxStaticSize) {
        mIsStreaming = 0;
        ALuint name = 0;
        alGenBuffers(1, &name);
        mBufferName = name;
    } else {
        mIsStreaming = 1;
    }
    if (!Update()) {
        if (!mIsStreaming)
            DeleteBufferName(mBufferName);
        return false;
    }
    mFlags &= ~kNotInitialized;
    Object::Init();
    return true;
}

Bool Buffer::Update()
{
    if (mFlags == 0 || mIsStreaming || !mStream)
        return true;
    if (!mStream->PrepareData() || !mStream->GetData()) {
        Debug::Trace("Audio::Al11::Buffer::Update(): Failed to decode %u samples", mNumberOfSamples);
        return false;
    }
    // Never past the stream's data, whatever count was set.
    const UInt32 bytesPerFrame = GetBytesPerFrame(mFormat);
    UInt32 count = mNumberOfSamples;
    if (count > mStream->GetSizeInBytes() / bytesPerFrame)
        count = mStream->GetSizeInBytes() / bytesPerFrame;
    const ALuint name = mBufferName;
    alBufferData(name, GetAlFormat(mFormat), mStream->GetData(), ALsizei(count * bytesPerFrame),
                 ALsizei(mSampleRate));
    mStream->ReleaseData();
    return true;
}

Bool Buffer::DeInit()
{
    if (mFlags & kNotInitialized) {
        Debug::Trace("Audio::Al11::Buffer::DeInit(): Not initialized");
        return false;
    }
    if (!mIsStreaming)
        DeleteBufferName(mBufferName);
    Object::DeInit();
    mFlags |= kNotInitialized;
    return true;
}

Bool Buffer::SetTag(UInt32 tag)
{
    mTag = tag;
    return true;
}

Bool Buffer::SetFormat(Enums::SoundFormat format)
{
    mFormat = format;
    return true;
}

Bool Buffer::SetEncoding(Enums::AudioCodec encoding)
{
    mEncoding = encoding;
    return true;
}

Bool Buffer::SetSampleRate(UInt32 samplesPerSecond)
{
    mSampleRate = samplesPerSecond;
    return true;
}

Bool Buffer::SetNumberOfSamples(UInt32 count)
{
    mNumberOfSamples = count;
    return true;
}

Bool Buffer::SetStream(IAudioStream* stream)
{
    mStream = stream;
    return true;
}

Real Buffer::GetDuration() const
{
    return GetDurationOf(mNumberOfSamples, mSampleRate);
}

Bool Buffer::IsCompatible(const Buffer* other) const
{
    return other == this || (other && other->mFormat == mFormat && other->mSampleRate == mSampleRate);
}

} // namespace Al11
} // namespace Audio
} // namespace Vorn
