// The stage processor: owns a set of stages, shows the switch child of a stage when it starts,
// plays its intro and outro and walks it through its run states once per logic step.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/base_child_processor.h"
#include "logic/child_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class ISwitch;
}

namespace Logic {

class IFactory;
class IStage;

class IStageProcessor
{
public:
    virtual IChildProcessor* GetProcessor() = 0;
    // False for null or a stage already added.
    virtual Bool AddStage(IStage* stage) = 0;
    // Keeps the order of the rest; false when absent.
    virtual Bool RemoveStage(IStage* stage) = 0;
    // Initialises the stage (whatever the result) and adds it.
    virtual Bool InitStage(IState* state, IStage* stage) = 0;
    // Removes the stage and de-initialises it; true only when it was listed and its DeInit
    // succeeded.
    virtual Bool DeInitStage(IState* state, IStage* stage) = 0;
    // Path of the switch under the graph root whose children show the stages; empty for none.
    virtual void SetSwitchNodeName(const String& name) = 0;
    virtual const String& GetSwitchNodeName() const = 0;
    // The first stage of the name; null (with a log line) when there is none.
    virtual IStage* GetStage(const String& name) const = 0;
    virtual Bool IsStageTimelineRunning() const = 0;
    // Requests the start of an idle stage (a stage already active keeps its state). The forms
    // with times set the intro times and are false when the stage has no stage timeline.
    virtual Bool StartStage(const String& name, Real introBegin, Real introEnd) = 0;
    virtual Bool StartStage(const String& name, Real introBegin) = 0;
    virtual Bool StartStage(const String& name) = 0;
    // The mirror of StartStage for an active stage and its outro times.
    virtual Bool StopStage(const String& name, Real outroBegin, Real outroEnd) = 0;
    virtual Bool StopStage(const String& name, Real outroEnd) = 0;
    virtual Bool StopStage(const String& name) = 0;
    virtual ~IStageProcessor() {}
};

class StageProcessor : public IStageProcessor, public ChildProcessor
{
public:
    StageProcessor();
    ~StageProcessor() override;

    IChildProcessor* GetProcessor() override;
    Bool AddStage(IStage* stage) override;
    Bool RemoveStage(IStage* stage) override;
    Bool InitStage(IState* state, IStage* stage) override;
    Bool DeInitStage(IState* state, IStage* stage) override;
    void SetSwitchNodeName(const String& name) override;
    const String& GetSwitchNodeName() const override;
    IStage* GetStage(const String& name) const override;
    Bool IsStageTimelineRunning() const override;
    Bool StartStage(const String& name, Real introBegin, Real introEnd) override;
    Bool StartStage(const String& name, Real introBegin) override;
    Bool StartStage(const String& name) override;
    Bool StopStage(const String& name, Real outroBegin, Real outroEnd) override;
    Bool StopStage(const String& name, Real outroEnd) override;
    Bool StopStage(const String& name) override;

    // Binds the switch and initialises every stage after the processor's own init.
    Bool InitSelf(IState* state) override;
    // De-initialises every stage and releases the switch before the processor's own de-init.
    Bool DeInitSelf(IState* state) override;
    // Moves every active stage on by one step of its run-state cycle.
    void StepSelf(IState* state) override;
    // Animates every stage that is not idle.
    void AnimateSelf(IState* state) override;

private:
    // Starts (stops) the named stage when it is idle (active); null when there is none.
    IStage* RequestStart(const String& name) const;
    IStage* RequestStop(const String& name) const;
    void StepStage(IState* state, IStage* stage);

    GraphNodeT<Graph::ISwitch> mSwitchNode;
    String mSwitchNodeName;
    Array<IStage*> mStages;
};

// Base of the game's logic root: makes its engine stage processor through the factory and
// becomes its app processor.
class BaseStageProcessor : public BaseChildProcessor
{
public:
    explicit BaseStageProcessor(IFactory* factory);
    // Destroys the engine stage processor.
    ~BaseStageProcessor() override;

    IStageProcessor* GetStageProcessor() const { return mStageProcessor; }

protected:
    IStageProcessor* mStageProcessor;
};

} // namespace Logic
} // namespace Vorn
