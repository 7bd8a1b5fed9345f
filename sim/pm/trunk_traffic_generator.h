#pragma once
// The traffic of the simulated trunk ports, a function of the port and the time alone, so that a test can compute
// what a dialog must show. Each minute of the day has its own share for a port: octets at the port's rate times a load
// that follows the time of day, packets of the octets by their average size, now and then a discarded packet, an
// erroneous one or a few PAUSE frames. Every day is alike. A count over a span of time is the sum of the minutes'
// shares in it, a minute cut short counting the part of it that has passed; so every counter grows with time, as the
// NE's 32-bit counters do, which wrap.
//
//     CTrunkTrafficGenerator traffic;
//     TrunkPmRec counters = traffic.Counters(10501, startTime, time(nullptr)); // since the NE started counting
//
// Trunk port 1 carries the NE's uplink traffic; trunk port 2 the lighter traffic of what it subtends.

#include "link/records/trunk_pm_rec.h"

#include <cstdint>

class CTrunkTrafficGenerator {
public:
    // The counters of the port (its packed id, whose port number picks its rates) over [from, to), wrapped to 32 bits.
    TrunkPmRec Counters(uint32_t port, uint32_t from, uint32_t to) const;

private:
    struct Totals;
    // The counts of one minute of the day, in full.
    Totals MinuteOf(uint32_t port, uint32_t minuteOfDay) const;
    // The counts of [from, to) within one day, seconds of the day.
    Totals SpanOfDay(uint32_t port, uint32_t from, uint32_t to) const;
};
