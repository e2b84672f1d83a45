#include "resource/collection.h"

#include "foundation/debug.h"
#include "foundation/path.h"
#include "foundation/text.h"
#include "resource/native_package.h"
#include "resource/xml_package.h"

namespace Vorn {
namespace Resource {

namespace {

// The package kinds Init registers, in trial order; an empty description name means the
// package is the file itself.
struct PackageKindRow
{
    const char* extension;
    const char* descriptionName;
};

const PackageKindRow kPackageKinds[] = {
    {"vornpkg", ""},
    {"jet", ""},
    {"vornres", "package.xml"},
    {"vornres", "package.def"},
};

// The package creators Init registers, in trial order.
const PackageCreator kPackageCreators[] = {
    &NativePackage::Create,
    &XmlPackage::Create,
};

} // namespace

Collection::Collection(const IConfiguration* configuration, IFileInterface* fileInterface)
    : mConfiguration(configuration), mFileInterface(fileInterface)
{
}

Collection::~Collection()
{
    DestroyAllPackages();
}

Bool Collection::Init()
{
    for (const PackageKindRow& row : kPackageKinds)
        AddPackageKind(row.extension, row.descriptionName);
    for (PackageCreator creator : kPackageCreators)
        AddPackageCreator(creator);
    return true;
}

Bool Collection::DeInit()
{
    for (SInt32 i = SInt32(sizeof(kPackageCreators) / sizeof(kPackageCreators[0])) - 1; i >= 0; --i)
        RemovePackageCreator(kPackageCreators[i]);
    for (SInt32 i = SInt32(sizeof(kPackageKinds) / sizeof(kPackageKinds[0])) - 1; i >= 0; --i)
        RemovePackageKind(kPackageKinds[i].extension);
    return true;
}

IPackage* Collection::CreatePackageFromFile(const String& fileName)
{
    ConstData data;
    String resolved;

    const String extension = Util::GetFileExtension(fileName);
    const SInt32 kind = mPackageKinds.Find(extension);
    if (kind >= 0)
        resolved = ResolvePackageFileNames(fileName, mPackageKinds.GetValue(kind), &data);

    for (SInt32 i = 0; resolved.IsEmpty() && i < mPackageKinds.GetCount(); ++i)
        resolved = ResolvePackageFileNames(fileName + "." + mPackageKinds.GetKey(i), mPackageKinds.GetValue(i), &data);

    if (resolved.IsEmpty()) {
        Debug::Trace("Resource::Collection::CreatePackageFromFile(): Failed to open package file '%s'",
                     fileName.GetText());
        return nullptr;
    }

    Bool releaseData = true;
    IPackage* package = CreateAndRegisterPackage(Util::GetFilePath(resolved), data, &releaseData, data.GetData());
    if (package == nullptr) {
        Debug::Trace("Resource::Collection::CreatePackageFromFile(): Failed creating package from file '%s'",
                     resolved.GetText());
        mFileInterface->UnloadFile(&data);
        return nullptr;
    }
    if (releaseData)
        mFileInterface->UnloadFile(&data);
    return package;
}

IPackage* Collection::CreatePackageFromMemory(const String& basePath, const ConstData& data, Bool* releaseData)
{
    return CreateAndRegisterPackage(basePath, data, releaseData, nullptr);
}

IPackage* Collection::CreateAndRegisterPackage(const String& basePath, const ConstData& data, Bool* releaseData,
                                               const void* keptFile)
{
    Bool release = true;
    Bool failed = false;
    IPackage* package = nullptr;
    // The creators run without the lock, so loading a package never blocks queries.
    for (SInt32 i = 0; i < mPackageCreators.GetCount() && package == nullptr && !failed; ++i) {
        release = true;
        package = mPackageCreators[i](mConfiguration, mFileInterface, basePath, data.GetData(), data.GetSize(),
                                      &release, &failed);
    }
    if (releaseData != nullptr)
        *releaseData = release;

    if (package == nullptr) {
        if (failed)
            Debug::Trace("Resource::Collection::CreatePackageFromMemory(): Failed creating package from base path '%s'",
                         basePath.GetText());
        else
            Debug::Trace("Resource::Collection::CreatePackageFromMemory(): Unknown package type for base path '%s'",
                         basePath.GetText());
        return nullptr;
    }

    std::lock_guard<std::mutex> lock(mLock);
    const String& id = package->GetId();
    if (mPackages.Find(id) >= 0) {
        Debug::Trace("Resource::Collection::CreatePackageFromMemory(): Package '%s' already registered", id.GetText());
        delete package;
        return nullptr;
    }
    mPackages.Add(id, package);
    if (keptFile != nullptr && !release)
        mKeptFiles.Add(package, keptFile);
    return package;
}

Bool Collection::DestroyPackage(IPackage* package)
{
    if (package == nullptr)
        return false;
    std::lock_guard<std::mutex> lock(mLock);
    const SInt32 position = mPackages.Find(package->GetId());
    if (position < 0 || mPackages.GetValue(position) != package) {
        Debug::Trace("Resource::Collection::DestroyPackage(): Package '%s' not found", package->GetId().GetText());
        return false;
    }
    // The package goes before the bytes it points into.
    delete package;
    mPackages.RemoveAt(position);
    ReleaseKeptFile(package);
    return true;
}

Bool Collection::DestroyAllPackages()
{
    for (SInt32 i = mPackages.GetCount() - 1; i >= 0; --i) {
        IPackage* package = mPackages.GetValue(i);
        delete package;
        ReleaseKeptFile(package);
    }
    mPackages.Clear();
    mKeptFiles.Clear();
    return true;
}

void Collection::ReleaseKeptFile(IPackage* package)
{
    // Only the address is looked up: the package itself is already gone.
    const SInt32 position = mKeptFiles.Find(package);
    if (position < 0)
        return;
    mFileInterface->UnmapFile(mKeptFiles.GetValue(position));
    mKeptFiles.RemoveAt(position);
}

String Collection::ResolvePackageFileNames(const String& path, const Array<String>& descriptionNames, ConstData* data)
{
    const Enums::FileCategory category = mConfiguration->GetResourceFileCategory();
    for (const String& name : descriptionNames) {
        const String candidate = name.IsEmpty() ? path : path + "/" + name;
        ConstData view;
        if (mFileInterface->LoadFile(candidate, category, &view)) {
            *data = view;
            return candidate;
        }
    }
    return String::Empty;
}

Bool Collection::AddPackageKind(const String& extension, const String& descriptionName)
{
    mPackageKinds.FindOrAdd(extension, Array<String>()).Add(descriptionName);
    return true;
}

Bool Collection::RemovePackageKind(const String& extension)
{
    const SInt32 position = mPackageKinds.Find(extension);
    if (position < 0)
        return false;
    mPackageKinds.RemoveAt(position);
    return true;
}

Bool Collection::AddPackageCreator(PackageCreator creator)
{
    if (mPackageCreators.Find(creator) >= 0)
        return false;
    mPackageCreators.Add(creator);
    return true;
}

Bool Collection::RemovePackageCreator(PackageCreator creator)
{
    const SInt32 position = mPackageCreators.Find(creator);
    if (position < 0)
        return false;
    mPackageCreators.RemoveAt(position);
    return true;
}

IPackage* Collection::GetPackage(const String& packageId)
{
    IPackage* const* package = mPackages.FindValue(packageId);
    return package != nullptr ? *package : nullptr;
}

Bool Collection::GetPackageAndResourceId(const String& fullId, IPackage*& package, String& resourceId)
{
    Array<String> parts;
    if (Util::SplitString(fullId, ':', parts) != 2) {
        Debug::Trace("Resource::Collection::GetPackageAndResourceId(): Invalid resource ID \"%s\", "
                     "must be \"<Package ID>:<Resource ID>\"",
                     fullId.GetText());
        return false;
    }
    package = GetPackage(parts[0]);
    resourceId = parts[1];
    return package != nullptr;
}

namespace {

// The typed getters differ only in the package operation they forward to.
template <class Result, class Getter>
Result GetFromPackage(Collection& collection, std::mutex& lock, const String& fullId, Getter getter)
{
    std::lock_guard<std::mutex> hold(lock);
    IPackage* package = nullptr;
    String resourceId;
    if (!collection.GetPackageAndResourceId(fullId, package, resourceId))
        return nullptr;
    return (package->*getter)(resourceId);
}

} // namespace

IGraph* Collection::GetGraph(const String& fullId)
{
    return GetFromPackage<IGraph*>(*this, mLock, fullId, &IPackage::GetGraph);
}

IImage* Collection::GetImage(const String& fullId)
{
    return GetFromPackage<IImage*>(*this, mLock, fullId, &IPackage::GetImage);
}

IMesh* Collection::GetMesh(const String& fullId)
{
    return GetFromPackage<IMesh*>(*this, mLock, fullId, &IPackage::GetMesh);
}

ICollider* Collection::GetCollider(const String& fullId)
{
    return GetFromPackage<ICollider*>(*this, mLock, fullId, &IPackage::GetCollider);
}

IFont* Collection::GetFont(const String& fullId)
{
    return GetFromPackage<IFont*>(*this, mLock, fullId, &IPackage::GetFont);
}

ISound* Collection::GetSound(const String& fullId)
{
    return GetFromPackage<ISound*>(*this, mLock, fullId, &IPackage::GetSound);
}

IAnimation* Collection::GetAnimation(const String& fullId)
{
    return GetFromPackage<IAnimation*>(*this, mLock, fullId, &IPackage::GetAnimation);
}

IAtlas* Collection::GetAtlas(const String& fullId)
{
    return GetFromPackage<IAtlas*>(*this, mLock, fullId, &IPackage::GetAtlas);
}

const char* Collection::GetText(const String& fullId)
{
    return GetFromPackage<const char*>(*this, mLock, fullId, &IPackage::GetText);
}

} // namespace Resource
} // namespace Vorn
