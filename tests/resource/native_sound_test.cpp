#include "resource/native_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/iff_stream.h"
#include "resource/audio_stream.h"
#include "resource/ogg_sound.h"
#include "resource/wav_sound.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/sound_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::CreateObject;
using Testing::ExactBytes;

namespace {

constexpr UInt32 kSnds = MakeTag("SNDS");

// A sound whose description and bytes the test sets, to feed the writer.
class TestSound : public Sound
{
public:
    TestSound(UInt32 samples, UInt32 rate, UInt32 format, UInt32 encoding, const std::vector<UInt8>& bytes)
        : Sound("test", nullptr, 0, nullptr, 0), mBytes(bytes)
    {
        SetDescription(samples, rate, format, encoding);
        SetSampleData(mBytes.data(), UInt32(mBytes.size()));
    }
    Bool GetNativeData(Data& data) const override { return NativeSound::Write(*this, data); }

private:
    std::vector<UInt8> mBytes;
};

std::vector<UInt8> ToVector(const Data& data)
{
    return std::vector<UInt8>(data.GetData(), data.GetData() + data.GetSize());
}

std::vector<UInt8> WriteSound(UInt32 samples, UInt32 rate, UInt32 format, UInt32 encoding,
                              const std::vector<UInt8>& bytes)
{
    Data data;
    EXPECT_TRUE(TestSound(samples, rate, format, encoding, bytes).GetNativeData(data));
    return ToVector(data);
}

// Chunks given as (tag, payload), in order.
std::vector<UInt8> WriteChunks(const std::vector<std::pair<UInt32, std::vector<UInt8>>>& chunks)
{
    Util::IffData file(kSnds);
    for (const auto& chunk : chunks) {
        UInt8* block = file.CreateChunk(chunk.first, 8, UInt32(chunk.second.size()));
        std::memcpy(block + 8, chunk.second.data(), chunk.second.size());
        file.AddChunk(block);
    }
    Data data;
    EXPECT_TRUE(file.GetData(data));
    return ToVector(data);
}

std::vector<UInt8> Head(const char* version, UInt32 samples, UInt32 rate, UInt32 format, UInt32 encoding)
{
    std::vector<UInt8> payload(version, version + 4);
    for (UInt32 value : {samples, rate, format, encoding})
        Testing::PutLittleEndian(payload, value, 4);
    return payload;
}

std::vector<UInt8> DataPayload(const std::vector<UInt8>& bytes, UInt32 count, UInt32 offset = 8)
{
    std::vector<UInt8> payload;
    Testing::PutLittleEndian(payload, count, 4);
    Testing::PutLittleEndian(payload, offset, 4);
    payload.insert(payload.end(), bytes.begin(), bytes.end());
    return payload;
}

// Runs the creator and gives the log it wrote.
std::string CreateLogged(const std::vector<UInt8>& file, Testing::CreatedObject& result)
{
    ExactBytes bytes(file);
    ::testing::internal::CaptureStderr();
    result = CreateObject(&NativeSound::Create, bytes);
    return ::testing::internal::GetCapturedStderr();
}

TEST(NativeSoundTest, ReadsPcmInPlace)
{
    const std::vector<UInt8> pcm = {1, 2, 3, 4, 5, 6, 7, 8};
    ExactBytes bytes(WriteSound(2, 44100, 4, 1, pcm));
    Testing::CreatedObject result = CreateObject(&NativeSound::Create, bytes);
    ASSERT_NE(result.object, nullptr);
    EXPECT_FALSE(result.releaseData);
    EXPECT_FALSE(result.failed);
    auto* sound = dynamic_cast<NativeSound*>(result.object.get());
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetNumberOfSamples(), 2u);
    EXPECT_EQ(sound->GetSampleRate(), 44100u);
    EXPECT_EQ(sound->GetFormat(), Enums::SoundFormat::STEREO_16_BIT);
    EXPECT_EQ(sound->GetEncoding(), Enums::AudioCodec::NONE);
    // In place: the sample bytes lie inside the source bytes.
    EXPECT_GE(sound->GetSampleData(), bytes.Get());
    EXPECT_LT(sound->GetSampleData(), bytes.Get() + bytes.GetSize());
    EXPECT_EQ(std::vector<UInt8>(sound->GetSampleData(), sound->GetSampleData() + 8), pcm);

    Data native;
    ASSERT_TRUE(sound->GetNativeData(native));
    EXPECT_EQ(ToVector(native), std::vector<UInt8>(bytes.Get(), bytes.Get() + bytes.GetSize()));
}

TEST(NativeSoundTest, WriterLaysOutHeadAndPaddedData)
{
    const std::vector<UInt8> file = WriteSound(3, 8000, 1, 1, {10, 20, 30});
    const std::vector<UInt8> expected = {
        'V', 'O', 'R', 'N', 52, 0, 0, 0, 'S', 'N', 'D', 'S',                               //
        'H', 'E', 'A', 'D', 20, 0, 0, 0, '0', '.', '0', '1', 3, 0, 0, 0, 0x40, 0x1F, 0, 0, //
        1, 0, 0, 0, 1, 0, 0, 0,                                                             //
        'D', 'A', 'T', 'A', 12, 0, 0, 0, 3, 0, 0, 0, 8, 0, 0, 0, 10, 20, 30, 0,
    };
    EXPECT_EQ(file, expected);
}

TEST(NativeSoundTest, DeclinesOtherFilesSilently)
{
    const std::vector<UInt8> pcm = {1, 2};
    const std::vector<std::vector<UInt8>> files = {
        WriteChunks({{MakeTag("HEAD"), Head("0.02", 2, 8000, 1, 1)}, {MakeTag("DATA"), DataPayload(pcm, 2)}}),
        WriteChunks({{MakeTag("DATA"), DataPayload(pcm, 2)}, {MakeTag("HEAD"), Head("0.01", 2, 8000, 1, 1)}}),
        Testing::WavFile{}.Build(),
        {},
    };
    for (const std::vector<UInt8>& file : files) {
        Testing::CreatedObject result;
        EXPECT_EQ(CreateLogged(file, result), "");
        EXPECT_EQ(result.object, nullptr);
        EXPECT_FALSE(result.failed);
    }
}

TEST(NativeSoundTest, RefusesDescriptionsThatDoNotFitTheData)
{
    const std::vector<UInt8> pcm = {1, 2, 3, 4};
    const auto head = [](UInt32 samples, UInt32 rate, UInt32 format, UInt32 encoding) {
        return std::make_pair(MakeTag("HEAD"), Head("0.01", samples, rate, format, encoding));
    };
    const auto data = [&](UInt32 count, UInt32 offset = 8) {
        return std::make_pair(MakeTag("DATA"), DataPayload(pcm, count, offset));
    };
    struct Case
    {
        std::vector<std::pair<UInt32, std::vector<UInt8>>> chunks;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{head(2, 8000, 2, 1), data(4), data(4)}, "File cannot contain more than one data chunk"},
        {{head(2, 8000, 2, 1)}, "No data chunk"},
        {{head(2, 8000, 0, 1), data(4)}, "Invalid sound format 0"},
        {{head(2, 8000, 5, 1), data(4)}, "Invalid sound format 5"},
        {{head(2, 0, 2, 1), data(4)}, "Sample rate cannot be zero"},
        {{head(2, 8000, 2, 3), data(4)}, "Unsupported encoding 3"},
        {{head(3, 8000, 2, 1), data(4)}, "4 bytes of sample data cannot hold 3 samples"},
        {{head(0x40000000, 8000, 4, 1), data(4)}, "Too many samples"},
        {{head(1, 8000, 2, 1), data(5)}, "cannot hold 5 bytes at offset 8"},
        {{head(1, 8000, 2, 1), data(4, 0xFFFFFFFC)}, "cannot hold 4 bytes at offset 4294967292"},
        {{head(1, 8000, 1, 2), data(4)}, "Vorbis sound must be 16-bit"},
        {{head(1, 8000, 2, 2), data(4)}, "Vorbis packet #0 runs past the sample data"},
        {{std::make_pair(MakeTag("HEAD"), std::vector<UInt8>{'0', '.', '0', '1', 0, 0, 0, 0}), data(4)},
         "HEAD chunk too small"},
    };
    for (const Case& c : cases) {
        Testing::CreatedObject result;
        const std::string log = CreateLogged(WriteChunks(c.chunks), result);
        EXPECT_EQ(result.object, nullptr) << c.message;
        EXPECT_FALSE(result.failed) << c.message;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    }
}

// The packet records of a converted Ogg sound, for the checks on Vorbis files.
std::vector<UInt8> ConvertedRecords(const std::vector<UInt8>& ogg, UInt32& samples)
{
    ExactBytes bytes(ogg);
    Testing::CreatedObject result = CreateObject(&OggSound::Create, bytes);
    auto* sound = dynamic_cast<OggSound*>(result.object.get());
    EXPECT_NE(sound, nullptr);
    samples = sound->GetNumberOfSamples();
    return std::vector<UInt8>(sound->GetSampleData(), sound->GetSampleData() + sound->GetSampleDataSize());
}

TEST(NativeSoundTest, RefusesVorbisRecordsThatDisagreeWithTheirCounts)
{
    UInt32 samples = 0;
    const std::vector<UInt8> records = ConvertedRecords(Testing::MonoToneOgg(), samples);
    ASSERT_GT(samples, 0u);
    const auto file = [&](UInt32 headSamples, const std::vector<UInt8>& bytes) {
        return WriteChunks({{MakeTag("HEAD"), Head("0.01", headSamples, 22050, 2, 2)},
                            {MakeTag("DATA"), DataPayload(bytes, UInt32(bytes.size()))}});
    };
    Testing::CreatedObject result;
    EXPECT_EQ(CreateLogged(file(samples, records), result), "");
    EXPECT_NE(result.object, nullptr);

    EXPECT_NE(CreateLogged(file(samples + 1, records), result).find("Vorbis packets hold"), std::string::npos);
    EXPECT_EQ(result.object, nullptr);

    // The fifth record (the second audio packet) claims to start elsewhere.
    std::vector<UInt8> shifted = records;
    UInt32 offset = 0;
    for (int i = 0; i < 4; ++i)
        offset += 24 + (shifted[offset + 12] | shifted[offset + 13] << 8);
    shifted[offset + 8] ^= 1;
    EXPECT_NE(CreateLogged(file(samples, shifted), result).find("Vorbis packet #4 starts at sample"),
              std::string::npos);

    std::vector<UInt8> cut(records.begin(), records.end() - 1);
    EXPECT_NE(CreateLogged(file(samples, cut), result).find("runs past the sample data"), std::string::npos);
}

TEST(NativeSoundTest, DamagedFilesNeverReadOutOfBounds)
{
    UInt32 samples = 0;
    const std::vector<UInt8> records = ConvertedRecords(Testing::MonoToneOgg(), samples);
    struct Case
    {
        std::vector<UInt8> file;
        size_t cutStep;
        size_t bitStep;
    };
    const Case cases[] = {
        {WriteSound(6, 8000, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), 1, 1},
        {WriteSound(samples, 22050, 2, 2, records), 5, 37},
    };
    for (const Case& c : cases) {
        const std::vector<UInt8>& original = c.file;
        ::testing::internal::CaptureStderr();
        for (size_t cut = 0; cut < original.size(); cut += c.cutStep) {
            ExactBytes bytes(original.data(), UInt32(cut));
            CreateObject(&NativeSound::Create, bytes);
        }
        for (size_t bit = 0; bit < original.size() * 8; bit += c.bitStep) {
            std::vector<UInt8> flipped = original;
            flipped[bit / 8] ^= UInt8(1u << (bit % 8));
            ExactBytes bytes(flipped);
            Testing::CreatedObject result = CreateObject(&NativeSound::Create, bytes);
            // Whatever survives must stream within its bytes.
            if (result.object != nullptr) {
                auto* sound = dynamic_cast<Sound*>(result.object.get());
                std::unique_ptr<IAudioStream> stream(sound->CreateAudioStream(Enums::SoundFormat::STEREO_16_BIT));
                if (stream != nullptr && sound->GetNumberOfSamples() < 100000) {
                    std::unique_ptr<IAudioStream> clone(stream->Clone());
                    std::vector<UInt8> pcm(size_t(sound->GetNumberOfSamples()) * 4 + 4);
                    clone->Decode(pcm.data(), 0, sound->GetNumberOfSamples());
                }
            }
        }
        ::testing::internal::GetCapturedStderr();
    }
}

TEST(NativeSoundTest, WavAndOggSoundsRoundTripThroughTheNativeForm)
{
    Testing::WavFile wav;
    wav.channels = 2;
    wav.sampleRate = 11025;
    wav.samples = {1, 2, 3, 4, 5, 6, 7, 8};
    ExactBytes wavBytes(wav.Build());
    ExactBytes oggBytes(Testing::StereoToneOgg());
    for (auto [creator, bytes] : {std::make_pair(&WavSound::Create, &wavBytes),
                                  std::make_pair(&OggSound::Create, &oggBytes)}) {
        Testing::CreatedObject source = CreateObject(creator, *bytes);
        auto* original = dynamic_cast<Sound*>(source.object.get());
        ASSERT_NE(original, nullptr);
        Data native;
        ASSERT_TRUE(original->GetNativeData(native));
        ExactBytes nativeBytes(native.GetData(), native.GetSize());
        Testing::CreatedObject copy = CreateObject(&NativeSound::Create, nativeBytes);
        auto* sound = dynamic_cast<Sound*>(copy.object.get());
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->GetSampleRate(), original->GetSampleRate());
        EXPECT_EQ(sound->GetNumberOfSamples(), original->GetNumberOfSamples());
        EXPECT_EQ(sound->GetFormat(), original->GetFormat());
        EXPECT_EQ(sound->GetEncoding(), original->GetEncoding());
        EXPECT_EQ(std::vector<UInt8>(sound->GetSampleData(), sound->GetSampleData() + sound->GetSampleDataSize()),
                  std::vector<UInt8>(original->GetSampleData(),
                                     original->GetSampleData() + original->GetSampleDataSize()));
    }
}

} // namespace

TEST(NativeSoundTest, ReadsAFileAtAnOddAddress)
{
    const std::vector<UInt8> file = WriteSound(2, 8000, 1, 1, {1, 2});
    const std::unique_ptr<Testing::OddAddressCreation> odd =
        Testing::RunCreatorAtOddAddress(&NativeSound::Create, ConstData(file.data(), UInt32(file.size())));
    const NativeSound* sound = odd->outcome.As<NativeSound>();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetNumberOfSamples(), 2u);
    EXPECT_EQ(sound->GetSampleRate(), 8000u);
}
