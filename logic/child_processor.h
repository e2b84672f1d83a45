// The engine's processor: a node of the processor tree with its children, node references and
// stepables. Stages, the stage processor and touch areas derive from it.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"
#include "logic/node_observer.h"
#include "logic/processor.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Logic {

class ChildProcessor : public IChildProcessor
{
public:
    ChildProcessor();
    // Frees the child list without touching the children.
    ~ChildProcessor() override;

    Bool Init(IState* state) override;
    Bool DeInit(IState* state) override;
    void Step(IState* state) override;
    void Animate(IState* state) override;
    void SignalPackageWillBeLoaded(IState* state, IPackage* package) override;
    void SignalPackageWasLoaded(IState* state, IPackage* package) override;
    void SignalPackageWillBeUnloaded(IState* state, IPackage* package) override;
    void SignalPackageWasUnloaded(IState* state, IPackage* package) override;
    void RunStateChanged(IState* state, Enums::AppRunState newState, Enums::AppRunState previousState) override;

    Bool SetAppProcessor(IAppProcessor* app) override;
    void SetEnabled(Bool enabled) override;
    Bool IsEnabled() const override;
    Bool AddChild(IChildProcessor* child) override;
    Bool RemoveChild(IChildProcessor* child) override;
    Bool InitChild(IState* state, IChildProcessor* child) override;
    Bool DeInitChild(IState* state, IChildProcessor* child) override;
    Bool AddStepable(IStepable* stepable) override;
    Bool RemoveStepable(IStepable* stepable) override;
    Bool AddGraphNode(IObservableNode* node) override;
    Bool RemoveGraphNode(IObservableNode* node) override;
    Bool AreGraphNodesValid() const override;
    INodeObserver* GetNodeObserver() override;
    UInt32 GetNumberOfChildren() const override;
    IChildProcessor* GetChild(UInt32 index) const override;

    // Resets the stepables, runs the app processor's OnInit and tests every node reference.
    Bool InitSelf(IState* state) override;
    Bool InitChildren(IState* state) override;
    // Forgets the children, releases the node references, runs OnDeInit, forgets the stepables.
    Bool DeInitSelf(IState* state) override;
    Bool DeInitChildren(IState* state) override;
    void StepSelf(IState* state) override;
    void StepChildren(IState* state) override;
    void AnimateSelf(IState* state) override;
    void AnimateChildren(IState* state) override;

protected:
    IAppProcessor* mAppProcessor;
    Bool mEnabled;
    Array<IChildProcessor*> mChildren;
    StepableObserver mStepableObserver;
    NodeObserver mNodeObserver;

private:
    ChildProcessor(const ChildProcessor&) = delete;
    ChildProcessor& operator=(const ChildProcessor&) = delete;
};

} // namespace Logic
} // namespace Vorn
