#include "foundation/time.h"

#include <chrono>
#include <ctime>

namespace Vorn {
namespace System {

Time Time::GetCurrent()
{
    // steady_clock is monotonic and high-resolution in both builds (the performance counter on
    // Windows), so frame times never run backwards when the calendar clock is adjusted.
    const auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
    const SInt64 nanoSeconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceOrigin).count();
    return FromNanoSeconds(nanoSeconds > 0 ? UInt64(nanoSeconds) : 0);
}

void DateTime::Clear()
{
    mHour = 0;
    mMinute = 0;
    mSecond = 0;
    mYear = 0;
    mMonth = 0;
    mDay = 0;
    mWeekDay = 0;
    mYearDay = 0;
}

DateTime DateTime::GetLocal()
{
    DateTime result;
    const std::time_t now = std::time(nullptr);
    if (now == std::time_t(-1))
        return result;
    std::tm local{};
    // The re-entrant forms: the game's threads may ask at the same time.
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0)
        return result;
#else
    if (localtime_r(&now, &local) == nullptr)
        return result;
#endif
    result.mHour = local.tm_hour;
    result.mMinute = local.tm_min;
    result.mSecond = local.tm_sec;
    result.mYear = local.tm_year + 1900;
    result.mMonth = local.tm_mon + 1;
    result.mDay = local.tm_mday;
    result.mWeekDay = local.tm_wday;
    result.mYearDay = local.tm_yday;
    return result;
}

} // namespace System
} // namespace Vorn
