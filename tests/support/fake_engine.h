// An engine for platform tests: it records the calls the platform makes, in order, and answers
// each with a result the test sets (true unless told otherwise).
#pragma once

#include <string>
#include <vector>

#include "core/engine.h"

namespace Vorn {
namespace Testing {

class FakeEngine : public IEngine
{
public:
    Bool Init(IConfiguration* configuration, IDeviceHandler* deviceHandler) override
    {
        mConfiguration = configuration;
        mDeviceHandler = deviceHandler;
        return Answer("Init");
    }
    Bool DeInit() override { return Answer("DeInit"); }
    Bool Start(IApp* app) override
    {
        mApp = app;
        return Answer("Start");
    }
    Bool Stop(IApp*) override { return Answer("Stop"); }
    Bool Pause() override { return Answer("Pause"); }
    Bool Continue() override { return Answer("Continue"); }
    Bool Suspend() override { return Answer("Suspend"); }
    Bool Resume() override { return Answer("Resume"); }
    Bool BeginFrame() override { return Answer("BeginFrame"); }
    Bool EndFrame() override { return Answer("EndFrame"); }

    std::vector<std::string> mCalls;
    // The operation (by name) that answers false; empty: none.
    std::string mFailing;
    IConfiguration* mConfiguration = nullptr;
    IDeviceHandler* mDeviceHandler = nullptr;
    IApp* mApp = nullptr;

private:
    Bool Answer(const char* operation)
    {
        mCalls.push_back(operation);
        return mFailing != operation;
    }
};

} // namespace Testing
} // namespace Vorn
