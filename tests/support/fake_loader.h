// A loader and packages for tests of the logic: packages are made by name and report the state
// the test gives them; load and unload requests only count.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/loader.h"
#include "core/package.h"

namespace Vorn {
namespace Testing {

class FakePackage : public IPackage
{
public:
    FakePackage(const String& name, Logic::IProcessor* processor) : mName(name), mProcessor(processor) {}

    const String& GetName() const override { return mName; }
    Logic::IProcessor* GetProcessor() const override { return mProcessor; }
    Bool Load() override { return ++mLoadRequests, mLoaded; }
    Bool Unload() override { return ++mUnloadRequests, !mLoaded; }
    Bool QueueLoad() override { return ++mLoadRequests, true; }
    Bool QueueUnload() override { return ++mUnloadRequests, true; }
    Bool CancelLoad() override { return false; }
    Bool CancelUnload() override { return false; }
    Bool IsBusy() const override { return false; }
    Bool IsLoading() const override { return false; }
    Bool IsUnloading() const override { return false; }
    Bool IsLoaded() const override { return mLoaded; }
    Bool IsUnloaded() const override { return !mLoaded; }

    String mName;
    Logic::IProcessor* mProcessor;
    Bool mLoaded = false;
    UInt32 mLoadRequests = 0;
    UInt32 mUnloadRequests = 0;
};

class FakeLoader : public ILoader
{
public:
    IPackage* CreatePackage(const String& name, SInt32 loadMode, Logic::IProcessor* processor) override
    {
        if (loadMode < kLoadAtStartup || loadMode > kLoadOnRequest || mPackages.count(name.GetText()) != 0)
            return nullptr;
        auto& package = mPackages[name.GetText()];
        package = std::make_unique<FakePackage>(name, processor);
        return package.get();
    }
    IPackage* GetPackage(const String& name) override
    {
        auto found = mPackages.find(name.GetText());
        return found != mPackages.end() ? found->second.get() : nullptr;
    }
    Bool LoadPackage(const String& name) override
    {
        IPackage* package = GetPackage(name);
        return package != nullptr && package->Load();
    }
    Bool UnloadPackage(const String& name) override
    {
        IPackage* package = GetPackage(name);
        return package != nullptr && package->Unload();
    }

    std::map<std::string, std::unique_ptr<FakePackage>> mPackages;
};

} // namespace Testing
} // namespace Vorn
