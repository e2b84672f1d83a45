#include "core/core_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/clock.h"
#include "core/core_loader.h"
#include "core/core_package.h"
#include "foundation/event.h"
#include "foundation/folder_file_interface.h"
#include "graph/node.h"
#include "graph/processable.h"
#include "graph/root.h"
#include "graph/traversal_state.h"
#include "logic/base_child_processor.h"
#include "logic/factory.h"
#include "logic/graph_node.h"
#include "logic/stage.h"
#include "logic/stage_processor.h"
#include "logic/state.h"
#include "graph/transform/transform.h"
#include "output/screenshot_control.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/package_fixture.h"
#include "tests/support/probe_node.h"
#include "tests/support/processor_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_node.h"

namespace Vorn {
namespace {

using Testing::ProcessorRecorder;
typedef std::vector<std::string> Calls;

// A node that asks for a late step in every logic step and logs both, to show the order of the
// finish-logic and process-logic passes.
class OrderNode : public Graph::Node, public Graph::IProcessable
{
public:
    OrderNode() { AddFlags(kNeedsProcessLogic); }
    static Graph::INode* Create() { return new OrderNode(); }
    Bool Process(Graph::IFinishLogicState*) override
    {
        sLog.push_back("finish");
        return true;
    }
    static std::vector<std::string> sLog;

protected:
    Bool ProcessLogicSelf(Graph::IProcessLogicState* state) override
    {
        sLog.push_back("process");
        state->AddProcessable(this);
        return true;
    }
};

std::vector<std::string> OrderNode::sLog;

const Graph::NodeClassInfo kProbeClass(String("Probe"), &Testing::ProbeNode::Create);
const Graph::NodeClassInfo kOrderClass(String("Order"), &OrderNode::Create);
const Graph::NodeClassInfo kTextClass(String("TestText"), &Testing::TextNode::Create);

class EngineTest : public ::testing::Test, protected Testing::EngineServices
{
protected:
    EngineTest() : mFiles(String(mFolder.Get().c_str()))
    {
        mDevices.SetFileInterface(&mFiles);
        mApp.mNodeClasses = {&kProbeClass, &kOrderClass, &kTextClass};
        OrderNode::sLog.clear();
    }
    ~EngineTest() override
    {
        testing::internal::CaptureStderr();
        mEngine.Stop(&mApp);
        mEngine.DeInit();
        testing::internal::GetCapturedStderr();
    }

    // A package of one graph, created by the application at start.
    void AddPackage(const char* name, SInt32 mode, Logic::IProcessor* processor, const char* graph)
    {
        Testing::WriteXmlPackage(mFolder, name, {{graph, ""}});
        mApp.mPackages.push_back({name, mode, processor});
    }

    Core::Package* Package(const char* name)
    {
        return static_cast<Core::Package*>(mEngine.GetLoader()->GetPackage(String(name)));
    }

    Graph::INode* Find(const char* path)
    {
        Graph::INode* node = mEngine.GetRoot()->FindNode(String(path));
        if (node != nullptr)
            node->RemoveReference();
        return node;
    }

    // Runs frames until the condition holds; false (a failed frame or too many) otherwise.
    template <typename Condition>
    Bool FramesUntil(Condition condition)
    {
        for (int frame = 0; frame < 100000 && !condition(); ++frame) {
            if (!Frame())
                return false;
        }
        return condition();
    }

    Testing::TempFolder mFolder;
    Platform::FolderFileInterface mFiles;
    // Members, so that they outlive the engine's stop in the destructor.
    ProcessorRecorder mLogic{"logic"};
    ProcessorRecorder mObserver{"observer"};
};

// Fails one chosen step of Init.
class FailingEngine : public Core::Engine
{
public:
    explicit FailingEngine(UInt32 failAt) : mFailAt(failAt) {}

protected:
    Bool RunInitStep(UInt32 step) override { return step != mFailAt && Core::Engine::RunInitStep(step); }

private:
    UInt32 mFailAt;
};

TEST(EngineInitTest, StopsAtTheFirstFailingStepWithItsMessage)
{
    const char* const messages[] = {
        "Failed to initialize resource factory",        "Failed to initialize resource collection",
        "Failed to initialize physics factory",         "Failed to initialize physics simulator",
        "Failed to initialize display factory",         "Failed to initialize display renderer",
        "Failed to initialize audio factory",           "Failed to initialize audio renderer",
        "Failed to initialize graph factory",           "Failed to initialize graph init state",
        "Failed to initialize graph deinit state",      "Failed to initialize graph config changed state",
        "Failed to initialize graph process logic state", "Failed to initialize graph finish logic state",
        "Failed to initialize graph prepare output state", "Failed to initialize graph cull output state",
        "Failed to initialize graph serve output state", "Failed to add screenshot control",
        "Failed to initialize loader",                  "Failed to initialize logic factory",
        "Failed to initialize logic device handler",    "Failed to initialize logic state",
    };
    static_assert(sizeof(messages) / sizeof(messages[0]) == Core::Engine::kNumberOfInitSteps);
    Testing::EngineServices services;
    for (UInt32 step = 0; step < Core::Engine::kNumberOfInitSteps; ++step) {
        SCOPED_TRACE(messages[step]);
        FailingEngine engine(step);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(engine.Init(&services.mConfiguration, &services.mDevices));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Core::Engine::Init(): " + std::string(messages[step]) + "\n");
        // What was made before the failure is taken down again.
        EXPECT_TRUE(engine.DeInit());
        EXPECT_EQ(services.mDevices.mOutput.GetScreenshotControl(0), nullptr);
    }
}

TEST(EngineInitTest, InitTwiceFailsAndChangesNothing)
{
    Testing::EngineServices services;
    Core::Engine& engine = services.mEngine;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(engine.DeInit());
    ASSERT_TRUE(engine.Init(&services.mConfiguration, &services.mDevices));
    Core::Loader* loader = engine.GetLoader();
    EXPECT_FALSE(engine.Init(&services.mConfiguration, &services.mDevices));
    EXPECT_EQ(engine.GetLoader(), loader);
    EXPECT_TRUE(engine.DeInit());
    EXPECT_FALSE(engine.DeInit());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(EngineInitTest, NoRendererForTheVideoInterfaceFailsInit)
{
    Testing::EngineServices services;
    services.mConfiguration.SetVideoApi(Enums::VideoApi::DEFAULT);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(services.mEngine.Init(&services.mConfiguration, &services.mDevices));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Core::Engine::Init(): Failed to initialize display renderer\n");
    EXPECT_TRUE(services.mEngine.DeInit());
}

TEST_F(EngineTest, LifeCycleMessagesAndCallsThatDoNothing)
{
    struct Call
    {
        const char* mName;
        Bool (Core::Engine::*mOperation)();
    };
    const Call calls[] = {{"Pause", &Core::Engine::Pause},
                          {"Continue", &Core::Engine::Continue},
                          {"Suspend", &Core::Engine::Suspend},
                          {"Resume", &Core::Engine::Resume}};

    testing::internal::CaptureStderr();
    EXPECT_FALSE(mEngine.Start(&mApp));
    EXPECT_FALSE(mEngine.Stop(&mApp));
    std::string expected = "Core::Engine::Start(): Engine is not initialized\n"
                           "Core::Engine::Stop(): Engine is not initialized\n";
    for (const Call& call : calls) {
        EXPECT_FALSE((mEngine.*call.mOperation)());
        expected += "Core::Engine::" + std::string(call.mName) + "(): Engine is not initialized\n";
    }
    ASSERT_TRUE(mEngine.Init(&mConfiguration, &mDevices));
    for (const Call& call : calls) {
        EXPECT_FALSE((mEngine.*call.mOperation)());
        expected += "Core::Engine::" + std::string(call.mName) + "(): Engine is not started\n";
    }
    EXPECT_TRUE(mEngine.Stop(&mApp));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);

    ASSERT_TRUE(mEngine.Start(&mApp));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(mEngine.Start(&mApp));
    EXPECT_EQ(mApp.mCalls, (Calls{"InitApp"}));
    EXPECT_TRUE(mEngine.Continue());
    EXPECT_TRUE(mEngine.Resume());
    EXPECT_TRUE(mEngine.Pause());
    EXPECT_TRUE(mEngine.Pause());
    EXPECT_EQ(mConfiguration.GetAppRunState(), Enums::AppRunState::PAUSED);
    EXPECT_TRUE(mEngine.Continue());
    EXPECT_EQ(mConfiguration.GetAppRunState(), Enums::AppRunState::RUNNING);
    EXPECT_TRUE(mEngine.Stop(&mApp));
    EXPECT_TRUE(mEngine.Stop(&mApp));
    EXPECT_EQ(mApp.mCalls, (Calls{"InitApp", "DeInitApp"}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(EngineTest, WithoutAnAudioInterfaceTheEngineRunsSilent)
{
    // The platform asks for OpenAL but found no device, so it registered no audio interface.
    mConfiguration.SetAudioApi(Enums::AudioApi::AL11);
    mDevices.SetAudioInterface(nullptr);
    ProcessorRecorder& logic = mLogic;
    AddPackage("main.vornres", ILoader::kLoadAtStartup, &logic, "<Graph><Probe id='probe'/></Graph>");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(InitAndStart());
    ASSERT_TRUE(Frame());
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(mEngine.Stop(&mApp));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    // The game's logic ran each frame and its package came and went as with sound.
    const Calls calls = logic.TakeCalls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 2), (Calls{"logic Init", "logic WasLoaded main.vornres"}));
    EXPECT_GE(std::count(calls.begin(), calls.end(), "logic Animate"), 3);
    EXPECT_EQ(Calls(calls.end() - 2, calls.end()), (Calls{"logic WillBeUnloaded main.vornres", "logic DeInit"}));
}

TEST_F(EngineTest, FrameCallsFromAnotherThreadAreRefusedUnlessAllowed)
{
    ASSERT_TRUE(InitAndStart());
    Bool began = true;
    Bool paused = true;
    testing::internal::CaptureStderr();
    std::thread other([&] {
        began = mEngine.BeginFrame();
        paused = mEngine.Pause();
    });
    other.join();
    EXPECT_FALSE(began);
    EXPECT_FALSE(paused);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Core::Engine::BeginFrame(): Illegal caller thread\n"
                                                      "Core::Engine::Pause(): Illegal caller thread\n");

    // Both interfaces allow any thread, or the configuration does.
    for (int allowance = 0; allowance < 2; ++allowance) {
        mDevices.mAudio.mThreadSafe = allowance == 0;
        mConfiguration.SetMultiThreadedCalls(allowance == 1);
        Bool framed = false;
        std::thread allowed([&] { framed = Frame(); });
        allowed.join();
        EXPECT_TRUE(framed) << allowance;
    }
}

TEST_F(EngineTest, FirstFrameDrawsNothingAndLaterFramesDrawWhileLogicRuns)
{
    ProcessorRecorder& logic = mLogic;
    AddPackage("main.vornres", ILoader::kLoadAtStartup, &logic, "<Graph><Probe id='probe'/></Graph>");
    ASSERT_TRUE(InitAndStart());
    ASSERT_TRUE(Package("main.vornres")->IsLoaded());
    Testing::FakeDisplayRenderer* renderer = Renderer();
    // The first frame released the logic thread but enqueued and drew nothing.
    EXPECT_EQ(renderer->mBeginFrames, 0u);
    EXPECT_EQ(renderer->mRenders, 0u);
    EXPECT_EQ(logic.TakeCalls(), (Calls{"logic Init", "logic WasLoaded main.vornres", "logic Step", "logic Animate"}));
    Testing::ProbeNode* probe = dynamic_cast<Testing::ProbeNode*>(Find("/probe"));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->mOutput.mVisits, 1u);

    // BeginFrame returns while the logic thread is held in a step.
    System::Event entered;
    System::Event release;
    logic.mOnStep = [&] {
        entered.Signal();
        release.Wait();
    };
    ASSERT_TRUE(mEngine.BeginFrame());
    EXPECT_EQ(renderer->mRenders, 1u);
    entered.Wait();
    release.Signal();
    ASSERT_TRUE(mEngine.EndFrame());
    logic.mOnStep = nullptr;
    EXPECT_EQ(probe->mLogic.mVisits, 2u);
}

TEST_F(EngineTest, StepsGetTheirLogicTimesAndAnimateRunsOncePerFrame)
{
    mConfiguration.SetNumberOfSteps(3);
    mConfiguration.SetStepDuration(0.01);
    ProcessorRecorder& logic = mLogic;
    AddPackage("main.vornres", ILoader::kLoadAtStartup, &logic, "<Graph><Order/></Graph>");
    ASSERT_TRUE(InitAndStart());
    EXPECT_EQ(logic.TakeCalls(), (Calls{"logic Init", "logic WasLoaded main.vornres", "logic Step", "logic Step",
                                         "logic Step", "logic Animate"}));
    const std::vector<Double> first = logic.TakeStepTimes();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_NEAR(first[1] - first[0], 0.01, 1e-12);
    EXPECT_NEAR(first[2] - first[1], 0.01, 1e-12);
    // Within a step the finish-logic pass comes before the process-logic pass.
    EXPECT_EQ(OrderNode::sLog, (Calls{"process", "finish", "process", "finish", "process"}));

    ASSERT_TRUE(Frame());
    const std::vector<Double> second = logic.TakeStepTimes();
    ASSERT_EQ(second.size(), 3u);
    EXPECT_NEAR(second[0], first[2] + 0.01, 1e-12);
}

TEST_F(EngineTest, FramesWithoutStepsStillPrepareAndCull)
{
    mConfiguration.SetNumberOfSteps(0);
    ProcessorRecorder& logic = mLogic;
    AddPackage("main.vornres", ILoader::kLoadAtStartup, &logic,
               "<Graph><Namespace id='debug'><TestText id='system_message'/></Namespace></Graph>");
    ASSERT_TRUE(InitAndStart());
    ASSERT_TRUE(Frame());
    EXPECT_EQ(logic.TakeCalls(), (Calls{"logic Init", "logic WasLoaded main.vornres", "logic Animate", "logic Animate"}));
    // The statistics show the frame: no step, no node processed, the top namespace and the
    // container view prepared.
    Testing::TextNode* text = dynamic_cast<Testing::TextNode*>(Find("/debug/system_message"));
    ASSERT_NE(text, nullptr);
    const std::string report = text->GetText().GetText();
    EXPECT_NE(report.find("TPF:0\n"), std::string::npos) << report;
    EXPECT_NE(report.find("# Proc:      0\n"), std::string::npos) << report;
    EXPECT_NE(report.find("# Prep:      2\n"), std::string::npos) << report;
}

TEST_F(EngineTest, AFailingPassEndsTheLogicThreadAndFreesItsLocks)
{
    ProcessorRecorder& logic = mLogic;
    AddPackage("main.vornres", ILoader::kLoadAtStartup, &logic, "<Graph><Probe id='probe'/></Graph>");
    ASSERT_TRUE(InitAndStart());
    Testing::ProbeNode* probe = dynamic_cast<Testing::ProbeNode*>(Find("/probe"));
    ASSERT_NE(probe, nullptr);
    probe->mFailLogic = true;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(mEngine.BeginFrame());
    EXPECT_FALSE(mEngine.EndFrame());
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Core::LogicThread::Run(): ProcessLogic() failed"), std::string::npos) << log;
    EXPECT_FALSE(mEngine.IsLogicThreadRunning());
    // Both locks are free: the main thread takes them at once.
    EXPECT_TRUE(mEngine.GetRoot()->Lock());
    EXPECT_TRUE(mEngine.GetRoot()->Unlock());
    EXPECT_TRUE(mEngine.Pause());
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(mEngine.Stop(&mApp));
}

TEST_F(EngineTest, RunStateChangesReachTheProcessors)
{
    ProcessorRecorder& logic = mLogic;
    AddPackage("main.vornres", ILoader::kLoadAtStartup, &logic, "<Graph><Container/></Graph>");
    mConfiguration.SetReleaseOnSuspend(false);
    ASSERT_TRUE(InitAndStart());
    logic.TakeCalls();
    EXPECT_TRUE(mEngine.Pause());
    EXPECT_TRUE(mEngine.Continue());
    EXPECT_TRUE(mEngine.Suspend());
    EXPECT_EQ(mConfiguration.GetAppRunState(), Enums::AppRunState::SUSPENDED);
    EXPECT_TRUE(mEngine.Resume());
    EXPECT_EQ(logic.TakeCalls(),
              (Calls{"logic RunState 2 1", "logic RunState 1 2", "logic RunState 3 1", "logic RunState 1 3"}));
    // A light suspend keeps the loader thread.
    EXPECT_TRUE(mEngine.IsLoaderThreadRunning());
    EXPECT_TRUE(Frame());
}

TEST_F(EngineTest, FullSuspendStopsTheLoaderThreadAndResumeStartsItAgain)
{
    mConfiguration.SetReleaseOnSuspend(true);
    ASSERT_TRUE(InitAndStart());
    EXPECT_TRUE(mEngine.Suspend());
    EXPECT_FALSE(mEngine.IsLoaderThreadRunning());
    EXPECT_TRUE(mEngine.Resume());
    EXPECT_TRUE(mEngine.IsLoaderThreadRunning());
    EXPECT_TRUE(Frame());
}

TEST_F(EngineTest, PackagesLoadOnTheLoaderThreadAndMoveAtTheFrameBoundaries)
{
    ProcessorRecorder& observer = mObserver;
    ProcessorRecorder& logic = mLogic;
    logic.mTagThreads = true;
    AddPackage("observer.vornres", ILoader::kLoadAtStartup, &observer, "<Graph><Container id='base'/></Graph>");
    AddPackage("menu.vornres", ILoader::kLoadInBackground, &logic,
               "<Graph><Namespace id='menu'><Container id='title'/></Namespace></Graph>");
    ASSERT_TRUE(InitAndStart());
    Core::Package* menu = Package("menu.vornres");
    EXPECT_FALSE(menu->Load());
    ASSERT_TRUE(FramesUntil([&] { return menu->Load(); }));
    EXPECT_NE(Find("/menu/title"), nullptr);
    // Read and initialised on the loader thread, registered at BeginFrame on the main thread.
    EXPECT_EQ(logic.TakeCalls()[0], "logic Init (thread)");
    Calls seen = observer.TakeCalls();
    EXPECT_NE(std::find(seen.begin(), seen.end(), "observer WillBeLoaded menu.vornres"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "observer WasLoaded menu.vornres"), seen.end());

    EXPECT_FALSE(menu->Unload());
    ASSERT_TRUE(FramesUntil([&] { return menu->Unload(); }));
    EXPECT_EQ(Find("/menu"), nullptr);
    Calls calls = logic.TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "logic WillBeUnloaded menu.vornres"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "logic DeInit (thread)"), calls.end());
    EXPECT_TRUE(mEngine.Stop(&mApp));
    EXPECT_TRUE(Package("observer.vornres")->IsUnloaded());
}

TEST(EngineFailureTest, AFailedLoadEndsTheLoaderThreadAndTheProgram)
{
    struct Case
    {
        const char* mGraph;
        const char* mParent;
        Bool mFailInit;
        const char* mMessage;
    };
    const Case cases[] = {
        {nullptr, "", false, "Core::Package::LoadResources(): Failed to create resource package 'bad.vornres'"},
        {"<Graph><Container/></Graph>", "/absent", false,
         "Core::Package::InitGraphs(): Failed to get parent node '/absent' for graph #0 in package 'bad.vornres'"},
        {"<Graph><NoSuchClass/></Graph>", "", false,
         "Core::Package::LoadResources(): Failed to instantiate subgraph #0 for package 'bad.vornres'"},
        {"<Graph><Container/></Graph>", "", true,
         "Core::Package::InitLogic(): Failed to initialize logic for package 'bad.vornres'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mMessage);
        Testing::EngineServices services;
        Testing::TempFolder folder;
        Platform::FolderFileInterface files(String(folder.Get().c_str()));
        services.mDevices.SetFileInterface(&files);
        if (c.mGraph != nullptr)
            Testing::WriteXmlPackage(folder, "bad.vornres", {{c.mGraph, c.mParent}});
        ProcessorRecorder logic("logic");
        logic.mFailInit = c.mFailInit;
        services.mApp.mPackages.push_back({"bad.vornres", ILoader::kLoadInBackground, &logic});
        testing::internal::CaptureStderr();
        // The loader thread may fail already within the first frame, which Start runs.
        Bool ended = !services.InitAndStart();
        for (int frame = 0; frame < 100000 && !ended; ++frame)
            ended = !services.Frame();
        EXPECT_TRUE(ended);
        EXPECT_FALSE(services.mEngine.IsLoaderThreadRunning());
        services.mEngine.Stop(&services.mApp);
        EXPECT_TRUE(services.mEngine.DeInit());
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find(c.mMessage), std::string::npos) << log;
        EXPECT_NE(log.find("Core::LoaderThread::Run(): Package loading failed"), std::string::npos) << log;
    }
}

TEST_F(EngineTest, AppClassNameAlreadyRegisteredFailsStart)
{
    const Graph::NodeClassInfo duplicate(String("Container"), &Testing::ProbeNode::Create);
    mApp.mNodeClasses = {&duplicate};
    testing::internal::CaptureStderr();
    ASSERT_TRUE(mEngine.Init(&mConfiguration, &mDevices));
    EXPECT_FALSE(mEngine.Start(&mApp));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Core::Engine::Run(): Failed to register graph node class 'Container'\n"
              "Core::Engine::Start(): InitApp() failed\n");
    // What Start made goes again at Stop.
    EXPECT_TRUE(mEngine.Stop(&mApp));
    EXPECT_EQ(mEngine.GetRoot(), nullptr);
}

TEST_F(EngineTest, AFailingStopStillJoinsBothThreadsAndDestroysTheRoot)
{
    ASSERT_TRUE(InitAndStart());
    mDevices.mDisplay.mFailContexts = true;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mEngine.Stop(&mApp));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Core::Engine::Stop(): Failed to activate display render context\n"), std::string::npos) << log;
    EXPECT_FALSE(mEngine.IsLogicThreadRunning());
    EXPECT_FALSE(mEngine.IsLoaderThreadRunning());
    EXPECT_EQ(mEngine.GetRoot(), nullptr);
    EXPECT_EQ(mApp.mCalls, (Calls{"InitApp", "DeInitApp"}));
}

TEST_F(EngineTest, ScreenshotRequestIsServedAtTheNextBeginFrame)
{
    ASSERT_TRUE(InitAndStart());
    IScreenshotControl* control = mDevices.mOutput.GetScreenshotControl(0);
    ASSERT_NE(control, nullptr);
    Renderer()->mAcceptScreenshots = true;
    EXPECT_TRUE(control->RequestScreenshot());
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(control->IsReady());
    ASSERT_NE(control->GetImage(), nullptr);
    EXPECT_EQ(Renderer()->mScreenshots, 1u);
}

} // namespace
} // namespace Vorn

namespace Vorn {
namespace {

// The processor of the test application's one stage: binds the title node by absolute path and
// moves it in every step of the running stage.
class TitleProcessor : public Logic::BaseChildProcessor
{
public:
    explicit TitleProcessor(Logic::IFactory* factory) : Logic::BaseChildProcessor(factory) {}
    Bool OnInit(Logic::IState* state) override
    {
        mTitle.GetReference(state->GetGraphRoot(), String("/menu/title"));
        return mProcessor->AddGraphNode(&mTitle);
    }
    void OnStep(Logic::IState*) override
    {
        ++mSteps;
        mTitle.Get()->SetPositionX(Real(mSteps));
    }

    Logic::GraphNodeT<Graph::ITransform> mTitle;
    std::atomic<int> mSteps{0};
};

class MenuStage : public Logic::BaseStage
{
public:
    MenuStage(Logic::IFactory* factory, TitleProcessor* title)
        : Logic::BaseStage(factory, String("menu"), String()), mTitle(title)
    {
    }
    // The stage de-initialises its children itself.
    Bool OnInit(Logic::IState* state, Logic::IStageProcessor*) override
    {
        return mProcessor->InitChild(state, mTitle->GetProcessor());
    }

    TitleProcessor* mTitle;
};

// The test application: a stage processor with the menu stage, registered with its package.
class TestApp : public IApp
{
public:
    void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>&) override {}
    void GetDisplayObjectClasses(Array<const Display::ClassInfo*>&) override {}
    Bool InitApp(Logic::IFactory* factory, ILoader* loader) override
    {
        mFactory = factory;
        mTitle = std::make_unique<TitleProcessor>(factory);
        mStage = std::make_unique<MenuStage>(factory, mTitle.get());
        mStages = factory->CreateStageProcessor();
        mStages->AddStage(mStage->GetStage());
        mStage->GetStage()->RequestStart();
        return loader->CreatePackage(String("app.vornres"), ILoader::kLoadInBackground, mStages->GetProcessor()) !=
               nullptr;
    }
    void DeInitApp(Logic::IFactory* factory, ILoader*) override
    {
        factory->DestroyStageProcessor(mStages);
        mStage.reset();
        mTitle.reset();
    }

    Logic::IFactory* mFactory = nullptr;
    std::unique_ptr<TitleProcessor> mTitle;
    std::unique_ptr<MenuStage> mStage;
    Logic::IStageProcessor* mStages = nullptr;
};

TEST(EngineEndToEndTest, TestApplicationRunsFromInitToDeInit)
{
    Testing::TempFolder folder;
    Testing::WriteXmlPackage(folder, "app.vornres",
                             {{"<Graph><Namespace id='menu'><Transform id='title'/></Namespace></Graph>", ""}});
    Platform::FolderFileInterface files(String(folder.Get().c_str()));
    Testing::EngineServices services;
    services.mDevices.SetFileInterface(&files);
    TestApp app;
    ASSERT_TRUE(services.mEngine.Init(&services.mConfiguration, &services.mDevices));
    ASSERT_TRUE(services.mEngine.Start(&app));
    IPackage* package = services.mEngine.GetLoader()->GetPackage(String("app.vornres"));
    ASSERT_NE(package, nullptr);
    Bool running = true;
    for (int frame = 0; frame < 100000 && running && app.mTitle->mSteps < 3; ++frame)
        running = services.Frame();
    EXPECT_TRUE(running);
    EXPECT_TRUE(package->IsLoaded());
    EXPECT_GE(app.mTitle->mSteps, 3);
    EXPECT_TRUE(app.mTitle->mTitle.IsValid());
    EXPECT_TRUE(services.mEngine.Stop(&app));
    EXPECT_TRUE(package->IsUnloaded());
    EXPECT_TRUE(services.mEngine.DeInit());
}

} // namespace
} // namespace Vorn
