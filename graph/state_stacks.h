// The small context stacks of the traversal states, and the frame values they copy from the
// clock. Storage is kept between runs; only the counts are reset. A pop of an empty stack does
// nothing.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"
#include "graph/clock.h"

namespace Vorn {

class IConfiguration;

namespace Resource {
class ICollection;
}
namespace Input {
class ITouchableHandler;
}
namespace Output {
class IDeviceHandler;
}
namespace Display {
class IRenderer;
}
namespace Audio {
class IRenderer;
}
namespace Physics {
class ISimulator;
}

namespace Graph {

class Factory;

// The engine services that the Init, DeInit and ConfigChanged states hand out; none is owned.
struct EngineServices
{
    IConfiguration* mConfiguration = nullptr;
    Factory* mFactory = nullptr;
    Input::ITouchableHandler* mInputDeviceHandler = nullptr;
    Output::IDeviceHandler* mOutputDeviceHandler = nullptr;
    Display::IRenderer* mDisplayRenderer = nullptr;
    Audio::IRenderer* mAudioRenderer = nullptr;
    Physics::ISimulator* mPhysicsSimulator = nullptr;
    Resource::ICollection* mResourceCollection = nullptr;
};

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

// Node flag words ORed together down the tree: each entry holds the accumulated flags, so a pop
// restores exactly what the enclosing nodes had set.
class FlagStack
{
public:
    FlagStack() : mCurrent(0) {}
    void Push(UInt32 flags)
    {
        mCurrent |= flags;
        mEntries.Add(mCurrent);
    }
    void Pop()
    {
        if (!mEntries.IsEmpty())
            mEntries.RemoveAt(mEntries.GetCount() - 1);
        mCurrent = mEntries.IsEmpty() ? 0 : mEntries.GetLast();
    }
    UInt32 GetCurrent() const { return mCurrent; }
    void Clear()
    {
        mEntries.SetCount(0);
        mCurrent = 0;
    }

private:
    Array<UInt32> mEntries;
    UInt32 mCurrent;
};

// The depth order: set or added to by nodes, restored by their pops.
class DepthOrderStack
{
public:
    DepthOrderStack() : mCurrent(0) {}
    void Set(SInt32 order)
    {
        mCurrent = order;
        mEntries.Add(mCurrent);
    }
    void Add(SInt32 order)
    {
        mCurrent += order;
        mEntries.Add(mCurrent);
    }
    void Pop()
    {
        if (!mEntries.IsEmpty())
            mEntries.RemoveAt(mEntries.GetCount() - 1);
        mCurrent = mEntries.IsEmpty() ? 0 : mEntries.GetLast();
    }
    SInt32 GetCurrent() const { return mCurrent; }
    void Clear()
    {
        mEntries.SetCount(0);
        mCurrent = 0;
    }

private:
    Array<SInt32> mEntries;
    SInt32 mCurrent;
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
