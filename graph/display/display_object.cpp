#include "graph/display/display_object.h"

#include <cstring>
#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

constexpr UInt32 kIndexSize = 2;

// Which attribute each has* flag adds to the layout, in layout order after the position; the
// other flags are stored but add nothing.
struct OptionalAttribute
{
    UInt32 mFlag;
    Enums::VertexAttribute mAttribute;
    Enums::AttributeType mType;
};

} // namespace

DisplayObject::DisplayObject()
    : mPrimitiveType(Enums::PrimitiveType::TRIANGLES),
      mHas(),
      mVertexSize(0),
      mMaxNumberOfIndices(0),
      mMaxNumberOfVertices(0),
      mNumberOfIndices(0),
      mNumberOfVertices(0),
      mDynamicIndices(true),
      mDynamicVertices(true),
      mIndicesChanged(true),
      mVerticesChanged(true)
{
    for (UInt32 i = 0; i < kNumberOfAttributeKinds; ++i) {
        mAttributeOffsets[i] = kAbsent;
        mAttributeSizes[i] = kAbsent;
    }
    AddFlags(kNeedsPrepareOutput);
}

DisplayObject::~DisplayObject()
{
}

INode* DisplayObject::Create()
{
    return new (std::nothrow) DisplayObject();
}

const NodeClassInfo& DisplayObject::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayObject"));
    return info;
}

Bool DisplayObject::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                         Bool* error)
{
    const UInt32 attribute = DisplayObjectAttributes::GetTable().FindAttribute(attributes, index);
    switch (attribute) {
    case DisplayObjectAttributes::kMaxNumberOfIndices:
        attributes->GetValue(index, parameters, &mMaxNumberOfIndices, error);
        return true;
    case DisplayObjectAttributes::kMaxNumberOfVertices:
        attributes->GetValue(index, parameters, &mMaxNumberOfVertices, error);
        return true;
    case DisplayObjectAttributes::kDynamicIndices:
        attributes->GetValue(index, parameters, &mDynamicIndices, error);
        return true;
    case DisplayObjectAttributes::kDynamicVertices:
        attributes->GetValue(index, parameters, &mDynamicVertices, error);
        return true;
    case DisplayObjectAttributes::kPrimitiveType:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetPrimitiveTypeTable(), mPrimitiveType);
        return true;
    default:
        break;
    }
    if (attribute <= DisplayObjectAttributes::kHasTexCoords3) {
        attributes->GetValue(index, parameters, &mHas[attribute - DisplayObjectAttributes::kHasNormals], error);
        return true;
    }
    return Transform::DeserializeAttribute(index, attributes, parameters, error);
}

Bool DisplayObject::ResizeBlock(std::unique_ptr<UInt8[]>& block, UInt32 max, UInt32 count, UInt32 elementSize,
                                Bool keepContents)
{
    const UInt64 bytes = UInt64(count) * elementSize;
    if (bytes > 0xFFFFFFFFu)
        return false;
    std::unique_ptr<UInt8[]> resized(new (std::nothrow) UInt8[bytes != 0 ? size_t(bytes) : 1]);
    if (resized == nullptr)
        return false;
    if (keepContents && block != nullptr) {
        const UInt32 kept = (max < count ? max : count) * elementSize;
        std::memcpy(resized.get(), block.get(), kept);
    }
    block = std::move(resized);
    return true;
}

Bool DisplayObject::DeclareLayout()
{
    static const OptionalAttribute kOptional[] = {
        {kHasNormals, Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3},
        {kHasTexCoords0, Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2},
        {kHasTexCoords1, Enums::VertexAttribute::TEXCOORD_1, Enums::AttributeType::FLOAT_VECTOR_2},
    };
    VertexAttributeRow rows[4] = {{Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3}};
    UInt32 count = 1;
    for (const OptionalAttribute& optional : kOptional) {
        if (mHas[optional.mFlag])
            rows[count++] = VertexAttributeRow{optional.mAttribute, optional.mType};
    }
    // The buffer advances the running offset by each attribute's size.
    UInt32 offset = 0;
    for (UInt32 i = 0; i < count; ++i) {
        const UInt32 kind = UInt32(rows[i].mAttribute);
        const UInt32 start = offset;
        if (!mVertexBuffer->AddAttribute(rows[i].mAttribute, rows[i].mType, offset))
            return false;
        mAttributeOffsets[kind] = start;
        mAttributeSizes[kind] = offset - start;
    }
    mVertexSize = offset;
    return true;
}

Bool DisplayObject::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mMaxNumberOfIndices == 0) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Max number of indices cannot be 0", mId.GetText());
        return false;
    }
    if (mMaxNumberOfVertices == 0) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Max number of vertices cannot be 0", mId.GetText());
        return false;
    }
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }

    if (!mIndexBuffer.Create(renderer, "IndexBuffer")) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to create indexBuffer object", mId.GetText());
        return false;
    }
    mIndexBuffer->SetDynamic(mDynamicIndices);
    mIndexBuffer->SetPrimitiveType(mPrimitiveType);
    mIndexBuffer->SetNumberOfIndices(SInt32(mNumberOfIndices));
    if (!ResizeBlock(mIndexData, 0, mMaxNumberOfIndices, kIndexSize, false)) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Cannot allocate %u indices", mId.GetText(),
                     mMaxNumberOfIndices);
        return false;
    }
    mIndexBuffer->SetIndexData(GetIndexData(), mMaxNumberOfIndices);
    if (!mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to initialize index buffer object", mId.GetText());
        return false;
    }

    if (!mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to create vertex buffer object", mId.GetText());
        return false;
    }
    mVertexBuffer->SetDynamic(mDynamicVertices);
    mVertexBuffer->SetNumberOfVertices(mNumberOfVertices);
    if (!DeclareLayout()) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to declare the vertex layout", mId.GetText());
        return false;
    }
    if (!ResizeBlock(mVertexData, 0, mMaxNumberOfVertices, mVertexSize, false)) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Cannot allocate %u vertices of %u bytes", mId.GetText(),
                     mMaxNumberOfVertices, mVertexSize);
        return false;
    }
    mVertexBuffer->SetVertexData(mVertexData.get(), mMaxNumberOfVertices, mVertexSize);
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to initialize dynamic vertex buffer object",
                     mId.GetText());
        return false;
    }

    mDrawable->AddVertexBuffer(mVertexBuffer.Get());
    mDrawable->AddIndexBuffer(mIndexBuffer.Get());
    SetCenteredBoundingBox(mDrawable.Get(), 2.0f, 2.0f, 0.0f);
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayObject::InitSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayObject::DeInitSelf(IDeInitState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayObject::DeInitSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    if (!DestroyBuffer(mDrawable, mVertexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayObject::DeInitSelf(%s): Failed to deinitialize dynamic vertex buffer object",
                     mId.GetText());
        return false;
    }
    mVertexData.reset();
    if (!DestroyBuffer(mDrawable, mIndexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayObject::DeInitSelf(%s): Failed to deinitialize index buffer object", mId.GetText());
        return false;
    }
    mIndexData.reset();
    mDrawable.Destroy(renderer);
    return Transform::DeInitSelf(state);
}

Bool DisplayObject::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayObject::SuspendSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    if (!mVertexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayObject::SuspendSelf(%s): Failed to deinitialize vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!mIndexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayObject::SuspendSelf(%s): Failed to deinitialize index buffer object",
                     mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayObject::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    if (!mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayObject::ResumeSelf(%s): Failed to initialize index buffer object", mId.GetText());
        return false;
    }
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayObject::ResumeSelf(%s): Failed to initialize vertex buffer object", mId.GetText());
        return false;
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayObject::ResumeSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    mIndicesChanged = true;
    mVerticesChanged = true;
    return true;
}

Bool DisplayObject::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayObject::CullOutput(ICullOutputState*)
{
    // Code may write vertices anywhere: a DisplayObject is never culled.
    return true;
}

Bool DisplayObject::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr || !mDrawable.IsCreated())
        return true;
    const Bool changed = mIndicesChanged || mVerticesChanged;
    if (mIndicesChanged) {
        mIndexBuffer->SetNumberOfIndices(SInt32(mNumberOfIndices));
        mIndexBuffer->SetDataModified();
        mIndicesChanged = false;
    }
    if (mVerticesChanged) {
        mVertexBuffer->SetNumberOfVertices(mNumberOfVertices);
        mVertexBuffer->SetDataModified();
        mVerticesChanged = false;
    }
    if (changed)
        renderer->AddUpdateObject(mDrawable.GetObject());
    EnqueueDrawable(state, mDrawable.Get(), mVertexBuffer.Get());
    return true;
}

Bool DisplayObject::SetMaxNumberOfIndices(UInt32 count, Bool keepContents)
{
    if (count == mMaxNumberOfIndices)
        return true;
    // Before Init only the capacity is recorded; Init makes the block.
    if (mIndexBuffer.IsCreated()) {
        if (!ResizeBlock(mIndexData, mMaxNumberOfIndices, count, kIndexSize, keepContents)) {
            Debug::Trace("Graph::DisplayObject::SetMaxNumberOfIndices(%s): Cannot allocate %u indices", mId.GetText(),
                         count);
            return false;
        }
        mIndexBuffer->SetIndexData(GetIndexData(), count);
    }
    mMaxNumberOfIndices = count;
    if (mNumberOfIndices > count)
        mNumberOfIndices = count;
    return true;
}

UInt32 DisplayObject::GetMaxNumberOfIndices() const
{
    return mMaxNumberOfIndices;
}

Enums::PrimitiveType DisplayObject::GetPrimitiveType() const
{
    return mPrimitiveType;
}

UInt32 DisplayObject::GetIndexSize() const
{
    return kIndexSize;
}

UInt16* DisplayObject::GetIndexData()
{
    return reinterpret_cast<UInt16*>(mIndexData.get());
}

Bool DisplayObject::SetNumberOfIndices(UInt32 count)
{
    if (count > mMaxNumberOfIndices)
        return false;
    mNumberOfIndices = count;
    return true;
}

void DisplayObject::SetIndicesChanged()
{
    mIndicesChanged = true;
}

Bool DisplayObject::SetMaxNumberOfVertices(UInt32 count, Bool keepContents)
{
    if (count == mMaxNumberOfVertices)
        return true;
    if (mVertexBuffer.IsCreated()) {
        if (!ResizeBlock(mVertexData, mMaxNumberOfVertices, count, mVertexSize, keepContents)) {
            Debug::Trace("Graph::DisplayObject::SetMaxNumberOfVertices(%s): Cannot allocate %u vertices of %u bytes",
                         mId.GetText(), count, mVertexSize);
            return false;
        }
        mVertexBuffer->SetVertexData(mVertexData.get(), count, mVertexSize);
    }
    mMaxNumberOfVertices = count;
    if (mNumberOfVertices > count)
        mNumberOfVertices = count;
    return true;
}

UInt32 DisplayObject::GetMaxNumberOfVertices() const
{
    return mMaxNumberOfVertices;
}

UInt32 DisplayObject::GetAttributeOffset(Enums::VertexAttribute attribute) const
{
    const UInt32 kind = UInt32(attribute);
    return kind < kNumberOfAttributeKinds ? mAttributeOffsets[kind] : kAbsent;
}

UInt32 DisplayObject::GetAttributeSize(Enums::VertexAttribute attribute) const
{
    const UInt32 kind = UInt32(attribute);
    return kind < kNumberOfAttributeKinds ? mAttributeSizes[kind] : kAbsent;
}

UInt32 DisplayObject::GetVertexSize() const
{
    return mVertexSize;
}

UInt8* DisplayObject::GetVertexData()
{
    return mVertexData.get();
}

Bool DisplayObject::SetNumberOfVertices(UInt32 count)
{
    if (count > mMaxNumberOfVertices)
        return false;
    mNumberOfVertices = count;
    return true;
}

void DisplayObject::SetVerticesChanged()
{
    mVerticesChanged = true;
}

} // namespace Graph
} // namespace Vorn
