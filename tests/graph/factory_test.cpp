#include "graph/factory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/attributes.h"
#include "graph/node.h"
#include "graph/node_class_info.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// Counts live nodes and remembers the order they die in, to check how failed graphs are freed.
int gLiveNodes = 0;
std::string gDestroyed;

class Counted : public Node
{
public:
    Counted() { ++gLiveNodes; }
    ~Counted() override
    {
        --gLiveNodes;
        gDestroyed += std::string(GetId().GetText()) + " ";
    }
};

INode* CreateCounted()
{
    return new Counted();
}

INode* CreateNothing()
{
    return nullptr;
}

const NodeClassInfo kCountedInfo(String("Counted"), &CreateCounted);
const NodeClassInfo kContainerInfo(String("Container"), &CreateCounted);
const NodeClassInfo kOutOfMemoryInfo(String("OutOfMemory"), &CreateNothing);
const NodeClassInfo kSecondNodeInfo(String("Node"), &CreateCounted);

class FactoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gLiveNodes = 0;
        gDestroyed.clear();
        ASSERT_TRUE(mFactory.Init());
        mFactory.RegisterNodeClass(&kCountedInfo);
        mFactory.RegisterNodeClass(&kOutOfMemoryInfo);
        mFactory.RegisterNodeClass(&kContainerInfo); // refused once the real one is built in
    }
    void TearDown() override
    {
        Factory::DestroyGraph(mTop);
        EXPECT_EQ(gLiveNodes, 0);
    }

    enum Form
    {
        kXml,
        kNative, // the writer's bytes of the XML graph, read in place
    };

    INode* Build(const char* xml, const IAttributes* parameters = nullptr, Form form = kXml)
    {
        Factory::DestroyGraph(mTop);
        mTop = nullptr;
        mNativeGraph.reset();
        mGraph = Testing::ParseXmlGraph(xml);
        const Resource::IGraph* graph = mGraph.get();
        if (form == kNative) {
            mNativeBytes = std::make_unique<Testing::ExactBytes>(Testing::MakeNativeGraph(xml));
            Testing::CreatorOutcome outcome = Testing::RunCreator(&Resource::NativeGraph::Create, *mNativeBytes);
            EXPECT_EQ(outcome.log, "");
            mNativeGraph = std::move(outcome.object);
            graph = dynamic_cast<const Resource::IGraph*>(mNativeGraph.get());
            EXPECT_NE(graph, nullptr);
        }
        ::testing::internal::CaptureStderr();
        mTop = mFactory.CreateGraph(graph, parameters);
        mLog = ::testing::internal::GetCapturedStderr();
        return mTop;
    }

    Factory mFactory;
    std::unique_ptr<Resource::XmlGraph> mGraph;
    std::unique_ptr<Testing::ExactBytes> mNativeBytes;
    std::unique_ptr<Resource::IObject> mNativeGraph;
    INode* mTop = nullptr;
    std::string mLog;
};

TEST_F(FactoryTest, CreatesRegisteredClassesByName)
{
    std::unique_ptr<INode> node(mFactory.CreateNode(String("Node")));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetFlags(), 0x1Au);
    EXPECT_EQ(mFactory.CreateNode(String("NoSuchClass")), nullptr);
    EXPECT_EQ(mFactory.CreateNode(String("node")), nullptr);
    EXPECT_EQ(mFactory.CreateNode(String("OutOfMemory")), nullptr);
}

TEST_F(FactoryTest, RegistryKeepsTheFirstRecordOfAName)
{
    EXPECT_FALSE(mFactory.RegisterNodeClass(&kSecondNodeInfo));
    std::unique_ptr<INode> node(mFactory.CreateNode(String("Node")));
    EXPECT_EQ(dynamic_cast<Counted*>(node.get()), nullptr);

    EXPECT_TRUE(mFactory.UnregisterNodeClass(&kCountedInfo));
    EXPECT_FALSE(mFactory.UnregisterNodeClass(&kCountedInfo));
    EXPECT_EQ(mFactory.CreateNode(String("Counted")), nullptr);
    EXPECT_TRUE(mFactory.RegisterNodeClass(&kCountedInfo));

    // DeInit removes every record of a built-in name, an application's own record of such a
    // name too, and leaves the other application classes.
    EXPECT_TRUE(mFactory.UnregisterNodeClass(&Node::GetClassInfo()));
    EXPECT_TRUE(mFactory.RegisterNodeClass(&kSecondNodeInfo));
    EXPECT_TRUE(mFactory.DeInit());
    EXPECT_EQ(mFactory.CreateNode(String("Node")), nullptr);
    EXPECT_EQ(mFactory.CreateNode(String("Container")), nullptr);
    std::unique_ptr<INode> counted(mFactory.CreateNode(String("Counted")));
    EXPECT_NE(counted, nullptr);
}

// A resource node that claims a child it cannot hand out.
class MissingChildNode : public Resource::IGraphNode
{
public:
    String GetClassName() const override { return String("Counted"); }
    UInt32 GetNumberOfChildren() const override { return 1; }
    const Resource::IGraphNode* GetChild(UInt32) const override { return nullptr; }
    const IAttributes* GetAttributes() const override { return nullptr; }
};

TEST_F(FactoryTest, MissingChildFailsTheGraph)
{
    const MissingChildNode top;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(mFactory.CreateGraphFromResourceNode(&top, nullptr), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Graph::Factory::CreateGraphFromResourceNode(): Failed getting child #0\n");
    EXPECT_EQ(gLiveNodes, 0);
}

// A container reads the node's attributes and takes every other one as its own.
TEST_F(FactoryTest, ContainerRecognisesEveryAttribute)
{
    std::unique_ptr<INode> container(mFactory.CreateNode(String("Container")));
    std::unique_ptr<INode> node(mFactory.CreateNode(String("Node")));
    ASSERT_NE(container, nullptr);
    Util::Attributes attributes;
    attributes.AddAttribute(String("id"), String("box"));
    attributes.AddAttribute(String("noSuchAttribute"), String("1"));
    Bool error = false;
    EXPECT_TRUE(container->DeserializeAttribute(0, &attributes, nullptr, &error));
    EXPECT_TRUE(container->DeserializeAttribute(1, &attributes, nullptr, &error));
    EXPECT_FALSE(node->DeserializeAttribute(1, &attributes, nullptr, &error));
    EXPECT_FALSE(error);
    EXPECT_EQ(container->GetId(), "box");
}

// The native form finds each attribute through its hashed name table.
TEST_F(FactoryTest, BuildsTheTreeInDocumentOrder)
{
    for (Form form : {kXml, kNative}) {
        ASSERT_NE(Build(R"(<Graph><Counted id="a"><Counted id="b"/><Node id="c" visible="false"/></Counted>
            <Counted id="d"/></Graph>)",
                        nullptr, form),
                  nullptr)
            << mLog;
        EXPECT_EQ(mLog, "");
        ASSERT_EQ(mTop->GetNumberOfChildren(), 2u);
        INode* a = mTop->GetChild(0);
        EXPECT_EQ(a->GetId(), "a");
        ASSERT_EQ(a->GetNumberOfChildren(), 2u);
        EXPECT_EQ(a->GetChild(1)->GetId(), "c");
        EXPECT_EQ(a->GetChild(1)->GetFlags() & Node::kVisible, 0u) << form;
        EXPECT_NE(a->GetFlags() & Node::kVisible, 0u) << form;
        EXPECT_EQ(mTop->GetChild(1)->GetId(), "d");
        EXPECT_EQ(mTop->GetFlags() & Node::kInitialized, 0u) << "built, not initialised";
    }
}

// One line and nothing built, in both forms: each level would cost a stack frame.
TEST_F(FactoryTest, RefusesGraphsNestedTooDeeply)
{
    // The graph element itself is the top level, a container.
    auto nested = [](int depth) {
        std::string xml = "<Graph>";
        --depth;
        for (int i = 0; i < depth; ++i)
            xml += "<Counted>";
        for (int i = 0; i < depth; ++i)
            xml += "</Counted>";
        return xml + "</Graph>";
    };
    const std::string deepest = nested(256);
    const std::string tooDeep = nested(257);
    const std::string hostile = nested(100000);
    for (Form form : {kXml, kNative}) {
        EXPECT_NE(Build(deepest.c_str(), nullptr, form), nullptr) << mLog;
        for (const std::string* xml : {&tooDeep, &hostile}) {
            EXPECT_EQ(Build(xml->c_str(), nullptr, form), nullptr);
            EXPECT_EQ(mLog, "Graph::Factory::CreateGraphFromResourceNode(): Graph nested deeper than 256 levels\n");
            EXPECT_EQ(gLiveNodes, 0);
        }
    }
}

// Ten levels of parameters naming the level below ten times each: 452 bytes of XML that would
// expand one attribute to 10^10 bytes.
TEST_F(FactoryTest, ParameterExpansionBombFailsTheNode)
{
    std::string xml = "<Graph p0=\"0123456789\"";
    for (int level = 1; level < 10; ++level) {
        xml += " p" + std::to_string(level) + "=\"";
        for (int i = 0; i < 10; ++i)
            xml += "{p" + std::to_string(level - 1) + "}";
        xml += "\"";
    }
    xml += "><Node id=\"{p9}\"/></Graph>";
    for (Form form : {kXml, kNative}) {
        EXPECT_EQ(Build(xml.c_str(), nullptr, form), nullptr);
        EXPECT_NE(mLog.find("Util::Attributes::EvaluateParameters(): Parameters in value for attribute"),
                  std::string::npos)
            << mLog;
        EXPECT_NE(mLog.find("Graph::Factory::CreateGraphFromResourceNode(): Failed deserializing resource node for "
                            "class 'Node'"),
                  std::string::npos)
            << mLog;
    }
}

TEST_F(FactoryTest, FailedNodeFreesEverythingBuiltSoFarLeavesFirst)
{
    EXPECT_EQ(Build(R"(<Graph><Counted id="a"><Counted id="b"/><Counted id="c"/></Counted>
        <Unknown/><Counted id="never"/></Graph>)"),
              nullptr);
    EXPECT_EQ(mLog, "Graph::Factory::CreateGraphFromResourceNode(): Failed creating node for class 'Unknown'\n"
                    "Graph::Factory::CreateGraphFromResourceNode(): Failed creating child #1\n");
    EXPECT_EQ(gLiveNodes, 0);
    if (gDestroyed.find("never") == std::string::npos && gDestroyed.rfind("c b a ", 0) == 0)
        SUCCEED();
    else
        ADD_FAILURE() << gDestroyed;

    EXPECT_EQ(Build(R"(<Graph><Counted><Counted><OutOfMemory/></Counted></Counted></Graph>)"), nullptr);
    EXPECT_EQ(mLog, "Graph::Factory::CreateGraphFromResourceNode(): Failed creating node for class 'OutOfMemory'\n"
                    "Graph::Factory::CreateGraphFromResourceNode(): Failed creating child #0\n"
                    "Graph::Factory::CreateGraphFromResourceNode(): Failed creating child #0\n"
                    "Graph::Factory::CreateGraphFromResourceNode(): Failed creating child #0\n");
    EXPECT_EQ(gLiveNodes, 0);
}

TEST_F(FactoryTest, CallerParametersTakePrecedenceOverTheGraphsOwn)
{
    Util::Attributes caller;
    caller.AddAttribute(String("a"), String("1"));
    Util::Attributes empty;
    struct Case
    {
        const char* xml;
        const IAttributes* parameters;
        const char* expected;
    };
    const Case cases[] = {
        {R"(<Graph a="2" b="3"><Node id="{a}{b}"/></Graph>)", &caller, "13"},
        {R"(<Graph a="2" b="3"><Node id="{a}{b}"/></Graph>)", nullptr, "23"},
        {R"(<Graph a="2" b="3"><Node id="{a}{b}"/></Graph>)", &empty, "23"},
        {R"(<Graph><Node id="{a}"/></Graph>)", &caller, "1"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(Build(c.xml, c.parameters), nullptr) << c.xml << mLog;
        EXPECT_EQ(mTop->GetChild(0)->GetId(), c.expected) << c.xml;
        Factory::DestroyGraph(mTop);
        mTop = nullptr;
    }
    EXPECT_EQ(Build(R"(<Graph a="2"><Node id="{c}"/></Graph>)"), nullptr) << "an unknown parameter fails the node";
    EXPECT_NE(mLog.find("Graph::Node::Deserialize(): Failed parsing attributes"), std::string::npos) << mLog;
    EXPECT_EQ(mFactory.CreateGraph(nullptr, &caller), nullptr);
}

TEST_F(FactoryTest, BuiltInRecordsComeInRegistrationOrder)
{
    ASSERT_EQ(GetNumberOfBuiltInNodeClasses(), 52u);
    EXPECT_EQ(GetBuiltInNodeClassInfo(0).mClassName, "Anchor");
    EXPECT_EQ(GetBuiltInNodeClassInfo(51).mClassName, "View");
    // The table keeps the order the registry uses, "TextureSlot" before "Scale" included.
    EXPECT_EQ(GetBuiltInNodeClassInfo(40).mClassName, "TextureSlot");
    EXPECT_EQ(GetBuiltInNodeClassInfo(41).mClassName, "Scale");
    EXPECT_EQ(FindBuiltInNodeClassInfo(String("Node")), &Node::GetClassInfo());
    EXPECT_EQ(FindBuiltInNodeClassInfo(String("Camera")), nullptr) << "abstract bases have no record";
}

} // namespace
} // namespace Graph
} // namespace Vorn
