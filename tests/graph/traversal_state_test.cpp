#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/finish_logic_state.h"
#include "graph/init_state.h"
#include "graph/namespace.h"
#include "graph/output_states.h"
#include "graph/prepare_output_state.h"
#include "graph/process_logic_state.h"
#include "graph/processable.h"
#include "graph/root.h"
#include "graph/service_state.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_view.h"

namespace Vorn {
namespace Graph {
namespace {

typedef Math::Matrix<float> Matrix;
typedef Math::Vector<float> Vector;

// A namespace that answers every path with the node it was given and records the paths asked.
class RecordingNamespace : public INamespace
{
public:
    explicit RecordingNamespace(INode* answer) : mAnswer(answer) {}
    Bool RegisterNode(const String&, INode*) override { return true; }
    Bool UnregisterNode(const String&) override { return true; }
    Bool RegisterSubNamespace(const String&, INamespace*) override { return true; }
    Bool UnregisterSubNamespace(const String&) override { return true; }
    INode* FindNode(const String& path) override
    {
        mPaths.push_back(path.GetText());
        return mAnswer;
    }
    INode* mAnswer;
    std::vector<std::string> mPaths;
};

// A root that is not a Graph::Root.
class OtherRoot : public IRoot
{
public:
    INode* GetRootNode() override { return nullptr; }
    INode* GetContainerView() override { return nullptr; }
    INode* FindNode(const String&) override { return nullptr; }
    void Reserved(UInt32) override {}
    Bool Lock() override { return true; }
    Bool Unlock() override { return true; }
    Bool Init(IInitState*) override { return true; }
    Bool DeInit(IDeInitState*) override { return true; }
    Bool Suspend(IDeInitState*) override { return true; }
    Bool Resume(IInitState*) override { return true; }
    Bool ConfigChanged(IConfigChangedState*) override { return true; }
    Bool ProcessLogic(IProcessLogicState*) override { return true; }
    Bool FinishLogic(IFinishLogicState*) override { return true; }
    Bool PrepareOutput(IPrepareOutputState*) override { return true; }
    Bool CullOutput(ICullOutputState*) override { return true; }
    Bool EnqueueOutput(IEnqueueOutputState*) override { return true; }
    void RequestConfigChanged() override {}
    void ClearConfigChangedRequest() override {}
    Bool IsConfigChangedRequested() const override { return false; }
    void NotifyTopNode() override {}
};

class NullProcessable : public IProcessable
{
public:
    Bool Process(IFinishLogicState*) override { return true; }
};

class NullRenderable : public IRenderable
{
public:
    Bool CullOutput(ICullOutputState*) override { return true; }
    Bool EnqueueOutput(IEnqueueOutputState*) override { return true; }
};

// Distinct service addresses, never dereferenced: the states only hand them out.
struct ServiceAddresses
{
    char slots[8];
    template <typename T>
    T* At(int i)
    {
        return reinterpret_cast<T*>(&slots[i]);
    }
};

TEST(InitStateTest, HandsOutServicesInTheirOwnSlots)
{
    ServiceAddresses s;
    InitState init(s.At<IConfiguration>(0), s.At<Factory>(1), s.At<Input::ITouchableHandler>(2),
                   s.At<Output::IDeviceHandler>(3), s.At<Display::IRenderer>(4), s.At<Audio::IRenderer>(5),
                   s.At<Physics::ISimulator>(6), s.At<Resource::ICollection>(7));
    DeInitState deInit(s.At<IConfiguration>(0), s.At<Factory>(1), s.At<Input::ITouchableHandler>(2),
                       s.At<Output::IDeviceHandler>(3), s.At<Display::IRenderer>(4), s.At<Audio::IRenderer>(5),
                       s.At<Physics::ISimulator>(6), s.At<Resource::ICollection>(7));
    EXPECT_EQ(init.GetConfiguration(), s.At<IConfiguration>(0));
    EXPECT_EQ(init.GetFactory(), s.At<Factory>(1));
    EXPECT_EQ(init.GetInputDeviceHandler(), s.At<Input::ITouchableHandler>(2));
    EXPECT_EQ(init.GetOutputDeviceHandler(), s.At<Output::IDeviceHandler>(3));
    EXPECT_EQ(init.GetDisplayRenderer(), s.At<Display::IRenderer>(4));
    EXPECT_EQ(init.GetAudioRenderer(), s.At<Audio::IRenderer>(5));
    EXPECT_EQ(init.GetPhysicsSimulator(), s.At<Physics::ISimulator>(6));
    EXPECT_EQ(init.GetResourceCollection(), s.At<Resource::ICollection>(7));
    EXPECT_EQ(deInit.GetConfiguration(), s.At<IConfiguration>(0));
    EXPECT_EQ(deInit.GetFactory(), s.At<Factory>(1));
    EXPECT_EQ(deInit.GetInputDeviceHandler(), s.At<Input::ITouchableHandler>(2));
    EXPECT_EQ(deInit.GetOutputDeviceHandler(), s.At<Output::IDeviceHandler>(3));
    EXPECT_EQ(deInit.GetDisplayRenderer(), s.At<Display::IRenderer>(4));
    EXPECT_EQ(deInit.GetAudioRenderer(), s.At<Audio::IRenderer>(5));
    EXPECT_EQ(deInit.GetPhysicsSimulator(), s.At<Physics::ISimulator>(6));
    EXPECT_EQ(deInit.GetResourceCollection(), s.At<Resource::ICollection>(7));
}

TEST(InitStateTest, FindsPathsFromTheCurrentNamespaceOnly)
{
    InitState state(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(state.FindNode(String("a/b")), nullptr);
    EXPECT_EQ(state.GetCurrentNamespace(), nullptr);
    EXPECT_EQ(state.GetRootNamespace(), nullptr);

    Node outerAnswer;
    Node innerAnswer;
    RecordingNamespace outer(&outerAnswer);
    RecordingNamespace inner(&innerAnswer);
    state.PushNamespace(&outer);
    state.PushNamespace(&inner);
    EXPECT_EQ(state.FindNode(String("../x")), &innerAnswer);
    EXPECT_EQ(inner.mPaths, std::vector<std::string>{"../x"});
    EXPECT_TRUE(outer.mPaths.empty());
    EXPECT_EQ(state.GetRootNamespace(), &outer);

    state.PopNamespace();
    EXPECT_EQ(state.GetCurrentNamespace(), &outer);
    EXPECT_EQ(state.FindNode(String("y")), &outerAnswer);
    state.PopNamespace();
    state.PopNamespace();
    EXPECT_EQ(state.FindNode(String("y")), nullptr);
}

TEST(InitStateTest, NodeStackCancelFlagAndCounter)
{
    Testing::FakeClock clock;
    clock.mFrameNumber = 7;
    InitState state(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(state.Init(&clock));
    state.Begin();
    EXPECT_EQ(state.GetFrameCount(), 7u);

    Node a;
    Node b;
    EXPECT_EQ(state.GetCurrentNode(), nullptr);
    state.PushNode(&a);
    state.PushNode(&b);
    EXPECT_EQ(state.GetCurrentNode(), &b);
    state.PopNode();
    EXPECT_EQ(state.GetCurrentNode(), &a);

    state.SetCancelled(true);
    EXPECT_TRUE(state.IsCancelled());

    state.IncrementCounter();
    state.IncrementCounter();
    // A pass that failed half-way left a node and a namespace on the stacks.
    RecordingNamespace nameSpace(nullptr);
    state.PushNamespace(&nameSpace);
    state.Begin();
    EXPECT_EQ(state.GetCounter(), 2u);
    EXPECT_EQ(state.GetCurrentNode(), nullptr);
    EXPECT_EQ(state.GetCurrentNamespace(), nullptr);
}

TEST(InitStateTest, OnlyTheConfigChangedCounterRestartsAtBegin)
{
    Testing::FakeClock clock;
    DeInitState deInit(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    ConfigChangedState configChanged(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    deInit.Init(&clock);
    configChanged.Init(&clock);
    deInit.IncrementCounter();
    configChanged.IncrementCounter();
    clock.mFrameNumber = 3;
    deInit.Begin();
    configChanged.Begin();
    EXPECT_EQ(deInit.GetCounter(), 1u);
    EXPECT_EQ(configChanged.GetCounter(), 0u);
    EXPECT_EQ(configChanged.GetFrameCount(), 3u);
}

TEST(ProcessLogicStateTest, TimelineValuesAreZeroOutsideEveryTimeline)
{
    Testing::FakeClock clock;
    ProcessLogicState state(nullptr, nullptr);
    state.Init(&clock);
    EXPECT_EQ(state.GetTimelineTime(), 0.0);
    EXPECT_EQ(state.GetTimelineState(), 0);
    state.SetTimelineTime(2.5);
    state.SetTimelineState(2);
    state.BeginStep();
    EXPECT_EQ(state.GetTimelineTime(), 2.5);
    EXPECT_EQ(state.GetTimelineState(), 2);
}

TEST(ProcessLogicStateTest, FlagsStayForTheRemainingChildrenOfEveryActivatedNode)
{
    const UInt32 justActivated = Node::kJustActivated;
    ProcessLogicState state(nullptr, nullptr);
    state.BeginStep();
    // Two nested just-activated nodes.
    state.PushFlags(justActivated);
    state.PushFlags(justActivated);
    state.PopFlags();
    EXPECT_EQ(state.GetFlags() & justActivated, justActivated);
    state.PopFlags();
    EXPECT_EQ(state.GetFlags(), 0u);

    // An activated node above a plain node: the plain node's children, and its later siblings,
    // still lie below the activated one.
    state.PushFlags(justActivated);
    state.PushFlags(0);
    state.PushFlags(0);
    state.PopFlags();
    EXPECT_EQ(state.GetFlags() & justActivated, justActivated);
    state.PopFlags();
    EXPECT_EQ(state.GetFlags() & justActivated, justActivated);
    state.PopFlags();
    EXPECT_EQ(state.GetFlags(), 0u);
    state.PopFlags();
    EXPECT_EQ(state.GetFlags(), 0u);
}

TEST(ProcessLogicStateTest, EachStepStartsOneStepDurationLater)
{
    Testing::FakeClock clock;
    clock.mNumberOfSteps = 3;
    clock.mLogicTime = 10.0;
    clock.mStepDuration = 0.25;
    clock.mTotalNumberOfSteps = 40;
    clock.mFrameDuration = 0.75;
    clock.mRealTime = 11.0;
    ProcessLogicState process(nullptr, nullptr);
    FinishLogicState finish(nullptr, nullptr);
    process.Init(&clock);
    finish.Init(&clock);
    process.Begin();
    finish.Begin();
    EXPECT_EQ(process.GetNumberOfSteps(), 3u);
    EXPECT_EQ(process.GetStepCount(), 40u);
    EXPECT_EQ(process.GetFrameDuration(), 0.75);
    EXPECT_EQ(process.GetFrameTime(), 11.0);
    std::vector<Double> processTimes;
    std::vector<Double> finishTimes;
    for (UInt32 step = 0; step < 3; ++step) {
        process.BeginStep();
        finish.BeginStep();
        processTimes.push_back(process.GetLogicTime());
        finishTimes.push_back(finish.GetLogicTime());
        finish.EndStep();
        process.EndStep();
    }
    EXPECT_EQ(processTimes, (std::vector<Double>{10.0, 10.25, 10.5}));
    EXPECT_EQ(finishTimes, processTimes);
    // The next frame starts again from the clock.
    clock.Update();
    process.Begin();
    EXPECT_EQ(process.GetLogicTime(), 10.75);
}

TEST(ProcessLogicStateTest, BeginStepClearsTheContextStacks)
{
    Matrix move;
    move.SetTranslation(1.0f, 2.0f, 3.0f);
    const Vector scale(2.0f, 2.0f, 2.0f, 0.0f);
    Testing::FakeView view;
    ProcessLogicState state(nullptr, nullptr);
    state.BeginStep();
    state.PushRelativeTransform(move);
    state.PushRelativeScaleFactor(scale);
    state.PushView(&view);
    state.SetDepthOrder(4);
    state.AddDepthOrder(3);
    state.PushFlags(Node::kJustActivated);
    state.IncrementCounter();
    EXPECT_EQ(state.GetTransform(), move);
    EXPECT_EQ(state.GetScaleFactor(), scale);
    EXPECT_EQ(state.GetCurrentView(), &view);
    EXPECT_EQ(state.GetDepthOrder(), 7);
    state.PopDepthOrder();
    EXPECT_EQ(state.GetDepthOrder(), 4);

    state.BeginStep();
    EXPECT_EQ(state.GetTransform(), Matrix::Identity());
    EXPECT_EQ(state.GetRelativeTransform(), Matrix::Identity());
    EXPECT_EQ(state.GetScaleFactor(), Vector(1.0f, 1.0f, 1.0f, 0.0f));
    EXPECT_EQ(state.GetCurrentView(), nullptr);
    EXPECT_EQ(state.GetDepthOrder(), 0);
    EXPECT_EQ(state.GetFlags(), 0u);
    EXPECT_EQ(state.GetCounter(), 0u);
}

TEST(ProcessLogicStateTest, ResetTransformStartsFromTheIdentity)
{
    Matrix move;
    move.SetTranslation(5.0f, 0.0f, 0.0f);
    Matrix local;
    local.SetTranslation(0.0f, 1.0f, 0.0f);
    ProcessLogicState state(nullptr, nullptr);
    state.BeginStep();
    state.PushRelativeTransform(move);
    state.ResetTransform();
    state.PushRelativeTransform(local);
    EXPECT_EQ(state.GetTransform(), local);
    EXPECT_EQ(state.GetRelativeTransform(), local);
    state.PopTransform();
    state.PopTransform();
    EXPECT_EQ(state.GetTransform(), move);
}

TEST(ProcessLogicStateTest, ProcessablesGoToAGraphRootOnly)
{
    Root root(nullptr);
    OtherRoot other;
    NullProcessable processable;
    ProcessLogicState process(nullptr, nullptr);
    FinishLogicState finish(nullptr, nullptr);
    PrepareOutputState prepare(nullptr);

    process.SetRoot(&other);
    finish.SetRoot(&other);
    prepare.SetRoot(&other);
    EXPECT_EQ(process.GetRoot(), nullptr);
    EXPECT_EQ(finish.GetRoot(), nullptr);
    EXPECT_EQ(prepare.GetRoot(), nullptr);
    process.AddProcessable(&processable);

    process.SetRoot(&root);
    finish.SetRoot(&root);
    EXPECT_EQ(process.GetRoot(), &root);
    EXPECT_EQ(finish.GetRoot(), &root);
    process.AddProcessable(&processable);
    ASSERT_EQ(root.GetProcessables().GetCount(), 1);
    EXPECT_EQ(root.GetProcessables()[0], &processable);
}

TEST(PrepareOutputStateTest, BeginClearsTheRootsViewsAndPushViewRegistersThem)
{
    Testing::FakeClock clock;
    Root root(nullptr);
    Testing::FakeView outer;
    Testing::FakeView inner;
    PrepareOutputState state(nullptr);
    state.Init(&clock);
    state.SetRoot(&root);
    state.Begin();
    state.PushView(&outer);
    state.PushView(&inner);
    EXPECT_EQ(state.GetCurrentView(), &inner);
    state.PopView();
    EXPECT_EQ(state.GetCurrentView(), &outer);
    ASSERT_EQ(root.GetViews().GetCount(), 2);
    EXPECT_EQ(root.GetViews()[0], static_cast<IRenderable*>(&outer));
    EXPECT_EQ(root.GetViews()[1], static_cast<IRenderable*>(&inner));

    state.Begin();
    EXPECT_EQ(root.GetViews().GetCount(), 0);
    EXPECT_EQ(state.GetCurrentView(), nullptr);
}

TEST(PrepareOutputStateTest, BeginWithoutAGraphRootSkipsTheViewList)
{
    OtherRoot other;
    Testing::FakeView view;
    PrepareOutputState state(nullptr);
    state.SetRoot(&other);
    state.Begin();
    state.PushView(&view);
    EXPECT_EQ(state.GetCurrentView(), &view);
}

TEST(PrepareOutputStateTest, RenderablesRegisterWithTheCurrentView)
{
    Matrix move;
    move.SetTranslation(1.0f, 2.0f, 3.0f);
    const Vector scale(3.0f, 3.0f, 3.0f, 0.0f);
    Testing::FakeView view;
    NullRenderable plain;
    NullRenderable placed;
    PrepareOutputState state(nullptr);
    state.Begin();
    // Nothing without a view.
    state.AddRenderable(&plain, false);
    state.AddRenderable(&placed, true);

    state.PushView(&view);
    state.PushRelativeTransform(move);
    state.PushRelativeScaleFactor(scale);
    state.SetDepthOrder(5);
    state.AddRenderable(&plain, false);
    state.AddRenderable(&placed, true);
    state.PopDepthOrder();
    state.PopScaleFactor();
    state.PopTransform();

    // A sibling's own values must not overwrite the registered ones.
    Matrix other;
    other.SetTranslation(9.0f, 9.0f, 9.0f);
    state.PushRelativeTransform(other);
    state.GetTransform();

    ASSERT_EQ(view.mRenderables.size(), 2u);
    EXPECT_EQ(view.mRenderables[0].renderable, &plain);
    EXPECT_FALSE(view.mRenderables[0].placed);
    EXPECT_EQ(view.mRenderables[1].renderable, &placed);
    EXPECT_TRUE(view.mRenderables[1].placed);
    EXPECT_EQ(*view.mRenderables[1].transform, move);
    EXPECT_EQ(*view.mRenderables[1].scale, scale);
    EXPECT_EQ(view.mRenderables[1].depthOrder, 5);
}

TEST(OutputStatesTest, BeginEmptiesStacksAndItemsAndCopiesTheFrame)
{
    Testing::FakeClock clock;
    clock.mFrameNumber = 4;
    clock.mNumberOfSteps = 2;
    clock.mRealTime = 1.5;
    clock.mFrameDuration = 0.5;
    const Matrix transform;
    const Vector scale(1.0f, 1.0f, 1.0f, 0.0f);
    Testing::FakeView view;
    int object = 0;

    CullOutputState cull;
    ASSERT_TRUE(cull.Init(&clock));
    EXPECT_EQ(cull.GetFrameCount(), 4u);
    cull.PushView(&view);
    cull.PushCuller(nullptr);
    cull.PushObject(&object);
    EXPECT_EQ(cull.GetCurrentObject(), &object);
    cull.SetItemValue1(&transform);
    cull.SetItemValue2(&scale);
    cull.SetItemFlag(true);
    cull.IncrementCounter();
    clock.Update();
    cull.Begin();
    EXPECT_EQ(cull.GetFrameCount(), 5u);
    EXPECT_EQ(cull.GetNumberOfSteps(), 2u);
    EXPECT_EQ(cull.GetFrameTime(), 2.0);
    EXPECT_EQ(cull.GetFrameDuration(), 0.5);
    EXPECT_EQ(cull.GetCurrentView(), nullptr);
    EXPECT_EQ(cull.GetCurrentCuller(), nullptr);
    EXPECT_EQ(cull.GetCurrentObject(), nullptr);
    EXPECT_EQ(cull.GetItemValue1(), nullptr);
    EXPECT_EQ(cull.GetItemValue2(), nullptr);
    EXPECT_FALSE(cull.GetItemFlag());
    EXPECT_EQ(cull.GetCounter(), 0u);

    EnqueueOutputState enqueue(nullptr, nullptr);
    ASSERT_TRUE(enqueue.Init(&clock));
    enqueue.PushView(&view);
    enqueue.SetItemValue1(&transform);
    enqueue.SetItemValue2(&scale);
    enqueue.SetItemValue3(9);
    EXPECT_EQ(enqueue.GetItemValue3(), 9);
    enqueue.IncrementCounter();
    enqueue.Begin();
    EXPECT_EQ(enqueue.GetCurrentView(), nullptr);
    EXPECT_EQ(enqueue.GetItemValue1(), nullptr);
    EXPECT_EQ(enqueue.GetItemValue2(), nullptr);
    EXPECT_EQ(enqueue.GetItemValue3(), 0);
    EXPECT_EQ(enqueue.GetCounter(), 0u);

    // Without its clock a state keeps the values it had.
    enqueue.DeInit();
    clock.Update();
    enqueue.Begin();
    EXPECT_EQ(enqueue.GetFrameCount(), 5u);
}

} // namespace
} // namespace Graph
} // namespace Vorn
