// A settable engine clock for tests of the traversal states.
#pragma once

#include "graph/clock.h"

namespace Vorn {
namespace Testing {

class FakeClock : public IClock
{
public:
    UInt32 mNumberOfSteps = 1;
    UInt32 mFrameNumber = 1;
    UInt32 mTotalNumberOfSteps = 0;
    Double mRealTime = 0.0;
    Double mLogicTime = 0.0;
    Double mFrameDuration = 0.0;
    Double mStepDuration = 0.0;

    void SetMaxFrameTime(const System::Time&) override {}
    void SetTimeScale(Double) override {}
    void SetSmoothingFactor(Double) override {}
    void Start() override {}
    void Stop() override {}
    void Pause() override {}
    void Continue() override {}
    void ResetTime() override {}
    // One frame of mNumberOfSteps steps of mStepDuration each.
    void Update() override
    {
        mTotalNumberOfSteps += mNumberOfSteps;
        mLogicTime += mNumberOfSteps * mStepDuration;
        mRealTime += mFrameDuration;
        ++mFrameNumber;
    }
    System::Time GetAccumulatedTime() const override { return System::Time(); }
    System::Time GetLastTime() const override { return System::Time(); }
    UInt32 GetNumberOfSteps() const override { return mNumberOfSteps; }
    UInt32 GetFrameNumber() const override { return mFrameNumber; }
    UInt32 GetTotalNumberOfSteps() const override { return mTotalNumberOfSteps; }
    Double GetRealTime() const override { return mRealTime; }
    Double GetLogicTime() const override { return mLogicTime; }
    Double GetFrameDuration() const override { return mFrameDuration; }
    Double GetStepDuration() const override { return mStepDuration; }
};

} // namespace Testing
} // namespace Vorn
