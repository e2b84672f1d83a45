// Timelines: the time base of a sub-graph. Graph::Timeline runs, pauses, loops and rewinds its
// own time and hands it to the nodes below through the ProcessLogic state; buttons and game code
// drive it through Graph::ITimeline.
#pragma once

#include "foundation/types.h"

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

} // namespace Graph
} // namespace Vorn
