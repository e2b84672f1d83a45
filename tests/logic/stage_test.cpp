#include "logic/stage.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/switch.h"
#include "graph/time/timeline.h"
#include "logic/stage_processor.h"
#include "logic/stage_timeline.h"
#include "tests/support/recording_logic.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Logic {
namespace {

using Testing::RecordingProcessor;
using Testing::RecordingStage;
using Testing::Trace;

// A stage processor over a switch "/stages" (children "menu" and "game") and a graph timeline
// "/intro", stepped as the logic thread does: the processors, then the graph's logic pass, in
// steps of 0.5 s.
class StageTest : public Testing::ViewSceneFixture, protected Testing::LogicServices
{
protected:
    void SetUp() override
    {
        ASSERT_NE(Scene("<Switch id='stages'><Node id='menu'/><Node id='game'/></Switch><Timeline id='intro'/>"),
                  nullptr);
        mEngineState->SetGraphRoot(mRoot.get());
        mClock.mStepDuration = 0.5;
        mProcessLogicState.Begin();
        mProcessor.SetSwitchNodeName(String("/stages"));
    }
    void TearDown() override { mProcessor.DeInit(mState); }

    // A recording stage added to the processor; with a timeline, intro 0 to 1 s and outro 1 to 2 s.
    RecordingStage* AddStage(const char* name, const char* switchChild, Bool timeline)
    {
        mStages.push_back(std::make_unique<RecordingStage>(&mLogicFactory, &mTrace, name, switchChild));
        IStage* stage = mStages.back()->GetStage();
        EXPECT_TRUE(mProcessor.AddStage(stage));
        if (timeline) {
            EXPECT_TRUE(stage->CreateStageTimeline(mState, String("/intro"), 1.0f, 2.0f));
        }
        return mStages.back().get();
    }
    void Step()
    {
        mProcessor.Step(mState);
        ASSERT_TRUE(RunLogic());
    }
    // The run state after each of count steps.
    std::vector<SInt32> RunStates(IStage* stage, UInt32 count)
    {
        std::vector<SInt32> states;
        for (UInt32 i = 0; i < count; ++i) {
            Step();
            states.push_back(stage->GetRunState());
        }
        return states;
    }
    Graph::Switch* Switch()
    {
        return Find<Graph::Switch>(dynamic_cast<Graph::INamespace*>(mTop->GetChild(0)), "/stages");
    }

    StageProcessor mProcessor;
    Trace mTrace;
    std::vector<std::unique_ptr<RecordingStage>> mStages;
    std::vector<std::unique_ptr<RecordingProcessor>> mChildren;
};

// Where the run-state callback falls against the stage's own step ("self") and its child.
struct StepOrderCase
{
    SInt32 mOrder;
    std::vector<const char*> mPattern;
};

class StageCycleTest : public StageTest, public ::testing::WithParamInterface<StepOrderCase>
{
};

TEST_P(StageCycleTest, WalksTheRunStatesWithTheirCallbacks)
{
    RecordingStage* stage = AddStage("menu", "menu", true);
    mChildren.push_back(std::make_unique<RecordingProcessor>(&mLogicFactory, &mTrace, "child"));
    stage->GetProcessor()->AddChild(mChildren.back()->GetProcessor());
    stage->GetStage()->SetStepOrder(GetParam().mOrder);
    ASSERT_TRUE(mProcessor.Init(mState));
    mTrace.clear();

    EXPECT_TRUE(mProcessor.StartStage(String("menu")));
    EXPECT_EQ(RunStates(stage->GetStage(), 5), (std::vector<SInt32>{2, 2, 3, 4, 4}));
    EXPECT_EQ(Switch()->GetIndex(), 0);
    EXPECT_TRUE(mProcessor.StopStage(String("menu")));
    EXPECT_EQ(RunStates(stage->GetStage(), 4), (std::vector<SInt32>{6, 6, 0, 0}));

    Trace expected;
    for (const char* callback : {"OnStageStart", "OnStageStarting", "OnStageStarting", "OnStageStarted",
                                 "OnStageRunning", "OnStageStop", "OnStageStopping", "OnStageStopping"}) {
        for (const char* part : GetParam().mPattern) {
            const std::string name = part;
            if (name == "callback") {
                expected.push_back("menu.OnStageStep");
                expected.push_back(std::string("menu.") + callback);
            } else {
                expected.push_back(name);
            }
        }
    }
    // The step that ends the cycle steps the stage once more, which then sees OnStageIdle.
    for (const char* part : GetParam().mPattern) {
        const std::string name = part;
        if (name == "callback") {
            expected.push_back("menu.OnStageStep");
            expected.push_back("menu.OnStageIdle");
        } else {
            expected.push_back(name);
        }
    }
    Trace steps;
    for (const std::string& call : mTrace) {
        if (call.find("Animate") == std::string::npos && call.find("AfterChildren") == std::string::npos)
            steps.push_back(call);
    }
    EXPECT_EQ(steps, expected);
}

INSTANTIATE_TEST_SUITE_P(Orders, StageCycleTest,
                         ::testing::Values(StepOrderCase{0, {"callback", "menu.OnStep", "child.OnStep"}},
                                           StepOrderCase{1, {"menu.OnStep", "callback", "child.OnStep"}},
                                           StepOrderCase{2, {"menu.OnStep", "child.OnStep", "callback"}}));

TEST_F(StageTest, AStopRequestedFromTheStartedStepWins)
{
    RecordingStage* stage = AddStage("menu", "menu", true);
    ASSERT_TRUE(mProcessor.Init(mState));
    stage->mOnCallback = [stage](const std::string& call) {
        if (call == "OnStageStarted")
            stage->GetStage()->RequestStop();
    };
    mProcessor.StartStage(String("menu"));
    EXPECT_EQ(RunStates(stage->GetStage(), 5), (std::vector<SInt32>{2, 2, 3, 5, 6}));
}

TEST_F(StageTest, WithoutAStageTimelineTheTimedStatesAreNeverLeft)
{
    RecordingStage* stage = AddStage("menu", "", false);
    ASSERT_TRUE(mProcessor.Init(mState));
    EXPECT_FALSE(mProcessor.StartStage(String("menu"), 0.0f, 1.0f));
    EXPECT_EQ(RunStates(stage->GetStage(), 3), (std::vector<SInt32>{2, 2, 2}));
    EXPECT_FALSE(mProcessor.StopStage(String("menu"), 2.0f));
    EXPECT_EQ(RunStates(stage->GetStage(), 3), (std::vector<SInt32>{6, 6, 6}));
    // An empty switch child name leaves the switch alone.
    EXPECT_EQ(Switch()->GetIndex(), -1);
}

TEST_F(StageTest, ANegativeIntroStartsNothingAndTheStageGoesOnAtOnce)
{
    RecordingStage* stage = AddStage("game", "game", true);
    ASSERT_TRUE(mProcessor.Init(mState));
    EXPECT_TRUE(mProcessor.StartStage(String("game"), -1.0f, 1.0f));
    EXPECT_FALSE(stage->GetStage()->GetStageTimeline()->PlayIntro());
    EXPECT_EQ(RunStates(stage->GetStage(), 2), (std::vector<SInt32>{2, 3}));
    EXPECT_FALSE(mProcessor.IsStageTimelineRunning());
    EXPECT_EQ(Switch()->GetIndex(), 1);

    // Starting a started stage changes only its intro times.
    EXPECT_TRUE(mProcessor.StartStage(String("game"), 0.25f, 0.75f));
    EXPECT_EQ(stage->GetStage()->GetRunState(), 3);
    EXPECT_EQ(stage->GetStage()->GetStageTimeline()->GetIntroBegin(), 0.25f);
    EXPECT_EQ(stage->GetStage()->GetStageTimeline()->GetIntroEnd(), 0.75f);
}

TEST_F(StageTest, IdleStagesAreNeitherSteppedNorAnimated)
{
    RecordingStage* stage = AddStage("menu", "menu", true);
    ASSERT_TRUE(mProcessor.Init(mState));
    mTrace.clear();
    Step();
    mProcessor.Animate(mState);
    EXPECT_TRUE(mTrace.empty());

    mProcessor.StartStage(String("menu"));
    Step();
    mTrace.clear();
    mProcessor.Animate(mState);
    EXPECT_EQ(mTrace, (Trace{"menu.OnStageAnimate", "menu.OnAnimate"}));
    stage->GetStage()->SetStepOrder(2);
    mTrace.clear();
    mProcessor.Animate(mState);
    EXPECT_EQ(mTrace, (Trace{"menu.OnAnimate", "menu.OnStageAnimate"}));
}

TEST_F(StageTest, ADisabledStageMovesThroughItsStatesSilently)
{
    RecordingStage* stage = AddStage("menu", "menu", true);
    ASSERT_TRUE(mProcessor.Init(mState));
    stage->GetProcessor()->SetEnabled(false);
    mTrace.clear();
    mProcessor.StartStage(String("menu"));
    EXPECT_EQ(RunStates(stage->GetStage(), 4), (std::vector<SInt32>{2, 2, 3, 4}));
    mProcessor.Animate(mState);
    EXPECT_TRUE(mTrace.empty());
}

TEST_F(StageTest, MissingSwitchChildIsLoggedAndTheStageStarts)
{
    RecordingStage* stage = AddStage("menu", "nothere", true);
    ASSERT_TRUE(mProcessor.Init(mState));
    mProcessor.StartStage(String("menu"));
    ::testing::internal::CaptureStderr();
    Step();
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::StageProcessor::StepSelf(): Stage \"menu\" Switch child \"nothere\" not found"),
              std::string::npos)
        << log;
    EXPECT_EQ(stage->GetStage()->GetRunState(), 2);
}

TEST_F(StageTest, MissingSwitchNodeOrFailingStageFailsInit)
{
    RecordingStage* stage = AddStage("menu", "menu", false);
    mProcessor.SetSwitchNodeName(String("/none"));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mProcessor.Init(mState));
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::StageProcessor::InitSelf(): Switch node \"/none\" not found"), std::string::npos)
        << log;
    mProcessor.DeInit(mState);

    mProcessor.SetSwitchNodeName(String("/stages"));
    stage->mInitResult = false;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mProcessor.Init(mState));
    ::testing::internal::GetCapturedStderr();
}

TEST_F(StageTest, UnknownNamesAndNullsAreRefused)
{
    RecordingStage* stage = AddStage("menu", "menu", false);
    IStage* engineStage = stage->GetStage();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mProcessor.StartStage(String("credits")));
    EXPECT_FALSE(mProcessor.StopStage(String("credits"), 0.0f, 1.0f));
    EXPECT_EQ(mProcessor.GetStage(String("credits")), nullptr);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::StageProcessor::GetStage(): \"credits\" Stage object not found"), std::string::npos)
        << log;
    EXPECT_EQ(mProcessor.GetStage(String("menu")), engineStage);

    EXPECT_FALSE(mProcessor.AddStage(nullptr));
    EXPECT_FALSE(mProcessor.AddStage(engineStage));
    EXPECT_FALSE(mProcessor.InitStage(mState, nullptr));
    EXPECT_FALSE(mProcessor.DeInitStage(mState, nullptr));
    EXPECT_FALSE(engineStage->SetStageTimeline(nullptr));
    EXPECT_FALSE(engineStage->CreateStageTimeline(nullptr, String("/intro"), 1.0f, 2.0f));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(engineStage->CreateStageTimeline(mState, String("/stages"), 1.0f, 2.0f));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(engineStage->GetStageTimeline(), nullptr);

    // The run-state requests only act from the states they are meant for.
    EXPECT_FALSE(engineStage->RequestStop());
    EXPECT_FALSE(engineStage->ResetRunState());
    EXPECT_TRUE(engineStage->RequestStart());
    EXPECT_FALSE(engineStage->RequestStart());
    EXPECT_TRUE(engineStage->ResetRunState());
    EXPECT_TRUE(engineStage->IsIdle());
}

TEST_F(StageTest, StagesAreInitialisedWithTheProcessorAndTakenOutOneByOne)
{
    RecordingStage* menu = AddStage("menu", "menu", true);
    RecordingStage* game = AddStage("game", "game", false);
    ASSERT_TRUE(mProcessor.Init(mState));
    EXPECT_EQ(mTrace, (Trace{"menu.OnStageInit", "game.OnStageInit"}));

    // A stage timeline given from outside replaces the own one.
    StageTimeline shared;
    EXPECT_TRUE(menu->GetStage()->SetStageTimeline(&shared));
    EXPECT_EQ(menu->GetStage()->GetStageTimeline(), &shared);

    mTrace.clear();
    EXPECT_TRUE(mProcessor.DeInitStage(mState, menu->GetStage()));
    EXPECT_FALSE(mProcessor.DeInitStage(mState, menu->GetStage()));
    EXPECT_EQ(mTrace, (Trace{"menu.OnStageDeInit", "menu.OnStageDeInit"}));
    EXPECT_EQ(menu->GetStage()->GetStageTimeline(), nullptr);
    EXPECT_TRUE(mProcessor.InitStage(mState, menu->GetStage()));
    EXPECT_EQ(game->GetStage()->GetName(), String("game"));
}

TEST(BaseStageProcessorTest, MakesItsStageProcessorAndServesAsItsAppProcessor)
{
    Factory factory;
    Testing::Trace trace;
    BaseStageProcessor root(&factory);
    ASSERT_NE(root.GetStageProcessor(), nullptr);
    EXPECT_EQ(root.GetProcessor(), root.GetStageProcessor()->GetProcessor());
    RecordingStage stage(&factory, &trace, "menu", "menu");
    EXPECT_EQ(stage.GetProcessor(), stage.GetStage()->GetProcessor());
    EXPECT_EQ(stage.GetStage()->GetSwitchChildName(), String("menu"));
}

} // namespace
} // namespace Logic
} // namespace Vorn
