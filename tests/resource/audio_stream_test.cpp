#include "resource/audio_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "resource/native_sound.h"
#include "resource/ogg_sound.h"
#include "resource/sound_format_conversion.h"
#include "resource/wav_sound.h"
#include "tests/support/sound_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::CreateObject;
using Testing::ExactBytes;

namespace {

// A sound read by one of the readers, with the bytes it may point into.
struct LoadedSound
{
    explicit LoadedSound(Resource::ObjectCreator creator, const std::vector<UInt8>& file)
        : bytes(file), result(CreateObject(creator, bytes)), sound(dynamic_cast<Sound*>(result.object.get()))
    {
    }
    ExactBytes bytes;
    Testing::CreatedObject result;
    Sound* sound;
};

std::unique_ptr<IAudioStream> Stream(const Sound& sound, Enums::SoundFormat format)
{
    return std::unique_ptr<IAudioStream>(sound.CreateAudioStream(format));
}

std::vector<UInt8> MonoWav(UInt32 frames)
{
    Testing::WavFile wav;
    for (UInt32 i = 0; i < frames; ++i)
        Testing::PutLittleEndian(wav.samples, i * 7, 2);
    return wav.Build();
}

TEST(AudioStreamTest, RawStreamCutsRequestsAtTheEnd)
{
    LoadedSound loaded(&WavSound::Create, MonoWav(1000));
    ASSERT_NE(loaded.sound, nullptr);
    std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, Enums::SoundFormat::MONO_16_BIT);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetNumberOfSamples(), 1000u);
    EXPECT_EQ(stream->GetSizeInBytes(), 2000u);
    EXPECT_EQ(stream->GetSampleRate(), 22050u);
    EXPECT_EQ(stream->GetFormat(), Enums::SoundFormat::MONO_16_BIT);
    EXPECT_TRUE(stream->BeginDecoding());
    EXPECT_TRUE(stream->EndDecoding());

    SInt16 buffer[20] = {};
    EXPECT_EQ(stream->Decode(buffer, 990, 20), 10u);
    EXPECT_EQ(buffer[0], 990 * 7);
    EXPECT_EQ(buffer[9], 999 * 7);
    EXPECT_EQ(buffer[10], 0);
    EXPECT_EQ(stream->Decode(buffer, 1000, 20), 0u);
    EXPECT_EQ(stream->Decode(buffer, 0xFFFFFFFF, 20), 0u);

    // The stored PCM is the whole sound already.
    EXPECT_TRUE(stream->PrepareData());
    EXPECT_EQ(stream->GetData(), loaded.sound->GetSampleData());
    EXPECT_TRUE(stream->ReleaseData());
}

TEST(AudioStreamTest, RawClonesConvertIntoTheirOwnFormat)
{
    Testing::WavFile wav;
    wav.channels = 2;
    for (SInt32 sample : {1000, 3000, -32768, 32767})
        Testing::PutLittleEndian(wav.samples, UInt32(sample), 2);
    LoadedSound loaded(&WavSound::Create, wav.Build());
    ASSERT_NE(loaded.sound, nullptr);
    std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, Enums::SoundFormat::STEREO_16_BIT);
    std::unique_ptr<IAudioStream> mono(stream->Clone(Enums::SoundFormat::MONO_16_BIT));
    std::unique_ptr<IAudioStream> narrow(stream->Clone(Enums::SoundFormat::MONO_8_BIT));
    std::unique_ptr<IAudioStream> same(stream->Clone());
    ASSERT_NE(mono, nullptr);
    ASSERT_NE(narrow, nullptr);
    ASSERT_NE(same, nullptr);
    SInt16 wide[4] = {};
    UInt8 bytes[2] = {};
    EXPECT_EQ(mono->Decode(wide, 0, 2), 2u);
    EXPECT_EQ(wide[0], 2000);
    EXPECT_EQ(wide[1], -1);
    EXPECT_EQ(narrow->Decode(bytes, 0, 2), 2u);
    EXPECT_EQ(bytes[0], 135);
    EXPECT_EQ(bytes[1], 127);
    EXPECT_EQ(same->Decode(wide, 0, 4), 2u);
    EXPECT_EQ(wide[2], -32768);
    EXPECT_EQ(wide[3], 32767);
    EXPECT_EQ(same->GetFormat(), Enums::SoundFormat::STEREO_16_BIT);
}

TEST(AudioStreamTest, RefusesUnknownOutputFormats)
{
    LoadedSound raw(&WavSound::Create, MonoWav(10));
    LoadedSound vorbis(&OggSound::Create, Testing::MonoToneOgg());
    ASSERT_NE(raw.sound, nullptr);
    ASSERT_NE(vorbis.sound, nullptr);
    for (Sound* sound : {raw.sound, vorbis.sound}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(sound->CreateAudioStream(Enums::SoundFormat(5)), nullptr);
        EXPECT_EQ(sound->CreateAudioStream(Enums::SoundFormat(0)), nullptr);
        std::unique_ptr<IAudioStream> stream = Stream(*sound, Enums::SoundFormat::MONO_8_BIT);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->Clone(Enums::SoundFormat(5)), nullptr);
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("Resource::Sound::CreateAudioStream(): Invalid output format 5"), std::string::npos);
        EXPECT_NE(log.find("AudioStream::Clone(): Invalid output format 5"), std::string::npos);
    }
}

// The PCM of an Ogg Vorbis file decoded straight from its pages, with the converters' rounding.
std::vector<SInt16> DecodeOggDirectly(const std::vector<UInt8>& file)
{
    std::vector<Testing::OggPacket> packets = Testing::ReadOggPackets(file);
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
    std::vector<SInt16> pcm;
    for (size_t i = 0; i < packets.size(); ++i) {
        ogg_packet packet = {};
        packet.packet = packets[i].bytes.data();
        packet.bytes = long(packets[i].bytes.size());
        packet.b_o_s = i == 0 ? 1 : 0;
        packet.e_o_s = i + 1 == packets.size() ? 1 : 0;
        packet.granulepos = packets[i].granulePosition;
        packet.packetno = ogg_int64_t(i);
        if (i < 3) {
            EXPECT_EQ(vorbis_synthesis_headerin(&info, &comment, &packet), 0);
            if (i == 2) {
                vorbis_synthesis_init(&dsp, &info);
                vorbis_block_init(&dsp, &block);
            }
            continue;
        }
        if (vorbis_synthesis(&block, &packet) == 0)
            vorbis_synthesis_blockin(&dsp, &block);
        float** samples;
        int count;
        while ((count = vorbis_synthesis_pcmout(&dsp, &samples)) > 0) {
            for (int frame = 0; frame < count; ++frame)
                for (int channel = 0; channel < info.channels; ++channel)
                    pcm.push_back(FloatToSample16(samples[channel][frame]));
            vorbis_synthesis_read(&dsp, count);
        }
    }
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return pcm;
}

TEST(AudioStreamTest, VorbisDataMatchesADirectDecodeOfTheFile)
{
    for (const std::vector<UInt8>& file : {Testing::MonoToneOgg(), Testing::StereoToneOgg()}) {
        LoadedSound loaded(&OggSound::Create, file);
        ASSERT_NE(loaded.sound, nullptr);
        std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, loaded.sound->GetFormat());
        // The template has no decoder of its own, but prepares its data through a clone.
        SInt16 scratch[4096 * 2];
        EXPECT_EQ(stream->Decode(scratch, 0, 4096), 0u);
        EXPECT_EQ(stream->GetData(), nullptr);
        ASSERT_TRUE(stream->PrepareData());
        EXPECT_TRUE(stream->PrepareData());
        const std::vector<SInt16> expected = DecodeOggDirectly(file);
        ASSERT_EQ(expected.size(), size_t(stream->GetSizeInBytes() / 2));
        const SInt16* data = static_cast<const SInt16*>(stream->GetData());
        EXPECT_EQ(std::vector<SInt16>(data, data + expected.size()), expected);
        // Not silence: the tone is there.
        SInt32 peak = 0;
        for (SInt16 sample : expected)
            peak = std::max<SInt32>(peak, sample < 0 ? -sample : sample);
        EXPECT_GT(peak, 10000);
        EXPECT_TRUE(stream->ReleaseData());
        EXPECT_FALSE(stream->ReleaseData());
        EXPECT_EQ(stream->GetData(), nullptr);
    }
}

// Decodes a clone from frame 0 in calls of count frames; gives the frames of every call.
std::vector<UInt32> DecodeInCalls(IAudioStream& clone, UInt32 count, std::vector<UInt8>& pcm, UInt32 bytesPerFrame)
{
    std::vector<UInt32> calls;
    pcm.clear();
    std::vector<UInt8> buffer(size_t(count) * bytesPerFrame + 16, 0xEE);
    UInt32 first = 0;
    for (;;) {
        const UInt32 written = clone.Decode(buffer.data(), first, count);
        EXPECT_EQ(buffer[size_t(count) * bytesPerFrame], 0xEE);
        if (written == 0)
            break;
        calls.push_back(written);
        pcm.insert(pcm.end(), buffer.begin(), buffer.begin() + size_t(written) * bytesPerFrame);
        first += written;
    }
    return calls;
}

TEST(AudioStreamTest, VorbisClonesDecodeWholePacketsAndStartOver)
{
    LoadedSound loaded(&OggSound::Create, Testing::StereoToneOgg());
    ASSERT_NE(loaded.sound, nullptr);
    std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, Enums::SoundFormat::STEREO_16_BIT);
    std::unique_ptr<IAudioStream> clone(stream->Clone());
    ASSERT_NE(clone, nullptr);
    std::vector<UInt8> first;
    const std::vector<UInt32> calls = DecodeInCalls(*clone, 4096, first, 4);
    UInt64 total = 0;
    for (UInt32 written : calls) {
        EXPECT_LE(written, 4096u);
        total += written;
    }
    EXPECT_EQ(total, loaded.sound->GetNumberOfSamples());
    // Past the end the stream stays at the end rather than playing the sound again.
    SInt16 buffer[4096 * 2];
    EXPECT_EQ(clone->Decode(buffer, UInt32(total), 4096), 0u);
    EXPECT_EQ(clone->Decode(buffer, UInt32(total) + 4096, 4096), 0u);

    // Going back to frame 0 gives the same PCM again.
    std::vector<UInt8> again;
    EXPECT_EQ(DecodeInCalls(*clone, 4096, again, 4), calls);
    EXPECT_EQ(again, first);
    ASSERT_TRUE(stream->PrepareData());
    EXPECT_EQ(std::vector<UInt8>(static_cast<const UInt8*>(stream->GetData()),
                                 static_cast<const UInt8*>(stream->GetData()) + first.size()),
              first);

    // A request smaller than the next packet gets nothing once the short first blocks are past.
    std::unique_ptr<IAudioStream> small(stream->Clone());
    std::vector<UInt8> pcm;
    DecodeInCalls(*small, 100, pcm, 4);
    EXPECT_LT(pcm.size() / 4, total);
    EXPECT_EQ(small->Decode(buffer, UInt32(pcm.size() / 4), 100), 0u);
}

TEST(AudioStreamTest, VorbisRepositionsByWholePackets)
{
    LoadedSound loaded(&OggSound::Create, Testing::MonoToneOgg());
    ASSERT_NE(loaded.sound, nullptr);
    std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, Enums::SoundFormat::MONO_16_BIT);
    std::unique_ptr<IAudioStream> clone(stream->Clone());
    std::vector<UInt8> whole;
    ASSERT_GT(DecodeInCalls(*clone, 1024, whole, 2).size(), 4u);
    const UInt32 frames = loaded.sound->GetNumberOfSamples();
    ASSERT_EQ(whole.size(), size_t(frames) * 2);

    // Back to a frame in the middle: decoding resumes with the whole packet that holds it, and
    // from there on gives the same PCM as before.
    for (UInt32 target : {3000u, 1u, frames - 1}) {
        std::vector<UInt8> tail;
        SInt16 buffer[1024];
        UInt32 written = clone->Decode(buffer, target, 1024);
        for (UInt32 first = target; written != 0; written = clone->Decode(buffer, first, 1024)) {
            tail.insert(tail.end(), reinterpret_cast<UInt8*>(buffer), reinterpret_cast<UInt8*>(buffer + written));
            first += written;
        }
        const size_t start = whole.size() - tail.size();
        EXPECT_LE(start, size_t(target) * 2) << target;
        EXPECT_GT(start + 2 * 1024, size_t(target) * 2) << target;
        EXPECT_EQ(tail, std::vector<UInt8>(whole.begin() + start, whole.end())) << target;
    }
}

TEST(AudioStreamTest, VorbisStartsExactlyAtTheFirstFrameAskedFor)
{
    LoadedSound loaded(&OggSound::Create, Testing::StereoToneOgg());
    ASSERT_NE(loaded.sound, nullptr);
    std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, Enums::SoundFormat::STEREO_16_BIT);
    std::unique_ptr<IAudioStream> reference(stream->Clone());
    std::vector<UInt8> whole;
    DecodeInCalls(*reference, 4096, whole, 4);
    const UInt32 frames = loaded.sound->GetNumberOfSamples();
    ASSERT_EQ(whole.size(), size_t(frames) * 4);

    // Jumps in the order given on one clone: forward from the start, forward from the middle of
    // the sound, back, and inside the packet just decoded.
    std::unique_ptr<IAudioStream> clone(stream->Clone());
    std::vector<UInt8> buffer(4096 * 4);
    for (UInt32 target : {22050u, 30000u, 1u, 100u, frames - 1}) {
        const UInt32 written = clone->Decode(buffer.data(), target, 4096);
        ASSERT_GT(written, 0u) << target;
        EXPECT_EQ(std::vector<UInt8>(buffer.begin(), buffer.begin() + size_t(written) * 4),
                  std::vector<UInt8>(whole.begin() + size_t(target) * 4,
                                     whole.begin() + size_t(target + written) * 4))
            << target;
    }
    EXPECT_EQ(clone->Decode(buffer.data(), frames, 4096), 0u);
}

TEST(AudioStreamTest, VorbisStreamsConvertIntoEveryFormat)
{
    LoadedSound loaded(&OggSound::Create, Testing::StereoToneOgg());
    ASSERT_NE(loaded.sound, nullptr);
    std::unique_ptr<IAudioStream> reference = Stream(*loaded.sound, Enums::SoundFormat::STEREO_16_BIT);
    ASSERT_TRUE(reference->PrepareData());
    const UInt32 frames = reference->GetNumberOfSamples();
    for (UInt32 format = 1; format <= 4; ++format) {
        std::unique_ptr<IAudioStream> stream = Stream(*loaded.sound, Enums::SoundFormat(format));
        ASSERT_TRUE(stream->PrepareData());
        // The same frames through the PCM converters stay within one step of rounding.
        std::vector<UInt8> converted(size_t(frames) * GetBytesPerFrame(format));
        ConvertSamples(4, format, reference->GetData(), converted.data(), frames);
        const UInt8* data = static_cast<const UInt8*>(stream->GetData());
        // 8-bit output rounds x * 127 where the 16-bit path narrows x * 32767: two steps apart at most.
        const UInt32 step = format == 1 || format == 3 ? 1 : 2;
        const SInt32 tolerance = step == 1 ? 2 : 1;
        UInt32 far = 0;
        for (size_t i = 0; i < converted.size(); i += step) {
            SInt32 a = data[i], b = converted[i];
            if (step == 2) {
                a = SInt16(data[i] | data[i + 1] << 8);
                b = SInt16(converted[i] | converted[i + 1] << 8);
            }
            if (a - b > tolerance || b - a > tolerance)
                ++far;
        }
        EXPECT_EQ(far, 0u) << "format " << format;
    }
}

TEST(AudioStreamTest, BrokenVorbisHeadersLeaveACloneThatDecodesNothing)
{
    LoadedSound loaded(&OggSound::Create, Testing::MonoToneOgg());
    ASSERT_NE(loaded.sound, nullptr);
    Data native;
    ASSERT_TRUE(loaded.sound->GetNativeData(native));
    const std::vector<UInt8> original(native.GetData(), native.GetData() + native.GetSize());
    // File header, HEAD chunk, DATA chunk header and its count and offset.
    const UInt32 identification = 12 + 28 + 16;
    UInt32 setup = identification;
    for (int i = 0; i < 2; ++i)
        setup += 24 + (original[setup + 12] | original[setup + 13] << 8);

    struct Case
    {
        UInt32 offset;
        UInt8 value;
        const char* message;
    };
    // The native reader does not look inside the packets: the streams find the damage.
    const Case cases[] = {
        {setup + 24 + 10, 0x55, "Resource::VorbisAudioStream::InitDecoder(): Invalid vorbis header #2"},
        {identification + 24, 3, "Resource::VorbisAudioStream::InitDecoder(): Invalid vorbis header #0"},
        {identification + 24 + 11, 6, "Resource::VorbisAudioStream::InitDecoder(): Invalid number of channels (6)"},
    };
    for (const Case& c : cases) {
        std::vector<UInt8> file = original;
        file[c.offset] = c.value;
        LoadedSound damaged(&NativeSound::Create, file);
        ASSERT_NE(damaged.sound, nullptr);
        std::unique_ptr<IAudioStream> stream = Stream(*damaged.sound, Enums::SoundFormat::STEREO_16_BIT);
        ::testing::internal::CaptureStderr();
        std::unique_ptr<IAudioStream> clone(stream->Clone());
        ASSERT_NE(clone, nullptr);
        SInt16 buffer[4096 * 2];
        EXPECT_EQ(clone->Decode(buffer, 0, 4096), 0u);
        EXPECT_EQ(clone->Decode(buffer, 0, 4096), 0u);
        EXPECT_FALSE(stream->PrepareData());
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_EQ(stream->GetData(), nullptr);
    }
}

} // namespace
