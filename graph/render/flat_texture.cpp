#include "graph/render/flat_texture.h"

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

FlatTexture::FlatTexture() : mImage(nullptr), mSurface(nullptr)
{
    AddFlags(kNeedsConfigChanged);
}

FlatTexture::~FlatTexture()
{
    delete mSurface;
}

INode* FlatTexture::Create()
{
    return new (std::nothrow) FlatTexture();
}

const NodeClassInfo& FlatTexture::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("FlatTexture"));
    return info;
}

Bool FlatTexture::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                       Bool* error)
{
    switch (FlatTextureAttributes::GetTable().FindAttribute(attributes, index)) {
    case FlatTextureAttributes::kBitmapId:
        attributes->GetValue(index, parameters, &mBitmapId, error);
        return true;
    case FlatTextureAttributes::kBitmapResourceId:
        attributes->GetValue(index, parameters, &mBitmapResourceId, error);
        return true;
    default:
        return Texture::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool FlatTexture::InitSelf(IInitState* state)
{
    if (!Texture::InitSelf(state)) {
        Debug::Trace("Graph::FlatTexture::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mBitmapResourceId.IsEmpty()) {
        Debug::Trace("Graph::FlatTexture::InitSelf(%s): No resource ID specified", mId.GetText());
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    mImage = collection != nullptr ? collection->GetImage(mBitmapResourceId) : nullptr;
    if (mImage == nullptr) {
        Debug::Trace("Graph::FlatTexture::InitSelf(%s): Failed to get resource image \"%s\"", mId.GetText(),
                     mBitmapResourceId.GetText());
        return false;
    }
    mDisplayTexture =
        BackEndObject::Create<Display::ITexture>(state->GetDisplayRenderer(), "Texture", mDisplayObject);
    if (mDisplayTexture == nullptr) {
        Debug::Trace("Graph::FlatTexture::InitSelf(%s): Failed to create texture object", mId.GetText());
        return false;
    }
    return InitTextureObject(state->GetConfiguration());
}

Bool FlatTexture::InitTextureObject(IConfiguration* configuration)
{
    mPixelFormat = ChoosePixelFormat(mImage, configuration);
    const Bool mipMaps = (mTextureFlags & kUseMipMaps) != 0;
    mSurface = mImage->CreateDisplaySurface(mPixelFormat, mWidth, mHeight, GetPrescaleFactor(configuration), mipMaps);
    if (mSurface == nullptr) {
        Debug::Trace("Graph::FlatTexture::InitTextureObject(%s): Failed to create resource surface", mId.GetText());
        return false;
    }
    mDisplayTexture->SetMipMaps(mipMaps);
    mDisplayTexture->SetType(0);
    mDisplayTexture->SetSurface(0, mSurface);
    ApplySampling();
    return BackEndObject::Init(mDisplayObject, LogSite{"FlatTexture", "InitTextureObject", mId},
                              "Failed to initialize texture object");
}

Bool FlatTexture::DeInitTextureObject()
{
    if (!BackEndObject::DeInit(mDisplayObject, LogSite{"FlatTexture", "DeInitSelf", mId},
                              "Failed to deinitialize texture object"))
        return false;
    delete mSurface;
    mSurface = nullptr;
    return true;
}

Bool FlatTexture::DeInitSelf(IDeInitState* state)
{
    if (!DeInitTextureObject())
        return false;
    // The object is de-initialised already; destroying it only hands it back.
    if (mDisplayObject != nullptr && state->GetDisplayRenderer() != nullptr)
        state->GetDisplayRenderer()->DestroyObject(mDisplayObject);
    mDisplayTexture = nullptr;
    return Texture::DeInitSelf(state);
}

Bool FlatTexture::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                 LogSite{"FlatTexture", "SuspendSelf", mId}, "Failed to deinitialize texture object");
}

Bool FlatTexture::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                LogSite{"FlatTexture", "ResumeSelf", mId}, "Failed to initialize texture object");
}

Bool FlatTexture::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Texture::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::FlatTexture::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed",
                     mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (mDisplayTexture == nullptr || configuration == nullptr || !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    Resource::ICollection* collection = state->GetResourceCollection();
    const Resource::IImage* image = collection != nullptr ? collection->GetImage(mBitmapResourceId) : nullptr;
    // Without an image the texture keeps the one it has.
    if (image == nullptr) {
        Debug::Trace("Graph::FlatTexture::ConfigChangedSelf(%s): Failed to get resource image \"%s\"", mId.GetText(),
                     mBitmapResourceId.GetText());
        return false;
    }
    if (image == mImage)
        return true;
    if (!DeInitTextureObject())
        return false;
    mImage = image;
    return InitTextureObject(configuration);
}

} // namespace Graph
} // namespace Vorn
