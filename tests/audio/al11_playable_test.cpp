#include "audio/al11/al11_playable.h"

#include <gtest/gtest.h>

#include <AL/al.h>

#include <string>
#include <thread>
#include <vector>

#include "audio/al11/al11_buffer.h"
#include "audio/al11/al11_stream_buffer.h"
#include "audio/dummy/dummy_renderer.h"
#include "tests/support/al11_fixture.h"

namespace Vorn {
namespace Audio {
namespace Al11 {
namespace {

using Testing::RecordingAudioStream;
using Testing::ToneSound;

class Al11PlayableTest : public Testing::Al11Fixture
{
protected:
    static ALint SourceValue(Playable* playable, ALenum parameter)
    {
        ALint value = -1;
        alGetSourcei(playable->GetSource(), parameter, &value);
        return value;
    }
    UInt32 FreeStreamBuffers(Enums::SoundFormat format)
    {
        return mRenderer.GetStreamBufferPool()->GetNumberOfFree(format);
    }
};

TEST_F(Al11PlayableTest, StartsAtTheSampleOfTheTimeInTheRightBuffer)
{
    // Two static buffers of 1 s each at 44100 samples per second.
    auto first = ToneSound(1, 16, 44100, 44100, 440.0);
    auto second = ToneSound(1, 16, 44100, 44100, 880.0);
    IObject* buffers[2] = {NewBuffer(*first), NewBuffer(*second)};
    IObject* listener = NewListener();
    struct Case
    {
        Real time;
        ALint queued;
        ALint offset;
    };
    // The offset runs on with playback: it is checked not to lie before the start.
    for (const Case& test : std::vector<Case>{{0.25f, 2, 11025}, {1.5f, 1, 22050}, {1.0f, 1, 0}}) {
        SCOPED_TRACE(test.time);
        Playable* playable = AsPlayable(NewPlayable({buffers[0], buffers[1]}));
        EXPECT_DOUBLE_EQ(playable->GetBufferStartTime(1), 1.0);
        Frame(listener, {{playable, test.time}});
        Sync();
        EXPECT_TRUE(playable->IsPlaying());
        EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), test.queued);
        const ALint offset = SourceValue(playable, AL_SAMPLE_OFFSET);
        EXPECT_GE(offset, test.offset);
        EXPECT_LT(offset, 44100 * test.queued);
        Frame(listener, {});
        Sync();
    }

    // At or past the end nothing plays.
    Playable* late = AsPlayable(NewPlayable({buffers[0], buffers[1]}));
    Frame(listener, {{late, 2.0f}});
    Sync();
    EXPECT_FALSE(late->IsPlaying());
    EXPECT_EQ(SourceValue(late, AL_BUFFERS_QUEUED), 0);
}

TEST_F(Al11PlayableTest, StreamedEntriesDecodeFromTheSampleOfTheTime)
{
    std::vector<std::string> log;
    // 50000 samples of 16-bit mono stream (over 131072 bytes), then a static one of another rate.
    RecordingAudioStream streamed(22050, 70000, &log);
    RecordingAudioStream otherRate(11025, 5000, &log);
    IObject* listener = NewListener();
    IObject* long_ = Keep(Testing::MakeRecordedBuffer(mRenderer, streamed));
    IObject* short_ = Keep(Testing::MakeRecordedBuffer(mRenderer, otherRate));
    ASSERT_TRUE(dynamic_cast<Buffer*>(long_)->IsStreaming());
    ASSERT_FALSE(dynamic_cast<Buffer*>(short_)->IsStreaming());
    Playable* playable = AsPlayable(NewPlayable({long_, short_}));
    log.clear();
    Frame(listener, {{playable, 3.0f}});
    Sync();
    // A stream buffer from sample 66150 on ends the streamed entry; the static entry of another
    // rate waits until the source has played it out.
    EXPECT_EQ(log, (std::vector<std::string>{"66150+4096"}));
    EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 1);
    EXPECT_LT(SourceValue(playable, AL_SAMPLE_OFFSET), 4096);
    EXPECT_EQ(mRenderer.GetStreamBufferPool()->GetNumberOfCreated(), 3u);
    EXPECT_EQ(FreeStreamBuffers(Enums::SoundFormat::MONO_16_BIT), 0u);

    // Stopping gives the three back; the next start takes them again.
    Frame(listener, {});
    Sync();
    EXPECT_FALSE(playable->IsPlaying());
    EXPECT_EQ(FreeStreamBuffers(Enums::SoundFormat::MONO_16_BIT), 3u);
    EXPECT_EQ(mRenderer.GetStreamBufferPool()->GetNumberOfCreated(), 3u);
}

TEST_F(Al11PlayableTest, EachEntryPlaysAtItsOwnRate)
{
    // A short static buffer at 22050 samples per second, then two of 1 s at 11025: the queue
    // holds one rate, so these wait for the first to play out and then go on whole at their own.
    auto fast = ToneSound(1, 16, 22050, 256, 440.0);
    auto slow = ToneSound(1, 16, 11025, 11025, 440.0);
    auto slowToo = ToneSound(1, 16, 11025, 11025, 880.0);
    IObject* buffers[3] = {NewBuffer(*fast), NewBuffer(*slow), NewBuffer(*slowToo)};
    IObject* listener = NewListener();
    Playable* playable = AsPlayable(NewPlayable({buffers[0], buffers[1], buffers[2]}));
    Frame(listener, {{playable, 0.0f}});
    Sync();
    ASSERT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 1);
    EXPECT_EQ(mRenderer.GetStreamBufferPool()->GetNumberOfCreated(), 0u);

    // Played on by the device's clock, submitted each frame with a rising time, until the queue
    // takes the slow buffers: themselves, at their rate, and no stream buffer at another.
    Real time = 0.0f;
    while (SourceValue(playable, AL_BUFFERS_QUEUED) == 1) {
        time += 1e-5f;
        Frame(listener, {{playable, time}});
        Sync();
        std::this_thread::yield();
    }
    EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 2);
    EXPECT_EQ(SourceValue(playable, AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_EQ(mRenderer.GetStreamBufferPool()->GetNumberOfCreated(), 0u);
}

TEST_F(Al11PlayableTest, AStreamThatDeliversNothingEndsItsEntry)
{
    std::vector<std::string> log;
    RecordingAudioStream silent(22050, 70000, &log);
    silent.mDeliverNothing = true;
    IObject* listener = NewListener();
    Playable* playable = AsPlayable(NewPlayable({Keep(Testing::MakeRecordedBuffer(mRenderer, silent))}));
    log.clear();
    Frame(listener, {{playable, 0.5f}});
    Sync();
    EXPECT_EQ(log, std::vector<std::string>{"11025+4096"});
    EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 0);
    Frame(listener, {{playable, 0.6f}});
    Sync();
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(FreeStreamBuffers(Enums::SoundFormat::MONO_16_BIT), 0u);
}

TEST_F(Al11PlayableTest, TheSameTimeAgainRestartsTheSource)
{
    std::vector<std::string> log;
    RecordingAudioStream stream(22050, 70000, &log);
    IObject* listener = NewListener();
    Playable* playable = AsPlayable(NewPlayable({Keep(Testing::MakeRecordedBuffer(mRenderer, stream))}));
    log.clear();
    Frame(listener, {{playable, 1.0f}});
    Frame(listener, {{playable, 1.0f}});
    Sync();
    EXPECT_TRUE(playable->IsPlaying());
    EXPECT_EQ(log, (std::vector<std::string>{"22050+4096", "26146+4096", "30242+4096", "22050+4096", "26146+4096",
                                              "30242+4096"}));
    EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 3);
}

TEST_F(Al11PlayableTest, RemovingTheBuffersOfAPlayingPlayableStopsItFirst)
{
    std::vector<std::string> log;
    RecordingAudioStream stream(22050, 70000, &log);
    IObject* buffer = Keep(Testing::MakeRecordedBuffer(mRenderer, stream));
    IObject* listener = NewListener();
    Playable* playable = AsPlayable(NewPlayable({buffer}));
    Frame(listener, {{playable, 0.0f}});
    Sync();
    ASSERT_TRUE(playable->IsPlaying());
    EXPECT_TRUE(playable->RemoveAllBuffers());
    EXPECT_FALSE(playable->IsPlaying());
    EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 0);
    EXPECT_EQ(FreeStreamBuffers(Enums::SoundFormat::MONO_16_BIT), 3u);
    EXPECT_EQ(playable->GetNumberOfBuffers(), 0u);
    EXPECT_EQ(playable->GetBuffer(0), nullptr);
    EXPECT_EQ(playable->GetBufferStartTime(0), 0.0);
    // One buffer again starts at 0.
    EXPECT_TRUE(playable->AddBuffer(dynamic_cast<IBuffer*>(buffer)));
    EXPECT_EQ(playable->GetBufferStartTime(0), 0.0);
    EXPECT_EQ(playable->GetBuffer(0), dynamic_cast<IBuffer*>(buffer));
}

TEST_F(Al11PlayableTest, RefusesBadInput)
{
    auto sound = ToneSound(1, 16, 22050, 100);
    Playable* playable = AsPlayable(NewPlayable({}));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(playable->SetSampleFormat(Enums::SoundFormat(5)));
    EXPECT_FALSE(playable->AddBuffer(nullptr));
    Dummy::Buffer foreign;
    EXPECT_FALSE(playable->AddBuffer(&foreign));
    Buffer withoutStream;
    EXPECT_FALSE(playable->AddBuffer(&withoutStream));
    const std::string log = testing::internal::GetCapturedStderr();
    for (const char* message : {"Audio::Al11::Playable::SetSampleFormat(): Invalid sample format 5",
                                "Audio::Al11::Playable::AddBuffer(): No buffer",
                                "Audio::Al11::Playable::AddBuffer(): Not a buffer of this renderer",
                                "Audio::Al11::Playable::AddBuffer(): Buffer has no stream in sample format 1"})
        EXPECT_NE(log.find(message), std::string::npos) << message;
    EXPECT_EQ(playable->GetNumberOfBuffers(), 0u);
    for (UInt32 format = 0; format <= 4; ++format)
        EXPECT_TRUE(playable->SetSampleFormat(Enums::SoundFormat(format)));

    // Nothing to play: the source stays silent.
    Frame(NewListener(), {{playable, 0.0f}});
    Sync();
    EXPECT_FALSE(playable->IsPlaying());
}

TEST_F(Al11PlayableTest, ARequestedFormatStreamsStaticBuffersOfAnotherFormat)
{
    auto mono = ToneSound(1, 16, 22050, 22050);
    IObject* buffer = NewBuffer(*mono);
    IObject* listener = NewListener();
    Playable* playable = AsPlayable(NewPlayable({buffer}, Enums::SoundFormat::STEREO_16_BIT));
    Frame(listener, {{playable, 0.0f}});
    Sync();
    // The mono buffer is not put on the stereo queue: its stereo clone fills stream buffers.
    EXPECT_EQ(SourceValue(playable, AL_BUFFERS_QUEUED), 3);
    EXPECT_EQ(FreeStreamBuffers(Enums::SoundFormat::STEREO_16_BIT), 0u);
}

} // namespace
} // namespace Al11
} // namespace Audio
} // namespace Vorn
