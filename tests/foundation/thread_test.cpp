#include "foundation/event.h"
#include "foundation/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#endif

using namespace Vorn;

namespace {

// Run returns a fixed result at once.
class ReturningThread : public System::Thread
{
public:
    ReturningThread(const char* name, Bool result) : System::Thread(name), mResult(result) {}
    ~ReturningThread() override { Join(); }

    std::atomic<int> mRuns{0};

protected:
    Bool Run() override
    {
        ++mRuns;
        return mResult;
    }

private:
    Bool mResult;
};

// Run polls the running flag until Stop, as the engine's threads do; it reports its start and
// what it saw of its own thread.
class PollingThread : public System::Thread
{
public:
    explicit PollingThread(const char* name) : System::Thread(name) {}
    ~PollingThread() override
    {
        Stop();
        Join();
    }

    System::Event mStarted;
    UInt64 mThreadId = 0;
    char mSystemName[32] = {};

protected:
    Bool Run() override
    {
        mThreadId = GetCurrentId();
#ifndef _WIN32
        pthread_getname_np(pthread_self(), mSystemName, sizeof(mSystemName));
#endif
        mStarted.Signal();
        while (IsRunning())
            std::this_thread::yield();
        return true;
    }
};

} // namespace

TEST(ThreadTest, RunResultBecomesExitCodeAndClearsRunning)
{
    for (Bool result : {true, false}) {
        ReturningThread thread("Returning", result);
        EXPECT_FALSE(thread.IsRunning());
        ASSERT_TRUE(thread.Start());
        EXPECT_TRUE(thread.Join());
        EXPECT_FALSE(thread.IsRunning());
        EXPECT_EQ(thread.GetExitCode(), result ? 1u : 0u);
        EXPECT_EQ(thread.mRuns.load(), 1);
    }
}

TEST(ThreadTest, StartReportsCreationEvenWhenRunEndsFirst)
{
    // Run ends at once; with more creators than processors, some Runs end before their Start
    // returns. Start must still report those threads as started, not the running flag that the
    // ended Run has already cleared.
    std::atomic<int> notStarted{0};
    std::vector<std::thread> starters;
    for (int s = 0; s < 16; ++s)
        starters.emplace_back([&notStarted] {
            for (int i = 0; i < 300; ++i) {
                ReturningThread thread("Quick", true);
                if (!thread.Start())
                    ++notStarted;
                thread.Join();
            }
        });
    for (std::thread& starter : starters)
        starter.join();
    EXPECT_EQ(notStarted.load(), 0);
}

TEST(ThreadTest, StopEndsAPollingRun)
{
    PollingThread thread("Polling");
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.mStarted.Wait());
    EXPECT_TRUE(thread.IsRunning());
    thread.Stop();
    EXPECT_TRUE(thread.Join());
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(thread.GetExitCode(), 1u);
}

TEST(ThreadTest, JoinWithoutThreadFails)
{
    ReturningThread thread("Idle", true);
    EXPECT_FALSE(thread.Join());
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.Join());
    EXPECT_FALSE(thread.Join());
}

TEST(ThreadTest, StartIsRefusedWhileRunningAndAllowedAfterStop)
{
    PollingThread thread("Polling");
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.mStarted.Wait());
    EXPECT_FALSE(thread.Start());
    EXPECT_TRUE(thread.IsRunning());

    // Stopped but not joined: Start waits for the old Run to end, then runs anew.
    thread.Stop();
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.mStarted.Wait());
    EXPECT_TRUE(thread.IsRunning());
    thread.Stop();
    EXPECT_TRUE(thread.Join());
    EXPECT_FALSE(thread.IsRunning());
}

TEST(ThreadTest, RunsOnAThreadOfItsOwn)
{
    PollingThread thread("Polling");
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.mStarted.Wait());
    EXPECT_NE(thread.mThreadId, System::Thread::GetCurrentId());
    EXPECT_EQ(System::Thread::GetCurrentId(), System::Thread::GetCurrentId());
    thread.Stop();
    thread.Join();
}

#ifndef _WIN32
TEST(ThreadTest, NamesTheSystemThreadWithinTheLimit)
{
    const char* cases[][2] = {
        {"Logic", "Logic"},
        {"AL11Renderer", "AL11Renderer"},
        {"AVeryLongThreadNameIndeed", "AVeryLongThread"},
    };
    for (const auto& c : cases) {
        PollingThread thread(c[0]);
        EXPECT_STREQ(thread.GetName().GetText(), c[0]);
        ASSERT_TRUE(thread.Start());
        ASSERT_TRUE(thread.mStarted.Wait());
        EXPECT_STREQ(thread.mSystemName, c[1]);
        thread.Stop();
        thread.Join();
    }
}
#endif
