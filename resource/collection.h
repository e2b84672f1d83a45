// The engine's registry of loaded resource packages: finds a package file by name, offers its
// bytes to the package creators, registers the package under its id and answers queries of the
// form "<Package ID>:<Resource ID>". The engine creates one at start-up; the loader thread
// creates and destroys packages while the logic and main threads query, so one lock serialises
// the queries and the package tables.
#pragma once

#include <mutex>

#include "foundation/array.h"
#include "foundation/configuration.h"
#include "foundation/data.h"
#include "foundation/file_interface.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/package.h"

namespace Vorn {
namespace Resource {

class ICollection
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    // Null when no file of that name resolves or no creator builds a package from it.
    virtual IPackage* CreatePackageFromFile(const String& fileName) = 0;
    // releaseData comes back false when the package keeps pointing into the bytes.
    virtual IPackage* CreatePackageFromMemory(const String& basePath, const ConstData& data, Bool* releaseData) = 0;
    // False for a package that is not registered.
    virtual Bool DestroyPackage(IPackage* package) = 0;

    // Each takes "<Package ID>:<Resource ID>" and returns the first variant whose conditions
    // match the configuration; null for an unknown package or resource, or a malformed id.
    virtual IGraph* GetGraph(const String& fullId) = 0;
    virtual IImage* GetImage(const String& fullId) = 0;
    virtual IMesh* GetMesh(const String& fullId) = 0;
    virtual ICollider* GetCollider(const String& fullId) = 0;
    virtual IFont* GetFont(const String& fullId) = 0;
    virtual ISound* GetSound(const String& fullId) = 0;
    virtual IAnimation* GetAnimation(const String& fullId) = 0;
    virtual IAtlas* GetAtlas(const String& fullId) = 0;
    virtual const char* GetText(const String& fullId) = 0;

    virtual ~ICollection() {}
};

class Collection : public ICollection
{
public:
    Collection(const IConfiguration* configuration, IFileInterface* fileInterface);
    // Destroys every package still registered.
    ~Collection() override;

    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;

    // Registers the package kinds ("vornpkg", "jet", "vornres") and the native and XML creators.
    Bool Init() override;
    // Removes the creators and kinds again; packages stay registered.
    Bool DeInit() override;

    IPackage* CreatePackageFromFile(const String& fileName) override;
    IPackage* CreatePackageFromMemory(const String& basePath, const ConstData& data, Bool* releaseData) override;
    Bool DestroyPackage(IPackage* package) override;

    IGraph* GetGraph(const String& fullId) override;
    IImage* GetImage(const String& fullId) override;
    IMesh* GetMesh(const String& fullId) override;
    ICollider* GetCollider(const String& fullId) override;
    IFont* GetFont(const String& fullId) override;
    ISound* GetSound(const String& fullId) override;
    IAnimation* GetAnimation(const String& fullId) override;
    IAtlas* GetAtlas(const String& fullId) override;
    const char* GetText(const String& fullId) override;

    // Loads the first of path (description name "") or path/name that the file interface can map
    // into data; returns that name, or the empty text (data untouched) when none loads.
    virtual String ResolvePackageFileNames(const String& path, const Array<String>& descriptionNames, ConstData* data);
    // Appends a description name to the extension's list; always true.
    virtual Bool AddPackageKind(const String& extension, const String& descriptionName);
    // False when the extension is not registered.
    virtual Bool RemovePackageKind(const String& extension);
    // False when already registered.
    virtual Bool AddPackageCreator(PackageCreator creator);
    // False when not registered.
    virtual Bool RemovePackageCreator(PackageCreator creator);
    // The registered package of that id, null when none. Takes no lock.
    virtual IPackage* GetPackage(const String& packageId);
    // Splits "<Package ID>:<Resource ID>"; false for a malformed id (one log line) or an unknown
    // package (no message).
    virtual Bool GetPackageAndResourceId(const String& fullId, IPackage*& package, String& resourceId);
    // Destroys every package, last registered first.
    virtual Bool DestroyAllPackages();

private:
    // Offers the bytes to the creators and registers the package; a package that keeps pointing
    // into a loaded file is recorded with it under the same lock hold, so no other thread can
    // destroy it before its file is known.
    IPackage* CreateAndRegisterPackage(const String& basePath, const ConstData& data, Bool* releaseData,
                                       const void* keptFile);
    // Unmaps the file a package kept, when it kept one; call with the lock held or alone.
    void ReleaseKeptFile(IPackage* package);

    const IConfiguration* mConfiguration;
    IFileInterface* mFileInterface;
    Map<String, Array<String>> mPackageKinds;
    Array<PackageCreator> mPackageCreators;
    Map<String, IPackage*> mPackages;
    Map<IPackage*, const void*> mKeptFiles;
    std::mutex mLock;
};

} // namespace Resource
} // namespace Vorn
