#include "game/play/animal_selector.h"

#include "game/play/animal.h"
#include "game/play/play_seed.h"
#include "tests/support/fake_animal_container.h"

#include <gtest/gtest.h>

namespace Vorn {
namespace App {
namespace {

// A counter whose draws are given.
class ScriptedCounter : public AnimalCounter
{
public:
    UInt32 mNextDraw = 0;

protected:
    UInt32 Draw() override { return mNextDraw; }
};

TEST(AnimalCounterTest, IgnoresKindsOutsideTheTable)
{
    AnimalCounter counter;
    EXPECT_EQ(counter.Increment(6), 1u);
    EXPECT_EQ(counter.Increment(6), 2u);
    for (SInt32 kind : {-1, 14, 100}) {
        EXPECT_EQ(counter.Increment(kind), 0u);
        counter.Set(kind, 5);
        EXPECT_EQ(counter.Get(kind), 0u);
    }
    EXPECT_EQ(counter.Get(6), 2u);
    counter.Clear();
    EXPECT_EQ(counter.Get(6), 0u);
}

TEST(AnimalCounterTest, AnyColourAndAnyMatchable)
{
    AnimalCounter counter;
    counter.Set(4, 3);
    EXPECT_FALSE(counter.AnyMatchable());
    counter.Set(5, 1);
    EXPECT_TRUE(counter.AnyMatchable());
    EXPECT_FALSE(counter.AnyColour());
    counter.Set(13, 1);
    EXPECT_TRUE(counter.AnyColour());
}

TEST(AnimalCounterTest, SelectKindIsWeightedByTheTallies)
{
    ScriptedCounter counter;
    counter.Set(6, 1);
    counter.Set(9, 3);
    // r is the high word of draw * total (4): quarter steps of the draw give r = 0 .. 3.
    const struct {
        UInt32 draw;
        SInt32 kind;
    } cases[] = {{0u, 6}, {0x3FFFFFFFu, 6}, {0x40000000u, 9}, {0x80000000u, 9}, {0xFFFFFFFFu, 9}};
    for (const auto& c : cases) {
        counter.mNextDraw = c.draw;
        EXPECT_EQ(counter.SelectKind(6), c.kind) << c.draw;
    }
    EXPECT_EQ(counter.SelectKind(7), 9);
    EXPECT_EQ(counter.SelectKind(10), 14);
    EXPECT_EQ(counter.SelectKind(14), 14);
    counter.Clear();
    EXPECT_EQ(counter.SelectKind(2), 14);
}

TEST(AnimalSelectorTest, ObtainsOnlyKindsThatAreCounted)
{
    Testing::FakeAnimalContainer pool(2);
    AnimalSelector selector(&pool);
    EXPECT_EQ(selector.ObtainColour(), nullptr);
    EXPECT_EQ(pool.mObtainCalls, 0);

    selector.Set(5, 1);
    EXPECT_EQ(selector.ObtainColour(), nullptr);
    Animal* joker = selector.ObtainMatchable();
    ASSERT_NE(joker, nullptr);
    EXPECT_EQ(joker->GetKind(), 5);

    selector.Set(8, 2);
    Animal* colour = selector.ObtainColour();
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->GetKind(), 8);
    EXPECT_EQ(selector.ObtainColour(), nullptr); // the pool is exhausted

    AnimalSelector withoutPool(nullptr);
    withoutPool.Set(8, 1);
    EXPECT_EQ(withoutPool.ObtainColour(), nullptr);
}

TEST(AnimalSelectorTest, AFixedPlaySeedRepeatsTheDraws)
{
    SetPlaySeed(1234);
    AnimalSelector first(nullptr);
    AnimalSelector second(nullptr);
    ClearPlaySeed();
    for (AnimalSelector* selector : {&first, &second})
        for (SInt32 kind = 6; kind < 14; ++kind)
            selector->Set(kind, 1);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(first.SelectKind(6), second.SelectKind(6));
}

} // namespace
} // namespace App
} // namespace Vorn
