#pragma once
// The columns every list of 15-minute PM intervals shares (the ADSL history and long-term PM, the SHDSL history PM),
// for a row that has `interval.createTime`, `interval.counters` and `remote` (an RT interval):
//   - the creation time sorts by time, CO before RT of the same time whichever way (they tie, and ties go by the order
//     the rows came in, CO first);
//   - the side sorts the CO intervals before the RT ones, each side in time order;
//   - a number sorts by its value, after the cells that show none, then by time and side.
// And the rows: the CO intervals first, then the RT ones, numbered 1, 2, ... in that order.

#include "core/util/date_time_format.h"
#include "ui/framework/lists/list_columns.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

template <class Row> std::string PmIntervalNumberKey(const Row& row, std::optional<uint32_t> value)
{
    char key[40];
    std::snprintf(key, sizeof key, "%c%010u%010u%c", value ? '1' : '0', value.value_or(0), row.interval.createTime,
                  row.remote ? '1' : '0');
    return key;
}

template <class Row> ListColumn<Row> PmIntervalCreateTimeColumn()
{
    return {.value = [](const Row& r) { return ListValue(FormatShortDateTime(r.interval.createTime)); },
            .order = ListOrder::kUnsigned,
            .sortValue = [](const Row& r) { return ListValue(r.interval.createTime); }};
}

// The creation time as text of one width, so that text order is time order.
inline std::string PmIntervalTimeKey(uint32_t createTime)
{
    return std::to_string(10000000000ull + createTime);
}

template <class Row> ListColumn<Row> PmIntervalSideColumn()
{
    return {
        .value = [](const Row& r) { return ListValue(LoadString(r.remote ? kStrRt : kStrCo)); },
        .order = ListOrder::kText,
        .sortValue =
            [](const Row& r) { return ListValue((r.remote ? "1" : "0") + PmIntervalTimeKey(r.interval.createTime)); }};
}

// The creation time, the side breaking ties; a descending sort turns both (RT before CO of one time).
template <class Row> ListColumn<Row> PmIntervalCreateTimeThenSideColumn()
{
    ListColumn<Row> column = PmIntervalCreateTimeColumn<Row>();
    column.order = ListOrder::kText;
    column.sortValue = [](const Row& r) {
        return ListValue(PmIntervalTimeKey(r.interval.createTime) + (r.remote ? "1" : "0"));
    };
    return column;
}

template <class Row, class Counters> ListColumn<Row> PmIntervalNumberColumn(uint32_t Counters::*counter)
{
    return {.value = [counter](const Row& r) { return ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue =
                [counter](const Row& r) { return ListValue(PmIntervalNumberKey(r, r.interval.counters.*counter)); }};
}

// The rows of the CO and RT intervals, each as `shown` makes it (its counters checked for the side).
template <class Row, class Interval, class Shown>
std::vector<Row> MakePmIntervalRowsOf(const std::vector<Interval>& co, const std::vector<Interval>& rt, Shown shown)
{
    std::vector<Row> rows;
    uint32_t number = 0;
    for (const Interval& rec : co)
        rows.push_back({++number, false, shown(rec, false)});
    for (const Interval& rec : rt)
        rows.push_back({++number, true, shown(rec, true)});
    return rows;
}
