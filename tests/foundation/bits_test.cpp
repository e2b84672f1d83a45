#include "foundation/bits.h"

#include <gtest/gtest.h>

using namespace Vorn;

TEST(BitsTest, NextPowerOfTwo)
{
    const UInt32 cases[][2] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 4}, {5, 8}, {8, 8}, {1023, 1024}, {1024, 1024}, {1025, 2048},
        {0x80000000u, 0x80000000u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Util::GetNextPowerOfTwo(c[0]), c[1]) << c[0];
}

TEST(BitsTest, AlignUp4)
{
    const UInt32 cases[][2] = {{0, 0}, {1, 4}, {3, 4}, {4, 4}, {5, 8}, {0xFFFFFFFCu, 0xFFFFFFFCu}};
    for (const auto& c : cases)
        EXPECT_EQ(Util::AlignUp4(c[0]), c[1]) << c[0];
}
