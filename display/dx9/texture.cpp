#include "display/dx9/texture.h"

#include <cstring>
#include <utility>

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/state.h"
#include "foundation/debug.h"
#include "foundation/format_size.h"
#include "resource/display_surface.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

// By Enums::PixelFormat value up to R4_G4_B4_A4.
constexpr D3DFORMAT kDxFormats[] = {
    D3DFMT_UNKNOWN,  D3DFMT_L8,       D3DFMT_A8,       D3DFMT_A8L8,     D3DFMT_X8R8G8B8,
    D3DFMT_R5G6B5,   D3DFMT_A8R8G8B8, D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4,
};

Bool IsCompressed(Enums::PixelFormat format)
{
    return Enums::Value(format) >= Enums::Value(Enums::PixelFormat::RGB_PVRTC_4BPPV1) &&
           Enums::Value(format) <= Enums::Value(Enums::PixelFormat::RGBA_PVRTC_2BPPV1);
}

Bool IsPowerOfTwo(UInt32 value) { return value != 0 && (value & (value - 1)) == 0; }

// Engine filters to Direct3D filters; false for a value without one.
Bool ToDxFilter(Enums::TextureFilter filter, D3DTEXTUREFILTERTYPE& dxFilter)
{
    switch (filter) {
    case Enums::TextureFilter::NONE:
        dxFilter = D3DTEXF_NONE;
        return true;
    case Enums::TextureFilter::NEAREST:
        dxFilter = D3DTEXF_POINT;
        return true;
    case Enums::TextureFilter::LINEAR:
        dxFilter = D3DTEXF_LINEAR;
        return true;
    default:
        return false;
    }
}

void SetAddress(Enums::TextureWrapMode mode, D3DTEXTUREADDRESS& address)
{
    if (mode == Enums::TextureWrapMode::CLAMP_TO_EDGE)
        address = D3DTADDRESS_CLAMP;
    else if (mode == Enums::TextureWrapMode::REPEAT)
        address = D3DTADDRESS_WRAP;
}

// Calls change with each pixel of every mip level of the surface.
template <typename Change>
void ChangePixels(IDisplaySurface* surface, UInt32 bytesPerPixel, Change change)
{
    for (UInt32 level = 0; level < surface->GetNumberOfMipLevels(); ++level) {
        UInt8* pixels = static_cast<UInt8*>(surface->GetPixels(level));
        if (pixels == nullptr)
            continue;
        const UInt32 width = surface->GetWidth(level);
        const UInt32 pitch = surface->GetPitch(level);
        for (UInt32 y = 0; y < surface->GetHeight(level); ++y) {
            UInt8* row = pixels + y * pitch;
            for (UInt32 x = 0; x < width; ++x)
                change(row + x * bytesPerPixel);
        }
    }
}

// Direct3D stores the bytes of a pixel from the lowest channel up: luminance-alpha pairs and
// red and blue are exchanged against the engine's order.
void SwapChannels(IDisplaySurface* surface, UInt32 bytesPerPixel, UInt32 first, UInt32 second)
{
    ChangePixels(surface, bytesPerPixel, [&](UInt8* pixel) { std::swap(pixel[first], pixel[second]); });
}

// Direct3D's 16-bit formats with alpha keep it in the top bits, the engine in the bottom ones:
// each pixel (low byte first) turns right by the alpha's width, so A1R5G5B5 and A4R4G4B4 read it.
void MoveAlphaToTop(IDisplaySurface* surface, UInt32 alphaBits)
{
    ChangePixels(surface, 2, [&](UInt8* pixel) {
        const UInt32 value = UInt32(pixel[0]) | UInt32(pixel[1]) << 8;
        const UInt32 turned = (value >> alphaBits) | (value << (16 - alphaBits));
        pixel[0] = UInt8(turned);
        pixel[1] = UInt8(turned >> 8);
    });
}

} // namespace

Texture::Texture(Renderer* renderer)
    : Object(renderer), mFaces(), mType(0), mMipMaps(true), mRenderTarget(false), mTexture(nullptr),
      mAddressU(D3DTADDRESS_WRAP), mAddressV(D3DTADDRESS_WRAP), mMagFilter(D3DTEXF_LINEAR),
      mMinFilter(D3DTEXF_LINEAR), mMipFilter(D3DTEXF_LINEAR)
{
}

Texture::~Texture()
{
    if (mTexture != nullptr)
        mTexture->Release();
}

D3DFORMAT Texture::ToDxFormat(Enums::PixelFormat format)
{
    const UInt32 value = Enums::Value(format);
    return value < sizeof(kDxFormats) / sizeof(kDxFormats[0]) ? kDxFormats[value] : D3DFMT_UNKNOWN;
}

void Texture::SetWrapModeX(Enums::TextureWrapMode mode) { SetAddress(mode, mAddressU); }

void Texture::SetWrapModeY(Enums::TextureWrapMode mode) { SetAddress(mode, mAddressV); }

void Texture::SetMagFilter(Enums::TextureFilter filter)
{
    if (filter != Enums::TextureFilter::NONE)
        ToDxFilter(filter, mMagFilter);
}

void Texture::SetMinFilter(Enums::TextureFilter filter, Enums::TextureFilter mipFilter)
{
    if (filter != Enums::TextureFilter::NONE)
        ToDxFilter(filter, mMinFilter);
    if (!mMipMaps)
        mMipFilter = D3DTEXF_NONE;
    else
        ToDxFilter(mipFilter, mMipFilter);
}

const Texture::Face* Texture::GetFace(UInt32 face, const char* method) const
{
    if (face >= kNumberOfFaces) {
        Debug::Trace("Display::Dx9::Texture::%s(): Face %u out of range", method, face);
        return nullptr;
    }
    return &mFaces[face];
}

void Texture::SetSurface(UInt32 face, IDisplaySurface* surface)
{
    if (GetFace(face, "SetSurface") == nullptr)
        return;
    Face& f = mFaces[face];
    f.surface = surface;
    f.pixels.reset();
    f.width = surface != nullptr ? surface->GetWidth(0) : 0;
    f.height = surface != nullptr ? surface->GetHeight(0) : 0;
    f.pixelFormat = surface != nullptr ? surface->GetPixelFormat() : Enums::PixelFormat(0);
    f.dxFormat = ToDxFormat(f.pixelFormat);
}

void Texture::SetPixelData(UInt32 face, UInt32 width, UInt32 height, Enums::PixelFormat format, Bool allocate)
{
    if (GetFace(face, "SetPixelData") == nullptr)
        return;
    Face& f = mFaces[face];
    f.surface = nullptr;
    f.width = width;
    f.height = height;
    f.pixelFormat = format;
    f.dxFormat = ToDxFormat(format);
    f.pixels.reset();
    if (allocate) {
        const UInt64 size = UInt64(width) * height * Util::GetBytesPerPixel(format);
        if (size > 0)
            f.pixels.reset(new (std::nothrow) UInt8[size]());
    }
}

void Texture::SetModified(UInt32 face)
{
    if (GetFace(face, "SetModified") != nullptr)
        mFaces[face].modified = true;
}

UInt8* Texture::GetPixels(UInt32 face)
{
    return GetFace(face, "GetPixels") != nullptr ? mFaces[face].pixels.get() : nullptr;
}

UInt32 Texture::GetWidth(UInt32 face) const
{
    const Face* f = GetFace(face, "GetWidth");
    return f != nullptr ? f->width : 0;
}

UInt32 Texture::GetHeight(UInt32 face) const
{
    const Face* f = GetFace(face, "GetHeight");
    return f != nullptr ? f->height : 0;
}

UInt32 Texture::GetPitch(UInt32 face) const
{
    const Face* f = GetFace(face, "GetPitch");
    return f != nullptr ? f->width * Util::GetBytesPerPixel(f->pixelFormat) : 0;
}

Enums::PixelFormat Texture::GetPixelFormat(UInt32 face) const
{
    const Face* f = GetFace(face, "GetPixelFormat");
    return f != nullptr ? f->pixelFormat : Enums::PixelFormat(0);
}

Bool Texture::Init()
{
    if (mInitialized)
        return true;
    if (!mRenderer->InitObject(this))
        return false;
    mInitialized = true;
    return true;
}

Bool Texture::DeInit()
{
    if (!mInitialized)
        return true;
    if (!mRenderer->DeInitObject(this))
        return false;
    mInitialized = false;
    return true;
}

IDisplaySurface* Texture::PrepareSurface(const char* method, Bool checkRenderTarget)
{
    const Face& face = mFaces[0];
    IDisplaySurface* surface = face.surface;
    if (checkRenderTarget && mRenderTarget) {
        Debug::Trace("Display::Dx9::Texture::%s(): Cannot initialize render target from resource surface", method);
        return nullptr;
    }
    if (IsCompressed(face.pixelFormat)) {
        Debug::Trace("Display::Dx9::Texture::%s(): Compressed formats not supported", method);
        return nullptr;
    }
    if (face.dxFormat == D3DFMT_UNKNOWN) {
        Debug::Trace("Display::Dx9::Texture::%s(): Failed to get DX pixel format for input format %d", method,
                     int(Enums::Value(face.pixelFormat)));
        return nullptr;
    }
    IDisplaySurface* compatible = nullptr;
    switch (face.pixelFormat) {
    case Enums::PixelFormat::L8:
    case Enums::PixelFormat::A8:
        compatible = surface;
        break;
    case Enums::PixelFormat::R8_G8_B8:
        compatible = surface->Clone(Enums::PixelFormat::R8_G8_B8_A8);
        break;
    default:
        compatible = surface->Clone();
        break;
    }
    if (compatible == nullptr) {
        Debug::Trace("Display::Dx9::Texture::%s(): Failed to create compatible surface", method);
        return nullptr;
    }
    Bool prepared = compatible->Lock(0);
    if (!prepared) {
        Debug::Trace("Display::Dx9::Texture::PrepareCompatibleSurface(): Failed to create decoded surface data");
    } else {
        switch (compatible->GetPixelFormat()) {
        case Enums::PixelFormat::L8_A8:
            SwapChannels(compatible, 2, 0, 1);
            break;
        case Enums::PixelFormat::R8_G8_B8_A8:
            SwapChannels(compatible, 4, 0, 2);
            break;
        case Enums::PixelFormat::R5_G5_B5_A1:
            MoveAlphaToTop(compatible, 1);
            break;
        case Enums::PixelFormat::R4_G4_B4_A4:
            MoveAlphaToTop(compatible, 4);
            break;
        case Enums::PixelFormat::L8:
        case Enums::PixelFormat::A8:
        case Enums::PixelFormat::R5_G6_B5:
            break;
        default:
            compatible->Unlock();
            prepared = false;
            break;
        }
    }
    if (!prepared) {
        if (compatible != surface)
            delete compatible;
        Debug::Trace("Display::Dx9::Texture::%s(): Failed to prepare compatible surface", method);
        return nullptr;
    }
    return compatible;
}

Bool Texture::FinishSurface(IDisplaySurface* surface)
{
    const Bool unlocked = surface->Unlock();
    if (!unlocked)
        Debug::Trace("Display::Dx9::Texture::FinishCompatibleSurface(): Failed to destroy decoded surface data");
    if (surface != mFaces[0].surface)
        delete surface;
    return unlocked;
}

Bool Texture::Upload(IDisplaySurface* surface, UInt32 levels, Bool checkPowerOfTwo, const char* method)
{
    // The prepared copy's own pixel size: an RGB image arrives as four-byte pixels.
    const UInt32 bytesPerPixel = surface->GetBytesPerPixel();
    for (UInt32 level = 0; level < levels; ++level) {
        const UInt32 width = surface->GetWidth(level);
        const UInt32 height = surface->GetHeight(level);
        if (checkPowerOfTwo && (!IsPowerOfTwo(width) || !IsPowerOfTwo(height))) {
            Debug::Trace("Display::Dx9::Texture::%s(): Failed; mip level %d has non-power-of-two dimensions (%d/%d)",
                         method, int(level), int(width), int(height));
            return false;
        }
        const UInt8* source = static_cast<const UInt8*>(surface->GetPixels(level));
        IDirect3DSurface9* target = nullptr;
        if (source == nullptr || FAILED(mTexture->GetSurfaceLevel(level, &target))) {
            Debug::Trace("Display::Dx9::Texture::%s(): Failed to get surface", method);
            return false;
        }
        D3DLOCKED_RECT locked;
        if (FAILED(target->LockRect(&locked, nullptr, 0))) {
            target->Release();
            return false;
        }
        const UInt32 pitch = surface->GetPitch(level);
        const UInt32 rowBytes = width * bytesPerPixel;
        for (UInt32 y = 0; y < height; ++y)
            std::memcpy(static_cast<UInt8*>(locked.pBits) + y * locked.Pitch, source + y * pitch, rowBytes);
        target->UnlockRect();
        target->Release();
    }
    return true;
}

Bool Texture::CreateDxResources()
{
    static const char* kMethod = "CreateDxResources";
    if (mType != 0) {
        Debug::Trace("Display::Dx9::Texture::CreateDxResources(): Failed; cube maps not supported");
        return false;
    }
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    const Face& face = mFaces[0];
    if (face.surface == nullptr) {
        if (mMipMaps)
            return false;
        if (FAILED(device->CreateTexture(face.width, face.height, 1, mRenderTarget ? D3DUSAGE_RENDERTARGET : 0,
                                         face.dxFormat, mRenderTarget ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED, &mTexture,
                                         nullptr))) {
            mTexture = nullptr;
            Debug::Trace("Display::Dx9::Texture::CreateDxResources(): Failed to create DX texture");
            return false;
        }
        return Object::CreateDxResources();
    }
    IDisplaySurface* surface = PrepareSurface(kMethod, true);
    if (surface == nullptr)
        return false;
    const UInt32 levels = mMipMaps ? surface->GetNumberOfMipLevels() : 1;
    if (FAILED(device->CreateTexture(surface->GetWidth(0), surface->GetHeight(0), levels, 0, face.dxFormat,
                                     D3DPOOL_MANAGED, &mTexture, nullptr))) {
        mTexture = nullptr;
        FinishSurface(surface);
        Debug::Trace("Display::Dx9::Texture::CreateDxResources(): Failed to create DX texture");
        return false;
    }
    const Bool uploaded = Upload(surface, levels, true, kMethod);
    const Bool finished = FinishSurface(surface);
    if (uploaded && !finished)
        Debug::Trace("Display::Dx9::Texture::CreateDxResources(): Failed to finish compatible surface");
    if (!uploaded || !finished) {
        mTexture->Release();
        mTexture = nullptr;
        return false;
    }
    return Object::CreateDxResources();
}

Bool Texture::DestroyDxResources()
{
    if (mTexture != nullptr)
        mTexture->Release();
    mTexture = nullptr;
    return Object::DestroyDxResources();
}

Bool Texture::Update()
{
    static const char* kMethod = "Update";
    if (mType != 0) {
        Debug::Trace("Display::Dx9::Texture::Update(): Failed; cube maps not supported");
        return false;
    }
    if (!mFaces[0].modified || mFaces[0].surface == nullptr || mTexture == nullptr)
        return true;
    IDisplaySurface* surface = PrepareSurface(kMethod, false);
    if (surface == nullptr)
        return false;
    const UInt32 levels = mMipMaps ? surface->GetNumberOfMipLevels() : 1;
    const Bool uploaded = Upload(surface, levels < mTexture->GetLevelCount() ? levels : mTexture->GetLevelCount(),
                                 false, kMethod);
    if (!FinishSurface(surface)) {
        Debug::Trace("Display::Dx9::Texture::Update(): Failed to finish compatible surface");
        return false;
    }
    if (!uploaded)
        return false;
    mFaces[0].modified = false;
    return true;
}

Bool Texture::Apply(UInt32 unit, State& state)
{
    if (unit >= State::kNumberOfTextureUnits)
        return false;
    if (state.mTextures[unit] == this)
        return true;
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    device->SetTexture(unit, mTexture);
    device->SetSamplerState(unit, D3DSAMP_ADDRESSU, mAddressU);
    device->SetSamplerState(unit, D3DSAMP_ADDRESSV, mAddressV);
    device->SetSamplerState(unit, D3DSAMP_MAGFILTER, mMagFilter);
    device->SetSamplerState(unit, D3DSAMP_MINFILTER, mMinFilter);
    device->SetSamplerState(unit, D3DSAMP_MIPFILTER, mMipFilter);
    state.mTextures[unit] = this;
    return true;
}

const ClassInfo& Texture::GetClassInfo()
{
    static const ClassInfo info{"Texture", CreateObjectOf<Texture>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
