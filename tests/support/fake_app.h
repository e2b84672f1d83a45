// An application for engine tests: it brings the node and display classes a test gives it,
// creates the packages a test lists when the engine starts it, and records its calls.
#pragma once

#include <string>
#include <vector>

#include "core/app.h"
#include "core/loader.h"
#include "display/renderer.h"
#include "graph/node_class_info.h"

namespace Vorn {
namespace Testing {

class FakeApp : public IApp
{
public:
    struct PackageToCreate
    {
        std::string mName;
        SInt32 mLoadMode;
        Logic::IProcessor* mProcessor;
    };

    void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>& classes) override
    {
        for (const Graph::NodeClassInfo* info : mNodeClasses)
            classes.Add(info);
    }
    void GetDisplayObjectClasses(Array<const Display::ClassInfo*>& classes) override
    {
        for (const Display::ClassInfo* info : mDisplayClasses)
            classes.Add(info);
    }
    Bool InitApp(Logic::IFactory* factory, ILoader* loader) override
    {
        mCalls.push_back("InitApp");
        mFactory = factory;
        mLoader = loader;
        for (const PackageToCreate& package : mPackages)
            loader->CreatePackage(String(package.mName.c_str()), package.mLoadMode, package.mProcessor);
        return true;
    }
    void DeInitApp(Logic::IFactory*, ILoader*) override { mCalls.push_back("DeInitApp"); }

    std::vector<const Graph::NodeClassInfo*> mNodeClasses;
    std::vector<const Display::ClassInfo*> mDisplayClasses;
    std::vector<PackageToCreate> mPackages;
    std::vector<std::string> mCalls;
    Logic::IFactory* mFactory = nullptr;
    ILoader* mLoader = nullptr;
};

} // namespace Testing
} // namespace Vorn
