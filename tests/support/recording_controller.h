// An animation controller for graph tests that succeeds at everything and records the
// evaluator makers its node registers. While a ControllerRecorder lives, every node given an
// "animationResourceId" gets one.
#pragma once

#include <new>
#include <vector>

#include "graph/controller.h"
#include "graph/node.h"

namespace Vorn {
namespace Testing {

class RecordingController : public Graph::IController
{
public:
    Bool Init(Graph::IInitState*) override { return true; }
    Bool DeInit(Graph::IDeInitState*) override { return true; }
    Bool ConfigChanged(Graph::IConfigChangedState*) override { return true; }
    void SetTimeShift(Real) override {}
    void SetTimeScale(Real) override {}
    Bool ProcessLogic(Graph::IProcessLogicState*) override
    {
        ++mProcessLogicCalls;
        return true;
    }
    void DeserializeAttributes(const IAttributes*, const IAttributes*, Bool*) override {}
    Bool AddEvaluator(EvaluatorCreateFunction create) override
    {
        mEvaluators.push_back(create);
        return true;
    }

    std::vector<EvaluatorCreateFunction> mEvaluators;
    UInt32 mProcessLogicCalls = 0;
};

class ControllerRecorder
{
public:
    ControllerRecorder() { Graph::Node::SetControllerCreateFunction(&Create); }
    ~ControllerRecorder() { Graph::Node::SetControllerCreateFunction(nullptr); }
    ControllerRecorder(const ControllerRecorder&) = delete;
    ControllerRecorder& operator=(const ControllerRecorder&) = delete;

    static RecordingController* GetController(Graph::INode* node)
    {
        return dynamic_cast<RecordingController*>(node->GetController());
    }

private:
    static Graph::IController* Create(Graph::INode*, const String&) { return new (std::nothrow) RecordingController(); }
};

} // namespace Testing
} // namespace Vorn
