// A re-entrant lock, like a critical section: the thread that holds it may take it again and
// must release it as often as it took it. Guards the loader's lists and the screenshot hand-off.
#pragma once

#include <mutex>

namespace Vorn {
namespace System {

class Mutex
{
public:
    Mutex();
    ~Mutex();

    // Blocks until the calling thread holds the lock.
    void Lock();
    // Releases one Lock of the calling thread.
    void Unlock();

private:
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    std::recursive_mutex mMutex;
};

// Holds a mutex for a scope.
class MutexGuard
{
public:
    explicit MutexGuard(Mutex& mutex) : mMutex(mutex) { mMutex.Lock(); }
    ~MutexGuard() { mMutex.Unlock(); }

private:
    MutexGuard(const MutexGuard&) = delete;
    MutexGuard& operator=(const MutexGuard&) = delete;

    Mutex& mMutex;
};

} // namespace System
} // namespace Vorn
