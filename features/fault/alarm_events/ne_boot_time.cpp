#include "features/fault/alarm_events/ne_boot_time.h"

#include "link/records/ne_time_record.h"

#include <limits>

int64_t LocalTimeZoneBias(std::time_t at)
{
    std::tm local{};
    localtime_r(&at, &local);
    return -static_cast<int64_t>(local.tm_gmtoff);
}

int64_t NeBootTime(const NeTimeRecord& time, int64_t localBias)
{
    constexpr int64_t kSecondsPerHour = 3600;
    return static_cast<int64_t>(time.neClock) - static_cast<int64_t>(time.timeZone) * kSecondsPerHour -
           static_cast<int64_t>(time.upTime) - localBias;
}

uint32_t NeLogEntryTime(int64_t bootTime, uint32_t occurUptime)
{
    const int64_t sum = bootTime + static_cast<int64_t>(occurUptime);
    if (sum <= 0 || sum > std::numeric_limits<uint32_t>::max())
        return 1;
    return static_cast<uint32_t>(sum);
}
