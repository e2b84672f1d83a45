// The cube texture ("CubeTexture"): a cube map whose six faces (PosX, NegX, PosY, NegY, PosZ,
// NegZ) come from six image resources. A face without an image is logged and left empty; the
// faces are rebuilt one by one when a language change yields other images.
#pragma once

#include "foundation/string.h"
#include "graph/render/texture.h"

namespace Vorn {

class IDisplaySurface;

namespace Graph {

class CubeTexture : public Texture
{
public:
    static constexpr UInt32 kNumberOfFaces = 6;

    CubeTexture();
    ~CubeTexture() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Makes the face's surface from its image and hands it to the display texture; the chosen
    // pixel format is not kept.
    virtual Bool SetTextureSurface(UInt32 face, IConfiguration* configuration);
    // Deletes the face's surface.
    virtual void ReleaseTextureSurface(UInt32 face);

    const IDisplaySurface* GetSurface(UInt32 face) const { return mSurfaces[face]; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;

    String mBitmapIds[kNumberOfFaces];
    String mBitmapResourceIds[kNumberOfFaces];
    const Resource::IImage* mImages[kNumberOfFaces];
    IDisplaySurface* mSurfaces[kNumberOfFaces];
};

} // namespace Graph
} // namespace Vorn
