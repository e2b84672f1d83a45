// The engine frame against the same passes run directly. An engine over fakes (fake device hub,
// fake display renderer, silent audio renderer) runs BeginFrame and EndFrame, so each frame hands
// the graph to the logic thread and back; beside it the same passes (finish and process logic,
// prepare, cull and enqueue output) run on one thread over the same graph. With an empty graph
// the difference is the frame protocol's own cost; with 10 000 nodes the aim is an engine
// frame within 1.2 times the direct passes. Times are microseconds per frame.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/core_engine.h"
#include "foundation/folder_file_interface.h"
#include "graph/factory.h"
#include "graph/finish_logic_state.h"
#include "graph/init_state.h"
#include "graph/node.h"
#include "graph/output_states.h"
#include "graph/prepare_output_state.h"
#include "graph/process_logic_state.h"
#include "graph/root.h"
#include "graph/service_state.h"
#include "resource/xml_graph.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/fake_audio_renderer.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_resource_collection.h"
#include "tests/support/probe_node.h"

using namespace Vorn;

namespace {

// 100 probes of 99 probes each, in one container: about 10 000 nodes, each visited by the
// process-logic and prepare-output passes.
std::string MakeGraph(int nodes)
{
    std::string xml = "<Graph><Container>";
    const int groups = nodes >= 100 ? 100 : 0;
    for (int group = 0; group < groups; ++group) {
        xml += "<Probe>";
        for (int leaf = 0; leaf < nodes / groups - 1; ++leaf)
            xml += "<Probe/>";
        xml += "</Probe>";
    }
    return xml + "</Container></Graph>";
}

// A folder with the package "bench.vornres" holding the graph, removed again at the end.
class PackageFolder
{
public:
    explicit PackageFolder(const std::string& graph)
        : mPath(std::filesystem::temp_directory_path() / ("vorn_core_bench_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(mPath / "bench.vornres");
        std::ofstream(mPath / "bench.vornres" / "graph.xml") << graph;
        std::ofstream(mPath / "bench.vornres" / "package.xml")
            << "<Package id=\"bench\"><Resource id=\"graph\" fileName=\"graph.xml\"/>"
               "<Instance graphResourceId=\"graph\" parentNodeId=\"\"/></Package>";
    }
    ~PackageFolder() { std::filesystem::remove_all(mPath); }
    std::string Get() const { return mPath.string(); }

private:
    std::filesystem::path mPath;
};

void EngineFrame(benchmark::State& state)
{
    PackageFolder folder(MakeGraph(int(state.range(0))));
    Platform::FolderFileInterface files(String(folder.Get().c_str()));
    Testing::EngineServices services;
    services.mDevices.SetFileInterface(&files);
    const Graph::NodeClassInfo probe(String("Probe"), &Testing::ProbeNode::Create);
    services.mApp.mNodeClasses.push_back(&probe);
    services.mApp.mPackages.push_back({"bench.vornres", ILoader::kLoadAtStartup, nullptr});
    if (!services.InitAndStart()) {
        state.SkipWithError("engine did not start");
        return;
    }
    for (auto _ : state) {
        if (!services.Frame()) {
            state.SkipWithError("frame failed");
            break;
        }
    }
    services.mEngine.Stop(&services.mApp);
    services.mEngine.DeInit();
}

// The same passes on the calling thread, one logic step per frame.
void DirectPasses(benchmark::State& state)
{
    Testing::FakeClock clock;
    clock.mStepDuration = 0.016;
    clock.mFrameDuration = 0.016;
    Testing::FakeResourceCollection collection;
    Testing::FakeDisplayRenderer display;
    Testing::FakeAudioRenderer audio;
    Graph::Factory factory;
    factory.Init();
    const Graph::NodeClassInfo probe(String("Probe"), &Testing::ProbeNode::Create);
    factory.RegisterNodeClass(&probe);
    Graph::InitState initState(nullptr, &factory, nullptr, nullptr, &display, &audio, nullptr, &collection);
    Graph::DeInitState deInitState(nullptr, &factory, nullptr, nullptr, &display, &audio, nullptr, &collection);
    Graph::ProcessLogicState processLogic(nullptr, nullptr);
    Graph::FinishLogicState finishLogic(nullptr, nullptr);
    Graph::PrepareOutputState prepareOutput(nullptr);
    Graph::CullOutputState cullOutput;
    Graph::EnqueueOutputState enqueueOutput(&display, &audio);
    std::unique_ptr<Graph::Root> root(factory.CreateRoot());
    initState.Init(&clock);
    deInitState.Init(&clock);
    processLogic.Init(&clock);
    finishLogic.Init(&clock);
    prepareOutput.Init(&clock);
    cullOutput.Init(&clock);
    enqueueOutput.Init(&clock);
    initState.SetRoot(root.get());
    deInitState.SetRoot(root.get());
    processLogic.SetRoot(root.get());
    finishLogic.SetRoot(root.get());
    prepareOutput.SetRoot(root.get());
    cullOutput.SetRoot(root.get());
    enqueueOutput.SetRoot(root.get());

    const std::string xml = MakeGraph(int(state.range(0)));
    Bool releaseData = false;
    Bool failed = false;
    std::unique_ptr<Resource::IObject> graph(Resource::XmlGraph::Create(
        nullptr, String("graph"), xml.c_str(), UInt32(xml.size()), nullptr, 0, &releaseData, &failed));
    Graph::INode* top = factory.CreateGraph(dynamic_cast<Resource::IGraph*>(graph.get()), nullptr);
    root->GetContainerView()->AddChild(top);
    initState.Begin();
    root->Init(&initState);

    for (auto _ : state) {
        clock.Update();
        enqueueOutput.Begin();
        root->EnqueueOutput(&enqueueOutput);
        enqueueOutput.End();
        processLogic.Begin();
        finishLogic.Begin();
        prepareOutput.Begin();
        cullOutput.Begin();
        processLogic.BeginStep();
        finishLogic.BeginStep();
        root->FinishLogic(&finishLogic);
        root->ProcessLogic(&processLogic);
        finishLogic.EndStep();
        processLogic.EndStep();
        root->PrepareOutput(&prepareOutput);
        root->CullOutput(&cullOutput);
        cullOutput.End();
        prepareOutput.End();
        finishLogic.End();
        processLogic.End();
    }

    deInitState.Begin();
    root->DeInit(&deInitState);
    Graph::INode* rootNode = root->GetRootNode();
    root.reset();
    Graph::Factory::DestroyGraph(rootNode);
    factory.UnregisterNodeClass(&probe);
    factory.DeInit();
}

} // namespace

// Wall time: the logic thread does its share while the main thread waits.
BENCHMARK(EngineFrame)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(DirectPasses)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
