#include "features/performance/pm/trunk_pm_graph_feed.h"

#include <algorithm>

TrunkPmCounters CountersOf(const TrunkPmRec& rec)
{
    const TrunkTrafficCountersRec& in = rec.incoming;
    const TrunkTrafficCountersRec& out = rec.outgoing;
    return {in.octets,
            in.unicastPackets,
            in.nonUnicastPackets,
            in.discardedPackets,
            in.erroneousPackets,
            rec.incomingPauseFrames,
            out.octets,
            out.unicastPackets,
            out.nonUnicastPackets,
            out.discardedPackets,
            out.erroneousPackets,
            rec.outgoingPauseFrames};
}

TrunkPmGraphPoint CTrunkPmGraphFeed::Next(const TrunkPmCounters& counters, int row)
{
    const size_t in = static_cast<size_t>(std::clamp(row, 0, 5));
    const size_t out = in + 6;
    uint32_t before[2] = {first_ ? counters[in] : previous_[in], first_ ? counters[out] : previous_[out]};
    previous_ = counters;
    first_ = false;
    TrunkPmGraphPoint point;
    if (counters[in] < before[0] || counters[out] < before[1]) {
        point.clear = true;
        before[0] = counters[in];
        before[1] = counters[out];
    }
    point.values = {static_cast<double>(counters[in]), static_cast<double>(counters[in] - before[0]),
                    static_cast<double>(counters[out]), static_cast<double>(counters[out] - before[1])};
    return point;
}
