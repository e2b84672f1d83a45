// An auto-reset event: Signal wakes one waiter, and a successful wait resets the event. The
// engine's frame hand-off between the main and logic threads and the loader's wake-up use it.
#pragma once

#include "foundation/time.h"
#include "foundation/types.h"

#include <condition_variable>
#include <mutex>

namespace Vorn {
namespace System {

class Event
{
public:
    // Created not signalled.
    Event();
    ~Event();

    // Sets the event; true on success.
    Bool Signal();
    // Waits without time limit; true once the event was signalled (and resets it).
    Bool Wait();
    // Waits until the absolute deadline of Time::GetCurrent; a deadline that has passed only polls.
    // True when the event was signalled in time (and resets it), false on time-out.
    Bool Wait(const Time& deadline);

private:
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    std::mutex mMutex;
    std::condition_variable mCondition;
    Bool mSignalled;
};

} // namespace System
} // namespace Vorn
