// Stages: the screens of the application. A stage is a child processor with a name, the id of
// the switch child that shows it and an optional stage timeline for its intro and outro; the
// stage processor walks it through its run states and it calls the game's stage callbacks.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/base_child_processor.h"
#include "logic/child_processor.h"

namespace Vorn {
namespace Logic {

class IAppStage;
class IFactory;
class IStageProcessor;
class IStageTimeline;
class StageTimeline;

class IStage
{
public:
    // Run states.
    static constexpr SInt32 kIdle = 0;
    static constexpr SInt32 kStartRequested = 1;
    static constexpr SInt32 kStarting = 2;
    static constexpr SInt32 kStarted = 3;
    static constexpr SInt32 kRunning = 4;
    static constexpr SInt32 kStopRequested = 5;
    static constexpr SInt32 kStopping = 6;

    virtual IChildProcessor* GetProcessor() = 0;
    // Where the run-state callback runs in a step: 0 before the stage's own step, 1 between it
    // and the children, 2 after the children; any other value never.
    virtual void SetStepOrder(SInt32 order) = 0;
    virtual SInt32 GetStepOrder() const = 0;
    virtual Bool SetAppStage(IAppStage* app) = 0;
    virtual void SetName(const String& name) = 0;
    virtual const String& GetName() const = 0;
    // Empty: starting the stage leaves the switch alone.
    virtual void SetSwitchChildName(const String& name) = 0;
    virtual const String& GetSwitchChildName() const = 0;
    virtual void SetRunState(SInt32 runState) = 0;
    virtual Bool IsRunState(SInt32 runState) const = 0;
    virtual SInt32 GetRunState() const = 0;
    // Only from idle; false otherwise.
    virtual Bool RequestStart() = 0;
    // Only when not idle; false otherwise.
    virtual Bool RequestStop() = 0;
    // Back to idle from any other state; false when idle.
    virtual Bool ResetRunState() = 0;
    virtual Bool IsIdle() const = 0;
    // Makes an own stage timeline on the timeline node at the path under the state's graph root:
    // the intro runs from 0 to introEnd, the outro from introEnd to outroEnd. False (leaving the
    // stage without one) for a null state or a missing node.
    virtual Bool CreateStageTimeline(IState* state, const String& timelineNodeId, Real introEnd, Real outroEnd) = 0;
    // Uses the given one (not owned) in place of any own one; false for null.
    virtual Bool SetStageTimeline(IStageTimeline* stageTimeline) = 0;
    virtual IStageTimeline* GetStageTimeline() const = 0;
    virtual Bool Init(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual Bool DeInit(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void Step(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void Animate(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual ~IStage() {}
};

// The game's side of a stage; Logic::BaseStage gives the defaults (OnInit and OnDeInit return
// true, the rest do nothing).
class IAppStage
{
public:
    virtual Bool OnInit(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual Bool OnDeInit(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void OnStageStart(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void OnStageStarting(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void OnStageStarted(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void OnStageRunning(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void OnStageStop(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual void OnStageStopping(IState* state, IStageProcessor* stageProcessor) = 0;
    // In the step that brings the stage back to idle.
    virtual void OnStageIdle(IState* state, IStageProcessor* stageProcessor) = 0;
    // Every step of the stage, before the run-state callback.
    virtual void OnStageStep(IState* state, IStageProcessor* stageProcessor) = 0;
    // Every frame of a stage that is not idle.
    virtual void OnStageAnimate(IState* state, IStageProcessor* stageProcessor) = 0;
    virtual ~IAppStage() {}
};

class Stage : public IStage, public ChildProcessor
{
public:
    Stage();
    ~Stage() override;

    IChildProcessor* GetProcessor() override;
    void SetStepOrder(SInt32 order) override;
    SInt32 GetStepOrder() const override;
    Bool SetAppStage(IAppStage* app) override;
    void SetName(const String& name) override;
    const String& GetName() const override;
    void SetSwitchChildName(const String& name) override;
    const String& GetSwitchChildName() const override;
    void SetRunState(SInt32 runState) override;
    Bool IsRunState(SInt32 runState) const override;
    SInt32 GetRunState() const override;
    Bool RequestStart() override;
    Bool RequestStop() override;
    Bool ResetRunState() override;
    Bool IsIdle() const override;
    Bool CreateStageTimeline(IState* state, const String& timelineNodeId, Real introEnd, Real outroEnd) override;
    Bool SetStageTimeline(IStageTimeline* stageTimeline) override;
    IStageTimeline* GetStageTimeline() const override;
    Bool Init(IState* state, IStageProcessor* stageProcessor) override;
    Bool DeInit(IState* state, IStageProcessor* stageProcessor) override;
    // Only while the processor part is enabled.
    void Step(IState* state, IStageProcessor* stageProcessor) override;
    void Animate(IState* state, IStageProcessor* stageProcessor) override;

    // The processor part's own operations, which the two-argument ones above hide.
    using ChildProcessor::Animate;
    using ChildProcessor::DeInit;
    using ChildProcessor::Init;
    using ChildProcessor::Step;

    // OnStageStep, then the callback of the current run state.
    virtual void ProcessRunState(IState* state, IStageProcessor* stageProcessor);
    virtual void ProcessAnimate(IState* state, IStageProcessor* stageProcessor);

private:
    void DestroyOwnStageTimeline();

    IAppStage* mAppStage;
    String mName;
    String mSwitchChildName;
    SInt32 mRunState;
    SInt32 mStepOrder;
    IStageTimeline* mStageTimeline;
    StageTimeline* mOwnStageTimeline;
};

// Base of the game's stages: makes its engine stage through the factory, adopts the stage's
// processor part and becomes both its app processor and its app stage.
class BaseStage : public IAppStage, public BaseChildProcessor
{
public:
    BaseStage(IFactory* factory, const String& name, const String& switchChildName);
    // Destroys the engine stage.
    ~BaseStage() override;

    Bool OnInit(IState* state, IStageProcessor* stageProcessor) override;
    Bool OnDeInit(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageStart(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageStarting(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageStarted(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageRunning(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageStop(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageStopping(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageIdle(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageStep(IState* state, IStageProcessor* stageProcessor) override;
    void OnStageAnimate(IState* state, IStageProcessor* stageProcessor) override;

    // The processor callbacks keep their one-argument defaults.
    using BaseChildProcessor::OnDeInit;
    using BaseChildProcessor::OnInit;

    IStage* GetStage() const { return mStage; }

protected:
    IStage* mStage;
};

} // namespace Logic
} // namespace Vorn
