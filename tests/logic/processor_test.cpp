#include "logic/child_processor.h"

#include <gtest/gtest.h>

#include "logic/base_child_processor.h"
#include "tests/support/recording_logic.h"

namespace Vorn {
namespace Logic {
namespace {

using Testing::RecordingNode;
using Testing::RecordingProcessor;
using Testing::RecordingStepable;
using Testing::Trace;

class ProcessorTest : public ::testing::Test, protected Testing::LogicServices
{
protected:
    // A parent "p" with the children "a", "b" and "c", added in that order.
    void MakeTree()
    {
        mChildren.clear();
        mParent = std::make_unique<RecordingProcessor>(&mLogicFactory, &mTrace, "p");
        for (const char* name : {"a", "b", "c"}) {
            mChildren.push_back(std::make_unique<RecordingProcessor>(&mLogicFactory, &mTrace, name));
            ASSERT_TRUE(mParent->GetProcessor()->AddChild(mChildren.back()->GetProcessor()));
        }
    }
    IChildProcessor* Parent() { return mParent->GetProcessor(); }
    IChildProcessor* Child(size_t i) { return mChildren[i]->GetProcessor(); }

    Trace mTrace;
    std::unique_ptr<RecordingProcessor> mParent;
    std::vector<std::unique_ptr<RecordingProcessor>> mChildren;
};

TEST_F(ProcessorTest, InitResetsStepablesRunsOnInitThenTheChildrenInOrder)
{
    MakeTree();
    RecordingStepable clock(&mTrace, "clock");
    ASSERT_TRUE(Parent()->AddStepable(&clock));
    ASSERT_TRUE(Parent()->Init(mState));
    EXPECT_EQ(mTrace, (Trace{"clock.Reset", "p.OnInit", "a.OnInit", "b.OnInit", "c.OnInit"}));
}

TEST_F(ProcessorTest, InitFailsOnAnInvalidNodeOrAFailingChildAndStopsThere)
{
    MakeTree();
    RecordingNode missing(&mTrace, "missing", false);
    mParent->mNodes.push_back(&missing);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Parent()->Init(mState));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Logic::ChildProcessor::Init(): InitSelf() failed"),
              std::string::npos);
    EXPECT_EQ(mTrace, (Trace{"p.OnInit"}));

    // A failing child: the ones before it stay initialised, the ones after are not reached.
    MakeTree();
    mTrace.clear();
    mChildren[1]->mInitResult = false;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Parent()->Init(mState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::ChildProcessor::Init(): InitChildren() failed"), std::string::npos) << log;
    EXPECT_EQ(mTrace, (Trace{"p.OnInit", "a.OnInit", "b.OnInit"}));
}

TEST_F(ProcessorTest, DeInitTakesChildrenLastFirstAndReleasesNodesBeforeOnDeInit)
{
    MakeTree();
    RecordingNode node(&mTrace, "node");
    RecordingStepable clock(&mTrace, "clock");
    mParent->mNodes.push_back(&node);
    mParent->mStepables.push_back(&clock);
    ASSERT_TRUE(Parent()->Init(mState));
    mTrace.clear();

    EXPECT_TRUE(Parent()->DeInit(mState));
    EXPECT_EQ(mTrace, (Trace{"c.OnDeInit", "b.OnDeInit", "a.OnDeInit", "node.Remove", "p.OnDeInit"}));
    EXPECT_EQ(Parent()->GetNumberOfChildren(), 0u);
    EXPECT_EQ(Parent()->GetNodeObserver()->GetNumberOfNodes(), 0u);

    // The stepables are gone and a second DeInit reaches no old child.
    mTrace.clear();
    Parent()->Step(mState);
    EXPECT_TRUE(Parent()->DeInit(mState));
    EXPECT_EQ(mTrace, (Trace{"p.OnStep", "p.OnStepAfterChildren", "p.OnDeInit"}));
}

TEST_F(ProcessorTest, DeInitVisitsEverythingAndReportsAnyFailureAtTheEnd)
{
    MakeTree();
    RecordingNode node(&mTrace, "node");
    node.mRemoveResult = false;
    ASSERT_TRUE(Parent()->Init(mState));
    Parent()->AddGraphNode(&node);
    mChildren[2]->mDeInitResult = false;
    mTrace.clear();

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Parent()->DeInit(mState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::ChildProcessor::DeInit(): DeInitChildren() failed"), std::string::npos) << log;
    EXPECT_NE(log.find("Logic::ChildProcessor::DeInit(): DeInitSelf() failed"), std::string::npos) << log;
    EXPECT_EQ(mTrace, (Trace{"c.OnDeInit", "b.OnDeInit", "a.OnDeInit", "node.Remove", "p.OnDeInit"}));
}

TEST_F(ProcessorTest, StepAndAnimateGoDepthFirstAndSkipDisabledTrees)
{
    MakeTree();
    RecordingStepable clock(&mTrace, "clock");
    Child(0)->AddStepable(&clock);
    Child(1)->SetEnabled(false);
    mTrace.clear();

    Parent()->Step(mState);
    EXPECT_EQ(mTrace, (Trace{"p.OnStep", "clock.Step(0.25)", "a.OnStep", "a.OnStepAfterChildren", "c.OnStep",
                             "c.OnStepAfterChildren", "p.OnStepAfterChildren"}));
    mTrace.clear();
    Parent()->Animate(mState);
    EXPECT_EQ(mTrace, (Trace{"p.OnAnimate", "a.OnAnimate", "a.OnAnimateAfterChildren", "c.OnAnimate",
                             "c.OnAnimateAfterChildren", "p.OnAnimateAfterChildren"}));

    // A disabled parent's stepables keep their time and its children are not reached.
    mTrace.clear();
    Parent()->AddStepable(&clock);
    Parent()->SetEnabled(false);
    mTrace.clear();
    Parent()->Step(mState);
    Parent()->Animate(mState);
    EXPECT_TRUE(mTrace.empty());
}

TEST_F(ProcessorTest, SignalsReachDisabledProcessorsAppFirstThenChildren)
{
    MakeTree();
    Parent()->SetEnabled(false);
    mTrace.clear();
    IPackage* package = mLoader.CreatePackage(String("main"), ILoader::kLoadOnRequest, Parent());
    Parent()->SignalPackageWillBeLoaded(mState, package);
    Parent()->SignalPackageWasLoaded(mState, package);
    Parent()->SignalPackageWillBeUnloaded(mState, package);
    Parent()->SignalPackageWasUnloaded(mState, package);
    Parent()->RunStateChanged(mState, Enums::AppRunState::PAUSED, Enums::AppRunState::RUNNING);
    Trace expected;
    for (const char* signal : {"OnPackageWillBeLoaded", "OnPackageWasLoaded", "OnPackageWillBeUnloaded",
                               "OnPackageWasUnloaded", "OnRunStateChanged"}) {
        for (const char* name : {"p", "a", "b", "c"})
            expected.push_back(std::string(name) + "." + signal);
    }
    EXPECT_EQ(mTrace, expected);
}

TEST_F(ProcessorTest, SetEnabledTellsTheAppBeforeTheFlagChangesAndPushesItDown)
{
    MakeTree();
    Parent()->SetEnabled(false);
    EXPECT_EQ(mTrace, (Trace{"p.OnEnabledChanged(false) while enabled", "a.OnEnabledChanged(false) while enabled",
                             "b.OnEnabledChanged(false) while enabled", "c.OnEnabledChanged(false) while enabled"}));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(Child(i)->IsEnabled());
}

TEST_F(ProcessorTest, ChildOperationsRefuseNullAndReportWhatTheyFound)
{
    MakeTree();
    EXPECT_FALSE(Parent()->AddChild(nullptr));
    EXPECT_FALSE(Parent()->InitChild(mState, nullptr));
    EXPECT_FALSE(Parent()->DeInitChild(mState, nullptr));
    EXPECT_EQ(Parent()->GetChild(3), nullptr);
    EXPECT_EQ(Parent()->GetChild(2), Child(2));

    // InitChild adds a child whose Init failed.
    RecordingProcessor late(&mLogicFactory, &mTrace, "late");
    late.mInitResult = false;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(Parent()->InitChild(mState, late.GetProcessor()));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Parent()->GetNumberOfChildren(), 4u);

    // DeInitChild always removes and de-initialises, and is true only when both worked.
    mTrace.clear();
    EXPECT_TRUE(Parent()->DeInitChild(mState, Child(0)));
    EXPECT_FALSE(Parent()->DeInitChild(mState, Child(0)));
    mChildren[1]->mDeInitResult = false;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Parent()->DeInitChild(mState, Child(1)));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(mTrace, (Trace{"a.OnDeInit", "a.OnDeInit", "b.OnDeInit"}));
    EXPECT_EQ(Parent()->GetNumberOfChildren(), 2u);
    EXPECT_EQ(Parent()->GetChild(0), Child(2));
    EXPECT_FALSE(Parent()->RemoveChild(Child(0)));
}

TEST(StepableObserverTest, KeepsEachStepableOnceInOrder)
{
    Trace trace;
    RecordingStepable first(&trace, "first");
    RecordingStepable second(&trace, "second");
    StepableObserver observer;
    EXPECT_FALSE(observer.Add(nullptr));
    EXPECT_TRUE(observer.Add(&first));
    EXPECT_FALSE(observer.Add(&first));
    EXPECT_TRUE(observer.Add(&second));
    observer.ResetAll();
    observer.StepAll(0.5);
    EXPECT_EQ(trace, (Trace{"first.Reset", "second.Reset", "first.Step(0.50)", "second.Step(0.50)"}));
    EXPECT_EQ(observer.GetStepable(2), nullptr);
    EXPECT_FALSE(observer.RemoveAt(2));
    EXPECT_TRUE(observer.Remove(&first));
    EXPECT_FALSE(observer.Remove(&first));
    EXPECT_EQ(observer.GetStepable(0), &second);
    observer.RemoveAll();
    EXPECT_EQ(observer.GetNumberOfStepables(), 0u);
}

TEST(NodeObserverTest, RemovesOneEntryOfANodeListedTwiceAndReportsValidity)
{
    Trace trace;
    RecordingNode node(&trace, "node");
    RecordingNode missing(&trace, "missing", false);
    NodeObserver observer;
    EXPECT_TRUE(observer.AreAllValid());
    EXPECT_FALSE(observer.Add(nullptr));
    EXPECT_TRUE(observer.Add(&node));
    EXPECT_TRUE(observer.Add(&node));
    EXPECT_FALSE(observer.Add(&missing));
    EXPECT_FALSE(observer.AreAllValid());
    EXPECT_EQ(observer.GetValidNode(2), nullptr);
    EXPECT_EQ(observer.GetValidNode(0), &node);
    EXPECT_EQ(observer.GetNode(3), nullptr);

    EXPECT_TRUE(observer.Remove(&node));
    EXPECT_EQ(trace, (Trace{"node.Remove"}));
    EXPECT_EQ(observer.GetNumberOfNodes(), 2u);
    // A release that fails keeps the entry.
    missing.mRemoveResult = false;
    EXPECT_FALSE(observer.Remove(&missing));
    EXPECT_EQ(observer.GetNumberOfNodes(), 2u);
    // RemoveAt takes an entry out without releasing it.
    trace.clear();
    EXPECT_FALSE(observer.RemoveAt(2));
    EXPECT_TRUE(observer.RemoveAt(0));
    EXPECT_TRUE(trace.empty());
    EXPECT_FALSE(observer.RemoveAll());
    EXPECT_EQ(observer.GetNumberOfNodes(), 0u);
}

TEST(BaseChildProcessorTest, AdoptsAProcessorOnlyWhenItOwnsNone)
{
    Factory factory;
    BaseChildProcessor adopting;
    EXPECT_EQ(adopting.GetProcessor(), nullptr);
    ChildProcessor processor;
    adopting.SetProcessor(&processor);
    EXPECT_EQ(adopting.GetProcessor(), &processor);

    BaseChildProcessor owning(&factory);
    IChildProcessor* own = owning.GetProcessor();
    ASSERT_NE(own, nullptr);
    owning.SetProcessor(&processor);
    EXPECT_EQ(owning.GetProcessor(), own);
}

} // namespace
} // namespace Logic
} // namespace Vorn
