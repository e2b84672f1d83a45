#include "graph/render/frame_buffer_texture.h"

#include <new>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

FrameBufferTexture::FrameBufferTexture(const char* className, UInt32 type, UInt32 numberOfFaces,
                                       const AttributeTable& (*attributeTable)())
    : mClassName(className),
      mType(type),
      mNumberOfFaces(numberOfFaces),
      mAttributeTable(attributeTable),
      mDepthBufferFormat(Enums::DepthBufferFormat::BITS_16),
      mFrameBufferObject(nullptr),
      mDisplayFrameBuffer(nullptr),
      mPrescaleFactor(1),
      mTargetWidth(0),
      mTargetHeight(0)
{
    // Render targets have no mip levels unless asked for (which Init refuses).
    mTextureFlags &= ~kUseMipMaps;
}

FrameBufferTexture::~FrameBufferTexture() {}

Bool FrameBufferTexture::DeserializeAttribute(UInt32 index, const IAttributes* attributes,
                                              const IAttributes* parameters, Bool* error)
{
    // Both classes' tables hold "depthBufferFormat" alone, at index 0.
    if (mAttributeTable().FindAttribute(attributes, index) == 0) {
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetDepthBufferFormatTable(),
                           mDepthBufferFormat);
        return true;
    }
    return Texture::DeserializeAttribute(index, attributes, parameters, error);
}

UInt32 FrameBufferTexture::GetWidth() const
{
    return mTargetWidth;
}

UInt32 FrameBufferTexture::GetHeight() const
{
    return mTargetHeight;
}

Display::IFrameBuffer* FrameBufferTexture::GetFrameBufferObject()
{
    return mDisplayFrameBuffer;
}

Bool FrameBufferTexture::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Texture::InitSelf(state)) {
        Debug::Trace("Graph::%s::InitSelf(%s): InitSelf() of superclass failed", mClassName, id);
        return false;
    }
    if (!CheckDrawnTargetSettings(mClassName))
        return false;
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || !renderer->CheckFrameBufferFormat(mPixelFormat, mDepthBufferFormat)) {
        Debug::Trace("Graph::%s::InitSelf(%s): No valid frame buffer format found", mClassName, id);
        return false;
    }
    mDisplayTexture = BackEndObject::Create<Display::ITexture>(renderer, "Texture", mDisplayObject);
    if (mDisplayTexture == nullptr) {
        Debug::Trace("Graph::%s::InitSelf(%s): Failed to create texture object", mClassName, id);
        return false;
    }
    mPrescaleFactor = GetPrescaleFactor(state->GetConfiguration());
    mTargetWidth = mWidth / mPrescaleFactor;
    mTargetHeight = mHeight / mPrescaleFactor;
    return InitTargets(state);
}

Bool FrameBufferTexture::InitTargets(IInitState* state)
{
    mDisplayTexture->SetMipMaps(false);
    mDisplayTexture->SetRenderTarget(true);
    mDisplayTexture->SetType(mType);
    for (UInt32 face = 0; face < mNumberOfFaces; ++face)
        mDisplayTexture->SetPixelData(face, mTargetWidth, mTargetHeight, mPixelFormat, false);
    mDisplayTexture->SetMagFilter(mMagFilter);
    mDisplayTexture->SetMinFilter(mMinFilter, mMipFilter);
    mDisplayTexture->SetWrapModeX(mHorizontalWrapMode);
    mDisplayTexture->SetWrapModeY(mVerticalWrapMode);
    const LogSite site{mClassName, "InitSelf", mId};
    if (!BackEndObject::Init(mDisplayObject, site, "Failed to initialize texture object"))
        return false;
    mDisplayFrameBuffer =
        BackEndObject::Create<Display::IFrameBuffer>(state->GetDisplayRenderer(), "FrameBuffer", mFrameBufferObject);
    if (mDisplayFrameBuffer == nullptr) {
        Debug::Trace("Graph::%s::InitSelf(%s): Failed to create frame buffer object", mClassName, mId.GetText());
        return false;
    }
    mDisplayFrameBuffer->SetDepthBufferFormat(mDepthBufferFormat);
    mDisplayFrameBuffer->SetTargetTexture(mDisplayTexture);
    return BackEndObject::Init(mFrameBufferObject, site, "Failed to initialize frame buffer object");
}

Bool FrameBufferTexture::DeInitSelf(IDeInitState* state)
{
    const LogSite site{mClassName, "DeInitSelf", mId};
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!BackEndObject::Destroy(renderer, mFrameBufferObject, site, "Failed to deinitialize frame buffer object"))
        return false;
    mDisplayFrameBuffer = nullptr;
    if (!BackEndObject::Destroy(renderer, mDisplayObject, site, "Failed to deinitialize texture object"))
        return false;
    mDisplayTexture = nullptr;
    return Texture::DeInitSelf(state);
}

Bool FrameBufferTexture::SuspendSelf(IDeInitState* state)
{
    const LogSite site{mClassName, "SuspendSelf", mId};
    const Enums::MemoryObjectType kind = Enums::MemoryObjectType::DISPLAY_FRAME_BUFFER;
    return BackEndObject::Suspend(mFrameBufferObject, state->GetConfiguration(), kind, site,
                                 "Failed to deinitialize frame buffer object") &&
           BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), kind, site,
                                 "Failed to deinitialize texture object");
}

Bool FrameBufferTexture::ResumeSelf(IInitState* state)
{
    const LogSite site{mClassName, "ResumeSelf", mId};
    const Enums::MemoryObjectType kind = Enums::MemoryObjectType::DISPLAY_FRAME_BUFFER;
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), kind, site,
                                "Failed to initialize texture object") &&
           BackEndObject::Resume(mFrameBufferObject, state->GetConfiguration(), kind, site,
                                "Failed to initialize frame buffer object");
}

FlatFrameBufferTexture::FlatFrameBufferTexture()
    : FrameBufferTexture("FlatFrameBufferTexture", 0, 1, &FlatFrameBufferTextureAttributes::GetTable)
{
}

INode* FlatFrameBufferTexture::Create()
{
    return new (std::nothrow) FlatFrameBufferTexture();
}

const NodeClassInfo& FlatFrameBufferTexture::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("FlatFrameBufferTexture"));
    return info;
}

CubeFrameBufferTexture::CubeFrameBufferTexture()
    : FrameBufferTexture("CubeFrameBufferTexture", 1, 6, &CubeFrameBufferTextureAttributes::GetTable)
{
}

INode* CubeFrameBufferTexture::Create()
{
    return new (std::nothrow) CubeFrameBufferTexture();
}

const NodeClassInfo& CubeFrameBufferTexture::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("CubeFrameBufferTexture"));
    return info;
}

} // namespace Graph
} // namespace Vorn
