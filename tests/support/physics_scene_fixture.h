// Scenes for tests of the physics nodes: the scene fixture over a fake physics simulator and a
// fake configuration, with the ConfigChanged state and a log capture for the nodes' failure lines.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "graph/physics/body.h"
#include "graph/service_state.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_physics_simulator.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Testing {

class PhysicsSceneFixture : public SceneFixture
{
protected:
    PhysicsSceneFixture()
        : SceneFixture(&mPhysics, &mConfiguration),
          mConfigChangedState(&mConfiguration, &mFactory, nullptr, nullptr, nullptr, nullptr, &mPhysics, &mCollection)
    {
        mConfigChangedState.Init(&mClock);
    }

    // The tree of the nodes inside one namespace, initialised; null (with a test failure) when
    // it cannot be built or initialised.
    Graph::INode* Scene(const std::string& nodes)
    {
        Graph::INode* top = Build(("<Graph><Namespace>" + nodes + "</Namespace></Graph>").c_str());
        if (top == nullptr)
            return nullptr;
        mTop = top;
        EXPECT_TRUE(Init(top)) << nodes;
        return top->GetChild(0);
    }

    // Builds the nodes as Scene does and initialises them, returning what Init logged; the tree
    // is de-initialised again.
    std::string InitLog(const std::string& nodes)
    {
        Graph::INode* top = Build(("<Graph><Namespace>" + nodes + "</Namespace></Graph>").c_str());
        if (top == nullptr)
            return "";
        ::testing::internal::CaptureStderr();
        const Bool initialised = Init(top);
        std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(initialised) << nodes;
        DeInit(top);
        return log;
    }

    // One logic traversal as the engine runs it: the simulator forgets, the nodes register.
    Bool Traverse()
    {
        mPhysics.ClearObjects();
        return ProcessLogic(mTop);
    }

    Bool ConfigChanged()
    {
        mConfigChangedState.Begin();
        return mTop->ConfigChanged(&mConfigChangedState);
    }

    void TearDown() override
    {
        if (mTop != nullptr) {
            EXPECT_TRUE(DeInit(mTop));
        }
        EXPECT_TRUE(mPhysics.mLiveObjects.empty());
    }

    Graph::Body* FindBody(const char* path) { return dynamic_cast<Graph::Body*>(Find(AsNamespace(mTop->GetChild(0)), path)); }
    static FakeBody* FakeOf(Graph::Body* body) { return dynamic_cast<FakeBody*>(body->GetBodyObject()); }

    FakePhysicsSimulator mPhysics;
    FakeConfiguration mConfiguration;
    Graph::ConfigChangedState mConfigChangedState;
    Graph::INode* mTop = nullptr;
};

} // namespace Testing
} // namespace Vorn
