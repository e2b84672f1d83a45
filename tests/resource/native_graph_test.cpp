#include "resource/native_graph.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/attributes.h"
#include "foundation/byte_order.h"
#include "foundation/iff_stream.h"
#include "resource/native_package.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace {

using Resource::IGraph;
using Resource::IGraphNode;
using Resource::NativeGraph;

constexpr UInt32 kHead = MakeTag("HEAD");
constexpr UInt32 kStrings = MakeTag("STRG");
constexpr UInt32 kAttributes = MakeTag("ATTR");
constexpr UInt32 kNodes = MakeTag("NODE");

// Root 0 with children A (1) and B (2); A has child C (3). "Container" is used three times.
const char* const kPopupXml = R"(<Graph name="popup" width="{w}">
  <Transform id="a" position="1,2,3">
    <Container id="c"/>
  </Transform>
  <Container id="b" visible="false"/>
</Graph>)";

UInt32 Word(const UInt8* bytes)
{
    return UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) | (UInt32(bytes[3]) << 24);
}

struct TestChunk
{
    UInt32 tag;
    std::vector<UInt8> payload;

    UInt32 Get(UInt32 offset) const { return Word(payload.data() + offset); }
    void Set(UInt32 offset, UInt32 value)
    {
        for (UInt32 i = 0; i < 4; ++i)
            payload[offset + i] = UInt8(value >> (8 * i));
    }
};

std::vector<TestChunk> SplitChunks(const Data& file)
{
    std::vector<TestChunk> chunks;
    const UInt8* bytes = file.GetData();
    for (UInt32 offset = 12; offset + 8 <= file.GetSize();) {
        const UInt32 size = Word(bytes + offset + 4);
        const UInt32 tag = (UInt32(bytes[offset]) << 24) | (UInt32(bytes[offset + 1]) << 16) |
                           (UInt32(bytes[offset + 2]) << 8) | UInt32(bytes[offset + 3]);
        chunks.push_back({tag, std::vector<UInt8>(bytes + offset + 8, bytes + offset + 8 + size)});
        offset += 8 + size;
    }
    return chunks;
}

Data JoinChunks(const std::vector<TestChunk>& chunks, UInt32 form = MakeTag("GRPH"))
{
    Util::IffData file(form);
    for (const TestChunk& chunk : chunks) {
        UInt8* block = file.CreateChunk(chunk.tag, 8, UInt32(chunk.payload.size()));
        if (!chunk.payload.empty())
            std::memcpy(block + 8, chunk.payload.data(), chunk.payload.size());
        file.AddChunk(block);
    }
    Data data;
    file.GetData(data);
    return data;
}

TestChunk* FindChunk(std::vector<TestChunk>& chunks, UInt32 tag)
{
    for (TestChunk& chunk : chunks) {
        if (chunk.tag == tag)
            return &chunk;
    }
    return nullptr;
}

// The strings of an STRG payload, in index order.
std::vector<std::string> ReadStrings(const TestChunk& strings)
{
    const UInt32 tableOffset = strings.Get(0);
    const UInt32 dataOffset = strings.Get(4);
    std::vector<std::string> texts;
    for (UInt32 entry = tableOffset; entry < dataOffset; entry += 4)
        texts.emplace_back(reinterpret_cast<const char*>(strings.payload.data() + dataOffset + strings.Get(entry)));
    return texts;
}

// One run of the creator over a private copy of the bytes, exactly as large as they are, so that
// the address sanitizer sees any read past them. The graph is destroyed before its bytes.
struct Creation
{
    std::unique_ptr<UInt8[]> bytes;
    std::unique_ptr<Resource::IObject> object;
    Bool releaseData = false;
    Bool failed = false;
    std::string log;

    const IGraph* GetGraph() const { return dynamic_cast<const IGraph*>(object.get()); }
};

std::unique_ptr<Creation> Create(const void* data, UInt32 size)
{
    std::unique_ptr<Creation> creation(new Creation);
    creation->bytes.reset(new UInt8[size > 0 ? size : 1]);
    if (size > 0)
        std::memcpy(creation->bytes.get(), data, size);
    ::testing::internal::CaptureStderr();
    creation->object.reset(NativeGraph::Create(nullptr, String("graph"), creation->bytes.get(), size, nullptr, 0,
                                               &creation->releaseData, &creation->failed));
    creation->log = ::testing::internal::GetCapturedStderr();
    return creation;
}

std::unique_ptr<Creation> Create(const Data& data)
{
    return Create(data.GetData(), data.GetSize());
}

SInt32 CountLines(const std::string& text)
{
    SInt32 lines = 0;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    return lines;
}

// Reads every node, attribute and text of the graph, so that the sanitizers see every byte the
// views touch; returns the number of nodes visited.
SInt32 ReadEverything(const IGraph* graph)
{
    SInt32 visited = 0;
    std::vector<const IGraphNode*> pending{graph->GetRootNode()};
    while (!pending.empty()) {
        const IGraphNode* node = pending.back();
        pending.pop_back();
        ++visited;
        EXPECT_GE(node->GetClassName().GetLength(), 0);
        const IAttributes* attributes = node->GetAttributes();
        for (UInt32 i = 0; i < attributes->GetNumberOfAttributes(); ++i) {
            String name;
            String value;
            EXPECT_TRUE(attributes->GetNameAndValue(i, &name, &value));
            EXPECT_EQ(std::strlen(attributes->GetAttributeValue(i)), size_t(value.GetLength()));
            attributes->GetAttributeHash(i);
            Bool error = false;
            String text;
            attributes->GetValue(nullptr, name.GetText(), &text, &error);
            attributes->GetValue(i, nullptr, &text, &error);
        }
        EXPECT_EQ(node->GetChild(node->GetNumberOfChildren()), nullptr);
        for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i)
            pending.push_back(node->GetChild(i));
    }
    return visited;
}

TEST(NativeGraphWriterTest, NumbersNodesParentFirstAndPoolsStrings)
{
    const Data file = Testing::MakeNativeGraph(kPopupXml);
    std::vector<TestChunk> chunks = SplitChunks(file);
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].tag, kHead);
    EXPECT_EQ(chunks[1].tag, kStrings);
    EXPECT_EQ(chunks[2].tag, kAttributes);
    EXPECT_EQ(chunks[3].tag, kNodes);

    const TestChunk& head = chunks[0];
    ASSERT_EQ(head.payload.size(), 12u);
    EXPECT_EQ(std::memcmp(head.payload.data(), "0.01", 4), 0);
    EXPECT_EQ(head.Get(4), 4u);
    EXPECT_EQ(head.Get(8), 0u);

    // First use order: root class, each expanded node's names and values, then its children's classes.
    const std::vector<std::string> expected = {"Container", "name", "popup", "width", "{w}", "Transform",
                                               "id", "a", "position", "1,2,3", "c", "b", "visible", "false"};
    EXPECT_EQ(ReadStrings(chunks[1]), expected);
    SInt32 stringBytes = 0;
    for (const std::string& text : expected)
        stringBytes += SInt32(text.size()) + 1;
    EXPECT_EQ(chunks[1].Get(0), 8u);
    EXPECT_EQ(chunks[1].Get(4), 8u + 4u * UInt32(expected.size()));
    EXPECT_EQ(chunks[1].payload.size(), 8 + 4 * expected.size() + ((stringBytes + 3) & ~3));

    const TestChunk& attributes = chunks[2];
    ASSERT_EQ(attributes.payload.size(), 4u + 12u * 7u);
    EXPECT_EQ(attributes.Get(0), 4u);
    EXPECT_EQ(attributes.Get(4), String("name").GetHash());
    EXPECT_EQ(attributes.Get(4 + 12 * 6), String("visible").GetHash());

    // Records: class name, attribute count, first attribute, child count, first child.
    const TestChunk& nodes = chunks[3];
    ASSERT_EQ(nodes.payload.size(), 4u + 20u * 4u);
    EXPECT_EQ(nodes.Get(0), 4u);
    const UInt32 records[4][5] = {
        {0, 2, 0, 2, 1}, // root
        {5, 2, 2, 1, 3}, // A: Transform
        {0, 2, 5, 0, 4}, // B: expanded after A's whole subtree
        {0, 1, 4, 0, 4}, // C
    };
    for (UInt32 node = 0; node < 4; ++node) {
        for (UInt32 field = 0; field < 5; ++field)
            EXPECT_EQ(nodes.Get(4 + node * 20 + field * 4), records[node][field]) << node << " " << field;
    }
}

TEST(NativeGraphWriterTest, FailsWithoutRootNode)
{
    Resource::XmlGraph empty(String("empty"), nullptr, 0, nullptr, 0, nullptr);
    Data bytes;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(NativeGraph::Write(&empty, bytes));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Resource::NativeGraph::Write(): Graph has no root node\n");
}

TEST(NativeGraphTest, ReadsWrittenGraphBackInPlace)
{
    std::unique_ptr<Resource::XmlGraph> source = Testing::ParseXmlGraph(kPopupXml);
    Data file;
    ASSERT_TRUE(source->GetNativeData(file));
    const std::unique_ptr<Creation> creation = Create(file);
    const IGraph* graph = creation->GetGraph();
    ASSERT_NE(graph, nullptr);
    EXPECT_FALSE(creation->releaseData);
    EXPECT_FALSE(creation->failed);
    EXPECT_EQ(creation->log, "");

    // Same tree, class names, attributes in order, and the stored hash of every name.
    std::vector<std::pair<const IGraphNode*, const IGraphNode*>> pending{{source->GetRootNode(), graph->GetRootNode()}};
    while (!pending.empty()) {
        const auto [expected, actual] = pending.back();
        pending.pop_back();
        EXPECT_EQ(actual->GetClassName(), expected->GetClassName());
        const IAttributes* want = expected->GetAttributes();
        const IAttributes* have = actual->GetAttributes();
        ASSERT_EQ(have->GetNumberOfAttributes(), want->GetNumberOfAttributes());
        for (UInt32 i = 0; i < want->GetNumberOfAttributes(); ++i) {
            EXPECT_STREQ(have->GetAttributeName(i), want->GetAttributeName(i));
            EXPECT_STREQ(have->GetAttributeValue(i), want->GetAttributeValue(i));
            EXPECT_EQ(have->GetAttributeHash(i), String(want->GetAttributeName(i)).GetHash());
        }
        ASSERT_EQ(actual->GetNumberOfChildren(), expected->GetNumberOfChildren());
        for (UInt32 i = 0; i < expected->GetNumberOfChildren(); ++i)
            pending.push_back({expected->GetChild(i), actual->GetChild(i)});
    }
    EXPECT_EQ(graph->GetRootAttributes(), graph->GetRootNode()->GetAttributes());

    // Texts are read in place, and the native form is the source bytes unchanged.
    const UInt8* begin = creation->bytes.get();
    const char* name = graph->GetRootAttributes()->GetAttributeName(0);
    EXPECT_TRUE(reinterpret_cast<const UInt8*>(name) >= begin &&
                reinterpret_cast<const UInt8*>(name) < begin + file.GetSize());
    Data copy;
    ASSERT_TRUE(dynamic_cast<const Resource::Object*>(creation->object.get())->GetNativeData(copy));
    ASSERT_EQ(copy.GetSize(), file.GetSize());
    EXPECT_EQ(std::memcmp(copy.GetData(), file.GetData(), file.GetSize()), 0);
}

TEST(NativeGraphTest, LoadsChunksInAnyOrderWithoutAttributesAndSkipsUnknownOnes)
{
    std::vector<TestChunk> chunks = SplitChunks(Testing::MakeNativeGraph("<Graph><Sprite/><Text/></Graph>"));
    ASSERT_EQ(chunks.size(), 4u);
    ASSERT_EQ(chunks[2].payload.size(), 4u); // an empty ATTR chunk
    const std::vector<TestChunk> reordered = {chunks[0], {MakeTag("XTRA"), {1, 2, 3, 4}}, chunks[3], chunks[1]};
    const std::unique_ptr<Creation> creation = Create(JoinChunks(reordered));
    ASSERT_NE(creation->GetGraph(), nullptr) << creation->log;
    const IGraphNode* root = creation->GetGraph()->GetRootNode();
    ASSERT_EQ(root->GetNumberOfChildren(), 2u);
    EXPECT_EQ(root->GetChild(1)->GetClassName(), "Text");
    EXPECT_EQ(root->GetAttributes()->GetNumberOfAttributes(), 0u);
    EXPECT_EQ(creation->log, "");
}

TEST(NativeGraphTest, DeclinesOtherDataSilently)
{
    const Data file = Testing::MakeNativeGraph(kPopupXml);
    std::vector<TestChunk> chunks = SplitChunks(file);
    std::vector<TestChunk> newerVersion = chunks;
    std::memcpy(newerVersion[0].payload.data(), "0.02", 4);
    std::vector<TestChunk> noHeadFirst = {chunks[1], chunks[0], chunks[2], chunks[3]};

    const std::vector<std::pair<const char*, Data>> cases = {
        {"version 0.02", JoinChunks(newerVersion)},
        {"another form", JoinChunks(chunks, MakeTag("MESH"))},
        {"first chunk not HEAD", JoinChunks(noHeadFirst)},
        {"XML text", Data("<Graph/>", 8)},
        {"empty", Data()},
    };
    for (const auto& [name, data] : cases) {
        const std::unique_ptr<Creation> creation = Create(data);
        EXPECT_EQ(creation->object, nullptr) << name;
        EXPECT_EQ(creation->log, "") << name;
        EXPECT_TRUE(creation->releaseData) << name;
        EXPECT_FALSE(creation->failed) << name;
    }
}

// Each case edits a valid file; the creator refuses it with exactly the one line given, never
// sets failed (the next creator gets the bytes), and never reads outside them.
TEST(NativeGraphTest, RefusesBrokenGraphFilesWithOneLine)
{
    struct Case
    {
        const char* message;
        void (*edit)(std::vector<TestChunk>& chunks);
    };
    const Case cases[] = {
        {"File cannot contain more than one strings chunk",
         [](std::vector<TestChunk>& c) { c.push_back(c[1]); }},
        {"File cannot contain more than one attributes chunk",
         [](std::vector<TestChunk>& c) { c.push_back(c[2]); }},
        {"File cannot contain more than one nodes chunk",
         [](std::vector<TestChunk>& c) { c.push_back(c[3]); }},
        {"File does not contain any strings", [](std::vector<TestChunk>& c) { c.erase(c.begin() + 1); }},
        {"File does not contain any nodes", [](std::vector<TestChunk>& c) { c.erase(c.begin() + 3); }},
        {"Header chunk is too short", [](std::vector<TestChunk>& c) { c[0].payload.resize(8); }},
        {"File does not contain a root node", [](std::vector<TestChunk>& c) { c[0].Set(4, 0); }},
        {"Nodes chunk is too short for 5 nodes", [](std::vector<TestChunk>& c) { c[0].Set(4, 5); }},
        {"Nodes chunk is too short for 4 nodes", [](std::vector<TestChunk>& c) { c[3].Set(0, 8); }},
        {"Strings chunk offsets lie outside the chunk", [](std::vector<TestChunk>& c) { c[1].Set(4, 0x10000); }},
        {"Node #0 refers to a string outside the strings chunk",
         [](std::vector<TestChunk>& c) { c[3].Set(4, 14); }}, // one past the 14 strings
        {"Node #0 refers to a string outside the strings chunk",
         [](std::vector<TestChunk>& c) { c[1].Set(8, 0x7FFFFFFF); }}, // offset of string 0
        {"Node #0 refers to a string outside the strings chunk",
         [](std::vector<TestChunk>& c) {
             // String 0 moved onto four bytes at the chunk end with no zero byte behind them.
             const UInt32 end = UInt32(c[1].payload.size()) - c[1].Get(4);
             c[1].payload.insert(c[1].payload.end(), {'x', 'y', 'z', 'w'});
             c[1].Set(8, end);
         }},
        {"Attribute #6 refers to a string outside the strings chunk",
         [](std::vector<TestChunk>& c) { c[2].Set(4 + 12 * 6 + 8, 99); }},
        {"Attributes chunk offset lies outside the chunk", [](std::vector<TestChunk>& c) { c[2].Set(0, 200); }},
        {"Node #1 has attributes outside the attributes chunk",
         [](std::vector<TestChunk>& c) { c[3].Set(4 + 20 + 8, 6); }}, // A: 2 attributes from #6 of 7
        {"Node #0 has attributes outside the attributes chunk",
         [](std::vector<TestChunk>& c) { c.erase(c.begin() + 2); }},
        {"Node #1 has children outside the node list",
         [](std::vector<TestChunk>& c) { c[3].Set(4 + 20 + 16, 0xFFFFFFFF); }},
        {"Node #1 has a child that precedes it or belongs to another node",
         [](std::vector<TestChunk>& c) { c[3].Set(4 + 20 + 16, 1); }}, // A is its own child
        {"Node #1 has a child that precedes it or belongs to another node",
         [](std::vector<TestChunk>& c) { c[3].Set(4 + 20 + 16, 2); }}, // A claims B, the root's child
    };
    const Data file = Testing::MakeNativeGraph(kPopupXml);
    for (const Case& c : cases) {
        std::vector<TestChunk> chunks = SplitChunks(file);
        c.edit(chunks);
        const std::unique_ptr<Creation> creation = Create(JoinChunks(chunks));
        EXPECT_EQ(creation->object, nullptr) << c.message;
        EXPECT_EQ(creation->log, std::string("Resource::NativeGraph::Create(): ") + c.message + "\n");
        EXPECT_TRUE(creation->releaseData) << c.message;
        EXPECT_FALSE(creation->failed) << c.message;
    }
}

// Every cut and every single-bit flip of a valid file: the result is a readable graph or a refusal
// with one line (none for data that names another form or version), never a read outside the bytes.
TEST(NativeGraphTest, SurvivesTruncatedAndBitFlippedFiles)
{
    const Data file = Testing::MakeNativeGraph(kPopupXml);
    const UInt32 size = file.GetSize();
    const std::vector<TestChunk> chunks = SplitChunks(file);
    // Magic, form tag, HEAD tag and version: flips there make the data another reader's.
    auto isSilentByte = [](UInt32 offset) {
        return offset < 4 || (offset >= 8 && offset < 16) || (offset >= 20 && offset < 24);
    };

    std::vector<UInt8> bytes(file.GetData(), file.GetData() + size);
    for (UInt32 cut = 0; cut < size; ++cut) {
        const std::unique_ptr<Creation> raw = Create(bytes.data(), cut);
        EXPECT_EQ(raw->object, nullptr) << cut;
        EXPECT_EQ(CountLines(raw->log), cut >= 12 ? 1 : 0) << cut;

        // The same cut with a header that agrees with it reaches the chunk checks.
        if (cut < 12)
            continue;
        std::vector<UInt8> cutFile(bytes.begin(), bytes.begin() + cut);
        const UInt32 declared = cut - 8;
        Util::WriteLittleEndian32(cutFile.data() + 4, declared);
        const std::unique_ptr<Creation> fixed = Create(cutFile.data(), cut);
        EXPECT_EQ(fixed->object, nullptr) << cut;
        EXPECT_EQ(CountLines(fixed->log), 1) << cut << ": " << fixed->log;
        EXPECT_FALSE(fixed->failed);
    }

    SInt32 loaded = 0;
    for (UInt32 offset = 0; offset < size; ++offset) {
        for (UInt32 bit = 0; bit < 8; ++bit) {
            bytes[offset] ^= UInt8(1u << bit);
            const std::unique_ptr<Creation> creation = Create(bytes.data(), size);
            bytes[offset] ^= UInt8(1u << bit);
            EXPECT_FALSE(creation->failed);
            if (creation->GetGraph() != nullptr) {
                ++loaded;
                EXPECT_EQ(creation->log, "") << offset << "/" << bit;
                ::testing::internal::CaptureStderr();
                EXPECT_GE(ReadEverything(creation->GetGraph()), 1);
                ::testing::internal::GetCapturedStderr();
            } else {
                EXPECT_EQ(CountLines(creation->log), isSilentByte(offset) ? 0 : 1)
                    << offset << "/" << bit << ": " << creation->log;
            }
        }
    }
    // Flips inside texts and hashes leave a graph that still reads.
    EXPECT_GT(loaded, 0);
}

// A refused graph fails the whole native package: no other creator takes a "GRPH" file.
TEST(NativeGraphTest, RefusedGraphFailsItsPackage)
{
    std::vector<TestChunk> chunks = SplitChunks(Testing::MakeNativeGraph(kPopupXml));
    chunks[0].Set(4, 9);
    const Data graph = JoinChunks(chunks);
    Resource::NativePackageWriter writer(String("app"));
    ASSERT_TRUE(writer.AddResource(String("popup"), graph.GetData(), graph.GetSize(), nullptr, 0));
    Data package;
    ASSERT_TRUE(writer.GetData(package));

    Testing::FakeConfiguration configuration;
    Bool releaseData = false;
    Bool failed = false;
    ::testing::internal::CaptureStderr();
    std::unique_ptr<Resource::Package> created(Resource::NativePackage::Create(
        &configuration, nullptr, String(), package.GetData(), package.GetSize(), &releaseData, &failed));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(created, nullptr);
    EXPECT_TRUE(failed);
    EXPECT_EQ(log.find("Resource::NativeGraph::Create(): Nodes chunk is too short for 9 nodes\n"), 0u) << log;
    EXPECT_NE(log.find("Resource::Package::CreateObjectFromMemory(): Failed to create object from memory"),
              std::string::npos);
}

class NativeAttributesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mCreation = Create(Testing::MakeNativeGraph(
            R"(<Graph color3="1,0.5,0" color4="1,0.5,0,0.25" color2="1,0.5" color5="1,2,3,4,5" length="2.5cm"
                      word="abc" bits="0,31" high="3,32" same="first" angle="90d" flag="yes" numbers="1,x,3"
                      size="{size}" count="-7"/>)"));
        ASSERT_NE(mCreation->GetGraph(), nullptr);
        mList = mCreation->GetGraph()->GetRootAttributes();
        mParameters.AddAttribute(String("size"), String("12"));
    }

    // The position of the attribute of that name.
    UInt32 IndexOf(const char* name) const
    {
        for (UInt32 i = 0; i < mList->GetNumberOfAttributes(); ++i) {
            if (std::strcmp(mList->GetAttributeName(i), name) == 0)
                return i;
        }
        ADD_FAILURE() << name;
        return 0;
    }

    std::unique_ptr<Creation> mCreation;
    const IAttributes* mList = nullptr;
    Util::Attributes mParameters;
    Bool mError = false;
};

TEST_F(NativeAttributesTest, ColorsTakeThreeOrFourNumbers)
{
    struct Case
    {
        const char* name;
        Bool converts;
        Color expected;
        const char* message;
    };
    const Case cases[] = {
        {"color3", true, {1.0f, 0.5f, 0.0f, 1.0f}, ""},
        {"color4", true, {1.0f, 0.5f, 0.0f, 0.25f}, ""},
        {"color2", false, {}, "Resource::NativeGraph::NativeAttributes::GetValue(): Failed to convert value \"1,0.5\" "
                              "for attribute \"color2\" to Color, too little values given\n"},
        {"color5", false, {}, "Resource::NativeGraph::NativeAttributes::GetValue(): Failed to convert value "
                              "\"1,2,3,4,5\" for attribute \"color5\" to Color, too many values given\n"},
    };
    for (const Case& c : cases) {
        for (Bool byIndex : {false, true}) {
            Color color = {9, 9, 9, 9};
            Bool error = false;
            ::testing::internal::CaptureStderr();
            const Bool converted = byIndex ? mList->GetValue(IndexOf(c.name), nullptr, &color, &error)
                                           : mList->GetValue(nullptr, c.name, &color, &error);
            EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.message);
            EXPECT_EQ(converted, c.converts) << c.name;
            EXPECT_EQ(error, !c.converts) << c.name;
            const Color expected = c.converts ? c.expected : Color{9, 9, 9, 9};
            EXPECT_EQ(color.red, expected.red);
            EXPECT_EQ(color.alpha, expected.alpha) << c.name;
        }
    }
}

TEST_F(NativeAttributesTest, ScalarsConvertOrReportTheirType)
{
    Float length = 0;
    EXPECT_TRUE(mList->GetValue(nullptr, "length", &length, &mError));
    EXPECT_EQ(length, 2.5f);
    SInt32 count = 0;
    EXPECT_TRUE(mList->GetValue(nullptr, "count", &count, &mError));
    EXPECT_EQ(count, -7);
    Bool flag = false;
    EXPECT_TRUE(mList->GetValue(IndexOf("flag"), nullptr, &flag, &mError));
    EXPECT_TRUE(flag);
    UInt32 word = 0x10;
    EXPECT_TRUE(mList->GetBitValue(nullptr, "flag", 0x3, &word, &mError));
    EXPECT_EQ(word, 0x13u);
    EXPECT_TRUE(mList->GetInvertedBitValue(IndexOf("flag"), nullptr, 0x3, &word, &mError));
    EXPECT_EQ(word, 0x10u);
    Double angle = 0;
    EXPECT_TRUE(mList->GetAngleValue(nullptr, "angle", &angle, &mError));
    EXPECT_NEAR(angle, 1.5707963267948966, 1e-9);
    EXPECT_FALSE(mError);

    Float untouched = 4;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList->GetValue(nullptr, "word", &untouched, &mError));
    EXPECT_FALSE(mList->GetValue(IndexOf("word"), nullptr, &flag, &mError));
    EXPECT_FALSE(mList->GetAngleValue(nullptr, "word", &angle, &mError));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::NativeGraph::NativeAttributes::GetValue(): Failed to convert value \"abc\" for attribute "
              "\"word\" to Float\n"
              "Resource::NativeGraph::NativeAttributes::GetValue(): Failed to convert value \"abc\" for attribute "
              "\"word\" to Bool\n"); // an angle only sets the flag
    EXPECT_TRUE(mError);
    EXPECT_EQ(untouched, 4.0f);
}

TEST_F(NativeAttributesTest, AbsentAttributesGiveFalseWithoutMessage)
{
    String text("kept");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList->GetValue(nullptr, "missing", &text, &mError));
    EXPECT_FALSE(mList->GetValue(nullptr, "Same", &text, &mError)); // case matters
    EXPECT_FALSE(mList->GetValue(mList->GetNumberOfAttributes(), nullptr, &text, &mError));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(mError);
    EXPECT_EQ(text, "kept");

    // Every native attribute counts as used, so unused-attribute checks never fire.
    EXPECT_TRUE(mList->IsAttributeUsed(0));
    EXPECT_EQ(mList->GetNumberOfUnusedAttributes(), 0u);
    Array<String> names;
    EXPECT_FALSE(mList->GetUnusedAttributeNames(&names));
    EXPECT_TRUE(names.IsEmpty());
}

TEST_F(NativeAttributesTest, ValuesAreEvaluatedWithTheCallersParameters)
{
    String text;
    EXPECT_TRUE(mList->GetValue(nullptr, "size", &text, &mError));
    EXPECT_EQ(text, "{size}");
    UInt32 size = 0;
    EXPECT_TRUE(mList->GetValue(&mParameters, "size", &size, &mError));
    EXPECT_EQ(size, 12u);
    EXPECT_TRUE(mList->GetValue(IndexOf("size"), &mParameters, &text, &mError));
    EXPECT_EQ(text, "12");
    EXPECT_STREQ(mList->GetAttributeValue(IndexOf("size")), "{size}");
    EXPECT_FALSE(mError);

    Util::Attributes noSize;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList->GetValue(&noSize, "size", &text, &mError));
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(mError);
    EXPECT_EQ(text, "12");
}

// "3,32" fails with bit 3 already set; lists keep the parts before the bad one.
TEST_F(NativeAttributesTest, ListsAndBitsKeepWhatWasReadBeforeAFailedPart)
{
    UInt32 bits = 0x100;
    EXPECT_TRUE(mList->GetBitsToSet(nullptr, "bits", &bits, &mError, true));
    EXPECT_EQ(bits, 0x80000001u);
    EXPECT_TRUE(mList->GetBitsToSet(IndexOf("bits"), nullptr, &bits, &mError, false));
    EXPECT_EQ(bits, 0x80000001u);
    Array<String> parts;
    EXPECT_TRUE(mList->GetValues(nullptr, "numbers", &parts, &mError, false));
    ASSERT_EQ(parts.GetCount(), 3);
    EXPECT_EQ(parts[1], "x");
    EXPECT_FALSE(mError);

    bits = 0x100;
    Array<SInt32> numbers;
    numbers.Add(42);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList->GetBitsToSet(nullptr, "high", &bits, &mError, true));
    EXPECT_FALSE(mList->GetValues(IndexOf("numbers"), nullptr, &numbers, &mError, true));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::NativeGraph::NativeAttributes::GetBitsToSet(): Bit number 32 out of range\n"
              "Resource::NativeGraph::NativeAttributes::GetValues(): Failed to convert value \"x\" for attribute "
              "\"numbers\" to SInt32\n");
    EXPECT_TRUE(mError);
    EXPECT_EQ(bits, 0x8u);
    ASSERT_EQ(numbers.GetCount(), 1);
    EXPECT_EQ(numbers[0], 1);
}

TEST(NativeGraphNodeTest, FirstOfTwoEqualNamesWinsAndIndexesAreChecked)
{
    // The XML reader keeps both attributes of one name; by-name reads see the first.
    Util::Attributes twice;
    twice.AddAttribute(String("same"), String("first"));
    Resource::XmlGraph::Node root(String("Container"));
    root.CreateAttributes(twice);
    class OneNodeGraph : public IGraph
    {
    public:
        explicit OneNodeGraph(const IGraphNode* root) : mRoot(root) {}
        const IGraphNode* GetRootNode() const override { return mRoot; }
        const IAttributes* GetRootAttributes() const override { return mRoot->GetAttributes(); }

    private:
        const IGraphNode* mRoot;
    };
    OneNodeGraph source(&root);
    Data file;
    ASSERT_TRUE(NativeGraph::Write(&source, file));
    std::vector<TestChunk> chunks = SplitChunks(file);
    // Duplicate the record so that the node has "same" twice, the second with another value.
    TestChunk& attributes = *FindChunk(chunks, kAttributes);
    std::vector<UInt8> record(attributes.payload.begin() + 4, attributes.payload.begin() + 16);
    attributes.payload.insert(attributes.payload.end(), record.begin(), record.end());
    attributes.Set(4 + 12 + 8, 0); // value of the second: string 0, "Container"
    FindChunk(chunks, kNodes)->Set(4 + 4, 2);

    const std::unique_ptr<Creation> creation = Create(JoinChunks(chunks));
    ASSERT_NE(creation->GetGraph(), nullptr) << creation->log;
    const IGraphNode* node = creation->GetGraph()->GetRootNode();
    const IAttributes* list = node->GetAttributes();
    String value;
    Bool error = false;
    EXPECT_TRUE(list->GetValue(nullptr, "same", &value, &error));
    EXPECT_EQ(value, "first");
    EXPECT_TRUE(list->GetValue(UInt32(1), nullptr, &value, &error));
    EXPECT_EQ(value, "Container");

    EXPECT_EQ(node->GetChild(0), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(list->GetAttributeName(2), nullptr);
    EXPECT_EQ(list->GetAttributeValue(2), nullptr);
    EXPECT_EQ(list->GetAttributeHash(2), 0u);
    String name;
    EXPECT_FALSE(list->GetNameAndValue(2, &name, &value));
    EXPECT_EQ(CountLines(::testing::internal::GetCapturedStderr()), 4);
}

TEST(NativeGraphTest, ReadsAFileAtAnOddAddress)
{
    const Data file = Testing::MakeNativeGraph(R"(<Graph a="1"><Node id="one"><Node id="{a}"/></Node></Graph>)");
    const std::unique_ptr<Testing::OddAddressCreation> odd = Testing::RunCreatorAtOddAddress(&NativeGraph::Create, file);
    const IGraph* graph = odd->outcome.As<IGraph>();
    ASSERT_NE(graph, nullptr);
    const IGraphNode* one = graph->GetRootNode()->GetChild(0);
    ASSERT_NE(one, nullptr);
    EXPECT_STREQ(one->GetAttributes()->GetAttributeValue(0), "one");
    EXPECT_EQ(one->GetChild(0)->GetClassName(), "Node");
}

} // namespace
} // namespace Vorn
