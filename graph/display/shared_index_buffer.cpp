#include "graph/display/shared_index_buffer.h"

namespace Vorn {
namespace Graph {

const UInt16 SharedIndexBuffer::kIndices[4] = {0, 2, 1, 3};

SharedIndexBuffer::Result SharedIndexBuffer::Acquire(Display::IRenderer* renderer, Holding& holding)
{
    if (holding.mAttached)
        return Result::kDone;
    if (mAttached == 0) {
        if (!mBuffer.Create(renderer, "IndexBuffer"))
            return Result::kCreateFailed;
        mBuffer->SetPrimitiveType(Enums::PrimitiveType::TRIANGLE_STRIP);
        mBuffer->SetNumberOfIndices(4);
        mBuffer->SetIndexData(kIndices, 4);
        if (!mBuffer.Init()) {
            mBuffer.Destroy(renderer);
            return Result::kInitFailed;
        }
    }
    ++mAttached;
    ++mActive;
    holding.mAttached = true;
    holding.mActive = true;
    return Result::kDone;
}

Bool SharedIndexBuffer::Release(Display::IRenderer* renderer, Display::IDrawable* drawable, Holding& holding)
{
    if (!holding.mAttached)
        return true;
    if (drawable != nullptr)
        drawable->RemoveIndexBuffer(mBuffer.Get());
    if (holding.mActive && !Suspend(holding))
        return false;
    if (mAttached == 1) {
        // Suspend de-initialised it already when this was the last active holder.
        if (!mBuffer.DeInit())
            return false;
        mBuffer.Destroy(renderer);
    }
    --mAttached;
    holding.mAttached = false;
    return true;
}

Bool SharedIndexBuffer::Suspend(Holding& holding)
{
    if (!holding.mActive)
        return true;
    if (mActive == 1 && !mBuffer.DeInit())
        return false;
    --mActive;
    holding.mActive = false;
    return true;
}

Bool SharedIndexBuffer::Resume(Holding& holding)
{
    if (!holding.mAttached || holding.mActive)
        return true;
    if (mActive == 0 && !mBuffer.Init())
        return false;
    ++mActive;
    holding.mActive = true;
    return true;
}

} // namespace Graph
} // namespace Vorn
