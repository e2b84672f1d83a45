// Decoding a one-minute Ogg Vorbis sound (stereo, 44100 Hz): reading it into packet records, and
// decoding those records to 16-bit PCM whole and in the audio renderer's blocks, beside plain
// libvorbis decoding the same Ogg bytes. The "realtime" counter is seconds of sound per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include <vorbis/codec.h>

#include "resource/audio_stream.h"
#include "resource/ogg_sound.h"
#include "resource/sound_format_conversion.h"
#include "tests/support/sound_fixture.h"

using namespace Vorn;

namespace {

constexpr double kSeconds = 60.0;
constexpr UInt32 kSampleRate = 44100;

// The test tone's audio packets repeated up to a minute.
const std::vector<UInt8>& OneMinuteOgg()
{
    static const std::vector<UInt8> file =
        Testing::LengthenOgg(Testing::StereoToneOgg(), UInt64(kSeconds * kSampleRate));
    return file;
}

std::unique_ptr<Resource::OggSound> LoadSound()
{
    const std::vector<UInt8>& file = OneMinuteOgg();
    Bool releaseData = true;
    Bool failed = false;
    Resource::IObject* object = Resource::OggSound::Create(nullptr, "music", file.data(), UInt32(file.size()), nullptr,
                                                           0, &releaseData, &failed);
    return std::unique_ptr<Resource::OggSound>(dynamic_cast<Resource::OggSound*>(object));
}

void SetRealTime(benchmark::State& state, double seconds)
{
    state.counters["realtime"] = benchmark::Counter(seconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_OggSoundCreate(benchmark::State& state)
{
    const std::vector<UInt8>& file = OneMinuteOgg();
    for (auto _ : state) {
        Bool releaseData = true;
        Bool failed = false;
        std::unique_ptr<Resource::IObject> sound(Resource::OggSound::Create(
            nullptr, "music", file.data(), UInt32(file.size()), nullptr, 0, &releaseData, &failed));
        benchmark::DoNotOptimize(sound.get());
    }
    SetRealTime(state, kSeconds);
}
BENCHMARK(BM_OggSoundCreate)->Unit(benchmark::kMillisecond);

void BM_VorbisStreamPrepareData(benchmark::State& state)
{
    std::unique_ptr<Resource::OggSound> sound = LoadSound();
    std::unique_ptr<IAudioStream> stream(sound->CreateAudioStream());
    for (auto _ : state) {
        if (!stream->PrepareData())
            state.SkipWithError("PrepareData failed");
        benchmark::DoNotOptimize(stream->GetData());
        stream->ReleaseData();
    }
    SetRealTime(state, double(sound->GetNumberOfSamples()) / sound->GetSampleRate());
}
BENCHMARK(BM_VorbisStreamPrepareData)->Unit(benchmark::kMillisecond);

void BM_VorbisStreamDecodeBlocks(benchmark::State& state)
{
    std::unique_ptr<Resource::OggSound> sound = LoadSound();
    std::unique_ptr<IAudioStream> stream(sound->CreateAudioStream());
    std::unique_ptr<IAudioStream> clone(stream->Clone());
    std::vector<SInt16> block(4096 * 2);
    for (auto _ : state) {
        UInt32 first = 0;
        for (UInt32 written; (written = clone->Decode(block.data(), first, 4096)) != 0;)
            first += written;
        if (first != sound->GetNumberOfSamples())
            state.SkipWithError("stream ended early");
        // Back to the start for the next round.
        clone->Decode(block.data(), 0, 0);
    }
    SetRealTime(state, double(sound->GetNumberOfSamples()) / sound->GetSampleRate());
}
BENCHMARK(BM_VorbisStreamDecodeBlocks)->Unit(benchmark::kMillisecond);

// The same bytes through libogg and libvorbis alone, into interleaved 16-bit PCM.
void BM_PlainLibvorbisDecode(benchmark::State& state)
{
    const std::vector<UInt8>& file = OneMinuteOgg();
    std::vector<SInt16> pcm;
    for (auto _ : state) {
        pcm.clear();
        ogg_sync_state sync;
        ogg_stream_state stream;
        ogg_page page;
        ogg_packet packet;
        vorbis_info info;
        vorbis_comment comment;
        vorbis_dsp_state dsp;
        vorbis_block block;
        ogg_sync_init(&sync);
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
        char* buffer = ogg_sync_buffer(&sync, long(file.size()));
        std::copy(file.begin(), file.end(), buffer);
        ogg_sync_wrote(&sync, long(file.size()));
        Bool started = false;
        int headers = 0;
        while (ogg_sync_pageout(&sync, &page) == 1) {
            if (!started) {
                ogg_stream_init(&stream, ogg_page_serialno(&page));
                started = true;
            }
            ogg_stream_pagein(&stream, &page);
            while (ogg_stream_packetout(&stream, &packet) == 1) {
                if (headers < 3) {
                    vorbis_synthesis_headerin(&info, &comment, &packet);
                    if (++headers == 3) {
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
                    const size_t start = pcm.size();
                    pcm.resize(start + size_t(count) * 2);
                    Resource::ConvertFloatSamples(2, UInt32(Enums::SoundFormat::STEREO_16_BIT), samples,
                                                  pcm.data() + start, UInt32(count));
                    vorbis_synthesis_read(&dsp, count);
                }
            }
        }
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
        ogg_stream_clear(&stream);
        ogg_sync_clear(&sync);
        benchmark::DoNotOptimize(pcm.data());
    }
    SetRealTime(state, double(pcm.size() / 2) / kSampleRate);
}
BENCHMARK(BM_PlainLibvorbisDecode)->Unit(benchmark::kMillisecond);

} // namespace
