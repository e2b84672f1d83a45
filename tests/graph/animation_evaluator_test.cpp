#include "graph/animation/animation_evaluator.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "foundation/enums.h"
#include "foundation/math.h"

namespace Vorn {
namespace Graph {
namespace {

constexpr UInt32 kConstant = UInt32(Enums::InterpolationType::CONSTANT);
constexpr UInt32 kLinear = UInt32(Enums::InterpolationType::LINEAR);
constexpr UInt32 kEaseIn = UInt32(Enums::InterpolationType::EASE_IN);

using Resource::ColorKey;
using Resource::FlagKey;
using Resource::IndexKey;
using Resource::PositionKey;
using Resource::RotationKey;
using Resource::ScalarKey;
using Resource::ScalingKey;

template <class Key, class Value>
Value Evaluate(const std::vector<Key>& keys, Float time, Value start = Value())
{
    UInt32 cursor = 0;
    Value value = start;
    EXPECT_TRUE(AnimationEvaluator::EvaluateKeys(UInt32(keys.size()), keys.data(), &cursor, time, &value));
    return value;
}

TEST(AnimationEvaluatorTest, EvaluatesScalarTracksAtAndBetweenKeys)
{
    struct Case
    {
        UInt32 kind;
        Float time;
        Float value;
    };
    const Case cases[] = {
        {kLinear, 0.0f, 0.0f},    {kLinear, 0.5f, 5.0f},     {kLinear, 1.0f, 10.0f},
        {kLinear, 2.0f, 10.0f},   {kLinear, -0.5f, -5.0f},   {kConstant, 0.0f, 0.0f},
        {kConstant, 0.99f, 0.0f}, {kConstant, 1.0f, 10.0f},  {kConstant, 3.0f, 10.0f},
        {kEaseIn, 0.5f, 1.25f},   {kConstant, -1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        const std::vector<ScalarKey> keys = {{0.0f, c.kind, 0.0f}, {1.0f, c.kind, 10.0f}};
        EXPECT_EQ((Evaluate<ScalarKey, Float>(keys, c.time)), c.value) << "kind " << c.kind << " at " << c.time;
    }
}

TEST(AnimationEvaluatorTest, OneKeyHoldsAtEveryTime)
{
    const std::vector<ScalarKey> keys = {{2.0f, kLinear, 7.0f}};
    for (Float time : {-10.0f, 2.0f, 100.0f})
        EXPECT_EQ((Evaluate<ScalarKey, Float>(keys, time)), 7.0f) << time;
}

TEST(AnimationEvaluatorTest, AnEmptyTrackYieldsNothing)
{
    UInt32 cursor = 0;
    Float value = 3.0f;
    EXPECT_FALSE(AnimationEvaluator::EvaluateKeys(0, static_cast<const ScalarKey*>(nullptr), &cursor, 1.0f, &value));
    const ScalarKey key = {0.0f, kLinear, 1.0f};
    EXPECT_FALSE(AnimationEvaluator::EvaluateKeys(0, &key, &cursor, 1.0f, &value));
    EXPECT_FALSE(AnimationEvaluator::EvaluateKeys(1, static_cast<const ScalarKey*>(nullptr), &cursor, 1.0f, &value));
    EXPECT_EQ(value, 3.0f);
}

TEST(AnimationEvaluatorTest, KeepsTheCursorAndRestartsWhenTimeGoesBack)
{
    const std::vector<ScalarKey> keys = {
        {0.0f, kLinear, 0.0f}, {1.0f, kLinear, 10.0f}, {2.0f, kLinear, 20.0f}, {3.0f, kLinear, 30.0f}};
    UInt32 cursor = 0;
    Float value = 0.0f;
    ASSERT_TRUE(AnimationEvaluator::EvaluateKeys(4, keys.data(), &cursor, 5.0f, &value));
    EXPECT_EQ(cursor, 3u);
    EXPECT_EQ(value, 30.0f);
    ASSERT_TRUE(AnimationEvaluator::EvaluateKeys(4, keys.data(), &cursor, 1.5f, &value));
    EXPECT_EQ(cursor, 1u);
    EXPECT_EQ(value, 15.0f);
    ASSERT_TRUE(AnimationEvaluator::EvaluateKeys(4, keys.data(), &cursor, 2.25f, &value));
    EXPECT_EQ(cursor, 2u);
    EXPECT_EQ(value, 22.5f);
}

TEST(AnimationEvaluatorTest, ACursorPastAShorterTrackStartsAgainAtTheFirstKey)
{
    // A cursor left by a longer track (the animation was swapped) must not read past the keys.
    const std::vector<ScalarKey> keys = {{0.0f, kLinear, 0.0f}, {1.0f, kLinear, 10.0f}};
    UInt32 cursor = 7;
    Float value = 0.0f;
    ASSERT_TRUE(AnimationEvaluator::EvaluateKeys(2, keys.data(), &cursor, 0.5f, &value));
    EXPECT_EQ(cursor, 0u);
    EXPECT_EQ(value, 5.0f);
}

TEST(AnimationEvaluatorTest, KeysAtOneTimeJumpToTheLaterOne)
{
    const std::vector<ScalarKey> keys = {
        {0.0f, kLinear, 0.0f}, {1.0f, kLinear, 5.0f}, {1.0f, kLinear, 10.0f}, {2.0f, kLinear, 20.0f}};
    EXPECT_EQ((Evaluate<ScalarKey, Float>(keys, 0.5f)), 2.5f);
    EXPECT_EQ((Evaluate<ScalarKey, Float>(keys, 1.0f)), 10.0f);
    EXPECT_EQ((Evaluate<ScalarKey, Float>(keys, 1.5f)), 15.0f);
}

TEST(AnimationEvaluatorTest, FlagTracksNeverBlend)
{
    const std::vector<FlagKey> keys = {{0.0f, kLinear, 1}, {1.0f, kLinear, 0}};
    EXPECT_TRUE((Evaluate<FlagKey, Bool>(keys, 0.0f)));
    EXPECT_TRUE((Evaluate<FlagKey, Bool>(keys, 0.99f)));
    EXPECT_FALSE((Evaluate<FlagKey, Bool>(keys, 1.0f)));
    EXPECT_FALSE((Evaluate<FlagKey, Bool>(keys, 5.0f)));
}

TEST(AnimationEvaluatorTest, IndexTracksTruncateTowardZero)
{
    const std::vector<IndexKey> rising = {{0.0f, kLinear, 0}, {1.0f, kLinear, 3}};
    EXPECT_EQ((Evaluate<IndexKey, SInt32>(rising, 0.9f)), 2);
    EXPECT_EQ((Evaluate<IndexKey, SInt32>(rising, 1.0f)), 3);
    EXPECT_EQ((Evaluate<IndexKey, SInt32>(rising, -0.5f)), -1);
    const std::vector<IndexKey> falling = {{0.0f, kLinear, 3}, {1.0f, kLinear, 0}};
    EXPECT_EQ((Evaluate<IndexKey, SInt32>(falling, 0.5f)), 1);
}

TEST(AnimationEvaluatorTest, IndexTracksSaturateFarBeforeTheFirstKey)
{
    // Far outside the segment the mixed value leaves the SInt32 range.
    const std::vector<IndexKey> keys = {{0.0f, kLinear, 0}, {1.0f, kLinear, 1000}};
    EXPECT_EQ((Evaluate<IndexKey, SInt32>(keys, -1.0e9f)), INT_MIN);
    const std::vector<IndexKey> falling = {{0.0f, kLinear, 1000}, {1.0f, kLinear, 0}};
    EXPECT_EQ((Evaluate<IndexKey, SInt32>(falling, -1.0e9f)), INT_MAX);
}

TEST(AnimationEvaluatorTest, BlendsColoursAndScalingComponentWise)
{
    const std::vector<ColorKey> colors = {{0.0f, kLinear, {0.0f, 1.0f, 0.5f, 0.0f}},
                                          {2.0f, kLinear, {1.0f, 0.0f, 0.5f, 1.0f}}};
    const Color color = Evaluate<ColorKey, Color>(colors, 0.5f);
    EXPECT_EQ(color.red, 0.25f);
    EXPECT_EQ(color.green, 0.75f);
    EXPECT_EQ(color.blue, 0.5f);
    EXPECT_EQ(color.alpha, 0.25f);

    const std::vector<ScalingKey> scaling = {{0.0f, kLinear, 1.0f, 2.0f, 4.0f}, {1.0f, kLinear, 3.0f, 2.0f, 0.0f}};
    EXPECT_EQ((Evaluate<ScalingKey, Math::Vector<float>>(scaling, 0.5f, Math::Vector<float>(9, 9, 9, 9))),
              Math::Vector<float>(2.0f, 2.0f, 2.0f, 0.0f));
    EXPECT_EQ((Evaluate<ScalingKey, Math::Vector<float>>(scaling, 4.0f, Math::Vector<float>(9, 9, 9, 9))),
              Math::Vector<float>(3.0f, 2.0f, 0.0f, 0.0f));
}

// A matrix with every element set to a marker, to see which elements a track writes.
Math::Matrix<float> MarkedMatrix()
{
    Math::Matrix<float> matrix;
    for (UInt32 i = 0; i < 16; ++i)
        matrix[i] = 100.0f + Float(i);
    return matrix;
}

TEST(AnimationEvaluatorTest, PositionTracksWriteOnlyTheTranslation)
{
    const std::vector<PositionKey> keys = {{0.0f, kLinear, 0.0f, 0.0f, 0.0f}, {1.0f, kLinear, 2.0f, 4.0f, -8.0f}};
    const Math::Matrix<float> matrix = Evaluate<PositionKey, Math::Matrix<float>>(keys, 0.25f, MarkedMatrix());
    for (UInt32 i = 0; i < 12; ++i)
        EXPECT_EQ(matrix[i], 100.0f + Float(i)) << i;
    EXPECT_EQ(matrix[12], 0.5f);
    EXPECT_EQ(matrix[13], 1.0f);
    EXPECT_EQ(matrix[14], -2.0f);
    EXPECT_EQ(matrix[15], 115.0f);
}

// The rotation part about the unit axis, from the table sine and cosine.
void ExpectRotation(const Math::Matrix<float>& m, Float x, Float y, Float z, Float angle)
{
    const Float s = Math::Sin(angle);
    const Float c = Math::Cos(angle);
    const Float k = 1.0f - c;
    const Float expected[9] = {x * x * k + c,     x * y * k + z * s, x * z * k - y * s,
                               x * y * k - z * s, y * y * k + c,     y * z * k + x * s,
                               x * z * k + y * s, y * z * k - x * s, z * z * k + c};
    const UInt32 elements[9] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (UInt32 i = 0; i < 9; ++i)
        EXPECT_FLOAT_EQ(m[elements[i]], expected[i]) << "element " << elements[i];
    for (UInt32 untouched : {3u, 7u, 11u, 12u, 13u, 14u, 15u})
        EXPECT_EQ(m[untouched], 100.0f + Float(untouched)) << untouched;
}

TEST(AnimationEvaluatorTest, RotationTracksTurnAboutTheBlendedAxis)
{
    const Float quarter = Float(Math::Pi / 2.0);
    const std::vector<RotationKey> keys = {{0.0f, kLinear, 0.0f, 0.0f, 1.0f, 0.0f},
                                           {1.0f, kLinear, 0.0f, 0.0f, 1.0f, quarter}};
    const Math::Matrix<float> middle = Evaluate<RotationKey, Math::Matrix<float>>(keys, 0.5f, MarkedMatrix());
    ExpectRotation(middle, 0.0f, 0.0f, 1.0f, quarter / 2.0f);
    EXPECT_NEAR(middle[0], std::sqrt(0.5), 1e-3);
    EXPECT_NEAR(middle[1], std::sqrt(0.5), 1e-3);

    const Math::Matrix<float> held = Evaluate<RotationKey, Math::Matrix<float>>(keys, 3.0f, MarkedMatrix());
    ExpectRotation(held, 0.0f, 0.0f, 1.0f, quarter);

    // The blended axis is normalised: half-way from x to y is the diagonal.
    const std::vector<RotationKey> turning = {{0.0f, kLinear, 1.0f, 0.0f, 0.0f, 1.0f},
                                              {1.0f, kLinear, 0.0f, 1.0f, 0.0f, 1.0f}};
    const Float half = Float(std::sqrt(0.5));
    ExpectRotation(Evaluate<RotationKey, Math::Matrix<float>>(turning, 0.5f, MarkedMatrix()), half, half, 0.0f, 1.0f);
}

TEST(AnimationEvaluatorTest, OppositeAxesHalfWayKeepTheFirstKeysAxis)
{
    const std::vector<RotationKey> keys = {{0.0f, kLinear, 0.0f, 0.0f, 1.0f, 1.0f},
                                           {1.0f, kLinear, 0.0f, 0.0f, -1.0f, 2.0f}};
    const Math::Matrix<float> matrix = Evaluate<RotationKey, Math::Matrix<float>>(keys, 0.5f, MarkedMatrix());
    for (UInt32 i = 0; i < 16; ++i)
        EXPECT_FALSE(std::isnan(matrix[i])) << i;
    ExpectRotation(matrix, 0.0f, 0.0f, 1.0f, 1.5f);
}

} // namespace
} // namespace Graph
} // namespace Vorn
