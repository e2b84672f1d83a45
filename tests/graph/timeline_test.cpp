#include "graph/time/timeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/probe_node.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// Records the timeline time and state that each logic step hands it.
class TimeProbe : public Testing::ProbeNode
{
public:
    static INode* Create() { return new (std::nothrow) TimeProbe(); }

    std::vector<Double> mTimes;
    std::vector<SInt32> mStates;

protected:
    Bool ProcessLogicSelf(IProcessLogicState* state) override
    {
        mTimes.push_back(state->GetTimelineTime());
        mStates.push_back(state->GetTimelineState());
        return ProbeNode::ProcessLogicSelf(state);
    }
};

class TimelineTest : public Testing::SceneFixture
{
protected:
    TimelineTest()
        : mClasses(mFactory, {{"Timeline", &Timeline::Create}, {"TimeProbe", &TimeProbe::Create}})
    {
        SetStepDuration(0.5);
    }

    void SetStepDuration(Double seconds)
    {
        mClock.mStepDuration = seconds;
        mProcessLogicState.Begin();
    }

    // "<Graph><Namespace>" + body + "</Namespace></Graph>", initialised.
    INamespace* BuildScene(const std::string& body)
    {
        mTop = Build(("<Graph><Namespace>" + body + "</Namespace></Graph>").c_str());
        if (mTop == nullptr || !Init(mTop))
            return nullptr;
        return AsNamespace(mTop->GetChild(0));
    }
    ~TimelineTest() override
    {
        if (mTop != nullptr) {
            EXPECT_TRUE(DeInit(mTop));
        }
    }

    Timeline* FindTimeline(INamespace* scene, const char* id) { return dynamic_cast<Timeline*>(Find(scene, id)); }
    TimeProbe* FindProbe(INamespace* scene, const char* id) { return dynamic_cast<TimeProbe*>(Find(scene, id)); }

    void Steps(UInt32 count)
    {
        for (UInt32 i = 0; i < count; ++i)
            ASSERT_TRUE(ProcessLogic(mTop));
    }

    Testing::NodeClassRegistration mClasses;
    INode* mTop = nullptr;
};

TEST_F(TimelineTest, PlaysOnceAndStopsAtTheEnd)
{
    for (const char* autoRewind : {"false", "true"}) {
        SCOPED_TRACE(autoRewind);
        mTop = nullptr;
        INamespace* scene = BuildScene(std::string("<Timeline id='t' endTime='2' startOnActivate='true' autoRewind='") +
                                       autoRewind + "'><TimeProbe id='p'/></Timeline>");
        ASSERT_NE(scene, nullptr);
        Timeline* timeline = FindTimeline(scene, "t");
        TimeProbe* probe = FindProbe(scene, "p");
        ASSERT_TRUE(timeline != nullptr && probe != nullptr);
        EXPECT_TRUE(timeline->IsRunning());

        Steps(4);
        const Double end = std::string(autoRewind) == "true" ? 0.0 : 2.0;
        EXPECT_EQ(probe->mTimes, (std::vector<Double>{0.5, 1.0, 1.5, end}));
        EXPECT_EQ(probe->mStates, (std::vector<SInt32>{1, 1, 1, 0}));
        EXPECT_FALSE(timeline->IsRunning());
        EXPECT_TRUE(timeline->WasStopped());
        EXPECT_EQ(timeline->GetCurrentTime(), end);

        // The flag lasts until the next step that finds the timeline not running.
        Steps(1);
        EXPECT_FALSE(timeline->WasStopped());
        EXPECT_EQ(probe->mTimes.back(), end);
        EXPECT_TRUE(DeInit(mTop));
    }
    mTop = nullptr;
}

TEST_F(TimelineTest, PlaysTheNumberOfLoopsAndWrapsToTheStart)
{
    struct Case
    {
        SInt32 loops;
        std::vector<Double> times;
    };
    const Case cases[] = {
        {0, {0.5, 1.0}},
        {1, {0.5, 1.0}},
        {2, {0.5, 0.0, 0.5, 1.0}},
        {3, {0.5, 0.0, 0.5, 0.0, 0.5, 1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loops);
        mTop = nullptr;
        INamespace* scene = BuildScene("<Timeline id='t' endTime='1' startOnActivate='true' numberOfLoops='" +
                                       std::to_string(c.loops) + "'><TimeProbe id='p'/></Timeline>");
        ASSERT_NE(scene, nullptr);
        Steps(UInt32(c.times.size()) + 2);
        const std::vector<Double>& seen = FindProbe(scene, "p")->mTimes;
        EXPECT_EQ(std::vector<Double>(seen.begin(), seen.begin() + SInt32(c.times.size())), c.times);
        EXPECT_FALSE(FindTimeline(scene, "t")->IsRunning());
        EXPECT_EQ(seen.back(), 1.0);
        EXPECT_TRUE(DeInit(mTop));
    }
    mTop = nullptr;
}

TEST_F(TimelineTest, NegativeLoopsNeverStop)
{
    SetStepDuration(0.4);
    INamespace* scene =
        BuildScene("<Timeline id='t' endTime='1' numberOfLoops='-1' startOnActivate='true'><TimeProbe id='p'/></Timeline>");
    ASSERT_NE(scene, nullptr);
    Steps(7);
    EXPECT_TRUE(FindTimeline(scene, "t")->IsRunning());
    const std::vector<Double>& times = FindProbe(scene, "p")->mTimes;
    const Double expected[] = {0.4, 0.8, 0.0, 0.4, 0.8, 0.0, 0.4};
    for (UInt32 i = 0; i < 7; ++i)
        EXPECT_NEAR(times[i], expected[i], 1e-9) << i;
    EXPECT_EQ(FindProbe(scene, "p")->mStates, std::vector<SInt32>(7, 1));
}

TEST_F(TimelineTest, RunsBackwardsWhenTheEndIsBeforeTheStart)
{
    INamespace* scene =
        BuildScene("<Timeline id='t' startTime='3' endTime='1' startOnActivate='true'><TimeProbe id='p'/></Timeline>");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(FindTimeline(scene, "t")->GetRemainingTime(), -2.0);
    Steps(4);
    EXPECT_EQ(FindProbe(scene, "p")->mTimes, (std::vector<Double>{2.5, 2.0, 1.5, 1.0}));
    EXPECT_EQ(FindProbe(scene, "p")->mStates, (std::vector<SInt32>{2, 2, 2, 0}));
    EXPECT_FALSE(FindTimeline(scene, "t")->IsRunning());
}

TEST_F(TimelineTest, EqualStartAndEndStopInTheFirstStep)
{
    INamespace* scene = BuildScene("<Timeline id='t'><TimeProbe id='p'/></Timeline>");
    ASSERT_NE(scene, nullptr);
    Timeline* timeline = FindTimeline(scene, "t");
    EXPECT_FALSE(timeline->IsRunning());
    timeline->Start();
    Steps(1);
    EXPECT_FALSE(timeline->IsRunning());
    EXPECT_TRUE(timeline->WasStopped());
    EXPECT_EQ(FindProbe(scene, "p")->mStates, std::vector<SInt32>{0});
}

TEST_F(TimelineTest, IgnoresTimeScalesThatAreNotPositive)
{
    INamespace* scene = BuildScene("<Timeline id='t' timeScale='2' endTime='4'/>");
    ASSERT_NE(scene, nullptr);
    Timeline* timeline = FindTimeline(scene, "t");
    for (Real scale : {0.0f, -1.0f})
        timeline->SetTimeScale(scale);
    EXPECT_EQ(timeline->GetTimeScale(), 2.0f);
    timeline->Start();
    Steps(1);
    EXPECT_EQ(timeline->GetCurrentTime(), 1.0);
}

TEST_F(TimelineTest, RefusesAZeroTimeScale)
{
    mTop = Build("<Graph><Namespace><Timeline id='t' timeScale='0'/></Namespace></Graph>");
    ASSERT_NE(mTop, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(mTop));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::Timeline::InitSelf(t): timeScale must be greater than 0\n", 0), 0u) << log;
}

TEST_F(TimelineTest, ActivationStartsAndDeactivationStops)
{
    INamespace* scene = BuildScene(
        "<Timeline id='t' endTime='10' startOnActivate='true' stopOnDeactivate='true' active='false'/>");
    ASSERT_NE(scene, nullptr);
    Timeline* timeline = FindTimeline(scene, "t");
    EXPECT_FALSE(timeline->IsRunning());
    timeline->SetActive(true);
    EXPECT_TRUE(timeline->IsRunning());
    Steps(2);
    EXPECT_EQ(timeline->GetCurrentTime(), 1.0);
    timeline->SetActive(false);
    EXPECT_FALSE(timeline->IsRunning());
    EXPECT_TRUE(timeline->WasStopped());
    // Activating again runs on from the current time, not from the start.
    timeline->SetActive(true);
    EXPECT_TRUE(timeline->IsRunning());
    EXPECT_EQ(timeline->GetCurrentTime(), 1.0);
    // Setting the same value again changes nothing.
    timeline->Pause();
    timeline->SetActive(true);
    EXPECT_TRUE(timeline->IsPaused());
}

TEST_F(TimelineTest, PausedAndNestedTimelinesHandTheirTimeDown)
{
    INamespace* scene = BuildScene("<TimeProbe id='outside'/>"
                                   "<Timeline id='outer' endTime='10'>"
                                   "<Timeline id='inner' startTime='5' endTime='10'><TimeProbe id='nested'/></Timeline>"
                                   "<TimeProbe id='after'/>"
                                   "</Timeline>");
    ASSERT_NE(scene, nullptr);
    Timeline* outer = FindTimeline(scene, "outer");
    Timeline* inner = FindTimeline(scene, "inner");
    outer->Start();
    inner->Start();
    Steps(2);
    inner->Pause();
    Steps(1);
    EXPECT_TRUE(inner->IsPaused());
    EXPECT_EQ(FindProbe(scene, "outside")->mTimes, (std::vector<Double>{0.0, 0.0, 0.0}));
    EXPECT_EQ(FindProbe(scene, "outside")->mStates, (std::vector<SInt32>{0, 0, 0}));
    EXPECT_EQ(FindProbe(scene, "nested")->mTimes, (std::vector<Double>{5.5, 6.0, 6.0}));
    EXPECT_EQ(FindProbe(scene, "nested")->mStates, (std::vector<SInt32>{1, 1, 0}));
    EXPECT_EQ(FindProbe(scene, "after")->mTimes, (std::vector<Double>{0.5, 1.0, 1.5}));
    EXPECT_EQ(FindProbe(scene, "after")->mStates, (std::vector<SInt32>{1, 1, 1}));
}

TEST_F(TimelineTest, StartAfterTheLastLoopStopsAgainUntilRewound)
{
    INamespace* scene = BuildScene("<Timeline id='t' endTime='1' startOnActivate='true'/>");
    ASSERT_NE(scene, nullptr);
    Timeline* timeline = FindTimeline(scene, "t");
    Steps(2);
    ASSERT_FALSE(timeline->IsRunning());
    timeline->Start();
    Steps(1);
    EXPECT_FALSE(timeline->IsRunning());
    EXPECT_EQ(timeline->GetCurrentTime(), 1.0);

    timeline->Rewind();
    timeline->Start();
    Steps(1);
    EXPECT_TRUE(timeline->IsRunning());
    EXPECT_EQ(timeline->GetCurrentTime(), 0.5);

    timeline->Start(2.0f, 4.0f);
    EXPECT_EQ(timeline->GetCurrentTime(), 2.0);
    EXPECT_EQ(timeline->GetRemainingTime(), 2.0);
    timeline->Stop();
    EXPECT_TRUE(timeline->WasStopped());
    timeline->Reset();
    EXPECT_FALSE(timeline->WasStopped());
    EXPECT_FALSE(timeline->IsRunning());
    EXPECT_EQ(timeline->GetLoopCounter(), 0);
}

} // namespace
} // namespace Graph
} // namespace Vorn
