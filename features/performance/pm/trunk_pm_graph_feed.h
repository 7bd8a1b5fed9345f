#pragma once
// What the trunk port PM dialog feeds its live graph after each refresh: for the graphed counter (octets, unicast,
// non-unicast, discarded, erroneous packets or PAUSE frames), the incoming and outgoing totals and their differences
// from the refresh before. The first point after the graph opened or restarted has differences of 0; a counter that
// went down (it wrapped, or the NE restarted counting) clears the graph, and its point starts the differences anew.
//
//     feed_.RequestReset();                               // the graph opens, or Restart
//     const TrunkPmGraphPoint point = feed_.Next(counters, row);
//     if (point.clear) graph.ClearSeries(false);
//     graph.AddPoints({point.values.begin(), point.values.end()}, label);

#include "link/records/trunk_pm_rec.h"

#include <array>
#include <cstdint>

// The six incoming counters in row order, then the six outgoing ones.
using TrunkPmCounters = std::array<uint32_t, 12>;

// The counters of a reply record in that order.
TrunkPmCounters CountersOf(const TrunkPmRec& rec);

struct TrunkPmGraphPoint {
    bool clear = false;
    std::array<double, 4> values{}; // incoming total, incoming difference, outgoing total, outgoing difference
};

class CTrunkPmGraphFeed {
public:
    void RequestReset() { first_ = true; }
    // The point of list row 0..5 after a refresh that read these counters.
    TrunkPmGraphPoint Next(const TrunkPmCounters& counters, int row);

private:
    bool first_ = true;
    TrunkPmCounters previous_{};
};
