// DisplayPlane: one textured rectangle in the node's x-y plane, centred on its origin, sized by
// its scale factor and showing the part of the bound texture between its texture start and end.
// All planes share one index buffer. Game code scales and re-maps planes through IScalable and
// the texture setters.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/display/drawable.h"
#include "graph/display/shared_index_buffer.h"
#include "graph/display_plane.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace Graph {

class DisplayPlane : public Transform, public IRenderable, public IDrawable, public IDisplayPlane
{
public:
    // Four vertices of position, normal and texture coordinates.
    static constexpr UInt32 kVertexSize = 32;
    static constexpr UInt32 kFloatsPerVertex = kVertexSize / 4;

    DisplayPlane();
    ~DisplayPlane() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    void SetScaleFactor(Real x, Real y, Real z) override;
    void SetScaleFactor(const Math::Vector<float>& factor) override;
    void SetScaleFactorX(Real x) override;
    void SetScaleFactorY(Real y) override;
    void SetScaleFactorZ(Real z) override;
    const Math::Vector<float>& GetScaleFactor() const override;
    Real GetScaleFactorX() const override;
    Real GetScaleFactorY() const override;
    Real GetScaleFactorZ() const override;

    // Texture coordinates, or pixel positions when the texture size is given; each setter marks
    // the geometry for a rebuild, even with the value already held.
    void SetTextureCoords(Real startX, Real startY, Real endX, Real endY) override;
    void SetTextureStart(Real x, Real y) override;
    void SetTextureEnd(Real x, Real y) override;
    void SetTextureStartX(Real x) override;
    void SetTextureStartY(Real y) override;
    void SetTextureEndX(Real x) override;
    void SetTextureEndY(Real y) override;
    Real GetTextureStartX() const override;
    Real GetTextureStartY() const override;
    Real GetTextureEndX() const override;
    Real GetTextureEndY() const override;

    // The four vertices as last built.
    const Float* GetVertexData() const { return mVertices; }
    Display::IDrawable* GetDisplayDrawable() const { return mDrawable.Get(); }
    // Planes holding the shared index buffer.
    static UInt32 GetNumberOfIndexBufferHolders();

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    void BuildVertices();

    DisplayHandleT<Display::IDrawable> mDrawable;
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    SharedIndexBuffer::Holding mIndexBufferHolding;
    PlaneScale mScale;
    Float mTextureSizeX;
    Float mTextureSizeY;
    Float mTextureStartX;
    Float mTextureStartY;
    Float mTextureEndX;
    Float mTextureEndY;
    Float mTextureFactorX;
    Float mTextureFactorY;
    Float mVertices[4 * kFloatsPerVertex];
    Bool mGeometryChanged;
    Bool mUploadPending;
};

} // namespace Graph
} // namespace Vorn
