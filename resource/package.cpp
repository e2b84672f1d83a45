#include "resource/package.h"

#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "foundation/file_interface.h"
#include "resource/animation.h"
#include "resource/atlas.h"
#include "resource/collider.h"
#include "resource/font.h"
#include "resource/graph.h"
#include "resource/image.h"
#include "resource/instance.h"
#include "resource/mesh.h"
#include "resource/native_package.h"
#include "resource/object.h"
#include "resource/sound.h"
#include "resource/text.h"

namespace Vorn {
namespace Resource {

namespace {

// Walks the variants of the id in insertion order; the hash index keeps each query constant-time.
template <class T>
T* FindFirstMatching(const Map<String, T*>& index, const String& id, const IConfiguration* configuration)
{
    for (SInt32 i = index.Find(id); i >= 0; i = index.FindAfter(i, id)) {
        T* entry = index.GetValue(i);
        if (entry->MatchesConditions(configuration))
            return entry;
    }
    return nullptr;
}

template <class T>
void FileUnderType(Map<String, T*>& index, const String& id, Object* object)
{
    if (T* typed = dynamic_cast<T*>(object))
        index.Add(id, typed);
}

} // namespace

Package::Package(const IConfiguration* configuration, IFileInterface* fileInterface)
    : mConfiguration(configuration), mFileInterface(fileInterface)
{
}

Package::~Package()
{
    Clear();
}

const String& Package::GetId() const
{
    return mId;
}

void Package::SetId(const String& id)
{
    mId = id;
}

UInt32 Package::GetNumberOfInstances() const
{
    return UInt32(mInstances.GetCount());
}

const IInstance* Package::GetInstance(UInt32 index) const
{
    if (index >= UInt32(mInstances.GetCount()))
        return nullptr;
    return mInstances[SInt32(index)];
}

const Object* Package::GetObjectAt(UInt32 index) const
{
    if (index >= UInt32(mObjects.GetCount()))
        return nullptr;
    return mObjects[SInt32(index)];
}

const Text* Package::GetTextAt(UInt32 index) const
{
    if (index >= UInt32(mTexts.GetCount()))
        return nullptr;
    return mTexts[SInt32(index)];
}

IGraph* Package::GetGraph(const String& id) const
{
    return FindFirstMatching(mGraphs, id, mConfiguration);
}

IImage* Package::GetImage(const String& id) const
{
    return FindFirstMatching(mImages, id, mConfiguration);
}

IMesh* Package::GetMesh(const String& id) const
{
    return FindFirstMatching(mMeshes, id, mConfiguration);
}

ICollider* Package::GetCollider(const String& id) const
{
    return FindFirstMatching(mColliders, id, mConfiguration);
}

IFont* Package::GetFont(const String& id) const
{
    return FindFirstMatching(mFonts, id, mConfiguration);
}

ISound* Package::GetSound(const String& id) const
{
    return FindFirstMatching(mSounds, id, mConfiguration);
}

IAnimation* Package::GetAnimation(const String& id) const
{
    return FindFirstMatching(mAnimations, id, mConfiguration);
}

IAtlas* Package::GetAtlas(const String& id) const
{
    return FindFirstMatching(mAtlases, id, mConfiguration);
}

const char* Package::GetText(const String& id) const
{
    const Text* text = FindFirstMatching(mTextsById, id, mConfiguration);
    return text != nullptr ? text->GetValue().GetText() : nullptr;
}

Bool Package::AddObjectCreator(ObjectCreator creator)
{
    if (creator == nullptr || mCreators.Find(creator) >= 0)
        return false;
    mCreators.Add(creator);
    return true;
}

Bool Package::RemoveObjectCreator(ObjectCreator creator)
{
    const SInt32 position = mCreators.Find(creator);
    if (position < 0)
        return false;
    mCreators.RemoveAt(position);
    return true;
}

Object* Package::CreateObjectFromFile(const IAttributes* attributes, const String& id, const UInt32* conditions,
                                      UInt32 conditionCount, const String& fileName)
{
    const void* data = nullptr;
    UInt32 size = 0;
    const Enums::FileCategory category =
        mConfiguration != nullptr ? mConfiguration->GetResourceFileCategory() : Enums::FileCategory::RESOURCE;
    if (mFileInterface == nullptr || !mFileInterface->MapFile(fileName, category, data, size)) {
        Debug::Trace("Resource::Package::CreateObjectFromFile(): Failed to map file \"%s\" for resource ID \"%s\"",
                     fileName.GetText(), id.GetText());
        return nullptr;
    }
    Bool releaseData = true;
    Object* object = CreateObjectFromMemory(attributes, id, conditions, conditionCount, data, size, &releaseData);
    if (object == nullptr) {
        Debug::Trace("Resource::Package::CreateObjectFromFile(): Failed to create object from file \"%s\" for resource ID \"%s\"",
                     fileName.GetText(), id.GetText());
        mFileInterface->UnmapFile(data);
        return nullptr;
    }
    if (releaseData)
        mFileInterface->UnmapFile(data);
    else
        mMappedFiles.Add(object, data);
    return object;
}

Object* Package::CreateObjectFromMemory(const IAttributes* attributes, const String& id, const UInt32* conditions,
                                        UInt32 conditionCount, const void* data, UInt32 size, Bool* releaseData)
{
    Bool release = true;
    IObject* created = nullptr;
    for (SInt32 i = 0; i < mCreators.GetCount() && created == nullptr; ++i) {
        Bool failed = false;
        created = mCreators[i](attributes, id, data, size, conditions, conditionCount, &release, &failed);
        if (failed && created == nullptr)
            break;
    }
    if (releaseData != nullptr)
        *releaseData = release;
    if (created == nullptr) {
        Debug::Trace("Resource::Package::CreateObjectFromMemory(): Failed to create object from memory");
        return nullptr;
    }
    Object* object = dynamic_cast<Object*>(created);
    if (object == nullptr) {
        Debug::Trace("Resource::Package::CreateObjectFromMemory(): Unknown class for resource \"%s\"", id.GetText());
        delete created;
        return nullptr;
    }
    AddObject(id, object);
    mObjectsById.Add(id, object);
    mObjects.Add(object);
    return object;
}

void Package::AddObject(const String& id, Object* object)
{
    FileUnderType(mGraphs, id, object);
    FileUnderType(mImages, id, object);
    FileUnderType(mMeshes, id, object);
    FileUnderType(mColliders, id, object);
    FileUnderType(mFonts, id, object);
    FileUnderType(mSounds, id, object);
    FileUnderType(mAnimations, id, object);
    FileUnderType(mAtlases, id, object);
}

Text* Package::AddText(const String& id, const UInt32* conditions, UInt32 conditionCount, const String& value)
{
    Text* text = new Text(id, value, conditions, conditionCount);
    mTextsById.Add(id, text);
    mTexts.Add(text);
    return text;
}

Instance* Package::AddInstance(const String& graphResourceId, const String& parentNodeId, const IGraph* graph)
{
    Instance* instance = new Instance(graphResourceId, parentNodeId, graph);
    mInstances.Add(instance);
    return instance;
}

void Package::Clear()
{
    for (SInt32 i = mInstances.GetCount() - 1; i >= 0; --i)
        delete mInstances[i];
    mInstances.Clear();
    // The object goes before the file it points into is unmapped.
    for (SInt32 i = mObjects.GetCount() - 1; i >= 0; --i) {
        Object* object = mObjects[i];
        const SInt32 mapped = mMappedFiles.Find(object);
        const void* mappedData = mapped >= 0 ? mMappedFiles.GetValue(mapped) : nullptr;
        delete object;
        if (mappedData != nullptr && mFileInterface != nullptr)
            mFileInterface->UnmapFile(mappedData);
    }
    mObjects.Clear();
    mMappedFiles.Clear();
    for (SInt32 i = mTexts.GetCount() - 1; i >= 0; --i)
        delete mTexts[i];
    mTexts.Clear();
    mObjectsById.Clear();
    mGraphs.Clear();
    mImages.Clear();
    mMeshes.Clear();
    mColliders.Clear();
    mFonts.Clear();
    mSounds.Clear();
    mAnimations.Clear();
    mAtlases.Clear();
    mTextsById.Clear();
}

Bool Package::Serialize(Data& out, Bool matchingOnly, Bool firstVariantOnly) const
{
    const Bool firstOnly = matchingOnly && firstVariantOnly;
    NativePackageWriter writer(mId);
    Index<String> writtenObjects;
    for (SInt32 i = 0; i < mObjects.GetCount(); ++i) {
        const Object* object = mObjects[i];
        if (matchingOnly && !object->MatchesConditions(mConfiguration))
            continue;
        if (firstOnly && writtenObjects.Find(object->GetId()) >= 0)
            continue;
        Data native;
        if (!object->GetNativeData(native)) {
            Debug::Trace("Resource::Package::Serialize(): Failed to get native data of resource \"%s\"",
                         object->GetId().GetText());
            return false;
        }
        if (!writer.AddResource(object->GetId(), native.GetData(), native.GetSize(),
                                firstOnly ? nullptr : object->GetConditions(),
                                firstOnly ? 0 : object->GetNumberOfConditions()))
            return false;
        writtenObjects.Add(object->GetId());
    }
    Index<String> writtenTexts;
    for (SInt32 i = 0; i < mTexts.GetCount(); ++i) {
        const Text* text = mTexts[i];
        if (matchingOnly && !text->MatchesConditions(mConfiguration))
            continue;
        if (firstOnly && writtenTexts.Find(text->GetId()) >= 0)
            continue;
        if (!writer.AddText(text->GetId(), text->GetValue(), firstOnly ? nullptr : text->GetConditions(),
                            firstOnly ? 0 : text->GetNumberOfConditions()))
            return false;
        writtenTexts.Add(text->GetId());
    }
    for (SInt32 i = 0; i < mInstances.GetCount(); ++i) {
        if (!writer.AddInstance(mInstances[i]->GetGraphResourceId(), mInstances[i]->GetParentNodeId()))
            return false;
    }
    return writer.GetData(out);
}

} // namespace Resource
} // namespace Vorn
