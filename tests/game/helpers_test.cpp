#include <gtest/gtest.h>

#include "game/helpers.h"

namespace Vorn {
namespace App {
namespace {

TEST(AlignToPixelGridTest, OddSizesLandOnHalfPixels)
{
    EXPECT_FLOAT_EQ(AlignToPixelGrid(10.4f, 3.0f, 1.0f), 10.5f);
    EXPECT_FLOAT_EQ(AlignToPixelGrid(10.4f, 4.0f, 1.0f), 10.0f);
    EXPECT_FLOAT_EQ(AlignToPixelGrid(-10.6f, 4.0f, 1.0f), -11.0f);
    // Two scene units per pixel: 6 units are 3 pixels, so the position lands on a half pixel.
    EXPECT_FLOAT_EQ(AlignToPixelGrid(7.0f, 6.0f, 2.0f), 9.0f);
}

TEST(FormatScoreTest, GroupsThousands)
{
    const struct {
        UInt32 value;
        const char* expected;
    } cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1005, "1,005"}, {1234567, "1,234,567"},
        {4294967295u, "4,294,967,295"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatScore(c.value).GetText(), c.expected) << c.value;
}

} // namespace
} // namespace App
} // namespace Vorn
