// A resource collection that serves graphs parsed from XML text and colliders by full id, for
// tests of nodes that look resources up during their passes. Everything else is absent.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "resource/collection.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace Testing {

class FakeResourceCollection : public Resource::ICollection
{
public:
    // Serves the XML graph under fullId ("package:graph").
    void AddGraph(const char* fullId, const char* xml) { mGraphs[fullId] = ParseXmlGraph(xml, fullId); }

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Resource::IPackage* CreatePackageFromFile(const String&) override { return nullptr; }
    Resource::IPackage* CreatePackageFromMemory(const String&, const ConstData&, Bool*) override { return nullptr; }
    Bool DestroyPackage(Resource::IPackage*) override { return false; }

    Resource::IGraph* GetGraph(const String& fullId) override
    {
        ++mGraphQueries;
        auto found = mGraphs.find(fullId.GetText());
        return found != mGraphs.end() ? found->second.get() : nullptr;
    }
    Resource::IImage* GetImage(const String&) override { return nullptr; }
    Resource::IMesh* GetMesh(const String&) override { return nullptr; }
    Resource::ICollider* GetCollider(const String& fullId) override
    {
        auto found = mColliders.find(fullId.GetText());
        return found != mColliders.end() ? found->second : nullptr;
    }
    Resource::IFont* GetFont(const String&) override { return nullptr; }
    Resource::ISound* GetSound(const String&) override { return nullptr; }
    Resource::IAnimation* GetAnimation(const String&) override { return nullptr; }
    Resource::IAtlas* GetAtlas(const String&) override { return nullptr; }
    const char* GetText(const String&) override { return nullptr; }

    UInt32 mGraphQueries = 0;
    // Served by full id, not owned; a null entry is served as absent.
    std::map<std::string, Resource::ICollider*> mColliders;

private:
    std::map<std::string, std::unique_ptr<Resource::XmlGraph>> mGraphs;
};

} // namespace Testing
} // namespace Vorn
