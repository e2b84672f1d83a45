#include "graph/node.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/array.h"
#include "foundation/attributes.h"
#include "graph/attribute_names.h"
#include "graph/controller.h"
#include "graph/factory.h"
#include "graph/namespace.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// What the passes did, in order: "<pass>:<id>".
std::vector<std::string> gCalls;
// Objects a probe made in InitSelf and not yet released.
int gLiveObjects = 0;

struct ProbeAttributes
{
    enum : UInt32
    {
        kInitFailure,
        kSubTreeBits,
        kCount,
    };
    static const AttributeTable& GetTable()
    {
        static const AttributeName rows[] = {
            {"initFailure", 0, AttributeType::kSInt32, 0, nullptr},
            {"subTreeBits", 1, AttributeType::kUInt32, 0, nullptr},
            {nullptr, 2, AttributeType::kNone, 0, nullptr},
        };
        static const AttributeTable table(rows);
        return table;
    }
};

// A node class as the real ones are written: own attributes, a back-end object made in InitSelf
// and released in DeInitSelf, and every step logged.
class Probe : public Node
{
public:
    enum InitFailure
    {
        kNoFailure = 0,
        kFailBeforeCreating = 1,
        kFailAfterCreating = 2,
    };

    ~Probe() override { EXPECT_EQ(mObject, nullptr) << "probe destroyed with its object"; }

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override
    {
        switch (ProbeAttributes::GetTable().FindAttribute(attributes, index)) {
        case ProbeAttributes::kInitFailure:
            attributes->GetValue(index, parameters, &mInitFailure, error);
            return true;
        case ProbeAttributes::kSubTreeBits: {
            UInt32 bits = 0;
            if (attributes->GetValue(index, parameters, &bits, error))
                AddFlags(bits & kSubTreeBits);
            return true;
        }
        default:
            return Node::DeserializeAttribute(index, attributes, parameters, error);
        }
    }

protected:
    Bool InitSelf(IInitState* state) override
    {
        gCalls.push_back("InitSelf:" + std::string(GetId().GetText()));
        if (!Node::InitSelf(state))
            return false;
        if (mInitFailure == kFailBeforeCreating)
            return false;
        mObject = new int(1);
        ++gLiveObjects;
        return mInitFailure != kFailAfterCreating;
    }
    Bool DeInitSelf(IDeInitState* state) override
    {
        gCalls.push_back("DeInitSelf:" + std::string(GetId().GetText()));
        if (mObject != nullptr) {
            delete mObject;
            mObject = nullptr;
            --gLiveObjects;
        }
        return Node::DeInitSelf(state);
    }
    Bool SuspendSelf(IDeInitState*) override
    {
        gCalls.push_back("SuspendSelf:" + std::string(GetId().GetText()));
        return true;
    }
    Bool ResumeSelf(IInitState*) override
    {
        gCalls.push_back("ResumeSelf:" + std::string(GetId().GetText()));
        return true;
    }
    Bool ConfigChangedSelf(IConfigChangedState* state) override
    {
        gCalls.push_back("ConfigChangedSelf:" + std::string(GetId().GetText()));
        return Node::ConfigChangedSelf(state);
    }
    Bool ProcessLogicSelf(IProcessLogicState* state) override
    {
        gCalls.push_back("ProcessLogicSelf:" + std::string(GetId().GetText()) +
                         (IsJustActivated(state) ? "+" : ""));
        return Node::ProcessLogicSelf(state);
    }
    Bool PrepareOutputSelf(IPrepareOutputState* state) override
    {
        gCalls.push_back("PrepareOutputSelf:" + std::string(GetId().GetText()) +
                         (IsJustMadeVisible(state) ? "+" : ""));
        return Node::PrepareOutputSelf(state);
    }

private:
    SInt32 mInitFailure = kNoFailure;
    int* mObject = nullptr;
};

INode* CreateProbe()
{
    return new Probe();
}

const NodeClassInfo kProbeInfo(String("Probe"), &CreateProbe);
const NodeClassInfo kPlainContainerInfo(String("Container"), &Node::Create);

// Counts what the controller is asked; created for "animationResourceId".
struct ControllerLog
{
    std::string resourceId;
    int inits = 0;
    int deInits = 0;
    Real timeShift = 0;
    Real timeScale = 1;
    Bool failProcessLogic = false;
};
ControllerLog gController;

class FakeController : public IController
{
public:
    Bool Init(IInitState*) override { return ++gController.inits, true; }
    Bool DeInit(IDeInitState*) override { return ++gController.deInits, true; }
    Bool ConfigChanged(IConfigChangedState*) override { return true; }
    void SetTimeShift(Real seconds) override { gController.timeShift = seconds; }
    void SetTimeScale(Real scale) override
    {
        if (scale > 0)
            gController.timeScale = scale;
    }
    Bool ProcessLogic(IProcessLogicState*) override { return !gController.failProcessLogic; }
    void DeserializeAttributes(const IAttributes* attributes, const IAttributes* parameters, Bool* error) override
    {
        attributes->GetValue(parameters, "animationTimeShift", &gController.timeShift, error);
        attributes->GetValue(parameters, "animationTimeScale", &gController.timeScale, error);
    }
    Bool AddEvaluator(EvaluatorCreateFunction) override { return false; }
};

IController* CreateFakeController(INode*, const String& resourceId)
{
    gController.resourceId = resourceId.GetText();
    return new FakeController();
}

// Minimal traversal states: stacks and counters, no services.
class InitState : public IInitState
{
public:
    Bool Init(IClock*) override { return true; }
    Bool DeInit() override { return true; }
    void SetRoot(IRoot*) override {}
    IRoot* GetRoot() override { return nullptr; }
    void SetCancelled(Bool cancelled) override { mCancelled = cancelled; }
    Bool IsCancelled() const override { return mCancelled; }
    void Begin() override {}
    void End() override {}
    UInt32 GetFrameCount() const override { return 7; }
    IConfiguration* GetConfiguration() override { return nullptr; }
    Factory* GetFactory() override { return nullptr; }
    Input::ITouchableHandler* GetInputDeviceHandler() override { return nullptr; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return nullptr; }
    Display::IRenderer* GetDisplayRenderer() override { return nullptr; }
    Audio::IRenderer* GetAudioRenderer() override { return nullptr; }
    Physics::ISimulator* GetPhysicsSimulator() override { return nullptr; }
    Resource::ICollection* GetResourceCollection() override { return nullptr; }
    void PushNode(INode* node) override { mNodes.Add(node); }
    void PopNode() override { mNodes.RemoveAt(mNodes.GetCount() - 1); }
    INode* GetCurrentNode() override { return mNodes.IsEmpty() ? nullptr : mNodes.GetLast(); }
    void PushNamespace(INamespace* nameSpace) override { mNamespaces.Add(nameSpace); }
    void PopNamespace() override { mNamespaces.RemoveAt(mNamespaces.GetCount() - 1); }
    INamespace* GetCurrentNamespace() override { return mNamespaces.IsEmpty() ? nullptr : mNamespaces.GetLast(); }
    INamespace* GetRootNamespace() override { return mNamespaces.IsEmpty() ? nullptr : mNamespaces[0]; }
    INode* FindNode(const String&) override { return nullptr; }
    void ResetCounter() override { mCounter = 0; }
    void IncrementCounter() override { ++mCounter; }
    UInt32 GetCounter() const override { return mCounter; }

    Array<INode*> mNodes;
    Array<INamespace*> mNamespaces;
    Bool mCancelled = false;
    UInt32 mCounter = 0;
};

class DeInitState : public IDeInitState
{
public:
    Bool Init(IClock*) override { return true; }
    Bool DeInit() override { return true; }
    void SetRoot(IRoot*) override {}
    IRoot* GetRoot() override { return nullptr; }
    void Begin() override {}
    void End() override {}
    UInt32 GetFrameCount() const override { return 0; }
    IConfiguration* GetConfiguration() override { return nullptr; }
    Factory* GetFactory() override { return nullptr; }
    Input::ITouchableHandler* GetInputDeviceHandler() override { return nullptr; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return nullptr; }
    Display::IRenderer* GetDisplayRenderer() override { return nullptr; }
    Audio::IRenderer* GetAudioRenderer() override { return nullptr; }
    Physics::ISimulator* GetPhysicsSimulator() override { return nullptr; }
    Resource::ICollection* GetResourceCollection() override { return nullptr; }
    void ResetCounter() override { mCounter = 0; }
    void IncrementCounter() override { ++mCounter; }
    UInt32 GetCounter() const override { return mCounter; }

    UInt32 mCounter = 0;
};

class ConfigChangedState : public IConfigChangedState
{
public:
    Bool Init(IClock*) override { return true; }
    Bool DeInit() override { return true; }
    void SetRoot(IRoot*) override {}
    IRoot* GetRoot() override { return nullptr; }
    void Begin() override {}
    void End() override {}
    UInt32 GetFrameCount() const override { return 11; }
    IConfiguration* GetConfiguration() override { return nullptr; }
    Factory* GetFactory() override { return nullptr; }
    Input::ITouchableHandler* GetInputDeviceHandler() override { return nullptr; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return nullptr; }
    Display::IRenderer* GetDisplayRenderer() override { return nullptr; }
    Audio::IRenderer* GetAudioRenderer() override { return nullptr; }
    Physics::ISimulator* GetPhysicsSimulator() override { return nullptr; }
    Resource::ICollection* GetResourceCollection() override { return nullptr; }
    void ResetCounter() override {}
    void IncrementCounter() override {}
    UInt32 GetCounter() const override { return 0; }
};

// The flag stack of the ProcessLogic and PrepareOutput states.
struct FlagStack
{
    void Push(UInt32 flags)
    {
        mEntries.Add(flags);
        mCurrent |= flags;
    }
    void Pop()
    {
        mEntries.RemoveAt(mEntries.GetCount() - 1);
        mCurrent = mEntries.IsEmpty() ? 0 : mEntries.GetLast();
    }
    Array<UInt32> mEntries;
    UInt32 mCurrent = 0;
};

class ProcessLogicState : public IProcessLogicState
{
public:
    Bool Init(IClock*) override { return true; }
    Bool DeInit() override { return true; }
    void SetRoot(IRoot*) override {}
    IRoot* GetRoot() override { return nullptr; }
    void Begin() override {}
    void End() override {}
    void BeginStep() override {}
    void EndStep() override {}
    UInt32 GetFrameCount() const override { return 0; }
    Double GetFrameTime() const override { return 0; }
    Double GetFrameDuration() const override { return 0; }
    UInt32 GetStepCount() const override { return 0; }
    Double GetLogicTime() const override { return 0; }
    Double GetStepDuration() const override { return 0; }
    UInt32 GetNumberOfSteps() const override { return 0; }
    void SetTimelineTime(Double) override {}
    void SetTimelineState(SInt32) override {}
    Double GetTimelineTime() const override { return 0; }
    SInt32 GetTimelineState() const override { return 0; }
    Input::ITouchableHandler* GetInputDeviceHandler() override { return nullptr; }
    Physics::ISimulator* GetPhysicsSimulator() override { return nullptr; }
    void PushFlags(UInt32 flags) override { mFlags.Push(flags); }
    void PopFlags() override { mFlags.Pop(); }
    UInt32 GetFlags() const override { return mFlags.mCurrent; }
    void PushView(IView*) override {}
    void PopView() override {}
    IView* GetCurrentView() override { return nullptr; }
    void PushTransform(const Math::Matrix<float>&) override {}
    void PushRelativeTransform(const Math::Matrix<float>&) override {}
    void PopTransform() override {}
    const Math::Matrix<float>& GetRelativeTransform() override { return mMatrix; }
    const Math::Matrix<float>& GetTransform() override { return mMatrix; }
    void PushScaleFactor(const Math::Vector<float>&) override {}
    void PushRelativeScaleFactor(const Math::Vector<float>&) override {}
    void PopScaleFactor() override {}
    const Math::Vector<float>& GetScaleFactor() override { return mVector; }
    void SetDepthOrder(SInt32) override {}
    void AddDepthOrder(SInt32) override {}
    void PopDepthOrder() override {}
    SInt32 GetDepthOrder() const override { return 0; }
    void AddProcessable(IProcessable*) override {}
    void ResetCounter() override { mCounter = 0; }
    void IncrementCounter() override { ++mCounter; }
    UInt32 GetCounter() const override { return mCounter; }
    void ResetTransform() override {}

    FlagStack mFlags;
    UInt32 mCounter = 0;
    Math::Matrix<float> mMatrix;
    Math::Vector<float> mVector;
};

class PrepareOutputState : public IPrepareOutputState
{
public:
    Bool Init(IClock*) override { return true; }
    Bool DeInit() override { return true; }
    void SetRoot(IRoot*) override {}
    IRoot* GetRoot() override { return nullptr; }
    void Begin() override {}
    void End() override {}
    UInt32 GetFrameCount() const override { return 0; }
    Double GetFrameTime() const override { return 0; }
    Double GetFrameDuration() const override { return 0; }
    UInt32 GetNumberOfSteps() const override { return 0; }
    Output::IDeviceHandler* GetOutputDeviceHandler() override { return nullptr; }
    void PushFlags(UInt32 flags) override { mFlags.Push(flags); }
    void PopFlags() override { mFlags.Pop(); }
    UInt32 GetFlags() const override { return mFlags.mCurrent; }
    void PushView(IView*) override {}
    void PopView() override {}
    IView* GetCurrentView() override { return nullptr; }
    void PushTransform(const Math::Matrix<float>&) override {}
    void PushRelativeTransform(const Math::Matrix<float>&) override {}
    void PopTransform() override {}
    const Math::Matrix<float>& GetTransform() override { return mMatrix; }
    void PushScaleFactor(const Math::Vector<float>&) override {}
    void PushRelativeScaleFactor(const Math::Vector<float>&) override {}
    void PopScaleFactor() override {}
    const Math::Vector<float>& GetScaleFactor() override { return mVector; }
    void SetDepthOrder(SInt32) override {}
    void AddDepthOrder(SInt32) override {}
    void PopDepthOrder() override {}
    SInt32 GetDepthOrder() const override { return 0; }
    void AddRenderable(IRenderable*, Bool) override {}
    void ResetCounter() override { mCounter = 0; }
    void IncrementCounter() override { ++mCounter; }
    UInt32 GetCounter() const override { return mCounter; }

    FlagStack mFlags;
    UInt32 mCounter = 0;
    Math::Matrix<float> mMatrix;
    Math::Vector<float> mVector;
};

class NodeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        gLiveObjects = 0;
        gController = ControllerLog();
        Node::SetControllerCreateFunction(&CreateFakeController);
        ASSERT_TRUE(mFactory.Init());
        mFactory.RegisterNodeClass(&kProbeInfo);
        mFactory.RegisterNodeClass(&kPlainContainerInfo); // kept out when the real one is built in
    }
    void TearDown() override
    {
        Factory::DestroyGraph(mTop);
        Node::SetControllerCreateFunction(nullptr);
        EXPECT_EQ(gLiveObjects, 0);
    }

    // The tree of the XML graph's elements below its Container; the log of building it.
    INode* Build(const char* xml)
    {
        mGraph = Testing::ParseXmlGraph(xml);
        if (mGraph == nullptr)
            return nullptr;
        ::testing::internal::CaptureStderr();
        mTop = mFactory.CreateGraph(mGraph.get(), nullptr);
        mLog = ::testing::internal::GetCapturedStderr();
        return mTop;
    }
    INode* Child(std::initializer_list<UInt32> path)
    {
        INode* node = mTop;
        for (UInt32 index : path)
            node = node->GetChild(index);
        return node;
    }
    std::string Capture(const std::function<void()>& run)
    {
        ::testing::internal::CaptureStderr();
        run();
        return ::testing::internal::GetCapturedStderr();
    }

    Factory mFactory;
    std::unique_ptr<Resource::XmlGraph> mGraph;
    INode* mTop = nullptr;
    std::string mLog;
    InitState mInit;
    DeInitState mDeInit;
    ConfigChangedState mConfigChanged;
    ProcessLogicState mProcessLogic;
    PrepareOutputState mPrepareOutput;
};

std::string Joined(const std::vector<std::string>& calls)
{
    std::string text;
    for (const std::string& call : calls)
        text += (text.empty() ? "" : " ") + call;
    return text;
}

TEST_F(NodeTest, FreshNodeIsEnabledActiveAndVisible)
{
    Node node;
    EXPECT_EQ(node.GetFlags(), 0x1Au);
    EXPECT_TRUE(node.IsActive());
    EXPECT_TRUE(node.IsVisible());
    EXPECT_TRUE(node.IsActiveAndVisible());
    EXPECT_FALSE(node.IsDisabled());
    EXPECT_TRUE(node.IsNotSubGraphInstance());
    EXPECT_EQ(node.GetController(), nullptr);
    EXPECT_FALSE(node.SetAnimationTimeScale(2));
    EXPECT_FALSE(node.SetAnimationTimeShift(1));
}

TEST_F(NodeTest, FlagSettersMarkOnlyRealChanges)
{
    Node node;
    node.SetActive(true);
    EXPECT_EQ(node.GetFlags() & 0x20u, 0u) << "already active";
    node.SetActive(false);
    EXPECT_EQ(node.GetFlags() & 0x28u, 0u);
    node.SetActive(true);
    EXPECT_EQ(node.GetFlags() & 0x28u, 0x28u);

    node.SetVisible(false);
    node.SetVisible(true);
    EXPECT_EQ(node.GetFlags() & 0x50u, 0x50u);

    node.SetActiveAndVisible(false);
    EXPECT_EQ(node.GetFlags() & 0x78u, 0u);
    EXPECT_FALSE(node.IsActive());
    node.SetVisible(true);
    EXPECT_FALSE(node.IsActiveAndVisible());
    node.SetActiveAndVisible(true);
    EXPECT_EQ(node.GetFlags() & 0x78u, 0x78u);

    node.SetDisabled(true);
    node.SetSubGraphInstance(true);
    EXPECT_TRUE(node.IsDisabled());
    EXPECT_FALSE(node.IsNotSubGraphInstance());
    EXPECT_EQ(node.GetFlags() & 0x3u, 0x1u);
}

TEST_F(NodeTest, ChildOperationsKeepOrderAndRefuseBadIndices)
{
    Node parent;
    Node a, b, c;
    a.SetId(String("a"));
    b.SetId(String("b"));
    c.SetId(String("b"));
    parent.AddChild(&a);
    parent.AddChild(&c);
    parent.InsertChild(&b, 1);
    EXPECT_EQ(Capture([&] { parent.InsertChild(&a, 4); }),
              "Graph::Node::InsertChild(): Index 4 out of range\n");
    ASSERT_EQ(parent.GetNumberOfChildren(), 3u);
    EXPECT_EQ(parent.GetChild(1), &b);
    EXPECT_EQ(parent.FindChild(String("b")), &b) << "first match in child order";
    EXPECT_EQ(parent.FindChild(String("x")), nullptr);
    EXPECT_EQ(parent.GetChild(3), nullptr);
    EXPECT_EQ(parent.RemoveChildAt(3), nullptr);
    EXPECT_EQ(parent.RemoveChild(&parent), nullptr);
    EXPECT_EQ(parent.RemoveChild(&b), &b);
    EXPECT_EQ(parent.RemoveChildAt(0), &a);
    ASSERT_EQ(parent.GetNumberOfChildren(), 1u);
    EXPECT_EQ(parent.GetChild(0), &c);
    EXPECT_EQ(parent.GetFlags(), 0x1Au) << "child operations leave the flags";
}

TEST_F(NodeTest, ReferencesCountDownToZeroOnly)
{
    Node node;
    EXPECT_FALSE(node.RemoveReference());
    EXPECT_EQ(node.GetReferenceCount(), 0u);
    EXPECT_TRUE(node.AddReference());
    EXPECT_TRUE(node.RemoveReference());
    EXPECT_EQ(node.GetReferenceCount(), 0u);
}

TEST_F(NodeTest, BaseAttributesSetIdAndFlagBitsOnly)
{
    ASSERT_NE(Build(R"(<Graph>
        <Node id="a" active="false" visible="false"/>
        <Node id="b" active="false"><Node id="c" active="true"/></Node>
        <Node activeAndVisible="false" unknownName="x" Id="skipped"/>
        </Graph>)"),
              nullptr) << mLog;
    EXPECT_EQ(mLog, "");
    EXPECT_EQ(Child({0})->GetId(), "a");
    EXPECT_EQ(Child({0})->GetFlags(), 0x02u);
    EXPECT_EQ(Child({1})->GetFlags(), 0x12u);
    // "active" sets bit 3 without marking the node as just activated.
    EXPECT_EQ(Child({1, 0})->GetFlags(), 0x1Au);
    EXPECT_EQ(Child({2})->GetFlags(), 0x02u);
    EXPECT_EQ(Child({2})->GetId(), "") << "names match byte for byte";
}

TEST_F(NodeTest, BadValuesFailTheNodeAfterAllAttributesWereRead)
{
    EXPECT_EQ(Build(R"(<Graph><Probe active="maybe" id="late" subTreeBits="many"/></Graph>)"), nullptr);
    EXPECT_EQ(mLog.find("Util::Attributes::GetValue(): Failed to convert value \"maybe\""), 0u) << mLog;
    EXPECT_NE(mLog.find("\"many\""), std::string::npos) << mLog;
    EXPECT_NE(mLog.find("Graph::Node::Deserialize(): Failed parsing attributes\n"
                        "Graph::Factory::CreateGraphFromResourceNode(): Failed deserializing resource node for "
                        "class 'Probe'\n"
                        "Graph::Factory::CreateGraphFromResourceNode(): Failed creating child #0\n"),
              std::string::npos)
        << mLog;
}

TEST_F(NodeTest, InitRunsSelfBeforeChildrenOnceAndGathersSubTreeBits)
{
    ASSERT_NE(Build(R"(<Graph><Probe id="p"><Probe id="a"/><Probe id="b" subTreeBits="2147483648"/></Probe>
        </Graph>)"),
              nullptr) << mLog;
    INode* p = Child({0});
    ASSERT_TRUE(p->Init(&mInit));
    EXPECT_EQ(Joined(gCalls), "InitSelf:p InitSelf:a InitSelf:b");
    EXPECT_EQ(p->GetFlags(), 0x8000001Eu);
    EXPECT_EQ(Child({0, 0})->GetFlags(), 0x1Eu);
    EXPECT_EQ(mInit.mCounter, 3u);
    EXPECT_EQ(mInit.mNodes.GetCount(), 0) << "every push is popped";
    EXPECT_EQ(static_cast<Node*>(p)->GetFrameStamp(), 7u);

    gCalls.clear();
    ASSERT_TRUE(p->Init(&mInit));
    EXPECT_EQ(Joined(gCalls), "") << "initialised nodes are walked, not initialised again";
    EXPECT_EQ(mInit.mCounter, 3u);

    mInit.mCancelled = true;
    Node fresh;
    EXPECT_TRUE(fresh.Init(&mInit));
    EXPECT_EQ(fresh.GetFlags() & Node::kInitialized, 0u) << "a cancelled Init does nothing";

    gCalls.clear();
    ASSERT_TRUE(p->DeInit(&mDeInit));
    EXPECT_EQ(Joined(gCalls), "DeInitSelf:b DeInitSelf:a DeInitSelf:p");
    EXPECT_EQ(mDeInit.mCounter, 3u);
    EXPECT_EQ(p->GetFlags(), 0x8000001Au) << "sub-tree bits stay";
}

TEST_F(NodeTest, DeInitRefusesASubGraphInstanceAndWaitsForReferences)
{
    ASSERT_NE(Build(R"(<Graph><Probe id="p"><Probe id="c"/></Probe></Graph>)"), nullptr) << mLog;
    INode* p = Child({0});
    ASSERT_TRUE(p->Init(&mInit));
    gCalls.clear();

    p->SetSubGraphInstance(true);
    EXPECT_EQ(Capture([&] { EXPECT_FALSE(p->DeInit(&mDeInit)); }),
              "Graph::Node::DeInit(p): Remaining sub-graph instance\n");
    EXPECT_NE(p->GetFlags() & Node::kInitialized, 0u);
    EXPECT_NE(Child({0, 0})->GetFlags() & Node::kInitialized, 0u);
    p->SetSubGraphInstance(false);

    p->AddReference();
    EXPECT_EQ(Capture([&] { EXPECT_FALSE(p->DeInit(&mDeInit)); }),
              "Graph::Node::DeInit(p): Failed, reference count is not zero\n");
    EXPECT_EQ(Joined(gCalls), "DeInitSelf:c");
    EXPECT_EQ(p->GetFlags() & Node::kInitialized, 0u);
    EXPECT_EQ(gLiveObjects, 1) << "the node's own object waits for the reference";

    gCalls.clear();
    p->RemoveReference();
    EXPECT_TRUE(p->DeInit(&mDeInit));
    EXPECT_EQ(Joined(gCalls), "DeInitSelf:p") << "children are not visited again";
    EXPECT_EQ(gLiveObjects, 0);
}

TEST_F(NodeTest, HalfInitialisedTreeDeInitialisesOnlyWhatInitMade)
{
    // c fails after making its object, d before; e and f are never reached.
    ASSERT_NE(Build(R"(<Graph><Probe id="top">
        <Probe id="a"><Probe id="b"/></Probe>
        <Probe id="c" initFailure="2"><Probe id="x"/></Probe>
        <Probe id="e"/>
        </Probe>
        <Probe id="d" initFailure="1"/><Probe id="f"/></Graph>)"),
              nullptr) << mLog;
    const std::string log = Capture([&] { EXPECT_FALSE(mTop->Init(&mInit)); });
    EXPECT_EQ(log, "Graph::Node::Init(c): InitSelf() failed\n"
                   "Graph::Node::InitChildren(top): Failed for child 1\n"
                   "Graph::Node::Init(top): InitChildren() failed\n"
                   "Graph::Node::InitChildren(): Failed for child 0\n"
                   "Graph::Node::Init(): InitChildren() failed\n");
    EXPECT_EQ(gLiveObjects, 4); // top, a, b, c
    EXPECT_EQ(Child({0, 1})->GetFlags() & Node::kInitialized, 0u);

    gCalls.clear();
    EXPECT_TRUE(mTop->DeInit(&mDeInit));
    EXPECT_EQ(Joined(gCalls), "DeInitSelf:c DeInitSelf:b DeInitSelf:a DeInitSelf:top");
    EXPECT_EQ(gLiveObjects, 0);

    // The tree can be initialised again, failing node and all, once its fault is gone.
    gCalls.clear();
    EXPECT_FALSE(Capture([&] { mTop->Init(&mInit); }).empty());
    EXPECT_EQ(Joined(gCalls), "InitSelf:top InitSelf:a InitSelf:b InitSelf:c");
    EXPECT_TRUE(mTop->DeInit(&mDeInit));
    EXPECT_EQ(gLiveObjects, 0);
}

TEST_F(NodeTest, NamedNodesRegisterInTheirNamespaceUntilDeInit)
{
    ASSERT_NE(Build(R"(<Graph><Namespace id="ns"><Node id="a"/><Node/><Namespace id="inner"><Node id="a"/></Namespace>
        </Namespace></Graph>)"),
              nullptr) << mLog;
    Namespace* ns = dynamic_cast<Namespace*>(Child({0}));
    ASSERT_NE(ns, nullptr);
    mInit.PushNamespace(ns);
    ASSERT_TRUE(ns->Init(&mInit));
    Node* a = static_cast<Node*>(Child({0, 0}));
    EXPECT_EQ(a->GetNamespace(), ns);
    EXPECT_EQ(a->GetRootNamespace(), ns);
    EXPECT_EQ(static_cast<Node*>(Child({0, 1}))->GetNamespace(), nullptr) << "anonymous nodes register nowhere";
    EXPECT_EQ(static_cast<Node*>(Child({0, 2, 0}))->GetRootNamespace(), ns);
    INode* found = ns->FindNode(String("inner/a"));
    EXPECT_EQ(found, Child({0, 2, 0}));
    found->RemoveReference();

    mInit.PopNamespace();
    ASSERT_TRUE(ns->DeInit(&mDeInit));
    EXPECT_EQ(a->GetNamespace(), nullptr);
    EXPECT_EQ(ns->FindNode(String("a")), nullptr);
}

TEST_F(NodeTest, NodeRefusedByItsNamespaceLeavesTheHolderRegistered)
{
    ASSERT_NE(Build(R"(<Graph><Namespace><Node id="a"/><Node id="a"/></Namespace></Graph>)"), nullptr) << mLog;
    Namespace* ns = dynamic_cast<Namespace*>(Child({0}));
    ASSERT_NE(ns, nullptr);
    const std::string log = Capture([&] { EXPECT_FALSE(ns->Init(&mInit)); });
    EXPECT_EQ(log.rfind("Graph::Namespace::RegisterNode(): Duplicate node \"a\"\n"
                        "Graph::Node::InitSelf(a): Failed registering node\n"
                        "Graph::Node::Init(a): InitSelf() failed\n",
                        0),
              0u)
        << log;
    EXPECT_EQ(static_cast<Node*>(Child({0, 1}))->GetNamespace(), nullptr);

    // De-initialising the refused node must not unregister the first holder of its id.
    EXPECT_EQ(Capture([&] { EXPECT_TRUE(Child({0, 1})->DeInit(&mDeInit)); }), "");
    INode* holder = ns->FindNode(String("a"));
    EXPECT_EQ(holder, Child({0, 0}));
    if (holder != nullptr)
        holder->RemoveReference();
    EXPECT_TRUE(ns->DeInit(&mDeInit));
}

TEST_F(NodeTest, SuspendGoesChildrenFirstFromTheLastResumeSelfFirst)
{
    ASSERT_NE(Build(R"(<Graph><Probe id="p"><Probe id="a"/><Probe id="b"/><Probe id="c"/></Probe></Graph>)"),
              nullptr);
    INode* p = Child({0});
    EXPECT_TRUE(p->Suspend(&mDeInit));
    EXPECT_EQ(Joined(gCalls), "SuspendSelf:c SuspendSelf:b SuspendSelf:a SuspendSelf:p");
    gCalls.clear();
    EXPECT_TRUE(p->Resume(&mInit));
    EXPECT_EQ(Joined(gCalls), "ResumeSelf:p ResumeSelf:a ResumeSelf:b ResumeSelf:c");
}

TEST_F(NodeTest, LogicAndOutputPassesEnterOnlyThroughTheirGuards)
{
    ASSERT_NE(Build(R"(<Graph><Probe id="p" subTreeBits="3758096384">
        <Probe id="on" subTreeBits="3758096384"/>
        <Probe id="inactive" active="false" subTreeBits="3758096384"/>
        <Probe id="hidden" visible="false" subTreeBits="3758096384"/>
        <Probe id="plain"/>
        </Probe></Graph>)"),
              nullptr);
    INode* p = Child({0});
    // Nothing runs before Init.
    EXPECT_TRUE(p->ProcessLogic(&mProcessLogic));
    EXPECT_TRUE(p->PrepareOutput(&mPrepareOutput));
    EXPECT_TRUE(p->ConfigChanged(&mConfigChanged));
    EXPECT_EQ(Joined(gCalls), "");

    ASSERT_TRUE(p->Init(&mInit));
    gCalls.clear();
    EXPECT_TRUE(p->ProcessLogic(&mProcessLogic));
    EXPECT_EQ(Joined(gCalls), "ProcessLogicSelf:p ProcessLogicSelf:on ProcessLogicSelf:hidden");
    EXPECT_EQ(mProcessLogic.mCounter, 3u);
    gCalls.clear();
    EXPECT_TRUE(p->PrepareOutput(&mPrepareOutput));
    EXPECT_EQ(Joined(gCalls), "PrepareOutputSelf:p PrepareOutputSelf:on PrepareOutputSelf:inactive");
    gCalls.clear();
    EXPECT_TRUE(p->ConfigChanged(&mConfigChanged));
    EXPECT_EQ(Joined(gCalls),
              "ConfigChangedSelf:p ConfigChangedSelf:on ConfigChangedSelf:inactive ConfigChangedSelf:hidden");
    EXPECT_EQ(static_cast<Node*>(p)->GetFrameStamp(), 11u);

    gCalls.clear();
    p->SetDisabled(true);
    EXPECT_TRUE(p->ProcessLogic(&mProcessLogic));
    EXPECT_TRUE(p->PrepareOutput(&mPrepareOutput));
    EXPECT_TRUE(p->ConfigChanged(&mConfigChanged));
    EXPECT_EQ(Joined(gCalls), "");
    p->SetDisabled(false);
    EXPECT_TRUE(p->DeInit(&mDeInit));
}

TEST_F(NodeTest, JustActivatedReachesTheWholeSubTreeForOnePass)
{
    ASSERT_NE(Build(R"(<Graph><Probe id="p" subTreeBits="3221225472">
        <Probe id="a" subTreeBits="3221225472"><Probe id="b" subTreeBits="3221225472"/></Probe>
        <Probe id="c" subTreeBits="3221225472"/>
        </Probe></Graph>)"),
              nullptr);
    ASSERT_TRUE(Child({0})->Init(&mInit));
    gCalls.clear();
    Child({0, 0})->SetActiveAndVisible(false);
    Child({0, 0})->SetActiveAndVisible(true);
    EXPECT_TRUE(Child({0})->ProcessLogic(&mProcessLogic));
    EXPECT_TRUE(Child({0})->PrepareOutput(&mPrepareOutput));
    EXPECT_EQ(Joined(gCalls), "ProcessLogicSelf:p ProcessLogicSelf:a+ ProcessLogicSelf:b+ ProcessLogicSelf:c "
                              "PrepareOutputSelf:p PrepareOutputSelf:a+ PrepareOutputSelf:b+ PrepareOutputSelf:c");
    EXPECT_EQ(Child({0, 0})->GetFlags() & 0x60u, 0u);
    EXPECT_EQ(mProcessLogic.mFlags.mEntries.GetCount(), 0);

    gCalls.clear();
    EXPECT_TRUE(Child({0})->ProcessLogic(&mProcessLogic));
    EXPECT_EQ(Joined(gCalls), "ProcessLogicSelf:p ProcessLogicSelf:a ProcessLogicSelf:b ProcessLogicSelf:c");
    EXPECT_TRUE(Child({0})->DeInit(&mDeInit));
}

// A pass that fails below a just-activated node keeps its bit, so the next pass hands it over.
TEST_F(NodeTest, FailedProcessLogicKeepsTheJustActivatedBit)
{
    ASSERT_NE(Build(R"(<Graph><Probe id="p" subTreeBits="3221225472">
        <Node id="n" animationResourceId="pkg:walk"/></Probe></Graph>)"),
              nullptr)
        << mLog;
    ASSERT_TRUE(Child({0})->Init(&mInit));
    Child({0})->SetActiveAndVisible(false);
    Child({0})->SetActiveAndVisible(true);
    gController.failProcessLogic = true;
    gCalls.clear();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Child({0})->ProcessLogic(&mProcessLogic));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Node::ProcessLogic(p): ProcessLogicChildren() failed"), std::string::npos) << log;
    EXPECT_NE(Child({0})->GetFlags() & Node::kJustActivated, 0u);

    gController.failProcessLogic = false;
    gCalls.clear();
    EXPECT_TRUE(Child({0})->ProcessLogic(&mProcessLogic));
    EXPECT_EQ(Joined(gCalls), "ProcessLogicSelf:p+");
    EXPECT_EQ(Child({0})->GetFlags() & Node::kJustActivated, 0u);
    EXPECT_TRUE(Child({0})->DeInit(&mDeInit));
}

TEST_F(NodeTest, AnimationControllerLivesWithTheNode)
{
    ASSERT_NE(Build(R"(<Graph><Node animationTimeScale="2" id="n" animationResourceId="pkg:walk"/>
        <Node animationTimeShift="5"/></Graph>)"),
              nullptr) << mLog;
    INode* animated = Child({0});
    ASSERT_NE(animated->GetController(), nullptr);
    EXPECT_EQ(gController.resourceId, "pkg:walk");
    EXPECT_EQ(gController.timeScale, 2.0f) << "read wherever it stands";
    EXPECT_EQ(gController.timeShift, 0.0f) << "the other element's shift has no effect";
    EXPECT_EQ(Child({1})->GetController(), nullptr);

    EXPECT_TRUE(animated->SetAnimationTimeScale(0));
    EXPECT_EQ(gController.timeScale, 2.0f);
    EXPECT_TRUE(animated->SetAnimationTimeShift(1.5f));
    EXPECT_EQ(gController.timeShift, 1.5f);

    ASSERT_TRUE(mTop->Init(&mInit));
    EXPECT_EQ(animated->GetFlags() & 0x60000000u, 0x60000000u);
    EXPECT_EQ(mTop->GetFlags() & 0x60000000u, 0x60000000u);
    EXPECT_EQ(gController.inits, 1);
    ASSERT_TRUE(mTop->DeInit(&mDeInit));
    EXPECT_EQ(gController.deInits, 1);
}

TEST_F(NodeTest, AnimationControllerThatCannotBeMadeFailsTheNode)
{
    Node::SetControllerCreateFunction([](INode*, const String&) -> IController* { return nullptr; });
    EXPECT_EQ(Build(R"(<Graph><Node id="n" animationResourceId="pkg:walk"/></Graph>)"), nullptr);
    EXPECT_EQ(mLog.rfind("Graph::Node::DeserializeAttribute(n): Failed creating animation controller for "
                         "\"pkg:walk\"\n",
                         0),
              0u)
        << mLog;
}

} // namespace
} // namespace Graph
} // namespace Vorn
