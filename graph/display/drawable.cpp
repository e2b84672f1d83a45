#include "graph/display/drawable.h"

#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "graph/culler.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Bool DeclareVertexLayout(Display::IVertexBuffer* buffer, const VertexAttributeRow* rows, UInt32 count,
                         UInt32* vertexSize)
{
    UInt32 offset = 0;
    for (UInt32 i = 0; i < count; ++i) {
        if (!buffer->AddAttribute(rows[i].mAttribute, rows[i].mType, offset))
            return false;
    }
    if (vertexSize != nullptr)
        *vertexSize = offset;
    return true;
}

Bool PlaneScale::Set(Real x, Real y)
{
    Bool changed = false;
    // Written as "not equal" so that a NaN counts as a change.
    if (!(x == mFactor.x)) {
        mFactor.x = x;
        changed = true;
    }
    if (!(y == mFactor.y)) {
        mFactor.y = y;
        changed = true;
    }
    return changed;
}

Bool ComputeTextureFactor(Float size, Float& factor)
{
    if (size == 0.0f)
        return false;
    factor = Float(1.0 / Double(size));
    return true;
}

namespace {

void Detach(Display::IDrawable* drawable, Display::IVertexBuffer* buffer)
{
    drawable->RemoveVertexBuffer(buffer);
}

void Detach(Display::IDrawable* drawable, Display::IIndexBuffer* buffer)
{
    drawable->RemoveIndexBuffer(buffer);
}

template <typename T>
Bool DestroyAttachedBuffer(DisplayHandleT<Display::IDrawable>& drawable, DisplayHandleT<T>& buffer,
                           Display::IRenderer* renderer)
{
    if (!buffer.IsCreated())
        return true;
    if (drawable.IsCreated())
        Detach(drawable.Get(), buffer.Get());
    if (!buffer.DeInit())
        return false;
    buffer.Destroy(renderer);
    return true;
}

} // namespace

Bool DestroyBuffer(DisplayHandleT<Display::IDrawable>& drawable, DisplayHandleT<Display::IVertexBuffer>& buffer,
                   Display::IRenderer* renderer)
{
    return DestroyAttachedBuffer(drawable, buffer, renderer);
}

Bool DestroyBuffer(DisplayHandleT<Display::IDrawable>& drawable, DisplayHandleT<Display::IIndexBuffer>& buffer,
                   Display::IRenderer* renderer)
{
    return DestroyAttachedBuffer(drawable, buffer, renderer);
}

Bool ReleasesDisplayObjectsOnSuspend(IConfiguration* configuration)
{
    if (configuration == nullptr)
        return true;
    return (configuration->GetSuspendReleaseMask() & UInt32(Enums::MemoryObjectType::OTHER)) != 0;
}

void SetCenteredBoundingBox(Display::IDrawable* drawable, Float x, Float y, Float z)
{
    drawable->SetBoundingBox(Math::Vector<float>(-x / 2.0f, -y / 2.0f, -z / 2.0f, 1.0f),
                             Math::Vector<float>(x / 2.0f, y / 2.0f, z / 2.0f, 1.0f));
}

void CullBoundingSphere(ICullOutputState* state, const Display::IDrawable* drawable)
{
    const ICuller* culler = state->GetCurrentCuller();
    const Math::Matrix<float>* transform = state->GetItemValue1();
    const Math::Vector<float>* scale = state->GetItemValue2();
    if (culler == nullptr || drawable == nullptr || transform == nullptr || scale == nullptr)
        return;
    state->SetItemFlag(culler->IsCulled(drawable->GetBoundingSphereCentre(), drawable->GetBoundingSphereRadius(),
                                        *transform, *scale));
}

void AddDrawableToFrame(IEnqueueOutputState* state, Display::IDrawable* drawable)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    const Math::Matrix<float>* transform = state->GetItemValue1();
    if (renderer == nullptr || drawable == nullptr)
        return;
    renderer->AddDrawable(drawable, transform != nullptr ? *transform : Math::Matrix<float>(), state->GetItemValue2(),
                          state->GetItemValue3());
}

void EnqueueDrawable(IEnqueueOutputState* state, Display::IDrawable* drawable, Display::IVertexBuffer* vertexBuffer)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr)
        return;
    renderer->SetAuxiliaryObject(vertexBuffer, 0, 0);
    renderer->SetAuxiliaryObject(nullptr, 0, 1);
    AddDrawableToFrame(state, drawable);
}

} // namespace Graph
} // namespace Vorn
