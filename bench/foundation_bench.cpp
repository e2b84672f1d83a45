// Foundation value types against the standard library in the same run: hash index and map
// with String keys beside std::unordered_map<std::string, ...>, and String copies and appends;
// the XML parser over one very long attribute.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/array.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/xml_parser.h"

namespace {

using namespace Vorn;

constexpr int kKeyCount = 100000;

// Kind 0: short names held inline ("item_000123"); kind 1: resource ids of 20 to 31 bytes;
// kind 2: paths of 32 bytes or more.
std::vector<std::string> MakeKeys(int kind)
{
    std::vector<std::string> keys;
    keys.reserve(kKeyCount);
    char text[96];
    for (int i = 0; i < kKeyCount; ++i) {
        if (kind == 0)
            std::snprintf(text, sizeof(text), "item_%06d", i);
        else if (kind == 1)
            std::snprintf(text, sizeof(text), "textures:tile_%06d_a", i);
        else
            std::snprintf(text, sizeof(text), "packages/level_%03d/graphs/node_%06d.xml", i % 50, i);
        keys.push_back(text);
    }
    return keys;
}

std::vector<String> ToStrings(const std::vector<std::string>& keys)
{
    std::vector<String> strings;
    strings.reserve(keys.size());
    for (const std::string& key : keys)
        strings.emplace_back(key.c_str(), SInt32(key.size()));
    return strings;
}

void IndexInsert(benchmark::State& state)
{
    const std::vector<String> keys = ToStrings(MakeKeys(int(state.range(0))));
    for (auto _ : state) {
        Index<String> index;
        for (const String& key : keys)
            index.Add(key);
        benchmark::DoNotOptimize(index.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

void MapInsert(benchmark::State& state)
{
    const std::vector<String> keys = ToStrings(MakeKeys(int(state.range(0))));
    for (auto _ : state) {
        Map<String, SInt32> map;
        for (SInt32 i = 0; i < kKeyCount; ++i)
            map.Add(keys[size_t(i)], i);
        benchmark::DoNotOptimize(map.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

void StdMapInsert(benchmark::State& state)
{
    const std::vector<std::string> keys = MakeKeys(int(state.range(0)));
    for (auto _ : state) {
        std::unordered_map<std::string, SInt32> map;
        for (SInt32 i = 0; i < kKeyCount; ++i)
            map.emplace(keys[size_t(i)], i);
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

void MapFind(benchmark::State& state)
{
    const std::vector<String> keys = ToStrings(MakeKeys(int(state.range(0))));
    Map<String, SInt32> map;
    for (SInt32 i = 0; i < kKeyCount; ++i)
        map.Add(keys[size_t(i)], i);
    for (auto _ : state) {
        SInt64 sum = 0;
        for (const String& key : keys)
            sum += map.GetValue(map.Find(key));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

void StdMapFind(benchmark::State& state)
{
    const std::vector<std::string> keys = MakeKeys(int(state.range(0)));
    std::unordered_map<std::string, SInt32> map;
    for (SInt32 i = 0; i < kKeyCount; ++i)
        map.emplace(keys[size_t(i)], i);
    for (auto _ : state) {
        SInt64 sum = 0;
        for (const std::string& key : keys)
            sum += map.find(key)->second;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

void MapFindMissing(benchmark::State& state)
{
    const std::vector<String> keys = ToStrings(MakeKeys(int(state.range(0))));
    Map<String, SInt32> map;
    for (SInt32 i = 0; i < kKeyCount / 2; ++i)
        map.Add(keys[size_t(i)], i);
    for (auto _ : state) {
        SInt32 found = 0;
        for (SInt32 i = kKeyCount / 2; i < kKeyCount; ++i)
            found += map.Find(keys[size_t(i)]) >= 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount / 2);
}

void StdMapFindMissing(benchmark::State& state)
{
    const std::vector<std::string> keys = MakeKeys(int(state.range(0)));
    std::unordered_map<std::string, SInt32> map;
    for (SInt32 i = 0; i < kKeyCount / 2; ++i)
        map.emplace(keys[size_t(i)], i);
    for (auto _ : state) {
        SInt32 found = 0;
        for (SInt32 i = kKeyCount / 2; i < kKeyCount; ++i)
            found += map.find(keys[size_t(i)]) != map.end();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount / 2);
}

void IndexUInt32Find(benchmark::State& state)
{
    Index<UInt32> index;
    for (UInt32 i = 0; i < UInt32(kKeyCount); ++i)
        index.Add(i * 2654435761u);
    for (auto _ : state) {
        SInt64 sum = 0;
        for (UInt32 i = 0; i < UInt32(kKeyCount); ++i)
            sum += index.Find(i * 2654435761u);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

void StringCopy(benchmark::State& state)
{
    const std::string text(size_t(state.range(0)), 'x');
    const String source(text.c_str());
    for (auto _ : state) {
        String copy(source);
        benchmark::DoNotOptimize(copy.GetText());
    }
}

void StdStringCopy(benchmark::State& state)
{
    const std::string source(size_t(state.range(0)), 'x');
    for (auto _ : state) {
        std::string copy(source);
        benchmark::DoNotOptimize(copy.data());
    }
}

void StringAppend(benchmark::State& state)
{
    for (auto _ : state) {
        String text;
        for (int i = 0; i < 10000; ++i)
            text.Append("abc", 3);
        benchmark::DoNotOptimize(text.GetText());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void StdStringAppend(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text;
        for (int i = 0; i < 10000; ++i)
            text.append("abc", 3);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void StringHash(benchmark::State& state)
{
    const std::vector<String> keys = ToStrings(MakeKeys(int(state.range(0))));
    for (auto _ : state) {
        UInt32 sum = 0;
        for (const String& key : keys)
            sum += key.GetHash();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeyCount);
}

// A document whose one attribute is 100 MB long, whole and cut before its closing quote; the
// parse should take seconds, not minutes.
class LongAttributeReader : public Util::XmlParser
{
public:
    Bool IsRootElement(const String& name) override { return name == "scene"; }
    Bool OnRootElement(const String&, Util::Attributes*) override { return true; }
    Bool OnElement(const String&, Util::Attributes*) override { return true; }
};

void XmlHundredMegabyteAttribute(benchmark::State& state)
{
    std::string document = "<scene big=\"";
    document.append(100u * 1024u * 1024u, 'x');
    const std::string whole = document + "\"/>";
    for (auto _ : state) {
        LongAttributeReader reader;
        benchmark::DoNotOptimize(reader.Parse(whole.data(), UInt32(whole.size())));
        LongAttributeReader truncated;
        benchmark::DoNotOptimize(truncated.Parse(document.data(), UInt32(document.size())));
    }
    state.SetBytesProcessed(state.iterations() * SInt64(whole.size() + document.size()));
}

// Argument: key kind (0 inline, 1 private block, 2 shared block).
BENCHMARK(IndexInsert)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(MapInsert)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapInsert)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(MapFind)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapFind)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(MapFindMissing)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(StdMapFindMissing)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(IndexUInt32Find)->Unit(benchmark::kMillisecond);
BENCHMARK(StringHash)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
// Argument: text length in bytes.
BENCHMARK(StringCopy)->Arg(14)->Arg(20)->Arg(48);
BENCHMARK(StdStringCopy)->Arg(14)->Arg(20)->Arg(48);
BENCHMARK(StringAppend);
BENCHMARK(StdStringAppend);
BENCHMARK(XmlHundredMegabyteAttribute)->Unit(benchmark::kSecond);

} // namespace
