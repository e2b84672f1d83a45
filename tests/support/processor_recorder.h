// A top-level logic processor for engine tests, beside the app-side recorders of the logic tests:
// records every engine call it gets with the step's logic time, and can be told to fail its Init
// or to run a hook in its Step.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/package.h"
#include "logic/processor.h"
#include "logic/state.h"

namespace Vorn {
namespace Testing {

class ProcessorRecorder : public Logic::IProcessor
{
public:
    explicit ProcessorRecorder(const char* name = "processor")
        : mName(name), mMainThread(std::this_thread::get_id())
    {
    }

    Bool Init(Logic::IState*) override
    {
        Record("Init");
        return !mFailInit;
    }
    Bool DeInit(Logic::IState*) override
    {
        Record("DeInit");
        return !mFailDeInit;
    }
    void Step(Logic::IState* state) override
    {
        {
            std::lock_guard<std::mutex> guard(mLock);
            mStepTimes.push_back(state->GetCurrentTickTime());
        }
        Record("Step");
        if (mOnStep)
            mOnStep();
    }
    void Animate(Logic::IState*) override { Record("Animate"); }
    void SignalPackageWillBeLoaded(Logic::IState*, IPackage* package) override
    {
        Record("WillBeLoaded " + std::string(package->GetName().GetText()));
    }
    void SignalPackageWasLoaded(Logic::IState*, IPackage* package) override
    {
        Record("WasLoaded " + std::string(package->GetName().GetText()));
    }
    void SignalPackageWillBeUnloaded(Logic::IState*, IPackage* package) override
    {
        Record("WillBeUnloaded " + std::string(package->GetName().GetText()));
    }
    void SignalPackageWasUnloaded(Logic::IState*, IPackage* package) override
    {
        Record("WasUnloaded " + std::string(package->GetName().GetText()));
    }
    void RunStateChanged(Logic::IState*, Enums::AppRunState newState, Enums::AppRunState previousState) override
    {
        Record("RunState " + std::to_string(Enums::Value(newState)) + " " + std::to_string(Enums::Value(previousState)));
    }

    // The calls so far, each prefixed with the processor's name; clears them.
    std::vector<std::string> TakeCalls()
    {
        std::lock_guard<std::mutex> guard(mLock);
        std::vector<std::string> calls;
        calls.swap(mCalls);
        return calls;
    }
    std::vector<Double> TakeStepTimes()
    {
        std::lock_guard<std::mutex> guard(mLock);
        std::vector<Double> times;
        times.swap(mStepTimes);
        return times;
    }

    Bool mFailInit = false;
    Bool mFailDeInit = false;
    // Marks each call made on another thread than the one that made the processor.
    Bool mTagThreads = false;
    // Run at the end of each Step, on the logic thread.
    std::function<void()> mOnStep;

private:
    void Record(const std::string& call)
    {
        const Bool other = mTagThreads && std::this_thread::get_id() != mMainThread;
        std::lock_guard<std::mutex> guard(mLock);
        mCalls.push_back(mName + " " + call + (other ? " (thread)" : ""));
    }

    std::string mName;
    std::thread::id mMainThread;
    std::mutex mLock;
    std::vector<std::string> mCalls;
    std::vector<Double> mStepTimes;
};

} // namespace Testing
} // namespace Vorn
