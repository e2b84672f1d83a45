#include "foundation/event.h"

#include <algorithm>
#include <chrono>

namespace Vorn {
namespace System {

namespace {

// The longest single wait; a later deadline is reached in several waits. Short enough that
// converting it to the clock's own units can never overflow.
constexpr UInt64 LongestWaitMilliSeconds = UInt64(24) * 60 * 60 * 1000;

} // namespace

Event::Event() : mSignalled(false)
{
}

Event::~Event() = default;

Bool Event::Signal()
{
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mSignalled = true;
    }
    mCondition.notify_one();
    return true;
}

Bool Event::Wait()
{
    std::unique_lock<std::mutex> lock(mMutex);
    mCondition.wait(lock, [this] { return mSignalled; });
    mSignalled = false;
    return true;
}

Bool Event::Wait(const Time& deadline)
{
    std::unique_lock<std::mutex> lock(mMutex);
    while (!mSignalled) {
        const Time now = Time::GetCurrent();
        if (now >= deadline)
            return false;
        // Whole milliseconds, as the system waits take them; the remainder below one
        // millisecond is waited for by the next turn.
        const UInt64 remaining = std::max<UInt64>((deadline - now).ToMilliSeconds(), 1);
        const UInt64 wait = std::min(remaining, LongestWaitMilliSeconds);
        mCondition.wait_for(lock, std::chrono::milliseconds(SInt64(wait)));
    }
    mSignalled = false;
    return true;
}

} // namespace System
} // namespace Vorn
