#include "foundation/event.h"
#include "foundation/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

using namespace Vorn;
using System::Event;
using System::Time;

namespace {

// Runs a function on a thread of its own.
class FunctionThread : public System::Thread
{
public:
    explicit FunctionThread(std::function<void()> body) : System::Thread("EventTest"), mBody(std::move(body)) {}
    ~FunctionThread() override { Join(); }

protected:
    Bool Run() override
    {
        mBody();
        return true;
    }

private:
    std::function<void()> mBody;
};

} // namespace

TEST(EventTest, StartsNotSignalled)
{
    Event event;
    EXPECT_FALSE(event.Wait(Time::Zero));
}

TEST(EventTest, SuccessfulWaitResetsTheEvent)
{
    Event event;
    EXPECT_TRUE(event.Signal());
    EXPECT_TRUE(event.Wait());
    EXPECT_FALSE(event.Wait(Time::Zero));

    // Two signals without a wait between them leave one signal.
    EXPECT_TRUE(event.Signal());
    EXPECT_TRUE(event.Signal());
    EXPECT_TRUE(event.Wait(Time::Zero));
    EXPECT_FALSE(event.Wait(Time::Zero));
}

TEST(EventTest, PastDeadlineOnlyPolls)
{
    Event event;
    const Time past = Time::GetCurrent() - Time::FromSeconds(1);
    EXPECT_FALSE(event.Wait(past));
    event.Signal();
    EXPECT_TRUE(event.Wait(past));
    EXPECT_FALSE(event.Wait(past));
}

TEST(EventTest, TimesOutAtTheDeadline)
{
    Event event;
    const Time start = Time::GetCurrent();
    const Time deadline = start + Time::FromMilliSeconds(60);
    EXPECT_FALSE(event.Wait(deadline));
    EXPECT_GE(Time::GetCurrent(), deadline);
    EXPECT_LT(Time::GetCurrent() - start, Time::FromSeconds(10));
}

TEST(EventTest, FarDeadlineWaitsForTheSignal)
{
    // Deadlines whose remaining time does not fit in milliseconds, nor in the clock's units.
    for (const Time deadline : {Time::Largest, Time(~UInt64(0) / 1000, 999999999), Time(1ull << 62, 0)}) {
        Event event;
        FunctionThread signaller([&event] { event.Signal(); });
        ASSERT_TRUE(signaller.Start());
        EXPECT_TRUE(event.Wait(deadline));
        EXPECT_TRUE(signaller.Join());
    }
}

TEST(EventTest, HandsOffBetweenThreadsLikeAFrame)
{
    // The engine's main and logic threads take turns through two events.
    Event go;
    Event done;
    int sharedCounter = 0;
    const int kFrames = 500;
    FunctionThread worker([&] {
        for (int i = 0; i < kFrames; ++i) {
            go.Wait();
            ++sharedCounter;
            done.Signal();
        }
    });
    ASSERT_TRUE(worker.Start());
    for (int i = 0; i < kFrames; ++i) {
        go.Signal();
        ASSERT_TRUE(done.Wait(Time::GetCurrent() + Time::FromSeconds(30)));
        EXPECT_EQ(sharedCounter, i + 1);
    }
    EXPECT_TRUE(worker.Join());
}
