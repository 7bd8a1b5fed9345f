#include "features/performance/pm/adsl_pm_graph_feed.h"

#include "features/performance/pm/adsl_pm_values.h"
#include "features/performance/pm/pm_graph_restart.h"

namespace {

// Columns 6 and 7 in the numbers of a row (columns 2..14).
constexpr size_t kTxCells = 4;
constexpr size_t kRxCells = 5;

} // namespace

AdslPmGraphPoints CAdslPmGraphFeed::Next(const AdslPmCurrentNumbers& numbers, uint32_t elapsed15Min,
                                         uint32_t elapsedDay, int listRow)
{
    AdslPmGraphPoints points;
    previous_ = baseline_;
    baseline_ = numbers;
    uint32_t earlier15Min = elapsed15Min_;
    uint32_t earlierDay = elapsedDay_;
    if (PmGraphRestarts(reset_, {elapsed15Min, elapsedDay}, {elapsed15Min_, elapsedDay_}, baseline_, previous_)) {
        previous_ = baseline_;
        earlier15Min = elapsed15Min;
        earlierDay = elapsedDay;
        points.clear = true;
    }
    elapsed15Min_ = elapsed15Min;
    elapsedDay_ = elapsedDay;
    reset_ = false;

    const size_t row = listRow == 0 ? 0 : listRow == 1 ? 1 : listRow == 4 ? 2 : 3;
    const bool day = row >= 2;
    const uint32_t e = day ? elapsedDay : elapsed15Min;
    const uint32_t e0 = day ? earlierDay : earlier15Min;
    points.elapsed = e;
    for (size_t cells : {kTxCells, kRxCells}) {
        const uint32_t now = baseline_[row][cells];
        const uint32_t before = previous_[row][cells];
        const uint32_t delta = now - before;
        points.values.push_back(now);
        points.values.push_back(delta);
        points.values.push_back(CellRateKbps(now, e));
        points.values.push_back(e != e0 ? CellRateKbps(delta, e - e0) : CellRateKbps(now, e));
    }
    return points;
}
