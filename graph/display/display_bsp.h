// DisplayBsp: draws a mesh resource that carries a space-partition tree with cluster
// visibility. Each cull-output pass finds the leaf that holds the camera, collects the faces of
// the leaves its cluster can see (optionally only those whose bounding sphere is in the view
// cone), and the enqueue-output pass hands each index buffer the list of its visible faces.
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
struct MeshFace;
struct MeshLeaf;
struct MeshNode;
struct MeshPlane;
}

namespace Graph {

class DisplayBsp : public Transform, public IRenderable, public IDrawable
{
public:
    DisplayBsp();
    ~DisplayBsp() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Runs the walk; never culls the node itself.
    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // The faces of index buffer i that the last walk found, as segment numbers.
    UInt32 GetNumberOfVisibleEntries(UInt32 indexBuffer) const;
    const UInt32* GetVisibleEntries(UInt32 indexBuffer) const;

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    // The face lists one walk fills: per index buffer a count and a run of the shared entries.
    struct FaceSet
    {
        Array<UInt32> mCounts;
        Array<UInt32> mEntries;
    };

    // Checks that every table reference stays inside its table and that the tree descends.
    Bool IsConsistent() const;
    void Walk(ICullOutputState* state);
    void AddLeafFaces(UInt32 leaf);

    String mMeshResourceId;
    Bool mEnableViewCulling;
    UInt32 mNumberOfPlanes;
    UInt32 mNumberOfNodes;
    UInt32 mNumberOfLeaves;
    UInt32 mNumberOfLeafFaces;
    UInt32 mNumberOfFaces;
    UInt32 mNumberOfClusters;
    UInt32 mVisibilityRowSize;
    const Resource::IMesh* mMesh;
    const Resource::MeshPlane* mPlanes;
    const Resource::MeshNode* mNodes;
    const Resource::MeshLeaf* mLeaves;
    const UInt32* mLeafFaces;
    const Resource::MeshFace* mFaces;
    const UInt8* mVisibilityRows;
    DisplayHandleT<Display::IDrawable> mDrawable;
    Array<DisplayHandleT<Display::IVertexBuffer>> mVertexBuffers;
    Array<DisplayHandleT<Display::IIndexBuffer>> mIndexBuffers;
    // Where each index buffer's run starts in a set's entries; sized by the faces of that buffer.
    Array<UInt32> mListStarts;
    FaceSet mSets[2];
    FaceSet* mCurrentSet;
    UInt32 mSetSelector;
    // Output of the walk, and per face the walk that last added it; both sized by the faces.
    Array<UInt32> mVisibleFaces;
    UInt32 mNumberOfVisibleFaces;
    Array<UInt32> mFaceStamps;
    UInt32 mWalkNumber;
};

} // namespace Graph
} // namespace Vorn
