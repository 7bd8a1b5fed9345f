#pragma once
// The column table of a list of records: per column, what its cells show of the record, how the column sorts and its
// cells' images. The titles, alignments and flags of the columns come
// from the list's column spec (column_spec.h); the table gives what the spec cannot say. A cell's value is a field of
// the record or a function of it that returns a text, a number or an address (ListValue):
//
//     const std::vector<ListColumn<AlarmTriggerRec>> columns = {
//         {.order = ListOrder::kArrival},                                   // the rows' numbers
//         {.value = &AlarmTriggerRec::email, .order = ListOrder::kNoCase80},
//         {.value = &AlarmTriggerRec::seconds, .order = ListOrder::kUnsigned},
//         {.value = [](const AlarmTriggerRec& rec) { return AlarmNames(rec); }, .order = ListOrder::kNoCase80},
//     };

#include "core/list/list_order.h"

#include <cstddef>
#include <functional>
#include <string>

template <class Rec> struct ListColumn {
    using Value = std::function<ListValue(const Rec&)>;

    // What the cells show; none: the rows' numbers in the order they came (see CListRows).
    Value value{};
    ListOrder order = ListOrder::kNoCase;
    // What the column sorts by, where it is not what the cells show.
    Value sortValue{};
    // The cells' images (small image indexes); none without.
    std::function<int(const Rec&)> image{};
};

// A column whose cells sort by the first `length` characters of their texts, letter case counting.
template <class Rec> ListColumn<Rec> TextPrefixColumn(typename ListColumn<Rec>::Value value, size_t length)
{
    return {.value = value, .order = ListOrder::kText, .sortValue = [value, length](const Rec& rec) {
                return ListValue(value(rec).text.substr(0, length));
            }};
}
