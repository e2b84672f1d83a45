// Base of every game processor: the do-nothing callbacks of IAppProcessor and the engine
// processor that calls them.
#pragma once

#include "foundation/types.h"
#include "logic/processor.h"

namespace Vorn {
namespace Logic {

class IFactory;

class BaseChildProcessor : public IAppProcessor
{
public:
    // Makes its own engine processor through the factory and owns it.
    explicit BaseChildProcessor(IFactory* factory);
    // Without a processor; one is adopted later with SetProcessor.
    BaseChildProcessor();
    ~BaseChildProcessor() override;

    Bool OnInit(IState* state) override;
    Bool OnDeInit(IState* state) override;
    void OnStep(IState* state) override;
    void OnStepAfterChildren(IState* state) override;
    void OnAnimate(IState* state) override;
    void OnAnimateAfterChildren(IState* state) override;
    void OnPackageWillBeLoaded(IState* state, IPackage* package) override;
    void OnPackageWasLoaded(IState* state, IPackage* package) override;
    void OnPackageWillBeUnloaded(IState* state, IPackage* package) override;
    void OnPackageWasUnloaded(IState* state, IPackage* package) override;
    void OnRunStateChanged(IState* state, Enums::AppRunState newState, Enums::AppRunState previousState) override;
    void OnEnabledChanged(Bool enabled) override;

    // Adopts a processor (not owned) and becomes its app processor; does nothing while this
    // object owns the processor it made.
    virtual void SetProcessor(IChildProcessor* processor);

    IChildProcessor* GetProcessor() const { return mProcessor; }

protected:
    IChildProcessor* mProcessor;
    Bool mOwnsProcessor;

private:
    BaseChildProcessor(const BaseChildProcessor&) = delete;
    BaseChildProcessor& operator=(const BaseChildProcessor&) = delete;
};

} // namespace Logic
} // namespace Vorn
