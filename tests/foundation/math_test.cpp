#include "foundation/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Vorn;

namespace {

UInt32 FloatBits(Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

// Bitwise equality: tells -0.0 from 0.0.
void ExpectSameFloat(Float actual, Float expected)
{
    EXPECT_EQ(FloatBits(actual), FloatBits(expected)) << actual << " vs " << expected;
}

} // namespace

TEST(MathTest, SineTableHoldsTheCorrectlyRoundedValues)
{
    const Float* table = Math::SineTable();
    // FNV-1a over the little-endian bytes of all entries, from a 200-bit reference computation.
    UInt32 hash = 2166136261u;
    for (UInt32 i = 0; i < Math::SineTableSize; ++i) {
        const UInt32 bits = FloatBits(table[i]);
        for (UInt32 shift = 0; shift < 32; shift += 8) {
            hash ^= (bits >> shift) & 0xff;
            hash *= 16777619u;
        }
    }
    EXPECT_EQ(hash, 0x32fdf8b4u);

    const struct {
        UInt32 index;
        Float value;
    } entries[] = {
        {0, 0.0f},
        {1, 0x1.921fb6p-13f},
        {2, 0x1.921fb4p-12f},
        {100, 0x1.3a23d8p-6f},
        {4096, 0x1.6a09e6p-1f},
        {8191, 1.0f},
        {8192, 1.0f},
        {12345, 0x1.660f68p-1f},
        {16383, 0x1.921fb6p-13f},
    };
    for (const auto& entry : entries)
        ExpectSameFloat(table[entry.index], entry.value);
    for (UInt32 i = 1; i < Math::SineTableSize; ++i)
        ASSERT_EQ(FloatBits(table[i]), FloatBits(table[Math::SineTableSize - i])) << i;
}

TEST(MathTest, TableSineAndCosineReadTheNearestStep)
{
    const Float pi = Float(Math::Pi);
    ExpectSameFloat(Math::Sin(0.0f), 0.0f);
    ExpectSameFloat(Math::Sin(pi / 2), 1.0f);
    ExpectSameFloat(Math::Cos(0.0f), 1.0f);
    ExpectSameFloat(Math::Cos(pi), -1.0f);
    // Step 16384 lies in the second half-turn and reads entry 0 negated.
    ExpectSameFloat(Math::Sin(pi), -0.0f);

    const struct {
        Float angle;
        Float sine;
        Float cosine;
    } cases[] = {
        {0x1.99999ap-4f, 0x1.994b2cp-4f, 0x1.fd6ffap-1f},
        {0.5f, 0x1.eb006ap-2f, 0x1.c14d9ep-1f},
        {1.0f, 0x1.aed2b8p-1f, 0x1.14a682p-1f},
        {2.0f, 0x1.d19364p-1f, -0x1.aa111ap-2f},
        {3.0f, 0x1.20d87cp-3f, -0x1.fae1d4p-1f},
        {-0x1.666666p-1f, -0x1.49ddf8p-1f, 0x1.879372p-1f},
        {10.0f, -0x1.168c38p-1f, -0x1.ad994ep-1f},
        {100.0f, -0x1.034092p-1f, 0x1.b982e8p-1f},
        {-1000.0f, -0x1.a75a48p-1f, 0x1.1ff3cap-1f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        ExpectSameFloat(Math::Sin(c.angle), c.sine);
        ExpectSameFloat(Math::Cos(c.angle), c.cosine);
        ExpectSameFloat(Math::Sin(-c.angle), -c.sine);
        ExpectSameFloat(Math::Cos(-c.angle), c.cosine);
    }
}

TEST(MathTest, TableStepHalfWayRoundsAwayFromZero)
{
    // This angle times the table scale is exactly 1.5 steps.
    const Float halfWay = 0x1.2d97c8p-12f;
    ASSERT_EQ(std::fabs(halfWay) * (Float(1.0 / Math::Pi) * 16384.0f), 1.5f);
    ExpectSameFloat(Math::Sin(halfWay), Math::SineTable()[2]);
    ExpectSameFloat(Math::Sin(-halfWay), -Math::SineTable()[2]);
}

TEST(MathTest, TableSineOfUnreachableStepsReadsStepZero)
{
    const Float cases[] = {1e30f, -1e30f, std::numeric_limits<Float>::infinity(),
                           std::numeric_limits<Float>::quiet_NaN()};
    for (const Float angle : cases) {
        SCOPED_TRACE(angle);
        EXPECT_EQ(Math::Sin(angle), 0.0f);
        EXPECT_EQ(Math::Cos(angle), 1.0f);
    }
}

TEST(MathTest, WrapAngleGivesRangeFromZeroToTwoPi)
{
    EXPECT_EQ(Math::WrapAngle(-0.5), Math::TwoPi - 0.5);
    EXPECT_EQ(Math::WrapAngle(Math::TwoPi), 0.0);
    EXPECT_EQ(Math::WrapAngle(7.0), 7.0 - Math::TwoPi);
    EXPECT_EQ(Math::WrapAngle(-0.5f), Float(Math::TwoPi - 0.5));
    EXPECT_EQ(Math::WrapAngle(Float(Math::TwoPi)), 0.0f);
    // Divides by the float 2 pi, then adds the double one.
    EXPECT_EQ(Math::WrapAngle(-7.0f), Float(std::fmod(-7.0, Double(Float(Math::TwoPi))) + Math::TwoPi));
}

TEST(MathTest, RoundGoesHalfAwayFromZero)
{
    const struct {
        Double x;
        Double rounded;
    } cases[] = {{2.5, 3.0}, {-2.5, -3.0}, {0.5, 1.0}, {-0.5, -1.0}, {1.49, 1.0}, {-1.49, -1.0}, {0.0, 0.0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Math::Round(c.x), c.rounded) << c.x;
        EXPECT_EQ(Math::Round(Float(c.x)), Float(c.rounded)) << c.x;
    }
    EXPECT_FALSE(std::signbit(Math::Round(-0.0)));
    EXPECT_FALSE(std::signbit(Math::Round(-0.0f)));
    // The float variant rounds exactly: the largest float below one half stays 0.
    EXPECT_EQ(Math::Round(0x1.fffffep-2f), 0.0f);
}

TEST(MathTest, ScalarHelpers)
{
    EXPECT_EQ(Math::Sign(-3.0f), -1.0f);
    EXPECT_EQ(Math::Sign(0.25f), 1.0f);
    EXPECT_EQ(Math::Sign(0.0f), 0.0f);
    EXPECT_EQ(Math::Sign(std::numeric_limits<Float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(Math::Abs(-2.5f), 2.5f);
    EXPECT_EQ(Math::Abs(-2.5), 2.5);
    EXPECT_EQ(Math::Floor(-1.5f), -2.0f);
    EXPECT_EQ(Math::Ceil(-1.5), -1.0);
    EXPECT_EQ(Math::Sqrt(2.0f), Float(std::sqrt(2.0)));
    EXPECT_EQ(Math::ArcTan(1.0f), Float(std::atan(1.0)));
    EXPECT_EQ(Math::Fmod(7.5f, 2.0f), 1.5f);
}

TEST(MathTest, ColorToUInt32PacksRedIntoTheLowByteAndWraps)
{
    const struct {
        Float color[4];
        UInt32 word;
    } cases[] = {
        {{1.0f, 0.0f, 0.0f, 1.0f}, 0xff0000ffu},
        {{0.0f, 1.0f, 0.5f, 0.0f}, 0x007fff00u},
        {{1.5f, 0.0f, 0.0f, 0.0f}, 126u},    // 382 modulo 256
        {{-0.5f, 0.0f, 0.0f, 0.0f}, 0x81u},  // -127, low 8 bits
        {{0.999f, 0.0f, 0.0f, 0.0f}, 254u},  // truncated, not rounded
        {{1e30f, std::numeric_limits<Float>::quiet_NaN(), 0.0f, 0.0f}, 0u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Util::ColorToUInt32(c.color), c.word) << c.color[0];
}
