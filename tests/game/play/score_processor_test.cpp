#include "game/play/score_processor.h"

#include <gtest/gtest.h>

#include "game/play/score_text.h"
#include "graph/input/button.h"
#include "graph/text.h"
#include "tests/support/play_stage_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class ScoreProcessorTest : public PlayStageFixture
{
protected:
    ScoreProcessorTest() : mProcessor(&mLogicFactory, &mField) {}

    void SetUp() override
    {
        MakeStage();
        mCollection.AddText("texts:game_score_chain", "Chain x");
        mCollection.AddText("texts:game_score_combo", " Combo ");
        mCollection.AddText("texts:game_score_course_remove", "Ring ");
        mCollection.AddText("texts:stage", "Stage ");
        mCollection.AddText("texts:game_score_rings_to_clear", "Rings");
        mEngineState->SetResourceCollection(&mCollection);
        ASSERT_TRUE(mProcessor.GetProcessor()->Init(mState));
    }
    void TearDown() override
    {
        EXPECT_TRUE(mProcessor.GetProcessor()->DeInit(mState));
        PlayStageFixture::TearDown();
    }

    // The text of the pop-up shown last; empty when none shows.
    std::string LastPopup()
    {
        std::string text;
        ScoreTextContainer* texts = mField.GetScoreTextContainer();
        for (UInt32 i = 0; i < texts->GetCount(); ++i) {
            if (texts->IsEntryUsed(i))
                text = Find<Graph::IText>(mScene, ("stage_game/scores" + std::to_string(i) + "/score_text").c_str())
                           ->GetText()
                           .GetText();
        }
        return text;
    }

    ScoreEvent Event(UInt32 type, UInt32 count = 1, UInt32 value = 0)
    {
        ScoreEvent event;
        event.mType = type;
        event.mCount = count;
        event.mValue = value;
        return event;
    }

    ScoreProcessor mProcessor;
};

TEST_F(ScoreProcessorTest, EventsBookPointsPopupsSoundsAndCounters)
{
    const struct
    {
        UInt32 mLevel;
        UInt32 mChain;
        UInt32 mCombo;
        UInt32 mType;
        UInt32 mCount;
        UInt32 mValue;
        UInt32 mPoints;
        const char* mPopup;
        const char* mSound;
        UInt32 mComboAnimals;
    } cases[] = {
        // Zen: no round counter. A chain of 3 removing 3: 200 × 12.
        {0, 3, 0, 12, 3, 0, 2400, "Chain x3\n2,400", "removeanimals2", 3},
        {0, 7, 0, 12, 1, 0, 500, "Chain x7\n500", "removeanimals2", 1},
        {0, 1, 6, 12, 2, 0, 750, "2 Combo 750", "removeanimals2", 2},
        {0, 1, 0, 12, 10, 0, 6000, "6,000", "removeanimals1", 10},
        {0, 1, 0, 13, 2, 0, 75, "75", "removeanimals1", 4},
        {0, 1, 0, 16, 4, 0, 1000, "1,000", nullptr, 4},
        {0, 1, 0, 12, 0, 0, 0, "", nullptr, 0},
        {0, 1, 0, 9, 1, 5000, 5000, "Ring 5,000", nullptr, 0},
        {0, 1, 0, 11, 1, 0, 500, "500", "pop", 0},
        {0, 1, 0, 14, 1, 0, 100, "100", "icebreak", 0},
        {0, 1, 0, 7, 1, 0, 0, "", "donk", 0},
        {0, 1, 0, 8, 1, 0, 0, "", "donk3", 0},
        // A campaign level of the first round.
        {1, 1, 0, 12, 3, 0, 200, "200", "removeanimals1", 3},
        {1, 1, 0, 15, 1, 0, 150, "150", nullptr, 0},
    };
    for (const auto& c : cases) {
        Game()->SetLevel(c.mLevel, true);
        mField.GetScoreTextContainer()->ReleaseAll();
        mProcessor.AddScoreEvent(Event(2), nullptr); // k back to 0
        Game()->ClearComboAnimals();
        Game()->ClearComboCounter();
        Game()->ResetChainCounter();
        for (UInt32 i = 1; i < c.mChain; ++i)
            Game()->IncrementChainCounter();
        for (UInt32 i = 0; i < c.mCombo; ++i)
            Game()->IncrementComboCounter();
        for (const char* const* name = PlaySoundNames(); *name != nullptr; ++name)
            TakeSound(*name);
        EXPECT_EQ(mProcessor.AddScoreEvent(Event(c.mType, c.mCount, c.mValue), &mCollection), c.mPoints) << c.mType;
        EXPECT_EQ(LastPopup(), c.mPopup) << c.mType << " " << c.mPoints;
        if (c.mSound != nullptr) {
            EXPECT_TRUE(TakeSound(c.mSound)) << c.mType << " " << c.mSound;
        }
        EXPECT_EQ(Game()->GetComboAnimals(), c.mComboAnimals) << c.mType;
    }
}

TEST_F(ScoreProcessorTest, CounterEventsMoveTheGameStateCounters)
{
    Game()->SetLevel(0, true);
    mProcessor.AddScoreEvent(Event(0), nullptr);
    mProcessor.AddScoreEvent(Event(3), nullptr);
    mProcessor.AddScoreEvent(Event(3), nullptr);
    mProcessor.AddScoreEvent(Event(4), nullptr);
    EXPECT_EQ(Game()->GetRun().GetCounter(1), 1u);
    EXPECT_EQ(Game()->GetRun().GetCounter(2), 2u);
    EXPECT_EQ(Game()->GetRun().GetCounter(3), 1u);
    EXPECT_EQ(Game()->GetComboCounter(), 2u);
    EXPECT_EQ(Game()->GetChainCounter(), 2u);
    mProcessor.AddScoreEvent(Event(5), nullptr);
    EXPECT_EQ(Game()->GetComboCounter(), 0u);
    EXPECT_EQ(Game()->GetChainCounter(), 1u);
    EXPECT_TRUE(TakeSound("donk3"));
    EXPECT_EQ(LastPopup(), "");
}

TEST_F(ScoreProcessorTest, TheStepBooksTheQueueAndWritesTheBarOnlyOnChange)
{
    Game()->SetLevel(3, true);
    Game()->SetPlayState(5);
    Game()->AddScoreEvent() = Event(12, 4);
    Game()->AddScoreEvent() = Event(11);
    Step(mProcessor);
    EXPECT_EQ(Game()->GetRunScore(), 1000u);
    EXPECT_TRUE(Game()->GetScoreEvents().IsEmpty());
    auto* score = static_cast<CountingText*>(mProcessor.GetText(ScoreProcessor::kValueScore));
    auto* stage = static_cast<CountingText*>(mProcessor.GetText(ScoreProcessor::kWordStage));
    auto* rings = static_cast<CountingText*>(mProcessor.GetText(ScoreProcessor::kValueRings));
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(std::string(score->GetText().GetText()), "1,000");
    EXPECT_EQ(std::string(stage->GetText().GetText()), "Stage 3");
    EXPECT_EQ(std::string(rings->GetText().GetText()), "0");
    EXPECT_TRUE(Find<Graph::IButton>(mScene, "stage_game/scorebar/normal/pause_button")->IsEnabled());
    const UInt32 writes = score->mWrites + stage->mWrites + rings->mWrites;
    Step(mProcessor);
    EXPECT_EQ(score->mWrites + stage->mWrites + rings->mWrites, writes);
    // A new level forgets what the bar shows: the next step writes all three again.
    mProcessor.ResetShownValues();
    Step(mProcessor);
    EXPECT_EQ(score->mWrites + stage->mWrites + rings->mWrites, writes + 3);

    // The finished sign freezes the score; leaving play disables the pause buttons.
    Game()->SetPlayState(13);
    Game()->AddScoreEvent() = Event(11);
    Step(mProcessor);
    EXPECT_EQ(Game()->GetRunScore(), 1500u);
    EXPECT_EQ(std::string(score->GetText().GetText()), "1,000");
    EXPECT_FALSE(Find<Graph::IButton>(mScene, "stage_game/scorebar/normal/pause_button")->IsEnabled());
}

TEST_F(ScoreProcessorTest, TheBackgroundChoosesTheMusic)
{
    const struct
    {
        UInt32 mKind;
        UInt32 mMusic;
    } cases[] = {{0, 3}, {1, 2}, {2, 3}, {3, 4}, {7, 3}};
    for (const auto& c : cases) {
        mProcessor.SetBackground(c.mKind);
        EXPECT_EQ(mProcessor.GetMusic(), c.mMusic) << c.mKind;
    }
    mProcessor.SetBackground(1);
    Game()->SetPlayState(5);
    Step(mProcessor);
    EXPECT_TRUE(TakeSound("beach"));
}

} // namespace
} // namespace App
} // namespace Vorn
