#include "features/performance/pm/pm_interval_rows.h"

#include "features/performance/pm/adsl_pm_values.h"
#include "features/performance/pm/pm_interval_columns.h"

#include <optional>

namespace {

using R = PmIntervalRow;

// A count the CO side makes alone: "---" on RT rows.
ListColumn<R> CoNumberColumn(uint32_t XdslPmCountersRec::*counter, const PmTimeOrder& order)
{
    return {.value =
                [counter](const R& r) { return r.remote ? ListValue("---") : ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue =
                [counter, &order](const R& r) {
                    return ListValue(PmIntervalNumberKey(
                        r, r.remote ? std::nullopt : std::optional<uint32_t>(r.interval.counters.*counter), order));
                }};
}

// The cells and their rate, "%lu / %.1f": no number as a whole, so a list that sorts as it shows sorts them as text,
// then by time and side; by the count otherwise.
ListColumn<R> CellsColumn(uint32_t XdslPmCountersRec::*cells, const PmTimeOrder& order)
{
    ListColumn<R> column = CoNumberColumn(cells, order);
    column.value = [cells](const R& r) {
        const uint32_t count = r.interval.counters.*cells;
        return r.remote ? ListValue("---") : ListValue(CellsText(count, CellRateKbps(count, k15MinSeconds)));
    };
    if (order == PmTimeOrder::kText) {
        column.sortValue = [shown = column.value, &order](const R& r) {
            return ListValue(shown(r).text + '\x01' + PmIntervalTimeKey(r.interval.createTime, order) +
                             (r.remote ? '1' : '0'));
        };
    }
    return column;
}

} // namespace

std::vector<PmIntervalRow> MakePmIntervalRows(const std::vector<XdslPmIntervalRec>& co,
                                              const std::vector<XdslPmIntervalRec>& rt)
{
    return MakePmIntervalRowsOf<PmIntervalRow>(
        co, rt, [](const XdslPmIntervalRec& rec, bool remote) { return PlausibleInterval(rec, !remote); });
}

std::vector<ListColumn<PmIntervalRow>> PmIntervalColumns(const PmTimeOrder& order)
{
    using C = XdslPmCountersRec;
    return {
        PmIntervalCreateTimeColumn<R>(order),      PmIntervalSideColumn<R>(order),
        PmIntervalNumberColumn<R>(&C::los, order), PmIntervalNumberColumn<R>(&C::es, order),
        PmIntervalNumberColumn<R>(&C::ses, order), PmIntervalNumberColumn<R>(&C::uas, order),
        CellsColumn(&C::txCells, order),           CellsColumn(&C::rxCells, order),
        PmIntervalNumberColumn<R>(&C::cvs, order), CoNumberColumn(&C::fullInits, order),
        CoNumberColumn(&C::failedInits, order),
    };
}
