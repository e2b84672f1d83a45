// Display::Dx9::Texture ("Texture"): a Direct3D 9 texture made from a resource surface (all its
// mip levels, converted to Direct3D's byte order) or empty at a size, as the target of a frame
// buffer. Re-uploaded when the scene graph flags its surface as modified; binds itself with its
// sampler states to a texture unit while the renderer draws.
#pragma once

#include <d3d9.h>

#include <memory>

#include "display/dx9/object.h"

namespace Vorn {

class IDisplaySurface;

namespace Display {
namespace Dx9 {

class Texture : public Object, public ITexture
{
public:
    static constexpr UInt32 kNumberOfFaces = 6;

    explicit Texture(Renderer* renderer);
    ~Texture() override;

    // 0 flat; any other value is a cube map, which this back-end refuses.
    void SetType(UInt32 type) override { mType = type; }
    void SetRenderTarget(Bool renderTarget) override { mRenderTarget = renderTarget; }
    void SetMipMaps(Bool mipMaps) override { mMipMaps = mipMaps; }
    void SetWrapModeX(Enums::TextureWrapMode mode) override;
    void SetWrapModeY(Enums::TextureWrapMode mode) override;
    void SetMagFilter(Enums::TextureFilter filter) override;
    void SetMinFilter(Enums::TextureFilter filter, Enums::TextureFilter mipFilter) override;
    // Face operations take a face below 6; others are refused with a line (null, 0).
    void SetSurface(UInt32 face, IDisplaySurface* surface) override;
    void SetPixelData(UInt32 face, UInt32 width, UInt32 height, Enums::PixelFormat format, Bool allocate) override;
    void SetModified(UInt32 face) override;
    UInt8* GetPixels(UInt32 face) override;
    UInt32 GetWidth(UInt32 face) const override;
    UInt32 GetHeight(UInt32 face) const override;
    UInt32 GetPitch(UInt32 face) const override;
    Enums::PixelFormat GetPixelFormat(UInt32 face) const override;

    // Through the renderer's thread hand-off.
    Bool Init() override;
    Bool DeInit() override;
    Bool CreateDxResources() override;
    Bool DestroyDxResources() override;
    // Uploads a modified face 0 again.
    Bool Update() override;
    // Binds texture and sampler states to the unit unless the state has it bound already.
    virtual Bool Apply(UInt32 unit, State& state);
    virtual UInt32 GetType() const { return mType; }
    virtual IDirect3DTexture9* GetDxTexture() const { return mTexture; }

    // The Direct3D format of a pixel format; D3DFMT_UNKNOWN when there is none.
    static D3DFORMAT ToDxFormat(Enums::PixelFormat format);

    static const ClassInfo& GetClassInfo();

private:
    struct Face
    {
        IDisplaySurface* surface;
        std::unique_ptr<UInt8[]> pixels;
        UInt32 width;
        UInt32 height;
        D3DFORMAT dxFormat;
        Enums::PixelFormat pixelFormat;
        Bool modified;
    };

    const Face* GetFace(UInt32 face, const char* method) const;
    // A copy of face 0's surface in the byte order Direct3D expects, locked; null on failure
    // (logged with method's prefix), and then nothing stays locked or allocated.
    IDisplaySurface* PrepareSurface(const char* method, Bool checkRenderTarget);
    // Unlocks the prepared surface and deletes it when it is a copy.
    Bool FinishSurface(IDisplaySurface* surface);
    // Copies every level of the prepared surface into the texture.
    Bool Upload(IDisplaySurface* surface, UInt32 levels, Bool checkPowerOfTwo, const char* method);

    Face mFaces[kNumberOfFaces];
    UInt32 mType;
    Bool mMipMaps;
    Bool mRenderTarget;
    IDirect3DTexture9* mTexture;
    D3DTEXTUREADDRESS mAddressU;
    D3DTEXTUREADDRESS mAddressV;
    D3DTEXTUREFILTERTYPE mMagFilter;
    D3DTEXTUREFILTERTYPE mMinFilter;
    D3DTEXTUREFILTERTYPE mMipFilter;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
