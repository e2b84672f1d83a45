#include "graph/display/display_plane_sequence.h"

#include <cmath>
#include <new>

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/atlas.h"
#include "resource/collection.h"

namespace Vorn {
namespace Graph {

namespace {

SharedIndexBuffer gIndexBuffer;

const VertexAttributeRow kLayout[] = {
    {Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2},
    {Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3},
};

} // namespace

DisplayPlaneSequence::DisplayPlaneSequence()
    : mAtlas(nullptr),
      mTextureSizeX(1.0f),
      mTextureSizeY(1.0f),
      mNumberOfRectangles(1),
      mRectangles(nullptr),
      mTextureFactorX(1.0f),
      mTextureFactorY(1.0f),
      mVertices(),
      mShownIndex(-1),
      mIndex(0),
      mGeometryChanged(true),
      mUploadPending(true)
{
    AddFlags(kNeedsConfigChanged | kNeedsPrepareOutput);
}

DisplayPlaneSequence::~DisplayPlaneSequence()
{
}

INode* DisplayPlaneSequence::Create()
{
    return new (std::nothrow) DisplayPlaneSequence();
}

const NodeClassInfo& DisplayPlaneSequence::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayPlaneSequence"));
    return info;
}

UInt32 DisplayPlaneSequence::GetNumberOfIndexBufferHolders()
{
    return gIndexBuffer.GetNumberOfHolders();
}

Bool DisplayPlaneSequence::DeserializeAttribute(UInt32 index, const IAttributes* attributes,
                                                const IAttributes* parameters, Bool* error)
{
    switch (DisplayPlaneSequenceAttributes::GetTable().FindAttribute(attributes, index)) {
    case DisplayPlaneSequenceAttributes::kScaleFactor:
        if (attributes->GetValue(index, parameters, &mScale.mFactor.x, error))
            mScale.mFactor.y = mScale.mFactor.x;
        return true;
    case DisplayPlaneSequenceAttributes::kScaleFactorX:
        attributes->GetValue(index, parameters, &mScale.mFactor.x, error);
        return true;
    case DisplayPlaneSequenceAttributes::kScaleFactorY:
        attributes->GetValue(index, parameters, &mScale.mFactor.y, error);
        return true;
    case DisplayPlaneSequenceAttributes::kTextureSizeX:
        attributes->GetValue(index, parameters, &mTextureSizeX, error);
        return true;
    case DisplayPlaneSequenceAttributes::kTextureSizeY:
        attributes->GetValue(index, parameters, &mTextureSizeY, error);
        return true;
    case DisplayPlaneSequenceAttributes::kAtlasResourceId:
        attributes->GetValue(index, parameters, &mAtlasResourceId, error);
        return true;
    case DisplayPlaneSequenceAttributes::kIndex:
        attributes->GetValue(index, parameters, &mIndex, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

const Resource::AtlasRectangle* DisplayPlaneSequence::GetRectangle(UInt32 index) const
{
    if (mRectangles == nullptr || mNumberOfRectangles == 0)
        return nullptr;
    return &mRectangles[index < mNumberOfRectangles ? index : mNumberOfRectangles - 1];
}

void DisplayPlaneSequence::BuildVertices()
{
    const Resource::AtlasRectangle* rectangle = GetRectangle(UInt32(mIndex));
    if (rectangle == nullptr)
        return;
    for (UInt32 i = 0; i < 4; ++i) {
        Float* vertex = &mVertices[i * kFloatsPerVertex];
        const Bool right = (i & 1) != 0;
        const Bool bottom = i >= 2;
        vertex[0] = (right ? rectangle->coordX2 : rectangle->coordX1) * mScale.mFactor.x;
        vertex[1] = (bottom ? rectangle->coordY2 : rectangle->coordY1) * mScale.mFactor.y;
        vertex[3] = (right ? rectangle->texCoordU2 : rectangle->texCoordU1) * mTextureFactorX;
        vertex[4] = (bottom ? rectangle->texCoordV2 : rectangle->texCoordV1) * mTextureFactorY;
    }
    const Float x1 = rectangle->coordX1 * mScale.mFactor.x;
    const Float x2 = rectangle->coordX2 * mScale.mFactor.x;
    const Float y1 = rectangle->coordY1 * mScale.mFactor.y;
    const Float y2 = rectangle->coordY2 * mScale.mFactor.y;
    mDrawable->SetBoundingBox(Math::Vector<float>(x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, 0.0f, 1.0f),
                              Math::Vector<float>(x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1, 0.0f, 1.0f));
}

Bool DisplayPlaneSequence::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mAtlasResourceId.IsEmpty()) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): No atlas resource ID specified", mId.GetText());
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    const Resource::IAtlas* atlas = collection != nullptr ? collection->GetAtlas(mAtlasResourceId) : nullptr;
    if (atlas == nullptr) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to get resource atlas \"%s\"", mId.GetText(),
                     mAtlasResourceId.GetText());
        return false;
    }
    if (atlas->GetNumberOfRectangles() == 0 || atlas->GetRectangles() == nullptr) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Resource atlas \"%s\" does not contain any rectangles",
                     mId.GetText(), mAtlasResourceId.GetText());
        return false;
    }
    mAtlas = atlas;
    mNumberOfRectangles = atlas->GetNumberOfRectangles();
    mRectangles = atlas->GetRectangles();
    if (!ComputeTextureFactor(mTextureSizeX, mTextureFactorX) || !ComputeTextureFactor(mTextureSizeY, mTextureFactorY)) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Texture size cannot be 0", mId.GetText());
        return false;
    }

    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }
    switch (gIndexBuffer.Acquire(renderer, mIndexBufferHolding)) {
    case SharedIndexBuffer::Result::kCreateFailed:
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to create indexBuffer object", mId.GetText());
        return false;
    case SharedIndexBuffer::Result::kInitFailed:
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to initialize index buffer object",
                     mId.GetText());
        return false;
    case SharedIndexBuffer::Result::kDone:
        break;
    }
    if (!mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to create vertex buffer object", mId.GetText());
        return false;
    }
    mVertexBuffer->SetDynamic(true);
    mVertexBuffer->SetNumberOfVertices(4);
    for (UInt32 i = 0; i < 4; ++i) {
        Float* vertex = &mVertices[i * kFloatsPerVertex];
        for (UInt32 j = 0; j < kFloatsPerVertex; ++j)
            vertex[j] = 0.0f;
        vertex[7] = 1.0f;
    }
    mVertexBuffer->SetVertexData(mVertices, 4, kVertexSize);
    if (!DeclareVertexLayout(mVertexBuffer.Get(), kLayout, 3) || !mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to initialize dynamic vertex buffer object",
                     mId.GetText());
        return false;
    }
    mDrawable->AddVertexBuffer(mVertexBuffer.Get());
    mDrawable->AddIndexBuffer(gIndexBuffer.Get());
    SetCenteredBoundingBox(mDrawable.Get(), mScale.mFactor.x, mScale.mFactor.y, 0.0f);
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayPlaneSequence::InitSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    SetIndex(mIndex);
    if (mController != nullptr) {
        mController->AddEvaluator(&CreateIndexAnimationEvaluator);
        mController->AddEvaluator(&CreateScaleAnimationEvaluator);
    }
    return true;
}

Bool DisplayPlaneSequence::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Transform::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::DisplayPlaneSequence::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed",
                     mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration == nullptr || !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    Resource::ICollection* collection = state->GetResourceCollection();
    const Resource::IAtlas* atlas = collection != nullptr ? collection->GetAtlas(mAtlasResourceId) : nullptr;
    if (atlas == nullptr) {
        Debug::Trace("Graph::DisplayPlaneSequence::ConfigChangedSelf(%s): Failed to get resource atlas \"%s\"",
                     mId.GetText(), mAtlasResourceId.GetText());
        return false;
    }
    if (atlas == mAtlas)
        return true;
    if (atlas->GetNumberOfRectangles() == 0 || atlas->GetRectangles() == nullptr) {
        Debug::Trace("Graph::DisplayPlaneSequence::ConfigChangedSelf(%s): Resource atlas \"%s\" does not contain any "
                     "rectangles",
                     mId.GetText(), mAtlasResourceId.GetText());
        return false;
    }
    mAtlas = atlas;
    mNumberOfRectangles = atlas->GetNumberOfRectangles();
    mRectangles = atlas->GetRectangles();
    SetIndex(mIndex);
    mGeometryChanged = true;
    return true;
}

Bool DisplayPlaneSequence::DeInitSelf(IDeInitState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayPlaneSequence::DeInitSelf(%s): Failed to deinitialize drawable object",
                     mId.GetText());
        return false;
    }
    if (!DestroyBuffer(mDrawable, mVertexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayPlaneSequence::DeInitSelf(%s): Failed to deinitialize dynamic vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!gIndexBuffer.Release(renderer, mDrawable.Get(), mIndexBufferHolding)) {
        Debug::Trace("Graph::DisplayPlaneSequence::DeInitSelf(%s): Failed to deinitialize index buffer object",
                     mId.GetText());
        return false;
    }
    mDrawable.Destroy(renderer);
    mAtlas = nullptr;
    mRectangles = nullptr;
    mNumberOfRectangles = 1;
    mShownIndex = -1;
    return Transform::DeInitSelf(state);
}

Bool DisplayPlaneSequence::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayPlaneSequence::SuspendSelf(%s): Failed to deinitialize drawable object",
                     mId.GetText());
        return false;
    }
    if (!mVertexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayPlaneSequence::SuspendSelf(%s): Failed to deinitialize vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!gIndexBuffer.Suspend(mIndexBufferHolding)) {
        Debug::Trace("Graph::DisplayPlaneSequence::SuspendSelf(%s): Failed to deinitialize index buffer object",
                     mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayPlaneSequence::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    if (!gIndexBuffer.Resume(mIndexBufferHolding)) {
        Debug::Trace("Graph::DisplayPlaneSequence::ResumeSelf(%s): Failed to initialize index buffer object",
                     mId.GetText());
        return false;
    }
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayPlaneSequence::ResumeSelf(%s): Failed to initialize vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayPlaneSequence::ResumeSelf(%s): Failed to initialize drawable object",
                     mId.GetText());
        return false;
    }
    mGeometryChanged = true;
    return true;
}

Bool DisplayPlaneSequence::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    if ((mGeometryChanged || mShownIndex != mIndex) && mDrawable.IsCreated()) {
        BuildVertices();
        mShownIndex = mIndex;
        mGeometryChanged = false;
        mUploadPending = true;
    }
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayPlaneSequence::CullOutput(ICullOutputState* state)
{
    CullBoundingSphere(state, mDrawable.Get());
    return true;
}

Bool DisplayPlaneSequence::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || !mDrawable.IsCreated())
        return true;
    if (mUploadPending) {
        mVertexBuffer->SetDataModified();
        renderer->AddUpdateObject(mDrawable.GetObject());
        mUploadPending = false;
    }
    EnqueueDrawable(state, mDrawable.Get(), mVertexBuffer.Get());
    return true;
}

Bool DisplayPlaneSequence::SetIndex(SInt32 index)
{
    const SInt32 last = SInt32(mNumberOfRectangles) - 1;
    mIndex = index < 0 ? 0 : (index > last ? last : index);
    return true;
}

SInt32 DisplayPlaneSequence::GetIndex() const
{
    return mIndex;
}

UInt32 DisplayPlaneSequence::GetNumberOfIndices() const
{
    return mNumberOfRectangles;
}

Real DisplayPlaneSequence::GetSizeX(UInt32 index) const
{
    const Resource::AtlasRectangle* rectangle = GetRectangle(index);
    return rectangle != nullptr ? std::fabs(rectangle->coordX1 - rectangle->coordX2) * mScale.mFactor.x : 0.0f;
}

Real DisplayPlaneSequence::GetCurrentSizeX() const
{
    return GetSizeX(UInt32(mIndex));
}

Real DisplayPlaneSequence::GetSizeY(UInt32 index) const
{
    const Resource::AtlasRectangle* rectangle = GetRectangle(index);
    return rectangle != nullptr ? std::fabs(rectangle->coordY1 - rectangle->coordY2) * mScale.mFactor.y : 0.0f;
}

Real DisplayPlaneSequence::GetCurrentSizeY() const
{
    return GetSizeY(UInt32(mIndex));
}

void DisplayPlaneSequence::SetScaleFactor(Real x, Real y, Real)
{
    if (mScale.Set(x, y))
        mGeometryChanged = true;
}

void DisplayPlaneSequence::SetScaleFactor(const Math::Vector<float>& factor)
{
    SetScaleFactor(factor.x, factor.y, factor.z);
}

void DisplayPlaneSequence::SetScaleFactorX(Real x)
{
    SetScaleFactor(x, mScale.mFactor.y, 1.0f);
}

void DisplayPlaneSequence::SetScaleFactorY(Real y)
{
    SetScaleFactor(mScale.mFactor.x, y, 1.0f);
}

void DisplayPlaneSequence::SetScaleFactorZ(Real)
{
}

const Math::Vector<float>& DisplayPlaneSequence::GetScaleFactor() const
{
    return mScale.mFactor;
}

Real DisplayPlaneSequence::GetScaleFactorX() const
{
    return mScale.mFactor.x;
}

Real DisplayPlaneSequence::GetScaleFactorY() const
{
    return mScale.mFactor.y;
}

Real DisplayPlaneSequence::GetScaleFactorZ() const
{
    return 1.0f;
}

} // namespace Graph
} // namespace Vorn
