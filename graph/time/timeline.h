// Timelines: the time base of a sub-graph. Graph::Timeline runs, pauses, loops and rewinds its
// own time and hands it to the nodes below through the ProcessLogic state; buttons and game code
// drive it through Graph::ITimeline.
#pragma once

#include "foundation/types.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class ITimeline
{
public:
    // Stopped with the stopped flag cleared, then rewound.
    virtual void Reset() = 0;
    // Sets both times, rewinds and runs.
    virtual void Start(Real startTime, Real endTime) = 0;
    // Runs on from the current time.
    virtual void Start() = 0;
    // Only a running timeline pauses.
    virtual void Pause() = 0;
    // Stops a running or paused timeline and raises the stopped flag; rewinds (even when already
    // stopped) when auto rewind is set.
    virtual void Stop() = 0;
    // Current time back to the start time, loop counter to 0.
    virtual void Rewind() = 0;

    virtual void SetStartTime(Real seconds) = 0;
    virtual void SetEndTime(Real seconds) = 0;
    // Negative loops for ever; 0 and 1 both play once.
    virtual void SetNumberOfLoops(SInt32 loops) = 0;
    // Ignores a scale that is not greater than 0.
    virtual void SetTimeScale(Real scale) = 0;
    virtual void SetAutoRewind(Bool autoRewind) = 0;
    virtual void SetStartOnActivate(Bool startOnActivate) = 0;
    virtual void SetStopOnDeactivate(Bool stopOnDeactivate) = 0;

    virtual Real GetStartTime() const = 0;
    virtual Real GetEndTime() const = 0;
    virtual SInt32 GetNumberOfLoops() const = 0;
    virtual Real GetTimeScale() const = 0;
    virtual Bool GetAutoRewind() const = 0;
    virtual Bool GetStartOnActivate() const = 0;
    virtual Bool GetStopOnDeactivate() const = 0;

    virtual Bool IsRunning() const = 0;
    virtual Bool IsPaused() const = 0;
    // Set when the timeline stopped; cleared by its next ProcessLogic step that finds it not
    // running, and by Start, Reset and Init.
    virtual Bool WasStopped() const = 0;
    virtual Double GetCurrentTime() const = 0;
    // End time minus current time.
    virtual Double GetRemainingTime() const = 0;

    virtual ~ITimeline() {}
};

class Timeline : public Node, public ITimeline
{
public:
    // Run states; the timeline state handed to the sub-graph uses 1 forwards and 2 backwards.
    static constexpr SInt32 kStopped = 0;
    static constexpr SInt32 kRunning = 1;
    static constexpr SInt32 kPaused = 2;
    static constexpr SInt32 kForwards = 1;
    static constexpr SInt32 kBackwards = 2;

    Timeline();
    ~Timeline() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Activating starts the timeline when start on activate is set, deactivating stops it when
    // stop on deactivate is set; only a real change of the active flag counts.
    void SetActive(Bool active) override;

    void Reset() override;
    void Start(Real startTime, Real endTime) override;
    void Start() override;
    void Pause() override;
    void Stop() override;
    void Rewind() override;
    void SetStartTime(Real seconds) override;
    void SetEndTime(Real seconds) override;
    void SetNumberOfLoops(SInt32 loops) override;
    void SetTimeScale(Real scale) override;
    void SetAutoRewind(Bool autoRewind) override;
    void SetStartOnActivate(Bool startOnActivate) override;
    void SetStopOnDeactivate(Bool stopOnDeactivate) override;
    Real GetStartTime() const override;
    Real GetEndTime() const override;
    SInt32 GetNumberOfLoops() const override;
    Real GetTimeScale() const override;
    Bool GetAutoRewind() const override;
    Bool GetStartOnActivate() const override;
    Bool GetStopOnDeactivate() const override;
    Bool IsRunning() const override;
    Bool IsPaused() const override;
    Bool WasStopped() const override;
    Double GetCurrentTime() const override;
    Double GetRemainingTime() const override;

    SInt32 GetLoopCounter() const { return mLoopCounter; }

protected:
    // Fails for a time scale that is not greater than 0.
    Bool InitSelf(IInitState* state) override;
    // Advances a running timeline by one step and hands its time and direction to the children.
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    // Gives the enclosing timeline's time and state back to the nodes after the sub-graph.
    Bool ProcessLogicChildren(IProcessLogicState* state) override;

private:
    // One step of seconds (before the time scale); returns the timeline state for the children.
    SInt32 Advance(Double seconds);

    Real mStartTime;
    Real mEndTime;
    SInt32 mNumberOfLoops;
    Real mTimeScale;
    Bool mAutoRewind;
    Bool mStartOnActivate;
    Bool mStopOnDeactivate;
    SInt32 mRunState;
    Bool mStopped;
    Double mCurrentTime;
    SInt32 mLoopCounter;
    Double mSavedTimelineTime;
    SInt32 mSavedTimelineState;
};

} // namespace Graph
} // namespace Vorn
