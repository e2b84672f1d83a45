// Data packages for engine tests: XML packages ("<name>/package.xml" with one graph file per
// instance) written into a temp folder, and the loader with the real resource collection, graph
// factory, traversal states and root over them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/core_loader.h"
#include "core/core_package.h"
#include "foundation/folder_file_interface.h"
#include "graph/factory.h"
#include "graph/init_state.h"
#include "graph/root.h"
#include "graph/service_state.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "resource/collection.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace Testing {

// One instance of a package: its graph text and the path of the node it hangs under (empty: the
// root's container view).
struct PackageGraph
{
    std::string mXml;
    std::string mParent;
};

// A further resource of a package: its id and the file's bytes.
struct PackageFile
{
    std::string mId;
    std::string mFileName;
    std::vector<UInt8> mBytes;
};

// Writes the package "<name>" (for instance "menu.vornres") into the folder, with its graphs and
// further resources.
inline void WriteXmlPackage(const TempFolder& folder, const std::string& name, const std::vector<PackageGraph>& graphs,
                            const std::vector<PackageFile>& files = {})
{
    std::string description = "<Package id=\"" + name.substr(0, name.find('.')) + "\">";
    for (const PackageFile& file : files) {
        folder.WriteFile(name + "/" + file.mFileName, std::string(file.mBytes.begin(), file.mBytes.end()));
        description += "<Resource id=\"" + file.mId + "\" fileName=\"" + file.mFileName + "\"/>";
    }
    for (size_t i = 0; i < graphs.size(); ++i) {
        const std::string id = "graph" + std::to_string(i);
        folder.WriteFile(name + "/" + id + ".xml", graphs[i].mXml);
        description += "<Resource id=\"" + id + "\" fileName=\"" + id + ".xml\"/>";
        description += "<Instance graphResourceId=\"" + id + "\" parentNodeId=\"" + graphs[i].mParent + "\"/>";
    }
    folder.WriteFile(name + "/package.xml", description + "</Package>");
}

// The loader over real services and a fresh root, driven step by step by the test.
class LoaderFixture : public ::testing::Test
{
protected:
    LoaderFixture()
        : mFiles(String(mFolder.Get().c_str())),
          mCollection(&mConfiguration, &mFiles),
          mInitState(&mConfiguration, &mFactory, nullptr, nullptr, nullptr, nullptr, nullptr, &mCollection),
          mDeInitState(&mConfiguration, &mFactory, nullptr, nullptr, nullptr, nullptr, nullptr, &mCollection)
    {
        mCollection.Init();
        mFactory.Init();
        mInitState.Init(&mClock);
        mDeInitState.Init(&mClock);
        mRoot.reset(mFactory.CreateRoot());
        mInitState.SetRoot(mRoot.get());
        mDeInitState.SetRoot(mRoot.get());
        mLogicState = mLogicFactory.CreateState(nullptr, &mConfiguration, &mLoader, nullptr);
        mLogicState->SetGraphRoot(mRoot.get());
        mLoader.Init(&mInitState, &mDeInitState, &mCollection, &mFactory);
        mLoader.SetLogicState(mLogicState);
    }

    ~LoaderFixture() override
    {
        mLoader.UnloadAllPackages();
        EXPECT_TRUE(mLoader.DeInit());
        mLogicFactory.DestroyState(mLogicState);
        Graph::INode* top = mRoot->GetRootNode();
        mRoot.reset();
        Graph::Factory::DestroyGraph(top);
        mFactory.DeInit();
        mCollection.DeInit();
    }

    Core::Package* Create(const char* name, SInt32 mode, Logic::IProcessor* processor = nullptr)
    {
        return static_cast<Core::Package*>(mLoader.CreatePackage(String(name), mode, processor));
    }

    // The node at the absolute path, or null; the lookup's reference is released at once.
    Graph::INode* Find(const char* path)
    {
        Graph::INode* node = mRoot->FindNode(String(path));
        if (node != nullptr)
            node->RemoveReference();
        return node;
    }

    TempFolder mFolder;
    FakeConfiguration mConfiguration;
    Platform::FolderFileInterface mFiles;
    Resource::Collection mCollection;
    Graph::Factory mFactory;
    FakeClock mClock;
    Graph::InitState mInitState;
    Graph::DeInitState mDeInitState;
    std::unique_ptr<Graph::Root> mRoot;
    Core::Loader mLoader;
    Logic::Factory mLogicFactory;
    Logic::IEngineState* mLogicState = nullptr;
};

} // namespace Testing
} // namespace Vorn
