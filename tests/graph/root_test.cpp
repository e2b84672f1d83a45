#include "graph/root.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "graph/finish_logic_state.h"
#include "graph/namespace.h"
#include "graph/output_states.h"
#include "graph/processable.h"
#include "graph/structure/container.h"
#include "tests/support/fake_view.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// A view that is also a node, as the container view below the top namespace is.
class ViewNode : public Node, public Testing::FakeView
{
};

// Records its calls into a shared log and answers as told.
class Processable : public IProcessable
{
public:
    Processable(std::vector<int>* log, int number) : mLog(log), mNumber(number) {}
    Bool Process(IFinishLogicState*) override
    {
        mLog->push_back(mNumber);
        return mResult;
    }
    std::vector<int>* mLog;
    int mNumber;
    Bool mResult = true;
};

// Records the visit order of the output passes into a shared log.
class OrderedView : public Testing::FakeView
{
public:
    OrderedView(std::vector<std::string>* log, const char* name) : mLog(log), mName(name) {}
    Bool CullOutput(ICullOutputState* state) override
    {
        mLog->push_back(std::string("cull:") + mName);
        return FakeView::CullOutput(state);
    }
    Bool EnqueueOutput(IEnqueueOutputState* state) override
    {
        mLog->push_back(std::string("enqueue:") + mName);
        return FakeView::EnqueueOutput(state);
    }
    std::vector<std::string>* mLog;
    const char* mName;
};

TEST(RootTest, RefusesATopNodeThatIsNotANamespace)
{
    Container top;
    ViewNode view;
    top.AddChild(&view);
    Root root(&top);
    Testing::SceneServices services;

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(root.Init(&services.mInitState));
    EXPECT_EQ(root.FindNode(String("a")), nullptr);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Root::Init(): Root node is not a namespace"), std::string::npos);
    EXPECT_NE(log.find("Graph::Root::FindNode(): Root node is not a namespace"), std::string::npos);
    EXPECT_EQ(top.GetFlags() & Node::kInitialized, 0u);
}

TEST(RootTest, RefusesANamespaceWithoutAContainerViewEvenIfOneIsAddedLater)
{
    Testing::SceneServices services;
    Namespace empty;
    Root emptyRoot(&empty);
    Namespace withContainer;
    Container notAView;
    withContainer.AddChild(&notAView);
    Root containerRoot(&withContainer);
    ViewNode view;
    empty.AddChild(&view);

    for (Root* root : {&emptyRoot, &containerRoot}) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(root->Init(&services.mInitState));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "Graph::Root::Init(): Root node does not have a container view\n");
    }
    EXPECT_EQ(emptyRoot.GetContainerView(), nullptr);
    EXPECT_EQ(containerRoot.GetContainerView(), &notAView);
    EXPECT_EQ(empty.GetFlags() & Node::kInitialized, 0u);
}

TEST(RootTest, InitialisesTheTopNamespaceAndFindsNodesUnderTheLock)
{
    Testing::SceneServices services;
    Namespace top;
    ViewNode view;
    view.SetId(String("root"));
    top.AddChild(&view);
    Root root(&top);
    services.mInitState.SetRoot(&root);
    services.mDeInitState.SetRoot(&root);

    EXPECT_EQ(root.GetRootNode(), &top);
    EXPECT_EQ(root.GetContainerView(), &view);
    ASSERT_TRUE(root.Init(&services.mInitState));
    INode* found = root.FindNode(String("root"));
    EXPECT_EQ(found, &view);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(view.GetReferenceCount(), 1u);
    found->RemoveReference();
    EXPECT_TRUE(root.DeInit(&services.mDeInitState));
    EXPECT_EQ(root.FindNode(String("root")), nullptr);
}

TEST(RootTest, FinishLogicStopsAtAFailureKeepingTheListAndForgetsItAfterSuccess)
{
    Namespace top;
    Root root(&top);
    FinishLogicState state(nullptr, nullptr);
    state.SetRoot(&root);
    std::vector<int> log;
    Processable first(&log, 1);
    Processable second(&log, 2);
    Processable third(&log, 3);
    second.mResult = false;
    root.AddProcessable(&first);
    root.AddProcessable(&second);
    root.AddProcessable(&third);

    EXPECT_FALSE(root.FinishLogic(&state));
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    EXPECT_EQ(root.GetProcessables().GetCount(), 3);
    EXPECT_EQ(state.GetCounter(), 1u);

    second.mResult = true;
    log.clear();
    state.ResetCounter();
    EXPECT_TRUE(root.FinishLogic(&state));
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(state.GetCounter(), 3u);
    EXPECT_EQ(root.GetProcessables().GetCount(), 0);

    log.clear();
    EXPECT_TRUE(root.FinishLogic(&state));
    EXPECT_TRUE(log.empty());
}

TEST(RootTest, OutputPassesVisitTheRegisteredViewsInOrderAndKeepThem)
{
    Namespace top;
    Root root(&top);
    CullOutputState cullState;
    EnqueueOutputState enqueueState(nullptr, nullptr);
    std::vector<std::string> log;
    OrderedView a(&log, "a");
    OrderedView b(&log, "b");
    OrderedView c(&log, "c");
    root.AddView(&a);
    root.AddView(&b);
    root.AddView(&c);

    EXPECT_TRUE(root.CullOutput(&cullState));
    EXPECT_TRUE(root.EnqueueOutput(&enqueueState));
    EXPECT_EQ(log, (std::vector<std::string>{"cull:a", "cull:b", "cull:c", "enqueue:a", "enqueue:b", "enqueue:c"}));

    log.clear();
    b.mResult = false;
    EXPECT_FALSE(root.CullOutput(&cullState));
    EXPECT_FALSE(root.EnqueueOutput(&enqueueState));
    EXPECT_EQ(log, (std::vector<std::string>{"cull:a", "cull:b", "enqueue:a", "enqueue:b"}));
    EXPECT_EQ(root.GetViews().GetCount(), 3);

    root.ClearViews();
    log.clear();
    EXPECT_TRUE(root.CullOutput(&cullState));
    EXPECT_TRUE(log.empty());
}

TEST(RootTest, LockIsReentrantAndReleasedAfterTheLastUnlock)
{
    Namespace top;
    Root root(&top);
    EXPECT_TRUE(root.Lock());
    EXPECT_TRUE(root.Lock());
    EXPECT_TRUE(root.Unlock());
    EXPECT_TRUE(root.Unlock());

    // Another thread can take it now; joining proves it did not block.
    Bool taken = false;
    std::thread other([&] {
        taken = root.Lock();
        root.Unlock();
    });
    other.join();
    EXPECT_TRUE(taken);
}

TEST(RootTest, ConfigChangedRequestIsAFlag)
{
    Namespace top;
    Root root(&top);
    EXPECT_FALSE(root.IsConfigChangedRequested());
    root.RequestConfigChanged();
    EXPECT_TRUE(root.IsConfigChangedRequested());
    root.ClearConfigChangedRequest();
    EXPECT_FALSE(root.IsConfigChangedRequested());
}

} // namespace
} // namespace Graph
} // namespace Vorn
