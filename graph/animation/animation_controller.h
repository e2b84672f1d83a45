// The animation controller a node owns for its "animationResourceId": it fetches the animation
// from the resource collection, owns the evaluators the node classes register, and evaluates
// them in the node's ProcessLogic step at the enclosing timeline's time, shifted and scaled.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/controller.h"

namespace Vorn {
namespace Graph {

class AnimationController : public IController
{
public:
    AnimationController(INode* owner, const String& resourceId);
    ~AnimationController() override;

    AnimationController(const AnimationController&) = delete;
    AnimationController& operator=(const AnimationController&) = delete;

    // The node's controller create function; null for a null owner.
    static IController* Create(INode* owner, const String& resourceId);

    // Fails for an empty resource id, a missing animation or a time scale of 0. On success it
    // registers the node evaluator, so that the node's visible and active keys are applied
    // before the evaluators of its class.
    Bool Init(IInitState* state) override;
    // Drops the evaluators that the node classes registered at Init, so that a new Init does
    // not register them twice.
    Bool DeInit(IDeInitState* state) override;
    // Fetches the animation again (a changed configuration may select another variant) and
    // hands a different one to the evaluators; false when it is gone.
    Bool ConfigChanged(IConfigChangedState* state) override;
    void SetTimeShift(Real seconds) override;
    void SetTimeScale(Real scale) override;
    // Evaluates at (timeline time - shift) x scale, unless that equals the time of the last
    // evaluation.
    Bool ProcessLogic(IProcessLogicState* state) override;
    void DeserializeAttributes(const IAttributes* attributes, const IAttributes* parameters, Bool* error) override;
    Bool AddEvaluator(EvaluatorCreateFunction create) override;

    const String& GetResourceId() const { return mResourceId; }
    const Resource::IAnimation* GetAnimation() const { return mAnimation; }
    Real GetTimeShift() const { return mTimeShift; }
    Real GetTimeScale() const { return mTimeScale; }
    UInt32 GetNumberOfEvaluators() const { return UInt32(mEvaluators.GetCount()); }

private:
    void DestroyEvaluators();

    String mResourceId;
    INode* mOwner;
    const Resource::IAnimation* mAnimation;
    Real mTimeShift;
    Real mTimeScale;
    Real mLastTime;
    Array<AnimationEvaluator*> mEvaluators;
};

} // namespace Graph
} // namespace Vorn
