// Texture nodes make one renderer texture available to the texture slots: Graph::Texture holds
// the sampling settings (pixel format, wrap modes, filters, size, alpha, mip maps, prescaling)
// and the renderer's "Texture" object; the flat, cube, frame-buffer and text textures derive
// from it and make the object. Game code changes the sampling through Graph::ITexture.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/node.h"
#include "graph/renderable.h"

namespace Vorn {

class IConfiguration;

namespace Display {
class IObject;
class ITexture;
}
namespace Resource {
class IImage;
}

namespace Graph {

class ITexture
{
public:
    // Each setter stores the value, marks the sampling changed (handed to the renderer in the next
    // output passes) and returns it.
    virtual Enums::TextureWrapMode SetHorizontalWrapMode(Enums::TextureWrapMode mode) = 0;
    virtual Enums::TextureWrapMode GetHorizontalWrapMode() const = 0;
    virtual Enums::TextureWrapMode SetVerticalWrapMode(Enums::TextureWrapMode mode) = 0;
    virtual Enums::TextureWrapMode GetVerticalWrapMode() const = 0;
    virtual Enums::TextureFilter SetMagFilter(Enums::TextureFilter filter) = 0;
    virtual Enums::TextureFilter GetMagFilter() const = 0;
    virtual Enums::TextureFilter SetMinFilter(Enums::TextureFilter filter) = 0;
    virtual Enums::TextureFilter GetMinFilter() const = 0;
    virtual Enums::TextureFilter SetMipFilter(Enums::TextureFilter filter) = 0;
    virtual Enums::TextureFilter GetMipFilter() const = 0;
    virtual ~ITexture() {}
};

class Texture : public Node, public ITexture, public IRenderable
{
public:
    // Texture flag bits.
    static constexpr UInt32 kSamplingChanged = 0x01u;
    static constexpr UInt32 kUseAlpha = 0x10u;
    static constexpr UInt32 kUseMipMaps = 0x20u;
    static constexpr UInt32 kUsePrescale = 0x40u;

    Texture();
    ~Texture() override;

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Enums::TextureWrapMode SetHorizontalWrapMode(Enums::TextureWrapMode mode) override;
    Enums::TextureWrapMode GetHorizontalWrapMode() const override;
    Enums::TextureWrapMode SetVerticalWrapMode(Enums::TextureWrapMode mode) override;
    Enums::TextureWrapMode GetVerticalWrapMode() const override;
    Enums::TextureFilter SetMagFilter(Enums::TextureFilter filter) override;
    Enums::TextureFilter GetMagFilter() const override;
    Enums::TextureFilter SetMinFilter(Enums::TextureFilter filter) override;
    Enums::TextureFilter GetMinFilter() const override;
    Enums::TextureFilter SetMipFilter(Enums::TextureFilter filter) override;
    Enums::TextureFilter GetMipFilter() const override;

    Bool CullOutput(ICullOutputState* state) override;
    // Pushes the sampling settings into the display texture.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Null before initialisation.
    virtual Display::ITexture* GetTextureObject();
    // 1 when "usePrescale" is off, else the configuration's texture prescale factor.
    virtual UInt32 GetPrescaleFactor(IConfiguration* configuration) const;

    Enums::PixelFormat GetPixelFormat() const { return mPixelFormat; }
    UInt32 GetTextureFlags() const { return mTextureFlags; }

protected:
    // Registers the texture with the view once after its sampling changed.
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

    // The format of the pixels made from the image: the image's imposed alpha format, else the
    // node's own, else the image's imposed format without alpha, else the configuration's default
    // for "useAlpha".
    Enums::PixelFormat ChoosePixelFormat(const Resource::IImage* image, IConfiguration* configuration) const;
    // Sets the filters and wrap modes on the display texture.
    void ApplySampling() const;
    // The settings of a texture whose pixels are drawn into it rather than read from an image:
    // a size is required and mip maps are refused (logged in the class's name); an unset pixel
    // format becomes R8_G8_B8_A8 with "useAlpha", else R8_G8_B8.
    Bool CheckDrawnTargetSettings(const char* className);

    Display::IObject* mDisplayObject;
    Display::ITexture* mDisplayTexture;
    Enums::PixelFormat mPixelFormat;
    Enums::TextureWrapMode mHorizontalWrapMode;
    Enums::TextureWrapMode mVerticalWrapMode;
    Enums::TextureFilter mMagFilter;
    Enums::TextureFilter mMinFilter;
    Enums::TextureFilter mMipFilter;
    UInt32 mWidth;
    UInt32 mHeight;
    UInt32 mTextureFlags;
};

} // namespace Graph
} // namespace Vorn
