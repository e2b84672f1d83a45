#include "foundation/random.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vorn;

namespace {

// Hands out scripted draws and counts them.
class ScriptedRng : public Util::Rng {
public:
    explicit ScriptedRng(std::vector<UInt32> draws) : mDraws(std::move(draws)) {}

    void Seed(UInt32) override { mNext = 0; }
    UInt32 Rand() override { return mDraws[mNext++ % mDraws.size()]; }

    size_t mNext = 0;

private:
    std::vector<UInt32> mDraws;
};

// From an independent implementation that regenerates all 25 words at once.
const UInt32 TT800SeedZero[30] = {
    0x26fdfc8d, 0x030fe091, 0x59542d61, 0x97696fa0, 0xaaa49d06, 0x4630fed8, 0x7b7e5b1d, 0x6897cbd0,
    0x1c0f53ab, 0x616ccd6e, 0x65c4e685, 0xad5ddde8, 0x49bfa9c1, 0xca4fa68b, 0xd7c0fef7, 0x21e1d21a,
    0x960c1dd4, 0xa6ca51dc, 0xb81617fd, 0x4718ecb8, 0x074ea6f5, 0x453ee422, 0x416cc277, 0xd52b55c7,
    0x8bd670a9, 0x2dd3f7ac, 0x4abed355, 0x84a9c399, 0x4673df7e, 0xa2c3e927,
};

} // namespace

TEST(RandomTest, MarsagliaIsTheCongruentialSequence)
{
    Util::Marsaglia fromZero(0);
    const UInt32 expected[] = {1u, 69070u, 475628535u, 3277404108u, 772999773u};
    for (const UInt32 value : expected)
        EXPECT_EQ(fromZero.Rand(), value);

    Util::Marsaglia reseeded;
    reseeded.Seed(475628535u);
    EXPECT_EQ(reseeded.Rand(), 3277404108u);
}

TEST(RandomTest, TT800MatchesTheReferenceSequenceAcrossTheWordWrap)
{
    Util::TT800 rng;
    rng.Seed(0);
    for (UInt32 i = 0; i < 30; ++i)
        EXPECT_EQ(rng.Rand(), TT800SeedZero[i]) << "draw " << i;

    // Draws 26 to 30 of another seed, after every word has been replaced once.
    rng.Seed(0xdeadbeef);
    for (UInt32 i = 0; i < 25; ++i)
        rng.Rand();
    const UInt32 later[] = {0x961084df, 0x2e1dea53, 0xb26b8823, 0x062af4d9, 0x019bc685};
    for (const UInt32 value : later)
        EXPECT_EQ(rng.Rand(), value);
}

TEST(RandomTest, TT800ReseedingRestartsTheSequence)
{
    Util::TT800 rng;
    rng.Seed(4357);
    std::vector<UInt32> first;
    for (UInt32 i = 0; i < 40; ++i)
        first.push_back(rng.Rand());
    EXPECT_EQ(first[0], 0x253599c9u);

    // Reseed in the middle of a round of words: the index starts over as well.
    rng.Seed(4357);
    for (UInt32 i = 0; i < 40; ++i)
        EXPECT_EQ(rng.Rand(), first[i]) << "draw " << i;
}

TEST(RandomTest, RandUIntCoversTheClosedRangeInEitherOrder)
{
    const struct {
        UInt32 a;
        UInt32 b;
        UInt32 draw;
        UInt32 result;
    } cases[] = {
        {5, 5, 0, 5},
        {5, 5, 0xffffffff, 5},
        {7, 3, 0, 3},
        {7, 3, 0xffffffff, 7},
        {3, 7, 0x80000000, 5},  // 2^31 * 5 >> 32 = 2
        {7, 3, 0x33333333, 3},  // just below one fifth
        {7, 3, 0x33333334, 4},  // one fifth
        {0, 0xffffffff, 0x12345678, 0x12345678},
        {0xffffffff, 0, 0xfedcba98, 0xfedcba98},
        {10, 0xffffffff, 0xffffffff, 0xffffffff},
    };
    for (const auto& c : cases) {
        ScriptedRng rng({c.draw});
        EXPECT_EQ(rng.RandUInt(c.a, c.b), c.result) << c.a << ".." << c.b << " draw " << c.draw;
        EXPECT_EQ(rng.mNext, 1u);
    }
}

TEST(RandomTest, RandRealIncludesBothBoundsInEitherOrder)
{
    const struct {
        UInt32 draw;
        Float result;
    } cases[] = {
        {0, 0.0f},
        {0xffffffff, 1.0f},
        {0x80000000, 0.5f},
        {0x40000000, 0.25f},
    };
    for (const auto& c : cases) {
        ScriptedRng forward({c.draw});
        ScriptedRng reverse({c.draw});
        EXPECT_EQ(forward.RandReal(0.0f, 1.0f), c.result) << c.draw;
        EXPECT_EQ(reverse.RandReal(1.0f, 0.0f), c.result) << c.draw;
        EXPECT_EQ(forward.mNext, 1u);
    }
    ScriptedRng rng({0, 0xffffffff});
    EXPECT_EQ(rng.RandReal(-2.0f, 3.0f), -2.0f);
    EXPECT_EQ(rng.RandReal(3.0f, -2.0f), 3.0f);
    // The offset is formed in double and rounded to float before the addition.
    ScriptedRng third({0x55555555});
    EXPECT_EQ(third.RandReal(10.0f, 20.0f), 10.0f + Float(10.0 * 1431655765.0 / 4294967295.0));
}

TEST(RandomTest, RandBoolIsTheTopBit)
{
    const struct {
        UInt32 draw;
        Bool result;
    } cases[] = {{0, false}, {0x7fffffff, false}, {0x80000000, true}, {0xffffffff, true}};
    for (const auto& c : cases) {
        ScriptedRng rng({c.draw});
        EXPECT_EQ(rng.RandBool(), c.result) << c.draw;
    }
}
