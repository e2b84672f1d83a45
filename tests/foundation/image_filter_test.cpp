#include "foundation/image_filter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vorn;

namespace {

// Counts the requests and never takes one.
class CountingScaler : public Util::Scaler {
public:
    explicit CountingScaler(const Util::Filter* filter) : Util::Scaler(filter) {}

    Bool Scale(const UInt8*, UInt8*, UInt32, UInt32, UInt32, UInt32, UInt32, UInt32, UInt32) override
    {
        ++mRequests;
        return false;
    }

    UInt32 mRequests = 0;
};

} // namespace

TEST(ImageFilterTest, BoxFilterCountsTheEdgeAsInside)
{
    const Util::BoxFilter filter(0.5);
    EXPECT_EQ(filter.Evaluate(0.5), 1.0);
    EXPECT_EQ(filter.Evaluate(-0.5), 1.0);
    EXPECT_EQ(filter.Evaluate(0.5000001), 0.0);
    EXPECT_EQ(filter.Evaluate(0.5, -0.5), 1.0);
    EXPECT_EQ(filter.Evaluate(0.2, 0.6), 0.0);
}

TEST(ImageFilterTest, HalvingIgnoresTheOddLastColumnAndRow)
{
    // 5 x 3, one byte per pixel; the last column and row hold 255 and must not be read.
    const UInt8 source[3][5] = {
        {1, 1, 10, 20, 255},
        {1, 2, 30, 40, 255},
        {255, 255, 255, 255, 255},
    };
    UInt8 target[2] = {};
    Util::BoxScaler scaler;
    EXPECT_TRUE(scaler.Scale(&source[0][0], target, 5, 3, 5, 2, 1, 2, 1));
    EXPECT_EQ(target[0], 1); // (1 + 1 + 1 + 2) / 4, truncated
    EXPECT_EQ(target[1], 25);
}

TEST(ImageFilterTest, HalvingAveragesEachChannelWithPitches)
{
    // 2 x 2, three bytes per pixel, rows padded to 8 bytes.
    const UInt8 source[16] = {0, 100, 255, 4, 101, 255, 9, 9,
                              8, 102, 255, 12, 104, 254, 9, 9};
    UInt8 target[4] = {7, 7, 7, 7};
    Util::BoxScaler scaler;
    EXPECT_TRUE(scaler.Scale(source, target, 2, 2, 8, 1, 1, 4, 3));
    EXPECT_EQ(target[0], 6);
    EXPECT_EQ(target[1], 101);
    EXPECT_EQ(target[2], 254);
    EXPECT_EQ(target[3], 7);
}

TEST(ImageFilterTest, FastPathDeclinesOtherRequests)
{
    UInt8 pixels[64] = {};
    UInt8 target[64] = {};
    Util::BoxScaler scaler;
    // A 1 x 1 image halves to nothing, which the fast path takes without writing.
    EXPECT_TRUE(scaler.Scale(pixels, nullptr, 1, 1, 1, 0, 0, 0, 4));
    EXPECT_FALSE(scaler.Scale(pixels, target, 4, 2, 20, 2, 1, 10, 5)); // five bytes per pixel
    EXPECT_FALSE(scaler.Scale(pixels, target, 4, 4, 4, 2, 3, 2, 1));
    EXPECT_FALSE(scaler.Scale(pixels, target, 4, 4, 4, 3, 2, 3, 1));
    EXPECT_FALSE(Util::Scaler().Scale(pixels, target, 4, 4, 4, 2, 2, 2, 1));
}

TEST(ImageFilterTest, GeneralPathRunsWhenTheFastPathDeclines)
{
    // 4 x 2 with five bytes per pixel to 2 x 1: the general box filter of radius 0.5 averages
    // source pixels 0-1 into target pixel 0 and pixels 1-3 into target pixel 1, then the two rows.
    std::vector<UInt8> source(4 * 2 * 5);
    for (UInt32 y = 0; y < 2; ++y)
        for (UInt32 x = 0; x < 4; ++x)
            for (UInt32 c = 0; c < 5; ++c)
                source[(y * 4 + x) * 5 + c] = UInt8(10 * x + 40 * y + c);
    std::vector<UInt8> target(2 * 5, 0);
    Util::BoxScaler scaler;
    Util::ScaleImage(scaler, source.data(), target.data(), 4, 2, 20, 2, 1, 5);
    // Rows of (0 + 10) / 2 and (40 + 50) / 2, then of (10 + 20 + 30) / 3 and (50 + 60 + 70) / 3, plus
    // the channel number; sums are truncated, and a sum of thirds can fall just short (60.99... gives 60).
    const UInt8 expected[10] = {25, 26, 27, 28, 29, 40, 40, 42, 43, 43};
    for (UInt32 i = 0; i < 10; ++i)
        EXPECT_EQ(target[i], expected[i]) << i;
}

TEST(ImageFilterTest, EnlargingPicksTheNearestPixel)
{
    // Two pixels to four: the second target pixel falls exactly between the two sources.
    const UInt8 source[2] = {10, 21};
    UInt8 target[4] = {};
    const Util::BoxFilter filter(0.5);
    CountingScaler scaler(&filter);
    Util::ScaleImage(scaler, source, target, 2, 1, 2, 4, 1, 1);
    EXPECT_EQ(scaler.mRequests, 1u);
    const UInt8 expected[4] = {10, 15, 21, 21};
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_EQ(target[i], expected[i]) << i;
}

TEST(ImageFilterTest, ContributionWindowIsTrimmedAndNormalised)
{
    // Shrinking 18 to 5: the filter half-width is 1.8 source pixels and the window 5 weights.
    const Util::BoxFilter filter(0.5);
    Util::ContributionList list;
    ASSERT_TRUE(Util::ComputeContributions(list, 5, 18, filter, 5.0 / 18.0));
    EXPECT_EQ(list.count, 5u);
    EXPECT_EQ(list.windowSize, 5u);

    // Target 1 is centred on 3.6: sources 1 to 6 would make six, so the window starts at 2.
    const Util::Contribution& item = list.items[1];
    EXPECT_EQ(item.first, 2);
    EXPECT_EQ(item.last, 6);
    const Double expected[5] = {0.25, 0.25, 0.25, 0.25, 0.0};
    for (UInt32 k = 0; k < 5; ++k)
        EXPECT_DOUBLE_EQ(item.weights[k], expected[k]) << k;

    // Target 0 is centred on 0: the window is clipped at the image's start.
    EXPECT_EQ(list.items[0].first, 0);
    EXPECT_EQ(list.items[0].last, 2);
    EXPECT_DOUBLE_EQ(list.items[0].weights[0], 0.5);
    EXPECT_DOUBLE_EQ(list.items[0].weights[2], 0.0);

    EXPECT_FALSE(Util::ComputeContributions(list, 5, 0, filter, 1.0));
    EXPECT_EQ(list.count, 0u);
}

TEST(ImageFilterTest, ScaleImageWithoutFilterLeavesTheTarget)
{
    const UInt8 source[4] = {1, 2, 3, 4};
    UInt8 target[3] = {9, 9, 9};
    Util::Scaler scaler;
    Util::ScaleImage(scaler, source, target, 4, 1, 4, 3, 1, 1);
    EXPECT_EQ(target[0], 9);
}
