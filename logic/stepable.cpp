#include "logic/stepable.h"

namespace Vorn {
namespace Logic {

StepableObserver::StepableObserver()
{
}

StepableObserver::~StepableObserver()
{
}

Bool StepableObserver::Add(IStepable* stepable)
{
    if (stepable == nullptr || mStepables.Find(stepable) >= 0)
        return false;
    mStepables.Add(stepable);
    return true;
}

Bool StepableObserver::Remove(IStepable* stepable)
{
    const SInt32 position = mStepables.Find(stepable);
    if (position < 0)
        return false;
    mStepables.RemoveAt(position);
    return true;
}

Bool StepableObserver::RemoveAt(UInt32 index)
{
    if (index >= GetNumberOfStepables())
        return false;
    mStepables.RemoveAt(SInt32(index));
    return true;
}

UInt32 StepableObserver::GetNumberOfStepables() const
{
    return UInt32(mStepables.GetCount());
}

IStepable* StepableObserver::GetStepable(UInt32 index) const
{
    return index < GetNumberOfStepables() ? mStepables[SInt32(index)] : nullptr;
}

void StepableObserver::ResetAll()
{
    for (IStepable* stepable : mStepables)
        stepable->Reset();
}

void StepableObserver::StepAll(Double dt)
{
    for (IStepable* stepable : mStepables)
        stepable->Step(dt);
}

void StepableObserver::RemoveAll()
{
    mStepables.Clear();
}

} // namespace Logic
} // namespace Vorn
