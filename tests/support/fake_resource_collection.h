// A resource collection for tests of nodes that look resources up during their passes: graphs
// parsed from XML text, resource objects made by the engine's readers from bytes (images,
// sounds, fonts), atlases of given rectangles, meshes, colliders and texts, each by full id.
// Everything else is absent.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resource/atlas.h"
#include "resource/collection.h"
#include "resource/font.h"
#include "resource/image.h"
#include "resource/package.h"
#include "resource/sound.h"
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
    // Serves an atlas of the rectangles under fullId, in place of one served before (which lives
    // on with the collection, as nodes may still hold it); the atlas.
    FakeAtlas* AddAtlas(const char* fullId, std::vector<Resource::AtlasRectangle> rectangles)
    {
        mAtlasObjects.push_back(std::make_unique<FakeAtlas>(std::move(rectangles)));
        return mAtlases[fullId] = mAtlasObjects.back().get();
    }
    // Serves the mesh, owned by the caller, under fullId.
    void AddMesh(const char* fullId, Resource::IMesh* mesh) { mMeshes[fullId] = mesh; }

    // Serves the XML graph under fullId ("package:graph").
    void AddGraph(const char* fullId, const char* xml) { mGraphs[fullId] = ParseXmlGraph(xml, fullId); }

    // Serves what the reader makes of the bytes under fullId, in place of what was served there
    // before (as another language's variant would be); null (with a test failure) when the reader
    // declines. Every object lives as long as the collection, since nodes may still hold it.
    Resource::IObject* AddObject(const char* fullId, Resource::ObjectCreator creator, std::vector<UInt8> bytes)
    {
        mBytes.push_back(std::make_unique<std::vector<UInt8>>(std::move(bytes)));
        Bool releaseData = false;
        Bool failed = false;
        const std::vector<UInt8>& kept = *mBytes.back();
        Resource::IObject* object = creator(nullptr, String(fullId), kept.data(), UInt32(kept.size()), nullptr, 0,
                                            &releaseData, &failed);
        EXPECT_NE(object, nullptr) << fullId;
        if (object == nullptr)
            return nullptr;
        mObjects.emplace_back(object);
        mServed[fullId] = object;
        return object;
    }
    // Serves nothing under fullId from now on.
    void Remove(const char* fullId) { mServed.erase(fullId); }
    void AddText(const char* fullId, const char* text) { mTexts[fullId] = text; }

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
    Resource::IImage* GetImage(const String& fullId) override { return Served<Resource::IImage>(fullId); }
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
    Resource::IFont* GetFont(const String& fullId) override { return Served<Resource::IFont>(fullId); }
    Resource::ISound* GetSound(const String& fullId) override { return Served<Resource::ISound>(fullId); }
    Resource::IAnimation* GetAnimation(const String&) override { return nullptr; }
    Resource::IAtlas* GetAtlas(const String& fullId) override
    {
        auto found = mAtlases.find(fullId.GetText());
        return found != mAtlases.end() ? found->second : nullptr;
    }
    const char* GetText(const String& fullId) override
    {
        auto found = mTexts.find(fullId.GetText());
        return found != mTexts.end() ? found->second.c_str() : nullptr;
    }

    UInt32 mGraphQueries = 0;
    // Served by full id, not owned; a null entry is served as absent.
    std::map<std::string, Resource::ICollider*> mColliders;

private:
    template <class Interface>
    Interface* Served(const String& fullId)
    {
        auto found = mServed.find(fullId.GetText());
        return found != mServed.end() ? dynamic_cast<Interface*>(found->second) : nullptr;
    }

    std::map<std::string, std::unique_ptr<Resource::XmlGraph>> mGraphs;
    std::vector<std::unique_ptr<FakeAtlas>> mAtlasObjects;
    std::map<std::string, FakeAtlas*> mAtlases;
    std::map<std::string, Resource::IMesh*> mMeshes;
    std::vector<std::unique_ptr<std::vector<UInt8>>> mBytes;
    std::vector<std::unique_ptr<Resource::IObject>> mObjects;
    std::map<std::string, Resource::IObject*> mServed;
    std::map<std::string, std::string> mTexts;
};

} // namespace Testing
} // namespace Vorn
