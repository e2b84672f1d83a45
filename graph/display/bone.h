// Bone: a transform node that drives one skinning bone of the display renderer. Each logic step
// its transform becomes pose × bone matrix; each frame it hands its world matrix to a display
// "Bone" object, which a BoneSlot binds for the drawables after it. Writes through ITransform
// go to the pose.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace Graph {

class IBone
{
public:
    // The matrix composed after the pose; the writing form is read at the next logic step.
    virtual Math::Matrix<float>& GetBoneMatrix() = 0;
    virtual const Math::Matrix<float>& GetBoneMatrix() const = 0;
    virtual ~IBone() {}
};

class Bone : public Transform, public IRenderable, public IBone
{
public:
    Bone();
    ~Bone() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    // The pose: what attributes, animation and game code set.
    Math::Matrix<float>& GetTransform() override;
    const Math::Matrix<float>& GetTransform() const override;

    Math::Matrix<float>& GetBoneMatrix() override;
    const Math::Matrix<float>& GetBoneMatrix() const override;

    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Null before Init.
    virtual Display::IBone* GetBoneObject();
    // pose × bone, as the last logic step composed it.
    const Math::Matrix<float>& GetComposedTransform() const { return mMatrix; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    DisplayHandleT<Display::IBone> mDisplayBone;
    Math::Matrix<float> mPose;
    Math::Matrix<float> mBone;
};

} // namespace Graph
} // namespace Vorn
