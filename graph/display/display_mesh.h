// DisplayMesh: draws a mesh resource unchanged. Every vertex and index buffer of the mesh becomes
// a display buffer of its own, all attached to one display drawable; each vertex buffer goes to
// the row and column of the renderer's current-buffer table that the mesh names.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Resource {
class IMesh;
}

namespace Graph {

class DisplayMesh : public Transform, public IRenderable, public IDrawable
{
public:
    // Where vertex buffers go in the renderer's current-buffer table: one record per row.
    struct BufferRecord
    {
        UInt32 mRow;
        Display::IVertexBuffer* mColumns[2];
    };

    DisplayMesh();
    ~DisplayMesh() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Makes the display buffers of the mesh held and initialises the drawable; the buffers made
    // before a failure stay in the lists.
    virtual Bool SetDrawable(Display::IRenderer* renderer);
    // De-initialises the drawable and destroys every buffer, emptying the lists and the table.
    virtual Bool ClearDrawable(Display::IRenderer* renderer);

    const Array<BufferRecord>& GetBufferTable() const { return mBufferTable; }
    Display::IDrawable* GetDisplayDrawable() const { return mDrawable.Get(); }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    const Resource::IMesh* mMesh;
    DisplayHandleT<Display::IDrawable> mDrawable;
    Array<BufferRecord> mBufferTable;
    Array<DisplayHandleT<Display::IVertexBuffer>> mVertexBuffers;
    Array<DisplayHandleT<Display::IIndexBuffer>> mIndexBuffers;
    String mMeshResourceId;
    Bool mDrawableChanged;
};

} // namespace Graph
} // namespace Vorn
