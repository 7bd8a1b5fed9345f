#include "features/performance/pm/pm_interval_rows.h"

#include "features/performance/pm/adsl_pm_values.h"
#include "features/performance/pm/pm_interval_columns.h"

#include <optional>

namespace {

using R = PmIntervalRow;

// A count the CO side makes alone: "---" on RT rows.
ListColumn<R> CoNumberColumn(uint32_t XdslPmCountersRec::*counter)
{
    return {.value =
                [counter](const R& r) { return r.remote ? ListValue("---") : ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue =
                [counter](const R& r) {
                    return ListValue(PmIntervalNumberKey(
                        r, r.remote ? std::nullopt : std::optional<uint32_t>(r.interval.counters.*counter)));
                }};
}

ListColumn<R> CellsColumn(uint32_t XdslPmCountersRec::*cells)
{
    ListColumn<R> column = CoNumberColumn(cells);
    column.value = [cells](const R& r) {
        const uint32_t count = r.interval.counters.*cells;
        return r.remote ? ListValue("---") : ListValue(CellsText(count, CellRateKbps(count, k15MinSeconds)));
    };
    return column;
}

} // namespace

std::vector<PmIntervalRow> MakePmIntervalRows(const std::vector<XdslPmIntervalRec>& co,
                                              const std::vector<XdslPmIntervalRec>& rt)
{
    return MakePmIntervalRowsOf<PmIntervalRow>(
        co, rt, [](const XdslPmIntervalRec& rec, bool remote) { return PlausibleInterval(rec, !remote); });
}

std::vector<ListColumn<PmIntervalRow>> PmIntervalColumns()
{
    using C = XdslPmCountersRec;
    return {
        PmIntervalCreateTimeColumn<R>(),   PmIntervalSideColumn<R>(),          PmIntervalNumberColumn<R>(&C::los),
        PmIntervalNumberColumn<R>(&C::es), PmIntervalNumberColumn<R>(&C::ses), PmIntervalNumberColumn<R>(&C::uas),
        CellsColumn(&C::txCells),          CellsColumn(&C::rxCells),           PmIntervalNumberColumn<R>(&C::cvs),
        CoNumberColumn(&C::fullInits),     CoNumberColumn(&C::failedInits),
    };
}
