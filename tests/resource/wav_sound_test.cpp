#include "resource/wav_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/sound_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::CreateObject;
using Testing::ExactBytes;
using Testing::WavFile;

namespace {

std::string CreateLogged(const std::vector<UInt8>& file, Testing::CreatedObject& result)
{
    ExactBytes bytes(file);
    ::testing::internal::CaptureStderr();
    result = CreateObject(&WavSound::Create, bytes, "beep");
    return ::testing::internal::GetCapturedStderr();
}

TEST(WavSoundTest, ReadsEveryPcmLayoutInPlace)
{
    struct Case
    {
        UInt32 channels;
        UInt32 bits;
        UInt32 dataBytes;
        Enums::SoundFormat format;
        UInt32 samples;
    };
    const Case cases[] = {
        {1, 8, 10, Enums::SoundFormat::MONO_8_BIT, 10},
        {1, 16, 10, Enums::SoundFormat::MONO_16_BIT, 5},
        {2, 8, 10, Enums::SoundFormat::STEREO_8_BIT, 5},
        {2, 16, 40000, Enums::SoundFormat::STEREO_16_BIT, 10000},
    };
    for (const Case& c : cases) {
        WavFile wav;
        wav.channels = c.channels;
        wav.bitsPerSample = c.bits;
        wav.sampleRate = 32000;
        wav.samples.resize(c.dataBytes, 0x5A);
        // Chunks between "fmt " and "data" are passed over.
        wav.extraChunks = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
        ExactBytes bytes(wav.Build());
        Testing::CreatedObject result = CreateObject(&WavSound::Create, bytes);
        auto* sound = dynamic_cast<WavSound*>(result.object.get());
        ASSERT_NE(sound, nullptr);
        EXPECT_FALSE(result.releaseData);
        EXPECT_EQ(sound->GetFormat(), c.format);
        EXPECT_EQ(sound->GetNumberOfSamples(), c.samples);
        EXPECT_EQ(sound->GetSampleRate(), 32000u);
        EXPECT_EQ(sound->GetEncoding(), Enums::AudioCodec::NONE);
        EXPECT_EQ(sound->GetSampleDataSize(), c.dataBytes);
        EXPECT_EQ(sound->GetSampleData(), bytes.Get() + bytes.GetSize() - c.dataBytes);
    }
}

TEST(WavSoundTest, RefusesUnsupportedOrInconsistentFormats)
{
    struct Case
    {
        const char* message;
        WavFile wav;
    };
    const auto make = [](auto change) {
        WavFile wav;
        wav.samples.resize(8);
        change(wav);
        return wav;
    };
    const std::vector<Case> cases = {
        {"Unsupported audio format 3 for object 'beep'", make([](WavFile& w) { w.audioFormat = 3; })},
        {"Number of channels must be either 1 (mono) or 2 (stereo) for object 'beep'",
         make([](WavFile& w) { w.channels = 3; w.samples.resize(12); })},
        {"Bits per sample must be either 8 or 16 for object 'beep'",
         make([](WavFile& w) { w.bitsPerSample = 24; w.samples.resize(9); })},
        {"Sample rate cannot be zero for object 'beep'", make([](WavFile& w) { w.sampleRate = 0; })},
        {"Block align mismatch for object 'beep'", make([](WavFile& w) { w.channels = 2; w.blockAlign = 2; })},
        {"Sample data size mismatch for object 'beep'", make([](WavFile& w) { w.samples.resize(1001); })},
        {"Invalid format chunk for object 'beep'", make([](WavFile& w) { w.formatChunkSize = 14; })},
        {"Invalid format chunk for object 'beep'",
         make([](WavFile& w) { w.formatChunkSize = 0; w.extraChunks = {'f', 'm', 't', ' ', 0, 0, 0, 0}; })},
    };
    for (const Case& c : cases) {
        Testing::CreatedObject result;
        const std::string log = CreateLogged(c.wav.Build(), result);
        EXPECT_EQ(result.object, nullptr) << c.message;
        EXPECT_FALSE(result.failed);
        EXPECT_EQ(log, std::string("Resource::WavSound::Create(): ") + c.message + "\n");
    }
}

TEST(WavSoundTest, FindsNoDataChunkInACutFile)
{
    WavFile wav;
    wav.samples.resize(8);
    std::vector<UInt8> file = wav.Build();
    // The data chunk claims more bytes than the file holds.
    file[file.size() - 8 - 4] = 9;
    Testing::CreatedObject result;
    EXPECT_EQ(CreateLogged(file, result), "Resource::WavSound::Create(): Invalid data chunk for object 'beep'\n");

    // Not a WAVE file at all: declined without a word.
    file[8] = 'X';
    EXPECT_EQ(CreateLogged(file, result), "");
    EXPECT_EQ(result.object, nullptr);
}

TEST(WavSoundTest, DamagedFilesNeverReadOutOfBounds)
{
    WavFile wav;
    wav.channels = 2;
    wav.samples = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<UInt8> original = wav.Build();
    ::testing::internal::CaptureStderr();
    for (size_t cut = 0; cut < original.size(); ++cut) {
        ExactBytes bytes(original.data(), UInt32(cut));
        EXPECT_EQ(CreateObject(&WavSound::Create, bytes).object, nullptr);
    }
    for (size_t bit = 0; bit < original.size() * 8; ++bit) {
        std::vector<UInt8> flipped = original;
        flipped[bit / 8] ^= UInt8(1u << (bit % 8));
        ExactBytes bytes(flipped);
        Testing::CreatedObject result = CreateObject(&WavSound::Create, bytes);
        if (auto* sound = dynamic_cast<WavSound*>(result.object.get())) {
            EXPECT_LE(sound->GetSampleData() + sound->GetSampleDataSize(), bytes.Get() + bytes.GetSize());
        }
    }
    ::testing::internal::GetCapturedStderr();
}

} // namespace
