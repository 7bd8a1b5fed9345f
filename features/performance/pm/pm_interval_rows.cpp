#include "features/performance/pm/pm_interval_rows.h"

#include "core/util/date_time_format.h"
#include "features/performance/pm/adsl_pm_values.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <cstdio>
#include <string>

namespace {

using R = PmIntervalRow;

// The sort key of a number: numbers after the texts that are none, by value, then by creation time and side.
std::string NumberKey(const R& row, std::optional<uint32_t> value)
{
    char key[40];
    std::snprintf(key, sizeof key, "%c%010u%010u%c", value ? '1' : '0', value.value_or(0), row.interval.createTime,
                  row.remote ? '1' : '0');
    return key;
}

ListColumn<R> NumberColumn(uint32_t XdslPmCountersRec::*counter)
{
    return {.value = [counter](const R& r) { return ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue = [counter](const R& r) { return ListValue(NumberKey(r, r.interval.counters.*counter)); }};
}

// A count the CO side makes alone: "---" on RT rows.
ListColumn<R> CoNumberColumn(uint32_t XdslPmCountersRec::*counter)
{
    return {.value =
                [counter](const R& r) { return r.remote ? ListValue("---") : ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue =
                [counter](const R& r) {
                    return ListValue(
                        NumberKey(r, r.remote ? std::nullopt : std::optional<uint32_t>(r.interval.counters.*counter)));
                }};
}

ListColumn<R> CellsColumn(uint32_t XdslPmCountersRec::*cells)
{
    ListColumn<R> column = CoNumberColumn(cells);
    column.value = [cells](const R& r) {
        const uint32_t count = r.interval.counters.*cells;
        return r.remote ? ListValue("---") : ListValue(CellsText(count, CellRateKbps(count, k15MinSeconds)));
    };
    column.widestValue = "4294967295 / 99999.9";
    return column;
}

} // namespace

std::vector<PmIntervalRow> MakePmIntervalRows(const std::vector<XdslPmIntervalRec>& co,
                                              const std::vector<XdslPmIntervalRec>& rt)
{
    std::vector<PmIntervalRow> rows;
    uint32_t number = 0;
    for (const XdslPmIntervalRec& rec : co)
        rows.push_back({++number, false, PlausibleInterval(rec, true)});
    for (const XdslPmIntervalRec& rec : rt)
        rows.push_back({++number, true, PlausibleInterval(rec, false)});
    return rows;
}

std::vector<ListColumn<PmIntervalRow>> PmIntervalColumns()
{
    using C = XdslPmCountersRec;
    return {
        // CO before RT of one time whichever way: they tie, and ties go by the order the rows came in.
        {.value = [](const R& r) { return ListValue(FormatShortDateTime(r.interval.createTime)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const R& r) { return ListValue(r.interval.createTime); },
         .widestValue = "12-31 23:59"},
        {.value = [](const R& r) { return ListValue(LoadString(r.remote ? kStrRt : kStrCo)); },
         .order = ListOrder::kText,
         .sortValue =
             [](const R& r) {
                 return ListValue((r.remote ? "1" : "0") + std::to_string(10000000000ull + r.interval.createTime));
             }},
        NumberColumn(&C::los),
        NumberColumn(&C::es),
        NumberColumn(&C::ses),
        NumberColumn(&C::uas),
        CellsColumn(&C::txCells),
        CellsColumn(&C::rxCells),
        NumberColumn(&C::cvs),
        CoNumberColumn(&C::fullInits),
        CoNumberColumn(&C::failedInits),
    };
}
