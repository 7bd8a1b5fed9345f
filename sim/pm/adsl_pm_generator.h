#pragma once
// The PM of the simulated ADSL lines, a function of the port and the time alone, so that both simulated peers answer
// the same counters for the same port at the same second, and a test can compute what a dialog must show.
//
// Each minute of a line has its own share: cells at the line's rate times a load that follows the time of day, now
// and then a burst of errored seconds with code violations, and rarely a retrain (a loss of signal, unavailable
// seconds, a full initialisation, sometimes a failed one). A count over a span of time is the sum of the minutes'
// shares in it, a minute cut short counting the part of it that has passed; so every counter grows with time within its
// interval and no counter goes beyond the interval's length.
//
//     CAdslPmGenerator pm;
//     AdslCurrentPmRec now = pm.Current(10103, PmSide::kCo, time(nullptr));
//     XdslPmIntervalRec latest = pm.StoredInterval(10103, PmSide::kCo, time(nullptr), 1);
//
// Days are UTC days; intervals begin at the quarter hours; an interval's record is created at its end.

#include "link/records/adsl_block_pm_rec.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/xdsl_pm_interval_rec.h"

#include <cstdint>

// CO: the line card's own view; RT: the remote modem's, which counts no cells and no initialisations.
enum class PmSide : uint8_t { kCo, kRt };

inline constexpr uint32_t kPmIntervalSeconds = 900;
inline constexpr uint32_t kPmDaySeconds = 86400;
// The 15-minute intervals the NE keeps of a port: one day.
inline constexpr uint32_t kStoredPmIntervals = 96;

class CAdslPmGenerator {
public:
    explicit CAdslPmGenerator(uint64_t seed = 1) : seed_(seed) {}

    // The counters of the span [from, to).
    XdslPmCountersRec Counters(uint32_t port, PmSide side, uint32_t from, uint32_t to) const;
    XdslBlockCountersRec Blocks(uint32_t port, PmSide side, uint32_t from, uint32_t to) const;

    // The current 15 minutes and day up to `now`, and the previous day.
    AdslCurrentPmRec Current(uint32_t port, PmSide side, uint32_t now) const;
    AdslBlockPmRec CurrentBlocks(uint32_t port, PmSide side, uint32_t now) const;
    // Interval `number` (1 the latest completed, up to kStoredPmIntervals) of those kept at `now`.
    XdslPmIntervalRec StoredInterval(uint32_t port, PmSide side, uint32_t now, uint32_t number) const;
    // The long-term record of the interval that ended at `end` (a quarter hour), named by its creation time.
    XdslPmIntervalRec LongTermRecord(uint32_t port, PmSide side, uint32_t end) const;

    // The downstream and upstream line rates of a port, in kbit/s.
    uint32_t DownstreamKbps(uint32_t port) const;
    uint32_t UpstreamKbps(uint32_t port) const;

private:
    struct Minute;
    Minute MinuteOf(uint32_t port, PmSide side, uint32_t minute) const;
    uint64_t Hash(uint32_t port, PmSide side, uint32_t minute, uint32_t salt) const;

    uint64_t seed_;
};

// The end of the interval that holds `time`: the next quarter hour after it, or `time` itself on a quarter hour.
uint32_t QuarterHourAtOrAfter(uint32_t time);
