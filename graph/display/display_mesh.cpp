#include "graph/display/display_mesh.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/display/mesh_buffers.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"
#include "resource/mesh.h"

namespace Vorn {
namespace Graph {

DisplayMesh::DisplayMesh() : mMesh(nullptr), mDrawableChanged(true)
{
    AddFlags(kNeedsConfigChanged | kNeedsPrepareOutput);
}

DisplayMesh::~DisplayMesh()
{
}

INode* DisplayMesh::Create()
{
    return new (std::nothrow) DisplayMesh();
}

const NodeClassInfo& DisplayMesh::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayMesh"));
    return info;
}

Bool DisplayMesh::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                       Bool* error)
{
    if (DisplayMeshAttributes::GetTable().FindAttribute(attributes, index) == DisplayMeshAttributes::kMeshResourceId) {
        attributes->GetValue(index, parameters, &mMeshResourceId, error);
        return true;
    }
    return Transform::DeserializeAttribute(index, attributes, parameters, error);
}

Bool DisplayMesh::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayMesh::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mMeshResourceId.IsEmpty()) {
        Debug::Trace("Graph::DisplayMesh::InitSelf(%s): No resource ID specified", mId.GetText());
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    mMesh = collection != nullptr ? collection->GetMesh(mMeshResourceId) : nullptr;
    if (mMesh == nullptr) {
        Debug::Trace("Graph::DisplayMesh::InitSelf(%s): Failed to get resource mesh \"%s\"", mId.GetText(),
                     mMeshResourceId.GetText());
        return false;
    }
    if (!mDrawable.Create(state->GetDisplayRenderer(), "Drawable")) {
        Debug::Trace("Graph::DisplayMesh::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }
    if (!SetDrawable(state->GetDisplayRenderer())) {
        Debug::Trace("Graph::DisplayMesh::InitSelf(%s): SetDrawable() failed", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayMesh::SetDrawable(Display::IRenderer* renderer)
{
    for (UInt32 i = 0; i < mMesh->GetNumberOfVertexBuffers(); ++i) {
        DisplayHandleT<Display::IVertexBuffer> buffer;
        const MeshBufferResult result = CreateMeshVertexBuffer(renderer, mMesh, i, buffer);
        if (result == MeshBufferResult::kCreateFailed) {
            Debug::Trace("Graph::DisplayMesh::SetDrawable(%s): Failed to create vertex buffer object", mId.GetText());
            return false;
        }
        // Kept even when its Init failed, so that ClearDrawable destroys it.
        mVertexBuffers.Add(buffer);
        if (result == MeshBufferResult::kInitFailed) {
            Debug::Trace("Graph::DisplayMesh::SetDrawable(%s): Failed to initialize vertex buffer object",
                         mId.GetText());
            return false;
        }
        mDrawable->AddVertexBuffer(buffer.Get());
        const UInt32 row = mMesh->GetVertexBufferRow(i);
        const UInt32 column = mMesh->GetVertexBufferColumn(i) != 0 ? 1 : 0;
        BufferRecord* record = nullptr;
        for (BufferRecord& existing : mBufferTable) {
            if (existing.mRow == row)
                record = &existing;
        }
        if (record == nullptr) {
            mBufferTable.Add(BufferRecord{row, {nullptr, nullptr}});
            record = &mBufferTable.GetLast();
        }
        record->mColumns[column] = buffer.Get();
    }
    for (UInt32 i = 0; i < mMesh->GetNumberOfIndexBuffers(); ++i) {
        DisplayHandleT<Display::IIndexBuffer> buffer;
        const MeshBufferResult result = CreateMeshIndexBuffer(renderer, mMesh, i, buffer);
        if (result == MeshBufferResult::kCreateFailed) {
            Debug::Trace("Graph::DisplayMesh::SetDrawable(%s): Failed to create indexBuffer object %d", mId.GetText(),
                         SInt32(i));
            return false;
        }
        mIndexBuffers.Add(buffer);
        if (result == MeshBufferResult::kInitFailed) {
            Debug::Trace("Graph::DisplayMesh::SetDrawable(%s): Failed to initialize index buffer object #%d",
                         mId.GetText(), SInt32(i));
            return false;
        }
        mDrawable->AddIndexBuffer(buffer.Get());
    }
    SetMeshBounds(mDrawable.Get(), mMesh);
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayMesh::SetDrawable(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayMesh::ClearDrawable(Display::IRenderer* renderer)
{
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayMesh::ClearDrawable(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        if (!DestroyBuffer(mDrawable, mIndexBuffers[i], renderer)) {
            Debug::Trace("Graph::DisplayMesh::ClearDrawable(%s): Failed to deinitialize index buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    mIndexBuffers.Clear();
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        if (!DestroyBuffer(mDrawable, mVertexBuffers[i], renderer)) {
            Debug::Trace("Graph::DisplayMesh::ClearDrawable(%s): Failed to deinitialize vertex buffer object",
                         mId.GetText());
            return false;
        }
    }
    mVertexBuffers.Clear();
    // The table names the buffers just destroyed.
    mBufferTable.Clear();
    return true;
}

Bool DisplayMesh::DeInitSelf(IDeInitState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!ClearDrawable(renderer)) {
        Debug::Trace("Graph::DisplayMesh::DeInitSelf(%s): ClearDrawable() failed", mId.GetText());
        return false;
    }
    mDrawable.Destroy(renderer);
    mMesh = nullptr;
    return Transform::DeInitSelf(state);
}

Bool DisplayMesh::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Transform::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::DisplayMesh::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed",
                     mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration == nullptr || !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    Resource::ICollection* collection = state->GetResourceCollection();
    const Resource::IMesh* mesh = collection != nullptr ? collection->GetMesh(mMeshResourceId) : nullptr;
    if (mesh == nullptr) {
        Debug::Trace("Graph::DisplayMesh::ConfigChangedSelf(%s): Failed to get resource mesh \"%s\"", mId.GetText(),
                     mMeshResourceId.GetText());
        return false;
    }
    if (mesh == mMesh)
        return true;
    if (!ClearDrawable(state->GetDisplayRenderer())) {
        Debug::Trace("Graph::DisplayMesh::ConfigChangedSelf(%s): ClearDrawable() failed", mId.GetText());
        return false;
    }
    mMesh = mesh;
    if (!SetDrawable(state->GetDisplayRenderer())) {
        Debug::Trace("Graph::DisplayMesh::ConfigChangedSelf(%s): SetDrawable() failed", mId.GetText());
        return false;
    }
    mDrawableChanged = true;
    return true;
}

Bool DisplayMesh::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayMesh::SuspendSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        if (!mIndexBuffers[i].DeInit()) {
            Debug::Trace("Graph::DisplayMesh::SuspendSelf(%s): Failed to deinitialize index buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        if (!mVertexBuffers[i].DeInit()) {
            Debug::Trace("Graph::DisplayMesh::SuspendSelf(%s): Failed to deinitialize vertex buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    return true;
}

Bool DisplayMesh::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    for (SInt32 i = 0; i < mVertexBuffers.GetCount(); ++i) {
        if (!mVertexBuffers[i].Init()) {
            Debug::Trace("Graph::DisplayMesh::ResumeSelf(%s): Failed to initialize vertex buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    for (SInt32 i = 0; i < mIndexBuffers.GetCount(); ++i) {
        if (!mIndexBuffers[i].Init()) {
            Debug::Trace("Graph::DisplayMesh::ResumeSelf(%s): Failed to initialize index buffer object #%d",
                         mId.GetText(), i);
            return false;
        }
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayMesh::ResumeSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    mDrawableChanged = true;
    return true;
}

Bool DisplayMesh::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayMesh::CullOutput(ICullOutputState* state)
{
    CullBoundingSphere(state, mDrawable.Get());
    return true;
}

Bool DisplayMesh::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || !mDrawable.IsCreated())
        return true;
    if (mDrawableChanged) {
        renderer->AddUpdateObject(mDrawable.GetObject());
        mDrawableChanged = false;
    }
    for (const BufferRecord& record : mBufferTable) {
        renderer->SetAuxiliaryObject(record.mColumns[0], record.mRow, 0);
        renderer->SetAuxiliaryObject(record.mColumns[1], record.mRow, 1);
    }
    AddDrawableToFrame(state, mDrawable.Get());
    return true;
}

} // namespace Graph
} // namespace Vorn
