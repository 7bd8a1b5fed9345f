#pragma once
// The times of the NE's own alarm log count seconds from the NE's start. The list turns them into times of day from
// the NE's clock, time zone and up time (request 300) and the workstation's time zone. Window-free.

#include <cstdint>
#include <ctime>

struct NeTimeRecord;

// UTC minus local time at `at`, in seconds (negative east of Greenwich).
int64_t LocalTimeZoneBias(std::time_t at);

// The NE's start as the list counts it: its clock less its zone, less its up time, less the workstation's bias.
int64_t NeBootTime(const NeTimeRecord& time, int64_t localBias);

// The time an entry occurred: the start plus the entry's up time. A sum of 0, or one that does not fit, shows as 1.
uint32_t NeLogEntryTime(int64_t bootTime, uint32_t occurUptime);
