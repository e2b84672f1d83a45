// Processors: the tree in which all game logic runs. The engine side (IChildProcessor) keeps the
// children, the node references and the stepables and walks the tree; it calls back into one
// application object (IAppProcessor) around its own work.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {

class IPackage;

namespace Logic {

class IState;
class IAppProcessor;
class IStepable;
class IObservableNode;
class INodeObserver;

// What the logic thread, the package life-cycle and a parent processor call.
class IProcessor
{
public:
    virtual Bool Init(IState* state) = 0;
    virtual Bool DeInit(IState* state) = 0;
    // Once per logic step; only while enabled.
    virtual void Step(IState* state) = 0;
    // Once per frame; only while enabled.
    virtual void Animate(IState* state) = 0;
    // The signals reach disabled processors as well.
    virtual void SignalPackageWillBeLoaded(IState* state, IPackage* package) = 0;
    virtual void SignalPackageWasLoaded(IState* state, IPackage* package) = 0;
    virtual void SignalPackageWillBeUnloaded(IState* state, IPackage* package) = 0;
    virtual void SignalPackageWasUnloaded(IState* state, IPackage* package) = 0;
    virtual void RunStateChanged(IState* state, Enums::AppRunState newState, Enums::AppRunState previousState) = 0;
    virtual ~IProcessor() {}
};

class IChildProcessor : public IProcessor
{
public:
    virtual Bool SetAppProcessor(IAppProcessor* app) = 0;
    // Tells the app processor first, then stores the flag and hands it to every child.
    virtual void SetEnabled(Bool enabled) = 0;
    virtual Bool IsEnabled() const = 0;
    // False for null; no duplicate test.
    virtual Bool AddChild(IChildProcessor* child) = 0;
    // Removes the first entry of the child; false when absent.
    virtual Bool RemoveChild(IChildProcessor* child) = 0;
    // Initialises the child (whatever the result) and adds it.
    virtual Bool InitChild(IState* state, IChildProcessor* child) = 0;
    // Removes the child and de-initialises it; true only when it was a child and its DeInit
    // succeeded.
    virtual Bool DeInitChild(IState* state, IChildProcessor* child) = 0;
    virtual Bool AddStepable(IStepable* stepable) = 0;
    virtual Bool RemoveStepable(IStepable* stepable) = 0;
    // The result of adding is the node's validity.
    virtual Bool AddGraphNode(IObservableNode* node) = 0;
    virtual Bool RemoveGraphNode(IObservableNode* node) = 0;
    virtual Bool AreGraphNodesValid() const = 0;
    virtual INodeObserver* GetNodeObserver() = 0;
    virtual UInt32 GetNumberOfChildren() const = 0;
    // Null when index is out of range.
    virtual IChildProcessor* GetChild(UInt32 index) const = 0;

    // The steps of Init, DeInit, Step and Animate, which derived engine processors override.
    virtual Bool InitSelf(IState* state) = 0;
    virtual Bool InitChildren(IState* state) = 0;
    virtual Bool DeInitSelf(IState* state) = 0;
    virtual Bool DeInitChildren(IState* state) = 0;
    virtual void StepSelf(IState* state) = 0;
    virtual void StepChildren(IState* state) = 0;
    virtual void AnimateSelf(IState* state) = 0;
    virtual void AnimateChildren(IState* state) = 0;
};

// The game's side of a processor; Logic::BaseChildProcessor gives do-nothing defaults.
class IAppProcessor
{
public:
    // Looks up the node references and adds them and the stepables to the processor.
    virtual Bool OnInit(IState* state) = 0;
    virtual Bool OnDeInit(IState* state) = 0;
    virtual void OnStep(IState* state) = 0;
    virtual void OnStepAfterChildren(IState* state) = 0;
    virtual void OnAnimate(IState* state) = 0;
    virtual void OnAnimateAfterChildren(IState* state) = 0;
    virtual void OnPackageWillBeLoaded(IState* state, IPackage* package) = 0;
    virtual void OnPackageWasLoaded(IState* state, IPackage* package) = 0;
    virtual void OnPackageWillBeUnloaded(IState* state, IPackage* package) = 0;
    virtual void OnPackageWasUnloaded(IState* state, IPackage* package) = 0;
    virtual void OnRunStateChanged(IState* state, Enums::AppRunState newState, Enums::AppRunState previousState) = 0;
    virtual void OnEnabledChanged(Bool enabled) = 0;
    virtual ~IAppProcessor() {}
};

} // namespace Logic
} // namespace Vorn
