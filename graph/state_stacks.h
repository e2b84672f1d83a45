// The small context stacks of the traversal states, and the frame values they copy from the
// clock. Storage is kept between runs; only the counts are reset. A pop of an empty stack does
// nothing.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"
#include "graph/clock.h"

namespace Vorn {
namespace Graph {

// Pointers, with the top as the current one (null when empty).
template <typename T>
class PointerStack
{
public:
    void Push(T* item) { mItems.Add(item); }
    void Pop()
    {
        if (!mItems.IsEmpty())
            mItems.RemoveAt(mItems.GetCount() - 1);
    }
    T* GetTop() const { return mItems.IsEmpty() ? nullptr : mItems.GetLast(); }
    T* GetBottom() const { return mItems.IsEmpty() ? nullptr : mItems[0]; }
    void Clear() { mItems.SetCount(0); }
    SInt32 GetCount() const { return mItems.GetCount(); }

private:
    Array<T*> mItems;
};

// Values whose top entry is the current one (0 when empty). Each entry holds the current value
// its push made, so a pop restores exactly what the enclosing nodes had.
template <typename T>
class CurrentValueStack
{
public:
    void Pop()
    {
        if (!mEntries.IsEmpty())
            mEntries.RemoveAt(mEntries.GetCount() - 1);
    }
    T GetCurrent() const { return mEntries.IsEmpty() ? T(0) : mEntries.GetLast(); }
    void Clear() { mEntries.SetCount(0); }

protected:
    void PushCurrent(T current) { mEntries.Add(current); }

private:
    Array<T> mEntries;
};

// Node flag words ORed together down the tree.
class FlagStack : public CurrentValueStack<UInt32>
{
public:
    void Push(UInt32 flags) { PushCurrent(GetCurrent() | flags); }
};

// The depth order: set or added to by nodes, restored by their pops.
class DepthOrderStack : public CurrentValueStack<SInt32>
{
public:
    void Set(SInt32 order) { PushCurrent(order); }
    void Add(SInt32 order) { PushCurrent(GetCurrent() + order); }
};

// The clock's values as a state's Begin copies them.
struct FrameValues
{
    UInt32 mNumberOfSteps = 0;
    UInt32 mFrameCount = 0;
    UInt32 mStepCount = 0;
    Double mFrameTime = 0.0;
    Double mLogicTime = 0.0;
    Double mFrameDuration = 0.0;
    Double mStepDuration = 0.0;

    // Without a clock the values stay as they are.
    void CopyFrom(const IClock* clock)
    {
        if (!clock)
            return;
        mNumberOfSteps = clock->GetNumberOfSteps();
        mFrameCount = clock->GetFrameNumber();
        mStepCount = clock->GetTotalNumberOfSteps();
        mFrameTime = clock->GetRealTime();
        mLogicTime = clock->GetLogicTime();
        mFrameDuration = clock->GetFrameDuration();
        mStepDuration = clock->GetStepDuration();
    }
};

} // namespace Graph
} // namespace Vorn
