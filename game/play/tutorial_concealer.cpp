#include "game/play/tutorial_concealer.h"

#include <cstring>

#include "graph/index_buffer.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "graph/vertex_buffer.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kFloatsPerVertex = 5;

} // namespace

TutorialConcealer::TutorialConcealer() : mShowing(false), mRow(0), mCentre(0.0f, 0.0f, 0.0f, 1.0f) {}

TutorialConcealer::~TutorialConcealer() {}

void TutorialConcealer::Reset()
{
    mRow = 0;
    ClearCorners();
    mShowing = false;
    if (mNamespace.GetNode() == nullptr)
        return;
    SetNodeActive(false);
    if (Graph::ITimeline* timeline = mTimeline.Get()) {
        timeline->Stop();
        timeline->Rewind();
    }
}

Bool TutorialConcealer::Init(Graph::INamespace* nameSpace, const String& path)
{
    Logic::INodeObserver* observer = mNodeObserver.GetNodeObserver();
    observer->Add(mNamespace.GetReference(nameSpace, path));
    observer->Add(mTransform.GetReference(nameSpace, path + "/display_object"));
    observer->Add(mIndexBuffer.GetReference(nameSpace, path + "/display_object"));
    observer->Add(mVertexBuffer.GetReference(nameSpace, path + "/display_object"));
    observer->Add(mTimeline.GetReference(nameSpace, path + "/timeline"));
    if (!observer->AreAllValid())
        return false;
    mTransform.Get()->SetDepthOrder(DepthOrder);

    Graph::IIndexBuffer& indices = *mIndexBuffer.Get();
    const UInt32 count = indices.GetMaxNumberOfIndices();
    if (UInt16* data = indices.GetIndexData()) {
        for (UInt32 i = 0; i < count; ++i)
            data[i] = UInt16(i);
        indices.SetNumberOfIndices(count);
    }
    indices.SetIndicesChanged();

    Graph::IVertexBuffer& vertices = *mVertexBuffer.Get();
    if (UInt8* bytes = vertices.GetVertexData())
        std::memset(bytes, 0, size_t(vertices.GetMaxNumberOfVertices()) * vertices.GetVertexSize());
    vertices.SetVerticesChanged();
    return true;
}

Bool TutorialConcealer::DeInit()
{
    return mNodeObserver.GetNodeObserver()->RemoveAll();
}

void TutorialConcealer::ClearCorners()
{
    mCorners.Clear();
    mCentre = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
}

void TutorialConcealer::AddCorner(Float x, Float y, Float z, Float w)
{
    if (UInt32(mCorners.GetCount()) < MaxCorners)
        mCorners.Add(Math::Vector<Float>(x, y, z, w));
}

void TutorialConcealer::SetCentre(Float x, Float y, Float z, Float w)
{
    mCentre = Math::Vector<Float>(x, y, z, w);
}

void TutorialConcealer::Show()
{
    SetNodeActive(true);
    mShowing = true;
    if (Graph::ITimeline* timeline = mTimeline.Get()) {
        timeline->SetStartTime(0.5f);
        timeline->SetEndTime(1.0f);
        timeline->Start();
    }
}

void TutorialConcealer::Hide()
{
    mShowing = false;
    if (Graph::ITimeline* timeline = mTimeline.Get()) {
        timeline->SetStartTime(1.0f);
        timeline->SetEndTime(0.75f);
        timeline->Start();
    }
}

void TutorialConcealer::HideNow()
{
    SetNodeActive(false);
    mShowing = false;
}

void TutorialConcealer::Update()
{
    Graph::INode* node = mNamespace.GetNode();
    if (node == nullptr || !node->IsActiveAndVisible() || !mVertexBuffer.IsValid())
        return;
    Graph::IVertexBuffer& vertices = *mVertexBuffer.Get();
    const UInt32 count = vertices.GetMaxNumberOfVertices();
    const UInt32 stride = vertices.GetVertexSize();
    UInt8* bytes = vertices.GetVertexData();
    if (bytes != nullptr && stride >= kFloatsPerVertex * sizeof(Float)) {
        // Vertices beyond the corners are zeroed, so corners of an earlier hint leave no
        // triangles behind.
        std::memset(bytes, 0, size_t(count) * stride);
        const Float u = Float(3 * mRow + 1) / 64.0f;
        UInt32 written = 0;
        for (const Math::Vector<Float>& corner : mCorners) {
            if (written + 2 > count)
                break;
            const Float outer[kFloatsPerVertex] = {corner.x, corner.y, 0.0f, u, 0.0f};
            const Float inner[kFloatsPerVertex] = {mCentre.x, mCentre.y, 0.0f, u, 1.0f};
            std::memcpy(bytes + size_t(written++) * stride, outer, sizeof(outer));
            std::memcpy(bytes + size_t(written++) * stride, inner, sizeof(inner));
        }
        vertices.SetNumberOfVertices(count);
        vertices.SetVerticesChanged();
    }
    const Graph::ITimeline* timeline = mTimeline.Get();
    if (!mShowing && (timeline == nullptr || !timeline->IsRunning()))
        SetNodeActive(false);
}

void TutorialConcealer::SetNodeActive(Bool active)
{
    if (Graph::INode* node = mNamespace.GetNode())
        node->SetActiveAndVisible(active);
}

} // namespace App
} // namespace Vorn
