// Scene graph passes and node paths. A tree of about 10 000 nodes (transforms, containers and
// drawable-like leaves that register with a view) goes through one ProcessLogic and one
// PrepareOutput pass per iteration: the time per node shows what the pass drivers, the lazy
// transform stacks and registration cost. A node 8 namespaces deep is found by path: the time
// per lookup should grow only with the depth, not with the number of siblings per level. A text
// drawable gets a new text of 32 glyphs and lays it out in PrepareOutput: the time per glyph, beside
// that of the measuring pass alone, shows what writing the quads adds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "graph/display/display_text.h"
#include "graph/factory.h"
#include "graph/init_state.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/output_states.h"
#include "graph/prepare_output_state.h"
#include "graph/process_logic_state.h"
#include "graph/renderable.h"
#include "graph/root.h"
#include "graph/transform/scalable.h"
#include "graph/service_state.h"
#include "resource/native_font.h"
#include "resource/xml_graph.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_display_renderer.h"
#include "tests/support/fake_resource_collection.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_view.h"
#include "tests/support/font_fixture.h"
#include "tests/support/probe_node.h"

using namespace Vorn;

namespace {

// Stand-ins for the node classes of later parts, doing what they do in these two passes.
class BenchContainer : public Graph::Node
{
public:
    BenchContainer() { AddFlags(kNeedsProcessLogic | kNeedsPrepareOutput); }
};

class BenchTransform : public Graph::Node
{
public:
    explicit BenchTransform(float x)
    {
        AddFlags(kNeedsProcessLogic | kNeedsPrepareOutput);
        mMatrix.SetTranslation(x, 1.0f, 0.0f);
    }

protected:
    Bool ProcessLogicSelf(Graph::IProcessLogicState* state) override
    {
        state->PushRelativeTransform(mMatrix);
        return true;
    }
    Bool ProcessLogicChildren(Graph::IProcessLogicState* state) override
    {
        const Bool done = Node::ProcessLogicChildren(state);
        state->PopTransform();
        return done;
    }
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        state->PushRelativeTransform(mMatrix);
        return true;
    }
    Bool PrepareOutputChildren(Graph::IPrepareOutputState* state) override
    {
        const Bool done = Node::PrepareOutputChildren(state);
        state->PopTransform();
        return done;
    }

private:
    Math::Matrix<float> mMatrix;
};

// A plane: positioned like a transform, registered with the view to be culled.
class BenchPlane : public BenchTransform, public Graph::IRenderable
{
public:
    explicit BenchPlane(float x) : BenchTransform(x) {}
    Bool CullOutput(Graph::ICullOutputState*) override { return true; }
    Bool EnqueueOutput(Graph::IEnqueueOutputState*) override { return true; }

protected:
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        BenchTransform::PrepareOutputSelf(state);
        state->AddRenderable(this, true);
        return true;
    }
};

// 1 + 10 transforms + 100 containers + 1000 transforms + 9000 planes.
std::vector<std::unique_ptr<Graph::Node>> BuildTree(Graph::Node*& top)
{
    std::vector<std::unique_ptr<Graph::Node>> nodes;
    auto add = [&nodes](Graph::Node* parent, Graph::Node* child) {
        nodes.emplace_back(child);
        if (parent)
            parent->AddChild(child);
        return child;
    };
    top = add(nullptr, new BenchContainer());
    for (int a = 0; a < 10; ++a) {
        Graph::Node* transform = add(top, new BenchTransform(float(a)));
        for (int b = 0; b < 10; ++b) {
            Graph::Node* container = add(transform, new BenchContainer());
            for (int c = 0; c < 10; ++c) {
                Graph::Node* inner = add(container, new BenchTransform(float(c)));
                for (int d = 0; d < 9; ++d)
                    add(inner, new BenchPlane(float(d)));
            }
        }
    }
    return nodes;
}

void BM_ProcessLogicAndPrepareOutput(benchmark::State& benchState)
{
    Testing::FakeClock clock;
    Graph::InitState init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    Graph::ProcessLogicState process(nullptr, nullptr);
    Graph::PrepareOutputState prepare(nullptr);
    init.Init(&clock);
    process.Init(&clock);
    prepare.Init(&clock);
    Graph::Node* top = nullptr;
    std::vector<std::unique_ptr<Graph::Node>> nodes = BuildTree(top);
    init.Begin();
    if (!top->Init(&init)) {
        benchState.SkipWithError("Init failed");
        return;
    }
    Testing::FakeView view;
    view.mRenderables.reserve(nodes.size());

    for (auto _ : benchState) {
        process.Begin();
        process.BeginStep();
        Bool done = top->ProcessLogic(&process);
        process.EndStep();
        view.mRenderables.clear();
        prepare.Begin();
        prepare.PushView(&view);
        done = top->PrepareOutput(&prepare) && done;
        prepare.PopView();
        benchmark::DoNotOptimize(done);
    }
    if (process.GetCounter() != nodes.size() || prepare.GetCounter() != nodes.size() ||
        view.mRenderables.size() != 9000)
        benchState.SkipWithError("not every node was visited");
    // Nodes visited per second; the reciprocal is the time per node for both passes together.
    benchState.SetItemsProcessed(SInt64(benchState.iterations()) * SInt64(nodes.size()));
    benchState.counters["nodes"] = double(nodes.size());
    Graph::DeInitState deInit(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    deInit.Init(&clock);
    deInit.Begin();
    top->DeInit(&deInit);
    // Leaves first, as the engine destroys trees.
    while (!nodes.empty())
        nodes.pop_back();
}

// Eight nested namespaces "n1" ... "n8", each beside `siblings` other named nodes, the target
// "leaf" in the innermost one.
std::string MakeNestedGraph(int siblings)
{
    std::string xml = "<Graph><Namespace>";
    for (int level = 1; level <= 8; ++level) {
        for (int s = 0; s < siblings; ++s) {
            char sibling[48];
            std::snprintf(sibling, sizeof(sibling), "<Container id='s%d_%d'/>", level, s);
            xml += sibling;
        }
        char open[32];
        std::snprintf(open, sizeof(open), "<Namespace id='n%d'>", level);
        xml += open;
    }
    xml += "<Container id='leaf'/>";
    for (int level = 1; level <= 8; ++level)
        xml += "</Namespace>";
    xml += "</Namespace></Graph>";
    return xml;
}

void BM_FindNodeEightLevelsDeep(benchmark::State& benchState)
{
    const int siblings = int(benchState.range(0));
    Testing::FakeClock clock;
    Testing::FakeResourceCollection collection;
    Graph::Factory factory;
    factory.Init();
    Graph::InitState init(nullptr, &factory, nullptr, nullptr, nullptr, nullptr, nullptr, &collection);
    Graph::DeInitState deInit(nullptr, &factory, nullptr, nullptr, nullptr, nullptr, nullptr, &collection);
    init.Init(&clock);
    deInit.Init(&clock);
    init.Begin();

    const std::string xml = MakeNestedGraph(siblings);
    Bool releaseData = false;
    Bool failed = false;
    std::unique_ptr<Resource::IObject> graphObject(Resource::XmlGraph::Create(
        nullptr, String("nested"), xml.c_str(), UInt32(xml.size()), nullptr, 0, &releaseData, &failed));
    Resource::XmlGraph* graph = static_cast<Resource::XmlGraph*>(graphObject.get());
    Graph::INode* top = graph ? factory.CreateGraph(graph, nullptr) : nullptr;
    Graph::INamespace* nameSpace = top ? dynamic_cast<Graph::INamespace*>(top->GetChild(0)) : nullptr;
    if (!nameSpace || !top->Init(&init)) {
        benchState.SkipWithError("scene not built");
        return;
    }
    const String path("n1/n2/n3/n4/n5/n6/n7/n8/leaf");
    for (auto _ : benchState) {
        Graph::INode* node = nameSpace->FindNode(path);
        benchmark::DoNotOptimize(node);
        if (node)
            node->RemoveReference();
        else
            benchState.SkipWithError("path not found");
    }
    benchState.SetItemsProcessed(benchState.iterations());
    deInit.Begin();
    top->DeInit(&deInit);
    Graph::Factory::DestroyGraph(top);
    factory.DeInit();
}

// A text drawable of 32 reserved glyphs over the test font, initialised with the engine's states
// and fake back-ends; destroyed with the scene.
class TextScene
{
public:
    TextScene()
        : mInit(nullptr, &mFactory, nullptr, nullptr, &mDisplay, nullptr, nullptr, &mCollection),
          mDeInit(nullptr, &mFactory, nullptr, nullptr, &mDisplay, nullptr, nullptr, &mCollection)
    {
        mFactory.Init();
        mInit.Init(&mClock);
        mDeInit.Init(&mClock);
        mInit.Begin();
        mCollection.AddObject("bench:font", &Resource::NativeFont::Create, Testing::MakeTestFontFile());
        const std::string xml = "<Graph><DisplayText fontResourceId='bench:font' reservedCharacters='32'/></Graph>";
        Bool releaseData = false;
        Bool failed = false;
        mGraph.reset(Resource::XmlGraph::Create(nullptr, String("text"), xml.c_str(), UInt32(xml.size()), nullptr, 0,
                                                &releaseData, &failed));
        mTop = mGraph ? mFactory.CreateGraph(static_cast<Resource::XmlGraph*>(mGraph.get()), nullptr) : nullptr;
        if (mTop != nullptr && mTop->Init(&mInit))
            mText = dynamic_cast<Graph::DisplayText*>(mTop->GetChild(0));
    }
    ~TextScene()
    {
        if (mTop != nullptr) {
            mDeInit.Begin();
            mTop->DeInit(&mDeInit);
            Graph::Factory::DestroyGraph(mTop);
        }
        mFactory.DeInit();
    }

    Testing::FakeClock mClock;
    Testing::FakeResourceCollection mCollection;
    Testing::FakeDisplayRenderer mDisplay;
    Graph::Factory mFactory;
    Graph::InitState mInit;
    Graph::DeInitState mDeInit;
    std::unique_ptr<Resource::IObject> mGraph;
    Graph::INode* mTop = nullptr;
    Graph::DisplayText* mText = nullptr;
};

const String kTexts[2] = {String("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"), String("543210ZYXWVUTSRQPONMLKJIHGFEDCBA")};

void BM_DisplayTextSetTextAndLayout(benchmark::State& benchState)
{
    TextScene scene;
    if (scene.mText == nullptr) {
        benchState.SkipWithError("text not built");
        return;
    }
    Graph::PrepareOutputState prepare(nullptr);
    prepare.Init(&scene.mClock);
    Testing::FakeView view;
    UInt32 flip = 0;
    for (auto _ : benchState) {
        scene.mText->SetText(kTexts[flip ^= 1]);
        view.mRenderables.clear();
        prepare.Begin();
        prepare.PushView(&view);
        const Bool done = scene.mText->PrepareOutput(&prepare);
        prepare.PopView();
        benchmark::DoNotOptimize(done);
    }
    if (scene.mText->GetNumberOfQuads() != 32)
        benchState.SkipWithError("not every glyph was laid out");
    // Glyphs per second; the reciprocal is the time per glyph.
    benchState.SetItemsProcessed(SInt64(benchState.iterations()) * 32);
}

void BM_DisplayTextMeasure(benchmark::State& benchState)
{
    TextScene scene;
    if (scene.mText == nullptr) {
        benchState.SkipWithError("text not built");
        return;
    }
    scene.mText->SetText(kTexts[0]);
    Graph::DisplayText::Extent extent{};
    for (auto _ : benchState) {
        const Bool done = scene.mText->Measure(extent);
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(extent);
    }
    if (extent.mCount != 32)
        benchState.SkipWithError("not every glyph was measured");
    benchState.SetItemsProcessed(SInt64(benchState.iterations()) * 32);
}

// Drawn planes: 10 000 DisplayPlanes under one view with a perspective camera go through a logic
// step and the three output passes of a frame (prepare, cull, enqueue into the fake display
// renderer), with
// their scale unchanged (range 0) or changed on every plane (range 1, one vertex rebuild and one
// upload each); range 2 runs the same passes over stand-in renderables that do no work of their
// own. Items are planes, so the reciprocal of the rate is the time per plane.
class BenchStandIn : public Graph::Node, public Graph::IRenderable
{
public:
    BenchStandIn() { AddFlags(kNeedsPrepareOutput); }
    static Graph::INode* Create() { return new BenchStandIn(); }
    Bool CullOutput(Graph::ICullOutputState*) override { return true; }
    Bool EnqueueOutput(Graph::IEnqueueOutputState*) override { return true; }

protected:
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        state->AddRenderable(this, true);
        return true;
    }
};

void BM_DisplayPlaneOutputPasses(benchmark::State& benchState)
{
    constexpr int kPlanes = 10000;
    const int mode = int(benchState.range(0));
    Testing::FakeClock clock;
    Testing::FakeResourceCollection collection;
    Testing::FakeConfiguration configuration;
    configuration.SetDisplaySurfaceSize(1280, 800);
    Testing::FakeDisplayRenderer display;
    Graph::Factory factory;
    factory.Init();
    Testing::NodeClassRegistration classes(factory, {{"BenchStandIn", &BenchStandIn::Create}});
    Graph::InitState init(&configuration, &factory, nullptr, nullptr, &display, nullptr, nullptr, &collection);
    Graph::DeInitState deInit(&configuration, &factory, nullptr, nullptr, &display, nullptr, nullptr, &collection);
    Graph::ProcessLogicState process(nullptr, nullptr);
    Graph::PrepareOutputState prepare(nullptr);
    Graph::CullOutputState cull;
    Graph::EnqueueOutputState enqueue(&display, nullptr);
    init.Init(&clock);
    deInit.Init(&clock);
    process.Init(&clock);
    prepare.Init(&clock);
    cull.Init(&clock);
    enqueue.Init(&clock);

    std::string xml = "<Graph><Namespace><View><PerspectiveCamera fieldOfViewX='1' zw='100'/>";
    const char* element = mode == 2 ? "<BenchStandIn/>" : "<DisplayPlane scaleFactor='0.5'/>";
    for (int i = 0; i < kPlanes; ++i)
        xml += element;
    xml += "</View></Namespace></Graph>";
    Bool releaseData = false;
    Bool failed = false;
    std::unique_ptr<Resource::IObject> graphObject(Resource::XmlGraph::Create(
        nullptr, String("planes"), xml.c_str(), UInt32(xml.size()), nullptr, 0, &releaseData, &failed));
    const Resource::IGraph* graph = dynamic_cast<const Resource::IGraph*>(graphObject.get());
    Graph::INode* top = graph != nullptr ? factory.CreateGraph(graph, nullptr) : nullptr;
    if (top == nullptr) {
        benchState.SkipWithError("graph not built");
        return;
    }
    Graph::Root root(top->GetChild(0));
    init.SetRoot(&root);
    deInit.SetRoot(&root);
    process.SetRoot(&root);
    prepare.SetRoot(&root);
    cull.SetRoot(&root);
    enqueue.SetRoot(&root);
    init.Begin();
    if (!top->Init(&init)) {
        benchState.SkipWithError("Init failed");
        return;
    }
    std::vector<Graph::IScalable*> planes;
    Graph::INode* view = top->GetChild(0)->GetChild(0);
    for (UInt32 i = 0; i < view->GetNumberOfChildren(); ++i) {
        if (auto* plane = dynamic_cast<Graph::IScalable*>(view->GetChild(i)))
            planes.push_back(plane);
    }

    Float scale = 1.0f;
    for (auto _ : benchState) {
        if (mode == 1) {
            scale = scale == 1.0f ? 2.0f : 1.0f;
            for (Graph::IScalable* plane : planes)
                plane->SetScaleFactor(scale, scale, 1.0f);
        }
        // The view takes its renderables again after a logic step, as in every engine frame.
        process.Begin();
        process.BeginStep();
        Bool done = root.ProcessLogic(&process);
        process.EndStep();
        prepare.Begin();
        done = root.PrepareOutput(&prepare) && done;
        cull.Begin();
        done = root.CullOutput(&cull) && done;
        display.BeginFrame();
        enqueue.Begin();
        done = root.EnqueueOutput(&enqueue) && done;
        benchmark::DoNotOptimize(done);
    }
    if (display.mDrawables.size() != (mode == 2 ? 0u : size_t(kPlanes)))
        benchState.SkipWithError("not every plane was drawn");
    benchState.SetItemsProcessed(SInt64(benchState.iterations()) * kPlanes);
    deInit.Begin();
    top->DeInit(&deInit);
    Graph::Factory::DestroyGraph(top);
    factory.DeInit();
}

} // namespace

BENCHMARK(BM_DisplayTextSetTextAndLayout);
BENCHMARK(BM_DisplayTextMeasure);
BENCHMARK(BM_ProcessLogicAndPrepareOutput)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindNodeEightLevelsDeep)->Arg(1)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_DisplayPlaneOutputPasses)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
