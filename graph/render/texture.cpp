#include "graph/render/texture.h"

#include "display/object.h"
#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/traversal_state.h"
#include "resource/image.h"

namespace Vorn {
namespace Graph {

Texture::Texture()
    : mDisplayObject(nullptr),
      mDisplayTexture(nullptr),
      mPixelFormat(Enums::PixelFormat(0)),
      mHorizontalWrapMode(Enums::TextureWrapMode::REPEAT),
      mVerticalWrapMode(Enums::TextureWrapMode::REPEAT),
      mMagFilter(Enums::TextureFilter::LINEAR),
      mMinFilter(Enums::TextureFilter::LINEAR),
      mMipFilter(Enums::TextureFilter::LINEAR),
      mWidth(0),
      mHeight(0),
      mTextureFlags(kUseAlpha | kUseMipMaps | kUsePrescale)
{
}

Texture::~Texture() {}

Bool Texture::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                   Bool* error)
{
    const UInt32 attribute = TextureAttributes::GetTable().FindAttribute(attributes, index);
    switch (attribute) {
    case TextureAttributes::kW:
        attributes->GetValue(index, parameters, &mWidth, error);
        return true;
    case TextureAttributes::kH:
        attributes->GetValue(index, parameters, &mHeight, error);
        return true;
    case TextureAttributes::kUseAlpha:
    case TextureAttributes::kUseMipMaps:
    case TextureAttributes::kUsePrescale: {
        static const UInt32 kBits[] = {kUseAlpha, kUseMipMaps, kUsePrescale};
        const UInt32 bit = kBits[attribute - TextureAttributes::kUseAlpha];
        Bool on = (mTextureFlags & bit) != 0;
        if (attributes->GetValue(index, parameters, &on, error))
            mTextureFlags = on ? (mTextureFlags | bit) : (mTextureFlags & ~bit);
        return true;
    }
    case TextureAttributes::kPixelFormat:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetPixelFormatTable(), mPixelFormat);
        return true;
    case TextureAttributes::kHorizontalWrapMode:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextureWrapModeTable(),
                           mHorizontalWrapMode);
        return true;
    case TextureAttributes::kVerticalWrapMode:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextureWrapModeTable(),
                           mVerticalWrapMode);
        return true;
    case TextureAttributes::kMagFilter:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextureFilterTable(), mMagFilter);
        return true;
    case TextureAttributes::kMinFilter:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextureFilterTable(), mMinFilter);
        return true;
    case TextureAttributes::kMipFilter:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextureFilterTable(), mMipFilter);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Enums::TextureWrapMode Texture::SetHorizontalWrapMode(Enums::TextureWrapMode mode)
{
    mTextureFlags |= kSamplingChanged;
    return mHorizontalWrapMode = mode;
}

Enums::TextureWrapMode Texture::GetHorizontalWrapMode() const
{
    return mHorizontalWrapMode;
}

Enums::TextureWrapMode Texture::SetVerticalWrapMode(Enums::TextureWrapMode mode)
{
    mTextureFlags |= kSamplingChanged;
    return mVerticalWrapMode = mode;
}

Enums::TextureWrapMode Texture::GetVerticalWrapMode() const
{
    return mVerticalWrapMode;
}

Enums::TextureFilter Texture::SetMagFilter(Enums::TextureFilter filter)
{
    mTextureFlags |= kSamplingChanged;
    return mMagFilter = filter;
}

Enums::TextureFilter Texture::GetMagFilter() const
{
    return mMagFilter;
}

Enums::TextureFilter Texture::SetMinFilter(Enums::TextureFilter filter)
{
    mTextureFlags |= kSamplingChanged;
    return mMinFilter = filter;
}

Enums::TextureFilter Texture::GetMinFilter() const
{
    return mMinFilter;
}

Enums::TextureFilter Texture::SetMipFilter(Enums::TextureFilter filter)
{
    mTextureFlags |= kSamplingChanged;
    return mMipFilter = filter;
}

Enums::TextureFilter Texture::GetMipFilter() const
{
    return mMipFilter;
}

Bool Texture::CullOutput(ICullOutputState*)
{
    return true;
}

Bool Texture::EnqueueOutput(IEnqueueOutputState*)
{
    ApplySampling();
    return true;
}

Display::ITexture* Texture::GetTextureObject()
{
    return mDisplayTexture;
}

UInt32 Texture::GetPrescaleFactor(IConfiguration* configuration) const
{
    if ((mTextureFlags & kUsePrescale) == 0 || configuration == nullptr)
        return 1;
    const UInt32 factor = configuration->GetPrescaleFactor();
    return factor > 1 ? factor : 1;
}

Bool Texture::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    if ((mTextureFlags & kSamplingChanged) != 0) {
        state->AddRenderable(this, false);
        mTextureFlags &= ~kSamplingChanged;
    }
    return true;
}

Enums::PixelFormat Texture::ChoosePixelFormat(const Resource::IImage* image, IConfiguration* configuration) const
{
    Enums::PixelFormat format = image->GetForcedPixelFormat();
    if (UInt32(format) != 0)
        return format;
    format = mPixelFormat;
    if (UInt32(format) == 0)
        format = image->GetPreferredPixelFormat();
    if (UInt32(format) == 0 && configuration != nullptr)
        format = configuration->GetDefaultPixelFormat((mTextureFlags & kUseAlpha) != 0);
    return format;
}

void Texture::ApplySampling() const
{
    if (mDisplayTexture == nullptr)
        return;
    mDisplayTexture->SetWrapModeX(mHorizontalWrapMode);
    mDisplayTexture->SetWrapModeY(mVerticalWrapMode);
    mDisplayTexture->SetMagFilter(mMagFilter);
    mDisplayTexture->SetMinFilter(mMinFilter, mMipFilter);
}

Bool Texture::CheckDrawnTargetSettings(const char* className)
{
    const char* id = mId.GetText();
    if (mWidth == 0) {
        Debug::Trace("Graph::%s::InitSelf(%s): Width cannot be 0", className, id);
        return false;
    }
    if (mHeight == 0) {
        Debug::Trace("Graph::%s::InitSelf(%s): Height cannot be 0", className, id);
        return false;
    }
    if ((mTextureFlags & kUseMipMaps) != 0) {
        Debug::Trace("Graph::%s::InitSelf(%s): Mip-mapping currently not supported for frame buffer textures",
                     className, id);
        return false;
    }
    if (UInt32(mPixelFormat) == 0)
        mPixelFormat = (mTextureFlags & kUseAlpha) != 0 ? Enums::PixelFormat::R8_G8_B8_A8 : Enums::PixelFormat::R8_G8_B8;
    return true;
}

} // namespace Graph
} // namespace Vorn
