// Packages: named sets of resource objects, texts and graph instances, loaded as one unit and
// queried by id. Resource::Package holds the objects and the lookup tables and turns bytes into
// objects by offering them to its object creators; each package kind (native file, XML folder)
// derives from it. The collection creates packages and routes "package:resource" queries to them.
#pragma once

#include "foundation/array.h"
#include "foundation/data.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IAttributes;
class IConfiguration;
class IFileInterface;

namespace Resource {

class IObject;
class Object;
class IText;
class Text;
class IInstance;
class Instance;
class Package;

class IGraph;
class IImage;
class IMesh;
class ICollider;
class IFont;
class ISound;
class IAnimation;
class IAtlas;
class Graph;
class Image;
class Mesh;
class Collider;
class Font;
class Sound;
class Animation;
class Atlas;

// An object creator examines the bytes of one resource file. Not its format: null, failed left
// alone, so the next creator is tried. Its format but unusable: null with failed set, which ends
// the search. Otherwise the new object; releaseData is cleared when the object keeps pointing into
// the bytes. The attributes are the resource element's extra XML attributes (null for native
// packages).
typedef IObject* (*ObjectCreator)(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                                  const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

// A package creator follows the same protocol over a whole package file; the collection tries
// them in order. basePath is the folder of the package file, for readers that load further files.
typedef Package* (*PackageCreator)(const IConfiguration* configuration, IFileInterface* fileInterface,
                                   const String& basePath, const void* data, UInt32 size, Bool* releaseData,
                                   Bool* failed);

class IPackage
{
public:
    // Writes the package in the native form; matchingOnly keeps only the variants the
    // configuration accepts, and with firstVariantOnly as well only the first of each id, without
    // its condition words. False when an object cannot give its native form.
    virtual Bool Serialize(Data& out, Bool matchingOnly, Bool firstVariantOnly) const = 0;
    virtual const String& GetId() const = 0;
    virtual UInt32 GetNumberOfInstances() const = 0;
    // Null when index is not below the count.
    virtual const IInstance* GetInstance(UInt32 index) const = 0;
    // The first variant of the id whose conditions the configuration accepts; null when none.
    virtual IGraph* GetGraph(const String& id) const = 0;
    virtual IImage* GetImage(const String& id) const = 0;
    virtual IMesh* GetMesh(const String& id) const = 0;
    virtual ICollider* GetCollider(const String& id) const = 0;
    virtual IFont* GetFont(const String& id) const = 0;
    virtual ISound* GetSound(const String& id) const = 0;
    virtual IAnimation* GetAnimation(const String& id) const = 0;
    virtual IAtlas* GetAtlas(const String& id) const = 0;
    // The value of the first matching text of the id, zero-terminated; null when none.
    virtual const char* GetText(const String& id) const = 0;
    virtual ~IPackage() {}
};

class Package : public IPackage
{
public:
    // Both must outlive the package.
    Package(const IConfiguration* configuration, IFileInterface* fileInterface);
    ~Package() override;
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    Bool Serialize(Data& out, Bool matchingOnly, Bool firstVariantOnly) const override;
    const String& GetId() const override;
    UInt32 GetNumberOfInstances() const override;
    const IInstance* GetInstance(UInt32 index) const override;
    IGraph* GetGraph(const String& id) const override;
    IImage* GetImage(const String& id) const override;
    IMesh* GetMesh(const String& id) const override;
    ICollider* GetCollider(const String& id) const override;
    IFont* GetFont(const String& id) const override;
    ISound* GetSound(const String& id) const override;
    IAnimation* GetAnimation(const String& id) const override;
    IAtlas* GetAtlas(const String& id) const override;
    const char* GetText(const String& id) const override;

    // Each package kind registers its creators; the registration order is the order of trial.
    virtual Bool RegisterCreators() = 0;
    virtual Bool UnregisterCreators() = 0;
    // False when the creator is already registered.
    virtual Bool AddObjectCreator(ObjectCreator creator);
    // False when the creator is not registered.
    virtual Bool RemoveObjectCreator(ObjectCreator creator);

    // Maps the file in the configuration's resource file category and creates the object from
    // it; the mapping is kept while the object points into it. Null on failure.
    virtual Object* CreateObjectFromFile(const IAttributes* attributes, const String& id, const UInt32* conditions,
                                         UInt32 conditionCount, const String& fileName);
    // Offers the bytes to the creators in order and files the object they make. releaseData
    // comes back false when the object keeps pointing into the bytes. Null on failure.
    virtual Object* CreateObjectFromMemory(const IAttributes* attributes, const String& id, const UInt32* conditions,
                                           UInt32 conditionCount, const void* data, UInt32 size, Bool* releaseData);
    // The id and value are copied, the condition words borrowed.
    virtual Text* AddText(const String& id, const UInt32* conditions, UInt32 conditionCount, const String& value);
    // Destroys every instance, object and text and empties the indexes; the package stays usable.
    virtual void Clear();
    // Files the object under the id in every typed index whose type it has.
    virtual void AddObject(const String& id, Object* object);

    void SetId(const String& id);
    // Appends an instance of the graph under the parent node id (empty for the root).
    Instance* AddInstance(const String& graphResourceId, const String& parentNodeId, const IGraph* graph);

    const IConfiguration* GetConfiguration() const { return mConfiguration; }
    IFileInterface* GetFileInterface() const { return mFileInterface; }
    UInt32 GetNumberOfObjects() const { return UInt32(mObjects.GetCount()); }
    // Objects and texts in creation order; null when index is not below the count.
    const Object* GetObjectAt(UInt32 index) const;
    UInt32 GetNumberOfTexts() const { return UInt32(mTexts.GetCount()); }
    const Text* GetTextAt(UInt32 index) const;

protected:
    const IConfiguration* mConfiguration;
    IFileInterface* mFileInterface;
    String mId;
    Array<ObjectCreator> mCreators;
    Array<Object*> mObjects;
    Array<Text*> mTexts;
    Array<Instance*> mInstances;
    Map<String, Object*> mObjectsById;
    Map<String, Graph*> mGraphs;
    Map<String, Image*> mImages;
    Map<String, Mesh*> mMeshes;
    Map<String, Collider*> mColliders;
    Map<String, Font*> mFonts;
    Map<String, Sound*> mSounds;
    Map<String, Animation*> mAnimations;
    Map<String, Atlas*> mAtlases;
    Map<String, Text*> mTextsById;
    Map<Object*, const void*> mMappedFiles;
};

} // namespace Resource
} // namespace Vorn
