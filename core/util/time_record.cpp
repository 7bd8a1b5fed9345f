#include "core/util/time_record.h"

#include <limits>

namespace {

constexpr int64_t kLastTotalMs = (int64_t{std::numeric_limits<uint32_t>::max()} + 1) * kMsPerDay - 1;

int64_t TotalMs(const TimeRec* rec)
{
    if (!rec)
        return 0;
    return int64_t{rec->days} * kMsPerDay + int64_t{rec->msOfDay};
}

bool FromTotalMs(int64_t total, TimeRec* out)
{
    if (total < 0 || total > kLastTotalMs)
        return false;
    out->days = static_cast<uint32_t>(total / kMsPerDay);
    out->msOfDay = static_cast<uint32_t>(total % kMsPerDay);
    return true;
}

} // namespace

int SystemTimeToTimeRec(const SystemTime* systemTime, TimeRec* out)
{
    if (!systemTime || !out)
        return 0;
    using namespace std::chrono;
    const year_month_day date{year{systemTime->year}, month{systemTime->month}, day{systemTime->day}};
    if (!date.ok() || systemTime->hour > 23 || systemTime->minute > 59 || systemTime->second > 59 ||
        systemTime->milliseconds > 999)
        return 0;
    const int64_t days = sys_days{date}.time_since_epoch().count();
    const int64_t ms = ((int64_t{systemTime->hour} * 60 + systemTime->minute) * 60 + systemTime->second) * 1000 +
                       systemTime->milliseconds;
    TimeRec rec;
    if (days < 0 || !FromTotalMs(days * kMsPerDay + ms, &rec))
        return 0;
    *out = rec;
    return 1;
}

int SystemTimeToTimeRec(std::chrono::system_clock::time_point time, TimeRec* out)
{
    if (!out)
        return 0;
    using namespace std::chrono;
    const int64_t total = floor<milliseconds>(time).time_since_epoch().count();
    TimeRec rec;
    if (!FromTotalMs(total, &rec))
        return 0;
    *out = rec;
    return 1;
}

TimeRec GetCurrentUtcTime()
{
    TimeRec now;
    SystemTimeToTimeRec(std::chrono::system_clock::now(), &now);
    return now;
}

int AddMsToTimeRec(TimeRec* rec, int64_t ms)
{
    if (!rec)
        return 0;
    int64_t total = 0;
    if (__builtin_add_overflow(TotalMs(rec), ms, &total))
        return 0;
    return FromTotalMs(total, rec) ? 1 : 0;
}

int64_t TimeRecDiffMs(const TimeRec* from, const TimeRec* to)
{
    return TotalMs(to) - TotalMs(from);
}
