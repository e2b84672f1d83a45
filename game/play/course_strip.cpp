#include "game/play/course_strip.h"

#include <cstring>

#include "foundation/math.h"
#include "game/play/ellipse.h"
#include "graph/index_buffer.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/time/timeline.h"
#include "graph/vertex_buffer.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kFloatsPerVertex = 5;

} // namespace

CourseStrip::CourseStrip()
    : GraphPositionObject(100000), mNamespace(new Logic::GraphNodeT<Graph::INamespace>()),
      mIndexBuffer(new Logic::GraphNodeT<Graph::IIndexBuffer>()),
      mVertexBuffer(new Logic::GraphNodeT<Graph::IVertexBuffer>()), mTimeline(new Logic::GraphNodeT<Graph::ITimeline>()),
      mStyle(0), mEllipsis(nullptr)
{
}

CourseStrip::~CourseStrip()
{
    delete mTimeline;
    delete mVertexBuffer;
    delete mIndexBuffer;
    delete mNamespace;
}

void CourseStrip::Reset()
{
    GraphPositionObject::Reset();
    mStyle = 0;
    mEllipsis = nullptr;
    if (Graph::ITimeline* timeline = mTimeline->Get()) {
        timeline->Stop();
        timeline->Rewind();
    }
}

Bool CourseStrip::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mNamespace->GetReference(nameSpace, path));
    Observe(mIndexBuffer->GetReference(nameSpace, path + "/display_object"));
    Observe(mVertexBuffer->GetReference(nameSpace, path + "/display_object"));
    Observe(mTimeline->GetReference(nameSpace, path + "/timeline"));
    if (!BindTransform(nameSpace, path + "/display_object", index))
        return false;
    Graph::IIndexBuffer& indices = *mIndexBuffer->Get();
    const UInt32 n = indices.GetMaxNumberOfIndices();
    UInt16* data = indices.GetIndexData();
    if (n >= 2 && data != nullptr) {
        // The last quad joins the first pair of vertices, closing the band.
        for (UInt32 i = 0; i + 2 < n; ++i)
            data[i] = UInt16(i);
        data[n - 2] = 0;
        data[n - 1] = 1;
        indices.SetNumberOfIndices(n);
    }
    indices.SetIndicesChanged();
    Graph::IVertexBuffer& vertices = *mVertexBuffer->Get();
    if (UInt8* bytes = vertices.GetVertexData())
        std::memset(bytes, 0, size_t(vertices.GetMaxNumberOfVertices()) * vertices.GetVertexSize());
    vertices.SetVerticesChanged();
    return true;
}

Graph::INode* CourseStrip::GetRootNode() const
{
    return mNamespace->GetNode();
}

void CourseStrip::SetActiveAndVisible(Bool activeAndVisible)
{
    SetActive(activeAndVisible);
    if (!activeAndVisible && mTimeline->IsValid()) {
        mTimeline->Get()->Stop();
        mTimeline->Get()->Rewind();
    }
}

void CourseStrip::SetStyle(UInt32 style)
{
    if (style < NumberOfStyles)
        mStyle = style;
}

void CourseStrip::StartTimeline()
{
    if (Graph::ITimeline* timeline = mTimeline->Get()) {
        timeline->Rewind();
        timeline->Start();
    }
}

Bool CourseStrip::IsTimelineRunning() const
{
    return mTimeline->IsValid() && mTimeline->Get()->IsRunning();
}

void CourseStrip::UpdateGeometry()
{
    Graph::INode* root = GetRootNode();
    if (mEllipsis == nullptr || !mVertexBuffer->IsValid() || root == nullptr || !root->IsActiveAndVisible())
        return;
    Graph::IVertexBuffer& vertices = *mVertexBuffer->Get();
    const Double a = mEllipsis->GetRadiusA();
    const Double b = mEllipsis->GetRadiusB();
    const Float r = mEllipsis->GetRotation();
    const Double cx = mEllipsis->GetCentre().x;
    const Double cy = mEllipsis->GetCentre().y;
    const Double cosR = Math::Cos(r);
    const Double sinR = Math::Sin(r);
    const UInt32 n = vertices.GetMaxNumberOfVertices();
    const UInt32 pairs = n / 2;
    const UInt32 stride = vertices.GetVertexSize();
    UInt8* bytes = vertices.GetVertexData();
    if (bytes == nullptr || stride < kFloatsPerVertex * sizeof(Float))
        return;
    const Float u = Float(3 * mStyle + 1) * 0.015625f;
    for (UInt32 i = 0; i < pairs; ++i) {
        const Float t = Float(Double(i) * Math::TwoPi / Double(pairs));
        const Double cosT = Math::Cos(t);
        const Double sinT = Math::Sin(t);
        for (UInt32 edge = 0; edge < 2; ++edge) {
            const Double ra = edge == 0 ? a + HalfWidth : a - HalfWidth;
            const Double rb = edge == 0 ? b + HalfWidth : b - HalfWidth;
            const Float vertex[kFloatsPerVertex] = {Float(cx + ra * cosT * cosR - rb * sinT * sinR),
                                                    Float(cy + ra * cosT * sinR + rb * sinT * cosR), 0.0f, u,
                                                    edge == 0 ? 0.0f : 1.0f};
            std::memcpy(bytes + size_t(2 * i + edge) * stride, vertex, sizeof(vertex));
        }
    }
    vertices.SetNumberOfVertices(n);
    vertices.SetVerticesChanged();
}

} // namespace App
} // namespace Vorn
