#include "core/list/list_sort.h"

int ApplySortRequest(SortState& state, int column, int mode)
{
    if (mode == kSortNone)
        return kSortNone;
    const auto col = static_cast<uint8_t>(column);
    if (mode == kSortAscending || mode == kSortDescending) {
        state.column = col;
        return mode;
    }
    if (state.column == col)
        state.direction = state.direction == kSortAscending ? kSortDescending : kSortAscending;
    else if (state.direction != kSortAscending && state.direction != kSortDescending)
        state.direction = kSortAscending;
    state.column = col;
    return state.direction;
}

int CompareItemData(uint32_t a, uint32_t b, uint32_t flags)
{
    const auto x = static_cast<int32_t>(a);
    const auto y = static_cast<int32_t>(b);
    const int result = x > y ? 1 : (x < y ? -1 : 0);
    return (flags & kCompareDescending) ? -result : result;
}
