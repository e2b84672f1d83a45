// DisplayPlaneSequence: one rectangle of a texture atlas, the one at the node's current index.
// Each atlas rectangle carries its texture coordinates and its own placement, so flipping the
// index flips the picture (frame animations, digits, icon sets). Game code and index animation
// tracks drive it through IIndexed; all sequences share one index buffer.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/display/drawable.h"
#include "graph/display/shared_index_buffer.h"
#include "graph/display_plane_sequence.h"
#include "graph/renderable.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Resource {
class IAtlas;
struct AtlasRectangle;
}

namespace Graph {

class DisplayPlaneSequence : public Transform,
                             public IRenderable,
                             public IDrawable,
                             public IDisplayPlaneSequence,
                             public IScalable
{
public:
    // Four vertices of position, texture coordinates and normal.
    static constexpr UInt32 kVertexSize = 32;
    static constexpr UInt32 kFloatsPerVertex = kVertexSize / 4;

    DisplayPlaneSequence();
    ~DisplayPlaneSequence() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Clamps the index to the atlas's rectangles; always true. The rebuild follows in the next
    // prepare-output pass.
    Bool SetIndex(SInt32 index) override;
    SInt32 GetIndex() const override;
    UInt32 GetNumberOfIndices() const override;
    Real GetSizeX(UInt32 index) const override;
    Real GetCurrentSizeX() const override;
    Real GetSizeY(UInt32 index) const override;
    Real GetCurrentSizeY() const override;

    void SetScaleFactor(Real x, Real y, Real z) override;
    void SetScaleFactor(const Math::Vector<float>& factor) override;
    void SetScaleFactorX(Real x) override;
    void SetScaleFactorY(Real y) override;
    void SetScaleFactorZ(Real z) override;
    const Math::Vector<float>& GetScaleFactor() const override;
    Real GetScaleFactorX() const override;
    Real GetScaleFactorY() const override;
    Real GetScaleFactorZ() const override;

    const Float* GetVertexData() const { return mVertices; }
    Display::IDrawable* GetDisplayDrawable() const { return mDrawable.Get(); }
    static UInt32 GetNumberOfIndexBufferHolders();

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    // The rectangle at the index, the last one for an index past the end; null without an atlas.
    const Resource::AtlasRectangle* GetRectangle(UInt32 index) const;
    void BuildVertices();

    const Resource::IAtlas* mAtlas;
    DisplayHandleT<Display::IDrawable> mDrawable;
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    SharedIndexBuffer::Holding mIndexBufferHolding;
    String mAtlasResourceId;
    PlaneScale mScale;
    Float mTextureSizeX;
    Float mTextureSizeY;
    UInt32 mNumberOfRectangles;
    const Resource::AtlasRectangle* mRectangles;
    Float mTextureFactorX;
    Float mTextureFactorY;
    Float mVertices[4 * kFloatsPerVertex];
    SInt32 mShownIndex;
    SInt32 mIndex;
    Bool mGeometryChanged;
    Bool mUploadPending;
};

} // namespace Graph
} // namespace Vorn
