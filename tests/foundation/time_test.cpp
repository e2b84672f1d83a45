#include "foundation/time.h"

#include <gtest/gtest.h>

using namespace Vorn;
using System::DateTime;
using System::Time;

namespace {

constexpr UInt64 kMax = ~UInt64(0);

void ExpectTime(const Time& time, UInt64 seconds, UInt64 nanoSeconds)
{
    EXPECT_EQ(time.GetSeconds(), seconds);
    EXPECT_EQ(time.GetNanoSeconds(), nanoSeconds);
}

} // namespace

TEST(TimeTest, ConversionsSplitIntoSecondsAndNanoSeconds)
{
    ExpectTime(Time::FromSeconds(7), 7, 0);
    ExpectTime(Time::FromMilliSeconds(1500), 1, 500000000);
    ExpectTime(Time::FromMicroSeconds(2000001), 2, 1000);
    ExpectTime(Time::FromNanoSeconds(3000000004), 3, 4);
    ExpectTime(Time::FromMilliSeconds(kMax), kMax / 1000, (kMax % 1000) * 1000000);
    ExpectTime(Time::Zero, 0, 0);
    ExpectTime(Time::Largest, kMax, 0);

    EXPECT_EQ(Time(1, 999).ToMicroSeconds(), 1000000u);
    EXPECT_EQ(Time(2, 5).ToNanoSeconds(), 2000000005u);
    EXPECT_EQ(Time(1, 500000000).ToMilliSeconds(), 1500u);
    EXPECT_EQ(Time(0, 999999).ToMilliSeconds(), 0u);
}

TEST(TimeTest, MilliSecondsSaturateInsteadOfWrapping)
{
    EXPECT_EQ(Time::Largest.ToMilliSeconds(), kMax);
    EXPECT_EQ(Time(kMax / 1000, 999999999).ToMilliSeconds(), kMax);
    EXPECT_EQ(Time(kMax / 1000, 0).ToMilliSeconds(), kMax / 1000 * 1000);
}

TEST(TimeTest, AddCarriesNanoSecondsIntoSeconds)
{
    ExpectTime(Time(1, 999999999) + Time(0, 1), 2, 0);
    ExpectTime(Time::Add(Time(1, 999999999), Time(2, 999999999)), 4, 999999998);
    ExpectTime(Time(3, 400) + Time(4, 500), 7, 900);
    Time sum(1, 600000000);
    sum += Time(0, 400000000);
    ExpectTime(sum, 2, 0);
}

TEST(TimeTest, SubtractionSaturatesAtZero)
{
    struct Case
    {
        Time a, b;
        UInt64 seconds, nanoSeconds;
    };
    const Case cases[] = {
        {Time(5, 0), Time(3, 500000000), 1, 500000000},
        {Time(3, 0), Time(5, 0), 0, 0},
        {Time(3, 100), Time(3, 200), 0, 0},
        {Time(3, 200), Time(3, 200), 0, 0},
        {Time(0, 0), Time(0, 1), 0, 0},
        {Time(kMax, 0), Time(0, 1), kMax - 1, 999999999},
        // Borrowing against the largest seconds must not wrap into a huge result.
        {Time(kMax, 0), Time(kMax, 1), 0, 0},
        {Time(0, 5), Time(kMax, 0), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.GetSeconds() << "." << c.a.GetNanoSeconds() << " - "
                                        << c.b.GetSeconds() << "." << c.b.GetNanoSeconds());
        ExpectTime(c.a - c.b, c.seconds, c.nanoSeconds);
    }
}

TEST(TimeTest, ComparesSecondsThenNanoSeconds)
{
    EXPECT_TRUE(Time(1, 0) < Time(1, 1));
    EXPECT_FALSE(Time(1, 1) < Time(1, 1));
    EXPECT_TRUE(Time(1, 5) == Time(1, 5));
    EXPECT_TRUE(Time(1, 5) != Time(1, 6));
    EXPECT_TRUE(Time(2, 0) > Time(1, 999999999));
    EXPECT_TRUE(Time(1, 5) <= Time(1, 5));
    EXPECT_TRUE(Time(1, 5) >= Time(1, 5));
    EXPECT_FALSE(Time(1, 4) >= Time(1, 5));
    EXPECT_TRUE(Time::Largest > Time(kMax - 1, 999999999));
}

TEST(TimeTest, ClearGivesZero)
{
    Time time(4, 5);
    time.Clear();
    EXPECT_EQ(time, Time::Zero);
}

TEST(TimeTest, CurrentTimeIsNormalisedAndNeverRunsBackwards)
{
    Time previous = Time::GetCurrent();
    for (int i = 0; i < 1000; ++i) {
        const Time now = Time::GetCurrent();
        EXPECT_LT(now.GetNanoSeconds(), 1000000000u);
        EXPECT_GE(now, previous);
        previous = now;
    }
}

TEST(DateTimeTest, LocalDateIsWithinCalendarRanges)
{
    const DateTime now = DateTime::GetLocal();
    EXPECT_GE(now.mYear, 2020);
    EXPECT_GE(now.mMonth, 1);
    EXPECT_LE(now.mMonth, 12);
    EXPECT_GE(now.mDay, 1);
    EXPECT_LE(now.mDay, 31);
    EXPECT_GE(now.mHour, 0);
    EXPECT_LE(now.mHour, 23);
    EXPECT_GE(now.mMinute, 0);
    EXPECT_LE(now.mMinute, 59);
    EXPECT_GE(now.mSecond, 0);
    EXPECT_LE(now.mSecond, 60);
    EXPECT_GE(now.mWeekDay, 0);
    EXPECT_LE(now.mWeekDay, 6);
    EXPECT_GE(now.mYearDay, 0);
    EXPECT_LE(now.mYearDay, 365);

    DateTime cleared = now;
    cleared.Clear();
    EXPECT_EQ(cleared.mYear, 0);
    EXPECT_EQ(cleared.mMonth, 0);
    EXPECT_EQ(cleared.mDay, 0);
    EXPECT_EQ(cleared.mYearDay, 0);
}
