// The flat texture ("FlatTexture"): a two-dimensional texture made from one image resource of a
// package, the texture of the game's graphs. It fetches the image again when the language
// changes and rebuilds the texture in place when the package yields another one.
#pragma once

#include "foundation/string.h"
#include "graph/render/texture.h"

namespace Vorn {

class IDisplaySurface;

namespace Graph {

class FlatTexture : public Texture
{
public:
    FlatTexture();
    ~FlatTexture() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Chooses the pixel format (kept for later re-creations), makes the surface from the image and
    // configures and initialises the display texture.
    virtual Bool InitTextureObject(IConfiguration* configuration);
    // De-initialises the display texture and deletes the surface; the image stays.
    virtual Bool DeInitTextureObject();

    const String& GetBitmapResourceId() const { return mBitmapResourceId; }
    const Resource::IImage* GetImage() const { return mImage; }
    const IDisplaySurface* GetSurface() const { return mSurface; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;

    String mBitmapId;
    String mBitmapResourceId;
    const Resource::IImage* mImage;
    IDisplaySurface* mSurface;
};

} // namespace Graph
} // namespace Vorn
