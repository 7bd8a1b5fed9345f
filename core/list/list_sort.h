#pragma once
// The sort state of a dialog's lists and how a sort request changes it. Modes: 0 none, 1 ascending, 2 descending, any
// other value toggles (the column sorted last flips its direction; another column is sorted in the stored direction).

#include <cstdint>

inline constexpr int kSortNone = 0;
inline constexpr int kSortAscending = 1;
inline constexpr int kSortDescending = 2;
inline constexpr int kSortToggle = 3;

// Bit of the CompareItems flags that asks for the descending order; the low byte holds the compare key.
inline constexpr uint32_t kCompareDescending = 0x8000;
// Column map entry that compares the rows' item data.
inline constexpr uint8_t kCompareItemData = 255;

struct SortState {
    uint8_t column = 0;
    uint8_t direction = kSortAscending;
};

// Applies a request to the state and returns the direction to sort in (0: do not sort). An explicit direction stores
// the column only: the next toggle flips the direction stored by the toggles before it.
int ApplySortRequest(SortState& state, int column, int mode);

// The comparison of two item data values as signed 32-bit numbers: 1, 0 or -1, negated when descending.
int CompareItemData(uint32_t a, uint32_t b, uint32_t flags);
