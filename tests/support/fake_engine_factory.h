// A top-level engine factory for platform tests: the configuration and device handler are the
// engine's own, the engine is a FakeEngine whose calls stay readable in mCalls after the platform
// destroyed it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/factory.h"
#include "tests/support/fake_engine.h"

namespace Vorn {
namespace Testing {

class FakeEngineFactory : public Factory
{
public:
    // What the tests read and set; shared with the engine, which may outlive nothing else.
    struct Record
    {
        std::vector<std::string> mCalls;
        std::string mFailing;
        FakeEngine* mEngine = nullptr;
    };

    explicit FakeEngineFactory(std::shared_ptr<Record> record) : mRecord(std::move(record)) {}

    IEngine* CreateEngine() override
    {
        RecordedEngine* engine = new RecordedEngine(mRecord);
        engine->mFailing = mRecord->mFailing;
        mRecord->mEngine = engine;
        return engine;
    }

private:
    class RecordedEngine : public FakeEngine
    {
    public:
        explicit RecordedEngine(std::shared_ptr<Record> record) : mRecord(std::move(record)) {}
        ~RecordedEngine() override
        {
            mRecord->mCalls = mCalls;
            mRecord->mEngine = nullptr;
        }

    private:
        std::shared_ptr<Record> mRecord;
    };

    std::shared_ptr<Record> mRecord;
};

} // namespace Testing
} // namespace Vorn
