#include "graph/render/cube_texture.h"

#include <new>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"
#include "resource/display_surface.h"
#include "resource/image.h"

namespace Vorn {
namespace Graph {

CubeTexture::CubeTexture()
{
    for (UInt32 face = 0; face < kNumberOfFaces; ++face) {
        mImages[face] = nullptr;
        mSurfaces[face] = nullptr;
    }
    AddFlags(kNeedsConfigChanged);
}

CubeTexture::~CubeTexture()
{
    for (UInt32 face = 0; face < kNumberOfFaces; ++face)
        delete mSurfaces[face];
}

INode* CubeTexture::Create()
{
    return new (std::nothrow) CubeTexture();
}

const NodeClassInfo& CubeTexture::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("CubeTexture"));
    return info;
}

Bool CubeTexture::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                       Bool* error)
{
    const UInt32 attribute = CubeTextureAttributes::GetTable().FindAttribute(attributes, index);
    if (attribute >= CubeTextureAttributes::kBitmapIdPosX && attribute <= CubeTextureAttributes::kBitmapIdNegZ) {
        attributes->GetValue(index, parameters, &mBitmapIds[attribute - CubeTextureAttributes::kBitmapIdPosX], error);
        return true;
    }
    if (attribute >= CubeTextureAttributes::kBitmapResourceIdPosX &&
        attribute <= CubeTextureAttributes::kBitmapResourceIdNegZ) {
        attributes->GetValue(index, parameters,
                             &mBitmapResourceIds[attribute - CubeTextureAttributes::kBitmapResourceIdPosX], error);
        return true;
    }
    return Texture::DeserializeAttribute(index, attributes, parameters, error);
}

Bool CubeTexture::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Texture::InitSelf(state)) {
        Debug::Trace("Graph::CubeTexture::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    mDisplayTexture =
        BackEndObject::Create<Display::ITexture>(state->GetDisplayRenderer(), "Texture", mDisplayObject);
    if (mDisplayTexture == nullptr) {
        Debug::Trace("Graph::CubeTexture::InitSelf(%s): Failed to create texture object", id);
        return false;
    }
    mDisplayTexture->SetMipMaps((mTextureFlags & kUseMipMaps) != 0);
    mDisplayTexture->SetType(1);
    Resource::ICollection* collection = state->GetResourceCollection();
    // A face that cannot be made stays empty; the texture is made all the same.
    for (UInt32 face = 0; face < kNumberOfFaces; ++face) {
        mImages[face] = nullptr;
        const String& resourceId = mBitmapResourceIds[face];
        if (resourceId.IsEmpty()) {
            Debug::Trace("Graph::CubeTexture::InitSelf(%s): No resource ID specified for target %u", id, face);
            continue;
        }
        mImages[face] = collection != nullptr ? collection->GetImage(resourceId) : nullptr;
        if (mImages[face] == nullptr) {
            Debug::Trace("Graph::CubeTexture::InitSelf(%s): Failed to get resource image \"%s\" for target %u", id,
                         resourceId.GetText(), face);
            continue;
        }
        if (!SetTextureSurface(face, state->GetConfiguration()))
            Debug::Trace("Graph::CubeTexture::InitSelf(%s): Failed to set texture surface of image \"%s\" for target %u",
                         id, resourceId.GetText(), face);
    }
    ApplySampling();
    return BackEndObject::Init(mDisplayObject, LogSite{"CubeTexture", "InitSelf", mId},
                              "Failed to initialize texture object");
}

Bool CubeTexture::SetTextureSurface(UInt32 face, IConfiguration* configuration)
{
    const Resource::IImage* image = mImages[face];
    mSurfaces[face] = image->CreateDisplaySurface(ChoosePixelFormat(image, configuration), mWidth, mHeight,
                                                  GetPrescaleFactor(configuration), (mTextureFlags & kUseMipMaps) != 0);
    if (mSurfaces[face] == nullptr) {
        Debug::Trace("Graph::CubeTexture::SetTextureSurface(%s): Failed to create resource surface for target %u",
                     mId.GetText(), face);
        return false;
    }
    mDisplayTexture->SetSurface(face, mSurfaces[face]);
    return true;
}

void CubeTexture::ReleaseTextureSurface(UInt32 face)
{
    delete mSurfaces[face];
    mSurfaces[face] = nullptr;
}

Bool CubeTexture::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetDisplayRenderer(), mDisplayObject, LogSite{"CubeTexture", "DeInitSelf", mId},
                               "Failed to deinitialize texture object"))
        return false;
    mDisplayTexture = nullptr;
    for (UInt32 face = 0; face < kNumberOfFaces; ++face)
        ReleaseTextureSurface(face);
    return Texture::DeInitSelf(state);
}

Bool CubeTexture::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                 LogSite{"CubeTexture", "SuspendSelf", mId}, "Failed to deinitialize texture object");
}

Bool CubeTexture::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                LogSite{"CubeTexture", "ResumeSelf", mId}, "Failed to initialize texture object");
}

Bool CubeTexture::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Texture::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::CubeTexture::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed",
                     mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    Resource::ICollection* collection = state->GetResourceCollection();
    if (mDisplayObject == nullptr || configuration == nullptr || collection == nullptr ||
        !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    const Resource::IImage* images[kNumberOfFaces];
    Bool changed = false;
    for (UInt32 face = 0; face < kNumberOfFaces; ++face) {
        images[face] = mBitmapResourceIds[face].IsEmpty() ? nullptr : collection->GetImage(mBitmapResourceIds[face]);
        changed = changed || images[face] != mImages[face];
    }
    if (!changed)
        return true;
    const LogSite site{"CubeTexture", "ConfigChangedSelf", mId};
    if (!BackEndObject::DeInit(mDisplayObject, site, "Failed to deinitialize texture object"))
        return false;
    for (UInt32 face = 0; face < kNumberOfFaces; ++face) {
        if (images[face] == mImages[face])
            continue;
        ReleaseTextureSurface(face);
        mDisplayTexture->SetSurface(face, nullptr);
        mImages[face] = images[face];
        if (mImages[face] != nullptr && !SetTextureSurface(face, configuration))
            return false;
    }
    return BackEndObject::Init(mDisplayObject, site, "Failed to initialize texture object");
}

} // namespace Graph
} // namespace Vorn
