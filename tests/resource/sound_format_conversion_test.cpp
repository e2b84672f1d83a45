#include "resource/sound_format_conversion.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace Vorn;
using namespace Vorn::Resource;

namespace {

constexpr UInt32 M8 = UInt32(Enums::SoundFormat::MONO_8_BIT);
constexpr UInt32 M16 = UInt32(Enums::SoundFormat::MONO_16_BIT);
constexpr UInt32 S8 = UInt32(Enums::SoundFormat::STEREO_8_BIT);
constexpr UInt32 S16 = UInt32(Enums::SoundFormat::STEREO_16_BIT);

// Frames given as sample values: 8-bit values unsigned, 16-bit values signed.
std::vector<UInt8> Pack(UInt32 format, const std::vector<SInt32>& samples)
{
    std::vector<UInt8> bytes;
    const Bool wide = format == M16 || format == S16;
    for (SInt32 sample : samples) {
        bytes.push_back(UInt8(sample));
        if (wide)
            bytes.push_back(UInt8(UInt32(sample) >> 8));
    }
    return bytes;
}

struct ConversionCase
{
    UInt32 from;
    UInt32 to;
    std::vector<SInt32> input;
    std::vector<SInt32> expected;
};

TEST(SoundFormatConversionTest, ConvertsBetweenEveryPairOfFormats)
{
    const std::vector<ConversionCase> cases = {
        {M16, M16, {-32768, 5, 32767}, {-32768, 5, 32767}},
        {M16, M8, {-32768, 0, 32767, -1, 255, 256}, {0, 128, 255, 127, 128, 129}},
        {M16, S8, {-32768, 32767}, {0, 0, 255, 255}},
        {M16, S16, {-32768, 1234}, {-32768, -32768, 1234, 1234}},
        {S16, M16, {1000, 3000, -3, 0, -32768, -32768}, {2000, -2, -32768}},
        {S16, M8, {1000, 3000, -32768, -32768, 32767, 32767}, {135, 0, 255}},
        {S16, S8, {1000, -1000}, {131, 124}},
        {S16, S16, {1, -2}, {1, -2}},
        // 8-bit input widens to (x - 128) << 8, mixes like 16-bit samples and narrows back.
        {M8, M8, {0, 200}, {0, 200}},
        {M8, M16, {0, 128, 255}, {-32768, 0, 32512}},
        {M8, S8, {7, 250}, {7, 7, 250, 250}},
        {M8, S16, {0, 129}, {-32768, -32768, 256, 256}},
        {S8, M8, {0, 255, 100, 101, 128, 128}, {127, 100, 128}},
        {S8, M16, {0, 255, 128, 130}, {-128, 256}},
        {S8, S16, {0, 255}, {-32768, 32512}},
        {S8, S8, {1, 2}, {1, 2}},
    };
    for (const ConversionCase& c : cases) {
        const std::vector<UInt8> input = Pack(c.from, c.input);
        const std::vector<UInt8> expected = Pack(c.to, c.expected);
        const UInt32 frames = UInt32(input.size() / GetBytesPerFrame(c.from));
        std::vector<UInt8> output(expected.size() + 4, 0xEE);
        ASSERT_TRUE(ConvertSamples(c.from, c.to, input.data(), output.data(), frames));
        EXPECT_EQ(std::vector<UInt8>(output.begin(), output.begin() + expected.size()), expected)
            << "from " << c.from << " to " << c.to;
        // Nothing beyond the frames is touched.
        EXPECT_EQ(output[expected.size()], 0xEE);
    }
}

TEST(SoundFormatConversionTest, RefusesUnknownFormats)
{
    UInt8 buffer[4] = {1, 2, 3, 4};
    EXPECT_FALSE(ConvertSamples(0, M16, buffer, buffer, 1));
    EXPECT_FALSE(ConvertSamples(M16, 5, buffer, buffer, 1));
    EXPECT_EQ(GetBytesPerFrame(5), 0u);
    EXPECT_EQ(GetBytesPerFrame(S16), 4u);
    EXPECT_EQ(GetNumberOfChannels(S8), 2u);
    const float left[1] = {0.5f};
    const float* channels[1] = {left};
    EXPECT_FALSE(ConvertFloatSamples(3, M16, channels, buffer, 1));
    EXPECT_FALSE(ConvertFloatSamples(1, 0, channels, buffer, 1));
}

TEST(SoundFormatConversionTest, RoundsAndClampsDecodedSamples)
{
    struct Case
    {
        float x;
        SInt16 wide;
        UInt8 narrow;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {1.0f, 32767, 255},     {-1.0f, -32766, 1},     {1.5f, 32767, 255},   {-1.5f, -32768, 0},
        {0.0f, 0, 128},         {-0.00001f, 0, 128},    {0.5f, 16384, 192},   {-0.5f, -16383, 65},
        {inf, 32767, 255},      {-inf, -32768, 0},      {std::numeric_limits<float>::quiet_NaN(), 0, 128},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToSample16(c.x), c.wide) << c.x;
        EXPECT_EQ(FloatToSample8(c.x), c.narrow) << c.x;
    }
}

TEST(SoundFormatConversionTest, ConvertsDecodedChannelsIntoEveryFormat)
{
    const float left[2] = {1.0f, -0.5f};
    const float right[2] = {0.0f, -0.5f};
    const float* stereo[2] = {left, right};
    const float* mono[1] = {left};

    SInt16 wide[4] = {};
    ASSERT_TRUE(ConvertFloatSamples(2, S16, stereo, wide, 2));
    EXPECT_EQ(std::vector<SInt16>(wide, wide + 4), (std::vector<SInt16>{32767, 0, -16383, -16383}));
    ASSERT_TRUE(ConvertFloatSamples(2, M16, stereo, wide, 2));
    EXPECT_EQ(std::vector<SInt16>(wide, wide + 2), (std::vector<SInt16>{16384, -16383}));
    ASSERT_TRUE(ConvertFloatSamples(1, S16, mono, wide, 2));
    EXPECT_EQ(std::vector<SInt16>(wide, wide + 4), (std::vector<SInt16>{32767, 32767, -16383, -16383}));

    UInt8 narrow[4] = {};
    ASSERT_TRUE(ConvertFloatSamples(2, M8, stereo, narrow, 2));
    EXPECT_EQ(std::vector<UInt8>(narrow, narrow + 2), (std::vector<UInt8>{192, 65}));
    ASSERT_TRUE(ConvertFloatSamples(1, S8, mono, narrow, 2));
    EXPECT_EQ(std::vector<UInt8>(narrow, narrow + 4), (std::vector<UInt8>{255, 255, 65, 65}));
    ASSERT_TRUE(ConvertFloatSamples(2, S8, stereo, narrow, 1));
    EXPECT_EQ(std::vector<UInt8>(narrow, narrow + 2), (std::vector<UInt8>{255, 128}));
}

} // namespace
