#include "core/core_loader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/core_package.h"
#include "graph/node.h"
#include "tests/support/package_fixture.h"
#include "tests/support/probe_node.h"
#include "tests/support/processor_recorder.h"

namespace Vorn {
namespace {

using Core::Loader;
using Core::Package;
using Testing::ProcessorRecorder;
typedef std::vector<std::string> Calls;

const char* const kMenuGraph = "<Graph><Namespace id='menu'><Container id='title'/></Namespace></Graph>";

// A node that runs a hook when it is initialised (to act in the middle of a package's InitGraphs).
class HookNode : public Graph::Node
{
public:
    static Graph::INode* Create() { return new HookNode(); }
    static std::function<void()> sOnInit;

protected:
    Bool InitSelf(Graph::IInitState* state) override
    {
        if (sOnInit)
            sOnInit();
        return Graph::Node::InitSelf(state);
    }
};

std::function<void()> HookNode::sOnInit;

// Shows and hides nodes in every Animate, as the game's pointer is each frame.
class BlinkingProcessor : public ProcessorRecorder
{
public:
    explicit BlinkingProcessor(std::vector<Graph::INode*> nodes) : ProcessorRecorder("blinker"), mNodes(nodes) {}
    void Animate(Logic::IState*) override
    {
        for (Graph::INode* node : mNodes)
            node->SetVisible(!node->IsVisible());
    }

private:
    std::vector<Graph::INode*> mNodes;
};

// The logic thread's Animate phase, run without pause beside the test thread: the processors
// animate under the logic state's lock alone, as between the engine's passes.
class AnimatingThread
{
public:
    explicit AnimatingThread(Logic::IEngineState* logicState)
        : mThread([this, logicState] {
              while (!mStop.load()) {
                  logicState->Lock();
                  for (UInt32 i = 0; i < logicState->GetNumberOfProcessors(); ++i)
                      logicState->GetProcessor(i)->Animate(logicState->GetState());
                  logicState->Unlock();
                  mFrames.fetch_add(1);
              }
          })
    {
    }
    ~AnimatingThread()
    {
        mStop.store(true);
        mThread.join();
    }

    // Returns once count more frames were animated after the call.
    void WaitForFrames(UInt32 count)
    {
        const UInt32 until = mFrames.load() + count;
        while (mFrames.load() < until)
            std::this_thread::yield();
    }

private:
    std::atomic<Bool> mStop{false};
    std::atomic<UInt32> mFrames{0};
    std::thread mThread;
};

class LoaderTest : public Testing::LoaderFixture
{
protected:
    LoaderTest() : mClasses(mFactory, {{"Hook", &HookNode::Create}})
    {
        mLogicState->AddProcessor(&mObserver);
        // The engine initialises the root before the first package hangs under it.
        mRoot->Init(&mInitState);
    }
    ~LoaderTest() override
    {
        HookNode::sOnInit = nullptr;
        mLoader.UnloadAllPackages();
        mLogicState->RemoveProcessor(&mObserver);
    }

    // Runs one step and gives the head package's state after it.
    SInt32 Run(Bool (Loader::*step)(), Package* package)
    {
        EXPECT_TRUE((mLoader.*step)());
        return package->GetState();
    }

    // Runs steps until the queue is empty (at most a few rounds of the ten).
    void RunAll()
    {
        static Bool (Loader::*const kSteps[])() = {
            &Loader::ProcessUnloadedPackage,   &Loader::LoadPackageResources, &Loader::InitPackageGraphs,
            &Loader::AddPackagesToInitialize,  &Loader::UnlockInitializedPackages, &Loader::ProcessLoadedPackage,
            &Loader::LockPackagesToRemove,     &Loader::RemovePackagesToDeInitialize, &Loader::DeInitPackageGraphs,
            &Loader::UnloadPackageResources,
        };
        for (int round = 0; round < 8; ++round) {
            for (auto step : kSteps)
                ASSERT_TRUE((mLoader.*step)());
        }
    }

    Testing::NodeClassRegistration mClasses;
    ProcessorRecorder mObserver{"observer"};
};

TEST_F(LoaderTest, LoadAndUnloadWalkTheStatesAtTheirSteps)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres", {{kMenuGraph, ""}});
    ProcessorRecorder logic("logic");
    Package* package = Create("menu.vornres", Loader::kLoadOnRequest, &logic);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(package->GetState(), 17);
    EXPECT_FALSE(package->IsBusy());

    EXPECT_FALSE(package->Load());
    EXPECT_TRUE(package->IsLoading());
    EXPECT_FALSE(package->Load()); // asked again while waiting: nothing more is queued

    struct Step
    {
        Bool (Loader::*mStep)();
        SInt32 mState;
    };
    const Step load[] = {
        {&Loader::ProcessUnloadedPackage, 0},  {&Loader::LoadPackageResources, 2},
        {&Loader::InitPackageGraphs, 4},       {&Loader::AddPackagesToInitialize, 6},
        {&Loader::UnlockInitializedPackages, 8}, {&Loader::ProcessLoadedPackage, 8},
    };
    for (const Step& step : load)
        EXPECT_EQ(Run(step.mStep, package), step.mState);
    EXPECT_FALSE(package->IsBusy());
    EXPECT_TRUE(package->Load());
    EXPECT_TRUE(package->IsLoaded());
    EXPECT_EQ(mObserver.TakeCalls(), (Calls{"observer WillBeLoaded menu.vornres", "observer WasLoaded menu.vornres"}));
    EXPECT_EQ(logic.TakeCalls(), (Calls{"logic Init", "logic WasLoaded menu.vornres"}));
    EXPECT_EQ(mLogicState->GetNumberOfProcessors(), 2u);

    // Named nodes are found by absolute path; an empty parent id hangs under the container view.
    Graph::INode* menu = Find("/menu");
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(Find("/menu/title"), nullptr);
    EXPECT_EQ(mRoot->GetContainerView()->GetChild(0)->GetChild(0), menu);
    EXPECT_FALSE(menu->IsDisabled());

    EXPECT_FALSE(package->Unload());
    EXPECT_TRUE(package->IsUnloading());
    const Step unload[] = {
        {&Loader::ProcessLoadedPackage, 9},         {&Loader::LockPackagesToRemove, 11},
        {&Loader::RemovePackagesToDeInitialize, 13}, {&Loader::DeInitPackageGraphs, 15},
        {&Loader::UnloadPackageResources, 17},      {&Loader::ProcessUnloadedPackage, 17},
    };
    for (const Step& step : unload)
        EXPECT_EQ(Run(step.mStep, package), step.mState);
    EXPECT_TRUE(package->Unload());
    EXPECT_FALSE(package->IsBusy());
    EXPECT_EQ(mObserver.TakeCalls(),
              (Calls{"observer WillBeUnloaded menu.vornres", "observer WasUnloaded menu.vornres"}));
    EXPECT_EQ(logic.TakeCalls(), (Calls{"logic WillBeUnloaded menu.vornres", "logic DeInit"}));
    EXPECT_EQ(mLogicState->GetNumberOfProcessors(), 1u);
    EXPECT_EQ(Find("/menu"), nullptr);
    EXPECT_EQ(mRoot->GetContainerView()->GetNumberOfChildren(), 0u);
}

TEST_F(LoaderTest, StepsIgnoreAHeadInAnotherState)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres", {{kMenuGraph, ""}});
    Package* package = Create("menu.vornres", Loader::kLoadInBackground);
    // Every step but the one for state 17 leaves the new package alone.
    EXPECT_EQ(Run(&Loader::LoadPackageResources, package), 17);
    EXPECT_EQ(Run(&Loader::UnlockInitializedPackages, package), 17);
    EXPECT_EQ(Run(&Loader::UnloadPackageResources, package), 17);
    EXPECT_EQ(Run(&Loader::ProcessUnloadedPackage, package), 0);
}

TEST_F(LoaderTest, ReversedRequestsGoToTheTwinState)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres", {{kMenuGraph, ""}});
    Package* package = Create("menu.vornres", Loader::kLoadOnRequest);

    // Load reversed at state 2 goes back through 15.
    EXPECT_FALSE(package->Load());
    Run(&Loader::ProcessUnloadedPackage, package);
    EXPECT_EQ(Run(&Loader::LoadPackageResources, package), 2);
    EXPECT_FALSE(package->Unload());
    EXPECT_TRUE(package->IsUnloading());
    EXPECT_FALSE(package->IsLoading());
    EXPECT_EQ(Run(&Loader::InitPackageGraphs, package), 15);
    EXPECT_EQ(Run(&Loader::UnloadPackageResources, package), 17);
    EXPECT_EQ(Run(&Loader::ProcessUnloadedPackage, package), 17);
    EXPECT_FALSE(package->IsBusy());
    EXPECT_TRUE(package->Unload());

    // Load, then an unload reversed at state 11 goes forward through 6.
    EXPECT_FALSE(package->Load());
    RunAll();
    ASSERT_TRUE(package->Load());
    EXPECT_FALSE(package->Unload());
    Run(&Loader::ProcessLoadedPackage, package);
    EXPECT_EQ(Run(&Loader::LockPackagesToRemove, package), 11);
    EXPECT_FALSE(package->Load());
    EXPECT_TRUE(package->IsLoading());
    EXPECT_EQ(Run(&Loader::RemovePackagesToDeInitialize, package), 6);
    EXPECT_EQ(Run(&Loader::UnlockInitializedPackages, package), 8);
    EXPECT_EQ(Run(&Loader::ProcessLoadedPackage, package), 8);
    EXPECT_TRUE(package->Load());
    EXPECT_FALSE(Find("/menu")->IsDisabled());
}

TEST_F(LoaderTest, LoadWithdrawsAnUnloadWaitingBehindTheHead)
{
    Testing::WriteXmlPackage(mFolder, "a.vornres", {{"<Graph><Container id='a'/></Graph>", ""}});
    Testing::WriteXmlPackage(mFolder, "b.vornres", {{"<Graph><Container id='b'/></Graph>", ""}});
    Package* a = Create("a.vornres", Loader::kLoadInBackground);
    RunAll();
    ASSERT_TRUE(a->IsLoaded());
    Package* b = Create("b.vornres", Loader::kLoadInBackground);
    EXPECT_FALSE(a->Unload());
    EXPECT_TRUE(a->IsUnloading());
    EXPECT_FALSE(a->Load());
    EXPECT_FALSE(a->IsBusy());
    RunAll();
    EXPECT_TRUE(a->Load());
    EXPECT_TRUE(b->Load());
}

TEST_F(LoaderTest, CancelDuringInitGraphsFinishesTheCurrentSubGraphOnly)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres",
                             {{"<Graph><Hook id='first'/></Graph>", ""}, {"<Graph><Container id='second'/></Graph>", ""}});
    ProcessorRecorder logic("logic");
    Package* package = Create("menu.vornres", Loader::kLoadOnRequest, &logic);
    package->Load();
    Run(&Loader::ProcessUnloadedPackage, package);
    Run(&Loader::LoadPackageResources, package);
    HookNode::sOnInit = [package] { EXPECT_FALSE(package->Unload()); };
    EXPECT_EQ(Run(&Loader::InitPackageGraphs, package), 4);
    HookNode::sOnInit = nullptr;
    EXPECT_FALSE(package->IsLogicInitialized());
    EXPECT_NE(Find("/first"), nullptr);
    EXPECT_EQ(Find("/second"), nullptr);
    EXPECT_EQ(mRoot->GetContainerView()->GetNumberOfChildren(), 1u);

    EXPECT_EQ(Run(&Loader::AddPackagesToInitialize, package), 13);
    EXPECT_EQ(Run(&Loader::DeInitPackageGraphs, package), 15);
    EXPECT_EQ(Run(&Loader::UnloadPackageResources, package), 17);
    EXPECT_EQ(Run(&Loader::ProcessUnloadedPackage, package), 17);
    EXPECT_TRUE(package->Unload());
    EXPECT_EQ(mRoot->GetContainerView()->GetNumberOfChildren(), 0u);
    EXPECT_FALSE(mInitState.IsCancelled());
    // The logic was never initialised nor registered.
    EXPECT_EQ(logic.TakeCalls(), Calls{});
    EXPECT_EQ(mObserver.TakeCalls(), (Calls{"observer WillBeLoaded menu.vornres", "observer WasUnloaded menu.vornres"}));
}

TEST_F(LoaderTest, CancelFromTheLogicThreadStopsTheLoaderThreadsInit)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres",
                             {{"<Graph><Node id='first'><Hook id='hook'/><Container id='after'/></Node></Graph>", ""},
                              {"<Graph><Container id='second'/></Graph>", ""}});
    Package* package = Create("menu.vornres", Loader::kLoadOnRequest);
    package->Load();
    Run(&Loader::ProcessUnloadedPackage, package);
    Run(&Loader::LoadPackageResources, package);
    // The game cancels on its own thread while the loader initialises; the loader meets the flag
    // with no lock of the two threads between.
    std::thread logic;
    HookNode::sOnInit = [&] {
        logic = std::thread([package] { EXPECT_FALSE(package->Unload()); });
        while (!mInitState.IsCancelled())
            std::this_thread::yield();
    };
    EXPECT_EQ(Run(&Loader::InitPackageGraphs, package), 4);
    logic.join();
    HookNode::sOnInit = nullptr;
    EXPECT_EQ(Find("/after"), nullptr);
    EXPECT_EQ(Find("/second"), nullptr);
    RunAll();
    EXPECT_TRUE(package->IsUnloaded());
}

TEST_F(LoaderTest, LoadCancelledBeforeItBeganIsListedOnce)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres", {{kMenuGraph, ""}});
    Package* package = Create("menu.vornres", Loader::kLoadInBackground);
    EXPECT_FALSE(package->Unload());
    RunAll();
    EXPECT_TRUE(package->Unload());
    EXPECT_FALSE(package->Load());
    RunAll();
    EXPECT_TRUE(package->IsLoaded());
    EXPECT_TRUE(mLoader.UnloadAllPackages());
    // Listed twice, the package would still count as loaded here.
    EXPECT_TRUE(mLoader.IsDone());
    EXPECT_TRUE(mLoader.DestroyPackage(String("menu.vornres")));
}

TEST_F(LoaderTest, LoadModesAndRegistryRules)
{
    Testing::WriteXmlPackage(mFolder, "start.vornres", {{"<Graph><Container id='start'/></Graph>", ""}});
    Testing::WriteXmlPackage(mFolder, "late.vornres", {{"<Graph><Container id='late'/></Graph>", ""}});
    Package* start = Create("start.vornres", Loader::kLoadAtStartup);
    Package* background = Create("late.vornres", Loader::kLoadInBackground);
    Package* onRequest = Create("never.vornres", Loader::kLoadOnRequest);
    EXPECT_EQ(Create("other.vornres", 3), nullptr);
    EXPECT_EQ(mLoader.GetPackage(String("other.vornres")), nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(Create("start.vornres", Loader::kLoadOnRequest), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Core::Loader::CreatePackage(): Package 'start.vornres' already registered\n");
    EXPECT_EQ(mLoader.GetPackage(String("start.vornres")), start);

    EXPECT_TRUE(mLoader.LoadStartupPackages());
    EXPECT_TRUE(start->IsLoaded());
    EXPECT_TRUE(background->IsLoading());
    EXPECT_EQ(background->GetState(), 17);
    EXPECT_FALSE(onRequest->IsBusy());

    testing::internal::CaptureStderr();
    EXPECT_FALSE(mLoader.DestroyPackage(String("start.vornres")));
    EXPECT_FALSE(mLoader.DestroyPackage(String("gone.vornres")));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Core::Loader::DestroyPackage(): Package 'start.vornres' not unloaded\n"
              "Core::Loader::DestroyPackage(): Package 'gone.vornres' not registered\n");
    EXPECT_FALSE(mLoader.LoadPackage(String("gone.vornres")));
    EXPECT_FALSE(mLoader.UnloadPackage(String("gone.vornres")));
    EXPECT_TRUE(mLoader.UnloadPackage(String("never.vornres")));
}

TEST_F(LoaderTest, SuspendedLoaderHoldsLoadsBackButNotUnloads)
{
    Testing::WriteXmlPackage(mFolder, "a.vornres", {{"<Graph><Container id='a'/></Graph>", ""}});
    Package* package = Create("a.vornres", Loader::kLoadInBackground);
    RunAll();
    ASSERT_TRUE(package->IsLoaded());
    EXPECT_TRUE(mLoader.Suspend());
    EXPECT_TRUE(mLoader.IsSuspended());
    EXPECT_TRUE(mLoader.Resume());
    EXPECT_FALSE(mLoader.IsSuspended());
}

TEST_F(LoaderTest, StopUnloadsTheLastLoadedFirst)
{
    Testing::WriteXmlPackage(mFolder, "a.vornres", {{"<Graph><Container id='a'/></Graph>", ""}});
    Testing::WriteXmlPackage(mFolder, "b.vornres", {{"<Graph><Container id='b'/></Graph>", ""}});
    Create("a.vornres", Loader::kLoadAtStartup);
    Create("b.vornres", Loader::kLoadAtStartup);
    ASSERT_TRUE(mLoader.LoadStartupPackages());
    mObserver.TakeCalls();
    EXPECT_TRUE(mLoader.UnloadAllPackages());
    EXPECT_EQ(mObserver.TakeCalls(), (Calls{"observer WillBeUnloaded b.vornres", "observer WasUnloaded b.vornres",
                                            "observer WillBeUnloaded a.vornres", "observer WasUnloaded a.vornres"}));
    EXPECT_TRUE(mLoader.IsDone());
}

// Each bad package fails its step with the message, and the stop takes apart what it built.
TEST_F(LoaderTest, FailedLoadsEndTheirStepAndAreDroppedAtStop)
{
    struct Case
    {
        const char* mName;
        std::vector<Testing::PackageGraph> mGraphs;
        Bool mFailInit;
        Bool (Loader::*mFailingStep)();
        const char* mMessage;
    };
    const Case cases[] = {
        {"missing.vornres", {}, false, &Loader::LoadPackageResources,
         "Core::Package::LoadResources(): Failed to create resource package 'missing.vornres'"},
        {"badgraph.vornres", {{"<Graph><Container id='ok'/></Graph>", ""}, {"<Graph><NoSuchClass/></Graph>", ""}},
         false, &Loader::LoadPackageResources,
         "Core::Package::LoadResources(): Failed to instantiate subgraph #1 for package 'badgraph.vornres'"},
        {"noparent.vornres", {{"<Graph><Container id='hung'/></Graph>", ""}, {"<Graph><Container/></Graph>", "/absent"}},
         false, &Loader::InitPackageGraphs,
         "Core::Package::InitGraphs(): Failed to get parent node '/absent' for graph #1 in package 'noparent.vornres'"},
        {"badlogic.vornres", {{"<Graph><Container id='x'/></Graph>", ""}}, true, &Loader::InitPackageGraphs,
         "Core::Package::InitLogic(): Failed to initialize logic for package 'badlogic.vornres'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        if (!c.mGraphs.empty())
            Testing::WriteXmlPackage(mFolder, c.mName, c.mGraphs);
        ProcessorRecorder logic("logic");
        logic.mFailInit = c.mFailInit;
        Package* package = Create(c.mName, Loader::kLoadInBackground, &logic);
        ASSERT_NE(package, nullptr);
        EXPECT_TRUE(mLoader.ProcessUnloadedPackage());
        testing::internal::CaptureStderr();
        for (auto step : {&Loader::LoadPackageResources, &Loader::InitPackageGraphs}) {
            if (step == c.mFailingStep) {
                EXPECT_FALSE((mLoader.*step)());
                break;
            }
            EXPECT_TRUE((mLoader.*step)());
        }
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find(c.mMessage), std::string::npos) << log;
        EXPECT_EQ(package->GetState() % 2, 1);

        testing::internal::CaptureStderr();
        EXPECT_FALSE(mLoader.UnloadAllPackages());
        const std::string stopLog = testing::internal::GetCapturedStderr();
        EXPECT_NE(stopLog.find("Core::Loader::UnloadAllPackages(): Dropping package '" + std::string(c.mName)),
                  std::string::npos)
            << stopLog;
        EXPECT_TRUE(package->IsUnloaded());
        EXPECT_FALSE(package->IsBusy());
        EXPECT_EQ(mRoot->GetContainerView()->GetNumberOfChildren(), 0u);
        EXPECT_EQ(mLogicState->GetNumberOfProcessors(), 1u);
        EXPECT_TRUE(mLoader.DestroyPackage(String(c.mName)));
    }
}

TEST_F(LoaderTest, SubGraphHangsUnderAnotherPackagesNodeWithoutHoldingIt)
{
    Testing::WriteXmlPackage(mFolder, "base.vornres",
                             {{"<Graph><Namespace id='menu'><Container id='slot'/></Namespace></Graph>", ""}});
    Testing::WriteXmlPackage(mFolder, "extra.vornres", {{"<Graph><Container id='inner'/></Graph>", "/menu/slot"}});
    Package* base = Create("base.vornres", Loader::kLoadInBackground);
    Package* extra = Create("extra.vornres", Loader::kLoadInBackground);
    RunAll();
    ASSERT_TRUE(extra->IsLoaded());
    Graph::Node* slot = dynamic_cast<Graph::Node*>(Find("/menu/slot"));
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->GetNumberOfChildren(), 1u);
    // The parent lookup's reference was released: nothing keeps the base package from going.
    EXPECT_EQ(slot->GetReferenceCount(), 0u);
    // Registered inside the namespace above its parent.
    EXPECT_NE(Find("/menu/inner"), nullptr);
    EXPECT_FALSE(extra->Unload());
    RunAll();
    EXPECT_FALSE(base->Unload());
    RunAll();
    EXPECT_TRUE(base->IsUnloaded());
    EXPECT_EQ(Find("/menu"), nullptr);
}

TEST_F(LoaderTest, StopTakesApartAPackageWhoseLogicRefusesToGo)
{
    Testing::WriteXmlPackage(mFolder, "menu.vornres", {{kMenuGraph, ""}});
    ProcessorRecorder logic("logic");
    logic.mFailDeInit = true;
    Package* package = Create("menu.vornres", Loader::kLoadInBackground, &logic);
    RunAll();
    ASSERT_TRUE(package->IsLoaded());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mLoader.UnloadAllPackages());
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Core::Package::DeInitLogic(): Failed to deinitialize logic for package 'menu.vornres'"),
              std::string::npos)
        << log;
    EXPECT_TRUE(package->IsUnloaded());
    EXPECT_EQ(mRoot->GetContainerView()->GetNumberOfChildren(), 0u);
    EXPECT_EQ(Find("/menu"), nullptr);
    EXPECT_EQ(mLogicState->GetNumberOfProcessors(), 1u);
}

TEST_F(LoaderTest, LoadingBesideAnimatingLogicTouchesOnlyTheNewSubGraph)
{
    // The stage switch and pointers of a live graph, and a package that hangs a timeline under a
    // stage node; a reference shows the stage elsewhere.
    Testing::WriteXmlPackage(mFolder, "base.vornres",
                             {{"<Graph><Switch id='stages' selectedChildId='menu'><Node id='menu'/><Node id='game'/>"
                               "</Switch><Reference id='mirror' targetId='/game'/><Node id='pointers'>"
                               "<Container id='p0'/><Container id='p1'/><Container id='p2'/><Container id='p3'/>"
                               "</Node></Graph>",
                               ""}});
    Testing::WriteXmlPackage(mFolder, "extra.vornres",
                             {{"<Graph><Timeline id='clock' startTime='0' endTime='1'/></Graph>", "/game"}});
    Create("base.vornres", Loader::kLoadInBackground);
    RunAll();
    std::vector<Graph::INode*> pointers;
    for (const char* path : {"/p0", "/p1", "/p2", "/p3"}) {
        ASSERT_NE(Find(path), nullptr) << path;
        pointers.push_back(Find(path));
    }
    BlinkingProcessor blinker(pointers);
    mLogicState->AddProcessor(&blinker);
    Package* extra = Create("extra.vornres", Loader::kLoadOnRequest);
    {
        AnimatingThread logic(mLogicState);
        for (int round = 0; round < 3; ++round) {
            // The loader thread's steps with frames animated between them; the main thread's
            // steps follow, under the logic state's lock.
            EXPECT_FALSE(extra->Load());
            Run(&Loader::ProcessUnloadedPackage, extra);
            Run(&Loader::LoadPackageResources, extra);
            logic.WaitForFrames(1);
            EXPECT_EQ(Run(&Loader::InitPackageGraphs, extra), 4);
            logic.WaitForFrames(2);
            RunAll();
            ASSERT_TRUE(extra->IsLoaded());
            if (round < 2) {
                EXPECT_FALSE(extra->Unload());
                RunAll();
                ASSERT_TRUE(extra->IsUnloaded());
            }
        }
    }
    mLogicState->RemoveProcessor(&blinker);

    // Every node above the timeline, through the switch and the reference too, now leads the
    // process-logic pass to it.
    for (const char* path : {"/stages", "/game", "/mirror"}) {
        ASSERT_NE(Find(path), nullptr) << path;
        EXPECT_NE(Find(path)->GetFlags() & Graph::Node::kNeedsProcessLogic, 0u) << path;
    }
    EXPECT_NE(mRoot->GetContainerView()->GetFlags() & Graph::Node::kNeedsProcessLogic, 0u);
    EXPECT_NE(mRoot->GetRootNode()->GetFlags() & Graph::Node::kNeedsProcessLogic, 0u);
    for (const char* path : {"/menu", "/pointers"})
        EXPECT_EQ(Find(path)->GetFlags() & Graph::Node::kNeedsProcessLogic, 0u) << path;
}

} // namespace
} // namespace Vorn
