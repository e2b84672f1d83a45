// Fixtures for tests of the audio back-ends: sounds read by the engine's own readers from files
// built here (WAV tones, the Ogg Vorbis tones), buffers and playables set up the way the graph's
// sound, audio sequence and listener nodes set them up, and a stream that records the decoding
// asked of it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <memory>
#include <string>
#include <vector>

#include "audio/renderer.h"
#include "resource/audio_stream.h"
#include "resource/ogg_sound.h"
#include "resource/sound.h"
#include "resource/wav_sound.h"
#include "tests/support/sound_fixture.h"

namespace Vorn {
namespace Testing {

// A sound resource read from a file's bytes, with the stream that a sound node would make for it
// (in the sound's own format).
struct SoundResource
{
    SoundResource(Resource::ObjectCreator creator, const std::vector<UInt8>& file)
        : bytes(file), result(CreateObject(creator, bytes)), sound(dynamic_cast<Resource::Sound*>(result.object.get()))
    {
        EXPECT_NE(sound, nullptr);
        if (sound)
            stream.reset(sound->CreateAudioStream());
    }
    ExactBytes bytes;
    CreatedObject result;
    Resource::Sound* sound;
    std::unique_ptr<IAudioStream> stream;
};

// A WAV file of a sine tone (amplitude 0.5 of full scale), or of silence at frequency 0.
inline std::vector<UInt8> ToneWav(UInt32 channels, UInt32 bitsPerSample, UInt32 sampleRate, UInt32 frames,
                                  double frequency)
{
    WavFile wav;
    wav.channels = channels;
    wav.bitsPerSample = bitsPerSample;
    wav.sampleRate = sampleRate;
    for (UInt32 i = 0; i < frames; ++i) {
        const double value = 0.5 * std::sin(2.0 * std::numbers::pi * frequency * i / sampleRate);
        for (UInt32 c = 0; c < channels; ++c) {
            if (bitsPerSample == 8)
                wav.samples.push_back(UInt8(SInt32(std::lround(value * 127.0)) + 128));
            else
                PutLittleEndian(wav.samples, UInt32(SInt32(std::lround(value * 32767.0))), 2);
        }
    }
    return wav.Build();
}

inline std::unique_ptr<SoundResource> ToneSound(UInt32 channels, UInt32 bitsPerSample, UInt32 sampleRate,
                                                UInt32 frames, double frequency = 440.0)
{
    return std::make_unique<SoundResource>(&Resource::WavSound::Create,
                                           ToneWav(channels, bitsPerSample, sampleRate, frames, frequency));
}

inline std::unique_ptr<SoundResource> StereoOggSound()
{
    return std::make_unique<SoundResource>(&Resource::OggSound::Create, StereoToneOgg());
}

// A buffer made and set up as the sound node does it; null (with a failure) when refused.
inline Audio::IObject* MakeSoundBuffer(Audio::IRenderer& renderer, const SoundResource& resource,
                                       Bool expectInit = true)
{
    Audio::IObject* object = renderer.CreateObject(String("Buffer"));
    Audio::IBuffer* buffer = dynamic_cast<Audio::IBuffer*>(object);
    EXPECT_NE(buffer, nullptr);
    if (!buffer)
        return nullptr;
    buffer->SetTag(0);
    buffer->SetFormat(resource.sound->GetFormat());
    buffer->SetEncoding(resource.sound->GetEncoding());
    buffer->SetSampleRate(resource.sound->GetSampleRate());
    buffer->SetNumberOfSamples(resource.sound->GetNumberOfSamples());
    buffer->SetStream(resource.stream.get());
    EXPECT_EQ(object->Init(), expectInit);
    return object;
}

// A playable made and set up as the audio sequence node does it, with the buffers added in order.
inline Audio::IObject* MakeSequencePlayable(Audio::IRenderer& renderer, const std::vector<Audio::IObject*>& buffers,
                                            Enums::SoundFormat sampleFormat = Enums::SoundFormat(0))
{
    Audio::IObject* object = renderer.CreateObject(String("Playable"));
    Audio::IPlayable* playable = dynamic_cast<Audio::IPlayable*>(object);
    EXPECT_NE(playable, nullptr);
    if (!playable)
        return nullptr;
    playable->SetReferenceDistance(1.0f);
    playable->SetRolloffFactor(1.0f);
    playable->SetMaxDistance(1e37f);
    if (sampleFormat != Enums::SoundFormat(0))
        playable->SetSampleFormat(sampleFormat);
    EXPECT_TRUE(object->Init());
    playable->RemoveAllBuffers();
    for (Audio::IObject* buffer : buffers)
        EXPECT_TRUE(playable->AddBuffer(dynamic_cast<Audio::IBuffer*>(buffer)));
    return object;
}

// A listener made and set up as the listener node does it.
inline Audio::IObject* MakeSceneListener(Audio::IRenderer& renderer,
                                         Enums::DistanceModel model = Enums::DistanceModel::INVERSE_CLAMPED)
{
    Audio::IObject* object = renderer.CreateObject(String("Listener"));
    Audio::IListener* listener = dynamic_cast<Audio::IListener*>(object);
    EXPECT_NE(listener, nullptr);
    if (!listener)
        return nullptr;
    listener->SetVolume(1.0f);
    listener->SetDistanceModel(model);
    EXPECT_TRUE(object->Init());
    return object;
}

// A stream over generated PCM (mono, 16-bit) that logs every Decode call as "first+count", and
// whose clones log into the same list. Decoding can be made to deliver nothing.
class RecordingAudioStream : public IAudioStream
{
public:
    RecordingAudioStream(UInt32 sampleRate, UInt32 frames, std::vector<std::string>* log)
        : mSampleRate(sampleRate), mFrames(frames), mLog(log)
    {
    }
    Bool mDeliverNothing = false;
    Bool mFailPrepare = false;

    IAudioStream* Clone(Enums::SoundFormat) const override
    {
        RecordingAudioStream* clone = new RecordingAudioStream(mSampleRate, mFrames, mLog);
        clone->mDeliverNothing = mDeliverNothing;
        return clone;
    }
    IAudioStream* Clone() const override { return Clone(GetFormat()); }
    UInt32 GetSampleRate() const override { return mSampleRate; }
    UInt32 GetNumberOfSamples() const override { return mFrames; }
    UInt32 GetSizeInBytes() const override { return mFrames * 2; }
    Enums::SoundFormat GetFormat() const override { return Enums::SoundFormat::MONO_16_BIT; }
    Bool BeginDecoding() override { return true; }
    Bool EndDecoding() override { return true; }
    UInt32 Decode(void* destination, UInt32 first, UInt32 count) override
    {
        mLog->push_back(std::to_string(first) + "+" + std::to_string(count));
        if (mDeliverNothing || first >= mFrames)
            return 0;
        const UInt32 n = count < mFrames - first ? count : mFrames - first;
        std::fill_n(static_cast<SInt16*>(destination), n, SInt16(1000));
        return n;
    }
    Bool PrepareData() override
    {
        if (mFailPrepare)
            return false;
        mPcm.assign(mFrames, 1000);
        return true;
    }
    Bool ReleaseData() override
    {
        mPcm.clear();
        return true;
    }
    const void* GetData() const override { return mPcm.empty() ? nullptr : mPcm.data(); }

private:
    UInt32 mSampleRate;
    UInt32 mFrames;
    std::vector<std::string>* mLog;
    std::vector<SInt16> mPcm;
};

// A buffer over a recording stream, set up as the sound node does it.
inline Audio::IObject* MakeRecordedBuffer(Audio::IRenderer& renderer, RecordingAudioStream& stream,
                                          Bool expectInit = true)
{
    Audio::IObject* object = renderer.CreateObject(String("Buffer"));
    Audio::IBuffer* buffer = dynamic_cast<Audio::IBuffer*>(object);
    buffer->SetTag(0);
    buffer->SetFormat(stream.GetFormat());
    buffer->SetEncoding(Enums::AudioCodec::NONE);
    buffer->SetSampleRate(stream.GetSampleRate());
    buffer->SetNumberOfSamples(stream.GetNumberOfSamples());
    buffer->SetStream(&stream);
    EXPECT_EQ(object->Init(), expectInit);
    return object;
}

} // namespace Testing
} // namespace Vorn
