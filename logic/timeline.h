// Logic timelines: a play head that a processor steps with logic time between a start and an end
// time, with a time scale, a wrap count and auto-rewind, telling its owner each time it moves.
#pragma once

#include "foundation/types.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Logic {

// The owner of a timeline, told the new time and then asked to update after every move.
class IAppTimeline
{
public:
    virtual void OnUpdate() = 0;
    virtual void OnSetTime(Double time) = 0;
    virtual ~IAppTimeline() {}
};

class ITimeline : public IStepable
{
public:
    virtual Bool SetOwner(IAppTimeline* owner) = 0;
    // Sets both times, rewinds and starts.
    virtual Bool SetTimeRange(Real startTime, Real endTime) = 0;
    // Also continues a paused timeline.
    virtual Bool Start() = 0;
    // False unless running.
    virtual Bool Pause() = 0;
    // False when already stopped; sets ended otherwise. Rewinds in both cases with auto-rewind.
    virtual Bool Stop() = 0;
    // Current time back to the start time, no wraps done; tells the owner.
    virtual Bool Rewind() = 0;
    virtual void SetStartTime(Real seconds) = 0;
    virtual void SetEndTime(Real seconds) = 0;
    // Negative wraps for ever; 0 and 1 both stop at the first end.
    virtual void SetWrapCount(SInt32 count) = 0;
    // Ignored unless above 0.
    virtual void SetTimeScale(Real scale) = 0;
    virtual void SetAutoRewind(Bool autoRewind) = 0;
    virtual Real GetStartTime() const = 0;
    virtual Real GetEndTime() const = 0;
    virtual SInt32 GetWrapCount() const = 0;
    virtual Real GetTimeScale() const = 0;
    virtual Bool IsAutoRewind() const = 0;
    virtual Bool IsRunning() const = 0;
    virtual Bool IsPaused() const = 0;
    // True from the step that stopped the timeline until the next step.
    virtual Bool IsEnded() const = 0;
    virtual Double GetCurrentTime() const = 0;
    // End time minus current time; negative on a backward timeline.
    virtual Double GetTimeLeft() const = 0;
};

class Timeline : public ITimeline
{
public:
    static constexpr SInt32 kStopped = 0;
    static constexpr SInt32 kRunning = 1;
    static constexpr SInt32 kPaused = 2;

    Timeline();
    ~Timeline() override;

    // Stopped without ended, then rewound.
    void Reset() override;
    // Moves towards the end time (forward, or backward when the start lies after the end); on
    // reaching it starts again exactly at the start time, or stops at the end time once the wrap
    // count is used up.
    void Step(Double dt) override;

    Bool SetOwner(IAppTimeline* owner) override;
    Bool SetTimeRange(Real startTime, Real endTime) override;
    Bool Start() override;
    Bool Pause() override;
    Bool Stop() override;
    Bool Rewind() override;
    void SetStartTime(Real seconds) override;
    void SetEndTime(Real seconds) override;
    void SetWrapCount(SInt32 count) override;
    void SetTimeScale(Real scale) override;
    void SetAutoRewind(Bool autoRewind) override;
    Real GetStartTime() const override;
    Real GetEndTime() const override;
    SInt32 GetWrapCount() const override;
    Real GetTimeScale() const override;
    Bool IsAutoRewind() const override;
    Bool IsRunning() const override;
    Bool IsPaused() const override;
    Bool IsEnded() const override;
    Double GetCurrentTime() const override;
    Double GetTimeLeft() const override;

private:
    Timeline(const Timeline&) = delete;
    Timeline& operator=(const Timeline&) = delete;

    void TellOwner();

    IAppTimeline* mOwner;
    Real mStartTime;
    Real mEndTime;
    SInt32 mWrapCount;
    Real mTimeScale;
    Bool mAutoRewind;
    SInt32 mRunState;
    Bool mEnded;
    Double mCurrentTime;
    SInt32 mWrapsDone;
};

// Application-side owner of a timeline of its own; its callbacks do nothing.
class BaseTimeline : public IAppTimeline
{
public:
    BaseTimeline();
    ~BaseTimeline() override;

    void OnUpdate() override;
    void OnSetTime(Double time) override;

    // The owning processor adds it to its stepables.
    Timeline* GetTimeline() const { return mTimeline; }

protected:
    Timeline* mTimeline;

private:
    BaseTimeline(const BaseTimeline&) = delete;
    BaseTimeline& operator=(const BaseTimeline&) = delete;
};

} // namespace Logic
} // namespace Vorn
