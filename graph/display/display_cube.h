// DisplayCube: an axis-aligned cube centred on the node's origin, one colour and one full
// texture square per face, edge length "size". Its geometry is built once at Init.
#pragma once

#include <memory>

#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace Graph {

class DisplayCube : public Transform, public IRenderable, public IDrawable
{
public:
    static constexpr UInt32 kNumberOfVertices = 24;
    static constexpr UInt32 kNumberOfIndices = 36;
    // Position, normal, texture coordinates and colour.
    static constexpr UInt32 kFloatsPerVertex = 12;
    static constexpr UInt32 kVertexSize = kFloatsPerVertex * 4;

    DisplayCube();
    ~DisplayCube() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // The vertices handed to the vertex buffer: the fixed table, or a scaled copy.
    const Float* GetVertexData() const;
    Display::IDrawable* GetDisplayDrawable() const { return mDrawable.Get(); }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    DisplayHandleT<Display::IDrawable> mDrawable;
    DisplayHandleT<Display::IIndexBuffer> mIndexBuffer;
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    Float mSize;
    std::unique_ptr<Float[]> mScaledVertices;
    Bool mChanged;
};

} // namespace Graph
} // namespace Vorn
