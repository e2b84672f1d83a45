#include "logic/animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorn {
namespace Logic {
namespace {

using Enums::InterpolationType;

// Evaluates a track at a time through its timeline, as a step would.
template <typename T>
const T& ValueAt(Animation<T>& animation, Real time)
{
    animation.GetTimeline()->SetStartTime(time);
    animation.GetTimeline()->Rewind();
    return animation.GetValue();
}

struct FloatCase
{
    Real mTime;
    Float mValue;
};

TEST(AnimationTest, FloatTrackInterpolatesHoldsAndExtrapolates)
{
    Animation<Float> animation;
    animation.AppendKey(0.0f, 10.0f, InterpolationType::LINEAR);
    animation.AppendKey(1.0f, 20.0f, InterpolationType::LINEAR);
    for (const FloatCase& test : std::vector<FloatCase>{{0.25f, 12.5f}, {1.0f, 20.0f}, {2.0f, 20.0f},
                                                        {-1.0f, 0.0f}, {0.0f, 10.0f}})
        EXPECT_FLOAT_EQ(ValueAt(animation, test.mTime), test.mValue) << test.mTime;
}

TEST(AnimationTest, ConstantKeysAndKeysAtOneTimeHoldUntilTheNextKey)
{
    Animation<Float> animation;
    animation.AppendKey(0.0f, 1.0f, InterpolationType::CONSTANT);
    animation.AppendKey(1.0f, 2.0f, InterpolationType::LINEAR);
    animation.AppendKey(1.0f, 5.0f, InterpolationType::LINEAR);
    animation.AppendKey(2.0f, 7.0f, InterpolationType::LINEAR);
    for (const FloatCase& test : std::vector<FloatCase>{{0.0f, 1.0f}, {0.99f, 1.0f}, {1.0f, 5.0f}, {1.5f, 6.0f}})
        EXPECT_FLOAT_EQ(ValueAt(animation, test.mTime), test.mValue) << test.mTime;
    // An interpolation value that names no curve behaves as LINEAR.
    animation.ClearKeys();
    animation.AppendKey(0.0f, 0.0f, InterpolationType(12));
    animation.AppendKey(1.0f, 1.0f, InterpolationType::LINEAR);
    EXPECT_FLOAT_EQ(ValueAt(animation, 0.25f), 0.25f);
}

TEST(AnimationTest, UnsignedTrackFallsRoundsAndStaysInRange)
{
    Animation<UInt32> animation;
    animation.AppendKey(0.0f, 10u, InterpolationType::LINEAR);
    animation.AppendKey(1.0f, 0u, InterpolationType::LINEAR);
    EXPECT_EQ(ValueAt(animation, 0.5f), 5u);
    EXPECT_EQ(ValueAt(animation, 0.26f), 7u);
    // Extrapolated past either end of the type's range, the value is held at that end.
    EXPECT_EQ(ValueAt(animation, 2.0f), 0u);
    animation.ClearKeys();
    animation.AppendKey(0.0f, 10u, InterpolationType::LINEAR);
    animation.AppendKey(1.0f, 20u, InterpolationType::LINEAR);
    EXPECT_EQ(ValueAt(animation, -5.0f), 0u);
    animation.ClearKeys();
    animation.AppendKey(0.0f, 0u, InterpolationType::LINEAR);
    animation.AppendKey(1.0f, 4000000000u, InterpolationType::LINEAR);
    EXPECT_EQ(ValueAt(animation, -1.0f), 0u);
    animation.ClearKeys();
    animation.AppendKey(1.0f, 0u, InterpolationType::LINEAR);
    animation.AppendKey(2.0f, 4000000000u, InterpolationType::LINEAR);
    EXPECT_EQ(ValueAt(animation, 3.0f), 4000000000u);
    animation.ClearKeys();
    animation.AppendKey(0.0f, 4000000000u, InterpolationType::LINEAR);
    animation.AppendKey(1.0f, 4294967295u, InterpolationType::LINEAR);
    EXPECT_EQ(ValueAt(animation, 2.0f), 4294967295u);
}

TEST(AnimationTest, VectorTrackBlendsEveryComponentWithOneWeight)
{
    Animation<Math::Vector<float>> animation;
    animation.AppendKey(0.0f, Math::Vector<float>(0.0f, 10.0f, -4.0f, 1.0f), InterpolationType::EASE_IN_OUT);
    animation.AppendKey(2.0f, Math::Vector<float>(2.0f, 20.0f, 4.0f, 1.0f), InterpolationType::LINEAR);
    const Math::Vector<float> value = ValueAt(animation, 1.0f);
    EXPECT_FLOAT_EQ(value.x, 1.0f);
    EXPECT_FLOAT_EQ(value.y, 15.0f);
    EXPECT_FLOAT_EQ(value.z, 0.0f);
    EXPECT_FLOAT_EQ(value.w, 1.0f);
}

// Records the values handed to the hook.
class RecordingAnimation : public Animation<Float>
{
public:
    void OnValueChanged(const Float& value) override { mValues.push_back(value); }
    std::vector<Float> mValues;
};

TEST(AnimationTest, StartsNeedKeysAndTheTimelineDrivesTheValue)
{
    RecordingAnimation animation;
    Timeline* timeline = animation.GetTimeline();
    EXPECT_FALSE(animation.Start());
    EXPECT_FALSE(animation.StartTimeRange(0.0f, 1.0f));
    EXPECT_TRUE(animation.mValues.empty());

    animation.AppendKey(0.0f, 0.0f, InterpolationType::LINEAR);
    EXPECT_EQ(animation.GetNumberOfKeys(), 1u);
    EXPECT_FALSE(animation.StartForward());
    EXPECT_FALSE(timeline->IsRunning());

    animation.AppendKey(1.0f, 4.0f, InterpolationType::LINEAR);
    EXPECT_TRUE(animation.StartForward());
    timeline->Step(0.5);
    timeline->Step(0.5);
    timeline->Step(0.5);
    // Rewind, two moves, and the step after the end.
    EXPECT_EQ(animation.mValues, (std::vector<Float>{0.0f, 2.0f, 4.0f, 4.0f}));

    EXPECT_TRUE(animation.StartBackward());
    EXPECT_EQ(animation.GetValue(), 4.0f);
    timeline->Step(0.25);
    EXPECT_EQ(animation.GetValue(), 3.0f);
    animation.Reset();
    EXPECT_FALSE(timeline->IsRunning());
    EXPECT_EQ(animation.GetValue(), 4.0f);
}

TEST(AnimationTest, RestartRunsOnceOverTheRange)
{
    Animation<Float> animation;
    Timeline* timeline = animation.GetTimeline();
    EXPECT_FALSE(animation.Restart());
    animation.AppendKey(0.0f, 10.0f, InterpolationType::LINEAR);
    animation.AppendKey(2.0f, 30.0f, InterpolationType::LINEAR);
    timeline->SetWrapCount(-1);
    timeline->SetStartTime(1.5f);
    timeline->Rewind();

    // By default from 0 to the last key, evaluated at once, wraps cleared.
    EXPECT_TRUE(animation.Restart());
    EXPECT_EQ(animation.GetValue(), 10.0f);
    EXPECT_TRUE(timeline->IsRunning());
    EXPECT_EQ(timeline->GetWrapCount(), 0);
    timeline->Step(3.0);
    EXPECT_EQ(animation.GetValue(), 30.0f);
    EXPECT_FALSE(timeline->IsRunning());

    EXPECT_TRUE(animation.Restart(1.0f, 1.5f));
    EXPECT_EQ(animation.GetValue(), 20.0f);
    timeline->Step(1.0);
    EXPECT_EQ(animation.GetValue(), 25.0f);
}

TEST(AnimationTest, NoKeysChangeNothing)
{
    Animation<Float> animation;
    EXPECT_EQ(ValueAt(animation, 0.5f), 0.0f);
    animation.AppendKey(0.0f, 3.0f, InterpolationType::LINEAR);
    EXPECT_EQ(ValueAt(animation, 0.5f), 3.0f);
    animation.ClearKeys();
    EXPECT_EQ(ValueAt(animation, 0.5f), 3.0f);
}

} // namespace
} // namespace Logic
} // namespace Vorn
