#include "graph/animation/animation_controller.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/node.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"

namespace Vorn {
namespace Graph {
namespace {

constexpr Real kNoTime = -1.0f;

const Resource::IAnimation* FindAnimation(Resource::ICollection* collection, const String& resourceId)
{
    return collection != nullptr ? collection->GetAnimation(resourceId) : nullptr;
}

} // namespace

AnimationController::AnimationController(INode* owner, const String& resourceId)
    : mResourceId(resourceId),
      mOwner(owner),
      mAnimation(nullptr),
      mTimeShift(0.0f),
      mTimeScale(1.0f),
      mLastTime(kNoTime)
{
}

AnimationController::~AnimationController()
{
    DestroyEvaluators();
}

IController* AnimationController::Create(INode* owner, const String& resourceId)
{
    if (owner == nullptr)
        return nullptr;
    return new (std::nothrow) AnimationController(owner, resourceId);
}

Bool AnimationController::Init(IInitState* state)
{
    if (mResourceId.IsEmpty()) {
        Debug::Trace("Graph::AnimationController::Init(): No resource ID specified");
        return false;
    }
    mAnimation = FindAnimation(state->GetResourceCollection(), mResourceId);
    if (mAnimation == nullptr) {
        Debug::Trace("Graph::AnimationController::Init(): Failed to get resource animation \"%s\"",
                     mResourceId.GetText());
        return false;
    }
    if (mTimeScale == 0.0f) {
        Debug::Trace("Graph::AnimationController::Init(): Animation time scale cannot be zero");
        return false;
    }
    mLastTime = kNoTime;
    AddEvaluator(&CreateNodeAnimationEvaluator);
    return true;
}

Bool AnimationController::DeInit(IDeInitState*)
{
    DestroyEvaluators();
    return true;
}

Bool AnimationController::ConfigChanged(IConfigChangedState* state)
{
    const Resource::IAnimation* animation = FindAnimation(state->GetResourceCollection(), mResourceId);
    if (animation == nullptr) {
        Debug::Trace("Graph::AnimationController::ConfigChanged(): Failed to get resource animation \"%s\"",
                     mResourceId.GetText());
        return false;
    }
    if (animation != mAnimation) {
        mAnimation = animation;
        for (AnimationEvaluator* evaluator : mEvaluators)
            evaluator->SetAnimation(animation);
    }
    return true;
}

void AnimationController::SetTimeShift(Real seconds)
{
    mTimeShift = seconds;
}

void AnimationController::SetTimeScale(Real scale)
{
    if (scale > 0.0f)
        mTimeScale = scale;
}

Bool AnimationController::ProcessLogic(IProcessLogicState* state)
{
    const Real time = Real((state->GetTimelineTime() - Double(mTimeShift)) * Double(mTimeScale));
    if (time == mLastTime)
        return true;
    mLastTime = time;
    for (AnimationEvaluator* evaluator : mEvaluators)
        evaluator->Evaluate(time);
    return true;
}

void AnimationController::DeserializeAttributes(const IAttributes* attributes, const IAttributes* parameters,
                                                Bool* error)
{
    attributes->GetValue(parameters, "animationTimeShift", &mTimeShift, error);
    attributes->GetValue(parameters, "animationTimeScale", &mTimeScale, error);
}

Bool AnimationController::AddEvaluator(EvaluatorCreateFunction create)
{
    if (mOwner == nullptr || mAnimation == nullptr || create == nullptr)
        return false;
    AnimationEvaluator* evaluator = create(mOwner, mAnimation);
    if (evaluator == nullptr)
        return false;
    mEvaluators.Add(evaluator);
    return true;
}

void AnimationController::DestroyEvaluators()
{
    for (AnimationEvaluator* evaluator : mEvaluators)
        delete evaluator;
    mEvaluators.Clear();
}

} // namespace Graph
} // namespace Vorn
