#include "display/dx9/frame_buffer.h"

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/texture.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

void ReleaseSurface(IDirect3DSurface9*& surface)
{
    if (surface != nullptr)
        surface->Release();
    surface = nullptr;
}

D3DFORMAT ToDxDepthFormat(Enums::DepthBufferFormat format)
{
    switch (format) {
    case Enums::DepthBufferFormat::BITS_16:
        return D3DFMT_D16;
    case Enums::DepthBufferFormat::BITS_24:
        return D3DFMT_D24X8;
    default:
        return D3DFMT_D32;
    }
}

} // namespace

FrameBuffer::FrameBuffer(Renderer* renderer)
    : Object(renderer), mTexture(nullptr), mDepthFormat(Enums::DepthBufferFormat::BITS_16), mTargetSurface(nullptr),
      mSavedTarget(nullptr), mSavedDepth(nullptr), mDepthSurface(nullptr), mWidth(0), mHeight(0)
{
}

FrameBuffer::~FrameBuffer()
{
    Release();
    ReleaseSurface(mSavedTarget);
    ReleaseSurface(mSavedDepth);
}

Bool FrameBuffer::Bind(UInt32 target)
{
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (target != 0 || device == nullptr || mTargetSurface == nullptr)
        return false;
    if (mSavedTarget == nullptr && FAILED(device->GetRenderTarget(0, &mSavedTarget)))
        mSavedTarget = nullptr;
    device->SetRenderTarget(0, mTargetSurface);
    if (mDepthSurface != nullptr) {
        if (mSavedDepth == nullptr && FAILED(device->GetDepthStencilSurface(&mSavedDepth)))
            mSavedDepth = nullptr;
        device->SetDepthStencilSurface(mDepthSurface);
    }
    return true;
}

Bool FrameBuffer::Unbind()
{
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return true;
    if (mSavedDepth != nullptr) {
        device->SetDepthStencilSurface(mSavedDepth);
        ReleaseSurface(mSavedDepth);
    }
    if (mSavedTarget != nullptr) {
        device->SetRenderTarget(0, mSavedTarget);
        ReleaseSurface(mSavedTarget);
    }
    return true;
}

void FrameBuffer::SetTargetTexture(ITexture* texture)
{
    mTexture = dynamic_cast<Texture*>(texture);
    if (texture != nullptr && mTexture == nullptr)
        Debug::Trace("Display::Dx9::FrameBuffer::SetTargetTexture(): Texture of another renderer");
}

Bool FrameBuffer::Init()
{
    if (mInitialized)
        return true;
    if (mTexture == nullptr) {
        Debug::Trace("Display::Dx9::FrameBuffer::Init(): No target texture specified");
        return false;
    }
    mWidth = mTexture->GetWidth(0);
    mHeight = mTexture->GetHeight(0);
    if (!mRenderer->InitObject(this))
        return false;
    mInitialized = true;
    return true;
}

Bool FrameBuffer::DeInit()
{
    if (!mInitialized)
        return true;
    if (!mRenderer->DeInitObject(this))
        return false;
    mInitialized = false;
    return true;
}

Bool FrameBuffer::CreateDxResources()
{
    if (mTexture == nullptr || mTexture->GetType() != 0) {
        Debug::Trace("Display::Dx9::FrameBuffer::CreateDxResources(): Cube maps not supported");
        return false;
    }
    IDirect3DDevice9* device = mRenderer->GetDevice();
    IDirect3DTexture9* texture = mTexture->GetDxTexture();
    if (device == nullptr || texture == nullptr || FAILED(texture->GetSurfaceLevel(0, &mTargetSurface))) {
        mTargetSurface = nullptr;
        Debug::Trace("Display::Dx9::FrameBuffer::CreateDxResources(): Target texture has no DX texture");
        return false;
    }
    if (mDepthFormat != Enums::DepthBufferFormat::NONE &&
        FAILED(device->CreateDepthStencilSurface(mTexture->GetWidth(0), mTexture->GetHeight(0),
                                                 ToDxDepthFormat(mDepthFormat), D3DMULTISAMPLE_NONE, 0, TRUE,
                                                 &mDepthSurface, nullptr))) {
        mDepthSurface = nullptr;
        ReleaseSurface(mTargetSurface);
        Debug::Trace("Display::Dx9::FrameBuffer::CreateDxResources(): Failed to create DX depth surface");
        return false;
    }
    return Object::CreateDxResources();
}

Bool FrameBuffer::DestroyDxResources()
{
    Release();
    return Object::DestroyDxResources();
}

void FrameBuffer::Release()
{
    ReleaseSurface(mDepthSurface);
    ReleaseSurface(mTargetSurface);
}

const ClassInfo& FrameBuffer::GetClassInfo()
{
    static const ClassInfo info{"FrameBuffer", CreateObjectOf<FrameBuffer>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
