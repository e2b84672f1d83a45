#include "graph/display/display_bsp.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/culler.h"
#include "graph/display/mesh_buffers.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "graph/view.h"
#include "graph/view/camera.h"
#include "resource/collection.h"
#include "resource/mesh.h"

namespace Vorn {
namespace Graph {

namespace {

// The further index-buffer values of the BSP: the two auxiliary slots and the index segments,
// of which the walk selects the visible ones.
void PrepareBspIndexBuffer(const Resource::IMesh* mesh, UInt32 i, Display::IIndexBuffer* buffer)
{
    for (UInt32 index = 0; index < 2; ++index)
        buffer->SetAuxiliarySlot(SInt32(mesh->GetAuxiliarySlot(i, index)), index);
    static_assert(sizeof(Resource::MeshIndexSegment) == 2 * sizeof(UInt32), "segments are pairs of words");
    buffer->SetNumberOfBatches(mesh->GetNumberOfIndexSegments(i));
    buffer->SetBatches(reinterpret_cast<const UInt32*>(mesh->GetIndexSegments(i)));
    buffer->SetBatchesModified();
    buffer->SetNumberOfSelectedBatches(0);
}

void ZeroArray(Array<UInt32>& array, UInt32 count)
{
    array.SetCount(SInt32(count));
    for (UInt32& value : array)
        value = 0;
}

} // namespace

DisplayBsp::DisplayBsp()
    : mEnableViewCulling(true),
      mNumberOfPlanes(0),
      mNumberOfNodes(0),
      mNumberOfLeaves(0),
      mNumberOfLeafFaces(0),
      mNumberOfFaces(0),
      mNumberOfClusters(0),
      mVisibilityRowSize(0),
      mMesh(nullptr),
      mPlanes(nullptr),
      mNodes(nullptr),
      mLeaves(nullptr),
      mLeafFaces(nullptr),
      mFaces(nullptr),
      mVisibilityRows(nullptr),
      mCurrentSet(nullptr),
      mSetSelector(0),
      mNumberOfVisibleFaces(0),
      mWalkNumber(0)
{
    AddFlags(kNeedsPrepareOutput);
}

DisplayBsp::~DisplayBsp()
{
}

INode* DisplayBsp::Create()
{
    return new (std::nothrow) DisplayBsp();
}

const NodeClassInfo& DisplayBsp::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayBsp"));
    return info;
}

Bool DisplayBsp::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                      Bool* error)
{
    switch (DisplayBspAttributes::GetTable().FindAttribute(attributes, index)) {
    case DisplayBspAttributes::kMeshResourceId:
        attributes->GetValue(index, parameters, &mMeshResourceId, error);
        return true;
    case DisplayBspAttributes::kEnableViewCulling:
        attributes->GetValue(index, parameters, &mEnableViewCulling, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool DisplayBsp::IsConsistent() const
{
    if (UInt64(mVisibilityRowSize) * 8 < mNumberOfClusters)
        return false;
    for (UInt32 n = 0; n < mNumberOfNodes; ++n) {
        if (mNodes[n].plane >= mNumberOfPlanes)
            return false;
        for (const SInt32 child : {mNodes[n].front, mNodes[n].back}) {
            // A node child lies further down the table, so every search ends in a leaf.
            const Bool valid = child >= 0 ? (UInt32(child) > n && UInt32(child) < mNumberOfNodes)
                                          : UInt32(-(child + 1)) < mNumberOfLeaves;
            if (!valid)
                return false;
        }
    }
    for (UInt32 l = 0; l < mNumberOfLeaves; ++l) {
        const Resource::MeshLeaf& leaf = mLeaves[l];
        if (leaf.cluster >= 0 && UInt32(leaf.cluster) >= mNumberOfClusters)
            return false;
        if (UInt64(leaf.firstLeafFace) + leaf.leafFaceCount > mNumberOfLeafFaces)
            return false;
    }
    for (UInt32 e = 0; e < mNumberOfLeafFaces; ++e) {
        if (mLeafFaces[e] >= mNumberOfFaces)
            return false;
    }
    for (UInt32 f = 0; f < mNumberOfFaces; ++f) {
        if (mFaces[f].indexBuffer >= mMesh->GetNumberOfIndexBuffers())
            return false;
        if (mFaces[f].segment >= mMesh->GetNumberOfIndexSegments(mFaces[f].indexBuffer))
            return false;
    }
    return true;
}

Bool DisplayBsp::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mMeshResourceId.IsEmpty()) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): No resource ID specified", mId.GetText());
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    mMesh = collection != nullptr ? collection->GetMesh(mMeshResourceId) : nullptr;
    if (mMesh == nullptr) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to get resource mesh \"%s\"", mId.GetText(),
                     mMeshResourceId.GetText());
        return false;
    }
    mNumberOfPlanes = mMesh->GetNumberOfPlanes();
    mNumberOfNodes = mMesh->GetNumberOfNodes();
    mNumberOfLeaves = mMesh->GetNumberOfLeaves();
    mNumberOfLeafFaces = mMesh->GetNumberOfLeafFaces();
    mNumberOfFaces = mMesh->GetNumberOfFaces();
    mNumberOfClusters = mMesh->GetNumberOfClusters();
    mVisibilityRowSize = mMesh->GetVisibilityRowSize();
    mPlanes = mMesh->GetPlanes();
    mNodes = mMesh->GetNodes();
    mLeaves = mMesh->GetLeaves();
    mLeafFaces = mMesh->GetLeafFaces();
    mFaces = mMesh->GetFaces();
    mVisibilityRows = mMesh->GetVisibilityRows();
    if (mNumberOfPlanes == 0 || mNumberOfNodes == 0 || mNumberOfLeaves == 0 || mNumberOfLeafFaces == 0 ||
        mNumberOfFaces == 0 || mNumberOfClusters == 0 || mPlanes == nullptr || mNodes == nullptr ||
        mLeaves == nullptr || mLeafFaces == nullptr || mFaces == nullptr || mVisibilityRows == nullptr) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Incomplete BSP information in resource mesh \"%s\"",
                     mId.GetText(), mMeshResourceId.GetText());
        return false;
    }
    if (!IsConsistent()) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Inconsistent BSP information in resource mesh \"%s\"",
                     mId.GetText(), mMeshResourceId.GetText());
        return false;
    }

    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }
    for (UInt32 i = 0; i < mMesh->GetNumberOfVertexBuffers(); ++i) {
        DisplayHandleT<Display::IVertexBuffer> buffer;
        const MeshBufferResult result = CreateMeshVertexBuffer(renderer, mMesh, i, buffer);
        if (result == MeshBufferResult::kCreateFailed) {
            Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to create vertex buffer object", mId.GetText());
            return false;
        }
        mVertexBuffers.Add(buffer);
        if (result == MeshBufferResult::kInitFailed) {
            Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to initialize vertex buffer object", mId.GetText());
            return false;
        }
        mDrawable->AddVertexBuffer(buffer.Get());
    }
    const UInt32 numberOfIndexBuffers = mMesh->GetNumberOfIndexBuffers();
    for (UInt32 i = 0; i < numberOfIndexBuffers; ++i) {
        DisplayHandleT<Display::IIndexBuffer> buffer;
        const MeshBufferResult result = CreateMeshIndexBuffer(renderer, mMesh, i, buffer, &PrepareBspIndexBuffer);
        if (result == MeshBufferResult::kCreateFailed) {
            Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to create indexBuffer object %d", mId.GetText(),
                         SInt32(i));
            return false;
        }
        mIndexBuffers.Add(buffer);
        if (result == MeshBufferResult::kInitFailed) {
            Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to initialize index buffer object #%i", mId.GetText(),
                         SInt32(i));
            return false;
        }
        mDrawable->AddIndexBuffer(buffer.Get());
    }

    // Each buffer's list holds at most its own faces, since a walk adds a face once.
    ZeroArray(mListStarts, numberOfIndexBuffers + 1);
    for (UInt32 f = 0; f < mNumberOfFaces; ++f)
        ++mListStarts[SInt32(mFaces[f].indexBuffer) + 1];
    for (UInt32 i = 0; i < numberOfIndexBuffers; ++i)
        mListStarts[SInt32(i) + 1] += mListStarts[SInt32(i)];
    for (FaceSet& set : mSets) {
        ZeroArray(set.mCounts, numberOfIndexBuffers);
        ZeroArray(set.mEntries, mNumberOfFaces);
    }
    mCurrentSet = &mSets[0];
    mSetSelector = 0;
    SetMeshBounds(mDrawable.Get(), mMesh);
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayBsp::InitSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    ZeroArray(mVisibleFaces, mNumberOfFaces);
    ZeroArray(mFaceStamps, mNumberOfFaces);
    mNumberOfVisibleFaces = 0;
    mWalkNumber = 0;
    return true;
}

Bool DisplayBsp::DeInitSelf(IDeInitState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayBsp::DeInitSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        if (!DestroyBuffer(mDrawable, mIndexBuffers[i], renderer)) {
            Debug::Trace("Graph::DisplayBsp::DeInitSelf(%s): Failed to deinitialize index buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    mIndexBuffers.Clear();
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        if (!DestroyBuffer(mDrawable, mVertexBuffers[i], renderer)) {
            Debug::Trace("Graph::DisplayBsp::DeInitSelf(%s): Failed to deinitialize vertex buffer object",
                         mId.GetText());
            return false;
        }
    }
    mVertexBuffers.Clear();
    mDrawable.Destroy(renderer);
    for (FaceSet& set : mSets) {
        set.mCounts.Clear();
        set.mEntries.Clear();
    }
    mListStarts.Clear();
    mVisibleFaces.Clear();
    mFaceStamps.Clear();
    mCurrentSet = nullptr;
    mMesh = nullptr;
    return Transform::DeInitSelf(state);
}

Bool DisplayBsp::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayBsp::SuspendSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        if (!mIndexBuffers[i].DeInit()) {
            Debug::Trace("Graph::DisplayBsp::SuspendSelf(%s): Failed to deinitialize index buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        if (!mVertexBuffers[i].DeInit()) {
            Debug::Trace("Graph::DisplayBsp::SuspendSelf(%s): Failed to deinitialize vertex buffer object",
                         mId.GetText());
            return false;
        }
    }
    return true;
}

Bool DisplayBsp::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        if (!mVertexBuffers[i].Init()) {
            Debug::Trace("Graph::DisplayBsp::ResumeSelf(%s): Failed to initialize vertex buffer object", mId.GetText());
            return false;
        }
    }
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        if (!mIndexBuffers[i].Init()) {
            Debug::Trace("Graph::DisplayBsp::ResumeSelf(%s): Failed to initialize index buffer object #%i",
                         mId.GetText(), i);
            return false;
        }
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayBsp::ResumeSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayBsp::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayBsp::CullOutput(ICullOutputState* state)
{
    if (mCurrentSet != nullptr)
        Walk(state);
    return true;
}

void DisplayBsp::AddLeafFaces(UInt32 leaf)
{
    const Resource::MeshLeaf& record = mLeaves[leaf];
    for (UInt32 e = 0; e < record.leafFaceCount; ++e) {
        const UInt32 face = mLeafFaces[record.firstLeafFace + e];
        if (mFaceStamps[SInt32(face)] != mWalkNumber) {
            mFaceStamps[SInt32(face)] = mWalkNumber;
            mVisibleFaces[SInt32(mNumberOfVisibleFaces++)] = face;
        }
    }
}

void DisplayBsp::Walk(ICullOutputState* state)
{
    mSetSelector ^= 1;
    mCurrentSet = &mSets[mSetSelector];
    ++mWalkNumber;
    mNumberOfVisibleFaces = 0;
    for (UInt32& count : mCurrentSet->mCounts)
        count = 0;

    IView* view = state->GetCurrentView();
    ICamera* camera = view != nullptr ? view->GetCamera() : nullptr;
    const Float* angles = camera != nullptr ? camera->GetProjectionAngles() : nullptr;
    const Math::Matrix<float>* world = state->GetItemValue1();
    if (angles == nullptr || world == nullptr)
        return;

    // The tree is in the node's space: the camera's world position is taken there to find its
    // leaf, and the leaf spheres are taken to camera space.
    Math::Matrix<float> worldInverse;
    Math::Matrix<float>::Invert(*world, worldInverse);
    const Math::Matrix<float>& cameraTransform = view->GetCameraTransform();
    const Math::Vector<float> p =
        worldInverse * Math::Vector<float>(cameraTransform[12], cameraTransform[13], cameraTransform[14], 1.0f);
    const Math::Matrix<float> toCamera = view->GetCameraInverseTransform() * *world;

    SInt32 child = 0;
    while (child >= 0) {
        const Resource::MeshNode& node = mNodes[child];
        const Resource::MeshPlane& plane = mPlanes[node.plane];
        child = plane.a * p.x + plane.b * p.y + plane.c * p.z + plane.d < 0.0f ? node.back : node.front;
    }
    const SInt32 cameraCluster = mLeaves[-(child + 1)].cluster;

    if (cameraCluster < 0) {
        for (UInt32 leaf = 0; leaf < mNumberOfLeaves; ++leaf)
            AddLeafFaces(leaf);
    } else {
        const UInt8* row = mVisibilityRows + UInt64(cameraCluster) * mVisibilityRowSize;
        for (UInt32 leaf = 0; leaf < mNumberOfLeaves; ++leaf) {
            const Resource::MeshLeaf& record = mLeaves[leaf];
            if (record.cluster < 0 || record.leafFaceCount == 0)
                continue;
            const UInt32 cluster = UInt32(record.cluster);
            if ((row[cluster / 8] & (1u << (cluster % 8))) == 0)
                continue;
            if (mEnableViewCulling) {
                const Math::Vector<float> centre =
                    toCamera * Math::Vector<float>(record.centre[0], record.centre[1], record.centre[2], 1.0f);
                if (!IsInViewCone(centre, record.radius, angles))
                    continue;
            }
            AddLeafFaces(leaf);
        }
    }

    for (UInt32 v = 0; v < mNumberOfVisibleFaces; ++v) {
        const Resource::MeshFace& face = mFaces[mVisibleFaces[SInt32(v)]];
        const SInt32 buffer = SInt32(face.indexBuffer);
        UInt32& count = mCurrentSet->mCounts[buffer];
        mCurrentSet->mEntries[SInt32(mListStarts[buffer] + count)] = face.segment;
        ++count;
    }
}

UInt32 DisplayBsp::GetNumberOfVisibleEntries(UInt32 indexBuffer) const
{
    if (mCurrentSet == nullptr || indexBuffer >= UInt32(mCurrentSet->mCounts.GetCount()))
        return 0;
    return mCurrentSet->mCounts[SInt32(indexBuffer)];
}

const UInt32* DisplayBsp::GetVisibleEntries(UInt32 indexBuffer) const
{
    if (mCurrentSet == nullptr || indexBuffer >= UInt32(mCurrentSet->mCounts.GetCount()))
        return nullptr;
    return mCurrentSet->mEntries.GetItems() + mListStarts[SInt32(indexBuffer)];
}

Bool DisplayBsp::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || mCurrentSet == nullptr)
        return true;
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        Display::IIndexBuffer* buffer = mIndexBuffers[i].Get();
        buffer->SetNumberOfSelectedBatches(GetNumberOfVisibleEntries(UInt32(i)));
        buffer->SetSelectedBatches(GetVisibleEntries(UInt32(i)));
        buffer->SetSelectionModified();
    }
    renderer->AddUpdateObject(mDrawable.GetObject());
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        renderer->SetAuxiliaryObject(mVertexBuffers[i].Get(), UInt32(i), 0);
        renderer->SetAuxiliaryObject(nullptr, UInt32(i), 1);
    }
    AddDrawableToFrame(state, mDrawable.Get());
    return true;
}

} // namespace Graph
} // namespace Vorn
