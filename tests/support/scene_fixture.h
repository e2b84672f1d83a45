// Scenes for tests of the node classes: graphs built from XML graph text through the real
// resource reader and the graph factory, walked with the real Init, DeInit and ProcessLogic
// states over a settable clock. Every graph built is destroyed with the fixture.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graph/factory.h"
#include "graph/init_state.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/process_logic_state.h"
#include "graph/service_state.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_resource_collection.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace Testing {

// The engine side of a scene: factory with the built-in classes, resource collection, clock and
// the Init, DeInit and ProcessLogic states, none of them attached to a root; a physics simulator
// and a configuration when the test gives them.
struct SceneServices
{
    explicit SceneServices(Physics::ISimulator* physicsSimulator = nullptr, IConfiguration* configuration = nullptr)
        : mInitState(configuration, &mFactory, nullptr, nullptr, nullptr, nullptr, physicsSimulator, &mCollection),
          mDeInitState(configuration, &mFactory, nullptr, nullptr, nullptr, nullptr, physicsSimulator, &mCollection),
          mProcessLogicState(nullptr, physicsSimulator)
    {
        mFactory.Init();
        mInitState.Init(&mClock);
        mDeInitState.Init(&mClock);
        mProcessLogicState.Init(&mClock);
        mInitState.Begin();
        mDeInitState.Begin();
    }
    ~SceneServices() { mFactory.DeInit(); }

    FakeClock mClock;
    FakeResourceCollection mCollection;
    Graph::Factory mFactory;
    Graph::InitState mInitState;
    Graph::DeInitState mDeInitState;
    Graph::ProcessLogicState mProcessLogicState;
};

class SceneFixture : public ::testing::Test, protected SceneServices
{
protected:
    SceneFixture() = default;
    SceneFixture(Physics::ISimulator* physicsSimulator, IConfiguration* configuration)
        : SceneServices(physicsSimulator, configuration)
    {
    }
    ~SceneFixture() override
    {
        for (Graph::INode* top : mTops)
            Graph::Factory::DestroyGraph(top);
    }

    // The tree of the XML graph document ("<Graph>...</Graph>"), uninitialised: the reader makes
    // the document element a Container, so the first node written is its first child. Null (with
    // a test failure) when it cannot be built.
    Graph::INode* Build(const char* xml, const IAttributes* parameters = nullptr)
    {
        mGraphs.push_back(ParseXmlGraph(xml));
        if (mGraphs.back() == nullptr)
            return nullptr;
        Graph::INode* top = mFactory.CreateGraph(mGraphs.back().get(), parameters);
        EXPECT_NE(top, nullptr) << xml;
        if (top != nullptr)
            mTops.push_back(top);
        return top;
    }

    Bool Init(Graph::INode* node) { return node->Init(&mInitState); }
    Bool DeInit(Graph::INode* node) { return node->DeInit(&mDeInitState); }

    // One logic step over the tree.
    Bool ProcessLogic(Graph::INode* node)
    {
        mProcessLogicState.BeginStep();
        const Bool processed = node->ProcessLogic(&mProcessLogicState);
        mProcessLogicState.EndStep();
        return processed;
    }

    // The node at the path from the namespace (one reference taken and released at once).
    static Graph::INode* Find(Graph::INamespace* nameSpace, const char* path)
    {
        Graph::INode* node = nameSpace->FindNode(String(path));
        if (node != nullptr)
            node->RemoveReference();
        return node;
    }
    static Graph::INamespace* AsNamespace(Graph::INode* node) { return dynamic_cast<Graph::INamespace*>(node); }
    static UInt32 ReferenceCount(Graph::INode* node)
    {
        return static_cast<Graph::Node*>(node)->GetReferenceCount();
    }

    std::vector<std::unique_ptr<Resource::XmlGraph>> mGraphs;
    std::vector<Graph::INode*> mTops;
};

} // namespace Testing
} // namespace Vorn
