#include "display/dx9/drawable.h"

#include <d3d9.h>

#include <algorithm>
#include <cmath>

#include "display/dx9/dx9_renderer.h"
#include "display/dx9/index_buffer.h"
#include "display/dx9/state.h"
#include "display/dx9/vertex_buffer.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

template <typename T>
void RemoveFirst(std::vector<T*>& list, T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}

} // namespace

Drawable::Drawable(Renderer* renderer)
    : Object(renderer), mValue(0), mTable(), mCentre(0.0f, 0.0f, 0.0f, 1.0f), mRadius(0.0f)
{
}

Bool Drawable::SetValue(UInt32 value)
{
    mValue = value;
    return true;
}

Bool Drawable::SetTableValue(UInt32 value, UInt32 index)
{
    if (index >= 5) {
        Debug::Trace("Display::Dx9::Drawable::SetTableValue(): Index %u out of range", index);
        return false;
    }
    mTable[index] = value;
    return true;
}

Bool Drawable::AddVertexBuffer(IVertexBuffer* buffer)
{
    mVertexBuffers.push_back(dynamic_cast<VertexBuffer*>(buffer));
    return true;
}

Bool Drawable::RemoveVertexBuffer(IVertexBuffer* buffer)
{
    RemoveFirst(mVertexBuffers, dynamic_cast<VertexBuffer*>(buffer));
    return true;
}

Bool Drawable::AddIndexBuffer(IIndexBuffer* buffer)
{
    mIndexBuffers.push_back(dynamic_cast<IndexBuffer*>(buffer));
    return true;
}

Bool Drawable::RemoveIndexBuffer(IIndexBuffer* buffer)
{
    RemoveFirst(mIndexBuffers, dynamic_cast<IndexBuffer*>(buffer));
    return true;
}

Bool Drawable::SetBoundingBox(const Math::Vector<float>& minimum, const Math::Vector<float>& maximum)
{
    mCentre = (minimum + maximum) * 0.5f;
    mCentre.w = 1.0f;
    const Math::Vector<float> diagonal = maximum - minimum;
    mRadius = 0.5f * std::sqrt(diagonal.Dot(diagonal));
    return true;
}

Bool Drawable::Init()
{
    if (mInitialized)
        return true;
    if (mIndexBuffers.empty() || mVertexBuffers.empty())
        return false;
    mInitialized = true;
    return true;
}

Bool Drawable::DeInit()
{
    mInitialized = false;
    return true;
}

Bool Drawable::Update()
{
    for (VertexBuffer* buffer : mVertexBuffers)
        if (buffer != nullptr)
            buffer->Update();
    for (IndexBuffer* buffer : mIndexBuffers)
        if (buffer != nullptr)
            buffer->Update();
    return true;
}

Bool Drawable::Apply(State& state)
{
    IDirect3DDevice9* device = mRenderer->GetDevice();
    if (device == nullptr)
        return false;
    state.mDrawable = this;
    if (state.mModelMatrix != nullptr)
        device->SetTransform(D3DTS_WORLD, reinterpret_cast<const D3DMATRIX*>(state.mModelMatrix->mElements));
    for (VertexBuffer* buffer : mVertexBuffers)
        if (buffer != nullptr)
            buffer->Apply(state);
    return true;
}

VertexBuffer* Drawable::GetVertexBuffer(UInt32 index) const
{
    return index < mVertexBuffers.size() ? mVertexBuffers[index] : nullptr;
}

IndexBuffer* Drawable::GetIndexBuffer(UInt32 index) const
{
    return index < mIndexBuffers.size() ? mIndexBuffers[index] : nullptr;
}

const ClassInfo& Drawable::GetClassInfo()
{
    static const ClassInfo info{"Drawable", CreateObjectOf<Drawable>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
