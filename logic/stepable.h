// Objects that advance with logic time (timelines, timeframes, the game's pools) and the list
// through which a processor resets and steps them.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {
namespace Logic {

class IStepable
{
public:
    virtual void Reset() = 0;
    // Advances by dt seconds of logic time.
    virtual void Step(Double dt) = 0;
    virtual ~IStepable() {}
};

class IStepableObserver
{
public:
    // False for null or a stepable already listed.
    virtual Bool Add(IStepable* stepable) = 0;
    // Keeps the order of the rest; false when absent.
    virtual Bool Remove(IStepable* stepable) = 0;
    virtual Bool RemoveAt(UInt32 index) = 0;
    virtual UInt32 GetNumberOfStepables() const = 0;
    // Null when index is out of range.
    virtual IStepable* GetStepable(UInt32 index) const = 0;
    virtual void ResetAll() = 0;
    virtual void StepAll(Double dt) = 0;
    // Forgets every stepable without calling any.
    virtual void RemoveAll() = 0;
    virtual ~IStepableObserver() {}
};

// Holds the stepables, not owning them, each once, in the order they were added.
class StepableObserver : public IStepableObserver
{
public:
    StepableObserver();
    ~StepableObserver() override;

    Bool Add(IStepable* stepable) override;
    Bool Remove(IStepable* stepable) override;
    Bool RemoveAt(UInt32 index) override;
    UInt32 GetNumberOfStepables() const override;
    IStepable* GetStepable(UInt32 index) const override;
    void ResetAll() override;
    void StepAll(Double dt) override;
    void RemoveAll() override;

private:
    StepableObserver(const StepableObserver&) = delete;
    StepableObserver& operator=(const StepableObserver&) = delete;

    Array<IStepable*> mStepables;
};

} // namespace Logic
} // namespace Vorn
