#pragma once
// The record range of a paged alarm list: which records, numbered from 1, the next query asks for, and how the
// paging buttons and the up-down control move it. The server's list is bounded by the number of matches the last
// reply gave (its total), the NE's own log by 100,000; one query asks for at most 5,000 records. Window-free.

#include <cstdint>
#include <optional>

// Records one page holds at most.
inline constexpr uint32_t kPageRecordsMax = 5000;
// The highest record number of an NE's alarm log.
inline constexpr uint32_t kNeAlarmLogBound = 100000;

struct RecordRange {
    uint32_t from = 0;
    uint32_t to = 0;
    // Records in the range.
    uint32_t Count() const { return to >= from ? to - from + 1 : 0; }
    bool operator==(const RecordRange&) const = default;
};

// The range bounded: each end within 1..bound (0 when the bound is 0), at most 5,000 records from its start. A
// reversed range stays reversed (its ends are being typed).
RecordRange BoundRecordRange(RecordRange range, uint32_t bound);
// The range made valid: ends swapped when reversed, then bounded.
RecordRange ValidateRecordRange(RecordRange range, uint32_t bound);

// The buttons: first (<<), previous (|<), next (>|), last (>>) and the page up-down control.
RecordRange FirstPage(RecordRange range);
// The start stays at least 1.
RecordRange PreviousPage(RecordRange range);
// The end stays at most the bound.
RecordRange NextPage(RecordRange range, uint32_t bound);
RecordRange LastPage(RecordRange range, uint32_t total);
// Moves the range by whole pages (delta up-down steps) without a query: forward past the bound it starts again at
// 1, backward before 1 it comes round to the bound's end. Nothing when the bound is 0 or the range one record.
std::optional<RecordRange> SpinPages(RecordRange range, int delta, uint32_t bound);

struct PagingButtons {
    bool first = false;
    bool previous = false;
    bool next = false;
    bool last = false;
    bool spin = false;
    bool operator==(const PagingButtons&) const = default;
};
// The server's list.
PagingButtons ServerPagingButtons(RecordRange range, uint32_t total);
// The NE's log, which has no last page.
PagingButtons NeLogPagingButtons(RecordRange range);
