#include "resource/xml_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "resource/native_graph.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace {

using Resource::IGraphNode;
using Resource::XmlGraph;

struct Creation
{
    std::unique_ptr<Resource::IObject> object;
    Bool releaseData = false;
    Bool failed = false;
    std::string log;
};

Creation Create(const std::string& text)
{
    Creation creation;
    ::testing::internal::CaptureStderr();
    creation.object.reset(XmlGraph::Create(nullptr, String("graph"), text.data(), UInt32(text.size()), nullptr, 0,
                                           &creation.releaseData, &creation.failed));
    creation.log = ::testing::internal::GetCapturedStderr();
    return creation;
}

// "Class(child child ...)" of the tree, to compare shapes in one line.
std::string Shape(const IGraphNode* node)
{
    std::string shape = node->GetClassName().GetText();
    if (node->GetNumberOfChildren() == 0)
        return shape;
    shape += "(";
    for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i)
        shape += (i > 0 ? " " : "") + Shape(node->GetChild(i));
    return shape + ")";
}

TEST(XmlGraphTest, EmptyGraphIsAContainerWithTheGraphsAttributes)
{
    Creation creation = Create(R"(<Graph id="popup" width="{w}"/>)");
    const Resource::IGraph* graph = dynamic_cast<const Resource::IGraph*>(creation.object.get());
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(creation.releaseData);
    EXPECT_FALSE(creation.failed);
    const IGraphNode* root = graph->GetRootNode();
    EXPECT_EQ(root->GetClassName(), "Container");
    EXPECT_EQ(root->GetNumberOfChildren(), 0u);
    EXPECT_EQ(root->GetChild(0), nullptr);
    const IAttributes* attributes = graph->GetRootAttributes();
    ASSERT_EQ(attributes, root->GetAttributes());
    ASSERT_EQ(attributes->GetNumberOfAttributes(), 2u);
    EXPECT_STREQ(attributes->GetAttributeName(1), "width");
    EXPECT_STREQ(attributes->GetAttributeValue(1), "{w}");
    // The graph keeps copies of everything, so the caller may free the bytes.
    EXPECT_EQ(dynamic_cast<const Resource::Object*>(creation.object.get())->GetData(), nullptr);
}

TEST(XmlGraphTest, NestingBecomesTheTreeInDocumentOrder)
{
    Creation creation = Create(R"(<?xml version="1.0"?>
<Graph>
  text between elements is ignored
  <Transform id="t"><Switch><Sprite a="1"/><Text/></Switch><Sound/></Transform>
  <Camera/>
</Graph>)");
    const Resource::IGraph* graph = dynamic_cast<const Resource::IGraph*>(creation.object.get());
    ASSERT_NE(graph, nullptr) << creation.log;
    EXPECT_EQ(Shape(graph->GetRootNode()), "Container(Transform(Switch(Sprite Text) Sound) Camera)");
    const IGraphNode* sprite = graph->GetRootNode()->GetChild(0)->GetChild(0)->GetChild(0);
    EXPECT_STREQ(sprite->GetAttributes()->GetAttributeValue(0), "1");
    EXPECT_EQ(graph->GetRootNode()->GetChild(2), nullptr);
}

TEST(XmlGraphTest, OtherDocumentsGoToTheNextCreator)
{
    const char* const cases[] = {
        R"(<Animation><Key/></Animation>)",
        "not xml at all",
        "",
        "<Graph",         // breaks before the document element is complete
        "<graph/>",       // names are case-sensitive
    };
    for (const char* text : cases) {
        Creation creation = Create(text);
        EXPECT_EQ(creation.object, nullptr) << text;
        EXPECT_FALSE(creation.failed) << text;
        EXPECT_TRUE(creation.releaseData) << text;
        EXPECT_EQ(creation.log, "") << text;
    }
}

TEST(XmlGraphTest, BrokenGraphDocumentEndsTheSearch)
{
    Creation creation = Create("<Graph>\n  <Sprite>\n</Graph>");
    EXPECT_EQ(creation.object, nullptr);
    EXPECT_TRUE(creation.failed);
    EXPECT_EQ(creation.log.rfind("Resource::XmlGraph::Create(): Failed, XML parse error line ", 0), 0u) << creation.log;
    EXPECT_EQ(std::count(creation.log.begin(), creation.log.end(), '\n'), 1);
}

TEST(XmlGraphTest, NativeFormReadsBackAsTheSameGraph)
{
    const char* const xml = R"(<Graph name="g"><Transform id="a" position="1,2,3"><Container id="c"/></Transform>
        <Container id="b" visible="false"/></Graph>)";
    std::unique_ptr<XmlGraph> source = Testing::ParseXmlGraph(xml);
    Data bytes;
    ASSERT_TRUE(source->GetNativeData(bytes));
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::IObject> native(Resource::NativeGraph::Create(
        nullptr, String("graph"), bytes.GetData(), bytes.GetSize(), nullptr, 0, &releaseData, &failed));
    const Resource::IGraph* graph = dynamic_cast<const Resource::IGraph*>(native.get());
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(Shape(graph->GetRootNode()), Shape(source->GetRootNode()));
    const IAttributes* b = graph->GetRootNode()->GetChild(1)->GetAttributes();
    ASSERT_EQ(b->GetNumberOfAttributes(), 2u);
    EXPECT_STREQ(b->GetAttributeName(1), "visible");
    EXPECT_STREQ(b->GetAttributeValue(1), "false");

    // Writing the native graph again gives the same bytes.
    Data again;
    ASSERT_TRUE(Resource::NativeGraph::Write(graph, again));
    ASSERT_EQ(again.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(again.GetData(), bytes.GetData(), bytes.GetSize()), 0);
}

// A document nested far deeper than any real graph is parsed, written and destroyed without one
// call level per element.
TEST(XmlGraphTest, DeepNestingNeedsNoDeepStack)
{
    const SInt32 depth = 200000;
    std::string xml = "<Graph>";
    for (SInt32 i = 0; i < depth; ++i)
        xml += "<A>";
    for (SInt32 i = 0; i < depth; ++i)
        xml += "</A>";
    xml += "</Graph>";
    Creation creation = Create(xml);
    const XmlGraph* graph = dynamic_cast<const XmlGraph*>(creation.object.get());
    ASSERT_NE(graph, nullptr) << creation.log;
    Data bytes;
    ASSERT_TRUE(graph->GetNativeData(bytes));
    EXPECT_GT(bytes.GetSize(), UInt32(depth) * 20);
}

} // namespace
} // namespace Vorn
