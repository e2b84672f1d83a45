// A resource collection that serves graphs parsed from XML text, atlases of given rectangles,
// meshes and colliders by full id, for tests of nodes that look resources up during their passes.
// Everything else is absent.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resource/atlas.h"
#include "resource/collection.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace Testing {

// An atlas of the given rectangles.
class FakeAtlas : public Resource::IAtlas
{
public:
    explicit FakeAtlas(std::vector<Resource::AtlasRectangle> rectangles) : mRectangles(std::move(rectangles)) {}
    UInt32 GetNumberOfRectangles() const override { return UInt32(mRectangles.size()); }
    const Resource::AtlasRectangle* GetRectangles() const override
    {
        return mRectangles.empty() ? nullptr : mRectangles.data();
    }
    std::vector<Resource::AtlasRectangle> mRectangles;
};

class FakeResourceCollection : public Resource::ICollection
{
public:
    // Serves an atlas of the rectangles under fullId, replacing one served before; the atlas.
    FakeAtlas* AddAtlas(const char* fullId, std::vector<Resource::AtlasRectangle> rectangles)
    {
        std::unique_ptr<FakeAtlas>& atlas = mAtlases[fullId];
        atlas = std::make_unique<FakeAtlas>(std::move(rectangles));
        return atlas.get();
    }
    // Serves the mesh, owned by the caller, under fullId.
    void AddMesh(const char* fullId, Resource::IMesh* mesh) { mMeshes[fullId] = mesh; }

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
    Resource::IMesh* GetMesh(const String& fullId) override
    {
        auto found = mMeshes.find(fullId.GetText());
        return found != mMeshes.end() ? found->second : nullptr;
    }
    Resource::ICollider* GetCollider(const String& fullId) override
    {
        auto found = mColliders.find(fullId.GetText());
        return found != mColliders.end() ? found->second : nullptr;
    }
    Resource::IFont* GetFont(const String&) override { return nullptr; }
    Resource::ISound* GetSound(const String&) override { return nullptr; }
    Resource::IAnimation* GetAnimation(const String&) override { return nullptr; }
    Resource::IAtlas* GetAtlas(const String& fullId) override
    {
        auto found = mAtlases.find(fullId.GetText());
        return found != mAtlases.end() ? found->second.get() : nullptr;
    }
    const char* GetText(const String&) override { return nullptr; }

    UInt32 mGraphQueries = 0;
    // Served by full id, not owned; a null entry is served as absent.
    std::map<std::string, Resource::ICollider*> mColliders;

private:
    std::map<std::string, std::unique_ptr<Resource::XmlGraph>> mGraphs;
    std::map<std::string, std::unique_ptr<FakeAtlas>> mAtlases;
    std::map<std::string, Resource::IMesh*> mMeshes;
};

} // namespace Testing
} // namespace Vorn
