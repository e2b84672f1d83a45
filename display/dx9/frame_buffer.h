// Display::Dx9::FrameBuffer ("FrameBuffer"): lets the renderer draw a layer into a render-target
// texture instead of the screen, with a depth surface of the texture's size when asked for, and
// restores the device's previous targets afterwards.
#pragma once

#include <d3d9.h>

#include "display/dx9/object.h"
#include "foundation/matrix.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Texture;

class FrameBuffer : public Object, public IFrameBuffer
{
public:
    explicit FrameBuffer(Renderer* renderer);
    ~FrameBuffer() override;

    // Only target 0; false for any other, changing nothing.
    Bool Bind(UInt32 target) override;
    // Restores what Bind saved; nothing without a Bind.
    Bool Unbind() override;
    void SetDepthBufferFormat(Enums::DepthBufferFormat format) override { mDepthFormat = format; }
    // A texture of another back-end is refused with a line and clears the target.
    void SetTargetTexture(ITexture* texture) override;
    UInt32 GetNumberOfTargets() const override { return 1; }
    UInt32 GetWidth() const override { return mWidth; }
    UInt32 GetHeight() const override { return mHeight; }
    const Math::Matrix<float>& GetTransform(UInt32) const override { return mTransform; }

    // False without a target texture.
    Bool Init() override;
    Bool DeInit() override;
    Bool CreateDxResources() override;
    Bool DestroyDxResources() override;

    IDirect3DSurface9* GetDepthSurface() const { return mDepthSurface; }

    static const ClassInfo& GetClassInfo();

private:
    void Release();

    Texture* mTexture;
    Enums::DepthBufferFormat mDepthFormat;
    IDirect3DSurface9* mTargetSurface;
    IDirect3DSurface9* mSavedTarget;
    IDirect3DSurface9* mSavedDepth;
    IDirect3DSurface9* mDepthSurface;
    UInt32 mWidth;
    UInt32 mHeight;
    Math::Matrix<float> mTransform;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
