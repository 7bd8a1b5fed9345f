#pragma once
// The window of a paged list: which rows of a result the far end holds the list shows, as the numbers of the first and
// the last row (counted from 1), and how many rows the result has (its total). The server's paged lists (the operation
// log, the subscribers) ask for one window at a time and learn the total from the reply; a range list over a fixed
// span (VLAN IDs 1..4094) sets that span as its total once. Window-free arithmetic; the dialog side (edits, spin and
// page buttons) is CPageNavigator (ui/framework/dialogs/page_navigator.h).
//
//     CPageWindow window;                 // 1..1000 of 1000, at most 5000 rows
//     window.SetTotal(reply.total);       // after each query
//     window.Normalize();                 // 1..12 when the server holds 12
//     window.MoveForward();               // the next window of the same size
//     const PageRows rows = window.QueryRows(); // what the next query asks for
//
// A range list keeps its span and walks it in windows of any size:
//
//     CPageWindow range({.maxRows = 0, .wrap = false, .alignLastPage = true}, 1, 2);
//     range.SetTotal(4094);

#include <cstdint>

struct PageRules {
    // The most rows one window takes; 0 for no bound.
    uint32_t maxRows = 5000;
    // A window moved back or spun past either end reappears at the other end; without it the window stops at the end
    // it reached, keeping its size.
    bool wrap = true;
    // The last page starts after a whole number of windows from row 1 (and may be smaller); without it the last page
    // keeps the window's size and ends at the last row.
    bool alignLastPage = false;
};

// What a query asks for: the first row wanted and how many.
struct PageRows {
    uint32_t first = 0;
    uint32_t count = 0;
    bool operator==(const PageRows&) const = default;
};

class CPageWindow {
public:
    // The window a paged list starts with: rows 1..1000, taken as the total until a reply says otherwise.
    static constexpr int64_t kFirstWindowRows = 1000;

    explicit CPageWindow(PageRules rules = {}, int64_t first = 1, int64_t last = kFirstWindowRows,
                         int64_t total = kFirstWindowRows);

    int64_t First() const { return first_; }
    int64_t Last() const { return last_; }
    int64_t Total() const { return total_; }
    const PageRules& Rules() const { return rules_; }
    // The rows from the first to the last; 0 for an empty window.
    int64_t Size() const { return last_ >= first_ ? last_ - first_ + 1 : 0; }

    // As the operator typed them: nothing is checked until Normalize.
    void Set(int64_t first, int64_t last);
    void SetTotal(int64_t total) { total_ = total < 0 ? 0 : total; }

    // Swaps a first row above the last; keeps both within 1..total (0..0 for an empty result); cuts a window over
    // maxRows rows at its end.
    void Normalize();

    // The page moves; each normalises first.
    void MoveToFirst();
    void MoveBack();
    void MoveForward();
    void MoveToLast();
    // The spin's steps, +1 forward and -1 back, each a whole window; false, with the window as it was, for an empty
    // result or a window of one row.
    bool Spin(int steps);

    // Which moves are offered: back while the window does not start at row 1, forward while it ends before the last
    // row, the spin while the window is more than one row and less than the whole result.
    bool CanMoveBack() const { return first_ > 1; }
    bool CanMoveForward() const { return last_ < total_; }
    bool CanSpin() const { return first_ != last_ && !(first_ == 1 && last_ == total_); }

    // The rows a query of the window asks for. An empty window (of an empty result) asks for the first window, so
    // that rows the far end has gained since are found.
    PageRows QueryRows() const;

private:
    PageRules rules_;
    int64_t first_;
    int64_t last_;
    int64_t total_;
};
