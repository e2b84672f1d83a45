#include "graph/animation/animation_evaluators.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "foundation/enums.h"
#include "graph/animation/targets.h"
#include "graph/controller.h"
#include "graph/node.h"
#include "tests/support/fake_animation.h"

namespace Vorn {
namespace Graph {
namespace {

constexpr UInt32 kLinear = UInt32(Enums::InterpolationType::LINEAR);

// A node with a colour set and a volume that records what the evaluators write.
class TargetNode : public Node, public IColored, public IPlayable
{
public:
    void SetColor(UInt32 index, const Color& color) override { mColors.push_back({index, color}); }
    const Color& GetColor(UInt32) const override { return mColor; }
    void SetVolume(Float volume) override { mVolumes.push_back(volume); }
    Float GetVolume() const override { return mVolumes.empty() ? 1.0f : mVolumes.back(); }
    // The sound list is not what the evaluators write.
    void RemoveAllSounds() override {}
    void InsertSound(ISound*, UInt32) override {}
    void AddSound(ISound*) override {}
    ISound* RemoveSoundAt(UInt32) override { return nullptr; }
    ISound* RemoveSound(ISound*) override { return nullptr; }
    const Array<ISound*>& GetSounds() const override { return mSounds; }
    ISound* GetSound(UInt32) override { return nullptr; }
    UInt32 GetNumberOfSounds() const override { return 0; }

    struct ColorWrite
    {
        UInt32 index;
        Color color;
    };
    std::vector<ColorWrite> mColors;
    std::vector<Float> mVolumes;
    Color mColor = {0.0f, 0.0f, 0.0f, 0.0f};
    Array<ISound*> mSounds;
};

TEST(AnimationEvaluatorsTest, CreateFunctionsNeedTheNodeTheAnimationItsKeysAndTheInterface)
{
    Testing::FakeAnimation empty;
    Testing::FakeAnimation full;
    full.mVisible = {{0.0f, kLinear, 1}};
    full.mIndex = {{0.0f, kLinear, 1}};
    full.mVolume = {{0.0f, kLinear, 0.5f}};
    full.mColors[3] = {{0.0f, kLinear, {1.0f, 1.0f, 1.0f, 1.0f}}};
    full.mPosition = {{0.0f, kLinear, 1.0f, 2.0f, 3.0f}};
    full.mScaling = {{0.0f, kLinear, 1.0f, 2.0f, 3.0f}};
    Node plain;
    TargetNode target;

    struct Case
    {
        IController::EvaluatorCreateFunction create;
        INode* owner;
        Bool made;
    };
    const Case cases[] = {
        {&CreateNodeAnimationEvaluator, &plain, true},     {&CreateColorAnimationEvaluator, &target, true},
        {&CreateVolumeAnimationEvaluator, &target, true},  {&CreateColorAnimationEvaluator, &plain, false},
        {&CreateVolumeAnimationEvaluator, &plain, false},  {&CreateTransformAnimationEvaluator, &plain, false},
        {&CreateScaleAnimationEvaluator, &target, false},  {&CreateIndexAnimationEvaluator, &target, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<AnimationEvaluator> made(c.create(c.owner, &full));
        EXPECT_EQ(made != nullptr, c.made);
        if (made != nullptr) {
            EXPECT_EQ(made->GetAnimation(), &full);
        }
        EXPECT_EQ(c.create(c.owner, &empty), nullptr);
        EXPECT_EQ(c.create(c.owner, nullptr), nullptr);
        EXPECT_EQ(c.create(nullptr, &full), nullptr);
    }
}

TEST(AnimationEvaluatorsTest, ColourEvaluatorWritesOnlyTheTracksWithKeys)
{
    Testing::FakeAnimation animation;
    animation.mColors[1] = {{0.0f, kLinear, {0.0f, 0.0f, 0.0f, 1.0f}}, {1.0f, kLinear, {1.0f, 0.5f, 0.0f, 1.0f}}};
    animation.mColors[3] = {{0.0f, kLinear, {0.25f, 0.25f, 0.25f, 0.25f}}};
    TargetNode target;
    std::unique_ptr<AnimationEvaluator> evaluator(CreateColorAnimationEvaluator(&target, &animation));
    ASSERT_NE(evaluator, nullptr);
    EXPECT_TRUE(evaluator->Evaluate(0.5f));
    ASSERT_EQ(target.mColors.size(), 2u);
    EXPECT_EQ(target.mColors[0].index, 1u);
    EXPECT_EQ(target.mColors[0].color.red, 0.5f);
    EXPECT_EQ(target.mColors[0].color.green, 0.25f);
    EXPECT_EQ(target.mColors[0].color.alpha, 1.0f);
    EXPECT_EQ(target.mColors[1].index, 3u);
    EXPECT_EQ(target.mColors[1].color.blue, 0.25f);
}

TEST(AnimationEvaluatorsTest, VolumeEvaluatorWritesTheKeyedVolume)
{
    Testing::FakeAnimation animation;
    animation.mVolume = {{0.0f, kLinear, 1.0f}, {2.0f, kLinear, 0.0f}};
    TargetNode target;
    std::unique_ptr<AnimationEvaluator> evaluator(CreateVolumeAnimationEvaluator(&target, &animation));
    ASSERT_NE(evaluator, nullptr);
    for (Float time : {0.0f, 1.0f, 3.0f})
        evaluator->Evaluate(time);
    EXPECT_EQ(target.mVolumes, (std::vector<Float>{1.0f, 0.5f, 0.0f}));
}

} // namespace
} // namespace Graph
} // namespace Vorn
