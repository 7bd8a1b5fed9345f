#pragma once
// The columns every list of 15-minute PM intervals shares (the ADSL history and long-term PM, the SHDSL history PM),
// for a row that has `interval.createTime`, `interval.counters` and `remote` (an RT interval). Where a column orders
// by the creation time it does so by the time itself or by the text the list shows ("%m-%d %H:%M", which puts
// 01-01 before 12-31 across a year end), as its list asks (PmTimeOrder):
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

enum class PmTimeOrder : uint8_t {
    kValue, // the time itself
    kText,  // the time's text as shown
};
// Orders that live as long as the lists that refer to them.
inline constexpr PmTimeOrder kPmTimeByValue = PmTimeOrder::kValue;
inline constexpr PmTimeOrder kPmTimeByText = PmTimeOrder::kText;

// The creation time as a key that sorts as `order` says, closed so that keys joined after it still sort by it first
// (an empty text, the time 0, goes before any other).
inline std::string PmIntervalTimeKey(uint32_t createTime, PmTimeOrder order)
{
    if (order == PmTimeOrder::kText)
        return FormatShortDateTime(createTime) + '\x01';
    return std::to_string(10000000000ull + createTime);
}

// The columns take the order by reference, so that a list may change it for a while (the graph's time order).
template <class Row>
std::string PmIntervalNumberKey(const Row& row, std::optional<uint32_t> value, const PmTimeOrder& order)
{
    char key[16];
    std::snprintf(key, sizeof key, "%c%010u", value ? '1' : '0', value.value_or(0));
    return key + PmIntervalTimeKey(row.interval.createTime, order) + (row.remote ? '1' : '0');
}

template <class Row> ListColumn<Row> PmIntervalCreateTimeColumn(const PmTimeOrder& order)
{
    return {.value = [](const Row& r) { return ListValue(FormatShortDateTime(r.interval.createTime)); },
            .order = ListOrder::kText,
            .sortValue = [&order](const Row& r) { return ListValue(PmIntervalTimeKey(r.interval.createTime, order)); }};
}

template <class Row> ListColumn<Row> PmIntervalSideColumn(const PmTimeOrder& order)
{
    return {.value = [](const Row& r) { return ListValue(LoadString(r.remote ? kStrRt : kStrCo)); },
            .order = ListOrder::kText,
            .sortValue =
                [&order](const Row& r) {
                    return ListValue((r.remote ? "1" : "0") + PmIntervalTimeKey(r.interval.createTime, order));
                }};
}

// The creation time, the side breaking ties; a descending sort turns both (RT before CO of one time).
template <class Row> ListColumn<Row> PmIntervalCreateTimeThenSideColumn(const PmTimeOrder& order)
{
    ListColumn<Row> column = PmIntervalCreateTimeColumn<Row>(order);
    column.sortValue = [&order](const Row& r) {
        return ListValue(PmIntervalTimeKey(r.interval.createTime, order) + (r.remote ? "1" : "0"));
    };
    return column;
}

template <class Row, class Counters>
ListColumn<Row> PmIntervalNumberColumn(uint32_t Counters::*counter, const PmTimeOrder& order)
{
    return {.value = [counter](const Row& r) { return ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue =
                [counter, &order](const Row& r) {
                    return ListValue(PmIntervalNumberKey(r, r.interval.counters.*counter, order));
                }};
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
