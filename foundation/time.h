// Time values of whole seconds and nanoseconds, the monotonic system clock, and the local
// calendar date. The engine clock, frame timing, event deadlines and random seeds use them.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace System {

// A duration or a point on the system clock. Times are never negative: a difference that
// would be negative is the zero time.
class Time
{
public:
    static constexpr UInt64 NanoSecondsPerSecond = 1000000000;

    constexpr Time() : mSeconds(0), mNanoSeconds(0) {}
    constexpr Time(UInt64 seconds, UInt64 nanoSeconds) : mSeconds(seconds), mNanoSeconds(nanoSeconds) {}

    // The current time of the monotonic high-resolution clock; its origin is arbitrary, so only
    // differences of its values mean anything. Safe to call from any thread.
    static Time GetCurrent();

    static constexpr Time FromSeconds(UInt64 seconds) { return Add(Time(), Time(seconds, 0)); }
    static constexpr Time FromMilliSeconds(UInt64 milliSeconds)
    {
        return Time(milliSeconds / 1000, (milliSeconds % 1000) * 1000000);
    }
    static constexpr Time FromMicroSeconds(UInt64 microSeconds)
    {
        return Time(microSeconds / 1000000, (microSeconds % 1000000) * 1000);
    }
    static constexpr Time FromNanoSeconds(UInt64 nanoSeconds)
    {
        return Time(nanoSeconds / NanoSecondsPerSecond, nanoSeconds % NanoSecondsPerSecond);
    }

    static const Time Zero;
    static const Time Largest;

    constexpr void Clear()
    {
        mSeconds = 0;
        mNanoSeconds = 0;
    }

    constexpr UInt64 GetSeconds() const { return mSeconds; }
    constexpr UInt64 GetNanoSeconds() const { return mNanoSeconds; }

    // Wraps modulo 2^64 beyond about 584 years.
    constexpr UInt64 ToNanoSeconds() const { return mSeconds * NanoSecondsPerSecond + mNanoSeconds; }
    constexpr UInt64 ToMicroSeconds() const { return mSeconds * 1000000 + mNanoSeconds / 1000; }
    // Whole milliseconds (the rest truncated); saturates at the largest UInt64 instead of wrapping,
    // so that far deadlines stay far.
    constexpr UInt64 ToMilliSeconds() const
    {
        const UInt64 limit = ~UInt64(0);
        const UInt64 fraction = mNanoSeconds / 1000000;
        if (mSeconds > (limit - fraction) / 1000)
            return limit;
        return mSeconds * 1000 + fraction;
    }

    // The normalised sum of two normalised times; both fields wrap modulo 2^64.
    static constexpr Time Add(const Time& a, const Time& b)
    {
        Time sum(a.mSeconds + b.mSeconds, a.mNanoSeconds + b.mNanoSeconds);
        if (sum.mNanoSeconds > NanoSecondsPerSecond - 1) {
            sum.mSeconds += 1;
            sum.mNanoSeconds -= NanoSecondsPerSecond;
        }
        return sum;
    }

    constexpr Time operator+(const Time& other) const { return Add(*this, other); }
    constexpr Time& operator+=(const Time& other) { return *this = Add(*this, other); }

    // this - other, or the zero time when other is later.
    constexpr Time operator-(const Time& other) const
    {
        UInt64 nanoSeconds = mNanoSeconds;
        UInt64 borrow = 0;
        if (nanoSeconds < other.mNanoSeconds) {
            nanoSeconds += NanoSecondsPerSecond;
            borrow = 1;
        }
        // Written so that other.mSeconds + borrow cannot wrap.
        if (mSeconds < other.mSeconds || mSeconds - other.mSeconds < borrow)
            return Time();
        return Time(mSeconds - other.mSeconds - borrow, nanoSeconds - other.mNanoSeconds);
    }

    constexpr bool operator==(const Time& other) const
    {
        return mSeconds == other.mSeconds && mNanoSeconds == other.mNanoSeconds;
    }
    constexpr bool operator!=(const Time& other) const { return !(*this == other); }
    constexpr bool operator<(const Time& other) const
    {
        return mSeconds < other.mSeconds || (mSeconds == other.mSeconds && mNanoSeconds < other.mNanoSeconds);
    }
    constexpr bool operator<=(const Time& other) const { return *this == other || *this < other; }
    constexpr bool operator>(const Time& other) const { return !(*this <= other); }
    constexpr bool operator>=(const Time& other) const { return !(*this < other); }

private:
    UInt64 mSeconds;
    UInt64 mNanoSeconds;
};

inline constexpr Time Time::Zero = Time(0, 0);
inline constexpr Time Time::Largest = Time(~UInt64(0), 0);

// The calendar date and time of day in local time, as the game records it in its player data.
class DateTime
{
public:
    DateTime() { Clear(); }

    void Clear();

    // The current local date and time; all fields 0 when the local-time conversion fails.
    static DateTime GetLocal();

    SInt32 mHour;       // 0-23
    SInt32 mMinute;     // 0-59
    SInt32 mSecond;     // 0-60
    SInt32 mYear;       // full year, for example 2010
    SInt32 mMonth;      // 1-12
    SInt32 mDay;        // day of the month, 1-31
    SInt32 mWeekDay;    // 0 = Sunday to 6
    SInt32 mYearDay;    // 0-365
};

} // namespace System
} // namespace Vorn
