// The animation controller a node owns when its graph gives it an "animationResourceId": it
// fetches the animation and evaluates it in the node's ProcessLogic step.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IAttributes;

namespace Resource {
class IAnimation;
}

namespace Graph {

class INode;
class IInitState;
class IDeInitState;
class IConfigChangedState;
class IProcessLogicState;
class AnimationEvaluator;

class IController
{
public:
    // Makes an evaluator for the owner node over the controller's animation; null when the
    // animation lacks its keys or the node its interface.
    typedef AnimationEvaluator* (*EvaluatorCreateFunction)(INode* owner, const Resource::IAnimation* animation);

    virtual ~IController() {}

    // False (with a log line) when the animation cannot be fetched.
    virtual Bool Init(IInitState* state) = 0;
    virtual Bool DeInit(IDeInitState* state) = 0;
    virtual Bool ConfigChanged(IConfigChangedState* state) = 0;
    virtual void SetTimeShift(Real seconds) = 0;
    // Ignores a scale that is not greater than 0.
    virtual void SetTimeScale(Real scale) = 0;
    virtual Bool ProcessLogic(IProcessLogicState* state) = 0;
    // Reads "animationTimeShift" and "animationTimeScale"; absent attributes keep the defaults.
    virtual void DeserializeAttributes(const IAttributes* attributes, const IAttributes* parameters, Bool* error) = 0;
    virtual Bool AddEvaluator(EvaluatorCreateFunction create) = 0;
};

} // namespace Graph
} // namespace Vorn
