#include "graph/display/display_plane.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

SharedIndexBuffer gIndexBuffer;

const VertexAttributeRow kLayout[] = {
    {Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2},
};

} // namespace

DisplayPlane::DisplayPlane()
    : mTextureSizeX(1.0f),
      mTextureSizeY(1.0f),
      mTextureStartX(0.0f),
      mTextureStartY(0.0f),
      mTextureEndX(1.0f),
      mTextureEndY(1.0f),
      mTextureFactorX(1.0f),
      mTextureFactorY(1.0f),
      mVertices(),
      mGeometryChanged(false),
      mUploadPending(true)
{
    AddFlags(kNeedsPrepareOutput);
}

DisplayPlane::~DisplayPlane()
{
}

INode* DisplayPlane::Create()
{
    return new (std::nothrow) DisplayPlane();
}

const NodeClassInfo& DisplayPlane::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayPlane"));
    return info;
}

UInt32 DisplayPlane::GetNumberOfIndexBufferHolders()
{
    return gIndexBuffer.GetNumberOfHolders();
}

Bool DisplayPlane::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                        Bool* error)
{
    switch (DisplayPlaneAttributes::GetTable().FindAttribute(attributes, index)) {
    case DisplayPlaneAttributes::kScaleFactor:
        if (attributes->GetValue(index, parameters, &mScale.mFactor.x, error))
            mScale.mFactor.y = mScale.mFactor.x;
        return true;
    case DisplayPlaneAttributes::kScaleFactorX:
        attributes->GetValue(index, parameters, &mScale.mFactor.x, error);
        return true;
    case DisplayPlaneAttributes::kScaleFactorY:
        attributes->GetValue(index, parameters, &mScale.mFactor.y, error);
        return true;
    case DisplayPlaneAttributes::kTextureSizeX:
        attributes->GetValue(index, parameters, &mTextureSizeX, error);
        return true;
    case DisplayPlaneAttributes::kTextureSizeY:
        attributes->GetValue(index, parameters, &mTextureSizeY, error);
        return true;
    case DisplayPlaneAttributes::kTextureStartX:
        attributes->GetValue(index, parameters, &mTextureStartX, error);
        return true;
    case DisplayPlaneAttributes::kTextureStartY:
        attributes->GetValue(index, parameters, &mTextureStartY, error);
        return true;
    case DisplayPlaneAttributes::kTextureEndX:
        attributes->GetValue(index, parameters, &mTextureEndX, error);
        return true;
    case DisplayPlaneAttributes::kTextureEndY:
        attributes->GetValue(index, parameters, &mTextureEndY, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void DisplayPlane::BuildVertices()
{
    // Corners in strip order: top left, top right, bottom left, bottom right.
    const Float cornerX[4] = {-0.5f, 0.5f, -0.5f, 0.5f};
    const Float cornerY[4] = {0.5f, 0.5f, -0.5f, -0.5f};
    for (UInt32 i = 0; i < 4; ++i) {
        Float* vertex = &mVertices[i * kFloatsPerVertex];
        const Bool right = (i & 1) != 0;
        const Bool bottom = i >= 2;
        vertex[0] = cornerX[i] * mScale.mFactor.x;
        vertex[1] = cornerY[i] * mScale.mFactor.y;
        vertex[2] = 0.0f;
        vertex[3] = 0.0f;
        vertex[4] = 0.0f;
        vertex[5] = -1.0f;
        vertex[6] = (right ? mTextureEndX : mTextureStartX) * mTextureFactorX;
        vertex[7] = (bottom ? mTextureEndY : mTextureStartY) * mTextureFactorY;
    }
}

Bool DisplayPlane::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (!ComputeTextureFactor(mTextureSizeX, mTextureFactorX) || !ComputeTextureFactor(mTextureSizeY, mTextureFactorY)) {
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Texture size cannot be 0", mId.GetText());
        return false;
    }
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }
    switch (gIndexBuffer.Acquire(renderer, mIndexBufferHolding)) {
    case SharedIndexBuffer::Result::kCreateFailed:
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Failed to create indexBuffer object", mId.GetText());
        return false;
    case SharedIndexBuffer::Result::kInitFailed:
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Failed to initialize index buffer object", mId.GetText());
        return false;
    case SharedIndexBuffer::Result::kDone:
        break;
    }
    if (!mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Failed to create vertex buffer object", mId.GetText());
        return false;
    }
    mVertexBuffer->SetNumberOfVertices(4);
    BuildVertices();
    mVertexBuffer->SetVertexData(mVertices, 4, kVertexSize);
    if (!DeclareVertexLayout(mVertexBuffer.Get(), kLayout, 3) || !mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Failed to initialize static vertex buffer object",
                     mId.GetText());
        return false;
    }
    mDrawable->AddVertexBuffer(mVertexBuffer.Get());
    mDrawable->AddIndexBuffer(gIndexBuffer.Get());
    SetCenteredBoundingBox(mDrawable.Get(), mScale.mFactor.x, mScale.mFactor.y, 0.0f);
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayPlane::InitSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    if (mController != nullptr)
        mController->AddEvaluator(&CreateScaleAnimationEvaluator);
    return true;
}

Bool DisplayPlane::DeInitSelf(IDeInitState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayPlane::DeInitSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    if (!DestroyBuffer(mDrawable, mVertexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayPlane::DeInitSelf(%s): Failed to deinitialize static vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!gIndexBuffer.Release(renderer, mDrawable.Get(), mIndexBufferHolding)) {
        Debug::Trace("Graph::DisplayPlane::DeInitSelf(%s): Failed to deinitialize index buffer object", mId.GetText());
        return false;
    }
    mDrawable.Destroy(renderer);
    return Transform::DeInitSelf(state);
}

Bool DisplayPlane::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayPlane::SuspendSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    if (!mVertexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayPlane::SuspendSelf(%s): Failed to deinitialize vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!gIndexBuffer.Suspend(mIndexBufferHolding)) {
        Debug::Trace("Graph::DisplayPlane::SuspendSelf(%s): Failed to deinitialize index buffer object",
                     mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayPlane::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    if (!gIndexBuffer.Resume(mIndexBufferHolding)) {
        Debug::Trace("Graph::DisplayPlane::ResumeSelf(%s): Failed to initialize index buffer object", mId.GetText());
        return false;
    }
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayPlane::ResumeSelf(%s): Failed to initialize vertex buffer object", mId.GetText());
        return false;
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayPlane::ResumeSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    mGeometryChanged = true;
    return true;
}

Bool DisplayPlane::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    if (mGeometryChanged) {
        BuildVertices();
        mGeometryChanged = false;
        mUploadPending = true;
    }
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayPlane::CullOutput(ICullOutputState* state)
{
    CullBoundingSphere(state, mDrawable.Get());
    return true;
}

Bool DisplayPlane::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || !mDrawable.IsCreated())
        return true;
    if (mUploadPending) {
        mVertexBuffer->SetDynamic(true);
        mVertexBuffer->SetDataModified();
        SetCenteredBoundingBox(mDrawable.Get(), mScale.mFactor.x, mScale.mFactor.y, 0.0f);
        renderer->AddUpdateObject(mDrawable.GetObject());
        mUploadPending = false;
    }
    EnqueueDrawable(state, mDrawable.Get(), mVertexBuffer.Get());
    return true;
}

void DisplayPlane::SetScaleFactor(Real x, Real y, Real)
{
    if (mScale.Set(x, y))
        mGeometryChanged = true;
}

void DisplayPlane::SetScaleFactor(const Math::Vector<float>& factor)
{
    SetScaleFactor(factor.x, factor.y, factor.z);
}

void DisplayPlane::SetScaleFactorX(Real x)
{
    SetScaleFactor(x, mScale.mFactor.y, 1.0f);
}

void DisplayPlane::SetScaleFactorY(Real y)
{
    SetScaleFactor(mScale.mFactor.x, y, 1.0f);
}

void DisplayPlane::SetScaleFactorZ(Real)
{
}

const Math::Vector<float>& DisplayPlane::GetScaleFactor() const
{
    return mScale.mFactor;
}

Real DisplayPlane::GetScaleFactorX() const
{
    return mScale.mFactor.x;
}

Real DisplayPlane::GetScaleFactorY() const
{
    return mScale.mFactor.y;
}

Real DisplayPlane::GetScaleFactorZ() const
{
    return 1.0f;
}

void DisplayPlane::SetTextureCoords(Real startX, Real startY, Real endX, Real endY)
{
    mTextureStartX = startX;
    mTextureStartY = startY;
    mTextureEndX = endX;
    mTextureEndY = endY;
    mGeometryChanged = true;
}

void DisplayPlane::SetTextureStart(Real x, Real y)
{
    SetTextureCoords(x, y, mTextureEndX, mTextureEndY);
}

void DisplayPlane::SetTextureEnd(Real x, Real y)
{
    SetTextureCoords(mTextureStartX, mTextureStartY, x, y);
}

void DisplayPlane::SetTextureStartX(Real x)
{
    SetTextureCoords(x, mTextureStartY, mTextureEndX, mTextureEndY);
}

void DisplayPlane::SetTextureStartY(Real y)
{
    SetTextureCoords(mTextureStartX, y, mTextureEndX, mTextureEndY);
}

void DisplayPlane::SetTextureEndX(Real x)
{
    SetTextureCoords(mTextureStartX, mTextureStartY, x, mTextureEndY);
}

void DisplayPlane::SetTextureEndY(Real y)
{
    SetTextureCoords(mTextureStartX, mTextureStartY, mTextureEndX, y);
}

Real DisplayPlane::GetTextureStartX() const
{
    return mTextureStartX;
}

Real DisplayPlane::GetTextureStartY() const
{
    return mTextureStartY;
}

Real DisplayPlane::GetTextureEndX() const
{
    return mTextureEndX;
}

Real DisplayPlane::GetTextureEndY() const
{
    return mTextureEndY;
}

} // namespace Graph
} // namespace Vorn
