// The engine clock as the scene graph sees it: the traversal states copy its frame and step
// values at the start of each run. Implemented by the engine core, which sits above the graph.
#pragma once

#include "foundation/time.h"
#include "foundation/types.h"

namespace Vorn {

class IClock
{
public:
    virtual void SetMaxFrameTime(const System::Time& time) = 0;
    virtual void SetTimeScale(Double scale) = 0;
    virtual void SetSmoothingFactor(Double factor) = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Continue() = 0;
    virtual void ResetTime() = 0;
    virtual void Update() = 0;
    virtual System::Time GetAccumulatedTime() const = 0;
    virtual System::Time GetLastTime() const = 0;
    // Logic steps to run in the current frame.
    virtual UInt32 GetNumberOfSteps() const = 0;
    // 1 at creation, plus 1 per Update.
    virtual UInt32 GetFrameNumber() const = 0;
    // Logic steps of all earlier frames.
    virtual UInt32 GetTotalNumberOfSteps() const = 0;
    // Sum of the frame durations, in seconds.
    virtual Double GetRealTime() const = 0;
    // Completed steps times their durations, in seconds.
    virtual Double GetLogicTime() const = 0;
    virtual Double GetFrameDuration() const = 0;
    virtual Double GetStepDuration() const = 0;
    virtual ~IClock() {}
};

} // namespace Vorn
