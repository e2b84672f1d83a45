#include "audio/al11/al11_buffer.h"

#include <gtest/gtest.h>

#include <AL/al.h>

#include "audio/al11/al11_stream_buffer.h"
#include "tests/support/al11_fixture.h"

namespace Vorn {
namespace Audio {
namespace Al11 {
namespace {

using Testing::SoundResource;
using Testing::ToneSound;

class Al11BufferTest : public Testing::Al11Fixture
{
};

ALint BufferValue(UInt32 name, ALenum parameter)
{
    ALint value = -1;
    alGetBufferi(name, parameter, &value);
    return value;
}

TEST_F(Al11BufferTest, SoundsUpTo131072BytesAreUploadedWholeLargerOnesStream)
{
    struct Case
    {
        UInt32 channels, bits, frames;
        Bool streaming;
        ALint alBits, alChannels;
    };
    const std::vector<Case> cases = {
        {1, 8, 131072, false, 8, 1},  {1, 8, 131073, true, 0, 0},     {1, 16, 65536, false, 16, 1},
        {2, 8, 100, false, 8, 2},     {2, 16, 32768, false, 16, 2},   {2, 16, 32769, true, 0, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.channels << " x " << test.bits << " bits, " << test.frames);
        auto sound = ToneSound(test.channels, test.bits, 22050, test.frames);
        Buffer* buffer = dynamic_cast<Buffer*>(NewBuffer(*sound));
        ASSERT_NE(buffer, nullptr);
        EXPECT_TRUE(buffer->IsInitialized());
        EXPECT_EQ(buffer->IsStreaming(), test.streaming);
        if (test.streaming) {
            EXPECT_EQ(buffer->GetBufferName(), 0u);
            continue;
        }
        ASSERT_NE(buffer->GetBufferName(), 0u);
        EXPECT_EQ(BufferValue(buffer->GetBufferName(), AL_SIZE), ALint(sound->stream->GetSizeInBytes()));
        EXPECT_EQ(BufferValue(buffer->GetBufferName(), AL_BITS), test.alBits);
        EXPECT_EQ(BufferValue(buffer->GetBufferName(), AL_CHANNELS), test.alChannels);
        EXPECT_EQ(BufferValue(buffer->GetBufferName(), AL_FREQUENCY), 22050);
    }
}

TEST_F(Al11BufferTest, FormatsOutsideTheTableUploadAsMono8)
{
    struct Case
    {
        UInt32 format;
        SInt32 alFormat;
        UInt32 bytesPerFrame;
    };
    for (const Case& test : std::vector<Case>{{0, AL_FORMAT_MONO8, 1},
                                              {1, AL_FORMAT_MONO8, 1},
                                              {2, AL_FORMAT_MONO16, 2},
                                              {3, AL_FORMAT_STEREO8, 2},
                                              {4, AL_FORMAT_STEREO16, 4},
                                              {5, AL_FORMAT_MONO8, 1}}) {
        EXPECT_EQ(GetAlFormat(Enums::SoundFormat(test.format)), test.alFormat) << test.format;
        EXPECT_EQ(GetBytesPerFrame(Enums::SoundFormat(test.format)), test.bytesPerFrame) << test.format;
    }
}

TEST_F(Al11BufferTest, RefusesWhatCannotPlay)
{
    auto sound = ToneSound(1, 16, 22050, 100);
    struct Case
    {
        const char* name;
        UInt32 samples;
        Bool stream;
        Bool failDecode;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"no samples", 0, true, false, "Audio::Al11::Buffer::Init(): No samples"},
        {"no stream", 100, false, false, "Audio::Al11::Buffer::Init(): No stream"},
        {"decoding fails", 100, true, true, "Audio::Al11::Buffer::Update(): Failed to decode 100 samples"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<std::string> log;
        Testing::RecordingAudioStream stream(22050, 100, &log);
        stream.mFailPrepare = test.failDecode;
        Buffer buffer;
        buffer.SetNumberOfSamples(test.samples);
        buffer.SetSampleRate(22050);
        buffer.SetFormat(Enums::SoundFormat::MONO_16_BIT);
        buffer.SetStream(test.stream ? &stream : nullptr);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(buffer.Init());
        EXPECT_NE(testing::internal::GetCapturedStderr().find(test.message), std::string::npos);
        EXPECT_FALSE(buffer.IsInitialized());
        EXPECT_FALSE(buffer.DeInit());
    }

    // Initialised once only, de-initialised once only.
    Audio::IObject* object = Testing::MakeSoundBuffer(mRenderer, *sound);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(object->Init());
    EXPECT_TRUE(object->DeInit());
    EXPECT_FALSE(object->DeInit());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Audio::Al11::Buffer::DeInit(): Not initialized"),
              std::string::npos);
    EXPECT_TRUE(mRenderer.DestroyObject(object));
    EXPECT_EQ(object, nullptr);
}

TEST_F(Al11BufferTest, UploadsNoMoreThanTheStreamHolds)
{
    std::vector<std::string> log;
    Testing::RecordingAudioStream stream(22050, 1000, &log);
    Buffer* buffer = dynamic_cast<Buffer*>(Keep(mRenderer.CreateObject(String("Buffer"))));
    buffer->SetFormat(Enums::SoundFormat::MONO_16_BIT);
    buffer->SetSampleRate(22050);
    buffer->SetNumberOfSamples(5000);
    buffer->SetStream(&stream);
    ASSERT_TRUE(buffer->Init());
    EXPECT_EQ(BufferValue(buffer->GetBufferName(), AL_SIZE), 2000);
}

TEST_F(Al11BufferTest, CompatibilityAndDuration)
{
    auto a = ToneSound(1, 16, 44100, 44100);
    auto b = ToneSound(1, 16, 44100, 22050);
    auto c = ToneSound(1, 16, 22050, 100);
    auto d = ToneSound(2, 16, 44100, 100);
    Buffer* first = dynamic_cast<Buffer*>(NewBuffer(*a));
    Buffer* second = dynamic_cast<Buffer*>(NewBuffer(*b));
    second->SetEncoding(Enums::AudioCodec::VORBIS);
    EXPECT_TRUE(first->IsCompatible(first));
    EXPECT_TRUE(first->IsCompatible(second));
    EXPECT_FALSE(first->IsCompatible(dynamic_cast<Buffer*>(NewBuffer(*c))));
    EXPECT_FALSE(first->IsCompatible(dynamic_cast<Buffer*>(NewBuffer(*d))));
    EXPECT_FALSE(first->IsCompatible(nullptr));
    EXPECT_FLOAT_EQ(first->GetDuration(), 1.0f);
    EXPECT_FLOAT_EQ(second->GetDuration(), 0.5f);
    Audio::Al11::Buffer empty;
    EXPECT_EQ(empty.GetDuration(), 0.0f);
}

TEST_F(Al11BufferTest, StreamBuffersHold4096SamplesAndThePoolLendsThemPerFormat)
{
    StreamBufferPool& pool = *mRenderer.GetStreamBufferPool();
    StreamBuffer* stereo = pool.GetStreamBuffer(Enums::SoundFormat::STEREO_16_BIT);
    ASSERT_NE(stereo, nullptr);
    EXPECT_EQ(stereo->GetNumberOfSamples(), 4096u);
    auto tone = ToneSound(2, 16, 44100, 10000);
    stereo->SetSampleRate(44100);
    EXPECT_EQ(stereo->Fill(tone->stream.get(), 0), 4096u);
    EXPECT_EQ(BufferValue(stereo->GetBufferName(), AL_SIZE), 16384);
    EXPECT_FALSE(stereo->Create());
    EXPECT_TRUE(stereo->SetQueued());
    EXPECT_FALSE(stereo->SetQueued());
    EXPECT_TRUE(stereo->ClearQueued());
    EXPECT_FALSE(stereo->ClearQueued());

    StreamBuffer* mono = pool.GetStreamBuffer(Enums::SoundFormat::MONO_8_BIT);
    mono->SetSampleRate(8000);
    EXPECT_TRUE(mono->Upload());
    EXPECT_EQ(BufferValue(mono->GetBufferName(), AL_SIZE), 4096);
    EXPECT_EQ(pool.GetNumberOfCreated(), 2u);
    pool.ReturnStreamBuffer(stereo);
    EXPECT_EQ(pool.GetNumberOfFree(Enums::SoundFormat::STEREO_16_BIT), 1u);
    EXPECT_EQ(pool.GetStreamBuffer(Enums::SoundFormat::STEREO_16_BIT), stereo);
    EXPECT_EQ(pool.GetNumberOfCreated(), 2u);
    // The mono buffer stays lent: the pool destroys it all the same at the end.

    // A fill decodes from the first sample asked for, at most 4096 samples, and 0 past the end.
    std::vector<std::string> log;
    Testing::RecordingAudioStream stream(22050, 5000, &log);
    StreamBuffer* mono16 = pool.GetStreamBuffer(Enums::SoundFormat::MONO_16_BIT);
    mono16->SetSampleRate(22050);
    EXPECT_EQ(mono16->Fill(&stream, 4000), 1000u);
    EXPECT_EQ(BufferValue(mono16->GetBufferName(), AL_SIZE), 2000);
    EXPECT_EQ(mono16->Fill(&stream, 5000), 0u);
    EXPECT_EQ(mono16->Fill(nullptr, 0), 0u);
    EXPECT_EQ(log, (std::vector<std::string>{"4000+4096", "5000+4096"}));
}

} // namespace
} // namespace Al11
} // namespace Audio
} // namespace Vorn
