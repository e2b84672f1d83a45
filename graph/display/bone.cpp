#include "graph/display/bone.h"

#include <new>

#include "foundation/debug.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "graph/transform_stack.h"

namespace Vorn {
namespace Graph {

Bone::Bone()
{
    AddFlags(kNeedsProcessLogic | kNeedsPrepareOutput);
}

Bone::~Bone()
{
}

INode* Bone::Create()
{
    return new (std::nothrow) Bone();
}

const NodeClassInfo& Bone::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Bone"));
    return info;
}

Math::Matrix<float>& Bone::GetTransform()
{
    MarkChanged();
    return mPose;
}

const Math::Matrix<float>& Bone::GetTransform() const
{
    return mPose;
}

Math::Matrix<float>& Bone::GetBoneMatrix()
{
    // A bone matrix alone moves the children too, so the product is pushed from then on.
    MarkChanged();
    return mBone;
}

const Math::Matrix<float>& Bone::GetBoneMatrix() const
{
    return mBone;
}

Display::IBone* Bone::GetBoneObject()
{
    return mDisplayBone.Get();
}

Bool Bone::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Bone::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    mPose = mMatrix;
    if (!mDisplayBone.Create(state->GetDisplayRenderer(), "Bone")) {
        Debug::Trace("Graph::Bone::InitSelf(%s): Failed to create bone object", mId.GetText());
        return false;
    }
    if (!mDisplayBone.Init()) {
        Debug::Trace("Graph::Bone::InitSelf(%s): Failed to initialize bone object", mId.GetText());
        return false;
    }
    return true;
}

Bool Bone::DeInitSelf(IDeInitState* state)
{
    if (!mDisplayBone.DeInit()) {
        Debug::Trace("Graph::Bone::DeInitSelf(%s): Failed to deinitialize bone object", mId.GetText());
        return false;
    }
    mDisplayBone.Destroy(state->GetDisplayRenderer());
    return Transform::DeInitSelf(state);
}

Bool Bone::SuspendSelf(IDeInitState* state)
{
    if (ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) && !mDisplayBone.DeInit()) {
        Debug::Trace("Graph::Bone::SuspendSelf(%s): Failed to deinitialize bone object", mId.GetText());
        return false;
    }
    return true;
}

Bool Bone::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()) || (mFlags & kInitialized) == 0)
        return true;
    if (!mDisplayBone.Init()) {
        Debug::Trace("Graph::Bone::ResumeSelf(%s): Failed to initialize bone object", mId.GetText());
        return false;
    }
    return true;
}

Bool Bone::ProcessLogicSelf(IProcessLogicState* state)
{
    // The transform step runs the animation, so the pose is this step's, then pushes the matrix.
    if (!Transform::ProcessLogicSelf(state))
        return false;
    MatrixProduct::Multiply(mPose, mBone, mMatrix);
    // The entry pushed above holds the last step's product: the children see this step's.
    if (!IsIdentity()) {
        state->PopTransform();
        state->PushRelativeTransform(mMatrix);
    }
    return true;
}

Bool Bone::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool Bone::CullOutput(ICullOutputState*)
{
    return true;
}

Bool Bone::EnqueueOutput(IEnqueueOutputState* state)
{
    const Math::Matrix<float>* transform = state->GetItemValue1();
    if (mDisplayBone.IsCreated() && transform != nullptr)
        mDisplayBone->SetMatrix(*transform);
    return true;
}

} // namespace Graph
} // namespace Vorn
