#include "foundation/interpolation.h"

#include <gtest/gtest.h>

namespace Vorn {
namespace Logic {
namespace {

using Kind = Enums::InterpolationType;

constexpr Kind kCurves[] = {Kind::LINEAR,           Kind::EASE_IN,          Kind::EASE_OUT,
                            Kind::EASE_IN_OUT,      Kind::EASE_OUT_IN,      Kind::HERMITE_EASE_IN,
                            Kind::HERMITE_EASE_OUT, Kind::HERMITE_EASE_IN_OUT, Kind::HERMITE_EASE_OUT_IN};

TEST(InterpolateTest, EveryCurveRunsFromZeroToOne)
{
    for (Kind kind : kCurves) {
        EXPECT_EQ(Interpolate(kind, 0.0f), 0.0f) << UInt32(kind);
        EXPECT_EQ(Interpolate(kind, 1.0f), 1.0f) << UInt32(kind);
    }
    EXPECT_EQ(Interpolate(Kind::CONSTANT, 0.0f), 0.0f);
    EXPECT_EQ(Interpolate(Kind::CONSTANT, 1.0f), 0.0f);
}

TEST(InterpolateTest, GivesTheCurveValuesAtQuarterAndHalf)
{
    struct Case
    {
        Kind kind;
        Float u;
        Float weight;
    };
    // All of these are exact in binary, so the comparison is exact.
    const Case cases[] = {
        {Kind::CONSTANT, 0.5f, 0.0f},
        {Kind::LINEAR, 0.25f, 0.25f},
        {Kind::EASE_IN, 0.25f, 0.015625f},
        {Kind::EASE_IN, 0.5f, 0.125f},
        {Kind::EASE_OUT, 0.25f, 0.578125f},
        {Kind::EASE_OUT, 0.5f, 0.875f},
        {Kind::EASE_IN_OUT, 0.25f, 0.0625f},
        {Kind::EASE_IN_OUT, 0.5f, 0.5f},
        {Kind::EASE_IN_OUT, 0.75f, 0.9375f},
        {Kind::EASE_OUT_IN, 0.25f, 0.4375f},
        {Kind::EASE_OUT_IN, 0.5f, 0.5f},
        {Kind::HERMITE_EASE_IN, 0.25f, 0.0859375f},
        {Kind::HERMITE_EASE_IN, 0.5f, 0.3125f},
        {Kind::HERMITE_EASE_OUT, 0.25f, 0.3671875f},
        {Kind::HERMITE_EASE_OUT, 0.5f, 0.6875f},
        {Kind::HERMITE_EASE_IN_OUT, 0.25f, 0.15625f},
        {Kind::HERMITE_EASE_IN_OUT, 0.5f, 0.5f},
        {Kind::HERMITE_EASE_OUT_IN, 0.25f, 0.34375f},
        {Kind::HERMITE_EASE_OUT_IN, 0.5f, 0.5f},
        {Kind::HERMITE_EASE_OUT_IN, 0.75f, 0.65625f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Interpolate(c.kind, c.u), c.weight) << UInt32(c.kind) << " at " << c.u;
}

TEST(InterpolateTest, ExtendsTheCurveOutsideTheSegment)
{
    EXPECT_EQ(Interpolate(Kind::LINEAR, -0.5f), -0.5f);
    EXPECT_EQ(Interpolate(Kind::LINEAR, 2.0f), 2.0f);
    EXPECT_EQ(Interpolate(Kind::EASE_IN, 2.0f), 8.0f);
    EXPECT_EQ(Interpolate(Kind::EASE_OUT, -1.0f), -7.0f);
}

TEST(InterpolateTest, TreatsAnUnknownKindAsLinear)
{
    for (UInt32 value : {10u, 12u, 0xFFFFFFFFu})
        EXPECT_EQ(Interpolate(static_cast<Kind>(value), 0.3f), 0.3f) << value;
}

} // namespace
} // namespace Logic
} // namespace Vorn
