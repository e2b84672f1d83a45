// Native packages of many small graph resources: opening one (reading every resource in place)
// and looking each resource up by id. Lookups go through the package's hash indexes, so the time
// per query should stay flat as the package grows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/data.h"
#include "resource/graph.h"
#include "resource/native_graph.h"
#include "resource/native_package.h"
#include "tests/support/fake_configuration.h"

using namespace Vorn;

namespace {

class OneNodeGraph : public Resource::IGraph, public Resource::IGraphNode
{
public:
    const IGraphNode* GetRootNode() const override { return this; }
    const IAttributes* GetRootAttributes() const override { return &mAttributes; }
    String GetClassName() const override { return "Container"; }
    UInt32 GetNumberOfChildren() const override { return 0; }
    const IGraphNode* GetChild(UInt32) const override { return nullptr; }
    const IAttributes* GetAttributes() const override { return &mAttributes; }

private:
    Util::Attributes mAttributes;
};

String MakeId(UInt32 index)
{
    char id[32];
    std::snprintf(id, sizeof(id), "graph_%u", index);
    return String(id);
}

// One package file per size, built once: count one-node graphs named "graph_<n>", every other
// one with an include word for the configured language.
const Data& GetPackageFile(UInt32 count)
{
    static std::map<UInt32, Data> files;
    Data& file = files[count];
    if (file.IsEmpty()) {
        static const UInt32 kGerman = 0x40000000 | UInt32(Enums::Language::GERMAN);
        OneNodeGraph graph;
        Data graphFile;
        Resource::NativeGraph::Write(&graph, graphFile);
        Resource::NativePackageWriter writer("bench");
        for (UInt32 i = 0; i < count; ++i)
            writer.AddResource(MakeId(i), graphFile.GetData(), graphFile.GetSize(), (i & 1) != 0 ? &kGerman : nullptr,
                               (i & 1) != 0 ? 1 : 0);
        writer.GetData(file);
    }
    return file;
}

Testing::FakeConfiguration& GetConfiguration()
{
    static Testing::FakeConfiguration configuration;
    configuration.SetLanguage(Enums::Language::GERMAN);
    return configuration;
}

void BM_OpenNativePackage(benchmark::State& state)
{
    const UInt32 count = UInt32(state.range(0));
    const Data& file = GetPackageFile(count);
    for (auto _ : state) {
        Bool releaseData = true;
        Bool failed = false;
        std::unique_ptr<Resource::Package> package(Resource::NativePackage::Create(
            &GetConfiguration(), nullptr, String(), file.GetData(), file.GetSize(), &releaseData, &failed));
        if (package == nullptr) {
            state.SkipWithError("package did not open");
            break;
        }
        benchmark::DoNotOptimize(package.get());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_OpenNativePackage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LookUpEveryResource(benchmark::State& state)
{
    const UInt32 count = UInt32(state.range(0));
    const Data& file = GetPackageFile(count);
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::Package> package(Resource::NativePackage::Create(
        &GetConfiguration(), nullptr, String(), file.GetData(), file.GetSize(), &releaseData, &failed));
    std::vector<String> ids;
    for (UInt32 i = 0; i < count; ++i)
        ids.push_back(MakeId(i));
    if (package == nullptr) {
        state.SkipWithError("package did not open");
        return;
    }
    for (auto _ : state) {
        for (const String& id : ids)
            benchmark::DoNotOptimize(package->GetGraph(id));
    }
    // Items are single lookups, so items per second shows the cost of one query.
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LookUpEveryResource)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
