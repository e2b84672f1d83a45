// Frame-buffer textures: textures that are also render targets. A view that names one by
// "frameBufferId" renders its sub-tree into it; drawables then sample it through a texture slot.
// "FlatFrameBufferTexture" is two-dimensional, "CubeFrameBufferTexture" a cube map of six faces;
// both take their size once, at initialisation.
#pragma once

#include "foundation/enums.h"
#include "graph/node_class_info.h"
#include "graph/render/texture.h"
#include "graph/view/view_targets.h"

namespace Vorn {

namespace Display {
class IFrameBuffer;
}

namespace Graph {

class FrameBufferTexture : public Texture, public IFrameBuffer
{
public:
    ~FrameBufferTexture() override;

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // The target size: "w" and "h" divided by the prescale factor of the last initialisation.
    UInt32 GetWidth() const override;
    UInt32 GetHeight() const override;
    Display::IFrameBuffer* GetFrameBufferObject() override;

    Enums::DepthBufferFormat GetDepthBufferFormat() const { return mDepthBufferFormat; }

protected:
    // The class name for log lines, the texture type (0 flat, 1 cube) with its number of faces,
    // and the class's attribute table.
    FrameBufferTexture(const char* className, UInt32 type, UInt32 numberOfFaces,
                       const AttributeTable& (*attributeTable)());

    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;

    const char* mClassName;
    UInt32 mType;
    UInt32 mNumberOfFaces;
    const AttributeTable& (*mAttributeTable)();
    Enums::DepthBufferFormat mDepthBufferFormat;
    Display::IObject* mFrameBufferObject;
    Display::IFrameBuffer* mDisplayFrameBuffer;
    UInt32 mPrescaleFactor;
    UInt32 mTargetWidth;
    UInt32 mTargetHeight;

private:
    // Configures and initialises the display texture, then makes, attaches and initialises the
    // frame buffer.
    Bool InitTargets(IInitState* state);
};

class FlatFrameBufferTexture : public FrameBufferTexture
{
public:
    FlatFrameBufferTexture();
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();
};

class CubeFrameBufferTexture : public FrameBufferTexture
{
public:
    CubeFrameBufferTexture();
    static INode* Create();
    static const NodeClassInfo& GetClassInfo();
};

} // namespace Graph
} // namespace Vorn
