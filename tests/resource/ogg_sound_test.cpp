#include "resource/ogg_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "resource/native_sound.h"
#include "resource/package.h"
#include "resource/wav_sound.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/sound_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::CreateObject;
using Testing::ExactBytes;

namespace {

std::vector<VorbisPacketRecord> ReadRecords(const Sound& sound)
{
    std::vector<VorbisPacketRecord> records;
    VorbisPacketRecord record;
    for (UInt32 offset = 0; offset < sound.GetSampleDataSize(); offset = record.nextOffset) {
        if (!VorbisPacketRecord::Read(sound.GetSampleData(), sound.GetSampleDataSize(), offset, record)) {
            ADD_FAILURE() << "record at " << offset << " does not fit";
            break;
        }
        records.push_back(record);
    }
    return records;
}

std::string CreateLogged(const std::vector<UInt8>& file, Testing::CreatedObject& result)
{
    ExactBytes bytes(file);
    ::testing::internal::CaptureStderr();
    result = CreateObject(&OggSound::Create, bytes);
    return ::testing::internal::GetCapturedStderr();
}

TEST(OggSoundTest, ConvertsPacketsIntoRecords)
{
    struct Case
    {
        std::vector<UInt8> file;
        UInt32 rate;
        Enums::SoundFormat format;
        UInt32 minimumSamples;
    };
    const Case cases[] = {
        {Testing::MonoToneOgg(), 22050, Enums::SoundFormat::MONO_16_BIT, 11025},
        {Testing::StereoToneOgg(), 44100, Enums::SoundFormat::STEREO_16_BIT, 44100},
    };
    for (const Case& c : cases) {
        Testing::CreatedObject result;
        EXPECT_EQ(CreateLogged(c.file, result), "");
        auto* sound = dynamic_cast<OggSound*>(result.object.get());
        ASSERT_NE(sound, nullptr);
        // The sound owns its records; the file can go.
        EXPECT_TRUE(result.releaseData);
        EXPECT_EQ(sound->GetSampleRate(), c.rate);
        EXPECT_EQ(sound->GetFormat(), c.format);
        EXPECT_EQ(sound->GetEncoding(), Enums::AudioCodec::VORBIS);
        // The encoder pads the last block; the end granule position trims it back.
        EXPECT_GE(sound->GetNumberOfSamples(), c.minimumSamples);
        EXPECT_LT(sound->GetNumberOfSamples(), c.minimumSamples + 2048);

        const std::vector<VorbisPacketRecord> records = ReadRecords(*sound);
        ASSERT_GT(records.size(), 4u);
        EXPECT_EQ(records[0].flags, 5u);
        EXPECT_EQ(records[1].flags, 8u);
        EXPECT_EQ(records[2].flags, 16u);
        EXPECT_EQ(records[3].flags, 32u);
        EXPECT_EQ(records[3].samples, 0u);
        EXPECT_EQ(records.back().flags, 34u);
        UInt64 total = 0;
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].packetNumber, i);
            EXPECT_EQ(records[i].firstSample, total);
            total += records[i].samples;
        }
        EXPECT_EQ(total, sound->GetNumberOfSamples());
    }
}

TEST(OggSoundTest, DeclinesOtherStreamsSilently)
{
    // An Ogg file whose first stream is not Vorbis, and bytes that are not Ogg.
    std::vector<Testing::OggPacket> packets = Testing::ReadOggPackets(Testing::MonoToneOgg());
    packets[0].bytes = {0x80, 't', 'h', 'e', 'o', 'r', 'a', 3, 2, 1, 0, 0, 0, 0};
    const std::vector<std::vector<UInt8>> files = {
        Testing::WriteOggPackets(packets),
        Testing::WavFile{}.Build(),
        std::vector<UInt8>(100, 0),
    };
    for (const std::vector<UInt8>& file : files) {
        Testing::CreatedObject result;
        EXPECT_EQ(CreateLogged(file, result), "");
        EXPECT_EQ(result.object, nullptr);
        EXPECT_FALSE(result.failed);
    }
}

TEST(OggSoundTest, RefusesDamagedVorbisStreams)
{
    const std::vector<UInt8> original = Testing::MonoToneOgg();
    const std::vector<Testing::OggPacket> packets = Testing::ReadOggPackets(original);

    std::vector<Testing::OggPacket> sixChannels = packets;
    sixChannels[0].bytes[11] = 6;
    std::vector<Testing::OggPacket> badSetup = packets;
    badSetup[2].bytes.resize(20);
    const std::vector<Testing::OggPacket> headersOnly(packets.begin(), packets.begin() + 3);
    const std::vector<Testing::OggPacket> twoHeaders(packets.begin(), packets.begin() + 2);
    std::vector<UInt8> badPage = original;
    badPage[badPage.size() - 100] ^= 0x10;

    struct Case
    {
        std::vector<UInt8> file;
        const char* message;
    };
    const Case cases[] = {
        {Testing::WriteOggPackets(sixChannels), "Invalid number of channels (6)"},
        {Testing::WriteOggPackets(badSetup), "Corrupt secondary header from vorbis_synthesis_headerin()"},
        {Testing::WriteOggPackets(twoHeaders), "End of file before finding all vorbis headers"},
        {Testing::WriteOggPackets(headersOnly), "No samples in the vorbis stream of object 'sound'"},
        {badPage, "Corrupt or missing data in bitstream"},
    };
    for (const Case& c : cases) {
        Testing::CreatedObject result;
        const std::string log = CreateLogged(c.file, result);
        EXPECT_EQ(result.object, nullptr) << c.message;
        EXPECT_FALSE(result.failed);
        EXPECT_EQ(log.find("Resource::OggSound::ConvertStream(): "), 0u) << log;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    }
}

TEST(OggSoundTest, DamagedFilesNeverReadOutOfBounds)
{
    const std::vector<UInt8> original = Testing::MonoToneOgg();
    ::testing::internal::CaptureStderr();
    // CRCs catch flips in the pages, so every 61st bit is enough there; flips in the headers
    // before the checksum is tested, and a fixed checksum over damaged packets, are tried through
    // the rewriter.
    Testing::ForEachDamagedCopy(original, 7, 61,
                                [](const ExactBytes& bytes) { CreateObject(&OggSound::Create, bytes); });
    std::vector<Testing::OggPacket> packets = Testing::ReadOggPackets(original);
    for (size_t i = 0; i < packets.size(); ++i) {
        for (size_t bit = 0; bit < packets[i].bytes.size() * 8; bit += 97) {
            std::vector<Testing::OggPacket> damaged = packets;
            damaged[i].bytes[bit / 8] ^= UInt8(1u << (bit % 8));
            ExactBytes bytes(Testing::WriteOggPackets(damaged));
            CreateObject(&OggSound::Create, bytes);
        }
    }
    ::testing::internal::GetCapturedStderr();
}

// A package that tries the three sound readers in the native package's order.
class SoundPackage : public Package
{
public:
    explicit SoundPackage(const IConfiguration* configuration) : Package(configuration, nullptr) {}
    Bool RegisterCreators() override
    {
        return AddObjectCreator(&NativeSound::Create) && AddObjectCreator(&OggSound::Create) &&
               AddObjectCreator(&WavSound::Create);
    }
    Bool UnregisterCreators() override
    {
        return RemoveObjectCreator(&NativeSound::Create) && RemoveObjectCreator(&OggSound::Create) &&
               RemoveObjectCreator(&WavSound::Create);
    }
};

TEST(OggSoundTest, PackagesServeSoundsOfEveryForm)
{
    Testing::FakeConfiguration configuration;
    SoundPackage package(&configuration);
    ASSERT_TRUE(package.RegisterCreators());
    Testing::WavFile wav;
    wav.samples = {1, 2, 3, 4};
    const std::vector<UInt8> wavFile = wav.Build();
    const std::vector<UInt8> oggFile = Testing::StereoToneOgg();
    Bool releaseData = false;
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "music", nullptr, 0, oggFile.data(), UInt32(oggFile.size()),
                                             &releaseData),
              nullptr);
    EXPECT_TRUE(releaseData);
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "click", nullptr, 0, wavFile.data(), UInt32(wavFile.size()),
                                             &releaseData),
              nullptr);
    EXPECT_FALSE(releaseData);
    Data native;
    ASSERT_TRUE(package.GetObjectAt(0)->GetNativeData(native));
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "native", nullptr, 0, native.GetData(), native.GetSize(),
                                             &releaseData),
              nullptr);
    EXPECT_FALSE(releaseData);

    ASSERT_NE(package.GetSound("music"), nullptr);
    EXPECT_EQ(package.GetSound("music")->GetEncoding(), Enums::AudioCodec::VORBIS);
    ASSERT_NE(package.GetSound("click"), nullptr);
    EXPECT_EQ(package.GetSound("click")->GetNumberOfSamples(), 2u);
    ASSERT_NE(package.GetSound("native"), nullptr);
    EXPECT_EQ(package.GetSound("native")->GetNumberOfSamples(), package.GetSound("music")->GetNumberOfSamples());

    // A refused sound is offered to every reader and then refused by the package.
    std::vector<UInt8> broken = wavFile;
    broken[22] = 3;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(package.CreateObjectFromMemory(nullptr, "broken", nullptr, 0, broken.data(), UInt32(broken.size()),
                                             &releaseData),
              nullptr);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Number of channels must be either 1 (mono) or 2 (stereo) for object 'broken'"),
              std::string::npos);
    EXPECT_NE(log.find("Resource::Package::CreateObjectFromMemory(): Failed to create object from memory"),
              std::string::npos);
    EXPECT_EQ(package.GetSound("broken"), nullptr);
}

} // namespace
