// A one-shot countdown stepped with logic time: ended is true for exactly the one step in which
// the duration is reached.
#pragma once

#include "foundation/types.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Logic {

class ITimeframe : public IStepable
{
public:
    // Elapsed time 0, running, not ended.
    virtual void Start(Real duration) = 0;
    virtual Bool IsRunning() const = 0;
    virtual Bool IsEnded() const = 0;
    virtual Double GetElapsedTime() const = 0;
    virtual Double GetTimeLeft() const = 0;
};

class Timeframe : public ITimeframe
{
public:
    Timeframe();
    ~Timeframe() override;

    // Neither running nor ended.
    void Reset() override;
    void Step(Double dt) override;
    void Start(Real duration) override;
    Bool IsRunning() const override;
    Bool IsEnded() const override;
    Double GetElapsedTime() const override;
    Double GetTimeLeft() const override;

private:
    Bool mRunning;
    Bool mEnded;
    Real mDuration;
    Double mElapsedTime;
};

// Application-side holder of one timeframe, which it owns.
class BaseTimeframe
{
public:
    BaseTimeframe();
    virtual ~BaseTimeframe();

    ITimeframe* GetTimeframe() const { return mTimeframe; }

protected:
    ITimeframe* mTimeframe;

private:
    BaseTimeframe(const BaseTimeframe&) = delete;
    BaseTimeframe& operator=(const BaseTimeframe&) = delete;
};

} // namespace Logic
} // namespace Vorn
