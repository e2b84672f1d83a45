// A logic state for engine tests: the registered processors, a re-entrant lock, the step times
// and the graph root, with the services the tests hand it. Counts its locks so that a test can
// see that every way out released what it took.
#pragma once

#include <vector>

#include "foundation/mutex.h"
#include "logic/state.h"

namespace Vorn {
namespace Testing {

class FakeLogicState : public Logic::IState, public Logic::IEngineState
{
public:
    Logic::IFactory* GetFactory() const override { return mFactory; }
    Double GetCurrentTickTime() const override { return mTickTime; }
    Double GetCurrentTickDuration() const override { return mTickDuration; }
    IConfiguration* GetConfiguration() const override { return mConfiguration; }
    Logic::IDeviceHandler* GetDeviceHandler() const override { return mDeviceHandler; }
    IFileInterface* GetFileInterface() const override { return nullptr; }
    Graph::IRoot* GetGraphRoot() const override { return mRoot; }
    ILoader* GetLoader() const override { return mLoader; }
    Resource::ICollection* GetResourceCollection() const override { return mCollection; }
    void SetText(const String& text) override { mText = text; }
    void SetText(const char* text) override { mText = String(text != nullptr ? text : ""); }
    String GetText() const override { return mText; }

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Bool Lock() override
    {
        mLock.Lock();
        ++mHeld;
        return true;
    }
    Bool Unlock() override
    {
        --mHeld;
        mLock.Unlock();
        return true;
    }
    void SetCurrentTickTime(Double time) override { mTickTime = time; }
    void SetCurrentTickDuration(Double duration) override { mTickDuration = duration; }
    Bool AddProcessor(Logic::IProcessor* processor) override
    {
        if (processor == nullptr || Find(processor) >= 0)
            return false;
        mProcessors.push_back(processor);
        return true;
    }
    Bool RemoveProcessor(Logic::IProcessor* processor) override
    {
        const SInt32 position = Find(processor);
        if (position < 0)
            return false;
        mProcessors.erase(mProcessors.begin() + position);
        return true;
    }
    UInt32 GetNumberOfProcessors() const override { return UInt32(mProcessors.size()); }
    Logic::IProcessor* GetProcessor(UInt32 index) const override
    {
        return index < mProcessors.size() ? mProcessors[index] : nullptr;
    }
    void SetGraphRoot(Graph::IRoot* root) override { mRoot = root; }
    void SetResourceCollection(Resource::ICollection* collection) override { mCollection = collection; }
    Logic::IState* GetState() override { return this; }

    // Lock holds not yet released (by any thread).
    SInt32 GetHeldLocks() const { return mHeld; }

    Logic::IFactory* mFactory = nullptr;
    IConfiguration* mConfiguration = nullptr;
    Logic::IDeviceHandler* mDeviceHandler = nullptr;
    ILoader* mLoader = nullptr;

private:
    SInt32 Find(Logic::IProcessor* processor) const
    {
        for (size_t i = 0; i < mProcessors.size(); ++i) {
            if (mProcessors[i] == processor)
                return SInt32(i);
        }
        return -1;
    }

    System::Mutex mLock;
    SInt32 mHeld = 0;
    Double mTickTime = 0.0;
    Double mTickDuration = 0.0;
    String mText;
    std::vector<Logic::IProcessor*> mProcessors;
    Graph::IRoot* mRoot = nullptr;
    Resource::ICollection* mCollection = nullptr;
};

} // namespace Testing
} // namespace Vorn
