// A node for graph tests that records what the ProcessLogic and PrepareOutput states hold when a
// pass reaches it (world transform, scale factor, depth order), and can be told to fail a pass.
// Register it with RegisterProbeNode and write it as "Probe" in graph text.
#pragma once

#include <functional>
#include <initializer_list>
#include <new>
#include <vector>

#include "foundation/matrix.h"
#include "foundation/vector.h"
#include "graph/factory.h"
#include "graph/node.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Testing {

class ProbeNode : public Graph::Node
{
public:
    ProbeNode() { AddFlags(kNeedsProcessLogic | kNeedsPrepareOutput); }

    static Graph::INode* Create() { return new (std::nothrow) ProbeNode(); }

    struct Seen
    {
        Math::Matrix<float> mTransform;
        Math::Vector<float> mScaleFactor;
        SInt32 mDepthOrder = 0;
        UInt32 mVisits = 0;
    };

    Seen mLogic;
    Seen mOutput;
    Bool mFailLogic = false;
    Bool mFailOutput = false;
    // Run at the end of the probe's logic step (to change other nodes in the middle of a pass).
    std::function<void()> mOnLogic;

protected:
    Bool ProcessLogicSelf(Graph::IProcessLogicState* state) override
    {
        mLogic.mTransform = state->GetTransform();
        mLogic.mScaleFactor = state->GetScaleFactor();
        mLogic.mDepthOrder = state->GetDepthOrder();
        ++mLogic.mVisits;
        if (mOnLogic)
            mOnLogic();
        return !mFailLogic;
    }
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        mOutput.mTransform = state->GetTransform();
        mOutput.mScaleFactor = state->GetScaleFactor();
        mOutput.mDepthOrder = state->GetDepthOrder();
        ++mOutput.mVisits;
        return !mFailOutput;
    }
};

// Registers "Probe" and, for each given built-in class name whose record has no create function
// yet, the supplied create function; classes already registered stay as they are.
struct ClassToRegister
{
    const char* mName;
    Graph::NodeCreateFunction mCreate;
};

class NodeClassRegistration
{
public:
    NodeClassRegistration(Graph::Factory& factory, std::initializer_list<ClassToRegister> classes) : mFactory(factory)
    {
        mInfos.reserve(classes.size() + 1);
        mInfos.emplace_back(String("Probe"), &ProbeNode::Create);
        for (const ClassToRegister& entry : classes)
            mInfos.emplace_back(String(entry.mName), entry.mCreate);
        for (Graph::NodeClassInfo& info : mInfos) {
            if (mFactory.RegisterNodeClass(&info))
                mRegistered.push_back(&info);
        }
    }
    ~NodeClassRegistration()
    {
        for (Graph::NodeClassInfo* info : mRegistered)
            mFactory.UnregisterNodeClass(info);
    }

private:
    Graph::Factory& mFactory;
    std::vector<Graph::NodeClassInfo> mInfos;
    std::vector<Graph::NodeClassInfo*> mRegistered;
};

} // namespace Testing
} // namespace Vorn
