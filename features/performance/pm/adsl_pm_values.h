#pragma once
// The arithmetic of the xDSL PM dialogs, without windows: which counters are plausible, the cell rates, and the texts
// of the cells.
//
// A counter of seconds or initialisations above its interval's length (900 for 15 minutes, 86400 for a day) is no
// count the line can have made: the interval's counters are shown as zeros, never as received. A rate is the cells
// between two readings over the seconds between them, 424 bits a cell, in kbit/s.

#include "link/records/adsl_current_pm_rec.h"
#include "link/records/xdsl_pm_interval_rec.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr uint32_t k15MinSeconds = 900;
inline constexpr uint32_t kDaySeconds = 86400;

// The counters as shown: zeros when any of LOSs, ESs, SESs, UASs (and with `inits` FullInits, FailedInits) is above
// the interval's length.
XdslPmCountersRec PlausibleCounters(const XdslPmCountersRec& counters, uint32_t length, bool inits);
// An interval record as shown: its counters checked over 15 minutes; the whole record zeros, its creation time
// included, when they are not plausible.
XdslPmIntervalRec PlausibleInterval(const XdslPmIntervalRec& rec, bool inits);
// The current counters as shown: all zeros when an elapsed time is beyond its interval; else from the first group
// (15 minutes, day, previous day) that is not plausible on, the record's fields are zeros.
AdslCurrentPmRec PlausibleCurrent(const AdslCurrentPmRec& rec, bool inits);

// The average rate of `cells` over `seconds`, in kbit/s.
double CellRateKbps(uint64_t cells, uint32_t seconds);
// The rate since an earlier reading: none when the count went down (the interval started again) or no time passed.
std::optional<double> RateSince(uint32_t cells, uint32_t elapsed, uint32_t earlierCells, uint32_t earlierElapsed);

// "count / rate" with the rate to one decimal, or "count / --" without a rate.
std::string CellsText(uint32_t cells, std::optional<double> rateKbps);
