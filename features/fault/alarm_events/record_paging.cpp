#include "features/fault/alarm_events/record_paging.h"

#include <algorithm>
#include <utility>

namespace {

// Ranges move in signed arithmetic, so that a step before 1 is seen as such.
struct SignedRange {
    int64_t from;
    int64_t to;
};

SignedRange Signed(RecordRange range)
{
    return {range.from, range.to};
}

RecordRange Unsigned(SignedRange range)
{
    return {static_cast<uint32_t>(std::max<int64_t>(range.from, 0)),
            static_cast<uint32_t>(std::max<int64_t>(range.to, 0))};
}

int64_t PageSize(RecordRange range)
{
    return static_cast<int64_t>(range.to) - static_cast<int64_t>(range.from) + 1;
}

} // namespace

RecordRange BoundRecordRange(RecordRange range, uint32_t bound)
{
    const uint32_t lowest = bound == 0 ? 0 : 1;
    range.from = std::clamp(range.from, lowest, bound);
    range.to = std::clamp(range.to, lowest, bound);
    if (static_cast<uint64_t>(range.to) >= static_cast<uint64_t>(range.from) + kPageRecordsMax)
        range.to = range.from + kPageRecordsMax - 1;
    return range;
}

RecordRange ValidateRecordRange(RecordRange range, uint32_t bound)
{
    if (range.from > range.to)
        std::swap(range.from, range.to);
    return BoundRecordRange(range, bound);
}

RecordRange FirstPage(RecordRange range)
{
    const int64_t n = PageSize(range);
    return Unsigned({1, n});
}

RecordRange PreviousPage(RecordRange range)
{
    const int64_t n = PageSize(range);
    SignedRange moved = Signed(range);
    moved.from = std::max<int64_t>(moved.from - n, 1);
    moved.to -= n;
    return Unsigned(moved);
}

RecordRange NextPage(RecordRange range, uint32_t bound)
{
    const int64_t n = PageSize(range);
    SignedRange moved = Signed(range);
    moved.from += n;
    moved.to = std::min<int64_t>(moved.to + n, bound);
    return Unsigned(moved);
}

RecordRange LastPage(RecordRange range, uint32_t total)
{
    SignedRange moved = Signed(range);
    moved.from += static_cast<int64_t>(total) - moved.to;
    moved.to = total;
    return Unsigned(moved);
}

std::optional<RecordRange> SpinPages(RecordRange range, int delta, uint32_t bound)
{
    if (bound == 0 || range.from == range.to || delta == 0)
        return std::nullopt;
    const int64_t step = PageSize(range) * delta;
    const int64_t last = bound;
    SignedRange moved{range.from + step, range.to + step};
    if (step > 0) {
        if (moved.from > last)
            moved = {1, step};
        moved.to = std::min(moved.to, last);
    } else {
        if (moved.to < 1)
            moved = {last + step + 1, last};
        moved.from = std::max<int64_t>(moved.from, 1);
    }
    return Unsigned(moved);
}

PagingButtons ServerPagingButtons(RecordRange range, uint32_t total)
{
    PagingButtons buttons;
    buttons.first = buttons.previous = range.from > 1;
    buttons.next = buttons.last = range.to < total;
    buttons.spin = range.from != range.to && !(range.from == 1 && range.to == total);
    return buttons;
}

PagingButtons NeLogPagingButtons(RecordRange range)
{
    PagingButtons buttons;
    buttons.first = range.to >= range.from;
    buttons.previous = range.from > 1;
    buttons.next = range.to < kNeAlarmLogBound;
    buttons.spin = range.from != range.to && !(range.from == 1 && range.to == kNeAlarmLogBound);
    return buttons;
}
