// Logic test helpers: a logic state made by the real factory over a fake device handler and a
// fake loader, and app processors, app stages and node references that write every call they
// get into one shared trace ("a.OnInit", "b.OnStageStart", "n.Remove"), so a test can compare a
// whole call sequence.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "logic/factory.h"
#include "logic/stage.h"
#include "logic/stage_processor.h"
#include "logic/state.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"

namespace Vorn {
namespace Testing {

typedef std::vector<std::string> Trace;

// The state a processor receives, with a step duration of 0.25 s.
struct LogicServices
{
    LogicServices()
        : mEngineState(mLogicFactory.CreateState(&mDevices, nullptr, &mLoader, nullptr)), mState(mEngineState->GetState())
    {
        mEngineState->SetCurrentTickDuration(0.25);
    }
    ~LogicServices() { mLogicFactory.DestroyState(mEngineState); }

    Logic::Factory mLogicFactory;
    FakeLogicDeviceHandler mDevices;
    FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    Logic::IState* mState;
};

// A node reference whose validity and release result the test sets.
class RecordingNode : public Logic::IObservableNode
{
public:
    RecordingNode(Trace* trace, const char* name, Bool valid = true) : mTrace(trace), mName(name), mValid(valid) {}
    Bool IsValid() const override { return mValid; }
    Bool Remove() override
    {
        mTrace->push_back(mName + ".Remove");
        return mRemoveResult;
    }

    Trace* mTrace;
    std::string mName;
    Bool mValid;
    Bool mRemoveResult = true;
};

// A stepable that records its resets and steps.
class RecordingStepable : public Logic::IStepable
{
public:
    RecordingStepable(Trace* trace, const char* name) : mTrace(trace), mName(name) {}
    void Reset() override { mTrace->push_back(mName + ".Reset"); }
    void Step(Double dt) override { mTrace->push_back(mName + ".Step(" + std::to_string(dt).substr(0, 4) + ")"); }

    Trace* mTrace;
    std::string mName;
};

// A game processor with its own engine processor. OnInit adds the nodes and stepables listed and
// answers mInitResult; OnDeInit answers mDeInitResult.
class RecordingProcessor : public Logic::BaseChildProcessor
{
public:
    RecordingProcessor(Logic::IFactory* factory, Trace* trace, const char* name)
        : Logic::BaseChildProcessor(factory), mTrace(trace), mName(name)
    {
    }

    Bool OnInit(Logic::IState*) override
    {
        Record("OnInit");
        for (Logic::IObservableNode* node : mNodes)
            mProcessor->AddGraphNode(node);
        for (Logic::IStepable* stepable : mStepables)
            mProcessor->AddStepable(stepable);
        return mInitResult;
    }
    Bool OnDeInit(Logic::IState*) override { return Record("OnDeInit"), mDeInitResult; }
    void OnStep(Logic::IState*) override { Record("OnStep"); }
    void OnStepAfterChildren(Logic::IState*) override { Record("OnStepAfterChildren"); }
    void OnAnimate(Logic::IState*) override { Record("OnAnimate"); }
    void OnAnimateAfterChildren(Logic::IState*) override { Record("OnAnimateAfterChildren"); }
    void OnPackageWillBeLoaded(Logic::IState*, IPackage*) override { Record("OnPackageWillBeLoaded"); }
    void OnPackageWasLoaded(Logic::IState*, IPackage*) override { Record("OnPackageWasLoaded"); }
    void OnPackageWillBeUnloaded(Logic::IState*, IPackage*) override { Record("OnPackageWillBeUnloaded"); }
    void OnPackageWasUnloaded(Logic::IState*, IPackage*) override { Record("OnPackageWasUnloaded"); }
    void OnRunStateChanged(Logic::IState*, Enums::AppRunState, Enums::AppRunState) override
    {
        Record("OnRunStateChanged");
    }
    void OnEnabledChanged(Bool enabled) override
    {
        Record(std::string("OnEnabledChanged(") + (enabled ? "true" : "false") + ") while " +
               (mProcessor->IsEnabled() ? "enabled" : "disabled"));
    }

    void Record(const std::string& call) { mTrace->push_back(mName + "." + call); }

    Trace* mTrace;
    std::string mName;
    std::vector<Logic::IObservableNode*> mNodes;
    std::vector<Logic::IStepable*> mStepables;
    Bool mInitResult = true;
    Bool mDeInitResult = true;
};

// A game stage that records its stage callbacks; mOnCallback, when set, runs after each record
// with the call's name, so a test can act from inside a callback.
class RecordingStage : public Logic::BaseStage
{
public:
    RecordingStage(Logic::IFactory* factory, Trace* trace, const char* name, const char* switchChild = "")
        : Logic::BaseStage(factory, String(name), String(switchChild)), mTrace(trace), mName(name)
    {
    }

    Bool OnInit(Logic::IState*, Logic::IStageProcessor*) override { return Record("OnStageInit"), mInitResult; }
    Bool OnDeInit(Logic::IState*, Logic::IStageProcessor*) override { return Record("OnStageDeInit"), true; }
    void OnStageStart(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageStart"); }
    void OnStageStarting(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageStarting"); }
    void OnStageStarted(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageStarted"); }
    void OnStageRunning(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageRunning"); }
    void OnStageStop(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageStop"); }
    void OnStageStopping(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageStopping"); }
    void OnStageIdle(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageIdle"); }
    void OnStageStep(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageStep"); }
    void OnStageAnimate(Logic::IState*, Logic::IStageProcessor*) override { Record("OnStageAnimate"); }
    void OnStep(Logic::IState*) override { Record("OnStep"); }
    void OnStepAfterChildren(Logic::IState*) override { Record("OnStepAfterChildren"); }
    void OnAnimate(Logic::IState*) override { Record("OnAnimate"); }

    void Record(const std::string& call)
    {
        mTrace->push_back(mName + "." + call);
        if (mOnCallback)
            mOnCallback(call);
    }

    Trace* mTrace;
    std::string mName;
    Bool mInitResult = true;
    std::function<void(const std::string&)> mOnCallback;
};

} // namespace Testing
} // namespace Vorn
