#include "graph/display/display_cube.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

// Per face: its normal and colour; four vertices each.
struct Face
{
    Float mNormal[3];
    Float mColor[4];
};

const Face kFaces[6] = {
    {{0, 0, 1}, {1, 0, 0, 1}},  {{0, 0, -1}, {0, 1, 0, 1}},    {{0, 1, 0}, {0, 0, 1, 1}},
    {{0, -1, 0}, {1, 1, 0, 1}}, {{1, 0, 0}, {1, 0.5f, 0, 1}}, {{-1, 0, 0}, {1, 1, 1, 1}},
};

const Float kPositions[DisplayCube::kNumberOfVertices][3] = {
    {-0.5f, -0.5f, 0.5f},  {0.5f, -0.5f, 0.5f},   {-0.5f, 0.5f, 0.5f},  {0.5f, 0.5f, 0.5f},
    {0.5f, 0.5f, -0.5f},   {-0.5f, 0.5f, -0.5f},  {0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f},
    {-0.5f, 0.5f, -0.5f},  {0.5f, 0.5f, -0.5f},   {-0.5f, 0.5f, 0.5f},  {0.5f, 0.5f, 0.5f},
    {0.5f, -0.5f, 0.5f},   {-0.5f, -0.5f, 0.5f},  {0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f},
    {0.5f, -0.5f, -0.5f},  {0.5f, -0.5f, 0.5f},   {0.5f, 0.5f, -0.5f},  {0.5f, 0.5f, 0.5f},
    {-0.5f, 0.5f, 0.5f},   {-0.5f, 0.5f, -0.5f},  {-0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f},
};

// Every face maps the whole texture square, in the same corner order.
const Float kTexCoords[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};

const UInt16 kIndices[DisplayCube::kNumberOfIndices] = {
    0,  1,  2,  2,  1,  3,  4,  6,  5,  5,  6,  7,  8,  10, 9,  9,  10, 11,
    12, 13, 14, 14, 13, 15, 16, 18, 17, 17, 18, 19, 20, 21, 22, 22, 21, 23,
};

const VertexAttributeRow kLayout[] = {
    {Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2},
    {Enums::VertexAttribute::COLOR, Enums::AttributeType::FLOAT_VECTOR_4},
};

// The vertex table of edge length 1, built from the tables above once.
const Float* GetUnitVertices()
{
    struct Table
    {
        Table()
        {
            for (UInt32 i = 0; i < DisplayCube::kNumberOfVertices; ++i) {
                Float* vertex = &mVertices[i * DisplayCube::kFloatsPerVertex];
                const Face& face = kFaces[i / 4];
                for (UInt32 j = 0; j < 3; ++j) {
                    vertex[j] = kPositions[i][j];
                    vertex[3 + j] = face.mNormal[j];
                }
                vertex[6] = kTexCoords[i % 4][0];
                vertex[7] = kTexCoords[i % 4][1];
                for (UInt32 j = 0; j < 4; ++j)
                    vertex[8 + j] = face.mColor[j];
            }
        }
        Float mVertices[DisplayCube::kNumberOfVertices * DisplayCube::kFloatsPerVertex];
    };
    static const Table table;
    return table.mVertices;
}

} // namespace

DisplayCube::DisplayCube() : mSize(1.0f), mChanged(true)
{
    AddFlags(kNeedsPrepareOutput);
}

DisplayCube::~DisplayCube()
{
}

INode* DisplayCube::Create()
{
    return new (std::nothrow) DisplayCube();
}

const NodeClassInfo& DisplayCube::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayCube"));
    return info;
}

Bool DisplayCube::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                       Bool* error)
{
    if (DisplayCubeAttributes::GetTable().FindAttribute(attributes, index) == DisplayCubeAttributes::kSize) {
        attributes->GetValue(index, parameters, &mSize, error);
        return true;
    }
    return Transform::DeserializeAttribute(index, attributes, parameters, error);
}

const Float* DisplayCube::GetVertexData() const
{
    return mScaledVertices != nullptr ? mScaledVertices.get() : GetUnitVertices();
}

Bool DisplayCube::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }
    if (!mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): Failed to create vertex buffer object", mId.GetText());
        return false;
    }
    if (!mIndexBuffer.Create(renderer, "IndexBuffer")) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): Failed to create indexBuffer object", mId.GetText());
        return false;
    }
    if (mSize != 1.0f) {
        constexpr UInt32 count = kNumberOfVertices * kFloatsPerVertex;
        mScaledVertices.reset(new (std::nothrow) Float[count]);
        if (mScaledVertices == nullptr) {
            Debug::Trace("Graph::DisplayCube::InitSelf(%s): Cannot allocate the vertices", mId.GetText());
            return false;
        }
        const Float* unit = GetUnitVertices();
        for (UInt32 i = 0; i < count; ++i)
            mScaledVertices[i] = (i % kFloatsPerVertex) < 3 ? unit[i] * mSize : unit[i];
    }

    mIndexBuffer->SetPrimitiveType(Enums::PrimitiveType::TRIANGLES);
    mIndexBuffer->SetNumberOfIndices(SInt32(kNumberOfIndices));
    mIndexBuffer->SetIndexData(kIndices, kNumberOfIndices);
    if (!mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): Failed to initialize index buffer object", mId.GetText());
        return false;
    }
    mVertexBuffer->SetNumberOfVertices(kNumberOfVertices);
    mVertexBuffer->SetVertexData(GetVertexData(), kNumberOfVertices, kVertexSize);
    if (!DeclareVertexLayout(mVertexBuffer.Get(), kLayout, 4) || !mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): Failed to initialize vertex buffer object", mId.GetText());
        return false;
    }
    SetCenteredBoundingBox(mDrawable.Get(), mSize, mSize, mSize);
    mDrawable->AddVertexBuffer(mVertexBuffer.Get());
    mDrawable->AddIndexBuffer(mIndexBuffer.Get());
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayCube::InitSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayCube::DeInitSelf(IDeInitState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayCube::DeInitSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    if (!DestroyBuffer(mDrawable, mVertexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayCube::DeInitSelf(%s): Failed to deinitialize vertex buffer object", mId.GetText());
        return false;
    }
    if (!DestroyBuffer(mDrawable, mIndexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayCube::DeInitSelf(%s): Failed to deinitialize index buffer object", mId.GetText());
        return false;
    }
    mDrawable.Destroy(renderer);
    mScaledVertices.reset();
    return Transform::DeInitSelf(state);
}

Bool DisplayCube::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayCube::SuspendSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    if (!mIndexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayCube::SuspendSelf(%s): Failed to deinitialize index buffer object", mId.GetText());
        return false;
    }
    if (!mVertexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayCube::SuspendSelf(%s): Failed to deinitialize vertex buffer object", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayCube::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayCube::ResumeSelf(%s): Failed to initialize vertex buffer object", mId.GetText());
        return false;
    }
    if (!mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayCube::ResumeSelf(%s): Failed to initialize index buffer object", mId.GetText());
        return false;
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayCube::ResumeSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    mChanged = true;
    return true;
}

Bool DisplayCube::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayCube::CullOutput(ICullOutputState* state)
{
    CullBoundingSphere(state, mDrawable.Get());
    return true;
}

Bool DisplayCube::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || !mDrawable.IsCreated())
        return true;
    if (mChanged) {
        renderer->AddUpdateObject(mDrawable.GetObject());
        mChanged = false;
    }
    EnqueueDrawable(state, mDrawable.Get(), mVertexBuffer.Get());
    return true;
}

} // namespace Graph
} // namespace Vorn
