// What the OpenAL renderer plays, heard through OpenAL's "wave" back-end, which writes the mix
// into a file. The back-end and the file come from this program's CTest environment (OpenAL reads
// its settings once per process): ALSOFT_DRIVERS, ALSOFT_CONF, and VORN_WAVE_FILE naming the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/al11/al11_buffer.h"
#include "audio/al11/al11_stream_buffer.h"
#include "tests/support/al11_fixture.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace Vorn {
namespace Audio {
namespace Al11 {
namespace {

// The mix as one channel of floats from -1 to 1, and its rate; empty when unreadable.
struct WaveOutput
{
    UInt32 rate = 0;
    std::vector<float> samples;
};

UInt32 Read32(const std::vector<UInt8>& bytes, size_t at)
{
    return UInt32(bytes[at]) | UInt32(bytes[at + 1]) << 8 | UInt32(bytes[at + 2]) << 16 | UInt32(bytes[at + 3]) << 24;
}

UInt32 Read16(const std::vector<UInt8>& bytes, size_t at)
{
    return UInt32(bytes[at]) | UInt32(bytes[at + 1]) << 8;
}

// Reads 16-bit or float PCM (the first channel of each frame).
WaveOutput ReadWave(const char* path)
{
    WaveOutput output;
    std::ifstream file(path, std::ios::binary);
    const std::vector<UInt8> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0)
        return output;
    UInt32 channels = 0, bits = 0, tag = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const UInt32 size = Read32(bytes, at + 4);
        const size_t body = at + 8;
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && body + 16 <= bytes.size()) {
            tag = Read16(bytes, body);
            channels = Read16(bytes, body + 2);
            output.rate = Read32(bytes, body + 4);
            bits = Read16(bytes, body + 14);
            if (tag == 0xFFFE && body + 26 <= bytes.size())
                tag = Read16(bytes, body + 24);
        } else if (std::memcmp(&bytes[at], "data", 4) == 0 && channels > 0) {
            // The writer may leave the size open: take what is there.
            const size_t end = std::min(bytes.size(), size_t(size) + body < body ? bytes.size() : size_t(size) + body);
            const size_t frameBytes = size_t(channels) * bits / 8;
            for (size_t frame = body; frameBytes > 0 && frame + frameBytes <= end; frame += frameBytes) {
                if (tag == 3 && bits == 32) {
                    float value;
                    std::memcpy(&value, &bytes[frame], 4);
                    output.samples.push_back(value);
                } else if (bits == 16) {
                    output.samples.push_back(float(SInt16(Read16(bytes, frame))) / 32768.0f);
                }
            }
            break;
        }
        at = body + size + (size & 1);
    }
    return output;
}

// Zero crossings over a stretch, as a frequency. A crossing counts once the signal has passed
// from below -0.05 to above 0.05 or back, so that dithered silence counts none.
double Frequency(const WaveOutput& wave, size_t from, size_t count)
{
    UInt32 crossings = 0;
    int side = 0;
    for (size_t i = from; i < from + count && i < wave.samples.size(); ++i) {
        const int now = wave.samples[i] > 0.05f ? 1 : wave.samples[i] < -0.05f ? -1 : 0;
        if (now != 0 && now != side) {
            crossings += side != 0 ? 1 : 0;
            side = now;
        }
    }
    return crossings / 2.0 / (double(count) / wave.rate);
}

float Peak(const WaveOutput& wave, size_t from, size_t to)
{
    float peak = 0.0f;
    for (size_t i = from; i < to && i < wave.samples.size(); ++i)
        peak = std::max(peak, std::fabs(wave.samples[i]));
    return peak;
}

// The first sample that is not silence, or the size when there is none.
size_t FirstSound(const WaveOutput& wave)
{
    for (size_t i = 0; i < wave.samples.size(); ++i)
        if (std::fabs(wave.samples[i]) > 0.01f)
            return i;
    return wave.samples.size();
}

// A stream that hands out clones which append every fill they decode to one shared record.
class RecordingCloneStream : public IAudioStream
{
public:
    RecordingCloneStream(IAudioStream* inner, std::vector<UInt8>* fills, UInt32 bytesPerFrame)
        : mInner(inner), mFills(fills), mBytesPerFrame(bytesPerFrame)
    {
    }
    ~RecordingCloneStream() override
    {
        if (mOwned)
            delete mInner;
    }
    IAudioStream* Clone(Enums::SoundFormat format) const override
    {
        RecordingCloneStream* clone = new RecordingCloneStream(mInner->Clone(format), mFills, mBytesPerFrame);
        clone->mOwned = true;
        return clone;
    }
    IAudioStream* Clone() const override { return Clone(GetFormat()); }
    UInt32 GetSampleRate() const override { return mInner->GetSampleRate(); }
    UInt32 GetNumberOfSamples() const override { return mInner->GetNumberOfSamples(); }
    UInt32 GetSizeInBytes() const override { return mInner->GetSizeInBytes(); }
    Enums::SoundFormat GetFormat() const override { return mInner->GetFormat(); }
    Bool BeginDecoding() override { return mInner->BeginDecoding(); }
    Bool EndDecoding() override { return mInner->EndDecoding(); }
    UInt32 Decode(void* destination, UInt32 first, UInt32 count) override
    {
        const UInt32 written = mInner->Decode(destination, first, count);
        const UInt8* bytes = static_cast<const UInt8*>(destination);
        mFills->insert(mFills->end(), bytes, bytes + size_t(written) * mBytesPerFrame);
        return written;
    }
    Bool PrepareData() override { return mInner->PrepareData(); }
    Bool ReleaseData() override { return mInner->ReleaseData(); }
    const void* GetData() const override { return mInner->GetData(); }

private:
    IAudioStream* mInner;
    std::vector<UInt8>* mFills;
    UInt32 mBytesPerFrame;
    Bool mOwned = false;
};

class Al11WaveOutputTest : public Testing::Al11Fixture
{
protected:
    void SetUp() override
    {
        mPath = std::getenv("VORN_WAVE_FILE");
        if (!mPath)
            GTEST_SKIP() << "VORN_WAVE_FILE is not set: run through ctest";
        Testing::Al11Fixture::SetUp();
    }

    // The device's own clock: the time it has mixed, which runs as the wave device writes.
    double DeviceSeconds()
    {
        static const auto getInteger64 =
            reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(nullptr, "alcGetInteger64vSOFT"));
        ALCdevice* device = alcGetContextsDevice(static_cast<ALCcontext*>(mInterface.GetRenderContext()));
        ALCint64SOFT nanoseconds = 0;
        if (getInteger64 != nullptr && device != nullptr)
            getInteger64(device, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
        return double(nanoseconds) / 1e9;
    }

    // Submits the playable each frame with the device's time since the first frame (always
    // rising) until its source has played everything, as the graph's sequence ends at its
    // length, then leaves it out until the device has written the given seconds of silence.
    // Only the device's clock says when the sound is over, however busy the machine.
    void PlayToTheEnd(IObject* playable, double silence)
    {
        ASSERT_TRUE(alcIsExtensionPresent(alcGetContextsDevice(static_cast<ALCcontext*>(mInterface.GetRenderContext())),
                                          "ALC_SOFT_device_clock"));
        IObject* listener = NewListener();
        const double start = DeviceSeconds();
        Real last = -1.0f;
        for (ALint state = AL_PLAYING; state == AL_PLAYING;) {
            const Real time = std::max(Real(DeviceSeconds() - start), last + 1e-5f);
            Frame(listener, {{playable, time}});
            last = time;
            Sync();
            alGetSourcei(AsPlayable(playable)->GetSource(), AL_SOURCE_STATE, &state);
            std::this_thread::yield();
        }
        const double end = DeviceSeconds();
        while (DeviceSeconds() < end + silence) {
            Frame(listener, {});
            std::this_thread::yield();
        }
        Sync();
    }

    const char* mPath = nullptr;
};

TEST_F(Al11WaveOutputTest, TwoBuffersPlayInOrderThenSilence)
{
    auto low = Testing::ToneSound(1, 16, 44100, 13230, 440.0);
    auto high = Testing::ToneSound(1, 16, 44100, 13230, 880.0);
    IObject* playable = NewPlayable({NewBuffer(*low), NewBuffer(*high)});
    PlayToTheEnd(playable, 0.3);
    Finish();

    const WaveOutput wave = ReadWave(mPath);
    ASSERT_GT(wave.rate, 0u);
    const size_t start = FirstSound(wave);
    const size_t tone = size_t(0.3 * wave.rate);
    const size_t margin = wave.rate / 100;
    ASSERT_GT(wave.samples.size(), start + 2 * tone + 4 * margin) << "the file holds no silence after the tones";
    EXPECT_NEAR(Frequency(wave, start + margin, tone - 2 * margin), 440.0, 15.0);
    EXPECT_NEAR(Frequency(wave, start + tone + margin, tone - 2 * margin), 880.0, 20.0);
    EXPECT_GT(Peak(wave, start, start + 2 * tone), 0.3f);
    EXPECT_LT(Peak(wave, start + 2 * tone + margin, wave.samples.size()), 0.01f);
}

TEST_F(Al11WaveOutputTest, AStreamRefillsWithoutAGap)
{
    auto ogg = Testing::StereoOggSound();
    std::vector<UInt8> fills;
    RecordingCloneStream recording(ogg->stream.get(), &fills, 4);
    IObject* object = Keep(mRenderer.CreateObject(String("Buffer")));
    IBuffer* buffer = dynamic_cast<IBuffer*>(object);
    buffer->SetFormat(ogg->sound->GetFormat());
    buffer->SetEncoding(ogg->sound->GetEncoding());
    buffer->SetSampleRate(ogg->sound->GetSampleRate());
    buffer->SetNumberOfSamples(ogg->sound->GetNumberOfSamples());
    buffer->SetStream(&recording);
    ASSERT_TRUE(object->Init());
    ASSERT_GT(ogg->stream->GetSizeInBytes(), 131072u);
    ASSERT_TRUE(dynamic_cast<Buffer*>(object)->IsStreaming());
    IObject* playable = NewPlayable({object});

    const double length = double(ogg->sound->GetNumberOfSamples()) / ogg->sound->GetSampleRate();
    PlayToTheEnd(playable, 0.2);
    StreamBufferPool& pool = *mRenderer.GetStreamBufferPool();
    EXPECT_EQ(pool.GetNumberOfCreated(), 3u);
    EXPECT_EQ(pool.GetNumberOfFree(Enums::SoundFormat::STEREO_16_BIT), 3u);
    // The fills, in order, are the whole decoding of the sound.
    ASSERT_TRUE(ogg->stream->PrepareData());
    const UInt8* whole = static_cast<const UInt8*>(ogg->stream->GetData());
    EXPECT_EQ(fills, std::vector<UInt8>(whole, whole + ogg->stream->GetSizeInBytes()));
    ogg->stream->ReleaseData();
    Finish();

    const WaveOutput wave = ReadWave(mPath);
    ASSERT_GT(wave.rate, 0u);
    const size_t start = FirstSound(wave);
    size_t end = wave.samples.size();
    while (end > start && std::fabs(wave.samples[end - 1]) <= 0.01f)
        --end;
    // The whole sound was heard, with no stretch of silence longer than 2 ms inside it.
    EXPECT_GT(end - start, size_t(0.95 * length * wave.rate));
    EXPECT_LT(end - start, size_t(1.05 * length * wave.rate));
    size_t quiet = 0, longest = 0;
    for (size_t i = start; i < end; ++i) {
        quiet = std::fabs(wave.samples[i]) < 0.001f ? quiet + 1 : 0;
        longest = std::max(longest, quiet);
    }
    EXPECT_LT(longest, size_t(wave.rate / 500));
}

} // namespace
} // namespace Al11
} // namespace Audio
} // namespace Vorn
