#include "foundation/mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Vorn;

TEST(MutexTest, HolderTakesItAgainAndOthersWaitForTheLastUnlock)
{
    System::Mutex mutex;
    mutex.Lock();
    mutex.Lock();

    std::atomic<bool> taken(false);
    std::thread other([&] {
        mutex.Lock();
        taken = true;
        mutex.Unlock();
    });

    mutex.Unlock();
    // Still held once: the other thread cannot have it yet.
    std::this_thread::yield();
    EXPECT_FALSE(taken.load());
    mutex.Unlock();
    other.join();
    EXPECT_TRUE(taken.load());
}
